#pragma once
// The shell recorder registered, for the life of the object, as the handler
// of .chm files and as Wine's browser (HKCU\Software\Wine\WineBrowser,
// "Browsers": Unix command lines), so that ShellExecute really runs and a
// test can read what it opened.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace kvoro::test {

class ShellRecorder {
public:
    // unixPath: the recorder executable as the build knows it.
    explicit ShellRecorder(std::string unixPath) : unixPath_(std::move(unixPath)) {
        std::string windowsPath = unixPath_;
        for (char& c : windowsPath) c = c == '/' ? '\\' : c;
        if (unixPath_.front() == '/') windowsPath.insert(0, "Z:");
        log_ = windowsPath.substr(0, windowsPath.find_last_of('\\') + 1) + "opened.txt";
        // Wine's class root does not look at the user's classes, so the
        // association goes to the root itself, and back afterwards.
        char former[64] = {};
        DWORD size = sizeof(former);
        RegGetValueA(HKEY_CLASSES_ROOT, ".chm", nullptr, RRF_RT_REG_SZ, nullptr, former, &size);
        formerChm_ = former;
        SetValue(HKEY_CLASSES_ROOT, ".chm", nullptr, kProgId);
        SetValue(HKEY_CLASSES_ROOT, std::string(kProgId) + "\\shell\\open\\command", nullptr,
                 "\"" + windowsPath + "\" \"%1\"");
        SetValue(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", "wine " + unixPath_);
        Clear();
    }
    ~ShellRecorder() {
        SetValue(HKEY_CLASSES_ROOT, ".chm", nullptr, formerChm_);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers");
    }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    void Clear() const { DeleteFileA(log_.c_str()); }
    std::vector<std::string> Opened() const {
        std::vector<std::string> lines;
        std::ifstream file(log_);
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }
    // Waits (pumping this thread's messages) until count documents were opened.
    bool WaitFor(std::size_t count, DWORD timeoutMs = 20000) const {
        return PumpUntil([&] { return Opened().size() >= count; }, timeoutMs);
    }

private:
    static constexpr const char* kProgId = "Kvoro.TestDocument";

    static void SetValue(HKEY root, const std::string& key, const char* name, const std::string& value) {
        RegSetKeyValueA(root, key.c_str(), name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
    }

    std::string unixPath_;
    std::string log_;
    std::string formerChm_;
};

}  // namespace kvoro::test
