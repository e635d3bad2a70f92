#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/formgeometry.h"
#include "formfixture.h"
#include "grid/resultgrid.h"
#include "support/recordingclipboard.h"
#include "support/recordingshellservice.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// The commands on a list of captions and two entries.
class ListCommandsTest : public FormTest {
protected:
    void SetUp() override
    {
        CreateQuiet();
        TResultGrid& grid = m_form->Grid();
        grid.SetRowCountEx(3);
        const Strings cells = {"No.",
                               "URL   ",
                               "Latest visit",
                               "1",
                               "http://a.example/1",
                               "05/06/2004 10:11:12",
                               "2",
                               "http://b.example/2",
                               ""};
        for (int i = 0; i < 9; ++i)
            grid.SetCellEx(i % 3, i / 3, cells[static_cast<std::size_t>(i)]);
    }
};

// Each save proposes the folder and full name of the file saved last ("as Excel file" then
// "as text file" included), with its own type; Cancel writes nothing, and a writer that fails
// is reported with nothing remembered.
TEST_F(ListCommandsTest, SaveCommandsRememberTheFileSavedLast)
{
    const std::string csv = m_data.File("list.csv"), text = m_data.File("list.txt");
    m_dialogs.SaveAnswers = {csv, text, std::nullopt, m_data.File("none/x.htm")};
    for (const char* entry : {"asExcelfile1", "astextfile1", "asHTMLfile1", "asHTMLfile1"})
        Action(entry)->trigger();
    const std::string folder = m_data.Path().string() + "/";
    const auto& asked = m_dialogs.SaveRequests;
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(Strings({asked[0].InitialDir, asked[0].FileName, asked[0].DefaultExtension}),
              Strings({"C:\\Windows\\Desktop", "CacheList.txt", "csv"}));
    EXPECT_EQ(Strings({asked[1].InitialDir, asked[1].FileName, asked[1].DefaultExtension}),
              Strings({folder, csv, "txt"}));
    EXPECT_EQ(Strings({asked[2].FileName, asked[3].FileName, asked[3].DefaultExtension}),
              Strings({text, text, "htm"}));
    EXPECT_EQ(std::vector<int>({asked[0].FilterIndex, asked[1].FilterIndex, asked[2].FilterIndex}),
              std::vector<int>({2, 1, 3}));
    EXPECT_EQ(ReadWholeFile(csv), "No.;URL   ;Latest visit\r\n1;http://a.example/1;05/06/2004 "
                                  "10:11:12\r\n2;http://b.example/2;\"\"\r\n");
    EXPECT_EQ(ReadWholeFile(text).substr(0, 29), "No. URL" + std::string(16, ' ') + "Latest");
    EXPECT_EQ(m_dialogs.CallsOf(ScriptedDialogs::Kind::ApplicationError).at(0).Text,
              "Cannot Create file " + m_data.File("none/x.htm"));
    EXPECT_EQ(PathBoxText(), m_data.File("none/x.htm"));
    EXPECT_EQ(
        Strings({StoredValue("Settings", "Initial Dir"), StoredValue("Settings", "File Name")}),
        Strings({folder, text}));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_data.Path()), {}), 3) << "prefix and 2 files";
}

TEST_F(ListCommandsTest, CopyCellAndFind)
{
    RecordingClipboard clipboard;
    m_form->SetClipboard(clipboard);
    m_form->Grid().Selection = {1, 1, 2, 2};
    Action("Copycell1")->trigger();
    EXPECT_EQ(clipboard.Text(),
              "http://a.example/1\t05/06/2004 10:11:12\r\nhttp://b.example/2\t\r\n");

    // A hit moves to its cell; Find next past it, a cancelled Find and a miss leave it there.
    m_dialogs.FindAnswers = {FindRequest{"B.EXAMPLE", {}}, std::nullopt, FindRequest{"zz", {}}};
    for (const char* entry : {"Find2", "Findnext1", "Find2", "Find2"})
        Action(entry)->trigger();
    EXPECT_EQ((GridCell{m_form->Grid().Col, m_form->Grid().Row}), (GridCell{1, 2}));
    EXPECT_EQ(m_dialogs.Messages, Strings(2, kTextNotFoundMessage));
}

// Select Font keeps face and size for the next start, the style for this run only; the
// dialog opens on the stored face in the size and style it was left with.
TEST_F(ListCommandsTest, SelectFontStoresFaceAndSizeOnly)
{
    m_dialogs.FontAnswers = {FontChoice{.Name = "DejaVu Serif", .Points = 12, .Bold = true}};
    Action("SelectFont1")->trigger();
    Action("SelectFont1")->trigger(); // cancelled
    const auto& asked = m_dialogs.FontRequests;
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(std::tuple(asked[0].Name, asked[0].PixelHeight, asked[0].Bold),
              std::tuple(std::string("MS Sans Serif"), 13, false));
    EXPECT_EQ(std::tuple(asked[1].Name, asked[1].Points, asked[1].Bold),
              std::tuple(std::string("DejaVu Serif"), 12, true));
    const int pixels = std::abs(PointsToPixels(12, m_form->logicalDpiY()));
    EXPECT_EQ(m_form->Grid().Font(),
              (TGridFont{.Name = "DejaVu Serif", .Height = pixels, .Bold = true}));
    EXPECT_EQ(m_form->Grid().DefaultRowHeight(), pixels * 3 / 2);
    EXPECT_EQ(SettingsText().substr(SettingsText().find("Font Name")),
              "Font Name=DejaVu Serif\r\nFont Size=12\r\n");

    m_form.reset();
    Create();
    EXPECT_EQ(m_form->Grid().Font(), (TGridFont{.Name = "DejaVu Serif", .Height = pixels}));
    EXPECT_EQ(m_form->Grid().FixedFont(), TResultGrid().FixedFont());
}

// Open help: the start folder's help files in their order, else the user guide.
TEST_F(ListCommandsTest, OpenHelpOpensTheStartFolderFilesElseTheUserGuide)
{
    const std::string guide = m_data.File("guide.html");
    const fs::path start = m_data.Path() / "start", kept = fs::current_path();
    fs::create_directories(start);
    const std::vector<std::pair<Strings, std::optional<std::string>>> cases = {
        {{"VNK5.HLP", "VNK5.HLP.LNK"}, guide}, {{"VNK5.HLP"}, guide}, {{}, guide}, {{}, {}}};
    const std::vector<Strings> opened = {{"VNK5.HLP.LNK", "VNK5.HLP"}, {"VNK5.HLP"}, {guide}, {}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        for (const char* name : {"VNK5.HLP", "VNK5.HLP.LNK"})
            fs::remove(start / name);
        for (const std::string& name : cases[i].first)
            WriteWholeFile((start / name).string(), "help");
        fs::current_path(start);
        m_form.reset();
        Create();
        fs::current_path(kept);
        RecordingShellService shell;
        m_form->SetShellService(shell);
        m_form->SetUserGuideLocator([found = cases[i].second] { return found; });
        Action("Openhelp1")->trigger();
        Strings expected;
        for (const std::string& name : opened[i])
            expected.push_back(name == guide ? guide : (start / name).string());
        EXPECT_EQ(shell.OpenedFiles(), expected) << i;
        m_form.reset();
    }
}

} // namespace
