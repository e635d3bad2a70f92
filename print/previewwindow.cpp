#include "print/previewwindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

#include "grid/resultgrid.h"
#include "platform/qt/cp1252.h"
#include "print/printpreviewpanel.h"
#include "print/printtarget.h"

namespace varnok {

namespace {

constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 8;
constexpr double kPanelShare = 0.9;
const QColor kGrey(128, 128, 128);

// The keys that turn the pages, and the page each leads to from the page shown.
struct PageKey {
    Qt::Key Key;
    int (*Target)(int page, int count);
};

const std::array<PageKey, 6> kPageKeys = {{
    {Qt::Key_PageDown, [](int page, int) { return page + 1; }},
    {Qt::Key_Right, [](int page, int) { return page + 1; }},
    {Qt::Key_PageUp, [](int page, int) { return page - 1; }},
    {Qt::Key_Left, [](int page, int) { return page - 1; }},
    {Qt::Key_Home, [](int, int) { return 1; }},
    {Qt::Key_End, [](int, int count) { return count; }},
}};

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
    m_panel->SetTarget(m_target);

    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(Page() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(Page() + 1); });
    connect(m_print, &QPushButton::clicked, this, &PreviewWindow::printAll);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    // The window's shortcuts come before the buttons, which would move the focus on arrows.
    for (const PageKey& key : kPageKeys) {
        auto* shortcut = new QShortcut(QKeySequence(key.Key), this);
        connect(shortcut, &QShortcut::activated, this,
                [this, target = key.Target] { showPage(target(Page(), pageCount())); });
    }
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

int PreviewWindow::pageCount() const
{
    return std::max(m_grid.PrintState.PageCount, 1);
}

void PreviewWindow::showPage(int page)
{
    m_grid.SetPreviewPage(std::clamp(page, 1, pageCount()));
    updateButtons();
    m_panel->update();
}

void PreviewWindow::updateButtons()
{
    const int count = pageCount();
    if (Page() > count)
        m_grid.SetPreviewPage(count);
    m_previous->setEnabled(Page() > 1);
    m_next->setEnabled(Page() < count);
    setWindowTitle(QStringLiteral("Preview - Page %1 of %2").arg(Page()).arg(count));
}

void PreviewWindow::printAll()
{
    if (m_target == nullptr)
        return;
    // Straight to a printer; a file is chosen in the printer dialog first, so no file
    // printed before is replaced unasked.
    TPageRange pages;
    if (m_target->PrintsToFile()) {
        if (!m_target->RunPrintDialog(this, pageCount()))
            return;
        pages = m_target->ChosenPages();
    }
    m_grid.PrintState.PreviewFast = false;
    const int page = Page();
    try {
        m_grid.Print(m_target->Printer(), pages);
    } catch (const std::exception& error) {
        QMessageBox::critical(this, QStringLiteral("Preview"), DecodeCp1252(error.what()));
    }
    // Printing sets the pages to print; the preview stays on its page.
    m_grid.SetPreviewPage(page);
    m_panel->update();
}

} // namespace varnok
