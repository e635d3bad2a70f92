#include "app/window/qtuserdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

#include "app/measuredlayout.h"
#include "app/window/displaytext.h"
#include "app/window/finddlg.h"
#include "platform/qt/qtfontstyle.h"

namespace varnok {

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

// A filter written as description|pattern|description|pattern..., as the dialog's list of
// "description (pattern)" entries; a description that already ends in its pattern keeps it.
QStringList NameFiltersOf(std::string_view filter)
{
    const QStringList parts =
        QString::fromLatin1(filter.data(), static_cast<qsizetype>(filter.size()))
            .split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = QStringLiteral("(%1)").arg(parts[i + 1]);
        filters.append(parts[i].endsWith(pattern) ? parts[i]
                                                  : QStringLiteral("%1 %2").arg(parts[i], pattern));
    }
    return filters;
}

QFont QFontOf(const FontChoice& choice)
{
    QFont font(QString::fromStdString(choice.Name));
    if (choice.Points > 0)
        font.setPointSize(choice.Points);
    else if (choice.PixelHeight > 0)
        font.setPixelSize(choice.PixelHeight);
    SetQFontStyle(font, choice);
    return font;
}

FontChoice FontChoiceOf(const QFont& font)
{
    FontChoice choice;
    choice.Name = font.family().toStdString();
    choice.Points = qRound(font.pointSizeF());
    choice.PixelHeight = font.pixelSize();
    TakeQFontStyle(choice, font);
    return choice;
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

void QtUserDialogs::ShowMessage(const std::string& text)
{
    RunMessageBox(m_owner, QMessageBox::NoIcon, "Varnok 5", text, QMessageBox::Ok);
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

bool QtUserDialogs::ConfirmReplace(const std::string& question)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Confirm Save As"), DisplayText(question),
                    QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    // Enter keeps the file: replacing it takes a deliberate Yes.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUserDialogs::SaveFile(const SaveFileRequest& request)
{
    QFileDialog dialog(m_owner, QStringLiteral("Save As"), ExistingStartFolder(request.InitialDir));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = NameFiltersOf(kSaveDialogFilter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    dialog.setDefaultSuffix(QString::fromStdString(request.DefaultExtension));
    // The remembered name is a full path; the dialog already opens in its folder.
    dialog.selectFile(QFileInfo(PathToDisplay(request.FileName)).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return PathFromDisplay(dialog.selectedFiles().constFirst());
}

std::optional<FontChoice> QtUserDialogs::SelectFont(const FontChoice& initial)
{
    QFontDialog dialog(QFontOf(initial), m_owner);
    dialog.setObjectName(QStringLiteral("FontDialog1"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoiceOf(dialog.selectedFont());
}

std::optional<FindRequest> QtUserDialogs::AskFindRequest()
{
    TFind dialog(m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FindRequest{dialog.FindText(), dialog.FindParameters()};
}

} // namespace varnok
