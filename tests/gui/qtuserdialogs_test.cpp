#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "app/welcometext.h"
#include "app/window/qtuserdialogs.h"
#include "modaldialog.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

namespace fs = std::filesystem;

// Texts as UTF-8, to compare with plain literals.
struct BoxSeen {
    std::string Title;
    std::string Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
};

// Looks at the message box and presses OK.
std::function<void(QWidget*)> ReadBoxAndPressOk(BoxSeen& seen)
{
    return [&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle().toStdString(), box->text().toStdString(), box->icon(),
                box->standardButtons()};
        box->button(QMessageBox::Ok)->click();
    };
}

TEST(QtUserDialogsTest, ErrorBoxHasItsCaptionIconAndOkButton)
{
    QtUserDialogs dialogs;
    BoxSeen seen;
    WhenModalIsUp(ReadBoxAndPressOk(seen));
    dialogs.ShowError("Invalid Cache path in command line,\t please try again!");

    EXPECT_EQ(seen.Title, "ERROR");
    EXPECT_EQ(seen.Text, "Invalid Cache path in command line,\t please try again!");
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    EXPECT_EQ(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(QtUserDialogsTest, AboutShowsTheRegisteredSign)
{
    QtUserDialogs dialogs;
    BoxSeen seen;
    WhenModalIsUp(ReadBoxAndPressOk(seen));
    dialogs.ShowAbout(AboutText());

    EXPECT_EQ(seen.Title, "About");
    EXPECT_EQ(seen.Text, "VARNOK FOR INTERNET EXPLORER\u00AE 5 or 6\nVersion: 5.0.3");
    EXPECT_EQ(seen.Icon, QMessageBox::NoIcon);
}

TEST(QtUserDialogsTest, FileErrorOffersOkAndCancelAndShowsAPathCaption)
{
    QtUserDialogs dialogs;
    BoxSeen seen;
    WhenModalIsUp(ReadBoxAndPressOk(seen));
    dialogs.ShowFileError(
        "Can't perform one of the following  operations: Open, Seek. in directory ",
        "File Error /home/anna/B\xC3\xBC"
        "cher/Content.IE5/");

    EXPECT_EQ(seen.Title, "File Error /home/anna/B\u00FCcher/Content.IE5/");
    EXPECT_EQ(seen.Buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

TEST(QtUserDialogsTest, InformationAndApplicationErrorCaptions)
{
    QtUserDialogs dialogs;
    BoxSeen seen;
    WhenModalIsUp(ReadBoxAndPressOk(seen));
    dialogs.ShowInformation(WelcomeText());
    EXPECT_EQ(seen.Title, "Information");
    EXPECT_EQ(seen.Icon, QMessageBox::Information);
    EXPECT_EQ(seen.Text.rfind("WELCOME TO VARNOK FOR INTERNET EXPLORER\u00AE 5 or 6.\n", 0), 0u);

    WhenModalIsUp(ReadBoxAndPressOk(seen));
    dialogs.ShowApplicationError("Unable to write to /x/Varnok5.ini");
    EXPECT_EQ(seen.Title, "Varnok 5");
    EXPECT_EQ(seen.Text, "Unable to write to /x/Varnok5.ini");
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
}

// Replacing a file takes a Yes: Enter presses No, and No keeps the file.
TEST(QtUserDialogsTest, ConfirmReplaceDefaultsToNo)
{
    QtUserDialogs dialogs;
    for (const QMessageBox::StandardButton press : {QMessageBox::Yes, QMessageBox::No}) {
        BoxSeen seen;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        WhenModalIsUp([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle().toStdString(), box->text().toStdString(), box->icon(),
                    box->standardButtons()};
            defaultButton = box->standardButton(box->defaultButton());
            box->button(press)->click();
        });
        EXPECT_EQ(dialogs.ConfirmReplace("/case/list.csv already exists.\nDo you want to "
                                         "replace it?"),
                  press == QMessageBox::Yes);
        EXPECT_EQ(seen.Title, "Confirm Save As");
        EXPECT_EQ(seen.Text, "/case/list.csv already exists.\nDo you want to replace it?");
        EXPECT_EQ(seen.Icon, QMessageBox::Warning);
        EXPECT_EQ(seen.Buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(defaultButton, QMessageBox::No);
    }
}

TEST(QtUserDialogsTest, InputBoxReturnsTheEditedTextOnOkAndNothingOnCancel)
{
    QtUserDialogs dialogs;
    std::string title;
    std::string label;
    std::string preset;
    int maxLength = 0;
    WhenModalIsUp([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle().toStdString();
        label = dialog->labelText().toStdString();
        preset = dialog->textValue().toStdString();
        auto* edit = dialog->findChild<QLineEdit*>();
        maxLength = edit->maxLength();
        edit->setText(QString::fromUtf8("/cache/Stra\u00DFe"));
        dialog->accept();
    });
    const auto entered =
        dialogs.InputBox("Cache path not found!",
                         "Enter cache folder path: ", "C:\\Windows\\Temporary Internet Files");
    EXPECT_EQ(title, "Cache path not found!");
    EXPECT_EQ(label, "Enter cache folder path: ");
    EXPECT_EQ(preset, "C:\\Windows\\Temporary Internet Files");
    EXPECT_EQ(maxLength, 255);
    ASSERT_TRUE(entered.has_value());
    EXPECT_EQ(*entered, "/cache/Stra\xC3\x9F"
                        "e")
        << "the file system's UTF-8 bytes";

    WhenModalIsUp([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(dialogs.InputBox("Cache path does not exist!", "Enter cache path: ", "/x/"));
}

// A box of start-up shows its whole caption beside the window manager's buttons, and the
// fallback path in full, in a field wide enough for long paths.
TEST(QtUserDialogsTest, InputBoxShowsCaptionAndPathInFull)
{
    QtUserDialogs dialogs;
    const QString path = QStringLiteral("C:\\Windows\\Temporary Internet Files");
    int boxWidth = 0;
    int fieldWidth = 0;
    WhenModalIsUp([&](QWidget* modal) {
        boxWidth = modal->width();
        fieldWidth = modal->findChild<QLineEdit*>()->width();
        qobject_cast<QDialog*>(modal)->reject();
    });
    (void)dialogs.InputBox("Cache path not found!",
                           "Enter cache folder path: ", path.toStdString());
    const QFontMetrics metrics(QApplication::font());
    EXPECT_GE(boxWidth, metrics.horizontalAdvance(QStringLiteral("Cache path not found!")) + 120);
    EXPECT_GE(fieldWidth,
              std::max(metrics.horizontalAdvance(path), 60 * metrics.averageCharWidth()));
}

TEST(QtUserDialogsTest, OpenDialogStartsInTheContentFolderWithItsFilters)
{
    TempDir folder;
    WriteWholeFile(folder.File("index.dat"), "x");
    QtUserDialogs dialogs;
    std::string title;
    QStringList filters;
    std::string directory;
    WhenModalIsUp([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle().toStdString();
        filters = dialog->nameFilters();
        directory = dialog->directory().absolutePath().toStdString();
        dialog->reject();
    });
    EXPECT_FALSE(dialogs.OpenIndexFile(folder.Path().string() + "/", folder.File("index.dat")));
    EXPECT_EQ(title, "Open");
    // The file dialog folds runs of blanks in filter names into one.
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Index file for cache (*.dat)"),
                                    QStringLiteral("Any file (*.*)")}));
    EXPECT_EQ(directory, folder.Path().string());
}

TEST(QtUserDialogsTest, MissingStartFolderFallsBackToDesktopThenHome)
{
    TempDir home;
    ScopedEnv homeEnv("HOME", home.Path().string());
    ScopedEnv configEnv("XDG_CONFIG_HOME", home.File(".config"));
    EXPECT_EQ(QtUserDialogs::ExistingStartFolder("C:\\Windows").toStdString(),
              home.Path().string());

    fs::create_directory(home.Path() / "Desktop");
    EXPECT_EQ(QtUserDialogs::ExistingStartFolder("C:\\Windows").toStdString(),
              home.File("Desktop"));
    EXPECT_EQ(QtUserDialogs::ExistingStartFolder(home.File(".")).toStdString(), home.File("."))
        << "an existing folder is kept";
}

} // namespace

} // namespace varnok
