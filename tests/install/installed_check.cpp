// What the installer left for the player, seen from inside the prefix.
// "installed": the Start menu shortcut leads to the program in the player's
// program folder and carries an icon, the installed product has its icon for
// the installed-programs list, and the program starts from there and shows
// its New Game dialog. "removed": neither the shortcut nor the program
// is left. Prints what failed and exits non-zero.
#include <windows.h>
#include <msi.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <climits>
#include <cstdio>
#include <string>

#include "tests/e2e/desktop.h"

namespace {

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whether the file holds at least one icon (ExtractIconEx counts them, and
// answers UINT_MAX for a file it cannot read).
bool HasIcon(const std::string& path) {
    const UINT count = ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0);
    return !path.empty() && count != 0 && count != UINT_MAX;
}

int Fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    return 1;
}

// The shortcut's target and icon file as the shell reads them; false when it
// does not load.
bool ReadShortcut(const std::string& link, std::string& target, std::string& icon) {
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return false;
    IPersistFile* file = nullptr;
    wchar_t wideLink[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wideLink, MAX_PATH);
    char path[MAX_PATH] = {};
    char iconPath[MAX_PATH] = {};
    int iconIndex = 0;
    bool loaded = SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                  SUCCEEDED(file->Load(wideLink, STGM_READ)) &&
                  SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
                  SUCCEEDED(shellLink->GetIconLocation(iconPath, MAX_PATH, &iconIndex));
    if (file) file->Release();
    shellLink->Release();
    target = path;
    icon = iconPath;
    return loaded;
}

// The icon the installed-programs list shows for the installed Kvoro, as the
// installer service reports it; empty when Kvoro is not installed.
std::string ProductIcon() {
    char code[39] = {};
    for (DWORD index = 0; MsiEnumProductsA(index, code) == ERROR_SUCCESS; ++index) {
        char value[MAX_PATH] = {};
        DWORD size = sizeof value;
        if (MsiGetProductInfoA(code, INSTALLPROPERTY_INSTALLEDPRODUCTNAME, value, &size) != ERROR_SUCCESS ||
            std::string(value) != "Kvoro")
            continue;
        size = sizeof value;
        return MsiGetProductInfoA(code, INSTALLPROPERTY_PRODUCTICON, value, &size) == ERROR_SUCCESS ? value : "";
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const std::string link = ShellFolder(CSIDL_PROGRAMS) + "\\Kvoro.lnk";
    const std::string program = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Kvoro\\kvoro.exe";
    if (mode == "removed") {
        if (Exists(link)) return Fail("the shortcut is still there: " + link);
        if (Exists(program)) return Fail("the program is still there: " + program);
        return 0;
    }

    CoInitialize(nullptr);
    std::string target, icon;
    if (!ReadShortcut(link, target, icon)) return Fail("no readable shortcut " + link);
    if (lstrcmpiA(target.c_str(), program.c_str()) != 0) return Fail("the shortcut points at " + target);
    if (!HasIcon(icon)) return Fail("no icon in '" + icon + "'");
    const std::string productIcon = ProductIcon();
    if (!HasIcon(productIcon))
        return Fail("no icon for the installed-programs list: '" + productIcon + "'");

    kvoro::e2e::ChildProcess kvoro;
    if (!kvoro.Start(program)) return Fail(kvoro.error());
    // Only a guard against a hang, not a timing check.
    for (int waited = 0; !kvoro::e2e::FindTopLevel(kvoro.id(), "New Game"); waited += 50) {
        if (waited > 30000 || !kvoro.running()) return Fail("no New Game dialog from " + program);
        Sleep(50);
    }
    return 0;
}
