#include "ui/MessageBox.h"

#include "ui/FixedDialogFlags.h"
#include "ui/ProgramIcon.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

// Room in the title bar beside the caption (the window's icon, its close box and the gaps), in
// lines of the program's font; the window manager's own measures are not known here.
constexpr int kTitleBarRoomInLines = 6;

// A short message makes a box narrower than its caption, which the window manager then cuts
// ("Huespa...ML生成"). The box is widened until the caption, set bold and a quarter larger as
// title bars set it, fits beside the title bar's icon and buttons.
void widenForCaption(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int width =
        metrics.horizontalAdvance(box.windowTitle()) * 5 / 4 + kTitleBarRoomInLines * metrics.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

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
    // Neither minimise nor maximise buttons: they would take the title bar's room for nothing.
    box.setWindowFlags(kFixedDialogFlags);
    box.setWindowIcon(programIcon());
    widenForCaption(box);
    const auto answer = box.exec();
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    if (answer == QMessageBox::No)
        return Answer::No;
    return Answer::Ok;
}

} // namespace huespan
