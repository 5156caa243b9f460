// The attribute and date tools' rules: the radio pairs, the attribute
// arithmetic, the field reading, the checks of both deliverables and the
// packing into the FAT date format.
#include <gtest/gtest.h>

#include <string>

#include "common/filetools/attribute_change.h"
#include "common/filetools/file_date.h"

using namespace filetools;

TEST(AttributePairs, ClicksCycleAndASecondClickReleases) {
    const PairMark U = PairMark::Untouched, S = PairMark::Set, C = PairMark::Clear;
    const struct {
        PairMark current, clicked, expected;
    } cases[] = {{U, S, S}, {S, S, U}, {S, C, C}, {C, C, U}, {C, S, S}, {U, C, C}};
    int i = 0;
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, afterClick(c.current, c.clicked)) << "case " << i++;
    EXPECT_EQ(AttributeChange{}.marks, (std::array<PairMark, 4>{U, U, U, U})) << "a fresh change touches nothing";
}

TEST(AttributeChanges, MarkedBitsChangeAndTheOthersStay) {
    AttributeChange hiddenNoArchive;
    hiddenNoArchive[Attribute::Hidden] = PairMark::Set;
    hiddenNoArchive[Attribute::Archive] = PairMark::Clear;
    AttributeChange all;
    all[Attribute::ReadOnly] = all[Attribute::System] = PairMark::Set;
    all[Attribute::Hidden] = all[Attribute::Archive] = PairMark::Clear;
    const struct {
        std::uint32_t before;
        AttributeChange change;
        std::uint32_t after;
    } cases[] = {
        {0x21, hiddenNoArchive, 0x03},                             // read-only + archive -> read-only + hidden
        {0x00, AttributeChange{}, 0x00},                           // nothing marked: written back as read
        {0x10 | 0x80 | 0x22, hiddenNoArchive, 0x10 | 0x80 | 0x02}, // other bits kept
        {0x26, all, 0x05},
        {0x05, all, 0x05},
    };
    int i = 0;
    for (const auto& c : cases)
        EXPECT_EQ(c.after, changedAttributes(c.before, c.change)) << "case " << i++;
}

TEST(DateFields, ReadLikeTheStandardConversion) {
    const std::pair<const char*, int> cases[] = {{"  7", 7},
                                                 {"x", 0},
                                                 {"", 0},
                                                 {"3x", 3},
                                                 {"-2", -2},
                                                 {"+5", 5},
                                                 {"99999999999", 2147483647},
                                                 {"-99999999999", -2147483647 - 1}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(value, fieldNumber(text)) << "'" << text << "'";
}

namespace {

// The message a check gives, "" when the date passes.
std::string verdict(const DateFields& f, DateRules rules) {
    DateRefusal r{};
    if (!refuseDate(f, rules, r))
        return "";
    const std::string field = std::to_string(static_cast<int>(r.field)) + ":";
    return field + (r.fixedText ? r.fixedText : std::to_string(r.textId));
}

} // namespace

TEST(DateChecks, EachDeliverableInItsOrderWithItsMessages) {
    const char* no = "bitte ein Datum und eine Uhrzeit, die es gibt";
    const struct {
        DateFields f;
        std::string helper, extension;
    } cases[] = {
        {{15, 6, 2024, 13, 45, 59}, "", ""},
        {{0, 6, 2024, 13, 45, 59}, "0:15116", std::string("0:") + no},
        {{32, 6, 2024, 13, 45, 59}, "0:15116", "0:bitte Tag < 32"},
        {{15, 0, 2024, 13, 45, 59}, "1:15117", std::string("1:") + no},
        {{15, 13, 2024, 13, 45, 59}, "1:15117", "1:bitte Tag < 13"},
        {{15, 6, 1979, 13, 45, 59}, "2:15118", "2:bitte Jahr größer 1979 und kleiner 2108"},
        {{15, 6, 1980, 13, 45, 59}, "", ""},
        {{15, 6, 2107, 13, 45, 59}, "", ""},
        {{15, 6, 2108, 13, 45, 59}, "2:15118", "2:bitte Jahr größer 1979 und kleiner 2108"},
        {{15, 6, 2024, 24, 45, 59}, "3:15114", "3:bitte Stunde < 24"},
        {{15, 6, 2024, 23, 60, 59}, "4:15115", std::string("4:") + no},
        {{15, 6, 2024, 23, 61, 59}, "4:15115", "4:bitte Minute < 61 "},
        {{15, 6, 2024, 23, 59, 60}, "5:15115", std::string("5:") + no},
        {{15, 6, 2024, 23, 59, 61}, "5:15115", "5:bitte Sekunde < 61"},
        {{31, 2, 2024, 0, 0, 0}, "0:15146", std::string("0:") + no},
        {{29, 2, 2024, 0, 0, 0}, "", ""},
        {{29, 2, 2100, 0, 0, 0}, "0:15146", std::string("0:") + no},
        {{31, 4, 2024, 0, 0, 0}, "0:15146", std::string("0:") + no},
        // The first failing field speaks; a date that does not exist only after every range.
        {{40, 0, 1900, 99, 99, 99}, "0:15116", "0:bitte Tag < 32"},
        {{31, 2, 2024, 99, 0, 0}, "3:15114", "3:bitte Stunde < 24"},
    };
    int i = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(c.helper, verdict(c.f, DateRules::Helper)) << "helper, case " << i;
        EXPECT_EQ(c.extension, verdict(c.f, DateRules::Extension)) << "extension, case " << i;
        ++i;
    }
}

TEST(DosDateTimes, PackedIntoTheFatWords) {
    const struct {
        DateFields f;
        std::uint16_t date, time;
    } cases[] = {
        {{31, 12, 1999, 13, 45, 59}, 31 | 12 << 5 | 19 << 9, 29 | 45 << 5 | 13 << 11}, // 13:45:59 -> :58
        {{1, 1, 1980, 0, 0, 0}, 1 | 1 << 5, 0},
        {{31, 12, 2107, 23, 59, 58}, 31 | 12 << 5 | 127 << 9, 29 | 59 << 5 | 23 << 11},
        {{8, 12, 2026, 7, 3, 1}, 8 | 12 << 5 | 46 << 9, 0 | 3 << 5 | 7 << 11},
    };
    int i = 0;
    for (const auto& c : cases) {
        const DosDateTime packed = packDosDateTime(c.f);
        EXPECT_EQ(c.date, packed.date) << "case " << i;
        EXPECT_EQ(c.time, packed.time) << "case " << i;
        ++i;
    }
}
