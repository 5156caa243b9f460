// Command 18 in the real korbinen.dll under the test host: the robot drives
// the settings dialog, the programs dialog and the About box through one
// session, and the settings file is read back as bytes.
// wine-locales: de_DE en_US
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "resources/settings_dialog_ids.h"
#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/robot.h"

namespace {

const char* tr(const char* de, const char* en) {
    const char* locale = std::getenv("KORB_TEST_LOCALE");
    return locale != nullptr && std::string(locale) == "de_DE" ? de : en;
}

const char kRestart[] = "Die \xc4nderungen werden erst nach Neustart des Datei-Managers wirksam !";

// How far the window's centre lies from the centre of within.
int offCentre(HWND window, HWND within) {
    RECT a{}, b{};
    GetWindowRect(window, &a);
    GetWindowRect(within, &b);
    return std::abs(a.left + a.right - b.left - b.right) / 2 + std::abs(a.top + a.bottom - b.top - b.bottom) / 2;
}

void expectBox(Robot& robot, const std::string& expected) {
    robot.onMessageBox([expected](HWND box, const std::string& text, const std::string& caption) {
        EXPECT_EQ(caption + ": " + text, "korbinen.dll: " + expected);
        Robot::click(box, IDOK);
    });
}

} // namespace

TEST(SettingsDialogs, OneSessionThroughAllThreeDialogs) {
    ExtensionIniScope ini;
    writeExtensionIni({tr("Sprache=7", "Sprache=9"), "Programm1=Notepad", "Programm2=-", "Programm3=-", "Programm4=-",
                       "Ftp=-", "Pa=5", "Pi=0"});
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    ASSERT_TRUE(host.sendLoad());
    const char* searchText = tr("&Suche in Dateien...", "&Search in files...");

    Robot robot;
    robot.onDialog("Einstellungen", [&](HWND d) {
        const struct {
            int id;
            std::string text;
        } texts[] = {
            {IDC_SETTINGS_SEARCH_FILES_CHECK, searchText},
            {IDC_SETTINGS_REBUILD_WINDOW_CHECK, tr("Fenster neu aufbauen", "Window new")},
            {IDC_SETTINGS_FTP_CHECK, "Ftp - Filetransfer"},
            {IDC_SETTINGS_ABOUT_BUTTON, tr("\xfc"
                                           "ber Korbinex",
                                           "About Korbinex")},
            {IDC_SETTINGS_HELP_BUTTON, tr("&Hilfe", "&Help")},
            {IDC_SETTINGS_PROGRAMS_BUTTON, "Programme eintragen/\xe4ndern"},
            {IDC_SETTINGS_MENU_TITLE_EDIT, "&Extra"},
            {IDC_SETTINGS_SEARCH_FILES_EDIT, searchText},
            {IDC_SETTINGS_FTP_EDIT, ""},
        };
        for (const auto& t : texts)
            EXPECT_EQ(Robot::itemText(d, t.id), t.text) << "control " << t.id;
        EXPECT_TRUE(Robot::isChecked(d, IDC_SETTINGS_SEARCH_FILES_CHECK));
        EXPECT_FALSE(Robot::isChecked(d, IDC_SETTINGS_FTP_CHECK));
        for (int id : {IDC_SETTINGS_PALETTE_GROUP, IDC_SETTINGS_PALETTE_NONE_RADIO, IDC_SETTINGS_PALETTE_ROW_RADIO,
                       IDC_SETTINGS_PALETTE_COLUMN_RADIO, IDC_SETTINGS_PALETTE_ALWAYS_CHECK}) {
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, id))) << id;
            EXPECT_FALSE(Robot::isChecked(d, id)) << "Pa 5 and Pi 0 check nothing: " << id;
        }
        EXPECT_LE(offCentre(d, host.window()), 2);

        Robot::setChecked(d, IDC_SETTINGS_SEARCH_FILES_CHECK, false);
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_SEARCH_FILES_EDIT), " ");
        Robot::setChecked(d, IDC_SETTINGS_REBUILD_WINDOW_CHECK, true);
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_REBUILD_WINDOW_EDIT), tr("Fenster neu aufbauen", "Window new"));
        Robot::setChecked(d, IDC_SETTINGS_FTP_CHECK, true);
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_FTP_EDIT), "Ftp - Filetransfer...");
        Robot::setItemText(d, IDC_SETTINGS_EQUAL_FILES_EDIT, " Gleiche");
        Robot::setItemText(d, IDC_SETTINGS_FILE_SIZES_EDIT, "\xc4mter");
        Robot::setItemText(d, IDC_SETTINGS_MENU_TITLE_EDIT, "&Werkzeug");
        Robot::click(d, IDC_SETTINGS_PROGRAMS_BUTTON);
        return true;
    });
    robot.onDialog("Einstellung - Programme", [](HWND d) {
        EXPECT_EQ(Robot::itemText(d, IDC_PROGRAMS_SLOT1_EDIT), "Notepad");
        EXPECT_EQ(Robot::itemText(d, IDC_PROGRAMS_SLOT2_EDIT), "") << "a switched-off slot opens empty";
        Robot::setItemText(d, IDC_PROGRAMS_SLOT1_EDIT, "Write /p");
        Robot::setItemText(d, IDC_PROGRAMS_SLOT2_EDIT, "Notepad");
        Robot::setItemText(d, IDC_PROGRAMS_SLOT3_EDIT, "nirgends.exe /x");
        Robot::click(d, IDOK);
        return true;
    });
    expectBox(robot, "Das Programm 'nirgends.exe' kann nicht gefunden werden !");
    std::string afterRefusal;
    robot.onDialog("Einstellung - Programme", [&](HWND d) {
        // Still open; slots 1 and 2 hold their new texts in memory, nothing is written.
        FMS_HELPSTRING help{};
        help.idCommand = 1;
        host.call(FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help));
        EXPECT_STREQ(help.szHelp, tr("Das Programm Write /p ausf\xfchren", "Executing program Write /p ."));
        afterRefusal = readExtensionIniBytes();
        Robot::click(d, IDC_SETTINGS_ABOUT_BUTTON);
        return true;
    });
    robot.onDialog(tr("\xfc"
                      "ber Quorvin",
                      "About Quorvin"),
                   [](HWND d) {
                       EXPECT_EQ(Robot::itemText(d, IDC_ABOUT_VERSION_TEXT),
                                 std::string("Version: 2.2.001 ") + (sizeof(void*) == 8 ? "(64 Bit)" : "(32 Bit)"));
                       EXPECT_EQ(Robot::itemText(d, IDC_ABOUT_NOTE_TEXT),
                                 tr("Dieses Programm darf weitergegeben werden, dies ist sogar erw\xfcnscht !",
                                    "You may give this program to everyone you like. This is intended !"));
                       EXPECT_LE(offCentre(d, GetDesktopWindow()), 2);
                       Robot::click(d, IDOK);
                       return true;
                   });
    robot.onDialog("Einstellung - Programme", [](HWND d) {
        Robot::setItemText(d, IDC_PROGRAMS_SLOT3_EDIT, "");
        Robot::click(d, IDOK);
        return true;
    });
    expectBox(robot, kRestart);
    robot.onDialog("Einstellungen", [](HWND d) {
        Robot::click(d, IDOK);
        return true;
    });
    expectBox(robot, kRestart);
    const std::string before = readExtensionIniBytes();
    host.call(18);
    EXPECT_TRUE(robot.done()) << "a dialog did not come";
    EXPECT_EQ(afterRefusal, before) << "nothing written while a program is not found";

    const auto values = extensionIniValues();
    const std::pair<const char*, std::string> expected[] = {
        {"SucheDateien", "-"},
        {"FensterNeu", tr("Fenster neu aufbauen", "Window new")},
        {"Ftp", "Ftp - Filetransfer..."},
        {"GleicheDateien", "-"}, // began with a blank
        {"DateiGroessen", "\xc4mter"},
        {"Men\xfcName", "&Werkzeug"},
        {"Pa", "5"}, // no radio button checked: not written
        {"Pi", "0"},
        {"Programm1", "Write /p"},
        {"Programm2", "Notepad"},
        {"Programm3", "-"}, // emptied
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(values.at(key), value) << key;

    // Cancel changes nothing.
    const std::string saved = readExtensionIniBytes();
    Robot cancel;
    cancel.onDialog("Einstellungen", [](HWND d) {
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_MENU_TITLE_EDIT), "&Werkzeug");
        Robot::setItemText(d, IDC_SETTINGS_MENU_TITLE_EDIT, "Anders");
        Robot::click(d, IDCANCEL);
        return true;
    });
    host.call(18);
    EXPECT_TRUE(cancel.done());
    EXPECT_EQ(readExtensionIniBytes(), saved);
}
