// The Help and Homepage commands with the real shell, the recorder standing in
// for the viewer and the browser, in a temporary folder of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resource.h"
#include "shell_recorder.h"
#include "ui/help_file.h"

namespace kvoro::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
void WriteAll(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
Lines FilesIn(const fs::path& folder) {
    Lines names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
}

class HelpFileTest : public testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(temp_, ignored_);
        fs::create_directories(temp_);
        fs::create_directories(root_ / "start");
        SetEnvironmentVariableA("TMP", temp_.string().c_str());
        // A document planted in the folder the game was started from is not opened.
        WriteAll(root_ / "start" / "kvoro.chm", "planted");
        fs::current_path(root_ / "start");
        answers_.On("Error", [this](HWND box) {
            char text[128] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));  // the message box's text
            messages_.emplace_back(text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
    }
    void TearDown() override {
        fs::current_path(programFolder_);
        // The viewer started there may still hold the start folder a moment.
        fs::remove_all(root_, ignored_);
    }
    // Help, and what the shell opened then.
    Lines Help() {
        recorder_.Clear();
        ShowHelpFile(nullptr);
        recorder_.WaitFor(1, messages_.empty() ? 20000 : 500);
        return recorder_.Opened();
    }

    const fs::path programFolder_ = fs::current_path();
    const fs::path root_ = programFolder_ / "help_file_test.tmp";
    const fs::path temp_ = root_ / "temp";
    const std::string copy_ = (temp_ / "kvoro.chm").string();
    ShellRecorder recorder_{KVORO_SHELL_RECORDER};
    DialogAnswers answers_;
    Lines messages_;
    std::error_code ignored_;
};

TEST_F(HelpFileTest, TheEmbeddedDocumentIsWrittenOnceAndReplacedWhenItDiffers) {
    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_HELP_CHM), "CHM");
    const std::string embedded(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                               SizeofResource(nullptr, found));
    ASSERT_EQ(embedded.substr(0, 4), "ITSF");
    EXPECT_EQ(Help(), Lines{copy_});
    EXPECT_EQ(ReadAll(copy_), embedded);
    const auto written = fs::last_write_time(copy_);
    Sleep(50);
    EXPECT_EQ(Help(), Lines{copy_});
    EXPECT_EQ(fs::last_write_time(copy_), written);
    // An older version's copy, one cut short and an empty one are replaced.
    for (const std::string& stale : {std::string("ITSF older"), embedded.substr(0, 999), std::string()}) {
        WriteAll(copy_, stale);
        EXPECT_EQ(Help(), Lines{copy_});
        EXPECT_EQ(ReadAll(copy_), embedded);
    }
    EXPECT_EQ(FilesIn(temp_), Lines{"kvoro.chm"});  // no scratch file left behind
    EXPECT_EQ(messages_, Lines{});
}

TEST_F(HelpFileTest, OnlyACopyNextToTheProgramWinsOverTheEmbeddedOne) {
    const std::string local = (programFolder_ / "kvoro.chm").string();
    WriteAll(local, "ITSF local");
    const Lines opened = Help();
    fs::remove(local);
    EXPECT_EQ(opened, Lines{local});
    EXPECT_EQ(FilesIn(temp_), Lines{});
}

TEST_F(HelpFileTest, ATemporaryFolderWithoutRoomGivesOneMessage) {
    // A missing folder, and one whose path with the name exceeds 260 characters.
    for (const fs::path& folder : {root_ / "missing", temp_ / std::string(254 - temp_.string().size(), 'x')}) {
        messages_.clear();
        SetEnvironmentVariableA("TMP", folder.string().c_str());
        EXPECT_EQ(Help(), Lines{});
        EXPECT_EQ(messages_, Lines{"Could not load the help file. Error code 4."});
    }
}

TEST_F(HelpFileTest, HomepageOpensTheUpdateAddress) {
    OpenHomepage();
    ASSERT_TRUE(recorder_.WaitFor(1));
    EXPECT_EQ(recorder_.Opened(), Lines{kUpdateAddress});
}

}  // namespace
}  // namespace kvoro::test
