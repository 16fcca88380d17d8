#pragma once
// A careless player for whole simulated games: random holds, random stops and
// a random open row, for the benchmark's whole games.
#include <random>

#include "game/rules.h"

namespace kvoro::sim {

// Plays the current player's turn; returns the row entered, -1 when refused.
inline int playRandomTurn(GameState& game, std::minstd_rand& choices) {
    for (auto& held : game.dice.held) held = 0;  // every turn starts with no die held
    game.roll();
    const int player = game.currentPlayer;
    while (game.rollsLeft[player - 1] > 0 && choices() % 2 != 0) {
        for (int die = 0; die < diceCount(game.gameType); ++die) {
            game.dice.held[die] = static_cast<std::int32_t>(choices() % 2);
        }
        game.roll();
    }
    int open[kRowCount];
    int openCount = 0;
    for (int row = 0; row < kRowCount; ++row) {
        if (!isComputedRow(row) && GameState::isRowShown(game.gameType, row) &&
            game.card(player).values[row] == 0) {
            open[openCount++] = row;
        }
    }
    if (openCount == 0) return -1;
    const int row = open[choices() % static_cast<unsigned>(openCount)];
    return game.enterScore(row) != 0 ? row : -1;
}

inline void playRandomGame(GameState& game, std::minstd_rand& choices) {
    while (game.roundsLeft > 0) {
        if (playRandomTurn(game, choices) < 0) return;  // refused: the game cannot go on
    }
}

}  // namespace kvoro::sim
