#include "cacheindex/recordreader.h"

#include <algorithm>
#include <cstring>

namespace varnok {

namespace {

constexpr std::string_view kTextType = "Content-Type: text";

// The sample is matched with its NUL bytes dropped, so a phrase split by NULs still counts.
bool sampleNamesTextType(std::span<const std::uint8_t> sample)
{
    char packed[kHeaderSampleLength];
    std::size_t length = 0;
    for (std::uint8_t byte : sample) {
        if (byte != 0)
            packed[length++] = static_cast<char>(byte);
    }
    return std::string_view(packed, length).find(kTextType) != std::string_view::npos;
}

} // namespace

std::optional<RecordKind> RecordKindOf(std::span<const std::uint8_t> block)
{
    if (block.size() < kSignatureLength)
        return std::nullopt;
    const std::string_view signature(reinterpret_cast<const char*>(block.data()), kSignatureLength);
    if (signature == kUrlSignature)
        return RecordKind::Url;
    if (signature == kRedirectSignature)
        return RecordKind::Redirect;
    if (signature == kLeakSignature)
        return RecordKind::Leak;
    return std::nullopt;
}

std::optional<std::size_t> AddressStart(std::span<const std::uint8_t> bytes, RecordKind kind)
{
    const std::size_t marker =
        kind == RecordKind::Redirect ? kRedirectAddressMarker : kUrlAddressMarker;
    if (marker >= bytes.size())
        return std::nullopt;
    const std::size_t start = bytes[marker] == 0 ? marker + kMarkedAddressShift : marker;
    if (start >= bytes.size())
        return std::nullopt;
    return start;
}

IndexRecord ReadRecord(std::span<const std::uint8_t> bytes, RecordKind kind,
                       std::size_t longestAddress, bool checkTextType)
{
    IndexRecord record;
    record.Kind = kind;
    const std::optional<std::size_t> addressStart = AddressStart(bytes, kind);
    if (!addressStart)
        return record; // the file ends before the address: it is empty
    const std::size_t start = *addressStart;

    const std::size_t limit = std::min(longestAddress, bytes.size() - start);
    const std::uint8_t* first = bytes.data() + start;
    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(first, 0, limit));
    const std::size_t length = nul ? static_cast<std::size_t>(nul - first) : limit;
    // The NUL is consumed with the address; a cut address consumes exactly `limit` bytes.
    const std::size_t consumed = nul ? length + 1 : limit;
    record.Address = std::string_view(reinterpret_cast<const char*>(first), length);

    if (checkTextType) {
        const std::size_t sampleStart = start + consumed;
        const std::size_t sampleLength =
            sampleStart < bytes.size() ? std::min(kHeaderSampleLength, bytes.size() - sampleStart)
                                       : 0;
        record.TextType =
            sampleNamesTextType(bytes.subspan(std::min(sampleStart, bytes.size()), sampleLength));
    }
    return record;
}

} // namespace varnok
