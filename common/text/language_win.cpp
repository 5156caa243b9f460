// Language choice from the platform's user settings.
#include "common/text/language_win.h"

#include <windows.h>

#include <clocale>

#include "common/win/deliverable.h"

namespace text {

namespace {
unsigned language = kGerman;
}

void chooseLanguage() {
    char country[100] = "";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVCTRYNAME, country, sizeof country) > 0)
        std::setlocale(LC_ALL, country);
    language = languageFromLangId(GetUserDefaultLangID());
}

unsigned chosenLanguage() {
    return language;
}

const char* lookupText(std::uint32_t id) {
    return lookupText(deliverable().textCopy, language, id);
}

} // namespace text
