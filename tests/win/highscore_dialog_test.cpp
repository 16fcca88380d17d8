#include "ui/highscore_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "test_support.h"
#include "tests/game/builders.h"

namespace kvoro {
namespace {

using test::Entry;

// The tops of the separate bands of text in a column range below the title.
std::vector<int> TextBandTops(const test::Snapshot& shown, int left, int right) {
    std::vector<int> tops;
    bool inBand = false;
    for (int y = 40; y < shown.height(); ++y) {
        bool ink = false;
        for (int x = left; x < right && !ink; ++x) ink = GetGValue(shown.Pixel(x, y)) < 160;
        if (ink && !inBand) tops.push_back(y);
        inBand = ink;
    }
    return tops;
}

class HighscoreDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "Board", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 40, 800, 600, nullptr,
                                 nullptr, AppInstance(), nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    INT_PTR Open(std::function<void(HWND)> action) {
        test::DialogAnswers answers;
        answers.On("Highscore", std::move(action));
        const INT_PTR result = dialog_.Run(owner_);
        EXPECT_EQ(answers.log().size(), 1u);
        return result;
    }

    HWND owner_ = nullptr;
    HighscoreDialog dialog_;
};

TEST_F(HighscoreDialogTest, ResultsDrawOneEvenlySpacedLineEachAndEmptySlotsNone) {
    HighscoreStore& store = dialog_.store();
    store.tables[0].entries[0] = Entry("Ann", 250);
    store.tables[0].entries[1] = Entry("Bob", 180);
    store.tables[0].entries[3] = Entry("Cy", 90);  // slot 2 is empty
    for (int table : {2, 3}) {  // never shown
        for (HighscoreEntry& entry : store.tables[table].entries) entry = Entry("Spare", 999);
    }
    store.tables[1].entries[0] = Entry("Dee", 400);
    std::optional<test::Snapshot> shown;
    Open([&](HWND window) {
        UpdateWindow(window);
        shown.emplace(test::Snapshot::OfClient(window));
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    const test::Snapshot& picture = *shown;
    picture.SavePng("highscore.png");
    const int width = picture.width();
    const int half = width / 2;
    EXPECT_FALSE(TextBandTops(picture, half - 40, half + 40).empty()) << "the title";
    EXPECT_EQ(picture.Pixel(width - 1, picture.height() - 1), RGB(255, 255, 255));
    EXPECT_EQ(TextBandTops(picture, 0, half).size(), 4u) << "heading and three lines";
    EXPECT_EQ(TextBandTops(picture, half, width).size(), 2u);
    const std::vector<int> ranks = TextBandTops(picture, 10, 28);
    ASSERT_EQ(ranks.size(), 4u) << "the heading, then a rank on every line";
    EXPECT_EQ(ranks[2] - ranks[1], ranks[3] - ranks[2]) << "no room left for the empty slot";

}

TEST_F(HighscoreDialogTest, CentredOnItsOwnerOnAWhiteBrushMadeOnceAndClosedByOkOrCancel) {
    HBRUSH first = nullptr;
    const auto brush = [](HWND window) { return reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORDLG, 0, 0)); };
    EXPECT_EQ(Open([&](HWND window) {
                  first = brush(window);
                  EXPECT_TRUE(test::CentredOn(window, owner_));
                  SendMessageA(window, WM_COMMAND, IDOK, 0);
              }),
              IDOK);
    LOGBRUSH colour{};
    ASSERT_TRUE(GetObjectA(first, sizeof colour, &colour));
    EXPECT_EQ(colour.lbColor, RGB(255, 255, 255));
    EXPECT_EQ(Open([&](HWND window) {
                  EXPECT_EQ(brush(window), first);
                  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
              }),
              IDCANCEL);
}

}  // namespace
}  // namespace kvoro
