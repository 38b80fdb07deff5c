#include "ui/ColourComponentFields.h"

#include "ComponentText.h"
#include "StopText.h"
#include "ui/ColourPicker.h"

#include <QAction>
#include <QClipboard>
#include <QColor>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QRadioButton>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

constexpr int kComponentsPerTriple = 3;
constexpr int kLargestComponent = 255;

int clampedComponent(int value)
{
    return std::clamp(value, 0, kLargestComponent);
}

constexpr Qt::KeyboardModifiers kCommandModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Keys that edit or move without typing a character: the filter leaves them to the box, the
// window (Enter presses the default button) or the focus chain.
bool isEditingKey(int key)
{
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

// Backspace types the backspace character only on its own; with Ctrl it types DEL, and with Alt
// it means undo, neither of which the fields take.
bool isPlainBackspace(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Backspace && !event->modifiers().testAnyFlags(kCommandModifiers);
}

// A shortcut shown in the context menu that the key filter lets through: one key, without a
// modifier that makes it a command (Delete, say, but no Ctrl+V).
bool fieldTakesShortcut(const QString& shortcutText)
{
    const QKeySequence sequence = QKeySequence::fromString(shortcutText, QKeySequence::NativeText);
    return sequence.count() == 1 && !sequence[0].keyboardModifiers().testAnyFlags(kCommandModifiers);
}

// The standard menu's "Paste", by the name newer Qt versions give it or else by its caption.
bool isPasteAction(const QAction* action, const QString& caption)
{
    return action->objectName() == u"edit-paste" ||
           caption == QCoreApplication::translate("QLineEdit", "&Paste");
}

// The colour a pasted text spells as a whole: #RRGGBB or RRGGBB (hexadecimal digits of either case)
// or rgb(R, G, B) with decimal components up to 255, with or without blanks around the numbers.
std::optional<ColourTriple> colourCode(const QString& text)
{
    static const QRegularExpression rgb(uR"(^\s*rgb\s*\(([^()]*)\)\s*$)"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch call = rgb.match(text);
    QString colour = call.hasMatch() ? call.captured(1) : text.trimmed();
    // Components need their commas; six digits need no call around them.
    if (colour.contains(u',') != call.hasMatch())
        return std::nullopt;
    colour.remove(QRegularExpression(uR"(\s)"_s));
    const StopText::Reading reading = StopText::readColour(colour, Notation::Decimal);
    return reading.ok() ? std::optional<ColourTriple>(reading.stop.colour) : std::nullopt;
}

bool isClipboardShortcut(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
           event->matches(QKeySequence::Paste);
}

} // namespace

ColourComponentFields::ColourComponentFields(const QList<QLineEdit*>& fields, const QList<QWidget*>& swatches,
                                             QRadioButton* decimalOption, QRadioButton* hexadecimalOption,
                                             bool inputMethodOff, QObject* parent)
    : QObject(parent)
    , m_fields(fields)
    , m_swatches(swatches)
    , m_decimalOption(decimalOption)
    , m_hexadecimalOption(hexadecimalOption)
{
    Q_ASSERT(m_fields.size() == m_swatches.size() * kComponentsPerTriple);

    for (qsizetype index = 0; index < m_fields.size(); ++index) {
        QLineEdit* field = m_fields.at(index);
        field->installEventFilter(this);
        if (inputMethodOff)
            field->setAttribute(Qt::WA_InputMethodEnabled, false);
        connect(field, &QLineEdit::textChanged, this, [this, index] { applyChangeRule(index); });
    }
    for (QWidget* swatch : std::as_const(m_swatches)) {
        swatch->setAutoFillBackground(true);
        swatch->setCursor(Qt::PointingHandCursor);
        swatch->installEventFilter(this);
    }

    connect(m_decimalOption, &QRadioButton::clicked, this, &ColourComponentFields::switchToDecimal);
    connect(m_hexadecimalOption, &QRadioButton::clicked, this, &ColourComponentFields::switchToHexadecimal);
}

void ColourComponentFields::paintSwatchesFromDecimalTexts()
{
    repaintSwatchesFromDecimalTexts();
}

bool ColourComponentFields::accepts(QChar character) const
{
    if (character == u'\b')
        return true;
    return m_decimalNotation ? ComponentText::isDecimalDigit(character)
                             : ComponentText::isHexadecimalDigit(character);
}

QColor ColourComponentFields::swatchColour(const QWidget* swatch)
{
    return swatch->palette().color(QPalette::Window);
}

bool ColourComponentFields::eventFilter(QObject* watched, QEvent* event)
{
    if (const qsizetype triple = m_swatches.indexOf(watched); triple >= 0) {
        // A click on a swatch opens the colour dialog on its colour.
        if (event->type() != QEvent::MouseButtonRelease)
            return QObject::eventFilter(watched, event);
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() != Qt::LeftButton ||
            !m_swatches.at(triple)->rect().contains(release->position().toPoint()))
            return QObject::eventFilter(watched, event);
        pickColour(triple);
        return true;
    }
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr || !m_fields.contains(field))
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKeyPress(field, static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return filterInputMethod(field, static_cast<QInputMethodEvent*>(event));
    case QEvent::ContextMenu:
        showContextMenu(field, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::DragEnter: {
        // A drop inserts the whole dragged text, so only a text that typing could give is taken.
        auto* drag = static_cast<QDragEnterEvent*>(event);
        const QString dragged = drag->mimeData()->text();
        if (drag->source() != field && typeablePart(dragged) != dragged) {
            drag->ignore();
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        field->selectAll();
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            m_selectOnRelease = field;
        break;
    case QEvent::FocusOut:
        if (m_selectOnRelease == field)
            m_selectOnRelease = nullptr;
        break;
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the window system's selection, through the key filter too.
        const auto* release = static_cast<QMouseEvent*>(event);
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (release->button() == Qt::MiddleButton && clipboard->supportsSelection() && !field->isReadOnly() &&
            field->rect().contains(release->position().toPoint())) {
            field->deselect();
            insertPasted(field, clipboard->text(QClipboard::Selection));
            return true;
        }
        if (m_selectOnRelease == field) {
            m_selectOnRelease = nullptr;
            field->event(event);
            field->selectAll();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// Returns true for a discarded key press, which then never reaches the field.
bool ColourComponentFields::filterKeyPress(QLineEdit* /*field*/, QKeyEvent* event) const
{
    if (isClipboardShortcut(event))
        return true;
    if (event->key() == Qt::Key_Backspace)
        return !isPlainBackspace(event);
    if (isEditingKey(event->key()))
        return false;
    const QString typed = event->text();
    if (typed.isEmpty())
        return false; // moves the caret or selects; types nothing
    // Control combinations type control characters, which the fields never take.
    if (event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::MetaModifier))
        return true;
    return !std::all_of(typed.cbegin(), typed.cend(), [this](QChar character) { return accepts(character); });
}

// A commit from an input method is typing as well: only the characters that a key press could
// type pass; the text being composed never reaches the field.
bool ColourComponentFields::filterInputMethod(QLineEdit* field, QInputMethodEvent* event) const
{
    const QString committed = event->commitString();
    const QString accepted = typeablePart(committed);
    if (accepted == committed && event->preeditString().isEmpty())
        return false;
    if (!accepted.isEmpty()) {
        QInputMethodEvent filtered;
        filtered.setCommitString(accepted);
        field->event(&filtered);
    }
    return true;
}

QString ColourComponentFields::typeablePart(const QString& text) const
{
    QString typeable;
    std::copy_if(text.cbegin(), text.cend(), std::back_inserter(typeable),
                 [this](QChar character) { return accepts(character) && character != u'\b'; });
    return typeable;
}

// Text from the clipboard arrives as if typed: the characters the key filter refuses are left out,
// and what remains replaces the selection in one change, which the change rule then checks.
void ColourComponentFields::insertTypeable(QLineEdit* field, const QString& text)
{
    const QString typeable = typeablePart(text);
    if (!typeable.isEmpty())
        field->insert(typeable);
}

void ColourComponentFields::insertPasted(QLineEdit* field, const QString& text)
{
    if (const std::optional<ColourTriple> colour = colourCode(text)) {
        writeTriple(m_fields.indexOf(field) / kComponentsPerTriple,
                    QColor(colour->red, colour->green, colour->blue));
        return;
    }
    insertTypeable(field, text);
}

void ColourComponentFields::pickColour(qsizetype triple)
{
    QWidget* swatch = m_swatches.at(triple);
    const QColor chosen = ColourPicker::pick(swatchColour(swatch), swatch->window());
    if (chosen.isValid())
        writeTriple(triple, chosen);
}

// Each field is written as typing in the notation in force could have written it; its change rule
// then repaints the swatch.
void ColourComponentFields::writeTriple(qsizetype triple, const QColor& colour)
{
    const std::array<int, kComponentsPerTriple> components{colour.red(), colour.green(), colour.blue()};
    for (qsizetype index = 0; index < kComponentsPerTriple; ++index) {
        const int value = components.at(static_cast<std::size_t>(index));
        writeField(m_fields.at(triple * kComponentsPerTriple + index),
                   m_decimalNotation ? ComponentText::decimalRendering(value)
                                     : ComponentText::hexadecimalRendering(value));
    }
}

void ColourComponentFields::showContextMenu(QLineEdit* field, const QPoint& globalPosition)
{
    QMenu* menu = field->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        const QString text = action->text();
        const qsizetype tab = text.indexOf(u'\t');
        const QString caption = text.left(tab);
        if (tab >= 0 && !fieldTakesShortcut(text.mid(tab + 1)))
            action->setText(caption);
        if (isPasteAction(action, caption)) {
            QObject::disconnect(action, nullptr, field, nullptr);
            connect(action, &QAction::triggered, this,
                    [this, field] { insertPasted(field, QGuiApplication::clipboard()->text()); });
        }
    }
    // The keyboard's way to the colour dialog: the swatches stay out of the tab order.
    menu->addSeparator();
    const qsizetype triple = m_fields.indexOf(field) / kComponentsPerTriple;
    connect(menu->addAction(u"色を選ぶ…"_s), &QAction::triggered, this,
            [this, triple] { pickColour(triple); });
    menu->popup(globalPosition);
}

void ColourComponentFields::applyChangeRule(qsizetype index)
{
    QLineEdit* field = m_fields.at(index);
    if (field->text().isEmpty())
        return;

    if (m_decimalOption->isChecked()) {
        writeField(field, ComponentText::decimalRendering(ComponentText::decimalReading(field->text())));
        if (ComponentText::decimalReading(field->text()) > kLargestComponent)
            writeField(field, ComponentText::decimalRendering(kLargestComponent));
        repaintSwatchesFromDecimalTexts();
    } else {
        if (ComponentText::hexadecimalReading(field->text()) > kLargestComponent)
            writeField(field, ComponentText::hexadecimalRendering(kLargestComponent));
        repaintSwatchesFromHexadecimalTexts();
    }
}

void ColourComponentFields::switchToDecimal()
{
    if (!m_decimalNotation) {
        for (QLineEdit* field : std::as_const(m_fields))
            writeField(field,
                       ComponentText::decimalRendering(ComponentText::hexadecimalReading(field->text())));
    }
    m_decimalNotation = true;
}

void ColourComponentFields::switchToHexadecimal()
{
    if (m_decimalNotation) {
        for (QLineEdit* field : std::as_const(m_fields))
            writeField(field,
                       ComponentText::hexadecimalRendering(ComponentText::decimalReading(field->text())));
    }
    m_decimalNotation = false;
}

void ColourComponentFields::repaintSwatchesFromDecimalTexts()
{
    for (qsizetype triple = 0; triple < m_swatches.size(); ++triple) {
        const auto first = triple * kComponentsPerTriple;
        const auto red = ComponentText::integerConversion(m_fields.at(first)->text());
        const auto green = ComponentText::integerConversion(m_fields.at(first + 1)->text());
        const auto blue = ComponentText::integerConversion(m_fields.at(first + 2)->text());
        if (red && green && blue)
            paintSwatch(m_swatches.at(triple), *red, *green, *blue);
    }
}

void ColourComponentFields::repaintSwatchesFromHexadecimalTexts()
{
    for (qsizetype triple = 0; triple < m_swatches.size(); ++triple) {
        const auto first = triple * kComponentsPerTriple;
        paintSwatch(m_swatches.at(triple), ComponentText::hexadecimalReading(m_fields.at(first)->text()),
                    ComponentText::hexadecimalReading(m_fields.at(first + 1)->text()),
                    ComponentText::hexadecimalReading(m_fields.at(first + 2)->text()));
    }
}

// Writing the text a field already holds is no change: the change rule must not run for it.
void ColourComponentFields::writeField(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

void ColourComponentFields::paintSwatch(QWidget* swatch, int red, int green, int blue)
{
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window,
                     QColor(clampedComponent(red), clampedComponent(green), clampedComponent(blue)));
    swatch->setPalette(palette);
}

} // namespace huespan
