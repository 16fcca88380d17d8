#include "ui/hint_model.h"

#include <cstdio>

#include "play/turn_controller.h"
#include "strategy/maxi_strategy.h"

namespace kvoro {
namespace {

// Empty before the turn's first roll, or while the five-dice table is missing.
std::vector<strategy::Move> MovesFor(const GameState& state, const strategy::ValueTable* table) {
    if (!state.hasRolled) return {};
    if (state.gameType == GameType::Maxi) return strategy::maxiMoves(state);
    if (table == nullptr || table->empty()) return {};
    const strategy::TurnAdvisor advisor(*table, state.card(state.currentPlayer));
    return advisor.moves(state.dice.values, play::currentRollsLeft(state));
}

}  // namespace

bool IsHintOffered(const GameState& state) {
    return state.roundsLeft > 0 && state.currentPlayer >= 1 && state.currentPlayer <= state.playerCount;
}

Hint HintFor(const GameState& state, const strategy::ValueTable* table) {
    Hint hint;
    if (!IsHintOffered(state)) {
        hint.kind = HintKind::NotThisGame;
    } else if (!state.hasRolled) {
        hint.kind = HintKind::RollFirst;
    } else if (state.gameType == GameType::Standard && (table == nullptr || table->empty())) {
        hint.kind = HintKind::Computing;
    } else {
        const std::vector<strategy::Move> moves = MovesFor(state, table);
        if (moves.empty()) return hint;
        const strategy::Move& best = moves.front();
        hint.kind = best.row >= 0 ? HintKind::Enter : HintKind::Hold;
        hint.hold = best.hold;
        hint.row = best.row;
        hint.expected = best.expected;
        hint.estimate = state.gameType == GameType::Maxi;
    }
    return hint;
}

double EntryCost(const GameState& state, const strategy::ValueTable* table, int row) {
    if (!IsHintOffered(state)) return -1.0;
    const std::vector<strategy::Move> moves = MovesFor(state, table);
    for (const strategy::Move& move : moves) {
        if (move.row == row) return moves.front().expected - move.expected;
    }
    return -1.0;
}

std::string HintLine(const Hint& hint, double lastCost) {
    char line[64] = "";
    switch (hint.kind) {
    case HintKind::RollFirst: return "Hint: roll first";
    case HintKind::Computing: return "Hint: still computing";
    case HintKind::Hold:
    case HintKind::Enter:
        // An estimate is given to the point: its decimals would claim too much.
        std::snprintf(line, sizeof line, hint.estimate ? "Expected about %.0f" : "Expected %.1f", hint.expected);
        if (lastCost >= 0) {
            const std::string expected = line;
            std::snprintf(line, sizeof line, "%s, cost %.1f", expected.c_str(), lastCost);
        }
        return line;
    default: return "";
    }
}

}  // namespace kvoro
