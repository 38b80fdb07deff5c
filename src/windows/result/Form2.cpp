#include "result/Form2.h"

#include "common/WindowSet.h"

#include <QPlainTextEdit>

namespace huespan {

Form2& form2()
{
    return SingleInstance<Form2>::get();
}

Form2::Form2(QWidget* parent)
    : QMainWindow(parent)
    , Text1(new QPlainTextEdit(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(u"結果"));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCentralWidget(Text1);
}

void Form2::showResult(const QString& markup)
{
    Text1->setPlainText(markup);
    show();
}

} // namespace huespan
