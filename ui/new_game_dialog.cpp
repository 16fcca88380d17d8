#include "ui/new_game_dialog.h"

#include <string>

#include "res/resource.h"
#include "ui/place_centred.h"

namespace kvoro {
namespace {

constexpr int kNameLimit = 16;       // what the user can type into a name field
constexpr int kNameReadLimit = 40;   // read buffer, NUL included: at most 39 characters

int NameField(int player) { return IDC_NAME1 + player - 1; }
int PlayerCountButton(int count) { return IDC_PLAYERS1 + count - 1; }

}  // namespace

INT_PTR NewGameDialog::Run(HWND owner) { return RunModal(IDD_NEWGAME, owner); }

bool NewGameDialog::OnInitDialog() {
    for (int player = 1; player <= kMaxPlayers; ++player) {
        const HWND field = Item(NameField(player));
        const std::string name(state_.playerName(player), textLength(state_.playerName(player), kNameCapacity));
        const std::string text = name.empty() ? "Player " + std::to_string(player) : name;
        SetWindowTextA(field, text.c_str());
        SendMessageA(field, EM_LIMITTEXT, kNameLimit, 0);
    }

    const int count = state_.playerCount >= 2 && state_.playerCount <= kMaxPlayers ? state_.playerCount : 1;
    CheckRadioButton(hwnd(), IDC_PLAYERS1, IDC_PLAYERS5, PlayerCountButton(count));
    SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PLAYERS1, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDC_PLAYERS1)));
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

bool NewGameDialog::OnCommand(int id, int code, HWND) {
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
    }
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
    }
}

}  // namespace kvoro
