#pragma once

#include "service/monitorstatus.h"

#include <array>

// A status bit shown as one of two fixed texts. The texts are the panel's own
// and deliberately irregular ("Slave: ТРИВОГА" but "Slave ППК: Норма").
struct TwoStateText {
    int byte;
    int bit;
    const char* label;
    const char* set;
    const char* clear;
    TextEmphasis whenSet; // an output switched on is news, a tamper or fault is an alarm
};

extern const std::array<TwoStateText, 26> twoStateTexts;
