#pragma once
// The main window under test: built with a fixed seed and a sound recorder,
// with the modal windows it opens answered from inside their modal loops.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/message_loop.h"
#include "resource.h"
#include "test_support.h"
#include "ui/main_dialog.h"
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

// Answers every top-level window of the thread whose caption has an action,
// once per window, from whatever message loop is running (a thread timer).
// Keeps the captions it answered in order.
class DialogAnswers {
public:
    DialogAnswers() {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 10, &DialogAnswers::Poll);
    }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;
    ~DialogAnswers() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }

    void On(const std::string& caption, std::function<void(HWND)> action) { actions_[caption] = std::move(action); }
    std::vector<std::string>& log() { return log_; }

private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
        DialogAnswers* self = current_;
        if (!self) return;
        auto& answered = self->answered_;
        answered.erase(std::remove_if(answered.begin(), answered.end(), [](HWND w) { return !IsWindow(w); }),
                       answered.end());
        for (const auto& [caption, action] : self->actions_) {
            const HWND window = FindWindowA(nullptr, caption.c_str());
            if (!window || !IsWindowVisible(window)) continue;
            if (std::find(answered.begin(), answered.end(), window) != answered.end()) continue;
            answered.push_back(window);
            self->log_.push_back(caption);
            const auto act = action;  // the action may replace itself
            act(window);
            return;
        }
    }

    static inline DialogAnswers* current_ = nullptr;
    UINT_PTR timer_ = 0;
    std::map<std::string, std::function<void(HWND)>> actions_;
    std::vector<HWND> answered_;
    std::vector<std::string> log_;
};

inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// A New Game answer: Start with the given players and game type.
inline std::function<void(HWND)> StartGame(int players, GameType type) {
    return [players, type](HWND dialog) {
        Click(dialog, IDC_PLAYERS1 + players - 1);
        Click(dialog, type == GameType::Maxi ? IDC_TYPE_MAXI : IDC_TYPE_STANDARD);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}

inline void Close(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

class MainWindowTest : public testing::Test {
protected:
    static constexpr int kHolds[kMaxDice] = {IDC_HOLD1, IDC_HOLD2, IDC_HOLD3, IDC_HOLD4, IDC_HOLD5, IDC_HOLD6};
    static constexpr int kDice[kMaxDice] = {IDC_DIE1, IDC_DIE2, IDC_DIE3, IDC_DIE4, IDC_DIE5, IDC_DIE6};

    static void SetUpTestSuite() {
        const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_ANIMATE_CLASS};
        InitCommonControlsEx(&controls);
    }

    void TearDown() override {
        main_.reset();
        PumpMessages();
    }

    // Creates the main window and answers its first New Game dialog with
    // firstDialog (inside the window's initialisation).
    void Open(std::function<void(HWND)> firstDialog, std::uint32_t seed = 1) {
        main_ = std::make_unique<MainDialog>(loop_, sounds_, seed);
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
    RECT ClientRectOf(int id) const {
        RECT rect;
        GetWindowRect(Item(id), &rect);
        MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    void Command(int id) { SendMessageA(window(), WM_COMMAND, id, 0); }
    void Roll() { Command(IDC_ROLL); }
    // Waits for the end of the tumbling, which the first die to stop reports.
    void FinishRoll() { ASSERT_TRUE(PumpUntil([this] { return !main_->animating(); })); }
    void Choose(int row) { SendMessageA(window(), WM_ROW_CHOSEN, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(Grid())); }
    // Checks every Hold button, enabled or not, so that the next roll is
    // over at once.
    void HoldAll() {
        for (int id : kHolds) SendMessageA(Item(id), BM_SETCHECK, BST_CHECKED, 0);
    }
    // An entry with every die held: the dice keep their values.
    void RollHeldAndChoose(int row) {
        HoldAll();
        Roll();
        Choose(row);
    }
    // The open rows of the current player, in card order.
    std::vector<int> OpenRows() const {
        std::vector<int> rows;
        const ScoreCard& card = state().card(state().currentPlayer);
        for (int row = 0; row < kRowCount; ++row) {
            if (!isComputedRow(row) && GameState::isRowShown(state().gameType, row) && card.values[row] == 0) {
                rows.push_back(row);
            }
        }
        return rows;
    }

    MessageLoop loop_;
    RecordingSoundPlayer sounds_;
    DialogAnswers answers_;
    std::unique_ptr<MainDialog> main_;
};

}  // namespace kvoro::test
