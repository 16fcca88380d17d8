// Kvoro played from outside, as a person plays it: the program runs as its own
// process and gets nothing but real keys and mouse clicks. What the driver
// knows of the game it learns from the platform (window texts, enabled and
// checked states, window rectangles) and from the pixels on the screen.
//
// The tests of this suite share one run of the program and follow each other:
// start, a Kvoro game, a Maxi Kvoro game, short games up to ten, the close.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "desktop.h"
#include "game/rules.h"
#include "res/resource.h"
#include "tests/win/test_support.h"
#include "ui/score_grid_model.h"
#include "ui/win_rect.h"

namespace kvoro::e2e {
namespace {

using test::PumpUntil;
using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

// Hang guards only; every wait ends as soon as its condition holds.
constexpr DWORD kStartGuardMs = 60000;
constexpr DWORD kGuardMs = 20000;
// How long one click on a cell is given to be taken before it is repeated: a
// click while the dice still tumble is ignored by the program.
constexpr DWORD kClickRetryMs = 700;
// Longer than two frames of the dice clip (15 a second): dice whose pictures
// stay the same that long have come to rest.
constexpr DWORD kDiceRestMs = 150;

constexpr COLORREF kPreviewRed = RGB(200, 0, 0);
constexpr COLORREF kHeldMark = RGB(204, 16, 16);
constexpr int kDarkLimit = 80;  // black text and the cross, antialiased or not

constexpr int kDieIds[kMaxDice] = {IDC_DIE1, IDC_DIE2, IDC_DIE3, IDC_DIE4, IDC_DIE5, IDC_DIE6};
constexpr int kHoldIds[kMaxDice] = {IDC_HOLD1, IDC_HOLD2, IDC_HOLD3, IDC_HOLD4, IDC_HOLD5, IDC_HOLD6};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Saves a picture for people to look at; a failure to write it is reported
// but does not stop the game.
void Save(const test::Snapshot& picture, const char* file) {
    EXPECT_TRUE(picture.SavePng(file)) << "could not write " << file;
    std::printf("screenshot: %s (%d x %d)\n", file, picture.width(), picture.height());
}

// One run of the program and what the driver knows about the game in it.
class Session {
public:
    AssertionResult Launch(double& startupMs);
    // The first opening's choices, and its picture.
    AssertionResult CheckFirstNewGame(const char* shot);
    AssertionResult StartGame(GameType type, bool clickStart);
    // Fast plays one roll a turn; otherwise turns take one to three rolls with
    // holds by key, die click and mouse, and the last Maxi turn spends every
    // roll carried over. The board is saved as failure.png when it fails.
    AssertionResult PlayGame(bool fast, const char* boardShot);
    AssertionResult CloseHighscore(const char* shot);
    AssertionResult CancelNewGame();
    AssertionResult CloseWithAltF4(DWORD& exitCode);
    SIZE_T WorkingSet() const;
    bool running() const { return process_.running(); }

private:
    HWND Dialog(const char* caption) const { return FindTopLevel(process_.id(), caption); }
    HWND WaitForDialog(const char* caption, DWORD timeoutMs = kGuardMs) const;
    bool HoldsEnabled() const;
    // Between inputs the program keeps the keyboard focus on Roll or a Hold
    // button; keys typed while it is nowhere do not reach the program's filter.
    bool FocusRests() const;
    // The buttons' states and the keyboard focus, for failure messages.
    std::string Describe() const;
    // A cell of the one player's column, in the grid's client coordinates.
    RECT Cell(int row) const;
    test::Snapshot CaptureGrid() const { return CaptureClient(grid_); }
    AssertionResult Roll(WORD key, int rollsLeftAfter);
    // Every die plays its run on its own, and the program ends the roll when
    // the first one stops; a player goes on once he sees all of them at rest.
    bool WaitForDiceAtRest() const;
    AssertionResult ToggleHolds();
    int ChooseRow(const test::Snapshot& grid) const;
    AssertionResult Enter(int row, bool lastRound);
    AssertionResult PlayRounds(bool fast, const char* boardShot);

