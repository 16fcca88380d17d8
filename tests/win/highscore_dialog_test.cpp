#include "ui/highscore_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "test_support.h"

namespace kvoro {
namespace {

HighscoreEntry Entry(const char* name, int score) {
    HighscoreEntry entry{};
    std::strncpy(entry.name, name, sizeof entry.name - 1);
    entry.score = score;
    return entry;
}

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

    // Opens the window, takes what it shows, and closes it with Esc.
    test::Snapshot Shown() {
        std::unique_ptr<test::Snapshot> shown;
        Open([&](HWND window) {
            UpdateWindow(window);
            shown = std::make_unique<test::Snapshot>(test::Snapshot::OfClient(window));
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        return std::move(*shown);
    }
    INT_PTR Open(std::function<void(HWND)> action) {
        test::WhenWindowOpens opened("Highscore", std::move(action));
        const INT_PTR result = dialog_.Run(owner_);
        EXPECT_TRUE(opened.acted());
        return result;
    }

    HWND owner_ = nullptr;
    HighscoreDialog dialog_;
};

TEST_F(HighscoreDialogTest, EmptyTablesShowOnlyTheTitleAndTheHeadings) {
    const test::Snapshot shown = Shown();
    const int half = shown.width() / 2;
    EXPECT_EQ(TextBandTops(shown, 0, half).size(), 1u) << "only the heading on the left";
    EXPECT_EQ(TextBandTops(shown, half, shown.width()).size(), 1u) << "only the heading on the right";
    EXPECT_FALSE(TextBandTops(shown, half - 40, half + 40).empty()) << "the title";
    EXPECT_EQ(shown.Pixel(shown.width() - 1, shown.height() - 1), RGB(255, 255, 255));
}

TEST_F(HighscoreDialogTest, ResultsDrawOneEvenlySpacedLineEachAndEmptySlotsNone) {
    HighscoreStore& store = dialog_.store();
    store.tables[0].entries[0] = Entry("Ann", 250);
    store.tables[0].entries[1] = Entry("Bob", 180);
    store.tables[0].entries[3] = Entry("Cy", 90);  // slot 2 is empty
    store.tables[1].entries[0] = Entry("Dee", 400);
    for (int table : {2, 3}) {  // never shown
        for (HighscoreEntry& entry : store.tables[table].entries) entry = Entry("Spare", 999);
    }
    const test::Snapshot shown = Shown();
    shown.SavePng("highscore.png");
    const int half = shown.width() / 2;

    EXPECT_EQ(TextBandTops(shown, 0, half).size(), 4u) << "heading and three lines";
    const std::vector<int> ranks = TextBandTops(shown, 10, 28);
    ASSERT_EQ(ranks.size(), 4u) << "the heading, then a rank on every line";
    EXPECT_EQ(ranks[2] - ranks[1], ranks[3] - ranks[2]) << "no room left for the empty slot";
    EXPECT_EQ(TextBandTops(shown, half, shown.width()).size(), 2u);

    // The right list starts at half the client width plus 10.
    int leftmostInk = shown.width();
    for (int y = 40; y < shown.height(); ++y)
        for (int x = half; x < shown.width(); ++x)
            if (GetGValue(shown.Pixel(x, y)) < 160) leftmostInk = std::min(leftmostInk, x);
    EXPECT_GE(leftmostInk, half + 10);
    EXPECT_LE(leftmostInk, half + 13);
}

TEST_F(HighscoreDialogTest, WhiteBackgroundMadeOnceAndClosingIds) {
    HBRUSH first = nullptr;
    EXPECT_EQ(Open([&](HWND window) {
                  first = reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORDLG, 0, 0));
                  SendMessageA(window, WM_COMMAND, IDOK, 0);
              }),
              IDOK);
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectA(first, sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, RGB(255, 255, 255));

    EXPECT_EQ(Open([&](HWND window) {
                  EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORDLG, 0, 0)), first);
                  // Centred on the owner.
                  RECT placed, owner;
                  GetWindowRect(window, &placed);
                  GetWindowRect(owner_, &owner);
                  EXPECT_LE(std::abs((placed.left + placed.right) - (owner.left + owner.right)), 1);
                  EXPECT_LE(std::abs((placed.top + placed.bottom) - (owner.top + owner.bottom)), 1);
                  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
              }),
              IDCANCEL);
}

}  // namespace
}  // namespace kvoro
