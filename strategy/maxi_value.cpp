#include "strategy/maxi_value.h"

#include <algorithm>
#include <vector>

namespace kvoro::strategy {
namespace {

constexpr int kUpperSlots = 6;

// The binomial chances of 0..6 dice out of six.
std::array<double, 7> binomialSix(double chance) {
    std::array<double, 7> ways{};
    for (int n = 0; n <= 6; ++n) {
        double value = 1.0;
        for (int i = 0; i < 6; ++i) value *= i < n ? chance : 1.0 - chance;
        double choose = 1.0;
        for (int i = 1; i <= n; ++i) choose = choose * (6 - n + i) / i;
        ways[n] = choose * value;
    }
    return ways;
}

}  // namespace

int maxiRowOfSlot(int slot) {
    int seen = 0;
    for (int row = 0; row < kRowCount; ++row) {
        if (isComputedRow(row)) continue;
        if (seen++ == slot) return row;
    }
    return -1;
}

MaxiPosition maxiPositionOf(const ScoreCard& card) {
    MaxiPosition position{0, 0};
    for (int slot = 0; slot < kMaxiSlots; ++slot) {
        const std::int32_t entered = card.values[maxiRowOfSlot(slot)];
        if (entered == 0) position.open |= 1u << slot;
        if (slot < kUpperSlots && entered > 0) position.upper += entered;
    }
    position.upper = std::min(position.upper, kMaxiUpperCap);
    return position;
}

// The bonus chance treats every open upper row alike: it will be entered with
// a binomial number of its dice, each die showing the face with dieChance, and
// the rows are independent. The chance is then the share of those outcomes
// whose sum with the upper total reaches the threshold.
MaxiValue::MaxiValue(const MaxiModel& model) : model_(model) {
    const std::array<double, 7> dice = binomialSix(model.dieChance);
    for (int mask = 0; mask < 64; ++mask) {
        std::vector<double> added(kMaxiUpperCap + 1, 0.0);  // points the open rows add, capped
        added[0] = 1.0;
        for (int slot = 0; slot < kUpperSlots; ++slot) {
            if (!(mask & (1 << slot))) continue;
            std::vector<double> next(kMaxiUpperCap + 1, 0.0);
            for (int sum = 0; sum <= kMaxiUpperCap; ++sum) {
                for (int n = 0; n <= 6; ++n) next[std::min(sum + (slot + 1) * n, kMaxiUpperCap)] += added[sum] * dice[n];
            }
            added.swap(next);
        }
        double reaching = 0.0;  // the chance of adding at least kMaxiUpperCap - upper
        for (int upper = 0; upper <= kMaxiUpperCap; ++upper) {
            reaching += added[kMaxiUpperCap - upper];
            bonusChance_[mask][upper] = upper == kMaxiUpperCap ? 0.0f : static_cast<float>(reaching);
        }
    }
}

double MaxiValue::bonusChance(std::uint32_t open, int upper) const {
    return bonusChance_[open & 63u][static_cast<std::size_t>(std::clamp(upper, 0, kMaxiUpperCap))];
}

double MaxiValue::usableRolls(std::uint32_t open, int carried) const {
    int rows = 0;
    for (std::uint32_t rest = open; rest != 0; rest &= rest - 1) ++rows;
    const double room = model_.rollsPerRow * rows + (open >> kMaxiKvoroSlot & 1u ? model_.kvoroRolls : 0.0);
    return std::min(static_cast<double>(carried), room);
}

const MaxiValue& MaxiValue::fitted() {
    static const MaxiValue value(MaxiModel{
        {4.00, 8.00, 15.00, 19.00, 20.00, 21.00, 17.00, 21.00, 14.00, 14.00, 15.00, 12.00, 15.00, 12.00, 12.00, 21.00, 15.00, 17.00, 27.00, 40.00},
        110.00, 0.550, 6.000, 0.000, 3.50, 2.0,
        {-24.98, -35.55, -38.24, -36.70, -33.63, -28.60, -22.13, -15.29, -7.01, 1.77,
         11.51, 21.82, 32.31, 42.89, 53.73, 65.14, 76.17, 87.47, 98.70, 0.00}});
    return value;
}

}  // namespace kvoro::strategy
