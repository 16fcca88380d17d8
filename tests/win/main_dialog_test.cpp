#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "framework/gdi.h"
#include "main_window_fixture.h"
#include "strategy/maxi_strategy.h"
#include "ui/score_grid_model.h"

namespace kvoro::test {
namespace {

constexpr COLORREF kGreen = RGB(1, 127, 1);

void Resize(HWND window, int wider, int higher = 0) {
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + wider, frame.bottom - frame.top + higher,
                 SWP_NOMOVE | SWP_NOZORDER);
}

RECT ClientOf(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client;
}


class MainDialogTest : public MainWindowTest {
protected:
    // A key as the program's loop filters it, by default a plain key down at Roll.
    bool SendKey(WPARAM key, HWND target = nullptr, UINT type = WM_KEYDOWN, LPARAM flags = 1) {
        MSG message{};
        message.hwnd = target ? target : Item(IDC_ROLL);
        message.message = type;
        message.wParam = key;
        message.lParam = flags;
        return loop_.PreTranslateMessage(message);
    }

    int RollsLeft() const { return state().rollsLeft[state().currentPlayer - 1]; }

    int ZeroRow() const {
        for (int row : OpenRows()) {
            if (state().scoreFor(row) == 0) return row;
        }
        return -1;
    }

    // The dice panel's frame around the dice and the Hold buttons of the game.
    RECT DicePanel() const {
        const RECT first = ClientRectOf(IDC_HOLD1), last = ClientRectOf(kHolds[diceCount(state().gameType) - 1]);
        return RECT{first.left - 8, ClientRectOf(IDC_DIE1).top - 4, last.right + 8, first.bottom + 10};
    }

    // The card, the dice panel, Roll, the status panel and the reminder lie inside the client
    // area, the panel clear of the card; a dimension larger than at the start is just large enough.
    void ExpectBoardFits(const RECT& start) {
        const RECT client = ClientOf(window()), card = ClientRectOf(Grid()), panel = DicePanel(),
                   reminder = ClientRectOf(IDC_REMINDER);
        for (const RECT& part : {card, panel, ClientRectOf(IDC_ROLL), ClientRectOf(IDC_STATUS), reminder}) {
            RECT inside;
            IntersectRect(&inside, &part, &client);
            EXPECT_TRUE(EqualRect(&inside, &part)) << part.left << "," << part.top << " " << part.right << ","
                                                   << part.bottom;
        }
        EXPECT_GE(panel.left, card.right);
        EXPECT_EQ(client.right, std::max(start.right, panel.right));
        EXPECT_EQ(client.bottom, std::max(start.bottom, reminder.bottom));
    }

