#include "ui/board.h"

#include "res/resource.h"
#include "ui/help_file.h"
#include "ui/win_rect.h"

namespace kvoro {

namespace {

constexpr char kReminderText[] =
    "Remember to check Kvoro's homepage for updates regularly. <a>Click here to go online!</a>";

}  // namespace

void Board::Attach(HWND dialog) {
    dialog_ = dialog;
    reminder_.SetText(kReminderText);
    reminder_.SetTarget(kUpdateAddress);
    reminder_.options = LinkLabel::TaggedText | LinkLabel::UnderlineOnHover;
    reminder_.AttachTo(GetDlgItem(dialog, IDC_REMINDER));
    card_.Create(dialog);
    card_.Attach(&state());
    ShowWindow(card_.hwnd(), SW_SHOW);
    banner_.Attach(GetDlgItem(dialog, IDC_BANNER));
    dice_.Attach(dialog);
    status_.Attach(GetDlgItem(dialog, IDC_STATUS));
}

void Board::DrawEmpty() {
    SendMessageA(dialog_, WM_SETREDRAW, FALSE, 0);
    SetWindowPos(card_.hwnd(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    RedrawCard();
    Layout();
    ApplyPhase();
    SendMessageA(dialog_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

BoardMetrics Board::Metrics() const {
    RECT client{};
    GetClientRect(dialog_, &client);
    const RECT card = RectInParent(card_.hwnd(), dialog_);
    const RECT reminder = RectInParent(GetDlgItem(dialog_, IDC_REMINDER), dialog_);
    return BoardMetrics{client.right, client.bottom, card.right, card.bottom, banner_.PictureSize(),
                        Size{reminder.right - reminder.left, reminder.bottom - reminder.top}, state().gameType};
}

void Board::Layout() {
    const BoardLayout layout = LayoutBoard(Metrics());
    PlaceControl(banner_.hwnd(), layout.banner);
    PlaceControl(GetDlgItem(dialog_, IDC_REMINDER), layout.reminder);
    dice_.Place(layout);
    PlaceControl(status_.hwnd(), layout.status);
    background_.SetDicePanel(layout.dicePanel);
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Board::RedrawCard() {
    card_.Redraw();
    RedrawWindow(card_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Board::RedrawPanels() {
    RedrawStatus();
    RedrawCard();
}

void Board::ApplyPhase() const {
    dice_.Apply(controller_.buttons());
    const bool open = !controller_.isComputerTurn();
    if ((IsWindowEnabled(card_.hwnd()) != FALSE) != open) EnableWindow(card_.hwnd(), open);
}

bool Board::MarkRow(int row) {
    if (card_.markedRow() == row) return false;
    card_.MarkRow(row);
    return true;
}

void Board::ClickAt(POINT client) {
    POINT screen = client;
    ClientToScreen(dialog_, &screen);
    dice_.ToggleHoldsAt(screen, state().dice);
    SetFocus(dice_.roll());
}

bool Board::ShowComputerStep(const play::ComputerStep& step) {
    switch (step.kind) {
    case play::ComputerStep::Kind::Hold:
        dice_.ShowHolds(step.hold, state().dice, state().gameType);
        return true;
    case play::ComputerStep::Kind::Show:
        MarkRow(step.row);
        RedrawCard();
        return true;
    default:
        return false;
    }
}

HBRUSH Board::ControlBrush(HWND control) const {
    // A die erases itself with this brush before it draws its picture: the
    // clip's own background there, so that a die never flashes green.
    return dice_.DieOf(control) ? background_.panelFill() : background_.green();
}

void Board::PaintStatus(HDC dc, const std::string& line) const { status_.PaintTo(dc, state(), background_.green(), line); }

}  // namespace kvoro
