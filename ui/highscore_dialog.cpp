#include "ui/highscore_dialog.h"

#include <string>

#include "res/resource.h"
#include "ui/highscore_dialog_model.h"
#include "ui/place_centred.h"
#include "ui/win_rect.h"

namespace kvoro {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
const char kTitle[] = "Highscore";
const char* const kHeadings[] = {"Kvoro", "MaxiKvoro"};

HFONT MakeFont(const char* face, int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, 0, face);
}

// Left-aligned, top-aligned, clipped to the rectangle.
void DrawTextIn(HDC dc, const std::string& text, const Rect& rect) {
    RECT area = ToRECT(rect);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, 0);
}

int MeasureHeight(HDC dc, const char* text, int width) {
    RECT measured{0, 0, width, 100};
    DrawTextA(dc, text, -1, &measured, DT_CALCRECT);
    return measured.bottom - measured.top;
}

}  // namespace

INT_PTR HighscoreDialog::Run(HWND owner) { return RunModal(IDD_HIGHSCORE, owner); }

bool HighscoreDialog::OnInitDialog() {
    PlaceCentred(hwnd(), GetParent(hwnd()));
    if (!background_) background_.reset(CreateSolidBrush(kWhite));
    return true;
}

HBRUSH HighscoreDialog::OnControlColor(HDC, HWND) { return background_.get(); }

bool HighscoreDialog::OnPaint() {
    PaintDC paint(hwnd());
    RECT client;
    GetClientRect(hwnd(), &client);
    PaintTo(paint.get(), client.right, client.bottom);
    return true;
}

void HighscoreDialog::PaintTo(HDC dc, int width, int height) const {
    const RECT client{0, 0, width, height};
    const Brush white(CreateSolidBrush(kWhite));
    FillRect(dc, &client, white.get());

    const Font title(MakeFont("Arial", 34, FW_BOLD));
    const Font heading(MakeFont("MS Sans Serif", 16, FW_BOLD));
    const Font line(MakeFont("MS Sans Serif", 16, FW_NORMAL));
    {
        const SelectGuard titleFont(dc, title.get());
        RECT measured{0, 0, width, 100};
        DrawTextA(dc, kTitle, -1, &measured, DT_CALCRECT);
        DrawTextIn(dc, kTitle, HighscoreTitleRect(FromRECT(measured), width));
    }

    for (int list = 0; list < 2; ++list) {
        int height = 0;
        {
            const SelectGuard headingFont(dc, heading.get());
            height = MeasureHeight(dc, kHeadings[list], width);
            DrawTextIn(dc, kHeadings[list], HighscoreHeadingRect(list, width, height));
        }
        const SelectGuard lineFont(dc, line.get());
        for (const HighscoreLine& entry : HighscoreLines(highscores_.tables[list], list, width, height)) {
            DrawTextIn(dc, entry.rank, entry.rankRect);
            DrawTextIn(dc, entry.name, entry.nameRect);
            DrawTextIn(dc, entry.score, entry.scoreRect);
        }
    }
}

}  // namespace kvoro
