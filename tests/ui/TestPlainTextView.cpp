#include "ui/PlainTextView.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

using Keys = QList<int>;

int key(Qt::Key pressed, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeyCombination(modifiers, pressed).toCombined();
}

void press(QWidget* target, const Keys& keys)
{
    for (const int combined : keys) {
        const auto combination = QKeyCombination::fromCombined(combined);
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
    }
}

// A line as long as a run of the longest text gives: a million characters of markup.
QString longMarkupLine()
{
    QString line;
    const QString element = u"<FONT COLOR=\"#12AB9F\">字</FONT>"_s;
    line.reserve(element.size() * 32767);
    for (int character = 0; character < 32767; ++character)
        line += element;
    return line;
}

// The share of pixels in a rectangle that are clearly darker than the background.
double inkShare(const QImage& image, const QRect& area)
{
    int ink = 0;
    int all = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++all;
            if (qGray(image.pixel(x, y)) < 160)
                ++ink;
        }
    }
    return all == 0 ? 0.0 : double(ink) / all;
}

} // namespace

class TestPlainTextView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lineBreaks_data();
    void lineBreaks();
    void keyboardSelection_data();
    void keyboardSelection();
    void copyPutsTheSelectionOnTheClipboard_data();
    void copyPutsTheSelectionOnTheClipboard();
    void mouseSelection_data();
    void mouseSelection();
    void doubleClickSelectsAWord();
    void longLineIsKeptWholeAndReachable();
    void drawsTheTextWhereverItIsScrolled_data();
    void drawsTheTextWhereverItIsScrolled();
    void paintsTheSelection();
    void markupReadsAsAscii();

private:
    PlainTextView* m_view = nullptr;
};

void TestPlainTextView::init()
{
    m_view = new PlainTextView;
    m_view->resize(441, 307);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    m_view->setFocus();
}

void TestPlainTextView::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestPlainTextView::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("endOfFirstLine");

    QTest::newRow("one line") << u"abc"_s << 1 << 3;
    QTest::newRow("CR LF") << u"ab\r\ncd"_s << 2 << 2;
    QTest::newRow("only CR LF breaks, not LF, CR or the separators")
        << u"a\r\nb\nc\rd\u2028e\u2029f"_s << 2 << 1;
    QTest::newRow("pasted x CR LF y") << u"x\r\ny"_s << 2 << 1;
    QTest::newRow("LF CR is no break") << u"ab\n\rcd"_s << 1 << 6;
    QTest::newRow("break at the end opens an empty line") << u"abc\r\n"_s << 2 << 3;
    QTest::newRow("empty") << QString() << 1 << 0;
}

void TestPlainTextView::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(int, endOfFirstLine);

    m_view->setPlainText(text);
    QCOMPARE(m_view->toPlainText(), text);
    QCOMPARE(m_view->lineCount(), lines);
    QTest::keyClick(m_view, Qt::Key_End);
    QCOMPARE(m_view->cursorPosition(), endOfFirstLine);
}

