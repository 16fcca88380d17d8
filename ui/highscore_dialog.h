#pragma once
// The modal window that shows the Standard and Maxi highscore lists. The same
// object serves every opening and holds the highscore tables.
#include "framework/gdi.h"
#include "framework/window.h"
#include "game/highscore.h"

namespace kvoro {

class HighscoreDialog : public Dialog {
public:
    HighscoreStore& store() { return store_; }
    const HighscoreStore& store() const { return store_; }
    INT_PTR Run(HWND owner);
    // Draws both lists into dc for a client area of the given size; the
    // fonts are made for each painting.
    void PaintTo(HDC dc, int width, int height) const;

protected:
    bool OnInitDialog() override;
    HBRUSH OnControlColor(HDC dc, HWND control) override;
    bool OnPaint() override;

private:
    HighscoreStore store_;
    Brush background_;
};

}  // namespace kvoro
