#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/formgeometry.h"
#include "formfixture.h"
#include "grid/resultgrid.h"
#include "grid/table/cellmeasure.h"
#include "platform/qt/qtcanvas.h"
#include "support/recordingclipboard.h"
#include "support/recordingshellservice.h"

namespace varnok {

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// The commands on a list of captions and two entries.
class ListCommandsTest : public FormTest {
protected:
    void SetUp() override
    {
        CreateQuiet();
        m_form->Grid().SetRowCountEx(3);
        const char* cells[3][3] = {{"No.", "URL   ", "Latest visit"},
                                   {"1", "http://a.example/1", "05/06/2004 10:11:12"},
                                   {"2", "http://b.example/2", ""}};
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                m_form->Grid().SetCellEx(col, row, cells[row][col]);
    }
};

// Each save proposes the folder and full name of the file saved last, with the extension of
// its own type ("as Excel file" then "as text file" included); Cancel writes nothing, and a
// writer that fails is reported with nothing remembered.
TEST_F(ListCommandsTest, SaveCommandsRememberTheFileSavedLast)
{
    const std::string csv = m_data.File("list.csv"), text = m_data.File("list.txt");
    const std::string folder = m_data.Path().string() + "/", failing = m_data.File("none/x.htm");
    m_dialogs.SaveAnswers = {csv, text, std::nullopt, failing};
    for (const char* entry : {"asExcelfile1", "astextfile1", "asHTMLfile1", "asHTMLfile1"})
        Action(entry)->trigger();
    Strings asked;
    for (const SaveFileRequest& request : m_dialogs.SaveRequests)
        asked.push_back(request.InitialDir + "|" + request.FileName + "|" +
                        request.DefaultExtension + std::to_string(request.FilterIndex));
    EXPECT_EQ(asked,
              Strings({"C:\\Windows\\Desktop|CacheList.csv|csv2", folder + "|" + text + "|txt1",
                       folder + "|" + m_data.File("list.htm") + "|htm3",
                       folder + "|" + m_data.File("list.htm") + "|htm3"}));
    EXPECT_EQ(ReadWholeFile(csv), "No.;URL   ;Latest visit\r\n1;http://a.example/1;05/06/2004 "
                                  "10:11:12\r\n2;http://b.example/2;\"\"\r\n");
    EXPECT_EQ(ReadWholeFile(text).substr(0, 29), "No. URL" + std::string(16, ' ') + "Latest");
    EXPECT_EQ(m_dialogs.CallsOf(ScriptedDialogs::Kind::ApplicationError).at(0).Text,
              "Cannot Create file " + failing + ": No such file or directory");
    EXPECT_EQ(PathBoxText(), failing);
    EXPECT_EQ(StoredValue("Settings", "Initial Dir") + StoredValue("Settings", "File Name"),
              folder + text);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_data.Path()), {}), 3) << "prefix and 2 files";
}

// The index file on view is never written, whatever name or link the save dialog was given
// for it; another file that exists is replaced only after a Yes. Either way the dialog comes
// back for another name, and the evidence stays as it was.
TEST_F(ListCommandsTest, SaveNeverWritesOverTheIndexFileAndAsksBeforeReplacing)
{
    const std::string cache = MakeCache("case", {"http://a.example/"});
    const std::string index = cache + "/Content.IE5/index.dat";
    const std::string symbolic = m_data.File("link.dat"), hard = m_data.File("hard.dat");
    const std::string existing = m_data.File("old.csv");
    fs::create_symlink(index, symbolic);
    fs::create_hard_link(index, hard);
    WriteWholeFile(existing, "keep");
    m_form.reset();
    Create({"/cache:" + cache});
    const std::string evidence = ReadWholeFile(index);

    m_dialogs.SaveAnswers = {index, symbolic, hard, existing, existing};
    m_dialogs.ReplaceAnswers = {false, true};
    Action("asExcelfile1")->trigger();
    Strings proposed;
    for (const SaveFileRequest& request : m_dialogs.SaveRequests)
        proposed.push_back(request.FileName);
    EXPECT_EQ(proposed, Strings({"CacheList.csv", index, symbolic, hard, existing}));
    Strings told;
    for (const auto& call : m_dialogs.Calls)
        told.push_back(call.Caption + ": " + call.Text);
    const std::string refused = ": it is the index file " + index;
    const std::string question =
        "Confirm Save As: " + existing + " already exists.\nDo you want to replace it?";
    EXPECT_EQ(told, Strings({"ERROR: Cannot write " + index + refused,
                             "ERROR: Cannot write " + symbolic + refused,
                             "ERROR: Cannot write " + hard + refused, question, question}));
    EXPECT_EQ(ReadWholeFile(index), evidence);
    EXPECT_EQ(ReadWholeFile(existing).substr(0, 17), "No.;URL   ;Latest");
    EXPECT_EQ(PathBoxText(), existing);

    // The next save of another type proposes the name with that type's extension.
    Action("astextfile1")->trigger();
    EXPECT_EQ(m_dialogs.SaveRequests.back().FileName, m_data.File("old.txt"));
}

