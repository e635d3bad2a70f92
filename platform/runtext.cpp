#include "platform/runtext.h"

namespace varnok {

namespace {

constexpr std::size_t kTabSize = 8;

} // namespace

std::string ExpandTabs(std::string_view line)
{
    return ShowRunText(line, false).Text;
}

bool ShowsAsWritten(std::string_view text, bool prefix)
{
    return text.find_first_of(prefix ? std::string_view("&\t") : std::string_view("\t")) ==
           std::string_view::npos;
}

ShownRun ShowRunText(std::string_view text, bool prefix)
{
    ShownRun run;
    run.Text.reserve(text.size());
    bool underlineNext = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (prefix && c == '&') {
            if (i + 1 >= text.size() || text[i + 1] != '&') {
                underlineNext = true;
                continue;
            }
            ++i; // "&&": the second one is shown
        }
        if (underlineNext) {
            run.Underlined.push_back(run.Text.size());
            underlineNext = false;
        }
        if (c == '\t')
            run.Text.append(kTabSize - run.Text.size() % kTabSize, ' ');
        else
            run.Text.push_back(c);
    }
    return run;
}

} // namespace varnok