    ChildProcess process_;
    HWND main_ = nullptr;
    HWND grid_ = nullptr;
    HWND roll_ = nullptr;
    HWND dice_[kMaxDice] = {};
    HWND holds_[kMaxDice] = {};
    GameType type_ = GameType::Standard;
    std::vector<bool> open_;  // per row: still to be filled in this game
};

HWND Session::WaitForDialog(const char* caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    PumpUntil([&] { return (found = Dialog(caption)) != nullptr; }, timeoutMs);
    return found;
}

std::string Session::Describe() const {
    std::string text = " [Roll " + std::string(IsWindowEnabled(roll_) ? "enabled" : "disabled") + "; Hold";
    for (int k = 0; k < diceCount(type_); ++k)
        text += std::string(" ") + (IsWindowEnabled(holds_[k]) ? "" : "-") + (IsChecked(holds_[k]) ? "x" : "o");
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
    text += "; focus on id " + std::to_string(info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
    const HWND front = GetForegroundWindow();
    return text + "; in front: " + (front == main_ ? "the main window" : "\"" + WindowText(front) + "\"") + "]";
}

bool Session::FocusRests() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info)) return false;
    if (info.hwndFocus == roll_) return true;
    for (HWND hold : holds_)
        if (info.hwndFocus == hold) return true;
    return false;
}

bool Session::HoldsEnabled() const {
    for (int k = 0; k < diceCount(type_); ++k)
        if (!IsWindowEnabled(holds_[k])) return false;
    return true;
}

RECT Session::Cell(int row) const {
    RECT client{};
    GetClientRect(grid_, &client);
    return ToRECT(CellRect(1, *RowRect(type_, row, client.right)));
}

AssertionResult Session::Launch(double& startupMs) {
    LARGE_INTEGER started;
    LARGE_INTEGER shown;
    QueryPerformanceCounter(&started);
    if (!process_.Start(KVORO_EXE)) return AssertionFailure() << process_.error();
    HWND newGame = WaitForDialog("New Game", kStartGuardMs);
    QueryPerformanceCounter(&shown);
    if (!newGame) return AssertionFailure() << "no New Game dialog within " << kStartGuardMs << " ms";
    startupMs = Milliseconds(started, shown);

    main_ = Dialog("Kvoro");
    if (!main_) return AssertionFailure() << "the main window \"Kvoro\" is not shown behind the New Game dialog";
    grid_ = FindWindowExA(main_, nullptr, nullptr, "VIZIVA");
    roll_ = GetDlgItem(main_, IDC_ROLL);
    for (int k = 0; k < kMaxDice; ++k) {
        dice_[k] = GetDlgItem(main_, kDieIds[k]);
        holds_[k] = GetDlgItem(main_, kHoldIds[k]);
        if (!dice_[k] || !holds_[k]) return AssertionFailure() << "die or Hold button " << k + 1 << " is missing";
    }
    if (!grid_ || !roll_) return AssertionFailure() << "the score card or the Roll button is missing";
    if (IsWindowEnabled(roll_) || HoldsEnabled()) return AssertionFailure() << "Roll or Hold is enabled before a game";
    if (GetWindow(newGame, GW_OWNER) != main_) return AssertionFailure() << "the New Game dialog is not owned by the main window";
    return AssertionSuccess();
}

AssertionResult Session::CheckFirstNewGame(const char* shot) {
    HWND dialog = Dialog("New Game");
    if (!dialog) return AssertionFailure() << "no New Game dialog";
    if (!IsChecked(GetDlgItem(dialog, IDC_PLAYERS1)) || !IsChecked(GetDlgItem(dialog, IDC_TYPE_STANDARD)))
        return AssertionFailure() << "\"1 Player\" and \"Kvoro\" are not checked at the first opening";
    for (int k = 1; k <= kMaxPlayers; ++k) {
        HWND field = GetDlgItem(dialog, IDC_NAME1 + k - 1);
        char name[64] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutA(field, WM_GETTEXT, sizeof name, reinterpret_cast<LPARAM>(name), SMTO_ABORTIFHUNG, 5000,
                            &length);
        if (name != "Player " + std::to_string(k)) return AssertionFailure() << "name field " << k << " reads " << name;
        if ((IsWindowEnabled(field) != 0) != (k == 1))
            return AssertionFailure() << "name field " << k << " is " << (k == 1 ? "disabled" : "enabled");
    }
    const auto focusInFirstName = [&] {
        GUITHREADINFO focus{};
        focus.cbSize = sizeof focus;
        return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus) &&
               focus.hwndFocus == GetDlgItem(dialog, IDC_NAME1);
    };
    if (!PumpUntil(focusInFirstName, kGuardMs))
        return AssertionFailure() << "the keyboard focus is not in the first name field";
    Settle(dialog);
    if (!PumpUntil([&] { return AnyDarker(CaptureClient(GetDlgItem(dialog, IDOK)), {0, 0, 1000, 1000}, kDarkLimit); },
                   kGuardMs))
        return AssertionFailure() << "the Start button is not drawn";
    Save(CaptureClient(dialog), shot);
    return AssertionSuccess();
}

