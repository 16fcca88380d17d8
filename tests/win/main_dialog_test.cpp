#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/gdi.h"
#include "main_window_fixture.h"
#include "ui/grid_model.h"

namespace kvoro::test {
namespace {

constexpr COLORREF kGreen = RGB(1, 127, 1);

// Hold states as a string, one letter a button: '-' disabled, 'e' enabled
// and unchecked, 'x' enabled and checked, 'd' disabled but checked.
class MainDialogTest : public MainWindowTest {
protected:
    std::string Holds() const {
        std::string states;
        for (int id : kHolds) {
            const bool enabled = Enabled(id);
            const bool checked = Checked(id);
            states += enabled ? (checked ? 'x' : 'e') : (checked ? 'd' : '-');
        }
        return states;
    }

    bool SendKey(WPARAM key, HWND target = nullptr) {
        MSG message{};
        message.hwnd = target ? target : Item(IDC_ROLL);
        message.message = WM_KEYDOWN;
        message.wParam = key;
        message.lParam = 1;
        return loop_.PreTranslateMessage(message);
    }

    int RollsLeft() const { return state().rollsLeft[state().currentPlayer - 1]; }

    // Pumps for a while, for things that must not happen.
    void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

    int RedPixels(int dieId) const {
        const Snapshot picture = Snapshot::OfClient(Item(dieId));
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const COLORREF c = picture.Pixel(x, y);
                if (GetRValue(c) > 150 && GetGValue(c) < 60 && GetBValue(c) < 60) ++count;
            }
        }
        return count;
    }

