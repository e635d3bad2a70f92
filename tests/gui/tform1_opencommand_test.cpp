#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <filesystem>

#include "formfixture.h"
#include "grid/resultgrid.h"

namespace varnok {

namespace {

using Kind = ScriptedDialogs::Kind;
namespace fs = std::filesystem;

// Start-up over: the system folder was not found and the input box was cancelled, so the
// window waits with an empty path box.
class OpenCommandTest : public FormTest {
protected:
    void SetUp() override
    {
        WriteSettings(kQuietSettings);
        Create();
        m_dialogs.Calls.clear();
    }

    void PressOk(const std::string& pathBoxText)
    {
        PathBox()->setText(QString::fromStdString(pathBoxText));
        m_form->BitBtn1Click();
    }

    [[nodiscard]] std::vector<ScriptedDialogs::Call> OpenDialogs() const
    {
        return m_dialogs.CallsOf(Kind::OpenFile);
    }
};

TEST_F(OpenCommandTest, OkDerivesTheFoldersAndPresetsTheDialog)
{
    const std::string cache = MakeCacheFolder("Backup/Cache");
    PressOk(cache);

    EXPECT_EQ(m_form->Paths().CacheFolder, cache + "/");
    EXPECT_EQ(m_form->Paths().ContentFolder, cache + "/Content.IE5/");
    const auto dialogs = OpenDialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].Value, cache + "/Content.IE5/") << "initial folder";
    EXPECT_EQ(dialogs[0].Text, cache + "/Content.IE5/index.dat") << "preset file name";
    // Cancelled: no read, the grid stays hidden and the path box shows the (empty) index path.
    EXPECT_FALSE(m_form->ResultGrid1View()->isVisibleTo(m_form.get()));
    EXPECT_EQ(PathBoxText(), "");
    EXPECT_FALSE(m_form->HintPending());
}

// Enter in the path box runs the OK button's command, as a click on the button does.
TEST_F(OpenCommandTest, EnterInThePathBoxActsAsOk)
{
    const std::string cache = MakeCacheFolder("Typed");
    PathBox()->setText(QString::fromStdString(cache));
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    PathBox()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), PathBox());
    QTest::keyClick(PathBox(), Qt::Key_Return);
    const auto dialogs = OpenDialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].Value, cache + "/Content.IE5/");
}

TEST_F(OpenCommandTest, ContentFolderInThePathBoxSplitsWithoutChangingCase)
{
    const std::string cache = MakeCacheFolder("Backup/Cache");
    PressOk(cache + "/Content.IE5");

    EXPECT_EQ(m_form->Paths().CacheFolder, cache + "/");
    EXPECT_EQ(m_form->Paths().ContentFolder, cache + "/Content.IE5/");
    EXPECT_EQ(OpenDialogs().at(0).Value, cache + "/Content.IE5/");
    // The preset name was made from the path box before the split.
    EXPECT_EQ(OpenDialogs().at(0).Text, cache + "/Content.IE5/index.dat");
}

TEST_F(OpenCommandTest, IndexFileInThePathBoxNamesItsFolders)
{
    const std::string cache = MakeCache("Image/X", {"http://x.example/"});
    PressOk(cache + "/CONTENT.IE5/INDEX.DAT");

    EXPECT_EQ(m_form->Paths().CacheFolder, cache + "/");
    EXPECT_EQ(m_form->Paths().ContentFolder, cache + "/CONTENT.IE5/");
}

TEST_F(OpenCommandTest, ChosenFileIsReadAndShown)
{
    const std::string cache = MakeCache("Cache", {"http://a.example/", "http://b.example/"});
    const std::string index = cache + "/Content.IE5/index.dat";
    m_dialogs.OpenAnswers = {index};
    PressOk(cache);

    EXPECT_EQ(m_form->Paths().IndexFilePath, index);
    EXPECT_EQ(PathBoxText(), index);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"http://a.example/", "http://b.example/"}));
    EXPECT_EQ(m_form->Grid().GetCellEx(1, 0), "URL   ");
    EXPECT_EQ(LabelText("Label7"), "2");
    EXPECT_EQ(LabelText("Label4"), std::to_string(fs::file_size(index) / 1024) + " KB");
    EXPECT_EQ(LabelText("Label1"), "");
    EXPECT_TRUE(m_form->ResultGrid1View()->isVisibleTo(m_form.get()));
    EXPECT_EQ(m_dialogs.CountOf(Kind::FileError), 0);
}

TEST_F(OpenCommandTest, CancelKeepsTheIndexFileChosenBefore)
{
    const std::string cache = MakeCache("Cache", {"http://a.example/"});
    const std::string index = cache + "/Content.IE5/index.dat";
    m_dialogs.OpenAnswers = {index};
    PressOk(cache);
    PressOk(cache + "/elsewhere");

    EXPECT_EQ(PathBoxText(), index);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"http://a.example/"}));
    EXPECT_EQ(OpenDialogs().size(), 2u);
}

TEST_F(OpenCommandTest, MissingFileIsReportedAndTheDialogComesAgain)
{
    const std::string cache = MakeCacheFolder("Cache");
    m_dialogs.OpenAnswers = {cache + "/Content.IE5/index.dat"};
    m_form->SetIndexSizeText("99 KB");
    PressOk(cache);

    ASSERT_EQ(m_dialogs.Calls.size(), 3u);
    EXPECT_EQ(m_dialogs.Calls[0].What, Kind::OpenFile);
    EXPECT_EQ(m_dialogs.Calls[1].What, Kind::Error);
    EXPECT_EQ(m_dialogs.Calls[1].Text,
              "Invalid cache path or data file does not exist, please try again!");
    EXPECT_EQ(m_dialogs.Calls[2].What, Kind::OpenFile);
    EXPECT_EQ(LabelText("Label4"), "");
    // The nested dialog was cancelled; the name chosen in the first stays in the path box.
    EXPECT_EQ(PathBoxText(), cache + "/Content.IE5/index.dat");
}