// An error box that cannot be shown does not silence the ones after it.
TEST_F(ListCommandsTest, AFailedErrorBoxLeavesTheNextErrorItsBox)
{
    const std::string failing = m_data.File("none/x.htm");
    m_dialogs.SaveAnswers = {failing, failing};
    m_dialogs.ThrowingApplicationErrors = 1;
    EXPECT_THROW(Action("asHTMLfile1")->trigger(), std::runtime_error);
    Action("asHTMLfile1")->trigger();
    EXPECT_EQ(m_dialogs.CountOf(ScriptedDialogs::Kind::ApplicationError), 2);
}

TEST_F(ListCommandsTest, CopyCellAndFind)
{
    RecordingClipboard clipboard;
    m_form->SetClipboard(clipboard);
    m_form->Grid().SetSelection({1, 1, 2, 2});
    Action("Copycell1")->trigger();
    EXPECT_EQ(clipboard.Text(),
              "http://a.example/1\t05/06/2004 10:11:12\r\nhttp://b.example/2\t\r\n");

    // A hit moves to its cell; Find next past it, a cancelled Find and a miss leave it there.
    m_dialogs.FindAnswers = {FindRequest{"B.EXAMPLE", {}}, std::nullopt, FindRequest{"zz", {}}};
    for (const char* entry : {"Find2", "Findnext1", "Find2", "Find2"})
        Action(entry)->trigger();
    EXPECT_EQ((GridCell{m_form->Grid().Col(), m_form->Grid().Row()}), (GridCell{1, 2}));
    EXPECT_EQ(m_dialogs.Messages, Strings(2, kTextNotFoundMessage));
}

// Select Font keeps face and size for the next start and the style for this run only; the
// dialog opens on the stored face, in the size and style it was left with. The visit times
// fit the new font at once.
TEST_F(ListCommandsTest, SelectFontStoresFaceAndSizeOnly)
{
    m_dialogs.FontAnswers = {FontChoice{.Name = "DejaVu Serif", .Points = 12, .Bold = true}};
    Action("SelectFont1")->trigger();
    Action("SelectFont1")->trigger(); // cancelled
    Strings asked;
    for (const FontChoice& font : m_dialogs.FontRequests)
        asked.push_back(font.Name + std::to_string(font.Points) + "pt" +
                        std::to_string(font.PixelHeight) + "px" + (font.Bold ? "b" : ""));
    EXPECT_EQ(asked, Strings({"MS Sans Serif0pt13px", "DejaVu Serif12pt0pxb"}));
    const int pixels = std::abs(PointsToPixels(12, m_form->logicalDpiY()));
    EXPECT_EQ(m_form->Grid().Font(),
              (TGridFont{.Name = "DejaVu Serif", .Height = pixels, .Bold = true}));
    EXPECT_EQ(m_form->Grid().DefaultRowHeight(), pixels * 3 / 2);
    QtCanvas canvas;
    const int visit = MeasureWidestLine(canvas, m_form->Grid().Font(), "00/00/0000 00:00:00") + 4;
    const int width = m_form->ResultGrid1View()->width();
    ASSERT_GT(visit, width * 11 / 100);
    EXPECT_EQ(m_form->Grid().ColWidth(2), visit);
    EXPECT_EQ(m_form->Grid().ColWidth(1), width - 65 - visit - 20);
    EXPECT_EQ(StoredValue("Settings", "Font Name") + StoredValue("Settings", "Font Size"),
              "DejaVu Serif12");

    m_form.reset();
    Create();
    EXPECT_EQ(m_form->Grid().Font(), (TGridFont{.Name = "DejaVu Serif", .Height = pixels}));
    EXPECT_EQ(m_form->Grid().FixedFont(), TResultGrid().FixedFont());
}

// Open help: the start folder's help files in their order, else the user guide.
TEST_F(ListCommandsTest, OpenHelpOpensTheStartFolderFilesElseTheUserGuide)
{
    const fs::path start = m_data.Path() / "start", kept = fs::current_path();
    const std::string guide = m_data.File("guide.html"), help = (start / "VNK5.HLP").string();
    fs::create_directories(start);
    const Strings expected[] = {{help + ".LNK", help}, {guide}};
    for (const Strings& opened : expected) {
        for (const std::string& file : opened)
            if (file != guide)
                WriteWholeFile(file, "");
        fs::current_path(start);
        m_form = std::make_unique<TForm1>(Strings{}, m_dialogs);
        fs::current_path(kept);
        RecordingShellService shell;
        m_form->SetShellService(shell);
        m_form->SetUserGuideLocator([guide] { return std::optional<std::string>(guide); });
        Action("Openhelp1")->trigger();
        EXPECT_EQ(shell.OpenedFiles(), opened);
        m_form.reset();
        fs::remove(help);
        fs::remove(help + ".LNK");
    }
}

} // namespace

} // namespace varnok
