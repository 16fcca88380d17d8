// The main window's settings in a scratch key of the tests' own Wine prefix,
// read back and written with the registry's own calls, not the store's.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <random>
#include <vector>

#include "main_window_fixture.h"
#include "store/registry_key_win.h"
#include "tests/store/settings_fuzz.h"

namespace kvoro::test {
namespace {

constexpr char kScratchKey[] = "Software\\Kvoro Project\\Kvoro tests";

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool present = false;
};

Value Query(const char* name) {
    Value value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    DWORD size = 4096;
    value.bytes.resize(size);
    value.present = RegQueryValueExA(key, name, nullptr, &value.type, value.bytes.data(), &size) == ERROR_SUCCESS;
    value.bytes.resize(value.present ? size : 0);
    RegCloseKey(key);
    return value;
}

// Stores a value, or removes it when bytes is null.
void Put(const char* name, DWORD type, const std::vector<BYTE>* bytes) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (bytes) {
        RegSetValueExA(key, name, 0, type, bytes->data(), static_cast<DWORD>(bytes->size()));
    } else {
        RegDeleteValueA(key, name);
    }
    RegCloseKey(key);
}

template <typename T>
std::vector<BYTE> Bytes(const T& data) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&data);
    return {bytes, bytes + sizeof data};
}

std::vector<BYTE> RandomTable(std::uint32_t seed, std::int32_t score) {
    std::mt19937 random(seed);
    HighscoreTable table;
    std::generate_n(reinterpret_cast<BYTE*>(&table), sizeof table, [&] { return static_cast<BYTE>(random()); });
    for (HighscoreEntry& entry : table.entries) {
        std::generate(std::begin(entry.name), std::end(entry.name), [&] { return static_cast<char>(random() % 255 + 1); });
        entry.score = score ? score : static_cast<std::int32_t>(random());
    }
    return Bytes(table);
}

class SettingsTest : public MainWindowTest {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
        settingsKey_ = &registry_;
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    }
    void CloseMain() {
        Command(IDCANCEL);
        PumpMessages();
    }
    void PlayToTheEnd(GameType type) {
        Open(1, type);
        answers_.On("Highscore", Close);
        answers_.On("New Game", Close);
        while (!OpenRows().empty()) RollHeldAndChoose(OpenRows().front());
    }
    // The Clear Highscore command, its boxes answered in turn.
    void Clear(std::deque<int> answers) {
        answers_.On("Warning", [this, &answers](HWND box) {
            EXPECT_EQ(GetWindow(box, GW_OWNER), window());
            EXPECT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && GetDlgItem(box, IDCANCEL));
            PostMessageA(box, WM_COMMAND, answers.front(), 0);
            answers.pop_front();
        });
        Command(ID_GAME_CLEARHIGHSCORE);
        EXPECT_TRUE(answers.empty());
        answers_.log().clear();
    }
    std::vector<BYTE> Table(int table) { return Bytes(main_->highscores().tables[table]); }
    WINDOWPLACEMENT Placement() const {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window(), &placement);
        return placement;
    }

    RegistrySettingsKey registry_{HKEY_CURRENT_USER, kScratchKey};
};

TEST_F(SettingsTest, FirstStartCreatesTheKeyEmptyAndTheCloseWritesAllSixValues) {
    Open(1, GameType::Standard);
    EXPECT_TRUE(main_->soundOn());
    HKEY key = nullptr;
    DWORD values = 1;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(values, 0u);

    const WINDOWPLACEMENT placement = Placement();
    CloseMain();
    EXPECT_EQ(Query("Sound").type, DWORD{REG_DWORD});
    EXPECT_EQ(Query("Sound").bytes, Bytes(std::uint32_t{1}));
    EXPECT_EQ(Query("Placement").type, DWORD{REG_BINARY});
    EXPECT_EQ(Query("Placement").bytes, Bytes(placement));
    for (const char* name : {"hs1", "hs2", "hs3", "hs4"}) {
        EXPECT_EQ(Query(name).type, DWORD{REG_BINARY});
        EXPECT_EQ(Query(name).bytes, std::vector<BYTE>(640, 0)) << name;
    }
}

TEST_F(SettingsTest, StoredSoundAndPlacementComeBackButAPlacementOfAnotherSizeIsNotApplied) {
    Open(1, GameType::Standard);
    const RECT centred = Placement().rcNormalPosition;
    main_.reset();
    WINDOWPLACEMENT moved{sizeof moved, 0, SW_SHOWNORMAL, {-1, -1}, {-1, -1}, {30, 40, 730, 540}};
    std::vector<BYTE> longer = Bytes(moved);
    longer.push_back(0);
    const std::vector<BYTE> off = Bytes(std::uint32_t{0});
    Put("Sound", REG_DWORD, &off);
    for (const std::vector<BYTE>& stored : {longer, std::vector<BYTE>(longer.begin(), longer.end() - 2), Bytes(moved)}) {
        Put("Placement", REG_BINARY, &stored);
        bool checked = true;
        Open([&](HWND dialog) {
            checked = GetMenuState(GetMenu(GetWindow(dialog, GW_OWNER)), ID_GAME_SOUND, MF_BYCOMMAND) & MF_CHECKED;
            Close(dialog);
        });
        EXPECT_FALSE(checked);
        EXPECT_FALSE(main_->soundOn());
        const RECT expected = stored.size() == 44 ? moved.rcNormalPosition : centred;
        const RECT placed = Placement().rcNormalPosition;
        EXPECT_TRUE(EqualRect(&placed, &expected)) << stored.size() << " bytes";
        main_.reset();
    }
}

