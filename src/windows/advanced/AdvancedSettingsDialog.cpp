#include "advanced/AdvancedSettingsDialog.h"

#include "ColourValues.h"
#include "ContrastFloor.h"
#include "ContrastReport.h"
#include "GradientPresets.h"
#include "Module1.h"
#include "SettingNames.h"
#include "StopGradient.h"
#include "StopText.h"
#include "ui/ColourStrip.h"
#include "ui/FixedDialogFlags.h"
#include "ui/MessageBox.h"
#include "ui/ProgramIcon.h"
#include "ui/ScreenColour.h"
#include "ui/ScreenPlacement.h"
#include "ui/SettingsConflictText.h"
#include "ui/StopListDelegate.h"
#include "ui/StopListModel.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

QComboBox* pickOnlyList(QWidget* parent, const QStringList& items)
{
    auto* list = new QComboBox(parent);
    list->addItems(items);
    return list;
}

QLabel* labelFor(QWidget* parent, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

// A list of a setting's values, each item holding its value and showing its caption.
template <typename Enum> QComboBox* settingList(QWidget* parent)
{
    auto* list = new QComboBox(parent);
    for (const SettingName<Enum>& entry : settingNames<Enum>())
        list->addItem(entry.caption.toString(), QVariant::fromValue(static_cast<int>(entry.value)));
    return list;
}

template <typename Enum> Enum listValue(const QComboBox* list)
{
    return static_cast<Enum>(list->currentData().toInt());
}

template <typename Enum> void showValue(QComboBox* list, Enum value)
{
    list->setCurrentIndex(list->findData(QVariant::fromValue(static_cast<int>(value))));
}

// A preset's colours as a small picture for its list item.
QIcon presetPicture(const GradientPreset& preset, const QSize& size)
{
    std::vector<ColourTriple> colours;
    StopGradient(preset.stops, preset.space, preset.hue).unitColours(size.width(), colours);
    QPixmap picture(size);
    QPainter painter(&picture);
    for (int x = 0; x < size.width(); ++x) {
        painter.setPen(screenColour(colours[static_cast<size_t>(x)]));
        painter.drawLine(x, 0, x, size.height() - 1);
    }
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(picture);
}

} // namespace

AdvancedSettingsDialog::AdvancedSettingsDialog(const AdvancedSettings& current, const GradientSettings& main,
                                               const QString& mainText, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags)
    , m_main(main)
    , m_mainText(mainText)
    , m_pickColour([this](const QColor& colour) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(colour, this);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    })
{
    setWindowTitle(u"詳細設定"_s);
    setWindowIcon(programIcon());
    const auto& background = module1().PreviewBackground;
    m_previewBackground = tripleOf(screenColour({background[0], background[1], background[2]}));
    setModal(true);
    buildControls();
    setTabChain();
    colourStrip->setTexts(sampleText(), mainText);
    setSettings(current);
    connectHandlers();
    refresh();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    centreOnScreen(*this);
}

AdvancedSettingsDialog::~AdvancedSettingsDialog() = default;

QString AdvancedSettingsDialog::sampleText()
{
    return u"Huespan グラデーション 🌈 👨‍👩‍👧 é"_s;
}

