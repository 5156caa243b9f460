// The settings dialog: menu title, the eleven function texts on or off, and
// the hidden palette options, which keep their values through OK.
#include "extension/settings_dialog_win.h"

#include <string>

#include "common/text/language_win.h"
#include "common/win/modal_dialog.h"
#include "common/win/plain_message.h"
#include "extension/dialog_look_win.h"
#include "extension/extension_state_win.h"
#include "extension/program_resolver_win.h"
#include "extension/settings_dialog.h"
#include "extension/settings_win.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

namespace {

constexpr const char* kRestartMessage = "Die Änderungen werden erst nach Neustart des Datei-Managers wirksam !";
constexpr int kPaletteRadios[] = {IDC_SETTINGS_PALETTE_NONE_RADIO, IDC_SETTINGS_PALETTE_ROW_RADIO,
                                  IDC_SETTINGS_PALETTE_COLUMN_RADIO};
constexpr int kHiddenControls[] = {IDC_SETTINGS_PALETTE_GROUP, IDC_SETTINGS_PALETTE_NONE_RADIO,
                                   IDC_SETTINGS_PALETTE_ROW_RADIO, IDC_SETTINGS_PALETTE_COLUMN_RADIO,
                                   IDC_SETTINGS_PALETTE_ALWAYS_CHECK};

// The edit texts are taken up to 998 characters.
std::string itemText(HWND dialog, int id) {
    char buffer[999] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

// The text a function's edit receives when its box is checked.
std::string switchedOnText(const FunctionControls& row) {
    if (row.text != 0)
        return text::lookupText(row.text);
    char item[100] = "";
    GetMenuStringA(extensionState().menuTemplate, 9, item, sizeof item, MF_BYCOMMAND);
    return item;
}

class SettingsDialog : public ModalDialog {
protected:
    bool onInit() override {
        const ExtensionSettings& settings = extensionState().settings;
        HWND dialog = window();
        SetDlgItemTextA(dialog, IDC_SETTINGS_MENU_TITLE_EDIT, settings.menuName.c_str());
        for (const FunctionControls& row : kFunctionControls) {
            const std::string& value = settings.function(row.function);
            CheckDlgButton(dialog, row.checkBox, isSwitchedOff(value) ? BST_UNCHECKED : BST_CHECKED);
            SetDlgItemTextA(dialog, row.edit, editTextAtOpening(value).c_str());
            if (row.text != 0)
                SetDlgItemTextA(dialog, row.checkBox, text::lookupText(row.text));
        }
        if (const int radio = arrangementRadio(settings.paletteArrangement); radio != 0)
            CheckRadioButton(dialog, kPaletteRadios[0], kPaletteRadios[2], radio);
        CheckDlgButton(dialog, IDC_SETTINGS_PALETTE_ALWAYS_CHECK,
                       settings.paletteOwner == 1 ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemTextA(dialog, IDC_SETTINGS_ABOUT_BUTTON, text::lookupText(15105));
        SetDlgItemTextA(dialog, IDC_SETTINGS_HELP_BUTTON, text::lookupText(15065));
        for (int id : kHiddenControls)
            ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
        attachPicture(dialog, IDC_SETTINGS_PALETTE_GROUP);
        centreOn(dialog, GetWindow(dialog, GW_OWNER));
        return true;
    }

    bool onCommand(int id, int notification) override {
        switch (id) {
        case IDOK:
            confirm();
            return true;
        case IDCANCEL:
            end(IDCANCEL);
            return true;
        case IDC_SETTINGS_PROGRAMS_BUTTON:
            showProgramsDialog();
            return true;
        case IDC_SETTINGS_ABOUT_BUTTON:
            showAboutBox();
            return true;
        case IDC_SETTINGS_HELP_BUTTON:
            showSettingsHelp();
            return true;
        default:
            break;
        }
        if (notification != BN_CLICKED)
            return false;
        for (const FunctionControls& row : kFunctionControls) {
            if (row.checkBox == id) {
                const bool on = IsDlgButtonChecked(window(), id) == BST_CHECKED;
                SetDlgItemTextA(window(), row.edit, on ? switchedOnText(row).c_str() : " ");
                return true;
            }
        }
        return false;
    }

private:
    void confirm() {
        HWND dialog = window();
        ExtensionSettings& settings = extensionState().settings;
        settings.paletteOwner = IsDlgButtonChecked(dialog, IDC_SETTINGS_PALETTE_ALWAYS_CHECK) == BST_CHECKED ? 1 : 0;
        int checked = 0;
        for (int radio : kPaletteRadios)
            if (IsDlgButtonChecked(dialog, radio) == BST_CHECKED)
                checked = radio;
        settings.paletteArrangement = arrangementAfterOk(checked, settings.paletteArrangement);
        settings.menuName = itemText(dialog, IDC_SETTINGS_MENU_TITLE_EDIT);
        for (const FunctionControls& row : kFunctionControls)
            settings.function(row.function) = storedText(itemText(dialog, row.edit));
        saveSettings();
        showMessage(dialog, kRestartMessage);
        end(IDOK);
    }
};

class ProgramsDialog : public ModalDialog {
protected:
    bool onInit() override {
        const ExtensionSettings& settings = extensionState().settings;
        for (std::size_t n = 0; n < kProgramSlots; ++n)
            SetDlgItemTextA(window(), kProgramEdits[n], editTextAtOpening(settings.programs[n]).c_str());
        attachPicture(window(), IDC_SETTINGS_PICTURE_FRAME);
        centreOn(window(), GetWindow(window(), GW_OWNER));
        return true;
    }

    bool onCommand(int id, int) override {
        switch (id) {
        case IDOK:
            confirm();
            return true;
        case IDCANCEL:
            end(IDCANCEL);
            return true;
        case IDC_SETTINGS_ABOUT_BUTTON:
            showAboutBox();
            return true;
        case IDC_SETTINGS_HELP_BUTTON:
            showSettingsHelp();
            return true;
        default:
            return false;
        }
    }

private:
    void confirm() {
        std::array<std::string, kProgramSlots> typed;
        for (std::size_t n = 0; n < kProgramSlots; ++n)
            typed[n] = itemText(window(), kProgramEdits[n]);
        // The running extension shows the new texts at once (help lines);
        // menu and launchers keep theirs until the next load.
        const ProgramsOutcome outcome =
            takeProgramTexts(typed, extensionState().settings.programs,
                             [](const std::string& program) { return resolveProgram(program).has_value(); });
        if (!outcome.complete) {
            showMessage(window(), programNotFoundText(outcome.missing));
            return;
        }
        savePrograms();
        showMessage(window(), kRestartMessage);
        end(IDOK);
    }
};

class AboutBox : public ModalDialog {
protected:
    bool onInit() override {
        SetWindowTextA(window(), text::lookupText(15002));
        SetDlgItemTextA(window(), IDC_ABOUT_VERSION_TEXT, "Version: 2.2.001 (32 Bit)");
        SetDlgItemTextA(window(), IDC_ABOUT_NOTE_TEXT, text::lookupText(15001));
        attachPicture(window(), IDC_SETTINGS_PICTURE_FRAME);
        centreOn(window(), nullptr);
        return true;
    }

    bool onCommand(int id, int) override {
        if (id != IDOK && id != IDCANCEL)
            return false;
        end(id);
        return true;
    }
};

} // namespace

void showSettingsDialog(HWND fileManager) {
    SettingsDialog dialog;
    dialog.runModal(extensionState().module, IDD_SETTINGS, fileManager);
}

void showProgramsDialog() {
    ProgramsDialog dialog;
    dialog.runModal(extensionState().module, IDD_PROGRAMS, nullptr);
}

void showAboutBox() {
    AboutBox dialog;
    dialog.runModal(extensionState().module, IDD_ABOUT, nullptr);
}

} // namespace ext
