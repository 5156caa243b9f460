// The content search over arbitrary file bytes and search texts: the piece
// reader against a plain split of the text-mode bytes, fed in blocks of any
// size; the file scanner's hits against testing every piece with a slow
// matcher; and the shown hit lines.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

#include "common/filetools/content_search.h"
#include "tests/fuzz/fuzz_support.h"

using namespace filetools;

namespace {

std::vector<std::string> slowPieces(const std::string& bytes, std::size_t maxPiece) {
    std::string text; // as text mode reads it: CR LF folded, Ctrl-Z ends the file
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\x1a'; ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            text += bytes[i];
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        piece += c;
        if (c == '\n' || piece.size() == maxPiece) {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

bool slowHits(std::string piece, const std::vector<std::string>& patterns, const UpperTable& upper) {
    piece = upper.apply(piece.substr(0, piece.find('\0')));
    for (const std::string& p : patterns) {
        const bool wild = p.find_first_of("*?") != std::string::npos;
        if (wild ? !piece.empty() && slowWildcard(piece, p) : piece.find(p) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const UpperTable upper = ansiUpperTable1252();
    std::vector<std::string> patterns = splitPatterns(searchTextFromField(in.ConsumeRandomLengthString(120)));
    for (std::string& p : patterns)
        p = upper.apply(p);
    const std::size_t maxPiece = in.ConsumeIntegralInRange<std::size_t>(1, kMaxPiece);
    const std::size_t feedSeed = in.ConsumeIntegral<std::uint32_t>();
    std::string bytes = in.ConsumeRandomLengthString(20000);
    if (in.ConsumeBool()) // lines far longer than a piece
        bytes.append(in.ConsumeIntegralInRange<std::size_t>(0, 5000), bytes.empty() ? 'a' : bytes.back());
    const std::string rest = in.ConsumeRemainingBytesAsString() + std::to_string(feedSeed);

    FuzzedDataProvider sizes(reinterpret_cast<const uint8_t*>(rest.data()), rest.size());
    std::vector<std::string> pieces;
    PieceReader reader(maxPiece);
    feedInBlocks(reader, bytes, sizes, 3000, [&](std::string_view p) {
        pieces.emplace_back(p);
        return true;
    });
    if (pieces != slowPieces(bytes, maxPiece))
        std::abort();
    if (patterns.empty())
        return 0;

    const PieceMatcher matcher(patterns, upper);
    std::vector<std::string> expected, hits;
    for (const std::string& p : slowPieces(bytes, kMaxPiece))
        if (slowHits(p, patterns, upper))
            expected.push_back(p);
    FuzzedDataProvider sizes2(reinterpret_cast<const uint8_t*>(rest.data()), rest.size());
    FileScanner scanner(matcher);
    feedInBlocks(scanner, bytes, sizes2, 3000, [&](std::string_view p) {
        hits.emplace_back(p);
        const std::string line = hitLine("C:\\A", p);
        if (line.size() > 5 + kMaxShownHit || line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            std::abort();
        return true;
    });
    if (hits != expected)
        std::abort();
    return 0;
}
