// The settings dialog, the programs dialog and the About box of the real
// korbinen.dll, opened by command 18 in the test host and driven by the
// robot; the settings file is read back as bytes.
// wine-locales: de_DE en_US
#include <gtest/gtest.h>

#include <windows.h>
#include <wfext.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "resources/settings_dialog_ids.h"
#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/robot.h"

namespace {

bool german() {
    const char* locale = std::getenv("KORB_TEST_LOCALE");
    return locale != nullptr && std::string(locale) == "de_DE";
}

const char* tr(const char* de, const char* en) {
    return german() ? de : en;
}

const char kRestart[] = "Die \xc4nderungen werden erst nach Neustart des Datei-Managers wirksam !";

std::string helpLine(HostFixture& host, int id) {
    FMS_HELPSTRING help{};
    help.idCommand = id;
    host.call(FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help));
    return std::string(help.szHelp, strnlen(help.szHelp, sizeof help.szHelp));
}

POINT centre(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool hidden(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && !IsWindowVisible(control);
}

class SettingsDialogs : public ::testing::Test {
protected:
    ExtensionIniScope ini;
    HostFixture host;

    void load() {
        // Same language as recorded: the load itself writes nothing.
        writeExtensionIni({german() ? "Sprache=7" : "Sprache=9", "Programm1=Notepad", "Programm2=-", "Programm3=-",
                           "Programm4=-", "Programm5=-", "Programm6=-", "Programm7=-", "Programm8=-", "Ftp=-",
                           "FensterNeu=-", "Pa=5", "Pi=0",
                           std::string("SucheDateien=") + tr("&Suche in Dateien...", "&Search in files...")});
        ASSERT_TRUE(host.loadLibrary());
        ASSERT_TRUE(host.sendLoad());
    }

    void runSettings(Robot& robot) {
        host.call(18);
        for (const std::string& failure : robot.failures())
            ADD_FAILURE() << failure;
        EXPECT_TRUE(robot.done());
    }
};

} // namespace

TEST_F(SettingsDialogs, SettingsDialogShowsAndStoresTheTexts) {
    load();
    Robot robot;
    robot.onDialog("Einstellungen", [&](HWND d) {
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_SEARCH_FILES_CHECK),
                  tr("&Suche in Dateien...", "&Search in files..."));
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_REBUILD_WINDOW_CHECK), tr("Fenster neu aufbauen", "Window new"));
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_FTP_CHECK), "Ftp - Filetransfer") << "stays as in the template";
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_ABOUT_BUTTON), tr("\xfc"
                                                                    "ber Korbinex",
                                                                    "About Korbinex"));
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_HELP_BUTTON), tr("&Hilfe", "&Help"));
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_PROGRAMS_BUTTON), "Programme eintragen/\xe4ndern");
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_MENU_TITLE_EDIT), "&Extra");
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_SEARCH_FILES_EDIT),
                  tr("&Suche in Dateien...", "&Search in files..."));
        EXPECT_TRUE(Robot::isChecked(d, IDC_SETTINGS_SEARCH_FILES_CHECK));
        EXPECT_FALSE(Robot::isChecked(d, IDC_SETTINGS_FTP_CHECK));
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_FTP_EDIT), "");
        for (int id : {IDC_SETTINGS_PALETTE_GROUP, IDC_SETTINGS_PALETTE_NONE_RADIO, IDC_SETTINGS_PALETTE_ROW_RADIO,
                       IDC_SETTINGS_PALETTE_COLUMN_RADIO, IDC_SETTINGS_PALETTE_ALWAYS_CHECK}) {
            EXPECT_TRUE(hidden(d, id)) << id;
            if (id != IDC_SETTINGS_PALETTE_GROUP) {
                EXPECT_FALSE(Robot::isChecked(d, id)) << "Pa 5 and Pi 0 check nothing: " << id;
            }
        }
        const POINT dialog = centre(d);
        const POINT owner = centre(host.window());
        EXPECT_LE(std::abs(dialog.x - owner.x), 1);
        EXPECT_LE(std::abs(dialog.y - owner.y), 1);

        // Switching on and off fills the edits.
        Robot::setChecked(d, IDC_SETTINGS_SEARCH_FILES_CHECK, false);
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_SEARCH_FILES_EDIT), " ");
        Robot::setChecked(d, IDC_SETTINGS_REBUILD_WINDOW_CHECK, true);
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_REBUILD_WINDOW_EDIT), tr("Fenster neu aufbauen", "Window new"));
        Robot::setChecked(d, IDC_SETTINGS_FTP_CHECK, true);
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_FTP_EDIT), "Ftp - Filetransfer...");
        Robot::setItemText(d, IDC_SETTINGS_EQUAL_FILES_EDIT, " Gleiche");
        Robot::setItemText(d, IDC_SETTINGS_FILE_SIZES_EDIT, "\xc4mter");
        Robot::setItemText(d, IDC_SETTINGS_MENU_TITLE_EDIT, "&Werkzeug");
        Robot::click(d, IDOK);
        return true;
    });
    robot.onMessageBox([](HWND box, const std::string& text, const std::string& caption) {
        EXPECT_EQ(text, kRestart);
        EXPECT_EQ(caption, "korbinen.dll");
        Robot::click(box, IDOK);
    });
    runSettings(robot);

    const auto values = extensionIniValues();
    EXPECT_EQ(values.at("SucheDateien"), "-");
    EXPECT_EQ(values.at("FensterNeu"), tr("Fenster neu aufbauen", "Window new"));
    EXPECT_EQ(values.at("Ftp"), "Ftp - Filetransfer...");
    EXPECT_EQ(values.at("GleicheDateien"), "-") << "a text beginning with a blank switches off";
    EXPECT_EQ(values.at("DateiGroessen"), "\xc4mter");
    EXPECT_EQ(values.at("Men\xfcName"), "&Werkzeug");
    EXPECT_EQ(values.at("Pa"), "5") << "no radio button checked: Pa is not written";
    EXPECT_EQ(values.at("Pi"), "0");
    EXPECT_EQ(host.menuName(), "&Extra") << "the menu keeps its load-time title";

    // Cancel changes nothing.
    const std::string before = readExtensionIniBytes();
    Robot cancel;
    cancel.onDialog("Einstellungen", [](HWND d) {
        EXPECT_EQ(Robot::itemText(d, IDC_SETTINGS_MENU_TITLE_EDIT), "&Werkzeug");
        Robot::setItemText(d, IDC_SETTINGS_MENU_TITLE_EDIT, "Anders");
        Robot::click(d, IDCANCEL);
        return true;
    });
    runSettings(cancel);
    EXPECT_EQ(readExtensionIniBytes(), before);
}

