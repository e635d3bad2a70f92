#include <gtest/gtest.h>

#include <filesystem>

#include "app/welcometext.h"
#include "formfixture.h"

namespace {

using Kind = ScriptedDialogs::Kind;

class CommandsTest : public FormTest {
protected:
    void SetUp() override
    {
        WriteSettings(kQuietSettings);
        MakeWineCache();
        Create();
        m_dialogs.Calls.clear();
    }

    [[nodiscard]] bool Checked(const char* name) const { return Action(name)->isChecked(); }
};

TEST_F(CommandsTest, DateFormatEntriesWriteTheKeyAndMoveTheMark)
{
    Action("Dateformatdmy1")->trigger();
    EXPECT_EQ(StoredValue("Settings", "Date format"), "2");
    EXPECT_EQ(m_form->Options().DateFormat, 2);
    EXPECT_TRUE(Checked("Dateformatdmy1"));
    EXPECT_FALSE(Checked("Dateformatmdy1"));

    Action("Dateformatmdy1")->trigger();
    EXPECT_EQ(StoredValue("Settings", "Date format"), "1");
    EXPECT_EQ(m_form->Options().DateFormat, 1);
    EXPECT_TRUE(Checked("Dateformatmdy1"));
    EXPECT_FALSE(Checked("Dateformatdmy1"));

    // Choosing the checked entry again keeps its mark rather than toggling it off.
    Action("Dateformatmdy1")->trigger();
    EXPECT_TRUE(Checked("Dateformatmdy1"));
}

TEST_F(CommandsTest, WelcomeEntriesWriteTheKeyAndMoveTheMark)
{
    Action("Showwelcomewindow1")->trigger();
    EXPECT_EQ(StoredValue("Preferences", "Show welcome window"), "1");
    EXPECT_TRUE(m_form->Options().ShowWelcome);
    EXPECT_TRUE(Checked("Showwelcomewindow1"));
    EXPECT_FALSE(Checked("Donotshowwelcome1"));

    Action("Donotshowwelcome1")->trigger();
    EXPECT_EQ(StoredValue("Preferences", "Show welcome window"), "0");
    EXPECT_FALSE(m_form->Options().ShowWelcome);
    EXPECT_TRUE(Checked("Donotshowwelcome1"));
    EXPECT_FALSE(Checked("Showwelcomewindow1"));
}

TEST_F(CommandsTest, CellFormatEntriesWriteTheKeyAndMoveTheMark)
{
    Action("CellformatHTML1")->trigger();
    EXPECT_EQ(StoredValue("Preferences", "Cell format: HTML"), "1");
    EXPECT_TRUE(m_form->Options().CellFormatHtml);
    EXPECT_TRUE(Checked("CellformatHTML1"));
    EXPECT_FALSE(Checked("Cellformattext1"));

    Action("Cellformattext1")->trigger();
    EXPECT_EQ(StoredValue("Preferences", "Cell format: HTML"), "0");
    EXPECT_FALSE(m_form->Options().CellFormatHtml);
    EXPECT_TRUE(Checked("Cellformattext1"));
    EXPECT_FALSE(Checked("CellformatHTML1"));
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

    Action("Showtextonly1")->trigger();
    EXPECT_FALSE(Checked("Showtextonly1"));
    EXPECT_TRUE(m_form->Options().ShowAllEntries) << "changes only after a good write";
    EXPECT_EQ(m_dialogs.CountOf(Kind::ApplicationError), 2);

    // Closing still works and reports the refused writes once.
    m_form->close();
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(m_dialogs.CountOf(Kind::ApplicationError), 3);
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
