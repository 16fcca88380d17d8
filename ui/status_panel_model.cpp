#include "ui/status_panel_model.h"

#include "play/turn_controller.h"

namespace kvoro {

StatusText LayoutStatus(const Rect& c, const GameState& state) {
    static const char* const labels[kStatusLines] = {"Player:", "Rolls Remaining:", "Bonus:"};
    const int quarter = (c.bottom - c.top) / 4;
    const int half = (c.right - c.left) / 2;

    StatusText panel{};
    for (int i = 0; i < kStatusLines; ++i) {
        StatusLine& line = panel.lines[i];
        const int top = c.top + i * quarter;
        line.labelRect = Rect{c.left, top, c.right - half, top + quarter};
        line.valueRect = Rect{half, top, c.right - c.left, top + quarter};
        line.label = labels[i];
    }
    if (play::hasCurrentPlayer(state)) {
        const char* name = state.playerName(state.currentPlayer);
        panel.lines[0].value = *name ? std::string(name) : std::to_string(state.currentPlayer);
        panel.lines[1].value = std::to_string(play::currentRollsLeft(state));
        panel.lines[2].value = std::to_string(state.bonusStanding());
    }
    return panel;
}

}  // namespace kvoro
