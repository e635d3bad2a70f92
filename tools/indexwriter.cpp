#include "tools/indexwriter.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "tools/indexbytes.h"

namespace varnok {

namespace {

constexpr std::uint32_t kUrlAddressOffset = 0x68;
constexpr std::uint32_t kUrlOldAddressOffset = 0x60;
constexpr std::uint32_t kRedirectAddressOffset = 16;
constexpr std::uint32_t kRedirectOldAddressOffset = 24;
constexpr std::uint32_t kTableBlocks = kHashTableSize / kIndexBlockSize;
constexpr std::size_t kMaxSubFolders = 32;
constexpr std::uint64_t kCacheLimit = 0x03200000; // the cache size limit in the header: 50 MB
constexpr std::uint32_t kFillerValue = 0xDEADBEEF;
constexpr std::uint32_t kDaySeconds = 86400;

// One record's bytes, padded to whole blocks.
using RecordBytes = std::vector<std::uint8_t>;

std::uint32_t blocksFor(std::size_t length, int atLeast)
{
    const auto needed =
        static_cast<std::uint32_t>((length + kIndexBlockSize - 1) / kIndexBlockSize);
    return std::max(needed, static_cast<std::uint32_t>(std::max(atLeast, 1)));
}

// Cache entries keep their text fields on 4-byte boundaries.
std::uint32_t fieldAlign(std::size_t offset)
{
    return AlignUp(static_cast<std::uint32_t>(offset), 4);
}

RecordBytes urlRecordBytes(const UrlRecordPlan& url)
{
    const std::uint32_t addressAt = url.AddressAt96 ? kUrlOldAddressOffset : kUrlAddressOffset;
    const std::uint32_t nameAt = fieldAlign(addressAt + url.Address.size() + 1);
    const std::uint32_t headersAt =
        url.FileName.empty() ? nameAt : fieldAlign(nameAt + url.FileName.size() + 1);
    // History and cookie entries keep no headers: their header offset stays 0.
    const bool hasHeaders = !url.Headers.empty();
    const std::size_t length = headersAt + url.Headers.size() + 1;
    const std::uint32_t blocks = blocksFor(length, url.Blocks > 0 ? url.Blocks : 2);

    RecordBytes record(static_cast<std::size_t>(blocks) * kIndexBlockSize, 0);
    PutText(record, 0, url.Signature.substr(0, 4));
    Put32(record, 4, blocks);
    Put64(record, 0x08, url.LastModified);
    Put64(record, 0x10, url.LastAccess);
    Put32(record, 0x18,
          url.Expiry.value_or(
              DosDateTimeFromFileTime(url.LastAccess + 30ULL * kDaySeconds * 10000000ULL)));
    Put32(record, 0x20, url.FileSize);
    Put32(record, 0x34, addressAt);
    record[0x38] = static_cast<std::uint8_t>(url.SubFolder);
    Put32(record, 0x3C, url.FileName.empty() ? 0 : nameAt);
    Put32(record, 0x44, hasHeaders ? headersAt : 0);
    Put32(record, 0x48, static_cast<std::uint32_t>(url.Headers.size()));
    Put32(record, 0x50, url.LastChecked.value_or(DosDateTimeFromFileTime(url.LastAccess)));
    Put32(record, 0x54, url.Hits);
    if (!url.AddressAt96) {
        Put32(record, 0x64, kFillerValue);
    }
    PutText(record, addressAt, url.Address);
    PutText(record, nameAt, url.FileName);
    PutText(record, headersAt, url.Headers);
    return record;
}

RecordBytes redirectRecordBytes(const RedirectRecordPlan& redirect)
{
    const std::uint32_t addressAt =
        redirect.AddressAt24 ? kRedirectOldAddressOffset : kRedirectAddressOffset;
    const std::uint32_t blocks =
        blocksFor(addressAt + redirect.Address.size() + 1, redirect.Blocks);
    RecordBytes record(static_cast<std::size_t>(blocks) * kIndexBlockSize, 0);
    PutText(record, 0, "REDR");
    Put32(record, 4, blocks);
    Put32(record, 12, HashKey(redirect.Address));
    PutText(record, addressAt, redirect.Address);
    return record;
}

// A record in its place: which plan entry it came from and where it went.
struct PlacedRecord {
    int OrderValue = 0; // as in IndexFilePlan::Order
    RecordBytes Bytes;
    std::uint32_t Offset = 0;
};

std::vector<PlacedRecord> buildRecords(const IndexFilePlan& plan)
{
    std::vector<PlacedRecord> records;
    for (const int value : RecordOrder(plan)) {
        const auto index = static_cast<std::size_t>(value >= 0 ? value : ~value);
        if (value >= 0 && index >= plan.Urls.size()) {
            throw std::out_of_range("record order names a missing URL record");
        }
        if (value < 0 && index >= plan.Redirects.size()) {
            throw std::out_of_range("record order names a missing redirect record");
        }
        records.push_back({value,
                           value >= 0 ? urlRecordBytes(plan.Urls[index])
                                      : redirectRecordBytes(plan.Redirects[index]),
                           0});
    }
    return records;
}

// How many records each table's region holds.
std::vector<std::size_t> groupSizes(const IndexFilePlan& plan, std::size_t recordCount)
{
    std::size_t tables = static_cast<std::size_t>(std::max(plan.TableCount, 1));
    if (plan.EntriesPerTable > 0) {
        const auto perTable = static_cast<std::size_t>(plan.EntriesPerTable);
        tables = std::max<std::size_t>(1, (recordCount + perTable - 1) / perTable);
        std::vector<std::size_t> sizes(tables, perTable);
        sizes.back() = recordCount - perTable * (tables - 1);
        return sizes;
    }
    std::vector<std::size_t> sizes(tables, recordCount / tables);
    for (std::size_t i = 0; i < recordCount % tables; ++i) {
        ++sizes[i];
    }
    return sizes;
}

// Blocks of a table that holds `entries` entries: the usual 32, or a multiple of 32 when
// a region holds more records than one table has entries for.
std::uint32_t tableBlocksFor(std::size_t entries)
{
    std::uint32_t blocks = kTableBlocks;
    while (HashEntriesInTable(blocks) < entries) {
        blocks += kTableBlocks;
    }
    return blocks;
}

// Places tables and records: each table is followed by its own region, and the next
// table starts right after the last record of that region.
std::uint32_t placeAll(const IndexFilePlan& plan, std::vector<PlacedRecord>& records,
                       GeneratedIndex& result)
{
    const std::vector<std::size_t> sizes = groupSizes(plan, records.size());
    std::uint32_t position = plan.FirstTableOffset;
    std::size_t next = 0;
    for (std::size_t group = 0; group < sizes.size(); ++group) {
        const std::uint32_t blocks = tableBlocksFor(sizes[group]);
        result.TableOffsets.push_back(position);
        result.TableBlocks.push_back(blocks);
        position += blocks * kIndexBlockSize;
        if (group == 0) {
            position = std::max(position, AlignUp(plan.RecordsStart, kIndexBlockSize));
        }
        for (std::size_t i = 0; i < sizes[group]; ++i, ++next) {
            records[next].Offset = position;
            position += static_cast<std::uint32_t>(records[next].Bytes.size());
        }
    }
    return position;
}

// Entries go to the slot their key picks, or the next free one, as an open hash does.
void addHashEntry(std::vector<std::uint8_t>& bytes, std::uint32_t table, std::uint32_t blocks,
                  std::uint32_t key, std::uint32_t recordOffset)
{
    const std::uint32_t slots = HashEntriesInTable(blocks);
    std::uint32_t slot = (key >> 6) % slots;
    for (std::uint32_t tries = 0; tries < slots; ++tries) {
        const std::size_t at = table + 16 + static_cast<std::size_t>(slot) * 8;
        if (Get32(bytes, at) == kHashFreeEntry) {
            Put32(bytes, at, key);
            Put32(bytes, at + 4, recordOffset);
            return;
        }
        slot = (slot + 1) % slots;
    }
    throw std::length_error("hash table full");
}

void writeTable(std::vector<std::uint8_t>& bytes, std::uint32_t offset, std::uint32_t blocks,
                std::uint32_t next, std::uint32_t sequence)
{
    PutText(bytes, offset, "HASH");
    Put32(bytes, offset + 4, blocks);
    Put32(bytes, offset + 8, next);
    Put32(bytes, offset + 12, sequence);
    for (std::uint32_t i = 0; i < HashEntriesInTable(blocks); ++i) {
        Put32(bytes, offset + 16 + i * 8, kHashFreeEntry);
        Put32(bytes, offset + 20 + i * 8, kHashFreeEntry);
    }
}

const std::string& recordAddress(const IndexFilePlan& plan, int orderValue)
{
    return orderValue >= 0 ? plan.Urls[static_cast<std::size_t>(orderValue)].Address
                           : plan.Redirects[static_cast<std::size_t>(~orderValue)].Address;
}

// Writes the tables and points each table's entries at the records of its own region.
void writeTables(std::vector<std::uint8_t>& bytes, const IndexFilePlan& plan,
                 const std::vector<PlacedRecord>& records, const GeneratedIndex& layout)
{
    const std::vector<std::uint32_t>& tables = layout.TableOffsets;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        writeTable(bytes, tables[t], layout.TableBlocks[t],
                   t + 1 < tables.size() ? tables[t + 1] : 0, static_cast<std::uint32_t>(t));
    }
    std::size_t table = 0;
    for (const PlacedRecord& record : records) {
        while (table + 1 < tables.size() && record.Offset > tables[table + 1]) {
            ++table;
        }
        if (record.OrderValue >= 0 &&
            !plan.Urls[static_cast<std::size_t>(record.OrderValue)].InHashTable) {
            continue;
        }
        std::uint32_t key = HashKey(recordAddress(plan, record.OrderValue));
        if (record.OrderValue < 0) {
            key |= kRedirectKeyFlag;
        }
        addHashEntry(bytes, tables[table], layout.TableBlocks[table], key, record.Offset);
    }
}

void markBlocks(std::vector<std::uint8_t>& bytes, std::uint32_t offset, std::uint32_t blocks,
                std::uint32_t& allocated)
{
    for (std::uint32_t i = 0; i < blocks; ++i) {
        const std::uint32_t block = (offset - kIndexHeaderSize) / kIndexBlockSize + i;
        if (offset < kIndexHeaderSize || block >= kIndexBitmapBlocks) {
            continue;
        }
        bytes[kIndexBitmapOffset + block / 8] |= static_cast<std::uint8_t>(1U << (block % 8));
        ++allocated;
    }
}

bool recordFreed(const IndexFilePlan& plan, int orderValue)
{
    return orderValue >= 0 ? plan.Urls[static_cast<std::size_t>(orderValue)].Freed
                           : plan.Redirects[static_cast<std::size_t>(~orderValue)].Freed;
}

void writeSubFolders(std::vector<std::uint8_t>& bytes, const IndexFilePlan& plan)
{
    const std::size_t count = std::min(plan.SubFolders.size(), kMaxSubFolders);
    Put32(bytes, 0x48, static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t files = 0;
        for (const UrlRecordPlan& url : plan.Urls) {
            files +=
                (!url.FileName.empty() && static_cast<std::size_t>(url.SubFolder) == i) ? 1 : 0;
        }
        const std::size_t at = 0x4C + i * 12;
        Put32(bytes, at, files);
        PutText(bytes, at + 4, plan.SubFolders[i].substr(0, 8));
    }
}

void writeHeader(std::vector<std::uint8_t>& bytes, const IndexFilePlan& plan,
                 const std::vector<PlacedRecord>& records, const GeneratedIndex& layout)
{
    PutText(bytes, 0, plan.Signature.substr(0, 0x1B));
    const auto size = static_cast<std::uint32_t>(bytes.size());
    Put32(bytes, 0x1C, size);
    Put32(bytes, 0x20, plan.FirstTableOffset);
    Put32(bytes, 0x24, (size - std::min(size, kIndexHeaderSize)) / kIndexBlockSize);
    std::uint32_t allocated = 0;
    for (std::size_t t = 0; t < layout.TableOffsets.size(); ++t) {
        markBlocks(bytes, layout.TableOffsets[t], layout.TableBlocks[t], allocated);
    }
    std::uint64_t cached = 0;
    for (const PlacedRecord& record : records) {
        if (!recordFreed(plan, record.OrderValue)) {
            markBlocks(bytes, record.Offset, Get32(record.Bytes, 4), allocated);
        }
    }
    for (const UrlRecordPlan& url : plan.Urls) {
        cached += url.FileSize;
    }
    Put32(bytes, 0x28, allocated);
    Put64(bytes, 0x30, kCacheLimit);
    Put64(bytes, 0x38, cached);
    writeSubFolders(bytes, plan);
}

} // namespace

