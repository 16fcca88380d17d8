#pragma once
// A static text control of a dialog turned into a web link: drawn in the link
// colour and underlined, with a hand pointer, a tooltip showing the address,
// opened by a click, Enter or Space, and drawn in the visited colour once it
// was opened. With TaggedText only the part between <a> and </a> is the link.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "framework/gdi.h"
#include "framework/subclassed_control.h"

namespace kvoro {

class LinkLabel : public SubclassedControl {
public:
    // Option bits.
    static constexpr std::uint32_t UnderlineOnHover = 0x02;  // underlined only under the mouse
    static constexpr std::uint32_t TaggedText = 0x10;        // only the tagged part is the link

    // Set before AttachTo.
    std::uint32_t options = 0;

    // Stores a copy of the text and, when attached, shows it as the control's
    // window text. False, leaving no text, when the copy cannot be made.
    bool SetText(const char* text);
    // Stores a copy of the address; the tooltip shows it. False, leaving no
    // target, when the copy cannot be made.
    bool SetTarget(const char* address);
    // Takes over control; when the platform refuses, it stays a plain static.
    void AttachTo(HWND control);

protected:
    // Painting (link_label.cpp).
    bool Paints() const override { return drawsText_; }
    void Paint(HDC dc) const override;

    // Input and the control's state (link_label_input.cpp).
    void OnMouseInput(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnMouseMove(POINT client) override;
    bool OnMouseLeave() override;
    bool OnSetCursor(HWND under, UINT hitTest) override;
    bool OnLeftButtonDown(POINT client) override;
    bool OnLeftButtonUp(POINT client) override;
    bool OnChar(UINT character) override;
    bool OnFocus(bool gained, HWND other) override;
    bool OnEnable(bool enabled) override;
    bool OnEraseBackground(HDC dc) override;
    bool OnSetFont(HFONT font, bool redraw) override;
    bool OnDestroy() override;
    // WM_GETDLGCODE, WM_GETFONT and WM_UPDATEUISTATE.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ReadBrowserColours();
    void MeasureLinkRect();
    void AddTool() const;
    // The text that is drawn: the text, or the target without one.
    const std::string* Shown() const;
    // Draws the tagged text's three parts, the link part in its colour and font.
    void PaintTagged(HDC dc, const std::string& shown, const RECT& client, COLORREF linkColour, HFONT linkFont) const;
    bool InLink(POINT client) const { return PtInRect(&linkRect_, client) != FALSE; }
    void RepaintAtOnce(const RECT* area) const;
    void SetHovering(bool hovering);
    // Opens the target with the shell; true, and visited, on success.
    bool OpenTarget();

    std::optional<std::string> text_;
    std::optional<std::string> target_;
    HCURSOR hand_ = nullptr;
    Font linkFont_;
    HFONT normalFont_ = nullptr;  // the parent's, not owned
    RECT linkRect_ = {};
    HWND tooltip_ = nullptr;      // owned by the control, destroyed with it
    COLORREF linkColour_ = RGB(0, 0, 255);
    COLORREF visitedColour_ = RGB(128, 0, 128);
    bool drawsText_ = true;
    bool visited_ = false;
    bool hovering_ = false;
};

}  // namespace kvoro
