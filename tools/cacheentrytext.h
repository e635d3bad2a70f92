#pragma once

#include <cstdint>
#include <string>

namespace varnok {

// Texts that a browser stores with each cached address: the name of the cached copy
// and the response headers.

/** "name[copy].ext": the address's last path segment, with the extension its type implies. */
[[nodiscard]] std::string CacheFileName(const std::string& address, const std::string& contentType,
                                        int copy);

struct ResponseHeaderPlan {
    std::string ContentType; // empty: no Content-Type line at all
    std::uint32_t Length = 0;
    bool TypeFirst = true; // Content-Type before Content-Length
    bool Http10 = false;
    std::uint32_t ETag = 0;    // 0: no ETag line
    bool Privacy = false;      // a P3P line, as many sites of the time sent
    bool AcceptRanges = false; // "Accept-Ranges: bytes", usual for static files
    std::string CacheControl;  // empty: no Cache-Control line
    std::string PoweredBy;     // empty: no X-Powered-By line
    std::string User = "user"; // the "~U:" account line that ends the stored headers
};

/** The header block as stored: status line, header lines, blank line and "~U:" line. */
[[nodiscard]] std::string ResponseHeaders(const ResponseHeaderPlan& plan);

} // namespace varnok
