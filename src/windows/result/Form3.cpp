#include "result/Form3.h"

#include "ComponentText.h"
#include "Module1.h"
#include "PreviewFileWriter.h"
#include "PreviewPage.h"
#include "WindowSet.h"
#include "result/Form2.h"
#include "ui/ColourComponentFields.h"
#include "ui/ColourTripleControls.h"
#include "ui/DocumentOpener.h"
#include "ui/FixedDialogFlags.h"
#include "ui/MessageBox.h"
#include "ui/OptionGroupTabStop.h"
#include "ui/ScreenPlacement.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <tuple>

namespace huespan {

namespace {

bool isHexadecimalText(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), ComponentText::isHexadecimalDigit);
}

// The value a field holds when the dialog closes, or nothing when its text is not a number in the
// notation in force (only text that reached the field other than by typing can be that).
std::optional<qint16> storedComponent(const QString& text, bool decimalNotation)
{
    if (text.isEmpty())
        return qint16{0};
    if (decimalNotation)
        return ComponentText::integerConversion(text);
    if (!isHexadecimalText(text))
        return std::nullopt;
    const int value = ComponentText::hexadecimalReading(text);
    if (value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(value);
}

} // namespace

Form3& form3()
{
    return SingleInstance<Form3>::get();
}

Form3::Form3(QWidget* parent)
    : QDialog(parent, kFixedDialogFlags)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(u"プレビュー背景色"));
    setFixedSize(Twips::size(3225, 2310));
    buildControls();
    centreOnScreen(*this);
    Form_Load();
}

Form3::~Form3() = default;

QString Form3::cannotSaveMessage(const QString& path)
{
    return QStringLiteral(u"プレビューファイルを保存できません！") + u'\n' + path;
}

void Form3::buildControls()
{
    Frame2 = new QGroupBox(QStringLiteral(u"背景色"), this);
    Frame2->setGeometry(Twips::rect(120, 120, 1695, 1455));

    const auto triple = ColourTripleControls::build(Frame2, TextC);
    std::tie(Label1, Label2, Label3) = std::tuple(triple.labels[0], triple.labels[1], triple.labels[2]);
    Picture1 = triple.swatch;

    Command1 = new QPushButton(QStringLiteral(u"OK"), this);
    Command1->setGeometry(Twips::rect(1920, 240, 1215, 495));
    Command1->setDefault(true);
    // Like every button of a dialog, "キャンセル" takes Enter while it has the focus; elsewhere
    // Enter presses "OK".
    Command2 = new QPushButton(QStringLiteral(u"キャンセル"), this);
    Command2->setGeometry(Twips::rect(1920, 1080, 1215, 495));

    Option1 = new QRadioButton(QStringLiteral(u"10進数で指定(0～255)"), this);
    Option1->setGeometry(Twips::rect(120, 1680, 3015, 255));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral(u"16進数で指定(0～FF)"), this);
    Option2->setGeometry(Twips::rect(120, 1920, 3015, 255));

    setTabOrder(TextC[0], TextC[1]);
    setTabOrder(TextC[1], TextC[2]);
    setTabOrder(TextC[2], Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Option1);
    setTabOrder(Option1, Option2);
    new OptionGroupTabStop({Option1, Option2}, this);

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);

    // The input method stays as the user has it: a background colour is no password field.
    m_colourFields = new ColourComponentFields(TextC, {Picture1}, Option1, Option2, false, this);
}

void Form3::Form_Load()
{
    const auto& background = module1().PreviewBackground;
    for (int component = 0; component < 3; ++component)
        TextC[component]->setText(
            ComponentText::decimalRendering(background[static_cast<size_t>(component)]));
    // Painted explicitly: when no text changed, no change rule ran to paint it.
    m_colourFields->paintSwatchesFromDecimalTexts();
    TextC[0]->setFocus();
}

void Form3::Command1_Click()
{
    const bool decimalNotation = m_colourFields->decimalNotation();
    std::array<QString, 3> colourTexts;
    for (size_t component = 0; component < colourTexts.size(); ++component)
        colourTexts[component] =
            PreviewPage::colourText(TextC[static_cast<qsizetype>(component)]->text(), decimalNotation);
    const QString page = PreviewPage::pageText(colourTexts, form2().text());

    const PreviewFileWriter::Outcome outcome = PreviewFileWriter::forThisSystem().write(page);
    // An old page must never be shown as if it were the new one.
    if (outcome.written)
        DocumentOpener::open(outcome.path);
    else
        MessageBox::show(cannotSaveMessage(outcome.path), MessageBox::Style::Information);
    accept();
}

void Form3::Command2_Click()
{
    reject();
}

void Form3::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void Form3::Form_Unload()
{
    SingleInstance<Form3>::forget();
    const bool decimalNotation = m_colourFields->decimalNotation();
    auto& background = module1().PreviewBackground;
    for (size_t component = 0; component < background.size(); ++component) {
        if (auto value = storedComponent(TextC[static_cast<qsizetype>(component)]->text(), decimalNotation))
            background[component] = *value;
    }
}

void Form3::keyPressEvent(QKeyEvent* event)
{
    // Esc leaves the dialog open: "キャンセル" is a button like any other, not the dialog's escape.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace huespan
