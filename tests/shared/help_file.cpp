// Reads a WinHelp 3.1 file with bounds checks on every step: a damaged file
// gives an error, never a read past the buffer.
#include "tests/shared/help_file.h"

#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

namespace helpfile {
namespace {

constexpr std::uint32_t kBlock = 4096;
constexpr std::uint32_t kBlockData = kBlock - 12;

struct Bad : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Bytes {
public:
    explicit Bytes(std::string data) : data_(std::move(data)) {}
    std::size_t size() const { return data_.size(); }
    std::uint32_t u8(std::size_t at) const { return static_cast<unsigned char>(need(at, 1)[0]); }
    std::uint32_t u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
    std::string cstr(std::size_t at) const {
        const auto end = data_.find('\0', at);
        if (at >= data_.size() || end == std::string::npos)
            throw Bad("unterminated string");
        return data_.substr(at, end - at);
    }
    std::string slice(std::size_t at, std::size_t n) const { return std::string(need(at, n), n); }

private:
    const char* need(std::size_t at, std::size_t n) const {
        if (at > data_.size() || n > data_.size() - at)
            throw Bad("read past the end");
        return data_.data() + at;
    }
    std::string data_;
};

// Calls leaf(entryStart) for every leaf entry of the B-tree at `at`; the
// callback returns the entry's size.
void walkBtree(const Bytes& b, std::size_t at, const std::function<std::size_t(std::size_t)>& leaf) {
    if (b.u16(at) != 0x293B)
        throw Bad("no B-tree");
    const std::uint32_t pageSize = b.u16(at + 4);
    std::uint32_t page = b.u16(at + 26);
    const std::uint32_t levels = b.u16(at + 32);
    const std::uint32_t pages = b.u16(at + 30);
    const std::size_t first = at + 38;
    for (std::uint32_t level = 1; level < levels; ++level)
        page = b.u16(first + std::size_t{page} * pageSize + 4);
    for (std::uint32_t seen = 0; page != 0xFFFF; ++seen) {
        if (page >= pages || seen > pages)
            throw Bad("bad B-tree page");
        const std::size_t start = first + std::size_t{page} * pageSize;
        std::size_t entry = start + 8;
        for (std::uint32_t n = b.u16(start + 2); n > 0; --n) {
            entry += leaf(entry);
            if (entry > start + pageSize)
                throw Bad("B-tree entry past its page");
        }
        page = b.u16(start + 6);
    }
}

// Compressed numbers of the paragraph records: the low bit says the width.
std::uint32_t compressedLong(const Bytes& b, std::size_t& at) {
    if (b.u8(at) & 1) {
        const std::uint32_t v = (b.u32(at) - 0x80000000u) / 2;
        at += 4;
        return v;
    }
    const std::uint32_t v = (b.u16(at) - 0x8000u) / 2;
    at += 2;
    return v;
}

std::uint32_t compressedUshort(const Bytes& b, std::size_t& at) {
    if (b.u8(at) & 1) {
        const std::uint32_t v = b.u16(at) / 2;
        at += 2;
        return v;
    }
    return b.u8(at++) / 2;
}

void readTopics(const Bytes& file, std::size_t at, std::size_t size, HelpFile& help) {
    // The blocks' data, without their headers, in one run.
    std::string run;
    for (std::size_t block = 0; block * kBlock + 12 < size; ++block)
        run += file.slice(at + block * kBlock + 12, std::min<std::size_t>(kBlockData, size - block * kBlock - 12));
    const Bytes topic(run);
    std::uint32_t position = 12;
    std::uint32_t chars = 0;
    std::uint32_t lastBlock = 0xFFFFFFFF;
    for (std::size_t guard = 0; position != 0xFFFFFFFF; ++guard) {
        const std::uint32_t block = (position - 12) >> 14;
        const std::size_t record = std::size_t{block} * kBlockData + ((position - 12) & 0x3FFF);
        if (guard > run.size())
            throw Bad("topic records loop");
        if (block != lastBlock)
            chars = 0, lastBlock = block;
        const std::uint32_t blockSize = topic.u32(record);
        const std::uint32_t dataLen2 = topic.u32(record + 4);
        const std::uint32_t dataLen1 = topic.u32(record + 16);
        if (dataLen1 < 21 || dataLen1 > blockSize || dataLen2 != blockSize - dataLen1)
            throw Bad("bad topic record sizes");
        const std::string data2 = topic.slice(record + dataLen1, dataLen2);
        const std::uint32_t type = topic.u8(record + 20);
        if (type == 0x02) {
            help.topics.push_back({block * 0x8000 + chars, data2.substr(0, data2.find('\0')), ""});
        } else if (type == 0x20) {
            if (help.topics.empty())
                throw Bad("text before the first topic");
            std::size_t at1 = record + 21;
            compressedLong(topic, at1);
            chars += compressedUshort(topic, at1);
            std::string& text = help.topics.back().text;
            for (char c : data2)
                if (c != '\0')
                    text += c;
            text += '\n';
        } else {
            throw Bad("unknown topic record");
        }
        position = topic.u32(record + 12);
    }
}

HelpFile parse(const Bytes& b) {
    HelpFile help;
    if (b.u32(0) != 0x00035F3F || b.u32(12) != b.size())
        throw Bad("not a help file of this size");
    std::map<std::string, std::uint32_t> files;
    walkBtree(b, b.u32(4) + 9, [&](std::size_t e) {
        const std::string name = b.cstr(e);
        files[name] = b.u32(e + name.size() + 1);
        help.internalFiles.push_back(name);
        return name.size() + 5;
    });
    // Start and size of an internal file's data.
    auto find = [&](const char* name) {
        const auto it = files.find(name);
        if (it == files.end())
            throw Bad(std::string("no internal file ") + name);
        const std::uint32_t used = b.u32(it->second + 4);
        b.slice(it->second + 9, used);
        return std::make_pair(std::size_t{it->second} + 9, std::size_t{used});
    };
    const auto [system, systemSize] = find("|SYSTEM");
    if (b.u16(system) != 0x036C || b.u16(system + 4) != 1)
        throw Bad("bad |SYSTEM header");
    for (std::size_t r = system + 12; r + 4 <= system + systemSize; r += 4 + b.u16(r + 2)) {
        if (b.u16(r) == 1)
            help.title = b.cstr(r + 4);
        else if (b.u16(r) == 3)
            help.contentsOffset = b.u32(r + 4);
    }
    const auto [topicAt, topicSize] = find("|TOPIC");
    readTopics(b, topicAt, topicSize, help);
    find("|FONT");
    find("|CONTEXT");
    const auto [kwdata, kwdataSize] = find("|KWDATA");
    walkBtree(b, find("|KWBTREE").first, [&](std::size_t e) {
        const std::string keyword = b.cstr(e);
        const std::uint32_t offset = b.u32(e + keyword.size() + 3);
        if (b.u16(e + keyword.size() + 1) != 1 || offset + 4 > kwdataSize)
            throw Bad("bad keyword entry " + keyword);
        help.keywords[keyword] = b.u32(kwdata + offset);
        return keyword.size() + 7;
    });
    return help;
}

} // namespace

const Topic* HelpFile::topicAt(std::uint32_t offset) const {
    for (const Topic& t : topics)
        if (t.offset == offset)
            return &t;
    return nullptr;
}

std::optional<HelpFile> readHelpFile(const std::string& bytes, std::string& error) {
    try {
        return parse(Bytes(bytes));
    } catch (const Bad& e) {
        error = e.what();
        return std::nullopt;
    }
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> keywordList(const std::string& path) {
    std::istringstream in(fileBytes(path));
    std::vector<std::string> keywords;
    for (std::string line; std::getline(in, line);)
        keywords.push_back(line);
    return keywords;
}

} // namespace helpfile
