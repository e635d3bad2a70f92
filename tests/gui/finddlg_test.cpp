#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
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

namespace varnok {

namespace {

template <typename Widget = QWidget> Widget* Child(const QWidget& parent, const char* name)
{
    auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(const QWidget& dialog, const char* name)
{
    QTest::mouseClick(Child(dialog, name), Qt::LeftButton);
}

// Runs `inspect` on the first modal window of type Dialog once it is up and active; it must
// close it.
template <typename Dialog> void WhenModalIsUp(std::function<void(Dialog&)> inspect)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [inspect, poll] {
        auto* modal = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (modal != nullptr && QTest::qWaitForWindowExposed(modal)) {
            modal->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
            inspect(*modal);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

void ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

struct Place {
    const char* Name;
    const char* Caption;
    QRect Design;
};

} // namespace

TEST(FindDialogTest, ControlsAtTheirScaledDesignPlaces)
{
    EXPECT_EQ(TFind::ScaledFromDesign(437, 96), 350); // 349.6
    EXPECT_EQ(TFind::ScaledFromDesign(14, 144), 17);  // 16.8

    TFind dialog;
    const int dpi = dialog.logicalDpiY();
    const auto scaled = [dpi](int design) { return TFind::ScaledFromDesign(design, dpi); };
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Find"));
    EXPECT_EQ(dialog.size(), QSize(scaled(437), scaled(215)));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.font().pixelSize(), scaled(14));

    const std::vector<Place> places = {{"Label1", "Text to find :", {11, 15, 70, 16}},
                                       {"findtext", "", {89, 10, 286, 24}},
                                       {"chkcase", "Case sensitive", {10, 49, 119, 21}},
                                       {"chkfull", "Whole words only", {138, 49, 139, 21}},
                                       {"chkregular", "Regular expressions", {283, 49, 151, 21}},
                                       {"Button1", "OK", {89, 177, 92, 31}},
                                       {"Button2", "Cancel", {187, 177, 92, 31}},
                                       {"Button3", "Help", {286, 177, 92, 31}},
                                       {"dir", "Direction", {177, 79, 159, 90}},
                                       {"where", "Where ", {10, 79, 159, 90}},
                                       {"dir0", "Top - down", {}},
                                       {"dir1", "Left - right", {}},
                                       {"where0", "In entire grid", {}},
                                       {"where1", "In current column", {}},
                                       {"where2", "In current row", {}}};
    for (const Place& place : places) {
        const QWidget* control = Child(dialog, place.Name);
        if (!place.Design.isNull()) {
            EXPECT_EQ(control->geometry(),
                      QRect(scaled(place.Design.x()), scaled(place.Design.y()),
                            scaled(place.Design.width()), scaled(place.Design.height())))
                << place.Name;
        }
        QString caption = control->property("text").toString();
        if (const auto* group = qobject_cast<const QGroupBox*>(control))
            caption = group->title();
        EXPECT_EQ(caption.toStdString(), place.Caption) << place.Name;
        if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            EXPECT_FALSE(button->isDefault() || button->autoDefault()) << place.Name;
        } else if (!qobject_cast<const QGroupBox*>(control) && !caption.isEmpty()) {
            // Captions are readable whole in the font at hand.
            EXPECT_LE(control->sizeHint().width(), control->width()) << place.Name;
        }
    }
    EXPECT_TRUE(Child<QRadioButton>(dialog, "dir0")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dialog, "where0")->isChecked());
}

TEST(FindDialogTest, ChoicesBecomeTheParameterSet)
{
    const std::vector<std::pair<std::vector<const char*>, TFindParameters>> cases = {
        {{}, {}},
        {{"chkcase", "chkfull", "chkregular"}, {fnMatchCase, fnMatchFull, fnMatchRegular}},
        {{"dir1"}, {fnDirectionLeftRight}},
        {{"where1"}, {fnFindInCurrentCol}},
        {{"where2"}, {fnFindInCurrentRow}},
        {{"chkcase", "chkregular", "dir1", "where2"},
         {fnMatchCase, fnMatchRegular, fnDirectionLeftRight, fnFindInCurrentRow}},
        {{"chkfull", "chkfull", "dir1", "dir0", "where2", "where0"}, {}},
    };
    for (const auto& [clicks, expected] : cases) {
        TFind dialog;
        ShowActive(dialog);
        for (const char* name : clicks)
            Click(dialog, name);
        EXPECT_EQ(dialog.FindParameters().Bits(), expected.Bits()) << clicks.size();
    }
}

// A session as a user has it: Find, typing (Help keeps the dialog open), Tab
// through the controls, OK by Enter on the focused button; Find again in a fresh dialog,
// left with Esc; Find next past the last match.
TEST(FindDialogTest, EachFindOpensAFreshDialogAndGoesToTheMatch)
{
    TResultGrid grid;
    grid.SetRowCountEx(4);
    grid.SetFixedRowsEx(1);
    for (int row = 1; row <= 3; ++row)
        grid.SetCellEx(1, row, "http://host/caf\xE9" + std::to_string(row) + ".htm");
    TResultGridView view(grid);
    view.resize(500, 200);
    ShowActive(view);
    QtUserDialogs dialogs(&view);
    GridViewFindHost host(view, dialogs);

    std::vector<std::string> focusOrder;
    WhenModalIsUp<TFind>([&focusOrder](TFind& dialog) {
        // Typed as a key event with its text: QTest has no key for the accented letter.
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("CAF\u00C92"));
        QApplication::sendEvent(QApplication::focusWidget(), &typed);
        Click(dialog, "Button3");
        Click(dialog, "dir1");
        Child(dialog, "findtext")->setFocus();
        for (int i = 0; i < 9 && dialog.isVisible(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            focusOrder.push_back(QApplication::focusWidget()->objectName().toStdString());
        }
        Child(dialog, "Button1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    RunFindCommand(grid, host);
    EXPECT_EQ(focusOrder,
              (std::vector<std::string>{"chkcase", "chkfull", "chkregular", "Button1", "Button2",
                                        "Button3", "dir1", "where0", "findtext"}));
    EXPECT_EQ(grid.Search().FindText(), "CAF\xC9"
                                        "2");
    EXPECT_EQ(grid.Search().FindOptions(), TFindParameters{fnDirectionLeftRight});
    EXPECT_EQ((GridCell{grid.Col(), grid.Row()}), (GridCell{1, 2}));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 1, 2}));

    bool fresh = false;
    WhenModalIsUp<TFind>([&fresh](TFind& dialog) {
        fresh = Child<QLineEdit>(dialog, "findtext")->text().isEmpty() &&
                Child<QRadioButton>(dialog, "dir0")->isChecked() &&
                dialog.FindParameters() == TFindParameters{};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    RunFindCommand(grid, host);
    EXPECT_TRUE(fresh);
    EXPECT_EQ(grid.Search().FindText(), "CAF\xC9"
                                        "2"); // Esc starts no search

    std::vector<std::string> seen;
    WhenModalIsUp<QMessageBox>([&seen](QMessageBox& box) {
        seen = {box.windowTitle().toStdString(), box.text().toStdString(),
                std::to_string(box.standardButtons().toInt())};
        box.button(QMessageBox::Ok)->click();
    });
    RunFindNextCommand(grid, host);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Varnok 5", ".                     Text not found                      .",
                        std::to_string(QMessageBox::StandardButtons(QMessageBox::Ok).toInt())}));
    EXPECT_EQ((GridCell{grid.Col(), grid.Row()}), (GridCell{1, 2}));
}