    // Compares the status panel's three lines with ones drawn here independently, pixel for pixel; below them the
    // hint's quarter holds text exactly when a hint is shown.
    void ExpectStatus(const char* player, const char* rolls, const std::string& bonus, bool hinted = false) {
        const Snapshot shown = Snapshot::OfClient(Item(IDC_STATUS));
        const int width = shown.width();
        ASSERT_EQ(shown.height(), 70);
        Snapshot expected(width, 70);
        const Brush green(CreateSolidBrush(kGreen));
        const Font font(CreateFontA(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial"));
        const RECT all{0, 0, width, 70};
        FillRect(expected.dc(), &all, green.get());
        SelectGuard selected(expected.dc(), font.get());
        SetBkColor(expected.dc(), kGreen);
        const std::string texts[3][2] = {{"Player:", player}, {"Rolls Remaining:", rolls}, {"Bonus:", bonus}};
        for (int i = 0; i < 3; ++i) {
            RECT label{0, 17 * i, width - width / 2, 17 * i + 17}, value{width / 2, 17 * i, width, 17 * i + 17};
            DrawTextA(expected.dc(), texts[i][0].c_str(), -1, &label, 0);
            DrawTextA(expected.dc(), texts[i][1].c_str(), -1, &value, 0);
        }
        constexpr int kLinesBottom = 3 * 17;
        EXPECT_EQ(shown.Differing(expected, {0, 0, width, kLinesBottom}), 0) << player << " / " << rolls << " / " << bonus;
        const RECT hintQuarter{0, kLinesBottom, width, 70};
        EXPECT_EQ(shown.Count(kGreen, hintQuarter) < width * (70 - kLinesBottom), hinted) << "the hint's line";
    }

    // The coach's best move for the current player's position; the table must be ready.
    strategy::Move BestMove() const {
        const strategy::TurnAdvisor advisor(*main_->coach().table(), state().card(state().currentPlayer));
        return advisor.moves(state().dice.values, play::currentRollsLeft(state())).front();
    }
    // Whether the top left pixel of the current player's cell in row is the hint's blue.
    bool Framed(int row) const {
        RECT client{};
        GetClientRect(Grid(), &client);
        const Rect cell = CellRect(state().currentPlayer, *RowRect(state().gameType, row, client.right));
        return ClientPixel(Grid(), cell.left, cell.top) == RGB(0, 70, 255);
    }
};

TEST_F(MainDialogTest, InitialisationShowsTheEmptyBoardBeforeTheFirstNewGame) {
    // Seen from inside the first New Game dialog.
    HWND owner = nullptr;
    bool visible = false, rollEnabled = true;
    std::string holds;
    RECT card{};
    Open([&](HWND dialog) {
        owner = GetWindow(dialog, GW_OWNER);
        visible = IsWindowVisible(owner);
        rollEnabled = IsWindowEnabled(GetDlgItem(owner, IDC_ROLL));
        holds = Holds();
        GetWindowRect(FindWindowExA(owner, nullptr, nullptr, "VIZIVA"), &card);
        Close(dialog);
    });
    EXPECT_EQ(owner, window());
    EXPECT_TRUE(visible);
    EXPECT_FALSE(rollEnabled);
    EXPECT_EQ(holds, "------");
    EXPECT_EQ(card.right - card.left, 242);  // the empty card of five players
    EXPECT_EQ(card.bottom - card.top, 380);

    // The picture the banner loaded from the template goes with the window, although no game replaced it.
    const auto banner = reinterpret_cast<HGDIOBJ>(SendMessageA(Item(IDC_BANNER), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_EQ(GetObjectType(banner), static_cast<DWORD>(OBJ_BITMAP));
    main_.reset();
    EXPECT_EQ(GetObjectType(banner), 0u);
}

TEST_F(MainDialogTest, GameStartAndRestoreGrowTheWindowJustEnoughAndNeverShrinkIt) {
    RECT start{};
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        for (int players : {1, 5}) {
            main_.reset();
            Open([&, type, players](HWND dialog) {
                start = ClientOf(GetWindow(dialog, GW_OWNER));
                StartGame(players, type)(dialog);
            });
            EXPECT_EQ(state().playerCount, players);
            ExpectBoardFits(start);
        }
    }
    const RECT grown = ClientOf(window());
    EXPECT_TRUE(Snapshot::OfClient(window()).SavePng("board_maxi5.png"));

    // The smallest size the window takes still shows the whole dice row.
    Resize(window(), -2000, -2000);
    EXPECT_EQ(ClientRectOf(IDC_HOLD6).right, ClientOf(window()).right);
    EXPECT_EQ(ClientRectOf(IDC_HOLD6).bottom, ClientOf(window()).bottom);

    // Restored to that size, the window grows again; a smaller game keeps the size.
    ShowWindow(window(), SW_MINIMIZE);
    ShowWindow(window(), SW_RESTORE);
    PumpMessages();
    RECT now = ClientOf(window());
    EXPECT_TRUE(EqualRect(&now, &grown));
    answers_.On("New Game", StartGame(1, GameType::Standard));
    Command(ID_GAME_NEWGAME);
    now = ClientOf(window());
    EXPECT_TRUE(EqualRect(&now, &grown));
}

TEST_F(MainDialogTest, ResizingNeverShowsTheBoardGreenOverTheCardOrTheDice) {
    Open(5, GameType::Maxi);
    // Changes of height only, so that the dice stay where they are on the screen.
    RECT watched[2], last;
    GetWindowRect(Grid(), &watched[0]);
    GetWindowRect(Item(IDC_DIE1), &watched[1]);
    GetWindowRect(Item(IDC_DIE6), &last);
    watched[1].right = last.right;
    PumpFor(300);  // the screen shows the new game
    std::atomic<bool> done{false};
    int green = 0, captures = 0;
    std::thread watcher([&] {
        const HDC screen = GetDC(nullptr);
        for (; !done; ++captures) {
            for (const RECT& area : watched) {
                const Snapshot shot(area.right - area.left, area.bottom - area.top);
                BitBlt(shot.dc(), 0, 0, shot.width(), shot.height(), screen, area.left, area.top, SRCCOPY);
                green += shot.Count(kGreen);
            }
        }
        ReleaseDC(nullptr, screen);
    });
    for (int k = 0; k < 60; ++k) {
        Resize(window(), 0, k % 2 ? -23 : 23);
        PumpMessages();
    }
    done = true;
    watcher.join();
    std::printf("60 resizes, %d captures: %d green pixels over the card and the dice\n", captures, green);
    EXPECT_GT(captures, 0);
    EXPECT_EQ(green, 0);
}

TEST_F(MainDialogTest, RollHoldsAndDieClicksFollowThePhasesOfATurnAndARollEndsAtItsLastDiesStop) {
    Open(1, GameType::Standard);
    const RECT die = ClientRectOf(IDC_DIE2);
    // A click on a die toggles its Hold button once the dice are rolled; the focus goes back to Roll.
    const auto clickDie = [&] {
        SetFocus(Grid());
        SendMessageA(window(), WM_LBUTTONUP, 0, MAKELPARAM((die.left + die.right) / 2, (die.top + die.bottom) / 2));
        EXPECT_EQ(GetFocus(), Item(IDC_ROLL));
    };
    EXPECT_TRUE(Enabled(IDC_ROLL)) << "turn begins";
    clickDie();
    EXPECT_EQ(Holds(), "------");
    Roll();
    // Dice that stop early, or a die outside the game, do not end the roll:
    // a late stop of this roll must not end the next one.
    for (int id : {IDC_DIE1, IDC_DIE2, IDC_DIE6}) {
        SendMessageA(window(), WM_COMMAND, MAKEWPARAM(id, ACN_STOP), reinterpret_cast<LPARAM>(Item(id)));
    }
    EXPECT_TRUE(main_->animating());
    EXPECT_FALSE(Enabled(IDC_ROLL)) << "rolling";
    EXPECT_EQ(Holds(), "------");
    Choose(Chance);
    EXPECT_EQ(state().card(1).values[Chance], 0) << "nothing is entered while the dice tumble";
    FinishRoll();
    EXPECT_TRUE(Enabled(IDC_ROLL)) << "choosing";
    EXPECT_EQ(Holds(), "eeeeee");
    clickDie();
    EXPECT_EQ(Holds(), "exeeee");
    // The idle rule gives the focus back to Roll unless a Hold button has it.
    for (const auto& [from, to] : {std::pair{Item(IDC_HOLD3), Item(IDC_HOLD3)}, {Grid(), Item(IDC_ROLL)}}) {
        SetFocus(from);
        loop_.RunIdleHandlers();
        EXPECT_EQ(GetFocus(), to);
    }

    Roll();
    EXPECT_EQ(Holds(), "exeeee") << "holds stay as before the roll";
    // A Hold pressed while the dice tumble shows its marks when they stop.
    Click(window(), IDC_HOLD3);
    FinishRoll();
    PumpMessages();
    constexpr COLORREF kHeldMark = RGB(204, 16, 16);
    EXPECT_GT(Snapshot::OfClient(Item(IDC_DIE3)).Count(kHeldMark), 0);
    EXPECT_EQ(Snapshot::OfClient(Item(IDC_DIE4)).Count(kHeldMark), 0);
    RollToTheEnd();
    EXPECT_EQ(RollsLeft(), 0);
    EXPECT_FALSE(Enabled(IDC_ROLL)) << "out of rolls";
    EXPECT_EQ(Holds(), "exxeee");
    Roll();
    EXPECT_FALSE(main_->animating());
    Choose(OpenRows().front());
    EXPECT_TRUE(Enabled(IDC_ROLL)) << "the next turn begins";
    EXPECT_EQ(Holds(), "------");
    EXPECT_EQ(GetFocus(), Item(IDC_ROLL));

    // A New Game during a roll is not blocked by it; the old roll's end, if it comes, changes nothing.
    Roll();
    answers_.On("New Game", StartGame(1, GameType::Maxi));
    Command(ID_GAME_NEWGAME);
    EXPECT_FALSE(main_->animating());
    EXPECT_EQ(Holds(), "------");
    PumpFor(1500);
    EXPECT_TRUE(Enabled(IDC_ROLL));
    // The game-over phase: GameEndRecordsEveryPlayerInOrderBeforeShowingTheHighscores.
}

TEST_F(MainDialogTest, KeyboardFilterRollsTogglesHoldsAndPassesTheRestAndTheLoopRerunsTheIdleRuleUntilItsQuit) {
    Open(1, GameType::Standard);
    for (int k = 1; k <= 6; ++k) EXPECT_TRUE(SendKey('0' + k)) << "disabled Hold buttons still consume their keys";
    EXPECT_EQ(Holds(), "------");
    EXPECT_TRUE(SendKey(VK_SPACE));
    EXPECT_TRUE(main_->animating());
    EXPECT_EQ(RollsLeft(), 2);
    // Space during the tumbling reaches the Roll command, which ignores it.
    EXPECT_TRUE(SendKey(VK_SPACE));
    FinishRoll();
    PumpMessages();
    EXPECT_EQ(RollsLeft(), 2);
    for (int k = 1; k <= 6; k += 2) EXPECT_TRUE(SendKey('0' + k));
    EXPECT_EQ(Holds(), "xexexe");
    for (int k = 1; k <= 6; ++k) EXPECT_TRUE(SendKey(VK_NUMPAD0 + k));
    EXPECT_EQ(Holds(), "exexex");

    // Enter, the dialog's IDOK, rolls too. The disabled Roll button keeps no focus, and without
    // a focus the keys come as WM_SYSKEYDOWN; only with Alt are they the system's.
    SetFocus(Item(IDC_ROLL));
    Command(IDOK);
    EXPECT_TRUE(main_->animating());
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(SendKey('2', window(), WM_SYSKEYDOWN));
    SendKey('3', window(), WM_SYSKEYDOWN, 1 | (1 << 29));
    EXPECT_EQ(Holds(), "eeexex");
    FinishRoll();

    // Other keys go to the accelerators and the dialog manager.
    answers_.On("New Game", Close);
    EXPECT_TRUE(SendKey(VK_F2));
    EXPECT_EQ(answers_.log(), std::vector<std::string>{"New Game"});

    // The program's own loop: once its queue has run empty after a message, the idle rule runs again (here it takes
    // the focus back from the score card), and the loop ends with the quit message's code.
    static HWND grid, roll;
    static bool focusReturned;
    grid = Grid();
    roll = Item(IDC_ROLL);
    focusReturned = false;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        SetFocus(grid);
        SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR later, DWORD) {
            KillTimer(nullptr, later);
            focusReturned = GetFocus() == roll;
            PostQuitMessage(2);
        });
    });
    EXPECT_EQ(loop_.Run(), 2);
    EXPECT_TRUE(focusReturned);
}

