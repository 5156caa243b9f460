// Program entry of the helper: one tool per run, chosen by the command letter.
#include <windows.h>

#include "common/text/language_win.h"
#include "common/win/deliverable.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    setDeliverable(kHelperProfile);
    text::chooseLanguage();
    return 0;
}
