#include "bench/generatedindex.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <tuple>

#include "cacheindex/scanview.h"
#include "grid/resultgrid.h"
#include "tools/indexwriter.h"

namespace varnok {

const std::string& GeneratedIndexPath(int records, unsigned seed, int tables)
{
    static std::map<std::tuple<int, unsigned, int>, std::string> written;
    const auto key = std::make_tuple(records, seed, tables);
    if (const auto found = written.find(key); found != written.end())
        return found->second;
    const auto file = std::filesystem::temp_directory_path() /
                      ("varnok-bench-" + std::to_string(records) + "-" + std::to_string(seed) +
                       "-" + std::to_string(tables) + ".dat");
    IndexFilePlan plan = MakeRealisticPlan(records, seed);
    plan.TableCount = tables;
    if (!WriteFileBytes(file.string(), BuildIndexFile(plan).Bytes))
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return written.emplace(key, file.string()).first->second;
}

void ReadIndexList(const std::string& path, ScanMode mode, bool anchors, TResultGrid& grid)
{
    SilentScanView view;
    ScanOptions options;
    options.CellFormatHtml = anchors;
    ScanIndexFile(path, mode, options, grid, view);
}

} // namespace varnok
