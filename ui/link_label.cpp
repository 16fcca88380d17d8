#include "ui/link_label.h"

#include <commctrl.h>

#include <cstring>
#include <new>

#include "framework/window.h"
#include "ui/link_label_model.h"

namespace kvoro {

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr char kBrowserSettings[] = "Software\\Microsoft\\Internet Explorer\\Settings";

// Static types that draw no text: icon, filled rectangles, frames, owner-drawn,
// bitmap, metafile.
bool DrawsNoText(LONG_PTR style) {
    const LONG_PTR type = style & SS_TYPEMASK;
    return (type >= SS_ICON && type <= SS_WHITEFRAME) || (type >= SS_OWNERDRAW && type <= SS_ENHMETAFILE);
}

UINT Alignment(LONG_PTR style) {
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return DT_CENTER;
    case SS_RIGHT:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

int Length(std::string_view text) { return static_cast<int>(text.size()); }

// A colour string of the browser's settings: a string value of at most 12
// bytes, its terminating zero included.
std::optional<ColourRef> ReadColour(HKEY key, const char* name) {
    char value[12];
    DWORD type = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    const void* end = std::memchr(value, 0, size);
    if (!end) return std::nullopt;
    return ParseColour(std::string_view(value, static_cast<const char*>(end) - value));
}

// Replaces slot with a copy of text; a copy that cannot be made leaves the
// slot empty.
bool StoreCopy(std::optional<std::string>& slot, const char* text) {
    slot.reset();
    try {
        slot.emplace(text);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace

bool LinkLabel::SetText(const char* text) {
    if (!StoreCopy(text_, text)) return false;
    if (hwnd()) SetWindowTextA(hwnd(), text);
    MeasureLinkRect();
    return true;
}

bool LinkLabel::SetTarget(const char* address) {
    if (!StoreCopy(target_, address)) return false;
    if (!text_) MeasureLinkRect();
    if (tooltip_) AddTool();
    return true;
}

void LinkLabel::AttachTo(HWND control) {
    if (!Subclass(control)) return;
    char className[16] = {};
    GetClassNameA(control, className, sizeof(className));
    if (lstrcmpiA(className, "static") == 0) {
        const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
        // Without SS_NOTIFY a static is transparent to the mouse.
        if (!(style & SS_NOTIFY)) SetWindowLongPtrA(control, GWL_STYLE, style | SS_NOTIFY);
        if (DrawsNoText(style)) drawsText_ = false;
    }
    hand_ = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    if (drawsText_) {
        normalFont_ = reinterpret_cast<HFONT>(SendMessageA(GetParent(control), WM_GETFONT, 0, 0));
        if (!normalFont_) normalFont_ = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        LOGFONTA description{};
        if (!linkFont_ && GetObjectA(normalFont_, sizeof(description), &description)) {
            description.lfUnderline = TRUE;
            linkFont_.reset(CreateFontIndirectA(&description));
        }
    }
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, control, nullptr, AppInstance(), nullptr);
    if (!text_) {
        std::string initial(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
        initial.resize(static_cast<std::size_t>(GetWindowTextA(control, initial.data(), Length(initial))));
        if (!initial.empty()) SetText(initial.c_str());
    }
    MeasureLinkRect();
    if (target_) {
        AddTool();
    } else if (text_) {
        SetTarget(text_->c_str());
    }
    if (drawsText_) ReadBrowserColours();
}

void LinkLabel::ReadBrowserColours() {
    // Reading needs no write access, and a user without it keeps his colours.
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserSettings, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    if (const auto colour = ReadColour(key, "Anchor Color")) linkColour_ = *colour;
    if (const auto colour = ReadColour(key, "Anchor Color Visited")) visitedColour_ = *colour;
    RegCloseKey(key);
}

const std::string* LinkLabel::Shown() const { return text_ ? &*text_ : target_ ? &*target_ : nullptr; }

void LinkLabel::AddTool() const {
    if (!target_) return;
    SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every version of the common controls
    tool.hwnd = hwnd();
    tool.uId = kToolId;
    tool.rect = linkRect_;
    tool.lpszText = const_cast<char*>(target_->c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void LinkLabel::MeasureLinkRect() {
    const std::string* shown = Shown();
    if (!hwnd() || !shown) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    linkRect_ = client;
    if (!drawsText_) return;
    WindowDC dc(hwnd());
    if (options & TaggedText) {
        const TaggedParts parts = SplitTagged(*shown);
        RECT left = client;
        {
            SelectGuard font(dc.get(), normalFont_);
            DrawTextA(dc.get(), parts.left.data(), Length(parts.left), &left, DT_CALCRECT | DT_WORDBREAK | DT_LEFT);
        }
        linkRect_ = {parts.left.empty() ? client.left : left.right, client.top, client.right, client.bottom};
        SelectGuard font(dc.get(), linkFont_ ? linkFont_.get() : normalFont_);
        DrawTextA(dc.get(), parts.link.data(), Length(parts.link), &linkRect_, DT_CALCRECT | DT_WORDBREAK | DT_LEFT);
        return;
    }
    const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    const UINT alignment = Alignment(style);
    SelectGuard font(dc.get(), linkFont_ ? linkFont_.get() : normalFont_);
    DrawTextA(dc.get(), shown->c_str(), Length(*shown), &linkRect_, DT_CALCRECT | DT_WORDBREAK | alignment);
    const LONG gap = client.right - linkRect_.right;
    OffsetRect(&linkRect_, alignment == DT_CENTER ? gap / 2 : alignment == DT_RIGHT ? gap : 0, 0);
}

void LinkLabel::Paint(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const auto background = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(hwnd()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
    if (background) FillRect(dc, &client, background);
    const BackgroundModeGuard transparent(dc, TRANSPARENT);
    const COLORREF linkColour = !IsWindowEnabled(hwnd()) ? GetSysColor(COLOR_GRAYTEXT)
                                : visited_                ? visitedColour_
                                                          : linkColour_;
    const bool plainLink = !linkFont_ || ((options & UnderlineOnHover) && !hovering_);
    const HFONT linkFont = plainLink ? normalFont_ : linkFont_.get();
    if (const std::string* shown = Shown()) {
        const SelectGuard normal(dc, normalFont_);
        if (options & TaggedText) {
            PaintTagged(dc, *shown, client, linkColour, linkFont);
        } else {
            const SelectGuard link(dc, linkFont);
            const TextColourGuard colour(dc, linkColour);
            RECT area = linkRect_;
            DrawTextA(dc, shown->c_str(), Length(*shown), &area,
                      DT_WORDBREAK | Alignment(GetWindowLongPtrA(hwnd(), GWL_STYLE)));
        }
    }
    if (GetFocus() == hwnd()) DrawFocusRect(dc, &linkRect_);
}

void LinkLabel::PaintTagged(HDC dc, const std::string& shown, const RECT& client, COLORREF linkColour,
                            HFONT linkFont) const {
    const TaggedParts parts = SplitTagged(shown);
    if (!parts.tagged) return;
    // The plain parts keep the DC's own text colour and the normal font.
    RECT left = client;
    DrawTextA(dc, parts.left.data(), Length(parts.left), &left, DT_WORDBREAK | DT_LEFT);
    {
        const SelectGuard link(dc, linkFont);
        const TextColourGuard colour(dc, linkColour);
        RECT area = linkRect_;
        DrawTextA(dc, parts.link.data(), Length(parts.link), &area, DT_WORDBREAK | DT_LEFT);
    }
    RECT rest{linkRect_.right, linkRect_.top, client.right, client.bottom};
    DrawTextA(dc, parts.right.data(), Length(parts.right), &rest, DT_WORDBREAK | DT_LEFT);
}

}  // namespace kvoro
