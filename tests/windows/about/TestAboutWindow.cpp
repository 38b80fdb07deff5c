#include "WindowSet.h"
#include "WindowTestSupport.h"
#include "about/frmAbout.h"
#include "ui/ProgramIcon.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

// The left edge that centres a width on the outer width. The layout works in twips and places
// on the nearest pixel with halves away from zero, so a centre half a pixel off goes right.
int centredLeft(int outerWidth, int width)
{
    const int twice = outerWidth - width;
    return twice >= 0 ? (twice + 1) / 2 : -((1 - twice) / 2);
}

} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void layoutFollowsTheMeasuredLabels_data();
    void layoutFollowsTheMeasuredLabels();
    void startState_data();
    void startState();
    void linesAreWholeAndTheFaceStandsIn();
    void opensModalAndOkClosesIt();

private:
    QFont m_originalFont = QApplication::font();
};

void TestAboutWindow::cleanup()
{
    QApplication::setFont(m_originalFont);
    unloadAllWindows();
    if (SingleInstance<frmAbout>::isLoaded())
        delete &aboutForm();
}

void TestAboutWindow::layoutFollowsTheMeasuredLabels_data()
{
    QTest::addColumn<int>("applicationPointSize");

    QTest::newRow("small window font") << 7;
    QTest::newRow("usual window font") << 9;
    QTest::newRow("large window font") << 16;
}

void TestAboutWindow::layoutFollowsTheMeasuredLabels()
{
    QFETCH(int, applicationPointSize);

    QFont font = m_originalFont;
    font.setPointSize(applicationPointSize);
    QApplication::setFont(font);

    frmAbout& window = aboutForm();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QRect name = window.Label1->geometry();
    const QRect version = window.Label2->geometry();
    const QRect notice = window.Label3->geometry();
    const QRect home = window.Text1->geometry();
    const QRect mail = window.Text2->geometry();
    const QRect ok = window.Command1->geometry();

    // Labels take the size of their captions.
    QCOMPARE(window.Label1->size(), window.Label1->sizeHint());
    QCOMPARE(window.Label2->size(), window.Label2->sizeHint());
    QCOMPARE(window.Label3->size(), window.Label3->sizeHint());

    // Name and notice centred on the outer width, which counts the frame when there is one.
    const int outerWidth = window.frameGeometry().width();
    QCOMPARE(name.left(), centredLeft(outerWidth, name.width()));
    QCOMPARE(notice.left(), centredLeft(outerWidth, notice.width()));

    // The version ends where the name ends, and each label stands right under the one above.
    QCOMPARE(version.right(), name.right());
    QCOMPARE(version.top(), name.bottom() + 1);
    QCOMPARE(notice.top(), version.bottom() + 1);
    // The gaps above the first address field and above OK are one line of what stands above them.
    QCOMPARE(home.top() - (notice.bottom() + 1), notice.height());
    QCOMPARE(mail.top(), home.bottom() + 1);
    QCOMPARE(ok.top() - (mail.bottom() + 1), mail.height());
    // The client area ends 200 twips (13⅓ pixels, placed on 13) below OK.
    QCOMPARE(window.height() - (ok.bottom() + 1), 13);

    // What stays where the window puts it, whatever the font.
    QCOMPARE(name.top(), 120 / 15);
    QCOMPARE(window.Image1->pos(), QPoint(240 / 15, 720 / 15));
    QCOMPARE(home.left(), 1080 / 15);
    QCOMPARE(ok.left(), 1920 / 15);
    QCOMPARE(window.width(), 5100 / 15);
}

void TestAboutWindow::startState_data()
{
    addStateRows<frmAbout>({
        {"title", [](frmAbout& w) { return QVariant(w.windowTitle()); }, u"バージョン情報"_s},
        {"name", [](frmAbout& w) { return QVariant(w.Label1->text()); }, u"HuespanHTML生成"_s},
        {"version", [](frmAbout& w) { return QVariant(w.Label2->text()); }, u"Version 1.2"_s},
        {"name centred",
         [](frmAbout& w) { return QVariant::fromValue(w.Label1->alignment() & Qt::AlignHorizontal_Mask); },
         QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter))},
        {"version right-aligned",
         [](frmAbout& w) { return QVariant::fromValue(w.Label2->alignment() & Qt::AlignHorizontal_Mask); },
         QVariant::fromValue(Qt::Alignment(Qt::AlignRight))},
        {"name's point size", [](frmAbout& w) { return QVariant(w.Label1->font().pointSizeF()); }, 18.0},
        {"version's point size", [](frmAbout& w) { return QVariant(w.Label2->font().pointSizeF()); }, 11.25},
        {"home page read-only", [](frmAbout& w) { return QVariant(w.Text1->isReadOnly()); }, true},
        {"mail address read-only", [](frmAbout& w) { return QVariant(w.Text2->isReadOnly()); }, true},
        {"icon",
         [](frmAbout& w) { return QVariant(w.Image1->pixmap().isNull() ? QSize() : w.Image1->size()); },
         QSize(32, 32)},
        // The title bar shows the program icon, like the other windows'.
        {"title bar icon",
         [](frmAbout& w) {
             return QVariant(w.windowIcon().pixmap(QSize(16, 16)).toImage() ==
                             programIcon().pixmap(QSize(16, 16)).toImage());
         },
         true},
    });
}

void TestAboutWindow::startState()
{
    compareStateRow(aboutForm());
}

void TestAboutWindow::linesAreWholeAndTheFaceStandsIn()
{
    frmAbout& window = aboutForm();
    for (const QString& line : {window.Label3->text(), window.Text1->text(), window.Text2->text()}) {
        QVERIFY(!line.isEmpty());
        QVERIFY(!line.contains(u'\n'));
    }
    QVERIFY(window.Text2->text().contains(u'@'));

    // The labels' own face is missing here; a Japanese proportional Gothic face stands in.
    const QStringList japaneseGothic{u"IPAPGothic"_s, u"Noto Sans CJK JP"_s};
    QVERIFY2(japaneseGothic.contains(QFontInfo(window.Label1->font()).family()),
             qPrintable(QFontInfo(window.Label1->font()).family()));
    QVERIFY(japaneseGothic.contains(QFontInfo(window.Label2->font()).family()));
}

void TestAboutWindow::opensModalAndOkClosesIt()
{
    bool wasModal = false;
    bool okHadFocus = false;
    QTimer::singleShot(0, this, [&] {
        frmAbout& window = aboutForm();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        wasModal = QApplication::activeModalWidget() == &window;
        okHadFocus = window.Command1->hasFocus();
        QTest::mouseClick(window.Command1, Qt::LeftButton);
    });
    aboutForm().exec();
    QVERIFY(wasModal);
    QVERIFY(okHadFocus);
    QVERIFY(!SingleInstance<frmAbout>::isLoaded());
}

} // namespace huespan

QTEST_MAIN(huespan::TestAboutWindow)
#include "TestAboutWindow.moc"
