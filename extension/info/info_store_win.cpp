// The info files on disk: opened for reading only, read as the C runtime's
// text mode reads them, in pieces of the length each operation uses.
#include "extension/info/info_store_win.h"

#include <windows.h>

#include <vector>

#include "common/filetools/content_search.h"
#include "extension/extension_state_win.h"
#include "extension/info/info_store.h"

namespace info {

namespace {

constexpr DWORD kReadBlock = 16384;

const std::string& infoFileName() {
    return ext::extensionState().settings.infoFile;
}

// Hands the file's pieces to onPiece until it returns false; false when the
// file could not be opened.
template <class OnPiece> bool readPieces(const std::string& path, std::size_t maxPiece, OnPiece&& onPiece) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    filetools::PieceReader reader(maxPiece);
    std::vector<char> block(kReadBlock);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, block.data(), kReadBlock, &got, nullptr) || got == 0 ||
            !reader.feed(block.data(), got, onPiece))
            break;
    }
    // After Ctrl-Z or the end of the file, the last piece still counts.
    reader.finish(onPiece);
    CloseHandle(file);
    return true;
}

} // namespace

std::string lookupDescription(const std::string& path) {
    const std::optional<LookupTarget> target = lookupTarget(path, infoFileName());
    if (!target)
        return {};
    DescriptionCollector collector(target->name);
    readPieces(target->infoPath, kLookupPiece, [&](std::string_view piece) { return collector.add(piece); });
    return collector.text();
}

bool scanInfoFile(std::string& directory, const std::string& upperTerm,
                  const std::function<void(const std::string& hitLine)>& onHit) {
    dropTrailingBackslash(directory);
    bool any = false;
    readPieces(joinPath(directory, infoFileName()), kScanPiece, [&](std::string_view piece) {
        if (std::optional<std::string> hit = scanHit(directory, piece, upperTerm)) {
            any = true;
            onHit(*hit);
        }
        return true;
    });
    return any;
}

} // namespace info
