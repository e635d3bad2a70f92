#include <gtest/gtest.h>

#include <QApplication>

#include <filesystem>
#include <string>
#include <vector>

#include "app/welcometext.h"
#include "formfixture.h"
#include "grid/resultgrid.h"

namespace varnok {

namespace {

using Kind = ScriptedDialogs::Kind;

const char* const kCommandLineError = "Invalid Cache path in command line,\t please try again!";
const char* const kDefaultError = "Invalid default Cache path,please set default path new!";

class StartupTest : public FormTest {
protected:
    // Which of the option entries carry a check mark, in menu order.
    [[nodiscard]] std::vector<std::string> CheckedOptions() const
    {
        std::vector<std::string> checked;
        for (const char* name :
             {"Dateformatmdy1", "Dateformatdmy1", "Donotshowwelcome1", "Showwelcomewindow1",
              "Setdefaultpath1", "Showtextonly1", "Cellformattext1", "CellformatHTML1"}) {
            if (Action(name)->isChecked())
                checked.emplace_back(name);
        }
        return checked;
    }
};

using Names = std::vector<std::string>;

TEST_F(StartupTest, CommandLineFolderIsReadBeforeTheWindowShows)
{
    WriteSettings(kQuietSettings);
    const std::string cache =
        MakeCache("Cache", {"http://a.example/", "http://b.example/", "http://c.example/"});
    // The prefix is matched in any letter case, the path keeps its own; only the first counts.
    Create({"/CACHE:" + cache, "/cache:/nowhere"});

    EXPECT_TRUE(m_dialogs.Calls.empty());
    EXPECT_EQ(m_form->Paths().CacheFolder, cache + "/");
    EXPECT_EQ(m_form->Paths().ContentFolder, cache + "/Content.IE5/");
    EXPECT_EQ(PathBoxText(), cache + "/");
    EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"http://a.example/", "http://b.example/",
                                                   "http://c.example/"}));
    EXPECT_EQ(LabelText("Label7"), "3");
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_TRUE(m_form->ResultGrid1View()->isVisible());
}

TEST_F(StartupTest, ValidCommandLineFolderLeavesAStoredDefaultUntested)
{
    WriteSettings(std::string(kQuietSettings) + "[Settings]\nCache path=/no/such/folder\n");
    const std::string cache = MakeCache("Cache", {"http://a.example/"});
    Create({"/cache:" + cache + "/"});

    EXPECT_TRUE(m_dialogs.Calls.empty());
    EXPECT_EQ(m_form->Paths().CacheFolder, cache + "/") << "a trailing / gets no second one";
    EXPECT_EQ(StoredValue("Settings", "Cache path"), "/no/such/folder");
    EXPECT_FALSE(Action("Setdefaultpath1")->isChecked());
}

TEST_F(StartupTest, InvalidCommandLineFolderFallsBackToTheStoredDefault)
{
    const std::string fallback = MakeCache("Default", {"http://d.example/", "http://e.example/"});
    const std::string later = MakeCache("Later", {"http://l.example/"});
    WriteSettings(std::string(kQuietSettings) + "[Settings]\nCache path=" + fallback + "\n");
    Create({"/cache:" + m_data.File("missing"), "/cache:" + later});

    ASSERT_EQ(m_dialogs.CountOf(Kind::Error), 1);
    EXPECT_EQ(m_dialogs.Calls[0].Text, kCommandLineError);
    EXPECT_EQ(m_form->Paths().CacheFolder, fallback + "/");
    EXPECT_EQ(PathBoxText(), fallback + "/");
    EXPECT_TRUE(Action("Setdefaultpath1")->isChecked());
    EXPECT_EQ(Column(1), (std::vector<std::string>{"http://d.example/", "http://e.example/"}));
}

