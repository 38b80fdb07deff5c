#include "about/frmAbout.h"

#include "WindowSet.h"
#include "main/Form1.h"
#include "ui/FixedDialogFlags.h"
#include "ui/ProgramIcon.h"
#include "ui/ScreenPlacement.h"
#include "ui/Twips.h"

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace huespan {

namespace {

void setLeftTwips(QWidget* widget, double left)
{
    widget->move(Twips::toPixels(left), widget->y());
}

void setTopTwips(QWidget* widget, double top)
{
    widget->move(widget->x(), Twips::toPixels(top));
}

double leftTwips(const QWidget* widget)
{
    return Twips::fromPixels(widget->x());
}

double topTwips(const QWidget* widget)
{
    return Twips::fromPixels(widget->y());
}

double widthTwips(const QWidget* widget)
{
    return Twips::fromPixels(widget->width());
}

double heightTwips(const QWidget* widget)
{
    return Twips::fromPixels(widget->height());
}

QFont labelFont(qreal pointSize)
{
    QFont font(frmAbout::labelFontFamily());
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

QIcon iconOfMainWindow()
{
    if (SingleInstance<Form1>::isLoaded())
        return form1().windowIcon();
    return programIcon();
}

} // namespace

frmAbout& aboutForm()
{
    return SingleInstance<frmAbout>::get();
}

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, kFixedDialogFlags)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(u"バージョン情報"));
    setWindowIcon(iconOfMainWindow());
    setFixedSize(Twips::size(5100, 2820));
    buildControls();
    Form_Load();
    // The layout reads the border width, which is known only once the window manager has framed
    // the window.
    centreOnScreen(*this, [this] { Form_Load(); });
}

QString frmAbout::legalNotice()
{
    return QStringLiteral(u"Copyright (C) 2026 Huespan developers");
}

QString frmAbout::homePageAddress()
{
    return QStringLiteral(u"https://huespan.example.org/");
}

QString frmAbout::mailAddress()
{
    return QStringLiteral(u"huespan@example.org");
}

QString frmAbout::labelFontFamily()
{
    static const QString family = [] {
        const QString face = QStringLiteral(u"ＭＳ Ｐゴシック");
        QFont::insertSubstitutions(face,
                                   {QStringLiteral(u"IPAPGothic"), QStringLiteral(u"Noto Sans CJK JP")});
        return face;
    }();
    return family;
}

void frmAbout::buildControls()
{
    // Created first so that it leads the tab order and holds the focus when the window opens.
    Command1 = new QPushButton(QStringLiteral(u"OK"), this);
    Command1->setGeometry(Twips::rect(1920, 2160, 1215, 495));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    Image1 = new QLabel(this);
    Image1->setGeometry(Twips::rect(240, 720, 615, 495));

    Label1 = new QLabel(QStringLiteral(u"Label1"), this);
    Label1->setGeometry(Twips::rect(2070, 120, 990, 360));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(labelFont(18.0));

    Label2 = new QLabel(QStringLiteral(u"Label2"), this);
    Label2->setGeometry(Twips::rect(4200, 840, 615, 225));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label2->setFont(labelFont(11.25));

    Label3 = new QLabel(QStringLiteral(u"Label3"), this);
    Label3->setGeometry(Twips::rect(2205, 1200, 525, 180));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Text1 = new QLineEdit(QStringLiteral(u"Text1"), this);
    Text1->setGeometry(Twips::rect(1080, 1560, 3015, 270));
    Text1->setReadOnly(true);

    Text2 = new QLineEdit(QStringLiteral(u"Text2"), this);
    Text2->setGeometry(Twips::rect(1080, 1800, 3015, 270));
    Text2->setReadOnly(true);

    setTabOrder(Command1, Text1);
    setTabOrder(Text1, Text2);
    Command1->setFocus();
}

double frmAbout::outerWidthTwips() const
{
    // Without a window manager (or before it has framed the window) the frame reads as 0.
    const int frame = std::max(0, frameGeometry().width() - geometry().width());
    return Twips::fromPixels(width() + frame);
}

void frmAbout::Form_Load()
{
    Label1->setText(QStringLiteral(u"HuespanHTML生成"));
    Label1->adjustSize();
    Label2->setText(QStringLiteral(u"Version ") + QCoreApplication::applicationVersion());
    Label2->adjustSize();
    Label3->setText(legalNotice());
    Label3->adjustSize();
    Text1->setText(homePageAddress());
    Text2->setText(mailAddress());

    const QIcon icon = iconOfMainWindow();
    if (!icon.isNull()) {
        const QPixmap picture = icon.pixmap(QSize(32, 32));
        Image1->setPixmap(picture);
        Image1->resize(picture.deviceIndependentSize().toSize());
    }

    const double outerWidth = outerWidthTwips();
    setLeftTwips(Label1, (outerWidth - widthTwips(Label1)) / 2.0);
    setLeftTwips(Label3, (outerWidth - widthTwips(Label3)) / 2.0);
    setTopTwips(Label2, topTwips(Label1) + heightTwips(Label1));
    setLeftTwips(Label2, leftTwips(Label1) + widthTwips(Label1) - widthTwips(Label2));
    setTopTwips(Label3, topTwips(Label2) + heightTwips(Label2));
    setTopTwips(Text1, topTwips(Label3) + 2.0 * heightTwips(Label3));
    setTopTwips(Text2, topTwips(Text1) + heightTwips(Text1));
    setTopTwips(Command1, topTwips(Text2) + 2.0 * heightTwips(Text2));
    // Outer height minus client height is the frame, so this fits the client area to the button.
    setFixedHeight(Twips::toPixels(topTwips(Command1) + heightTwips(Command1) + 200.0));
}

void frmAbout::showEvent(QShowEvent* event)
{
    // Every opening lays the window out afresh; once the window manager has framed it, the layout
    // runs once more with the real border width.
    Form_Load();
    QDialog::showEvent(event);
}

void frmAbout::Command1_Click()
{
    accept();
}

void frmAbout::done(int result)
{
    // Every way of closing ends here (OK, Esc, the close box); the next opening loads afresh.
    SingleInstance<frmAbout>::forget();
    QDialog::done(result);
}

} // namespace huespan
