// The language chosen once per process, and text lookup in it.
#pragma once

#include <cstdint>

#include "common/text/text_table.h"

namespace text {

// Sets the runtime locale from the user's country and takes the language
// number from the user's default language. Run once at start.
void chooseLanguage();

unsigned chosenLanguage();

// The text in the chosen language from this deliverable's copy of the table.
const char* lookupText(std::uint32_t id);

} // namespace text
