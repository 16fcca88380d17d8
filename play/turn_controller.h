#pragma once
// The course of play, apart from the platform: whose turn it is, whether a
// roll or an entry may happen now, what follows an entry, the game's end, and
// for a computer's seat the next step of its turn and when it is due. Each of
// these questions is answered here and nowhere else; the main window shows
// the answers and passes the players' input on.
#include <cstdint>
#include <optional>

#include "game/rules.h"
#include "play/computer_player.h"
#include "play/seats.h"

namespace kvoro::play {

// Whether a player has the turn: not before the first game.
bool hasCurrentPlayer(const GameState& game);
// The current player's rolls left; 0 while no player has the turn.
int currentRollsLeft(const GameState& game);

// Who asks for an action: the person at the board or the computer playing the
// current seat. Each may act only on its own turns.
enum class Actor { Human, Computer };

enum class TurnPhase { NoGame, TurnBegins, Rolling, Choosing, OutOfRolls, GameOver };

// What the Hold buttons show: Disabled keeps their checks, which then show
// the dice a computer keeps.
enum class HoldRule { DisabledUnchecked, Enabled, Unchanged, Disabled };

struct ButtonRule {
    bool rollEnabled;
    HoldRule holds;
};

// One step of a computer's turn, due delayMs after the one before.
struct ComputerStep {
    enum class Kind {
        None,   // not a computer's turn, or its dice are still rolling
        Wait,   // the coach's table is not ready yet
        Hold,   // show the dice in hold as kept
        Roll,   // roll, keeping the dice in hold
        Show,   // show row as the one chosen
        Enter,  // enter row
    };
    Kind kind = Kind::None;
    std::uint32_t hold = 0;  // bit k: die k + 1
    int row = -1;
    int delayMs = 0;
};

class TurnController {
public:
    // The game's dice come from seed; the computers' own choices from a
    // generator of their own, seeded from it too.
    explicit TurnController(std::uint32_t seed);

    const GameState& state() const { return game_; }
    // The New Game dialog sets up the game and the names here and the seats
    // below, then gameStarted is called.
    GameState& game() { return game_; }
    Seats& seats() { return seats_; }
    const Seats& seats() const { return seats_; }
    // Forgets a roll still under way and a computer's plan.
    void gameStarted();

    void setSpeed(Speed speed) { speed_ = speed; }
    Speed speed() const { return speed_; }
    // The coach's table for five-dice computers; null while it is computed.
    void setCoachTable(const strategy::ValueTable* table) { computer_.setTable(table); }

    bool inProgress() const;
    bool isGameOver() const;
    Seat currentSeat() const;
    bool isComputerTurn() const;
    // A roll was started and its end has not been reported yet.
    bool rolling() const { return progress_.rolling; }
    bool canRoll(Actor actor) const;
    bool canEnter(Actor actor, int row) const;
    // Whether the player's result goes into the highscore lists: humans only.
    bool recordsResult(int player) const;
    TurnPhase phase() const;
    ButtonRule buttons() const;

    // Rolls the dice not in hold (bit k: die k + 1); false when refused.
    bool roll(Actor actor, std::uint32_t hold);
    // The roll's dice have stopped; false when no roll was under way.
    bool rollFinished();
    // As GameState::enterScore; 0 when refused.
    int enter(Actor actor, int row);

    // The next step of a computer's turn. Its choice is made once the dice
    // rest and kept until it has been played.
    ComputerStep nextStep();
    // The window has shown the step's holds or row.
    void stepShown() { progress_.planShown = true; }

    // Whether the last entry can be taken back: a human's entry, and nothing
    // since but that entry (no roll, no new game, not the game's last entry).
    bool canUndo() const { return undo_.has_value(); }
    // Restores the state before the last entry: the game (card, totals, turn,
    // rolls, dice and holds) and the course of the turn. False when refused.
    bool undo();

private:
    // The course of a turn beside the game's own state.
    struct Progress {
        bool rolling = false;
        std::optional<strategy::Move> plan;  // the computer's choice for the dice as they rest
        bool planShown = false;
    };
    // Undo's one value snapshot: everything an entry changes.
    struct Snapshot {
        GameState game;
        Progress progress;
    };

    bool mayAct(Actor actor) const;

    GameState game_;
    Seats seats_;
    Speed speed_ = Speed::Normal;
    Progress progress_;
    ComputerPlayer computer_;
    std::optional<Snapshot> undo_;
};

}  // namespace kvoro::play