// Enter finds from the text box and from an option, as the OK button does; on Cancel it
// cancels.
TEST(FindDialogTest, EnterFindsUnlessAnotherButtonHasTheFocus)
{
    TResultGrid grid;
    grid.SetRowCountEx(4);
    grid.SetFixedRowsEx(1);
    for (int row = 1; row <= 3; ++row)
        grid.SetCellEx(1, row, "http://host/page" + std::to_string(row) + ".htm");
    TResultGridView view(grid);
    view.resize(500, 200);
    ShowActive(view);
    QtUserDialogs dialogs(&view);
    GridViewFindHost host(view, dialogs);
    struct Case {
        const char* focus;
        const char* text;
        GridCell found;
    };
    const Case cases[] = {
        {"findtext", "page3", {1, 3}},
        {"chkcase", "page2", {1, 2}},
        {"Button2", "page1", {1, 2}},
    };
    for (const Case& c : cases) {
        bool closed = false;
        WhenModalIsUp<TFind>([&c, &closed](TFind& dialog) {
            Child<QLineEdit>(dialog, "findtext")->setText(QString::fromLatin1(c.text));
            Child(dialog, c.focus)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            closed = !dialog.isVisible();
            if (!closed)
                dialog.reject();
        });
        RunFindCommand(grid, host);
        EXPECT_TRUE(closed) << c.focus;
        EXPECT_EQ((GridCell{grid.Col(), grid.Row()}), c.found) << c.focus;
    }
}

} // namespace varnok
