#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "platform/canvastypes.h"
#include "platform/qtcanvas.h"
#include "platform/qtclipboard.h"
#include "platform/qtcolor.h"

namespace {

constexpr int kWrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

TGridFont gridFont()
{
    TGridFont font;
    font.Name = "Tahoma";
    font.Height = 13;
    return font;
}

// The height Qt's own layout gives, which the canvas's shortcut must never contradict.
int fullLayoutHeight(const TGridFont& font, const QString& text, int width)
{
    const QFontMetrics metrics(QtCanvas::ToQFont(font));
    return metrics.boundingRect(QRect(0, 0, width, INT_MAX / 2), kWrapFlags, text).height();
}

QImage blankImage()
{
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TEST(QtCanvasTest, SingleLineShortcutAgreesWithTheFullLayoutAtEveryWidth)
{
    QtCanvas canvas;
    const TGridFont font = gridFont();
    const QFontMetrics metrics(QtCanvas::ToQFont(font));
    const std::vector<std::string> texts = {
        "http://www.example.com/index.html", "05/06/2004 10:11:12", "No.", "URL   ",
        "a few words of text", "trailing blank ", "W", "Lorem ipsum dolor sit amet, consectetur",
        "", "caf\xE9 \x80", "tab\there"};
    for (const std::string& text : texts) {
        QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        qtext.replace(QChar(0x80), QChar(0x20AC));
        const int advance = metrics.horizontalAdvance(qtext);
        for (int width = advance - 3; width <= advance + 3; ++width) {
            EXPECT_EQ(canvas.MeasureWrappedHeight(font, text, width),
                      fullLayoutHeight(font, qtext, width))
                << text << " at " << width;
        }
    }
}

TEST(QtCanvasTest, ShortcutHoldsForManyTextsInUprightAndItalicFonts)
{
    QtCanvas canvas;
    std::mt19937 random(1252);
    std::uniform_int_distribution<int> printable(0x20, 0x7E);
    std::uniform_int_distribution<int> length(1, 60);
    for (const bool italic : {false, true}) {
        TGridFont font = gridFont();
        font.Italic = italic;
        const QFontMetrics metrics(QtCanvas::ToQFont(font));
        for (int sample = 0; sample < 150; ++sample) {
            std::string text;
            for (int i = length(random); i > 0; --i) {
                text.push_back(static_cast<char>(printable(random)));
            }
            const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
            const int advance = metrics.horizontalAdvance(qtext);
            for (int width = advance - 2; width <= advance + 4; ++width) {
                ASSERT_EQ(canvas.MeasureWrappedHeight(font, text, width),
                          fullLayoutHeight(font, qtext, width))
                    << text << " at " << width << (italic ? " italic" : "");
            }
        }
    }
}

TEST(QtCanvasTest, LinesBreakAtWordsAndAtCrLfCrAndLf)
{
    QtCanvas canvas;
    const TGridFont font = gridFont();
    const int line = canvas.MeasureLine(font, "x").Height;
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one two", 1000), line);
    const int wrapped = canvas.MeasureWrappedHeight(font, "one two three four", 40);
    EXPECT_GE(wrapped, 3 * line);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one\r\ntwo", 1000),
              canvas.MeasureWrappedHeight(font, "one\ntwo", 1000));
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "one\rtwo", 1000),
              canvas.MeasureWrappedHeight(font, "one\ntwo", 1000));
    EXPECT_GE(canvas.MeasureWrappedHeight(font, "one\ntwo", 1000), 2 * line);
    // "&" is a character like any other, not a mnemonic marker.
    const QFontMetrics metrics(QtCanvas::ToQFont(font));
    EXPECT_EQ(canvas.MeasureLine(font, "a&b").Width,
              metrics.horizontalAdvance(QStringLiteral("a&b")));
    // The bytes are Windows-1252: 0x80 measures as the euro sign.
    EXPECT_EQ(canvas.MeasureLine(font, "\x80").Width,
              metrics.horizontalAdvance(QStringLiteral("\u20AC")));
}

TEST(QtCanvasTest, DrawsDecodedTextExactlyAsQtsWrappedTextOutput)
{
    const TGridFont font = gridFont();
    // One line of ASCII takes the canvas's shortcut, the euro sign and the wrapped text
    // the full layout; all three must look exactly like Qt's own output.
    const std::vector<std::pair<std::string, QString>> texts = {
        {"http://example.com/a&b", QStringLiteral("http://example.com/a&b")},
        {"Price \x80 5 & more", QStringLiteral("Price \u20AC 5 & more")},
        {"several words that need more than one line", QStringLiteral("several words that need more than one line")}};
    for (const auto& [bytes, expected] : texts) {
        QImage byCanvas = blankImage();
        {
            QPainter painter(&byCanvas);
            QtCanvas canvas(painter, QGuiApplication::palette());
            canvas.DrawWrappedText(font, 0x000000FF, bytes, {4, 3, 196, 37});
        }
        QImage byQt = blankImage();
        {
            QPainter painter(&byQt);
            painter.setFont(QtCanvas::ToQFont(font));
            painter.setPen(QColor(255, 0, 0));
            painter.drawText(QRect(4, 3, 192, 34), kWrapFlags, expected);
        }
        EXPECT_TRUE(byCanvas == byQt) << bytes;
        EXPECT_FALSE(byCanvas == blankImage()) << bytes;
    }
}

TEST(QtCanvasTest, LongWordsAreClippedAtTheTextArea)
{
    QImage image = blankImage();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QGuiApplication::palette());
        canvas.DrawWrappedText(gridFont(), 0, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", {10, 2, 60, 30});
    }
    bool inside = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool ink = image.pixelColor(x, y) != QColor(Qt::white);
            if (ink && (x < 10 || x >= 60 || y >= 30)) {
                ADD_FAILURE() << "ink outside the area at " << x << "," << y;
                return;
            }
            inside = inside || ink;
        }
    }
    EXPECT_TRUE(inside);
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