AssertionResult Session::StartGame(GameType type, bool clickStart) {
    HWND dialog = WaitForDialog("New Game");
    if (!dialog) return AssertionFailure() << "no New Game dialog";
    if (!IsChecked(GetDlgItem(dialog, IDC_PLAYERS1))) return AssertionFailure() << "\"1 Player\" is not checked";
    HWND typeButton = GetDlgItem(dialog, type == GameType::Maxi ? IDC_TYPE_MAXI : IDC_TYPE_STANDARD);
    if (!IsChecked(typeButton)) {
        if (!MakeForeground(dialog)) return AssertionFailure() << "the New Game dialog cannot be brought to the front";
        if (!ClickCentre(typeButton)) return AssertionFailure() << "the pointer did not reach the game type button";
        if (!PumpUntil([&] { return IsChecked(typeButton); }, kGuardMs))
            return AssertionFailure() << "a click on \"" << WindowText(typeButton) << "\" did not check it";
    }
    if (!MakeForeground(dialog)) return AssertionFailure() << "the New Game dialog cannot be brought to the front";
    if (clickStart) {
        if (!ClickCentre(GetDlgItem(dialog, IDOK))) return AssertionFailure() << "the pointer did not reach Start";
    } else {
        PressKey(VK_RETURN);
    }
    if (!PumpUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(roll_); }, kGuardMs))
        return AssertionFailure() << "Start did not begin a game with the Roll button enabled";
    Settle(main_);

    type_ = type;
    open_.assign(kRowCount, false);
    for (int row = 0; row < kRowCount; ++row) open_[row] = !isComputedRow(row) && GameState::isRowShown(type, row);

    GameState expected(1);
    expected.startGame(1, type);
    const Size size = GridWindowSize(expected);
    RECT grid{};
    GetWindowRect(grid_, &grid);
    if (grid.right - grid.left != size.width || grid.bottom - grid.top != size.height)
        return AssertionFailure() << "the score card is " << grid.right - grid.left << " x " << grid.bottom - grid.top
                                  << ", not " << size.width << " x " << size.height;
    if ((IsWindowVisible(dice_[5]) != 0) != (type == GameType::Maxi) ||
        (IsWindowVisible(holds_[5]) != 0) != (type == GameType::Maxi))
        return AssertionFailure() << "the sixth die shows exactly in a Maxi Kvoro game";
    for (int k = 0; k < kMaxDice; ++k)
        if (IsWindowEnabled(holds_[k]) || IsChecked(holds_[k]))
            return AssertionFailure() << "Hold " << k + 1 << " is enabled or checked at the start of a game";
    return AssertionSuccess();
}

bool Session::WaitForDiceAtRest() const {
    const auto pictures = [&] {
        std::vector<test::Snapshot> dice;
        for (int k = 0; k < diceCount(type_); ++k) dice.push_back(CaptureClient(dice_[k]));
        return dice;
    };
    const auto same = [](const std::vector<test::Snapshot>& a, const std::vector<test::Snapshot>& b) {
        for (size_t k = 0; k < a.size(); ++k)
            if (!SamePicture(a[k], b[k])) return false;
        return true;
    };
    std::vector<test::Snapshot> last = pictures();
    DWORD unchangedSince = GetTickCount();
    return PumpUntil(
        [&] {
            std::vector<test::Snapshot> now = pictures();
            if (!same(now, last)) {
                last = std::move(now);
                unchangedSince = GetTickCount();
            }
            return GetTickCount() - unchangedSince >= kDiceRestMs;
        },
        kGuardMs);
}

