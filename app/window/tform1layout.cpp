// The window's controls at their design places, and how they follow the window's size.
#include "app/window/tform1.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

#include "app/formgeometry.h"
#include "app/measuredlayout.h"
#include "app/window/displaytext.h"
#include "grid/resultgrid.h"
#include "grid/view/resultgridview.h"
#include "platform/qt/qtcanvas.h"

namespace varnok {

namespace {

constexpr const char* kPathBoxToolTip =
    "Cache folder path. Click OK  to run open dialog or change the path and click OK to open a "
    "different folder.";
constexpr int kToolTipMilliseconds = 15000;
constexpr int kDesignFontPixels = 11;
constexpr int kStatusFontPixels = 16;

} // namespace

void TForm1::CreateControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(m_client);
    // The controls' places were made for this font; a larger one would run labels together.
    QFont designFont(QStringLiteral("MS Sans Serif"));
    designFont.setPixelSize(kDesignFontPixels);
    m_client->setFont(designFont);

    CreatePathBox();
    CreateOkButton();
    CreateLabels();
    // Created after the status label, so the grid covers it whenever it is shown.
    CreateResultGrid();
    m_client->installEventFilter(this);
}

void TForm1::CreatePathBox()
{
    Edit2 = new QLineEdit(m_client);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(3, 7, 346, 21);
    Edit2->setToolTip(QString::fromLatin1(kPathBoxToolTip));
    Edit2->setToolTipDuration(kToolTipMilliseconds);
    QPalette white = Edit2->palette();
    white.setColor(QPalette::Base, Qt::white);
    Edit2->setPalette(white);
    // The path box has no menu at all until the OK button has had the focus once.
    Edit2->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(Edit2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowPathBoxMenu(pos); });
    // Enter in the path box acts as the OK button beside it (see eventFilter).
    Edit2->installEventFilter(this);
}

void TForm1::CreateOkButton()
{
    BitBtn1 = new QPushButton(QStringLiteral("OK"), m_client);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(364, 7, 61, 20);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setIconSize(QSize(12, 12));
    // Enter on the focused button presses it, as on the system's own buttons.
    BitBtn1->setAutoDefault(true);
    BitBtn1->installEventFilter(this);
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { BitBtn1Click(); }); });
}

void TForm1::CreateLabels()
{
    auto makeLabel = [this](const char* name, const char* text, int left, int top) {
        auto* label = new QLabel(QString::fromLatin1(text), m_client);
        label->setObjectName(QString::fromLatin1(name));
        label->move(left, top);
        label->adjustSize();
        return label;
    };
    const CountLabelPlaces design;
    Label6 = makeLabel("Label6", "Number of lines: ", design.LinesCaption, 0);
    Label7 = makeLabel("Label7", "", design.LineCount, 0);
    Label5 = makeLabel("Label5", "Index size:", design.IndexSize, 0);
    Label4 = makeLabel("Label4", "", design.IndexSize, 13);
    Label1 = makeLabel("Label1", "", 49, 81);
    PlaceCountLabels();
    QFont statusFont = Label1->font();
    statusFont.setPixelSize(kStatusFontPixels);
    Label1->setFont(statusFont);
}

void TForm1::PlaceCountLabels()
{
    // The design places were made for a font that this machine may not have; in the one it
    // falls back to, a caption or a large count can come out wider, and what follows moves
    // right just enough to stay clear of it.
    const auto textWidth = [](const QLabel* label, const char* text) {
        QLabel probe(QString::fromLatin1(text));
        probe.setFont(label->font());
        return probe.sizeHint().width();
    };
    const CountLabelPlaces places = CountLabelPlacesFor(
        {textWidth(Label6, "Number of lines: "), textWidth(Label7, kWidestLineCount)});
    Label7->move(places.LineCount, Label7->y());
    Label5->move(places.IndexSize, Label5->y());
    Label4->move(places.IndexSize, Label4->y());
}

void TForm1::CreateResultGrid()
{
    ResultGrid1 = std::make_unique<TResultGridView>(*m_grid, m_client);
    ResultGrid1->setObjectName(QStringLiteral("ResultGrid1"));
    ResultGrid1->setGeometry(4, 39, 621, 293);
    connect(ResultGrid1.get(), &TResultGridView::ContextMenuRequested, this,
            [this](const QPoint& globalPos) { PopupMenu2->popup(globalPos); });
    // The grid starts with the column widths of the last run.
    RestoreColumnWidths();
}

