#pragma once

#include "GradientSettings.h"
#include "SettingsConflict.h"
#include "ui/AdvancedSettings.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace huespan {

class ColourStrip;

// The advanced settings dialog: where the gradient's colours come from, the colour space, the
// units, the output format and the compact-output switches, with a strip that paints a sample in
// the resulting colours. OK keeps the settings unless they conflict with the main window's;
// キャンセル and the close box keep the old ones.
class frmAdvanced final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAdvanced)

public:
    // main holds the main window's settings and text: the two colours, the form and the styles the
    // strip paints with, and the size and heading that some formats cannot take.
    frmAdvanced(const AdvancedSettings& current, const GradientSettings& main, const QString& mainText,
                QWidget* parent = nullptr);
    ~frmAdvanced() override;

    // The settings as the controls hold them now.
    AdvancedSettings settings() const;
    void setSettings(const AdvancedSettings& settings);

    // Asks the user for a stop's colour; tests answer in its place.
    using ColourPicker = std::function<std::optional<QColor>(const QColor& current)>;
    void setColourPicker(ColourPicker picker) { m_pickColour = std::move(picker); }

    // The sample text the strip paints first.
    static QString sampleText();

    QGroupBox* FrameGradient = nullptr;
    QRadioButton* OptionTwoColours = nullptr;
    QRadioButton* OptionStops = nullptr;
    QTableWidget* StopList = nullptr;
    QPushButton* CommandAddStop = nullptr;
    QPushButton* CommandRemoveStop = nullptr;
    QPushButton* CommandStopUp = nullptr;
    QPushButton* CommandStopDown = nullptr;
    QLabel* LabelPreset = nullptr;
    QComboBox* PresetList = nullptr;
    QRadioButton* OptionRainbow = nullptr;

    QLabel* LabelSpace = nullptr;
    QComboBox* SpaceList = nullptr;
    QLabel* LabelHue = nullptr;
    QComboBox* HueList = nullptr;
    QLabel* LabelUnit = nullptr;
    QComboBox* UnitList = nullptr;
    QLabel* LabelFormat = nullptr;
    QComboBox* FormatList = nullptr;

    QCheckBox* CheckMerge = nullptr;
    QCheckBox* CheckWhitespace = nullptr;
    QCheckBox* CheckLineBreaks = nullptr;
    QCheckBox* CheckReverse = nullptr;
    // A contrast floor against the preview's background, at one of kContrastLevels.
    QCheckBox* contrastFloorCheck = nullptr;
    QComboBox* contrastFloorList = nullptr;

    ColourStrip* Strip = nullptr;
    // With a floor: the lowest contrast of the strip's texts against the preview's background.
    QLabel* lowestContrastLabel = nullptr;
    QLabel* LabelConflict = nullptr;

    QPushButton* CommandDefaults = nullptr;
    QPushButton* CommandOk = nullptr;
    QPushButton* CommandCancel = nullptr;

public slots:
    void CommandOk_Click();
    void CommandDefaults_Click();

private:
    void buildControls();
    void setTabChain();
    void connectHandlers();
    void showStops();
    void stopEdited(int row, int column);
    void stopDoubleClicked(int row, int column);
    void addStop();
    void removeStop();
    void moveStop(int by);
    void presetChosen(int index);
    void gradientChosen();
    // Enables what the settings make meaningful, repaints the strip and words any conflict.
    void refresh();
    std::optional<SettingsConflict> conflict() const;

    void showLowestContrast(const GradientSettings& combined);

    GradientSettings m_main;
    ColourTriple m_previewBackground;
    QString m_mainText;
    std::vector<ColourStop> m_stops;
    ColourPicker m_pickColour;
    bool m_showingStops = false;
};

} // namespace huespan
