// Content search glue: the file table filled by the walk, the filtered and
// unfiltered result walks, and grepFile reading a file block by block.
#include "common/filetools/content_search_win.h"

#include "common/filetools/search_prompt_win.h"
#include "common/text/language_win.h"
#include "common/win/plain_message.h"

namespace filetools {

const SearchProfile kHelperSearch = {true, 15119, nullptr, nullptr};
const SearchProfile kExtensionSearch = {false, 0, "nicht genügend Speicher !", "kein Speicher für Dateinamen"};

namespace {

MemoryCheckCounter& collectCounter() {
    static MemoryCheckCounter counter;
    return counter;
}

void showLowMemory(const SearchProfile& profile, const char* fixedText) {
    if (profile.helper)
        showMessage(nullptr, text::lookupText(profile.lowMemoryTextId), MB_OK);
    else
        showMessage(nullptr, fixedText);
}

// Reads of this size keep the number of platform calls per file small.
constexpr DWORD kReadBlock = 64 * 1024;

} // namespace

bool memoryIsLowNow() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return memoryIsLow(status.dwAvailPhys, status.dwAvailPageFile);
}

int collectFile(const SearchProfile& profile, const std::string& path, const FileStatus* known) {
    FileStatus status;
    if (known != nullptr)
        status = *known;
    else if (!queryFileStatus(path, status))
        return 0;
    if (collectCounter().due() && memoryIsLowNow()) {
        showLowMemory(profile, profile.memoryCheckText);
        selectionCancel().set = true;
        return 1;
    }
    if (!fileTable().add(path, status.size)) {
        showLowMemory(profile, profile.tableFullText);
        selectionCancel().set = true;
        return 1;
    }
    return 0;
}

int walkPathFiltered(ResultDialog& dialog, const ResultAction& action, std::string path) {
    const SearchState& state = searchState();
    CancelFlag& cancel = resultCancel();
    return walkPath(path, WalkOrder::FilesFirst, cancel, [&](const std::string& p, const FileStatus* known) {
        dialog.countFileSearched();
        dialog.setCurrentFile(p);
        if (pumpMessagesSawEscape()) {
            cancel.set = true;
            return 1;
        }
        dialog.refreshIfDue();
        // Names are taken as the platform reports them, in the ANSI code page.
        if (!nameMatchesAny(upperCase(std::string(fileNameOf(p))), state.namePatterns))
            return 0;
        // The walk read the status just now; a path it could not read is not handed on.
        if (known == nullptr || !state.attributes.accepts(known->attributes))
            return 0;
        const FileStatus status = *known;
        action(dialog, p, status);
        return 0;
    });
}

int resultWalkPath(ResultDialog& dialog, const ResultAction& action, std::string path) {
    CancelFlag& cancel = resultCancel();
    return walkPath(path, WalkOrder::Interleaved, cancel, [&](const std::string& p, const FileStatus* known) {
        dialog.countFileSearched();
        dialog.setCurrentFile(p);
        // A path without a status (gone, or a name the ANSI functions cannot
        // reach) is no file: listing it would report one that does not exist.
        FileStatus status;
        if (known != nullptr)
            status = *known;
        if (known != nullptr || queryFileStatus(p, status))
            action(dialog, p, status);
        if (pumpMessagesSawEscape()) {
            cancel.set = true;
            return 1;
        }
        dialog.refreshIfDue();
        return 0;
    });
}

int grepFile(const SearchProfile& profile, const PieceMatcher& matcher, ResultDialog& dialog, const std::string& path,
             std::uint32_t statusSize) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0; // an unreadable file gives no hits, the search goes on
    static std::vector<char> block(kReadBlock);
    FileScanner reader(matcher);
    bool hadHit = false;
    int result = 0;
    std::uint64_t total = 0;
    auto onPiece = [&](std::string_view piece) {
        hadHit = true;
        if (!dialog.addLine(hitLine(path, piece))) {
            dialog.reportLowMemory();
            result = 1;
            return false;
        }
        dialog.countHit();
        if (profile.helper && dialog.hits() % 100 == 0 && memoryIsLowNow()) {
            dialog.reportLowMemory();
            result = 1;
            return false;
        }
        return true;
    };
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, block.data(), kReadBlock, &got, nullptr) || got == 0) {
            reader.finish(onPiece);
            break;
        }
        total += got;
        if (!reader.feed(block.data(), got, onPiece)) {
            if (result == 0)
                reader.finish(onPiece); // Ctrl-Z: what came before it is still searched
            break;
        }
        // A short read of a disk file is its end: no further call is needed.
        // A file that holds all its status promised is one (nothing else has
        // a size), so the platform is asked only about the others.
        if (got < kReadBlock && ((statusSize > 0 && total >= statusSize) || GetFileType(file) == FILE_TYPE_DISK)) {
            reader.finish(onPiece);
            break;
        }
        // The helper stays responsive, and Escape is seen, after every read.
        // After the last read the walk's pump for the next file comes next
        // (searchFileTable pumps once more after the last file): each queue
        // check costs a round trip under Wine, so that one is not doubled.
        if (profile.helper && pumpMessagesSawEscape()) {
            resultCancel().set = true;
            CloseHandle(file);
            return 1;
        }
    }
    CloseHandle(file);
    if (result != 0)
        return result;
    if (hadHit) {
        if (!dialog.addLine(kSeparatorLine)) {
            dialog.reportLowMemory();
            return 1;
        }
        dialog.countFileWithHits();
    }
    return 0;
}

PieceMatcher currentMatcher() {
    return PieceMatcher(searchState().searchPatterns, platformUpperTable());
}

void searchFileTable(ResultDialog& dialog) {
    const PieceMatcher matcher = currentMatcher();
    const ResultAction grep = [&](ResultDialog& d, const std::string& p, const FileStatus& status) {
        return grepFile(kHelperSearch, matcher, d, p, status.size);
    };
    FileTable& table = fileTable();
    const std::size_t total = table.size();
    dialog.setProgress(0);
    for (std::size_t i = 0; i < total; ++i) {
        const std::string& entry = table.pathEntries()[i];
        if (entry.empty())
            continue;
        if (walkPathFiltered(dialog, grep, std::string(FileTable::pathOf(entry))) == 1)
            break;
        dialog.setProgress(static_cast<int>((i + 1) * 100 / total));
    }
    // The pump after the last file's last read: an Escape typed during it
    // still ends the search instead of reaching the finished dialog.
    if (!resultCancel().set && pumpMessagesSawEscape())
        resultCancel().set = true;
    table.clear();
}

} // namespace filetools
