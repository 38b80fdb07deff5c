#include "advanced/frmAdvanced.h"

#include "ColourValues.h"
#include "ContrastFloor.h"
#include "ContrastReport.h"
#include "GradientPresets.h"
#include "Module1.h"
#include "ui/ColourStrip.h"
#include "ui/FixedDialogFlags.h"
#include "ui/MessageBox.h"
#include "ui/ProgramIcon.h"
#include "ui/ScreenColour.h"
#include "ui/ScreenPlacement.h"
#include "ui/SettingsConflictText.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

enum StopColumn
{
    kSwatchColumn,
    kColourColumn,
    kPositionColumn,
};

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

// The list indexes of the enumerations follow their order of declaration.
template <typename Enum> Enum listValue(const QComboBox* list)
{
    return static_cast<Enum>(list->currentIndex());
}

template <typename Enum> void showValue(QComboBox* list, Enum value)
{
    list->setCurrentIndex(static_cast<int>(value));
}

QString positionText(const std::optional<double>& position)
{
    return position ? QString::number(*position, 'g', 6) : QString();
}

} // namespace

frmAdvanced::frmAdvanced(const AdvancedSettings& current, const GradientSettings& main,
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
    Strip->setTexts(sampleText(), mainText);
    setSettings(current);
    connectHandlers();
    refresh();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    centreOnScreen(*this);
}

frmAdvanced::~frmAdvanced() = default;

QString frmAdvanced::sampleText()
{
    return u"Huespan グラデーション 🌈 👨‍👩‍👧 é"_s;
}

