#include <gtest/gtest.h>

#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/replacingfile.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

std::size_t filesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

// Tells whether a folder itself was opened (as a flush of the folder opens it) while it was
// watched; the files inside it do not count.
class FolderOpenWatch {
public:
    explicit FolderOpenWatch(const std::string& folder)
        : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd >= 0 && ::inotify_add_watch(m_fd, folder.c_str(), IN_OPEN) < 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~FolderOpenWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FolderOpenWatch(const FolderOpenWatch&) = delete;
    FolderOpenWatch& operator=(const FolderOpenWatch&) = delete;

    [[nodiscard]] bool Works() const { return m_fd >= 0; }
    [[nodiscard]] bool FolderOpened() const
    {
        alignas(inotify_event) std::array<char, 4096> buffer{};
        bool opened = false;
        ssize_t length = 0;
        while ((length = ::read(m_fd, buffer.data(), buffer.size())) > 0) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                opened = opened || ((event->mask & IN_ISDIR) && event->len == 0);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return opened;
    }

private:
    int m_fd;
};

} // namespace

TEST(ReplacingFileTest, NewContentsAppearOnlyOnCommit)
{
    TempDir dir;
    const std::string path = dir.File("out.txt");
    WriteWholeFile(path, "old contents");
    ::chmod(path.c_str(), 0640);
    {
        ReplacingFile file(path);
        ASSERT_TRUE(file.Open());
        file.Stream() << "new";
        EXPECT_EQ(ReadWholeFile(path), "old contents");
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_EQ(filesIn(dir.Path()), 1u);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u); // a replaced file keeps its permissions
}

TEST(ReplacingFileTest, AbandonedWriteLeavesTargetAndFolderAsTheyWere)
{
    TempDir dir;
    const std::string existing = dir.File("existing.txt");
    WriteWholeFile(existing, "keep me");
    {
        ReplacingFile file(existing);
        ASSERT_TRUE(file.Open());
        file.Stream() << "partial";
    }
    EXPECT_EQ(ReadWholeFile(existing), "keep me");
    {
        ReplacingFile file(dir.File("new.txt"));
        ASSERT_TRUE(file.Open());
        file.Stream() << "partial";
    }
    EXPECT_EQ(filesIn(dir.Path()), 1u);
}

TEST(ReplacingFileTest, WritesThroughASymbolicLink)
{
    TempDir dir;
    const std::string target = dir.File("target.txt");
    const std::string link = dir.File("link.txt");
    WriteWholeFile(target, "old");
    std::filesystem::create_symlink(target, link);
    ReplacingFile file(link);
    ASSERT_TRUE(file.Open());
    file.Stream() << "new";
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target), "new");
}

// Through links in other folders, chains of links and a link to a name not made yet, the
// file the links lead to is written and its folder flushed, so the rename lasts; the links
// stay links.
TEST(ReplacingFileTest, WritesAndFlushesWhereTheLinksLead)
{
    struct Layout {
        const char* Name;
        std::vector<std::pair<std::string, std::string>> Links; // link, what it holds
        bool TargetExists;
    };
    const Layout layouts[] = {
        {"link in another folder", {{"links/settings.ini", "../real/settings.ini"}}, true},
        {"chain of links",
         {{"links/settings.ini", "second.ini"}, {"links/second.ini", "../real/settings.ini"}},
         true},
        {"link to a name not made yet", {{"links/settings.ini", "../real/settings.ini"}}, false},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.Name);
        TempDir dir;
        std::filesystem::create_directories(dir.Path() / "links");
        std::filesystem::create_directories(dir.Path() / "real");
        const std::string target = dir.File("real/settings.ini");
        if (layout.TargetExists)
            WriteWholeFile(target, "old");
        for (const auto& [link, holds] : layout.Links)
            std::filesystem::create_symlink(holds, dir.Path() / link);
        const std::string entry = dir.File(layout.Links.front().first);
        const FolderOpenWatch watch(dir.File("real"));
        ASSERT_TRUE(watch.Works());
        ReplacingFile file(entry);
        ASSERT_TRUE(file.Open());
        file.Stream() << "new";
        ASSERT_TRUE(file.Commit());
        EXPECT_TRUE(watch.FolderOpened());
        for (const auto& link : layout.Links)
            EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / link.first)) << link.first;
        EXPECT_EQ(ReadWholeFile(target), "new");
    }
}

