// Windows-style INI files (korvan05.ini, ketrix.ini), the connection settings read from
// the shared file and the command line.

#include "app/konfigurace.h"
#include "platform/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void writeString_data();
    void writeString();
    void writeKeyInOtherCaseReplacesIt();
    void writeIntoMissingFolderThrows();

    void korvanIni_data();
    void korvanIni();
    void commandLine_data();
    void commandLine();
    void portNaCislo_data();
    void portNaCislo();
};

void TestIniFile::readString_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray logon = "[LogON]\r\nIP=10.0.0.5\r\nSQLport=3307\r\nPassword=\r\n";
    QTest::newRow("missing file") << false << QByteArray() << "LogON" << "IP" << "DEF";
    QTest::newRow("empty file") << true << QByteArray() << "LogON" << "IP" << "DEF";
    QTest::newRow("missing section") << true << logon << "Other" << "IP" << "DEF";
    QTest::newRow("missing key") << true << logon << "LogON" << "User" << "DEF";
    QTest::newRow("present key") << true << logon << "LogON" << "SQLport" << "3307";
    QTest::newRow("empty value is not the default") << true << logon << "LogON" << "Password" << "";
    QTest::newRow("section name in other case") << true << logon << "logon" << "IP" << "10.0.0.5";
    QTest::newRow("key name in other case") << true << logon << "LOGON" << "sqlPORT" << "3307";
    QTest::newRow("key of another section")
        << true << QByteArray("[A]\r\nkey=1\r\n[B]\r\nother=2\r\n") << "B" << "key" << "DEF";
    QTest::newRow("same key in two sections")
        << true << QByteArray("[A]\r\nkey=1\r\n[B]\r\nkey=2\r\n") << "b" << "KEY" << "2";
    QTest::newRow("cp1250 value")
        << true << QByteArray("[TForm1]\r\nsuiComboBox1_Text=102  St\xf8" "edisko Hul\xedn\r\n")
        << "TForm1" << "suiComboBox1_Text" << QStringLiteral("102  Středisko Hulín");
    QTest::newRow("all Czech letters")
        << true
        << QByteArray("[S]\r\nk=\xe1\xe8\xef\xe9\xec\xed\xf2\xf3\xf8\x9a\x9d\xfa\xf9\xfd\x9e"
                      "\xc1\xc8\xcf\xc9\xcc\xcd\xd2\xd3\xd8\x8a\x8d\xda\xd9\xdd\x8e\r\n")
        << "S" << "k" << QStringLiteral("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
    QTest::newRow("LF line ends") << true << QByteArray("[LogON]\nIP=1.2.3.4\nUser=novak\n")
                                  << "LogON" << "User" << "novak";
    QTest::newRow("lone CR line ends") << true << QByteArray("[LogON]\rIP=1.2.3.4\rUser=novak\r")
                                       << "LogON" << "User" << "novak";
    QTest::newRow("last line without line end")
        << true << QByteArray("[LogON]\r\nIP=1.2.3.4") << "LogON" << "IP" << "1.2.3.4";
    QTest::newRow("blanks around name and value")
        << true << QByteArray("  [ LogON ]  \r\n  IP  =  1.2.3.4  \r\n") << "LogON" << "IP" << "1.2.3.4";
    QTest::newRow("blank inside the value stays")
        << true << QByteArray("[S]\r\nk=a  b\r\n") << "S" << "k" << "a  b";
    QTest::newRow("equals sign inside the value")
        << true << QByteArray("[S]\r\nk=a=b\r\n") << "S" << "k" << "a=b";
    QTest::newRow("enclosing quotes dropped")
        << true << QByteArray("[S]\r\nk=\"a b\"\r\n") << "S" << "k" << "a b";
    QTest::newRow("commented key is not a key")
        << true << QByteArray("[S]\r\n;k=1\r\n") << "S" << "k" << "DEF";
    QTest::newRow("line without equals sign is not a key")
        << true << QByteArray("[S]\r\nk\r\n") << "S" << "k" << "DEF";
}

