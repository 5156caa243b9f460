// Rules of the settings and programs dialogs: which check box and edit belong
// to which function text, what opens in them and what OK stores.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "extension/settings.h"

namespace ext {

struct FunctionControls {
    int checkBox;
    int edit;
    Function function;
    // Text table row put into the edit when the box is checked and used as the
    // box's label; 0 for FTP, whose text is item 9 of the menu template and
    // whose label stays as in the template.
    std::uint32_t text;
};

// The eleven rows, top to bottom.
extern const std::array<FunctionControls, kFunctionCount> kFunctionControls;

// Edits of the eight program slots, top to bottom.
extern const std::array<int, kProgramSlots> kProgramEdits;

// What an edit shows at opening: the text, or nothing for a switched-off one.
std::string editTextAtOpening(const std::string& setting);

// A typed text that is empty or begins with a blank or control character
// switches its function or program off ("-"); anything else is kept as typed.
std::string storedText(const std::string& typed);

// The palette radio button of an arrangement (0 when none fits), and the
// arrangement after OK: a checked radio button's, else the current one.
int arrangementRadio(int arrangement);
int arrangementAfterOk(int checkedRadio, int current);

struct ProgramsOutcome {
    bool complete;       // every slot accepted: the programs may be written
    std::string missing; // the program part that was not found
};

// Takes the typed texts of the eight slots in order into programs; stops at
// the first program that does not resolve, keeping the slots before it.
ProgramsOutcome takeProgramTexts(const std::array<std::string, kProgramSlots>& typed,
                                 std::array<std::string, kProgramSlots>& programs,
                                 const std::function<bool(const std::string& program)>& resolves);

std::string programNotFoundText(const std::string& program);

} // namespace ext
