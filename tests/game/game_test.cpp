// The rules, the highscore records and the settings key's logic: every row of both cards for every ordered roll against
// an oracle; whole games played to the end against the rules stated afresh, results ranked; against a key in memory,
// two copies of the program closing in either order, failed writes, a key that could not be opened or has gone,
// stored tables out of order, the placement rule, random value sets and a key that cannot open.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/highscore.h"
#include "game/rules.h"
#include "store/player_setup.h"
#include "store/settings_store.h"
#include "tests/game/builders.h"
#include "tests/store/fake_settings_key.h"
#include "tests/store/settings_fuzz.h"

namespace kvoro {
namespace {

using Dice = std::vector<int>;

// The best total of groups of the given sizes on pairwise different faces, each worth size times face; -1 if none.
int bestGroups(const Dice& dice, const std::vector<int>& sizes, std::size_t next = 0, unsigned usedFaces = 0) {
    if (next == sizes.size()) return 0;
    int best = -1;
    for (int face = 1; face <= 6; ++face) {
        if ((usedFaces >> face & 1u) || std::count(dice.begin(), dice.end(), face) < sizes[next]) continue;
        const int rest = bestGroups(dice, sizes, next + 1, usedFaces | 1u << face);
        if (rest >= 0) best = std::max(best, sizes[next] * face + rest);
    }
    return best;
}

// Tries every choice of faces instead of the highest greedily and sees only the faces shown: order does not matter.
int oracle(GameType type, const Dice& dice, int row) {
    const auto groups = [&](const std::vector<int>& sizes) { return std::max(0, bestGroups(dice, sizes)); };
    const std::set<int> faces(dice.begin(), dice.end());
    const auto showsAll = [&](const std::set<int>& wanted) {
        return std::includes(faces.begin(), faces.end(), wanted.begin(), wanted.end());
    };
    const int sum = std::accumulate(dice.begin(), dice.end(), 0);
    const bool maxi = type == GameType::Maxi;
    switch (row) {
    case Pair: return groups({2});
    case TwoPair: return groups({2, 2});
    case ThreePair: return groups({2, 2, 2});
    case ThreeOfAKind: return groups({3});
    case FourOfAKind: return groups({4});
    case FiveOfAKind: return groups({5});
    case SmallStraight: return showsAll({1, 2, 3, 4, 5}) ? 15 : 0;
    case LargeStraight: return showsAll({2, 3, 4, 5, 6}) ? 20 : 0;
    case FullStraight: return showsAll({1, 2, 3, 4, 5, 6}) ? 21 : 0;
    case Cabin: return groups({3, 2});
    case Tower: return dice.size() == 6 && groups({4, 2}) ? sum : 0;
    case FullHouse: return maxi ? groups({3, 3}) : groups({3, 2});
    case Chance: return sum;
    case Kvoro: return faces.size() == 1 ? (maxi ? 100 : 50) : 0;
    default:
        if (row < Ones || row > Sixes) return 0;
        return (row + 1) * static_cast<int>(std::count(dice.begin(), dice.end(), row + 1));
    }
}

class EachGameType : public ::testing::TestWithParam<GameType> {};

// The sixth die of a Standard game never counts; dice cleared after an entry (0) or out of range (7) show no face.
TEST_P(EachGameType, EveryRollScoresAsTheOracleInEveryRow) {
    const GameType type = GetParam();
    const int n = diceCount(type);
    for (int code = 0; code < (n == 6 ? 46656 : 7776); ++code) {
        std::int32_t values[kMaxDice] = {0, 0, 0, 0, 0, 1 + code % 6};
        for (int i = 0, rest = code; i < n; ++i, rest /= 6) values[i] = rest % 6 + 1;
        const Dice dice(values, values + n);
        for (int row = -1; row <= kRowCount; ++row) {
            ASSERT_EQ(scoreDice(type, values, row), oracle(type, dice, row)) << "row " << row << " dice " << code;
        }
    }
    const std::int32_t none[kMaxDice] = {}, outOfRange[kMaxDice] = {7, 7, 7, 7, 7, 7};
    for (int row = -1; row <= kRowCount; ++row) {
        EXPECT_EQ(scoreDice(type, none, row) + scoreDice(type, outOfRange, row), 0) << "row " << row;
    }
}

template <typename Action>
void expectUnchanged(const std::string& what, GameState game, Action action) {
    const GameState before = game;
    action(game);
    EXPECT_EQ(std::memcmp(&game, &before, sizeof game), 0) << what;
}

// A roll without rolls left or game, an entry without a game, an impossible setup change nothing.
void expectRefused(const std::string& what, const GameState& game, bool entryToo) {
    expectUnchanged(what, game, [entryToo](GameState& g) {
        g.roll();
        if (entryToo) g.enterScore(Chance);
        g.startGame(0, GameType::Standard);
        g.startGame(6, GameType::Standard);
        g.startGame(2, static_cast<GameType>(2));
    });
}

// The upper rows at par (63 or 84) or one short, completed by Sixes beside a filled Kvoro row: bonus, each row once.
TEST_P(EachGameType, BonusThresholdReachedExactlyAndMissedByOne) {
    const bool maxi = GetParam() == GameType::Maxi;
    for (int shortBy : {0, 1}) {
        GameState game = test::Started(1, GetParam());
        for (int face = 1; face <= 5; ++face) game.card(1).values[face - 1] = (maxi ? 4 : 3) * face;
        game.card(1).values[Ones] -= shortBy;
        game.card(1).values[Kvoro] = 50;
        test::SetDice(game, {6, 6, 6, 1, 1, 6});  // three sixes of five dice, four of six
        ASSERT_EQ(game.enterScore(Sixes), maxi ? 24 : 18);
        const int total = (maxi ? 84 : 63) - shortBy, bonus = shortBy ? 0 : maxi ? 100 : 50;
        const std::int32_t* values = game.card(1).values;
        EXPECT_EQ(std::vector<int>({values[Total], values[Bonus], values[Score]}),
                  std::vector<int>({total, bonus, total + bonus + 50}));
    }
}

TEST(Random, ReproducesTheKnownSequenceAndSeedsWithTheCalendarTime) {
    Random random(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(random.next(), expected);
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    const GameState game;
    EXPECT_GE(game.random.state(), before);
    EXPECT_LE(game.random.state(), static_cast<std::uint32_t>(std::time(nullptr)));
}

// Names of players and of records are cut to forty characters. The date formatter may fill its buffer, leave rubbish
// after its text, or fail; by default the platform's date of today is stored. Stored records may lack their NULs. Rows
// off the card have no label (help_tests checks the rest).
TEST(Texts, NamesDatesAndLabelsStayWithinTheirFields) {
    GameState game = test::Started(1, GameType::Standard);
    for (int row : {-1, 23, 1 << 28}) EXPECT_STREQ(game.rowLabel(row), "");
    game.setPlayerName(2, std::string(60, 'n').c_str());
    game.setPlayerName(3, nullptr);
    expectUnchanged("players 0 and 6", game, [](GameState& g) {
        g.setPlayerName(0, "nobody");
        g.setPlayerName(6, "nobody");
    });
    EXPECT_EQ(std::string(game.playerName(2)) + "|" + game.playerName(3), std::string(40, 'n') + "|");
    char today[kDateCapacity] = {};
    ASSERT_TRUE(formatLocalDate(today, kDateCapacity));
    EXPECT_GT(textLength(today, kDateCapacity), 0u);
    const std::pair<DateFormatter, std::string> cases[] = {
        {[](char* buf, int n) { return std::memset(buf, '7', n) != nullptr; }, std::string(13, '7')},
        {[](char* buf, int n) { return std::memcpy(std::memset(buf, '#', n), "1/2/26", 7) != nullptr; }, "1/2/26"},
        {[](char* buf, int n) { return std::memset(buf, '#', n) == nullptr; }, ""},
        {nullptr, ""},
        {HighscoreStore{}.formatDate, today},
    };
    const std::string longName(60, 'a');
    for (const auto& [formatter, text] : cases) {
        HighscoreStore store;
        store.formatDate = formatter;
        EXPECT_EQ(store.recordGameResult(longName.c_str(), 30, GameType::Maxi), 0);
        EXPECT_EQ(std::string(store.tables[1].entries[0].date, 16), text + std::string(16 - text.size(), '\0'));
        EXPECT_EQ(std::string(store.tables[1].entries[0].name, 41), std::string(40, 'a') + '\0');
    }
    HighscoreStore store;
    EXPECT_EQ(store.recordGameResult(nullptr, 10, GameType::Standard), 0);
    EXPECT_EQ(store.recordGameResult("x", 10, static_cast<GameType>(2)), -1);
    EXPECT_EQ(entryName(store.tables[0].entries[0]), "");
    EXPECT_EQ(entryDate(store.tables[0].entries[0]), std::string(today));
    HighscoreEntry withoutNuls;
    std::memset(&withoutNuls, 'x', sizeof withoutNuls);
    EXPECT_EQ(entryName(withoutNuls).size(), 41u);
    EXPECT_EQ(entryDate(withoutNuls).size(), 16u);
}

// Every turn of every game: refusals leave the whole state unchanged; Standard turns reset to three rolls and Maxi
// turns add three to what is left; a held die keeps its value and consumes no draw; an entry stores its points or -1
// and clears the dice; the computed rows and the bonus standing follow the card. Every result is ranked into the table
// of its game type, a newer one above an older with the same score, or refused below all ten.
TEST_P(EachGameType, WholeGamesPlayToTheEndAndRankEveryResult) {
    const GameType type = GetParam();
    const int table = static_cast<int>(type), dice = diceCount(type), par = type == GameType::Maxi ? 4 : 3;
    HighscoreStore store;
    store.formatDate = nullptr;
    std::memset(&store.tables[2], 0xA5, 2 * sizeof(HighscoreTable));
    const HighscoreStore untouched = store;
    std::vector<std::pair<std::int32_t, std::string>> expected(kHighscoreEntries);  // newest first
    std::minstd_rand choices(2024);
    for (int round = 0; round < 3; ++round) {
        for (int count = 1; count <= kMaxPlayers; ++count) {
            GameState game(static_cast<std::uint32_t>(1000 * round + count));
            for (int player = 1; player <= kMaxPlayers; ++player) {
                game.setPlayerName(player, ("G" + std::to_string(round) + "P" + std::to_string(player)).c_str());
            }
            game.playerCount = 5;  // the main window's first layout: five columns, no player
            expectRefused("no game", game, true);
            EXPECT_EQ(game.bonusStanding() + game.scoreFor(Score), 0);
            game.startGame(count, type);
            std::vector<int> rolls{3, 0, 0, 0, 0};
            const int turns = roundsFor(type) * count;
            for (int turn = 0; turn < turns; ++turn) {
                const int player = turn % count + 1;
                ASSERT_EQ(game.currentPlayer, player);
                ASSERT_EQ(game.roundsLeft, roundsFor(type) - turn / count);
                ASSERT_EQ(std::vector<int>(game.rollsLeft, game.rollsLeft + kMaxPlayers), rolls);
                const std::int32_t* values = game.card(player).values;
                std::fill(game.dice.held, game.dice.held + kMaxDice, 0);
                do {
                    const GameState before = game;
                    Random twin = game.random;
                    game.roll();
                    for (int die = 0; die < kMaxDice; ++die) {
                        const int value = die >= dice              ? 0
                                          : before.dice.held[die] ? before.dice.values[die]
                                                                  : twin.next() % 6 + 1;
                        ASSERT_EQ(game.dice.values[die], value) << "die " << die;
                    }
                    ASSERT_EQ(game.random.state(), twin.state());
                    ASSERT_EQ(game.rollsLeft[player - 1], --rolls[player - 1]);
                    ASSERT_EQ(game.hasRolled, 1);
                    for (int die = 0; die < dice; ++die) game.dice.held[die] = static_cast<std::int32_t>(choices() % 2);
                } while (rolls[player - 1] > 0 && choices() % 2 != 0);
                if (rolls[player - 1] == 0) expectRefused("no rolls left", game, false);
                std::vector<int> open;
                for (int row = -1; row <= kRowCount; ++row) {
                    if (!isComputedRow(row) && GameState::isRowShown(type, row) && values[row] == 0) {
                        open.push_back(row);
                    } else {  // filled, computed, off the card or on the other card only
                        expectUnchanged("row " + std::to_string(row), game,
                                        [row](GameState& g) { EXPECT_EQ(g.enterScore(row), 0); });
                    }
                }
                const int row = open[choices() % open.size()], points = scoreDice(type, game.dice.values, row);
                ASSERT_EQ(game.enterScore(row), points != 0 ? points : -1);
                ASSERT_EQ(values[row], points != 0 ? points : -1);
                ASSERT_EQ(std::count(game.dice.values, game.dice.values + kMaxDice, 0), kMaxDice);
                ASSERT_EQ(game.hasRolled, 0);
                int upper = 0, score = 0, standing = 0;
                for (int r = 0; r <= Kvoro; ++r) {
                    upper += r < Bonus ? std::max(values[r], 0) : 0;
                    standing += r < Bonus && values[r] != 0 ? std::max(values[r], 0) - par * (r + 1) : 0;
                    score += r != Total ? std::max(values[r], 0) : 0;
                }
                EXPECT_EQ(values[Total], upper);
                EXPECT_EQ(values[Bonus], upper < par * 21 ? 0 : type == GameType::Maxi ? 100 : 50);
                EXPECT_EQ(values[Score], score);
                EXPECT_TRUE(count > 1 || game.bonusStanding() == standing);  // alone, the player keeps the turn
                if (type == GameType::Standard) rolls[player - 1] = 0;
                if (turn + 1 < turns) rolls[(turn + 1) % count] += 3;
            }
            EXPECT_EQ(game.currentPlayer, 1);
            EXPECT_EQ(std::vector<int>(game.rollsLeft, game.rollsLeft + kMaxPlayers), std::vector<int>(kMaxPlayers, 0));
            game.rollsLeft[0] = 3;  // a finished game is never rolled on, whatever is left
            expectRefused("game over", game, true);
            for (int player = 1; player <= count; ++player) {
                const std::int32_t score = game.card(player).values[Score], last = store.tables[table].entries[9].score;
                EXPECT_EQ(store.recordGameResult(game.playerName(player), score, type), score >= last ? 0 : -1);
                expected.insert(expected.begin(), {score, game.playerName(player)});
            }
            std::stable_sort(expected.begin(), expected.end(),
                             [](const auto& a, const auto& b) { return a.first > b.first; });
            expected.resize(kHighscoreEntries);
            for (int k = 0; k < kHighscoreEntries; ++k) {
                const HighscoreEntry& entry = store.tables[table].entries[k];
                EXPECT_EQ(std::pair(entry.score, std::string(entryName(entry))), expected[k]) << k;
            }
        }
    }
    for (int other : {1 - table, 2, 3}) {
        EXPECT_EQ(std::memcmp(&store.tables[other], &untouched.tables[other], sizeof(HighscoreTable)), 0) << other;
    }
}

INSTANTIATE_TEST_SUITE_P(BothGames, EachGameType, ::testing::Values(GameType::Standard, GameType::Maxi));

std::vector<std::int32_t> Scores(const test::FakeSettingsKey& key, const char* name) {
    HighscoreTable table;
    std::memcpy(&table, key.values.at(name).data(), sizeof table);
    std::vector<std::int32_t> scores;
    for (const HighscoreEntry& entry : table.entries) scores.push_back(entry.score);
    return scores;
}

// Two copies start from one key holding results and record distinct scores of their own, some written at once as
// a finished game is; in every fourth round the first clears the tables before. Whatever the order of closing, the
// key ranks every result recorded after the clear, none twice, a clear stays cleared, and saving again changes
// nothing.
TEST(SettingsStore, TwoCopiesClosingInEitherOrderKeepEveryResultRanked) {
    std::mt19937 random(8);
    const std::vector<std::uint8_t> spare(sizeof(HighscoreTable), 0x5A);
    for (int round = 0; round < 300; ++round) {
        test::FakeSettingsKey key;
        key.exists = true;
        key.values["hs2"] = key.values["hs4"] = spare;
        std::vector<SettingsStore> stores;
        stores.reserve(3);
        std::vector<std::int32_t> counted[2];  // per game type, best first once sorted
        const bool cleared = round % 4 == 0, firstClosesFirst = random() % 2;
        for (int who = 0, serial = 0; who < 3; ++who) {  // the earlier run, the first copy, the second
            stores.emplace_back(key);
            stores[who].Load();
            if (who == 1 && cleared) stores[who].ClearTables();
            for (int n = random() % 16; n > 0; --n) {
                const auto type = static_cast<GameType>(random() % 2);
                // Below every later one, the earlier run's results never push a later one out before the clear
                // reaches the key (which would not bring it back).
                const auto score = static_cast<std::int32_t>((who > 0) * 100000 + random() % 1000 * 64 + serial++);
                if (!cleared || who > 0) counted[static_cast<int>(type)].push_back(score);  // after the clear
                stores[who].RecordGameResult("", score, type);
                if (random() % 3 == 0) {
                    EXPECT_EQ(stores[who].SaveTable(type), SaveResult::Written);
                }
            }
            if (who == 0) stores[0].Save();
        }
        EXPECT_EQ(stores[firstClosesFirst ? 1 : 2].Save(), SaveResult::Written);
        EXPECT_EQ(stores[firstClosesFirst ? 2 : 1].Save(), SaveResult::Written);
        for (const char* name : {"hs2", "hs4"}) {
            EXPECT_EQ(key.values.at(name), cleared ? std::vector<std::uint8_t>(spare.size(), 0) : spare) << name;
        }
        const auto closed = key.values;
        for (SettingsStore& store : stores) store.Save();
        EXPECT_EQ(key.values, closed);
        for (int type = 0; type < 2; ++type) {
            std::sort(counted[type].rbegin(), counted[type].rend());
            counted[type].resize(kHighscoreEntries);  // empty slots are 0
            EXPECT_EQ(Scores(key, type == 0 ? "hs1" : "hs3"), counted[type]) << round << ", " << firstClosesFirst;
        }
    }
}

// Stored tables of ten results from 1000 down to 100 under every table's value.
void PutRankedTables(test::FakeSettingsKey& key) {
    HighscoreTable table{};
    for (int k = 0; k < kHighscoreEntries; ++k) table.entries[k].score = 1000 - 100 * k;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&table);
    for (const TableValue& value : kTableValues) key.values[value.name].assign(bytes, bytes + sizeof table);
}

// Whatever value fails to be written, with or without a clear before: the save says so, keeps what it could not
// store, and the next save stores the results and the clear.
TEST(SettingsStore, AFailedWriteIsReportedAndTheNextSaveStoresWhatItMissed) {
    for (const char* failing : {"Sound", "Placement", "hs1", "hs2", "hs3", "hs4"}) {
        for (const bool clear : {false, true}) {
            test::FakeSettingsKey key;
            key.exists = true;
            PutRankedTables(key);
            SettingsStore store(key);
            store.Load();
            if (clear) store.ClearTables();
            store.RecordGameResult("Ann", 280, GameType::Standard);
            store.RecordGameResult("Bob", 280, GameType::Maxi);
            store.SetPlacement(StoredPlacement{44, 0, kShowNormal, {}, {}, {}});
            key.failingWrites = {failing};
            EXPECT_EQ(store.Save(), SaveResult::WriteFailed) << failing;
            key.failingWrites.clear();
            EXPECT_EQ(store.Save(), SaveResult::Written) << failing;
            EXPECT_EQ(key.values.size(), 6u);
            for (const TableValue& value : kTableValues) {
                std::vector<std::int32_t> expected;
                for (int k = 0; k < kHighscoreEntries; ++k) expected.push_back(clear ? 0 : 1000 - 100 * k);
                if (value.table < 2) {
                    expected.insert(std::find_if(expected.begin(), expected.end(), [](int s) { return s <= 280; }), 280);
                    expected.pop_back();
                }
                EXPECT_EQ(Scores(key, value.name), expected) << failing << (clear ? ", cleared: " : ": ") << value.name;
            }
        }
    }
}

// A key that could not be opened at the start is written when a save can open it; one that was opened and has
// gone since is left empty, also by the saves after, for the next start to take every default.
TEST(SettingsStore, AKeyNeverOpenedIsWrittenLaterAndOneGoneSinceTheStartStaysEmpty) {
    for (const bool openedAtStart : {false, true}) {
        test::FakeSettingsKey key;
        if (!openedAtStart) key.failingOpens = {0};
        SettingsStore store(key);
        EXPECT_EQ(store.Load(), openedAtStart);
        if (openedAtStart) key.exists = false;  // deleted meanwhile
        store.SetPlacement(StoredPlacement{44, 0, kShowNormal, {}, {}, {}});
        store.RecordGameResult("Ann", 280, GameType::Standard);
        const SaveResult expected = openedAtStart ? SaveResult::KeyWasGone : SaveResult::Written;
        EXPECT_EQ(store.SaveTable(GameType::Standard), expected);
        EXPECT_EQ(store.Save(), expected);
        EXPECT_EQ(key.values.size(), openedAtStart ? 0u : 6u);
        EXPECT_TRUE(openedAtStart || Scores(key, "hs1")[0] == 280);
    }
}

// Stored tables in any order, with equal scores, come into ranking order before a result is ranked into them;
// equal scores keep their stored order.
TEST(SettingsStore, StoredTablesOutOfOrderAreRankedStablyBeforeUse) {
    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        test::FakeSettingsKey key;
        key.exists = true;
        HighscoreTable stored{};
        for (int k = 0; k < kHighscoreEntries; ++k) {
            stored.entries[k].score = static_cast<std::int32_t>(random() % 5 * 100);
            stored.entries[k].name[0] = static_cast<char>('a' + k);
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&stored);
        key.values["hs1"].assign(bytes, bytes + sizeof stored);
        SettingsStore store(key);
        store.Load();
        HighscoreTable ranked = stored;
        std::stable_sort(std::begin(ranked.entries), std::end(ranked.entries),
                         [](const HighscoreEntry& a, const HighscoreEntry& b) { return a.score > b.score; });
        const HighscoreTable& loaded = store.settings().highscores.tables[0];
        EXPECT_EQ(std::memcmp(&loaded, &ranked, sizeof ranked), 0) << round;
        store.RecordGameResult("", 0, GameType::Standard);
        EXPECT_EQ(loaded.entries[0].score, ranked.entries[0].score) << round;
    }
}

// The rectangle judged is the one the platform makes: coordinates clamped to 16 bits, the size into the limits.
TEST(ReachablePlacement, KeepsWhatAPlayerCanReachAndLeavesTheRestAtTheDefault) {
    const PlacementRect normal{100, 100, 700, 500}, far{1300, 50, 1900, 450};
    const struct {
        std::uint32_t length, flags, showCmd, shown;  // shown 0: not applied
        PlacementRect stored, placed;
    } cases[] = {
        {44, 0, kShowNormal, kShowNormal, normal, normal},
        {44, 0, kShowMaximized, kShowMaximized, far, far},
        {44, 0, 2, kShowNormal, normal, normal},  // minimised
        {44, kRestoreToMaximized, 2, kShowMaximized, normal, normal},  // minimised from maximised
        {44, 0, 0, kShowNormal, normal, normal},  // hidden
        {44, 0, kShowNormal, kShowNormal, {100, 100, 110, 105}, {100, 100, 400, 300}},  // tiny
        {44, 0, kShowNormal, kShowNormal, {1000, 100, 90000, 500}, {1000, 100, 5000, 500}},  // wide
        {44, 0, kShowNormal, kShowNormal, {100, 900, 700, 90000}, {100, 900, 700, 3900}},  // tall
        {44, 0, kShowNormal, 0, {-100000, 0, 100, 600}, {}},  // at x = -32768 the caption is nowhere
        {44, 0, kShowNormal, 0, {3000, 100, 3600, 500}, {}},
        {44, 0, kShowMaximized, 0, {100, -400, 700, -10}, {}},
        {44, 0, kShowNormal, 0, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {}},
        {45, 0, kShowNormal, 0, normal, {}},
        {44, 0, kShowNormal, 0, {100, 100, 100, 500}, {}},
    };
    for (const auto& c : cases) {
        const auto placement = ReachablePlacement({c.length, c.flags, c.showCmd, {-1, -1}, {-1, -1}, c.stored},
                                                  {{0, 0, 1280, 984}, {1280, 0, 2304, 768}}, {{300, 200}, {4000, 3000}});
        ASSERT_EQ(placement.has_value(), c.shown != 0) << c.stored.left << "," << c.stored.top;
        if (!placement) continue;
        EXPECT_EQ(placement->showCmd, c.shown) << c.stored.left << "," << c.stored.top;
        EXPECT_EQ(std::memcmp(&placement->normalPosition, &c.placed, sizeof c.placed), 0) << c.stored.left;
    }
}

TEST(SettingsStore, RandomValueSetsLoadByteForByteOrTakeTheirDefaults) {
    test::FakeSettingsKey key;
    std::vector<std::uint32_t> types(16);
    std::iota(types.begin(), types.end(), 0);  // every type, none examined
    int defaults = 0;
    test::FuzzLoad(key, [&](const char* name, std::uint32_t, const auto* bytes) {
        bytes ? void(key.values[name] = *bytes) : void(key.values.erase(name));
    }, types, 10000, defaults);
    std::printf("10000 value sets, %d defaults taken\n", defaults);
    key.failOpen = true;  // a key that cannot be opened: the sound is on, nothing is written
    SettingsStore store(key);
    EXPECT_FALSE(store.Load());
    EXPECT_TRUE(store.settings().soundOn);
    EXPECT_EQ(store.Save(), SaveResult::Failed);
}

// Who plays each seat and the speed: every stored value of every size read as its choice or its default; a save
// after the other settings writes the choices, but a default only over a stored value, and nothing into a key that
// was made anew.
TEST(PlayerSetup, ValuesOfEverySizeReadAsAChoiceOrTheDefaultAndDefaultsAreNeverAdded) {
    test::FakeSettingsKey key;
    for (std::uint32_t value = 0; value < 6; ++value) {
        for (std::size_t size = 0; size <= 8; ++size) {
            std::vector<std::uint8_t> bytes(size, 0);
            for (std::size_t i = 0; i < size && i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
            key.values["Seat3"] = key.values["ComputerSpeed"] = bytes;
            const PlayerSetup setup = LoadPlayerSetup(key);
            EXPECT_EQ(static_cast<std::uint32_t>(setup.seats.of[2]), size == 4 && value < 4 ? value : 0);
            EXPECT_EQ(static_cast<std::uint32_t>(setup.speed), size == 4 && value < 3 ? value : 1);
            EXPECT_EQ(setup.seats.of[0], play::Seat::Human);
        }
    }
    PlayerSetup chosen;
    chosen.seats.of[1] = play::Seat::Easy;
    test::FakeSettingsKey fresh;
    SavePlayerSetup(fresh, chosen);
    EXPECT_TRUE(fresh.values.empty()) << "a key made anew stays empty";
    fresh.values["Sound"] = {1, 0, 0, 0};
    SavePlayerSetup(fresh, chosen);
    EXPECT_EQ(fresh.values.size(), 2u) << "only the seat that is not the default";
    EXPECT_EQ(LoadPlayerSetup(fresh).seats.of[1], play::Seat::Easy);
    SavePlayerSetup(fresh, PlayerSetup{});
    EXPECT_EQ(fresh.values.at("Seat2"), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(fresh.values.size(), 2u);
}

}  // namespace
}  // namespace kvoro