void TestIniFile::readString()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    if (fileExists)
        QVERIFY(writeBytes(path, content));

    const IniFile ini(path);
    QCOMPARE(ini.exists(), fileExists);
    QCOMPARE(ini.readString(section, key, QStringLiteral("DEF")), expected);
    QCOMPARE(ini.valueExists(section, key), expected != QLatin1String("DEF"));
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal") << QByteArray("12") << 12;
    QTest::newRow("negative") << QByteArray("-1") << -1;
    QTest::newRow("hexadecimal") << QByteArray("0x1F") << 31;
    QTest::newRow("not a number") << QByteArray("12a") << 77;
    QTest::newRow("empty") << QByteArray("") << 77;
}

void TestIniFile::readInteger()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    QVERIFY(writeBytes(path, "[S]\r\nn=" + value + "\r\n"));
    QCOMPARE(IniFile(path).readInteger(QStringLiteral("S"), QStringLiteral("n"), 77), expected);
}

void TestIniFile::writeString_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray file = "; nastaveni oken\r\n"
                            "[TForm1]\r\n"
                            "FormVersion=0\r\n"
                            "Label3_Caption=101\r\n"
                            "\r\n"
                            "[Seznam]\r\n"
                            "Datum=1.2.2024\r\n";

    QTest::newRow("new file") << false << QByteArray() << "TForm1" << "FormVersion" << "0"
                              << QByteArray("[TForm1]\r\nFormVersion=0\r\n");
    QTest::newRow("update in place")
        << true << file << "TForm1" << "Label3_Caption" << "102"
        << QByteArray("; nastaveni oken\r\n[TForm1]\r\nFormVersion=0\r\nLabel3_Caption=102\r\n\r\n"
                      "[Seznam]\r\nDatum=1.2.2024\r\n");
    QTest::newRow("update in a section named in other case")
        << true << file << "seznam" << "Datum" << "3.4.2025"
        << QByteArray("; nastaveni oken\r\n[TForm1]\r\nFormVersion=0\r\nLabel3_Caption=101\r\n\r\n"
                      "[Seznam]\r\nDatum=3.4.2025\r\n");
    QTest::newRow("new key after the section's last key")
        << true << file << "TForm1" << "suiComboBoxRok_ItemIndex" << "2"
        << QByteArray("; nastaveni oken\r\n[TForm1]\r\nFormVersion=0\r\nLabel3_Caption=101\r\n"
                      "suiComboBoxRok_ItemIndex=2\r\n\r\n[Seznam]\r\nDatum=1.2.2024\r\n");
    QTest::newRow("new section appended")
        << true << file << "TFprih" << "suiSpinEdit1_Value" << "2025"
        << QByteArray("; nastaveni oken\r\n[TForm1]\r\nFormVersion=0\r\nLabel3_Caption=101\r\n\r\n"
                      "[Seznam]\r\nDatum=1.2.2024\r\n\r\n[TFprih]\r\nsuiSpinEdit1_Value=2025\r\n");
    QTest::newRow("value written in cp1250")
        << true << QByteArray("[TForm1]\r\n") << "TForm1" << "suiComboBox1_Text"
        << QStringLiteral("102  Středisko Hulín")
        << QByteArray("[TForm1]\r\nsuiComboBox1_Text=102  St\xf8" "edisko Hul\xedn\r\n");
    QTest::newRow("empty value")
        << true << QByteArray("[S]\r\nk=1\r\n") << "S" << "k" << "" << QByteArray("[S]\r\nk=\r\n");
    QTest::newRow("LF file rewritten with CR LF")
        << true << QByteArray("[A]\n; comment\nx=1\n[B]\ny=2\n") << "B" << "y" << "3"
        << QByteArray("[A]\r\n; comment\r\nx=1\r\n[B]\r\ny=3\r\n");
    QTest::newRow("lone CR file rewritten with CR LF")
        << true << QByteArray("[A]\rx=1\r") << "A" << "z" << "9"
        << QByteArray("[A]\r\nx=1\r\nz=9\r\n");
}

void TestIniFile::writeString()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ketrix.ini"));
    if (fileExists)
        QVERIFY(writeBytes(path, before));

    IniFile ini(path);
    ini.writeString(section, key, value);
    QCOMPARE(readBytes(path), after);
    // what was written reads back, also through a fresh object
    QCOMPARE(ini.readString(section, key, QStringLiteral("DEF")), value);
    QCOMPARE(IniFile(path).readString(section, key, QStringLiteral("DEF")), value);
}

