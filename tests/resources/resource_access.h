#pragma once
// This executable's own resources, and owners for the user32 handles the checks create.
#include <windows.h>

#include <memory>
#include <string_view>
#include <type_traits>

namespace kvoro::test {

// The bytes of one resource of the running executable; empty when missing.
inline std::string_view resourceBytes(LPCSTR type, int id) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string_view(static_cast<const char*>(data), SizeofResource(module, found)) : std::string_view();
}

template <auto Release>
struct HandleRelease {
    template <typename Handle>
    void operator()(Handle handle) const { Release(handle); }
};

// A user32 handle released once by its own function.
template <typename Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, HandleRelease<Release>>;

using OwnedWindow = Owned<HWND, &DestroyWindow>;
using OwnedMenu = Owned<HMENU, &DestroyMenu>;
using OwnedAccelerators = Owned<HACCEL, &DestroyAcceleratorTable>;

// Little-endian integers inside a resource.
inline unsigned le16(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}
inline unsigned long le32(std::string_view bytes, size_t at) {
    return le16(bytes, at) | static_cast<unsigned long>(le16(bytes, at + 2)) << 16;
}

}  // namespace kvoro::test
