// wine-environment: TZ=Europe/Berlin
// The attribute and date dialogs of both deliverables driven by the robot
// (texts, the radio pairs, every refusal with its exact message, the stamp a
// valid OK stores) and the two per-file actions on real files.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/filetools/attribute_change_win.h"
#include "common/filetools/attribute_dialog_win.h"
#include "common/filetools/date_dialog_win.h"
#include "common/filetools/file_date_win.h"
#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "tests/win32/support/file_stamps.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

using namespace filetools;

namespace {

using Texts = std::vector<std::string>;

struct Side {
    const char* file;
    const DeliverableProfile& profile;
    const AttributeDialogIds& attributeIds;
    const DateDialogProfile& date;
};
const Side kSides[] = {{"quorvinx.exe", kHelperProfile, kHelperAttributeIds, kHelperDateDialog},
                       {"korbinen.dll", kExtensionProfile, kExtensionAttributeIds, kExtensionDateDialog}};

class FileProperties : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        setDeliverable(side().profile);
        text::chooseLanguage();
        ASSERT_NE(nullptr, useResourcesOf(side().file));
    }
    void TearDown() override { setResourceModule(nullptr); }
    const Side& side() const { return kSides[GetParam()]; }
};

bool centred(HWND window) {
    RECT r, desk;
    GetWindowRect(window, &r);
    GetWindowRect(GetDesktopWindow(), &desk);
    return std::abs((r.left + r.right) - (desk.left + desk.right)) <= 2 &&
           std::abs((r.top + r.bottom) - (desk.top + desk.bottom)) <= 2;
}

// The pairs in Attribute order: 'S' set, 'C' clear, '.' untouched.
std::string marks(HWND d, const AttributeDialogIds& ids) {
    std::string m;
    for (int a = 0; a < 4; ++a)
        m += Robot::isChecked(d, ids.set[a])     ? (Robot::isChecked(d, ids.clear[a]) ? '!' : 'S')
             : Robot::isChecked(d, ids.clear[a]) ? 'C'
                                                 : '.';
    return m;
}

std::string fields(HWND d, const DateDialogProfile& p) {
    std::string all;
    for (int id : p.fields)
        all += Robot::itemText(d, id) + "|";
    return all;
}

void setFields(HWND d, const DateDialogProfile& p, const Texts& values) {
    for (int f = 0; f < 6; ++f)
        Robot::setItemText(d, p.fields[f], values[f].c_str());
}

std::string localFields(const SYSTEMTIME& t) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d|%d|%d|%02d|%02d|%02d|", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute,
                  t.wSecond);
    return buffer;
}

} // namespace

TEST_P(FileProperties, AttributePairsCycleAndOkStoresTheirMarks) {
    const AttributeDialogIds& ids = side().attributeIds;
    const int RO = 0, H = 1, S = 2, A = 3;
    // A click on a button, and the marks the pairs show afterwards.
    const struct {
        bool set;
        int attribute;
        const char* after;
    } clicks[] = {{true, RO, "S..."}, {true, RO, "...."},  {true, H, ".S.."},   {false, H, ".C.."}, {true, S, ".CS."},
                  {false, A, ".CSC"}, {false, RO, "CCSC"}, {false, RO, ".CSC"}, {false, A, ".CS."}, {false, A, ".CSC"}};
    Texts texts, seen;
    Robot robot;
    robot.onDialog("set fileattributes", [&](HWND d) {
        texts = {Robot::itemText(d, ids.group[RO]), Robot::itemText(d, ids.group[H]),
                 Robot::itemText(d, ids.group[S]),  Robot::itemText(d, ids.group[A]),
                 Robot::itemText(d, ids.set[A]),    Robot::itemText(d, ids.clear[S]),
                 Robot::itemText(d, IDCANCEL),      Robot::itemText(d, ids.help),
                 Robot::itemText(d, IDOK),          centred(d) ? "centred" : "not centred"};
        seen.push_back(marks(d, ids));
        for (const auto& c : clicks) {
            SendMessageA(GetDlgItem(d, c.set ? ids.set[c.attribute] : ids.clear[c.attribute]), BM_CLICK, 0, 0);
            seen.push_back(marks(d, ids));
        }
        Robot::click(d, IDOK);
        return true;
    });
    AttributeChange change;
    ASSERT_TRUE(runAttributeDialog(nullptr, ids, change));
    EXPECT_EQ(Texts({"Readonly", "Hidden", "System", "Archive", "set", "clear", "&Cancel", "&Help", "&Ok", "centred"}),
              texts);
    Texts expected = {"...."};
    for (const auto& c : clicks)
        expected.push_back(c.after);
    EXPECT_EQ(expected, seen);
    const PairMark U = PairMark::Untouched;
    EXPECT_EQ((std::array<PairMark, 4>{U, PairMark::Clear, PairMark::Set, PairMark::Clear}), change.marks);

    // Every opening starts untouched; Cancel leaves the change as it was.
    std::string again;
    robot.onDialog("set fileattributes", [&](HWND d) {
        again = marks(d, ids);
        SendMessageA(GetDlgItem(d, ids.set[RO]), BM_CLICK, 0, 0);
        Robot::click(d, IDCANCEL);
        return true;
    });
    const AttributeChange before = change;
    EXPECT_FALSE(runAttributeDialog(nullptr, ids, change));
    EXPECT_EQ("....", again);
    EXPECT_EQ(before.marks, change.marks);
    EXPECT_TRUE(robot.failures().empty());
}

