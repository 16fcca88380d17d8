#include "store/registry_key_win.h"

#include <algorithm>
#include <utility>

namespace kvoro {

namespace {

// A save takes milliseconds; a copy that holds the lock far longer has hung,
// and the others then save unguarded rather than hang too.
constexpr DWORD kLockWaitMs = 5000;

// Object names may not hold a backslash after the namespace.
std::string LockName(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return "Local\\Kvoro settings " + path;
}

}  // namespace

RegistrySettingsKey::RegistrySettingsKey(HKEY root, std::string path)
    : root_(root), path_(std::move(path)), lock_(CreateMutexA(nullptr, FALSE, LockName(path_).c_str())) {}

RegistrySettingsKey::~RegistrySettingsKey() {
    Close();
    if (lock_) CloseHandle(lock_);
}

OpenResult RegistrySettingsKey::Open(KeyAccess access) {
    Close();
    if (access == KeyAccess::ReadWrite && lock_) {
        // WAIT_ABANDONED: a copy ended while it saved; the lock is ours all the same.
        const DWORD waited = WaitForSingleObject(lock_, kLockWaitMs);
        locked_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    const REGSAM rights = access == KeyAccess::Read ? KEY_READ : KEY_READ | KEY_WRITE;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, rights, nullptr, &key_,
                        &disposition) != ERROR_SUCCESS) {
        key_ = nullptr;
        Close();
        return OpenResult::Failed;
    }
    return disposition == REG_CREATED_NEW_KEY ? OpenResult::Created : OpenResult::Opened;
}

ReadResult RegistrySettingsKey::Read(const char* name, void* buffer, std::uint32_t capacity) {
    DWORD size = capacity;
    switch (RegQueryValueExA(key_, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size)) {
    case ERROR_SUCCESS:
        return {ReadStatus::Ok, size};
    case ERROR_FILE_NOT_FOUND:
        return {ReadStatus::Missing, 0};
    case ERROR_MORE_DATA:
        return {ReadStatus::TooLarge, size};
    default:
        return {ReadStatus::Failed, 0};
    }
}

bool RegistrySettingsKey::Write(const char* name, ValueType type, const void* data, std::uint32_t size) {
    return RegSetValueExA(key_, name, 0, static_cast<DWORD>(type), static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

void RegistrySettingsKey::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
    if (locked_) ReleaseMutex(lock_);
    locked_ = false;
}

}  // namespace kvoro
