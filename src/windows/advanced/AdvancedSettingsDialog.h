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
class QModelIndex;
class QTableView;

namespace huespan {

class ColourStrip;
class StopListModel;

// The advanced settings dialog: where the gradient's colours come from, the colour space, the
// units, the output format and the compact-output switches, with a strip that paints a sample in
// the resulting colours. OK keeps the settings unless they conflict with the main window's;
// キャンセル and the close box keep the old ones.
class AdvancedSettingsDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdvancedSettingsDialog)

public:
    // main holds the main window's settings and text: the two colours, the form and the styles the
    // strip paints with, and the size and heading that some formats cannot take.
    AdvancedSettingsDialog(const AdvancedSettings& current, const GradientSettings& main,
                           const QString& mainText, QWidget* parent = nullptr);
    ~AdvancedSettingsDialog() override;

    // The settings as the controls hold them now.
    AdvancedSettings settings() const;
    void setSettings(const AdvancedSettings& settings);

    // Asks the user for a stop's colour; tests answer in its place.
    using ColourPicker = std::function<std::optional<QColor>(const QColor& current)>;
    void setColourPicker(ColourPicker picker) { m_pickColour = std::move(picker); }

    // The sample text the strip paints first.
    static QString sampleText();

    QGroupBox* gradientGroup = nullptr;
    QRadioButton* twoColoursOption = nullptr;
    QRadioButton* stopsOption = nullptr;
    StopListModel* stopModel = nullptr;
    QTableView* stopList = nullptr;
    // Why the text typed into the list cannot be taken.
    QLabel* stopMessageLabel = nullptr;
    QPushButton* addStopButton = nullptr;
    QPushButton* removeStopButton = nullptr;
    QPushButton* moveStopUpButton = nullptr;
    QPushButton* moveStopDownButton = nullptr;
    QLabel* presetLabel = nullptr;
    QComboBox* presetList = nullptr;
    QRadioButton* rainbowOption = nullptr;

    QLabel* spaceLabel = nullptr;
    QComboBox* spaceList = nullptr;
    QLabel* hueLabel = nullptr;
    QComboBox* hueList = nullptr;
    QLabel* unitLabel = nullptr;
    QComboBox* unitList = nullptr;
    QLabel* formatLabel = nullptr;
    QComboBox* formatList = nullptr;

    QCheckBox* mergeCheck = nullptr;
    QCheckBox* skipWhitespaceCheck = nullptr;
    QCheckBox* keepLineBreaksCheck = nullptr;
    QCheckBox* reverseCheck = nullptr;
    // A contrast floor against the preview's background, at one of kContrastLevels.
    QCheckBox* contrastFloorCheck = nullptr;
    QComboBox* contrastFloorList = nullptr;

    ColourStrip* colourStrip = nullptr;
    // With a floor: the lowest contrast of the strip's texts against the preview's background.
    QLabel* lowestContrastLabel = nullptr;
    QLabel* conflictLabel = nullptr;

    QPushButton* defaultsButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

public slots:
    void okClicked();
    void defaultsClicked();

private:
    void buildControls();
    void setTabChain();
    void connectHandlers();
    // Sizes the list to its stops.
    void fitStopList();
    // The selected stop's row, or -1.
    int selectedStop() const;
    void selectStop(int row);
    // A swatch activated (double click, Enter) opens the colour dialog.
    void stopActivated(const QModelIndex& index);
    void addStop();
    void removeStop();
    void moveStop(int by);
    void presetChosen(int index);
    void gradientChosen();
    // Enables what the settings make meaningful, repaints the strip and words any conflict.
    void refresh();

    void showLowestContrast(const GradientSettings& combined);

    GradientSettings m_main;
    ColourTriple m_previewBackground;
    QString m_mainText;
    ColourPicker m_pickColour;
};

} // namespace huespan