TEST_P(FileProperties, DateDialogRefusesFieldByFieldAndKeepsTheInput) {
    const DateDialogProfile& p = side().date;
    const bool helper = GetParam() == 0;
    const char* impossible = helper ? "This date does not exist" : "bitte ein Datum und eine Uhrzeit, die es gibt";
    // Typed fields and the message each deliverable answers with.
    const struct {
        Texts typed;
        const char* helper;
        const char* extension;
    } cases[] = {
        {{"0", "6", "2024", "13", "45", "59"}, "Please enter an integer between 1 and 31", impossible},
        {{"x", "6", "2024", "13", "45", "59"}, "Please enter an integer between 1 and 31", impossible},
        {{"32", "6", "2024", "13", "45", "59"}, "Please enter an integer between 1 and 31", "bitte Tag < 32"},
        {{"15", "0", "2024", "13", "45", "59"}, "Please enter an integer between 1 and 12", impossible},
        {{"15", "13", "2024", "13", "45", "59"}, "Please enter an integer between 1 and 12", "bitte Tag < 13"},
        {{"15", "6", "1979", "13", "45", "59"},
         "Please enter an integer between 1980 and 2107",
         "bitte Jahr größer 1979 und kleiner 2108"},
        {{"15", "6", "2108", "13", "45", "59"},
         "Please enter an integer between 1980 and 2107",
         "bitte Jahr größer 1979 und kleiner 2108"},
        {{"15", "6", "2024", "24", "45", "59"}, "Please enter an integer between 0 and 23", "bitte Stunde < 24"},
        {{"15", "6", "2024", "13", "60", "59"}, "Please enter an integer between 0 and 59", impossible},
        {{"15", "6", "2024", "13", "61", "59"}, "Please enter an integer between 0 and 59", "bitte Minute < 61 "},
        {{"15", "6", "2024", "13", "45", "60"}, "Please enter an integer between 0 and 59", impossible},
        {{"15", "6", "2024", "13", "45", "61"}, "Please enter an integer between 0 and 59", "bitte Sekunde < 61"},
        {{"31", "2", "2024", "13", "45", "59"}, impossible, impossible},
    };
    const std::string caption = helper ? "Quorvin" : "korbinen.dll";
    Texts seen, expected, kept, typed;
    std::string initial, texts;
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    Robot robot;
    std::size_t step = 0;
    for (const auto& c : cases) {
        robot.onDialog("set date/time", [&](HWND d) {
            if (!IsWindowEnabled(d))
                return false; // the last message box is still closing
            if (step == 0) {
                GetLocalTime(&after);
                initial = fields(d, p);
                texts = Robot::itemText(d, p.groups[0]) + "|" + Robot::itemText(d, p.groups[1]) + "|" +
                        Robot::itemText(d, p.help) + "|" + Robot::itemText(d, IDCANCEL) + "|" +
                        Robot::itemText(d, IDOK) + (centred(d) ? "|centred" : "|not centred");
            } else {
                kept.push_back(fields(d, p));
            }
            setFields(d, p, cases[step].typed);
            typed.push_back(fields(d, p));
            ++step;
            Robot::click(d, IDOK);
            return true;
        });
        robot.onMessageBox([&](HWND box, const std::string& text, const std::string& boxCaption) {
            seen.push_back(boxCaption + ": " + text);
            Robot::click(box, IDOK);
        });
        expected.push_back(caption + ": " + (helper ? c.helper : c.extension));
    }
    robot.onDialog("set date/time", [&](HWND d) {
        if (!IsWindowEnabled(d))
            return false;
        kept.push_back(fields(d, p));
        setFields(d, p, {" 29", "2", "2024", "7", "5", "3"});
        Robot::click(d, IDOK);
        return true;
    });
    DosDateTime stamp;
    ASSERT_TRUE(runDateDialog(nullptr, p, stamp));
    EXPECT_TRUE(robot.failures().empty());
    EXPECT_EQ("Date|Time|&Help|&Cancel|OK|centred", texts);
    EXPECT_TRUE(initial == localFields(before) || initial == localFields(after))
        << "the fields start at the local time: " << initial << " at " << localFields(before);
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(typed, kept) << "a refused field leaves every field as typed";
    EXPECT_EQ(29 | 2 << 5 | 44 << 9, stamp.date);
    EXPECT_EQ(1 | 5 << 5 | 7 << 11, stamp.time);

    robot.onDialog("set date/time", [&](HWND d) {
        Robot::click(d, IDCANCEL);
        return true;
    });
    EXPECT_FALSE(runDateDialog(nullptr, p, stamp));
}

