#include "CodePageEncoder.h"

#include <QStringEncoder>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using Mark = huespan::CodePageEncoder::ByteOrderMark;
Q_DECLARE_METATYPE(Mark)

using namespace Qt::StringLiterals;

namespace huespan {

namespace {

// The bytes read back with iconv, the other way round; "<undecodable>" when they do not decode
// as a whole in that encoding.
QString decoded(const QByteArray& bytes, const QByteArray& encodingName)
{
    const iconv_t conversion = iconv_open("UTF-8", encodingName.constData());
    if (conversion == reinterpret_cast<iconv_t>(-1))
        return u"<unknown encoding>"_s;
    QByteArray out(bytes.size() * 4 + 16, '\0');
    auto* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char* outPointer = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const bool complete =
        iconv(conversion, &in, &inLeft, &outPointer, &outLeft) != static_cast<size_t>(-1) &&
        iconv(conversion, nullptr, nullptr, &outPointer, &outLeft) != static_cast<size_t>(-1);
    iconv_close(conversion);
    if (!complete || inLeft != 0)
        return u"<undecodable>"_s;
    out.truncate(outPointer - out.data());
    return QString::fromUtf8(out);
}

} // namespace

class TestCodePageEncoder : public QObject
{
    Q_OBJECT

private slots:
    void utf8MatchesQt_data();
    void utf8MatchesQt();
    void shiftJis_data();
    void shiftJis();
    void unknownEncoding();
    void encodingWithoutDescriptors();
    void refusedNames_data();
    void refusedNames();
    void replacementDecodesBack_data();
    void replacementDecodesBack();
    void byteOrderMark_data();
    void byteOrderMark();
    void unnamedByteOrderHasOneMark_data();
    void unnamedByteOrderHasOneMark();
    void systemCodePageIsUsable();
};

void TestCodePageEncoder::utf8MatchesQt_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("ascii") << u"<HTML>\r\n</HTML>"_s;
    QTest::newRow("japanese") << u"Huespanプレビュー 生成！"_s;
    QTest::newRow("emoji") << u"a😀b𠮟c"_s;
}

void TestCodePageEncoder::utf8MatchesQt()
{
    QFETCH(QString, text);
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    const QByteArray expected = toUtf8.encode(text);
    const std::optional<QByteArray> actual = CodePageEncoder::encode(text, "UTF-8");
    QVERIFY(actual.has_value());
    QCOMPARE(*actual, expected);
}

void TestCodePageEncoder::shiftJis_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("ascii") << u"<A>\r\n"_s << QByteArray("<A>\r\n");
    QTest::newRow("hiragana a") << u"あ"_s << QByteArray::fromHex("82a0");
    QTest::newRow("katakana a") << u"ア"_s << QByteArray::fromHex("8341");
    QTest::newRow("half-width katakana") << u"ｱ"_s << QByteArray::fromHex("b1");
    QTest::newRow("kanji") << u"漢字"_s << QByteArray::fromHex("8abf8e9a");
    QTest::newRow("wave dash of the code page") << u"～"_s << QByteArray::fromHex("8160");
    QTest::newRow("preview title") << u"プレビュー"_s << QByteArray::fromHex("8376838c83728385815b");
    QTest::newRow("generate") << u"生成"_s << QByteArray::fromHex("90b690ac");
    QTest::newRow("emoji becomes one question mark") << u"a😀b"_s << QByteArray("a?b");
    QTest::newRow("hangul becomes a question mark") << u"x한y"_s << QByteArray("x?y");
    QTest::newRow("unpaired surrogate becomes a question mark")
        << u"x"_s + QChar(0xD83D) + u"y"_s << QByteArray("x?y");
    QTest::newRow("long text keeps going past a gap")
        << QString(5000, u'あ') + u"😀"_s + QString(5000, u'A')
        << QByteArray::fromHex("82a0").repeated(5000) + "?" + QByteArray(5000, 'A');
}

void TestCodePageEncoder::shiftJis()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    const std::optional<QByteArray> actual = CodePageEncoder::encode(text, "CP932");
    QVERIFY(actual.has_value());
    QCOMPARE(*actual, expected);
}