void frmAdvanced::buildControls()
{
    auto* dialogLayout = new QVBoxLayout(this);

    FrameGradient = new QGroupBox(u"グラデーション(&G)"_s, this);
    auto* gradientLayout = new QGridLayout(FrameGradient);
    OptionTwoColours = new QRadioButton(u"2色（メイン画面の設定）"_s, FrameGradient);
    OptionStops = new QRadioButton(u"色の並び"_s, FrameGradient);
    StopList = new QTableWidget(0, 3, FrameGradient);
    StopList->setHorizontalHeaderLabels({u"色"_s, u"#RRGGBB"_s, u"位置(%)"_s});
    StopList->verticalHeader()->hide();
    // Tab leaves the list for the next control, as everywhere else in the dialog.
    StopList->setTabKeyNavigation(false);
    StopList->setSelectionBehavior(QAbstractItemView::SelectRows);
    StopList->setSelectionMode(QAbstractItemView::SingleSelection);
    StopList->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    StopList->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    StopList->setFixedHeight(StopList->fontMetrics().height() * 8);
    CommandAddStop = new QPushButton(u"追加"_s, FrameGradient);
    CommandRemoveStop = new QPushButton(u"削除"_s, FrameGradient);
    CommandStopUp = new QPushButton(u"上へ"_s, FrameGradient);
    CommandStopDown = new QPushButton(u"下へ"_s, FrameGradient);
    QStringList presetItems{u"（プリセットから読み込む）"_s};
    for (const GradientPreset& preset : gradientPresets())
        presetItems.append(preset.name);
    PresetList = pickOnlyList(FrameGradient, presetItems);
    LabelPreset = labelFor(FrameGradient, u"プリセット："_s, PresetList);
    OptionRainbow = new QRadioButton(u"虹色"_s, FrameGradient);

    auto* stopButtons = new QVBoxLayout;
    for (QPushButton* button : {CommandAddStop, CommandRemoveStop, CommandStopUp, CommandStopDown}) {
        button->setAutoDefault(false);
        stopButtons->addWidget(button);
    }
    stopButtons->addStretch();
    auto* presetRow = new QHBoxLayout;
    presetRow->addWidget(LabelPreset);
    presetRow->addWidget(PresetList, 1);
    gradientLayout->addWidget(OptionTwoColours, 0, 0, 1, 2);
    gradientLayout->addWidget(OptionStops, 1, 0, 1, 2);
    gradientLayout->addWidget(StopList, 2, 0);
    gradientLayout->addLayout(stopButtons, 2, 1);
    gradientLayout->addLayout(presetRow, 3, 0, 1, 2);
    gradientLayout->addWidget(OptionRainbow, 4, 0, 1, 2);
    dialogLayout->addWidget(FrameGradient);

    SpaceList = pickOnlyList(this, {u"sRGB（標準）"_s, u"リニアsRGB"_s, u"OKLab"_s, u"OKLCH"_s, u"HSL"_s});
    LabelSpace = labelFor(this, u"色空間(&C)："_s, SpaceList);
    HueList = pickOnlyList(this, {u"短い方"_s, u"長い方"_s, u"増加方向"_s, u"減少方向"_s});
    LabelHue = labelFor(this, u"色相の補間(&H)："_s, HueList);
    UnitList = pickOnlyList(this, {u"文字"_s, u"書記素クラスタ（絵文字や結合文字をひとまとまりに）"_s});
    LabelUnit = labelFor(this, u"単位(&U)："_s, UnitList);
    QStringList formats;
    for (const OutputFormat format : {OutputFormat::Font, OutputFormat::Span, OutputFormat::Bbcode,
                                      OutputFormat::Ansi, OutputFormat::Css})
        formats.append(outputFormatCaption(format));
    FormatList = pickOnlyList(this, formats);
    LabelFormat = labelFor(this, u"出力形式(&F)："_s, FormatList);
    auto* lists = new QGridLayout;
    int row = 0;
    for (const auto& [label, list] : {std::pair{LabelSpace, SpaceList}, std::pair{LabelHue, HueList},
                                      std::pair{LabelUnit, UnitList}, std::pair{LabelFormat, FormatList}}) {
        lists->addWidget(label, row, 0);
        lists->addWidget(list, row, 1);
        ++row;
    }
    lists->setColumnStretch(1, 1);
    dialogLayout->addLayout(lists);

    CheckMerge = new QCheckBox(u"同じ色をまとめる(&M)"_s, this);
    CheckWhitespace = new QCheckBox(u"空白に色を付けない(&W)"_s, this);
    CheckLineBreaks = new QCheckBox(u"テキストの改行を保つ(&L)"_s, this);
    CheckReverse = new QCheckBox(u"逆順(&R)"_s, this);
    auto* checks = new QGridLayout;
    checks->addWidget(CheckMerge, 0, 0);
    checks->addWidget(CheckWhitespace, 0, 1);
    checks->addWidget(CheckLineBreaks, 1, 0);
    checks->addWidget(CheckReverse, 1, 1);
    contrastFloorCheck = new QCheckBox(u"背景とのコントラストを確保(&K)"_s, this);
    contrastFloorList =
        pickOnlyList(this, {u"3:1（大きな文字）"_s, u"4.5:1（本文の文字）"_s, u"7:1（より読みやすく）"_s});
    checks->addWidget(contrastFloorCheck, 2, 0);
    checks->addWidget(contrastFloorList, 2, 1);
    dialogLayout->addLayout(checks);

    Strip = new ColourStrip(this);
    dialogLayout->addWidget(Strip);
    lowestContrastLabel = new QLabel(this);
    lowestContrastLabel->hide();
    dialogLayout->addWidget(lowestContrastLabel);
    LabelConflict = new QLabel(this);
    LabelConflict->setWordWrap(true);
    // Room for a note of two lines, so that the dialog keeps its size when one appears.
    LabelConflict->setMinimumHeight(LabelConflict->fontMetrics().lineSpacing() * 2);
    QPalette warning = LabelConflict->palette();
    warning.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    LabelConflict->setPalette(warning);
    dialogLayout->addWidget(LabelConflict);

    CommandDefaults = new QPushButton(u"既定に戻す(&D)"_s, this);
    CommandDefaults->setAutoDefault(false);
    CommandOk = new QPushButton(u"OK"_s, this);
    CommandOk->setDefault(true);
    CommandCancel = new QPushButton(u"キャンセル"_s, this);
    CommandCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CommandDefaults);
    buttons->addStretch();
    buttons->addWidget(CommandOk);
    buttons->addWidget(CommandCancel);
    dialogLayout->addLayout(buttons);

    // Wide enough for the longest caption; the table and the strip take the rest.
    setMinimumWidth(
        fontMetrics().horizontalAdvance(u"単位(U)：書記素クラスタ（絵文字や結合文字をひとまとまりに）"_s) +
        fontMetrics().averageCharWidth() * 12);
}

