// What the shell is asked to open, with the recorder standing in for the help viewer and the browser: the Help menu,
// the reminder of the main window and the About box's link, the links read from their pixels and window state and
// worked with real mouse input.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "driver/desktop.h"
#include "main_window_fixture.h"
#include "ui/about_dialog.h"
#include "ui/help_file.h"

namespace kvoro::test {
namespace {

using Lines = std::vector<std::string>;

constexpr COLORREF kLink = RGB(0, 0, 255), kVisited = RGB(128, 0, 128);
constexpr char kBrowserSettings[] = "Software\\Microsoft\\Internet Explorer\\Settings";
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
void WriteAll(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Where the control shows pixels of one colour, if anywhere, and whether a row of them spans nearly the whole
// width of their box (an underline), waiting up to a moment for the control to show any when wait is set.
struct Drawn {
    RECT box;
    bool underlined;
};
std::optional<Drawn> PixelsOf(HWND control, COLORREF colour, bool wait = false) {
    std::optional<Drawn> found;
    PumpUntil([&] {
        const Snapshot picture = Snapshot::OfClient(control);
        RECT box{picture.width(), picture.height(), 0, 0};
        std::vector<int> rows(picture.height());
        for (LONG y = 0; y < picture.height(); ++y) {
            for (LONG x = 0; x < picture.width(); ++x) {
                if (picture.Pixel(x, y) != colour) continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), y + 1};
                ++rows[y];
            }
        }
        if (box.right) found = Drawn{box, *std::max_element(rows.begin(), rows.end()) * 10 >= (box.right - box.left) * 9};
        return found || !wait;
    }, 3000);
    return found;
}
POINT Centre(HWND control, const RECT& box) {
    POINT point{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ClientToScreen(control, &point);
    return point;
}
// The text of the tooltip tool of control (tooltips are owned by the
// control's top-level window, so their tools tell them apart).
std::string TooltipText(HWND control) {
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr));) {
        char text[256] = {};
        TOOLINFOA tool{TTTOOLINFOA_V2_SIZE};
        tool.lpszText = text;
        if (SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == control) return text;
    }
    return {};
}
void SetBrowserColours(const char* link = nullptr, const char* visited = nullptr) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kBrowserSettings);
    for (const auto& [name, value] : {std::pair{"Anchor Color", link}, {"Anchor Color Visited", visited}}) {
        if (value) RegSetKeyValueA(HKEY_CURRENT_USER, kBrowserSettings, name, REG_SZ, value, lstrlenA(value) + 1);
    }
}