std::vector<int> RecordOrder(const IndexFilePlan& plan)
{
    if (!plan.Order.empty()) {
        return plan.Order;
    }
    std::vector<int> order;
    for (std::size_t i = 0; i < plan.Urls.size(); ++i) {
        order.push_back(static_cast<int>(i));
    }
    for (std::size_t i = 0; i < plan.Redirects.size(); ++i) {
        order.push_back(~static_cast<int>(i));
    }
    return order;
}

GeneratedIndex BuildIndexFile(const IndexFilePlan& plan)
{
    std::vector<PlacedRecord> records = buildRecords(plan);
    GeneratedIndex result;
    const std::uint32_t end = placeAll(plan, records, result);
    result.Bytes.assign(AlignUp(end, kIndexSizeStep), 0);
    writeTables(result.Bytes, plan, records, result);
    result.UrlOffsets.resize(plan.Urls.size());
    result.RedirectOffsets.resize(plan.Redirects.size());
    for (const PlacedRecord& record : records) {
        std::copy(record.Bytes.begin(), record.Bytes.end(), result.Bytes.begin() + record.Offset);
        result.RecordOffsets.push_back(record.Offset);
        if (record.OrderValue >= 0) {
            result.UrlOffsets[static_cast<std::size_t>(record.OrderValue)] = record.Offset;
        } else {
            result.RedirectOffsets[static_cast<std::size_t>(~record.OrderValue)] = record.Offset;
        }
    }
    writeHeader(result.Bytes, plan, records, result);
    return result;
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace varnok
