#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace huespan {

QString MessageBox::caption()
{
    return QStringLiteral(u"HuespanHTML生成");
}

ReplaceableHandler<int(const QString& text, int style)>& MessageBox::seam()
{
    static ReplaceableHandler<int(const QString& text, int style)> current(&MessageBox::showReal);
    return current;
}

void MessageBox::setHandler(Handler handler)
{
    seam().replace(std::move(handler));
}

int MessageBox::show(const QString& text, int style)
{
    return seam()(text, style);
}

int MessageBox::showReal(const QString& text, int style)
{
    QMessageBox box(QMessageBox::Information, caption(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    // The button captions are the window system's Japanese ones, whatever translations are installed.
    if (style == kInformationYesNo) {
        box.addButton(QMessageBox::Yes)->setText(u"はい(&Y)"_s);
        box.addButton(QMessageBox::No)->setText(u"いいえ(&N)"_s);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.addButton(QMessageBox::Ok)->setText(u"OK"_s);
    }
    const auto answer = box.exec();
    if (answer == QMessageBox::Yes)
        return kAnswerYes;
    if (answer == QMessageBox::No)
        return kAnswerNo;
    return kAnswerOk;
}

} // namespace huespan
