#include "app/window/finddlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "platform/qt/cp1252.h"

namespace varnok {

namespace {

constexpr int kDesignDpi = 120;
constexpr int kDesignFontPixels = 14;
constexpr int kDesignClientWidth = 437;
constexpr int kDesignClientHeight = 215;
// How far a font may be narrowed to fit the captions, in percent of its width.
constexpr int kNarrowestStretch = QFont::Condensed;
constexpr int kStretchStep = 5;
constexpr int kRadioItemIndent = 6;

struct DesignPlace {
    const char* Name;
    int Left;
    int Top;
    int Width;
    int Height;
};

// Client coordinates as designed at 120 dots per inch.
constexpr std::array<DesignPlace, 10> kDesignPlaces = {{
    {"Label1", 11, 15, 70, 16},
    {"findtext", 89, 10, 286, 24},
    {"chkcase", 10, 49, 119, 21},
    {"chkfull", 138, 49, 139, 21},
    {"chkregular", 283, 49, 151, 21},
    {"Button1", 89, 177, 92, 31},
    {"Button2", 187, 177, 92, 31},
    {"Button3", 286, 177, 92, 31},
    {"dir", 177, 79, 159, 90},
    {"where", 10, 79, 159, 90},
}};

// What each radio item adds to the parameter set; item 0 of both groups adds nothing.
constexpr std::array<std::optional<TFindParameter>, 2> kDirectionMembers = {std::nullopt,
                                                                            fnDirectionLeftRight};
constexpr std::array<std::optional<TFindParameter>, 3> kWhereMembers = {
    std::nullopt, fnFindInCurrentCol, fnFindInCurrentRow};

QString latin1(const char* text)
{
    return QString::fromLatin1(text);
}

template <typename Control> Control* makeControl(QWidget* parent, const char* name)
{
    auto* control = new Control(parent);
    control->setObjectName(latin1(name));
    return control;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = makeControl<QPushButton>(parent, name);
    button->setText(latin1(caption));
    // A dialog makes its first auto-default button the default one, which Enter in the
    // text box would press.
    button->setAutoDefault(false);
    return button;
}

template <std::size_t N>
void addItemMember(TFindParameters& set,
                   const std::array<std::optional<TFindParameter>, N>& members, int item)
{
    if (item >= 0 && static_cast<std::size_t>(item) < members.size() &&
        members[static_cast<std::size_t>(item)])
        set += *members[static_cast<std::size_t>(item)];
}

} // namespace

TFind::TFind(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("Find"));
    setWindowTitle(QStringLiteral("Find"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont designFont(QStringLiteral("MS Sans Serif"));
    designFont.setPixelSize(scaled(kDesignFontPixels));
    setFont(designFont);
    createControls();
    placeControls();
    narrowFontToFitCaptions();
    setTabOrder();
    setFixedSize(scaled(kDesignClientWidth), scaled(kDesignClientHeight));
    centreOnScreen();
    findtext->setFocus(Qt::OtherFocusReason);
}

TFindParameters TFind::FindParameters() const
{
    TFindParameters set;
    const std::array<std::pair<const QCheckBox*, TFindParameter>, 3> boxes = {
        {{chkcase, fnMatchCase}, {chkfull, fnMatchFull}, {chkregular, fnMatchRegular}}};
    for (const auto& [box, member] : boxes) {
        if (box->isChecked())
            set += member;
    }
    addItemMember(set, kDirectionMembers, m_dirItems->checkedId());
    addItemMember(set, kWhereMembers, m_whereItems->checkedId());
    return set;
}

std::string TFind::FindText() const
{
    return EncodeCp1252(findtext->text());
}

int TFind::ScaledFromDesign(int designPixels, int screenDpi)
{
    const long long product = static_cast<long long>(designPixels) * screenDpi;
    return static_cast<int>((product + kDesignDpi / 2) / kDesignDpi);
}

int TFind::scaled(int designPixels) const
{
    const int dpi = logicalDpiY();
    return ScaledFromDesign(designPixels, dpi > 0 ? dpi : kDesignDpi);
}

void TFind::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the button that has the focus, and from anywhere else the OK button,
    // which starts the search.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        (button ? button : Button1)->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFind::createControls()
{
    Label1 = makeControl<QLabel>(this, "Label1");
    Label1->setText(QStringLiteral("Text to find :"));
    findtext = makeControl<QLineEdit>(this, "findtext");
    chkcase = makeControl<QCheckBox>(this, "chkcase");
    chkcase->setText(QStringLiteral("Case sensitive"));
    chkfull = makeControl<QCheckBox>(this, "chkfull");
    chkfull->setText(QStringLiteral("Whole words only"));
    chkregular = makeControl<QCheckBox>(this, "chkregular");
    chkregular->setText(QStringLiteral("Regular expressions"));
    Button1 = makeButton(this, "Button1", "OK");
    Button2 = makeButton(this, "Button2", "Cancel");
    Button3 = makeButton(this, "Button3", "Help");
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    dir = createRadioGroup("dir", "Direction", {"Top - down", "Left - right"}, m_dirItems);
    where = createRadioGroup(
        "where", "Where ", {"In entire grid", "In current column", "In current row"}, m_whereItems);
}

QGroupBox* TFind::createRadioGroup(const char* name, const char* caption,
                                   std::initializer_list<const char*> items, QButtonGroup*& group)
{
    auto* box = makeControl<QGroupBox>(this, name);
    box->setTitle(latin1(caption));
    group = new QButtonGroup(box);
    int id = 0;
    for (const char* item : items) {
        auto* button = new QRadioButton(latin1(item), box);
        button->setObjectName(latin1(name) + QString::number(id));
        group->addButton(button, id++);
    }
    group->button(0)->setChecked(true);
    return box;
}

void TFind::placeControls()
{
    for (const DesignPlace& place : kDesignPlaces) {
        if (auto* control = findChild<QWidget*>(latin1(place.Name)))
            control->setGeometry(scaled(place.Left), scaled(place.Top), scaled(place.Width),
                                 scaled(place.Height));
    }
    arrangeRadioItems(dir, *m_dirItems);
    arrangeRadioItems(where, *m_whereItems);
}

// The places were made for a narrow system font; where a caption does not fit its box
// in the font at hand, the font keeps its height and is narrowed until all of them fit.
void TFind::narrowFontToFitCaptions()
{
    const QList<QAbstractButton*> buttons = findChildren<QAbstractButton*>();
    const auto allFit = [this, &buttons] {
        if (Label1->sizeHint().width() > Label1->width())
            return false;
        return std::all_of(buttons.begin(), buttons.end(), [](const QAbstractButton* button) {
            return qobject_cast<const QPushButton*>(button) != nullptr ||
                   button->sizeHint().width() <= button->width();
        });
    };
    for (int stretch = QFont::Unstretched; stretch >= kNarrowestStretch && !allFit();
         stretch -= kStretchStep) {
        QFont narrowed = font();
        narrowed.setStretch(stretch);
        setFont(narrowed);
    }
}

// The items share the group's room below its caption evenly, one above the other.
void TFind::arrangeRadioItems(QGroupBox* box, const QButtonGroup& group)
{
    const QList<QAbstractButton*> items = group.buttons();
    if (items.isEmpty())
        return;
    const QRect room = box->contentsRect();
    const int count = static_cast<int>(items.size());
    const int itemHeight = room.height() / count;
    const int top = room.top() + (room.height() % count) / 2;
    for (int index = 0; index < count; ++index)
        items[index]->setGeometry(room.left() + kRadioItemIndent, top + index * itemHeight,
                                  room.width() - kRadioItemIndent, itemHeight);
}

void TFind::setTabOrder()
{
    QList<QWidget*> chain = {findtext, chkcase, chkfull, chkregular, Button1, Button2, Button3};
    for (QAbstractButton* item : m_dirItems->buttons())
        chain.append(item);
    for (QAbstractButton* item : m_whereItems->buttons())
        chain.append(item);
    for (qsizetype index = 1; index < chain.size(); ++index)
        QWidget::setTabOrder(chain[index - 1], chain[index]);
}

void TFind::centreOnScreen()
{
    const QScreen* screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

} // namespace varnok
