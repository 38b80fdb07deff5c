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

ReplaceableHandler<MessageBox::Answer(const QString& text, MessageBox::Style style)>& MessageBox::seam()
{
    static ReplaceableHandler<Answer(const QString& text, Style style)> current(&MessageBox::showReal);
    return current;
}

void MessageBox::setHandler(Handler handler)
{
    seam().replace(std::move(handler));
}

MessageBox::Answer MessageBox::show(const QString& text, Style style)
{
    return seam()(text, style);
}

MessageBox::Answer MessageBox::showReal(const QString& text, Style style)
{
    QMessageBox box(QMessageBox::Information, caption(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    // The button captions are the window system's Japanese ones, whatever translations are installed.
    if (style == Style::InformationYesNo) {
        box.addButton(QMessageBox::Yes)->setText(u"はい(&Y)"_s);
        box.addButton(QMessageBox::No)->setText(u"いいえ(&N)"_s);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.addButton(QMessageBox::Ok)->setText(u"OK"_s);
    }
    const auto answer = box.exec();
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    if (answer == QMessageBox::No)
        return Answer::No;
    return Answer::Ok;
}

} // namespace huespan
