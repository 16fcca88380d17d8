#include "ui/coach_table.h"

#include <shlobj.h>

#include <algorithm>
#include <string>

namespace kvoro {
namespace {

// Earlier versions stored the table under the user's local application data
// folder; nothing is kept there now, so that nothing outlives an uninstall.
void RemoveOldTableFile() {
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return;
    const std::wstring ours = std::wstring(folder) + L"\\Kvoro";
    DeleteFileW((ours + L"\\coach.table").c_str());
    DeleteFileW((ours + L"\\coach.table.new").c_str());
    RemoveDirectoryW(ours.c_str());  // only when it is now empty
}

}  // namespace

CoachTable::~CoachTable() {
    // Closing the game must not wait for a table nobody will use.
    stop_ = true;
    if (worker_.joinable()) worker_.join();
}

UINT CoachTable::ReadyMessage() {
    static const UINT message = RegisterWindowMessageW(L"Kvoro.CoachTableReady");
    return message;
}

void CoachTable::Start(HWND window) {
    if (worker_.joinable() || !ready_.empty()) return;
    const UINT message = ReadyMessage();
    worker_ = std::thread([this, window, message] {
        RemoveOldTableFile();
        // Every thread of the computation yields to the window's thread.
        const auto lower = [] { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL); };
        pending_ = strategy::ValueTable::compute(std::max(1u, std::thread::hardware_concurrency()), &stop_, lower);
        finished_.store(true, std::memory_order_release);
        PostMessageW(window, message, 0, 0);
    });
}

bool CoachTable::TakeIfFinished() {
    if (!worker_.joinable() || !finished_.load(std::memory_order_acquire)) return false;
    worker_.join();  // the worker has only its return left
    ready_ = std::move(pending_);
    return !ready_.empty();
}

}  // namespace kvoro
