#include "tools/forensicsample.h"

#include <filesystem>
#include <system_error>

#include "tools/cacheentrytext.h"
#include "tools/indexbytes.h"

namespace varnok {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kTicksPerHour = 3600 * kTicksPerSecond;
constexpr int kNoCacheFolder = 0xFE; // history and cookie entries name no cache sub-folder

constexpr const char* kProfile = "Documents and Settings/alice/";
constexpr const char* kHistoryFolder = "Local Settings/History/History.IE5/";
// The daily file of 15 March 2004 and the weekly file of the week before it.
constexpr const char* kDailyRange = "2004031520040316";
constexpr const char* kWeeklyRange = "2004030820040315";

std::uint64_t at(int day, int hour, int minute, int second = 0)
{
    return FileTimeFromUtc(2004, 3, day, hour, minute, second);
}

std::uint64_t localOf(std::uint64_t utc)
{
    return utc + kForensicUtcOffsetHours * kTicksPerHour;
}

void add(IndexFilePlan& plan, const UrlRecordPlan& url)
{
    plan.Order.push_back(static_cast<int>(plan.Urls.size()));
    plan.Urls.push_back(url);
}

void addRedirect(IndexFilePlan& plan, const std::string& address)
{
    plan.Order.push_back(~static_cast<int>(plan.Redirects.size()));
    plan.Redirects.push_back({address, false, 1, false});
}

UrlRecordPlan cached(const std::string& address, const std::string& type, std::uint32_t size,
                     std::uint64_t visit, std::uint32_t hits)
{
    UrlRecordPlan url;
    url.Address = address;
    url.LastAccess = visit;
    url.LastModified = visit - 40 * 24 * kTicksPerHour;
    url.FileSize = size;
    url.Hits = hits;
    url.SubFolder = static_cast<int>(hits % 4);
    url.FileName = CacheFileName(address, type, 1);
    ResponseHeaderPlan headers;
    headers.ContentType = type;
    headers.Length = size;
    headers.User = kForensicUser;
    url.Headers = ResponseHeaders(headers);
    return url;
}

// The cache: ordinary entries, then the cases exporters get wrong.
IndexFilePlan cachePlan()
{
    IndexFilePlan plan;
    add(plan, cached("http://www.harbourview-news.com/", "text/html", 18231, at(15, 9, 12), 3));
    add(plan, cached("http://www.harbourview-news.com/images/logo.gif", "image/gif", 2291,
                     at(15, 9, 12, 2), 7));
    addRedirect(plan, "http://www.tinkerstore.net/shop");
    add(plan, cached("http://www.tinkerstore.net/shop/", "text/html", 30411, at(15, 9, 30), 1));
    // Quotes, backslashes, a bar, control bytes and Windows-1252 letters in addresses.
    add(plan, cached("http://search.findwell.com/q?s=\"forged+invoice\"&lang='en'", "text/html",
                     9120, at(15, 10, 2), 2));
    add(plan, cached("http://files.example.net/C:\\Temp\\share\\report.doc", "application/msword",
                     48128, at(15, 10, 5), 1));
    add(plan, cached("http://www.pipe-works.org/a|b|c.html", "text/html", 4021, at(15, 10, 7), 1));
    add(plan, cached("http://ctl.example.org/a\x01"
                     "b\x1f"
                     "c\td\x7f",
                     "text/plain", 77, at(15, 10, 8), 1));
    add(plan, cached("http://www.caf\xe9-m\xfcller.de/\x93news\x94\x80.html", "text/html", 5120,
                     at(15, 10, 11), 4));
    UrlRecordPlan oddHeaders =
        cached("http://www.weatherwise.info/today.html", "text/html", 6200, at(15, 11, 0), 2);
    oddHeaders.Headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n"
                         "X-Note: \"quoted\" \\back\\slash\\ |bar| caf\xe9 \x07"
                         "bell\r\n"
                         "\r\n~U:alice\r\n";
    add(plan, oddHeaders);
    UrlRecordPlan oldLayout =
        cached("http://www.citybus-timetable.org/line7.html", "text/html", 3310, at(15, 11, 20), 1);
    oldLayout.AddressAt96 = true;
    add(plan, oldLayout);
    std::string longAddress = "http://ads.clickmetric.net/click.php?campaign=40112&placement=";
    while (longAddress.size() < 300) {
        longAddress += "7731%2C";
    }
    add(plan, cached(longAddress, "text/html", 120, at(15, 11, 21), 1));
    // A cached file that could not be deleted, and a deleted entry whose blocks are free.
    UrlRecordPlan leak = cached("http://download.freeware-vault.org/setup.exe",
                                "application/octet-stream", 1048576, at(15, 11, 40), 1);
    leak.Signature = "LEAK";
    add(plan, leak);
    UrlRecordPlan deleted = cached("http://www.bank-of-elsmere.com/statement.pdf",
                                   "application/pdf", 88210, at(15, 12, 3), 1);
    deleted.Freed = true;
    deleted.InHashTable = false;
    add(plan, deleted);
    addRedirect(plan, "http://moved.example.com/old|path");
    return plan;
}

UrlRecordPlan uncached(const std::string& address, std::uint64_t primary, std::uint64_t secondary,
                       std::uint32_t hits)
{
    UrlRecordPlan url;
    url.Address = address;
    url.LastAccess = primary;
    url.LastModified = secondary;
    url.Hits = hits;
    url.FileName.clear();
    url.Headers.clear();
    url.SubFolder = kNoCacheFolder;
    return url;
}

IndexFilePlan cookiePlan()
{
    IndexFilePlan plan;
    plan.SubFolders.clear();
    const char* hosts[] = {"harbourview-news.com/", "www.tinkerstore.net/shop/",
                           "clickmetric.net/"};
    int day = 14;
    for (const char* host : hosts) {
        UrlRecordPlan cookie = uncached(std::string("Cookie:") + kForensicUser + "@" + host,
                                        at(day, 20, 5), at(day, 20, 5) - kTicksPerHour, 2);
        cookie.FileName = std::string(kForensicUser) + "@" +
                          std::string(host).substr(0, std::string(host).find('/')) + "[1].txt";
        cookie.Expiry = DosDateTimeFromFileTime(FileTimeFromUtc(2006, 3, day, 20, 5, 0));
        cookie.FileSize = 96 + static_cast<std::uint32_t>(day);
        add(plan, cookie);
        ++day;
    }
    return plan;
}

// The main history holds one "Visited:" entry per address, times in UTC.
IndexFilePlan historyPlan()
{
    IndexFilePlan plan;
    plan.SubFolders.clear();
    const std::string visited = std::string("Visited: ") + kForensicUser + "@";
    add(plan,
        uncached(visited + "http://www.harbourview-news.com/", at(15, 9, 12), at(2, 8, 0), 9));
    add(plan,
        uncached(visited + "http://www.tinkerstore.net/shop/", at(15, 9, 30), at(15, 9, 30), 1));
    add(plan, uncached(visited + "file:///C:/Documents%20and%20Settings/alice/My%20Documents/"
                                 "plan|final.doc",
                       at(15, 13, 44), at(15, 13, 44), 1));
    add(plan,
        uncached(visited + "http://www.caf\xe9-m\xfcller.de/", at(15, 10, 11), at(15, 10, 11), 2));
    return plan;
}

// A daily file keeps the visit in UTC and again in the computer's local time.
IndexFilePlan dailyPlan()
{
    IndexFilePlan plan;
    plan.SubFolders.clear();
    const std::string prefix = std::string(":") + kDailyRange + ": " + kForensicUser + "@";
    const std::uint64_t visits[] = {at(15, 9, 12), at(15, 9, 30), at(15, 13, 44)};
    add(plan,
        uncached(prefix + "http://www.harbourview-news.com/", visits[0], localOf(visits[0]), 3));
    add(plan,
        uncached(prefix + "http://www.tinkerstore.net/shop/", visits[1], localOf(visits[1]), 1));
    add(plan, uncached(prefix + ":Host: www.tinkerstore.net", visits[1], localOf(visits[1]), 1));
    add(plan, uncached(prefix + "file:///C:/Documents%20and%20Settings/alice/My%20Documents/"
                                "plan|final.doc",
                       visits[2], localOf(visits[2]), 1));
    return plan;
}

// A weekly file keeps when the entry was made (UTC) and the last visit in local time.
IndexFilePlan weeklyPlan()
{
    IndexFilePlan plan;
    plan.SubFolders.clear();
    const std::string prefix = std::string(":") + kWeeklyRange + ": " + kForensicUser + "@";
    const std::uint64_t created = at(15, 8, 55);
    add(plan,
        uncached(prefix + "http://www.harbourview-news.com/", created, localOf(at(12, 18, 20)), 6));
    add(plan, uncached(prefix + "http://mail.postbox-online.com/inbox", created,
                       localOf(at(9, 7, 45)), 2));
    add(plan,
        uncached(prefix + ":Host: mail.postbox-online.com", created, localOf(at(9, 7, 45)), 2));
    return plan;
}

// Wine's own cache under the same user: another signature, the first table at 0x4000.
IndexFilePlan winePlan()
{
    IndexFilePlan plan;
    plan.Signature = "WINE URLCache Ver 0.2012001";
    plan.FirstTableOffset = 0x4000;
    plan.RecordsStart = 0x5000;
    add(plan, cached("http://www.winehq.org/", "text/html", 12007, at(16, 19, 40), 1));
    add(plan, cached("http://www.winehq.org/images/winehq_logo.png", "image/png", 5522,
                     at(16, 19, 40, 1), 1));
    return plan;
}

// A cache cut off in the middle of a record, as a carved or partly copied file is.
std::vector<std::uint8_t> damagedBytes()
{
    IndexFilePlan plan = MakeRealisticPlan(30, 11);
    const GeneratedIndex index = BuildIndexFile(plan);
    const std::uint32_t cut = index.RecordOffsets[index.RecordOffsets.size() / 2] + 200;
    return Truncated(index.Bytes, cut);
}

bool writeText(const std::filesystem::path& path, const std::string& text)
{
    return WriteFileBytes(path.string(), std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace

std::vector<ForensicSampleFile> MakeForensicSamplePlans()
{
    const std::string profile = kProfile;
    const std::string history = profile + kHistoryFolder;
    return {
        {".wine/drive_c/users/alice/Temporary Internet Files/Content.IE5/index.dat", winePlan()},
        {profile + "Cookies/index.dat", cookiePlan()},
        {history + "MSHist01" + kWeeklyRange + "/index.dat", weeklyPlan()},
        {history + "MSHist01" + kDailyRange + "/index.dat", dailyPlan()},
        {history + "index.dat", historyPlan()},
        {profile + "Local Settings/Temporary Internet Files/Content.IE5/index.dat", cachePlan()},
    };
}

bool WriteForensicSample(const std::string& folder, std::string& error)
{
    namespace fs = std::filesystem;
    const fs::path root(folder);
    std::error_code failure;
    auto write = [&](const std::string& relative, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = root / relative;
        fs::create_directories(path.parent_path(), failure);
        if (failure || !WriteFileBytes(path.string(), bytes)) {
            error = "cannot write " + path.string();
            return false;
        }
        return true;
    };
    for (const ForensicSampleFile& file : MakeForensicSamplePlans()) {
        if (!write(file.Path, BuildIndexFile(file.Plan).Bytes)) {
            return false;
        }
    }
    if (!write(kForensicDamagedPath, damagedBytes()) ||
        !writeText(root / kForensicNotIndexPath, "not an index file\r\n")) {
        error = error.empty() ? "cannot write " + (root / kForensicNotIndexPath).string() : error;
        return false;
    }
    // A folder link back into the cache: a walk that follows links lists the cache twice.
    const fs::path link = root / kForensicLinkPath;
    fs::create_directories(link.parent_path(), failure);
    fs::remove(link, failure);
    fs::create_directory_symlink("../Local Settings/Temporary Internet Files", link, failure);
    if (failure) {
        error = "cannot create the link " + link.string() + ": " + failure.message();
        return false;
    }
    return true;
}

} // namespace varnok
