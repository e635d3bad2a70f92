#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/formgeometry.h"
#include "formfixture.h"
#include "grid/resultgrid.h"
#include "print/printtarget.h"
#include "support/print/printfixtures.h"
#include "support/recordingclipboard.h"
#include "support/recordingshellservice.h"

namespace {

using Kind = ScriptedDialogs::Kind;

// A printer dialog that answers as the test says, in front of a recording printer.
class ScriptedPrintTarget final : public PrintTarget {
public:
    bool RunPrintDialog(QWidget* /*parent*/) override
    {
        ++Dialogs;
        return Confirm;
    }
    PagePrinter& Printer() override { return printer; }

    bool Confirm = false;
    int Dialogs = 0;
    RecordingPrinter printer;
};

// The commands on a small list: captions and two entries with their dates.
class ListCommandsTest : public FormTest {
protected:
    void SetUp() override
    {
        CreateQuiet();
        m_dialogs.Calls.clear();
        TResultGrid& grid = m_form->Grid();
        grid.SetRowCountEx(3);
        const std::vector<std::vector<std::string>> rows = {
            {"No.", "URL   ", "Latest visit"},
            {"1", "http://a.example/1", "05/06/2004 10:11:12"},
            {"2", "http://b.example/22", "05/07/2004 01:02:03"},
        };
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                grid.SetCellEx(col, row,
                               rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]);
    }

    [[nodiscard]] std::string Saved(const char* name) const { return m_data.File(name); }

    [[nodiscard]] std::string StreamForm(bool (TResultGrid::*writer)(std::ostream&) const) const
    {
        std::ostringstream stream;
        EXPECT_TRUE((m_form->Grid().*writer)(stream));
        return stream.str();
    }
};

TEST_F(ListCommandsTest, SaveCommandsProposeTheirTypeWriteTheFileAndRememberIt)
{
    struct Case {
        const char* Entry;
        const char* FileName;
        const char* Extension;
        int FilterIndex;
        std::string Expected;
    };
    // Excel, then text: the text file is proposed as the spreadsheet file just written.
    const Case cases[] = {
        {"asExcelfile1", "list.csv", "csv", 2,
         "No.;URL   ;Latest visit\r\n1;http://a.example/1;05/06/2004 10:11:12\r\n"
         "2;http://b.example/22;05/07/2004 01:02:03\r\n"},
        {"astextfile1", "list.txt", "txt", 1, StreamForm(&TResultGrid::SaveToASCII)},
        {"asHTMLfile1", "list.htm", "htm", 3, StreamForm(&TResultGrid::SaveToHTML)},
    };
    // The Excel command chooses ";" whatever the separator was.
    m_form->Grid().CSVSeparator = ',';
    std::string lastSaved;
    for (const Case& item : cases) {
        const std::string chosen = Saved(item.FileName);
        m_dialogs.SaveAnswers.push_back(chosen);
        Action(item.Entry)->trigger();
        ASSERT_FALSE(m_dialogs.SaveRequests.empty());
        const SaveFileRequest& asked = m_dialogs.SaveRequests.back();
        // The first dialog opens on the defaults, each later one on the file saved last.
        EXPECT_EQ(asked.InitialDir,
                  lastSaved.empty() ? "C:\\Windows\\Desktop" : m_data.Path().string() + "/")
            << item.Entry;
        EXPECT_EQ(asked.FileName, lastSaved.empty() ? "CacheList.txt" : lastSaved) << item.Entry;
        EXPECT_EQ(asked.DefaultExtension, item.Extension);
        EXPECT_EQ(asked.FilterIndex, item.FilterIndex);
        EXPECT_EQ(ReadWholeFile(chosen), item.Expected) << item.Entry;
        EXPECT_EQ(PathBoxText(), chosen);
        EXPECT_EQ(StoredValue("Settings", "Initial Dir"), m_data.Path().string() + "/");
        EXPECT_EQ(StoredValue("Settings", "File Name"), chosen);
        lastSaved = chosen;
    }
}