void TestCodePageEncoder::unknownEncoding()
{
    QVERIFY(!CodePageEncoder::isKnownEncoding("NO-SUCH-ENCODING-42"));
    QVERIFY(!CodePageEncoder::encode(u"abc", "NO-SUCH-ENCODING-42").has_value());
    QVERIFY(CodePageEncoder::isKnownEncoding("UTF-8"));
    QVERIFY(CodePageEncoder::isKnownEncoding("CP932"));
}

void TestCodePageEncoder::encodingWithoutDescriptors()
{
    // A code page that no other test loads, so that iconv must load its module now.
    const QByteArray name = "IBM1047";
    QCOMPARE(CodePageEncoder::openingError("NO-SUCH-ENCODING-42"), EINVAL);
    // Every descriptor under a lowered limit taken, as a process that has used them all up.
    rlimit limit = {};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    const rlimit lowered{std::min<rlim_t>(limit.rlim_cur, 256), limit.rlim_max};
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    std::vector<int> taken;
    for (int descriptor; (descriptor = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
        taken.push_back(descriptor);
    const int openError = errno;
    const int withoutDescriptors = CodePageEncoder::openingError(name);
    const int unknownWithoutDescriptors = CodePageEncoder::openingError("NO-SUCH-ENCODING-42");
    for (const int descriptor : taken)
        ::close(descriptor);
    ::setrlimit(RLIMIT_NOFILE, &limit);
    QCOMPARE(openError, EMFILE);
    // Not "unknown": the system's reason, while a name iconv does not know stays unknown or
    // gets the same reason, which is then true as well.
    QCOMPARE(withoutDescriptors, EMFILE);
    QVERIFY(unknownWithoutDescriptors == EMFILE || unknownWithoutDescriptors == EINVAL);
    QCOMPARE(CodePageEncoder::openingError(name), 0);
    QVERIFY(CodePageEncoder::isKnownEncoding(name));
}

void TestCodePageEncoder::refusedNames_data()
{
    QTest::addColumn<QByteArray>("name");

    // glibc's //IGNORE reports EILSEQ after it has consumed the whole text.
    QTest::newRow("ASCII//IGNORE") << QByteArray("ASCII//IGNORE");
    QTest::newRow("CP932//IGNORE") << QByteArray("CP932//IGNORE");
    QTest::newRow("ISO-8859-1//IGNORE") << QByteArray("ISO-8859-1//IGNORE");
    QTest::newRow("//IGNORE alone") << QByteArray("//IGNORE");
    QTest::newRow("ASCII//TRANSLIT") << QByteArray("ASCII//TRANSLIT");
    QTest::newRow("UTF-8//TRANSLIT//IGNORE") << QByteArray("UTF-8//TRANSLIT//IGNORE");
    QTest::newRow("empty suffix") << QByteArray("ASCII//");
    // iconv itself strips blanks, so these would otherwise pass for ASCII and UTF-8.
    QTest::newRow("leading blank") << QByteArray(" ASCII");
    QTest::newRow("trailing blank") << QByteArray("ASCII ");
    QTest::newRow("inner blank") << QByteArray("UTF -8");
    QTest::newRow("tab") << QByteArray("UTF-8\t");
    QTest::newRow("line feed") << QByteArray("UTF-8\n");
    QTest::newRow("empty, the locale's for iconv") << QByteArray();
}

void TestCodePageEncoder::refusedNames()
{
    QFETCH(QByteArray, name);
    QVERIFY(!CodePageEncoder::isKnownEncoding(name));
    QVERIFY(!CodePageEncoder::encode(u"aé😀b", name).has_value());
}

void TestCodePageEncoder::replacementDecodesBack_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString lone = QString(QChar(0xD83D));
    QTest::newRow("ISO-2022-KR, ? between shifted characters")
        << QByteArray("ISO-2022-KR") << u"한😀글"_s << u"한?글"_s;
    QTest::newRow("ISO-2022-KR, ? at the end") << QByteArray("ISO-2022-KR") << u"ab한😀"_s << u"ab한?"_s;
    QTest::newRow("ISO-2022-JP, ? between kana") << QByteArray("ISO-2022-JP") << u"あ€い"_s << u"あ?い"_s;
    QTest::newRow("UTF-16, unpaired surrogate first") << QByteArray("UTF-16") << lone + u"ab"_s << u"?ab"_s;
    QTest::newRow("UTF-16LE, unpaired surrogate")
        << QByteArray("UTF-16LE") << u"x"_s + lone + u"y"_s << u"x?y"_s;
    QTest::newRow("UTF-16BE, high surrogate at the end")
        << QByteArray("UTF-16BE") << u"xy"_s + lone << u"xy?"_s;
    QTest::newRow("UTF-32, unpaired low surrogate")
        << QByteArray("UTF-32") << u"a"_s + QChar(0xDC00) + u"b"_s << u"a?b"_s;
    QTest::newRow("UTF-7, unpaired surrogate")
        << QByteArray("UTF-7") << u"aあ"_s + lone + u"b"_s << u"aあ?b"_s;
    QTest::newRow("EUC-JP, emoji") << QByteArray("EUC-JP") << u"あ😀い"_s << u"あ?い"_s;
}

void TestCodePageEncoder::replacementDecodesBack()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    const std::optional<QByteArray> bytes = CodePageEncoder::encode(text, encoding);
    QVERIFY(bytes.has_value());
    QCOMPARE(decoded(*bytes, encoding), expected);
}

