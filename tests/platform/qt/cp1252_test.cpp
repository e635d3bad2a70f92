#include <gtest/gtest.h>

#include <string>

#include "platform/qt/cp1252.h"

namespace varnok {

TEST(Cp1252Test, DecodesTheWindowsRangeAndLatin1)
{
    EXPECT_EQ(DecodeCp1252("\x80"), QStringLiteral("\u20AC"));
    EXPECT_EQ(DecodeCp1252("\x85\x93\x94\x99\x9F"),
              QStringLiteral("\u2026\u201C\u201D\u2122\u0178"));
    EXPECT_EQ(DecodeCp1252("caf\xE9 \xA0\xFF"), QStringLiteral("caf\u00E9 \u00A0\u00FF"));
    EXPECT_EQ(DecodeCp1252(std::string("a\0b", 3)),
              QString(QStringLiteral("a")) + QChar(0) + QStringLiteral("b"));
    EXPECT_TRUE(DecodeCp1252("").isEmpty());
    // Unassigned bytes keep their C1 code points.
    EXPECT_EQ(DecodeCp1252("\x81\x8D\x8F\x90\x9D"),
              QStringLiteral("\u0081\u008D\u008F\u0090\u009D"));
}

TEST(Cp1252Test, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const QString text = DecodeCp1252(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeCp1252(text), all);
}

TEST(Cp1252Test, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(EncodeCp1252(QStringLiteral("\u20AC \u0152")), "\x80 \x8C");
    EXPECT_EQ(EncodeCp1252(QStringLiteral("\u4E2D\u0100")), "??");
    // A character outside the basic plane is one character: one "?".
    EXPECT_EQ(EncodeCp1252(QStringLiteral("a\U0001F600b")), "a?b");
}

} // namespace varnok