TEST_F(MainDialogTest, RollSoundFollowsARollAndAZeroEntrysSoundPlaysToTheEndUnlessTheSoundIsOff) {
    Open(1, GameType::Standard);
    const DWORD start = GetTickCount();
    Roll();
    // 300 ms later, the sound that the game's next draw after the roll's own chooses.
    Random oracle = state().random;
    const int expected = IDR_WAVE_ROLL1 + oracle.next() % 3;
    EXPECT_TRUE(sounds_.played.empty());
    FinishRoll();
    ASSERT_TRUE(PumpUntil([this] { return !sounds_.played.empty(); }));
    EXPECT_EQ(sounds_.played[0].id, expected);
    EXPECT_TRUE(sounds_.played[0].async);
    EXPECT_GE(sounds_.played[0].at - start, 290u);
    EXPECT_EQ(state().random.state(), oracle.state());
    ASSERT_GE(ZeroRow(), 0);
    Choose(ZeroRow());
    ASSERT_EQ(sounds_.played.size(), 2u);
    EXPECT_EQ(sounds_.played[1].id, IDR_WAVE_ZERO);
    EXPECT_FALSE(sounds_.played[1].async);

    // Once scheduled, a roll sound plays even when the sound is switched off meanwhile; then nothing sounds.
    Roll();
    Command(ID_GAME_SOUND);
    EXPECT_TRUE(PumpUntil([this] { return sounds_.played.size() == 3; }));
    FinishRoll();
    ASSERT_GE(ZeroRow(), 0);
    Choose(ZeroRow());
    RollToTheEnd();
    PumpFor(400);
    EXPECT_EQ(sounds_.played.size(), 3u);
}

