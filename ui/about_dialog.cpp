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

// Green behind the dialog, white behind its statics (the version text and the
// link lie on the white panel); the OK button keeps its default.
HBRUSH AboutDialog::OnControlColor(HDC, HWND control) {
    if (control == hwnd()) return green_.get();
    return control == Item(IDOK) ? nullptr : white_.get();
}

}  // namespace kvoro
