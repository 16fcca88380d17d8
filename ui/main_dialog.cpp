#include "ui/main_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "res/resource.h"
#include "ui/about_dialog.h"
#include "ui/board_colours.h"
#include "ui/help_file.h"
#include "ui/highscore_dialog.h"
#include "ui/new_game_dialog.h"
#include "ui/place_centred.h"
#include "ui/score_grid_model.h"
#include "ui/settings_window.h"
#include "ui/win_rect.h"

namespace kvoro {

namespace {

constexpr UINT_PTR kRollSoundTimer = 1;
constexpr UINT kRollSoundDelayMs = 300;
constexpr LPARAM kAltDownFlag = 1 << 29;  // the context code of a key message
constexpr char kReminderText[] =
    "Remember to check Kvoro's homepage for updates regularly. <a>Click here to go online!</a>";

// The Hold button a key toggles: the digits 1 to 6 of either keyboard; 0 for other keys.
int HoldKey(WPARAM key) {
    if (key >= '1' && key <= '6') return static_cast<int>(key - '0');
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD6) return static_cast<int>(key - VK_NUMPAD0);
    return 0;
}

HANDLE LoadIconSized(int widthMetric, int heightMetric) {
    // Shared icons of the system's sizes are released with the module.
    return LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDI_KVORO), IMAGE_ICON, GetSystemMetrics(widthMetric),
                      GetSystemMetrics(heightMetric), LR_SHARED);
}

HBITMAP LoadBanner(int id) { return LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(id)); }

Size SizeOf(const RECT& rect) { return Size{rect.right - rect.left, rect.bottom - rect.top}; }

}  // namespace

MainDialog::MainDialog(MessageLoop& loop, SoundPlayer& sounds, SettingsKey& settingsKey)
    : loop_(loop), sounds_(sounds), settings_(settingsKey) {}

MainDialog::MainDialog(MessageLoop& loop, SoundPlayer& sounds, SettingsKey& settingsKey, std::uint32_t seed)
    : loop_(loop), sounds_(sounds), state_(seed), settings_(settingsKey) {}

MainDialog::~MainDialog() {
    loop_.RemoveMessageFilter(this);
    loop_.RemoveIdleHandler(this);
    // While the members still live: destroying the controls sends messages here.
    if (hwnd()) DestroyWindow(hwnd());
}

HWND MainDialog::Create() { return CreateModeless(IDD_MAIN, nullptr); }

bool MainDialog::OnInitDialog() {
    animating_ = false;
    PlaceCentred(hwnd(), nullptr);
    SetIcons();
    LoadMenuAndAccelerators();
    AttachUpdateReminder();
    LoadBanners();
    loop_.AddMessageFilter(this);
    loop_.AddIdleHandler(this);
    CreateScoreCard();
    AttachControls();
    panel_.OpenClip();
    CreateBrushes();
    ShowWindow(hwnd(), SW_SHOW);
    LoadSettings(hwnd(), settings_, MinimumSize());
    UpdateSoundCheck();
    // The empty card, the layout and the disabled buttons each redraw the
    // board; painting it at every step was most of the time to the first New
    // Game dialog. They are drawn once, complete, before the dialog opens.
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    ShowEmptyFivePlayerCard();
    Layout();
    ApplyPhase();  // no game yet: Roll and the Hold buttons disabled
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    state_.playerCount = 1;
    SendMessageA(hwnd(), WM_COMMAND, ID_GAME_NEWGAME, 0);
    Layout();
    layoutReady_ = true;
    // The idle rule, not the dialog manager, places the focus.
    return false;
}

void MainDialog::SetIcons() const {
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconSized(SM_CXICON, SM_CYICON)));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconSized(SM_CXSMICON, SM_CYSMICON)));
}

