#include "framework/message_loop.h"

#include <algorithm>

namespace kvoro {

void MessageLoop::AddMessageFilter(MessageFilter* filter) { filters_.push_back(filter); }

void MessageLoop::RemoveMessageFilter(MessageFilter* filter) {
    filters_.erase(std::remove(filters_.begin(), filters_.end(), filter), filters_.end());
}

void MessageLoop::AddIdleHandler(IdleHandler* handler) { idleHandlers_.push_back(handler); }

void MessageLoop::RemoveIdleHandler(IdleHandler* handler) {
    idleHandlers_.erase(std::remove(idleHandlers_.begin(), idleHandlers_.end(), handler), idleHandlers_.end());
}

bool MessageLoop::MakesIdleDue(const MSG& message) {
    switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case 0x0118:
        return false;
    default:
        return true;
    }
}

bool MessageLoop::PreTranslateMessage(MSG& message) {
    for (auto it = filters_.rbegin(); it != filters_.rend(); ++it) {
        if ((*it)->PreTranslateMessage(message)) return true;
    }
    return false;
}

void MessageLoop::RunIdleHandlers() {
    for (IdleHandler* handler : idleHandlers_) handler->OnIdle();
}

int MessageLoop::Run() {
    bool idleDue = true;
    MSG message{};
    for (;;) {
        if (idleDue && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            RunIdleHandlers();
            idleDue = false;
        }
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) continue;
        if (got == 0) return static_cast<int>(message.wParam);
        if (MakesIdleDue(message)) idleDue = true;
        if (!PreTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace kvoro
