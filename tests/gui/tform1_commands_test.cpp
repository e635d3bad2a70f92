#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/welcometext.h"
#include "formfixture.h"

namespace varnok {

namespace {

using Kind = ScriptedDialogs::Kind;

class CommandsTest : public FormTest {
protected:
    void SetUp() override
    {
        CreateQuiet();
        m_dialogs.Calls.clear();
    }

    [[nodiscard]] bool Checked(const char* name) const { return Action(name)->isChecked(); }
};

TEST_F(CommandsTest, PairedEntriesWriteTheKeyAndMoveTheMark)
{
    struct Pair {
        const char* On;
        const char* Off;
        const char* Section;
        const char* Key;
        const char* OnValue;
        const char* OffValue;
        // The in-memory setting, as the number the key holds.
        int (*Setting)(const ProgramSettings&);
    };
    const Pair pairs[] = {
        {"Dateformatdmy1", "Dateformatmdy1", "Settings", "Date format", "2", "1",
         [](const ProgramSettings& options) { return options.DateFormat; }},
        {"Showwelcomewindow1", "Donotshowwelcome1", "Preferences", "Show welcome window", "1", "0",
         [](const ProgramSettings& options) { return int{options.ShowWelcome}; }},
        {"CellformatHTML1", "Cellformattext1", "Preferences", "Cell format: HTML", "1", "0",
         [](const ProgramSettings& options) { return int{options.CellFormatHtml}; }},
    };
    for (const Pair& pair : pairs) {
        for (const bool on : {true, false}) {
            const char* chosen = on ? pair.On : pair.Off;
            const char* value = on ? pair.OnValue : pair.OffValue;
            Action(chosen)->trigger();
            EXPECT_EQ(StoredValue(pair.Section, pair.Key), value) << chosen;
            EXPECT_EQ(std::to_string(pair.Setting(m_form->Options())), value) << chosen;
            EXPECT_TRUE(Checked(chosen)) << chosen;
            EXPECT_FALSE(Checked(on ? pair.Off : pair.On)) << chosen;
        }
        // Choosing the checked entry again keeps its mark rather than toggling it off.
        Action(pair.Off)->trigger();
        EXPECT_TRUE(Checked(pair.Off)) << pair.Off;
    }
}

TEST_F(CommandsTest, ShowTextOnlyToggles)
{
    Action("Showtextonly1")->trigger();
    EXPECT_EQ(StoredValue("Settings", "Show text only"), "1");
    EXPECT_FALSE(m_form->Options().ShowAllEntries);
    EXPECT_TRUE(Checked("Showtextonly1"));

    Action("Showtextonly1")->trigger();
    EXPECT_EQ(StoredValue("Settings", "Show text only"), "0");
    EXPECT_TRUE(m_form->Options().ShowAllEntries);
    EXPECT_FALSE(Checked("Showtextonly1"));
}

TEST_F(CommandsTest, SetDefaultCachePathStoresThePathBoxOrClearsIt)
{
    // Empty path box: an empty value, no mark.
    PathBox()->clear();
    Action("Setdefaultpath1")->trigger();
    EXPECT_EQ(StoredValue("Settings", "Cache path"), "");
    EXPECT_FALSE(Checked("Setdefaultpath1"));

    PathBox()->setText(QStringLiteral("/evidence/Cache/"));
    Action("Setdefaultpath1")->trigger();
    EXPECT_EQ(StoredValue("Settings", "Cache path"), "/evidence/Cache/");
    EXPECT_TRUE(Checked("Setdefaultpath1"));
    EXPECT_EQ(m_form->Options().DefaultCachePath, "") << "takes effect at the next start";

    Action("Setdefaultpath1")->trigger();
    EXPECT_EQ(StoredValue("Settings", "Cache path"), "");
    EXPECT_FALSE(Checked("Setdefaultpath1"));
}

// After Select Cache the path box shows the index file; the folder stored is the cache
// folder above it, which the next start takes as its default and reads.
TEST_F(CommandsTest, SetDefaultCachePathAfterAReadStoresTheCacheFolder)
{
    const std::string cache = MakeCache("stored", {"http://h.example/a", "http://h.example/b"});
    m_dialogs.OpenAnswers.push_back(cache + "/Content.IE5/index.dat");
    Action("SelectHistoryFolder1")->trigger();
    ASSERT_EQ(PathBoxText(), cache + "/Content.IE5/index.dat");
    Action("Setdefaultpath1")->trigger();
    EXPECT_EQ(StoredValue("Settings", "Cache path"), cache + "/");
    EXPECT_TRUE(Checked("Setdefaultpath1"));

    m_form.reset();
    m_dialogs.Calls.clear();
    Create();
    EXPECT_EQ(m_dialogs.CountOf(Kind::Error), 0);
    EXPECT_EQ(StoredValue("Settings", "Cache path"), cache + "/");
    EXPECT_EQ(Column(1), (std::vector<std::string>{"http://h.example/a", "http://h.example/b"}));
}

TEST_F(CommandsTest, RefusedWriteIsReportedAndLeavesTheMarks)
{
    // The settings folder is a file now, so no write can succeed.
    const std::string blocker = m_config.File("blocker");
    WriteWholeFile(blocker, "");
    m_form.reset();
    setenv("XDG_CONFIG_HOME", (blocker + "/sub").c_str(), 1);
    Create();
    m_dialogs.Calls.clear();

    Action("Dateformatdmy1")->trigger();
    ASSERT_EQ(m_dialogs.CountOf(Kind::ApplicationError), 1);
    EXPECT_EQ(m_dialogs.Calls[0].Text, "Unable to write to " + blocker + "/sub/Varnok5.ini");
    EXPECT_TRUE(Checked("Dateformatmdy1"));
    EXPECT_FALSE(Checked("Dateformatdmy1"));
    EXPECT_EQ(m_form->Options().DateFormat, 2) << "the memory changes before the write";

    // The next refusal of the same file is not news: no second box.
    Action("Showtextonly1")->trigger();
    EXPECT_FALSE(Checked("Showtextonly1"));
    EXPECT_TRUE(m_form->Options().ShowAllEntries) << "changes only after a good write";
    EXPECT_EQ(m_dialogs.CountOf(Kind::ApplicationError), 1);

    // Closing still works, without another box for the writes it tries.
    m_form->close();
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(m_dialogs.CountOf(Kind::ApplicationError), 1);
}

TEST_F(CommandsTest, AboutShowsProductAndVersion)
{
    Action("About1")->trigger();
    ASSERT_EQ(m_dialogs.Calls.size(), 1u);
    EXPECT_EQ(m_dialogs.Calls[0].What, Kind::About);
    EXPECT_EQ(m_dialogs.Calls[0].Text, "VARNOK FOR INTERNET EXPLORER\xAE 5 or 6\nVersion: 5.0.3");
}

TEST_F(CommandsTest, SelectCacheFromTheMenuOpensTheDialogInTheContentFolder)
{
    PathBox()->clear();
    Action("SelectHistoryFolder1")->trigger();
    const auto dialogs = m_dialogs.CallsOf(Kind::OpenFile);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].Value, m_form->Paths().ContentFolder);
    EXPECT_EQ(dialogs[0].Text, "index.dat");
}

TEST_F(CommandsTest, ExitClosesTheWindow)
{
    Action("Exit1")->trigger();
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(StoredValue("Settings", "Width"), "700");
}

} // namespace

} // namespace varnok
