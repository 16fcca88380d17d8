#pragma once
// Dice as numbers for the brute forces of both coaches: n dice as a code in base 6, one digit per die, and the face
// counts of the held dice in base n + 1, the same for every order.
#include <cstdint>
#include <vector>

#include "game/rules.h"

namespace kvoro::strategy::test {

struct Dice { std::int32_t v[kMaxDice]; };

template <int N>
struct DiceCodes {
    static int power(int face) { return face == 0 ? 1 : (N + 1) * power(face - 1); }

    static int countsKey(const Dice& dice, std::uint32_t hold = (1u << N) - 1) {
        int key = 0;
        for (int die = 0; die < N; ++die) key += hold >> die & 1u ? power(dice.v[die] - 1) : 0;
        return key;
    }

    static Dice diceOf(int code) {
        Dice dice{};
        for (int die = 0; die < N; ++die, code /= 6) dice.v[die] = code % 6 + 1;
        return dice;
    }

    // Adds next over every ordered outcome of the free dice to the held dice's key.
    static double sumOutcomes(const std::vector<double>& next, int key, int free) {
        if (free == 0) return next[key];
        double sum = 0.0;
        for (int face = 0; face < 6; ++face) sum += sumOutcomes(next, key + power(face), free - 1);
        return sum;
    }
};

}  // namespace kvoro::strategy::test
