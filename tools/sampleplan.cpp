#include "tools/indexwriter.h"

#include <array>

#include "tools/cacheentrytext.h"
#include "tools/indexbytes.h"

namespace varnok {

// The sample is written out by hand rather than drawn from the generator, so that it
// reads like one person's browsing: seven sessions between 2004 and 2006.

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;

struct SampleSession {
    int Year, Month, Day, Hour, Minute;
};

constexpr std::array<SampleSession, 7> kSessions = {{
    {2004, 3, 14, 19, 2},
    {2004, 9, 2, 8, 41},
    {2005, 1, 21, 12, 15},
    {2005, 6, 30, 22, 37},
    {2005, 11, 5, 16, 3},
    {2006, 4, 18, 7, 52},
    {2006, 12, 9, 10, 26},
}};

// One entry: its session, the address and the response's content type. A type of
// "REDR" makes a redirect record; "-" a response that named no type.
struct SampleEntry {
    int Session;
    const char* Address;
    const char* Type;
    std::uint32_t Size;
};

constexpr const char* kLongAddress =
    "http://ads.clickmetric.net/click.php?campaign=48213&placement=harbourview-news_sidebar_"
    "300x250&creative=autumn_photo_contest_2005&cb=1131206611&sid=5F0A2C77D31B4E90A6C1F2E3D4"
    "B5A69788&uid=2C9E41B07A3F5D68&ref=http%3A%2F%2Fwww.photoshare-pics.com%2Fgallery%2Fautumn"
    "_2005%2F&redirect=http%3A%2F%2Fwww.photoshare-pics.com%2Fcontest%2Fenter.html%3Fsrc%3Dclic"
    "kmetric%26campaign%3D48213";

constexpr std::array<SampleEntry, 42> kEntries = {{
    {0, "http://harbourview-news.com/", "REDR", 0},
    {0, "http://www.harbourview-news.com/", "text/html", 48211},
    {0, "http://www.harbourview-news.com/css/main.css", "text/css", 11874},
    {0, "http://www.harbourview-news.com/js/menu.js", "application/x-javascript", 6120},
    {0, "http://img.harbourview-news.com/images/logo.gif", "image/gif", 4388},
    {0, "http://img.harbourview-news.com/images/spacer.gif", "-", 43},
    {0, "http://img.harbourview-news.com/photos/2004/03/harbour_fire.jpg", "image/jpeg", 38406},
    {0, "http://www.harbourview-news.com/news/2004/03/14/harbour-fire.html", "text/html", 27730},
    {0, "http://ads.clickmetric.net/banner/468x60/spring_sale.gif", "image/gif", 17245},
    {1, "http://search.findwell.com/", "text/html", 5102},
    {1, "http://search.findwell.com/images/findwell_logo.png", "image/png", 8731},
    {1, "http://search.findwell.com/search?q=used+bicycle+trailer&hl=en", "text/html", 21655},
    {1, "http://www.tinkerstore.net/shop", "REDR", 0},
    {1, "http://www.tinkerstore.net/shop/", "text/html", 33012},
    {1, "http://www.tinkerstore.net/shop/product.php?id=40712&cat=outdoor", "text/html", 29480},
    {1, "http://www.tinkerstore.net/shop/img/thumbs/40712.jpg", "image/jpeg", 6607},
    {1, "http://www.tinkerstore.net/favicon.ico", "image/x-icon", 1406},
    {1, "http://www.tinkerstore.net/shop/style/shop.css", "text/css", 9240},
    {2, "http://mail.postbox-online.com/", "REDR", 0},
    {2, "https://mail.postbox-online.com/login.asp", "text/html", 7315},
    {2, "https://mail.postbox-online.com/inbox.asp?folder=inbox&sort=date", "text/html", 18820},
    {2, "https://mail.postbox-online.com/img/attach.gif", "image/gif", 112},
    {2, "https://mail.postbox-online.com/scripts/compose.js", "application/x-javascript", 14452},
    {3, "http://forum.linux-helpers.org/viewtopic.php?t=11842", "text/html", 41377},
    {3, "http://forum.linux-helpers.org/templates/subSilver/subSilver.css", "text/css", 7968},
    {3, "http://forum.linux-helpers.org/templates/subSilver/images/folder_new.gif", "image/gif",
     1024},
    {3, "http://forum.linux-helpers.org/files/driver_notes.txt", "text/plain", 3861},
    {3, "http://forum.linux-helpers.org/rss/latest.xml", "text/xml", 12504},
    {4, "http://www.photoshare-pics.com/gallery/autumn_2005/", "text/html", 22893},
    {4, "http://cdn.photoshare-pics.com/gallery/autumn_2005/thumbs/img_0412.jpg", "image/jpeg",
     5930},
    {4, "http://cdn.photoshare-pics.com/gallery/autumn_2005/thumbs/img_0413.jpg", "image/jpeg",
     6214},
    {4, "http://cdn.photoshare-pics.com/player/slideshow.swf", "application/x-shockwave-flash",
     88120},
    {4, kLongAddress, "text/html", 2211},
    {5, "http://www.weatherwise.info/forecast/city.aspx?id=DE-HH-0042", "text/html", 35127},
    {5, "http://www.weatherwise.info/icons/partly_cloudy.png", "image/png", 2877},
    {5, "http://citybus-timetable.org/", "REDR", 0},
    {5, "http://www.citybus-timetable.org/", "text/html", 12060},
    {5, "http://www.citybus-timetable.org/lines/line_112.pdf", "application/pdf", 153600},
    {6, "https://www.bank-of-elsmere.com/online/logon.html", "text/html", 16342},
    {6, "https://www.bank-of-elsmere.com/online/img/padlock.gif", "image/gif", 897},
    {6, "https://www.bank-of-elsmere.com/online/js/security.js", "application/x-javascript", 23544},
    {6, "https://www.bank-of-elsmere.com/online/css/bank.css", "text/css", 5211},
}};

UrlRecordPlan sampleUrl(const SampleEntry& entry, std::uint64_t visit)
{
    const std::string type = entry.Type;
    const std::uint32_t key = HashKey(entry.Address);
    UrlRecordPlan url;
    url.Address = entry.Address;
    url.LastAccess = visit;
    url.LastModified = visit - std::uint64_t{key % (200 * 86400)} * kTicksPerSecond;
    url.FileSize = entry.Size;
    url.SubFolder = static_cast<int>(key >> 6) % 4;
    url.FileName = CacheFileName(url.Address, type, 1);
    ResponseHeaderPlan headers;
    headers.ContentType = type == "-" ? "" : type;
    headers.Length = entry.Size;
    headers.Http10 = type == "-";
    headers.ETag = type.rfind("image/", 0) == 0 ? key : 0;
    headers.AcceptRanges = entry.Size > 2000 && type != "text/html";
    headers.Privacy = url.Address.find("harbourview") != std::string::npos;
    headers.User = "jmiller";
    url.Headers = ResponseHeaders(headers);
    return url;
}

} // namespace

IndexFilePlan MakeSamplePlan()
{
    IndexFilePlan plan;
    plan.TableCount = 2;
    int previousSession = -1;
    std::uint64_t visit = 0;
    for (const SampleEntry& entry : kEntries) {
        const SampleSession& session = kSessions[static_cast<std::size_t>(entry.Session)];
        visit = entry.Session != previousSession
                    ? FileTimeFromUtc(session.Year, session.Month, session.Day, session.Hour,
                                      session.Minute, 9)
                    : visit + (7 + HashKey(entry.Address) % 50) * kTicksPerSecond;
        previousSession = entry.Session;
        if (std::string(entry.Type) == "REDR") {
            plan.Order.push_back(~static_cast<int>(plan.Redirects.size()));
            plan.Redirects.push_back({entry.Address, false, 1});
        } else {
            plan.Order.push_back(static_cast<int>(plan.Urls.size()));
            plan.Urls.push_back(sampleUrl(entry, visit));
        }
    }
    return plan;
}

} // namespace varnok
