// The program list dialog: eight entries checked on OK with the platform's
// program search, saved and read again only when all of them pass.
#include "helper/program_list_dialog_win.h"

#include <windows.h>

#include <vector>

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "common/win/modal_dialog.h"
#include "common/win/plain_message.h"
#include "helper/about_dialog_win.h"
#include "helper/menu_style_dialog_win.h"
#include "helper/picture_frame_win.h"
#include "helper/program_list_win.h"
#include "resources/helper_tools_ids.h"

namespace helper {

namespace {

class ProgramListDialog : public ModalDialog {
    bool onInit() override;
    bool onCommand(int id, int notification) override;
    bool confirm();
};

bool ProgramListDialog::onInit() {
    filetools::centreOnDesktop(window());
    SetWindowTextA(window(), text::lookupText(15031));
    const struct {
        int id;
        std::uint32_t text;
    } labels[] = {{IDC_PROGLIST_GROUP, 15107},
                  {IDC_PROGLIST_ABOUT_BUTTON, 15002},
                  {IDC_PROGLIST_MENU_BUTTON, 15106},
                  {IDC_PROGLIST_HELP_BUTTON, 15065},
                  {IDCANCEL, 15077}};
    for (const auto& label : labels)
        SetDlgItemTextA(window(), label.id, text::lookupText(label.text));
    for (int i = 0; i < kProgramCount; ++i) {
        SendDlgItemMessageA(window(), IDC_PROGLIST_EDIT_1 + i, EM_LIMITTEXT, kConfiguredSize - 1, 0);
        SetDlgItemTextA(window(), IDC_PROGLIST_EDIT_1 + i, shownEntry(programList()[i].configured).c_str());
    }
    showPicture(window(), IDC_PROGLIST_PICTURE, IDB_QUORVIN_LOGO);
    return true;
}

bool ProgramListDialog::confirm() {
    std::vector<std::string> typed;
    for (int i = 0; i < kProgramCount; ++i) {
        char buffer[kTypedSize] = "";
        GetDlgItemTextA(window(), IDC_PROGLIST_EDIT_1 + i, buffer, sizeof buffer);
        typed.emplace_back(buffer);
    }
    const ListCheck check = checkTypedList(typed, resolveWithPlatform);
    if (!check.ok) {
        showMessage(window(), programNotFoundMessage(check.missingWord), MB_OK);
        return false;
    }
    writeProgramList(check.configured);
    readProgramList();
    return true;
}

bool ProgramListDialog::onCommand(int id, int) {
    switch (id) {
    case IDOK:
        if (confirm())
            end(IDOK);
        break;
    case IDCANCEL:
        end(IDCANCEL);
        break;
    case IDC_PROGLIST_ABOUT_BUTTON:
        showAboutBox(window());
        break;
    case IDC_PROGLIST_MENU_BUTTON:
        chooseMenuStyle(window());
        break;
    case IDC_PROGLIST_HELP_BUTTON:
        WinHelpA(window(), deliverable().helpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>("Einstellungen"));
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

ToolEnd runProgramSettings(const ToolRun&) {
    ProgramListDialog dialog;
    dialog.runModal(filetools::resourceModule(), IDD_PROGRAM_LIST, nullptr);
    return ToolEnd::DeleteList;
}

} // namespace helper
