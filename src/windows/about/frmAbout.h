#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace huespan {

// The version information window: icon, name, version, legal notice and the maker's addresses,
// laid out one under the other with the window's height fitted to them.
class frmAbout final : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmAbout)

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command1 = nullptr;

    static QString legalNotice();
    static QString homePageAddress();
    static QString mailAddress();

    // The face the labels ask for; a Japanese proportional Gothic face stands in where it is missing.
    static QString labelFontFamily();

public slots:
    void Command1_Click();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    // The window's outer width in twips: the frame counts, as far as the window system tells it.
    double outerWidthTwips() const;
};

} // namespace huespan