INSTANTIATE_TEST_SUITE_P(BothDeliverables, FileProperties, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "Helper" : "Extension"; });

TEST(FileActions, StampAndAttributesReachOnlyFilesThatCanTakeThem) {
    TempDirectory dir;
    const std::string plain = dir.file("plain.txt"), locked = dir.file("locked.txt"), missing = dir.file("no.txt");
    ASSERT_TRUE(writeBytes(plain, "p") && writeBytes(locked, "l"));
    const std::int64_t offset = localOffset();
    ASSERT_NE(0, offset) << "the test must run in a time zone other than UTC (TZ=Europe/Berlin)";

    const DateFields typed{24, 12, 2025, 13, 45, 59};
    const DosDateTime stamp = packDosDateTime(typed);
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    const FileTimes lockedBefore = fileTimes(locked), plainBefore = fileTimes(plain);
    EXPECT_EQ(0, applyFileDate(plain, stamp));
    EXPECT_EQ(1, applyFileDate(locked, stamp)) << "a file another holds without sharing";
    EXPECT_EQ(1, applyFileDate(missing, stamp));
    EXPECT_FALSE(fileExists(missing)) << "nothing is created";
    CloseHandle(lock);
    EXPECT_EQ(lockedBefore, fileTimes(locked));

    SYSTEMTIME local{2025, 12, 0, 24, 13, 45, 58, 0};
    const std::uint64_t universal = timeValue(local) - offset;
    const FileTimes stamped = fileTimes(plain);
    EXPECT_EQ(universal, stamped.write) << "the local moment in universal time, to the even second";
    EXPECT_EQ(universal, stamped.access);
    if (stamped.creation == plainBefore.creation)
        std::printf("[  SKIPPED ] creation time: Wine keeps the file's own creation time\n");
    else
        EXPECT_EQ(universal, stamped.creation);

    // A stamp the platform cannot read as a moment (the extension's minute 60) touches nothing.
    EXPECT_EQ(1, applyFileDate(plain, packDosDateTime({24, 12, 2025, 13, 60, 0})));
    EXPECT_EQ(stamped, fileTimes(plain));

    AttributeChange change;
    change[Attribute::Hidden] = change[Attribute::System] = PairMark::Set;
    change[Attribute::ReadOnly] = PairMark::Clear;
    SetFileAttributesA(plain.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, applyAttributeChange(plain, change));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), keptAttributes(plain));
    EXPECT_EQ(1, applyAttributeChange(missing, change));
    SetFileAttributesA(plain.c_str(), FILE_ATTRIBUTE_NORMAL);
}
