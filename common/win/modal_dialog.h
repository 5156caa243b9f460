// Base of the modal dialogs: one dialog procedure keeps the object with its
// window and hands the messages to small virtual handlers.
#pragma once

#include <windows.h>

class ModalDialog {
public:
    virtual ~ModalDialog() = default;

    // Runs the dialog from template `resource` of module; the result of
    // EndDialog, or -1 when the dialog could not be created.
    INT_PTR runModal(HINSTANCE module, int resource, HWND owner);

    HWND window() const { return window_; }

protected:
    // True to let the platform give the first control the focus.
    virtual bool onInit() { return true; }
    // A command from a control or key; true when handled.
    virtual bool onCommand(int id, int notification) = 0;
    // Any other message (owner drawing, for example); true when handled.
    virtual bool onMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

    void end(INT_PTR result) { EndDialog(window_, result); }

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);

    HWND window_ = nullptr;
};
