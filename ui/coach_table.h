#pragma once
// The coach's table for the main window: read from the user's local
// application data folder, or computed anew on a worker thread and stored
// there, and announced to a window by a posted message. The window's thread
// never waits for it.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "strategy/strategy.h"

namespace kvoro {

class CoachTable {
public:
    CoachTable() = default;
    CoachTable(const CoachTable&) = delete;
    CoachTable& operator=(const CoachTable&) = delete;
    ~CoachTable();

    // The file under the user's local application data folder; empty when the
    // folder is unknown.
    static std::wstring DefaultPath();

    // Starts reading or computing the table on the worker thread; posts
    // message to window when it is ready. Once only.
    void Start(const std::wstring& path, HWND window, UINT message);
    // Called by the window on that message: the table becomes readable.
    void OnReady();
    // nullptr until OnReady.
    const strategy::ValueTable* table() const { return ready_.empty() ? nullptr : &ready_; }

private:
    std::thread worker_;
    std::atomic<bool> stop_{false};  // set when the window closes before the table is ready
    strategy::ValueTable pending_;  // the worker's result, read after joining it
    strategy::ValueTable ready_;
};

}  // namespace kvoro
