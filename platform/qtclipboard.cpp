#include "platform/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/cp1252.h"

void QtClipboard::SetText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(DecodeCp1252(text));
}
