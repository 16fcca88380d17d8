// The turn controller through whole seeded games of mixed seats against the rules replayed on a bare GameState; the
// refusals out of turn; the computers' choices (Hard: the coach's best move) and their reproducibility.
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "builders.h"
#include "play/turn_controller.h"

namespace kvoro::play {
namespace {

const strategy::ValueTable& table() {
    static const strategy::ValueTable computed = strategy::ValueTable::compute(2);
    return computed;
}

// One action that changed the game: a roll with its holds, or an entry.
struct Action {
    int player;
    int row;  // -1: a roll
    std::uint32_t hold;
    bool operator==(const Action& other) const {
        return player == other.player && row == other.row && hold == other.hold;
    }
};

// Every field of two games equal (their padding is not part of them).
bool SameGame(const GameState& a, const GameState& b) {
    const auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    return same(a.cards, b.cards) && same(a.rollsLeft, b.rollsLeft) && same(a.playerNames, b.playerNames) &&
           same(a.rowLabels, b.rowLabels) && a.gameType == b.gameType && a.hasRolled == b.hasRolled &&
           a.roundsLeft == b.roundsLeft && same(a.dice, b.dice) && a.currentPlayer == b.currentPlayer &&
           a.playerCount == b.playerCount && a.random.state() == b.random.state();
}

using test::OpenRows;

// Every refusal the other side must meet now: the actor who is not on turn can neither roll nor enter.
void ExpectRefused(TurnController& controller, Actor idle) {
    const GameState before = controller.state();
    EXPECT_FALSE(controller.canRoll(idle));
    EXPECT_FALSE(controller.roll(idle, 0));
    for (int row : OpenRows(before)) EXPECT_EQ(controller.enter(idle, row), 0);
    EXPECT_TRUE(SameGame(before, controller.state()));
}

// Plays the game to its end: humans roll a random number of times holding random dice and enter a random open row
// (sometimes trying a filled one first); computers follow their steps. Returns every action.
std::vector<Action> PlayToTheEnd(TurnController& controller, std::uint32_t humanSeed) {
    std::minstd_rand human(humanSeed);
    std::vector<Action> actions;
    while (controller.inProgress()) {
        const GameState& game = controller.state();
        const int player = game.currentPlayer;
        const bool computer = isComputer(controller.seats().of[player - 1]);
        EXPECT_EQ(controller.isComputerTurn(), computer);
        ExpectRefused(controller, computer ? Actor::Human : Actor::Computer);
        if (computer) {
            const ComputerStep step = controller.nextStep();
            switch (step.kind) {
            case ComputerStep::Kind::Roll:
                EXPECT_TRUE(controller.roll(Actor::Computer, step.hold));
                actions.push_back({player, -1, step.hold});
                EXPECT_EQ(controller.nextStep().kind, ComputerStep::Kind::None) << "nothing while the dice roll";
                EXPECT_TRUE(controller.rollFinished());
                break;
            case ComputerStep::Kind::Hold:
            case ComputerStep::Kind::Show:
                controller.stepShown();
                break;
            case ComputerStep::Kind::Enter:
                EXPECT_NE(controller.enter(Actor::Computer, step.row), 0);
                actions.push_back({player, step.row, 0});
                break;
            default:
                ADD_FAILURE() << "no step on a computer's turn";
                return actions;
            }
            continue;
        }
        EXPECT_EQ(controller.nextStep().kind, ComputerStep::Kind::None);
        if (!game.hasRolled || (controller.canRoll(Actor::Human) && human() % 3 == 0)) {
            const std::uint32_t hold = game.hasRolled ? static_cast<std::uint32_t>(human() % 64) : 0;
            EXPECT_TRUE(controller.roll(Actor::Human, hold));
            EXPECT_FALSE(controller.roll(Actor::Human, hold)) << "a second roll while the first rolls";
            EXPECT_EQ(controller.enter(Actor::Human, OpenRows(game).front()), 0) << "no entry while the dice roll";
            EXPECT_TRUE(controller.rollFinished());
            EXPECT_FALSE(controller.rollFinished()) << "one end a roll";
            actions.push_back({player, -1, hold & ((1u << diceCount(game.gameType)) - 1)});
            continue;
        }
        if (OpenRows(game).size() < static_cast<std::size_t>(roundsFor(game.gameType))) {
            EXPECT_EQ(controller.enter(Actor::Human, Score), 0);  // a computed row
        }
        const std::vector<int> rows = OpenRows(game);
        const int row = rows[human() % rows.size()];
        EXPECT_NE(controller.enter(Actor::Human, row), 0);
        actions.push_back({player, row, 0});
    }
    return actions;
}

TurnController Seated(std::uint32_t seed, GameType type, std::vector<Seat> seats) {
    TurnController controller(seed);
    controller.setCoachTable(&table());
    for (std::size_t k = 0; k < seats.size(); ++k) controller.seats().of[k] = seats[k];
    controller.game().startGame(static_cast<int>(seats.size()), type);
    controller.gameStarted();
    return controller;
}

TEST(TurnController, MixedSeatsPlayWholeGamesOfBothTypesByTheRulesAndEachSeatOnlyOnItsTurn) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        for (std::uint32_t seed : {3u, 4u}) {
            SCOPED_TRACE(std::to_string(seed) + (type == GameType::Maxi ? " maxi" : " kvoro"));
            TurnController controller = Seated(seed, type, {Seat::Human, Seat::Easy, Seat::Hard, Seat::Medium});
            EXPECT_FALSE(controller.isGameOver());
            const std::vector<Action> actions = PlayToTheEnd(controller, seed);
            EXPECT_TRUE(controller.isGameOver());
            EXPECT_FALSE(controller.canRoll(Actor::Human) || controller.canRoll(Actor::Computer));
            EXPECT_EQ(controller.phase(), TurnPhase::GameOver);
            EXPECT_TRUE(controller.recordsResult(1));
            EXPECT_FALSE(controller.recordsResult(2) || controller.recordsResult(3) || controller.recordsResult(4));

            // The same actions on a bare game of the same seed: the controller adds nothing to the rules, and the
            // computers' own choices draw nothing from the dice's generator.
            GameState oracle(seed);
            oracle.startGame(4, type);
            int entries[kMaxPlayers] = {};
            for (const Action& action : actions) {
                ASSERT_EQ(action.player, oracle.currentPlayer);
                if (action.row < 0) {
                    for (int die = 0; die < kMaxDice; ++die) oracle.dice.held[die] = action.hold >> die & 1u;
                    oracle.roll();
                } else {
                    ASSERT_NE(oracle.enterScore(action.row), 0);
                    ++entries[action.player - 1];
                }
            }
            EXPECT_TRUE(SameGame(oracle, controller.state()));
            for (int player = 1; player <= 4; ++player) EXPECT_EQ(entries[player - 1], roundsFor(type));
        }
    }
}

