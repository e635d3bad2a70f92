#include "printfixtures.h"

#include <algorithm>
#include <map>

#include "grid/table/basegrid.h"

namespace varnok {

namespace {

constexpr int kA4WidthPixels = 4960;  // 210 mm at 600 dpi
constexpr int kA4HeightPixels = 7016; // 297 mm

} // namespace

void FillNumberedList(TBaseGrid& grid, int entries)
{
    grid.SetRowCountEx(entries + 1);
    grid.SetCellEx(0, 0, "No.");
    grid.SetCellEx(1, 0, "URL   ");
    grid.SetCellEx(2, 0, "Latest visit");
    if (entries > 0)
        grid.SetFixedRowsEx(1);
    for (int row = 1; row <= entries; ++row) {
        grid.SetCellEx(0, row, std::to_string(row));
        grid.SetCellEx(1, row, "http://example.com/" + std::to_string(row));
        grid.SetCellEx(2, row, "05/06/2004 10:11:12");
    }
}

int RecordingPrinter::PageWidth() const
{
    return Orientation == poPortrait ? kA4WidthPixels : kA4HeightPixels;
}

int RecordingPrinter::PageHeight() const
{
    return Orientation == poPortrait ? kA4HeightPixels : kA4WidthPixels;
}

bool RecordingPrinter::BeginDoc(const std::string& title)
{
    if (RefuseBegin)
        return false;
    Title = title;
    ++Begun;
    m_pageStarts.assign(1, canvas.Calls().size());
    return true;
}

void RecordingPrinter::NewPage()
{
    m_pageStarts.push_back(canvas.Calls().size());
}

bool RecordingPrinter::EndDoc()
{
    ++Ended;
    return true;
}

std::vector<std::vector<TestCanvasCall>> RecordingPrinter::Pages() const
{
    std::vector<std::vector<TestCanvasCall>> pages;
    const auto& calls = canvas.Calls();
    for (std::size_t i = 0; i < m_pageStarts.size(); ++i) {
        const std::size_t end = i + 1 < m_pageStarts.size() ? m_pageStarts[i + 1] : calls.size();
        pages.emplace_back(calls.begin() + static_cast<std::ptrdiff_t>(m_pageStarts[i]),
                           calls.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return pages;
}

std::vector<std::string> RowsOf(const std::vector<TestCanvasCall>& page)
{
    std::map<int, std::string> rows;
    for (const TestCanvasCall& call : page) {
        if (call.Kind != TestCanvasCall::ckText)
            continue;
        std::string& row = rows[call.Rect.Top];
        row += (row.empty() ? "" : "|") + call.Text;
    }
    std::vector<std::string> result;
    for (auto& [top, row] : rows)
        result.push_back(std::move(row));
    return result;
}

std::vector<TestCanvasCall> CallsOf(const std::vector<TestCanvasCall>& calls,
                                    TestCanvasCall::CallKind kind)
{
    std::vector<TestCanvasCall> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                 [kind](const TestCanvasCall& call) { return call.Kind == kind; });
    return result;
}

} // namespace varnok