TEST_F(ListCommandsTest, CancelWritesNothingAndAFailedWriterRemembersNothing)
{
    PathBox()->setText(QStringLiteral("/evidence/Cache/"));
    Action("asExcelfile1")->trigger();
    EXPECT_EQ(PathBoxText(), "/evidence/Cache/");
    EXPECT_EQ(StoredValue("Settings", "File Name"), "<missing>");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_data.Path()), {}), 1)
        << "only the Wine prefix";

    const std::string unwritable = Saved("no-such-folder/list.csv");
    m_dialogs.SaveAnswers.push_back(unwritable);
    Action("asExcelfile1")->trigger();
    const auto errors = m_dialogs.CallsOf(Kind::ApplicationError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Text, "Cannot Create file " + unwritable);
    EXPECT_EQ(PathBoxText(), unwritable) << "the name shows before the writer runs";
    EXPECT_EQ(StoredValue("Settings", "Initial Dir"), "<missing>");
    EXPECT_EQ(StoredValue("Settings", "File Name"), "<missing>");
    EXPECT_FALSE(std::filesystem::exists(unwritable));
}

TEST_F(ListCommandsTest, CopyCellPutsTheSelectionOnTheClipboard)
{
    RecordingClipboard clipboard;
    m_form->SetClipboard(clipboard);
    struct Case {
        TGridRect Selection;
        std::string Expected;
    };
    const Case cases[] = {
        {{1, 2, 1, 2}, "http://b.example/22"},
        {{1, 1, 2, 2},
         "http://a.example/1\t05/06/2004 10:11:12\r\nhttp://b.example/22\t05/07/2004 01:02:03\r\n"},
    };
    for (const Case& item : cases) {
        m_form->Grid().Selection = item.Selection;
        Action("Copycell1")->trigger();
        EXPECT_EQ(clipboard.Text(), item.Expected);
    }
}

TEST_F(ListCommandsTest, FindGoesToTheMatchAndReportsAMiss)
{
    TResultGrid& grid = m_form->Grid();
    m_dialogs.FindAnswers = {FindRequest{"B.EXAMPLE", {}}, std::nullopt,
                             FindRequest{"nowhere", {}}};
    Action("Find2")->trigger();
    EXPECT_EQ((GridCell{grid.Col, grid.Row}), (GridCell{1, 2}));
    Action("Findnext1")->trigger(); // past the only match
    Action("Find2")->trigger();     // cancelled: no search, no message
    Action("Find2")->trigger();
    EXPECT_EQ((GridCell{grid.Col, grid.Row}), (GridCell{1, 2}));
    const auto messages = m_dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 2u);
    for (const auto& message : messages) {
        EXPECT_EQ(message.Caption, "Varnok 5");
        EXPECT_EQ(message.Text, kTextNotFoundMessage);
    }
    EXPECT_EQ(m_dialogs.CountOf(Kind::Find), 3);
}

TEST_F(ListCommandsTest, PrintCommandsPrintAfterTheConfirmedPrinterDialogOnly)
{
    ScriptedPrintTarget target;
    m_form->SetPrintTarget(target);
    TResultGrid& grid = m_form->Grid();
    grid.PrintState.PreviewFast = true;

    Action("Printall1")->trigger();
    EXPECT_EQ(target.Dialogs, 1);
    EXPECT_EQ(target.printer.Begun, 0);
    EXPECT_FALSE(grid.PrintState.PreviewFast) << "pages are counted in full";

    target.Confirm = true;
    Action("Printall1")->trigger();
    ASSERT_EQ(target.printer.Pages().size(), 1u);
    const std::vector<std::string> all = RowsOf(target.printer.Pages()[0]);
    EXPECT_NE(std::find(all.begin(), all.end(), "1|http://a.example/1|05/06/2004 10:11:12"),
              all.end());

    // The pop-up's Print cell prints the selection: row 2's address alone.
    ScriptedPrintTarget selectionTarget;
    selectionTarget.Confirm = true;
    m_form->SetPrintTarget(selectionTarget);
    grid.Selection = {1, 2, 1, 2};
    Action("Printcell1")->trigger();
    ASSERT_EQ(selectionTarget.printer.Pages().size(), 1u);
    EXPECT_EQ(RowsOf(selectionTarget.printer.Pages()[0]),
              std::vector<std::string>{"http://b.example/22"});
}

