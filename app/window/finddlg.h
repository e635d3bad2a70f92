#pragma once

#include <QDialog>

#include <string>

#include "grid/search/findparameters.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace varnok {

// The find dialog: the text to find, three check boxes and two radio groups. A fresh one
// is made for every Find, so it always opens with an empty text and its initial choices.
// No button is the default: Enter in the text box does not close it. OK accepts; Cancel,
// Esc and the close box reject; Help does nothing. The controls keep their form names
// and design places (made at 120 dots per inch and scaled to the screen's resolution).
class TFind final : public QDialog {
    Q_OBJECT
public:
    explicit TFind(QWidget* owner = nullptr);

    /** The choices as a parameter set, read from the three boxes, then Direction, then Where. */
    [[nodiscard]] TFindParameters FindParameters() const;
    /** The text to find as Windows-1252 bytes, exactly as typed. */
    [[nodiscard]] std::string FindText() const;

    /** A length of the design (at 120 dots per inch) at `screenDpi`, rounded to the nearest. */
    [[nodiscard]] static int ScaledFromDesign(int designPixels, int screenDpi);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    QGroupBox* createRadioGroup(const char* name, const char* caption,
                                std::initializer_list<const char*> items, QButtonGroup*& group);
    void placeControls();
    void narrowFontToFitCaptions();
    static void arrangeRadioItems(QGroupBox* box, const QButtonGroup& group);
    void setTabOrder();
    void centreOnScreen();
    [[nodiscard]] int scaled(int designPixels) const;

    QLabel* Label1 = nullptr;
    QLineEdit* findtext = nullptr;
    QCheckBox* chkcase = nullptr;
    QCheckBox* chkfull = nullptr;
    QCheckBox* chkregular = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QGroupBox* dir = nullptr;
    QGroupBox* where = nullptr;
    QButtonGroup* m_dirItems = nullptr;
    QButtonGroup* m_whereItems = nullptr;
};

} // namespace varnok
