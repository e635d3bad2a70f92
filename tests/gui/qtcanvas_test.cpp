#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "platform/canvastypes.h"
#include "platform/qt/qtcanvas.h"
#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtcolor.h"

namespace varnok {

namespace {

TGridFont gridFont()
{
    TGridFont font;
    font.Name = "Tahoma";
    font.Height = 13;
    return font;
}

QImage blankImage(int width = 200, int height = 40)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The smallest rectangle around every pixel of `image` that is not white; empty when blank.
QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::white))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace

TEST(QtCanvasTest, LinesBreakAtBlanksAndAtCrLfCrAndLf)
{
    QtCanvas canvas;
    const TGridFont font = gridFont();
    const int line = QFontMetrics(QtCanvas::ToQFont(font)).lineSpacing();
    const int twoWords = canvas.MeasureLine(font, "one two").Width;
    EXPECT_EQ(canvas.MeasureLine(font, "x").Height, line);

    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "", 100), 0);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one two", twoWords), line);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one two three", twoWords + 2), 2 * line);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one two three", twoWords - 2), 3 * line);
    // Blanks at a break vanish; trailing blanks never make a line of their own.
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one      two", twoWords), 2 * line);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one two          ", twoWords), line);
    // An address has no blank: it stays one line however narrow the column.
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "http://www.example.com/a/b/c?d=e", 20), line);

    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one\r\ntwo", 1000), 2 * line);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one\rtwo", 1000), 2 * line);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one\ntwo", 1000), 2 * line);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one\r\n\r\ntwo\r\n", 1000), 4 * line);
}

TEST(QtCanvasTest, WidthsAreCharacterAdvancesOfTheDecodedText)
{
    QtCanvas canvas;
    const TGridFont font = gridFont();
    const QFontMetricsF metrics(QtCanvas::ToQFont(font));
    // "&" is a character like any other, not a mnemonic marker.
    const qreal expected = metrics.horizontalAdvance(QLatin1Char('a')) +
                           metrics.horizontalAdvance(QLatin1Char('&')) +
                           metrics.horizontalAdvance(QLatin1Char('b'));
    EXPECT_EQ(canvas.MeasureLine(font, "a&b").Width, static_cast<int>(std::ceil(expected)));
    // 0x80 is the euro sign.
    EXPECT_EQ(canvas.MeasureLine(font, "\x80").Width,
              static_cast<int>(std::ceil(metrics.horizontalAdvance(QChar(0x20AC)))));
    // A tab advances to the next multiple of eight characters.
    EXPECT_EQ(
        canvas.MeasureWrappedHeight(font, "ab\tc", canvas.MeasureLine(font, "ab      c").Width),
        canvas.MeasureLine(font, "x").Height);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "ab\tc d",
                                          canvas.MeasureLine(font, "ab      c").Width + 1),
              2 * canvas.MeasureLine(font, "x").Height);
}

TEST(QtCanvasTest, DrawnTextNeverReachesBelowItsMeasuredHeight)
{
    const TGridFont font = gridFont();
    std::mt19937 random(1252);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::uniform_int_distribution<int> wordLength(1, 9);
    std::uniform_int_distribution<int> wordCount(1, 12);
    std::uniform_int_distribution<int> width(20, 180);
    for (int sample = 0; sample < 40; ++sample) {
        std::string text;
        for (int words = wordCount(random); words > 0; --words) {
            for (int i = wordLength(random); i > 0; --i) {
                text.push_back(static_cast<char>(letter(random)));
            }
            if (words > 1) {
                text.push_back(words % 4 == 1 ? '\n' : ' ');
            }
        }
        const int columns = width(random);
        QImage image = blankImage(200, 400);
        int measured = 0;
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, QGuiApplication::palette());
            measured = canvas.MeasureWrappedHeight(font, text, columns);
            canvas.DrawWrappedText(font, 0, text, {0, 0, columns, 400});
        }
        const QRect ink = inkBounds(image);
        EXPECT_FALSE(ink.isEmpty()) << text;
        const int last = ink.bottom();
        EXPECT_LT(last, measured) << text << " at " << columns;
        // The last line is drawn: ink in the band of the last measured line.
        const int lineHeight = QtCanvas().MeasureLine(font, "x").Height;
        EXPECT_GE(last, measured - lineHeight) << text << " at " << columns;
    }
}