void AdvancedSettingsDialog::buildControls()
{
    auto* dialogLayout = new QVBoxLayout(this);

    gradientGroup = new QGroupBox(u"グラデーション(&G)"_s, this);
    auto* gradientLayout = new QGridLayout(gradientGroup);
    twoColoursOption = new QRadioButton(u"2色（メイン画面の設定）"_s, gradientGroup);
    stopsOption = new QRadioButton(u"色の並び"_s, gradientGroup);
    stopModel = new StopListModel(this);
    stopList = new QTableView(gradientGroup);
    stopList->setModel(stopModel);
    auto* delegate = new StopListDelegate(stopList);
    stopList->setItemDelegate(delegate);
    stopList->verticalHeader()->hide();
    // Tab leaves the list for the next control, as everywhere else in the dialog.
    stopList->setTabKeyNavigation(false);
    stopList->setSelectionBehavior(QAbstractItemView::SelectRows);
    stopList->setSelectionMode(QAbstractItemView::SingleSelection);
    // The colour and the position edit as text on a double click, F2 or typing; the swatch opens
    // the colour dialog (activated).
    stopList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    stopList->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    stopMessageLabel = new QLabel(gradientGroup);
    stopMessageLabel->setWordWrap(true);
    connect(delegate, &StopListDelegate::refusalChanged, stopMessageLabel, &QLabel::setText);
    addStopButton = new QPushButton(u"追加"_s, gradientGroup);
    removeStopButton = new QPushButton(u"削除"_s, gradientGroup);
    moveStopUpButton = new QPushButton(u"上へ"_s, gradientGroup);
    moveStopDownButton = new QPushButton(u"下へ"_s, gradientGroup);
    presetList = pickOnlyList(gradientGroup, {u"（プリセットから読み込む）"_s});
    const int pictureHeight = presetList->fontMetrics().height() * 2 / 3;
    const QSize pictureSize(pictureHeight * 4, pictureHeight);
    presetList->setIconSize(pictureSize);
    for (const GradientPreset& preset : gradientPresets())
        presetList->addItem(presetPicture(preset, pictureSize), preset.caption);
    presetLabel = labelFor(gradientGroup, u"プリセット："_s, presetList);
    rainbowOption = new QRadioButton(u"虹色"_s, gradientGroup);

    auto* stopButtons = new QVBoxLayout;
    for (QPushButton* button : {addStopButton, removeStopButton, moveStopUpButton, moveStopDownButton}) {
        button->setAutoDefault(false);
        stopButtons->addWidget(button);
    }
    stopButtons->addStretch();
    auto* presetRow = new QHBoxLayout;
    presetRow->addWidget(presetLabel);
    presetRow->addWidget(presetList, 1);
    gradientLayout->addWidget(twoColoursOption, 0, 0, 1, 2);
    gradientLayout->addWidget(stopsOption, 1, 0, 1, 2);
    gradientLayout->addWidget(stopList, 2, 0);
    gradientLayout->addLayout(stopButtons, 2, 1);
    gradientLayout->addWidget(stopMessageLabel, 3, 0, 1, 2);
    gradientLayout->addLayout(presetRow, 4, 0, 1, 2);
    gradientLayout->addWidget(rainbowOption, 5, 0, 1, 2);
    dialogLayout->addWidget(gradientGroup);

    spaceList = settingList<ColourSpace>(this);
    spaceLabel = labelFor(this, u"色空間(&C)："_s, spaceList);
    hueList = settingList<HueInterpolation>(this);
    hueLabel = labelFor(this, u"色相の補間(&H)："_s, hueList);
    unitList = settingList<TextUnit>(this);
    unitLabel = labelFor(this, u"単位(&U)："_s, unitList);
    formatList = settingList<OutputFormat>(this);
    formatLabel = labelFor(this, u"出力形式(&F)："_s, formatList);
    auto* lists = new QGridLayout;
    int row = 0;
    for (const auto& [label, list] : {std::pair{spaceLabel, spaceList}, std::pair{hueLabel, hueList},
                                      std::pair{unitLabel, unitList}, std::pair{formatLabel, formatList}}) {
        lists->addWidget(label, row, 0);
        lists->addWidget(list, row, 1);
        ++row;
    }
    lists->setColumnStretch(1, 1);
    dialogLayout->addLayout(lists);

    mergeCheck = new QCheckBox(u"同じ色をまとめる(&M)"_s, this);
    skipWhitespaceCheck = new QCheckBox(u"空白に色を付けない(&W)"_s, this);
    keepLineBreaksCheck = new QCheckBox(u"テキストの改行を保つ(&L)"_s, this);
    reverseCheck = new QCheckBox(u"逆順(&R)"_s, this);
    auto* checks = new QGridLayout;
    checks->addWidget(mergeCheck, 0, 0);
    checks->addWidget(skipWhitespaceCheck, 0, 1);
    checks->addWidget(keepLineBreaksCheck, 1, 0);
    checks->addWidget(reverseCheck, 1, 1);
    contrastFloorCheck = new QCheckBox(u"背景とのコントラストを確保(&K)"_s, this);
    contrastFloorList =
        pickOnlyList(this, {u"3:1（大きな文字）"_s, u"4.5:1（本文の文字）"_s, u"7:1（より読みやすく）"_s});
    checks->addWidget(contrastFloorCheck, 2, 0);
    checks->addWidget(contrastFloorList, 2, 1);
    dialogLayout->addLayout(checks);

    colourStrip = new ColourStrip(this);
    dialogLayout->addWidget(colourStrip);
    lowestContrastLabel = new QLabel(this);
    lowestContrastLabel->hide();
    dialogLayout->addWidget(lowestContrastLabel);
    conflictLabel = new QLabel(this);
    conflictLabel->setWordWrap(true);
    // Room for a note of two lines, so that the dialog keeps its size when one appears.
    conflictLabel->setMinimumHeight(conflictLabel->fontMetrics().lineSpacing() * 2);
    QPalette warning = conflictLabel->palette();
    warning.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    conflictLabel->setPalette(warning);
    dialogLayout->addWidget(conflictLabel);

    defaultsButton = new QPushButton(u"既定に戻す(&D)"_s, this);
    defaultsButton->setAutoDefault(false);
    okButton = new QPushButton(u"OK"_s, this);
    okButton->setDefault(true);
    cancelButton = new QPushButton(u"キャンセル"_s, this);
    cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaultsButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    dialogLayout->addLayout(buttons);

    // Wide enough for the longest caption; the table and the strip take the rest.
    setMinimumWidth(fontMetrics().horizontalAdvance(u"単位(U)："_s + captionOf(TextUnit::Grapheme)) +
                    fontMetrics().averageCharWidth() * 12);
}

