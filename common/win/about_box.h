// The About box both deliverables show: the title, the version line and the
// note from the text table, centred on the desktop; each deliverable paints
// its own picture into it.
#pragma once

#include <windows.h>

#include <functional>

struct AboutBoxLayout {
    int dialog;      // template
    int versionText; // static that shows "Version: …"
    int noteText;    // static that shows the note
};

// "Version: 2.2.001 (32 Bit)" and the like: the 64-bit build says "(64 Bit)".
const char* aboutVersionLine(const char* version);

void showAboutBox(HINSTANCE module, const AboutBoxLayout& layout, const char* version, HWND owner,
                  const std::function<void(HWND dialog)>& paintPicture);
