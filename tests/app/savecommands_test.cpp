#include <gtest/gtest.h>

#include <string>

#include "app/savecommands.h"

namespace varnok {

namespace {

// The proposed name takes the command's extension in place of another format's, in any
// letter case; a name of the command's own format, another extension or none stays.
TEST(ProposedFileName, TakesTheExtensionOfTheChosenFormat)
{
    struct Case {
        const char* Last;
        SaveCommand Command;
        const char* Proposed;
    };
    const Case cases[] = {
        {"/case/list.csv", kSaveAsText, "/case/list.txt"},
        {"/case/LIST.CSV", kSaveAsHtml, "/case/LIST.htm"},
        {"/case/list.html", kSaveAsExcel, "/case/list.csv"},
        {"CacheList.txt", kSaveAsExcel, "CacheList.csv"},
        {"/case/list.html", kSaveAsHtml, "/case/list.html"},
        {"/case/list.Txt", kSaveAsText, "/case/list.Txt"},
        {"/case/notes.dat", kSaveAsExcel, "/case/notes.dat"},
        {"/case.txt/list", kSaveAsExcel, "/case.txt/list"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProposedFileName(c.Last, c.Command), c.Proposed) << c.Last;
}

} // namespace

} // namespace varnok
