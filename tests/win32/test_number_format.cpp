// The number formatter as the dialogs call it: into a fixed field, with the
// fixed German message for a count of decimals it does not support.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "common/text/number_format_win.h"
#include "common/win/deliverable.h"
#include "tests/win32/support/robot.h"

TEST(NumberFormatField, MoreThanThreeDecimalsShowsTheMessageAndGivesTheWholeNumber) {
    for (const DeliverableProfile* profile : {&kExtensionProfile, &kHelperProfile}) {
        setDeliverable(*profile);
        std::string text, caption;
        Robot robot;
        robot.onMessageBox([&](HWND box, const std::string& t, const std::string& c) {
            text = t;
            caption = c;
            Robot::click(box, IDOK);
        });
        char field[32] = "";
        text::formatNumber(field, sizeof field, 1234.56, 4);
        EXPECT_TRUE(robot.failures().empty()) << "no message came";
        EXPECT_EQ("Anzahl Nachkommastellen nicht vorgesehen", text);
        EXPECT_EQ(profile->messageCaption, caption);
        EXPECT_STREQ("1235", field);
    }
    setDeliverable(kExtensionProfile);
}

TEST(NumberFormatField, SupportedDecimalsShowNoMessageAndTheFieldIsNeverOverrun) {
    char field[32] = "";
    text::formatNumber(field, sizeof field, 4294967295.0, 3); // no robot: a message would block here
    EXPECT_STREQ("4.294.967.295,000", field);

    char small[6];
    std::memset(small, 'x', sizeof small);
    text::formatNumber(small, 5, 1234567, 0);
    EXPECT_STREQ("1.23", small) << "cut to the four characters that fit";
    EXPECT_EQ('x', small[5]);
}
