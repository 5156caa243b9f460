// The settings rules over an INI section of arbitrary values: reading (first
// run, language change, programs found or not), what the menu, toolbar and
// palette make of it, and the settings dialog's rules. Nothing read is longer
// than the reading buffer, and the file reaches a fixed point after a few loads.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <map>

#include "extension/menu_plan.h"
#include "extension/program_text.h"
#include "extension/settings.h"
#include "extension/settings_dialog.h"
#include "extension/toolbar_plan.h"

using namespace ext;

namespace {

// The section as the INI services give it: texts cut to the reading buffer.
class MapStore : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::string readText(const char* key, const char* fallback) override {
        const auto it = values.find(key);
        return (it == values.end() ? std::string(fallback) : it->second).substr(0, kSettingsTextBuffer - 1);
    }
    int readInt(const char* key, int fallback) override {
        const auto it = values.find(key);
        return it == values.end() ? fallback : profileInt(it->second, fallback);
    }
    void writeText(const char* key, const std::string& value) override { values[key] = value; }
    void deleteKey(const char* key) override { values.erase(key); }
};

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<std::string> keys = {"InfoFile", "MenüName", "Sprache", "Pi", "Pa", "Px", "Py"};
    for (int n = 1; n <= 8; ++n)
        keys.push_back("Programm" + std::to_string(n));
    for (std::size_t f = 0; f < kFunctionCount; ++f)
        keys.push_back(functionKey(static_cast<Function>(f)));
    MapStore store;
    const unsigned language = in.PickValueInArray({0x407u, 0x409u, 0x410u, 0x40cu, 0xc0au, 0x413u});
    const unsigned found = in.ConsumeIntegral<std::uint8_t>(); // which program names resolve
    while (in.remaining_bytes() > 0 && in.ConsumeBool()) {
        std::string value = in.ConsumeRandomLengthString(200);
        if (in.ConsumeBool())
            value.append(in.ConsumeIntegralInRange<std::size_t>(0, 1200), value.empty() ? '7' : value.back());
        store.values[keys[in.ConsumeIntegralInRange<std::size_t>(0, keys.size() - 1)]] = value;
    }
    const std::array<std::string, kProgramSlots> defaults = {"WinWord", "Excel", "Notepad", "Write",
                                                             "-A",      "-B",    "-C",      "-D"};
    const ProgramResolver resolve = [&](const std::string& text) -> std::optional<std::string> {
        const ProgramText pt = splitProgramText(text);
        if (pt.program.empty() || ((found >> (pt.program.size() % 8)) & 1) == 0)
            return std::nullopt;
        return programCommandLine("C:\\TOOLS\\" + pt.program + ".EXE", pt);
    };

    std::vector<SettingsReading> reads;
    for (int load = 0; load < 4; ++load) {
        const SettingsReading r = readSettings(store, language, defaults, resolve);
        const ExtensionSettings& s = r.settings;
        check(s.infoFile.size() < kSettingsTextBuffer && s.menuName.size() < kSettingsTextBuffer);
        for (std::size_t n = 0; n < kProgramSlots; ++n)
            check(s.programs[n].size() < kSettingsTextBuffer && r.commandLines[n].size() < kSettingsTextBuffer &&
                  r.commandLines[n].empty() == isSwitchedOff(s.programs[n]));
        for (const std::string& f : s.functions)
            check(f.size() < kSettingsTextBuffer && editTextAtOpening(f).size() <= f.size());
        const std::vector<MenuEntry> menu = planMenu(s, r.commandLines, language);
        const std::vector<ToolbarButton> toolbar = planToolbar(s, r.commandLines);
        const int buttons = static_cast<int>(toolbar.size());
        const int columns = paletteColumns(store.readInt("Pa", buttons), buttons);
        check(columns >= 1);
        const PaletteRect bar = paletteBar(columns, buttons);
        check(bar.width > 0 && bar.height > 0);
        for (int i = 0; i < buttons; ++i) {
            const PaletteRect b = paletteButton(i, columns);
            check(paletteButtonAt(b.left + 1, b.top + 1, columns, buttons) == i);
        }
        readPalettePosition(store, buttons, 1024, 768);
        arrangementAfterOk(arrangementRadio(s.paletteArrangement), s.paletteArrangement);
        reads.push_back(r);
    }
    const ExtensionSettings &a = reads[2].settings, &b = reads[3].settings;
    check(a.infoFile == b.infoFile && a.programs == b.programs && a.functions == b.functions &&
          a.menuName == b.menuName && a.paletteOwner == b.paletteOwner &&
          a.paletteArrangement == b.paletteArrangement && reads[2].commandLines == reads[3].commandLines);

    // The programs dialog's OK over typed texts from the same input.
    std::array<std::string, kProgramSlots> typed, programs = reads[3].settings.programs;
    for (std::string& t : typed)
        t = storedText(in.ConsumeRandomLengthString(100));
    const ProgramsOutcome outcome =
        takeProgramTexts(typed, programs, [&](const std::string& p) { return resolve(p).has_value(); });
    check(!outcome.complete || programs == typed);
    return 0;
}
