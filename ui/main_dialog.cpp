#include "ui/main_dialog.h"

#include <ctime>

#include "res/resource.h"
#include "store/player_setup.h"
#include "ui/highscore_dialog.h"
#include "ui/new_game_dialog.h"
#include "ui/place_centred.h"
#include "ui/settings_window.h"
#include "ui/window_fit.h"

namespace kvoro {

namespace {

constexpr UINT_PTR kRollSoundTimer = 1;
constexpr UINT kRollSoundDelayMs = 300;
constexpr LPARAM kAltDownFlag = 1 << 29;  // the context code of a key message

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
    board_.Attach(hwnd());
    board_.dice().OpenClip();
    ShowWindow(hwnd(), SW_SHOW);
    LoadSettings(hwnd(), settings_, WindowSizeFor(hwnd(), DiceRowMinimum(board_.Metrics())));
    const PlayerSetup setup = LoadPlayerSetup(settingsKey_);
    controller_.seats() = setup.seats;
    controller_.setSpeed(setup.speed);
    UpdateMenu();
    // The empty card is drawn before the first New Game dialog, not at every step.
    controller_.game().playerCount = 5;
    board_.DrawEmpty();
    controller_.game().playerCount = 1;
    OnNewGame();
    board_.Layout();
    layoutReady_ = true;
    // The idle rule, not the dialog manager, places the focus.
    return false;
}

// Enter, as the dialog manager reports it, rolls as Roll does.
void MainDialog::OnOK() { RollByHand(); }

void MainDialog::OnCancel() {
    // The computer's turn ends here: its timer goes with the window.
    Save(false);
    DestroyWindow(hwnd());
    PostQuitMessage(IDCANCEL);
}

bool MainDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_ROLL:
        if (code == BN_CLICKED) RollByHand();
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
    default:
        break;
    }
    if (menu_.RunHelpCommand(id)) return true;
    const DicePanel::Notice notice = board_.dice().OnCommand(code, control, state().dice);
    if (notice == DicePanel::Notice::RollEnded) OnRollFinished();
    return notice != DicePanel::Notice::NotOurs;
}

bool MainDialog::OnSize(UINT type, int, int) {
    const bool restored = type == SIZE_RESTORED && lastSizeType_ != SIZE_RESTORED;
    lastSizeType_ = type;
    if (!layoutReady_) return true;
    if (restored) GrowToClient(hwnd(), FittingClientSize(board_.Metrics()));
    board_.Layout();
    return true;
}

bool MainDialog::OnEraseBackground(HDC dc) {
    board_.EraseBackground(dc);
    return true;
}

bool MainDialog::OnDrawItem(int controlId, const DRAWITEMSTRUCT& item) {
    if (controlId != IDC_STATUS) return false;
    board_.PaintStatus(item.hDC, coach_.StatusLine(controller_));
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
    board_.ClickAt(client);
    return true;
}

bool MainDialog::OnGetMinMaxInfo(MINMAXINFO& limits) {
    if (!layoutReady_) return false;
    LimitTracking(hwnd(), DiceRowMinimum(board_.Metrics()), limits);
    return true;
}

HBRUSH MainDialog::OnControlColor(HDC, HWND control) { return board_.ControlBrush(control); }

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == CoachTable::ReadyMessage()) {
        // Anyone may post the message; only a finished worker hands a table over.
        if (coach_.TakeTable()) {
            controller_.setCoachTable(coach_.table());
            if (hint().kind == HintKind::Computing) OnHint();
            pace_.Schedule();  // a computer waiting for the table plays on
        }
        return true;
    }
    if (const int row = board_.card().ChosenRow(message, wParam, lParam); row >= 0) {
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
    // The session's end skips the closing sequence: save when it is asked and
    // when it ends (a forced end skips the question), with no box to hold it up.
    case WM_QUERYENDSESSION:
        Save(true);
        result = TRUE;  // the session may end
        return true;
    case WM_ENDSESSION:
        if (wParam) Save(true);  // a cancelled end lets the game go on
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
            RollByHand();
            return true;
        }
        if (const int die = DicePanel::DieOfKey(message.wParam)) {
            board_.dice().ToggleHold(die, state().dice);
            return true;
        }
    }
    TranslateAcceleratorA(hwnd(), menu_.accelerators(), &message);
    return hwnd() && IsDialogMessageA(hwnd(), &message);
}

void MainDialog::OnIdle() {
    if (hwnd() && !board_.dice().HoldOf(GetFocus())) SetFocus(board_.dice().roll());
}

