#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/batchexport.h"
#include "app/commandline.h"
#include "app/settings.h"
#include "platform/readonlyfile.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

std::vector<std::uint8_t> IndexWith(const std::vector<std::string>& addresses,
                                    const std::string& signature = "Client UrlCache MMF Ver 5.2")
{
    IndexFilePlan plan;
    plan.Signature = signature;
    for (const std::string& address : addresses) {
        UrlRecordPlan url;
        url.Address = address;
        url.LastAccess = FileTimeFromUtc(2005, 3, 7, 13, 5, 10);
        plan.Urls.push_back(url);
    }
    return BuildIndexFile(plan).Bytes;
}

// The bytes of a file whose records cannot be read: every view behind the first table
// fails as a bad stretch of disk would.
class FailingSource final : public ByteSource {
public:
    explicit FailingSource(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    [[nodiscard]] std::int64_t End() const override
    {
        return static_cast<std::int64_t>(m_bytes.size());
    }
    std::span<const std::uint8_t> View(std::int64_t offset, std::size_t count) override
    {
        if (offset >= 0x6000)
            throw FileReadError("Input/output error");
        const auto at = static_cast<std::size_t>(std::min<std::int64_t>(offset, End()));
        return std::span<const std::uint8_t>(m_bytes).subspan(at,
                                                              std::min(count, m_bytes.size() - at));
    }

private:
    std::vector<std::uint8_t> m_bytes;
};

TEST(TimelineCommandLineTest, TimelinesTakeOneIndexFileOrOneFolder)
{
    struct Case {
        std::vector<std::string> Arguments;
        std::string Error;
    };
    const Case cases[] = {
        {{"/open:i.dat", "/sjsonl", "out"}, ""},
        {{"/SCAN:case", "/SBODY", "-"}, ""},
        {{"/sjsonl", "out"}, "/sjsonl and /sbody need /open:INDEXFILE or /scan:FOLDER."},
        {{"/cache:c", "/sbody", "out"}, "/sjsonl and /sbody need /open:INDEXFILE or /scan:FOLDER."},
        {{"/scan:case", "/scsv", "out"}, "/scan: is given with /sjsonl or /sbody only."},
        {{"/scan:case", "/open:i.dat", "/sjsonl", "out"},
         "Give either /scan: or /open:, not both."},
        {{"/scan:a", "/scan:b", "/sjsonl", "out"}, "Only one /scan: may be given: /scan:b"},
        {{"/open:i.dat", "/sort:1", "/sjsonl", "out"},
         "/sort: and /filter: are given with /stext, /scsv, /shtml or /spdf only."},
        {{"/open:i.dat", "/sjsonl", "out", "/sbody", "b"},
         "Only one of /stext, /scsv, /shtml, /spdf, /sjsonl and /sbody may be given: /sbody"},
        {{"/open:i.dat", "/sbody"}, "Missing output file after /sbody."},
    };
    for (const Case& c : cases) {
        const CommandLine commandLine = ParseCommandLine(c.Arguments);
        EXPECT_EQ(commandLine.Error, c.Error) << c.Arguments[0] << " " << c.Arguments[1];
        EXPECT_TRUE(commandLine.IsBatch());
    }
}

class TimelineExportTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& arguments)
    {
        m_out.str("");
        m_err.str("");
        return RunBatchExport(ParseCommandLine(arguments), VarnokSettings(m_dir.File("v.ini")),
                              m_out, m_err, m_tools);
    }

    TempDir m_dir;
    TempDir m_outside;
    std::ostringstream m_out;
    std::ostringstream m_err;
    BatchExportTools m_tools;
};

