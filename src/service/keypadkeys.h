#pragma once

#include <array>

// A button of the virtual keypad. The panel reports its last key with other
// codes than the keypad sends for "*" and "#".
struct KeypadKey {
    const char* name;
    const char* caption;
    int code;       // sent to the panel
    int statusCode; // byte 12 of the status block
};

// In telephone order, three to a row: "1" "2" "3" ... "*" "0" "#".
inline constexpr std::array<KeypadKey, 12> keypadKeys = {{
    {"sLabel_D_1", "1", 1, 1},
    {"sLabel_D_2", "2", 2, 2},
    {"sLabel_D_3", "3", 3, 3},
    {"sLabel_D_4", "4", 4, 4},
    {"sLabel_D_5", "5", 5, 5},
    {"sLabel_D_6", "6", 6, 6},
    {"sLabel_D_7", "7", 7, 7},
    {"sLabel_D_8", "8", 8, 8},
    {"sLabel_D_9", "9", 9, 9},
    {"sLabel_D_star", "*", 11, 26},
    {"sLabel_D_0", "0", 0, 0},
    {"sLabel_D_sharp", "#", 10, 27},
}};
