// The scan as the user sees it: rows, numbers, texts and labels for both reads.
#include <gtest/gtest.h>

#include "grid/markup/markuplayout.h"
#include "grid/markup/texttype.h"
#include "scanfixture.h"
#include "support/testcanvas.h"

namespace varnok {

namespace {

IndexFilePlan ThreeUrls()
{
    IndexFilePlan plan;
    plan.Urls = {Url("http://www.example.com/"),
                 Url("http://www.example.com/logo.gif", "image/gif"),
                 Url("http://www.example.com/style.css", "text/css")};
    return plan;
}

std::vector<std::uint8_t> Build(const IndexFilePlan& plan)
{
    return BuildIndexFile(plan).Bytes;
}

class ScanModes : public ::testing::TestWithParam<ScanMode> {};

INSTANTIATE_TEST_SUITE_P(BothReads, ScanModes,
                         ::testing::Values(ScanMode::OpenCommand, ScanMode::Startup),
                         [](const auto& info) {
                             return info.param == ScanMode::OpenCommand ? "OpenCommand" : "Startup";
                         });

// The size label shows whole kilobytes, the remainder dropped.
TEST_P(ScanModes, ThreeUrlRecordsBecomeThreeNumberedRows)
{
    ScopedEnv tz("TZ", "UTC");
    std::vector<std::uint8_t> bytes = Build(ThreeUrls());
    bytes.resize(1'049'599, 0);
    const ScanOutcome out = ScanBytes(bytes, GetParam());

    EXPECT_EQ(out.Header, (std::vector<std::string>{"No.", "URL   ", "Latest visit"}));
    ASSERT_EQ(out.RowCount, 4);
    EXPECT_EQ(out.Rows[0], (ListRow{"1", "http://www.example.com/", "03/07/2005 13:05:09"}));
    EXPECT_EQ(out.Rows[1],
              (ListRow{"2", "http://www.example.com/logo.gif", "03/07/2005 13:05:09"}));
    EXPECT_EQ(out.Rows[2],
              (ListRow{"3", "http://www.example.com/style.css", "03/07/2005 13:05:09"}));
    EXPECT_EQ(out.View.LineCountText, "3");
    EXPECT_EQ(out.View.IndexSizeText, "1024 KB");
    EXPECT_EQ(out.View.StatusHistory, (std::vector<std::string>{"Reading index file ...", ""}));
    EXPECT_EQ(out.View.ErrorCount, 0);
    EXPECT_EQ(out.View.FinishCount, 1);
    EXPECT_EQ(out.View.FocusGiven, GetParam() == ScanMode::OpenCommand);
}

// Lower-case "hash" is no table, and a file that ends inside the first probe has none.
TEST_P(ScanModes, FileWithoutTableLeavesTheHeaderRowOnly)
{
    std::vector<std::uint8_t> bytes(0x9000, 0);
    bytes = WithBytesAt(bytes, 0x4000, "hash");
    std::vector<std::uint8_t> cut = Build(ThreeUrls());
    cut.resize(0x4003);
    for (const auto& [file, size] : {std::pair{bytes, "36 KB"}, std::pair{cut, "16 KB"}}) {
        const ScanOutcome out = ScanBytes(file, GetParam());
        EXPECT_EQ(out.RowCount, 1);
        EXPECT_TRUE(out.Rows.empty());
        EXPECT_EQ(out.View.LineCountText, "0");
        EXPECT_EQ(out.View.IndexSizeText, size);
        EXPECT_EQ(out.View.ErrorCount, 0);
    }
}

TEST(IndexSizeText, DropsTheRemainderAndIsEmptyForMissingFiles)
{
    TempDir dir;
    WriteWholeFile(dir.File("a.dat"), std::string(1'310'720, 'x'));
    WriteWholeFile(dir.File("empty.dat"), std::string());
    EXPECT_EQ(IndexSizeText(dir.File("a.dat")), "1280 KB");
    EXPECT_EQ(IndexSizeText(dir.File("empty.dat")), "0 KB");
    EXPECT_EQ(IndexSizeText(dir.File("missing.dat")), "");
    EXPECT_EQ(IndexSizeText(dir.Path().string()), "");
}

TEST(StartupRead, MissingIndexFileListsNothingAndShowsNoSize)
{
    TempDir dir;
    TBaseGrid grid;
    LoggingScanView view;
    view.SetIndexSizeText("stale");
    ReadIndexAtStartup(dir.Path().string() + "/Content.IE5/", ScanOptions{}, grid, view);
    EXPECT_EQ(view.IndexSizeText, "");
    EXPECT_EQ(view.LineCountText, "0");
    EXPECT_EQ(view.ErrorCount, 0);
    EXPECT_EQ(grid.GetRowCountEx(), 1);
    EXPECT_EQ(grid.GetCellEx(1, 0), "URL   ");
}

TEST(StartupRead, ReadsIndexDatInTheContentFolder)
{
    TempDir dir;
    WriteWholeFile(dir.File("index.dat"), Build(ThreeUrls()));
    TBaseGrid grid;
    RecordingScanView view;
    ReadIndexAtStartup(dir.Path().string() + "/", ScanOptions{}, grid, view);
    EXPECT_EQ(view.LineCountText, "3");
    EXPECT_EQ(grid.GetCellEx(1, 3), "http://www.example.com/style.css");
}

// After Clear the open command must give exactly what the start-up read gives for a file
// without redirects or long addresses.
TEST(OpenCommand, AfterClearMatchesTheStartupRead)
{
    TempDir dir;
    const std::string path = dir.File("index.dat");
    WriteWholeFile(path, Build(ThreeUrls()));

    TBaseGrid startup;
    RecordingScanView startupView;
    ScanIndexFile(path, ScanMode::Startup, ScanOptions{}, startup, startupView);

    TBaseGrid open;
    RecordingScanView openView;
    ScanIndexFile(path, ScanMode::OpenCommand, ScanOptions{}, open, openView);
    open.Clear();
    open.SetRowCountEx(2);
    ScanIndexFile(path, ScanMode::OpenCommand, ScanOptions{}, open, openView);

    ASSERT_EQ(open.GetRowCountEx(), startup.GetRowCountEx());
    EXPECT_EQ(DataRows(open), DataRows(startup));
    for (int col = 0; col < 3; ++col)
        EXPECT_EQ(open.GetCellEx(col, 0), startup.GetCellEx(col, 0));
    EXPECT_EQ(openView.LineCountText, startupView.LineCountText);
}

TEST_P(ScanModes, GridShrunkToOneRowStillKeepsItsCaptionRow)
{
    TempDir dir;
    const std::string path = dir.File("index.dat");
    WriteWholeFile(path, Build(ThreeUrls()));
    TBaseGrid grid;
    grid.SetRowCountEx(1);
    RecordingScanView view;
    ScanIndexFile(path, GetParam(), ScanOptions{}, grid, view);
    EXPECT_EQ(grid.GetCellEx(0, 0), "No.");
    EXPECT_EQ(grid.GetCellEx(0, 1), "1");
    EXPECT_EQ(grid.GetRowCountEx(), 4);
}

TEST(RecordKinds, RedirectsAreListedByTheOpenCommandOnly)
{
    ScopedEnv tz("TZ", "UTC");
    IndexFilePlan plan;
    plan.Urls = {Url("http://a.example/"), Url("http://b.example/")};
    plan.Redirects = {{"http://redirected.example/", false, 2}};
    plan.Order = {0, ~0, 1};
    const auto bytes = Build(plan);

    const ScanOutcome open = ScanBytes(bytes, ScanMode::OpenCommand);
    ASSERT_EQ(open.Rows.size(), 3u);
    EXPECT_EQ(open.Rows[1], (ListRow{"2", "http://redirected.example/", ""}));
    EXPECT_EQ(open.Rows[2], (ListRow{"3", "http://b.example/", "03/07/2005 13:05:09"}));

    const ScanOutcome startup = ScanBytes(bytes, ScanMode::Startup);
    EXPECT_EQ(Addresses(startup),
              (std::vector<std::string>{"http://a.example/", "http://b.example/"}));
    EXPECT_EQ(startup.Rows[1][0], "2");
}

// One-block redirects sit directly in front of the address they lead to; stepping two
// blocks after them would skip that address.
TEST(RecordKinds, RecordBehindAOneBlockRedirectIsListed)
{
    IndexFilePlan plan;
    plan.Urls = {Url("http://www.example.com/shop/"), Url("http://www.example.com/other")};
    plan.Redirects = {{"http://www.example.com/shop", false, 1}, {"http://x.example/", false, 1}};
    plan.Order = {~0, 0, ~1, 1};
    const GeneratedIndex index = BuildIndexFile(plan);
    ASSERT_EQ(index.RecordOffsets[1] - index.RecordOffsets[0], 128u);

    const ScanOutcome open = ScanBytes(index.Bytes, ScanMode::OpenCommand);
    EXPECT_EQ(Addresses(open), (std::vector<std::string>{
                                   "http://www.example.com/shop", "http://www.example.com/shop/",
                                   "http://x.example/", "http://www.example.com/other"}));
    const ScanOutcome startup = ScanBytes(index.Bytes, ScanMode::Startup);
    EXPECT_EQ(Addresses(startup), (std::vector<std::string>{"http://www.example.com/shop/",
                                                            "http://www.example.com/other"}));
}

TEST(RecordKinds, UrlRecordClaimingOneBlockIsFollowedByTheNextBlock)
{
    IndexFilePlan plan;
    plan.Urls = {Url("http://a.example/"), Url("http://b.example/")};
    GeneratedIndex index = BuildIndexFile(plan);
    const std::uint32_t first = index.RecordOffsets[0];
    // Move the second record up into the first one's second block and mark the first as
    // one block long.
    std::vector<std::uint8_t> second(index.Bytes.begin() + index.RecordOffsets[1],
                                     index.Bytes.begin() + index.RecordOffsets[1] + 256);
    auto bytes = WithBytesAt(index.Bytes, index.RecordOffsets[1], std::string(256, '\0'));
    bytes = WithBytesAt(bytes, first + 128, std::string(second.begin(), second.end()));
    bytes = WithUint32At(bytes, first + 4, 1);
    EXPECT_EQ(Addresses(ScanBytes(bytes, ScanMode::Startup)),
              (std::vector<std::string>{"http://a.example/", "http://b.example/"}));
    // With the usual count the second block belongs to the first record and is not read.
    bytes = WithUint32At(bytes, first + 4, 2);
    EXPECT_EQ(Addresses(ScanBytes(bytes, ScanMode::Startup)),
              (std::vector<std::string>{"http://a.example/"}));
}

TEST(RecordKinds, SignaturesMustMatchExactly)
{
    IndexFilePlan plan;
    plan.Urls = {Url("http://a.example/"), Url("http://b.example/"), Url("http://c.example/")};
    GeneratedIndex index = BuildIndexFile(plan);
    auto bytes = WithBytesAt(index.Bytes, index.RecordOffsets[0], "url ");
    bytes = WithBytesAt(bytes, index.RecordOffsets[1], std::string("URL\0", 4));
    EXPECT_EQ(Addresses(ScanBytes(bytes, ScanMode::OpenCommand)),
              (std::vector<std::string>{"http://c.example/"}));
}

TEST(AddressLayout, MarkerByteChoosesWhereTheAddressBegins)
{
    IndexFilePlan plan;
    UrlRecordPlan at96 = Url("http://old.example/page");
    at96.AddressAt96 = true;
    plan.Urls = {Url("http://new.example/page"), at96};
    plan.Redirects = {{"http://r16.example/", false, 1}, {"http://r24.example/", true, 1}};
    const GeneratedIndex index = BuildIndexFile(plan);
    ASSERT_EQ(index.Bytes[index.UrlOffsets[0] + 96], 0);
    ASSERT_EQ(index.Bytes[index.UrlOffsets[1] + 96], 'h');
    ASSERT_EQ(index.Bytes[index.RedirectOffsets[1] + 16], 0);
    EXPECT_EQ(Addresses(ScanBytes(index.Bytes, ScanMode::OpenCommand)),
              (std::vector<std::string>{"http://new.example/page", "http://old.example/page",
                                        "http://r16.example/", "http://r24.example/"}));
}

TEST(AddressLayout, LongAddressesAreCutTo128And385Characters)
{
    std::string address300 = "http://long.example/";
    address300.resize(300, 'q');
    std::string address400 = "http://longer.example/";
    address400.resize(400, 'z');
    IndexFilePlan plan;
    plan.Urls = {Url(address300), Url(address400)};
    const auto bytes = Build(plan);
    EXPECT_EQ(Addresses(ScanBytes(bytes, ScanMode::OpenCommand)),
              (std::vector<std::string>{address300.substr(0, 128), address400.substr(0, 128)}));
    EXPECT_EQ(Addresses(ScanBytes(bytes, ScanMode::Startup)),
              (std::vector<std::string>{address300, address400.substr(0, 385)}));
}

// The header sample starts with the first byte not taken for the address: after a cut,
// that is the address's own 129th character.
TEST(TextOnlyFilter, SampleOfACutAddressStartsRightAfterTheCut)
{
    const std::string address =
        "http://cut.example/" + std::string(109, 'a') + "Content-Type: text/x";
    ASSERT_EQ(address.find("Content-Type"), 128u);
    IndexFilePlan plan;
    plan.Urls = {Url(address, "image/gif")};
    const auto bytes = Build(plan);
    const ScanOptions textOnly{1, false, false};
    EXPECT_EQ(Addresses(ScanBytes(bytes, ScanMode::OpenCommand, textOnly)),
              (std::vector<std::string>{address.substr(0, 128)}));
    EXPECT_TRUE(ScanBytes(bytes, ScanMode::Startup, textOnly).Rows.empty());
}

TEST(TextOnlyFilter, SkippedRecordsTakeNoNumber)
{
    IndexFilePlan plan;
    plan.Urls = {Url("http://a.example/", "text/html"), Url("http://b.example/x.gif", "image/gif"),
                 Url("http://c.example/"), Url("http://d.example/s.css", "text/css")};
    plan.Urls[2].Headers = "HTTP/1.1 200 OK\r\ncontent-type: text/html\r\n\r\n";
    plan.Redirects = {{"http://r.example/", false, 1}};
    const ScanOptions textOnly{1, false, false};
    for (ScanMode mode : {ScanMode::OpenCommand, ScanMode::Startup}) {
        const ScanOutcome out = ScanBytes(Build(plan), mode, textOnly);
        ASSERT_EQ(out.Rows.size(), 2u);
        EXPECT_EQ(out.Rows[0][0], "1");
        EXPECT_EQ(out.Rows[0][1], "http://a.example/");
        EXPECT_EQ(out.Rows[1][0], "2");
        EXPECT_EQ(out.Rows[1][1], "http://d.example/s.css");
        EXPECT_EQ(out.View.LineCountText, "2");
    }
    // With the filter off every record is listed, the redirect by the open command too.
    EXPECT_EQ(ScanBytes(Build(plan), ScanMode::OpenCommand).Rows.size(), 5u);
}

// The sample is 130 bytes counted before its NUL bytes are dropped.
TEST(TextOnlyFilter, SampleIs130BytesWithNulBytesDropped)
{
    auto recordWithHeaders = [](const std::string& headers) {
        IndexFilePlan plan;
        UrlRecordPlan url = Url("h:/"); // 3 characters: the headers follow the NUL directly
        url.FileName = "";
        url.Headers = headers;
        plan.Urls = {url};
        return Build(plan);
    };
    const ScanOptions textOnly{1, false, false};
    auto listed = [&](const std::string& headers) {
        return ScanBytes(recordWithHeaders(headers), ScanMode::OpenCommand, textOnly).Rows.size();
    };
    EXPECT_EQ(listed(std::string(112, 'x') + "Content-Type: text"), 1u);
    EXPECT_EQ(listed(std::string(113, 'x') + "Content-Type: text"), 0u);
    EXPECT_EQ(listed(std::string(100, '\0') + "Content-Type: text"), 1u);
    EXPECT_EQ(listed(std::string("Content-Type:\0\0 text", 20)), 1u);
}

TEST(CellFormat, HtmlAnchorsNameTheAddressTwice)
{
    IndexFilePlan plan;
    plan.Urls = {Url("a"), Url("http://h.example/?a=1&b=<\"x\">")};
    const ScanOptions html{1, true, true};
    const ScanOutcome out = ScanBytes(Build(plan), ScanMode::OpenCommand, html);
    ASSERT_EQ(out.Rows.size(), 2u);
    EXPECT_EQ(out.Rows[0][1], "<A href=\"a\">a</A>");
    EXPECT_EQ(out.Rows[0][1].size(), 17u);
    const std::string escaped = "http://h.example/?a=1&amp;b=&lt;&quot;x&quot;&gt;";
    EXPECT_EQ(out.Rows[1][1], "<A href=\"" + escaped + "\">" + escaped + "</A>");
}

// Markup only from the HTML cell format: an address that looks like markup, read as text,
// is shown as exactly its bytes; read as HTML, its anchor shows exactly the address.
TEST(CellFormat, EachReadSetsMarkupToItsCellFormat)
{
    const std::string address = "http://h.example/<b>bold</b>";
    IndexFilePlan plan;
    plan.Urls = {Url(address)};
    TempDir dir;
    const std::string path = dir.File("index.dat");
    WriteWholeFile(path, Build(plan));
    struct Step {
        ScanMode mode;
        bool html;
        TTextType type;
    };
    const Step steps[] = {{ScanMode::OpenCommand, false, ttPlain},
                          {ScanMode::Startup, true, ttMarkup},
                          {ScanMode::Startup, false, ttPlain},
                          {ScanMode::OpenCommand, true, ttMarkup}};
    TBaseGrid grid;
    for (const Step& step : steps) {
        RecordingScanView view;
        grid.SetRowCountEx(2);
        ScanIndexFile(path, step.mode, ScanOptions{1, true, step.html}, grid, view);
        EXPECT_EQ(grid.EnableHTML(), step.html);
        const std::string_view cell = grid.GetCellEx(1, 1);
        ASSERT_EQ(TextType(cell, grid.EnableHTML()), step.type);
        TestCanvas canvas;
        MarkupRequest request;
        request.Area = {0, 0, 1000, 100};
        static_cast<void>(DrawMarkup(canvas, cell, request));
        if (step.html) {
            ASSERT_EQ(canvas.Calls().size(), 1u);
            EXPECT_EQ(canvas.Calls()[0].Shown, address);
        } else {
            EXPECT_EQ(cell, address);
        }
    }
}

TEST(VisitColumn, DateOrderAndUnshowableStamps)
{
    ScopedEnv tz("TZ", "XYZ+3"); // three hours west of UTC, no daylight saving
    IndexFilePlan plan;
    UrlRecordPlan early = Url("http://early.example/");
    early.LastAccess = 0; // 1 January 1601 00:00 UTC is still 1600 three hours west
    UrlRecordPlan feb = Url("http://feb.example/");
    feb.LastAccess = FileTimeFromUtc(2005, 2, 1, 15, 30, 0);
    plan.Urls = {feb, early, feb};
    const auto bytes = Build(plan);

    const ScanOutcome dayFirst = ScanBytes(bytes, ScanMode::Startup, ScanOptions{2, true, false});
    EXPECT_EQ(dayFirst.Rows[0][2], "01/02/2005 12:30:00");
    EXPECT_EQ(dayFirst.Rows[1][2], "");
    EXPECT_EQ(dayFirst.Rows[2][2], "01/02/2005 12:30:00");
    const ScanOutcome monthFirst = ScanBytes(bytes, ScanMode::Startup, ScanOptions{3, true, false});
    EXPECT_EQ(monthFirst.Rows[0][2], "02/01/2005 12:30:00");
}

TEST(ScanWalk, BlocksBeforeTheFirstTableAreNeverExamined)
{
    IndexFilePlan plan;
    plan.FirstTableOffset = 0x6000;
    plan.RecordsStart = 0x7000;
    plan.Urls = {Url("http://listed.example/")};
    GeneratedIndex index = BuildIndexFile(plan);
    const std::string record(index.Bytes.begin() + index.RecordOffsets[0],
                             index.Bytes.begin() + index.RecordOffsets[0] + 256);
    auto bytes = WithBytesAt(index.Bytes, 0x4080, record);
    bytes = WithBytesAt(bytes, 0x5080, record);
    for (ScanMode mode : {ScanMode::OpenCommand, ScanMode::Startup})
        EXPECT_EQ(Addresses(ScanBytes(bytes, mode)),
                  (std::vector<std::string>{"http://listed.example/"}));
}

// The last region ends where the final four bytes begin.
TEST(ScanWalk, RecordInTheLastFourBytesIsNotExamined)
{
    IndexFilePlan plan;
    plan.Urls = {Url("http://listed.example/")};
    std::vector<std::uint8_t> bytes = Build(plan);
    const std::size_t end = bytes.size();
    bytes = WithBytesAt(bytes, end, "URL ");
    EXPECT_EQ(ScanBytes(bytes, ScanMode::OpenCommand).Rows.size(), 1u);
    // One byte more and the block starts before the final four bytes: it is read, and
    // everything past the end of the file counts as absent.
    bytes.push_back(0);
    const ScanOutcome out = ScanBytes(bytes, ScanMode::OpenCommand);
    ASSERT_EQ(out.Rows.size(), 2u);
    EXPECT_EQ(out.Rows[1], (ListRow{"2", "", ""}));
}

TEST(ScanWalk, RealisticIndexListsEveryRecordInFileOrder)
{
    const IndexFilePlan plan = MakeRealisticPlan(1500, 11);
    const GeneratedIndex index = BuildIndexFile(plan);
    ASSERT_GT(index.TableOffsets.size(), 2u);
    std::vector<std::string> open;
    std::vector<std::string> startup;
    for (int value : plan.Order) {
        if (value >= 0) {
            const std::string& address = plan.Urls[static_cast<std::size_t>(value)].Address;
            open.push_back(address.substr(0, 128));
            startup.push_back(address.substr(0, 385));
        } else {
            open.push_back(plan.Redirects[static_cast<std::size_t>(~value)].Address.substr(0, 128));
        }
    }
    ASSERT_LT(startup.size(), open.size());
    EXPECT_EQ(Addresses(ScanBytes(index.Bytes, ScanMode::OpenCommand)), open);
    EXPECT_EQ(Addresses(ScanBytes(index.Bytes, ScanMode::Startup)), startup);
}

TEST(ScanWalk, SampleCacheListsItsRedirectsAndAddresses)
{
    const GeneratedIndex index = BuildIndexFile(MakeSamplePlan());
    const ScanOutcome open = ScanBytes(index.Bytes, ScanMode::OpenCommand);
    const ScanOutcome startup = ScanBytes(index.Bytes, ScanMode::Startup);
    EXPECT_EQ(open.Rows.size(), index.RecordOffsets.size());
    EXPECT_EQ(startup.Rows.size(), index.UrlOffsets.size());
    EXPECT_EQ(open.View.LineCountText, std::to_string(index.RecordOffsets.size()));
}

} // namespace

} // namespace varnok