void TestCodePageEncoder::byteOrderMark_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<Mark>("mark");
    QTest::addColumn<QByteArray>("expected");

    const Mark page = Mark::ForWidePages;
    const Mark plain = Mark::AsTheEncodingWrites;
    QTest::newRow("UTF-8 page, none") << QByteArray("UTF-8") << page << QByteArray("<a");
    QTest::newRow("CP932 page, none") << QByteArray("CP932") << page << QByteArray("<a");
    QTest::newRow("UTF-16LE markup, none") << QByteArray("UTF-16LE") << plain << QByteArray("<\0a\0", 4);
    QTest::newRow("UTF-16LE page") << QByteArray("UTF-16LE") << page << QByteArray("\xFF\xFE<\0a\0", 6);
    QTest::newRow("UTF-16BE page") << QByteArray("UTF-16BE") << page << QByteArray("\xFE\xFF\0<\0a", 6);
    QTest::newRow("UTF-32BE page") << QByteArray("UTF-32BE") << page
                                   << QByteArray("\0\0\xFE\xFF\0\0\0<\0\0\0a", 12);
    QTest::newRow("UTF-32LE markup, none")
        << QByteArray("UTF-32LE") << plain << QByteArray("<\0\0\0a\0\0\0", 8);
}

void TestCodePageEncoder::byteOrderMark()
{
    QFETCH(QByteArray, encoding);
    QFETCH(Mark, mark);
    QFETCH(QByteArray, expected);

    const std::optional<QByteArray> bytes = CodePageEncoder::encode(u"<a", encoding, mark);
    QVERIFY(bytes.has_value());
    QCOMPARE(*bytes, expected);
}

void TestCodePageEncoder::unnamedByteOrderHasOneMark_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<Mark>("mark");
    QTest::addColumn<int>("unitSize");

    QTest::newRow("UTF-16 markup") << QByteArray("UTF-16") << Mark::AsTheEncodingWrites << 2;
    QTest::newRow("UTF-16 page") << QByteArray("UTF-16") << Mark::ForWidePages << 2;
    QTest::newRow("UTF-32 markup") << QByteArray("UTF-32") << Mark::AsTheEncodingWrites << 4;
    QTest::newRow("UTF-32 page") << QByteArray("UTF-32") << Mark::ForWidePages << 4;
}

void TestCodePageEncoder::unnamedByteOrderHasOneMark()
{
    QFETCH(QByteArray, encoding);
    QFETCH(Mark, mark);
    QFETCH(int, unitSize);

    // The byte order is the machine's; the mark says which, once.
    const std::optional<QByteArray> bytes = CodePageEncoder::encode(u"<a", encoding, mark);
    QVERIFY(bytes.has_value());
    QCOMPARE(bytes->size(), 3 * unitSize);
    QCOMPARE(decoded(*bytes, encoding), u"<a"_s);
}

void TestCodePageEncoder::systemCodePageIsUsable()
{
    const QByteArray codePage = CodePageEncoder::systemCodePage();
    QVERIFY(!codePage.isEmpty());
    QVERIFY(CodePageEncoder::isKnownEncoding(codePage));
    QCOMPARE(CodePageEncoder::encode(u"<HTML>", codePage).value_or(QByteArray()), QByteArray("<HTML>"));
}

} // namespace huespan

QTEST_GUILESS_MAIN(huespan::TestCodePageEncoder)
#include "TestCodePageEncoder.moc"