AssertionResult Session::Roll(WORD key, int rollsLeftAfter) {
    if (!IsWindowEnabled(roll_)) return AssertionFailure() << "the Roll button is disabled before a roll";
    if (!MakeForeground(main_)) return AssertionFailure() << "the main window cannot be brought to the front";
    PressKey(key);
    if (!PumpUntil([&] { return !IsWindowEnabled(roll_); }, kGuardMs))
        return AssertionFailure() << "the key did not start a roll" << Describe();
    // The end of the last roll of a turn shows on no button; the entry that
    // follows waits for it by repeating its click.
    if (rollsLeftAfter == 0) return AssertionSuccess();
    if (!PumpUntil([&] { return IsWindowEnabled(roll_) && HoldsEnabled(); }, kGuardMs))
        return AssertionFailure() << "Roll and Hold stayed disabled after a roll that left " << rollsLeftAfter << " rolls";
    if (!WaitForDiceAtRest()) return AssertionFailure() << "the dice do not come to rest" << Describe();
    // The Roll button lost the focus when it was disabled for the roll; the
    // program's idle rule gives it back once its queue runs empty.
    if (!PumpUntil([&] { return FocusRests(); }, kGuardMs))
        return AssertionFailure() << "the focus did not come back after a roll" << Describe();
    Settle(main_);
    // The sum of the dice always scores in "Chance", so its preview must show.
    if (open_[Chance] && !PumpUntil([&] { return AnyPixel(CaptureGrid(), Cell(Chance), kPreviewRed); }, kGuardMs))
        return AssertionFailure() << "no red preview in the open \"Chance\" row after a roll";
    return AssertionSuccess();
}

AssertionResult Session::ToggleHolds() {
    if (!MakeForeground(main_)) return AssertionFailure() << "the main window cannot be brought to the front";
    PressKey('1');
    PressKey('3');
    if (!PumpUntil([&] { return IsChecked(holds_[0]) && IsChecked(holds_[2]); }, kGuardMs))
        return AssertionFailure() << "keys 1 and 3 did not check Hold 1 and Hold 3" << Describe();
    if (!ClickCentre(dice_[4])) return AssertionFailure() << "the pointer did not reach die 5";
    if (!PumpUntil([&] { return IsChecked(holds_[4]); }, kGuardMs))
        return AssertionFailure() << "a click on die 5 did not check Hold 5" << Describe();
    if (!ClickCentre(holds_[1])) return AssertionFailure() << "the pointer did not reach Hold 2";
    if (!PumpUntil([&] { return IsChecked(holds_[1]); }, kGuardMs))
        return AssertionFailure() << "a click on Hold 2 did not check it" << Describe();
    MakeForeground(main_);
    PressKey(VK_NUMPAD2);
    if (!PumpUntil([&] { return !IsChecked(holds_[1]); }, kGuardMs))
        return AssertionFailure() << "keypad 2 did not release Hold 2" << Describe();
    Settle(main_);
    const auto held = [&](int k) { return AnyPixel(CaptureClient(dice_[k]), {0, 0, 1000, 1000}, kHeldMark); };
    if (!PumpUntil([&] { return held(0) && held(2) && held(4) && !held(1); }, kGuardMs))
        return AssertionFailure() << "held dice 1, 3 and 5 are not marked, or released die 2 still is" << Describe();
    return AssertionSuccess();
}

int Session::ChooseRow(const test::Snapshot& grid) const {
    // Rows that score (they show a red preview) first, "Chance" last, so that
    // its preview can be checked after every roll until the end.
    int fallback = Chance;
    for (int row = 0; row < kRowCount; ++row) {
        if (!open_[row] || row == Chance) continue;
        if (AnyPixel(grid, Cell(row), kPreviewRed)) return row;
        if (fallback == Chance) fallback = row;
    }
    return fallback;
}

