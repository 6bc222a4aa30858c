#pragma once
// The filter as the filter dialog holds it, without the dialog: the Money listing, the
// command-line export and the fuzzer take it from here.

#include "platform/CalendarDay.h"

#include <string>

// "..." in a text means any value.
struct FilterSettings {
    std::string Trans = "...", Pay = "...", Curr = "...";
    bool FromOn = false;
    CalendarDay From;
    bool ToOn = false;
    CalendarDay To;
    bool On = false;
};