TEST_F(MainDialogTest, MaxiBoardShowsItsBannerSixDiceATwoTonePanelAndTheStatusOnGreen) {
    Open(StartGame(2, GameType::Maxi, {"Ann", ""}));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_DIE6)) && IsWindowVisible(Item(IDC_HOLD6)));
    RECT banner = ClientRectOf(IDC_BANNER);
    EXPECT_EQ(banner.right - banner.left, 361);
    EXPECT_EQ(banner.bottom - banner.top, 116);
    const RECT panel = DicePanel();
    const int midX = (panel.left + panel.right) / 2, midY = (panel.top + panel.bottom) / 2;
    EXPECT_EQ(ClientPixel(window(), 5, ClientRectOf(IDC_ROLL).bottom + 5), kGreen);
    EXPECT_EQ(ClientPixel(window(), panel.left - 1, midY), kGreen);
    EXPECT_EQ(ClientPixel(window(), ClientRectOf(IDC_DIE1).left - 4, midY), RGB(0, 80, 80));
    EXPECT_EQ(ClientPixel(window(), midX, panel.top), RGB(43, 123, 123));
    EXPECT_EQ(ClientPixel(window(), panel.right - 1, midY), RGB(3, 40, 40));

    // The status: the player, the rolls left and the bonus standing.
    ExpectStatus("Ann", "3", "0");
    RollToTheEnd();
    ExpectStatus("Ann", "2", "0");
    Choose(Chance);
    ExpectStatus("2", "3", "0");
    RollToTheEnd();
    Click(window(), IDC_HOLD3);
    PumpFor(200);
    EXPECT_TRUE(Snapshot::OfClient(window()).SavePng("board.png"));

    answers_.On("New Game", StartGame(1, GameType::Standard));
    Command(ID_GAME_NEWGAME);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_DIE6)) || IsWindowVisible(Item(IDC_HOLD6)));
    banner = ClientRectOf(IDC_BANNER);
    EXPECT_EQ(banner.right - banner.left, 250);
}

