#pragma once
// The thread's message loop with a list of message filters, which see every
// message before it is dispatched, and a list of idle handlers, which run when
// the queue has run dry after input.
#include <windows.h>

#include <vector>

namespace kvoro {

class MessageFilter {
public:
    // Returns true when the message was consumed and must not be dispatched.
    virtual bool PreTranslateMessage(MSG& message) = 0;

protected:
    ~MessageFilter() = default;
};

class IdleHandler {
public:
    virtual void OnIdle() = 0;

protected:
    ~IdleHandler() = default;
};

class MessageLoop {
public:
    void AddMessageFilter(MessageFilter* filter);
    void RemoveMessageFilter(MessageFilter* filter);
    void AddIdleHandler(IdleHandler* handler);
    void RemoveIdleHandler(IdleHandler* handler);

    // Runs until WM_QUIT and returns its exit code.
    int Run();

    // Offers the message to the filters, most recently added first.
    bool PreTranslateMessage(MSG& message);
    void RunIdleHandlers();

    // Mouse moves, paints and the system's caret-blink timer (0x0118) happen
    // without input, so they do not make idle processing due again.
    static bool MakesIdleDue(const MSG& message);

private:
    std::vector<MessageFilter*> filters_;
    std::vector<IdleHandler*> idleHandlers_;
};

}  // namespace kvoro
