#pragma once

#include <QDialog>
#include <QList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace huespan {

class ColourComponentFields;

// The preview background dialog: asks for the page's background colour, writes the preview page
// and hands it to the desktop. The colour outlives the dialog in module1().PreviewBackground.
class Form3 final : public QDialog
{
    Q_OBJECT

public:
    explicit Form3(QWidget* parent = nullptr);
    ~Form3() override;
    Q_DISABLE_COPY_MOVE(Form3)

    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    // Red, green, blue.
    QList<QLineEdit*> TextC;
    QWidget* Picture1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;

    ColourComponentFields& colourFields() const { return *m_colourFields; }

    static QString cannotSaveMessage(const QString& path);

public slots:
    void Command1_Click();
    void Command2_Click();
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void Form_Unload();

    ColourComponentFields* m_colourFields = nullptr;
};

} // namespace huespan
