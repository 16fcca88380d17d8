#include "ui/about_dialog.h"

#include "res/resource.h"
#include "ui/board_colours.h"
#include "ui/help_file.h"
#include "ui/place_centred.h"

namespace kvoro {

INT_PTR AboutDialog::Run(HWND owner) { return RunModal(IDD_ABOUT, owner); }

bool AboutDialog::OnInitDialog() {
    green_.reset(CreateSolidBrush(kBoardGreen));
    white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    // The link shows the homepage address of its own text but opens the update page.
    link_.SetTarget(kUpdateAddress);
    link_.AttachTo(Item(IDC_ABOUT_LINK));
    PlaceCentred(hwnd(), GetParent(hwnd()));
    return true;
}

bool AboutDialog::OnCommand(int id, int, HWND) {
    if (id != IDOK && id != IDCANCEL) return false;
    EndDialog(hwnd(), id);
    return true;
}

bool AboutDialog::HandleMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
    if (message == WM_CTLCOLORDLG) {
        result = reinterpret_cast<INT_PTR>(green_.get());
        return true;
    }
    if (message == WM_CTLCOLORSTATIC) {
        result = reinterpret_cast<INT_PTR>(white_.get());
        return true;
    }
    return false;
}

}  // namespace kvoro