    POINT Centre(int id) const {
        const RECT r = ClientRectOf(id);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // The status panel as it must look, drawn independently of the window.
    static Snapshot ExpectedStatus(int width, const char* player, const char* rolls, const char* bonus) {
        Snapshot picture(width, 70);
        const Brush green(CreateSolidBrush(kGreen));
        const Font font(CreateFontA(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial"));
        const RECT all{0, 0, width, 70};
        FillRect(picture.dc(), &all, green.get());
        SelectGuard selected(picture.dc(), font.get());
        SetBkColor(picture.dc(), kGreen);
        const char* labels[] = {"Player:", "Rolls Remaining:", "Bonus:"};
        const char* values[] = {player, rolls, bonus};
        for (int i = 0; i < 3; ++i) {
            RECT label{0, 17 * i, width - width / 2, 17 * i + 17};
            RECT value{width / 2, 17 * i, width, 17 * i + 17};
            DrawTextA(picture.dc(), labels[i], -1, &label, 0);
            DrawTextA(picture.dc(), values[i], -1, &value, 0);
        }
        return picture;
    }

    void ExpectStatus(const char* player, const char* rolls, const char* bonus) {
        const Snapshot shown = Snapshot::OfClient(Item(IDC_STATUS));
        const Snapshot expected = ExpectedStatus(shown.width(), player, rolls, bonus);
        ASSERT_EQ(shown.height(), 70);
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) differing += shown.Pixel(x, y) != expected.Pixel(x, y);
        }
        EXPECT_EQ(differing, 0) << player << " / " << rolls << " / " << bonus;
    }
};

TEST_F(MainDialogTest, InitialisationShowsTheEmptyBoardBeforeTheFirstNewGame) {
    HWND owner = nullptr;
    bool visible = false;
    bool rollEnabled = true;
    std::string holds;
    bool soundChecked = false;
    SIZE grid{};
    RECT dieBefore{}, dieAfter{};
    Open([&](HWND dialog) {
        owner = GetWindow(dialog, GW_OWNER);
        visible = IsWindowVisible(owner);
        rollEnabled = IsWindowEnabled(GetDlgItem(owner, IDC_ROLL));
        holds = Holds();
        soundChecked = GetMenuState(GetMenu(owner), ID_GAME_SOUND, MF_BYCOMMAND) & MF_CHECKED;
        RECT card;
        GetWindowRect(FindWindowExA(owner, nullptr, nullptr, "VIZIVA"), &card);
        grid = SIZE{card.right - card.left, card.bottom - card.top};
        // Until initialisation ends, resizing lays nothing out.
        GetWindowRect(GetDlgItem(owner, IDC_DIE1), &dieBefore);
        RECT frame;
        GetWindowRect(owner, &frame);
        SetWindowPos(owner, nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(GetDlgItem(owner, IDC_DIE1), &dieAfter);
        Close(dialog);
    });
    EXPECT_EQ(owner, window());
    EXPECT_TRUE(visible);
    EXPECT_FALSE(rollEnabled);
    EXPECT_EQ(holds, "------");
    EXPECT_TRUE(soundChecked);
    EXPECT_EQ(grid.cx, 242);  // laid out for five players
    EXPECT_EQ(grid.cy, 380);
    EXPECT_TRUE(EqualRect(&dieBefore, &dieAfter));

    char title[32] = {};
    GetWindowTextA(window(), title, sizeof(title));
    EXPECT_STREQ(title, "Kvoro");
    EXPECT_NE(SendMessageA(window(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window(), WM_GETICON, ICON_SMALL, 0), 0);
    BITMAP banner{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(Item(IDC_BANNER), STM_GETIMAGE, IMAGE_BITMAP, 0)),
               sizeof(banner), &banner);
    EXPECT_EQ(banner.bmWidth, 250);

    // No game: nothing rolls and nothing can be entered.
    EXPECT_FALSE(Enabled(IDC_ROLL));
    Roll();
    SendKey(VK_SPACE);
    PumpMessages();
    Choose(Chance);
    EXPECT_FALSE(main_->animating());
    EXPECT_EQ(state().hasRolled, 0);
    EXPECT_TRUE(sounds_.played.empty());

    // After initialisation every resize lays the board out again.
    const RECT die = ClientRectOf(IDC_DIE1);
    RECT frame;
    GetWindowRect(window(), &frame);
    SetWindowPos(window(), nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientRectOf(IDC_DIE1).left, die.left + 50);
}

TEST_F(MainDialogTest, RollAndHoldButtonsFollowThePhasesOfATurn) {
    Open(1, GameType::Standard);
    EXPECT_TRUE(Enabled(IDC_ROLL)) << "turn begins";
    EXPECT_EQ(Holds(), "------");

    Roll();
    EXPECT_TRUE(main_->animating());
    EXPECT_FALSE(Enabled(IDC_ROLL)) << "rolling";
    EXPECT_EQ(Holds(), "------");
    FinishRoll();
    EXPECT_TRUE(Enabled(IDC_ROLL)) << "choosing";
    EXPECT_EQ(Holds(), "eeeeee");

    Click(window(), IDC_HOLD2);
    EXPECT_EQ(Holds(), "exeeee");
    Roll();
    EXPECT_FALSE(Enabled(IDC_ROLL));
    EXPECT_EQ(Holds(), "exeeee") << "holds stay as before the roll";
    FinishRoll();
    Roll();
    FinishRoll();
    EXPECT_EQ(RollsLeft(), 0);
    EXPECT_FALSE(Enabled(IDC_ROLL)) << "out of rolls";
    EXPECT_EQ(Holds(), "exeeee");
    Roll();
    EXPECT_FALSE(main_->animating());

    Choose(OpenRows().front());
    EXPECT_TRUE(Enabled(IDC_ROLL)) << "the next turn begins";
    EXPECT_EQ(Holds(), "------");
    EXPECT_EQ(GetFocus(), Item(IDC_ROLL));

    // Play the card out; the end shows the highscores, then the New Game dialog.
    bool rollEnabledAtEnd = true;
    answers_.On("Highscore", [&](HWND dialog) {
        rollEnabledAtEnd = Enabled(IDC_ROLL);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    answers_.On("New Game", Close);
    for (int row : OpenRows()) RollHeldAndChoose(row);
    EXPECT_EQ(answers_.log(), (std::vector<std::string>{"Highscore", "New Game"}));
    EXPECT_FALSE(rollEnabledAtEnd);
    EXPECT_FALSE(Enabled(IDC_ROLL)) << "game over";
    EXPECT_EQ(Holds(), "------");
    SendKey(VK_SPACE);
    Roll();
    PumpMessages();
    EXPECT_FALSE(main_->animating());
    EXPECT_EQ(state().hasRolled, 0);
}

TEST_F(MainDialogTest, KeyboardFilterRollsTogglesHoldsAndPassesTheRest) {
    Open(1, GameType::Standard);
    // Disabled Hold buttons still consume their keys.
    for (int k = 1; k <= 6; ++k) EXPECT_TRUE(SendKey('0' + k));
    EXPECT_TRUE(SendKey(VK_NUMPAD4));
    EXPECT_EQ(Holds(), "------");

    EXPECT_TRUE(SendKey(VK_SPACE));
    EXPECT_FALSE(main_->animating()) << "the Roll command is posted";
    ASSERT_TRUE(PumpUntil([this] { return main_->animating(); }));
    EXPECT_EQ(RollsLeft(), 2);
    // Space during the tumbling reaches the Roll command, which ignores it.
    EXPECT_TRUE(SendKey(VK_SPACE));
    FinishRoll();
    PumpMessages();
    EXPECT_EQ(RollsLeft(), 2);

    for (int k = 1; k <= 6; ++k) EXPECT_TRUE(SendKey('0' + k));
    EXPECT_EQ(Holds(), "xxxxxx");
    for (int k = 1; k <= 6; k += 2) EXPECT_TRUE(SendKey(VK_NUMPAD0 + k));
    EXPECT_EQ(Holds(), "exexex");

    // Enter rolls, but not while the dice tumble.
    Command(IDOK);
    ASSERT_TRUE(PumpUntil([this] { return main_->animating(); }));
    Command(IDOK);
    FinishRoll();
    PumpMessages();
    EXPECT_EQ(RollsLeft(), 1);

    // Other keys go to the accelerators and the dialog manager.
    answers_.On("New Game", Close);
    EXPECT_TRUE(SendKey(VK_F2));
    EXPECT_EQ(answers_.log(), std::vector<std::string>{"New Game"});
    const HWND stranger = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(SendKey('A', stranger));
    DestroyWindow(stranger);
}

TEST_F(MainDialogTest, IdleRuleReturnsTheFocusToRollUnlessAHoldHasIt) {
    Open(1, GameType::Standard);
    Roll();
    FinishRoll();
    SetFocus(Grid());
    loop_.RunIdleHandlers();
    EXPECT_EQ(GetFocus(), Item(IDC_ROLL));
    SetFocus(Item(IDC_HOLD3));
    loop_.RunIdleHandlers();
    EXPECT_EQ(GetFocus(), Item(IDC_HOLD3));
}

TEST_F(MainDialogTest, DieClicksAndHoldButtonsShowTheDieHeldOrAtRest) {
    Open(1, GameType::Standard);
    const POINT die2 = Centre(IDC_DIE2);
    SetFocus(Grid());
    SendMessageA(window(), WM_LBUTTONUP, 0, MAKELPARAM(die2.x, die2.y));
    EXPECT_EQ(Holds(), "------") << "a turn's first roll is not held";
    EXPECT_EQ(GetFocus(), Item(IDC_ROLL));

    Roll();
    FinishRoll();
    EXPECT_EQ(RedPixels(IDC_DIE2), 0);
    SetFocus(Grid());
    SendMessageA(window(), WM_LBUTTONUP, 0, MAKELPARAM(die2.x, die2.y));
    EXPECT_EQ(Holds(), "exeeee");
    EXPECT_EQ(GetFocus(), Item(IDC_ROLL));
    EXPECT_GT(RedPixels(IDC_DIE2), 0) << "held dice carry red corner marks";

    // A real click passes through the die to the window.
    POINT screen = die2;
    ClientToScreen(window(), &screen);
    SetCursorPos(screen.x, screen.y);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([this] { return !Checked(IDC_HOLD2); }, 3000));
    EXPECT_EQ(RedPixels(IDC_DIE2), 0);

    // The Hold button itself and the key do the same.
    Click(window(), IDC_HOLD4);
    EXPECT_GT(RedPixels(IDC_DIE4), 0);
    SendKey('4');
    EXPECT_EQ(RedPixels(IDC_DIE4), 0);
    EXPECT_EQ(Holds(), "eeeeee");
}

TEST_F(MainDialogTest, RollWithEveryDieHeldIsOverAtOnceAndSilent) {
    Open(1, GameType::Maxi);
    Roll();
    FinishRoll();
    const DiceSet before = state().dice;
    sounds_.played.clear();
    HoldAll();
    Roll();
    EXPECT_FALSE(main_->animating());
    EXPECT_EQ(RollsLeft(), 1);
    for (int k = 0; k < kMaxDice; ++k) EXPECT_EQ(state().dice.values[k], before.values[k]);
    EXPECT_TRUE(Enabled(IDC_ROLL));
    EXPECT_EQ(Holds(), "xxxxxx");
    PumpFor(600);
    EXPECT_TRUE(sounds_.played.empty());
}

TEST_F(MainDialogTest, RollSoundFollowsThreeHundredMillisecondsAfterARoll) {
    Open(1, GameType::Standard);
    const DWORD start = GetTickCount();
    Roll();
    EXPECT_TRUE(sounds_.played.empty());
    // The sound is chosen by the game's next draw after the roll's own.
    Random oracle = state().random;
    const int expected = IDR_WAVE_ROLL1 + oracle.next() % 3;
    ASSERT_TRUE(PumpUntil([this] { return !sounds_.played.empty(); }));
    EXPECT_EQ(sounds_.played[0].id, expected);
    EXPECT_TRUE(sounds_.played[0].async);
    EXPECT_GE(sounds_.played[0].at - start, 290u);
    EXPECT_EQ(state().random.state(), oracle.state());
    FinishRoll();
    EXPECT_EQ(sounds_.played.size(), 1u);

    // Once scheduled, it plays even when the sound is switched off meanwhile.
    Roll();
    Command(ID_GAME_SOUND);
    FinishRoll();
    EXPECT_EQ(sounds_.played.size(), 2u);

    // It is timer 1, and it plays once.
    Command(ID_GAME_SOUND);
    Roll();
    SendMessageA(window(), WM_TIMER, 2, 0);
    EXPECT_EQ(sounds_.played.size(), 2u);
    SendMessageA(window(), WM_TIMER, 1, 0);
    EXPECT_EQ(sounds_.played.size(), 3u);
    FinishRoll();
    EXPECT_EQ(sounds_.played.size(), 3u);
}

TEST_F(MainDialogTest, SoundCommandSilencesEverythingAndMovesTheCheckMark) {
    Open(1, GameType::Standard);
    Command(ID_GAME_SOUND);
    EXPECT_FALSE(main_->soundOn());
    SendMessageA(window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(window()), 0)), 0);
    EXPECT_FALSE(GetMenuState(GetMenu(window()), ID_GAME_SOUND, MF_BYCOMMAND) & MF_CHECKED);
    Roll();
    FinishRoll();
    PumpFor(400);
    for (int row : OpenRows()) {
        if (state().scoreFor(row) == 0) {
            Choose(row);
            break;
        }
    }
    EXPECT_TRUE(sounds_.played.empty());
    Command(ID_GAME_SOUND);
    EXPECT_TRUE(GetMenuState(GetMenu(window()), ID_GAME_SOUND, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MainDialogTest, ZeroEntryShowsTheCrossAndPlaysItsSoundToTheEnd) {
    Open(1, GameType::Standard);
    Roll();
    FinishRoll();
    int zeroRow = -1;
    for (int row : OpenRows()) {
        if (state().scoreFor(row) == 0) zeroRow = row;
    }
    ASSERT_GE(zeroRow, 0);
    sounds_.played.clear();
    Choose(zeroRow);
    ASSERT_EQ(sounds_.played.size(), 1u);
    EXPECT_EQ(sounds_.played[0].id, IDR_WAVE_ZERO);
    EXPECT_FALSE(sounds_.played[0].async);
    EXPECT_EQ(state().card(1).values[zeroRow], -1);

    const Rect cell = CellRect(1, *RowRect(GameType::Standard, zeroRow, 122));
    const Point cross = CrossOrigin(cell);
    EXPECT_EQ(ClientPixel(Grid(), cross.x + 8, cross.y + 8), RGB(0, 0, 0));

    // A filled row cannot be chosen again: no change, no sound.
    Roll();
    FinishRoll();
    sounds_.played.clear();
    Choose(zeroRow);
    EXPECT_EQ(state().hasRolled, 1);
    EXPECT_TRUE(sounds_.played.empty());
}

TEST_F(MainDialogTest, KvoroRowWithPointsPlaysItsOwnSound) {
    // A seed whose first roll shows five equal dice.
    std::uint32_t seed = 1;
    for (;; ++seed) {
        GameState game(seed);
        game.startGame(1, GameType::Standard);
        game.roll();
        const auto& v = game.dice.values;
        if (v[0] == v[1] && v[0] == v[2] && v[0] == v[3] && v[0] == v[4]) break;
    }
    Open(1, GameType::Standard, seed);
    Roll();
    FinishRoll();
    PumpFor(100);
    sounds_.played.clear();
    Choose(Kvoro);
    EXPECT_GT(state().card(1).values[Kvoro], 0);
    ASSERT_EQ(sounds_.played.size(), 1u);
    EXPECT_EQ(sounds_.played[0].id, IDR_WAVE_KVORO);
    EXPECT_FALSE(sounds_.played[0].async);
}

TEST_F(MainDialogTest, StatusPanelShowsPlayerRollsAndBonusStanding) {
    Open([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_NAME1, "Ann");
        SetDlgItemTextA(dialog, IDC_NAME2, "");
        StartGame(2, GameType::Standard)(dialog);
    });
    ExpectStatus("Ann", "3", "0");
    Roll();
    FinishRoll();
    ExpectStatus("Ann", "2", "0");
    // A face the dice do not show, entered in its upper row, stands below par.
    int face = 1;
    while (face <= 6 && state().scoreFor(face - 1) != 0) ++face;
    ASSERT_LE(face, 6);
    Choose(face - 1);
    ExpectStatus("2", "3", "0");
    RollHeldAndChoose(Chance);
    ExpectStatus("Ann", "3", std::to_string(-3 * face).c_str());
}

TEST_F(MainDialogTest, StatusPanelShowsRollsCarriedOverInAMaxiGame) {
    Open(1, GameType::Maxi);
    Roll();
    FinishRoll();
    Choose(Chance);
    ExpectStatus("Player 1", "5", "0");
}

TEST_F(MainDialogTest, BoardIsGreenWithATwoToneDicePanel) {
    Open(1, GameType::Standard);
    const RECT die1 = ClientRectOf(IDC_DIE1);
    const RECT die5 = ClientRectOf(IDC_DIE5);
    const RECT hold1 = ClientRectOf(IDC_HOLD1);
    const RECT roll = ClientRectOf(IDC_ROLL);
    const RECT panel{die1.left - 8, die1.top - 4, die5.right + 8, hold1.bottom + 10};
    const int midX = (panel.left + panel.right) / 2;
    const int midY = (panel.top + panel.bottom) / 2;
    EXPECT_EQ(ClientPixel(window(), 5, roll.bottom + 5), kGreen);
    EXPECT_EQ(ClientPixel(window(), roll.left - 10, roll.top + 5), kGreen);
    EXPECT_EQ(ClientPixel(window(), panel.left - 1, midY), kGreen);
    EXPECT_EQ(ClientPixel(window(), die1.left - 4, midY), RGB(0, 80, 80));
    EXPECT_EQ(ClientPixel(window(), panel.left, midY), RGB(43, 123, 123));
    EXPECT_EQ(ClientPixel(window(), midX, panel.top), RGB(43, 123, 123));
    EXPECT_EQ(ClientPixel(window(), panel.right - 1, midY), RGB(3, 40, 40));
    EXPECT_EQ(ClientPixel(window(), midX, panel.bottom - 1), RGB(3, 40, 40));
    EXPECT_EQ(ClientPixel(Item(IDC_STATUS), 5, 60), kGreen);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_DIE6)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_HOLD6)));
}

