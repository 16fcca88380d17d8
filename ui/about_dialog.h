#pragma once
// The About box (dialog 100): the banner, the version text and a link whose
// text is the homepage address and whose target is the update address, on
// the board's green with a white panel.
#include "framework/gdi.h"
#include "framework/window.h"
#include "ui/link_label.h"

namespace kvoro {

class AboutDialog : public Dialog {
public:
    // Modal; IDOK (1) or IDCANCEL (2).
    INT_PTR Run(HWND owner);

protected:
    bool OnInitDialog() override;
    HBRUSH OnControlColor(HDC dc, HWND control) override;

private:
    LinkLabel link_;
    Brush green_;
    Brush white_;
};

}  // namespace kvoro
