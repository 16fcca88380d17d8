// The Help and Homepage commands with the real shell: the recorder stands in
// for the help viewer and the browser, and the temporary folder is one of the
// test's own (TMP).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resource.h"
#include "shell_recorder.h"
#include "test_support.h"
#include "ui/help_file.h"

namespace kvoro::test {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
std::string Embedded() {
    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_HELP_CHM), "CHM");
    return {static_cast<const char*>(LockResource(LoadResource(nullptr, found))), SizeofResource(nullptr, found)};
}
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

class HelpFileTest : public testing::Test {
protected:
    void SetUp() override {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        programFolder_ = std::string(path).substr(0, std::string(path).find_last_of('\\'));
        root_ = programFolder_ + "\\help_file_test.tmp";
        RemoveTree(root_);
        CreateDirectoryA(root_.c_str(), nullptr);
        temp_ = root_ + "\\temp";
        CreateDirectoryA(temp_.c_str(), nullptr);
        SetEnvironmentVariableA("TMP", temp_.c_str());
        // A document planted in the folder the game was started from.
        CreateDirectoryA((root_ + "\\start").c_str(), nullptr);
        WriteAll(root_ + "\\start\\kvoro.chm", "planted");
        SetCurrentDirectoryA((root_ + "\\start").c_str());
        answers_.On("Error", [this](HWND box) {
            char text[128] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
            messages_.emplace_back(text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
    }
    void TearDown() override {
        SetCurrentDirectoryA(programFolder_.c_str());
        RemoveTree(root_);
    }
    static void RemoveTree(const std::string& folder) {
        for (const std::string& name : FilesIn(folder)) DeleteFileA((folder + "\\" + name).c_str());
        for (const char* sub : {"\\temp", "\\start"}) {
            for (const std::string& name : FilesIn(folder + sub)) DeleteFileA((folder + sub + "\\" + name).c_str());
            RemoveDirectoryA((folder + sub).c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }
    // Help, and what the shell was asked to open then.
    std::vector<std::string> Help() {
        recorder_.Clear();
        ShowHelpFile(nullptr);
        recorder_.WaitFor(1, messages_.empty() ? 20000 : 500);
        PumpMessages();
        return recorder_.Opened();
    }
    std::string TempCopy() const { return temp_ + "\\kvoro.chm"; }

    ShellRecorder recorder_{KVORO_SHELL_RECORDER};
    DialogAnswers answers_;
    std::vector<std::string> messages_;
    std::string programFolder_, root_, temp_;
};

TEST_F(HelpFileTest, TheEmbeddedDocumentIsWrittenOnceAndReplacedWhenItDiffers) {
    const std::string embedded = Embedded();
    ASSERT_EQ(embedded.substr(0, 4), "ITSF");
    EXPECT_EQ(Help(), std::vector<std::string>{TempCopy()});
    EXPECT_EQ(ReadAll(TempCopy()), embedded);
    EXPECT_EQ(FilesIn(temp_), std::vector<std::string>{"kvoro.chm"});

    // A second Help writes nothing.
    const HANDLE before = CreateFileA(TempCopy().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME written{}, again{};
    GetFileTime(before, nullptr, nullptr, &written);
    CloseHandle(before);
    Sleep(20);
    EXPECT_EQ(Help(), std::vector<std::string>{TempCopy()});
    const HANDLE after = CreateFileA(TempCopy().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(after, nullptr, nullptr, &again);
    CloseHandle(after);
    EXPECT_EQ(CompareFileTime(&written, &again), 0);

    // An older version's copy, one cut short and an empty one are replaced.
    for (const std::string& stale : {std::string("ITSF older"), embedded.substr(0, embedded.size() / 2), std::string()}) {
        WriteAll(TempCopy(), stale);
        EXPECT_EQ(Help(), std::vector<std::string>{TempCopy()});
        EXPECT_EQ(ReadAll(TempCopy()), embedded);
        EXPECT_EQ(FilesIn(temp_), std::vector<std::string>{"kvoro.chm"});
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(HelpFileTest, OnlyACopyNextToTheProgramWinsOverTheEmbeddedOne) {
    const std::string local = programFolder_ + "\\kvoro.chm";
    WriteAll(local, "ITSF local");
    const std::vector<std::string> opened = Help();
    DeleteFileA(local.c_str());
    EXPECT_EQ(opened, std::vector<std::string>{local});
    EXPECT_TRUE(FilesIn(temp_).empty());
}

TEST_F(HelpFileTest, ATemporaryFolderWithoutRoomGivesOneMessage) {
    SetEnvironmentVariableA("TMP", (root_ + "\\missing").c_str());
    EXPECT_TRUE(Help().empty());
    EXPECT_EQ(messages_, std::vector<std::string>{"Could not load the help file. Error code 4."});
    // A path that does not fit is refused, not cut short.
    messages_.clear();
    // A temporary folder of 255 characters: with the name it exceeds 260.
    SetEnvironmentVariableA("TMP", (temp_ + "\\" + std::string(254 - temp_.size(), 'x')).c_str());
    EXPECT_TRUE(Help().empty());
    EXPECT_EQ(messages_, std::vector<std::string>{"Could not load the help file. Error code 4."});
}

TEST_F(HelpFileTest, HomepageOpensTheUpdateAddress) {
    recorder_.Clear();
    OpenHomepage();
    ASSERT_TRUE(recorder_.WaitFor(1));
    EXPECT_EQ(recorder_.Opened(), std::vector<std::string>{kUpdateAddress});
    EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace kvoro::test
