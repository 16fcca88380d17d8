#pragma once
// The title banner: a static bitmap control of the main dialog's template
// that shows the banner of the game type being played.
#include <windows.h>

#include "framework/gdi.h"
#include "game/rules.h"
#include "ui/geometry_model.h"

namespace kvoro {

class Banner {
public:
    // Takes the control and loads both banners.
    void Attach(HWND control);
    HWND hwnd() const { return control_; }
    void Show(GameType type) const;
    // The size of the picture shown now.
    Size PictureSize() const;

private:
    HWND control_ = nullptr;
    Bitmap templatePicture_;  // the control's first picture, loaded from the template
    Bitmap standard_;
    Bitmap maxi_;
};

}  // namespace kvoro
