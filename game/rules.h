#pragma once
// The rules of both game types: score card model, category scoring, turns and
// the random generator. Plain records and functions; no platform headers.
#include <cstddef>
#include <cstdint>

namespace kvoro {

enum class GameType : std::int32_t { Standard = 0, Maxi = 1 };

// The 23 rows of the card. The number is the row's identity everywhere:
// storage index, display order and the row carried by WM_ROW_CHOSEN.
enum ScoreRow : int {
    Ones = 0, Twos, Threes, Fours, Fives, Sixes,
    Bonus = 6, Total = 7,
    Pair = 8, TwoPair, ThreePair, ThreeOfAKind, FourOfAKind, FiveOfAKind,
    SmallStraight, LargeStraight, FullStraight, Cabin, Tower, FullHouse, Chance,
    Kvoro = 21,
    Score = 22,
};

constexpr int kRowCount = 23;
constexpr int kMaxPlayers = 5;
constexpr int kMaxDice = 6;
constexpr int kNameCapacity = 41;   // 40 characters and the NUL
constexpr int kLabelCapacity = 20;  // 19 characters and the NUL

constexpr bool isComputedRow(int row) { return row == Bonus || row == Total || row == Score; }
constexpr int diceCount(GameType type) { return type == GameType::Maxi ? 6 : 5; }
constexpr int roundsFor(GameType type) { return type == GameType::Maxi ? 20 : 15; }
// The upper-section bonus: granted once the upper rows add up to par dice of
// every face.
constexpr int bonusPar(GameType type) { return type == GameType::Maxi ? 4 : 3; }
constexpr int bonusThreshold(GameType type) { return bonusPar(type) * 21; }
constexpr int bonusPoints(GameType type) { return type == GameType::Maxi ? 100 : 50; }

// Length of a text that may lack its NUL: reads at most capacity bytes.
inline std::size_t textLength(const char* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length] != '\0') ++length;
    return length;
}

// One player's row values: 0 empty, -1 filled with zero points, else points.
struct ScoreCard {
    std::int32_t values[kRowCount];
};

struct DiceSet {
    std::int32_t values[kMaxDice];  // 0 = no value since the last entry, else 1..6
    std::int32_t held[kMaxDice];    // 0 or 1, copied from the Hold buttons before a roll
};

// The classic 32-bit linear congruential generator: each draw is bits 16..30
// of the new state.
class Random {
public:
    explicit Random(std::uint32_t seed = 1) : state_(seed) {}
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fff);
    }
    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_;
};

// Points the dice would give in an entered row (not 6, 7 or 22, which need a
// card); 0 when they do not qualify or the row is not 0..22. Reads dice 1..5,
// or 1..6 in a Maxi game; a value outside 1..6 shows no face.
int scoreDice(GameType type, const std::int32_t (&values)[kMaxDice], int row);

// The whole game. Players are numbered 1..5; the per-player arrays are indexed
// by player - 1.
struct GameState {
    GameState();                               // seeds from the calendar time
    explicit GameState(std::uint32_t seed);    // a seed of the caller's choice

    ScoreCard cards[kMaxPlayers];
    std::int32_t rollsLeft[kMaxPlayers];
    char playerNames[kMaxPlayers][kNameCapacity];
    char rowLabels[kRowCount][kLabelCapacity];
    GameType gameType;
    std::int32_t hasRolled;
    std::int32_t roundsLeft;
    DiceSet dice;
    std::int32_t currentPlayer;
    std::int32_t playerCount;
    Random random;

    void reset();
    // Ignored unless count is 1..5 and type is Standard or Maxi.
    void startGame(int count, GameType type);
    // 0 refused (row already filled, not an entered row of this card, or no
    // game in progress), -1 entered with zero points, else the points.
    // The entry that ends the game hands out no rolls.
    int enterScore(int row);
    // 0 while there is no current player (before the first game).
    int scoreFor(int row) const;
    int bonusStanding() const;
    const char* rowLabel(int row) const;      // "" for a row outside 0..22
    static bool isRowShown(GameType type, int row);
    // Does nothing without a game in progress or without rolls left.
    void roll();

    ScoreCard& card(int player) { return cards[player - 1]; }
    const ScoreCard& card(int player) const { return cards[player - 1]; }
    const char* playerName(int player) const {
        return player >= 1 && player <= kMaxPlayers ? playerNames[player - 1] : "";
    }
    // Copies at most 40 characters and always terminates; nullptr clears.
    void setPlayerName(int player, const char* name);
};

}  // namespace kvoro
