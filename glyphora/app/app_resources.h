// Resource ids of glyphora.exe, shared by its .rc file and its code (so plain #defines).
#pragma once

// Menu and accelerator resources are named, as the program loads them.
#define GLYPHORA_MENU_NAME L"MENUBAR"
#define GLYPHORA_ACCEL_NAME L"ACCELERATORS"

// Commands of the menu bar.
#define CMD_NEW 1
#define CMD_OPEN 2
#define CMD_SAVE 3
#define CMD_SAVE_AS 4
#define CMD_EXIT 5
#define CMD_UNDO 11
#define CMD_CUT 12
#define CMD_COPY 13
#define CMD_PASTE 14
#define CMD_CLEAR 15
#define CMD_SELECT_ALL 16
#define CMD_SEND_EMAIL 21
#define CMD_DIMENSIONS 22
#define CMD_PREFERENCES 23
#define CMD_INVERT 31
#define CMD_FLIP_HORIZONTAL 32
#define CMD_FLIP_VERTICAL 33
#define CMD_ROTATE_RIGHT 34
#define CMD_ROTATE_LEFT 35
#define CMD_ROTATE_180 36
#define CMD_EXPLODE 37
#define CMD_IMPLODE 38
#define CMD_HELP_CONTENTS 41
#define CMD_ABOUT 42

// Icons: the program, its documents (the file type's ", 1"), then the tool buttons.
#define ICON_PROGRAM 1
#define ICON_DOCUMENT 2
#define ICON_SELECT_TOOL 128
#define ICON_TEXT_TOOL 130

// Strings the program shows (the tool bar's 1 ... 22 come from the tools' table).
#define STR_LATER_PREFERENCES 404
#define STR_MAPI_PROBLEM 405
#define STR_REGISTER_FILE_TYPE 406
#define STR_SAVE_CHANGES 407
#define STR_CONFIRM_CLOSE 408
#define STR_DIMENSIONS_RANGE 409

// The dimensions dialog.
#define DLG_DIMENSIONS 100
#define IDC_DIM_COLUMNS 101
#define IDC_DIM_ROWS 102

// The preferences dialog.
#define DLG_PREFERENCES 110
#define IDC_PREF_FONT 111
#define IDC_PREF_SIZE 112
#define IDC_PREF_RAMP 113
#define IDC_PREF_NOTICE 114
#define IDC_PREF_WIDTH 115
#define IDC_PREF_HEIGHT 116
#define IDC_PREF_PRESET1 117
#define IDC_PREF_PRESET2 118
#define STR_FIXED_FONTS_ONLY 411
#define STR_RAMP_SAMPLED 412
#define STR_USE_74_COLUMNS 413
#define STR_ORDINARY_ASCII 414
#define STR_TWO_CHARACTERS 415
#define STR_PREFERENCE_RANGES 416

// The big-text font dialog.
#define DLG_BIG_TEXT_FONT 120
#define IDC_BIG_FACE 121
#define IDC_BIG_SIZE 122
#define IDC_BIG_BOLD 123
#define IDC_BIG_ITALIC 124
#define IDC_BIG_UNDERLINE 125
#define IDC_BIG_STRIKEOUT 126
#define STR_BIG_TEXT_SIZE 417