TEST_F(MainDialogTest, GameEndRecordsEveryPlayerInOrderBeforeShowingTheHighscores) {
    std::uint32_t seed = 1;  // the first whose first two rolls tie in Chance
    for (;; ++seed) {
        GameState game(seed);
        game.startGame(2, GameType::Standard);
        game.roll();
        const int first = game.scoreFor(Chance);
        game.enterScore(Chance);
        game.roll();
        if (game.scoreFor(Chance) == first) break;
    }
    Open(StartGame(2, GameType::Standard, {"Ann", "Bob"}), seed);
    Command(ID_GAME_SOUND);  // no roll sound, which would draw from the game's numbers
    for (int player = 1; player <= 2; ++player) {  // each player scores only in Chance
        RollToTheEnd();
        Choose(Chance);
    }
    HighscoreTable shown{};
    bool rollEnabled = true;
    answers_.On("Highscore", [&](HWND dialog) {
        shown = main_->highscores().tables[0];
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), window());
        rollEnabled = Enabled(IDC_ROLL);
        Close(dialog);
    });
    answers_.On("New Game", Close);
    for (int entries = 0; !OpenRows().empty(); ++entries) {
        ASSERT_LT(entries, 2 * 15) << "a click that enters no row, or another one";
        RollHeldAndChoose(OpenRows().front());
    }
    EXPECT_EQ(answers_.log(), (std::vector<std::string>{"Highscore", "New Game"}));
    // Recorded in player order: of equal scores the later entry ranks first.
    const int score = state().card(1).values[Chance];
    ASSERT_EQ(state().card(2).values[Chance], score);
    EXPECT_STREQ(shown.entries[0].name, "Bob");
    EXPECT_STREQ(shown.entries[1].name, "Ann");
    EXPECT_EQ(shown.entries[0].score, score);
    EXPECT_EQ(shown.entries[1].score, score);

    // Game over, the next game declined: nothing rolls.
    EXPECT_FALSE(rollEnabled);
    EXPECT_FALSE(Enabled(IDC_ROLL));
    EXPECT_EQ(Holds(), "------");
}

