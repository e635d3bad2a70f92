#include "app/window/displaytext.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

#include "platform/qt/cp1252.h"

namespace varnok {

QString DisplayText(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded =
        utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return decoded;
    return DecodeCp1252(bytes);
}

QString PathToDisplay(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromDisplay(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

} // namespace varnok
