#include "game/rules.h"

#include <cstring>
#include <ctime>

namespace kvoro {
namespace {

constexpr char kRowLabels[kRowCount][kLabelCapacity] = {
    "One", "Two", "Three", "Four", "Five", "Six", "Bonus", "Total",
    "Pair", "Two Pair", "Three Pair", "3 of a kind", "4 of a kind", "5 of a kind",
    "Small Straight", "Large Straight", "Full Straight", "Cabin", "Tower",
    "Full House", "Chance", "Kvoro", "Score",
};

// Dice per face, faces 1..6; slot 0 collects values that show no face, so
// counting needs no branch.
struct FaceCounts {
    int n[7];
};

FaceCounts countFaces(GameType type, const std::int32_t (&values)[kMaxDice]) {
    FaceCounts counts{};
    const int dice = diceCount(type);
    for (int i = 0; i < dice; ++i) {
        const auto value = static_cast<std::uint32_t>(values[i]);
        ++counts.n[value <= 6 ? value : 0];
    }
    return counts;
}

// The sum of the `wanted` highest faces that lie on at least `minDice` dice
// each, found from 6 downwards; 0 when fewer faces qualify.
int highestFaces(const FaceCounts& counts, int minDice, int wanted) {
    int sum = 0;
    for (int face = 6; face >= 1 && wanted > 0; --face) {
        if (counts.n[face] >= minDice) {
            sum += face;
            --wanted;
        }
    }
    return wanted == 0 ? sum : 0;
}

bool hasAllFaces(const FaceCounts& counts, int from, int to) {
    for (int face = from; face <= to; ++face) {
        if (counts.n[face] == 0) return false;
    }
    return true;
}

// A triple and a pair of two different faces. The higher face decides first
// and is the triple whenever it can be, which gives the largest value.
int threeAndTwo(const FaceCounts& counts) {
    for (int high = 6; high >= 2; --high) {
        const int partner = counts.n[high] >= 3 ? 2 : counts.n[high] == 2 ? 3 : 0;
        if (partner == 0) continue;
        for (int low = high - 1; low >= 1; --low) {
            if (counts.n[low] >= partner) {
                return partner == 2 ? 3 * high + 2 * low : 2 * high + 3 * low;
            }
        }
    }
    return 0;
}

// Four of one face and two of another: the sum of all six dice.
int tower(const FaceCounts& counts) {
    int four = 0;
    int two = 0;
    for (int face = 1; face <= 6; ++face) {
        if (counts.n[face] == 4) four = face;
        if (counts.n[face] == 2) two = face;
    }
    return four != 0 && two != 0 ? 4 * four + 2 * two : 0;
}

// Computed from the counts, so a die without a value adds nothing.
int sumOfDice(const FaceCounts& counts) {
    int sum = 0;
    for (int face = 1; face <= 6; ++face) sum += face * counts.n[face];
    return sum;
}

struct CardTotals {
    int bonus;
    int total;
    int score;
};

// -1 (filled with zero points) counts as nothing.
CardTotals totalsOf(const ScoreCard& card, GameType type) {
    const auto points = [&card](int row) { return card.values[row] > 0 ? card.values[row] : 0; };
    int upper = 0;
    for (int row = Ones; row <= Sixes; ++row) upper += points(row);
    const int bonus = upper >= bonusThreshold(type) ? bonusPoints(type) : 0;
    int score = upper + bonus;
    for (int row = Pair; row <= Kvoro; ++row) score += points(row);
    return {bonus, upper, score};
}

bool hasCurrentPlayer(const GameState& game) {
    return game.playerCount >= 1 && game.playerCount <= kMaxPlayers &&
           game.currentPlayer >= 1 && game.currentPlayer <= game.playerCount;
}

bool inProgress(const GameState& game) { return hasCurrentPlayer(game) && game.roundsLeft > 0; }

}  // namespace

int scoreDice(GameType type, const std::int32_t (&values)[kMaxDice], int row) {
    const FaceCounts counts = countFaces(type, values);
    switch (row) {
    case Ones: case Twos: case Threes: case Fours: case Fives: case Sixes:
        return (row + 1) * counts.n[row + 1];
    case Pair: return 2 * highestFaces(counts, 2, 1);
    case TwoPair: return 2 * highestFaces(counts, 2, 2);
    case ThreePair: return 2 * highestFaces(counts, 2, 3);
    case ThreeOfAKind: return 3 * highestFaces(counts, 3, 1);
    case FourOfAKind: return 4 * highestFaces(counts, 4, 1);
    case FiveOfAKind: return 5 * highestFaces(counts, 5, 1);
    case SmallStraight: return hasAllFaces(counts, 1, 5) ? 15 : 0;
    case LargeStraight: return hasAllFaces(counts, 2, 6) ? 20 : 0;
    case FullStraight: return hasAllFaces(counts, 1, 6) ? 21 : 0;
    case Cabin: return threeAndTwo(counts);
    case Tower: return tower(counts);
    case FullHouse:
        return type == GameType::Maxi ? 3 * highestFaces(counts, 3, 2) : threeAndTwo(counts);
    case Chance: return sumOfDice(counts);
    case Kvoro:
        // Counted faces, not raw values: dice that were never rolled are no Kvoro.
        return highestFaces(counts, diceCount(type), 1) != 0 ? bonusPoints(type) : 0;
    default: return 0;
    }
}

GameState::GameState() : GameState(static_cast<std::uint32_t>(std::time(nullptr))) {}

GameState::GameState(std::uint32_t seed) : random(seed) {
    std::memset(playerNames, 0, sizeof playerNames);
    reset();
    std::memcpy(rowLabels, kRowLabels, sizeof rowLabels);
}

void GameState::reset() {
    std::memset(cards, 0, sizeof cards);
    std::memset(rollsLeft, 0, sizeof rollsLeft);
    dice = DiceSet{};
    gameType = GameType::Standard;
    hasRolled = 0;
    roundsLeft = 0;
    currentPlayer = 0;
    playerCount = 0;
}

void GameState::startGame(int count, GameType type) {
    if (count < 1 || count > kMaxPlayers) return;
    if (type != GameType::Standard && type != GameType::Maxi) return;
    reset();
    playerCount = count;
    gameType = type;
    currentPlayer = 1;
    rollsLeft[0] = 3;
    roundsLeft = roundsFor(type);
}

int GameState::enterScore(int row) {
    if (!inProgress(*this) || isComputedRow(row) || !isRowShown(gameType, row)) return 0;
    const int player = currentPlayer;
    ScoreCard& entered = card(player);
    if (entered.values[row] != 0) return 0;

    const int points = scoreFor(row);
    const int result = points != 0 ? points : -1;
    entered.values[row] = result;
    const CardTotals totals = totalsOf(entered, gameType);
    entered.values[Bonus] = totals.bonus;
    entered.values[Total] = totals.total;
    entered.values[Score] = totals.score;

    if (gameType == GameType::Standard) rollsLeft[player - 1] = 0;
    if (player == playerCount) {
        currentPlayer = 1;
        --roundsLeft;
    } else {
        currentPlayer = player + 1;
    }
    if (roundsLeft == 0) {
        // The game is over: no turn begins, so nobody may roll on.
        std::memset(rollsLeft, 0, sizeof rollsLeft);
    } else if (gameType == GameType::Maxi) {
        rollsLeft[currentPlayer - 1] += 3;
    } else {
        rollsLeft[currentPlayer - 1] = 3;
    }

    std::memset(dice.values, 0, sizeof dice.values);
    hasRolled = 0;
    return result;
}

int GameState::scoreFor(int row) const {
    if (!isComputedRow(row)) return scoreDice(gameType, dice.values, row);
    if (!hasCurrentPlayer(*this)) return 0;
    const CardTotals totals = totalsOf(card(currentPlayer), gameType);
    return row == Bonus ? totals.bonus : row == Total ? totals.total : totals.score;
}

int GameState::bonusStanding() const {
    if (!hasCurrentPlayer(*this)) return 0;
    const ScoreCard& upper = card(currentPlayer);
    const int par = bonusPar(gameType);
    int standing = 0;
    for (int face = 1; face <= 6; ++face) {
        const int value = upper.values[face - 1];
        if (value == -1) {
            standing -= par * face;
        } else if (value != 0) {
            standing += value - par * face;
        }
    }
    return standing;
}

const char* GameState::rowLabel(int row) const {
    if (row < 0 || row >= kRowCount) return "";
    if (row == Kvoro && gameType == GameType::Maxi) return "Maxi Kvoro";
    return rowLabels[row];
}

bool GameState::isRowShown(GameType type, int row) {
    if (row < 0 || row >= kRowCount) return false;
    const bool maxiOnly = row == ThreePair || row == FiveOfAKind || row == FullStraight ||
                          row == Cabin || row == Tower;
    return type == GameType::Maxi || !maxiOnly;
}

void GameState::roll() {
    if (!inProgress(*this) || rollsLeft[currentPlayer - 1] <= 0) return;
    for (int die = 0; die < 5; ++die) {
        if (!dice.held[die]) dice.values[die] = random.next() % 6 + 1;
    }
    if (!dice.held[5]) dice.values[5] = gameType == GameType::Maxi ? random.next() % 6 + 1 : 0;
    --rollsLeft[currentPlayer - 1];
    hasRolled = 1;
}

void GameState::setPlayerName(int player, const char* name) {
    if (player < 1 || player > kMaxPlayers) return;
    char* field = playerNames[player - 1];
    std::memset(field, 0, kNameCapacity);
    if (name != nullptr) std::memcpy(field, name, textLength(name, kNameCapacity - 1));
}

}  // namespace kvoro
