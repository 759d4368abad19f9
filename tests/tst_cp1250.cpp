// Windows-1250 <-> Unicode: the code page of the connection and of the program's files.
// The C library's iconv serves as an independent reference for the whole upper half.

#include "platform/cp1250.h"

#include <QtTest>

#include <iconv.h>

#include <optional>

namespace {

// The bytes the code page leaves undefined.
bool undefinedByte(int b)
{
    return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
}

// One byte through the C library's CP1250 converter; no value when it rejects the byte.
std::optional<char16_t> iconvChar(unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-16LE", "CP1250");
    if (cd == iconv_t(-1))
        return std::nullopt;
    char in[1] = {char(byte)};
    unsigned char out[8] = {};
    char* ip = in;
    char* op = reinterpret_cast<char*>(out);
    size_t il = 1, ol = sizeof out;
    const size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == size_t(-1) || sizeof out - ol != 2)
        return std::nullopt;
    return char16_t(out[0] | (out[1] << 8));
}

} // namespace

class TestCp1250 : public QObject {
    Q_OBJECT

private slots:
    void czechLetters_data();
    void czechLetters();
    void upperHalfSample_data();
    void upperHalfSample();
    void upperHalfMatchesReference();
    void definedBytesRoundTrip();
    void lowerHalfIsAscii();
    void unmappable_data();
    void unmappable();
    void everyBmpCharacterIsOneByte();
};

void TestCp1250::czechLetters_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("byte");

    const struct {
        const char* utf8;
        int byte;
    } letters[] = {
        {"á", 0xE1}, {"č", 0xE8}, {"ď", 0xEF}, {"é", 0xE9}, {"ě", 0xEC}, {"í", 0xED},
        {"ň", 0xF2}, {"ó", 0xF3}, {"ř", 0xF8}, {"š", 0x9A}, {"ť", 0x9D}, {"ú", 0xFA},
        {"ů", 0xF9}, {"ý", 0xFD}, {"ž", 0x9E},
        {"Á", 0xC1}, {"Č", 0xC8}, {"Ď", 0xCF}, {"É", 0xC9}, {"Ě", 0xCC}, {"Í", 0xCD},
        {"Ň", 0xD2}, {"Ó", 0xD3}, {"Ř", 0xD8}, {"Š", 0x8A}, {"Ť", 0x8D}, {"Ú", 0xDA},
        {"Ů", 0xD9}, {"Ý", 0xDD}, {"Ž", 0x8E},
    };
    for (const auto& l : letters)
        QTest::newRow(l.utf8) << QString::fromUtf8(l.utf8) << l.byte;
}

void TestCp1250::czechLetters()
{
    QFETCH(QString, letter);
    QFETCH(int, byte);

    const QByteArray encoded = cp1250::fromUnicode(letter);
    QCOMPARE(encoded, QByteArray(1, char(byte)));
    QCOMPARE(cp1250::toUnicode(encoded), letter);
    QCOMPARE(QString(QChar(cp1250::charOf(static_cast<unsigned char>(byte)))), letter);

    // inside a word as the database and the files carry it
    const QString word = QStringLiteral("x") + letter + QStringLiteral("y");
    QCOMPARE(cp1250::fromUnicode(word), QByteArray("x") + char(byte) + "y");
    QCOMPARE(cp1250::toUnicode(cp1250::fromUnicode(word)), word);
}

void TestCp1250::upperHalfSample_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");

    const struct {
        const char* name;
        int byte;
        int unicode;
    } sample[] = {
        {"euro", 0x80, 0x20AC},          {"low quote", 0x82, 0x201A},
        {"low double quote", 0x84, 0x201E}, {"ellipsis", 0x85, 0x2026},
        {"per mille", 0x89, 0x2030},     {"S acute", 0x8C, 0x015A},
        {"Z acute", 0x8F, 0x0179},       {"en dash", 0x96, 0x2013},
        {"em dash", 0x97, 0x2014},       {"trade mark", 0x99, 0x2122},
        {"no-break space", 0xA0, 0x00A0}, {"caron", 0xA1, 0x02C7},
        {"L stroke", 0xA3, 0x0141},      {"A ogonek", 0xA5, 0x0104},
        {"section", 0xA7, 0x00A7},       {"degree", 0xB0, 0x00B0},
        {"a ogonek", 0xB9, 0x0105},      {"L caron", 0xBC, 0x013D},
        {"l caron", 0xBE, 0x013E},       {"R acute", 0xC0, 0x0154},
        {"A breve", 0xC3, 0x0102},       {"A umlaut", 0xC4, 0x00C4},
        {"L acute", 0xC5, 0x0139},       {"O double acute", 0xD5, 0x0150},
        {"multiply", 0xD7, 0x00D7},      {"U double acute", 0xDB, 0x0170},
        {"T cedilla", 0xDE, 0x0162},     {"sharp s", 0xDF, 0x00DF},
        {"d stroke", 0xF0, 0x0111},      {"divide", 0xF7, 0x00F7},
        {"dot above", 0xFF, 0x02D9},
    };
    for (const auto& s : sample)
        QTest::newRow(s.name) << s.byte << s.unicode;
}

