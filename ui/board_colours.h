#pragma once
// The colours of the main window's board.
#include <windows.h>

namespace kvoro {

// The board's green, behind everything but the dice.
constexpr COLORREF kBoardGreen = RGB(1, 127, 1);
// The dice panel: the dice clip's own background, with a lit and a shaded edge.
constexpr COLORREF kDicePanelFill = RGB(0, 80, 80);
constexpr COLORREF kDicePanelLit = RGB(43, 123, 123);
constexpr COLORREF kDicePanelShaded = RGB(3, 40, 40);

}  // namespace kvoro
