#include "ui/main_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include "res/resource.h"
#include "ui/board_model.h"
#include "ui/grid_model.h"
#include "ui/new_game_dialog.h"
#include "ui/place_centred.h"
#include "ui/win_rect.h"

namespace kvoro {

namespace {

constexpr UINT_PTR kRollSoundTimer = 1;
constexpr UINT kRollSoundDelayMs = 300;
constexpr LPARAM kAltDownFlag = 1 << 29;  // the context code of a key message

// A child's window rectangle in its parent's client coordinates.
RECT RectInParent(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

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

}  // namespace

MainDialog::MainDialog(MessageLoop& loop, SoundPlayer& sounds) : loop_(loop), sounds_(sounds) {}

MainDialog::MainDialog(MessageLoop& loop, SoundPlayer& sounds, std::uint32_t seed)
    : loop_(loop), sounds_(sounds), state_(seed) {}

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
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconSized(SM_CXICON, SM_CYICON)));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconSized(SM_CXSMICON, SM_CYSMICON)));
    SetMenu(hwnd(), LoadMenuA(AppInstance(), MAKEINTRESOURCEA(IDR_MAINMENU)));
    accelerators_ = LoadAcceleratorsA(AppInstance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    standardBanner_.reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_BANNER_KVORO)));
    maxiBanner_.reset(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_BANNER_MAXI)));
    loop_.AddMessageFilter(this);
    loop_.AddIdleHandler(this);

    grid_.Create(hwnd());
    grid_.Attach(&state_);
    ShowWindow(grid_.hwnd(), SW_SHOW);
    banner_ = Item(IDC_BANNER);
    panel_.Attach(hwnd());
    panel_.OpenClip();
    green_.reset(CreateSolidBrush(kBoardGreen));
    panelBrush_.reset(CreateSolidBrush(RGB(0, 80, 80)));
    litEdge_.reset(CreateSolidBrush(RGB(43, 123, 123)));
    shadedEdge_.reset(CreateSolidBrush(RGB(3, 40, 40)));
    panel_.CreateStatusFont();
    UpdateSoundCheck();

    // The empty card is first sized for five players.
    state_.playerCount = 5;
    SetWindowPos(grid_.hwnd(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    grid_.Redraw();
    RedrawWindow(grid_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Layout();
    ApplyPhase();
    // Built and laid out while hidden, then shown and painted once: the board
    // is complete when the New Game dialog comes up over it, and the start is
    // not spent on paints of controls still moving into place.
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    state_.playerCount = 1;
    SendMessageA(hwnd(), WM_COMMAND, ID_GAME_NEWGAME, 0);
    Layout();
    layoutReady_ = true;
    // The idle rule, not the dialog manager, places the focus.
    return false;
}

bool MainDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDOK:
        if (!animating_) PostMessageA(hwnd(), WM_COMMAND, IDC_ROLL, 0);
        return true;
    case IDCANCEL:
        DestroyWindow(hwnd());
        PostQuitMessage(IDCANCEL);
        return true;
    case IDC_ROLL:
        if (code == BN_CLICKED) OnRoll();
        return true;
    case ID_GAME_NEWGAME:
        OnNewGame();
        return true;
    case ID_GAME_HIGHSCORE:
        highscoreDialog_.Run(GetActiveWindow());
        return true;
    case ID_GAME_SOUND:
        soundOn_ = soundOn_ ? 0 : 1;
        UpdateSoundCheck();
        return true;
    default:
        break;
    }
    if (code == ACN_STOP) {
        if (const int die = panel_.DieOf(control)) {
            if (panel_.FinishTumble(die)) OnRollFinished();
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

bool MainDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    result = TRUE;
    switch (message) {
    case WM_ROW_CHOSEN:
        OnRowChosen(static_cast<int>(wParam));
        return true;
    case WM_SIZE:
        if (layoutReady_) Layout();
        return true;
    case WM_ERASEBKGND: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        RECT area{};
        GetClipBox(dc, &area);
        PaintBackground(dc, area);
        SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, 1);
        return true;
    }
    case WM_DRAWITEM:
        if (wParam == IDC_STATUS) PaintStatus(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC);
        return true;
    case WM_TIMER:
        if (wParam == kRollSoundTimer) OnSoundTimer();
        return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        result = reinterpret_cast<INT_PTR>(green_.get());
        return green_.get() != nullptr;
    case WM_LBUTTONUP:
        OnDieClick(lParam);
        return true;
    case WM_INITMENUPOPUP:
        UpdateSoundCheck();
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

void MainDialog::Layout() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const RECT grid = RectInParent(grid_.hwnd(), hwnd());
    const RECT reminder = RectInParent(Item(IDC_REMINDER), hwnd());
    BITMAP picture{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(banner_, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof(picture),
               &picture);

    const BoardLayout layout = LayoutBoard(BoardMetrics{
        client.right, client.bottom, grid.right, grid.bottom, Size{picture.bmWidth, picture.bmHeight},
        Size{reminder.right - reminder.left, reminder.bottom - reminder.top}, state_.gameType});
    PlaceControl(banner_, layout.banner);
    PlaceControl(Item(IDC_REMINDER), layout.reminder);
    panel_.Place(layout);
    dicePanel_ = layout.dicePanel;
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainDialog::ShowBanner() {
    const HBITMAP wanted = (state_.gameType == GameType::Maxi ? maxiBanner_ : standardBanner_).get();
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageA(banner_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(wanted)));
    // The first picture is the one the control loaded from the template; the
    // control never deletes the pictures it hands back.
    if (previous && previous != standardBanner_.get() && previous != maxiBanner_.get()) DeleteObject(previous);
}

void MainDialog::UpdateSoundCheck() const {
    CheckMenuItem(GetMenu(hwnd()), ID_GAME_SOUND, MF_BYCOMMAND | (soundOn_ ? MF_CHECKED : MF_UNCHECKED));
}

void MainDialog::RedrawPanels() {
    panel_.RedrawStatus();
    grid_.Redraw();
    RedrawWindow(grid_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void MainDialog::ApplyPhase() const { panel_.Apply(ButtonsFor(PhaseOf(state_, animating_))); }

void MainDialog::PaintBackground(HDC dc, const RECT& area) const {
    FillRect(dc, &area, green_.get());
    if (dicePanel_.Width() <= 0) return;  // not laid out yet
    const RECT panel = ToRECT(dicePanel_);
    FillRect(dc, &panel, panelBrush_.get());
    const PanelFrame frame = DicePanelFrame(dicePanel_);
    for (const Rect& edge : frame.lit) {
        const RECT line = ToRECT(edge);
        FillRect(dc, &line, litEdge_.get());
    }
    for (const Rect& edge : frame.shaded) {
        const RECT line = ToRECT(edge);
        FillRect(dc, &line, shadedEdge_.get());
    }
}

void MainDialog::PaintStatus(HDC dc) const {
    RECT client{};
    GetClientRect(panel_.status(), &client);
    panel_.PaintStatus(dc, client, state_, green_.get());
}

void MainDialog::OnRoll() {
    // Once the game has ended nobody rolls, although the next player was
    // already handed his rolls.
    if (state_.roundsLeft <= 0 || CurrentRollsLeft(state_) <= 0) return;
    panel_.DisableRoll();
    if (animating_) return;
    panel_.CopyHolds(state_.dice, state_.gameType);
    state_.roll();
    animating_ = true;
    if (!panel_.StartRoll(state_.dice, state_.gameType)) {
        OnRollFinished();  // every die held: nothing to wait for, nothing to hear
        return;
    }
    if (soundOn_) SetTimer(hwnd(), kRollSoundTimer, kRollSoundDelayMs, nullptr);
}

void MainDialog::OnRollFinished() {
    // Once per roll: when its last tumbling die has stopped, or at once when
    // every die was held.
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
    panel_.ShowAllEmpty();
    panel_.ReleaseHolds();
    const int result = state_.enterScore(row);
    RedrawPanels();
    if (soundOn_) {
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
        highscores().recordGameResult(state_.playerName(player), state_.card(player).values[Score], state_.gameType);
    }
    highscoreDialog_.Run(GetActiveWindow());
    SendMessageA(hwnd(), WM_COMMAND, ID_GAME_NEWGAME, 0);
}

void MainDialog::OnNewGame() {
    NewGameDialog dialog(state_);
    if (dialog.Run(GetActiveWindow()) != IDOK) return;
    // A roll whose end was never seen must not block the new game.
    animating_ = false;
    panel_.ForgetRoll();
    ShowBanner();
    RedrawPanels();
    Layout();
    ApplyPhase();
    panel_.ShowAllEmpty();
}

void MainDialog::OnDieClick(LPARAM position) {
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ClientToScreen(hwnd(), &point);
    panel_.ToggleHoldsAt(point, state_.dice);
    SetFocus(panel_.roll());
}

void MainDialog::OnSoundTimer() {
    // A roll sound once scheduled plays even if the sound was switched off since.
    KillTimer(hwnd(), kRollSoundTimer);
    sounds_.PlayAsync(IDR_WAVE_ROLL1 + state_.random.next() % 3);
}

}  // namespace kvoro
