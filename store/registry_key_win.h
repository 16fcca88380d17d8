#pragma once
// The settings key in the registry: RegCreateKeyExA, RegQueryValueExA,
// RegSetValueExA and RegCloseKey on one subkey of a root key.
#include <windows.h>

#include <string>
#include <utility>

#include "store/settings_key.h"

namespace kvoro {

class RegistrySettingsKey : public SettingsKey {
public:
    RegistrySettingsKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) {}
    ~RegistrySettingsKey() override { Close(); }
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
};

}  // namespace kvoro