void MainDialog::UpdateMenu() const {
    menu_.ShowSound(soundOn());
    menu_.ShowSpeed(controller_.speed());
    menu_.EnableHint(!controller_.isComputerTurn());
    menu_.EnableUndo(controller_.canUndo());
}

void MainDialog::Roll(play::Actor actor, std::uint32_t hold) {
    if (!controller_.roll(actor, hold)) return;
    if (ClearHint()) board_.RedrawCard();  // the mark goes as the dice start to tumble
    board_.ApplyPhase();
    if (!board_.dice().StartRoll(state().dice, state().gameType)) {
        OnRollFinished();  // no die tumbles: nothing to wait for, nothing to hear
        return;
    }
    if (soundOn()) SetTimer(hwnd(), kRollSoundTimer, kRollSoundDelayMs, nullptr);
}

void MainDialog::RollByHand() { Roll(play::Actor::Human, board_.dice().CheckedHolds(state().gameType)); }

void MainDialog::OnRollFinished() {
    // Once per roll: when its last tumbling die has stopped, or at once when
    // no die tumbles.
    if (!controller_.rollFinished()) return;
    board_.ApplyPhase();
    board_.RedrawPanels();
    // The stop arrives as a message sent from the control's own thread, which
    // the loop never sees, so apply the idle focus rule here.
    OnIdle();
    pace_.Schedule();
}

void MainDialog::EnterRow(play::Actor actor, int row) {
    if (!controller_.canEnter(actor, row)) return;
    if (actor == play::Actor::Human) coach_.JudgeEntry(state(), row);
    ClearHint();
    board_.dice().ShowAllEmpty();
    board_.dice().ReleaseHolds();
    const int result = controller_.enter(actor, row);
    board_.RedrawPanels();
    if (soundOn()) PlayEntrySound(sounds_, result, row);
    if (controller_.isGameOver()) {
        OnGameEnd();
        return;
    }
    board_.ApplyPhase();
    SetFocus(board_.dice().roll());
    pace_.Schedule();
}

void MainDialog::OnGameEnd() {
    board_.ApplyPhase();
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
    coach_.GameStarted(hwnd(), state().gameType);
    // A roll whose end was never seen must not block the new game.
    controller_.gameStarted();
    board_.dice().ForgetRoll();
    board_.MarkRow(-1);
    UpdateMenu();
    board_.banner().Show(state().gameType);
    board_.RedrawPanels();
    GrowToClient(hwnd(), FittingClientSize(board_.Metrics()));
    board_.Layout();
    board_.ApplyPhase();
    board_.dice().ShowAllEmpty();
    pace_.Schedule();
}

// The board shows the position before the last entry again, with its dice.
void MainDialog::OnUndo() {
    if (!controller_.undo()) return;
    coach_.ForgetLastEntry(state().currentPlayer);  // that entry is not made any more
    ClearHint();
    board_.ApplyPhase();
    board_.dice().ShowDice(state().dice, state().gameType);
    board_.RedrawPanels();
    pace_.Schedule();  // a computer's turn that was due is not any more
}

// Plays the computer's next step on the board as a human's input would.
void MainDialog::OnComputerTimer() {
    const play::ComputerStep step = pace_.Take();
    if (step.kind == play::ComputerStep::Kind::Roll) {
        Roll(play::Actor::Computer, step.hold);
    } else if (step.kind == play::ComputerStep::Kind::Enter) {
        EnterRow(play::Actor::Computer, step.row);
    } else if (board_.ShowComputerStep(step)) {
        controller_.stepShown();
        pace_.Schedule();
    }
}

void MainDialog::Save(bool quietly) {
    SaveSettings(hwnd(), settings_, quietly);
    SavePlayerSetup(settingsKey_, PlayerSetup{controller_.seats(), controller_.speed()});
}

void MainDialog::OnHint() {
    if (!IsHintOffered(state()) || controller_.rolling() || controller_.isComputerTurn()) return;
    const Hint& hint = coach_.Advise(state());
    if (hint.kind == HintKind::Hold) board_.dice().SetHolds(hint.hold, state().dice, state().gameType);
    // The card is redrawn only when a mark comes or goes.
    if (board_.MarkRow(hint.kind == HintKind::Enter ? hint.row : -1)) board_.RedrawCard();
    board_.RedrawStatus();
}

// A hint belongs to one position: a roll, an entry or a new game ends it.
// Returns whether the card lost a mark, for the caller to redraw.
bool MainDialog::ClearHint() {
    coach_.Clear();
    return board_.MarkRow(-1);
}

}  // namespace kvoro
