// The one dialog procedure of the modal dialogs.
#include "common/win/modal_dialog.h"

INT_PTR ModalDialog::runModal(HINSTANCE module, int resource, HWND owner) {
    return DialogBoxParamA(module, MAKEINTRESOURCEA(resource), owner, procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // No exception may cross into the platform: the dialog then ends as cancelled.
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<ModalDialog*>(lParam);
            SetWindowLongPtrA(window, DWLP_USER, lParam);
            self->window_ = window;
            return self->onInit() ? TRUE : FALSE;
        }
        auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
        if (self != nullptr && message == WM_COMMAND)
            return self->onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        if (self != nullptr && self->onMessage(message, wParam, lParam))
            return TRUE;
    } catch (...) {
        EndDialog(window, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}