void AdvancedSettingsDialog::setTabChain()
{
    const QList<QWidget*> chain{twoColoursOption,    stopsOption,      stopList,
                                addStopButton,       removeStopButton, moveStopUpButton,
                                moveStopDownButton,  presetList,       rainbowOption,
                                spaceList,           hueList,          unitList,
                                formatList,          mergeCheck,       skipWhitespaceCheck,
                                keepLineBreaksCheck, reverseCheck,     contrastFloorCheck,
                                contrastFloorList,   defaultsButton,   okButton,
                                cancelButton};
    for (qsizetype index = 1; index < chain.size(); ++index)
        QWidget::setTabOrder(chain.at(index - 1), chain.at(index));
}

void AdvancedSettingsDialog::connectHandlers()
{
    for (QRadioButton* option : {twoColoursOption, stopsOption, rainbowOption})
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                gradientChosen();
        });
    connect(stopModel, &StopListModel::edited, this, [this] {
        // An edited list is no longer the preset it came from.
        presetList->setCurrentIndex(0);
        refresh();
    });
    for (const auto rowsChanged : {&StopListModel::rowsInserted, &StopListModel::rowsRemoved})
        connect(stopModel, rowsChanged, this, &AdvancedSettingsDialog::fitStopList);
    connect(stopModel, &StopListModel::modelReset, this, &AdvancedSettingsDialog::fitStopList);
    connect(stopList, &QTableView::activated, this, &AdvancedSettingsDialog::stopActivated);
    connect(stopList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &AdvancedSettingsDialog::refresh);
    connect(addStopButton, &QPushButton::clicked, this, &AdvancedSettingsDialog::addStop);
    connect(removeStopButton, &QPushButton::clicked, this, &AdvancedSettingsDialog::removeStop);
    connect(moveStopUpButton, &QPushButton::clicked, this, [this] { moveStop(-1); });
    connect(moveStopDownButton, &QPushButton::clicked, this, [this] { moveStop(1); });
    connect(presetList, &QComboBox::activated, this, &AdvancedSettingsDialog::presetChosen);
    for (QComboBox* list : {spaceList, hueList, unitList, formatList})
        connect(list, &QComboBox::currentIndexChanged, this, &AdvancedSettingsDialog::refresh);
    for (QCheckBox* check :
         {mergeCheck, skipWhitespaceCheck, keepLineBreaksCheck, reverseCheck, contrastFloorCheck})
        connect(check, &QCheckBox::toggled, this, &AdvancedSettingsDialog::refresh);
    connect(contrastFloorList, &QComboBox::currentIndexChanged, this, &AdvancedSettingsDialog::refresh);
    connect(defaultsButton, &QPushButton::clicked, this, &AdvancedSettingsDialog::defaultsClicked);
    connect(okButton, &QPushButton::clicked, this, &AdvancedSettingsDialog::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &AdvancedSettingsDialog::reject);
}

