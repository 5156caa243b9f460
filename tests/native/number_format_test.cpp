// German-style number texts and the size lines built from them.
#include <gtest/gtest.h>

#include "common/text/number_format.h"

namespace {

struct FormatCase {
    double value;
    int decimals;
    const char* expected;
};

} // namespace

TEST(NumberFormat, GroupsAndDecimalMark) {
    const FormatCase cases[] = {
        {1234567, 0, "1.234.567"},
        {1234.5, 2, "1.234,50"},
        {999, 0, "999"},
        {1000, 0, "1.000"},
        {100, 0, "100"},
        {-1234, 0, "-1.234"},
        {-123, 0, "-123"},
        {-123456, 0, "-123.456"},
        {0, 0, "0"},
        {0.5, 2, "0,50"},
        {1234.56, 1, "1.234,6"},
        {4294967295.0, 3, "4.294.967.295,000"},
        {999.9996, 3, "1.000,000"},
        {12.345, 3, "12,345"},
        {123456.7, 1, "123.456,7"},
        {-1234.5, 2, "-1.234,50"},
        {7, 1, "7,0"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].expected, text::formatNumber(cases[i].value, cases[i].decimals))
            << "case " << i << ": " << cases[i].value << " with " << cases[i].decimals;
    }
}

TEST(NumberFormat, UnsupportedDecimalsGiveTheBareWholeNumber) {
    EXPECT_EQ("1235", text::formatNumber(1234.56, 4));
    EXPECT_EQ("1234567", text::formatNumber(1234567, 9));
    EXPECT_EQ("1235", text::formatNumber(1234.56, -1));
}

TEST(NumberFormat, RoundsLikeFixedPoint) {
    EXPECT_EQ("2", text::formatNumber(1.5, 0));
    EXPECT_EQ("1,00", text::formatNumber(0.999, 2));
    EXPECT_EQ("1.000.000", text::formatNumber(999999.5, 0));
}

TEST(NumberFormat, SizeLines) {
    EXPECT_EQ("Byte:\t1.572.864", text::byteLine(1572864));
    EXPECT_EQ("KB:\t1.536", text::kilobyteLine(1572864));
    EXPECT_EQ("MB:\t1,50", text::megabyteLine(1572864));
    EXPECT_EQ("KB:\t0", text::kilobyteLine(1023)); // remainder dropped
    EXPECT_EQ("MB:\t0,00", text::megabyteLine(1023));
    EXPECT_EQ("Byte:\t4.294.967.295", text::byteLine(4294967295u));
}