void TestPlainTextView::keyboardSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("cursor");

    const auto shift = Qt::ShiftModifier;
    const auto control = Qt::ControlModifier;
    QTest::newRow("Shift+Right three times")
        << u"abcdef"_s << 0
        << Keys{key(Qt::Key_Right, shift), key(Qt::Key_Right, shift), key(Qt::Key_Right, shift)} << u"abc"_s
        << 3;
    QTest::newRow("Shift+End stops before the line break")
        << u"abcdef\r\nghi"_s << 2 << Keys{key(Qt::Key_End, shift)} << u"cdef"_s << 6;
    QTest::newRow("Shift+Right takes CR LF as one step")
        << u"ab\r\ncd"_s << 2 << Keys{key(Qt::Key_Right, shift)} << u"\r\n"_s << 4;
    QTest::newRow("Shift+Left takes a surrogate pair as one step")
        << u"a😀b"_s << 3 << Keys{key(Qt::Key_Left, shift)} << u"😀"_s << 1;
    QTest::newRow("Shift+Down keeps the column")
        << u"abcdef\r\nghijkl"_s << 1 << Keys{key(Qt::Key_Down, shift)} << u"bcdef\r\ng"_s << 9;
    QTest::newRow("Shift+Up from the second line")
        << u"abcdef\r\nghijkl"_s << 11 << Keys{key(Qt::Key_Up, shift)} << u"def\r\nghi"_s << 3;
    QTest::newRow("Shift+Home from the end of a line")
        << u"xy\r\nabc"_s << 7 << Keys{key(Qt::Key_Home, shift)} << u"abc"_s << 4;
    QTest::newRow("Ctrl+Shift+End selects to the end")
        << u"ab\r\ncd\r\nef"_s << 1 << Keys{key(Qt::Key_End, shift | control)} << u"b\r\ncd\r\nef"_s << 10;
    QTest::newRow("Ctrl+A selects everything")
        << u"ab\r\ncd"_s << 3 << Keys{key(Qt::Key_A, control)} << u"ab\r\ncd"_s << 6;
    QTest::newRow("Right without Shift drops the selection")
        << u"abcdef"_s << 0 << Keys{key(Qt::Key_Right, shift), key(Qt::Key_Right, shift), key(Qt::Key_Right)}
        << QString() << 3;
    QTest::newRow("Shift+Right at the very end selects nothing")
        << u"abc"_s << 3 << Keys{key(Qt::Key_Right, shift)} << QString() << 3;
    QTest::newRow("Ctrl+Shift+Right to the next word")
        << u"<FONT COLOR>"_s << 1 << Keys{key(Qt::Key_Right, shift | control)} << u"FONT "_s << 6;
}

void TestPlainTextView::keyboardSelection()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(Keys, keys);
    QFETCH(QString, selected);
    QFETCH(int, cursor);

    m_view->setPlainText(text);
    m_view->setSelection(start, start);
    press(m_view, keys);
    QCOMPARE(m_view->selectedText(), selected);
    QCOMPARE(m_view->cursorPosition(), cursor);
}

void TestPlainTextView::copyPutsTheSelectionOnTheClipboard_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expected");

    QTest::newRow("part of a line") << u"<B>太字</B>"_s << 3 << 5 << u"太字"_s;
    QTest::newRow("selected backwards") << u"abcdef"_s << 5 << 1 << u"bcde"_s;
    QTest::newRow("across line breaks, kept as CR LF") << u"ab\r\ncd\r\nef"_s << 1 << 9 << u"b\r\ncd\r\ne"_s;
    QTest::newRow("no selection leaves the clipboard alone") << u"abc"_s << 2 << 2 << u"before"_s;
}

void TestPlainTextView::copyPutsTheSelectionOnTheClipboard()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, expected);

    QGuiApplication::clipboard()->setText(u"before"_s);
    m_view->setPlainText(text);
    m_view->setSelection(anchor, position);
    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
}

void TestPlainTextView::mouseSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("selected");

    QTest::newRow("rightwards in one line") << u"<FONT COLOR=\"#FF0000\">a</FONT>"_s << 1 << 5 << u"FONT"_s;
    QTest::newRow("leftwards in one line") << u"<FONT COLOR=\"#FF0000\">a</FONT>"_s << 12 << 6 << u"COLOR="_s;
    QTest::newRow("down into the next line") << u"abcd\r\nefgh"_s << 2 << 8 << u"cd\r\nef"_s;
    QTest::newRow("Japanese characters") << u"グラデーション"_s << 1 << 4 << u"ラデー"_s;
}

void TestPlainTextView::mouseSelection()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, selected);

    m_view->setPlainText(text);
    // Just inside each boundary's character cell, so that the nearest boundary is the one meant.
    const QPoint inLine(1, 3);
    QWidget* viewport = m_view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, m_view->pointOf(from) + inLine);
    QTest::mouseMove(viewport, m_view->pointOf(to) + inLine);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, m_view->pointOf(to) + inLine);
    QCOMPARE(m_view->selectedText(), selected);

    // Shift and a click move the end of the selection, keeping where it began.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, m_view->pointOf(text.size()) + inLine);
    QCOMPARE(m_view->selectedText(), text.mid(from));
}

