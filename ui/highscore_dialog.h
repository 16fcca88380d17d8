#pragma once
// The modal window that shows the Standard and Maxi highscore lists: tables 0
// and 1 of the store it is handed, which outlives it.
#include "framework/gdi.h"
#include "framework/window.h"
#include "game/highscore.h"

namespace kvoro {

class HighscoreDialog : public Dialog {
public:
    explicit HighscoreDialog(const HighscoreStore& highscores) : highscores_(highscores) {}
    INT_PTR Run(HWND owner);
    // Draws both lists into dc for a client area of the given size; the
    // fonts are made for each painting.
    void PaintTo(HDC dc, int width, int height) const;

protected:
    bool OnInitDialog() override;
    HBRUSH OnControlColor(HDC dc, HWND control) override;
    bool OnPaint() override;

private:
    const HighscoreStore& highscores_;
    Brush background_;
};

}  // namespace kvoro
