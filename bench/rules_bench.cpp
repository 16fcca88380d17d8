// Row evaluations per second over every roll of both games, and whole games
// per second with a random player.
#include <array>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "game/rules.h"
#include "bench/random_play.h"

namespace kvoro {
namespace {

using Roll = std::array<std::int32_t, kMaxDice>;

// All 6^n orderings of the game's dice (7,776 or 46,656).
std::vector<Roll> everyRoll(GameType type) {
    const int n = diceCount(type);
    std::vector<Roll> rolls;
    Roll dice{};
    for (int i = 0; i < n; ++i) dice[i] = 1;
    for (;;) {
        rolls.push_back(dice);
        int i = 0;
        while (i < n && dice[i] == 6) dice[i++] = 1;
        if (i == n) return rolls;
        ++dice[i];
    }
}

void scoreEveryRoll(benchmark::State& state, GameType type) {
    const std::vector<Roll> rolls = everyRoll(type);
    std::vector<int> rows;
    for (int row = 0; row < kRowCount; ++row) {
        if (!isComputedRow(row) && GameState::isRowShown(type, row)) rows.push_back(row);
    }
    GameState game(1);
    game.startGame(1, type);
    for (auto _ : state) {
        int sum = 0;
        for (const Roll& roll : rolls) {
            std::memcpy(game.dice.values, roll.data(), sizeof game.dice.values);
            for (int row : rows) sum += game.scoreFor(row);
        }
        benchmark::DoNotOptimize(sum);
    }
    const double perIteration = static_cast<double>(rolls.size() * rows.size());
    state.counters["rows"] = benchmark::Counter(perIteration, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(scoreEveryRoll, standard, GameType::Standard)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scoreEveryRoll, maxi, GameType::Maxi)->Unit(benchmark::kMillisecond);

void wholeGames(benchmark::State& state, GameType type) {
    const int players = static_cast<int>(state.range(0));
    std::minstd_rand choices(1);
    GameState game(1);
    for (auto _ : state) {
        game.startGame(players, type);
        sim::playRandomGame(game, choices);
        benchmark::DoNotOptimize(game.cards);
    }
    state.counters["games"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(wholeGames, standard, GameType::Standard)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(wholeGames, maxi, GameType::Maxi)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kvoro