TEST(TurnController, ComputersAreReproducibleFromTheSeedAndHardTakesTheBestMove) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const std::vector<Seat> seats = {Seat::Easy, Seat::Medium, Seat::Hard};
        TurnController first = Seated(11, type, seats), second = Seated(11, type, seats);
        EXPECT_EQ(PlayToTheEnd(first, 0), PlayToTheEnd(second, 0));

        // Hard's every step against the best move of the position.
        TurnController hard = Seated(12, type, {Seat::Hard});
        int decisions = 0;
        while (hard.inProgress()) {
            const GameState game = hard.state();
            const ComputerStep step = hard.nextStep();
            if (game.hasRolled && (step.kind == ComputerStep::Kind::Hold || step.kind == ComputerStep::Kind::Show)) {
                const std::vector<strategy::Move> best =
                    type == GameType::Maxi
                        ? sixDiceMoves(game)
                        : strategy::TurnAdvisor(table(), game.card(1)).moves(game.dice.values, game.rollsLeft[0]);
                ASSERT_FALSE(best.empty());
                EXPECT_EQ(step.row, best.front().row);
                if (step.row < 0) {
                    EXPECT_EQ(step.hold, best.front().hold);
                }
                ++decisions;
            }
            if (step.kind == ComputerStep::Kind::Roll) {
                hard.roll(Actor::Computer, step.hold);
                hard.rollFinished();
            } else if (step.kind == ComputerStep::Kind::Enter) {
                hard.enter(Actor::Computer, step.row);
            } else {
                hard.stepShown();
            }
        }
        EXPECT_GE(decisions, roundsFor(type));
    }
}

