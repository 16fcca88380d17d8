#pragma once
// What a six-dice card is worth between turns: an estimate of the points still
// to come after an entry, from the open rows, the upper total and the rolls
// carried into the next turn. The six-dice coach plays each turn exactly
// against it. No platform headers.
#include <array>
#include <cstdint>

#include "game/rules.h"

namespace kvoro::strategy {

// The 20 entered rows of the six-dice card, numbered 0..19 in row order
// ("slots"); slots 0..5 are the upper section, the last is "Maxi Kvoro".
constexpr int kMaxiSlots = 20;
constexpr int kMaxiUpperCap = bonusThreshold(GameType::Maxi);
constexpr int kMaxiKvoroSlot = kMaxiSlots - 1;

int maxiRowOfSlot(int slot);

// Where a six-dice card stands for the value: its open slots (bit per slot)
// and its upper total, capped at the threshold.
struct MaxiPosition {
    std::uint32_t open;
    int upper;
};
MaxiPosition maxiPositionOf(const ScoreCard& card);

// The model's parameters; fitted() holds the values the program plays with.
struct MaxiModel {
    std::array<double, kMaxiSlots> rowValue;  // what an open row will still score, per slot
    double bonusWeight;     // what the bonus chance below is worth, in points
    double dieChance;       // the chance per die that a later turn adds to an open upper row
    double rollValue;       // a carried roll, while rolls are scarce
    double kvoroRollValue;  // what a carried roll adds while "Maxi Kvoro" is open
    double rollsPerRow;     // carried rolls beyond this many per open row are worth nothing more
    double kvoroRolls;      // and beyond this many more while "Maxi Kvoro" is open
    // Added per number of open rows (index: rows - 1) so that the estimate
    // matches the points really scored on average. Every entry of a turn
    // leaves the same number of rows open, so this changes no choice.
    std::array<double, kMaxiSlots> level;
};

class MaxiValue {
public:
    explicit MaxiValue(const MaxiModel& model);
    // The model the program plays with, fitted by bench/maxi_fit.
    static const MaxiValue& fitted();

    // Expected points still to come on a card with the open slots (bit per
    // slot), the upper total (capped at the threshold; the bonus, once
    // reached, is already on the card) and the rolls carried.
    double after(std::uint32_t open, int upper, int carried) const {
        if (open == 0) return 0.0;
        double value = model_.bonusWeight * bonusChance(open, upper);
        int rows = 0;
        for (int slot = 0; slot < kMaxiSlots; ++slot) {
            if (open & (1u << slot)) {
                value += model_.rowValue[slot];
                ++rows;
            }
        }
        value += model_.level[rows - 1];
        const double perRoll = model_.rollValue + (open >> kMaxiKvoroSlot & 1u ? model_.kvoroRollValue : 0.0);
        return value + perRoll * usableRolls(open, carried);
    }

    // The terms of the estimate, for fitting it.
    double bonusChance(std::uint32_t open, int upper) const;
    double usableRolls(std::uint32_t open, int carried) const;
    const MaxiModel& model() const { return model_; }

private:
    MaxiModel model_;
    // Per set of open upper rows and upper total: the chance of the bonus.
    std::array<std::array<float, kMaxiUpperCap + 1>, 64> bonusChance_;
};

}  // namespace kvoro::strategy
