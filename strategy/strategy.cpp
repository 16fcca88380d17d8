#include "strategy/strategy.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bitset>
#include <thread>

#include "strategy/dice_space.h"

namespace kvoro::strategy {
namespace {

constexpr int kFaces = 6;
constexpr int kDice = 5;
using Space = DiceSpace<kDice>;
constexpr int kRollCount = Space::rollCount();
constexpr int kLanes = kUpperStates;
constexpr int kUpperSlots = 6;
constexpr int kUpperMasks = 1 << kUpperSlots;

using FiveDice = ScoredDice<kDice, kSlotCount>;

const FiveDice& fiveDice() {
    static const FiveDice dice(GameType::Standard, rowOfSlot);
    return dice;
}

// The upper totals a set of filled upper slots can give, capped.
std::array<std::vector<int>, kUpperMasks> reachableUppers() {
    std::array<std::array<bool, kUpperStates>, kUpperMasks> reach{};
    reach[0][0] = true;
    for (int mask = 1; mask < kUpperMasks; ++mask) {
        for (int slot = 0; slot < kUpperSlots; ++slot) {
            if (!(mask & (1 << slot))) continue;
            const int before = mask & ~(1 << slot);
            for (int u = 0; u < kUpperStates; ++u) {
                if (!reach[before][u]) continue;
                for (int n = 0; n <= kDice; ++n) reach[mask][std::min(u + (slot + 1) * n, kUpperCap)] = true;
            }
        }
    }
    std::array<std::vector<int>, kUpperMasks> lists;
    for (int mask = 0; mask < kUpperMasks; ++mask) {
        for (int u = 0; u < kUpperStates; ++u) {
            if (reach[mask][u]) lists[mask].push_back(u);
        }
    }
    return lists;
}

double bonusFor(int upper, int points) {
    return upper < kUpperCap && upper + points >= kUpperCap ? bonusPoints(GameType::Standard) : 0.0;
}

// One turn solved for several upper totals at once (the lanes): the work is
// the same for each, so the inner loops run over contiguous lanes. A lane is
// a float, twice as many to a vector register, and so is a stored value: their
// roundings go either way and cancel out. What must not be rounded the same
// way each time is summed in double (the first roll's 252 outcomes) or
// divided exactly (the average over a die's faces), so that the start value
// holds to the last digit.
class TurnSolver {
public:
    using Lane = float;

    // At most `lanes` upper totals at once; the advisor asks for one.
    explicit TurnSolver(int lanes)
        : stride_(lanes), rolls_(kRollCount * lanes), keeps_(fiveDice().space.keepCount() * lanes) {}

    // Fills the entry values of every roll: the best row to enter now.
    void enterValues(const ValueTable& table, std::uint32_t filled, const int* upper, int lanes) {
        const FiveDice& dice = fiveDice();
        std::fill(rolls_.begin(), rolls_.end(), -1.0f);
        Lane best[kDice + 1][kLanes];
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (filled & (1u << slot)) continue;
            const float* next = table.values().data() + (filled | (1u << slot)) * kUpperStates;
            if (slot < kUpperSlots) {
                const int face = slot + 1;
                for (int n = 0; n <= kDice; ++n) {
                    const int points = face * n;
                    for (int l = 0; l < lanes; ++l) {
                        best[n][l] = static_cast<Lane>(points + bonusFor(upper[l], points) +
                                                     next[std::min(upper[l] + points, kUpperCap)]);
                    }
                }
                for (int r = 0; r < kRollCount; ++r) {
                    maxInto(&rolls_[r * stride_], best[dice.rollCounts(r)[slot]], lanes);
                }
            } else {
                for (int l = 0; l < lanes; ++l) best[0][l] = static_cast<Lane>(next[upper[l]]);
                for (int r = 0; r < kRollCount; ++r) {
                    const Lane points = dice.score[r][slot];
                    Lane* value = &rolls_[r * stride_];
                    for (int l = 0; l < lanes; ++l) value[l] = std::max(value[l], points + best[0][l]);
                }
            }
        }
    }

    // From the values of the rolls with one roll fewer left: what each keep is
    // worth (kept in holds when asked), then the rolls' values with one more
    // roll left (the best keep within each roll, keeping all of it included).
    void rollAgain(int lanes, double* holds) {
        const FiveDice& dice = fiveDice();
        std::copy(rolls_.begin(), rolls_.end(), keeps_.begin() + dice.space.firstRoll * stride_);
        // A keep is worth the average over the face of one more die.
        for (int k = dice.space.firstRoll - 1; k >= 0; --k) {
            Lane* value = &keeps_[k * stride_];
            const auto& more = dice.space.more[k];
            for (int l = 0; l < lanes; ++l) {
                Lane sum = 0.0f;
                for (int face = 0; face < kFaces; ++face) sum += keeps_[more[face] * stride_ + l];
                value[l] = sum / kFaces;  // 1 / 6 rounded would bias every level
            }
        }
        if (holds != nullptr) {
            for (int k = 0; k < dice.space.keepCount(); ++k) holds[k] = keeps_[k * stride_];
        }
        for (int k = 1; k < dice.space.keepCount(); ++k) {
            for (std::int16_t smaller : dice.space.fewer[k]) {
                if (smaller >= 0) maxInto(&keeps_[k * stride_], &keeps_[smaller * stride_], lanes);
            }
        }
        std::copy(keeps_.begin() + dice.space.firstRoll * stride_, keeps_.end(), rolls_.begin());
    }

