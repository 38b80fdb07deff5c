#include "main/Form1.h"

#include "Generators.h"
#include "Module1.h"
#include "SettingsConflict.h"
#include "WindowSet.h"
#include "WindowsGenerationHost.h"
#include "about/frmAbout.h"
#include "advanced/AdvancedSettingsDialog.h"
#include "progress/Form4.h"
#include "result/Form2.h"
#include "ui/AdvancedSettingsStore.h"
#include "ui/ColourComponentFields.h"
#include "ui/ColourTripleControls.h"
#include "ui/MenuBarRelease.h"
#include "ui/MessageBox.h"
#include "ui/OptionGroupTabStop.h"
#include "ui/ProgramIcon.h"
#include "ui/ScreenColour.h"
#include "ui/SettingsConflictText.h"
#include "ui/Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <limits>
#include <optional>
#include <tuple>

using namespace Qt::StringLiterals;

namespace huespan {

Form1& form1()
{
    return SingleInstance<Form1>::get();
}

namespace {

template <typename Control> Control* place(QWidget* parent, const QRect& geometry)
{
    auto* control = new Control(parent);
    control->setGeometry(geometry);
    return control;
}

// The number a size or heading list item stands for ("3" is 3, "H2" is 2); "指定なし" stands for none.
std::optional<int> listItemNumber(const QString& item)
{
    bool ok = false;
    const int number = QStringView(item).mid(item.startsWith(u'H') ? 1 : 0).toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

QGroupBox* frame(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* box = place<QGroupBox>(parent, geometry);
    box->setTitle(caption);
    return box;
}

QLabel* rightAlignedLabel(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* label = place<QLabel>(parent, geometry);
    label->setText(caption);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

template <typename Button> Button* button(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* control = place<Button>(parent, geometry);
    control->setText(caption);
    return control;
}

QComboBox* pickOnlyList(QWidget* parent, const QStringList& items, const QRect& geometry)
{
    auto* list = place<QComboBox>(parent, geometry);
    list->addItems(items);
    return list;
}

} // namespace

Form1::Form1()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(u"HuespanHTML生成"_s);
    setWindowIcon(programIcon());

    buildControls();
    setTabChain();
    connectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    advancedSettingsAction = new QAction(this);
    menuBar()->addAction(advancedSettingsAction);
    mnuAbout = new QAction(u"バージョン情報(&A)"_s, this);
    menuBar()->addAction(mnuAbout);

    auto* client = new QWidget(this);
    client->setFixedSize(Twips::size(5430, 4920));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Frame1 = frame(client, u"文字列"_s, Twips::rect(120, 120, 5175, 615));
    Text1 = place<QLineEdit>(Frame1, Twips::rect(120, 240, 4935, 270));
    // A text box would silently cut a long text; the run counts it and refuses what it cannot take.
    Text1->setMaxLength(std::numeric_limits<int>::max());

    Frame2 = frame(client, u"始めの色"_s, Twips::rect(120, 840, 1695, 1335));
    const auto first = ColourTripleControls::build(Frame2, TextC);
    std::tie(Label1, Label2, Label3) = std::tuple(first.labels[0], first.labels[1], first.labels[2]);
    Picture1 = first.swatch;
    Frame3 = frame(client, u"終わりの色"_s, Twips::rect(1920, 840, 1695, 1335));
    const auto second = ColourTripleControls::build(Frame3, TextC);
    std::tie(Label4, Label5, Label6) = std::tuple(second.labels[0], second.labels[1], second.labels[2]);
    Picture2 = second.swatch;

    Frame4 = frame(client, u"文字形状"_s, Twips::rect(3720, 840, 1575, 1335));
    Check1 = button<QCheckBox>(Frame4, u"太字"_s, Twips::rect(120, 240, 1215, 255));
    Check2 = button<QCheckBox>(Frame4, u"斜体"_s, Twips::rect(120, 480, 1215, 255));
    Check3 = button<QCheckBox>(Frame4, u"下線"_s, Twips::rect(120, 720, 1215, 255));
    Check4 = button<QCheckBox>(Frame4, u"取り消し線"_s, Twips::rect(120, 960, 1215, 255));

    Frame8 = frame(client, u"形式"_s, Twips::rect(120, 2280, 2295, 735));
    Option5 = button<QRadioButton>(Frame8, u"左から右へ"_s, Twips::rect(120, 240, 1695, 180));
    Option6 = button<QRadioButton>(Frame8, u"両側を同じに"_s, Twips::rect(120, 480, 1695, 180));
    Option5->setChecked(true);

    Frame7 = frame(client, u"色指定方法"_s, Twips::rect(2520, 2280, 2775, 735));
    Option3 = button<QRadioButton>(Frame7, u"10進数で指定(0～255)"_s, Twips::rect(120, 240, 2175, 225));
    Option4 = button<QRadioButton>(Frame7, u"16進数で指定(0～FF)"_s, Twips::rect(120, 480, 2175, 225));
    Option3->setChecked(true);

    Frame5 = frame(client, u"サイズ"_s, Twips::rect(120, 3120, 2295, 1095));
    Option1 = button<QRadioButton>(Frame5, u"通常"_s, Twips::rect(120, 240, 855, 255));
    Combo1 = pickOnlyList(Frame5, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, kNoSizeItem},
                          Twips::rect(1080, 240, 1095, 300));
    Option2 = button<QRadioButton>(Frame5, u"見出し"_s, Twips::rect(120, 600, 855, 255));
    Combo2 = pickOnlyList(Frame5, {u"H6"_s, u"H5"_s, u"H4"_s, u"H3"_s, u"H2"_s, u"H1"_s, kNoSizeItem},
                          Twips::rect(1080, 600, 1095, 300));
    Option1->setChecked(true);
    Combo2->setEnabled(false);

