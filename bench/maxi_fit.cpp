// Tunes the six-dice coach's value of a card between turns (MaxiValue) by
// self-play: a coordinate search over the model's parameters, each judged by
// the mean score of the same seeded games (common random numbers, so that a
// difference is the model's and not the dice's). Then it calibrates the
// estimate's level per number of open rows on games played as the program
// plays them (looking ahead), which changes no choice. Prints every
// improvement, and the calibrated model to paste into MaxiValue::fitted().
// Usage: maxi_fit [games per trial] [sweeps] [threads]
#include <array>
#include <bitset>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "strategy/maxi_strategy.h"

namespace {

using kvoro::strategy::MaxiModel;
using kvoro::strategy::MaxiValue;
using kvoro::strategy::kMaxiSlots;

// A trial must beat the best by this much: smaller gains are mostly the dice's.
constexpr double kNoise = 0.2;
constexpr int kParameters = kMaxiSlots + 6;

double& parameter(MaxiModel& model, int i) {
    if (i < kMaxiSlots) return model.rowValue[i];
    double* rest[] = {&model.bonusWeight, &model.dieChance, &model.rollValue, &model.kvoroRollValue,
                      &model.rollsPerRow, &model.kvoroRolls};
    return *rest[i - kMaxiSlots];
}

double stepOf(int i) {
    const double steps[] = {10.0, 0.05, 1.0, 1.0, 0.5, 2.0};
    return i < kMaxiSlots ? 3.0 : steps[i - kMaxiSlots];
}

void play(const MaxiValue& value, long first, long end, double& sum) {
    for (long g = first; g < end; ++g) {
        kvoro::GameState game(static_cast<std::uint32_t>(g + 1) * 2654435761u);
        game.startGame(1, kvoro::GameType::Maxi);
        while (game.roundsLeft > 0) {
            if (kvoro::strategy::playMaxiTurn(game, value, false) < 0) std::abort();
        }
        sum += game.card(1).values[kvoro::Score];
    }
}

double meanScore(const MaxiModel& model, long games, unsigned threads) {
    const MaxiValue value(model);
    std::vector<double> sums(threads, 0.0);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back(play, std::cref(value), games * t / threads, games * (t + 1) / threads,
                             std::ref(sums[t]));
    }
    double sum = 0.0;
    for (unsigned t = 0; t < threads; ++t) {
        workers[t].join();
        sum += sums[t];
    }
    return sum / games;
}

void printList(const std::array<double, kMaxiSlots>& values) {
    std::printf("{");
    for (int i = 0; i < kMaxiSlots; ++i) std::printf("%s%.2f", i ? ", " : "", values[i]);
    std::printf("}");
}

void print(const MaxiModel& model, double mean) {
    std::printf("mean %.3f\n{", mean);
    printList(model.rowValue);
    std::printf(",\n %.2f, %.3f, %.3f, %.3f, %.2f, %.2f,\n ", model.bonusWeight, model.dieChance, model.rollValue,
                model.kvoroRollValue, model.rollsPerRow, model.kvoroRolls);
    printList(model.level);
    std::printf("}\n");
    std::fflush(stdout);
}

// The points each card really scored after an entry, less the estimate of
// the card then, averaged per number of open rows and added to the level.
void calibrate(MaxiModel& model, long games) {
    const MaxiValue value(model);
    std::array<double, kMaxiSlots> missed{}, seen{};
    for (long g = 0; g < games; ++g) {
        kvoro::GameState game(static_cast<std::uint32_t>(g + 1) * 2654435761u);
        game.startGame(1, kvoro::GameType::Maxi);
        std::vector<std::pair<int, double>> estimates;  // open rows and score plus estimate
        while (game.roundsLeft > 0) {
            if (kvoro::strategy::playMaxiTurn(game, value) < 0) std::abort();
            const kvoro::strategy::MaxiPosition position = kvoro::strategy::maxiPositionOf(game.card(1));
            if (position.open == 0) break;
            estimates.emplace_back(static_cast<int>(std::bitset<kMaxiSlots>(position.open).count()),
                                   game.card(1).values[kvoro::Score] +
                                       value.after(position.open, position.upper, game.rollsLeft[0] - 3));
        }
        for (const auto& [rows, estimate] : estimates) {
            missed[rows - 1] += game.card(1).values[kvoro::Score] - estimate;
            ++seen[rows - 1];
        }
    }
    for (int i = 0; i < kMaxiSlots; ++i) model.level[i] += seen[i] > 0 ? missed[i] / seen[i] : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    const long games = argc > 1 ? std::atol(argv[1]) : 2000;
    const int sweeps = argc > 2 ? std::atoi(argv[2]) : 4;
    const unsigned threads = argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 2;
    if (games < 1 || threads < 1) return 2;
    MaxiModel best = MaxiValue::fitted().model();
    double bestMean = meanScore(best, games, threads);
    print(best, bestMean);
    double scale = 1.0;
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        bool moved = false;
        for (int i = 0; i < kParameters; ++i) {
            for (const double sign : {1.0, -1.0}) {
                MaxiModel trial = best;
                parameter(trial, i) += sign * scale * stepOf(i);
                const double mean = meanScore(trial, games, threads);
                if (mean <= bestMean + kNoise) continue;
                best = trial;
                bestMean = mean;
                moved = true;
                print(best, bestMean);
                break;
            }
        }
        if (!moved) scale /= 2;
    }
    calibrate(best, games);
    print(best, meanScore(best, games, threads));
    return 0;
}
