#include "print/printsettingswindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <string>

#include "grid/resultgrid.h"
#include "print/printpreviewpanel.h"
#include "print/printsettingsfields.h"

namespace varnok {

// One row of a group: a caption and the control bound to one setting.
struct SettingsRow {
    enum Kind { kChoice, kCheck, kText, kLines, kLength, kFont, kUnits };
    Kind Type = kChoice;
    const char* Caption = "";
    const char* Name = "";
    std::vector<const char*> Items = {};
    ChoiceAccess Choice = {};
    bool TPrintSettings::*Flag = nullptr;
    bool Inverted = false;
    std::string TPrintSettings::*Text = nullptr;
    std::vector<std::string> TPrintSettings::*Lines = nullptr;
    int TPrintSettings::*Length = nullptr;
    double Bound = 0;
    TPrintFont TPrintSettings::*Font = nullptr;
};

// A titled group of rows on a tab, shown enabled when its option is chosen.
struct SettingsGroup {
    int Tab = 0;
    const char* Title = "";
    TPrintSettingsOption Option = psBorders;
    std::vector<SettingsRow> Rows;
};

namespace {

constexpr std::array<const char*, 3> kTabTitles = {"General", "Headers / Footers", "Margins"};
constexpr int kTabsWidth = 273;
constexpr int kPreviewWidth = 250;
constexpr int kButtonStrip = 41;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8; // between each button and the window's middle
constexpr double kMarginBound = 500;
constexpr double kSpacingBound = 100;
constexpr int kTitleBoxHeight = 44;

const std::vector<const char*> kPositions = {"(none)",       "Top Left",    "Top Right",
                                             "Top Center",   "Bottom Left", "Bottom Right",
                                             "Bottom Center"};

SettingsRow choice(const char* caption, const char* name, std::vector<const char*> items,
                   ChoiceAccess access)
{
    return {.Type = SettingsRow::kChoice,
            .Caption = caption,
            .Name = name,
            .Items = std::move(items),
            .Choice = std::move(access)};
}

SettingsRow check(const char* caption, const char* name, bool TPrintSettings::*flag,
                  bool inverted = false)
{
    return {.Type = SettingsRow::kCheck,
            .Caption = caption,
            .Name = name,
            .Flag = flag,
            .Inverted = inverted};
}

SettingsRow text(const char* caption, const char* name, std::string TPrintSettings::*member)
{
    return {.Type = SettingsRow::kText, .Caption = caption, .Name = name, .Text = member};
}

SettingsRow length(const char* caption, const char* name, int TPrintSettings::*member, double bound)
{
    return {.Type = SettingsRow::kLength,
            .Caption = caption,
            .Name = name,
            .Length = member,
            .Bound = bound};
}

SettingsRow font(const char* caption, const char* name, TPrintFont TPrintSettings::*member)
{
    return {.Type = SettingsRow::kFont, .Caption = caption, .Name = name, .Font = member};
}

std::vector<SettingsGroup> settingsGroups()
{
    using S = TPrintSettings;
    return {
        {0,
         "Borders:",
         psBorders,
         {choice("&Border:", "BorderList",
                 {"(none)", "Single", "Double", "Vertical", "Horizontal", "Around",
                  "Around Vertical", "Around Horizontal"},
                 EnumAccess(&S::Borders)),
          choice("Border &Style:", "BorderStyleList",
                 {"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "(none)"},
                 EnumAccess(&S::BorderStyle))}},
        {0,
         "General:",
         psGeneral,
         {choice("Fit to &Page:", "FitToPageList",
                 {"Never", "Grow to Fit", "Shrink to Fit", "Always"}, EnumAccess(&S::FitToPage)),
          check("&AutoSize Columns", "AutoSizeColumns", &S::NoAutoSize, true),
          check("&Center on Page", "CenterOnPage", &S::Centered),
          check("Repeat Fixed Ro&ws", "RepeatFixedRows", &S::RepeatFixedRows),
          check("Repeat Fi&xed Columns", "RepeatFixedColumns", &S::RepeatFixedCols),
          check("Print graphics", "PrintGraphics", &S::PrintGraphics)}},
        {0,
         "Fonts:",
         psFonts,
         {font("Select the Table Font", "TableFont", &S::Font),
          font("Select the Header Font", "HeaderFont", &S::HeaderFont),
          font("Select the Footer Font", "FooterFont", &S::FooterFont)}},
        {1,
         "Date / Time:",
         psDateTime,
         {choice("&Date Position:", "DatePositionList", kPositions, EnumAccess(&S::Date)),
          text("Date &Format:", "DateFormatBox", &S::DateFormat),
          choice("&Time Position:", "TimePositionList", kPositions, EnumAccess(&S::Time))}},
        {1,
         "Title:",
         psTitle,
         {choice("Title Po&sition:", "TitlePositionList", kPositions, EnumAccess(&S::Title)),
          {.Type = SettingsRow::kLines,
           .Caption = "Title Te&xt:",
           .Name = "TitleTextBox",
           .Lines = &S::TitleLines}}},
        {1,
         "Page Numbers:",
         psPages,
         {choice("&Pages Position:", "PagesPositionList", kPositions, EnumAccess(&S::PageNr)),
          text("Pr&efix:", "PrefixBox", &S::PagePrefix),
          text("Sep&arator:", "SeparatorBox", &S::PageNumSep),
          text("S&uffix:", "SuffixBox", &S::PageSuffix)}},
        {2,
         "Margins:",
         psMargins,
         {length("&Top Margin :", "TopMargin", &S::HeaderSize, kMarginBound),
          length("&Left Margin :", "LeftMargin", &S::LeftSize, kMarginBound),
          length("&Bottom Margin :", "BottomMargin", &S::FooterSize, kMarginBound),
          length("&Right Margin :", "RightMargin", &S::RightSize, kMarginBound),
          {.Type = SettingsRow::kUnits, .Name = "Units"}}},
        {2,
         "Spacing:",
         psSpacing,
         {length("Row &Spacing :", "RowSpacing", &S::RowSpacing, kSpacingBound),
          length("C&olumn Spacing :", "ColumnSpacing", &S::ColumnSpacing, kSpacingBound),
          length("Title &Margin :", "TitleSpacing", &S::TitleSpacing, kSpacingBound)}},
        {2,
         "Orientation:",
         psOrientation,
         {choice("&Page Orientation:", "OrientationList", {"Portrait", "Landscape"},
                 EnumAccess(&S::Orientation))}},
    };
}

// A position list whose first entry, "(none)", disables the controls that only matter
// with a position.
struct EnablingRule {
    const char* List;
    std::vector<const char*> Controls;
};

const std::array<EnablingRule, 4> kEnablingRules = {{
    {"BorderList", {"BorderStyleList"}},
    {"DatePositionList", {"DateFormatBox"}},
    {"TitlePositionList", {"TitleTextBox"}},
    {"PagesPositionList", {"PrefixBox", "SeparatorBox", "SuffixBox"}},
}};

QString caption(const char* text)
{
    return QString::fromLatin1(text);
}

void compact(QFormLayout& layout)
{
    layout.setContentsMargins(6, 4, 6, 4);
    layout.setVerticalSpacing(2);
    layout.setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
}

} // namespace

PrintSettingsWindow::PrintSettingsWindow(TResultGrid& grid, const TPrintSettingsOptions& options,
                                         bool preview, TPrintDimensions dimensions,
                                         PrintFontChooser chooseFont, QWidget* parent)
    : QDialog(parent), m_grid(grid), m_dimensions(dimensions), m_chooseFont(std::move(chooseFont))
{
    setWindowTitle(QStringLiteral("Print Settings"));
    setObjectName(QStringLiteral("PrintSettingsWindow"));
    setFixedSize(kClientWidth, kClientHeight);
    buildTabs(options);
    m_preview = new PrintPreviewPanel(this);
    m_preview->setObjectName(QStringLiteral("PreviewPanel"));
    m_preview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_preview->setGeometry(kTabsWidth, 0, kPreviewWidth, kClientHeight - kButtonStrip);
    m_preview->setVisible(preview);
    m_preview->SetGrid(&m_grid);
    buildButtons();
    fillControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

PrintSettingsWindow::~PrintSettingsWindow() = default;

void PrintSettingsWindow::SetPaperOf(PrintTarget* target)
{
    m_preview->SetTarget(target);
}

void PrintSettingsWindow::buildTabs(const TPrintSettingsOptions& options)
{
    auto* tabs = new QTabWidget(this);
    tabs->setGeometry(0, 0, kTabsWidth, kClientHeight - kButtonStrip);
    // The three tab titles fit the narrow tab widget only with less room around each.
    tabs->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 5px; }"));
    tabs->tabBar()->setUsesScrollButtons(false);
    std::array<QVBoxLayout*, kTabTitles.size()> pages{};
    std::array<bool, kTabTitles.size()> anyEnabled{};
    for (std::size_t tab = 0; tab < kTabTitles.size(); ++tab) {
        auto* page = new QWidget(tabs);
        pages[tab] = new QVBoxLayout(page);
        pages[tab]->setContentsMargins(4, 4, 4, 4);
        pages[tab]->setSpacing(4);
        tabs->addTab(page, caption(kTabTitles[tab]));
    }
    for (const SettingsGroup& group : settingsGroups()) {
        QGroupBox* box = buildGroup(group);
        const bool enabled = options.count(group.Option) > 0;
        box->setEnabled(enabled);
        const auto tab = static_cast<std::size_t>(group.Tab);
        anyEnabled[tab] = anyEnabled[tab] || enabled;
        pages[tab]->addWidget(box);
    }
    for (std::size_t tab = 0; tab < kTabTitles.size(); ++tab) {
        pages[tab]->addStretch();
        // The first tab always shows; the others only with something to offer.
        tabs->setTabVisible(static_cast<int>(tab), tab == 0 || anyEnabled[tab]);
    }
}

QGroupBox* PrintSettingsWindow::buildGroup(const SettingsGroup& group)
{
    auto* box = new QGroupBox(caption(group.Title));
    auto* layout = new QFormLayout(box);
    compact(*layout);
    for (const SettingsRow& row : group.Rows)
        addRow(*layout, row);
    return box;
}

void PrintSettingsWindow::addRow(QFormLayout& layout, const SettingsRow& row)
{
    QWidget* parent = layout.parentWidget();
    const QString name = caption(row.Name);
    QWidget* control = nullptr;
    switch (row.Type) {
    case SettingsRow::kChoice: {
        auto* box = new QComboBox(parent);
        for (const char* item : row.Items)
            box->addItem(caption(item));
        m_fields.push_back(std::make_unique<ChoiceField>(*box, row.Choice));
        connect(box, &QComboBox::currentIndexChanged, this, &PrintSettingsWindow::controlChanged);
        control = box;
        break;
    }
    case SettingsRow::kCheck: {
        auto* box = new QCheckBox(caption(row.Caption), parent);
        box->setObjectName(name);
        m_fields.push_back(std::make_unique<CheckField>(*box, row.Flag, row.Inverted));
        connect(box, &QCheckBox::toggled, this, &PrintSettingsWindow::controlChanged);
        layout.addRow(box);
        return;
    }
    case SettingsRow::kText: {
        auto* box = new QLineEdit(parent);
        m_fields.push_back(std::make_unique<TextField>(*box, row.Text));
        connect(box, &QLineEdit::textChanged, this, &PrintSettingsWindow::controlChanged);
        control = box;
        break;
    }
    case SettingsRow::kLines: {
        auto* box = new QPlainTextEdit(parent);
        box->setFixedHeight(kTitleBoxHeight);
        m_fields.push_back(std::make_unique<LinesField>(*box, row.Lines));
        connect(box, &QPlainTextEdit::textChanged, this, &PrintSettingsWindow::controlChanged);
        control = box;
        break;
    }
    case SettingsRow::kLength: {
        auto* box = new QDoubleSpinBox(parent);
        auto* unit = new QLabel(parent);
        unit->setObjectName(name + QStringLiteral("Unit"));
        m_fields.push_back(
            std::make_unique<LengthField>(*box, *unit, row.Length, row.Bound, m_dimensions));
        connect(box, &QDoubleSpinBox::valueChanged, this, &PrintSettingsWindow::controlChanged);
        box->setObjectName(name);
        auto* line = new QHBoxLayout;
        line->addWidget(box);
        line->addWidget(unit);
        auto* label = new QLabel(caption(row.Caption), parent);
        label->setBuddy(box);
        layout.addRow(label, line);
        return;
    }
    case SettingsRow::kFont: {
        auto* button = new QPushButton(caption(row.Caption), parent);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, member = row.Font] { chooseFont(member); });
        layout.addRow(button);
        return;
    }
    case SettingsRow::kUnits:
        addUnitChoice(layout);
        return;
    }
    control->setObjectName(name);
    auto* label = new QLabel(caption(row.Caption), parent);
    label->setBuddy(control);
    layout.addRow(label, control);
}