TEST_F(MainDialogTest, MaxiGameShowsSixDiceUnderItsOwnBanner) {
    Open(2, GameType::Maxi);
    EXPECT_TRUE(IsWindowVisible(Item(IDC_DIE6)));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_HOLD6)));
    EXPECT_EQ(ClientRectOf(IDC_DIE6).left, ClientRectOf(IDC_DIE1).left + 5 * 72);
    const RECT banner = ClientRectOf(IDC_BANNER);
    EXPECT_EQ(banner.right - banner.left, 361);
    EXPECT_EQ(banner.bottom - banner.top, 116);

    answers_.On("New Game", StartGame(1, GameType::Standard));
    Command(ID_GAME_NEWGAME);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_DIE6)));
    const RECT standard = ClientRectOf(IDC_BANNER);
    EXPECT_EQ(standard.right - standard.left, 250);
}

TEST_F(MainDialogTest, GameEndRecordsEveryPlayerBeforeShowingTheHighscores) {
    Open([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_NAME1, "Ann");
        SetDlgItemTextA(dialog, IDC_NAME2, "Bob");
        StartGame(2, GameType::Standard)(dialog);
    });
    Command(ID_GAME_SOUND);
    // Each player scores only in Chance, with a real roll.
    Roll();
    FinishRoll();
    Choose(Chance);
    Roll();
    FinishRoll();
    Choose(Chance);
    const int ann = state().card(1).values[Chance];
    const int bob = state().card(2).values[Chance];

    HighscoreTable shown{};
    HWND owner = nullptr;
    answers_.On("Highscore", [&](HWND dialog) {
        shown = main_->highscores().tables[0];
        owner = GetWindow(dialog, GW_OWNER);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    answers_.On("New Game", Close);
    while (!OpenRows().empty()) RollHeldAndChoose(OpenRows().front());
    EXPECT_EQ(answers_.log(), (std::vector<std::string>{"Highscore", "New Game"}));
    EXPECT_EQ(owner, window());
    const HighscoreEntry& first = shown.entries[0];
    const HighscoreEntry& second = shown.entries[1];
    // Equal scores: the later entry ranks first, so Bob went in after Ann.
    EXPECT_STREQ(first.name, bob >= ann ? "Bob" : "Ann");
    EXPECT_STREQ(second.name, bob >= ann ? "Ann" : "Bob");
    EXPECT_EQ(first.score, std::max(ann, bob));
    EXPECT_EQ(second.score, std::min(ann, bob));
    EXPECT_EQ(main_->highscores().tables[1].entries[0].score, 0) << "nothing in the Maxi list";
}

TEST_F(MainDialogTest, CancelledNewGameLeavesTheGameAsItWas) {
    Open(1, GameType::Standard);
    Roll();
    FinishRoll();
    Click(window(), IDC_HOLD2);
    const std::string holds = Holds();
    const GameState before = state();
    answers_.On("New Game", Close);
    Command(ID_GAME_NEWGAME);
    EXPECT_EQ(Holds(), holds);
    EXPECT_TRUE(Enabled(IDC_ROLL));
    EXPECT_EQ(std::memcmp(&before.cards, &state().cards, sizeof(before.cards)), 0);
    EXPECT_EQ(std::memcmp(&before.dice, &state().dice, sizeof(before.dice)), 0);
    EXPECT_EQ(RollsLeft(), 2);
}

TEST_F(MainDialogTest, NewGameDuringARollIsNotBlockedByIt) {
    Open(1, GameType::Standard);
    Roll();
    answers_.On("New Game", StartGame(1, GameType::Maxi));
    Command(ID_GAME_NEWGAME);
    EXPECT_FALSE(main_->animating());
    EXPECT_TRUE(Enabled(IDC_ROLL));
    EXPECT_EQ(Holds(), "------");
    PumpFor(1500);  // the old roll's end, if it comes, changes nothing
    EXPECT_TRUE(Enabled(IDC_ROLL));
    Roll();
    EXPECT_EQ(state().hasRolled, 1);
    FinishRoll();
}

TEST_F(MainDialogTest, EscapeAndTheCloseBoxEndTheProgramWithCodeTwo) {
    for (bool escape : {true, false}) {
        Open(1, GameType::Standard);
        const HWND closed = window();
        if (escape) {
            EXPECT_TRUE(SendKey(VK_ESCAPE));
        } else {
            PostMessageA(window(), WM_CLOSE, 0, 0);
        }
        // The loop's part: dispatch until WM_QUIT.
        MSG message{};
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 5000) {
            if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
            if (message.message == WM_QUIT) break;
            DispatchMessageA(&message);
        }
        EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT)) << escape;
        EXPECT_EQ(message.wParam, 2u);
        EXPECT_FALSE(IsWindow(closed));
        main_.reset();
    }
}

TEST_F(MainDialogTest, SavesAScreenshotOfTheBoard) {
    Open([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_NAME1, "Ann");
        SetDlgItemTextA(dialog, IDC_NAME2, "Bob");
        StartGame(2, GameType::Maxi)(dialog);
    });
    Roll();
    FinishRoll();
    Choose(Chance);
    Roll();
    FinishRoll();
    Click(window(), IDC_HOLD3);
    PumpFor(200);
    EXPECT_TRUE(Snapshot::OfClient(window()).SavePng("board.png"));
}

}  // namespace
}  // namespace kvoro::test