TEST(QtCanvasTest, DrawsTheDecodedCharacters)
{
    const TGridFont font = gridFont();
    const QFontMetrics metrics(QtCanvas::ToQFont(font));
    QImage byCanvas = blankImage();
    {
        QPainter painter(&byCanvas);
        QtCanvas canvas(painter, QGuiApplication::palette());
        canvas.DrawWrappedText(font, 0x000000FF, "Price \x80 5 & more", {4, 3, 196, 37});
    }
    QImage byQt = blankImage();
    {
        QPainter painter(&byQt);
        painter.setFont(QtCanvas::ToQFont(font));
        painter.setPen(QColor(255, 0, 0));
        painter.drawText(QPoint(4, 3 + metrics.ascent()), QStringLiteral("Price \u20AC 5 & more"));
    }
    EXPECT_TRUE(byCanvas == byQt);
    EXPECT_FALSE(byCanvas == blankImage());
}

TEST(QtCanvasTest, LongWordsAreClippedAtTheTextArea)
{
    QImage image = blankImage();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QGuiApplication::palette());
        canvas.DrawWrappedText(gridFont(), 0, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", {10, 2, 60, 30});
    }
    const QRect ink = inkBounds(image);
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(QPoint(10, 0), QPoint(59, 29)).contains(ink)) << "ink outside the area";
}

TEST(QtCanvasTest, FillsAndLinesUsePaletteAndRgbColours)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Base, QColor(40, 50, 60));
    QImage image = blankImage();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, palette);
        canvas.FillRect({0, 0, 10, 10}, clBtnFace);
        canvas.FillRect({10, 0, 20, 10}, clWindow);
        canvas.FillRect({20, 0, 30, 10}, kNoColor);
        canvas.DrawLine(40, 2, 40, 5, 0x00302010);
    }
    EXPECT_EQ(image.pixelColor(9, 9), QColor(10, 20, 30));
    EXPECT_EQ(image.pixelColor(10, 0), QColor(40, 50, 60));
    EXPECT_EQ(image.pixelColor(19, 9), QColor(40, 50, 60));
    EXPECT_EQ(image.pixelColor(25, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(40, 2), QColor(0x10, 0x20, 0x30)); // red is the lowest byte
    EXPECT_EQ(image.pixelColor(40, 5), QColor(0x10, 0x20, 0x30)); // both ends drawn
    EXPECT_EQ(image.pixelColor(40, 6), QColor(Qt::white));

    EXPECT_EQ(ToQColor(0x80000008, palette), palette.color(QPalette::Text));
    EXPECT_EQ(ToQColor(0x8000000D, palette), palette.color(QPalette::Highlight));
    EXPECT_EQ(ToQColor(0x80000063, palette), QColor(Qt::black)); // unknown index
    EXPECT_FALSE(ToQColor(kNoColor, palette).isValid());
}