AssertionResult Session::Enter(int row, bool lastRound) {
    if (!HoldsEnabled()) return AssertionFailure() << "the Hold buttons are disabled before an entry";
    const RECT cell = Cell(row);
    POINT target{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(grid_, &target);
    const bool taken = PumpUntil(
        [&] {
            if (!IsWindowEnabled(holds_[0])) return true;
            MakeForeground(main_);
            return ClickAt(target) && PumpUntil([&] { return !IsWindowEnabled(holds_[0]); }, kClickRetryMs);
        },
        kGuardMs);
    if (!taken) return AssertionFailure() << "clicks on the cell of row " << row << " entered nothing";
    open_[row] = false;
    if (lastRound) return AssertionSuccess();

    if (!PumpUntil([&] { return IsWindowEnabled(roll_); }, kGuardMs))
        return AssertionFailure() << "the Roll button stayed disabled after an entry";
    Settle(main_);
    // The entered cell shows its points or the cross; no preview is left.
    const RECT column = ToRECT(PlayerColumnRect(1, GridCardHeight(type_)));
    if (!PumpUntil([&] {
            const test::Snapshot grid = CaptureGrid();
            return AnyDarker(grid, cell, kDarkLimit) && !AnyPixel(grid, column, kPreviewRed);
        }, kGuardMs))
        return AssertionFailure() << "row " << row << " shows no entry, or previews stayed, after the entry";
    return AssertionSuccess();
}

AssertionResult Session::PlayGame(bool fast, const char* boardShot) {
    AssertionResult played = PlayRounds(fast, boardShot);
    if (!played) Save(CaptureClient(main_), "failure.png");
    return played;
}

AssertionResult Session::PlayRounds(bool fast, const char* boardShot) {
    const int rounds = roundsFor(type_);
    int rollsLeft = 0;
    for (int round = 0; round < rounds; ++round) {
        const bool lastRound = round == rounds - 1;
        // Unused rolls carry over in Maxi Kvoro only.
        rollsLeft = type_ == GameType::Maxi ? rollsLeft + 3 : 3;
        const int rolls = fast ? 1 : (lastRound && type_ == GameType::Maxi) ? rollsLeft : 1 + round % 3;
        std::optional<test::Snapshot> heldDie;
        for (int i = 0; i < rolls; ++i) {
            --rollsLeft;
            if (AssertionResult rolled = Roll(i == 1 ? VK_RETURN : VK_SPACE, rollsLeft); !rolled)
                return rolled << " (round " << round + 1 << ", roll " << i + 1 << ")";
            if (i == 0 && round == 0 && boardShot) Save(CaptureClient(main_), boardShot);
            if (i == 0 && rolls > 1 && !fast) {
                if (AssertionResult held = ToggleHolds(); !held) return held << " (round " << round + 1 << ")";
                heldDie.emplace(CaptureClient(dice_[0]));
            }
            if (i == 1 && rollsLeft > 0 && !SamePicture(CaptureClient(dice_[0]), *heldDie))
                return AssertionFailure() << "held die 1 changed its picture in a roll (round " << round + 1 << ")";
        }
        const int row = ChooseRow(CaptureGrid());
        if (AssertionResult entered = Enter(row, lastRound); !entered)
            return entered << " (round " << round + 1 << ")";
    }
    return AssertionSuccess();
}

AssertionResult Session::CloseHighscore(const char* shot) {
    HWND highscore = WaitForDialog("Highscore");
    if (!highscore) return AssertionFailure() << "no Highscore window after the last entry";
    if (Dialog("New Game")) return AssertionFailure() << "the New Game dialog opened before the Highscore window closed";
    if (IsWindowEnabled(roll_)) return AssertionFailure() << "the Roll button is enabled after the game ended";
    Settle(highscore);
    if (!PumpUntil([&] { return AnyDarker(CaptureClient(highscore), {10, 40, 300, 120}, kDarkLimit); }, kGuardMs))
        return AssertionFailure() << "the Highscore window shows no text";
    if (shot) Save(CaptureClient(highscore), shot);
    if (!MakeForeground(highscore)) return AssertionFailure() << "the Highscore window cannot be brought to the front";
    PressKey(VK_ESCAPE);
    if (!PumpUntil([&] { return !IsWindow(highscore) && Dialog("New Game"); }, kGuardMs))
        return AssertionFailure() << "Escape did not close the Highscore window and open the New Game dialog";
    return AssertionSuccess();
}

AssertionResult Session::CancelNewGame() {
    HWND dialog = WaitForDialog("New Game");
    if (!dialog || !MakeForeground(dialog)) return AssertionFailure() << "no New Game dialog in front";
    PressKey(VK_ESCAPE);
    if (!PumpUntil([&] { return !IsWindow(dialog); }, kGuardMs))
        return AssertionFailure() << "Escape did not close the New Game dialog";
    Settle(main_);
    if (IsWindowEnabled(roll_)) return AssertionFailure() << "the Roll button is enabled with the game over";
    return AssertionSuccess();
}

AssertionResult Session::CloseWithAltF4(DWORD& exitCode) {
    if (!MakeForeground(main_)) return AssertionFailure() << "the main window cannot be brought to the front";
    PressChord(VK_MENU, VK_F4);
    exitCode = process_.WaitForExit(kGuardMs);
    if (exitCode == STILL_ACTIVE) return AssertionFailure() << "the program still runs after Alt+F4";
    return AssertionSuccess();
}

SIZE_T Session::WorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process_.handle(), &counters, sizeof counters) ? counters.WorkingSetSize : 0;
}