// Select Font: the face and size are stored, the style holds for this run only, and the
// dialog keeps what it was left with.
TEST_F(ListCommandsTest, SelectFontStoresFaceAndSizeOnly)
{
    FontChoice chosen;
    chosen.Name = "DejaVu Serif";
    chosen.Points = 12;
    chosen.Bold = true;
    m_dialogs.FontAnswers = {chosen, std::nullopt};
    Action("SelectFont1")->trigger();
    Action("SelectFont1")->trigger(); // cancelled

    ASSERT_EQ(m_dialogs.FontRequests.size(), 2u);
    EXPECT_EQ(m_dialogs.FontRequests[0].Name, "MS Sans Serif");
    EXPECT_EQ(m_dialogs.FontRequests[0].PixelHeight, 13);
    EXPECT_FALSE(m_dialogs.FontRequests[0].Bold);
    EXPECT_EQ(m_dialogs.FontRequests[1].Name, "DejaVu Serif");
    EXPECT_EQ(m_dialogs.FontRequests[1].Points, 12);
    EXPECT_TRUE(m_dialogs.FontRequests[1].Bold);

    const int pixels = std::abs(PointsToPixels(12, m_form->logicalDpiY()));
    const TResultGrid& grid = m_form->Grid();
    EXPECT_EQ(grid.Font().Name, "DejaVu Serif");
    EXPECT_EQ(grid.Font().Height, pixels);
    EXPECT_TRUE(grid.Font().Bold);
    EXPECT_EQ(grid.FixedFont().Name, "DejaVu Serif");
    EXPECT_EQ(grid.DefaultRowHeight(), pixels * 3 / 2);
    EXPECT_EQ(StoredValue("Settings", "Font Name"), "DejaVu Serif");
    EXPECT_EQ(StoredValue("Settings", "Font Size"), "12");

    // At the next start the cells come back in that face and size, upright; the captions
    // keep their own font.
    const TGridFont designCaptions = TResultGrid().FixedFont();
    m_form.reset();
    Create();
    EXPECT_EQ(m_form->Grid().Font().Name, "DejaVu Serif");
    EXPECT_EQ(m_form->Grid().Font().Height, pixels);
    EXPECT_FALSE(m_form->Grid().Font().Bold);
    EXPECT_EQ(m_form->Grid().FixedFont(), designCaptions);
}

// Open help: the help files of the start folder in their order, else the user guide.
TEST_F(ListCommandsTest, OpenHelpOpensTheStartFolderFilesElseTheUserGuide)
{
    struct Case {
        std::vector<std::string> Present;
        bool GuideInstalled;
        std::vector<std::string> Opened;
    };
    const std::string guide = m_data.File("guide/index.html");
    const Case cases[] = {
        {{"VNK5.HLP", "VNK5.HLP.LNK"}, true, {"VNK5.HLP.LNK", "VNK5.HLP"}},
        {{"VNK5.HLP"}, true, {"VNK5.HLP"}},
        {{}, true, {guide}},
        {{}, false, {}},
    };
    const std::filesystem::path kept = std::filesystem::current_path();
    int index = 0;
    for (const Case& item : cases) {
        const std::filesystem::path start = m_data.Path() / ("start" + std::to_string(index++));
        std::filesystem::create_directories(start);
        for (const std::string& name : item.Present)
            WriteWholeFile((start / name).string(), "help");
        std::filesystem::current_path(start);
        m_form.reset();
        Create();
        std::filesystem::current_path(kept);

        RecordingShellService shell;
        m_form->SetShellService(shell);
        m_form->SetUserGuideLocator([guide, installed = item.GuideInstalled] {
            return installed ? std::optional<std::string>(guide) : std::nullopt;
        });
        Action("Openhelp1")->trigger();
        std::vector<std::string> expected;
        for (const std::string& name : item.Opened)
            expected.push_back(name.starts_with("/") ? name : (start / name).string());
        EXPECT_EQ(shell.OpenedFiles(), expected) << index;
        EXPECT_TRUE(shell.Opened().empty());
    }
}

} // namespace
