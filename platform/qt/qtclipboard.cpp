#include "platform/qt/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt/cp1252.h"

namespace varnok {

void QtClipboard::SetText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(DecodeCp1252(text));
}

} // namespace varnok
