#pragma once

#include "GradientSettings.h"

#include <QList>
#include <QMainWindow>
#include <QString>

class QAction;
class QLabel;

namespace huespan {

class ColourSwatchView;
class PlainTextView;

// The result window: shows the generated markup as source text, copies all of it to the
// clipboard and opens the preview. While it is loaded the main window stays disabled; closing it,
// by any way, gives the main window back to the user.
class Form2 final : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(Form2)

    // Puts the markup into Text1 and shows the window modeless. The text and settings the markup
    // was made from are kept for the coloured view and for the preview's choice of format.
    void showResult(const QString& markup, const QString& runText = {},
                    const GradientSettings& runSettings = {});

    // The text shown, which is what the copy command and the preview page take.
    QString text() const;

    PlainTextView* Text1 = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPreview = nullptr;
    // 「コード」 shows the markup, 「色見本」 the text in its colours; one of the two is checked.
    QAction* codeViewAction = nullptr;
    QAction* swatchViewAction = nullptr;
    // In 「色見本」: marks on the units below the run's contrast floor (4.5:1 without one), and
    // the colours as seen with a colour-vision deficiency.
    QAction* contrastMarksAction = nullptr;
    QList<QAction*> colourVisionActions;
    // Made when first asked for, from the run's text and settings.
    ColourSwatchView* Swatch = nullptr;
    QAction* mnuClose = nullptr;

public slots:
    void mnuCopy_Click();
    void mnuPreview_Click();
    void codeViewTriggered();
    void swatchViewTriggered();
    void mnuClose_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
    void showView(QWidget* view);
    void paintSwatchBackground();
    // Shows 「色見本」 with the marks and the vision the menu holds, and the lowest contrast.
    void showReadability();
    void applyReadability();

    QLabel* m_contrastLabel = nullptr;
    QString m_runText;
    GradientSettings m_runSettings;
};

} // namespace huespan
