// Message boxes with the deliverable's caption.
#include "common/win/plain_message.h"

#include "common/win/deliverable.h"

int showMessage(HWND owner, const std::string& text, UINT style) {
    return MessageBoxA(owner, text.c_str(), deliverable().messageCaption, style);
}
