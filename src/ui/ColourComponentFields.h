#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QColor;
class QEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QPoint;
class QRadioButton;
class QWidget;

namespace huespan {

// The colour component fields of a window: triples of one-line boxes (red, green, blue) that
// each hold one number from 0 to 255 in the window's notation, a swatch per triple painted in
// the colour the triple spells, and the two option buttons that switch the notation. The rules
// live here once, so that every window with such fields behaves the same.
//
// Colours can also be chosen by eye: a click on a swatch, or 「色を選ぶ…」 in a field's context
// menu, opens the colour dialog on the triple's colour, and a paste of a whole colour code
// (#RRGGBB, RRGGBB, rgb(R, G, B)) into any field of a triple fills all three. Either writes the
// fields in the notation in force, and the change rule runs as for typed text.
class ColourComponentFields final : public QObject
{
    Q_OBJECT

public:
    // fields: the boxes in index order, three per triple; swatches: one per triple.
    // inputMethodOff keeps the input method out of the fields while they have the focus.
    ColourComponentFields(const QList<QLineEdit*>& fields, const QList<QWidget*>& swatches,
                          QRadioButton* decimalOption, QRadioButton* hexadecimalOption, bool inputMethodOff,
                          QObject* parent);
    Q_DISABLE_COPY_MOVE(ColourComponentFields)

    // True while the fields are written in decimal; only the notation switches change it.
    bool decimalNotation() const { return m_decimalNotation; }

    // Paints every swatch from its triple's texts read as decimal integers, leaving a swatch
    // alone while one of its texts is not an integer. Windows call it while they load.
    void paintSwatchesFromDecimalTexts();

    static QColor swatchColour(const QWidget* swatch);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether a character typed into a field passes in the current notation.
    bool accepts(QChar character) const;
    bool filterKeyPress(QLineEdit* field, QKeyEvent* event) const;
    bool filterInputMethod(QLineEdit* field, QInputMethodEvent* event) const;
    // The characters of a text that typing could have put into a field, in their order.
    QString typeablePart(const QString& text) const;
    // A paste: a whole colour code fills the field's triple; anything else is taken as typed.
    void insertPasted(QLineEdit* field, const QString& text);
    void insertTypeable(QLineEdit* field, const QString& text);
    void showContextMenu(QLineEdit* field, const QPoint& globalPosition);
    void applyChangeRule(qsizetype index);
    void switchToDecimal();
    void switchToHexadecimal();
    void repaintSwatchesFromDecimalTexts();
    void repaintSwatchesFromHexadecimalTexts();
    // Opens the colour dialog on a triple's swatch colour and writes the colour chosen.
    void pickColour(qsizetype triple);
    void writeTriple(qsizetype triple, const QColor& colour);
    static void writeField(QLineEdit* field, const QString& text);
    static void paintSwatch(QWidget* swatch, int red, int green, int blue);

    QList<QLineEdit*> m_fields;
    QList<QWidget*> m_swatches;
    QRadioButton* m_decimalOption;
    QRadioButton* m_hexadecimalOption;
    bool m_decimalNotation = true;
    // A click that gave a field the focus would otherwise place the caret and undo the
    // selection made on entry; the release after it selects the whole text once more.
    QLineEdit* m_selectOnRelease = nullptr;
};

} // namespace huespan
