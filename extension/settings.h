// The extension's settings: the keys of "korbinex.ini", their defaults in the
// user's language, and the reading and writing rules (first run, language
// change, switched-off texts). The INI file itself is reached through a
// SettingsStore, so the rules run the same against the platform and in tests.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace ext {

// Texts are read through a buffer of this size, so at most one byte less is
// ever taken from the file.
constexpr std::size_t kSettingsTextBuffer = 520;
constexpr std::size_t kProgramSlots = 8;

// The function texts in the order the settings dialog and writeSettings use.
enum class Function {
    Ftp,
    SearchFiles,   // SucheDateien
    SearchName,    // SucheDateiname
    EqualFiles,    // GleicheDateien
    FileSizes,     // DateiGroessen
    SearchInfo,    // SucheInfo
    FileInfo,      // DateiInfo
    Attributes,    // DateiEigenschaften
    Date,          // DateiDatum
    RebuildWindow, // FensterNeu
    RebuildAll,    // FensterAlleNeu
};
constexpr std::size_t kFunctionCount = 11;

const char* functionKey(Function f);

struct ExtensionSettings {
    std::string infoFile;
    std::array<std::string, kProgramSlots> programs; // as stored; "-" when off
    std::array<std::string, kFunctionCount> functions;
    std::string menuName;
    int paletteOwner = 0;       // Pi: 0 owned by the File Manager window
    int paletteArrangement = 0; // Pa: 0 none, -1 one row, n > 0 columns

    const std::string& function(Function f) const { return functions[static_cast<std::size_t>(f)]; }
    std::string& function(Function f) { return functions[static_cast<std::size_t>(f)]; }
};

// A text beginning with "-" switches its function or program off.
bool isSwitchedOff(const std::string& text);

// The section "Einstellungen" of the settings file. Implementations return
// the default for a missing key; readText never returns more than
// kSettingsTextBuffer - 1 bytes.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string readText(const char* key, const char* fallback) = 0;
    virtual int readInt(const char* key, int fallback) = 0;
    virtual void writeText(const char* key, const std::string& value) = 0;
    virtual void deleteKey(const char* key) = 0;
};

// An integer key as the INI services read it: an empty or missing value gives
// the fallback, digits after an optional sign their value (negative numbers
// included), anything else 0.
int profileInt(const std::string& value, int fallback);

// Full command line of a program text, or nothing when it cannot be resolved.
using ProgramResolver = std::function<std::optional<std::string>(const std::string& programText)>;

struct SettingsReading {
    ExtensionSettings settings;
    // Command line per slot; empty when the slot is off or its program was not found.
    std::array<std::string, kProgramSlots> commandLines;
};

// Reads every key with its default in `language`; on a first run or after the
// user's language changed it rewrites the file. `programDefaults` are the
// template names of the eight slots.
SettingsReading readSettings(SettingsStore& store, unsigned language,
                             const std::array<std::string, kProgramSlots>& programDefaults,
                             const ProgramResolver& resolve);

// Pi, Pa (only the values the dialog can set), the menu title and the eleven texts.
void writeSettings(SettingsStore& store, const ExtensionSettings& settings);
void writePrograms(SettingsStore& store, const ExtensionSettings& settings);

// Where the floating palette stands: from Px and Py, or by default near the
// right edge, a third of the way down.
struct PalettePosition {
    int x;
    int y;
};
PalettePosition readPalettePosition(SettingsStore& store, int buttonCount, int screenWidth, int screenHeight);
void writePalettePosition(SettingsStore& store, PalettePosition position);

} // namespace ext
