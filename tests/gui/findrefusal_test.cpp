#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window/finddlg.h"
#include "app/window/gridviewfindhost.h"
#include "app/window/qtuserdialogs.h"
#include "grid/resultgrid.h"
#include "grid/view/resultgridview.h"
#include "modaldialog.h"

namespace varnok {

namespace {

// Runs `inspect` on the first message box that comes up modally; it must close it.
void WhenMessageBoxIsUp(std::function<void(QMessageBox&)> inspect)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [inspect, poll] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            inspect(*box);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

} // namespace

// On screen, a condition over 1,000 characters typed into the find dialog with "Regular
// expressions" ends in the error box, not in a search.
TEST(FindRefusalTest, ALongConditionEndsInTheErrorBox)
{
    TResultGrid grid;
    grid.SetRowCountEx(3);
    grid.SetFixedRowsEx(1);
    TResultGridView view(grid);
    QtUserDialogs dialogs(&view);
    GridViewFindHost host(view, dialogs);

    std::vector<std::string> seen;
    WhenModalIsUp([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("findtext"))
            ->setText(QString(1001, QLatin1Char('*')));
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("chkregular")),
                          Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    WhenMessageBoxIsUp([&seen](QMessageBox& box) {
        seen = {box.windowTitle().toStdString(), box.text().toStdString(),
                std::to_string(static_cast<int>(box.icon()))};
        box.button(QMessageBox::Ok)->click();
    });
    RunFindCommand(grid, host);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "ERROR",
                        "The condition is 1001 characters long; a condition may hold at most "
                        "1000 characters.",
                        std::to_string(static_cast<int>(QMessageBox::Critical))}));
    EXPECT_EQ(grid.Search().FindText(), "");
}

} // namespace varnok
