#pragma once
// The settings key in the registry: RegCreateKeyExA, RegQueryValueExA,
// RegSetValueExA and RegCloseKey on one subkey of a root key, and a named
// mutex of the user's session, named after the subkey, as the saves' lock.
#include <windows.h>

#include <string>

#include "store/settings_key.h"

namespace kvoro {

class RegistrySettingsKey : public SettingsKey {
public:
    RegistrySettingsKey(HKEY root, std::string path);
    ~RegistrySettingsKey() override;
    RegistrySettingsKey(const RegistrySettingsKey&) = delete;
    RegistrySettingsKey& operator=(const RegistrySettingsKey&) = delete;

    OpenResult Open(KeyAccess access) override;
    ReadResult Read(const char* name, void* buffer, std::uint32_t capacity) override;
    bool Write(const char* name, ValueType type, const void* data, std::uint32_t size) override;
    void Close() override;

private:
    HKEY root_;
    std::string path_;
    HKEY key_ = nullptr;
    HANDLE lock_ = nullptr;  // null when it could not be made: saves then go unguarded
    bool locked_ = false;
};

}  // namespace kvoro
