#include "print/tgridpreviewdialog.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include "grid/resultgrid.h"
#include "print/griddialogerror.h"
#include "print/previewwindow.h"

namespace varnok {

void TGridPreviewDialog::SetPreviewWidth(int width)
{
    m_width = std::max(width, PreviewWindow::kMinimumWidth);
}

void TGridPreviewDialog::SetPreviewHeight(int height)
{
    m_height = std::max(height, PreviewWindow::kMinimumHeight);
}

bool TGridPreviewDialog::Execute()
{
    if (Grid == nullptr)
        throw EGridDialogError();
    PreviewWindow window(*Grid, Target, m_owner);
    window.resize(m_width, m_height);
    if (PreviewCenter) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
        window.move(available.center() - window.rect().center());
    } else {
        window.move(PreviewLeft, PreviewTop);
    }
    // The cells may have changed since the last preview: its pages are counted again.
    Grid->ForgetPreviewPages();
    Grid->SetPreviewPage(1);
    Grid->PrintState.PreviewFast = PreviewFast;
    window.findChild<QPushButton*>(QStringLiteral("Previous"))->setEnabled(false);
    const bool accepted = window.exec() == QDialog::Accepted;
    m_width = window.width();
    m_height = window.height();
    PreviewLeft = window.x();
    PreviewTop = window.y();
    return accepted;
}

} // namespace varnok
