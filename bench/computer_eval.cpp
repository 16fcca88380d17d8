// Plays many one-player games with each computer level, through the turn
// controller as the window does, and prints the mean scores with their 95 %
// confidence intervals. Usage: computer_eval [games] [threads] [standard|maxi]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <vector>

#include "play/turn_controller.h"

namespace {

using kvoro::play::ComputerStep;

struct Tally {
    double sum = 0.0;
    double squares = 0.0;
};

// Game g of every run rolls the same dice.
Tally play(const kvoro::strategy::ValueTable* table, kvoro::GameType type, kvoro::play::Seat level, long first,
           long end) {
    Tally tally;
    for (long g = first; g < end; ++g) {
        kvoro::play::TurnController controller(static_cast<std::uint32_t>(g + 1) * 2246822519u);
        controller.setCoachTable(table);
        controller.seats().of[0] = level;
        controller.game().startGame(1, type);
        controller.gameStarted();
        while (controller.inProgress()) {
            const ComputerStep step = controller.nextStep();
            switch (step.kind) {
            case ComputerStep::Kind::Roll:
                controller.roll(kvoro::play::Actor::Computer, step.hold);
                controller.rollFinished();
                break;
            case ComputerStep::Kind::Hold:
            case ComputerStep::Kind::Show:
                controller.stepShown();
                break;
            case ComputerStep::Kind::Enter:
                controller.enter(kvoro::play::Actor::Computer, step.row);
                break;
            default:
                std::abort();
            }
        }
        const double score = controller.state().card(1).values[kvoro::Score];
        tally.sum += score;
        tally.squares += score * score;
    }
    return tally;
}

}  // namespace

int main(int argc, char** argv) {
    const long games = argc > 1 ? std::atol(argv[1]) : 100000;
    const unsigned threads = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2;
    const bool maxiOnly = argc > 3 && std::strcmp(argv[3], "maxi") == 0;
    const bool standardOnly = argc > 3 && std::strcmp(argv[3], "standard") == 0;
    if (games < 2 || threads < 1) return 2;
    const kvoro::strategy::ValueTable table =
        maxiOnly ? kvoro::strategy::ValueTable() : kvoro::strategy::ValueTable::compute(threads);
    for (const kvoro::GameType type : {kvoro::GameType::Standard, kvoro::GameType::Maxi}) {
        if (type == kvoro::GameType::Standard ? maxiOnly : standardOnly) continue;
        for (const auto level : {kvoro::play::Seat::Easy, kvoro::play::Seat::Medium, kvoro::play::Seat::Hard}) {
            std::vector<std::future<Tally>> parts;
            for (unsigned t = 0; t < threads; ++t) {
                parts.push_back(std::async(std::launch::async, play, &table, type, level, games * t / threads,
                                           games * (t + 1) / threads));
            }
            Tally all;
            for (std::future<Tally>& part : parts) {
                const Tally tally = part.get();
                all.sum += tally.sum;
                all.squares += tally.squares;
            }
            const double mean = all.sum / games;
            const double deviation = std::sqrt((all.squares - games * mean * mean) / (games - 1));
            std::printf("%-6s %-18s games %ld  mean %8.3f +- %.3f  (sd %.2f)\n",
                        type == kvoro::GameType::Maxi ? "maxi" : "kvoro", kvoro::play::seatName(level), games, mean,
                        1.96 * deviation / std::sqrt(games), deviation);
            std::fflush(stdout);
        }
    }
    return 0;
}