void frmAdvanced::setTabChain()
{
    const QList<QWidget*> chain{OptionTwoColours,  OptionStops,        StopList,          CommandAddStop,
                                CommandRemoveStop, CommandStopUp,      CommandStopDown,   PresetList,
                                OptionRainbow,     SpaceList,          HueList,           UnitList,
                                FormatList,        CheckMerge,         CheckWhitespace,   CheckLineBreaks,
                                CheckReverse,      contrastFloorCheck, contrastFloorList, CommandDefaults,
                                CommandOk,         CommandCancel};
    for (qsizetype index = 1; index < chain.size(); ++index)
        QWidget::setTabOrder(chain.at(index - 1), chain.at(index));
}

void frmAdvanced::connectHandlers()
{
    for (QRadioButton* option : {OptionTwoColours, OptionStops, OptionRainbow})
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                gradientChosen();
        });
    connect(StopList, &QTableWidget::cellChanged, this, &frmAdvanced::stopEdited);
    connect(StopList, &QTableWidget::cellDoubleClicked, this, &frmAdvanced::stopDoubleClicked);
    connect(StopList, &QTableWidget::currentCellChanged, this, &frmAdvanced::refresh);
    connect(CommandAddStop, &QPushButton::clicked, this, &frmAdvanced::addStop);
    connect(CommandRemoveStop, &QPushButton::clicked, this, &frmAdvanced::removeStop);
    connect(CommandStopUp, &QPushButton::clicked, this, [this] { moveStop(-1); });
    connect(CommandStopDown, &QPushButton::clicked, this, [this] { moveStop(1); });
    connect(PresetList, &QComboBox::activated, this, &frmAdvanced::presetChosen);
    for (QComboBox* list : {SpaceList, HueList, UnitList, FormatList})
        connect(list, &QComboBox::currentIndexChanged, this, &frmAdvanced::refresh);
    for (QCheckBox* check : {CheckMerge, CheckWhitespace, CheckLineBreaks, CheckReverse, contrastFloorCheck})
        connect(check, &QCheckBox::toggled, this, &frmAdvanced::refresh);
    connect(contrastFloorList, &QComboBox::currentIndexChanged, this, &frmAdvanced::refresh);
    connect(CommandDefaults, &QPushButton::clicked, this, &frmAdvanced::CommandDefaults_Click);
    connect(CommandOk, &QPushButton::clicked, this, &frmAdvanced::CommandOk_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &frmAdvanced::reject);
}

AdvancedSettings frmAdvanced::settings() const
{
    AdvancedSettings settings;
    settings.gradient = OptionStops->isChecked()     ? GradientChoice::Stops
                        : OptionRainbow->isChecked() ? GradientChoice::Rainbow
                                                     : GradientChoice::TwoColours;
    settings.stops = m_stops;
    ExtendedSettings& options = settings.options;
    options.space = listValue<ColourSpace>(SpaceList);
    options.hue = listValue<HueInterpolation>(HueList);
    options.unit = listValue<TextUnit>(UnitList);
    options.format = listValue<OutputFormat>(FormatList);
    options.merge = CheckMerge->isChecked();
    options.skipWhitespace = CheckWhitespace->isChecked();
    options.keepLineBreaks = CheckLineBreaks->isChecked();
    options.reverse = CheckReverse->isChecked();
    if (contrastFloorCheck->isChecked()) {
        options.contrastFloor = ContrastFloor{
            kContrastLevels[static_cast<size_t>(contrastFloorList->currentIndex())], m_previewBackground};
    }
    return settings;
}

