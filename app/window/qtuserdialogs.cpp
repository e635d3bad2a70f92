#include "app/window/qtuserdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

#include "app/measuredlayout.h"
#include "app/window/displaytext.h"

namespace {

// The longest text an input box accepts.
constexpr int kInputBoxMaxLength = 255;

void RunMessageBox(QWidget* owner, QMessageBox::Icon icon, const std::string& caption,
                   const std::string& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, DisplayText(caption), DisplayText(text), buttons, owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

// Wide enough for the caption beside the window manager's buttons, the prompt and the path
// in full; Qt's own size would cut the caption and hide most of a long path.
void SizeInputBox(QInputDialog& dialog)
{
    const QFontMetrics metrics(dialog.font());
    const QScreen* screen = dialog.screen();
    const InputBoxTextWidths widths{metrics.horizontalAdvance(dialog.windowTitle()),
                                    metrics.horizontalAdvance(dialog.labelText()),
                                    metrics.horizontalAdvance(dialog.textValue()),
                                    metrics.averageCharWidth()};
    const int width = InputBoxWidthFor(widths, screen ? screen->availableGeometry().width() : 0);
    dialog.resize(std::max(width, dialog.sizeHint().width()), dialog.sizeHint().height());
}

QString ExistingFolderOrEmpty(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

QtUserDialogs::QtUserDialogs(QWidget* owner) : m_owner(owner) {}

void QtUserDialogs::ShowError(const std::string& text)
{
    RunMessageBox(m_owner, QMessageBox::Critical, "ERROR", text, QMessageBox::Ok);
}

void QtUserDialogs::ShowInformation(const std::string& text)
{
    RunMessageBox(m_owner, QMessageBox::Information, "Information", text, QMessageBox::Ok);
}

void QtUserDialogs::ShowFileError(const std::string& text, const std::string& caption)
{
    RunMessageBox(m_owner, QMessageBox::NoIcon, caption, text,
                  QMessageBox::Ok | QMessageBox::Cancel);
}

void QtUserDialogs::ShowApplicationError(const std::string& text)
{
    RunMessageBox(m_owner, QMessageBox::Critical, "Varnok 5", text, QMessageBox::Ok);
}

void QtUserDialogs::ShowAbout(const std::string& text)
{
    RunMessageBox(m_owner, QMessageBox::NoIcon, "About", text, QMessageBox::Ok);
}

std::optional<std::string> QtUserDialogs::InputBox(const std::string& caption,
                                                   const std::string& prompt,
                                                   const std::string& text)
{
    QInputDialog dialog(m_owner);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(DisplayText(caption));
    dialog.setLabelText(DisplayText(prompt));
    dialog.setTextValue(PathToDisplay(text));
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMaxLength(kInputBoxMaxLength);
    SizeInputBox(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PathFromDisplay(dialog.textValue().left(kInputBoxMaxLength));
}

QString QtUserDialogs::ExistingStartFolder(const std::string& folder)
{
    QString start = ExistingFolderOrEmpty(PathToDisplay(folder));
    if (start.isEmpty())
        start = ExistingFolderOrEmpty(
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    if (start.isEmpty())
        start = QDir::homePath();
    return start;
}

std::optional<std::string> QtUserDialogs::OpenIndexFile(const std::string& initialFolder,
                                                        const std::string& fileName)
{
    QFileDialog dialog(m_owner, QStringLiteral("Open"), ExistingStartFolder(initialFolder));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Index  file for cache (*.dat)"), QStringLiteral("Any  file (*.*)")});
    // The preset name may carry a folder; the dialog takes the bare name, since it
    // already opens in the folder.
    dialog.selectFile(QFileInfo(PathToDisplay(fileName)).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return PathFromDisplay(dialog.selectedFiles().constFirst());
}
