#include "app/welcometext.h"

#include <array>
#include <string_view>

namespace varnok {

namespace {

// "\xAE" is the registered sign in Windows-1252.
constexpr std::string_view kProductLine = "VARNOK FOR INTERNET EXPLORER\xAE 5 or 6";

std::string JoinLines(const std::string_view* lines, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}

} // namespace

std::string WelcomeText()
{
    const std::string heading = "WELCOME TO " + std::string(kProductLine) + ".";
    const std::array<std::string_view, 6> lines{
        heading,
        "Version 5.0.3",
        "",
        "To operate this software, simply follow the user guide. At program start, the system "
        "cache folder will be detected automatically by Varnok to read the index file. If the "
        "correct path is shown in the edit box, click OK button next to the edit box to open it.",
        " If it is not found, an input box allows to enter the path manually. You can also select "
        "different folders if they contain files of this type (index.dat) by writing the exact "
        "path into the edit box and clicking OK. For example, type the path "
        "'C:\\Windows\\TEMPORARY INTERNET FILES to open the index file of the specified folder "
        "and its subfolder 'Content.IE5'.",
        "For operating instructions, please read the help file: choose Open help in the Help "
        "menu.",
    };
    return JoinLines(lines.data(), lines.size());
}

std::string AboutText()
{
    return std::string(kProductLine) + "\nVersion: 5.0.3";
}

} // namespace varnok
