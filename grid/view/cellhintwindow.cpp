#include "grid/view/cellhintwindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTextOption>

#include <cmath>

#include "grid/table/hintplacement.h"

namespace varnok {

namespace {

constexpr int kFrame = 1;
constexpr int kPadding = 2;
constexpr int kBorder = kFrame + kPadding;

// CR LF, CR and LF each end a line of a cell; the layout knows only the line separator.
QString WithLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

} // namespace

CellHintWindow::CellHintWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

CellHintWindow::~CellHintWindow() = default;

void CellHintWindow::ShowAt(const QString& text, const QPoint& globalPointer)
{
    m_text = text;
    const QScreen* screen = QGuiApplication::screenAt(globalPointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QSize size = layOut(HintWrapWidth(area.width()) - 2 * kBorder);
    const TextRect placed =
        PlaceHint(globalPointer.x(), globalPointer.y(), size.width(), size.height(),
                  {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    setGeometry(placed.Left, placed.Top, placed.Right - placed.Left, placed.Bottom - placed.Top);
    show();
    update();
}

QSize CellHintWindow::layOut(int wrapWidth)
{
    m_layout = std::make_unique<QTextLayout>(WithLineSeparators(m_text), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout->setTextOption(option);
    qreal height = 0;
    qreal widest = 0;
    m_layout->beginLayout();
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(wrapWidth);
        line.setPosition(QPointF(0, height));
        height += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    m_layout->endLayout();
    return {static_cast<int>(std::ceil(widest)) + 2 * kBorder,
            static_cast<int>(std::ceil(height)) + 2 * kBorder};
}

void CellHintWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(255, 255, 0));
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_layout)
        m_layout->draw(&painter, QPointF(kBorder, kBorder));
}

} // namespace varnok
