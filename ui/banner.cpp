#include "ui/banner.h"

#include "framework/window.h"
#include "res/resource.h"

namespace kvoro {

namespace {

HBITMAP LoadBanner(int id) { return LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(id)); }

}  // namespace

void Banner::Attach(HWND control) {
    control_ = control;
    standard_.reset(LoadBanner(IDB_BANNER_KVORO));
    maxi_.reset(LoadBanner(IDB_BANNER_MAXI));
    // The control never deletes a picture, not even the one it loaded itself.
    templatePicture_.reset(reinterpret_cast<HBITMAP>(SendMessageA(control_, STM_GETIMAGE, IMAGE_BITMAP, 0)));
}

void Banner::Show(GameType type) const {
    const HBITMAP wanted = (type == GameType::Maxi ? maxi_ : standard_).get();
    SendMessageA(control_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(wanted));
}

Size Banner::PictureSize() const {
    BITMAP picture{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(control_, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof(picture),
               &picture);
    return Size{picture.bmWidth, picture.bmHeight};
}

}  // namespace kvoro
