#include "tests/tools/indexfilereader.h"

namespace varnok {

namespace {

constexpr std::uint32_t kFirstProbe = 0x4000;
constexpr std::uint32_t kProbeStep = 0x1000;

// Next table found at or after `from`: probed at `from`, then in 4 KB steps.
std::int64_t probeTable(const std::vector<std::uint8_t>& bytes, std::int64_t from,
                        std::int64_t last)
{
    for (std::int64_t at = from; at <= last; at += kProbeStep) {
        if (SignatureAt(bytes, static_cast<std::size_t>(at)) == "HASH") {
            return at;
        }
    }
    return -1;
}

} // namespace

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

std::uint64_t Le64(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return Le32(bytes, at) | static_cast<std::uint64_t>(Le32(bytes, at + 4)) << 32;
}

std::string TextAt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::string text;
    for (std::size_t i = at; i < bytes.size() && bytes[i] != 0; ++i) {
        text += static_cast<char>(bytes[i]);
    }
    return text;
}

std::string SignatureAt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::string text;
    for (std::size_t i = at; i < at + 4 && i < bytes.size(); ++i) {
        text += static_cast<char>(bytes[i]);
    }
    return text;
}

std::vector<std::uint32_t> TableChain(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint32_t> tables;
    for (std::uint32_t at = Le32(bytes, 0x20); at != 0 && tables.size() < 1000;
         at = Le32(bytes, at + 8)) {
        if (SignatureAt(bytes, at) != "HASH") {
            break;
        }
        tables.push_back(at);
    }
    return tables;
}

std::vector<HashEntry> UsedEntries(const std::vector<std::uint8_t>& bytes)
{
    std::vector<HashEntry> entries;
    for (const std::uint32_t table : TableChain(bytes)) {
        const std::uint32_t count = (Le32(bytes, table + 4) * 128 - 16) / 8;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t key = Le32(bytes, table + 16 + i * 8);
            const std::uint32_t offset = Le32(bytes, table + 20 + i * 8);
            if (key != 3 || offset != 3) {
                entries.push_back({table, key, offset});
            }
        }
    }
    return entries;
}

std::vector<std::uint32_t> WalkRecords(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint32_t> records;
    const auto last = static_cast<std::int64_t>(bytes.size()) - 4;
    std::int64_t table = probeTable(bytes, kFirstProbe, last);
    while (table >= 0) {
        const std::uint32_t next = Le32(bytes, static_cast<std::size_t>(table) + 8);
        const bool chainGoesOn = next > table && next < bytes.size();
        const std::int64_t end = chainGoesOn ? next : last;
        for (std::int64_t block = table + 4096; block < end;) {
            const std::string signature = SignatureAt(bytes, static_cast<std::size_t>(block));
            if (signature != "URL " && signature != "REDR") {
                block += 128;
                continue;
            }
            records.push_back(static_cast<std::uint32_t>(block));
            block += Le32(bytes, static_cast<std::size_t>(block) + 4) == 1 ? 128 : 256;
        }
        table = chainGoesOn ? probeTable(bytes, end, last) : -1;
    }
    return records;
}

std::string ViewerAddress(const std::vector<std::uint8_t>& bytes, std::uint32_t record)
{
    const std::size_t marker = record + (SignatureAt(bytes, record) == "URL " ? 96 : 16);
    return TextAt(bytes, bytes.at(marker) == 0 ? marker + 8 : marker);
}

} // namespace varnok
