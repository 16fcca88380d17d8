#pragma once
// Who plays each seat of a game, and how fast a computer plays its turns.
// Plain data only.
#include <cstdint>

#include "game/rules.h"

namespace kvoro::play {

// A human, or a computer at one of three strengths.
enum class Seat : std::uint32_t { Human = 0, Easy = 1, Medium = 2, Hard = 3 };
constexpr int kSeatKinds = 4;

constexpr bool isComputer(Seat seat) { return seat != Seat::Human; }

// What the New Game dialog's lists and the status panel call a seat.
const char* seatName(Seat seat);

// Player k's seat at index k - 1; every seat human unless chosen otherwise.
struct Seats {
    Seat of[kMaxPlayers] = {Seat::Human, Seat::Human, Seat::Human, Seat::Human, Seat::Human};
};

enum class Speed : std::uint32_t { Slow = 0, Normal = 1, Fast = 2 };

// The pause before each step of a computer's turn; at Fast only the dice's
// own tumbling is left to follow.
constexpr int stepDelayMs(Speed speed) {
    return speed == Speed::Slow ? 1200 : speed == Speed::Fast ? 150 : 600;
}

}  // namespace kvoro::play
