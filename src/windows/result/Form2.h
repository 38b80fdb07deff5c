#pragma once

#include <QMainWindow>

class QAction;

namespace huespan {

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

    // Puts the markup into Text1 and shows the window modeless.
    void showResult(const QString& markup);

    // The text shown, which is what the copy command and the preview page take.
    QString text() const;

    PlainTextView* Text1 = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPreview = nullptr;
    QAction* mnuClose = nullptr;

public slots:
    void mnuCopy_Click();
    void mnuPreview_Click();
    void mnuClose_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
};

} // namespace huespan
