#include "print/gridpdf.h"

#include <QIODevice>
#include <QPageSize>
#include <QPdfWriter>

#include <ostream>

#include "grid/resultgrid.h"
#include "grid/table/griderror.h"
#include "platform/qt/offscreengui.h"
#include "platform/qt/qtpageprinter.h"
#include "platform/replacingfile.h"

namespace varnok {

namespace {

// Qt's PDF output writes to a QIODevice; this one passes the bytes on to a std::ostream.
class OStreamDevice final : public QIODevice {
public:
    explicit OStreamDevice(std::ostream& stream) : m_stream(stream) {}

protected:
    qint64 readData(char* /*data*/, qint64 /*maxSize*/) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        m_stream.write(data, static_cast<std::streamsize>(size));
        return m_stream ? size : -1;
    }

private:
    std::ostream& m_stream;
};

void writePdf(TResultGrid& grid, std::ostream& stream)
{
    OStreamDevice device(stream);
    device.open(QIODevice::WriteOnly);
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Varnok 5"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    QtPagePrinter printer(writer, [&writer](const QString& title) { writer.setTitle(title); });
    // Print all always counts its pages.
    grid.PrintState.PreviewFast = false;
    grid.Print(printer);
}

} // namespace

int PrintGridToPdf(TResultGrid& grid, const std::string& fileName)
{
    const OffscreenGui gui;
    ReplacingFile file(fileName);
    if (!file.Open())
        throw CannotCreateFile(fileName, file.ErrorString());
    try {
        writePdf(grid, file.Stream());
    } catch (const EGridError& error) {
        // The file's own failure explains the printer's, which only says that it failed.
        const std::string reason = file.ErrorString();
        throw CannotWriteFile(fileName, reason.empty() ? error.what() : reason);
    }
    if (!file.Stream().flush() || !file.Commit())
        throw CannotWriteFile(fileName, file.ErrorString());
    return grid.PrintState.PageCount;
}

} // namespace varnok
