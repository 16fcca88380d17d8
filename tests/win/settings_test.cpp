// What the main window leaves outside itself in its settings: a scratch key of the tests' own Wine prefix, read back
// and written with the registry's own calls, not the store's.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "store/registry_key_win.h"

namespace kvoro::test {
namespace {

constexpr char kScratchKey[] = "Software\\Kvorosoft\\Kvoro tests";
using Lines = std::vector<std::string>;

std::vector<BYTE> Query(const char* name, DWORD* type = nullptr) { return RegistryValue(kScratchKey, name, type); }

// Stores a value, or removes it when bytes is null.
void Put(const char* name, std::uint32_t type, const std::vector<BYTE>* bytes) {
    if (!bytes) RegDeleteKeyValueA(HKEY_CURRENT_USER, kScratchKey, name);
    if (bytes)
        RegSetKeyValueA(HKEY_CURRENT_USER, kScratchKey, name, type, bytes->data(), static_cast<DWORD>(bytes->size()));
}

const std::vector<BYTE> kEmptyTable(640, 0);
const char* const kTables[] = {"hs1", "hs2", "hs3", "hs4"};

// Untrusted records: random bytes, names without their NUL, unsorted scores (or all the given one).
std::vector<BYTE> RandomTable(std::uint32_t seed, std::int32_t score = 0) {
    std::mt19937 random(seed);
    HighscoreTable table;
    std::generate_n(reinterpret_cast<BYTE*>(&table), sizeof table, [&] { return static_cast<BYTE>(random()); });
    for (HighscoreEntry& entry : table.entries) {
        std::fill(std::begin(entry.name), std::end(entry.name), 'x');
        if (score) entry.score = score;
    }
    return Bytes(table);
}

std::vector<BYTE> Ranked(const std::vector<BYTE>& bytes) {
    HighscoreTable table;
    std::memcpy(&table, bytes.data(), sizeof table);
    sortByRank(table);
    return Bytes(table);
}

// How many values the key holds; -1 when there is no key.
int ValueCount() {
    HKEY key = nullptr;
    DWORD values = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return static_cast<int>(values);
}

class SettingsTest : public MainWindowTest {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
        settingsKey_ = &registry_;
    }
    void CloseMain() {
        Command(IDCANCEL);
        PumpMessages();
    }
    WINDOWPLACEMENT Placement() const {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window(), &placement);
        return placement;
    }

    RegistrySettingsKey registry_{HKEY_CURRENT_USER, kScratchKey};
};

TEST_F(SettingsTest, FirstStartCreatesTheKeyEmptyTheCloseWritesAllSixValuesAndAKeyDeletedMeanwhileStaysEmpty) {
    Open(1, GameType::Standard);
    EXPECT_TRUE(main_->soundOn());
    EXPECT_EQ(ValueCount(), 0);
    const WINDOWPLACEMENT placement = Placement();
    CloseMain();
    DWORD type = 0;
    EXPECT_EQ(Query("Sound", &type), Bytes(std::uint32_t{1}));
    EXPECT_EQ(type, DWORD{REG_DWORD});
    EXPECT_EQ(Query("Placement", &type), Bytes(placement));
    EXPECT_EQ(type, DWORD{REG_BINARY});
    for (const char* name : kTables) {
        EXPECT_EQ(Query(name, &type), kEmptyTable) << name;
        EXPECT_EQ(type, DWORD{REG_BINARY}) << name;
    }
    Open(1, GameType::Standard);
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey), ERROR_SUCCESS);
    CloseMain();
    EXPECT_EQ(ValueCount(), 0);
}