// The shell recorder (shell_recorder.cpp) registered, for the life of the object, as the handler of .chm files and
// as Wine's browser (the Unix command lines of HKCU\Software\Wine\WineBrowser "Browsers"), so that ShellExecute
// really runs and a test reads what it opened.
class ShellRecorder {
public:
    explicit ShellRecorder(const std::string& unixPath) {
        std::string path = (unixPath[0] == '/' ? "Z:" : "") + unixPath;
        std::replace(path.begin(), path.end(), '/', '\\');
        log_ = path.substr(0, path.find_last_of('\\') + 1) + "opened.txt";
        // Wine's class root ignores the user's classes: the association goes to the root itself, and back afterwards.
        DWORD size = sizeof(formerChm_);
        RegGetValueA(HKEY_CLASSES_ROOT, ".chm", nullptr, RRF_RT_REG_SZ, nullptr, formerChm_, &size);
        Set(HKEY_CLASSES_ROOT, ".chm", nullptr, kProgId);
        Set(HKEY_CLASSES_ROOT, std::string(kProgId) + "\\shell\\open\\command", nullptr, '"' + path + "\" \"%1\"");
        Set(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", "wine " + unixPath);
        Clear();
    }
    ~ShellRecorder() {
        Set(HKEY_CLASSES_ROOT, ".chm", nullptr, formerChm_);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers");
    }
    void Clear() const { DeleteFileA(log_.c_str()); }
    Lines Opened() const {
        Lines lines;
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

class ShellOpenTest : public MainWindowTest {
protected:
    void SetUp() override {
        SetBrowserColours();
        ASSERT_TRUE(e2e::MoveTo({0, 0}));
    }
    void TearDown() override {
        SetBrowserColours();
        MainWindowTest::TearDown();
    }
    ShellRecorder recorder_{KVORO_SHELL_RECORDER};
};

TEST_F(ShellOpenTest, HelpOpensTheProgramsOwnDocumentAndReportsAFolderWithoutRoomOnce) {
    Lines messages;
    answers_.On("Error", [&](HWND box) {
        messages.push_back(WindowText(GetDlgItem(box, 0xFFFF)));  // the message box's text
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Open(1, GameType::Standard);
    const auto help = [&] {  // the Help command, from the menu or F1 (the resource test: its accelerator)
        recorder_.Clear();
        Command(ID_HELP_HELP);
        recorder_.WaitFor(1, messages.empty() ? 20000 : 500);
        return recorder_.Opened();
    };
    const fs::path program = fs::current_path(), root = program / "settings_shell_test.tmp", temp = root / "temp";
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
    // None yet, an older version's copy, one cut short and an empty one: the embedded bytes are written.
    for (const char* stale : {static_cast<const char*>(nullptr), "ITSF older", "ITSF", ""}) {
        if (stale) WriteAll(copy, stale);
        EXPECT_EQ(help(), Lines{copy});
        EXPECT_EQ(ReadAll(copy), embedded);
    }
    // An hour back, so that a second write shows whatever the clock's resolution.
    const auto written = fs::last_write_time(copy) - std::chrono::hours(1);
    fs::last_write_time(copy, written);
    EXPECT_EQ(help(), Lines{copy});
    EXPECT_EQ(fs::last_write_time(copy), written);  // the second Help writes nothing
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
}

TEST_F(ShellOpenTest, TheReminderUnderlinesOnHoverAndOpensTheUpdateAddressOnAClickAsHomepageDoes) {
    Open(1, GameType::Standard);
    const HWND reminder = Item(IDC_REMINDER);
    const std::optional<Drawn> black = PixelsOf(reminder, RGB(0, 0, 0)), link = PixelsOf(reminder, kLink);
    ASSERT_TRUE(black && link);
    EXPECT_EQ(ClientPixel(reminder, 0, 0), RGB(1, 127, 1));
    EXPECT_LT(black->box.right, link->box.left);  // the plain part first, the link after it
    EXPECT_EQ(TooltipText(reminder), kUpdateAddress);
    // Underlined while the pointer is over the link, not over the plain part or outside.
    const POINT onLink = Centre(reminder, link->box), onText = Centre(reminder, black->box);
    for (const auto& [at, underlined] :
         {std::pair{onLink, true}, {onText, false}, {onLink, true}, {POINT{0, 0}, false}}) {
        ASSERT_TRUE(e2e::MoveTo(at));
        EXPECT_TRUE(PumpUntil([&] {
            const std::optional<Drawn> now = PixelsOf(reminder, kLink);
            return now && now->underlined == underlined;
        }, 3000)) << at.x;
        if (underlined) EXPECT_TRUE(Snapshot::OfClient(reminder).SavePng("reminder_hover.png"));
    }
    // Pressed inside and released outside, or the other way round: nothing opens.
    for (const auto& [from, to] : {std::pair{onLink, onText}, {onText, onLink}}) {
        ASSERT_TRUE(e2e::MoveTo(from));
        e2e::LeftButton(true);
        ASSERT_TRUE(e2e::MoveTo(to));
        e2e::LeftButton(false);
    }
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(recorder_.Opened(), Lines{});
    ASSERT_TRUE(e2e::ClickAt(onLink));
    ASSERT_TRUE(recorder_.WaitFor(1));
    // The Help menu's Homepage opens the same address; its About box is owned by the main window.
    Command(ID_HELP_HOMEPAGE);
    ASSERT_TRUE(recorder_.WaitFor(2));
    EXPECT_EQ(recorder_.Opened(), (Lines{kUpdateAddress, kUpdateAddress}));
    answers_.On("About", [&](HWND about) {
        EXPECT_EQ(GetWindow(about, GW_OWNER), window());
        Close(about);
    });
    Command(ID_HELP_ABOUT);
    EXPECT_EQ(answers_.log(), Lines{"About"});
    EXPECT_TRUE(PixelsOf(reminder, kVisited, true));
    EXPECT_FALSE(PixelsOf(reminder, kLink));
    EnableWindow(reminder, FALSE);
    EXPECT_TRUE(PixelsOf(reminder, GetSysColor(COLOR_GRAYTEXT), true));
    EXPECT_FALSE(PixelsOf(reminder, kVisited));
}

TEST_F(ShellOpenTest, TheAboutLinkShowsTheHomepageAndOpensTheUpdatePageInTheBrowsersColours) {
    using Colours = std::tuple<const char*, const char*, COLORREF, COLORREF>;  // as stored, and as they show
    for (const auto& [stored, storedVisited, linkColour, visitedColour] :
         {Colours{"200,10,30", "10,200,30", RGB(200, 10, 30), RGB(10, 200, 30)},
          {"-1,0,0", "", kLink, kVisited},  // what the parser rejects: its own tests
          {"100,100,1000", nullptr, kLink, kVisited}}) {  // 13 bytes with the zero: too long
        SetBrowserColours(stored, storedVisited);
        recorder_.Clear();
        AboutDialog about;
        ASSERT_TRUE(about.CreateModeless(IDD_ABOUT, nullptr));
        ShowWindow(about.hwnd(), SW_SHOW);
        const HWND link = GetDlgItem(about.hwnd(), IDC_ABOUT_LINK);
        // The text, the homepage's address, is the template's (the resource test reads it).
        EXPECT_EQ(TooltipText(link), kUpdateAddress);
        const std::optional<Drawn> drawn = PixelsOf(link, linkColour, true);
        ASSERT_TRUE(drawn && drawn->underlined) << stored;
        EXPECT_EQ(ClientPixel(link, 0, 0), RGB(255, 255, 255));
        EXPECT_TRUE(Snapshot::OfClient(about.hwnd()).SavePng("about.png"));
        ASSERT_TRUE(e2e::ClickAt(Centre(link, drawn->box)));
        ASSERT_TRUE(recorder_.WaitFor(1));
        EXPECT_EQ(recorder_.Opened(), Lines{kUpdateAddress});
        EXPECT_TRUE(PixelsOf(link, visitedColour, true)) << stored;
    }
}

}  // namespace
}  // namespace kvoro::test
