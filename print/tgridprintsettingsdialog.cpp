#include "print/tgridprintsettingsdialog.h"

#include <QFont>
#include <QFontDialog>

#include "grid/resultgrid.h"
#include "platform/qt/cp1252.h"
#include "platform/qt/qtfontstyle.h"
#include "print/griddialogerror.h"

namespace varnok {

namespace {

std::optional<TPrintFont> askForFont(QWidget* parent, const TPrintFont& current)
{
    QFont font(DecodeCp1252(current.Name), current.Size);
    SetQFontStyle(font, current);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (!ok)
        return std::nullopt;
    TPrintFont result = current;
    result.Name = EncodeCp1252(chosen.family());
    result.Size = chosen.pointSize() > 0 ? chosen.pointSize() : current.Size;
    TakeQFontStyle(result, chosen);
    return result;
}

} // namespace

TGridPrintSettingsDialog::TGridPrintSettingsDialog(QWidget* owner)
    : ChooseFont(askForFont), m_owner(owner)
{
}

bool TGridPrintSettingsDialog::Execute()
{
    if (Grid == nullptr)
        throw EGridDialogError();
    const TPrintSettings saved = Grid->PrintSettings;
    TPrintSettings& settings = Grid->PrintSettings;
    // The window edits the title as lines.
    if (!settings.TitleText.empty()) {
        settings.TitleLines = {settings.TitleText};
        settings.TitleText.clear();
    }
    // The preview shows the first page without counting the pages first.
    Grid->PrintState.PreviewFast = true;
    Grid->SetPreviewPage(1);
    PrintSettingsWindow window(*Grid, Options, PrintPreview, PrintDimensions, ChooseFont, m_owner);
    window.SetPaperOf(Target);
    const bool accepted = window.exec() == QDialog::Accepted;
    if (!accepted)
        Grid->PrintSettings = saved;
    return accepted;
}

} // namespace varnok