TEST_F(SettingsTest, AMaxiResultChangesHs3OnlyAndTheOtherTablesComeBackByteForByte) {
    // Untrusted tables: names without their NUL, random padding and dates, unsorted and negative scores.
    const std::vector<BYTE> stored[] = {RandomTable(1, 0), RandomTable(2, 0), RandomTable(3, -5), RandomTable(4, 0)};
    const char* names[] = {"hs1", "hs2", "hs3", "hs4"};
    for (int v = 0; v < 4; ++v) Put(names[v], REG_BINARY, &stored[v]);
    PlayToTheEnd(GameType::Maxi);
    const std::int32_t score = state().card(1).values[Score];
    CloseMain();
    for (int v : {0, 1, 3}) EXPECT_EQ(Query(names[v]).bytes, stored[v]) << names[v];
    HighscoreTable hs3;
    std::memcpy(&hs3, Query("hs3").bytes.data(), sizeof hs3);
    EXPECT_EQ(hs3.entries[0].score, score);
    EXPECT_EQ(std::memcmp(&hs3.entries[1], stored[2].data(), 9 * sizeof(HighscoreEntry)), 0);
}

TEST_F(SettingsTest, AKeyDeletedWhileRunningStaysEmptyAfterTheClose) {
    Open(1, GameType::Standard);
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey), ERROR_SUCCESS);
    CloseMain();
    EXPECT_FALSE(Query("Sound").present);
    EXPECT_FALSE(Query("hs1").present);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(SettingsTest, ClearHighscoreEmptiesTheTablesOnlyAfterTwoYesesAndTheKeyOnlyAtTheClose) {
    const std::vector<BYTE> stored = RandomTable(5, 0);
    for (const char* name : {"hs1", "hs2", "hs3", "hs4"}) Put(name, REG_BINARY, &stored);
    Open(1, GameType::Standard);
    for (std::deque<int> answers : {std::deque<int>{IDNO}, {IDCANCEL}, {IDYES, IDNO}, {IDYES, IDCANCEL}}) {
        Clear(answers);
        for (int t = 0; t < 4; ++t) EXPECT_EQ(Table(t), stored) << "table " << t << " after " << answers.size();
    }
    Clear({IDYES, IDYES});
    for (int t = 0; t < 4; ++t) EXPECT_EQ(Table(t), std::vector<BYTE>(640, 0)) << "table " << t;
    EXPECT_EQ(Query("hs1").bytes, stored) << "kept until the close";
    main_.reset();  // ended without the closing sequence, as when killed
    EXPECT_EQ(Query("hs4").bytes, stored);

    Open(1, GameType::Standard);
    Clear({IDYES, IDYES});
    CloseMain();
    for (const char* name : {"hs1", "hs2", "hs3", "hs4"}) EXPECT_EQ(Query(name).bytes, std::vector<BYTE>(640, 0));
}

TEST_F(SettingsTest, SigningOutSavesEveryResultOnceAndACancelledSignOutSavesAgainLater) {
    PlayToTheEnd(GameType::Standard);
    const std::int32_t score = state().card(1).values[Score];
    EXPECT_EQ(SendMessageA(window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(Query("Sound").bytes, Bytes(std::uint32_t{1}));
    SendMessageA(window(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    Command(ID_GAME_SOUND);
    SendMessageA(window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // a forced end asks nothing first
    EXPECT_EQ(Query("Sound").bytes, Bytes(std::uint32_t{0}));
    CloseMain();
    HighscoreTable hs1;
    std::memcpy(&hs1, Query("hs1").bytes.data(), sizeof hs1);
    EXPECT_EQ(hs1.entries[0].score, score);
    EXPECT_EQ(hs1.entries[1].score, 0) << "recorded once";
}

// Value types whose bytes the registry keeps as they are given.
TEST(RegistrySettings, RandomValueSetsLoadByteForByteOrTakeTheirDefaults) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    RegistrySettingsKey key(HKEY_CURRENT_USER, kScratchKey);
    const FuzzFigures figures = FuzzLoad(key, Put, {REG_NONE, REG_BINARY, REG_DWORD, REG_DWORD_BIG_ENDIAN, REG_QWORD}, 300);
    std::printf("%d value sets, %d defaults taken\n", figures.sets, figures.defaults);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
}

}  // namespace
}  // namespace kvoro::test