// After every entry of whole seeded games: undo and the same entry give the state of not undoing, undo and another
// row the state of choosing that row at once; a second undo, an undo after a roll or after the game's end is refused.
TEST(Undo, TakesBackExactlyTheLastHumanEntryUntilTheNextRoll) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        TurnController controller = Seated(21, type, {Seat::Human, Seat::Human, Seat::Hard});
        std::minstd_rand human(21);
        int undone = 0;
        while (controller.inProgress()) {
            if (controller.isComputerTurn()) {
                const ComputerStep step = controller.nextStep();
                if (step.kind == ComputerStep::Kind::Roll) {
                    controller.roll(Actor::Computer, step.hold);
                    EXPECT_FALSE(controller.canUndo() || controller.undo()) << "the next seat has rolled";
                    controller.rollFinished();
                } else if (step.kind == ComputerStep::Kind::Enter) {
                    controller.enter(Actor::Computer, step.row);
                    EXPECT_FALSE(controller.undo()) << "a computer's entry is its own";
                } else {
                    controller.stepShown();
                }
                continue;
            }
            controller.roll(Actor::Human, static_cast<std::uint32_t>(human() % 64));
            controller.rollFinished();
            const std::vector<int> rows = OpenRows(controller.state());
            const int row = rows[human() % rows.size()], other = rows[human() % rows.size()];
            TurnController direct = controller;  // another row in the first place
            direct.enter(Actor::Human, other);
            ASSERT_NE(controller.enter(Actor::Human, row), 0);
            const TurnController entered = controller;
            if (controller.isGameOver()) {
                EXPECT_FALSE(controller.canUndo() || controller.undo()) << "the results are recorded";
                break;
            }
            ASSERT_TRUE(controller.canUndo());
            ASSERT_TRUE(controller.undo());
            EXPECT_FALSE(controller.undo()) << "one entry only";
            EXPECT_TRUE(controller.canEnter(Actor::Human, row));
            ASSERT_NE(controller.enter(Actor::Human, other), 0);
            EXPECT_TRUE(SameGame(direct.state(), controller.state()));
            ASSERT_TRUE(controller.undo());
            ASSERT_NE(controller.enter(Actor::Human, row), 0);
            EXPECT_TRUE(SameGame(entered.state(), controller.state()));
            EXPECT_EQ(controller.phase(), entered.phase());
            ++undone;
        }
        EXPECT_GE(undone, 2 * roundsFor(type) - 1);
    }
}

TEST(ComputerLevels, DrawsFollowTheSoftmaxOfTheExpectedScoresAndAFiveDiceComputerWaitsForTheTable) {
    const std::vector<strategy::Move> moves = {{3, 0, 200.0}, {-1, 5, 199.0}, {8, 0, 196.0}};
    for (Seat level : {Seat::Easy, Seat::Medium}) {
        double weights[3], sum = 0;
        for (int i = 0; i < 3; ++i) sum += weights[i] = std::exp((moves[i].expected - 200.0) / temperature(level));
        Random own(5);
        int counts[3] = {};
        constexpr int kDraws = 20000;
        for (int n = 0; n < kDraws; ++n) ++counts[&drawMove(moves, level, own) - moves.data()];
        for (int i = 0; i < 3; ++i) {
            const double p = weights[i] / sum;
            EXPECT_NEAR(counts[i], kDraws * p, 4 * std::sqrt(kDraws * p * (1 - p)) + 1) << i;
        }
        EXPECT_GT(temperature(Seat::Easy), temperature(Seat::Medium));
    }
    Random own(5);
    for (int n = 0; n < 100; ++n) EXPECT_EQ(&drawMove(moves, Seat::Hard, own), &moves.front());

    TurnController waiting(1);
    waiting.seats().of[0] = Seat::Hard;
    waiting.game().startGame(1, GameType::Standard);
    waiting.gameStarted();
    ASSERT_EQ(waiting.nextStep().kind, ComputerStep::Kind::Roll);
    waiting.roll(Actor::Computer, 0);
    waiting.rollFinished();
    EXPECT_EQ(waiting.nextStep().kind, ComputerStep::Kind::Wait);
    waiting.setCoachTable(&table());
    EXPECT_NE(waiting.nextStep().kind, ComputerStep::Kind::Wait);
}

}  // namespace
}  // namespace kvoro::play
