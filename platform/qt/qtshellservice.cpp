#include "platform/qt/qtshellservice.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/qt/cp1252.h"

bool QtShellService::OpenAddress(const std::string& windows1252Address)
{
    const QUrl url(DecodeCp1252(windows1252Address), QUrl::TolerantMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}
