// The shared About box.
#include "common/win/about_box.h"

#include <cstdint>
#include <string>

#include "common/text/language_win.h"
#include "common/win/modal_dialog.h"

namespace {

constexpr std::uint32_t kAboutTitle = 15002;
constexpr std::uint32_t kAboutNote = 15001;

class AboutBox : public ModalDialog {
public:
    AboutBox(const AboutBoxLayout& layout, const char* version, const std::function<void(HWND)>& paintPicture)
        : layout_(layout), version_(version), paintPicture_(paintPicture) {}

private:
    bool onInit() override {
        SetWindowTextA(window(), text::lookupText(kAboutTitle));
        SetDlgItemTextA(window(), layout_.versionText, aboutVersionLine(version_));
        SetDlgItemTextA(window(), layout_.noteText, text::lookupText(kAboutNote));
        if (paintPicture_)
            paintPicture_(window());
        RECT box, desk;
        GetWindowRect(window(), &box);
        GetWindowRect(GetDesktopWindow(), &desk);
        SetWindowPos(window(), nullptr, (desk.right - desk.left - (box.right - box.left)) / 2,
                     (desk.bottom - desk.top - (box.bottom - box.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }

    bool onCommand(int id, int) override {
        if (id != IDOK && id != IDCANCEL)
            return false;
        end(id);
        return true;
    }

    const AboutBoxLayout& layout_;
    const char* version_;
    const std::function<void(HWND)>& paintPicture_;
};

} // namespace

const char* aboutVersionLine(const char* version) {
    static std::string line;
    line = std::string("Version: ") + version + (sizeof(void*) == 8 ? " (64 Bit)" : " (32 Bit)");
    return line.c_str();
}

void showAboutBox(HINSTANCE module, const AboutBoxLayout& layout, const char* version, HWND owner,
                  const std::function<void(HWND dialog)>& paintPicture) {
    AboutBox dialog(layout, version, paintPicture);
    dialog.runModal(module, layout.dialog, owner);
}