TEST_F(MainDialogTest, ARollAwaitsOnlyTheDiceWhosePlayStartedAndOnlyTheCardChoosesARow) {
    Open(1, GameType::Standard);
    // A die without its clip cannot play and never reports a stop.
    CloseClips({IDC_DIE3});
    RollToTheEnd();
    EXPECT_EQ(RollsLeft(), 2);
    CloseClips({IDC_DIE1, IDC_DIE2, IDC_DIE4, IDC_DIE5});
    Roll();
    EXPECT_FALSE(main_->animating()) << "no die plays: the roll is over at once";
    EXPECT_TRUE(Enabled(IDC_ROLL));
    EXPECT_EQ(RollsLeft(), 1);

    // The row message's number is also DM_SETDEFID.
    SendMessageA(window(), WM_ROW_CHOSEN, Chance, 0);
    SendMessageA(window(), DM_SETDEFID, Chance, 0);
    EXPECT_EQ(state().card(1).values[Chance], 0);
    Choose(Chance);
    EXPECT_GT(state().card(1).values[Chance], 0);
}

// Undo shows the position before a misplaced entry again, pixel for pixel, and its menu item follows what it may do.
TEST_F(MainDialogTest, UndoAfterAWrongRowRestoresTheCardTheTotalsAndTheDiceOnScreen) {
    Open(StartSeated(2, GameType::Standard, {play::Seat::Human, play::Seat::Easy}));
    const auto undoGreyed = [this] { return MenuGreyed(ID_GAME_UNDO); };
    EXPECT_TRUE(undoGreyed());
    RollToTheEnd();
    Click(window(), IDC_HOLD2);
    Click(window(), IDC_HOLD4);
    RollToTheEnd();
    PumpFor(100);
    const std::string holds = Holds();
    const Snapshot card = Snapshot::OfClient(Grid()), status = Snapshot::OfClient(Item(IDC_STATUS));
    constexpr int kDice[] = {IDC_DIE1, IDC_DIE2, IDC_DIE3, IDC_DIE4, IDC_DIE5};
    std::vector<Snapshot> dice;
    for (int id : kDice) dice.push_back(Snapshot::OfClient(Item(id)));
    ASSERT_GE(ZeroRow(), 0);
    Choose(ZeroRow());
    EXPECT_EQ(state().currentPlayer, 2);
    EXPECT_FALSE(undoGreyed());
    const SHORT control = GetKeyState(VK_CONTROL);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;  // the accelerator reads Ctrl from the thread's keyboard state
    SetKeyboardState(keys);
    EXPECT_TRUE(SendKey('Z', Item(IDC_ROLL)));
    keys[VK_CONTROL] = static_cast<BYTE>(control & 0x80);
    SetKeyboardState(keys);
    PumpMessages();
    EXPECT_EQ(state().currentPlayer, 1);
    EXPECT_EQ(Holds(), holds);
    EXPECT_EQ(Snapshot::OfClient(Grid()).Differing(card), 0);
    EXPECT_EQ(Snapshot::OfClient(Item(IDC_STATUS)).Differing(status), 0);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Snapshot::OfClient(Item(kDice[k])).Differing(dice[k]), 0) << k;
    EXPECT_TRUE(undoGreyed()) << "one entry only";
    EXPECT_FALSE(KillTimer(window(), kComputerStepTimer)) << "the computer's turn taken back too";

    // Another row instead; then the computer's first roll ends what can be taken back.
    Choose(OpenRows().back());
    EXPECT_FALSE(undoGreyed());
    ASSERT_TRUE(PumpUntil([this] { return state().hasRolled != 0; }));
    EXPECT_TRUE(undoGreyed());
    Command(ID_GAME_UNDO);
    EXPECT_EQ(state().currentPlayer, 2);
}