TEST_F(StartupTest, InvalidStoredDefaultIsReportedClearedAndTheLookupRuns)
{
    WriteSettings(std::string(kQuietSettings) + "[Settings]\nCache path=/no/such/folder\n");
    const std::string wineCache = MakeWineCache();
    Create();

    ASSERT_EQ(m_dialogs.Calls.size(), 1u);
    EXPECT_EQ(m_dialogs.Calls[0].What, Kind::Error);
    EXPECT_EQ(m_dialogs.Calls[0].Text, kDefaultError);
    EXPECT_FALSE(m_dialogs.Calls[0].MainWindowVisible);
    EXPECT_EQ(StoredValue("Settings", "Cache path"), "") << "the key stays, emptied";
    EXPECT_FALSE(Action("Setdefaultpath1")->isChecked());

    // The system folder is proposed, not read.
    EXPECT_EQ(PathBoxText(), wineCache + "/");
    EXPECT_EQ(m_form->OpenDialogInitialDir(), wineCache + "/Content.IE5/");
    EXPECT_FALSE(m_form->ResultGrid1View()->isVisibleTo(m_form.get()));
    EXPECT_EQ(LabelText("Label7"), "");
    EXPECT_TRUE(m_form->isVisible());
}

TEST_F(StartupTest, LookupInAWinePrefixAsksNothing)
{
    WriteSettings(kQuietSettings);
    const std::string wineCache = MakeWineCache();
    Create();

    EXPECT_TRUE(m_dialogs.Calls.empty());
    EXPECT_EQ(m_form->Paths().CacheFolder, wineCache + "/");
    EXPECT_EQ(PathBoxText(), wineCache + "/");
}

TEST_F(StartupTest, FailedLookupAsksAndCancelEndsStartUp)
{
    WriteSettings(kQuietSettings);
    Create();

    ASSERT_EQ(m_dialogs.Calls.size(), 1u);
    const ScriptedDialogs::Call& box = m_dialogs.Calls[0];
    EXPECT_EQ(box.What, Kind::InputBox);
    EXPECT_EQ(box.Caption, "Cache path not found!");
    EXPECT_EQ(box.Text, "Enter cache folder path: ");
    EXPECT_EQ(box.Value, "C:\\Windows\\Temporary Internet Files");
    EXPECT_TRUE(box.MainWindowVisible);
    // Start-up ends with the fallback text in memory, an empty path box and the empty grid shown.
    EXPECT_EQ(m_form->Paths().CacheFolder, "C:\\Windows\\Temporary Internet Files");
    EXPECT_EQ(PathBoxText(), "");
    EXPECT_TRUE(m_form->ResultGrid1View()->isVisibleTo(m_form.get()));
}

TEST_F(StartupTest, InputBoxesRepeatUntilTheContentFolderExists)
{
    WriteSettings(kQuietSettings);
    const std::string cache = MakeCacheFolder("Typed");
    m_dialogs.InputAnswers = {m_data.File("first"), m_data.File("second/"), cache};
    Create();

    const auto boxes = m_dialogs.CallsOf(Kind::InputBox);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].Caption, "Cache path does not exist!");
    EXPECT_EQ(boxes[1].Text, "Enter cache path: ");
    EXPECT_EQ(boxes[1].Value, m_data.File("first") + "/");
    EXPECT_EQ(boxes[2].Value, m_data.File("second/"));
    EXPECT_EQ(PathBoxText(), cache + "/");
    EXPECT_EQ(m_form->OpenDialogInitialDir(), cache + "/Content.IE5/");
    EXPECT_FALSE(m_form->ResultGrid1View()->isVisibleTo(m_form.get()));
}

TEST_F(StartupTest, CancelInTheSecondInputBoxKeepsTheMissingFolder)
{
    WriteSettings(kQuietSettings);
    m_dialogs.InputAnswers = {m_data.File("gone")};
    Create();

    EXPECT_EQ(m_dialogs.CountOf(Kind::InputBox), 2);
    EXPECT_EQ(m_form->Paths().CacheFolder, m_data.File("gone") + "/");
    EXPECT_EQ(PathBoxText(), m_data.File("gone") + "/");
}

