// Lookup in the text table with its language fallbacks.
#include "common/text/text_table.h"

namespace text {

namespace {

bool hasText(const char* s) {
    return s != nullptr && s[0] != '\0';
}

const char* localText(const TextRow& row, unsigned language) {
    switch (language) {
    case kItalian:
        return row.italian;
    case kFrench:
        return row.french;
    case kSpanish:
        return row.spanish;
    default:
        return nullptr;
    }
}

} // namespace

unsigned languageFromLangId(unsigned langId) {
    return langId & 1023u;
}

const char* lookupText(TextCopy copy, unsigned language, std::uint32_t id) {
    const TextRow* row = kTextRows;
    // The helper's copy is the same table without the extension-only rows.
    while (row->id != 0 && (row->id != id || (copy == TextCopy::Helper && !row->inHelper)))
        ++row;
    if (row->id == 0)
        return " ";
    if (language == kGerman)
        return row->german;
    if (const char* local = localText(*row, language); hasText(local))
        return local;
    return hasText(row->english) ? row->english : row->german;
}

} // namespace text
