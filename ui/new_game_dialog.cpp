#include "ui/new_game_dialog.h"

#include <string>

#include "res/resource.h"
#include "ui/place_centred.h"

namespace kvoro {
namespace {

constexpr int kNameLimit = 16;       // what the user can type into a name field
constexpr int kNameReadLimit = 40;   // read buffer, NUL included: at most 39 characters

int NameField(int player) { return IDC_NAME1 + player - 1; }
int SeatList(int player) { return IDC_SEAT1 + player - 1; }
int PlayerCountButton(int count) { return IDC_PLAYERS1 + count - 1; }

std::string DefaultName(int player, play::Seat seat) {
    return (play::isComputer(seat) ? "Computer " : "Player ") + std::to_string(player);
}

}  // namespace

INT_PTR NewGameDialog::Run(HWND owner) { return RunModal(IDD_NEWGAME, owner); }

bool NewGameDialog::OnInitDialog() {
    for (int player = 1; player <= kMaxPlayers; ++player) {
        const HWND field = Item(NameField(player));
        const std::string name(state_.playerName(player), textLength(state_.playerName(player), kNameCapacity));
        const std::string text = name.empty() ? DefaultName(player, seats_.of[player - 1]) : name;
        SetWindowTextA(field, text.c_str());
        SendMessageA(field, EM_LIMITTEXT, kNameLimit, 0);
        FillSeatList(player);
    }

    const int count = state_.playerCount >= 2 && state_.playerCount <= kMaxPlayers ? state_.playerCount : 1;
    CheckRadioButton(hwnd(), IDC_PLAYERS1, IDC_PLAYERS5, PlayerCountButton(count));
    EnableNameFields();
    CheckRadioButton(hwnd(), IDC_TYPE_STANDARD, IDC_TYPE_MAXI,
                     state_.gameType == GameType::Maxi ? IDC_TYPE_MAXI : IDC_TYPE_STANDARD);

    PlaceCentred(hwnd(), GetParent(hwnd()));
    // Checking a radio button gives it WS_TABSTOP, so the platform's choice of
    // the first tab stop would be the player count; the names come first.
    // Its text selected, as the dialog manager would, so typing replaces it.
    SetFocus(Item(IDC_NAME1));
    SendMessageA(Item(IDC_NAME1), EM_SETSEL, 0, -1);
    return false;
}

void NewGameDialog::FillSeatList(int player) const {
    const HWND list = Item(SeatList(player));
    for (int kind = 0; kind < play::kSeatKinds; ++kind) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(play::seatName(static_cast<play::Seat>(kind))));
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(seats_.of[player - 1]), 0);
}

bool NewGameDialog::OnCommand(int id, int code, HWND) {
    if (id >= IDC_SEAT1 && id <= IDC_SEAT5 && code == CBN_SELCHANGE) {
        OfferDefaultName(id - IDC_SEAT1 + 1);
        return true;
    }
    if (id < IDC_PLAYERS1 || id > IDC_PLAYERS5 || code != BN_CLICKED) return false;
    EnableNameFields();
    return true;
}

void NewGameDialog::OnOK() {
    Start();
    Dialog::OnOK();
}

void NewGameDialog::EnableNameFields() {
    // Field k is open when a count of k or more players is checked.
    bool open = false;
    for (int player = kMaxPlayers; player >= 1; --player) {
        open = open || IsDlgButtonChecked(hwnd(), PlayerCountButton(player)) == BST_CHECKED;
        EnableWindow(Item(NameField(player)), open);
        EnableWindow(Item(SeatList(player)), open);
    }
}

void NewGameDialog::OfferDefaultName(int player) {
    char name[kNameReadLimit] = {};
    GetWindowTextA(Item(NameField(player)), name, kNameReadLimit);
    // A name the player typed is kept.
    if (name != DefaultName(player, play::Seat::Human) && name != DefaultName(player, play::Seat::Hard)) return;
    SetWindowTextA(Item(NameField(player)), DefaultName(player, ChosenSeat(player)).c_str());
}

play::Seat NewGameDialog::ChosenSeat(int player) const {
    const LRESULT chosen = SendMessageA(Item(SeatList(player)), CB_GETCURSEL, 0, 0);
    return chosen > 0 && chosen < play::kSeatKinds ? static_cast<play::Seat>(chosen) : play::Seat::Human;
}

void NewGameDialog::Start() {
    int count = kMaxPlayers;
    for (int candidate = 1; candidate < kMaxPlayers; ++candidate) {
        if (IsDlgButtonChecked(hwnd(), PlayerCountButton(candidate)) == BST_CHECKED) {
            count = candidate;
            break;
        }
    }
    const GameType type =
        IsDlgButtonChecked(hwnd(), IDC_TYPE_MAXI) == BST_CHECKED ? GameType::Maxi : GameType::Standard;
    state_.startGame(count, type);

    // Every field is stored, also the disabled and the empty ones.
    for (int player = 1; player <= kMaxPlayers; ++player) {
        char name[kNameReadLimit] = {};
        GetWindowTextA(Item(NameField(player)), name, kNameReadLimit);
        state_.setPlayerName(player, name);
        seats_.of[player - 1] = ChosenSeat(player);
    }
}

}  // namespace kvoro