// Index files in path order, whatever the folder holds around them: links that lead out of
// the folder or back into it, files that are no index, a damaged index that does not stop
// the others, and Wine's signature.
TEST_F(TimelineExportTest, ScanWritesEveryIndexFileBelowTheFolderOnce)
{
    namespace fs = std::filesystem;
    const fs::path root = m_dir.Path() / "case";
    fs::create_directories(root / "a" / "x");
    fs::create_directories(root / "b");
    WriteWholeFile((root / "a.dat").string(), IndexWith({"http://one/"}));
    WriteWholeFile((root / "a/x/index.dat").string(), IndexWith({"http://lost/"}));
    WriteWholeFile((root / "b/index.dat").string(), IndexWith({"http://two/", "http://three/"}));
    WriteWholeFile((root / "wine.dat").string(),
                   IndexWith({"http://four/"}, "WINE URLCache Ver 0.2012001"));
    WriteWholeFile((root / "notes.txt").string(), std::string("Client UrlCache"));
    WriteWholeFile((m_outside.Path() / "index.dat").string(), IndexWith({"http://outside/"}));
    fs::create_directory_symlink(m_outside.Path(), root / "link-out");
    fs::create_symlink(root / "a.dat", root / "b/link.dat");
    fs::create_directory_symlink(root, root / "b/loop");
    m_tools.OpenIndex = [](const std::string& path) -> std::unique_ptr<ByteSource> {
        if (path.ends_with("a/x/index.dat"))
            return std::make_unique<FailingSource>(IndexWith({"http://lost/"}));
        auto file = std::make_unique<ReadOnlyFile>();
        EXPECT_TRUE(file->Open(path));
        return file;
    };

    const std::string output = m_outside.File("timeline.body");
    EXPECT_EQ(Run({"/scan:" + root.string(), "/sbody", output}), 2);
    EXPECT_EQ(m_out.str(), "4 records, 12 events from 4 index files\n");
    EXPECT_EQ(m_err.str(), "Cannot read a/x/index.dat whole: Input/output error while reading "
                           "the records from byte 24576\n");
    const std::vector<std::string> expected = {
        "0|a.dat:http://one/|0|0|0|0|0|1110200710|0|1110200710|0",
        "0|b/index.dat:http://two/|0|0|0|0|0|1110200710|0|1110200710|0",
        "0|b/index.dat:http://three/|0|0|0|0|0|1110200710|0|1110200710|0",
        "0|wine.dat:http://four/|0|0|0|0|0|1110200710|0|1110200710|0",
    };
    EXPECT_EQ(Lines(ReadWholeFile(output)), expected);

    // Without the damaged file every index file is read whole.
    fs::remove(root / "a/x/index.dat");
    EXPECT_EQ(Run({"/scan:" + root.string(), "/sjsonl", output}), 0);
    EXPECT_EQ(m_out.str(), "4 records, 12 events from 3 index files\n");
    EXPECT_EQ(m_err.str(), "");
}

TEST_F(TimelineExportTest, FailuresLeaveNoOutputFile)
{
    const std::string index = m_dir.File("index.dat");
    WriteWholeFile(index, IndexWith({"http://one/"}));
    const std::string output = m_dir.File("out.jsonl");
    struct Case {
        std::vector<std::string> Arguments;
        std::string Error;
    };
    const Case cases[] = {
        {{"/scan:" + m_dir.File("none"), "/sjsonl", output},
         "Cannot read the folder " + m_dir.File("none") + ": No such file or directory\n"},
        {{"/open:" + index, "/sbody", index},
         "Cannot write " + index + ": it is the index file " + index + "\n"},
        {{"/open:" + index, "/sjsonl", m_dir.File("no/such/out.jsonl")},
         "Cannot Create file " + m_dir.File("no/such/out.jsonl") + ": No such file or directory\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.Arguments), 1) << c.Arguments[0];
        EXPECT_EQ(m_err.str(), c.Error);
        EXPECT_EQ(m_out.str(), "");
        EXPECT_FALSE(std::filesystem::exists(output));
    }

    // A stretch of the one index file that cannot be read: no timeline at all.
    m_tools.OpenIndex = [](const std::string&) -> std::unique_ptr<ByteSource> {
        return std::make_unique<FailingSource>(IndexWith({"http://one/"}));
    };
    EXPECT_EQ(Run({"/open:" + index, "/sjsonl", output}), 1);
    EXPECT_EQ(m_err.str(), "Cannot read the index file " + index +
                               ": Input/output error while reading the records from byte 24576\n");
    EXPECT_FALSE(std::filesystem::exists(output));

    // A device that takes no byte: the lines written on another thread fail as surely as
    // the body file's.
    m_tools.OpenIndex = nullptr;
    WriteWholeFile(index, BuildIndexFile(MakeRealisticPlan(3000, 3)).Bytes);
    for (const char* format : {"/sjsonl", "/sbody"}) {
        EXPECT_EQ(Run({"/open:" + index, format, "/dev/full"}), 1) << format;
        EXPECT_EQ(m_err.str(), "Cannot write file /dev/full: No space left on device\n");
        EXPECT_EQ(m_out.str(), "");
    }

    WriteWholeFile(index, IndexWith({"http://one/"}));
    EXPECT_EQ(Run({"/open:" + index, "/sjsonl", output}), 0);
    EXPECT_EQ(m_out.str(), "1 records, 3 events\n");
    EXPECT_EQ(Lines(ReadWholeFile(output)).size(), 3u);
}

} // namespace

} // namespace varnok
