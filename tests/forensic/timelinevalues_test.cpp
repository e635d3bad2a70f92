#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "forensic/indexkind.h"
#include "forensic/recordtimes.h"
#include "forensic/textescape.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

// Hostile bytes from addresses and headers: each must come out as valid JSON text and as
// one field of one body line.
TEST(TimelineTextTest, HostileBytesStayOneValidField)
{
    struct Case {
        std::string Bytes;
        std::string Json;
        std::string Body;
    };
    const Case cases[] = {
        {"http://a/b?c=d", R"("http://a/b?c=d")", "http://a/b?c=d"},
        {"say \"hi\"\\now", R"("say \"hi\"\\now")", "say \"hi\"\\now"},
        {"a|b||c", R"("a|b||c")", "a%7Cb%7C%7Cc"},
        // mactime decodes "%XX": an encoded line break in an address must stay text.
        {"q=%0A%7C", R"("q=%0A%7C")", "q=%250A%257C"},
        {"line\r\nnext\tTab", R"("line\r\nnext\tTab")", "line\u240D\u240Anext\u2409Tab"},
        {std::string("nul\0x\x01\x1F\x7F\x1B[2J", 12), R"("nul\u0000x\u0001\u001F\u007F\u001B[2J")",
         "nul\u2400x\u2401\u241F\u2421\u241B[2J"},
        // Windows-1252: the euro sign, curly quotes, letters with accents, and an undefined
        // byte that becomes the control character of its number.
        {"\x80 \x93q\x94 caf\xE9 \xFF \x81", "\"\u20AC \u201Cq\u201D caf\u00E9 \u00FF \\u0081\"",
         "\u20AC \u201Cq\u201D caf\u00E9 \u00FF \uFFFD"},
        {"", R"("")", ""},
    };
    for (const Case& c : cases) {
        std::string json;
        AppendJsonString(json, c.Bytes);
        EXPECT_EQ(json, c.Json) << c.Bytes;
        std::string body;
        AppendBodyText(body, c.Bytes);
        EXPECT_EQ(body, c.Body) << c.Bytes;
    }
}

// Long texts are tested several bytes at a time: a byte that needs escaping must be found
// wherever it stands, also when the bytes just above it (a space, "#") look special to a
// test of the whole word, and in the short end that is not a whole word.
TEST(TimelineTextTest, EscapesFoundAtEveryPositionOfLongText)
{
    struct Case {
        char Byte;
        std::string Json;
        std::string Body;
    };
    const Case cases[] = {
        {'"', "\\\"", "\""},          {'\\', "\\\\", "\\"},
        {'\n', "\\n", "\u240A"},      {'\x1F', "\\u001F", "\u241F"},
        {'\0', "\\u0000", "\u2400"},  {'\x7F', "\\u007F", "\u2421"},
        {'\x80', "\u20AC", "\u20AC"}, {'\x81', "\\u0081", "\uFFFD"},
        {'\xE9', "\u00E9", "\u00E9"}, {'|', "|", "%7C"},
    };
    constexpr std::size_t kLength = 27; // three words and three bytes
    for (const Case& c : cases) {
        for (std::size_t at = 0; at < kLength; ++at) {
            std::string bytes(kLength, 'a');
            bytes[at] = c.Byte;
            const std::string before(at, 'a');
            std::string after = std::string(kLength - at - 1, 'a');
            if (after.size() >= 2)
                after.replace(0, 2, " #");
            bytes.replace(at + 1, after.size(), after);
            std::string json;
            AppendJsonText(json, bytes);
            EXPECT_EQ(json, before + c.Json + after) << int(c.Byte) << " at " << at;
            std::string body;
            AppendBodyText(body, bytes);
            EXPECT_EQ(body, before + c.Body + after) << int(c.Byte) << " at " << at;
        }
    }
}

TEST(TimelineTimeTest, FileAndDosTimesInUtcToTheMicrosecond)
{
    struct Case {
        std::uint64_t FileTime;
        std::string Iso;
        std::int64_t Microseconds;
    };
    const Case cases[] = {
        {FileTimeFromUtc(2004, 3, 14, 19, 2, 36) + 1234567, "2004-03-14T19:02:36.123456+00:00",
         1079290956123456},
        {116444736000000000, "1970-01-01T00:00:00.000000+00:00", 0},
        // Before 1970 the seconds count down and the fraction still counts up.
        {116444736000000000 - 5, "1969-12-31T23:59:59.999999+00:00", -1},
        {FileTimeFromUtc(2000, 2, 29, 23, 59, 59), "2000-02-29T23:59:59.000000+00:00",
         951868799000000},
        {1, "1601-01-01T00:00:00.000000+00:00", -11644473600000000},
        // The largest file time: far past year 9999, still one valid date.
        {0xFFFFFFFFFFFFFFFF, "60056-05-28T05:36:10.955161+00:00", 1833029933770955161},
    };
    for (const Case& c : cases) {
        const std::optional<std::int64_t> microseconds = MicrosecondsFromFileTime(c.FileTime);
        ASSERT_TRUE(microseconds.has_value());
        EXPECT_EQ(*microseconds, c.Microseconds);
        char text[kIsoTimeMaxLength];
        const std::string iso(text, PutIsoTime(text, *microseconds));
        EXPECT_EQ(iso, c.Iso);
    }
    EXPECT_FALSE(MicrosecondsFromFileTime(0).has_value()) << "0 is a time never set";

    // The timestamp beside each time, up to the widest counts either way.
    for (const std::int64_t microseconds :
         {std::int64_t{0}, std::int64_t{-1}, std::int64_t{7}, std::int64_t{10}, std::int64_t{-99},
          std::int64_t{1079290956123456}, std::int64_t{-11644473600000000},
          std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()}) {
        char text[20];
        EXPECT_EQ(std::string(text, PutTimestamp(text, microseconds)),
                  std::to_string(microseconds));
    }

    struct DosCase {
        std::uint32_t DosTime; // date in the low half, time in the high half
        std::optional<std::string> Iso;
    };
    const DosCase dosCases[] = {
        {0x9856'3074, "2004-03-20T19:02:44.000000+00:00"},
        {0x0000'0021, "1980-01-01T00:00:00.000000+00:00"},
        {0, std::nullopt},
        {0x0000'01A1, std::nullopt}, // month 13
        {0xC000'0021, std::nullopt}, // hour 24
        {0x0000'0020, std::nullopt}, // day 0
    };
    for (const DosCase& c : dosCases) {
        const std::optional<std::int64_t> microseconds = MicrosecondsFromDosTime(c.DosTime);
        ASSERT_EQ(microseconds.has_value(), c.Iso.has_value()) << std::hex << c.DosTime;
        if (!microseconds)
            continue;
        char text[kIsoTimeMaxLength];
        const std::string iso(text, PutIsoTime(text, *microseconds));
        EXPECT_EQ(iso, *c.Iso);
    }
}

TEST(TimelineKindTest, KindOfIndexFromTheAddressPrefix)
{
    struct Case {
        const char* Address;
        const char* Kind;
    };
    const Case cases[] = {
        {"http://example.com/", "cache"},
        {"Cookie:jane@example.com/", "cookie"},
        {"Visited: jane@http://example.com/", "history"},
        {":2013031020130311: jane@http://example.com/", "history-daily"},
        {":2013031020130317: jane@http://example.com/", "history-weekly"},
        // A month ending and a year ending between the two dates.
        {":2013013120130201: jane@http://a/", "history-daily"},
        {":2012122420121231: jane@http://a/", "history-weekly"},
        {":Host: example.com", "cache"},
        {":20130310201303x1: jane@http://a/", "cache"},
        {":2013031020130311", "cache"},
        {"", "cache"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IndexKindName(IndexKindOfAddress(c.Address)), c.Kind) << c.Address;
}

} // namespace

} // namespace varnok
