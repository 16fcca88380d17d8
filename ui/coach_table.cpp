#include "ui/coach_table.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "strategy/table_file.h"

namespace kvoro {
namespace {

std::vector<unsigned char> ReadWholeFile(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    // A file far larger than a table is not read at all.
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20)) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
            bytes.clear();
        }
    }
    CloseHandle(file);
    return bytes;
}

// Written beside the old file and moved over it, so a reader never sees half
// a table; a failure leaves only a file that will be computed anew.
void WriteWholeFile(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring partial = path + L".new";
    const HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size();
    CloseHandle(file);
    if (!whole || !MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) DeleteFileW(partial.c_str());
}

}  // namespace

CoachTable::~CoachTable() {
    // Closing the game must not wait for a table nobody will use.
    stop_ = true;
    if (worker_.joinable()) worker_.join();
}

std::wstring CoachTable::DefaultPath() {
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return std::wstring();
    }
    return std::wstring(folder) + L"\\Kvoro\\coach.table";
}

void CoachTable::Start(const std::wstring& path, HWND window, UINT message) {
    if (worker_.joinable() || !ready_.empty()) return;
    worker_ = std::thread([this, path, window, message] {
        pending_ = path.empty() ? strategy::ValueTable() : strategy::decodeTable(ReadWholeFile(path));
        if (pending_.empty()) {
            pending_ = strategy::ValueTable::compute(std::max(1u, std::thread::hardware_concurrency()), &stop_);
            if (!path.empty() && !pending_.empty()) WriteWholeFile(path, strategy::encodeTable(pending_));
        }
        PostMessageW(window, message, 0, 0);
    });
}

void CoachTable::OnReady() {
    if (!worker_.joinable()) return;
    worker_.join();
    ready_ = std::move(pending_);
}

}  // namespace kvoro
