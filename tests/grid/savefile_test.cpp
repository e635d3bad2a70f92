#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "grid/resultgrid.h"
#include "gridfixtures.h"
#include "support/descriptorshortage.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

// Accepts `capacity` bytes, then fails every write, like a full disk.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::size_t capacity) : m_capacity(capacity) {}

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()) || m_written >= m_capacity)
            return traits_type::eof();
        ++m_written;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize count) override
    {
        const auto room = static_cast<std::streamsize>(m_capacity - m_written);
        const std::streamsize taken = std::min(room, count);
        m_written += static_cast<std::size_t>(taken);
        return taken;
    }

private:
    std::size_t m_capacity;
    std::size_t m_written = 0;
};

enum class Writer { Ascii, Csv, Html };

// Runs one writer on a file name or a stream, whichever `target` is.
template <typename Target> auto save(const TResultGrid& grid, Writer writer, Target& target)
{
    if (writer == Writer::Ascii)
        return grid.SaveToASCII(target);
    if (writer == Writer::Csv)
        return grid.SaveToCSV(target);
    return grid.SaveToHTML(target);
}

std::string writerName(const ::testing::TestParamInfo<Writer>& info)
{
    const char* const names[] = {"Ascii", "Csv", "Html"};
    return names[static_cast<int>(info.param)];
}

std::size_t filesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

class SaveFileTest : public ::testing::TestWithParam<Writer> {
protected:
    SaveFileTest() { FillExampleList(m_grid); }
    TResultGrid m_grid;
    TempDir m_dir;
};

} // namespace

TEST_P(SaveFileTest, FileHoldsExactlyTheStreamBytes)
{
    std::ostringstream expected;
    ASSERT_TRUE(save(m_grid, GetParam(), expected));
    const std::string path = m_dir.File("list.out");
    WriteWholeFile(path, std::string(100000, 'o')); // an old, longer file is replaced whole
    save(m_grid, GetParam(), path);
    EXPECT_EQ(ReadWholeFile(path), expected.str());
    EXPECT_EQ(filesIn(m_dir.Path()), 1u); // no temporary file left beside it
}

TEST_P(SaveFileTest, UncreatableFileRaisesAndLeavesNothing)
{
    const std::string path = m_dir.File("no such folder/list.out");
    try {
        save(m_grid, GetParam(), path);
        FAIL() << "no error";
    } catch (const EGridError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot Create file " + path + ": No such file or directory");
    }
    EXPECT_EQ(filesIn(m_dir.Path()), 0u);

    const std::string folderAsFile = m_dir.File("a folder");
    std::filesystem::create_directory(folderAsFile);
    try {
        save(m_grid, GetParam(), folderAsFile);
        FAIL() << "no error";
    } catch (const EGridError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot Create file " + folderAsFile + ": Is a directory");
    }
    EXPECT_TRUE(std::filesystem::is_directory(folderAsFile));
}

// A target whose replacement cannot be created stays as it was, and nothing is left beside
// it: with no descriptor to spare for anyone, and for ordinary users also when the target is
// read-only (root may replace it).
TEST_P(SaveFileTest, TargetIsKeptWhenItsReplacementCannotBeCreated)
{
    const std::string path = m_dir.File("kept.out");
    WriteWholeFile(path, "evidence");
    const auto expectCreateError = [&](const std::string& reason) {
        try {
            save(m_grid, GetParam(), path);
            FAIL() << "no error";
        } catch (const EGridError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot Create file " + path + ": " + reason);
        }
    };
    {
        const DescriptorShortage shortage(0);
        expectCreateError("Too many open files");
    }
    if (::geteuid() != 0) {
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        expectCreateError("Permission denied");
    }
    EXPECT_EQ(ReadWholeFile(path), "evidence");
    EXPECT_EQ(filesIn(m_dir.Path()), 1u);
}

TEST_P(SaveFileTest, FailingStreamIsReported)
{
    for (std::size_t capacity : {std::size_t{0}, std::size_t{10}}) {
        FailingBuffer buffer(capacity);
        std::ostream stream(&buffer);
        EXPECT_FALSE(save(m_grid, GetParam(), stream)) << capacity;
    }
}

TEST_P(SaveFileTest, FullDeviceRaisesAWriteError)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    try {
        save(m_grid, GetParam(), "/dev/full");
        FAIL() << "no error";
    } catch (const EGridError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot write file /dev/full: No space left on device");
    }
}

INSTANTIATE_TEST_SUITE_P(AllWriters, SaveFileTest,
                         ::testing::Values(Writer::Ascii, Writer::Csv, Writer::Html), writerName);

// Their speed is measured in the writer benchmarks; here, that a large list is written whole.
TEST(SaveFileLargeListTest, WritersHandleLargeLists)
{
    TResultGrid grid;
    FillCaptions(grid);
    constexpr int rows = 40000;
    for (int row = 1; row <= rows; ++row)
        AddEntry(grid, row, std::to_string(row),
                 row % 2 ? "http://www.example.com/path/page" + std::to_string(row) + ".htm"
                         : Anchor("http://www.example.com/a?b=1&amp;c=" + std::to_string(row)),
                 "05/06/2004 10:11:12");
    for (Writer writer : {Writer::Ascii, Writer::Csv, Writer::Html}) {
        std::ostringstream out;
        ASSERT_TRUE(save(grid, writer, out));
        EXPECT_GT(out.str().size(), static_cast<std::size_t>(rows) * 30);
    }
}

} // namespace varnok
