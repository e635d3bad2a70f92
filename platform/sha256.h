#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace varnok {

class ByteSource;

// SHA-256 (FIPS 180-4), fed a stretch of bytes at a time, so a file of any size is hashed
// without holding it in memory. An exhibit names the file it lists by this hash.
class Sha256 {
public:
    Sha256();

    void Update(std::span<const std::uint8_t> bytes);
    /** The digest as 64 lower-case hexadecimal digits; ends the hashing. */
    [[nodiscard]] std::string HexDigest();

private:
    void compressBlock(const std::uint8_t* block);

    std::array<std::uint32_t, 8> m_state{};
    std::array<std::uint8_t, 64> m_buffer{};
    std::size_t m_buffered = 0;
    std::uint64_t m_totalBytes = 0;
};

/** The SHA-256 of every byte of `source`, from 0 to its End(), in lower-case hex. Throws
 * FileReadError when a stretch cannot be read. */
[[nodiscard]] std::string Sha256HexOf(ByteSource& source);

} // namespace varnok
