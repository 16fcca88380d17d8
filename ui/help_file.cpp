#include "ui/help_file.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/window.h"
#include "res/resource.h"

namespace kvoro {

namespace {

constexpr char kHelpName[] = "kvoro.chm";

void ShowError(HWND owner, const char* text) { MessageBoxA(owner, text, "Error", MB_OK); }

void ShowLoadError(HWND owner, int code) {
    char text[64];
    std::snprintf(text, sizeof(text), "Could not load the help file. Error code %d.", code);
    ShowError(owner, text);
}

void ShellOpen(const char* document) { ShellExecuteA(nullptr, "open", document, nullptr, nullptr, SW_SHOWNORMAL); }

bool IsFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The help document next to the program, or an empty string. Only the
// program's own folder counts: a file of that name in whatever folder the
// game was started from is not ours to open.
std::string CopyNextToProgram() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(AppInstance(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string found(path, length);
    found.erase(found.find_last_of("\\/") + 1);
    found += kHelpName;
    return found.size() < MAX_PATH && IsFile(found.c_str()) ? found : std::string();
}

// Whether the file at path holds exactly these bytes.
bool HoldsExactly(const char* path, const void* bytes, DWORD size) {
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER fileSize{};
    bool same = GetFileSizeEx(file, &fileSize) && fileSize.QuadPart == size;
    if (same) {
        std::vector<char> content(size);
        DWORD read = 0;
        same = ReadFile(file, content.data(), size, &read, nullptr) && read == size &&
               std::memcmp(content.data(), bytes, size) == 0;
    }
    CloseHandle(file);
    return same;
}

// Writes the bytes under a fresh name in folder and moves that file over
// target, so that target is never seen half written. 0 on success, else the
// error code of the message.
int WriteThrough(const char* folder, const char* target, const void* bytes, DWORD size) {
    char scratch[MAX_PATH];
    if (!GetTempFileNameA(folder, "kvo", 0, scratch)) return 4;
    const HANDLE file =
        CreateFileA(scratch, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    int error = 0;
    if (file == INVALID_HANDLE_VALUE) {
        error = 4;
    } else {
        DWORD written = 0;
        if (!WriteFile(file, bytes, size, &written, nullptr) || written != size) error = 5;
        CloseHandle(file);
    }
    if (!error && !MoveFileExA(scratch, target, MOVEFILE_REPLACE_EXISTING)) error = 4;
    if (error) DeleteFileA(scratch);
    return error;
}

}  // namespace

void ShowHelpFile(HWND owner) {
    const std::string local = CopyNextToProgram();
    if (!local.empty()) return ShellOpen(local.c_str());
    char folder[MAX_PATH];
    const DWORD folderLength = GetTempPathA(MAX_PATH, folder);
    if (folderLength == 0) return ShowError(owner, "Could not locate the temp path.");
    // A path that does not fit is refused rather than cut short. (Wine answers
    // 0 above for a folder longer than the buffer, where Windows gives the
    // length it needs.)
    char path[MAX_PATH];
    if (folderLength >= MAX_PATH || !PathCombineA(path, folder, kHelpName)) return ShowLoadError(owner, 4);
    const HRSRC found = FindResourceA(AppInstance(), MAKEINTRESOURCEA(IDR_HELP_CHM), "CHM");
    if (!found) return ShowLoadError(owner, 1);
    const HGLOBAL loaded = LoadResource(AppInstance(), found);
    if (!loaded) return ShowLoadError(owner, 2);
    const void* bytes = LockResource(loaded);
    if (!bytes) return ShowLoadError(owner, 3);
    const DWORD size = SizeofResource(AppInstance(), found);

    // A copy left by an older version or by a failed write is replaced.
    if (!HoldsExactly(path, bytes, size)) {
        if (const int error = WriteThrough(folder, path, bytes, size)) return ShowLoadError(owner, error);
    }
    ShellOpen(path);
}

void OpenHomepage() { ShellOpen(kUpdateAddress); }

}  // namespace kvoro
