// Plays many one-player games through the game's own turns and prints what
// the play reaches, with 95 % confidence intervals: the five-dice coach, the
// six-dice coach, and a greedy six-dice player as the baseline (it holds its
// most frequent face, uses every roll and enters the best immediate score).
// Usage: coach_eval [games] [threads] [five|maxi|greedy|all]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "strategy/maxi_strategy.h"
#include "strategy/strategy.h"

namespace {

using kvoro::GameState;
using kvoro::GameType;

struct Tally {
    double sum = 0.0;
    double squares = 0.0;
    long bonuses = 0;
    long kvoros = 0;
    double carried = 0.0;  // rolls carried into the last turn
    double carriedSquares = 0.0;
    std::vector<double> rows = std::vector<double>(kvoro::kRowCount, 0.0);

    void add(const Tally& other) {
        sum += other.sum;
        squares += other.squares;
        bonuses += other.bonuses;
        kvoros += other.kvoros;
        carried += other.carried;
        carriedSquares += other.carriedSquares;
        for (int row = 0; row < kvoro::kRowCount; ++row) rows[row] += other.rows[row];
    }
};

using Turn = std::function<int(GameState&)>;

int playGreedyTurn(GameState& game) {
    const int player = game.currentPlayer;
    for (std::int32_t& held : game.dice.held) held = 0;
    do {
        game.roll();
        int counts[7] = {};
        for (int die = 0; die < kvoro::kMaxDice; ++die) ++counts[game.dice.values[die]];
        int face = 6;
        for (int f = 5; f >= 1; --f) face = counts[f] > counts[face] ? f : face;
        for (int die = 0; die < kvoro::kMaxDice; ++die) game.dice.held[die] = game.dice.values[die] == face;
    } while (game.rollsLeft[player - 1] > 0);
    int best = -1;
    for (int row = 0; row < kvoro::kRowCount; ++row) {
        if (kvoro::isComputedRow(row) || game.card(player).values[row] != 0) continue;
        if (best < 0 || game.scoreFor(row) > game.scoreFor(best)) best = row;
    }
    return game.enterScore(best) != 0 ? best : -1;
}

// Seeds spread over the generator's states; game g of every run is the same.
void play(const Turn& turn, GameType type, long first, long end, Tally& tally) {
    for (long g = first; g < end; ++g) {
        GameState game(static_cast<std::uint32_t>(g + 1) * 2246822519u);
        game.startGame(1, type);
        while (game.roundsLeft > 0) {
            if (game.roundsLeft == 1) {
                tally.carried += game.rollsLeft[0] - 3;
                tally.carriedSquares += static_cast<double>(game.rollsLeft[0] - 3) * (game.rollsLeft[0] - 3);
            }
            if (turn(game) < 0) std::abort();
        }
        const kvoro::ScoreCard& card = game.card(1);
        tally.sum += card.values[kvoro::Score];
        tally.squares += static_cast<double>(card.values[kvoro::Score]) * card.values[kvoro::Score];
        tally.bonuses += card.values[kvoro::Bonus] > 0;
        tally.kvoros += card.values[kvoro::Kvoro] > 0;
        for (int row = 0; row < kvoro::kRowCount; ++row) tally.rows[row] += std::max(card.values[row], 0);
    }
}

void printMean(const char* what, double sum, double squares, long games) {
    const double mean = sum / games;
    const double deviation = std::sqrt((squares - games * mean * mean) / (games - 1));
    std::printf("%-16s %9.3f    +- %.3f   (std deviation %.3f +- %.3f)\n", what, mean,
                1.96 * deviation / std::sqrt(games), deviation, 1.96 * deviation / std::sqrt(2.0 * (games - 1)));
}

void printRate(const char* what, long count, long games) {
    const double p = static_cast<double>(count) / games;
    std::printf("%-16s %8.3f %%  +- %.3f\n", what, 100.0 * p, 100.0 * 1.96 * std::sqrt(p * (1 - p) / games));
}

void evaluate(const char* name, const Turn& turn, GameType type, long games, unsigned threads) {
    std::vector<Tally> tallies(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back(play, std::cref(turn), type, games * t / threads, games * (t + 1) / threads,
                             std::ref(tallies[t]));
    }
    Tally all;
    for (unsigned t = 0; t < threads; ++t) {
        workers[t].join();
        all.add(tallies[t]);
    }
    std::printf("%s, %ld games\n", name, games);
    printMean("mean score", all.sum, all.squares, games);
    printRate("bonus rate", all.bonuses, games);
    printRate(type == GameType::Maxi ? "Maxi Kvoro rate" : "Kvoro rate", all.kvoros, games);
    if (type == GameType::Maxi) printMean("carried to last", all.carried, all.carriedSquares, games);
    std::printf("row means       ");
    for (int row = 0; row < kvoro::kRowCount; ++row) {
        if (!kvoro::isComputedRow(row) && GameState::isRowShown(type, row)) std::printf(" %.1f", all.rows[row] / games);
    }
    std::printf("\n\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const long games = argc > 1 ? std::atol(argv[1]) : 100000;
    const unsigned threads = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2;
    const char* which = argc > 3 ? argv[3] : "all";
    if (games < 2 || threads < 1) return 2;
    const bool all = std::strcmp(which, "all") == 0;
    if (all || std::strcmp(which, "five") == 0) {
        const kvoro::strategy::ValueTable table = kvoro::strategy::ValueTable::compute(threads);
        std::printf("five-dice optimum %.6f (the table's start value)\n", table.remaining({0, 0}));
        evaluate("five-dice coach", [&table](GameState& game) { return kvoro::strategy::playBestTurn(game, table); },
                 GameType::Standard, games, threads);
    }
    if (all || std::strcmp(which, "maxi") == 0) {
        const kvoro::strategy::MaxiValue& value = kvoro::strategy::MaxiValue::fitted();
        evaluate("six-dice coach", [&value](GameState& game) { return kvoro::strategy::playMaxiTurn(game, value); },
                 GameType::Maxi, games, threads);
    }
    if (all || std::strcmp(which, "greedy") == 0) {
        evaluate("six-dice greedy baseline", playGreedyTurn, GameType::Maxi, games, threads);
    }
    return 0;
}
