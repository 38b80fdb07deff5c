#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace huespan {

// The progress window of a generation run: the run writes its progress into Label1 and unloads
// the window at its end; "中止" asks the run to stop.
class Form4 final : public QWidget
{
    Q_OBJECT

public:
    Form4();
    Q_DISABLE_COPY_MOVE(Form4)

    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

    // Unloads the window if it is loaded: the next reference starts from its first state.
    static void unload();

public slots:
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool m_unloading = false;
    bool m_placed = false;
};

} // namespace huespan