void TestPlainTextView::doubleClickSelectsAWord()
{
    m_view->setPlainText(u"<FONT COLOR=\"#FF0000\">a</FONT>"_s);
    const QPoint insideColour = m_view->pointOf(8) + QPoint(2, 3);
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, insideColour);
    QCOMPARE(m_view->selectedText(), u"COLOR"_s);
}

void TestPlainTextView::longLineIsKeptWholeAndReachable()
{
    const QString line = longMarkupLine();
    m_view->setPlainText(line);
    QCOMPARE(m_view->toPlainText(), line);
    QCOMPARE(m_view->lineCount(), 1);

    QTest::keyClick(m_view, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(m_view->cursorPosition(), line.size());
    QVERIFY(m_view->horizontalScrollBar()->value() > 0);
    QVERIFY(m_view->viewport()->rect().contains(m_view->pointOf(line.size())));

    QTest::keyClick(m_view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), line);
}

void TestPlainTextView::drawsTheTextWhereverItIsScrolled_data()
{
    QTest::addColumn<double>("fraction");

    QTest::newRow("start") << 0.0;
    QTest::newRow("a third") << 1.0 / 3.0;
    QTest::newRow("middle") << 0.5;
    QTest::newRow("end") << 1.0;
}

void TestPlainTextView::drawsTheTextWhereverItIsScrolled()
{
    QFETCH(double, fraction);

    m_view->setPlainText(longMarkupLine() + u"\r\n"_s + longMarkupLine());
    QScrollBar* bar = m_view->horizontalScrollBar();
    bar->setValue(static_cast<int>(bar->maximum() * fraction));
    const QImage image = m_view->viewport()->grab().toImage();

    // Both lines carry ink across the view; a slice taken from the wrong place would leave gaps.
    const QPoint firstLine = m_view->pointOf(0);
    const QPoint secondLine = m_view->pointOf(longMarkupLine().size() + 2);
    const int right = image.width() - 8;
    for (const int top : {firstLine.y(), secondLine.y()}) {
        const int height = secondLine.y() - firstLine.y();
        QVERIFY(inkShare(image, QRect(4, top, right / 2 - 4, height)) > 0.02);
        QVERIFY(inkShare(image, QRect(right / 2, top, right / 2, height)) > 0.02);
    }
}

void TestPlainTextView::paintsTheSelection()
{
    m_view->setPlainText(u"abcdefghij"_s);
    m_view->setSelection(2, 6);
    const QImage image = m_view->viewport()->grab().toImage();
    const QColor highlight = m_view->palette().color(QPalette::Active, QPalette::Highlight);
    const QColor base = m_view->palette().color(QPalette::Active, QPalette::Base);
    // The top row of a line's cell is above any ink.
    const auto colourAt = [&](int offset) {
        const QPoint cell = m_view->pointOf(offset);
        const int middle = (cell.x() + m_view->pointOf(offset + 1).x()) / 2;
        return QColor(image.pixel(middle, cell.y()));
    };
    QCOMPARE(colourAt(1), base);
    QCOMPARE(colourAt(2), highlight);
    QCOMPARE(colourAt(5), highlight);
    QCOMPARE(colourAt(6), base);
}

// Markup shows in a monospaced face that has Japanese glyphs: `"` and `<` as narrow as a letter,
// a Japanese character exactly twice as wide.
void TestPlainTextView::markupReadsAsAscii()
{
    QCOMPARE(QFontInfo(m_view->font()).family(), u"Noto Sans Mono CJK JP"_s);
    m_view->setPlainText(u"a\"<字"_s);
    const int letter = m_view->pointOf(1).x() - m_view->pointOf(0).x();
    QVERIFY(letter > 0);
    QCOMPARE(m_view->pointOf(2).x() - m_view->pointOf(1).x(), letter);
    QCOMPARE(m_view->pointOf(3).x() - m_view->pointOf(2).x(), letter);
    QCOMPARE(m_view->pointOf(4).x() - m_view->pointOf(3).x(), 2 * letter);
}

} // namespace huespan

QTEST_MAIN(huespan::TestPlainTextView)
#include "TestPlainTextView.moc"