TEST_F(SettingsTest, StoredSoundAndPlacementComeBackButAPlacementOfAnotherSizeIsNotApplied) {
    Open(1, GameType::Standard);
    const RECT centred = Placement().rcNormalPosition;
    main_.reset();
    const WINDOWPLACEMENT moved{sizeof moved, 0, SW_SHOWNORMAL, {-1, -1}, {-1, -1}, {30, 40, 730, 540}};
    std::vector<BYTE> longer = Bytes(moved), off = Bytes(std::uint32_t{0});
    longer.push_back(0);
    Put("Sound", REG_DWORD, &off);
    // Beside it, one that the platform would put at x = -32768, on no monitor, and one a few pixels high.
    const WINDOWPLACEMENT offScreen{sizeof moved, 0, SW_SHOWNORMAL, {-1, -1}, {-1, -1}, {-100000, 0, 100, 600}};
    const WINDOWPLACEMENT tiny{sizeof moved, 0, SW_SHOWNORMAL, {-1, -1}, {-1, -1}, {30, 40, 730, 50}};
    for (const std::vector<BYTE>& stored :
         {longer, std::vector<BYTE>(longer.begin(), longer.end() - 2), Bytes(moved), Bytes(offScreen), Bytes(tiny)}) {
        Put("Placement", REG_BINARY, &stored);
        UINT check = MF_CHECKED;  // as the first New Game dialog sees it
        RECT first{};
        Open([&](HWND dialog) {
            check = GetMenuState(GetMenu(GetWindow(dialog, GW_OWNER)), ID_GAME_SOUND, MF_BYCOMMAND) & MF_CHECKED;
            GetWindowRect(GetWindow(dialog, GW_OWNER), &first);
            Close(dialog);
        });
        EXPECT_EQ(check, 0u);
        EXPECT_FALSE(main_->soundOn());
        // The tiny one comes at its place, at least as high as the board needs, before the window grows to fit a game.
        MINMAXINFO limits{};
        SendMessageA(window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_GE(first.bottom - first.top, limits.ptMinTrackSize.y) << stored.size() << " bytes";
        const RECT placed = Placement().rcNormalPosition;
        if (stored == Bytes(tiny)) {
            EXPECT_TRUE(first.left == 30 && first.top == 40) << first.left << "," << first.top;
        } else {
            const RECT expected = stored == Bytes(moved) ? moved.rcNormalPosition : centred;
            EXPECT_TRUE(EqualRect(&placed, &expected)) << stored.size() << " bytes, left " << placed.left;
        }
        main_.reset();
    }
}

TEST_F(SettingsTest, ClearHighscoreEmptiesTheTablesOnlyAfterTwoYesesAndTheKeyOnlyAtTheClose) {
    const std::vector<BYTE> stored = RandomTable(5);
    for (const char* name : kTables) Put(name, REG_BINARY, &stored);
    Open(1, GameType::Standard);
    std::deque<int> answers;
    answers_.On("Warning", [&](HWND box) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), window());
        EXPECT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && GetDlgItem(box, IDCANCEL));
        PostMessageA(box, WM_COMMAND, answers.front(), 0);
        answers.pop_front();
    });
    for (const std::deque<int>& given : {std::deque<int>{IDNO}, {IDCANCEL}, {IDYES, IDNO}, {IDYES, IDCANCEL}, {IDYES, IDYES}}) {
        answers = given;
        Command(ID_GAME_CLEARHIGHSCORE);
        EXPECT_TRUE(answers.empty());
        answers_.log().clear();
        for (const HighscoreTable& table : main_->highscores().tables)
            EXPECT_EQ(Bytes(table), given.size() == 2 && given[1] == IDYES ? kEmptyTable : Ranked(stored))
                << given.size() << " answers";
    }
    for (const char* name : kTables) EXPECT_EQ(Query(name), stored) << name << " is kept until the close";
    CloseMain();
    for (const char* name : kTables) EXPECT_EQ(Query(name), kEmptyTable) << name << " after the close";
}

