#include "strategy/maxi_strategy.h"

#include <algorithm>
#include <array>

#include "strategy/dice_space.h"

namespace kvoro::strategy {
namespace {

constexpr int kDice = 6;
constexpr int kUpperSlots = 6;
using Space = DiceSpace<kDice>;
constexpr int kRollCount = Space::rollCount();
using MaxiDice = ScoredDice<kDice, kMaxiSlots>;

const MaxiDice& maxiDice() {
    static const MaxiDice dice(GameType::Maxi, maxiRowOfSlot);
    return dice;
}

bool inMaxiGame(const GameState& game) {
    return game.gameType == GameType::Maxi && game.roundsLeft > 0 && game.currentPlayer >= 1 &&
           game.currentPlayer <= game.playerCount;
}

int rollsOf(const GameState& game) { return game.rollsLeft[game.currentPlayer - 1]; }

}  // namespace

MaxiTurn::MaxiTurn(const MaxiValue& value, const ScoreCard& card, int topRolls, bool lookingAhead)
    : value_(value), card_(card), top_(std::max(topRolls, 0)) {
    const MaxiPosition position = maxiPositionOf(card);
    open_ = position.open;
    upper_ = position.upper;
    if (open_ == 0) return;
    maxiDice();  // built before the first level
    if (lookingAhead) lookAhead();
    for (int left = 0; left <= top_; ++left) solveLevel(left);
}

// The next turn of a card after an entry, against the value; its score is left out.
MaxiTurn::MaxiTurn(const MaxiValue& value, MaxiPosition position, int topRolls)
    : value_(value), card_{}, open_(position.open), upper_(position.upper), top_(topRolls) {
    for (int left = 0; left <= top_; ++left) solveLevel(left);
}

// Solves the next turn of every card an entry can leave: each open slot
// entered, an upper one with any count of its face. This corrects much of the
// value's error, for holds as well as entries, at some milliseconds a turn.
void MaxiTurn::lookAhead() {
    for (int slot = 0; slot < kMaxiSlots; ++slot) {
        if (!(open_ & (1u << slot))) continue;
        const std::uint32_t open = open_ & ~(1u << slot);
        for (int n = 0; n <= (slot < kUpperSlots ? kDice : 0); ++n) {
            const int upper = slot < kUpperSlots ? std::min(upper_ + (slot + 1) * n, kMaxiUpperCap) : upper_;
            const bool known = std::any_of(ahead_.begin(), ahead_.end(),
                                           [&](const Ahead& a) { return a.open == open && a.upper == upper; });
            if (known) continue;
            Ahead next{open, upper, std::vector<double>(top_ + 1, 0.0)};
            if (open != 0) {
                // The rolls left now are in hand at the next turn with its own three.
                const MaxiTurn turn(value_, MaxiPosition{open, upper}, top_ + 2);
                for (int left = 0; left <= top_; ++left) next.carried[left] = turn.startExpectation(left + 3);
            }
            ahead_.push_back(std::move(next));
        }
    }
}

double MaxiTurn::after(std::uint32_t open, int upper, int rollsLeft) const {
    for (const Ahead& a : ahead_) {
        if (a.open == open && a.upper == upper) return a.carried[rollsLeft];
    }
    return value_.after(open, upper, rollsLeft);
}

// Points, the bonus when this entry reaches it, and the estimate of the card
// after it with the rolls left carried.
double MaxiTurn::entryValue(int slot, int points, int rollsLeft) const {
    int upper = upper_;
    double bonus = 0.0;
    if (slot < kUpperSlots) {
        upper = std::min(upper_ + points, kMaxiUpperCap);
        if (upper_ < kMaxiUpperCap && upper == kMaxiUpperCap) bonus = bonusPoints(GameType::Maxi);
    }
    return points + bonus + after(open_ & ~(1u << slot), upper, rollsLeft);
}

// The best entry of every roll with rollsLeft rolls to carry.
void MaxiTurn::solveEntries(int rollsLeft, std::vector<double>& rolls) const {
    const MaxiDice& dice = maxiDice();
    rolls.assign(kRollCount, -1.0);
    for (int slot = 0; slot < kMaxiSlots; ++slot) {
        if (!(open_ & (1u << slot))) continue;
        if (slot < kUpperSlots) {
            // An upper row's points follow from the count of its face alone.
            double byCount[kDice + 1];
            for (int n = 0; n <= kDice; ++n) byCount[n] = entryValue(slot, (slot + 1) * n, rollsLeft);
            for (int r = 0; r < kRollCount; ++r) {
                const double entry = byCount[dice.space.keeps[dice.space.firstRoll + r][slot]];
                rolls[r] = std::max(rolls[r], entry);
            }
        } else {
            const double after = entryValue(slot, 0, rollsLeft);
            for (int r = 0; r < kRollCount; ++r) rolls[r] = std::max(rolls[r], after + dice.score[r][slot]);
        }
    }
}

// From the level with one roll fewer left: a keep is worth the average over
// the face of one more die, up to a whole roll; a roll is worth its best entry
// or the best keep within it (keeping all six included).
void MaxiTurn::solveLevel(int rollsLeft) {
    const Space& space = maxiDice().space;
    std::vector<double> rolls;
    solveEntries(rollsLeft, rolls);
    std::vector<double> keeps;
    if (rollsLeft > 0) {
        keeps.resize(space.keepCount());
        std::copy(rolls_.back().begin(), rolls_.back().end(), keeps.begin() + space.firstRoll);
        for (int k = space.firstRoll - 1; k >= 0; --k) {
            double sum = 0.0;
            for (std::int16_t more : space.more[k]) sum += keeps[more];
            keeps[k] = sum / Space::kFaces;
        }
        std::vector<double> best = keeps;
        for (int k = 1; k < space.keepCount(); ++k) {
            for (std::int16_t fewer : space.fewer[k]) {
                if (fewer >= 0) best[k] = std::max(best[k], best[fewer]);
            }
        }
        for (int r = 0; r < kRollCount; ++r) rolls[r] = std::max(rolls[r], best[space.firstRoll + r]);
    }
    rolls_.push_back(std::move(rolls));
    keeps_.push_back(std::move(keeps));
}

double MaxiTurn::startExpectation(int rolls) const {
    const double score = card_.values[Score];
    if (open_ == 0 || rolls < 1 || rolls > top_ + 1) return score;
    const Space& space = maxiDice().space;
    double value = 0.0;
    for (int r = 0; r < kRollCount; ++r) value += space.rollChance[r] * rolls_[rolls - 1][r];
    return score + value;
}

std::vector<Move> MaxiTurn::moves(const std::int32_t (&dice)[kMaxDice], int rollsLeft) const {
    std::vector<Move> moves;
    if (open_ == 0 || rollsLeft < 0 || rollsLeft > top_) return moves;
    for (int die = 0; die < kDice; ++die) {
        if (dice[die] < 1 || dice[die] > Space::kFaces) return moves;
    }
    const double score = card_.values[Score];
    for (int slot = 0; slot < kMaxiSlots; ++slot) {
        if (!(open_ & (1u << slot))) continue;
        const int row = maxiRowOfSlot(slot);
        moves.push_back({row, 0, score + entryValue(slot, scoreDice(GameType::Maxi, dice, row), rollsLeft)});
    }
    if (rollsLeft > 0) {
        const Space& space = maxiDice().space;
        // Holding all six dice last, so that it loses every tie.
        for (std::uint32_t hold = 0; hold < (1u << kDice); ++hold) {
            Space::Counts held{};
            for (int die = 0; die < kDice; ++die) {
                if (hold & (1u << die)) ++held[dice[die] - 1];
            }
            moves.push_back({-1, hold, score + keeps_[rollsLeft][space.keepOf(held)]});
        }
    }
    sortBestFirst(moves);
    return moves;
}

namespace {

// The turn last solved on this thread: asked again for each decision of it.
const MaxiTurn& turnFor(const GameState& game, int topRolls) {
    thread_local std::vector<MaxiTurn> solved;
    const ScoreCard& card = game.card(game.currentPlayer);
    const bool same = !solved.empty() && solved.front().topRolls() >= topRolls &&
                      std::equal(std::begin(card.values), std::end(card.values), std::begin(solved.front().card().values));
    if (!same) {
        solved.clear();
        solved.emplace_back(MaxiValue::fitted(), card, topRolls, true);
    }
    return solved.front();
}

}  // namespace

std::vector<Move> maxiMoves(const GameState& game) {
    if (!inMaxiGame(game) || !game.hasRolled) return {};
    return turnFor(game, rollsOf(game)).moves(game.dice.values, rollsOf(game));
}

double maxiStartEstimate(const GameState& game) {
    if (!inMaxiGame(game)) return 0.0;
    const int rolls = rollsOf(game);
    return turnFor(game, rolls - 1).startExpectation(rolls);
}

int playMaxiTurn(GameState& game, const MaxiValue& value, bool lookingAhead) {
    if (!inMaxiGame(game) || rollsOf(game) < 1) return -1;
    const MaxiTurn turn(value, game.card(game.currentPlayer), rollsOf(game) - 1, lookingAhead);
    return playAdvisedTurn(game, [&] { return turn.moves(game.dice.values, rollsOf(game)); });
}

}  // namespace kvoro::strategy
