#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds realistic cache index files in memory: the 16 KB header, hash tables chained
// through their next-table offsets and pointing at the records, "URL " and "REDR"
// records, and deliberate damage for the robustness tests.

struct UrlRecordSpec {
    std::string Address;                 // bytes written as they are, NUL-terminated
    std::uint64_t LastModified = 0;      // file time, record offset 8
    std::uint64_t LastAccess = 0;        // file time, record offset 16 ("latest visit")
    std::string Headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
    std::string FileName = "page[1].htm";
    bool AddressAt96 = false;            // old layout: address starts at 96 instead of 104
    int Blocks = 0;                      // 0: as many 128-byte blocks as the contents need (at least 2)
};

struct RedirectRecordSpec {
    std::string Address;
    bool AddressAt24 = false;            // marker byte 16 is 0 and the address starts at 24
    int Blocks = 1;                      // real files use one block
};

struct IndexFileSpec {
    std::string Signature = "Client UrlCache MMF Ver 5.2";
    std::uint32_t FirstTableOffset = 0x5000;
    std::uint32_t RecordsStart = 0x6000;  // first record block
    int EntriesPerTable = 0;              // 0: spread records evenly over TableCount tables
    int TableCount = 1;
    std::vector<UrlRecordSpec> Urls;
    std::vector<RedirectRecordSpec> Redirects;
    // Records are laid out in this order: index into Urls (>= 0) or ~index into Redirects (< 0).
    // Empty: all URL records, then all redirects.
    std::vector<int> Order;
};

// The generated file and where its pieces went, for tests that damage or check it.
struct GeneratedIndex {
    std::vector<std::uint8_t> Bytes;
    std::vector<std::uint32_t> TableOffsets;
    std::vector<std::uint32_t> RecordOffsets; // in file order
};

[[nodiscard]] GeneratedIndex BuildIndexFile(const IndexFileSpec& spec);

// File time of a UTC calendar moment.
[[nodiscard]] std::uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute,
                                            int second);

// A spec of `count` varied records (hosts, paths, content types, redirects every so often),
// reproducible for a given seed. Used by the sample, the benchmarks and the fuzz corpus.
[[nodiscard]] IndexFileSpec MakeRealisticSpec(int count, unsigned seed);

// Damage helpers: each returns a changed copy.
[[nodiscard]] std::vector<std::uint8_t> Truncated(const std::vector<std::uint8_t>& bytes,
                                                  std::size_t length);
[[nodiscard]] std::vector<std::uint8_t> WithNextTableOffset(const std::vector<std::uint8_t>& bytes,
                                                            std::uint32_t tableOffset,
                                                            std::uint32_t nextOffset);

// Writes bytes to a file; false on failure.
[[nodiscard]] bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
