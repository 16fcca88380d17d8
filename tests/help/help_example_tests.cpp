// The worked examples of "How to play" against the rules engine: every line
// must score what the game scores, under the label the card shows, and every
// row a player can fill on either card must have an example.
#include "help_document.h"

#include "game/rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace kvoro::test {
namespace {

std::map<std::string, int> enteredRowsByLabel(GameType type) {
    GameState state(1);
    state.gameType = type;
    std::map<std::string, int> rows;
    for (int row = 0; row < kRowCount; ++row)
        if (!isComputedRow(row) && GameState::isRowShown(type, row)) rows[state.rowLabel(row)] = row;
    return rows;
}

TEST(HelpWorkedExamples, ScoreWhatTheGameScoresAndCoverEveryRow) {
    const auto& files = helpDocument().files;
    const auto topic = files.find("howtoplay.html");
    ASSERT_NE(topic, files.end());
    const auto examples = workedExamples(topic->second);
    ASSERT_FALSE(examples.empty());

    std::map<GameType, std::set<int>> covered;
    for (const WorkedExample& example : examples) {
        std::string roll;
        for (int face : example.dice) roll += std::to_string(face) + ' ';
        SCOPED_TRACE(example.row + " with " + roll);
        ASSERT_TRUE(example.dice.size() == 5 || example.dice.size() == 6);
        const GameType type = example.dice.size() == 6 ? GameType::Maxi : GameType::Standard;
        std::int32_t values[kMaxDice] = {};
        for (size_t i = 0; i < example.dice.size(); ++i) {
            ASSERT_GE(example.dice[i], 1);
            ASSERT_LE(example.dice[i], 6);
            values[i] = example.dice[i];
        }
        const auto labels = enteredRowsByLabel(type);
        const auto row = labels.find(example.row);
        ASSERT_NE(row, labels.end()) << "no such row on this card";
        EXPECT_EQ(scoreDice(type, values, row->second), example.points);
        covered[type].insert(row->second);
    }
    for (GameType type : {GameType::Standard, GameType::Maxi})
        for (const auto& [label, row] : enteredRowsByLabel(type))
            EXPECT_EQ(covered[type].count(row), 1u)
                << "no example for " << label << (type == GameType::Maxi ? " (Maxi)" : "");
}

}  // namespace
}  // namespace kvoro::test
