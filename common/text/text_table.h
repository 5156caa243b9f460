// The multilingual text table: every user-visible text that is not a fixed
// literal, in German, English, Italian, French and Spanish.
#pragma once

#include <cstdint>

namespace text {

// Primary language numbers (the low 10 bits of the user's language id).
enum Language : unsigned {
    kGerman = 7,
    kEnglish = 9,
    kSpanish = 10,
    kFrench = 12,
    kItalian = 16,
};

// Each deliverable carries its own copy; the helper's holds only the rows
// marked for it.
enum class TextCopy { Extension, Helper };

struct TextRow {
    std::uint32_t id; // 0 ends the table
    const char* german;
    const char* english;
    const char* italian; // nullptr or "" means: no text in this language
    const char* french;
    const char* spanish;
    bool inHelper;
};

// The rows in their fixed order, ended by a row with id 0.
extern const TextRow kTextRows[];

// Language number from a platform language id.
unsigned languageFromLangId(unsigned langId);

// The text of the first row with this id in the given language, falling back
// to English and then German; " " when the copy has no such row.
const char* lookupText(TextCopy copy, unsigned language, std::uint32_t id);

} // namespace text
