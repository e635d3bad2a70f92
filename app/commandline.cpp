#include "app/commandline.h"

#include <array>
#include <optional>
#include <string_view>

#include "grid/search/matchcondition.h"
#include "platform/asciicase.h"

namespace varnok {

namespace {

enum class SwitchKind {
    Help,
    Version,
    CacheFolder,
    IndexFile,
    ScanFolder,
    Sort,
    Filter,
    Output,
    Landscape
};

// Every argument form the program knows. A switch with `TakesText` carries its value after
// the prefix ("/cache:FOLDER"); an output switch takes the next argument as the file name.
struct SwitchForm {
    std::string_view Spelling;
    SwitchKind Kind;
    bool TakesText;
    ExportFormat Format;
};

constexpr std::array<SwitchForm, 16> kSwitches{{
    {"--help", SwitchKind::Help, false, ExportFormat::None},
    {"-h", SwitchKind::Help, false, ExportFormat::None},
    {"/?", SwitchKind::Help, false, ExportFormat::None},
    {"--version", SwitchKind::Version, false, ExportFormat::None},
    {"/cache:", SwitchKind::CacheFolder, true, ExportFormat::None},
    {"/open:", SwitchKind::IndexFile, true, ExportFormat::None},
    {"/scan:", SwitchKind::ScanFolder, true, ExportFormat::None},
    {"/sort:", SwitchKind::Sort, true, ExportFormat::None},
    {"/filter:", SwitchKind::Filter, true, ExportFormat::None},
    {"/stext", SwitchKind::Output, false, ExportFormat::Text},
    {"/scsv", SwitchKind::Output, false, ExportFormat::Csv},
    {"/shtml", SwitchKind::Output, false, ExportFormat::Html},
    {"/spdf", SwitchKind::Output, false, ExportFormat::Pdf},
    {"/landscape", SwitchKind::Landscape, false, ExportFormat::None},
    {"/sjsonl", SwitchKind::Output, false, ExportFormat::JsonLines},
    {"/sbody", SwitchKind::Output, false, ExportFormat::BodyFile},
}};

// The form `argument` has, matched in any letter case; nothing for an argument of no form.
std::optional<SwitchForm> SwitchOf(const std::string& argument)
{
    const std::string lowered = AsciiLowered(argument);
    for (const SwitchForm& form : kSwitches) {
        const bool matches =
            form.TakesText ? lowered.rfind(form.Spelling, 0) == 0 : lowered == form.Spelling;
        if (matches)
            return form;
    }
    return std::nullopt;
}

// Reads the arguments in order. The window takes only the first "/cache:" and ignores the
// rest, so every mistake is kept aside and counts only once the run turns out to be an
// export, where a stray argument could otherwise decide what gets written where.
class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    CommandLine Run()
    {
        for (m_next = 0; m_next < m_arguments.size();) {
            const std::string& argument = m_arguments[m_next++];
            if (const std::optional<SwitchForm> form = SwitchOf(argument))
                Take(*form, argument);
            else
                Problem("Unexpected argument: " + argument);
        }
        if (m_result.CacheFolder && m_result.IndexFile)
            Problem("Give either /cache: or /open:, not both.");
        if (m_result.Landscape && m_result.Format != ExportFormat::Pdf)
            Problem("/landscape applies only to /spdf.");
        CheckTimeline();
        if (m_outputSwitchSeen)
            m_result.Error = m_firstProblem;
        return m_result;
    }

private:
    void Take(const SwitchForm& form, const std::string& argument)
    {
        const std::string text = argument.substr(form.Spelling.size());
        switch (form.Kind) {
        case SwitchKind::Help:
            m_result.Help = true;
            break;
        case SwitchKind::Version:
            m_result.Version = true;
            break;
        case SwitchKind::CacheFolder:
            TakeOnce(m_result.CacheFolder, text, argument, "/cache:");
            break;
        case SwitchKind::IndexFile:
            TakeOnce(m_result.IndexFile, text, argument, "/open:");
            break;
        case SwitchKind::ScanFolder:
            TakeOnce(m_result.ScanFolder, text, argument, "/scan:");
            break;
        case SwitchKind::Sort:
            TakeSort(text, argument);
            break;
        case SwitchKind::Filter:
            TakeFilter(text, argument);
            break;
        case SwitchKind::Output:
            TakeOutput(form.Format, argument);
            break;
        case SwitchKind::Landscape:
            m_result.Landscape = true;
            break;
        }
    }

    // "1", "2", "~1" or "~2": the address or visit-time column, "~" for the reverse order.
    void TakeSort(const std::string& text, const std::string& argument)
    {
        if (m_sortSeen) {
            Problem("Only one /sort: may be given: " + argument);
            return;
        }
        m_sortSeen = true;
        const bool descending = text.size() == 2 && text[0] == '~';
        const std::string column = descending ? text.substr(1) : text;
        if (column != "1" && column != "2") {
            Problem("Unknown sort column: " + argument + " (give 1, 2, ~1 or ~2).");
            return;
        }
        m_result.SortColumn = column[0] - '0';
        m_result.SortDescending = descending;
    }

    void TakeFilter(const std::string& text, const std::string& argument)
    {
        if (text.empty())
            Problem("Missing condition after /filter:.");
        else if (const std::optional<std::string> refusal = LongConditionRefusal(text))
            Problem("/filter: " + *refusal);
        else
            TakeOnce(m_result.AddressFilter, text, argument, "/filter:");
    }