void PrintSettingsWindow::addUnitChoice(QFormLayout& layout)
{
    QWidget* parent = layout.parentWidget();
    auto* millimetres = new QRadioButton(QStringLiteral("mm"), parent);
    auto* inches = new QRadioButton(QStringLiteral("inch"), parent);
    millimetres->setObjectName(QStringLiteral("UnitMm"));
    inches->setObjectName(QStringLiteral("UnitInch"));
    (m_dimensions == pdinch ? inches : millimetres)->setChecked(true);
    connect(millimetres, &QRadioButton::toggled, this,
            [this](bool on) { setDimensions(on ? pdmm : pdinch); });
    auto* line = new QHBoxLayout;
    line->addWidget(millimetres);
    line->addWidget(inches);
    line->addStretch();
    layout.addRow(line);
}

void PrintSettingsWindow::buildButtons()
{
    const int middle = kClientWidth / 2;
    const int top = kClientHeight - kButtonStrip + (kButtonStrip - kButtonHeight) / 2;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    ok->setGeometry(middle - kButtonGap - kButtonWidth, top, kButtonWidth, kButtonHeight);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    cancel->setGeometry(middle + kButtonGap, top, kButtonWidth, kButtonHeight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PrintSettingsWindow::fillControls()
{
    m_filling = true;
    for (const auto& field : m_fields)
        field->Fill(m_grid.PrintSettings);
    m_filling = false;
    applyEnablingRules();
}

void PrintSettingsWindow::applyEnablingRules()
{
    for (const EnablingRule& rule : kEnablingRules) {
        const auto* list = findChild<QComboBox*>(caption(rule.List));
        const bool positioned = list != nullptr && list->currentIndex() > 0;
        for (const char* name : rule.Controls) {
            if (auto* control = findChild<QWidget*>(caption(name)))
                control->setEnabled(positioned);
        }
    }
}

void PrintSettingsWindow::controlChanged()
{
    if (m_filling)
        return;
    for (const auto& field : m_fields)
        field->Write(m_grid.PrintSettings);
    applyEnablingRules();
    m_preview->update();
}

void PrintSettingsWindow::chooseFont(TPrintFont TPrintSettings::*font)
{
    if (!m_chooseFont)
        return;
    if (const std::optional<TPrintFont> chosen = m_chooseFont(this, m_grid.PrintSettings.*font)) {
        m_grid.PrintSettings.*font = *chosen;
        controlChanged();
    }
}

void PrintSettingsWindow::setDimensions(TPrintDimensions dimensions)
{
    m_dimensions = dimensions;
    fillControls(); // the boxes show the settings again, in the new unit
}

} // namespace varnok
