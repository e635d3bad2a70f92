// The window's menus, built from tables, and the paired options of the Options menu.
#include "app/window/tform1.h"

#include <QAction>
#include <QFont>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <type_traits>

#include "app/window/menutable.h"

namespace varnok {

namespace {

constexpr const char* kHintText = "Click OK button to read the index file!";

// A setting of ProgramSettings, whatever its type, as a number.
template <auto Field> constexpr OptionSetting settingOf(SettingsKey key)
{
    return {key, [](const ProgramSettings& options) { return static_cast<int>(options.*Field); },
            [](ProgramSettings& options, int value) {
                using Type = std::remove_reference_t<decltype(options.*Field)>;
                options.*Field = static_cast<Type>(value);
            }};
}

constexpr OptionSetting kDateFormat =
    settingOf<&ProgramSettings::DateFormat>(SettingsKey::DateFormat);
constexpr OptionSetting kShowWelcome =
    settingOf<&ProgramSettings::ShowWelcome>(SettingsKey::ShowWelcomeWindow);
constexpr OptionSetting kCellFormatHtml =
    settingOf<&ProgramSettings::CellFormatHtml>(SettingsKey::CellFormatHtml);

constexpr OptionChoice kMonthFirst{"Dateformatmdy1", "Dateformatdmy1", kDateFormat, 1};
constexpr OptionChoice kDayFirst{"Dateformatdmy1", "Dateformatmdy1", kDateFormat, 2};
constexpr OptionChoice kNoWelcome{"Donotshowwelcome1", "Showwelcomewindow1", kShowWelcome, 0};
constexpr OptionChoice kWelcome{"Showwelcomewindow1", "Donotshowwelcome1", kShowWelcome, 1};
constexpr OptionChoice kTextCells{"Cellformattext1", "CellformatHTML1", kCellFormatHtml, 0};
constexpr OptionChoice kHtmlCells{"CellformatHTML1", "Cellformattext1", kCellFormatHtml, 1};
constexpr const OptionChoice* kOptionChoices[] = {&kMonthFirst, &kDayFirst,  &kNoWelcome,
                                                  &kWelcome,    &kTextCells, &kHtmlCells};

constexpr MenuEntry kSaveMenu[] = {
    {"as text file", "astextfile1", &TForm1::astextfile1Click},
    {"as Excel file", "asExcelfile1", &TForm1::asExcelfile1Click},
    {"as HTML file", "asHTMLfile1", &TForm1::asHTMLfile1Click},
};

constexpr MenuEntry kPrintMenu[] = {
    {"Pre&view", "Preview1", &TForm1::Preview1Click},
    {"&Settings", "Settings1", &TForm1::Settings1Click},
    {.Caption = "Print all",
     .Name = "Printall1",
     .OnClick = &TForm1::Printall1Click,
     .Shortcut = Qt::CTRL | Qt::Key_P},
    {"Print selected &cells", "Printselectedcells1", &TForm1::Printselectedcells1Click},
};

constexpr MenuEntry kFindMenu[] = {
    {.Caption = "Find",
     .Name = "Find2",
     .OnClick = &TForm1::Find2Click,
     .Shortcut = Qt::CTRL | Qt::Key_F},
    {.Caption = "Find next",
     .Name = "Findnext1",
     .OnClick = &TForm1::Findnext1Click,
     .Shortcut = QKeyCombination(Qt::Key_F3)},
};

constexpr MenuEntry kOptionsMenu[] = {
    {.Caption = "Date format: &m/d/y", .Option = &kMonthFirst},
    {.Caption = "Date format: &d/m/y", .Option = &kDayFirst},
    {"Select &Font", "SelectFont1", &TForm1::SelectFont1Click},
    {.Caption = "Do &not show welcome", .Option = &kNoWelcome},
    {.Caption = "&Show welcome window", .Option = &kWelcome},
    {.Caption = "Set default cache &path",
     .Name = "Setdefaultpath1",
     .OnClick = &TForm1::Setdefaultpath1Click,
     .Checkable = true},
    {.Caption = "Show text only",
     .Name = "Showtextonly1",
     .OnClick = &TForm1::Showtextonly1Click,
     .Checkable = true},
    {.Caption = "Cell format: &text", .Option = &kTextCells},
    {.Caption = "Cell format: &HTML", .Option = &kHtmlCells},
};

constexpr MenuEntry kHelpMenu[] = {
    {"&Open help", "Openhelp1", &TForm1::Openhelp1Click},
    {"&About", "About1", &TForm1::About1Click},
};

constexpr TopLevelEntry kMainMenu[] = {
    {.Caption = "Select Cac&he",
     .Name = "SelectHistoryFolder1",
     .OnClick = &TForm1::SelectHistoryFolder1Click,
     .Default = true},
    {"Open in &Browser", "OpenURL2", &TForm1::OpenURL2Click},
    {.Caption = "&Save...  ", .Name = "Save1", .Entries = kSaveMenu},
    {.Caption = "&Print     ", .Name = "Print1", .Entries = kPrintMenu},
    {.Caption = "&Find", .Name = "Find1", .Entries = kFindMenu},
    {"&Clear     ", "Clear1", &TForm1::Clear1Click},
    {.Caption = "&Options     ", .Name = "Options1", .Entries = kOptionsMenu},
    {.Caption = "He&lp   ", .Name = "Help1", .Entries = kHelpMenu},
    {"E&xit", "Exit1", &TForm1::Exit1Click},
};

// The grid's pop-up menu.
constexpr MenuEntry kGridMenu[] = {
    {"Open in browser", "Openinbrowser1", &TForm1::OpenURL2Click},
    {"Copy cell", "Copycell1", &TForm1::Copycell1Click},
    {"Print cell", "Printcell1", &TForm1::Printselectedcells1Click},
};

QString latin1(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

void TForm1::CreateMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    for (const TopLevelEntry& entry : kMainMenu)
        AddTopLevelEntry(entry);
    Setdefaultpath1 = MenuAction("Setdefaultpath1");
    Showtextonly1 = MenuAction("Showtextonly1");
}

void TForm1::CreatePopupMenus()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(latin1(kHintText))->setObjectName(QStringLiteral("PopupHint1"));

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    AddEntries(*PopupMenu2, kGridMenu);
}

void TForm1::AddTopLevelEntry(const TopLevelEntry& entry)
{
    if (!entry.Entries.empty()) {
        QMenu* menu = MainMenu1->addMenu(latin1(entry.Caption));
        menu->setObjectName(latin1(entry.Name));
        AddEntries(*menu, entry.Entries);
        return;
    }
    QAction* action = MainMenu1->addAction(latin1(entry.Caption));
    action->setObjectName(latin1(entry.Name));
    ConnectEntry(action, MenuEntry{entry.Caption, entry.Name, entry.OnClick});
    if (entry.Default) {
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
    }
}

void TForm1::AddEntries(QMenu& menu, std::span<const MenuEntry> entries)
{
    for (const MenuEntry& entry : entries) {
        QAction* action = menu.addAction(latin1(entry.Caption));
        action->setObjectName(latin1(entry.Option ? entry.Option->Name : entry.Name));
        action->setCheckable(entry.Checkable || entry.Option);
        if (entry.Shortcut != QKeyCombination())
            action->setShortcut(QKeySequence(entry.Shortcut));
        ConnectEntry(action, entry);
    }
}

void TForm1::ConnectEntry(QAction* action, const MenuEntry& entry)
{
    if (!entry.OnClick && !entry.Option) {
        // Listed so the menus are complete; the command behind it is not available yet.
        action->setEnabled(false);
        return;
    }
    connect(action, &QAction::triggered, this,
            [this, action, handler = entry.OnClick, option = entry.Option] {
                // A click toggles a checkable entry before the command runs; the commands set
                // their marks themselves, and one that fails must leave them as they were.
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());
                RunGuarded([this, handler, option] {
                    if (option)
                        ChooseOption(*option);
                    else
                        (this->*handler)();
                });
            });
}

QAction* TForm1::MenuAction(const char* name) const
{
    return MainMenu1->findChild<QAction*>(latin1(name));
}

void TForm1::ChooseOption(const OptionChoice& choice)
{
    // The value in memory changes first; a write that fails leaves the marks as they were.
    choice.Setting.Choose(m_options, choice.Value);
    m_settings.WriteInteger(choice.Setting.Key, choice.Value);
    SetChecks(choice.Name, choice.PartnerName);
}

void TForm1::ShowOptionChecks()
{
    // A value that is neither of a pair's (an unknown date order) checks neither entry.
    for (const OptionChoice* choice : kOptionChoices) {
        if (choice->Setting.Current(m_options) == choice->Value)
            SetChecks(choice->Name, choice->PartnerName);
    }
}

void TForm1::SetChecks(const char* on, const char* off)
{
    MenuAction(on)->setChecked(true);
    MenuAction(off)->setChecked(false);
}

} // namespace varnok