// A refusal keeps the system's reason, for the message that reports it.
TEST(ReplacingFileTest, RefusesMissingFoldersAndFoldersAndSaysWhy)
{
    TempDir dir;
    const std::string readOnlyFolder = dir.File("read-only");
    std::filesystem::create_directory(readOnlyFolder);
    std::filesystem::permissions(readOnlyFolder, std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec);
    const struct {
        std::string target;
        std::string reason;
    } cases[] = {
        {dir.File("missing/out.txt"), "No such file or directory"},
        {dir.Path().string(), "Is a directory"},
        {"", "No such file or directory"},
        {readOnlyFolder + "/out.txt", ::geteuid() == 0 ? "" : "Permission denied"},
    };
    for (const auto& c : cases) {
        if (c.reason.empty())
            continue; // root writes anywhere
        ReplacingFile file(c.target);
        EXPECT_FALSE(file.Open()) << c.target;
        EXPECT_EQ(file.ErrorString(), c.reason) << c.target;
    }
    EXPECT_EQ(filesIn(dir.Path()), 1u);
    EXPECT_EQ(filesIn(readOnlyFolder), 0u);

    ReplacingFile fine(dir.File("fine.txt"));
    ASSERT_TRUE(fine.Open());
    EXPECT_EQ(fine.ErrorString(), "");
    if (std::filesystem::exists("/dev/full")) {
        ReplacingFile full("/dev/full");
        ASSERT_TRUE(full.Open());
        full.Stream() << std::string(100000, 'x');
        EXPECT_FALSE(full.Commit());
        EXPECT_EQ(full.ErrorString(), "No space left on device");
    }
}

// Every name the file system takes must work, the longest ones included: the temporary
// file's name may not grow past what the folder allows.
TEST(ReplacingFileTest, LongestNamesWork)
{
    TempDir dir;
    for (const auto kind :
         {ReplacingFile::TemporaryKind::Unnamed, ReplacingFile::TemporaryKind::Named}) {
        for (std::size_t length = 242; length <= 255; ++length) {
            const std::string target = dir.File(std::string(length, 'n'));
            for (const char* contents : {"new", "replaced"}) {
                ReplacingFile file(target, kind);
                ASSERT_TRUE(file.Open()) << length;
                file.Stream() << contents;
                ASSERT_TRUE(file.Commit()) << length;
                EXPECT_EQ(ReadWholeFile(target), contents);
            }
            std::filesystem::remove(target);
        }
    }
    EXPECT_EQ(filesIn(dir.Path()), 0u);
}

// A writer stopped half-way leaves the folder as it was: a killed process takes its unnamed
// file with it, and SIGINT or SIGTERM remove a named one before the process ends.
TEST(ReplacingFileTest, StoppedWriterLeavesNothingBehind)
{
    using Kind = ReplacingFile::TemporaryKind;
    const struct {
        Kind TemporaryKind;
        int Signal;
    } cases[] = {{Kind::Unnamed, SIGKILL},
                 {Kind::Unnamed, SIGTERM},
                 {Kind::Named, SIGTERM},
                 {Kind::Named, SIGINT}};
    for (const auto& c : cases) {
        TempDir dir;
        const std::string target = dir.File("export.csv");
        WriteWholeFile(target, "earlier export");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ReplacingFile file(target, c.TemporaryKind);
            const bool opened = file.Open();
            file.Stream() << std::string(1 << 20, 'x') << std::flush;
            const char state = opened ? 'w' : 'f';
            (void)!::write(ready[1], &state, 1);
            for (;;)
                ::pause();
        }
        char state = 0;
        EXPECT_EQ(::read(ready[0], &state, 1), 1);
        EXPECT_EQ(state, 'w');
        EXPECT_EQ(filesIn(dir.Path()), c.TemporaryKind == Kind::Named ? 2u : 1u);
        ::kill(child, c.Signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(ready[0]);
        ::close(ready[1]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.Signal) << c.Signal;
        EXPECT_EQ(filesIn(dir.Path()), 1u) << c.Signal;
        EXPECT_EQ(ReadWholeFile(target), "earlier export");
    }
}

} // namespace varnok