// The coach's table comes from a worker thread while the window plays on; a file an earlier version kept it in goes.
// Ready messages posted by anyone before the worker has finished change nothing and never hold the window up.
TEST_F(MainDialogTest, TheTableIsComputedInMemoryThenTheHintHoldsTheCoachsKeepAndFramesTheAdvisedRowUntilTheEntry) {
    wchar_t appData[MAX_PATH] = L"";
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)));
    const std::filesystem::path oldFile = std::filesystem::path(appData) / "Kvoro" / "coach.table";
    std::filesystem::create_directories(oldFile.parent_path());
    std::ofstream(oldFile, std::ios::binary) << "KVCT";
    Open(1, GameType::Standard, 5);
    ASSERT_EQ(main_->coach().table(), nullptr);
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::RollFirst);
    RollToTheEnd();
    Command(ID_GAME_HINT);
    const bool early = main_->coach().table() == nullptr;
    EXPECT_TRUE(!early || main_->hint().kind == HintKind::Computing);
    PostMessageW(window(), WM_APP + 1, 0, 0);
    PostMessageW(window(), CoachTable::ReadyMessage(), 0, 0);
    std::atomic<bool> answered{false}, asked{false};
    std::thread asker([&] {
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutW(window(), WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) != 0;
        asked = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return asked.load(); }));
    asker.join();
    EXPECT_TRUE(answered);
    // Whatever the messages did, only the worker's end hands the table over.
    EXPECT_TRUE(!early || main_->coach().table() != nullptr || main_->hint().kind == HintKind::Computing);
    ASSERT_TRUE(PumpUntil([this] { return main_->coach().table() != nullptr; }, 600000));
    EXPECT_NEAR(main_->coach().table()->remaining({0, 0}), 248.439987, 0.00001);
    EXPECT_FALSE(std::filesystem::exists(oldFile.parent_path()));

    // The advice that was asked for while computing appears once the table is there.
    while (play::currentRollsLeft(state()) > 0 && BestMove().row < 0) {
        Command(ID_GAME_HINT);
        EXPECT_EQ(main_->hint().kind, HintKind::Hold);
        EXPECT_DOUBLE_EQ(main_->hint().expected, BestMove().expected);
        for (int die = 0; die < 5; ++die) EXPECT_EQ(Checked(kHolds[die]), (BestMove().hold >> die & 1) != 0) << die;
        RollToTheEnd();
    }
    const int row = BestMove().row;
    EXPECT_FALSE(Framed(row));
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::Enter);
    EXPECT_EQ(main_->hint().row, row);
    EXPECT_TRUE(Framed(row));
    EXPECT_TRUE(Snapshot::OfClient(window()).SavePng("hint.png"));
    Choose(row);
    EXPECT_EQ(main_->hint().kind, HintKind::None);
    EXPECT_FALSE(Framed(row));
}

// The six-dice coach needs no table: its advice holds dice or frames a row at once, with an estimate.
TEST_F(MainDialogTest, MaxiHintHoldsTheCoachsKeepOrFramesItsRowWithAnEstimate) {
    Open(1, GameType::Maxi, 7);
    EXPECT_FALSE(MenuGreyed(ID_GAME_HINT));
    Command(ID_GAME_HINT);
    EXPECT_EQ(main_->hint().kind, HintKind::RollFirst);
    RollToTheEnd();
    bool held = false;
    for (;;) {
        const strategy::Move best = strategy::maxiMoves(state()).front();
        Command(ID_GAME_HINT);
        EXPECT_TRUE(main_->hint().estimate);
        EXPECT_DOUBLE_EQ(main_->hint().expected, best.expected);
        EXPECT_EQ(HintLine(main_->hint(), -1).rfind("Expected about ", 0), 0u) << HintLine(main_->hint(), -1);
        if (best.row >= 0) {
            EXPECT_EQ(main_->hint().kind, HintKind::Enter);
            EXPECT_TRUE(Framed(best.row));
            EXPECT_TRUE(Snapshot::OfClient(window()).SavePng("hint_maxi.png"));
            Choose(best.row);
            break;
        }
        EXPECT_EQ(main_->hint().kind, HintKind::Hold);
        for (int die = 0; die < 6; ++die) EXPECT_EQ(Checked(kHolds[die]), (best.hold >> die & 1) != 0) << die;
        held = held || Snapshot::OfClient(window()).SavePng("hint_maxi_hold.png");
        RollToTheEnd();
    }
    EXPECT_EQ(main_->hint().kind, HintKind::None);
}

