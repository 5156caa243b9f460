// When the extension offers whole drives, and what the ticks choose.
#include <gtest/gtest.h>

#include "extension/drive_choice.h"

using namespace ext;

TEST(DriveChoice, OfferedOnlyFromTreeOrDriveBarOnARoot) {
    const struct {
        int focus;
        const char* directory;
        bool offered;
    } cases[] = {
        {2, "C:\\", true},  {3, "D:\\", true},  {2, "C:", true},     {2, "C:\\WINDOWS", false},
        {1, "C:\\", false}, {4, "C:\\", false}, {2, "C:\\a", false}, {3, "", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.offered, offersDriveChoice(c.focus, c.directory)) << c.focus << " " << c.directory;
}

TEST(DriveChoice, TicksReplaceTheListNothingTickedKeepsTheSelection) {
    EXPECT_TRUE(drivePresent(0b101, 0));
    EXPECT_FALSE(drivePresent(0b101, 1));
    EXPECT_TRUE(drivePresent(1u << 25, 25));
    EXPECT_FALSE(drivePresent(0xFFFFFFFFu, 26));

    DriveRootList list;
    list.choose('Q'); // left from before: OK starts afresh
    std::array<bool, 26> ticked{};
    ticked[3] = ticked[4] = ticked[25] = true;
    applyDriveTicks(list, ticked);
    EXPECT_TRUE(list.useDriveRoots);
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(ticked[i] ? std::string(1, static_cast<char>('A' + i)) + ":\\" : "", list.roots[i]) << i;

    applyDriveTicks(list, {});
    EXPECT_FALSE(list.useDriveRoots);
    for (const auto& root : list.roots)
        EXPECT_EQ("", root);
}