void TForm1::RestoreColumnWidths()
{
    m_storedColumnWidths = m_settings.ReadColumnWidths(*m_grid);
}

QWidget* TForm1::ResultGrid1View() const
{
    return ResultGrid1.get();
}

void TForm1::FormResize()
{
    const GridBounds bounds = GridBoundsFor(ResultGrid1->x(), Edit2->y(), Edit2->height(),
                                            m_client->width(), m_client->height());
    ResultGrid1->setGeometry(bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                             bounds.Bottom - bounds.Top);
    // Shown before the columns are sized: a hidden grid takes its new size only when it
    // shows, and would then scale the widths set here along with its width.
    ResultGrid1->show();
    // The resizes that bring the window onto the screen (the window manager's, and the one
    // that fits the frame around the placed bounds) are not the user's: they keep the
    // widths the user left at the last run.
    const bool framesFit = m_frameFitSize == size();
    m_frameFitSize = QSize();
    if (m_startupDone && m_windowAppeared && !framesFit &&
        ColumnsFollowWindowSize(m_options.WinStateAtStart))
        SizeColumnsToGrid();
    if (isMinimized())
        return;
    if (m_startupDone)
        m_settings.WriteInteger(SettingsKey::WinState, isMaximized() ? kWinStateMaximized : 0);
}

void TForm1::SizeColumnsToGrid()
{
    const int width = ResultGrid1->width();
    QtCanvas measure;
    m_grid->SetColWidth(0, kNumberColumnWidth);
    m_grid->SetColWidth(2,
                        VisitColumnWidthFor(width, VisitTimeColumnWidth(measure, m_grid->Font())));
    m_grid->SetColWidth(
        1, std::max(0, AddressColumnWidthFor(width, m_grid->ColWidth(0), m_grid->ColWidth(2))));
}

void TForm1::WindowAppeared()
{
    if (m_windowAppeared || !m_startupDone)
        return;
    m_windowAppeared = true;
    // The grid scales its columns with its width, and coming onto the screen changed that
    // width: the widths of the last run are put back as the user left them. Without any,
    // the columns fill the window as a resize would.
    if (m_storedColumnWidths)
        RestoreColumnWidths();
    else if (ColumnsFollowWindowSize(m_options.WinStateAtStart))
        SizeColumnsToGrid();
}

void TForm1::FormPaint()
{
    if (m_settings.FileExists())
        m_resizeOnPaint = false;
    // A pop-up menu takes the keyboard. Over an input box of start-up it would swallow
    // what the user types, so the hint waits for a paint with no box up.
    if (!QApplication::activeModalWidget()) {
        if (!Setdefaultpath1->isChecked() && m_hintPending && m_options.ShowWelcome)
            ShowHint();
        m_hintPending = false;
    }
    if (m_resizeOnPaint)
        FormResize();
}

void TForm1::ShowHint()
{
    // Shown as a tip, not as an open menu: a menu would take the mouse and the keyboard,
    // and the user's first click, aimed at OK, would only close it. The next press or key
    // anywhere takes the hint away and still goes where it was aimed (see eventFilter).
    const int x = this->x() + Edit2->x() + Edit2->width() / 2;
    const int y = this->y() + Edit2->y() + Edit2->height() + 50;
    PopupMenu1->setWindowFlags(Qt::ToolTip | Qt::WindowDoesNotAcceptFocus);
    PopupMenu1->adjustSize();
    PopupMenu1->move(x - PopupMenu1->width() / 2, y);
    PopupMenu1->show();
    m_hintShowing = true;
    qApp->installEventFilter(this);
}

void TForm1::HideHint()
{
    m_hintShowing = false;
    qApp->removeEventFilter(this);
    PopupMenu1->hide();
}

void TForm1::ShowPathBoxMenu(const QPoint& pos)
{
    if (m_hintShowing)
        HideHint();
    PopupMenu1->setWindowFlags(Qt::Popup);
    const QPoint at = Edit2->mapToGlobal(pos);
    PopupMenu1->popup(QPoint(at.x() - PopupMenu1->sizeHint().width() / 2, at.y()));
}

bool TForm1::IsNormalState() const
{
    return (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) ==
           0;
}

void TForm1::SetPathBoxText(const std::string& path)
{
    Edit2->setText(PathToDisplay(path));
}

std::string TForm1::PathBoxText() const
{
    return PathFromDisplay(Edit2->text());
}

void TForm1::SetLabelText(QLabel* label, const std::string& text)
{
    label->setText(DisplayText(text));
    label->adjustSize();
}

} // namespace varnok
