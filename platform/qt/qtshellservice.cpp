#include "platform/qt/qtshellservice.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "platform/qt/cp1252.h"

namespace varnok {

bool QtShellService::OpenAddress(const std::string& windows1252Address)
{
    const QUrl url(DecodeCp1252(windows1252Address), QUrl::TolerantMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool QtShellService::OpenFile(const std::string& path)
{
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    return !name.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(name));
}

} // namespace varnok
