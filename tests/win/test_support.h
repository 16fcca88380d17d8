#pragma once
// Helpers shared by the in-process window tests.
#include <windows.h>

#include <functional>

namespace kvoro::test {

// Dispatches every waiting message of this thread.
void PumpMessages();

// Pumps messages until done() is true or timeoutMs has passed; returns done().
// The timeout only guards against a hang; it is not a timing assertion.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// The colour a window shows at a client point, read from its device context.
COLORREF ClientPixel(HWND window, int x, int y);

}  // namespace kvoro::test
