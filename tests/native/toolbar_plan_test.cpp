// The toolbar's buttons and the palette's geometry.
#include <gtest/gtest.h>

#include <sstream>

#include "extension/toolbar_plan.h"
#include "resources/settings_dialog_ids.h"

namespace {

std::string show(const std::vector<ext::ToolbarButton>& plan) {
    std::ostringstream out;
    for (const ext::ToolbarButton& b : plan)
        out << (b.command == 0 ? std::string("|") : std::to_string(b.command) + ":" + std::to_string(b.image)) << " ";
    return out.str();
}

ext::ExtensionSettings allOff() {
    ext::ExtensionSettings s;
    s.functions.fill("-");
    return s;
}

} // namespace

TEST(ToolbarPlan, ProgramImagesByName) {
    const struct {
        const char* commandLine;
        int image;
    } cases[] = {
        {"C:\\UTIL\\VIEW.EXE", IDB_BUTTON_VI},
        {"C:\\windows\\system32\\notepad.exe", IDB_BUTTON_NOTEPAD},
        {"C:\\WINDOWS\\WRITE.EXE /p", IDB_BUTTON_WRITE},
        {"C:\\OFFICE\\WINWORD.EXE", IDB_BUTTON_WINWORD},
        {"C:\\OFFICE\\EXCEL.EXE", IDB_BUTTON_EXCEL},
        {"C:\\PK\\PKUNZIP.EXE -d", IDB_BUTTON_PKUNZIP},
        {"C:\\OFFICE\\POWERPNT.EXE", IDB_BUTTON_POWERPNT},
        {"C:\\WRITE\\NOTEPAD.EXE", IDB_BUTTON_WRITE}, // the first name in the list wins
        {"C:\\TOOLS\\EDIT.EXE C:\\VI\\NOTEPAD", 0},   // parameters are not looked at
        {"C:\\TOOLS\\CALC.EXE", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ext::programImage(c.commandLine), c.image) << c.commandLine;
}

TEST(ToolbarPlan, GroupsBetweenSeparators) {
    std::array<std::string, ext::kProgramSlots> lines{};
    EXPECT_EQ(show(ext::planToolbar(allOff(), lines)), "| | | | | 18:26569 15:26568 ")
        << "all groups off and no programs: cButtons 7";

    ext::ExtensionSettings s = allOff();
    s.function(ext::Function::Ftp) = "Ftp...";
    s.function(ext::Function::SearchFiles) = "Suche";
    s.function(ext::Function::FileSizes) = "Gr\xf6\xdf"
                                           "en";
    s.function(ext::Function::Date) = "Datum";
    s.function(ext::Function::FileInfo) = "Info";
    s.function(ext::Function::RebuildAll) = "Alle"; // no button of its own
    lines[0] = "C:\\windows\\system32\\notepad.exe";
    lines[3] = "C:\\TOOLS\\CALC.EXE /x";
    EXPECT_EQ(show(ext::planToolbar(s, lines)),
              "| 1:122 4:-1 9:26570 | 16:124 11:26571 | 20:135 | 10:126 | 18:26569 15:26568 ");
}

TEST(ToolbarPlan, PaletteGeometry) {
    const struct {
        int arrangement;
        int buttons;
        int columns;
        int width;
        int height;
    } cases[] = {
        {1, 12, 1, 29, 267},
        {-1, 12, 12, 271, 36},
        {5, 12, 5, 117, 78},
        {5, 3, 5, 117, 36},
        {-1, 0, 1, 29, 15},
        {-7, 2, 2, 51, 36},
        {2147483647, 3, 1024, 22535, 36}, // hand-edited: bounded, no overflow
    };
    for (const auto& c : cases) {
        const int columns = ext::paletteColumns(c.arrangement, c.buttons);
        EXPECT_EQ(columns, c.columns) << "Pa " << c.arrangement << ", " << c.buttons << " buttons";
        const ext::PaletteRect bar = ext::paletteBar(columns, c.buttons);
        EXPECT_EQ(bar.width, c.width) << "Pa " << c.arrangement << ", " << c.buttons << " buttons";
        EXPECT_EQ(bar.height, c.height) << "Pa " << c.arrangement << ", " << c.buttons << " buttons";
    }
    // Five columns: button 7 is the third of the second row.
    const ext::PaletteRect b = ext::paletteButton(7, 5);
    EXPECT_EQ(b.left, 47);
    EXPECT_EQ(b.top, 32);
    EXPECT_EQ(ext::paletteButtonAt(47, 32, 5, 12), 7);
    EXPECT_EQ(ext::paletteButtonAt(2, 20, 5, 12), -1) << "border";
    EXPECT_EQ(ext::paletteButtonAt(3 + 22 * 2 + 5, 11 + 21 * 2 + 5, 5, 12), -1) << "past the last button";
    EXPECT_TRUE(ext::inPaletteDragStrip(11));
    EXPECT_FALSE(ext::inPaletteDragStrip(12));
}
