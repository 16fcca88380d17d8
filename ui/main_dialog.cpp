#include "ui/main_dialog.h"

#include <commctrl.h>

#include <ctime>
#include <string>

#include "res/resource.h"
#include "store/player_setup.h"
#include "ui/about_dialog.h"
#include "ui/help_file.h"
#include "ui/highscore_dialog.h"
#include "ui/new_game_dialog.h"
#include "ui/place_centred.h"
#include "ui/settings_window.h"
#include "ui/win_rect.h"
#include "ui/window_fit.h"

namespace kvoro {

namespace {

constexpr UINT_PTR kRollSoundTimer = 1;
constexpr UINT kRollSoundDelayMs = 300;
constexpr LPARAM kAltDownFlag = 1 << 29;  // the context code of a key message
constexpr char kReminderText[] =
    "Remember to check Kvoro's homepage for updates regularly. <a>Click here to go online!</a>";

}  // namespace

MainDialog::MainDialog(MessageLoop& loop, SoundPlayer& sounds, SettingsKey& settingsKey)
    : MainDialog(loop, sounds, settingsKey, static_cast<std::uint32_t>(std::time(nullptr))) {}

MainDialog::MainDialog(MessageLoop& loop, SoundPlayer& sounds, SettingsKey& settingsKey, std::uint32_t seed)
    : loop_(loop), sounds_(sounds), settingsKey_(settingsKey), controller_(seed),
      settings_(settingsKey) {}

MainDialog::~MainDialog() {
    loop_.RemoveMessageFilter(this);
    loop_.RemoveIdleHandler(this);
    // While the members still live: destroying the controls sends messages here.
    if (hwnd()) DestroyWindow(hwnd());
}

HWND MainDialog::Create() { return CreateModeless(IDD_MAIN, nullptr); }

bool MainDialog::OnInitDialog() {
    PlaceCentred(hwnd(), nullptr);
    menu_.Load(hwnd());
    pace_.Attach(hwnd());
    loop_.AddMessageFilter(this);
    loop_.AddIdleHandler(this);
    AttachControls();
    panel_.OpenClip();
    ShowWindow(hwnd(), SW_SHOW);
    LoadSettings(hwnd(), settings_, WindowSizeFor(hwnd(), DiceRowMinimum(Metrics())));
    const PlayerSetup setup = LoadPlayerSetup(settingsKey_);
    controller_.seats() = setup.seats;
    controller_.setSpeed(setup.speed);
    UpdateMenu();
    // The empty card, the layout and the disabled buttons are drawn once,
    // complete, before the first New Game dialog: not at every step.
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    controller_.game().playerCount = 5;  // the empty card of five players
    SetWindowPos(grid_.hwnd(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    RedrawCard();
    Layout();
    ApplyPhase();  // no game yet: Roll and the Hold buttons disabled
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    controller_.game().playerCount = 1;
    OnNewGame();
    Layout();
    layoutReady_ = true;
    // The idle rule, not the dialog manager, places the focus.
    return false;
}

void MainDialog::AttachControls() {
    reminder_.SetText(kReminderText);
    reminder_.SetTarget(kUpdateAddress);
    reminder_.options = LinkLabel::TaggedText | LinkLabel::UnderlineOnHover;
    reminder_.AttachTo(Item(IDC_REMINDER));
    grid_.Create(hwnd());
    grid_.Attach(&controller_.state());
    ShowWindow(grid_.hwnd(), SW_SHOW);
    banner_.Attach(Item(IDC_BANNER));
    panel_.Attach(hwnd());
    status_.Attach(Item(IDC_STATUS));
}

void MainDialog::OnOK() {
    if (!controller_.rolling()) PostMessageA(hwnd(), WM_COMMAND, IDC_ROLL, 0);
}

void MainDialog::OnCancel() {
    // The computer's turn ends here: its timer goes with the window.
    SaveSettings(hwnd(), settings_);
    SavePlayerSetup(settingsKey_, PlayerSetup{controller_.seats(), controller_.speed()});
    DestroyWindow(hwnd());
    PostQuitMessage(IDCANCEL);
}

bool MainDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_ROLL:
        if (code == BN_CLICKED) Roll(play::Actor::Human, panel_.CheckedHolds(state().gameType));
        return true;
    case ID_GAME_NEWGAME:
        OnNewGame();
        return true;
    case ID_GAME_HIGHSCORE:
        HighscoreDialog(highscores()).Run(GetActiveWindow());
        return true;
    case ID_GAME_HINT:
        OnHint();
        return true;
    case ID_GAME_UNDO:
        OnUndo();
        return true;
    case ID_GAME_SOUND:
        settings_.SetSoundOn(!soundOn());
        UpdateMenu();
        return true;
    case ID_SPEED_SLOW:
    case ID_SPEED_NORMAL:
    case ID_SPEED_FAST:
        controller_.setSpeed(static_cast<play::Speed>(id - ID_SPEED_SLOW));
        UpdateMenu();
        pace_.Schedule();
        return true;
    case ID_GAME_CLEARHIGHSCORE:
        ClearHighscores(hwnd(), settings_);
        return true;
    case ID_HELP_ABOUT:
        AboutDialog().Run(GetActiveWindow());
        return true;
    case ID_HELP_HOMEPAGE:
        OpenHomepage();
        return true;
    case ID_HELP_HELP:
        ShowHelpFile(hwnd());
        return true;
    default:
        break;
    }
    const DicePanel::Notice notice = panel_.OnCommand(code, control, state().dice);
    if (notice == DicePanel::Notice::RollEnded) OnRollFinished();
    return notice != DicePanel::Notice::NotOurs;
}

bool MainDialog::OnSize(UINT type, int, int) {
    const bool restored = type == SIZE_RESTORED && lastSizeType_ != SIZE_RESTORED;
    lastSizeType_ = type;
    if (!layoutReady_) return true;
    if (restored) GrowToClient(hwnd(), FittingClientSize(Metrics()));
    Layout();
    return true;
}

bool MainDialog::OnEraseBackground(HDC dc) {
    background_.Erase(hwnd(), dc);
    return true;
}

bool MainDialog::OnDrawItem(int controlId, const DRAWITEMSTRUCT& item) {
    if (controlId != IDC_STATUS) return false;
    const int player = state().currentPlayer;
    const double lastCost = player >= 1 && player <= kMaxPlayers ? lastEntryCost_[player - 1] : -1.0;
    const std::string line = controller_.isComputerTurn()
                                 ? std::string(play::seatName(controller_.currentSeat())) + " is playing"
                                 : HintLine(hint_, lastCost);
    status_.PaintTo(item.hDC, state(), background_.green(), line);
    return true;
}

bool MainDialog::OnTimer(UINT_PTR id) {
    if (id == kRollSoundTimer) {
        // A roll sound once scheduled plays even if the sound was switched off since.
        KillTimer(hwnd(), kRollSoundTimer);
        sounds_.PlayAsync(IDR_WAVE_ROLL1 + controller_.game().random.next() % 3);
    }
    if (id == kComputerStepTimer) OnComputerTimer();
    return id == kRollSoundTimer || id == kComputerStepTimer;
}

bool MainDialog::OnLeftButtonUp(POINT client) {
    POINT screen = client;
    ClientToScreen(hwnd(), &screen);
    panel_.ToggleHoldsAt(screen, state().dice);
    SetFocus(panel_.roll());
    return true;
}

bool MainDialog::OnGetMinMaxInfo(MINMAXINFO& limits) {
    if (!layoutReady_) return false;
    LimitTracking(hwnd(), DiceRowMinimum(Metrics()), limits);
    return true;
}

HBRUSH MainDialog::OnControlColor(HDC, HWND control) {
    // A die erases itself with this brush before it draws its picture: the
    // clip's own background there, so that a die never flashes green.
    return panel_.DieOf(control) ? background_.panelFill() : background_.green();
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == CoachTable::ReadyMessage()) {
        // Anyone may post the message; only a finished worker hands a table over.
        if (coach_.TakeIfFinished()) {
            controller_.setCoachTable(coach_.table());
            if (hint_.kind == HintKind::Computing) OnHint();
            pace_.Schedule();  // a computer waiting for the table plays on
        }
        return true;
    }
    if (const int row = grid_.ChosenRow(message, wParam, lParam); row >= 0) {
        EnterRow(play::Actor::Human, row);
        return true;
    }
    switch (message) {
    case WM_ENABLE:
        pace_.OnEnable(wParam != FALSE);
        return true;
    case WM_INITMENUPOPUP:
        UpdateMenu();
        return true;
    case WM_QUERYENDSESSION:
        OnSessionEnd();
        result = TRUE;  // the session may end
        return true;
    case WM_ENDSESSION:
        if (wParam) OnSessionEnd();  // a cancelled end lets the game go on
        return true;
    default:
        return false;
    }
}

