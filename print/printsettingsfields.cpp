#include "print/printsettingsfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cmath>

#include "platform/pageprinter.h"
#include "platform/qt/cp1252.h"

namespace varnok {

namespace {

constexpr double kTenthMmPerMm = 10;
constexpr int kDecimals = 2;
constexpr double kSmallestChange = 0.01; // at two decimals
constexpr double kStep = 0.1;

double factor(TPrintDimensions dimensions)
{
    return dimensions == pdinch ? PagePrinter::kTenthMmPerInch : kTenthMmPerMm;
}

} // namespace

void ChoiceField::Fill(const TPrintSettings& settings)
{
    const int index = m_access.Get(settings);
    m_box.setCurrentIndex(index < m_box.count() ? index : -1);
}

void ChoiceField::Write(TPrintSettings& settings) const
{
    if (m_box.currentIndex() >= 0)
        m_access.Set(settings, m_box.currentIndex());
}

void CheckField::Fill(const TPrintSettings& settings)
{
    m_box.setChecked(settings.*m_member != m_inverted);
}

void CheckField::Write(TPrintSettings& settings) const
{
    settings.*m_member = m_box.isChecked() != m_inverted;
}

void TextField::Fill(const TPrintSettings& settings)
{
    m_box.setText(DecodeCp1252(settings.*m_member));
}

void TextField::Write(TPrintSettings& settings) const
{
    settings.*m_member = EncodeCp1252(m_box.text());
}

void LinesField::Fill(const TPrintSettings& settings)
{
    QStringList lines;
    for (const std::string& line : settings.*m_member)
        lines.append(DecodeCp1252(line));
    m_box.setPlainText(lines.join(QLatin1Char('\n')));
}

void LinesField::Write(TPrintSettings& settings) const
{
    std::vector<std::string> lines;
    const QString text = m_box.toPlainText();
    if (!text.isEmpty()) {
        for (const QString& line : text.split(QLatin1Char('\n')))
            lines.push_back(EncodeCp1252(line));
    }
    settings.*m_member = std::move(lines);
}

double LengthField::Shown(int tenthMm, TPrintDimensions dimensions)
{
    return tenthMm / factor(dimensions);
}

int LengthField::Stored(double shown, TPrintDimensions dimensions)
{
    return static_cast<int>(std::lround(shown * factor(dimensions)));
}

LengthField::LengthField(QDoubleSpinBox& box, QLabel& unit, int TPrintSettings::*member,
                         double bound, const TPrintDimensions& dimensions)
    : m_box(box), m_unit(unit), m_member(member), m_dimensions(dimensions)
{
    m_box.setDecimals(kDecimals);
    m_box.setSingleStep(kStep);
    m_box.setRange(0, bound - kSmallestChange);
}

void LengthField::Fill(const TPrintSettings& settings)
{
    m_box.setValue(Shown(settings.*m_member, m_dimensions));
    m_filled = m_box.value(); // as the box rounds it
    m_unit.setText(m_dimensions == pdinch ? QStringLiteral("inch") : QStringLiteral("mm"));
}

void LengthField::Write(TPrintSettings& settings) const
{
    const double value = m_box.value();
    if (m_box.cleanText().isEmpty() || value == m_filled)
        return;
    settings.*m_member = Stored(value, m_dimensions);
    m_filled = value;
}

} // namespace varnok
