#include <ctime>

#include "game/highscore.h"

namespace kvoro {

bool formatLocalDate(char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return false;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return false;
    return std::strftime(buffer, static_cast<std::size_t>(capacity), "%x", &local) != 0;
}

}  // namespace kvoro