void TestIniFile::writeKeyInOtherCaseReplacesIt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ketrix.ini"));
    QVERIFY(writeBytes(path, "[TForm1]\r\nFormVersion=0\r\nLabel3_Caption=101\r\n"));

    IniFile ini(path);
    ini.writeString(QStringLiteral("tform1"), QStringLiteral("LABEL3_CAPTION"), QStringLiteral("105"));
    QCOMPARE(ini.sectionKeys(QStringLiteral("TForm1")).size(), 2);
    QCOMPARE(IniFile(path).readString(QStringLiteral("TForm1"), QStringLiteral("Label3_Caption")),
             QStringLiteral("105"));
    QCOMPARE(readBytes(path).count("[TForm1]"), 1);
}

void TestIniFile::writeIntoMissingFolderThrows()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    IniFile ini(dir.filePath(QStringLiteral("no/such/folder/ketrix.ini")));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
}

void TestIniFile::korvanIni_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected"); // IP User Password Database SQLport OPENport CisloPC

    const QStringList defaults{"localhost", "root", "", "korvan", "3306", "", "00"};
    QTest::newRow("no file") << false << QByteArray() << defaults;
    QTest::newRow("no LogON section") << true << QByteArray("[Other]\r\nIP=1.1.1.1\r\n") << defaults;
    QTest::newRow("empty section") << true << QByteArray("[LogON]\r\n") << defaults;
    QTest::newRow("every key")
        << true
        << QByteArray("[LogON]\r\nIP=192.168.1.20\r\nUser=plan\r\nPassword=tajn\xe9\r\nDatabase=korvan2\r\n"
                      "SQLport=3307\r\nOPENport=3310\r\nCisloPC=07\r\n")
        << QStringList{"192.168.1.20", "plan", QStringLiteral("tajné"), "korvan2", "3307", "3310", "07"};
    QTest::newRow("keys present but empty")
        << true << QByteArray("[LogON]\r\nIP=\r\nUser=\r\nDatabase=\r\nSQLport=\r\nCisloPC=\r\n")
        << QStringList{"", "", "", "", "", "", ""};
    QTest::newRow("names in other case")
        << true << QByteArray("[logon]\r\nip=db.firma.cz\r\nsqlport=3308\r\ncislopc=12\r\n")
        << QStringList{"db.firma.cz", "root", "", "korvan", "3308", "", "12"};
}

void TestIniFile::korvanIni()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("korvan05.ini"));
    if (fileExists)
        QVERIFY(writeBytes(path, content));

    const NastaveniLogOn n = CtiKorvanIni(path);
    QCOMPARE((QStringList{n.IP, n.User, n.Password, n.Database, n.SQLport, n.OPENport, n.CisloPC}), expected);
}

void TestIniFile::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("manualCommit");
    QTest::addColumn<bool>("designer");

    QTest::newRow("none") << QStringList{} << false << false;
    QTest::newRow("/M") << QStringList{"/M"} << true << false;
    QTest::newRow("/m") << QStringList{"/m"} << true << false;
    QTest::newRow("/M as second argument") << QStringList{"x", "/M"} << false << false;
    QTest::newRow("/M then more") << QStringList{"/M", "/ES"} << true << false;
    QTest::newRow("/ES") << QStringList{"/ES"} << false << true;
    QTest::newRow("/es") << QStringList{"/es"} << false << false;
    QTest::newRow("/Es") << QStringList{"/Es"} << false << false;
    QTest::newRow("/ES as second argument") << QStringList{"/M", "/ES"} << true << false;
    QTest::newRow("/MX") << QStringList{"/MX"} << false << false;
    QTest::newRow("M without slash") << QStringList{"M"} << false << false;
}

void TestIniFile::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, manualCommit);
    QFETCH(bool, designer);
    QCOMPARE(PrikazRadkuM(arguments), manualCommit);
    QCOMPARE(PrikazRadkuES(arguments), designer);
}

void TestIniFile::portNaCislo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -1: not a whole number

    QTest::newRow("3306") << "3306" << 3306;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("letters after digits") << "12a" << -1;
    QTest::newRow("letter inside") << "33x06" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("decimal point") << "3306.5" << -1;
    QTest::newRow("trailing blank") << "3306 " << -1;
}

void TestIniFile::portNaCislo()
{
    QFETCH(QString, text);
    QFETCH(int, expected);

    if (expected >= 0) {
        QCOMPARE(PortNaCislo(text), expected);
        return;
    }
    try {
        PortNaCislo(text);
        QFAIL("no error raised");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

QTEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
