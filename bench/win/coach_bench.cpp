// The coaches as the Windows program runs them: the five-dice table's time and
// start value, the six-dice coach's time per decision (median and worst over
// whole games through maxiMoves, the first decision of a turn solving it) and
// the process's peak memory. Build it in a Release tree; run it under Wine.
// Usage: coach_bench [six-dice games]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "strategy/maxi_strategy.h"
#include "strategy/strategy.h"

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::atoi(argv[1]) : 200;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const kvoro::strategy::ValueTable table = kvoro::strategy::ValueTable::compute(2);
    QueryPerformanceCounter(&end);
    std::printf("five-dice table   %.3f s on 2 threads, start value %.7f\n", Seconds(start, end),
                table.remaining({0, 0}));

    std::vector<double> times;
    double sum = 0.0;
    for (int g = 0; g < games; ++g) {
        kvoro::GameState game(static_cast<std::uint32_t>(g + 1) * 2246822519u);
        game.startGame(1, kvoro::GameType::Maxi);
        while (game.roundsLeft > 0) {
            for (std::int32_t& held : game.dice.held) held = 0;
            game.roll();
            for (;;) {
                QueryPerformanceCounter(&start);
                const std::vector<kvoro::strategy::Move> moves = kvoro::strategy::maxiMoves(game);
                QueryPerformanceCounter(&end);
                times.push_back(Seconds(start, end) * 1000.0);
                if (moves.front().row >= 0) {
                    game.enterScore(moves.front().row);
                    break;
                }
                for (int die = 0; die < 6; ++die) game.dice.held[die] = moves.front().hold >> die & 1u;
                game.roll();
            }
        }
        sum += game.card(1).values[kvoro::Score];
    }
    std::sort(times.begin(), times.end());
    std::printf("six-dice decision median %.3f ms, worst %.3f ms over %zu decisions of %d games (mean %.1f)\n",
                times[times.size() / 2], times.back(), times.size(), games, sum / games);
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("peak working set  %.1f MiB, peak private bytes %.1f MiB\n",
                static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20),
                static_cast<double>(memory.PeakPagefileUsage) / (1 << 20));
    return 0;
}