bool MainDialog::PreTranslateMessage(MSG& message) {
    if (!hwnd()) return false;
    // While the dice roll the Roll button is disabled and nothing has the
    // focus; keys then reach the active window as WM_SYSKEYDOWN without Alt.
    const bool keyDown = message.message == WM_KEYDOWN ||
                         (message.message == WM_SYSKEYDOWN && !(message.lParam & kAltDownFlag));
    if (keyDown) {
        if (message.wParam == VK_SPACE) {
            PostMessageA(hwnd(), WM_COMMAND, IDC_ROLL, 0);
            return true;
        }
        if (const int die = DicePanel::DieOfKey(message.wParam)) {
            panel_.ToggleHold(die, state().dice);
            return true;
        }
    }
    TranslateAcceleratorA(hwnd(), menu_.accelerators(), &message);
    return hwnd() && IsDialogMessageA(hwnd(), &message);
}

void MainDialog::OnIdle() {
    if (hwnd() && !panel_.HoldOf(GetFocus())) SetFocus(panel_.roll());
}

BoardMetrics MainDialog::Metrics() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const RECT grid = RectInParent(grid_.hwnd(), hwnd());
    const RECT reminder = RectInParent(Item(IDC_REMINDER), hwnd());
    return BoardMetrics{client.right, client.bottom, grid.right, grid.bottom, banner_.PictureSize(),
                        Size{reminder.right - reminder.left, reminder.bottom - reminder.top}, state().gameType};
}

