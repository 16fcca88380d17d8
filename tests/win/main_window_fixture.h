#pragma once
// The main window under test: built with a fixed seed and a sound recorder,
// with the modal windows it opens answered from inside their modal loops.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/message_loop.h"
#include "resource.h"
#include "fake_settings_key.h"
#include "builders.h"
#include "test_support.h"
#include "ui/main_dialog.h"
#include "ui/score_grid_model.h"
#include "ui/sound_player.h"

namespace kvoro::test {

class RecordingSoundPlayer : public SoundPlayer {
public:
    struct Played {
        int id;
        bool async;
        DWORD at;  // GetTickCount
    };
    void PlayAsync(int id) override { played.push_back({id, true, GetTickCount()}); }
    void PlaySync(int id) override { played.push_back({id, false, GetTickCount()}); }

    std::vector<Played> played;
};


// A New Game answer: Start with the given players and game type, and names if given.
inline std::function<void(HWND)> StartGame(int players, GameType type, std::vector<const char*> names = {}) {
    return [=](HWND dialog) {
        for (size_t k = 0; k < names.size(); ++k) SetDlgItemTextA(dialog, IDC_NAME1 + static_cast<int>(k), names[k]);
        Click(dialog, IDC_PLAYERS1 + players - 1);
        Click(dialog, type == GameType::Maxi ? IDC_TYPE_MAXI : IDC_TYPE_STANDARD);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}

// The same with a seat chosen for each of the first players, as the seat's list reports a choice.
inline std::function<void(HWND)> StartSeated(int players, GameType type, std::vector<play::Seat> seats) {
    return [=](HWND dialog) {
        for (size_t k = 0; k < seats.size(); ++k) {
            const int id = IDC_SEAT1 + static_cast<int>(k);
            SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(seats[k]), 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        }
        StartGame(players, type)(dialog);
    };
}

class MainWindowTest : public testing::Test {
protected:
    static constexpr int kHolds[kMaxDice] = {IDC_HOLD1, IDC_HOLD2, IDC_HOLD3, IDC_HOLD4, IDC_HOLD5, IDC_HOLD6};

    static void SetUpTestSuite() {
        const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_ANIMATE_CLASS};
        InitCommonControlsEx(&controls);
    }

    void TearDown() override {
        main_.reset();
        PumpMessages();
    }

    // Creates the main window; firstDialog answers the New Game dialog of its initialisation.
    void Open(std::function<void(HWND)> firstDialog, std::uint32_t seed = 1) {
        main_ = std::make_unique<MainDialog>(loop_, sounds_, *settingsKey_, seed);
        answers_.On("New Game", std::move(firstDialog));
        ASSERT_NE(main_->Create(), nullptr);
        ASSERT_EQ(answers_.log(), std::vector<std::string>{"New Game"});
        answers_.log().clear();
        SetForegroundWindow(window());
        PumpMessages();
    }
    void Open(int players, GameType type, std::uint32_t seed = 1) { Open(StartGame(players, type), seed); }

    HWND window() const { return main_->hwnd(); }
    HWND Item(int id) const { return GetDlgItem(window(), id); }
    HWND Grid() const { return FindWindowExA(window(), nullptr, nullptr, "VIZIVA"); }
    const GameState& state() const { return main_->state(); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    RECT ClientRectOf(HWND child) const {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    RECT ClientRectOf(int id) const { return ClientRectOf(Item(id)); }
    // One letter a Hold button: '-' disabled, 'e' enabled, 'x' enabled and checked, 'd' disabled but checked.
    std::string Holds() const {
        std::string states;
        for (int id : kHolds) states += Enabled(id) ? (Checked(id) ? 'x' : 'e') : (Checked(id) ? 'd' : '-');
        return states;
    }

    void Command(int id) { SendMessageA(window(), WM_COMMAND, id, 0); }
    void Roll() { Command(IDC_ROLL); }
    void FinishRoll() { ASSERT_TRUE(PumpUntil([this] { return !main_->animating(); })); }
    void RollToTheEnd() {
        Roll();
        FinishRoll();
    }
    // Clicks the middle of the current player's cell of row on the card, placed by the card's own geometry; a row
    // the card does not show is not clicked.
    void Choose(int row) {
        RECT client{};
        GetClientRect(Grid(), &client);
        const std::optional<Rect> band = RowRect(state().gameType, row, client.right);
        if (!band) return;
        const Rect cell = CellRect(state().currentPlayer, *band);
        const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        SendMessageA(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(Grid(), WM_LBUTTONUP, 0, at);
    }
    // With every Hold button checked, enabled or not, the roll is over at once and the dice keep their values.
    void RollHeldAndChoose(int row) {
        for (int id : kHolds) SendMessageA(Item(id), BM_SETCHECK, BST_CHECKED, 0);
        Roll();
        Choose(row);
    }
    std::vector<int> OpenRows() const { return test::OpenRows(state()); }
    // Pumps for a while, for things that must not happen.
    void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }
    // Dice without their clip play nothing: a roll is over at once, and a game runs at the pace of its steps.
    void CloseClips(std::initializer_list<int> dice = {IDC_DIE1, IDC_DIE2, IDC_DIE3, IDC_DIE4, IDC_DIE5, IDC_DIE6}) {
        for (int id : dice) SendMessageA(Item(id), ACM_OPENA, 0, 0);
    }
    // Whether the Game menu's item is greyed as the menu opens.
    bool MenuGreyed(int id) {
        SendMessageA(window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(window()), 0)), 0);
        return (GetMenuState(GetMenu(window()), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }

    MessageLoop loop_;
    RecordingSoundPlayer sounds_;
    FakeSettingsKey noSettings_;  // a first start, and nothing kept
    SettingsKey* settingsKey_ = &noSettings_;
    DialogAnswers answers_;
    std::unique_ptr<MainDialog> main_;
};

}  // namespace kvoro::test