TEST_F(OpenCommandTest, EachReadReplacesTheList)
{
    const std::string first =
        MakeCache("First", {"http://1.example/", "http://2.example/", "http://3.example/"});
    const std::string second = MakeCache("Second", {"http://x.example/", "http://y.example/"});
    m_form->Grid().SetSortSettings({.Column = 2});
    m_dialogs.OpenAnswers = {first + "/Content.IE5/index.dat", second + "/Content.IE5/index.dat"};
    PressOk(first);
    PressOk(second);

    EXPECT_EQ(m_form->Grid().GetRowCountEx(), 3);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"http://x.example/", "http://y.example/"}));
    EXPECT_EQ(LabelText("Label7"), "2");
    EXPECT_EQ(m_form->Grid().SortSettings().Column, 2) << "the sort column stays";
}

TEST_F(OpenCommandTest, ClearThenReadNumbersFromOne)
{
    const std::string cache = MakeCache("Cache", {"http://a.example/", "http://b.example/"});
    const std::string index = cache + "/Content.IE5/index.dat";
    m_dialogs.OpenAnswers = {index, index};
    PressOk(cache);
    m_form->Grid().SetSortSettings({.Column = 1});
    Action("Clear1")->trigger();

    EXPECT_EQ(m_form->Grid().GetRowCountEx(), 2);
    EXPECT_EQ(m_form->Grid().GetCellEx(1, 0), "") << "the captions go too";
    EXPECT_EQ(LabelText("Label7"), "");
    EXPECT_EQ(LabelText("Label4"), "");
    EXPECT_EQ(m_form->Grid().SortSettings().Column, 0);

    m_form->SelectHistoryFolder1Click();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "2"}));
}

TEST_F(OpenCommandTest, DesktopIniIsSetAsideOnlyWhileTheDialogIsUp)
{
    const std::string cache = MakeCache("Cache", {"http://a.example/"});
    const std::string content = cache + "/Content.IE5/";
    WriteWholeFile(cache + "/desktop.ini", "cache folder");
    WriteWholeFile(content + "desktop.ini", "content folder");
    int checks = 0;
    m_dialogs.WhileOpenDialogUp = [&](const std::string&) {
        ++checks;
        EXPECT_FALSE(fs::exists(cache + "/desktop.ini"));
        EXPECT_FALSE(fs::exists(content + "desktop.ini"));
        EXPECT_EQ(ReadWholeFile(cache + "/desktop.in0"), "cache folder");
        EXPECT_EQ(ReadWholeFile(content + "desktop.in0"), "content folder");
    };
    m_dialogs.OpenAnswers = {content + "index.dat"};
    PressOk(cache); // read
    PressOk(cache); // cancelled

    EXPECT_EQ(checks, 2);
    EXPECT_EQ(ReadWholeFile(cache + "/desktop.ini"), "cache folder");
    EXPECT_EQ(ReadWholeFile(content + "desktop.ini"), "content folder");
    EXPECT_FALSE(fs::exists(cache + "/desktop.in0"));
    EXPECT_FALSE(fs::exists(content + "desktop.in0"));
}

TEST_F(OpenCommandTest, StaleDesktopIn0GoesBackAndNothingIsOverwritten)
{
    const std::string cache = MakeCacheFolder("Cache");
    const std::string content = cache + "/Content.IE5/";
    // Left by an interrupted run: only the set-aside name in the cache folder, both names
    // in the content folder.
    WriteWholeFile(cache + "/desktop.in0", "stale");
    WriteWholeFile(content + "desktop.ini", "current");
    WriteWholeFile(content + "desktop.in0", "older");
    m_dialogs.WhileOpenDialogUp = [&](const std::string&) {
        EXPECT_EQ(ReadWholeFile(cache + "/desktop.in0"), "stale");
        EXPECT_FALSE(fs::exists(cache + "/desktop.ini"));
    };
    PressOk(cache);

    EXPECT_EQ(ReadWholeFile(cache + "/desktop.ini"), "stale");
    EXPECT_FALSE(fs::exists(cache + "/desktop.in0"));
    EXPECT_EQ(ReadWholeFile(content + "desktop.ini"), "current");
    EXPECT_EQ(ReadWholeFile(content + "desktop.in0"), "older");
}

TEST_F(OpenCommandTest, FolderWithoutDesktopIniIsLeftAlone)
{
    const std::string cache = MakeCacheFolder("Cache");
    PressOk(cache);
    EXPECT_EQ(std::distance(fs::directory_iterator(cache), fs::directory_iterator()), 1)
        << "only Content.IE5";
    EXPECT_TRUE(fs::is_empty(cache + "/Content.IE5"));
}

TEST_F(OpenCommandTest, EnterWithNoControlFocusedRunsOk)
{
    const std::string cache = MakeCacheFolder("Cache");
    PathBox()->setText(QString::fromStdString(cache));
    m_form->FormKeyUp(Qt::Key_Return);
    ASSERT_EQ(OpenDialogs().size(), 1u);
    EXPECT_EQ(OpenDialogs()[0].Value, cache + "/Content.IE5/");
    m_form->FormKeyUp(Qt::Key_A);
    EXPECT_EQ(OpenDialogs().size(), 1u);
}

} // namespace

} // namespace varnok
