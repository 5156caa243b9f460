// The date tool's rules.
#include "common/filetools/file_date.h"

#include <climits>

namespace filetools {

namespace {

struct FieldCheck {
    int low, high;
    std::uint32_t textId;
    const char* fixedText;
};

// Per field in dialog order: the accepted range and its message.
constexpr FieldCheck kHelperChecks[] = {
    {1, 31, 15116, nullptr}, {1, 12, 15117, nullptr}, {1980, 2107, 15118, nullptr},
    {0, 23, 15114, nullptr}, {0, 59, 15115, nullptr}, {0, 59, 15115, nullptr},
};
constexpr FieldCheck kExtensionChecks[] = {
    {0, 31, 0, "bitte Tag < 32"},
    {0, 12, 0, "bitte Tag < 13"},
    {1980, 2107, 0, "bitte Jahr größer 1979 und kleiner 2108"},
    {0, 23, 0, "bitte Stunde < 24"},
    {0, 60, 0, "bitte Minute < 61 "},
    {0, 60, 0, "bitte Sekunde < 61"},
};
constexpr const char* kExtensionImpossibleDate = "bitte ein Datum und eine Uhrzeit, die es gibt";

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

} // namespace

int fieldNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= INT_MAX)
            value = value * 10 + (text[i] - '0');
    }
    if (negative)
        value = -value;
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

bool refuseDate(const DateFields& fields, DateRules rules, DateRefusal& refusal) {
    const int values[] = {fields.day, fields.month, fields.year, fields.hour, fields.minute, fields.second};
    const FieldCheck* checks = rules == DateRules::Helper ? kHelperChecks : kExtensionChecks;
    for (int f = 0; f < 6; ++f) {
        if (values[f] < checks[f].low || values[f] > checks[f].high) {
            refusal = {static_cast<DateField>(f), checks[f].textId, checks[f].fixedText};
            return true;
        }
    }
    DateField impossible;
    if (fields.day == 0)
        impossible = DateField::Day;
    else if (fields.month == 0)
        impossible = DateField::Month;
    else if (fields.day > daysInMonth(fields.month, fields.year))
        impossible = DateField::Day;
    else if (fields.minute > 59)
        impossible = DateField::Minute;
    else if (fields.second > 59)
        impossible = DateField::Second;
    else
        return false;
    if (rules == DateRules::Helper)
        refusal = {impossible, kImpossibleDateText, nullptr};
    else
        refusal = {impossible, 0, kExtensionImpossibleDate};
    return true;
}

DosDateTime packDosDateTime(const DateFields& f) {
    DosDateTime packed;
    packed.date = static_cast<std::uint16_t>((f.day & 0x1F) | (f.month & 0x0F) << 5 | ((f.year - 1980) & 0x7F) << 9);
    packed.time = static_cast<std::uint16_t>((f.second / 2 & 0x1F) | (f.minute & 0x3F) << 5 | (f.hour & 0x1F) << 11);
    return packed;
}

} // namespace filetools
