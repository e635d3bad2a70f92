// mkindex: writes cache index files for tests, benchmarks and the bundled sample.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/forensicsample.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

constexpr const char* kUsage =
    "Usage: mkindex [--records N] [--seed S] [--tables T] [--variants] [--list FILE] OUTFILE\n"
    "       mkindex --sample OUTFILE\n"
    "       mkindex --forensic FOLDER\n"
    "       mkindex --help\n"
    "\n"
    "Writes a cache index file (index.dat) of the Internet Explorer 5/6 layout.\n"
    "\n"
    "  --records N  number of records, URL and redirect together (default 1000)\n"
    "  --seed S     seed of the generated contents; the same seed gives the same file\n"
    "               (default 1)\n"
    "  --tables T   number of chained hash tables (default: one per 480 records, as a\n"
    "               browser fills them; fewer tables are made longer to hold every entry)\n"
    "  --variants   also the other address layouts: some URL records with the address\n"
    "               at 96, some redirects with the address at 24 or two blocks long\n"
    "  --list FILE  also write one line per record, in file order: URL or REDR, a TAB\n"
    "               and the address\n"
    "  --sample     the small sample cache shipped in samples/cache/Content.IE5/\n"
    "  --forensic   a copied Windows profile in FOLDER: cache, cookie, history, daily and\n"
    "               weekly history index files with deleted entries, LEAK and REDR records\n"
    "               and odd bytes in addresses, plus a Wine cache, a folder link, a damaged\n"
    "               index file and a file that is no index\n";

struct Options {
    int Records = 1000;
    unsigned Seed = 1;
    int Tables = 0;
    bool Sample = false;
    bool Forensic = false;
    bool Variants = false;
    std::string List;
    std::string Output;
};

bool parseNumber(const char* text, long low, long high, long& value)
{
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= low && value <= high;
}

// Reads one "--name value" pair; false on a bad value.
bool parseValue(const std::string& name, const char* text, Options& options)
{
    long value = 0;
    if (name == "--records" && parseNumber(text, 0, 1000000, value)) {
        options.Records = static_cast<int>(value);
    } else if (name == "--seed" && parseNumber(text, 0, 0xFFFFFFFFL, value)) {
        options.Seed = static_cast<unsigned>(value);
    } else if (name == "--tables" && parseNumber(text, 1, 10000, value)) {
        options.Tables = static_cast<int>(value);
    } else if (name == "--list" && *text != '\0') {
        options.List = text;
    } else {
        return false;
    }
    return true;
}

bool takesValue(const std::string& option)
{
    return option == "--records" || option == "--seed" || option == "--tables" ||
           option == "--list";
}

// 0: run, 1: bad arguments, 2: help shown.
int parseArguments(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            return 2;
        }
        if (argument == "--sample") {
            options.Sample = true;
        } else if (argument == "--forensic") {
            options.Forensic = true;
        } else if (argument == "--variants") {
            options.Variants = true;
        } else if (takesValue(argument)) {
            if (i + 1 >= argc || !parseValue(argument, argv[i + 1], options)) {
                std::fprintf(stderr, "mkindex: bad or missing value for %s\n", argument.c_str());
                return 1;
            }
            ++i;
        } else if (argument.rfind("-", 0) == 0) {
            std::fprintf(stderr, "mkindex: unknown option %s\n", argument.c_str());
            return 1;
        } else if (options.Output.empty()) {
            options.Output = argument;
        } else {
            std::fprintf(stderr, "mkindex: more than one output file given\n");
            return 1;
        }
    }
    if (options.Output.empty()) {
        std::fprintf(stderr, "mkindex: no output file given\n");
        return 1;
    }
    return 0;
}

bool writeList(const std::string& path, const IndexFilePlan& plan)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    for (const int value : RecordOrder(plan)) {
        const std::string& address = value >= 0
                                         ? plan.Urls[static_cast<std::size_t>(value)].Address
                                         : plan.Redirects[static_cast<std::size_t>(~value)].Address;
        std::fprintf(file, "%s\t%s\n", value >= 0 ? "URL" : "REDR", address.c_str());
    }
    return std::fclose(file) == 0;
}

IndexFilePlan makePlan(const Options& options)
{
    if (options.Sample) {
        return MakeSamplePlan();
    }
    IndexFilePlan plan = MakeRealisticPlan(options.Records, options.Seed);
    if (options.Tables > 0) {
        plan.TableCount = options.Tables;
    }
    if (options.Variants) {
        AddLayoutVariants(plan);
    }
    return plan;
}

} // namespace

} // namespace varnok

using namespace varnok;

int main(int argc, char** argv)
{
    Options options;
    const int parsed = parseArguments(argc, argv, options);
    if (parsed == 2) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parsed != 0) {
        std::fputs("Try 'mkindex --help'.\n", stderr);
        return 1;
    }
    if (options.Forensic) {
        std::string error;
        if (!WriteForensicSample(options.Output, error)) {
            std::fprintf(stderr, "mkindex: %s\n", error.c_str());
            return 1;
        }
        std::printf("%s: forensic sample written\n", options.Output.c_str());
        return 0;
    }
    const IndexFilePlan plan = makePlan(options);
    GeneratedIndex index;
    try {
        index = BuildIndexFile(plan);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mkindex: %s\n", error.what());
        return 1;
    }
    if (!WriteFileBytes(options.Output, index.Bytes)) {
        std::fprintf(stderr, "mkindex: cannot write %s\n", options.Output.c_str());
        return 1;
    }
    if (!options.List.empty() && !writeList(options.List, plan)) {
        std::fprintf(stderr, "mkindex: cannot write %s\n", options.List.c_str());
        return 1;
    }
    if (index.Bytes.size() > kIndexHeaderSize + std::size_t{kIndexBitmapBlocks} * kIndexBlockSize) {
        std::fprintf(stderr,
                     "mkindex: warning: the allocation bitmap covers only the first %u "
                     "blocks; readers that go by it miss the records after them\n",
                     kIndexBitmapBlocks);
    }
    std::printf("%s: %zu URL records, %zu redirect records, %zu hash tables, %zu bytes\n",
                options.Output.c_str(), plan.Urls.size(), plan.Redirects.size(),
                index.TableOffsets.size(), index.Bytes.size());
    return 0;
}
