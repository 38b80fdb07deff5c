#include "result/Form2.h"

#include "ContrastFloor.h"
#include "Module1.h"
#include "WindowSet.h"
#include "main/Form1.h"
#include "result/Form3.h"
#include "ui/Clipboard.h"
#include "ui/ColourSwatchView.h"
#include "ui/MenuBarRelease.h"
#include "ui/MessageBox.h"
#include "ui/PlainTextView.h"
#include "ui/ProgramIcon.h"
#include "ui/ScreenColour.h"
#include "ui/ScreenPlacement.h"
#include "ui/SettingsConflictText.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QWindow>

namespace huespan {

namespace {

// The client area at first show, 6615 × 4605 twips at 15 twips a pixel.
constexpr QSize kFirstClientSize(441, 307);

} // namespace

Form2& form2()
{
    return SingleInstance<Form2>::get();
}

Form2::Form2(QWidget* parent)
    : QMainWindow(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(u"結果"));
    setWindowIcon(programIcon());

    // The commands stand on the menu bar itself, without submenus.
    mnuCopy = menuBar()->addAction(QStringLiteral(u"コピー(&C)"), this, &Form2::mnuCopy_Click);
    mnuPreview = menuBar()->addAction(QStringLiteral(u"プレビュー(&P)"), this, &Form2::mnuPreview_Click);
    QMenu* view = menuBar()->addMenu(QStringLiteral(u"表示(&V)"));
    auto* views = new QActionGroup(this);
    codeViewAction = view->addAction(QStringLiteral(u"コード(&D)"), this, &Form2::codeViewTriggered);
    swatchViewAction = view->addAction(QStringLiteral(u"色見本(&S)"), this, &Form2::swatchViewTriggered);
    for (QAction* action : {codeViewAction, swatchViewAction}) {
        action->setCheckable(true);
        views->addAction(action);
    }
    codeViewAction->setChecked(true);
    view->addSeparator();
    contrastMarksAction =
        view->addAction(QStringLiteral(u"コントラスト不足に印(&M)"), this, &Form2::showReadability);
    contrastMarksAction->setCheckable(true);
    QMenu* visions = view->addMenu(QStringLiteral(u"色覚シミュレーション(&B)"));
    auto* visionGroup = new QActionGroup(this);
    for (const QString& caption : {QStringLiteral(u"なし"), QStringLiteral(u"1型（P型）色覚"),
                                   QStringLiteral(u"2型（D型）色覚"), QStringLiteral(u"3型（T型）色覚")}) {
        QAction* action = visions->addAction(caption, this, &Form2::showReadability);
        action->setCheckable(true);
        visionGroup->addAction(action);
        colourVisionActions.append(action);
    }
    colourVisionActions.front()->setChecked(true);
    mnuClose = menuBar()->addAction(QStringLiteral(u"閉じる(&X)"), this, &Form2::mnuClose_Click);

    // As the central widget, the view covers the client area at every size, down to none at all.
    Text1 = new PlainTextView(this);
    Text1->setPlainText(QStringLiteral(u"Text1"));
    // A terminal's escapes and the text's own control characters read as text; the copy keeps them.
    Text1->setControlPictures(true);
    setCentralWidget(Text1);
    // No minimum size: the window, and the view with it, shrink as far as the user drags them.
    Text1->setMinimumSize(1, 1);
    layout()->setSizeConstraint(QLayout::SetNoConstraint);

    resize(kFirstClientSize.width(), kFirstClientSize.height() + menuBar()->sizeHint().height());
    centreOnScreen(*this);
}

void Form2::showResult(const QString& markup, const QString& runText, const GradientSettings& runSettings)
{
    Text1->setPlainText(markup);
    m_runText = runText;
    m_runSettings = runSettings;
    // The main window stays disabled behind this one; as its owner it can no longer be raised
    // over it. The window system learns this before the window is mapped.
    if (SingleInstance<Form1>::isLoaded() && form1().windowHandle() != nullptr) {
        winId();
        windowHandle()->setTransientParent(form1().windowHandle());
    }
    show();
    Text1->setFocus();
}

QString Form2::text() const
{
    return Text1->toPlainText();
}

