#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnok {

// Builds realistic cache index files in memory: the 16 KB header, hash tables chained
// through their next-table offsets and pointing at the records, "URL " and "REDR"
// records, and deliberate damage for the robustness tests.

struct UrlRecordPlan {
    std::string Signature = "URL "; // "LEAK": a cached file that could not be deleted
    std::string Address;            // bytes written as they are, NUL-terminated
    std::uint64_t LastModified = 0; // file time, record offset 8
    std::uint64_t LastAccess = 0;   // file time, record offset 16 ("latest visit")
    std::string Headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
    std::string FileName = "page[1].htm";
    // DOS date (low half) and time (high half); unset: 30 days after the last access, and
    // the last access itself
    std::optional<std::uint32_t> Expiry;      // record offset 0x18
    std::optional<std::uint32_t> LastChecked; // record offset 0x50
    bool AddressAt96 = false;                 // old layout: address starts at 96 instead of 104
    int Blocks = 0;             // at least this many 128-byte blocks (0: at least 2); more
                                // when the contents need them
    std::uint32_t FileSize = 0; // size of the cached copy, record offset 0x20
    int SubFolder = 0;          // index into IndexFilePlan::SubFolders, record offset 0x38
    std::uint32_t Hits = 0;     // record offset 0x54
    bool Freed = false;         // blocks left free in the allocation bitmap: a deleted entry
    bool InHashTable = true;    // false: no hash entry points at it, as after a deletion
};

struct RedirectRecordPlan {
    std::string Address;
    bool AddressAt24 = false; // marker byte 16 is 0 and the address starts at 24
    int Blocks = 1;           // at least this many blocks; real files use one
    bool Freed = false;       // blocks left free in the allocation bitmap: a deleted entry
};

struct IndexFilePlan {
    std::string Signature = "Client UrlCache MMF Ver 5.2";
    std::uint32_t FirstTableOffset = 0x5000;
    std::uint32_t RecordsStart = 0x6000; // first record block
    int EntriesPerTable = 0;             // 0: spread records evenly over TableCount tables
    int TableCount = 1;
    // Every record gets an entry in the table whose region holds it. A region with more
    // records than the usual 32-block table has entries for (510) gets a longer table, in
    // steps of 32 blocks.
    std::vector<UrlRecordPlan> Urls;
    std::vector<RedirectRecordPlan> Redirects;
    // Records are laid out in this order: index into Urls (>= 0) or ~index into Redirects (< 0).
    // Empty: all URL records, then all redirects.
    std::vector<int> Order;
    // Cache sub-folder names (8 characters each, at most 32) listed in the header.
    std::vector<std::string> SubFolders = {"ENG3X4ZR", "Q7BW2K1M", "XS0TNE5P", "A9HUL2DC"};
};

// The generated file and where its pieces went, for tests that damage or check it.
struct GeneratedIndex {
    std::vector<std::uint8_t> Bytes;
    std::vector<std::uint32_t> TableOffsets;
    std::vector<std::uint32_t> TableBlocks;     // length of each table in 128-byte blocks
    std::vector<std::uint32_t> RecordOffsets;   // in file order
    std::vector<std::uint32_t> UrlOffsets;      // per entry of IndexFilePlan::Urls
    std::vector<std::uint32_t> RedirectOffsets; // per entry of IndexFilePlan::Redirects
};

// Geometry shared by the writer and its tests.
inline constexpr std::uint32_t kIndexHeaderSize = 0x4000;
inline constexpr std::uint32_t kIndexBlockSize = 128;
inline constexpr std::uint32_t kHashTableSize = 0x1000;
inline constexpr std::uint32_t kHashEntriesPerTable = (kHashTableSize - 16) / 8;
inline constexpr std::uint32_t kHashFreeEntry = 3;
inline constexpr std::uint32_t kIndexBitmapOffset = 0x250;
// Blocks after the header that the allocation bitmap can mark: about 15.4 MB of tables
// and records. Blocks past it stay unmarked, and readers that go by the bitmap miss them.
inline constexpr std::uint32_t kIndexBitmapBlocks = (kIndexHeaderSize - kIndexBitmapOffset) * 8;
inline constexpr std::uint32_t kIndexSizeStep = 0x4000; // files grow in 16 KB steps

/** Entries of a hash table `blocks` long (510 in the usual 32-block table). */
[[nodiscard]] constexpr std::uint32_t HashEntriesInTable(std::uint32_t blocks)
{
    return (blocks * kIndexBlockSize - 16) / 8;
}

/** Lays out the header, the chained tables and the records of `plan`. */
[[nodiscard]] GeneratedIndex BuildIndexFile(const IndexFilePlan& plan);

/** File time of a UTC calendar moment. */
[[nodiscard]] std::uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute,
                                            int second);

/** A plan of `count` varied records (hosts, paths, content types, redirects every so often),
 * reproducible for a given seed. Used by the sample, the benchmarks and the fuzz corpus. */
[[nodiscard]] IndexFilePlan MakeRealisticPlan(int count, unsigned seed);

/** Turns some records to the other layouts: every fifth URL record gets its address at 96, every
 * second redirect its address at 24, and every third redirect a second block. */
void AddLayoutVariants(IndexFilePlan& plan);

/** The order records are laid out in (IndexFilePlan::Order, or its default). */
[[nodiscard]] std::vector<int> RecordOrder(const IndexFilePlan& plan);

/** The small cache shipped as samples/cache/Content.IE5/index.dat. */
[[nodiscard]] IndexFilePlan MakeSamplePlan();

// Damage helpers: each returns a changed copy.
[[nodiscard]] std::vector<std::uint8_t> Truncated(const std::vector<std::uint8_t>& bytes,
                                                  std::size_t length);
[[nodiscard]] std::vector<std::uint8_t> WithNextTableOffset(const std::vector<std::uint8_t>& bytes,
                                                            std::uint32_t tableOffset,
                                                            std::uint32_t nextOffset);
/** Raw patch: `patch` written at `offset`; the file grows with zero bytes when needed. */
[[nodiscard]] std::vector<std::uint8_t> WithBytesAt(const std::vector<std::uint8_t>& bytes,
                                                    std::size_t offset, const std::string& patch);
/** A little-endian 32-bit value written at `offset` (block counts, marker bytes, offsets). */
[[nodiscard]] std::vector<std::uint8_t> WithUint32At(const std::vector<std::uint8_t>& bytes,
                                                     std::size_t offset, std::uint32_t value);
/** `count` blocks of reproducible random bytes from `offset` on. */
[[nodiscard]] std::vector<std::uint8_t> WithGarbageBlocks(const std::vector<std::uint8_t>& bytes,
                                                          std::size_t offset, int count,
                                                          unsigned seed);
/** The header's file size field set to `claimedSize` (for example close to 2 GB). */
[[nodiscard]] std::vector<std::uint8_t> WithHeaderFileSize(const std::vector<std::uint8_t>& bytes,
                                                           std::uint32_t claimedSize);

/** Writes bytes to a file; false on failure. */
[[nodiscard]] bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace varnok