    // Only the first value counts, as the window takes only the first folder.
    void TakeOnce(std::optional<std::string>& slot, const std::string& text,
                  const std::string& argument, const char* prefix)
    {
        if (slot)
            Problem(std::string("Only one ") + prefix + " may be given: " + argument);
        else
            slot = text;
    }

    void TakeOutput(ExportFormat format, const std::string& argument)
    {
        m_outputSwitchSeen = true;
        if (m_result.Format != ExportFormat::None) {
            Problem("Only one of /stext, /scsv, /shtml, /spdf, /sjsonl and /sbody may be given: " +
                    argument);
            return;
        }
        if (m_next >= m_arguments.size() || m_arguments[m_next].empty()) {
            Problem("Missing output file after " + argument + ".");
            return;
        }
        const std::string& name = m_arguments[m_next];
        if (SwitchOf(name)) {
            // "/stext /scsv" would otherwise create a file named after the switch.
            Problem("Missing output file after " + argument + ": " + name + " is a switch.");
            return;
        }
        m_result.Format = format;
        m_result.OutputFile = name;
        ++m_next;
    }

    // A timeline lists every record of one index file (/open:) or of every index file in a
    // folder (/scan:), unsorted and unfiltered; /scan: makes no list.
    void CheckTimeline()
    {
        const bool timeline = IsTimeline(m_result.Format);
        const bool scan = m_result.ScanFolder.has_value();
        if (scan && !timeline)
            Problem("/scan: is given with /sjsonl or /sbody only.");
        if (scan && (m_result.CacheFolder || m_result.IndexFile))
            Problem("Give either /scan: or /open:, not both.");
        if (timeline && !scan && !m_result.IndexFile)
            Problem("/sjsonl and /sbody need /open:INDEXFILE or /scan:FOLDER.");
        if (timeline && (m_sortSeen || m_result.AddressFilter))
            Problem("/sort: and /filter: are given with /stext, /scsv, /shtml or /spdf only.");
    }

    void Problem(const std::string& text)
    {
        if (m_firstProblem.empty())
            m_firstProblem = text;
    }

    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
    CommandLine m_result;
    bool m_outputSwitchSeen = false;
    bool m_sortSeen = false;
    std::string m_firstProblem;
};

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    return Parser(arguments).Run();
}

std::string UsageText()
{
    return "Usage: varnok5 [/cache:FOLDER | FOLDER | INDEXFILE]\n"
           "       varnok5 [/cache:FOLDER | /open:INDEXFILE] [/filter:CONDITION] [/sort:[~]N]\n"
           "               (/stext | /scsv | /shtml | [/landscape] /spdf) OUTFILE\n"
           "       varnok5 (/open:INDEXFILE | /scan:FOLDER) (/sjsonl | /sbody) OUTFILE\n"
           "       varnok5 --help | --version\n"
           "\n"
           "Without an output switch the viewer window opens, on FOLDER when given.\n"
           "With /stext, /scsv or /shtml the list is written to OUTFILE (\"-\" for standard\n"
           "output) as column-aligned text, semicolon-separated values or an HTML table, and\n"
           "no window opens. /spdf prints the list into OUTFILE as a PDF on A4 paper (with\n"
           "/landscape: A4 landscape), as Print all lays it out, as a case exhibit: each\n"
           "page names the index file as given, its SHA-256 and size, the time zone the\n"
           "times are shown in, the date and time of printing and its page number as n/N.\n"
           "The address column takes the width the number and visit columns leave.\n"
           "/cache: reads FOLDER/Content.IE5/index.dat; /open: reads the given index file.\n"
           "Without either, the stored default cache folder is read.\n"
           "/filter: keeps the rows whose address matches CONDITION, as Find reads it with\n"
           "\"Regular expressions\" and without \"Case sensitive\" (\"*.exe;*.zip\": either\n"
           "ending; quote it for the shell), numbered afresh. With the HTML cell format the\n"
           "address includes its link markup, so \"*.exe*\" finds the .exe links. A\n"
           "condition may hold at most 1000 characters.\n"
           "/sort:1 sorts by address, /sort:2 by the time of the latest visit, as a click on\n"
           "that column's header does; /sort:~N sorts in the reverse order. The filter runs\n"
           "first.\n"
           "Date order, the text-only filter and the cell format come from Varnok5.ini.\n"
           "The output may not be the index file that is read.\n"
           "/sjsonl writes every record (\"URL \", \"REDR\" and \"LEAK\", deleted ones too) with\n"
           "all its fields as JSON lines for Timesketch, one line per time of a record;\n"
           "/sbody writes one line per record in The Sleuth Kit's body format for mactime.\n"
           "/scan: reads every index file below FOLDER (symbolic links are not followed) into\n"
           "the one output, each record naming its file; the exit status is 2 when some\n"
           "index file could not be read whole (each is named on standard error).\n"
           "A bare FOLDER opens the window on it as /cache: does; a bare INDEXFILE opens\n"
           "the window on the cache folder whose Content.IE5 holds it.\n"
           "\n"
           "Examples:\n"
           "  varnok5 /cache:/mnt/case/ie5 /scsv list.csv\n"
           "  varnok5 /open:index.dat \"/filter:*.exe;*.zip\" /sort:~2 /stext -\n"
           "  varnok5 /open:index.dat /sort:1 /spdf list.pdf\n"
           "  varnok5 /open:index.dat /landscape /spdf list.pdf\n"
           "  varnok5 /scan:/mnt/case /sjsonl timeline.jsonl\n";
}

std::string VersionText()
{
    return "varnok5 (Varnok 5) " VARNOK_VERSION "\n";
}

bool IsSwitch(const std::string& argument)
{
    return SwitchOf(argument).has_value();
}

} // namespace varnok
