#pragma once
// What the status panel says and where: three lines, each a label on the left
// and a value on the right. Plain data only.
#include <string>

#include "game/rules.h"
#include "ui/geometry_model.h"

namespace kvoro {

struct StatusLine {
    Rect labelRect;
    Rect valueRect;
    const char* label;
    std::string value;
};

constexpr int kStatusLines = 3;

struct StatusText {
    StatusLine lines[kStatusLines];  // "Player:", "Rolls Remaining:", "Bonus:"
};

// The panel for its client rectangle. Before the first game there is no
// current player, and the values stay empty.
StatusText LayoutStatus(const Rect& client, const GameState& state);

}  // namespace kvoro