void MainDialog::Layout() {
    const BoardLayout layout = LayoutBoard(Metrics());
    PlaceControl(banner_.hwnd(), layout.banner);
    PlaceControl(Item(IDC_REMINDER), layout.reminder);
    panel_.Place(layout);
    PlaceControl(status_.hwnd(), layout.status);
    background_.SetDicePanel(layout.dicePanel);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainDialog::UpdateMenu() const {
    menu_.ShowSound(soundOn());
    menu_.ShowSpeed(controller_.speed());
    menu_.EnableHint(!controller_.isComputerTurn());
    menu_.EnableUndo(controller_.canUndo());
}

void MainDialog::RedrawPanels() {
    status_.Redraw();
    RedrawCard();
}

void MainDialog::RedrawCard() {
    grid_.Redraw();
    RedrawWindow(grid_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The score card takes no clicks while a computer plays.
void MainDialog::ApplyPhase() const {
    panel_.Apply(controller_.buttons());
    const bool open = !controller_.isComputerTurn();
    if ((IsWindowEnabled(grid_.hwnd()) != FALSE) != open) EnableWindow(grid_.hwnd(), open);
}

void MainDialog::Roll(play::Actor actor, std::uint32_t hold) {
    if (!controller_.roll(actor, hold)) return;
    if (ClearHint()) RedrawCard();  // the mark goes as the dice start to tumble
    ApplyPhase();
    if (!panel_.StartRoll(state().dice, state().gameType)) {
        OnRollFinished();  // no die tumbles: nothing to wait for, nothing to hear
        return;
    }
    if (soundOn()) SetTimer(hwnd(), kRollSoundTimer, kRollSoundDelayMs, nullptr);
}

void MainDialog::OnRollFinished() {
    // Once per roll: when its last tumbling die has stopped, or at once when
    // no die tumbles.
    if (!controller_.rollFinished()) return;
    ApplyPhase();
    RedrawPanels();
    // The stop arrives as a message sent from the control's own thread, which
    // the loop never sees, so apply the idle focus rule here.
    OnIdle();
    pace_.Schedule();
}

void MainDialog::EnterRow(play::Actor actor, int row) {
    if (!controller_.canEnter(actor, row)) return;
    if (actor == play::Actor::Human && IsHintOffered(state())) {
        lastEntryCost_[state().currentPlayer - 1] = EntryCost(state(), coach_.table(), row);
    }
    ClearHint();
    panel_.ShowAllEmpty();
    panel_.ReleaseHolds();
    const int result = controller_.enter(actor, row);
    RedrawPanels();
    if (soundOn()) PlayEntrySound(sounds_, result, row);
    if (controller_.isGameOver()) {
        OnGameEnd();
        return;
    }
    ApplyPhase();
    SetFocus(panel_.roll());
    pace_.Schedule();
}

void MainDialog::OnGameEnd() {
    ApplyPhase();
    for (int player = 1; player <= state().playerCount; ++player) {
        if (!controller_.recordsResult(player)) continue;  // a computer's result is never listed
        settings_.RecordGameResult(state().playerName(player), state().card(player).values[Score], state().gameType);
    }
    // At once, so that a crash or a killed process keeps the game; the close
    // retries and reports what this could not store.
    settings_.SaveTable(state().gameType);
    HighscoreDialog(highscores()).Run(GetActiveWindow());
    OnNewGame();
}

void MainDialog::OnNewGame() {
    NewGameDialog dialog(controller_.game(), controller_.seats());
    if (dialog.Run(GetActiveWindow()) != IDOK) return;
    // The coach's table is computed once the first five-dice game is under
    // way, so that start-up does not share the processor with it.
    if (state().gameType == GameType::Standard) coach_.Start(hwnd());
    // A roll whose end was never seen must not block the new game.
    controller_.gameStarted();
    panel_.ForgetRoll();
    ClearHint();
    for (double& cost : lastEntryCost_) cost = -1.0;
    UpdateMenu();
    banner_.Show(state().gameType);
    RedrawPanels();
    GrowToClient(hwnd(), FittingClientSize(Metrics()));
    Layout();
    ApplyPhase();
    panel_.ShowAllEmpty();
    pace_.Schedule();
}

// The board shows the position before the last entry again, with its dice.
void MainDialog::OnUndo() {
    if (!controller_.undo()) return;
    lastEntryCost_[state().currentPlayer - 1] = -1.0;  // that entry is not made any more
    ClearHint();
    ApplyPhase();
    panel_.ShowDice(state().dice, state().gameType);
    RedrawPanels();
    pace_.Schedule();  // a computer's turn that was due is not any more
}

// Plays the computer's next step on the board as a human's input would.
void MainDialog::OnComputerTimer() {
    const play::ComputerStep step = pace_.Take();
    switch (step.kind) {
    case play::ComputerStep::Kind::Hold:
        panel_.ShowHolds(step.hold, state().dice, state().gameType);
        break;
    case play::ComputerStep::Kind::Show:
        grid_.MarkRow(step.row);
        RedrawCard();
        break;
    case play::ComputerStep::Kind::Roll:
        Roll(play::Actor::Computer, step.hold);
        return;
    case play::ComputerStep::Kind::Enter:
        EnterRow(play::Actor::Computer, step.row);
        return;
    default:
        return;
    }
    controller_.stepShown();
    pace_.Schedule();
}

// The session's end skips the closing sequence: save when it is asked and when
// it ends (a forced end skips the question), with no box to hold it up.
void MainDialog::OnSessionEnd() {
    SaveSettings(hwnd(), settings_, true);
    SavePlayerSetup(settingsKey_, PlayerSetup{controller_.seats(), controller_.speed()});
}

void MainDialog::OnHint() {
    if (!IsHintOffered(state()) || controller_.rolling() || controller_.isComputerTurn()) return;
    const bool unmarked = ClearHint();
    hint_ = HintFor(state(), coach_.table());
    if (hint_.kind == HintKind::Hold) panel_.SetHolds(hint_.hold, state().dice, state().gameType);
    if (hint_.kind == HintKind::Enter) {
        grid_.MarkRow(hint_.row);
        RedrawPanels();
        return;
    }
    if (unmarked) RedrawCard();
    status_.Redraw();
}

// A hint belongs to one position: a roll, an entry or a new game ends it.
// Returns whether the card lost a mark, for the caller to redraw.
bool MainDialog::ClearHint() {
    hint_ = Hint{};
    if (grid_.markedRow() < 0) return false;
    grid_.MarkRow(-1);
    return true;
}

}  // namespace kvoro