TEST_F(SettingsDialogs, ProgramsDialogChecksEachProgramAndTheAboutBoxShows) {
    load();
    const std::string before = readExtensionIniBytes();
    Robot robot;
    robot.onDialog("Einstellungen", [](HWND d) {
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
    robot.onMessageBox([](HWND box, const std::string& text, const std::string&) {
        EXPECT_EQ(text, "Das Programm 'nirgends.exe' kann nicht gefunden werden !");
        Robot::click(box, IDOK);
    });
    robot.onDialog("Einstellung - Programme", [&](HWND d) {
        // Still open; slots 1 and 2 hold their new texts in memory already.
        EXPECT_EQ(helpLine(host, 1),
                  std::string(tr("Das Programm", "Executing program")) + " Write /p " + tr("ausf\xfchren", "."));
        EXPECT_EQ(readExtensionIniBytes(), before) << "nothing written before every slot is accepted";
        Robot::click(d, IDC_SETTINGS_ABOUT_BUTTON);
        return true;
    });
    robot.onDialog(tr("\xfc"
                      "ber Quorvin",
                      "About Quorvin"),
                   [](HWND d) {
                       EXPECT_EQ(Robot::itemText(d, IDC_ABOUT_VERSION_TEXT), "Version: 2.2.001 (32 Bit)");
                       EXPECT_EQ(Robot::itemText(d, IDC_ABOUT_NOTE_TEXT),
                                 tr("Dieses Programm darf weitergegeben werden, dies ist sogar erw\xfcnscht !",
                                    "You may give this program to everyone you like. This is intended !"));
                       RECT desktop{};
                       GetWindowRect(GetDesktopWindow(), &desktop);
                       const POINT c = centre(d);
                       EXPECT_LE(std::abs(c.x - desktop.right / 2), 1);
                       EXPECT_LE(std::abs(c.y - desktop.bottom / 2), 1);
                       Robot::click(d, IDOK);
                       return true;
                   });
    robot.onDialog("Einstellung - Programme", [](HWND d) {
        Robot::setItemText(d, IDC_PROGRAMS_SLOT3_EDIT, "");
        Robot::click(d, IDOK);
        return true;
    });
    robot.onMessageBox([](HWND box, const std::string& text, const std::string&) {
        EXPECT_EQ(text, kRestart);
        Robot::click(box, IDOK);
    });
    robot.onDialog("Einstellungen", [](HWND d) {
        Robot::click(d, IDCANCEL);
        return true;
    });
    runSettings(robot);

    const auto values = extensionIniValues();
    EXPECT_EQ(values.at("Programm1"), "Write /p");
    EXPECT_EQ(values.at("Programm2"), "Notepad");
    EXPECT_EQ(values.at("Programm3"), "-") << "an emptied slot is written as -";
    EXPECT_EQ(values.at("Programm4"), "-");
}
