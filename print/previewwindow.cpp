#include "print/previewwindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

#include "grid/resultgrid.h"
#include "platform/qt/cp1252.h"
#include "print/printpreviewpanel.h"
#include "print/printtarget.h"

namespace {

constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 8;
constexpr double kPanelShare = 0.9;
const QColor kGrey(128, 128, 128);

struct ToolButton {
    const char* Caption;
    const char* Name;
    int Left;
};

constexpr std::array<ToolButton, 4> kButtons = {{
    {"Previous", "Previous", 8},
    {"Next", "Next", 88},
    {"Print", "Print", 168},
    {"Close", "Close", 248},
}};

} // namespace

PreviewWindow::PreviewWindow(TResultGrid& grid, PrintTarget* target, QWidget* parent)
    : QDialog(parent), m_grid(grid), m_target(target)
{
    setWindowTitle(QStringLiteral("Preview"));
    setObjectName(QStringLiteral("PreviewWindow"));
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kGrey);
    setPalette(grey);
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    m_toolbar = new QWidget(this);
    // The toolbar keeps the desktop's panel colour over the grey around the page.
    QPalette panel = palette();
    panel.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    m_toolbar->setAutoFillBackground(true);
    m_toolbar->setPalette(panel);
    std::array<QPushButton*, kButtons.size()> buttons{};
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        buttons[i] = new QPushButton(QString::fromLatin1(kButtons[i].Caption), m_toolbar);
        buttons[i]->setObjectName(QString::fromLatin1(kButtons[i].Name));
        buttons[i]->setGeometry(kButtons[i].Left, kButtonTop, kButtonWidth, kButtonHeight);
        buttons[i]->setAutoDefault(false);
    }
    m_previous = buttons[0];
    m_next = buttons[1];
    m_print = buttons[2];
    m_close = buttons[3];

    m_panel = new PrintPreviewPanel(this);
    m_panel->SetGrid(&m_grid);

    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(Page() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(Page() + 1); });
    connect(m_print, &QPushButton::clicked, this, &PreviewWindow::printAll);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    // The page count is known once a page has been drawn.
    connect(m_panel, &PrintPreviewPanel::PageDrawn, this, &PreviewWindow::updateButtons);
}

int PreviewWindow::Page() const
{
    return m_grid.PrintState.FromPage;
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int width = event->size().width();
    const int room = std::max(event->size().height() - kToolbarHeight, 0);
    m_toolbar->setGeometry(0, 0, width, kToolbarHeight);
    const int panelWidth = static_cast<int>(std::lround(width * kPanelShare));
    const int panelHeight = static_cast<int>(std::lround(room * kPanelShare));
    m_panel->setGeometry((width - panelWidth) / 2, kToolbarHeight + (room - panelHeight) / 2,
                         panelWidth, panelHeight);
}

void PreviewWindow::showPage(int page)
{
    m_grid.SetPreviewPage(std::clamp(page, 1, std::max(m_grid.PrintState.PageCount, 1)));
    updateButtons();
    m_panel->update();
}

void PreviewWindow::updateButtons()
{
    const int count = std::max(m_grid.PrintState.PageCount, 1);
    if (Page() > count)
        m_grid.SetPreviewPage(count);
    m_previous->setEnabled(Page() > 1);
    m_next->setEnabled(Page() < count);
}

void PreviewWindow::printAll()
{
    if (m_target == nullptr)
        return;
    m_grid.PrintState.PreviewFast = false;
    const int page = Page();
    try {
        m_grid.Print(m_target->Printer());
    } catch (const std::exception& error) {
        QMessageBox::critical(this, windowTitle(), DecodeCp1252(error.what()));
    }
    // Printing sets the pages to print; the preview stays on its page.
    m_grid.SetPreviewPage(page);
    m_panel->update();
}