class EndToEnd : public testing::Test {
protected:
    // The start is timed as part of the suite's set-up, so that every test can
    // tell whether there is a program to play with.
    static void SetUpTestSuite() {
        session_ = new Session;
        launched_ = new AssertionResult(session_->Launch(startupMs_));
    }
    static void TearDownTestSuite() {
        delete launched_;
        delete session_;
    }
    void SetUp() override {
        ASSERT_TRUE(*launched_);
        ASSERT_TRUE(session_->running()) << "the program has ended";
    }

    static Session* session_;
    static AssertionResult* launched_;
    static double startupMs_;
};

Session* EndToEnd::session_ = nullptr;
AssertionResult* EndToEnd::launched_ = nullptr;
double EndToEnd::startupMs_ = 0;

TEST_F(EndToEnd, StartsWithTheNewGameDialog) {
    std::printf("start-up to the New Game dialog: %.0f ms\n", startupMs_);
    RecordProperty("startup_ms", static_cast<int>(startupMs_));
    EXPECT_TRUE(session_->CheckFirstNewGame("new_game.png"));
}

TEST_F(EndToEnd, PlaysAKvoroGameWithRollsAndHolds) {
    ASSERT_TRUE(session_->StartGame(GameType::Standard, true));
    ASSERT_TRUE(session_->PlayGame(false, "board.png"));
    ASSERT_TRUE(session_->CloseHighscore("highscore.png"));
    std::printf("working set after 1 game: %zu KiB\n", session_->WorkingSet() / 1024);
}

TEST_F(EndToEnd, PlaysAMaxiKvoroGameChosenByItsRadioButton) {
    ASSERT_TRUE(session_->StartGame(GameType::Maxi, false));
    ASSERT_TRUE(session_->PlayGame(false, "board_maxi.png"));
    ASSERT_TRUE(session_->CloseHighscore(nullptr));
}

TEST_F(EndToEnd, PlaysTenGamesInAll) {
    for (int game = 3; game <= 10; ++game) {
        SCOPED_TRACE("game " + std::to_string(game));
        const GameType type = game % 2 ? GameType::Standard : GameType::Maxi;
        ASSERT_TRUE(session_->StartGame(type, game % 3 == 0));
        ASSERT_TRUE(session_->PlayGame(true, nullptr));
        ASSERT_TRUE(session_->CloseHighscore(nullptr));
    }
    const SIZE_T workingSet = session_->WorkingSet();
    std::printf("working set after 10 games: %zu KiB\n", workingSet / 1024);
    RecordProperty("working_set_kib_after_10_games", static_cast<int>(workingSet / 1024));
}

TEST_F(EndToEnd, ClosesWithAltF4AndExitCode2) {
    ASSERT_TRUE(session_->CancelNewGame());
    DWORD exitCode = 0;
    ASSERT_TRUE(session_->CloseWithAltF4(exitCode));
    EXPECT_EQ(exitCode, 2u);
}

}  // namespace
}  // namespace kvoro::e2e
