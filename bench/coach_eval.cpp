// Plays many one-player five-dice games with the coach through the game's own
// turns and prints what its play reaches, with 95 % confidence intervals.
// Usage: coach_eval [games] [threads]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "strategy/strategy.h"

namespace {

struct Tally {
    double sum = 0.0;
    double squares = 0.0;
    long bonuses = 0;
    long kvoros = 0;
};

// Seeds spread over the generator's states; game g of every run is the same.
void play(const kvoro::strategy::ValueTable& table, long first, long end, Tally& tally) {
    for (long g = first; g < end; ++g) {
        kvoro::GameState game(static_cast<std::uint32_t>(g + 1) * 2246822519u);
        game.startGame(1, kvoro::GameType::Standard);
        while (game.roundsLeft > 0) {
            if (kvoro::strategy::playBestTurn(game, table) < 0) std::abort();
        }
        const kvoro::ScoreCard& card = game.card(1);
        tally.sum += card.values[kvoro::Score];
        tally.squares += static_cast<double>(card.values[kvoro::Score]) * card.values[kvoro::Score];
        tally.bonuses += card.values[kvoro::Bonus] > 0;
        tally.kvoros += card.values[kvoro::Kvoro] > 0;
    }
}

void printRate(const char* what, long count, long games) {
    const double p = static_cast<double>(count) / games;
    std::printf("%-14s %8.3f %%  +- %.3f\n", what, 100.0 * p, 100.0 * 1.96 * std::sqrt(p * (1 - p) / games));
}

}  // namespace

int main(int argc, char** argv) {
    const long games = argc > 1 ? std::atol(argv[1]) : 100000;
    const unsigned threads = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2;
    if (games < 2 || threads < 1) return 2;
    const kvoro::strategy::ValueTable table = kvoro::strategy::ValueTable::compute(threads);
    std::vector<Tally> tallies(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back(play, std::cref(table), games * t / threads, games * (t + 1) / threads,
                             std::ref(tallies[t]));
    }
    Tally all;
    for (unsigned t = 0; t < threads; ++t) {
        workers[t].join();
        all.sum += tallies[t].sum;
        all.squares += tallies[t].squares;
        all.bonuses += tallies[t].bonuses;
        all.kvoros += tallies[t].kvoros;
    }
    const double mean = all.sum / games;
    const double deviation = std::sqrt((all.squares - games * mean * mean) / (games - 1));
    std::printf("games          %ld\n", games);
    std::printf("optimum        %.6f (the table's start value)\n", table.remaining({0, 0}));
    std::printf("mean score     %8.3f    +- %.3f\n", mean, 1.96 * deviation / std::sqrt(games));
    std::printf("std deviation  %8.3f\n", deviation);
    printRate("bonus rate", all.bonuses, games);
    printRate("Kvoro rate", all.kvoros, games);
    return 0;
}
