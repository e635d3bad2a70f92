// Writes the seed corpus of the scanner fuzzer into the folder named on the command line:
// well-formed index files of every shape the scan knows, and damaged ones.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/indexwriter.h"

namespace varnok {

namespace {

using Bytes = std::vector<std::uint8_t>;

UrlRecordPlan url(const std::string& address, const std::string& type = "text/html")
{
    UrlRecordPlan plan;
    plan.Address = address;
    plan.LastAccess = FileTimeFromUtc(2005, 3, 7, 13, 5, 9);
    plan.LastModified = FileTimeFromUtc(2004, 12, 1, 8, 0, 0);
    plan.Headers = "HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\n\r\n~U:user\r\n";
    return plan;
}

IndexFilePlan threeUrls()
{
    IndexFilePlan plan;
    plan.Urls = {url("http://www.example.com/"),
                 url("http://www.example.com/logo.gif", "image/gif"),
                 url("http://www.example.com/style.css", "text/css")};
    return plan;
}

IndexFilePlan chained(int tables)
{
    IndexFilePlan plan = MakeRealisticPlan(12 * tables, 7);
    plan.TableCount = tables;
    return plan;
}

IndexFilePlan layouts()
{
    IndexFilePlan plan;
    UrlRecordPlan old = url("http://old-layout.example/page.html");
    old.AddressAt96 = true;
    std::string longAddress = "http://long.example/?q=";
    longAddress.resize(420, 'x');
    plan.Urls = {url("http://new-layout.example/"), old, url(longAddress),
                 url(longAddress.substr(0, 200))};
    plan.Redirects = {{"http://redirect16.example/", false, 1},
                      {"http://redirect24.example/", true, 1},
                      {"http://redirect-two-blocks.example/", false, 2}};
    plan.Order = {~0, 0, ~1, 1, 2, ~2, 3};
    return plan;
}

IndexFilePlan oddStamps()
{
    IndexFilePlan plan = threeUrls();
    plan.Urls[0].LastAccess = 0;
    plan.Urls[1].LastAccess = UINT64_MAX;
    plan.Urls[2].LastAccess = FileTimeFromUtc(9999, 12, 31, 23, 59, 59);
    plan.Urls.push_back(url(""));
    return plan;
}

IndexFilePlan startingAt(std::uint32_t table, std::uint32_t records)
{
    IndexFilePlan plan = threeUrls();
    plan.FirstTableOffset = table;
    plan.RecordsStart = records;
    return plan;
}

// The first record marked as one block long, with the second moved up behind it.
Bytes oneBlockUrl()
{
    const GeneratedIndex index = BuildIndexFile(threeUrls());
    const std::uint32_t first = index.RecordOffsets[0];
    const std::string second(index.Bytes.begin() + index.RecordOffsets[1],
                             index.Bytes.begin() + index.RecordOffsets[1] + 256);
    return WithUint32At(WithBytesAt(index.Bytes, first + 128, second), first + 4, 1);
}

Bytes tinyTable()
{
    Bytes bytes(0x4004, 0);
    return WithBytesAt(bytes, 0x4000, "HASH");
}

bool write(const std::string& folder, const std::string& name, const Bytes& bytes)
{
    const std::string path = folder + "/" + name;
    if (!WriteFileBytes(path, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

} // namespace varnok

using namespace varnok;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_corpus FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const GeneratedIndex sample = BuildIndexFile(MakeSamplePlan());
    const GeneratedIndex three = BuildIndexFile(chained(3));
    const std::vector<std::pair<std::string, Bytes>> files = {
        {"sample.dat", sample.Bytes},
        {"three-urls.dat", BuildIndexFile(threeUrls()).Bytes},
        {"realistic-20.dat", BuildIndexFile(MakeRealisticPlan(20, 1)).Bytes},
        {"three-tables.dat", three.Bytes},
        {"layouts.dat", BuildIndexFile(layouts()).Bytes},
        {"odd-stamps.dat", BuildIndexFile(oddStamps()).Bytes},
        {"first-table-6000.dat", BuildIndexFile(startingAt(0x6000, 0x7000)).Bytes},
        {"first-table-4000.dat", BuildIndexFile(startingAt(0x4000, 0x5000)).Bytes},
        {"one-block-url.dat", oneBlockUrl()},
        {"tiny-table.dat", tinyTable()},
        {"no-table.dat", Bytes(0x6000, 0)},
        {"truncated-record.dat", Truncated(sample.Bytes, sample.RecordOffsets[5] + 60)},
        {"truncated-table.dat", Truncated(three.Bytes, three.TableOffsets[1] + 6)},
        {"loop-chain.dat",
         WithNextTableOffset(three.Bytes, three.TableOffsets[2], three.TableOffsets[0])},
        {"self-chain.dat",
         WithNextTableOffset(three.Bytes, three.TableOffsets[1], three.TableOffsets[1])},
        {"chain-past-end.dat", WithNextTableOffset(three.Bytes, three.TableOffsets[0], 0x7FFFFFF0)},
        {"hash-at-end.dat", WithBytesAt(sample.Bytes, sample.Bytes.size() - 4, "HASH")},
        {"garbage.dat", WithGarbageBlocks(three.Bytes, three.RecordOffsets[4], 12, 99)},
        {"claims-2gb.dat", WithHeaderFileSize(sample.Bytes, 0x7FFFFFFF)},
        {"huge-block-count.dat",
         WithUint32At(sample.Bytes, sample.RecordOffsets[0] + 4, 0xFFFFFFFF)},
    };
    bool ok = true;
    for (const auto& [name, bytes] : files)
        ok = write(folder, name, bytes) && ok;
    return ok ? 0 : 1;
}
