#include "play/computer_player.h"

#include <cmath>
#include <cstring>

#include "strategy/maxi_strategy.h"

namespace kvoro::play {

std::vector<strategy::Move> sixDiceMoves(const GameState& game) { return strategy::maxiMoves(game); }

const char* seatName(Seat seat) {
    switch (seat) {
    case Seat::Easy: return "Computer (easy)";
    case Seat::Medium: return "Computer (medium)";
    case Seat::Hard: return "Computer (hard)";
    case Seat::Human: break;
    }
    return "Human";
}

double temperature(Seat level) {
    // Chosen with bench/computer_eval: a one-player five-dice game then scores
    // about 172 (Easy) and 208 (Medium) on average, against 248.4 for Hard.
    switch (level) {
    case Seat::Easy: return 2.2;
    case Seat::Medium: return 1.25;
    default: return 0.0;
    }
}

const strategy::Move& drawMove(const std::vector<strategy::Move>& moves, Seat level, Random& own) {
    const double t = temperature(level);
    if (t <= 0.0 || moves.size() == 1) return moves.front();
    std::vector<double> weights(moves.size());
    double sum = 0.0;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        weights[i] = std::exp((moves[i].expected - moves.front().expected) / t);
        sum += weights[i];
    }
    // 30 bits from two 15-bit draws.
    const double u = (static_cast<double>(own.next()) * 32768.0 + own.next()) / (32768.0 * 32768.0);
    double point = u * sum;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        point -= weights[i];
        if (point < 0.0) return moves[i];
    }
    return moves.back();
}

void ComputerPlayer::setTable(const strategy::ValueTable* table) {
    if (table != table_) advisor_.reset();
    table_ = table != nullptr && !table->empty() ? table : nullptr;
}

bool ComputerPlayer::ready(const GameState& game) const {
    return game.gameType == GameType::Maxi || table_ != nullptr;
}

std::vector<strategy::Move> ComputerPlayer::moves(const GameState& game) {
    const int player = game.currentPlayer;
    if (!ready(game) || !game.hasRolled || player < 1 || player > game.playerCount) return {};
    if (game.gameType == GameType::Maxi) return sixDiceMoves(game);
    const ScoreCard& card = game.card(player);
    if (!advisor_ || std::memcmp(&advisedCard_, &card, sizeof card) != 0) {
        advisor_.emplace(*table_, card);
        advisedCard_ = card;
    }
    return advisor_->moves(game.dice.values, game.rollsLeft[player - 1]);
}

std::optional<strategy::Move> ComputerPlayer::choose(Seat level, const GameState& game) {
    const std::vector<strategy::Move> all = moves(game);
    if (all.empty()) return std::nullopt;
    return drawMove(all, level, own_);
}

}  // namespace kvoro::play