void Form2::mnuCopy_Click()
{
    Clipboard::replaceText(text());
}

void Form2::mnuPreview_Click()
{
    releaseMenuBar(*menuBar());
    // Board code, terminal escapes and the other formats beside HTML mean nothing to a browser.
    const SettingsConflict page{SettingsConflict::Setting::Page, m_runSettings.extended.format};
    if (!isHtmlFormat(page.format)) {
        MessageBox::show(settingsConflictText(page), MessageBox::Style::Information);
        return;
    }
    Form3& dialog = form3();
    // Kept above this window by the window manager, as its owner.
    dialog.winId();
    if (dialog.windowHandle() != nullptr)
        dialog.windowHandle()->setTransientParent(windowHandle());
    dialog.exec();
    // The dialog keeps its colour however it closes; the coloured view shows the text on it.
    if (Swatch != nullptr) {
        paintSwatchBackground();
        applyReadability();
    }
}

void Form2::codeViewTriggered()
{
    showView(Text1);
    // The lowest contrast belongs to the coloured view.
    if (m_contrastLabel)
        statusBar()->hide();
}

// The view taken out stays a hidden child of the window for the next switch.
void Form2::showView(QWidget* view)
{
    if (centralWidget() == view)
        return;
    QWidget* previous = takeCentralWidget();
    previous->setParent(this);
    previous->hide();
    setCentralWidget(view);
    view->show();
    view->setFocus();
}

// Painted from what the run was made from, whatever the main window holds by now.
void Form2::swatchViewTriggered()
{
    if (Swatch == nullptr) {
        Swatch = new ColourSwatchView(this);
        Swatch->setMinimumSize(1, 1);
        Swatch->setRun(m_runText, m_runSettings);
    }
    paintSwatchBackground();
    showView(Swatch);
    applyReadability();
}

void Form2::paintSwatchBackground()
{
    const auto& background = module1().PreviewBackground;
    Swatch->setBackground(screenColour({background[0], background[1], background[2]}));
}

// Asked for from the menu: the coloured view comes up, if it is not up yet, with the marks and the
// vision; the lowest contrast stands under it while the marks are on.
void Form2::showReadability()
{
    if (Swatch != nullptr && centralWidget() == Swatch) {
        applyReadability();
        return;
    }
    swatchViewAction->setChecked(true);
    swatchViewTriggered();
}

void Form2::applyReadability()
{
    const std::optional<ContrastFloor>& floor = m_runSettings.extended.contrastFloor;
    const double level = floor ? floor->ratio : Contrast::kText;
    const bool marks = contrastMarksAction->isChecked();
    Swatch->setContrastMarks(marks ? std::optional<double>(level) : std::nullopt);
    const auto vision = static_cast<ColourVision>(
        colourVisionActions.indexOf(colourVisionActions.front()->actionGroup()->checkedAction()));
    Swatch->setColourVision(vision);
    if (!marks || centralWidget() != Swatch) {
        if (m_contrastLabel)
            statusBar()->hide();
        return;
    }
    if (!m_contrastLabel) {
        m_contrastLabel = new QLabel(this);
        statusBar()->addWidget(m_contrastLabel, 1);
        statusBar()->setSizeGripEnabled(false);
    }
    statusBar()->show();
    const std::optional<ColourSwatchView::ContrastSummary> summary = Swatch->contrastSummary();
    m_contrastLabel->setText(summary ? QStringLiteral(u"背景とのコントラスト比：最低 %1、%2:1 未満 %3 文字")
                                           .arg(Contrast::ratioText(summary->lowest))
                                           .arg(level)
                                           .arg(summary->below)
                                     : QString());
}

void Form2::mnuClose_Click()
{
    close();
}

void Form2::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void Form2::Form_Unload()
{
    SingleInstance<Form2>::forget();
    // The main window was disabled for as long as a result was on screen.
    if (!SingleInstance<Form1>::isLoaded())
        return;
    Form1& mainWindow = form1();
    mainWindow.setEnabled(true);
    // Activation hands the focus back to the control that held it before the run.
    mainWindow.activateWindow();
    mainWindow.raise();
}

} // namespace huespan