AdvancedSettings AdvancedSettingsDialog::settings() const
{
    AdvancedSettings settings;
    settings.gradient = stopsOption->isChecked()     ? GradientChoice::Stops
                        : rainbowOption->isChecked() ? GradientChoice::Rainbow
                                                     : GradientChoice::TwoColours;
    settings.stops = stopModel->stops();
    ExtendedSettings& options = settings.options;
    options.space = listValue<ColourSpace>(spaceList);
    options.hue = listValue<HueInterpolation>(hueList);
    options.unit = listValue<TextUnit>(unitList);
    options.format = listValue<OutputFormat>(formatList);
    options.merge = mergeCheck->isChecked();
    options.skipWhitespace = skipWhitespaceCheck->isChecked();
    options.keepLineBreaks = keepLineBreaksCheck->isChecked();
    options.reverse = reverseCheck->isChecked();
    if (contrastFloorCheck->isChecked()) {
        options.contrastFloor = ContrastFloor{
            kContrastLevels[static_cast<size_t>(contrastFloorList->currentIndex())], m_previewBackground};
    }
    return settings;
}

void AdvancedSettingsDialog::setSettings(const AdvancedSettings& settings)
{
    stopModel->setStops(settings.stops);
    switch (settings.gradient) {
    case GradientChoice::TwoColours:
        twoColoursOption->setChecked(true);
        break;
    case GradientChoice::Stops:
        stopsOption->setChecked(true);
        break;
    case GradientChoice::Rainbow:
        rainbowOption->setChecked(true);
        break;
    }
    const ExtendedSettings& options = settings.options;
    showValue(spaceList, options.space);
    showValue(hueList, options.hue);
    showValue(unitList, options.unit);
    showValue(formatList, options.format);
    mergeCheck->setChecked(options.merge);
    skipWhitespaceCheck->setChecked(options.skipWhitespace);
    keepLineBreaksCheck->setChecked(options.keepLineBreaks);
    reverseCheck->setChecked(options.reverse);
    contrastFloorCheck->setChecked(options.contrastFloor.has_value());
    // Text's level unless another is chosen.
    const double level = options.contrastFloor ? options.contrastFloor->ratio : Contrast::kText;
    contrastFloorList->setCurrentIndex(static_cast<int>(
        std::find(kContrastLevels.begin(), kContrastLevels.end(), level) - kContrastLevels.begin()));
    refresh();
}

void AdvancedSettingsDialog::fitStopList()
{
    // Six rows at least without scrolling; the list, and the dialog with it, grows to ten.
    const int rows = std::clamp(stopModel->rowCount(), 6, 10);
    const int rowHeight = stopList->verticalHeader()->defaultSectionSize();
    stopList->setFixedHeight(stopList->horizontalHeader()->sizeHint().height() + rows * rowHeight +
                             2 * stopList->frameWidth());
}

int AdvancedSettingsDialog::selectedStop() const
{
    const QModelIndex current = stopList->currentIndex();
    return current.isValid() && stopList->selectionModel()->isSelected(current) ? current.row() : -1;
}

void AdvancedSettingsDialog::selectStop(int row)
{
    stopList->setCurrentIndex(stopModel->index(row, StopListModel::ColourColumn));
}

void AdvancedSettingsDialog::stopActivated(const QModelIndex& index)
{
    if (!index.isValid() || index.column() != StopListModel::SwatchColumn)
        return;
    const ColourStop& stop = stopModel->stops()[static_cast<size_t>(index.row())];
    if (const std::optional<QColor> chosen = m_pickColour(screenColour(stop.colour)))
        stopModel->setColour(index.row(), tripleOf(*chosen));
}

void AdvancedSettingsDialog::addStop()
{
    const std::vector<ColourStop>& stops = stopModel->stops();
    const int row = selectedStop();
    if (stops.empty()) {
        // The main window's first colour, where nothing is left to follow.
        stopModel->insertStop(0, ColourStop{ReadColours(m_main).first, std::nullopt});
        selectStop(0);
        return;
    }
    const int after = row < 0 ? static_cast<int>(stops.size()) - 1 : row;
    // The new stop leaves the gradient as it is until it is edited. The positions are written out
    // as the rules placed them, so that none moves.
    std::vector<ColourStop> placed = resolveStopPositions(stops);
    ColourStop added = placed[static_cast<size_t>(after)];
    if (after + 1 < static_cast<int>(placed.size())) {
        // Between two stops: halfway in position, in the colour the gradient has there.
        const double position = (*added.position + *placed[static_cast<size_t>(after) + 1].position) / 2.0;
        const AdvancedSettings current = settings();
        added = {StopGradient(placed, current.options.space, current.options.hue).colourAt(position),
                 position};
    }
    // At the end, the last stop once more.
    stopModel->setStops(std::move(placed));
    stopModel->insertStop(after + 1, added);
    selectStop(after + 1);
}

