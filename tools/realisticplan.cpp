#include "tools/indexwriter.h"

#include <algorithm>
#include <array>
#include <random>

#include "tools/cacheentrytext.h"

namespace varnok {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;
// A browser chains a new table once one is nearly full.
constexpr int kRecordsPerTable = 480;
// The Windows account whose cache this is; it ends every stored header block.
constexpr const char* kUser = "jmiller";

// Reproducible choices. Only the engine's raw output is used: the standard
// distributions may differ between libraries, and a seed must give the same file
// everywhere.
class Dice {
public:
    explicit Dice(unsigned seed) : m_engine(seed) {}
    std::uint32_t Below(std::uint32_t bound)
    {
        return static_cast<std::uint32_t>(m_engine() % bound);
    }
    bool OneIn(std::uint32_t chance) { return Below(chance) == 0; }
    std::uint32_t Between(std::uint32_t low, std::uint32_t high)
    {
        return low + Below(high - low + 1);
    }
    template <typename T, std::size_t N> const T& Pick(const std::array<T, N>& items)
    {
        return items[Below(N)];
    }

private:
    std::mt19937 m_engine;
};

struct ContentKind {
    const char* Extension; // as in the address
    const char* Type;
    const char* Folder;
    std::uint32_t MinSize;
    std::uint32_t MaxSize;
    std::uint32_t Weight; // relative frequency in a cache
};

constexpr std::array<ContentKind, 11> kKinds = {{
    {".gif", "image/gif", "/images/", 43, 24000, 24},
    {".jpg", "image/jpeg", "/img/", 1800, 95000, 19},
    {".png", "image/png", "/img/", 300, 32000, 7},
    {".css", "text/css", "/css/", 600, 26000, 7},
    {".js", "application/x-javascript", "/js/", 400, 64000, 10},
    {".html", "text/html", "/", 2500, 85000, 16},
    {".php", "text/html", "/forum/", 4000, 60000, 8},
    {".ico", "image/x-icon", "/", 318, 1406, 3},
    {".swf", "application/x-shockwave-flash", "/media/", 9000, 240000, 2},
    {".txt", "text/plain", "/docs/", 100, 9000, 2},
    {".xml", "text/xml", "/rss/", 900, 30000, 2},
}};

constexpr std::array<const char*, 16> kHosts = {
    "www.harbourview-news.com",   "img.harbourview-news.com", "www.tinkerstore.net",
    "search.findwell.com",        "ads.clickmetric.net",      "www.citybus-timetable.org",
    "mail.postbox-online.com",    "www.weatherwise.info",     "forum.linux-helpers.org",
    "cdn.photoshare-pics.com",    "www.photoshare-pics.com",  "www.bank-of-elsmere.com",
    "static.findwell.com",        "www.recipe-corner.net",    "download.freeware-vault.org",
    "www.elsmere-council.gov.uk",
};

constexpr std::array<const char*, 32> kWords = {
    "logo",    "banner",  "header", "spacer",    "arrow",   "bullet",  "photo",    "thumb",
    "main",    "style",   "print",  "menu",      "common",  "util",    "index",    "news",
    "article", "default", "search", "viewtopic", "gallery", "weather", "forecast", "contact",
    "about",   "sitemap", "button", "bg",        "footer",  "icon",    "counter",  "home",
};

constexpr std::array<const char*, 8> kSubPaths = {
    "", "", "2005/09/", "en/", "thumbs/", "v2/", "2006/spring/", "common/shared/"};

constexpr std::array<const char*, 5> kCacheControls = {"max-age=86400", "private", "no-cache",
                                                       "max-age=604800", "must-revalidate"};

const ContentKind& pickKind(Dice& dice)
{
    std::uint32_t total = 0;
    for (const ContentKind& kind : kKinds) {
        total += kind.Weight;
    }
    std::uint32_t roll = dice.Below(total);
    for (const ContentKind& kind : kKinds) {
        if (roll < kind.Weight) {
            return kind;
        }
        roll -= kind.Weight;
    }
    return kKinds.front();
}

std::string hostPrefix(Dice& dice, const std::string& host)
{
    const bool secure = host.rfind("mail.", 0) == 0 || host.find("bank") != std::string::npos;
    return (secure && !dice.OneIn(4) ? "https://" : "http://") + host;
}

std::string makeAddress(Dice& dice, const ContentKind& kind)
{
    const std::string extension = kind.Extension;
    if (extension == ".ico") {
        return hostPrefix(dice, dice.Pick(kHosts)) + "/favicon.ico";
    }
    std::string address = hostPrefix(dice, dice.Pick(kHosts)) + kind.Folder + dice.Pick(kSubPaths) +
                          dice.Pick(kWords);
    if (!dice.OneIn(3)) {
        address += "_" + std::to_string(dice.Below(1000));
    }
    address += extension;
    if ((extension == ".js" || extension == ".css") && dice.OneIn(3)) {
        address += "?v=" + std::to_string(dice.Between(100, 20060));
    } else if (extension == ".html" && dice.OneIn(3)) {
        address += std::string("?ref=homepage&section=") + dice.Pick(kWords);
    }
    if (extension == ".php") {
        address += "?t=" + std::to_string(dice.Between(1000, 99999)) +
                   (dice.OneIn(2) ? "&start=" + std::to_string(dice.Below(20) * 15) : "");
    }
    return address;
}

// Click-tracking links of advertisements: the long addresses of a real cache.
std::string makeLongAddress(Dice& dice)
{
    std::string address = "http://ads.clickmetric.net/click.php?campaign=" +
                          std::to_string(dice.Between(10000, 99999)) + "&placement=";
    while (address.size() < 300 + dice.Below(120)) {
        address += std::to_string(dice.Below(1000000)) + "%2C";
    }
    return address + "&redirect=http%3A%2F%2Fwww.tinkerstore.net%2Fshop%2Fsale.html";
}

std::uint64_t randomVisit(Dice& dice)
{
    const std::uint64_t start = FileTimeFromUtc(2004, 1, 1, 0, 0, 0);
    const std::uint64_t span = FileTimeFromUtc(2007, 1, 1, 0, 0, 0) - start;
    const std::uint64_t seconds = span / kTicksPerSecond;
    const std::uint64_t offset =
        (std::uint64_t{dice.Below(1U << 16)} << 16 | dice.Below(1U << 16)) % seconds;
    return start + offset * kTicksPerSecond;
}

UrlRecordPlan makeUrl(Dice& dice, bool longAddress)
{
    const ContentKind& kind = longAddress ? kKinds[5] : pickKind(dice);
    UrlRecordPlan url;
    url.Address = longAddress ? makeLongAddress(dice) : makeAddress(dice, kind);
    url.LastAccess = randomVisit(dice);
    url.LastModified = url.LastAccess - std::uint64_t{dice.Below(400 * 86400)} * kTicksPerSecond;
    url.FileSize = dice.Between(kind.MinSize, kind.MaxSize);
    url.SubFolder = static_cast<int>(dice.Below(4));
    url.FileName = CacheFileName(url.Address, kind.Type, dice.OneIn(5) ? 2 : 1);
    ResponseHeaderPlan headers;
    headers.ContentType = dice.OneIn(25) ? "" : kind.Type;
    headers.Length = url.FileSize;
    headers.User = kUser;
    headers.TypeFirst = dice.OneIn(2);
    headers.Http10 = dice.OneIn(10);
    headers.ETag = dice.OneIn(3) ? 0 : dice.Between(0x10000, 0x7FFFFFFF);
    headers.Privacy = dice.OneIn(3);
    headers.AcceptRanges = url.FileSize > 2000 && !dice.OneIn(3);
    headers.CacheControl = dice.OneIn(3) ? dice.Pick(kCacheControls) : "";
    headers.PoweredBy = std::string(kind.Extension) == ".php" ? "PHP/4.3.10"
                        : dice.OneIn(5)                       ? "ASP.NET"
                                                              : "";
    url.Headers = ResponseHeaders(headers);
    return url;
}

// A moved folder: the address without its trailing slash redirects to the folder's page.
void addRedirectPair(Dice& dice, IndexFilePlan& plan)
{
    RedirectRecordPlan redirect;
    redirect.Address = hostPrefix(dice, dice.Pick(kHosts)) + "/" + dice.Pick(kWords);
    UrlRecordPlan url = makeUrl(dice, false);
    url.Address = redirect.Address + "/";
    url.FileName = CacheFileName(url.Address, "text/html", 1);
    ResponseHeaderPlan headers;
    headers.ContentType = "text/html";
    headers.Length = url.FileSize;
    headers.CacheControl = "private";
    headers.User = kUser;
    url.Headers = ResponseHeaders(headers);
    plan.Order.push_back(~static_cast<int>(plan.Redirects.size()));
    plan.Order.push_back(static_cast<int>(plan.Urls.size()));
    plan.Redirects.push_back(redirect);
    plan.Urls.push_back(url);
}

} // namespace

IndexFilePlan MakeRealisticPlan(int count, unsigned seed)
{
    Dice dice(seed);
    IndexFilePlan plan;
    plan.TableCount = std::max(1, (count + kRecordsPerTable - 1) / kRecordsPerTable);
    while (static_cast<int>(plan.Order.size()) < count) {
        if (count - static_cast<int>(plan.Order.size()) >= 2 && dice.OneIn(12)) {
            addRedirectPair(dice, plan);
            continue;
        }
        plan.Order.push_back(static_cast<int>(plan.Urls.size()));
        plan.Urls.push_back(makeUrl(dice, dice.OneIn(400)));
    }
    return plan;
}

void AddLayoutVariants(IndexFilePlan& plan)
{
    for (std::size_t i = 4; i < plan.Urls.size(); i += 5) {
        plan.Urls[i].AddressAt96 = true;
    }
    for (std::size_t i = 0; i < plan.Redirects.size(); ++i) {
        plan.Redirects[i].AddressAt24 = i % 2 == 1;
        plan.Redirects[i].Blocks = i % 3 == 2 ? 2 : 1;
    }
}

} // namespace varnok
