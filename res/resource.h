#pragma once
// Resource and control ids shared by the resource script and the program.

// Dialogs
#define IDD_ABOUT 100
#define IDD_MAIN 129
#define IDD_NEWGAME 206
#define IDD_HIGHSCORE 211

// Menu, accelerators, icon (they share the id 128)
#define IDR_MAINMENU 128
#define IDR_ACCELERATORS 128
#define IDI_KVORO 128

// Bitmaps
#define IDB_BANNER_KVORO 205
#define IDB_CROSS 209
#define IDB_BANNER_MAXI 210
#define IDB_ABOUT_BANNER 213

// Dice clip, sounds and help document
#define IDR_DICE_AVI 108
#define IDR_WAVE_KVORO 101
#define IDR_WAVE_ROLL1 103
#define IDR_WAVE_ROLL2 104
#define IDR_WAVE_ROLL3 105
#define IDR_WAVE_ZERO 106
#define IDR_HELP_CHM 111

// Main window controls; dice 1 to 6 are 1000, 1001, 1003, 1004, 1005, 1008
#define IDC_DIE1 1000
#define IDC_DIE2 1001
#define IDC_ROLL 1002
#define IDC_DIE3 1003
#define IDC_DIE4 1004
#define IDC_DIE5 1005
#define IDC_BANNER 1006
#define IDC_DIE6 1008
#define IDC_HOLD1 1014
#define IDC_HOLD2 1015
#define IDC_HOLD3 1016
#define IDC_HOLD4 1017
#define IDC_HOLD5 1018
#define IDC_HOLD6 1019
#define IDC_STATUS 1035
#define IDC_REMINDER 1045

// New Game dialog
#define IDC_NAME1 1021
#define IDC_NAME2 1022
#define IDC_NAME3 1023
#define IDC_NAME4 1024
#define IDC_NAME5 1025
#define IDC_PLAYERS1 1026
#define IDC_PLAYERS2 1027
#define IDC_PLAYERS3 1028
#define IDC_PLAYERS4 1029
#define IDC_PLAYERS5 1030
#define IDC_TYPE_STANDARD 1031
#define IDC_TYPE_MAXI 1032
// Who plays each seat: the list beside name field k is IDC_SEAT1 + k - 1
#define IDC_SEAT1 1051
#define IDC_SEAT2 1052
#define IDC_SEAT3 1053
#define IDC_SEAT4 1054
#define IDC_SEAT5 1055

// About box
#define IDC_ABOUT_BANNER 213
#define IDC_ABOUT_LINK 1041
#define IDC_ABOUT_PANEL 1044

// Menu commands (Exit is IDCANCEL, 2)
#define ID_GAME_NEWGAME 32772
#define ID_HELP_ABOUT 32775
#define ID_GAME_HIGHSCORE 32779
#define ID_GAME_SOUND 32781
#define ID_HELP_HOMEPAGE 32783
#define ID_GAME_CLEARHIGHSCORE 32788
#define ID_GAME_HINT 32800
#define ID_SPEED_SLOW 32801
#define ID_SPEED_NORMAL 32802
#define ID_SPEED_FAST 32803
#define ID_GAME_UNDO 32804
#define ID_HELP_HELP 57670

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
