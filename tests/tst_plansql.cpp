// The plan list statements, the year list and the column layout file, without a window.

#include "plan/plansql.h"
#include "plan/sloupce.h"
#include "platform/cp1250.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPlanSql : public QObject {
    Q_OBJECT
private slots:
    void statements_data()
    {
        QTest::addColumn<QString>("filtr");
        QTest::addColumn<QString>("rok");
        QTest::addColumn<QStringList>("dny");
        QTest::addColumn<QStringList>("plan");
        const QString den = QStringLiteral("select datum,datumtext,sum(hmotnostpp) as hmotnostpp from vuplan");
        const QString grp = QStringLiteral(" group by datum order by datum");
        const QString sel = QStringLiteral("select * from vuplan");
        const QString ord = QStringLiteral("order by datum DESC");
        const QString f = QStringLiteral("where DATUM >= '2012-03-01' AND NAZ_DRU = 'Pšenice'");
        QTest::newRow("no filter, Vše")
            << QString() << QString() << QStringList{den, "", " where stredisko='101'", grp}
            << QStringList{sel, "", " where stredisko='101'", ord};
        QTest::newRow("no filter, 2015")
            << QString() << QStringLiteral("2015")
            << QStringList{den, "", " where stredisko='101'", " AND year(datum) = '2015'", grp}
            << QStringList{sel, "", " where stredisko='101'", " AND year(datum) = '2015'", ord};
        QTest::newRow("filter, Vše")
            << f << QString() << QStringList{den, f, " AND stredisko='101'", grp}
            << QStringList{sel, f, " AND stredisko='101'", ord};
        QTest::newRow("filter, 2015")
            << f << QStringLiteral("2015")
            << QStringList{den, f, " AND stredisko='101'", " AND year(datum) = '2015'", grp}
            << QStringList{sel, f, " AND stredisko='101'", " AND year(datum) = '2015'", ord};
    }
    void statements()
    {
        QFETCH(QString, filtr);
        QFETCH(QString, rok);
        QFETCH(QStringList, dny);
        QFETCH(QStringList, plan);
        VyberPlanu v{filtr, QStringLiteral("101"), rok, QStringLiteral("order by datum DESC")};
        QCOMPARE(SqlDnu(v), dny);
        QCOMPARE(SqlPlanu(v), plan);
    }

    void centreIsQuoted_data()
    {
        QTest::addColumn<QString>("kod");
        QTest::addColumn<QString>("radek");
        QTest::newRow("quote") << "a'b" << " where stredisko='a''b'";
        QTest::newRow("backslash") << "1\\'" << " where stredisko='1\\\\'''";
    }
    void centreIsQuoted()
    {
        QFETCH(QString, kod);
        QFETCH(QString, radek);
        VyberPlanu v{QString(), kod, QString(), QStringLiteral("order by datum DESC")};
        QCOMPARE(SqlPlanu(v).at(2), radek);
    }

    void years()
    {
        const QStringList r = RokyVyberu(2026);
        QCOMPARE(r.first(), QStringLiteral("Vše"));
        QCOMPARE(r.at(1), QStringLiteral("2027"));
        QCOMPARE(r.last(), QStringLiteral("2014"));
        QCOMPARE(r.size(), 1 + 2027 - 2014 + 1);
        QCOMPARE(RokyVyberu(2016), (QStringList{"Vše", "2017", "2016", "2015", "2014"}));
    }

    void sqlTextFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.txt");
        UlozTextSql(path, {"select * from vuplan", "", " where stredisko='Ř01'"});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("select * from vuplan\r\n\r\n where stredisko='\xd8" "01'\r\n"));
    }

    void layoutRoundTrip()
    {
        QList<SloupecGridu> s = VychoziSloupcePlanu();
        QCOMPARE(s.size(), 11);
        s.move(0, 3);
        s[1].sirka = 321;
        s[2].viditelny = false;
        s[4].titulek = QStringLiteral("Tab\there \\ Množství");
        s[5].zarovnani = Qt::AlignRight;
        QCOMPARE(CtiSloupce(ZapisSloupce(s)), s);
        const QByteArray data = ZapisSloupce(s);
        QVERIFY(data.endsWith("\r\n"));
        QVERIFY(data.contains(cp1250::fromUnicode(QStringLiteral("Množství"))));
    }

    void layoutDefaults()
    {
        const QList<SloupecGridu> s = VychoziSloupcePlanu();
        QStringList pole;
        for (const auto& c : s)
            pole << c.pole;
        QCOMPARE(pole, (QStringList{"DATUM", "PARTIECELA", "NAZEVOSIVA", "HMOTNOSTPP", "MJ", "NAZ_DRU", "DRUH",
                                    "NAZ_ODRU", "ODRUDA", "STUPEN", "ZAPSANO"}));
        QCOMPARE(s[0].titulek, QStringLiteral("Datum"));
        QCOMPARE(s[1].titulek, QStringLiteral("   Partie"));
        QCOMPARE(s[3].titulek, QStringLiteral("Množství"));
        QCOMPARE(s[6].zarovnani, Qt::Alignment(Qt::AlignHCenter));
        QCOMPARE(s[2].sirka, 240);
    }

    void layoutBroken_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("foreign") << QByteArray("object TDBGridColumns\r\n");
        QTest::newRow("short line") << QByteArray("KETRIX SLOUPCE 1\r\nDATUM\tDatum\tC\r\n");
        QTest::newRow("bad width") << QByteArray("KETRIX SLOUPCE 1\r\nDATUM\tDatum\tC\tx\tL\t1\r\n");
        QTest::newRow("bad alignment") << QByteArray("KETRIX SLOUPCE 1\r\nDATUM\tDatum\tQ\t90\tL\t1\r\n");
    }
    void layoutBroken()
    {
        QFETCH(QByteArray, data);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, CtiSloupce(data));
    }
};

QTEST_MAIN(TestPlanSql)
#include "tst_plansql.moc"
