// The date dialog: filling the fields from the clock, reading them as the
// standard conversion does, and refusing what the checks refuse.
#include "common/filetools/date_dialog_win.h"

#include <cstdio>

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "common/win/modal_dialog.h"
#include "common/win/pending_messages.h"
#include "common/win/plain_message.h"

namespace filetools {

const DateDialogProfile kHelperDateDialog = {108,  {1006, 1007},      {1038, 1039, 1041, 1042, 1043, 1044},
                                             1053, DateRules::Helper, MB_OK};
const DateDialogProfile kExtensionDateDialog = {109, {156, 158},           {206, 208, 211, 213, 214, 216},
                                                224, DateRules::Extension, MB_OK | MB_ICONEXCLAMATION};

namespace {

class DateDialog : public ModalDialog {
public:
    DateDialog(const DateDialogProfile& profile, DosDateTime& stamp) : profile_(profile), stamp_(stamp) {}

private:
    bool onInit() override {
        HWND dialog = window();
        centreOnDesktop(dialog);
        SetWindowTextA(dialog, text::lookupText(15041));
        SetDlgItemTextA(dialog, profile_.groups[0], text::lookupText(15042));
        SetDlgItemTextA(dialog, profile_.groups[1], text::lookupText(15043));
        SetDlgItemTextA(dialog, profile_.help, text::lookupText(15065));
        SetDlgItemTextA(dialog, IDCANCEL, text::lookupText(15077));
        SYSTEMTIME now;
        GetLocalTime(&now);
        const int values[] = {now.wDay, now.wMonth, now.wYear, now.wHour, now.wMinute, now.wSecond};
        for (int f = 0; f < 6; ++f) {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, f < 3 ? "%d" : "%02d", values[f]);
            SetDlgItemTextA(dialog, profile_.fields[f], buffer);
        }
        return true;
    }

    int field(int f) const {
        char buffer[64] = "";
        GetDlgItemTextA(window(), profile_.fields[f], buffer, sizeof buffer);
        return fieldNumber(buffer);
    }

    void confirm() {
        const DateFields fields{field(0), field(1), field(2), field(3), field(4), field(5)};
        DateRefusal refusal;
        if (refuseDate(fields, profile_.rules, refusal)) {
            const char* message = refusal.fixedText ? refusal.fixedText : text::lookupText(refusal.textId);
            showMessage(window(), message, profile_.messageStyle);
            SetFocus(GetDlgItem(window(), profile_.fields[static_cast<int>(refusal.field)]));
            return;
        }
        stamp_ = packDosDateTime(fields);
        end(IDOK);
    }

    bool onCommand(int id, int) override {
        if (id == IDOK) {
            confirm();
        } else if (id == IDCANCEL) {
            end(IDCANCEL);
        } else if (id == profile_.help) {
            WinHelpA(window(), deliverable().helpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>("Datum"));
        } else {
            return false;
        }
        return true;
    }

    const DateDialogProfile& profile_;
    DosDateTime& stamp_;
};

} // namespace

bool runDateDialog(HWND parent, const DateDialogProfile& profile, DosDateTime& stamp) {
    DateDialog dialog(profile, stamp);
    if (dialog.runModal(resourceModule(), profile.resource, parent) != IDOK)
        return false;
    dispatchPendingMessages();
    return true;
}

} // namespace filetools