void frmAdvanced::setSettings(const AdvancedSettings& settings)
{
    m_stops = settings.stops;
    showStops();
    switch (settings.gradient) {
    case GradientChoice::TwoColours:
        OptionTwoColours->setChecked(true);
        break;
    case GradientChoice::Stops:
        OptionStops->setChecked(true);
        break;
    case GradientChoice::Rainbow:
        OptionRainbow->setChecked(true);
        break;
    }
    const ExtendedSettings& options = settings.options;
    showValue(SpaceList, options.space);
    showValue(HueList, options.hue);
    showValue(UnitList, options.unit);
    showValue(FormatList, options.format);
    CheckMerge->setChecked(options.merge);
    CheckWhitespace->setChecked(options.skipWhitespace);
    CheckLineBreaks->setChecked(options.keepLineBreaks);
    CheckReverse->setChecked(options.reverse);
    contrastFloorCheck->setChecked(options.contrastFloor.has_value());
    // Text's level unless another is chosen.
    const double level = options.contrastFloor ? options.contrastFloor->ratio : Contrast::kText;
    contrastFloorList->setCurrentIndex(static_cast<int>(
        std::find(kContrastLevels.begin(), kContrastLevels.end(), level) - kContrastLevels.begin()));
    refresh();
}

void frmAdvanced::showStops()
{
    m_showingStops = true;
    const int current = StopList->currentRow();
    StopList->setRowCount(static_cast<int>(m_stops.size()));
    for (int row = 0; row < StopList->rowCount(); ++row) {
        const ColourStop& stop = m_stops[static_cast<size_t>(row)];
        auto* swatch = new QTableWidgetItem;
        swatch->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        swatch->setBackground(screenColour(stop.colour));
        StopList->setItem(row, kSwatchColumn, swatch);
        StopList->setItem(row, kColourColumn, new QTableWidgetItem(u'#' + ColourCode(stop.colour)));
        StopList->setItem(row, kPositionColumn, new QTableWidgetItem(positionText(stop.position)));
    }
    if (current >= 0 && current < StopList->rowCount())
        StopList->setCurrentCell(current, kColourColumn);
    m_showingStops = false;
    refresh();
}

void frmAdvanced::stopEdited(int row, int column)
{
    if (m_showingStops || row < 0 || row >= static_cast<int>(m_stops.size()))
        return;
    ColourStop& stop = m_stops[static_cast<size_t>(row)];
    const QString text = StopList->item(row, column)->text().trimmed();
    if (column == kColourColumn) {
        // A colour that does not read as #RRGGBB is put back as it was.
        const QColor colour = QColor::fromString(text.startsWith(u'#') ? text : u'#' + text);
        if (colour.isValid() && (text.size() == 7 || text.size() == 6))
            stop.colour = tripleOf(colour);
    } else if (column == kPositionColumn) {
        bool ok = false;
        const double position = QString(text).remove(u'%').toDouble(&ok);
        if (text.isEmpty())
            stop.position.reset();
        else if (ok && std::isfinite(position))
            stop.position = std::clamp(position, 0.0, 100.0);
    }
    showStops();
}

void frmAdvanced::stopDoubleClicked(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(m_stops.size()))
        return;
    if (column == kPositionColumn) {
        StopList->editItem(StopList->item(row, column));
        return;
    }
    ColourStop& stop = m_stops[static_cast<size_t>(row)];
    if (const std::optional<QColor> chosen = m_pickColour(screenColour(stop.colour))) {
        stop.colour = tripleOf(*chosen);
        showStops();
    }
}

void frmAdvanced::addStop()
{
    // The new stop repeats the one it follows, so that the gradient does not change until it is edited.
    const int row = StopList->currentRow();
    const size_t at = row < 0 ? m_stops.size() : static_cast<size_t>(row) + 1;
    ColourStop stop{ColourTriple{255, 255, 255}, std::nullopt};
    if (!m_stops.empty())
        stop.colour = m_stops[at == 0 ? 0 : at - 1].colour;
    m_stops.insert(m_stops.begin() + static_cast<std::ptrdiff_t>(at), stop);
    StopList->setCurrentCell(static_cast<int>(at), kColourColumn);
    showStops();
    StopList->setCurrentCell(static_cast<int>(at), kColourColumn);
}

