#pragma once
// Games and records as the tests of every suite set them up.
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "game/highscore.h"
#include "game/rules.h"

namespace kvoro::test {

inline GameState Started(int players, GameType type, std::uint32_t seed = 7) {
    GameState game(seed);
    game.startGame(players, type);
    return game;
}

// The dice of a roll, as if rolled: the rest of the six are cleared.
inline void SetDice(GameState& game, std::initializer_list<int> faces) {
    std::fill(std::copy(faces.begin(), faces.end(), game.dice.values), std::end(game.dice.values), 0);
    game.hasRolled = 1;
}

// The rows the current player may still enter, in card order.
inline std::vector<int> OpenRows(const GameState& game) {
    std::vector<int> rows;
    for (int row = 0; row < kRowCount; ++row) {
        if (!isComputedRow(row) && GameState::isRowShown(game.gameType, row) &&
            game.card(game.currentPlayer).values[row] == 0) {
            rows.push_back(row);
        }
    }
    return rows;
}

inline HighscoreEntry Entry(const char* name, int score) {
    HighscoreEntry entry{};
    std::strncpy(entry.name, name, sizeof entry.name - 1);
    entry.score = score;
    return entry;
}

}  // namespace kvoro::test
