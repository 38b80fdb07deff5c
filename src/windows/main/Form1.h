#pragma once

#include "GradientSettings.h"
#include "ui/AdvancedSettings.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace huespan {

class ColourComponentFields;

// The main window: the text, two colours, styles, size, extra tags and the form of the gradient,
// and the button that starts a generation. The controls are public, under the stable names that
// the window's rules use (Text1, Option5, TextC, ...), so that tests drive the real widgets.
class Form1 final : public QMainWindow
{
    Q_OBJECT

public:
    Form1();
    ~Form1() override;
    Q_DISABLE_COPY_MOVE(Form1)

    QGroupBox* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;

    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QWidget* Picture1 = nullptr;

    QGroupBox* Frame3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QWidget* Picture2 = nullptr;

    // Red, green, blue of the first colour, then of the second.
    QList<QLineEdit*> TextC;

    QGroupBox* Frame4 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;

    QGroupBox* Frame8 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;

    QGroupBox* Frame7 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;

    QGroupBox* Frame5 = nullptr;
    QRadioButton* Option1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QComboBox* Combo2 = nullptr;

    QGroupBox* Frame6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* Text3 = nullptr;

    QCheckBox* Check5 = nullptr;
    QPushButton* Command1 = nullptr;

    QAction* advancedSettingsAction = nullptr;
    QAction* mnuAbout = nullptr;

    ColourComponentFields& colourFields() const { return *m_colourFields; }

    // Every setting of a generation, as the controls hold it now.
    GradientSettings settings() const;

    // The advanced settings every run takes; setting them keeps them for the next start too.
    // False when they could not be kept: they are then in force until the program ends.
    const AdvancedSettings& advancedSettings() const { return m_advanced; }
    bool setAdvancedSettings(const AdvancedSettings& settings);

public slots:
    void Option1_Click();
    void Option2_Click();
    void Option5_Click();
    void Option6_Click();
    void Command1_Click();
    void advancedSettingsTriggered();
    void mnuAbout_Click();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void setTabChain();
    void connectHandlers();
    void Form_Load();
    // Returns true when the unload must not go on.
    bool Form_QueryUnload();

    void showAdvancedCaption();
    // The window that a run or a result has up while this one is disabled, if any.
    static QWidget* windowInCharge();

    ColourComponentFields* m_colourFields = nullptr;
    AdvancedSettings m_advanced;
    // Disabling the window takes the focus from its control; enabling it gives it back.
    QPointer<QWidget> m_focusBeforeRun;
};

} // namespace huespan