void MainDialog::LoadMenuAndAccelerators() {
    SetMenu(hwnd(), LoadMenuA(AppInstance(), MAKEINTRESOURCEA(IDR_MAINMENU)));
    accelerators_ = LoadAcceleratorsA(AppInstance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
}

void MainDialog::AttachUpdateReminder() {
    reminder_.SetText(kReminderText);
    reminder_.SetTarget(kUpdateAddress);
    reminder_.options = LinkLabel::TaggedText | LinkLabel::UnderlineOnHover;
    reminder_.AttachTo(Item(IDC_REMINDER));
}

void MainDialog::LoadBanners() {
    standardBanner_.reset(LoadBanner(IDB_BANNER_KVORO));
    maxiBanner_.reset(LoadBanner(IDB_BANNER_MAXI));
}

void MainDialog::CreateScoreCard() {
    grid_.Create(hwnd());
    grid_.Attach(&state_);
    ShowWindow(grid_.hwnd(), SW_SHOW);
}

void MainDialog::AttachControls() {
    banner_ = Item(IDC_BANNER);
    // The control never deletes a picture, not even the one it loaded itself.
    templateBanner_.reset(reinterpret_cast<HBITMAP>(SendMessageA(banner_, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    panel_.Attach(hwnd());
    status_.Attach(Item(IDC_STATUS));
}

void MainDialog::CreateBrushes() {
    green_.reset(CreateSolidBrush(kBoardGreen));
    panelFill_.reset(CreateSolidBrush(kDicePanelFill));
    panelLit_.reset(CreateSolidBrush(kDicePanelLit));
    panelShaded_.reset(CreateSolidBrush(kDicePanelShaded));
}

void MainDialog::ShowEmptyFivePlayerCard() {
    state_.playerCount = 5;
    SetWindowPos(grid_.hwnd(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    grid_.Redraw();
    RedrawWindow(grid_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void MainDialog::OnOK() {
    if (!animating_) PostMessageA(hwnd(), WM_COMMAND, IDC_ROLL, 0);
}

void MainDialog::OnCancel() {
    SaveSettings(hwnd(), settings_);
    DestroyWindow(hwnd());
    PostQuitMessage(IDCANCEL);
}

bool MainDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_ROLL:
        if (code == BN_CLICKED) OnRoll();
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
    case ID_GAME_SOUND:
        settings_.SetSoundOn(!soundOn());
        UpdateSoundCheck();
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
    if (code == ACN_STOP) {
        if (const int die = panel_.DieOf(control)) {
            if (panel_.FinishTumble(die, state_.dice)) OnRollFinished();
            return true;
        }
    }
    if (code == BN_CLICKED) {
        if (const int die = panel_.HoldOf(control)) {
            panel_.ShowHold(die, state_.dice);
            return true;
        }
    }
    return false;
}

bool MainDialog::OnSize(UINT type, int, int) {
    const bool restored = type == SIZE_RESTORED && lastSizeType_ != SIZE_RESTORED;
    lastSizeType_ = type;
    if (!layoutReady_) return true;
    if (restored) GrowToFit();
    Layout();
    return true;
}

bool MainDialog::OnEraseBackground(HDC dc) {
    RECT area{};
    GetClipBox(dc, &area);
    // Every child paints all of its area, so green under a child would only
    // show until it does. A themed control asking for its parent's background
    // brings a DC of its own, which is left whole.
    const SavedDC keepClip(dc);
    if (WindowFromDC(dc) == hwnd()) {
        for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            const RECT rect = RectInParent(child, hwnd());
            ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        }
    }
    PaintBackground(dc, area);
    return true;
}

bool MainDialog::OnDrawItem(int controlId, const DRAWITEMSTRUCT& item) {
    if (controlId != IDC_STATUS) return false;
    const int player = state_.currentPlayer;
    const double lastCost = player >= 1 && player <= kMaxPlayers ? lastEntryCost_[player - 1] : -1.0;
    status_.PaintTo(item.hDC, state_, green_.get(), HintLine(hint_, lastCost));
    return true;
}

bool MainDialog::OnTimer(UINT_PTR id) {
    if (id != kRollSoundTimer) return false;
    OnSoundTimer();
    return true;
}

bool MainDialog::OnLeftButtonUp(POINT client) {
    POINT screen = client;
    ClientToScreen(hwnd(), &screen);
    panel_.ToggleHoldsAt(screen, state_.dice);
    SetFocus(panel_.roll());
    return true;
}

bool MainDialog::OnGetMinMaxInfo(MINMAXINFO& limits) {
    if (!layoutReady_) return false;
    const SIZE minimum = MinimumSize();
    limits.ptMinTrackSize.x = std::max<LONG>(limits.ptMinTrackSize.x, minimum.cx);
    limits.ptMinTrackSize.y = std::max<LONG>(limits.ptMinTrackSize.y, minimum.cy);
    return true;
}

HBRUSH MainDialog::OnControlColor(HDC, HWND control) {
    // A die erases itself with this brush before it draws its picture: the
    // clip's own background there, so that a die never flashes green.
    return (panel_.DieOf(control) ? panelFill_ : green_).get();
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == CoachTable::ReadyMessage()) {
        // Anyone may post the message; only a finished worker hands a table over.
        if (coach_.TakeIfFinished() && hint_.kind == HintKind::Computing) OnHint();
        return true;
    }
    switch (message) {
    case WM_ROW_CHOSEN:
        // The same number is DM_SETDEFID for a dialog; only the card's own message counts.
        if (!grid_.hwnd() || reinterpret_cast<HWND>(lParam) != grid_.hwnd()) return false;
        OnRowChosen(static_cast<int>(wParam));
        return true;
    case WM_INITMENUPOPUP:
        UpdateSoundCheck();
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
        if (const int die = HoldKey(message.wParam)) {
            panel_.ToggleHold(die, state_.dice);
            return true;
        }
    }
    TranslateAcceleratorA(hwnd(), accelerators_, &message);
    return hwnd() && IsDialogMessageA(hwnd(), &message);
}

void MainDialog::OnIdle() {
    if (hwnd() && !panel_.HoldOf(GetFocus())) SetFocus(panel_.roll());
}

BoardMetrics MainDialog::Metrics() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const RECT grid = RectInParent(grid_.hwnd(), hwnd());
    BITMAP picture{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(banner_, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof(picture),
               &picture);
    return BoardMetrics{client.right, client.bottom, grid.right, grid.bottom, Size{picture.bmWidth, picture.bmHeight},
                        SizeOf(RectInParent(Item(IDC_REMINDER), hwnd())), state_.gameType};
}

SIZE MainDialog::FrameSize() const {
    // From the styles rather than the current rectangles, which are those of
    // the icon while the window is being restored.
    RECT outer{0, 0, 0, 0};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_STYLE)), GetMenu(hwnd()) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_EXSTYLE)));
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

SIZE MainDialog::MinimumSize() const {
    const Size minimum = DiceRowMinimum(Metrics());
    const SIZE frame = FrameSize();
    return SIZE{minimum.width + frame.cx, minimum.height + frame.cy};
}

void MainDialog::Layout() {
    const BoardLayout layout = LayoutBoard(Metrics());
    PlaceControl(banner_, layout.banner);
    PlaceControl(Item(IDC_REMINDER), layout.reminder);
    panel_.Place(layout);
    PlaceControl(status_.hwnd(), layout.status);
    dicePanel_ = layout.dicePanel;
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainDialog::GrowToFit() {
    if (IsIconic(hwnd()) || IsZoomed(hwnd())) return;
    const Size client = FittingClientSize(Metrics());
    const SIZE frame = FrameSize();
    RECT outer{};
    GetWindowRect(hwnd(), &outer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    const Rect grown = GrownWindow(FromRECT(outer), Size{client.width + frame.cx, client.height + frame.cy},
                                   FromRECT(monitor.rcWork));
    if (grown == FromRECT(outer)) return;
    SetWindowPos(hwnd(), nullptr, grown.left, grown.top, grown.Width(), grown.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainDialog::ShowBanner() {
    const HBITMAP wanted = (state_.gameType == GameType::Maxi ? maxiBanner_ : standardBanner_).get();
    SendMessageA(banner_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(wanted));
}

void MainDialog::UpdateSoundCheck() const {
    CheckMenuItem(GetMenu(hwnd()), ID_GAME_SOUND, MF_BYCOMMAND | (soundOn() ? MF_CHECKED : MF_UNCHECKED));
}

void MainDialog::RedrawPanels() {
    status_.Redraw();
    RedrawCard();
}

void MainDialog::RedrawCard() {
    grid_.Redraw();
    RedrawWindow(grid_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void MainDialog::ApplyPhase() const { panel_.Apply(ButtonsFor(PhaseOf(state_, animating_))); }

void MainDialog::PaintBackground(HDC dc, const RECT& area) const {
    // The dice panel first, then the green around it, so that no pixel shows
    // green before its final colour.
    const SavedDC keepClip(dc);
    if (dicePanel_.Width() > 0) {  // laid out
        const RECT panel = ToRECT(dicePanel_);
        FillRect(dc, &panel, panelFill_.get());
        const PanelFrame frame = DicePanelFrame(dicePanel_);
        for (const Rect& edge : frame.lit) {
            const RECT line = ToRECT(edge);
            FillRect(dc, &line, panelLit_.get());
        }
        for (const Rect& edge : frame.shaded) {
            const RECT line = ToRECT(edge);
            FillRect(dc, &line, panelShaded_.get());
        }
        ExcludeClipRect(dc, panel.left, panel.top, panel.right, panel.bottom);
    }
    FillRect(dc, &area, green_.get());
}

void MainDialog::OnRoll() {
    // Once the game has ended nobody rolls, although the next player was
    // already handed his rolls.
    if (state_.roundsLeft <= 0 || CurrentRollsLeft(state_) <= 0) return;
    panel_.DisableRoll();
    if (animating_) return;
    if (ClearHint()) RedrawCard();  // the mark goes as the dice start to tumble
    panel_.CopyHolds(state_.dice, state_.gameType);
    state_.roll();
    animating_ = true;
    if (!panel_.StartRoll(state_.dice, state_.gameType)) {
        OnRollFinished();  // no die tumbles: nothing to wait for, nothing to hear
        return;
    }
    if (soundOn()) SetTimer(hwnd(), kRollSoundTimer, kRollSoundDelayMs, nullptr);
}

void MainDialog::OnRollFinished() {
    // Once per roll: when its last tumbling die has stopped, or at once when
    // no die tumbles.
    if (!animating_ || panel_.RollEnabled()) return;
    animating_ = false;
    ApplyPhase();
    RedrawPanels();
    // The stop arrives as a message sent from the control's own thread, which
    // the loop never sees, so apply the idle focus rule here.
    OnIdle();
}

void MainDialog::OnRowChosen(int row) {
    if (animating_ || !IsChoosable(state_, row) || !GameState::isRowShown(state_.gameType, row)) return;
    if (IsHintOffered(state_)) lastEntryCost_[state_.currentPlayer - 1] = EntryCost(state_, coach_.table(), row);
    ClearHint();
    panel_.ShowAllEmpty();
    panel_.ReleaseHolds();
    const int result = state_.enterScore(row);
    RedrawPanels();
    if (soundOn()) {
        if (result == -1) {
            sounds_.PlaySync(IDR_WAVE_ZERO);
        } else if (row == Kvoro) {
            sounds_.PlaySync(IDR_WAVE_KVORO);
        }
    }
    if (state_.roundsLeft > 0) {
        ApplyPhase();
        SetFocus(panel_.roll());
    } else {
        OnGameEnd();
    }
}

void MainDialog::OnGameEnd() {
    ApplyPhase();
    for (int player = 1; player <= state_.playerCount; ++player) {
        settings_.RecordGameResult(state_.playerName(player), state_.card(player).values[Score], state_.gameType);
    }
    // At once, so that a crash or a killed process keeps the game; the close
    // retries and reports what this could not store.
    settings_.SaveTable(state_.gameType);
    HighscoreDialog(highscores()).Run(GetActiveWindow());
    SendMessageA(hwnd(), WM_COMMAND, ID_GAME_NEWGAME, 0);
}

void MainDialog::OnNewGame() {
    NewGameDialog dialog(state_);
    if (dialog.Run(GetActiveWindow()) != IDOK) return;
    // The coach's table is computed once the first five-dice game is under
    // way, so that start-up does not share the processor with it.
    if (state_.gameType == GameType::Standard) coach_.Start(hwnd());
    // A roll whose end was never seen must not block the new game.
    animating_ = false;
    panel_.ForgetRoll();
    ClearHint();
    for (double& cost : lastEntryCost_) cost = -1.0;
    ShowBanner();
    RedrawPanels();
    GrowToFit();
    Layout();
    ApplyPhase();
    panel_.ShowAllEmpty();
}

void MainDialog::OnSoundTimer() {
    // A roll sound once scheduled plays even if the sound was switched off since.
    KillTimer(hwnd(), kRollSoundTimer);
    sounds_.PlayAsync(IDR_WAVE_ROLL1 + state_.random.next() % 3);
}

// Signing out or shutting down ends the process without the closing
// sequence, so the settings are saved when the session is about to end, and
// again when it ends (a forced end skips the question): with no message box,
// which would hold the end up. A save stores only what the key lacks.
void MainDialog::OnSessionEnd() { SaveSettings(hwnd(), settings_, true); }

void MainDialog::OnHint() {
    if (!IsHintOffered(state_) || animating_) return;
    const bool unmarked = ClearHint();
    hint_ = HintFor(state_, coach_.table());
    if (hint_.kind == HintKind::Hold) panel_.SetHolds(hint_.hold, state_.dice, state_.gameType);
    if (hint_.kind == HintKind::Enter) {
        grid_.MarkRow(hint_.row);
        RedrawPanels();
        return;
    }
    if (unmarked) RedrawCard();
    status_.Redraw();
}

// A hint belongs to one position: a roll, an entry or a new game ends it.
// Returns whether the card lost a mark; the caller redraws it, most of them
// redraw the card anyway.
bool MainDialog::ClearHint() {
    hint_ = Hint{};
    if (grid_.markedRow() < 0) return false;
    grid_.MarkRow(-1);
    return true;
}

}  // namespace kvoro
