#include "grid/resultgrid.h"

#include "grid/table/griderror.h"
#include "grid/writers/asciiwriter.h"
#include "grid/writers/clipboardtext.h"
#include "grid/writers/csvwriter.h"
#include "grid/writers/htmlwriter.h"
#include "platform/clipboard.h"
#include "platform/replacingfile.h"

namespace varnok {

namespace {

// The file takes the new contents only once they are complete: a failure leaves no
// partial file and keeps an existing file as it was.
template <typename WriteFunction> void writeFile(const std::string& fileName, WriteFunction write)
{
    ReplacingFile file(fileName);
    if (!file.Open())
        throw CannotCreateFile(fileName, file.ErrorString());
    if (!write(file.Stream()) || !file.Commit())
        throw CannotWriteFile(fileName, file.ErrorString());
}

} // namespace

bool TResultGrid::SaveToASCII(std::ostream& stream) const
{
    return AsciiWriter(*this).Write(stream);
}

void TResultGrid::SaveToASCII(const std::string& fileName) const
{
    writeFile(fileName, [this](std::ostream& stream) { return SaveToASCII(stream); });
}

bool TResultGrid::SaveToCSV(std::ostream& stream) const
{
    return CsvWriter(*this, SaveRange(), CSVSeparator, QuoteEmptyCSVCells).Write(stream);
}

void TResultGrid::SaveToCSV(const std::string& fileName) const
{
    writeFile(fileName, [this](std::ostream& stream) { return SaveToCSV(stream); });
}

bool TResultGrid::SaveToHTML(std::ostream& stream) const
{
    const HtmlWriterOptions options{HTMLSettings, SaveRange(), FixedColor, Color};
    return HtmlWriter(*this, options, SystemColors).Write(stream);
}

void TResultGrid::SaveToHTML(const std::string& fileName) const
{
    writeFile(fileName, [this](std::ostream& stream) { return SaveToHTML(stream); });
}

void TResultGrid::CopySelectionToClipboard(Clipboard& clipboard) const
{
    clipboard.SetText(ClipboardText(*this, Selection()));
}

int TResultGrid::GetSaveStartCol() const
{
    return IncludeFixedCells ? 0 : GetFixedColsEx();
}

int TResultGrid::GetSaveStartRow() const
{
    return IncludeFixedCells ? 0 : GetFixedRowsEx();
}

int TResultGrid::GetSaveEndCol() const
{
    return GetColCountEx() - 1;
}

int TResultGrid::GetSaveEndRow() const
{
    return GetRowCountEx() - 1;
}

TSaveRange TResultGrid::SaveRange() const
{
    return {GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow()};
}

} // namespace varnok
