// The programs dialog: the eight program texts, each checked with the
// platform's program search before anything is written.
#include <array>
#include <string>

#include "common/win/plain_message.h"
#include "extension/dialog_look_win.h"
#include "extension/extension_state_win.h"
#include "extension/program_resolver_win.h"
#include "extension/settings_dialog.h"
#include "extension/settings_dialog_win.h"
#include "extension/settings_win.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

namespace {

class ProgramsDialog : public SettingsDialogBase {
protected:
    bool onInit() override {
        const ExtensionSettings& settings = extensionState().settings;
        for (std::size_t n = 0; n < kProgramSlots; ++n)
            SetDlgItemTextA(window(), kProgramEdits[n], editTextAtOpening(settings.programs[n]).c_str());
        prepare(IDC_SETTINGS_PICTURE_FRAME);
        return true;
    }

    void confirm() override {
        std::array<std::string, kProgramSlots> typed;
        for (std::size_t n = 0; n < kProgramSlots; ++n)
            typed[n] = dialogItemText(window(), kProgramEdits[n]);
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

} // namespace

void showProgramsDialog() {
    ProgramsDialog dialog;
    dialog.runModal(extensionState().module, IDD_PROGRAMS, nullptr);
}

} // namespace ext
