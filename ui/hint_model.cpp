#include "ui/hint_model.h"

#include <cstdio>

#include "play/turn_controller.h"

namespace kvoro {
namespace {

std::vector<strategy::Move> MovesFor(const GameState& state, const strategy::ValueTable& table) {
    const strategy::TurnAdvisor advisor(table, state.card(state.currentPlayer));
    return advisor.moves(state.dice.values, play::currentRollsLeft(state));
}

}  // namespace

bool IsHintOffered(const GameState& state) {
    return state.gameType == GameType::Standard && state.roundsLeft > 0 && state.currentPlayer >= 1 &&
           state.currentPlayer <= state.playerCount;
}

Hint HintFor(const GameState& state, const strategy::ValueTable* table) {
    Hint hint;
    if (!IsHintOffered(state)) {
        hint.kind = HintKind::NotThisGame;
    } else if (!state.hasRolled) {
        hint.kind = HintKind::RollFirst;
    } else if (table == nullptr || table->empty()) {
        hint.kind = HintKind::Computing;
    } else {
        const std::vector<strategy::Move> moves = MovesFor(state, *table);
        if (moves.empty()) return hint;
        const strategy::Move& best = moves.front();
        hint.kind = best.row >= 0 ? HintKind::Enter : HintKind::Hold;
        hint.hold = best.hold;
        hint.row = best.row;
        hint.expected = best.expected;
    }
    return hint;
}

double EntryCost(const GameState& state, const strategy::ValueTable& table, int row) {
    if (!IsHintOffered(state) || !state.hasRolled || table.empty()) return 0.0;
    const std::vector<strategy::Move> moves = MovesFor(state, table);
    for (const strategy::Move& move : moves) {
        if (move.row == row) return moves.front().expected - move.expected;
    }
    return 0.0;
}

std::string HintLine(const Hint& hint, double lastCost) {
    char line[64] = "";
    switch (hint.kind) {
    case HintKind::RollFirst: return "Hint: roll first";
    case HintKind::Computing: return "Hint: still computing";
    case HintKind::Hold:
    case HintKind::Enter:
        if (lastCost < 0) {
            std::snprintf(line, sizeof line, "Expected %.1f", hint.expected);
        } else {
            std::snprintf(line, sizeof line, "Expected %.1f, cost %.1f", hint.expected, lastCost);
        }
        return line;
    default: return "";
    }
}

}  // namespace kvoro
