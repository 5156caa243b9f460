// The settings dialog: menu title, the eleven function texts on or off, and
// the hidden palette options, which keep their values through OK.
#include "extension/settings_dialog_win.h"

#include <string>

#include "common/text/language_win.h"
#include "common/win/plain_message.h"
#include "extension/dialog_look_win.h"
#include "extension/extension_state_win.h"
#include "extension/settings_dialog.h"
#include "extension/settings_win.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

namespace {

constexpr int kPaletteRadios[] = {IDC_SETTINGS_PALETTE_NONE_RADIO, IDC_SETTINGS_PALETTE_ROW_RADIO,
                                  IDC_SETTINGS_PALETTE_COLUMN_RADIO};
constexpr int kHiddenControls[] = {IDC_SETTINGS_PALETTE_GROUP, IDC_SETTINGS_PALETTE_NONE_RADIO,
                                   IDC_SETTINGS_PALETTE_ROW_RADIO, IDC_SETTINGS_PALETTE_COLUMN_RADIO,
                                   IDC_SETTINGS_PALETTE_ALWAYS_CHECK};

// The text a function's edit receives when its box is checked.
std::string switchedOnText(const FunctionControls& row) {
    if (row.text != 0)
        return text::lookupText(row.text);
    char item[100] = "";
    GetMenuStringA(extensionState().menuTemplate, 9, item, sizeof item, MF_BYCOMMAND);
    return item;
}

class SettingsDialog : public SettingsDialogBase {
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
        prepare(IDC_SETTINGS_PALETTE_GROUP);
        return true;
    }

    bool onOtherCommand(int id, int notification) override {
        if (id == IDC_SETTINGS_PROGRAMS_BUTTON) {
            showProgramsDialog();
            return true;
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

    void confirm() override {
        HWND dialog = window();
        ExtensionSettings& settings = extensionState().settings;
        settings.paletteOwner = IsDlgButtonChecked(dialog, IDC_SETTINGS_PALETTE_ALWAYS_CHECK) == BST_CHECKED ? 1 : 0;
        int checked = 0;
        for (int radio : kPaletteRadios)
            if (IsDlgButtonChecked(dialog, radio) == BST_CHECKED)
                checked = radio;
        settings.paletteArrangement = arrangementAfterOk(checked, settings.paletteArrangement);
        settings.menuName = dialogItemText(dialog, IDC_SETTINGS_MENU_TITLE_EDIT);
        for (const FunctionControls& row : kFunctionControls)
            settings.function(row.function) = storedText(dialogItemText(dialog, row.edit));
        saveSettings();
        showMessage(dialog, kRestartMessage);
        end(IDOK);
    }
};

} // namespace

void showSettingsDialog(HWND fileManager) {
    SettingsDialog dialog;
    dialog.runModal(extensionState().module, IDD_SETTINGS, fileManager);
}

} // namespace ext
