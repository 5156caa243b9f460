// The date tool's rules: reading its six fields, the checks of each
// deliverable with their messages, and the packing into the two 16-bit words
// of the FAT date format.
#pragma once

#include <cstdint>
#include <string_view>

namespace filetools {

// Day, month, four-digit year, hour, minute, second, as typed (local time).
struct DateFields {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
};

// The fields in dialog order; a check names the one it refused.
enum class DateField { Day, Month, Year, Hour, Minute, Second };

// A field's text as the standard decimal conversion reads it: leading blanks
// skipped, an optional sign, digits up to the first other character; no
// digits give 0. Values beyond the int range are held at its ends.
int fieldNumber(std::string_view text);

// The helper checks with text table messages, the extension with its own
// fixed German texts and wider ranges.
enum class DateRules { Helper, Extension };

// What refused a date: the field to correct and the message, a text table id
// (helper) or a fixed text (extension).
struct DateRefusal {
    DateField field;
    std::uint32_t textId;  // 0 with a fixed text
    const char* fixedText; // nullptr with a text id
};

// Text table row of the helper's message for a date that does not exist.
inline constexpr std::uint32_t kImpossibleDateText = 15146;

// The first failing check, or false when the date may be stamped. After the
// range checks of each deliverable, a date the FAT format cannot hold as a
// real moment (31 February, and the extension's day 0, month 0, minute 60,
// second 60) is refused too: stamping it would change no file.
bool refuseDate(const DateFields& fields, DateRules rules, DateRefusal& refusal);

// The two words of the FAT date format.
struct DosDateTime {
    std::uint16_t date = 0; // day | month << 5 | (year - 1980) << 9
    std::uint16_t time = 0; // second / 2 | minute << 5 | hour << 11
};

// Packs checked fields; an odd second goes down to the even one before it.
DosDateTime packDosDateTime(const DateFields& fields);

} // namespace filetools
