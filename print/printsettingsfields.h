#pragma once

#include <functional>
#include <string>
#include <vector>

#include "grid/pagelayout/printsettings.h"
#include "print/printsettingsoptions.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace varnok {

// One control of the print settings window bound to one setting: filled from the settings
// and written back into them.
class SettingsField {
public:
    virtual ~SettingsField() = default;
    virtual void Fill(const TPrintSettings& settings) = 0;
    virtual void Write(TPrintSettings& settings) const = 0;
};

// How a list reads and writes its setting, as the index of the chosen entry.
struct ChoiceAccess {
    std::function<int(const TPrintSettings&)> Get;
    std::function<void(TPrintSettings&, int)> Set;
};

/** Access to an enumeration setting whose values are the list's entries in order. */
template <typename Enum> ChoiceAccess EnumAccess(Enum TPrintSettings::*member)
{
    return {[member](const TPrintSettings& s) { return static_cast<int>(s.*member); },
            [member](TPrintSettings& s, int index) { s.*member = static_cast<Enum>(index); }};
}

class ChoiceField final : public SettingsField {
public:
    ChoiceField(QComboBox& box, ChoiceAccess access) : m_box(box), m_access(std::move(access)) {}
    void Fill(const TPrintSettings& settings) override;
    void Write(TPrintSettings& settings) const override;

private:
    QComboBox& m_box;
    ChoiceAccess m_access;
};

class CheckField final : public SettingsField {
public:
    CheckField(QCheckBox& box, bool TPrintSettings::*member, bool inverted)
        : m_box(box), m_member(member), m_inverted(inverted)
    {
    }
    void Fill(const TPrintSettings& settings) override;
    void Write(TPrintSettings& settings) const override;

private:
    QCheckBox& m_box;
    bool TPrintSettings::*m_member;
    bool m_inverted;
};

class TextField final : public SettingsField {
public:
    TextField(QLineEdit& box, std::string TPrintSettings::*member) : m_box(box), m_member(member) {}
    void Fill(const TPrintSettings& settings) override;
    void Write(TPrintSettings& settings) const override;

private:
    QLineEdit& m_box;
    std::string TPrintSettings::*m_member;
};

// A multi-line box holding one setting line per text line.
class LinesField final : public SettingsField {
public:
    LinesField(QPlainTextEdit& box, std::vector<std::string> TPrintSettings::*member)
        : m_box(box), m_member(member)
    {
    }
    void Fill(const TPrintSettings& settings) override;
    void Write(TPrintSettings& settings) const override;

private:
    QPlainTextEdit& m_box;
    std::vector<std::string> TPrintSettings::*m_member;
};

// A length in 0.1 mm shown in millimetres or inches. Values are taken only below `bound`
// (in the shown unit), so the box holds no value from the bound on: every value it can show
// is the one stored, and a digit that would pass the bound is refused as it is typed. A
// value is taken only when the box shows another value than the one that matches the
// setting, so writing the other controls back never rounds a length through the display.
class LengthField final : public SettingsField {
public:
    LengthField(QDoubleSpinBox& box, QLabel& unit, int TPrintSettings::*member, double bound,
                const TPrintDimensions& dimensions);
    void Fill(const TPrintSettings& settings) override;
    void Write(TPrintSettings& settings) const override;

    /** The shown value of a length of `tenthMm`. */
    [[nodiscard]] static double Shown(int tenthMm, TPrintDimensions dimensions);
    /** The length in 0.1 mm of a shown value, to the nearest integer. */
    [[nodiscard]] static int Stored(double shown, TPrintDimensions dimensions);

private:
    QDoubleSpinBox& m_box;
    QLabel& m_unit;
    int TPrintSettings::*m_member;
    const TPrintDimensions& m_dimensions;
    mutable double m_filled = 0; // the shown value that matches the setting
};

} // namespace varnok
