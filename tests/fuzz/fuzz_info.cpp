// The info catalogue over arbitrary info files and paths: the lookup of one
// description and the search's scan, each reading the file in the pieces its
// glue uses, fed in blocks of any size.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "common/filetools/content_search.h"
#include "extension/info/info_search.h"
#include "extension/info/info_store.h"
#include "tests/fuzz/fuzz_support.h"

using namespace info;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string path = in.ConsumeRandomLengthString(400);
    const std::string infoFile = in.ConsumeRandomLengthString(40);
    std::string term = upperAz(in.ConsumeRandomLengthString(100));
    std::string bytes = in.ConsumeRandomLengthString(40000);
    if (in.ConsumeBool())
        bytes.append(in.ConsumeIntegralInRange<std::size_t>(0, 3000), 'y');
    const std::string rest = in.ConsumeRemainingBytesAsString();
    FuzzedDataProvider sizes(reinterpret_cast<const uint8_t*>(rest.data()), rest.size());

    if (const std::optional<LookupTarget> target = lookupTarget(path, infoFile)) {
        if (target->name.empty() || target->name.find('\\') != std::string::npos ||
            target->infoPath.size() != path.size() - target->name.size() + infoFile.size())
            std::abort();
        DescriptionCollector collector(target->name);
        filetools::PieceReader reader(kLookupPiece);
        feedInBlocks(reader, bytes, sizes, 20000, [&](std::string_view piece) {
            if (piece.size() > kLookupPiece)
                std::abort();
            return collector.add(piece);
        });
        if (collector.text().size() > kMaxDescription)
            std::abort();
    }

    std::string directory = path;
    dropTrailingBackslash(directory);
    filetools::PieceReader reader(kScanPiece);
    feedInBlocks(reader, bytes, sizes, 20000, [&](std::string_view piece) {
        const std::optional<std::string> hit = scanHit(directory, piece, term);
        if (hit && (hit->compare(0, directory.size() + 1, directory + "\\") != 0 ||
                    hit->find_first_of("\r\n", directory.size()) != std::string::npos))
            std::abort();
        if (!term.empty() && term.find('\0') == std::string::npos &&
            hit.has_value() != (upperAz(piece.substr(0, piece.find('\0'))).find(term) != std::string::npos))
            std::abort();
        return true;
    });
    withCount(path, static_cast<int>(size) - 1000);
    searchesInto(static_cast<std::uint32_t>(size), path);
    return 0;
}