// A hint belongs to one position: the roll that leaves it takes its line and its frame away, before anyone asks again.
// Its line leaves the status lines as they were.
TEST_F(MainDialogTest, ARollTakesTheHintsLineAndFrameAwayBeforeTheNextHint) {
    std::uint32_t seed = 1;  // the first whose first roll is five of a kind, which the coach enters at once
    for (;; ++seed) {
        GameState game(seed);
        game.startGame(1, GameType::Standard);
        game.roll();
        if (game.scoreFor(Kvoro) > 0) break;
    }
    Open(1, GameType::Standard, seed);
    const auto expectNoHint = [this] {
        EXPECT_EQ(main_->hint().kind, HintKind::None);
        ExpectStatus("Player 1", std::to_string(play::currentRollsLeft(state())).c_str(),
                     std::to_string(state().bonusStanding()));
    };
    Command(ID_GAME_HINT);
    ASSERT_EQ(main_->hint().kind, HintKind::RollFirst);
    ExpectStatus("Player 1", "3", "0", true);
    RollToTheEnd();
    expectNoHint();
    Command(ID_GAME_HINT);  // still computing, or the advice's longer line
    ExpectStatus("Player 1", "2", "0", true);

    // Played as advised (the hint sets the holds) up to an advised entry with rolls left; a card about to be full
    // gives way to a new game, so that no highscore window opens.
    answers_.On("New Game", StartGame(1, GameType::Standard));
    ASSERT_TRUE(PumpUntil([this] { return main_->coach().table() != nullptr; }, 600000));
    for (int rolls = 0; BestMove().row < 0 || play::currentRollsLeft(state()) == 0; ++rolls) {
        ASSERT_LT(rolls, 300) << "no advised entry with rolls left";
        if (BestMove().row < 0) {
            Command(ID_GAME_HINT);
        } else if (OpenRows().size() > 1) {
            Choose(BestMove().row);
        } else {
            Command(ID_GAME_NEWGAME);
        }
        RollToTheEnd();
    }
    const int row = BestMove().row;
    Command(ID_GAME_HINT);
    ASSERT_EQ(main_->hint().kind, HintKind::Enter);
    ASSERT_TRUE(Framed(row));
    RollToTheEnd();
    EXPECT_FALSE(Framed(row));
    expectNoHint();
}

// Cancelled in the middle of a turn, New Game changes nothing, although its fields were changed.
TEST_F(MainDialogTest, NewGameCancelledMidTurnLeavesTheGameDiceHoldsAndButtonsAsTheyWere) {
    Open(2, GameType::Standard);
    RollToTheEnd();
    Choose(Chance);
    RollToTheEnd();
    Click(window(), IDC_HOLD2);
    Click(window(), IDC_HOLD4);
    PumpMessages();
    constexpr int kDice[] = {IDC_DIE1, IDC_DIE2, IDC_DIE3, IDC_DIE4, IDC_DIE5};
    std::vector<Snapshot> pictures;
    for (int id : kDice) pictures.push_back(Snapshot::OfClient(Item(id)));
    const std::vector<BYTE> game = Bytes(state());
    const std::string holds = Holds();
    ASSERT_EQ(holds.substr(0, 5), "exexe");
    answers_.On("New Game", [](HWND dialog) {
        Click(dialog, IDC_PLAYERS5);
        Click(dialog, IDC_TYPE_MAXI);
        Close(dialog);
    });
    Command(ID_GAME_NEWGAME);
    ASSERT_EQ(answers_.log(), std::vector<std::string>{"New Game"});
    PumpMessages();
    EXPECT_EQ(Bytes(state()), game);
    EXPECT_EQ(Holds(), holds);
    EXPECT_TRUE(Enabled(IDC_ROLL));
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Snapshot::OfClient(Item(kDice[k])).Differing(pictures[k]), 0) << k;
    // The turn goes on: the held dice keep their faces.
    const int held[2] = {state().dice.values[1], state().dice.values[3]};
    RollToTheEnd();
    EXPECT_EQ(RollsLeft(), 1);
    EXPECT_EQ(state().dice.values[1], held[0]);
    EXPECT_EQ(state().dice.values[3], held[1]);
}

}  // namespace
}  // namespace kvoro::test
