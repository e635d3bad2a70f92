#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnok {

// Little helpers for the index writer: little-endian fields, key hashing and the time
// formats that cache entries use.

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);
void Put64(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value);
/** Copies the text's bytes (no NUL) to `at`; the vector must be large enough. */
void PutText(std::vector<std::uint8_t>& bytes, std::size_t at, const std::string& text);
[[nodiscard]] std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t at);

[[nodiscard]] std::uint32_t AlignUp(std::uint32_t value, std::uint32_t step);

// Hash keys keep their low bits for flags; a redirect's key carries this one.
inline constexpr std::uint32_t kRedirectKeyFlag = 0x5;
/** Hash key of an address, with the flag bits clear. */
[[nodiscard]] std::uint32_t HashKey(const std::string& address);

/** FAT date (low half) and time (high half) of a UTC file time. */
[[nodiscard]] std::uint32_t DosDateTimeFromFileTime(std::uint64_t fileTime);

} // namespace varnok