TEST_F(StartupTest, WelcomeMessageComesBeforeTheWindow)
{
    MakeWineCache();
    Create();

    ASSERT_EQ(m_dialogs.Calls.size(), 1u);
    const ScriptedDialogs::Call& welcome = m_dialogs.Calls[0];
    EXPECT_EQ(welcome.What, Kind::Information);
    EXPECT_FALSE(welcome.MainWindowVisible);
    EXPECT_EQ(welcome.Text, WelcomeText());
    EXPECT_EQ(welcome.Text.rfind("WELCOME TO VARNOK FOR INTERNET EXPLORER\xAE 5 or 6.\n"
                                 "Version 5.0.3\n\nTo operate this software,",
                                 0),
              0u);
    EXPECT_NE(welcome.Text.find("\n If it is not found, an input box"), std::string::npos);
    EXPECT_EQ(welcome.Text.find("http"), std::string::npos) << "no web address";
    EXPECT_TRUE(m_form->isVisible());
}

TEST_F(StartupTest, WithoutSettingsFileTheDefaultsApply)
{
    MakeWineCache();
    Create();

    // The outer bounds, frame included.
    EXPECT_EQ(m_form->frameGeometry(), QRect(60, 111, 700, 470));
    EXPECT_FALSE(m_form->isMaximized());
    EXPECT_EQ(CheckedOptions(), (Names{"Dateformatmdy1", "Showwelcomewindow1", "Cellformattext1"}));
    // 8 points at 96 dots per inch are 11 pixels; rows are one and a half times that.
    EXPECT_EQ(m_form->Grid().Font().Name, "MS Sans Serif");
    EXPECT_EQ(m_form->Grid().Font().Height, 11);
    EXPECT_EQ(m_form->Grid().DefaultRowHeight(), 16);
    EXPECT_EQ(m_form->Grid().FixedFont().Height, 13) << "the caption font stays";
    EXPECT_FALSE(std::filesystem::exists(SettingsPath())) << "start-up only reads";
}

TEST_F(StartupTest, StoredSettingsAreApplied)
{
    WriteSettings("[Settings]\nDate format=2\nTop=50\nLeft=70\nHeight=500\nWidth=720\n"
                  "Font Name=DejaVu Sans\nFont Size=12\nShow text only=1\n"
                  "[Preferences]\nShow welcome window=0\nCell format: HTML=1\n");
    MakeWineCache();
    Create();

    EXPECT_EQ(m_form->frameGeometry(), QRect(70, 50, 720, 500));
    EXPECT_EQ(CheckedOptions(),
              (Names{"Dateformatdmy1", "Donotshowwelcome1", "Showtextonly1", "CellformatHTML1"}));
    EXPECT_EQ(m_form->Options().DateFormat, 2);
    EXPECT_FALSE(m_form->Options().ShowAllEntries);
    EXPECT_TRUE(m_form->Options().CellFormatHtml);
    EXPECT_EQ(m_form->Grid().Font().Name, "DejaVu Sans");
    EXPECT_EQ(m_form->Grid().Font().Height, 16);
    EXPECT_EQ(m_form->Grid().DefaultRowHeight(), 24);
}

TEST_F(StartupTest, UnknownDateFormatChecksNeitherEntry)
{
    CreateQuiet("[Settings]\nDate format=3\n");
    EXPECT_EQ(CheckedOptions(), (Names{"Donotshowwelcome1", "Cellformattext1"}));
}

TEST_F(StartupTest, StartedMaximizedComesUpMaximized)
{
    CreateQuiet("[Settings]\nWinState=2\n");
    m_form->SetStartupDone();
    m_form->ApplyStartWindowState();
    QApplication::processEvents();

    EXPECT_TRUE(m_form->isMaximized());
    EXPECT_EQ(StoredValue("Settings", "WinState"), "2");
}

TEST_F(StartupTest, HandEditedMinimizedStateIsNormalOnceStartUpIsOver)
{
    CreateQuiet("[Settings]\nWinState=1\n");
    EXPECT_TRUE(m_form->isMinimized());
    m_form->SetStartupDone();
    m_form->ApplyStartWindowState();
    QApplication::processEvents();

    EXPECT_FALSE(m_form->isMinimized());
    EXPECT_FALSE(m_form->isMaximized());
    EXPECT_EQ(StoredValue("Settings", "WinState"), "0") << "1 is never written";
}

} // namespace

} // namespace varnok