void frmAdvanced::removeStop()
{
    const int row = StopList->currentRow();
    if (row < 0 || row >= static_cast<int>(m_stops.size()))
        return;
    m_stops.erase(m_stops.begin() + row);
    showStops();
}

void frmAdvanced::moveStop(int by)
{
    const int row = StopList->currentRow();
    const int target = row + by;
    if (row < 0 || target < 0 || target >= static_cast<int>(m_stops.size()))
        return;
    std::swap(m_stops[static_cast<size_t>(row)], m_stops[static_cast<size_t>(target)]);
    // The positions stay where they were: moving a stop changes the order of the colours.
    std::swap(m_stops[static_cast<size_t>(row)].position, m_stops[static_cast<size_t>(target)].position);
    StopList->setCurrentCell(target, kColourColumn);
    showStops();
}

void frmAdvanced::presetChosen(int index)
{
    const auto& presets = gradientPresets();
    if (index < 1 || index > static_cast<int>(presets.size()))
        return;
    const GradientPreset& preset = presets[static_cast<size_t>(index - 1)];
    m_stops = preset.stops;
    showValue(SpaceList, preset.space);
    showValue(HueList, preset.hue);
    OptionStops->setChecked(true);
    showStops();
}

void frmAdvanced::gradientChosen()
{
    // A list is begun from the main window's colours, so that choosing it changes nothing yet.
    if (OptionStops->isChecked() && m_stops.empty()) {
        const auto [first, second] = ReadColours(m_main);
        m_stops = {ColourStop{first, 0.0}, ColourStop{second, 100.0}};
        showStops();
    }
    refresh();
}

std::optional<SettingsConflict> frmAdvanced::conflict() const
{
    return settings().conflictWith(m_main);
}

void frmAdvanced::refresh()
{
    const AdvancedSettings current = settings();
    const bool stops = current.gradient == GradientChoice::Stops;
    const bool rainbow = current.gradient == GradientChoice::Rainbow;
    StopList->setEnabled(stops);
    // Each button only where it can act on the selected stop.
    const int row = StopList->currentRow();
    const bool selected = row >= 0 && row < static_cast<int>(m_stops.size());
    CommandAddStop->setEnabled(stops);
    CommandRemoveStop->setEnabled(stops && selected);
    CommandStopUp->setEnabled(stops && selected && row > 0);
    CommandStopDown->setEnabled(stops && selected && row + 1 < static_cast<int>(m_stops.size()));
    // The rainbow runs round the hue circle in HSL whatever the lists say.
    SpaceList->setEnabled(!rainbow);
    LabelSpace->setEnabled(!rainbow);
    const bool polar = isPolar(current.options.space);
    HueList->setEnabled(polar && !rainbow);
    LabelHue->setEnabled(polar && !rainbow);

    contrastFloorList->setEnabled(contrastFloorCheck->isChecked());

    GradientSettings combined = m_main;
    combined.extended = current.extended();
    Strip->setSettings(combined);
    const std::optional<SettingsConflict> found = current.conflictWith(m_main);
    LabelConflict->setText(found ? settingsConflictText(*found) : QString());
    showLowestContrast(combined);
}

// With a floor, the strip shows the texts on the preview's background, and the label the lowest
// contrast there; without one, both stay as they were.
void frmAdvanced::showLowestContrast(const GradientSettings& combined)
{
    const std::optional<ContrastFloor>& floor = combined.extended.contrastFloor;
    Strip->setBackground(floor ? screenColour(floor->background) : QColor(Qt::white));
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

void frmAdvanced::CommandOk_Click()
{
    if (const std::optional<SettingsConflict> found = conflict()) {
        MessageBox::show(settingsConflictText(*found), MessageBox::Style::Information);
        return;
    }
    accept();
}

void frmAdvanced::CommandDefaults_Click()
{
    AdvancedSettings defaults;
    // The list stays for another time; only the choice goes back to the two colours.
    defaults.stops = m_stops;
    setSettings(defaults);
}

} // namespace huespan
