#pragma once
// Dice as multisets: every keep of zero to Dice dice, the keeps one die away,
// and the chance of each roll of all the dice. Both coaches solve their turns
// on these, since the order of the dice never matters to a score.
#include <array>
#include <cstdint>
#include <vector>

#include "game/rules.h"

namespace kvoro::strategy {

template <int Dice>
class DiceSpace {
public:
    static constexpr int kFaces = 6;
    using Counts = std::array<int, kFaces>;  // dice per face, faces 1..6

    DiceSpace() : keepOfCode_(codeCount(), -1) {
        for (int size = 0; size <= Dice; ++size) {
            Counts counts{};
            addMultisets(counts, 0, size);
        }
        for (std::size_t k = 0; k < keeps.size(); ++k) keepOfCode_[codeOf(keeps[k])] = static_cast<std::int16_t>(k);
        firstRoll = static_cast<int>(keeps.size() - rollCount());
        more.resize(keeps.size());
        fewer.resize(keeps.size());
        for (std::size_t k = 0; k < keeps.size(); ++k) {
            more[k].fill(-1);
            fewer[k].fill(-1);
            int n = 0;
            for (int face = 0; face < kFaces; ++face) {
                Counts other = keeps[k];
                ++other[face];
                if (static_cast<int>(k) < firstRoll) more[k][face] = keepOf(other);
                other[face] -= 2;
                if (other[face] >= 0) fewer[k][n++] = keepOf(other);
            }
        }
        double ways = 1.0;
        for (int die = 0; die < Dice; ++die) ways *= kFaces;
        for (int k = firstRoll; k < static_cast<int>(keeps.size()); ++k) {
            double orders = factorial(Dice);
            for (int c : keeps[k]) orders /= factorial(c);
            rollChance.push_back(orders / ways);
        }
    }

    int keepCount() const { return static_cast<int>(keeps.size()); }
    static constexpr int rollCount() { return choose(Dice + kFaces - 1, kFaces - 1); }
    int keepOf(const Counts& counts) const { return keepOfCode_[codeOf(counts)]; }
    // The faces of a keep as die values, lowest first, the rest left as they are.
    template <typename Values>
    void valuesOf(int keep, Values& values) const {
        int die = 0;
        for (int face = 0; face < kFaces; ++face) {
            for (int n = 0; n < keeps[keep][face]; ++n) values[die++] = face + 1;
        }
    }

    std::vector<Counts> keeps;  // by size; the rolls of all dice come last, from firstRoll
    int firstRoll = 0;
    // The keeps with one die more (per face; -1 for a full keep) and with one
    // die fewer (one per face present, -1 padded).
    std::vector<std::array<std::int16_t, kFaces>> more;
    std::vector<std::array<std::int16_t, kFaces>> fewer;
    std::vector<double> rollChance;  // of each roll of all the dice, from firstRoll on

private:
    static constexpr int choose(int n, int k) { return k == 0 ? 1 : choose(n - 1, k - 1) * n / k; }
    static constexpr double factorial(int n) { return n <= 1 ? 1.0 : n * factorial(n - 1); }
    static int codeCount() {
        int count = 1;
        for (int face = 0; face < kFaces; ++face) count *= Dice + 1;
        return count;
    }
    static int codeOf(const Counts& counts) {
        int code = 0;
        for (int face = kFaces - 1; face >= 0; --face) code = code * (Dice + 1) + counts[face];
        return code;
    }
    void addMultisets(Counts& counts, int face, int left) {
        if (face == kFaces - 1) {
            counts[face] = left;
            keeps.push_back(counts);
            return;
        }
        for (int n = left; n >= 0; --n) {
            counts[face] = n;
            addMultisets(counts, face + 1, left - n);
        }
    }

    std::vector<std::int16_t> keepOfCode_;
};

// The dice space and the points of every roll of all the dice in each of a
// card's Slots entered rows (rowOfSlot gives a slot's row), by the game's own
// scoring. Built once per game type, shared by all threads.
template <int Dice, int Slots>
struct ScoredDice {
    using Space = DiceSpace<Dice>;
    Space space;
    std::vector<std::array<std::int16_t, Slots>> score;  // per roll

    ScoredDice(GameType type, int (*rowOfSlot)(int)) {
        for (int r = 0; r < Space::rollCount(); ++r) {
            std::int32_t values[kMaxDice] = {};
            space.valuesOf(space.firstRoll + r, values);
            std::array<std::int16_t, Slots> points{};
            for (int slot = 0; slot < Slots; ++slot) {
                points[slot] = static_cast<std::int16_t>(scoreDice(type, values, rowOfSlot(slot)));
            }
            score.push_back(points);
        }
    }
    const typename Space::Counts& rollCounts(int r) const { return space.keeps[space.firstRoll + r]; }
};

}  // namespace kvoro::strategy
