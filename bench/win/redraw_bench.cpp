// How long one Redraw of the score card takes: five players in a Maxi game,
// with values, crosses and the red previews of a roll.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "game/rules.h"
#include "ui/score_grid.h"

namespace {

void FillCards(kvoro::GameState& state) {
    state.startGame(5, kvoro::GameType::Maxi);
    for (int player = 1; player <= 5; ++player) {
        kvoro::ScoreCard& card = state.card(player);
        // Every player has about half the card filled, some rows with zero points.
        for (int row = player % 2; row < kvoro::Score; row += 2) {
            if (kvoro::isComputedRow(row)) continue;
            card.values[row] = (row + player) % 5 == 0 ? -1 : 5 + row + player;
        }
        int upper = 0;
        for (int row = 0; row < 6; ++row) upper += std::max(card.values[row], 0);
        card.values[kvoro::Total] = upper;
        card.values[kvoro::Score] = upper + 120;
    }
    state.currentPlayer = 3;
    const int faces[] = {3, 3, 3, 5, 5, 2};
    std::copy(std::begin(faces), std::end(faces), state.dice.values);
    state.hasRolled = 1;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
    const HWND parent = CreateWindowExA(0, "STATIC", "Redraw benchmark", WS_OVERLAPPEDWINDOW, 0, 0, 400, 600,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    kvoro::GameState state(1);
    FillCards(state);
    kvoro::ScoreGrid grid;
    grid.Create(parent);
    grid.Attach(&state);
    grid.Redraw();  // sizes the window once, outside the timing

    constexpr int kIterations = 2000;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kIterations; ++i) grid.Redraw();
    GdiFlush();
    QueryPerformanceCounter(&end);

    std::printf("Redraw, 5 players, Maxi, values, crosses and previews: %.1f microseconds (%d iterations)\n",
                Seconds(start, end, frequency) * 1e6 / kIterations, kIterations);
    DestroyWindow(parent);
    return 0;
}