void TestCp1250::upperHalfSample()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);

    const QByteArray b(1, char(byte));
    QCOMPARE(int(cp1250::toUnicode(b).at(0).unicode()), unicode);
    QCOMPARE(cp1250::fromUnicode(QString(QChar(char16_t(unicode)))), b);
}

void TestCp1250::upperHalfMatchesReference()
{
    const iconv_t probe = iconv_open("UTF-16LE", "CP1250");
    QVERIFY2(probe != iconv_t(-1), "the C library has no CP1250 converter");
    iconv_close(probe);
    int defined = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::optional<char16_t> ref = iconvChar(static_cast<unsigned char>(b));
        const char16_t ours = cp1250::charOf(static_cast<unsigned char>(b));
        if (undefinedByte(b)) {
            // Windows passes the undefined bytes through as the C1 control of that number
            QCOMPARE(int(ours), b);
            continue;
        }
        QVERIFY2(ref.has_value(), qPrintable(QStringLiteral("reference rejects 0x%1").arg(b, 0, 16)));
        QCOMPARE(int(ours), int(*ref));
        ++defined;
    }
    QCOMPARE(defined, 123);
}

void TestCp1250::definedBytesRoundTrip()
{
    QByteArray all;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (!undefinedByte(b))
            all.append(char(b));
    QCOMPARE(all.size(), 123);

    const QString text = cp1250::toUnicode(all);
    QCOMPARE(text.size(), 123);
    QCOMPARE(cp1250::fromUnicode(text), all);
    // no two bytes share a character
    QSet<QChar> distinct(text.begin(), text.end());
    QCOMPARE(distinct.size(), 123);
    // and none of them is a control or an ASCII stand-in
    for (QChar c : text) {
        QVERIFY(c.unicode() >= 0xA0);
        QCOMPARE(cp1250::toUnicode(cp1250::fromUnicode(QString(c))), QString(c));
    }
}

void TestCp1250::lowerHalfIsAscii()
{
    QByteArray lower;
    for (int b = 0; b < 0x80; ++b)
        lower.append(char(b));
    const QString text = cp1250::toUnicode(lower);
    QCOMPARE(text, QString::fromLatin1(lower));
    QCOMPARE(cp1250::fromUnicode(text), lower);
}

void TestCp1250::unmappable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("CJK") << QStringLiteral("中") << QByteArray("?");
    QTest::newRow("emoji, one question mark for the surrogate pair")
        << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("two emoji") << QStringLiteral("😀😀") << QByteArray("??");
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + u'x' << QByteArray("?x");
    QTest::newRow("lone low surrogate") << QString(QChar(0xDE00)) << QByteArray("?");
    QTest::newRow("a grave is not in the code page") << QStringLiteral("à") << QByteArray("?");
    QTest::newRow("n tilde") << QStringLiteral("año") << QByteArray("a?o");
    QTest::newRow("euro is in the code page") << QStringLiteral("5 €") << QByteArray("5 \x80");
    QTest::newRow("Czech among foreign")
        << QStringLiteral("Žluťoučký кůň") << QByteArray("\x8elu\x9dou\xe8k\xfd ?\xf9\xf2");
}

void TestCp1250::unmappable()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(cp1250::fromUnicode(text), expected);
}

void TestCp1250::everyBmpCharacterIsOneByte()
{
    // Every character outside the surrogates becomes exactly one byte; whatever is not a
    // question mark decodes back to the same character.
    int mapped = 0;
    for (int u = 0x80; u <= 0xFFFF; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const QString c{QChar(char16_t(u))};
        const QByteArray b = cp1250::fromUnicode(c);
        QCOMPARE(b.size(), 1);
        if (b != "?") {
            QCOMPARE(cp1250::toUnicode(b), c);
            ++mapped;
        }
    }
    // the 123 characters of the code page and the 5 C1 controls of its undefined bytes
    QCOMPARE(mapped, 128);
}

QTEST_MAIN(TestCp1250)
#include "tst_cp1250.moc"
