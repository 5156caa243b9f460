// Defaults and reading/writing rules of the extension's settings.
#include "extension/settings.h"

#include "common/text/text_table.h"

namespace ext {

namespace {

struct FunctionKey {
    const char* key;
    std::uint32_t defaultText; // text table row; 0: switched off by default
};

// Indexed by Function.
constexpr FunctionKey kFunctionKeys[kFunctionCount] = {
    {"Ftp", 0},
    {"SucheDateien", 15015},
    {"SucheDateiname", 15018},
    {"GleicheDateien", 15016},
    {"DateiGroessen", 15017},
    {"SucheInfo", 0},
    {"DateiInfo", 0},
    {"DateiEigenschaften", 15040},
    {"DateiDatum", 15039},
    {"FensterNeu", 0},
    {"FensterAlleNeu", 0},
};

// The order in which the texts are written back.
constexpr Function kWriteOrder[] = {
    Function::SearchFiles, Function::SearchName, Function::Ftp,           Function::FileSizes,
    Function::SearchInfo,  Function::FileInfo,   Function::RebuildWindow, Function::RebuildAll,
    Function::Attributes,  Function::Date,       Function::EqualFiles,
};

constexpr const char* kMenuNameKey = "MenüName";
constexpr const char* kLanguageKey = "Sprache";

std::string programKey(std::size_t slot) {
    return "Programm" + std::to_string(slot + 1);
}

// Nothing longer than the reading buffer ever reaches the settings.
std::string limited(std::string value) {
    if (value.size() > kSettingsTextBuffer - 1)
        value.resize(kSettingsTextBuffer - 1);
    return value;
}

std::string functionDefault(Function f, unsigned language) {
    const std::uint32_t id = kFunctionKeys[static_cast<std::size_t>(f)].defaultText;
    return id == 0 ? "-" : text::lookupText(text::TextCopy::Extension, language, id);
}

// Deleting the texts of the other language lets the defaults of the current
// one apply; the FTP text is the user's own and stays.
void forgetLanguageTexts(SettingsStore& store) {
    for (std::size_t i = 0; i < kFunctionCount; ++i) {
        if (static_cast<Function>(i) != Function::Ftp)
            store.deleteKey(kFunctionKeys[i].key);
    }
}

} // namespace

const char* functionKey(Function f) {
    return kFunctionKeys[static_cast<std::size_t>(f)].key;
}

int profileInt(const std::string& value, int fallback) {
    if (value.empty())
        return fallback;
    std::size_t at = 0;
    bool negative = false;
    if (value[at] == '-' || value[at] == '+')
        negative = value[at++] == '-';
    long long n = 0;
    for (; at < value.size() && value[at] >= '0' && value[at] <= '9'; ++at) {
        n = n * 10 + (value[at] - '0');
        if (n > 0x7fffffffLL) // no wrap-around into another meaning
            return negative ? -0x7fffffff - 1 : 0x7fffffff;
    }
    return static_cast<int>(negative ? -n : n);
}

bool isSwitchedOff(const std::string& text) {
    return !text.empty() && text[0] == '-';
}

SettingsReading readSettings(SettingsStore& store, unsigned language,
                             const std::array<std::string, kProgramSlots>& programDefaults,
                             const ProgramResolver& resolve) {
    SettingsReading reading;
    ExtensionSettings& s = reading.settings;
    s.infoFile = limited(store.readText("InfoFile", "korbinex.inf"));

    const bool firstRun = store.readText("Programm1", "?").starts_with('?');
    bool rewrite = firstRun;
    // A first run leaves the language unrecorded, so the next load resets the
    // function texts once more: stored files and the settings dialog expect it.
    if (!firstRun && store.readInt(kLanguageKey, 0) != static_cast<int>(language)) {
        rewrite = true;
        store.writeText(kLanguageKey, std::to_string(language));
        forgetLanguageTexts(store);
    }

    for (std::size_t n = 0; n < kProgramSlots; ++n) {
        std::string value = limited(store.readText(programKey(n).c_str(), programDefaults[n].c_str()));
        if (!isSwitchedOff(value)) {
            if (const std::optional<std::string> line = resolve(value))
                reading.commandLines[n] = limited(*line);
            else
                value = "-";
        }
        s.programs[n] = std::move(value);
    }

    for (std::size_t i = 0; i < kFunctionCount; ++i) {
        const auto f = static_cast<Function>(i);
        s.function(f) = limited(store.readText(kFunctionKeys[i].key, functionDefault(f, language).c_str()));
    }
    s.menuName = limited(store.readText(kMenuNameKey, "&Extra"));
    s.paletteOwner = store.readInt("Pi", 0);
    s.paletteArrangement = store.readInt("Pa", 0);

    if (rewrite) {
        writeSettings(store, s);
        writePrograms(store, s);
    }
    return reading;
}

void writeSettings(SettingsStore& store, const ExtensionSettings& settings) {
    store.writeText("Pi", settings.paletteOwner == 1 ? "1" : "0");
    // A hand-made arrangement (say five columns) is kept in the file as it is.
    const int pa = settings.paletteArrangement;
    if (pa == 0 || pa == -1 || pa == 1)
        store.writeText("Pa", std::to_string(pa));
    store.writeText(kMenuNameKey, settings.menuName);
    for (Function f : kWriteOrder)
        store.writeText(functionKey(f), settings.function(f));
}

void writePrograms(SettingsStore& store, const ExtensionSettings& settings) {
    for (std::size_t n = 0; n < kProgramSlots; ++n)
        store.writeText(programKey(n).c_str(), settings.programs[n]);
}

PalettePosition readPalettePosition(SettingsStore& store, int buttonCount, int screenWidth, int screenHeight) {
    return {store.readInt("Px", screenWidth - 22 * buttonCount - 22), store.readInt("Py", screenHeight / 3)};
}

void writePalettePosition(SettingsStore& store, PalettePosition position) {
    store.writeText("Px", std::to_string(position.x));
    store.writeText("Py", std::to_string(position.y));
}

} // namespace ext
