#include "tools/cacheentrytext.h"

#include <array>
#include <cstdio>
#include <utility>

namespace varnok {

namespace {

// Extension of the cached copy by content type; other types keep the address's own.
std::string extensionFor(const std::string& contentType, const std::string& own)
{
    static constexpr std::array<std::pair<const char*, const char*>, 11> kExtensions = {{
        {"text/html", ".htm"},
        {"text/css", ".css"},
        {"text/plain", ".txt"},
        {"text/xml", ".xml"},
        {"image/gif", ".gif"},
        {"image/jpeg", ".jpg"},
        {"image/png", ".png"},
        {"image/x-icon", ".ico"},
        {"application/x-javascript", ".js"},
        {"application/pdf", ".pdf"},
        {"application/x-shockwave-flash", ".swf"},
    }};
    for (const auto& [type, extension] : kExtensions) {
        if (contentType == type) {
            return extension;
        }
    }
    return own;
}

} // namespace

std::string CacheFileName(const std::string& address, const std::string& contentType, int copy)
{
    std::string path = address.substr(0, address.find_first_of("?#"));
    const std::size_t schemeEnd = path.find("://");
    const std::size_t hostEnd = path.find('/', schemeEnd == std::string::npos ? 0 : schemeEnd + 3);
    path = hostEnd == std::string::npos ? std::string() : path.substr(hostEnd);
    std::string name = path.substr(path.find_last_of('/') + 1);
    std::string own;
    if (const std::size_t dot = name.find_last_of('.'); dot != std::string::npos) {
        own = name.substr(dot);
        name.erase(dot);
    }
    if (name.empty()) {
        name = "index";
    }
    return name + "[" + std::to_string(copy) + "]" + extensionFor(contentType, own);
}

std::string ResponseHeaders(const ResponseHeaderPlan& plan)
{
    const std::string type =
        plan.ContentType.empty() ? std::string() : "Content-Type: " + plan.ContentType + "\r\n";
    const std::string length = "Content-Length: " + std::to_string(plan.Length) + "\r\n";
    std::string text = plan.Http10 ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.1 200 OK\r\n";
    text += plan.TypeFirst ? type + length : length + type;
    if (plan.ETag != 0) {
        // Apache's form: file number, length and modification time in hexadecimal.
        char etag[64];
        std::snprintf(etag, sizeof etag, "ETag: \"%x-%x-%x\"\r\n", plan.ETag >> 8, plan.Length,
                      plan.ETag * 2654435761U);
        text += etag;
    }
    if (plan.AcceptRanges) {
        text += "Accept-Ranges: bytes\r\n";
    }
    if (!plan.CacheControl.empty()) {
        text += "Cache-Control: " + plan.CacheControl + "\r\n";
    }
    if (plan.Privacy) {
        text += "P3P: policyref=\"/w3c/p3p.xml\", CP=\"NOI DSP COR NID CUR ADM DEV OUR BUS\"\r\n";
    }
    if (!plan.PoweredBy.empty()) {
        text += "X-Powered-By: " + plan.PoweredBy + "\r\n";
    }
    return text + "\r\n~U:" + plan.User + "\r\n";
}

} // namespace varnok
