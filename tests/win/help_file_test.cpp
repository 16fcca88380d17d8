// The Help and Homepage commands with the real shell, the recorder standing in
// for the viewer and the browser, in a temporary folder of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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

TEST(HelpFile, OpensTheProgramsOwnDocumentAndReportsAFolderWithoutRoomOnce) {
    ShellRecorder recorder(KVORO_SHELL_RECORDER);
    DialogAnswers answers;
    Lines messages;
    answers.On("Error", [&](HWND box) {
        char text[128] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));  // the message box's text
        messages.emplace_back(text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    const auto help = [&] {
        recorder.Clear();
        ShowHelpFile(nullptr);
        recorder.WaitFor(1, messages.empty() ? 20000 : 500);
        return recorder.Opened();
    };
    const fs::path program = fs::current_path(), root = program / "help_file_test.tmp", temp = root / "temp";
    std::error_code ignored;
    fs::remove_all(root, ignored);
    fs::create_directories(temp);
    fs::create_directories(root / "start");
    SetEnvironmentVariableA("TMP", temp.string().c_str());
    // A document in the folder the game was started from is not opened.
    WriteAll(root / "start" / "kvoro.chm", "planted");
    fs::current_path(root / "start");

    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_HELP_CHM), "CHM");
    const std::string embedded(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                               SizeofResource(nullptr, found));
    const std::string copy = (temp / "kvoro.chm").string();
    EXPECT_EQ(help(), Lines{copy});
    EXPECT_EQ(ReadAll(copy), embedded);
    const auto written = fs::last_write_time(copy);
    EXPECT_EQ(help(), Lines{copy});
    EXPECT_EQ(fs::last_write_time(copy), written);  // the second Help writes nothing
    // An older version's copy, one cut short and an empty one are replaced.
    for (const std::string& stale : {std::string("ITSF older"), embedded.substr(0, 999), std::string()}) {
        WriteAll(copy, stale);
        EXPECT_EQ(help(), Lines{copy});
        EXPECT_EQ(ReadAll(copy), embedded);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(temp), {}), 1);  // no scratch file left behind

    const std::string local = (program / "kvoro.chm").string();
    WriteAll(local, "ITSF local");
    EXPECT_EQ(help(), Lines{local});
    fs::remove(local);

    EXPECT_EQ(messages, Lines{});
    // A missing folder, and one whose path with the name exceeds 260 characters.
    for (const fs::path& folder : {root / "missing", temp / std::string(254 - temp.string().size(), 'x')}) {
        SetEnvironmentVariableA("TMP", folder.string().c_str());
        EXPECT_EQ(help(), Lines{});
        EXPECT_EQ(messages, Lines{"Could not load the help file. Error code 4."});
        messages.clear();
    }

    fs::current_path(program);
    fs::remove_all(root, ignored);  // the viewer started there may hold the start folder a moment
    recorder.Clear();
    OpenHomepage();
    ASSERT_TRUE(recorder.WaitFor(1));
    EXPECT_EQ(recorder.Opened(), Lines{kUpdateAddress});
}

}  // namespace
}  // namespace kvoro::test
