// The Hint command in a seeded game: a damaged table file is computed anew on a
// worker thread while the window plays on, the Hold buttons take the coach's
// keep, and the advised row is framed until the entry.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "main_window_fixture.h"
#include "strategy/table_file.h"
#include "ui/score_grid_model.h"

namespace kvoro::test {
namespace {

std::filesystem::path TablePath() { return CoachTable::DefaultPath(); }

std::vector<unsigned char> TableFile() {
    std::ifstream file(TablePath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

using HintTest = MainWindowTest;

TEST_F(HintTest, ADamagedTableIsReplacedThenTheHintHoldsTheCoachsKeepAndFramesTheAdvisedRowUntilTheEntry) {
    // A whole file of the right size whose values do not match their checksum.
    std::vector<unsigned char> damaged = strategy::encodeTable(strategy::ValueTable(std::vector<float>(strategy::kStateCount)));
    damaged.back() ^= 0x40;
    std::filesystem::create_directories(TablePath().parent_path());
    std::ofstream(TablePath(), std::ios::binary)
        .write(reinterpret_cast<const char*>(damaged.data()), static_cast<std::streamsize>(damaged.size()));
    Open(1, GameType::Standard, 5);
    // Computing takes seconds: the window has been answering since it opened.
    ASSERT_EQ(main_->coach().table(), nullptr);
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::RollFirst);
    Roll();
    FinishRoll();
    Command(ID_GAME_HINT);
    if (!main_->coach().table()) {
        EXPECT_EQ(main_->hint().kind, HintKind::Computing);
    }
    ASSERT_TRUE(PumpUntil([this] { return main_->coach().table() != nullptr; }, 600000));
    EXPECT_NEAR(main_->coach().table()->remaining({0, 0}), 248.44, 0.005);
    EXPECT_EQ(strategy::decodeTable(TableFile()).values(), main_->coach().table()->values());

    const auto best = [this] {
        const strategy::TurnAdvisor advisor(*main_->coach().table(), state().card(1));
        return advisor.moves(state().dice.values, CurrentRollsLeft(state())).front();
    };
    // Whether the top left pixel of the player's cell in row is the hint's blue.
    const auto framed = [this](int row) {
        const Rect cell = CellRect(1, *RowRect(GameType::Standard, row, 122));
        return ClientPixel(Grid(), cell.left, cell.top) == RGB(0, 70, 255);
    };
    // The advice that was asked for while computing appears once the table is there.
    while (CurrentRollsLeft(state()) > 0 && best().row < 0) {
        Command(ID_GAME_HINT);
        EXPECT_EQ(main_->hint().kind, HintKind::Hold);
        EXPECT_DOUBLE_EQ(main_->hint().expected, best().expected);
        for (int die = 0; die < 5; ++die) EXPECT_EQ(Checked(kHolds[die]), (best().hold >> die & 1) != 0) << die;
        Roll();
        FinishRoll();
    }
    const int row = best().row;
    EXPECT_FALSE(framed(row));
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::Enter);
    EXPECT_EQ(main_->hint().row, row);
    EXPECT_TRUE(framed(row));
    EXPECT_TRUE(Snapshot::OfClient(window()).SavePng("hint.png"));
    Choose(row);
    EXPECT_EQ(main_->hint().kind, HintKind::None);
    EXPECT_FALSE(framed(row));
}

TEST_F(HintTest, IsDisabledInASixDiceGame) {
    Open(1, GameType::Maxi);
    Roll();
    FinishRoll();
    EXPECT_EQ(GetMenuState(GetMenu(window()), ID_GAME_HINT, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::None);
}

}  // namespace
}  // namespace kvoro::test
