#pragma once

#include <QMainWindow>

class QPlainTextEdit;

namespace huespan {

// The result window: shows the generated markup, copies it, opens the preview.
class Form2 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);

    // Puts the markup into Text1 and shows the window modeless.
    void showResult(const QString& markup);

private:
    QPlainTextEdit* Text1 = nullptr;
};

} // namespace huespan
