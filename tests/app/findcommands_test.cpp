#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/findcommands.h"
#include "grid/resultgrid.h"

namespace {

// Answers the dialogs from a script and writes down everything the commands do.
class RecordingFindHost final : public FindCommandHost {
  public:
    std::deque<std::optional<FindRequest>> Answers;
    std::vector<std::string> Calls;

    std::optional<FindRequest> AskFindRequest() override {
        Calls.push_back("ask");
        std::optional<FindRequest> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void SetCol(int col) override { Calls.push_back("col " + std::to_string(col)); }
    void SetRow(int row) override { Calls.push_back("row " + std::to_string(row)); }
    void ShowMessage(const std::string& text) override { Calls.push_back(text); }
};

void FillList(TResultGrid& grid) {
    grid.SetRowCountEx(4);
    grid.SetFixedRowsEx(1);
    const char* addresses[] = {"http://a/x.htm", "http://b/y.gif", "http://c/z.htm"};
    for (int row = 1; row <= 3; ++row) {
        grid.SetCellEx(0, row, std::to_string(row));
        grid.SetCellEx(1, row, addresses[row - 1]);
        grid.SetCellEx(2, row, "05/06/2004 10:11:12");
    }
}

} // namespace

TEST(FindCommandsTest, HitsMoveColumnThenRowAndMissesShowTheMessage) {
    const std::string notFound = ".                     Text not found                      .";
    TResultGrid grid;
    FillList(grid);
    RecordingFindHost host;
    host.Answers = {FindRequest{"*.HTM", {fnMatchRegular}}, std::nullopt,
                    FindRequest{"nowhere", {}}};

    RunFindCommand(grid, host);
    RunFindNextCommand(grid, host);
    RunFindNextCommand(grid, host);
    RunFindNextCommand(grid, host); // after the miss: from the top again
    RunFindCommand(grid, host);     // cancelled: no search, the state stays
    RunFindNextCommand(grid, host);
    RunFindCommand(grid, host);

    const std::vector<std::string> expected = {"ask",    "col 1", "row 1", "col 1", "row 3",
                                               notFound, "col 1", "row 1", "ask",   "col 1",
                                               "row 3",  "ask",   notFound};
    EXPECT_EQ(host.Calls, expected);
    EXPECT_EQ(grid.Search().FindText(), "NOWHERE");
}
