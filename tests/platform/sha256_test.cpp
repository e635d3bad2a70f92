#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/bytesource.h"
#include "platform/sha256.h"

namespace varnok {

namespace {

// Bytes in memory that come out in short, uneven stretches, as a file's reads may.
class StretchedBytes final : public ByteSource {
public:
    StretchedBytes(std::string bytes, std::size_t stretch)
        : m_bytes(bytes.begin(), bytes.end()), m_stretch(stretch)
    {
    }
    [[nodiscard]] std::int64_t End() const override
    {
        return static_cast<std::int64_t>(m_bytes.size());
    }
    [[nodiscard]] std::span<const std::uint8_t> View(std::int64_t offset,
                                                     std::size_t count) override
    {
        const auto at = static_cast<std::size_t>(offset);
        return std::span<const std::uint8_t>(m_bytes).subspan(
            at, std::min({count, m_stretch, m_bytes.size() - at}));
    }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_stretch;
};

} // namespace

// The standard test messages, fed whole and in stretches that cut across the 64-byte
// blocks and the padding.
TEST(Sha256Test, StandardMessagesGiveTheirDigests)
{
    const struct {
        std::string message;
        std::string digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1'000'000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {std::string(55, 'x'), "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.substr(0, 20) + " (" + std::to_string(c.message.size()) + ")");
        for (const std::size_t stretch : {std::size_t{1} << 20, std::size_t{63}, std::size_t{7}}) {
            StretchedBytes source(c.message, stretch);
            EXPECT_EQ(Sha256HexOf(source), c.digest) << stretch;
        }
    }
}

} // namespace varnok
