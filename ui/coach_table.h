#pragma once
// The five-dice coach's table for the main window: computed in memory on a
// worker thread at a lower priority when a five-dice game first needs it,
// and handed to the window's thread through TakeIfFinished once the worker has
// really finished. A posted message only says "look now"; the window's thread
// never waits for the worker, and a message from anyone else finds nothing.
#include <windows.h>

#include <atomic>
#include <thread>

#include "strategy/strategy.h"

namespace kvoro {

class CoachTable {
public:
    CoachTable() = default;
    CoachTable(const CoachTable&) = delete;
    CoachTable& operator=(const CoachTable&) = delete;
    // Stops a computation in progress and waits for the worker.
    ~CoachTable();

    // The message the worker posts when it has finished, registered once per
    // session under the program's own name.
    static UINT ReadyMessage();

    // Starts computing the table; posts ReadyMessage() to window when done.
    // Once only. Removes the file that earlier versions kept the table in.
    void Start(HWND window);
    // Takes the worker's table when it has finished; true when the table
    // became readable by this call.
    bool TakeIfFinished();
    // nullptr until a TakeIfFinished has taken the table.
    const strategy::ValueTable* table() const { return ready_.empty() ? nullptr : &ready_; }

private:
    std::thread worker_;
    std::atomic<bool> stop_{false};      // set when the window closes before the table is ready
    std::atomic<bool> finished_{false};  // set by the worker after its last write to pending_
    strategy::ValueTable pending_;       // the worker's result, read only once finished_ is set
    strategy::ValueTable ready_;
};

}  // namespace kvoro