    Frame6 = frame(client, u"その他、入れたいタグ"_s, Twips::rect(2520, 3120, 2775, 1095));
    Label7 = rightAlignedLabel(Frame6, u"前："_s, Twips::rect(240, 240, 375, 255));
    Text2 = place<QLineEdit>(Frame6, Twips::rect(600, 240, 1935, 270));
    Label8 = rightAlignedLabel(Frame6, u"後ろ："_s, Twips::rect(120, 600, 495, 255));
    Text3 = place<QLineEdit>(Frame6, Twips::rect(600, 600, 1935, 270));

    Check5 = button<QCheckBox>(client, u"コードに改行を入れる"_s, Twips::rect(120, 4320, 2055, 255));
    Command1 = button<QPushButton>(client, u"生成！"_s, Twips::rect(3720, 4320, 1575, 495));
    Command1->setDefault(true);
}

void Form1::setTabChain()
{
    QList<QWidget*> chain{Text1};
    chain.append({TextC.cbegin(), TextC.cend()});
    chain.append({Check1, Check2, Check4, Check3, Combo1, Command1, Check5, Option1, Option2, Combo2, Text2,
                  Text3, Option3, Option4, Option5, Option6});
    for (qsizetype index = 1; index < chain.size(); ++index)
        QWidget::setTabOrder(chain.at(index - 1), chain.at(index));
    for (const auto& [first, second] : {std::pair{Option1, Option2}, {Option3, Option4}, {Option5, Option6}})
        new OptionGroupTabStop({first, second}, this);
}

void Form1::connectHandlers()
{
    connect(Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(Option5, &QRadioButton::clicked, this, &Form1::Option5_Click);
    connect(Option6, &QRadioButton::clicked, this, &Form1::Option6_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(advancedSettingsAction, &QAction::triggered, this, &Form1::advancedSettingsTriggered);
    connect(mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
}

void Form1::Form_Load()
{
    // The fields take digits only, so the input method stays off while they have the focus.
    m_colourFields = new ColourComponentFields(TextC, {Picture1, Picture2}, Option3, Option4, true, this);

    Combo1->setCurrentText(kNoSizeItem);
    Combo2->setCurrentText(kNoSizeItem);

    m_colourFields->paintSwatchesFromDecimalTexts();

    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    module1().AppFolder = folder;

    // A settings file that is no file of the program's (a FIFO, a device, something huge) is not
    // read; the run starts from the defaults and says why once.
    const AdvancedSettingsStore::Loaded loaded = AdvancedSettingsStore::load();
    m_advanced = loaded.settings;
    if (loaded.unreadable) {
        MessageBox::show(u"詳細設定のファイルを読み込めませんでした。既定の設定を使います。\n"_s +
                             AdvancedSettingsStore::filePath(),
                         MessageBox::Style::Information);
    }
    showAdvancedCaption();
}

GradientSettings Form1::settings() const
{
    GradientSettings settings;
    settings.form = Option5->isChecked() ? GradientForm::LeftToRight : GradientForm::BothSidesSame;
    settings.bold = Check1->checkState() == Qt::Checked;
    settings.italic = Check2->checkState() == Qt::Checked;
    settings.underline = Check3->checkState() == Qt::Checked;
    settings.strike = Check4->checkState() == Qt::Checked;
    settings.sizeMode = Option1->isChecked() ? SizeMode::Normal : SizeMode::Heading;
    settings.fontSize = listItemNumber(Combo1->currentText());
    settings.heading = listItemNumber(Combo2->currentText());
    settings.tagsBefore = Text2->text();
    settings.tagsAfter = Text3->text();
    settings.lineBreaks = Check5->checkState() == Qt::Checked;
    settings.notation = Option3->isChecked() ? Notation::Decimal : Notation::Hexadecimal;
    for (std::size_t index = 0; index < settings.componentTexts.size(); ++index)
        settings.componentTexts[index] = TextC.at(static_cast<qsizetype>(index))->text();
    settings.extended = m_advanced.extended();
    // The text is kept readable on the background the preview shows it on.
    if (settings.extended.contrastFloor) {
        const auto& background = module1().PreviewBackground;
        settings.extended.contrastFloor->background =
            tripleOf(screenColour({background[0], background[1], background[2]}));
    }
    return settings;
}

bool Form1::setAdvancedSettings(const AdvancedSettings& settings)
{
    m_advanced = settings;
    showAdvancedCaption();
    return AdvancedSettingsStore::save(m_advanced);
}

// The mark tells at a glance that a run will not give the plain result.
void Form1::showAdvancedCaption()
{
    advancedSettingsAction->setText(m_advanced.isDefault() ? u"詳細設定(&S)"_s : u"詳細設定(&S)*"_s);
}

void Form1::Option1_Click()
{
    Combo1->setEnabled(true);
    Combo2->setEnabled(false);
}

void Form1::Option2_Click()
{
    Combo2->setEnabled(true);
    Combo1->setEnabled(false);
}

void Form1::Option5_Click()
{
    Frame2->setTitle(u"始めの色"_s);
    Frame3->setTitle(u"終わりの色"_s);
}

void Form1::Option6_Click()
{
    Frame2->setTitle(u"両側の色"_s);
    Frame3->setTitle(u"真ん中の色"_s);
}

// The window stays disabled when the generator returns: a refusal, the abort button or the
// result window's unload makes it usable again.
// A main window setting that the chosen format cannot take is refused before anything starts,
// the window grey while the message is up, as for every other refusal.
void Form1::Command1_Click()
{
    m_focusBeforeRun = focusWidget();
    const GradientSettings current = settings();
    if (const std::optional<SettingsConflict> conflict = m_advanced.conflictWith(current)) {
        setEnabled(false);
        MessageBox::show(settingsConflictText(*conflict), MessageBox::Style::Information);
        setEnabled(true);
        return;
    }
    setEnabled(false);
    module1().SourceText = Text1->text();
    WindowsGenerationHost host(module1().SourceText, current);
    Generate(module1(), current, host);
}

void Form1::advancedSettingsTriggered()
{
    releaseMenuBar(*menuBar());
    AdvancedSettingsDialog dialog(m_advanced, settings(), Text1->text(), this);
    if (dialog.exec() == QDialog::Accepted && !setAdvancedSettings(dialog.settings())) {
        MessageBox::show(
            u"詳細設定を保存できませんでした。\nこの設定は、プログラムを終了するまで有効です。"_s,
            MessageBox::Style::Information);
    }
}

void Form1::mnuAbout_Click()
{
    releaseMenuBar(*menuBar());
    aboutForm().exec();
}

bool Form1::Form_QueryUnload()
{
    return MessageBox::show(u"終了してよろしいですか？"_s, MessageBox::Style::InformationYesNo) ==
           MessageBox::Answer::No;
}

QWidget* Form1::windowInCharge()
{
    if (SingleInstance<Form4>::isLoaded() && form4().isVisible())
        return &form4();
    if (SingleInstance<Form2>::isLoaded() && form2().isVisible())
        return &form2();
    return nullptr;
}

void Form1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        // The control that had the focus when 生成！ was pressed has it again, whether the run was
        // refused, aborted or its result closed.
        if (isEnabled() && m_focusBeforeRun) {
            if (m_focusBeforeRun->isEnabled() && m_focusBeforeRun->isVisibleTo(this))
                m_focusBeforeRun->setFocus(Qt::OtherFocusReason);
            m_focusBeforeRun.clear();
        }
        break;
    case QEvent::ActivationChange:
        // A click on the disabled window's title bar can make it active, where no key can act;
        // the activation passes on to the window that is up in its place.
        if (isActiveWindow() && !isEnabled()) {
            QTimer::singleShot(0, this, [this] {
                QWidget* window = windowInCharge();
                if (window != nullptr && isActiveWindow() && !isEnabled()) {
                    window->raise();
                    window->activateWindow();
                }
            });
        }
        break;
    default:
        break;
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A disabled window waits for a run or the result window; it cannot be closed meanwhile.
    if (!isEnabled() || Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    SingleInstance<Form1>::forget();
}

// Enter anywhere in the window presses the default button; the controls pass it on.
void Form1::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Command1->isEnabled()) {
        Command1->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace huespan
