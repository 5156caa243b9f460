// What the settings, programs and About dialogs share: the decorative picture
// painted into one control's rectangle, centring, and the help button.
#pragma once

#include <windows.h>

#include <string>

#include "common/win/modal_dialog.h"

namespace ext {

// Told when the settings or programs dialog stored its values.
constexpr const char* kRestartMessage = "Die Änderungen werden erst nach Neustart des Datei-Managers wirksam !";

// The text of an edit, up to 998 characters.
std::string dialogItemText(HWND dialog, int id);

// Paints the top-left part of the dialogs' picture into the rectangle of
// control id (which may be hidden) on every repaint of dialog.
void attachPicture(HWND dialog, int id);

// Centres window on owner, or on the desktop without one.
void centreOn(HWND window, HWND owner);

// The help topic of the settings dialogs.
void showSettingsHelp();

// The buttons the settings and programs dialogs share: OK confirms, Cancel
// leaves, About and Help open theirs.
class SettingsDialogBase : public ModalDialog {
protected:
    // Paints the picture into control picture and centres on the owner.
    void prepare(int picture);
    bool onCommand(int id, int notification) override;
    virtual void confirm() = 0;
    // Commands other than the shared buttons; true when handled.
    virtual bool onOtherCommand(int, int) { return false; }
};

} // namespace ext