// The stored tables come back in ranking order. (Saves at a session's end: SessionEndSaves…)
TEST_F(SettingsTest, AMaxiResultGoesIntoHs3AndTheOtherTablesComeBackRanked) {
    const std::vector<BYTE> stored[] = {RandomTable(1), RandomTable(2), RandomTable(3, -5), RandomTable(4)};
    for (int v = 0; v < 4; ++v) Put(kTables[v], REG_BINARY, &stored[v]);
    Open(1, GameType::Maxi);
    answers_.On("Highscore", Close);  // the highscore window shows the untrusted records
    answers_.On("New Game", Close);
    while (!OpenRows().empty()) RollHeldAndChoose(OpenRows().front());
    const std::int32_t score = state().card(1).values[Score];
    CloseMain();
    for (int v : {0, 1, 3}) EXPECT_EQ(Query(kTables[v]), Ranked(stored[v])) << kTables[v];
    HighscoreTable hs3;
    std::memcpy(&hs3, Query("hs3").data(), sizeof hs3);
    EXPECT_EQ(hs3.entries[0].score, score);
    EXPECT_EQ(std::memcmp(&hs3.entries[1], stored[2].data(), 9 * sizeof(HighscoreEntry)), 0) << "recorded once";
}

// At the end of a session nothing asks or tells: a save that fails there shows no box and keeps what it missed, and
// the end itself, forced after the question, saves that and a game finished since.
TEST_F(MainWindowTest, SessionEndSavesWithoutABoxAndAForcedEndSavesWhatCameAfterTheQuestion) {
    Lines boxes;
    answers_.On("Error", [&](HWND box) {
        boxes.push_back(WindowText(GetDlgItem(box, 0xFFFF)));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    answers_.On("Highscore", Close);
    Open(StartGame(1, GameType::Standard, {"Ann"}));
    noSettings_.failingWrites = {"hs1"};
    answers_.On("New Game", StartGame(1, GameType::Standard, {"Bob"}));
    for (std::size_t rows = OpenRows().size(); rows > 0; --rows) RollHeldAndChoose(OpenRows().front());
    EXPECT_EQ(SendMessageA(window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    answers_.On("New Game", Close);
    while (!OpenRows().empty()) RollHeldAndChoose(OpenRows().front());
    ASSERT_EQ(noSettings_.values.count("hs1"), 0u);
    noSettings_.failingWrites.clear();
    SendMessageA(window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(boxes, Lines{});
    HighscoreTable hs1;
    ASSERT_EQ(noSettings_.values.at("hs1").size(), sizeof hs1);
    std::memcpy(&hs1, noSettings_.values.at("hs1").data(), sizeof hs1);
    EXPECT_STREQ(hs1.entries[0].name, "Bob");
    EXPECT_STREQ(hs1.entries[1].name, "Ann");
}

// Who plays each seat and the computer's speed, stored as values of their own. (What a stored value of any size
// means, and when a default is written: the store's tests.)
TEST_F(SettingsTest, SeatsAndTheComputersSpeedComeBackAfterARestart) {
    Open(StartSeated(3, GameType::Maxi, {play::Seat::Human, play::Seat::Medium, play::Seat::Hard}));
    Command(ID_SPEED_SLOW);
    CloseMain();
    EXPECT_EQ(Query("Seat2"), Bytes(std::uint32_t{2}));
    EXPECT_EQ(Query("Seat3"), Bytes(std::uint32_t{3}));
    EXPECT_EQ(Query("ComputerSpeed"), Bytes(std::uint32_t{0}));
    std::string seats;
    UINT slow = 0;
    Open([&](HWND dialog) {
        for (int k = 0; k < 5; ++k) {
            seats += std::to_string(SendDlgItemMessageA(dialog, IDC_SEAT1 + k, CB_GETCURSEL, 0, 0));
        }
        slow = GetMenuState(GetMenu(GetWindow(dialog, GW_OWNER)), ID_SPEED_SLOW, MF_BYCOMMAND) & MF_CHECKED;
        Close(dialog);
    });
    EXPECT_EQ(seats, "02300");
    EXPECT_NE(slow, 0u);
}

}  // namespace
}  // namespace kvoro::test