TEST(QtCanvasTest, TextRunsShowPrefixesBackgroundsAndStayInTheirClip)
{
    const TGridFont font = gridFont();
    const QFontMetrics metrics(QtCanvas::ToQFont(font));
    const TextRect everywhere{0, 0, 200, 40};
    QImage byCanvas = blankImage();
    QImage byQt = blankImage();
    {
        QPainter painter(&byCanvas);
        QtCanvas canvas(painter, QGuiApplication::palette());
        canvas.DrawTextRun(font, "a&&b", {true, kNoColor}, 4, 3, everywhere);
        EXPECT_EQ(canvas.MeasureTextRun(font, "a&&b", true).Width,
                  canvas.MeasureLine(font, "a&b").Width);
        EXPECT_EQ(canvas.MeasureTextRun(font, "a&&b", true).Height, metrics.lineSpacing());
    }
    {
        QPainter painter(&byQt);
        painter.setFont(QtCanvas::ToQFont(font));
        painter.setPen(QColor(Qt::black));
        painter.drawText(QPoint(4, 3 + metrics.ascent()), QStringLiteral("a&b"));
    }
    EXPECT_TRUE(byCanvas == byQt);

    // A single "&" underlines the next character only; a background fills the extent.
    QImage image = blankImage();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QGuiApplication::palette());
        canvas.DrawTextRun(font, "&mm", {true, kNoColor}, 4, 3, everywhere);
        canvas.DrawTextRun(font, "x", {false, 0x000000FF}, 100, 3, everywhere);
    }
    const int underlineRow = 3 + metrics.ascent() + metrics.underlinePos();
    const int mWidth = metrics.horizontalAdvance(QLatin1Char('m'));
    EXPECT_EQ(image.pixelColor(4 + mWidth / 2, underlineRow), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(4 + mWidth + mWidth / 2, underlineRow), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, 3), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(99, 3), QColor(Qt::white));

    QImage clipped = blankImage();
    {
        QPainter painter(&clipped);
        QtCanvas canvas(painter, QGuiApplication::palette());
        canvas.DrawTextRun(font, "WWWWWWWWWWWWWWWWWWWW", {false, 0x00FF0000}, 2, 0,
                           {10, 2, 60, 30});
    }
    EXPECT_EQ(inkBounds(clipped), QRect(QPoint(10, 2), QPoint(59, 2 + metrics.lineSpacing() - 3)));
}

TEST(QtCanvasTest, PensDrawStyledLinesAndFrames)
{
    QImage image = blankImage(120, 60);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QGuiApplication::palette());
        canvas.FrameRect({10, 10, 30, 20}, TPen{0, psSolid, 0});
        canvas.FrameRect({40, 10, 60, 20}, TPen{0, psClear, 0});
        canvas.DrawLine(0, 30, 100, 30, TPen{0, psDash, 1});
        canvas.DrawLine(0, 45, 100, 45, TPen{0, psSolid, 3});
        EXPECT_EQ(canvas.UnitsPerInch(), image.logicalDpiY());
    }
    for (const QPoint corner : {QPoint(10, 10), QPoint(30, 10), QPoint(30, 20), QPoint(10, 20),
                                QPoint(20, 10), QPoint(10, 15)}) {
        EXPECT_EQ(image.pixelColor(corner), QColor(Qt::black)) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(image.pixelColor(20, 15), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(31, 15), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(40, 10), QColor(Qt::white));
    int inked = 0;
    for (int x = 0; x <= 100; ++x) {
        inked += image.pixelColor(x, 30) == QColor(Qt::black) ? 1 : 0;
    }
    EXPECT_GT(inked, 30);
    EXPECT_LT(inked, 90); // dashes leave gaps
    for (const int y : {44, 45, 46}) {
        EXPECT_EQ(image.pixelColor(50, y), QColor(Qt::black)) << y;
    }
    EXPECT_EQ(image.pixelColor(50, 48), QColor(Qt::white));
}

TEST(QtCanvasTest, FontsAreSizedInPixelsWithTheirStyle)
{
    TGridFont font;
    font.Name = "MS Sans Serif";
    font.Height = 13;
    font.Bold = true;
    font.StrikeOut = true;
    const QFont qfont = QtCanvas::ToQFont(font);
    EXPECT_EQ(qfont.pixelSize(), 13);
    EXPECT_TRUE(qfont.bold());
    EXPECT_FALSE(qfont.italic());
    EXPECT_TRUE(qfont.strikeOut());
    EXPECT_EQ(qfont.family(), QStringLiteral("MS Sans Serif"));
}

TEST(QtClipboardTest, PlacesDecodedText)
{
    QtClipboard clipboard;
    clipboard.SetText("a\tb\x80\r\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\tb\u20AC\r\n"));
}

} // namespace varnok
