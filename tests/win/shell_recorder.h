#pragma once
// The shell recorder (shell_recorder.cpp) registered, for the life of the
// object, as the handler of .chm files and as Wine's browser (the Unix
// command lines of HKCU\Software\Wine\WineBrowser "Browsers"), so that
// ShellExecute really runs and a test reads what it opened.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace kvoro::test {

class ShellRecorder {
public:
    explicit ShellRecorder(const std::string& unixPath) {
        std::string path = (unixPath[0] == '/' ? "Z:" : "") + unixPath;
        for (char& c : path) c = c == '/' ? '\\' : c;
        log_ = path.substr(0, path.find_last_of('\\') + 1) + "opened.txt";
        // Wine's class root ignores the user's classes: the association goes
        // to the root itself, and back afterwards.
        DWORD size = sizeof(formerChm_);
        RegGetValueA(HKEY_CLASSES_ROOT, ".chm", nullptr, RRF_RT_REG_SZ, nullptr, formerChm_, &size);
        Set(HKEY_CLASSES_ROOT, ".chm", nullptr, kProgId);
        Set(HKEY_CLASSES_ROOT, std::string(kProgId) + "\\shell\\open\\command", nullptr, '"' + path + "\" \"%1\"");
        Set(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", "wine " + unixPath);
        Clear();
    }
    ShellRecorder(const ShellRecorder&) = delete;
    ~ShellRecorder() {
        Set(HKEY_CLASSES_ROOT, ".chm", nullptr, formerChm_);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers");
    }

    void Clear() const { DeleteFileA(log_.c_str()); }
    std::vector<std::string> Opened() const {
        std::vector<std::string> lines;
        std::ifstream file(log_);
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }
    // Pumps this thread's messages until count documents were opened.
    bool WaitFor(std::size_t count, DWORD timeoutMs = 20000) const {
        return PumpUntil([&] { return Opened().size() >= count; }, timeoutMs);
    }

private:
    static constexpr const char* kProgId = "Kvoro.TestDocument";
    static void Set(HKEY root, const std::string& key, const char* name, const std::string& value) {
        RegSetKeyValueA(root, key.c_str(), name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
    }
    std::string log_;
    char formerChm_[64] = {};
};

}  // namespace kvoro::test