    // The turn's value before the first roll.
    double firstRoll(int lane) const {
        const FiveDice& dice = fiveDice();
        double value = 0.0;
        for (int r = 0; r < kRollCount; ++r) value += dice.space.rollChance[r] * rolls_[r * stride_ + lane];
        return value;
    }

private:
    static void maxInto(Lane* value, const Lane* other, int lanes) {
        for (int l = 0; l < lanes; ++l) value[l] = std::max(value[l], other[l]);
    }

    int stride_;
    std::vector<Lane> rolls_;  // per roll and lane
    std::vector<Lane> keeps_;  // per keep and lane
};

}  // namespace

int rowOfSlot(int slot) {
    int seen = 0;
    for (int row = 0; row < kRowCount; ++row) {
        if (isComputedRow(row) || !GameState::isRowShown(GameType::Standard, row)) continue;
        if (seen++ == slot) return row;
    }
    return -1;
}

int slotOfRow(int row) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (rowOfSlot(slot) == row) return slot;
    }
    return -1;
}

TurnStart turnStartOf(const ScoreCard& card) {
    TurnStart start{0, 0};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::int32_t value = card.values[rowOfSlot(slot)];
        if (value != 0) start.filled |= 1u << slot;
        if (slot < kUpperSlots && value > 0) start.upper += value;
    }
    start.upper = std::min(start.upper, kUpperCap);
    return start;
}

ValueTable ValueTable::compute(unsigned threads, const std::atomic<bool>* stop,
                               const std::function<void()>& eachThread) {
    fiveDice();  // built before the threads start
    const auto uppers = reachableUppers();
    ValueTable table;
    table.values_.assign(kStateCount, 0.0f);
    std::vector<std::uint32_t> level;
    // A turn start depends only on those with one more slot filled.
    for (int open = 1; open <= kSlotCount; ++open) {
        level.clear();
        for (std::uint32_t filled = 0; filled < (1u << kSlotCount); ++filled) {
            if (kSlotCount - static_cast<int>(std::bitset<kSlotCount>(filled).count()) == open) level.push_back(filled);
        }
        std::atomic<std::size_t> nextIndex{0};
        const auto work = [&] {
            if (eachThread) eachThread();
            TurnSolver solver(kLanes);
            for (std::size_t i = nextIndex++; i < level.size(); i = nextIndex++) {
                if (stop && *stop) return;
                const std::uint32_t filled = level[i];
                const std::vector<int>& upper = uppers[filled & (kUpperMasks - 1)];
                const int lanes = static_cast<int>(upper.size());
                solver.enterValues(table, filled, upper.data(), lanes);
                solver.rollAgain(lanes, nullptr);
                solver.rollAgain(lanes, nullptr);
                for (int l = 0; l < lanes; ++l) {
                    table.values_[filled * kUpperStates + static_cast<std::size_t>(upper[l])] = static_cast<float>(solver.firstRoll(l));
                }
            }
        };
        std::vector<std::thread> helpers;
        for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(work);
        work();
        for (std::thread& helper : helpers) helper.join();
        if (stop && *stop) return ValueTable();
    }
    return table;
}

TurnAdvisor::TurnAdvisor(const ValueTable& table, const ScoreCard& card)
    : table_(table), start_(turnStartOf(card)), score_(0.0), startValue_(0.0) {
    score_ = card.values[Score];
    if (start_.filled == (1u << kSlotCount) - 1) return;
    TurnSolver solver(1);
    solver.enterValues(table, start_.filled, &start_.upper, 1);
    for (std::vector<double>& holds : holdValue_) {
        holds.resize(fiveDice().space.keepCount());
        solver.rollAgain(1, holds.data());
    }
    startValue_ = solver.firstRoll(0);
}

std::vector<Move> TurnAdvisor::moves(const std::int32_t (&dice)[kMaxDice], int rollsLeft) const {
    std::vector<Move> moves;
    if (start_.filled == (1u << kSlotCount) - 1 || rollsLeft < 0 || rollsLeft > 2) return moves;
    for (int die = 0; die < kDice; ++die) {
        if (dice[die] < 1 || dice[die] > kFaces) return moves;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (start_.filled & (1u << slot)) continue;
        const int row = rowOfSlot(slot);
        const int points = scoreDice(GameType::Standard, dice, row);
        const bool upper = slot < kUpperSlots;
        const TurnStart next{start_.filled | (1u << slot),
                             upper ? std::min(start_.upper + points, kUpperCap) : start_.upper};
        const double bonus = upper ? bonusFor(start_.upper, points) : 0.0;
        moves.push_back({row, 0, score_ + points + bonus + table_.remaining(next)});
    }
    if (rollsLeft > 0) {
        const Space& space = fiveDice().space;
        // Holding all five dice last, so that it loses every tie.
        for (std::uint32_t hold = 0; hold < (1u << kDice); ++hold) {
            Space::Counts held{};
            for (int die = 0; die < kDice; ++die) {
                if (hold & (1u << die)) ++held[dice[die] - 1];
            }
            moves.push_back({-1, hold, score_ + holdValue_[rollsLeft - 1][space.keepOf(held)]});
        }
    }
    sortBestFirst(moves);
    return moves;
}

int playBestTurn(GameState& game, const ValueTable& table) {
    const int player = game.currentPlayer;
    if (table.empty() || game.gameType != GameType::Standard || game.roundsLeft <= 0 || player < 1 ||
        player > game.playerCount) {
        return -1;
    }
    const TurnAdvisor advisor(table, game.card(player));
    return playAdvisedTurn(game, [&] { return advisor.moves(game.dice.values, game.rollsLeft[player - 1]); });
}

void sortBestFirst(std::vector<Move>& moves) {
    std::stable_sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) { return a.expected > b.expected; });
}

}  // namespace kvoro::strategy
