// Workstation and program-file facts written into the session log row.

#include "app/sysinfo.h"

#include <QDateTime>
#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

class TestSysInfo : public QObject {
    Q_OBJECT

private slots:
    void casSouboru_data();
    void casSouboru();
    void casSouboruOfProgram();
    void verzeSouboru_data();
    void verzeSouboru();
    void formatVersion_data();
    void formatVersion();
    void adresaIP();
    void uzivatelOS();
    void nazevPocitace();
    void programovySoubor();
};

void TestSysInfo::casSouboru_data()
{
    QTest::addColumn<bool>("create");
    QTest::addColumn<QDateTime>("mtime");
    QTest::addColumn<QString>("expected");

    const auto at = [](int y, int mo, int d, int h, int mi, int s) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
    };
    QTest::newRow("morning") << true << at(2021, 3, 4, 5, 6, 7) << "2021-03-04 05:06:07";
    QTest::newRow("afternoon, 24-hour clock") << true << at(2019, 11, 30, 13, 45, 59) << "2019-11-30 13:45:59";
    QTest::newRow("summer time") << true << at(2023, 7, 15, 23, 59, 1) << "2023-07-15 23:59:01";
    QTest::newRow("midnight, new year") << true << at(2000, 1, 1, 0, 0, 0) << "2000-01-01 00:00:00";
    QTest::newRow("missing file") << false << QDateTime() << "1899-12-30 00:00:00";
}

void TestSysInfo::casSouboru()
{
    QFETCH(bool, create);
    QFETCH(QDateTime, mtime);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("program.bin"));
    if (create) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.flush();
        QVERIFY(f.setFileTime(mtime, QFileDevice::FileModificationTime));
        f.close();
    }
    QCOMPARE(CasSouboru(path), expected);
}

void TestSysInfo::casSouboruOfProgram()
{
    QCOMPARE(CasSouboru(QString()), QStringLiteral("1899-12-30 00:00:00"));

    const QString t = CasSouboru(QCoreApplication::applicationFilePath());
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")).match(t).hasMatch(),
             qPrintable(t));
    QVERIFY(t != QStringLiteral("1899-12-30 00:00:00"));
    // The test program was built moments ago, not in a past century.
    const QDateTime parsed = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QVERIFY(parsed.isValid());
    QVERIFY(qAbs(parsed.secsTo(QDateTime::currentDateTime())) < 400LL * 24 * 3600);
}

void TestSysInfo::verzeSouboru_data()
{
    QTest::addColumn<QString>("name");

    const QString self = QCoreApplication::applicationFilePath();
    QTest::newRow("blanks only: the program file") << "  ";
    QTest::newRow("empty: the program file") << "";
    QTest::newRow("program file by name") << self;
    QTest::newRow("name with blanks around") << "  " + self + " \t";
    QTest::newRow("another program") << QStringLiteral("/bin/sh");
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/setupplan.exe");
}

void TestSysInfo::verzeSouboru()
{
    QFETCH(QString, name);
    QCOMPARE(VerzeSouboru(name), QStringLiteral("-1.0.0.0"));
}

void TestSysInfo::formatVersion_data()
{
    QTest::addColumn<quint32>("ms");
    QTest::addColumn<quint32>("ls");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ordinary") << 0x00010002u << 0x00030004u << "1.2.3.4";
    QTest::newRow("high half full") << 0xFFFF0000u << 0u << "65535.0.0.0";
    QTest::newRow("all full, unsigned parts") << 0xFFFFFFFFu << 0xFFFFFFFFu << "65535.65535.65535.65535";
    QTest::newRow("zeros") << 0u << 0u << "0.0.0.0";
    QTest::newRow("no leading zeros") << 0x000A0100u << 0x07E80010u << "10.256.2024.16";
}

void TestSysInfo::formatVersion()
{
    QFETCH(quint32, ms);
    QFETCH(quint32, ls);
    QFETCH(QString, expected);
    QCOMPARE(::formatVersion(ms, ls), expected);
}

void TestSysInfo::adresaIP()
{
    const QString ip = AdresaIP();
    const QRegularExpression quad(QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch m = quad.match(ip);
    QVERIFY2(m.hasMatch(), qPrintable(ip));
    for (int i = 1; i <= 4; ++i) {
        const QString part = m.captured(i);
        QVERIFY2(part.toInt() <= 255, qPrintable(ip));
        QVERIFY2(part == QLatin1String("0") || !part.startsWith(QLatin1Char('0')), qPrintable(ip));
    }

    // Agrees with the resolver: one of the local host's IPv4 addresses, or all ones when
    // it has none.
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    QStringList v4;
    for (const QHostAddress& a : info.addresses()) {
        bool ok = false;
        const quint32 v = a.toIPv4Address(&ok);
        if (ok)
            v4 << QHostAddress(v).toString();
    }
    if (v4.isEmpty())
        QCOMPARE(ip, QStringLiteral("255.255.255.255"));
    else
        QVERIFY2(v4.contains(ip), qPrintable(ip + QLatin1String(" not in ") + v4.join(QLatin1Char(' '))));
}

void TestSysInfo::uzivatelOS()
{
    const passwd* pw = ::getpwuid(::geteuid());
    QVERIFY(pw && pw->pw_name && *pw->pw_name);
    QCOMPARE(UzivatelOS(), QString::fromLocal8Bit(pw->pw_name));
}

void TestSysInfo::nazevPocitace()
{
    const QString host = QSysInfo::machineHostName();
    QCOMPARE(NazevPocitace(), host.isEmpty() ? QStringLiteral("(Unknown)") : host);
    QVERIFY(!NazevPocitace().isEmpty());
}

void TestSysInfo::programovySoubor()
{
    QCOMPARE(ProgramovySoubor(), QCoreApplication::applicationFilePath());
    QVERIFY(ProgramovySoubor().endsWith(QStringLiteral("/tst_sysinfo")));
}

QTEST_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