void AdvancedSettingsDialog::removeStop()
{
    const int row = selectedStop();
    stopModel->removeStop(row);
    if (row >= 0 && stopModel->rowCount() > 0)
        selectStop(std::min(row, stopModel->rowCount() - 1));
}

void AdvancedSettingsDialog::moveStop(int by)
{
    const int row = selectedStop();
    if (row < 0 || row + by < 0 || row + by >= stopModel->rowCount())
        return;
    stopModel->moveStop(row, by);
    selectStop(row + by);
}

void AdvancedSettingsDialog::presetChosen(int index)
{
    const auto& presets = gradientPresets();
    if (index < 1 || index > static_cast<int>(presets.size()))
        return;
    const GradientPreset& preset = presets[static_cast<size_t>(index - 1)];
    stopModel->setStops(preset.stops);
    showValue(spaceList, preset.space);
    showValue(hueList, preset.hue);
    stopsOption->setChecked(true);
    presetList->setCurrentIndex(index);
}

void AdvancedSettingsDialog::gradientChosen()
{
    // A list is begun from the main window's colours, so that choosing it changes nothing yet.
    if (stopsOption->isChecked() && stopModel->rowCount() == 0) {
        const auto [first, second] = ReadColours(m_main);
        stopModel->setStops({ColourStop{first, 0.0}, ColourStop{second, 100.0}});
    }
    refresh();
}

void AdvancedSettingsDialog::refresh()
{
    const AdvancedSettings current = settings();
    const bool stops = current.gradient == GradientChoice::Stops;
    const bool rainbow = current.gradient == GradientChoice::Rainbow;
    stopList->setEnabled(stops);
    // Each button only where it can act on the selected stop.
    const int row = selectedStop();
    const bool selected = row >= 0;
    addStopButton->setEnabled(stops);
    removeStopButton->setEnabled(stops && selected);
    moveStopUpButton->setEnabled(stops && selected && row > 0);
    moveStopDownButton->setEnabled(stops && selected && row + 1 < stopModel->rowCount());
    // The rainbow runs round the hue circle in HSL whatever the lists say.
    spaceList->setEnabled(!rainbow);
    spaceLabel->setEnabled(!rainbow);
    const bool polar = isPolar(current.options.space);
    hueList->setEnabled(polar && !rainbow);
    hueLabel->setEnabled(polar && !rainbow);

    contrastFloorList->setEnabled(contrastFloorCheck->isChecked());

    GradientSettings combined = m_main;
    combined.extended = current.extended();
    colourStrip->setSettings(combined);
    conflictLabel->setText(settingsConflictsText(current.conflictsWith(m_main)));
    showLowestContrast(combined);
}

// With a floor, the strip shows the texts on the preview's background, and the label the lowest
// contrast there; without one, both stay as they were.
void AdvancedSettingsDialog::showLowestContrast(const GradientSettings& combined)
{
    const std::optional<ContrastFloor>& floor = combined.extended.contrastFloor;
    colourStrip->setBackground(floor ? screenColour(floor->background) : QColor(Qt::white));
    lowestContrastLabel->setVisible(floor.has_value());
    if (!floor)
        return;
    std::optional<double> lowest;
    for (const QString& text : {sampleText(), m_mainText}) {
        if (const std::optional<ContrastReport> report =
                ContrastReport::of(text, combined, floor->background))
            lowest = std::min(lowest.value_or(report->lowest), report->lowest);
    }
    lowestContrastLabel->setText(
        lowest ? u"プレビューの背景色とのコントラスト比：最低 "_s + Contrast::ratioText(*lowest) : QString());
}

void AdvancedSettingsDialog::okClicked()
{
    if (const std::vector<SettingsConflict> found = settings().conflictsWith(m_main); !found.empty()) {
        MessageBox::show(settingsConflictsText(found), MessageBox::Style::Information);
        return;
    }
    accept();
}

void AdvancedSettingsDialog::defaultsClicked()
{
    AdvancedSettings defaults;
    // The list stays for another time; only the choice goes back to the two colours.
    defaults.stops = stopModel->stops();
    setSettings(defaults);
}

} // namespace huespan
