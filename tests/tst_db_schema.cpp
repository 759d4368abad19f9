// The test database: structure of the product family's tables (schema/schema.sql), the
// demo data (schema/demo.sql) and the TestDatabase helper that the database tests use.
// All checks read the server through the mariadb client, independently of the program.

#include "testdb.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList words(const char* list)
{
    return QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Columns that the program names, per table.
const char* const kVuplanColumns =
    "id datum datumtext stredisko strnazev partie podnik poradi partiecela nomenkla nazevosiva "
    "druh naz_dru odruda naz_odru stupen mj hmotnostpp hmotnocist zapsano cislodokla kodpar "
    "komodita";

// The registration columns that the program reads, and those that the registration overview
// drops by name from its copy (they must exist, or its ALTER TABLE fails).
const char* const kPrihReadColumns =
    "id rok podnik cislo_prih sloupartie vymera mj_plochy uzn_ploch odhad_vyn zrusena mnozitel "
    "do_mnozeni odhad prodej merna_jedn cso_ico nazevosiva nomenkla druh naz_dru odruda "
    "naz_odru stu_mno_tx nazevpodni sidlo ico bp_mnozite dat_tisku stredisko";
const char* const kPrihDroppedColumns =
    "uzn_list1 uzn_list2 uzn_list3 uzn_list4 mnozstvi1 mnozstvi2 mnozstvi3 mnozstvi4 "
    "cislo_honu nazev_honu katastr oecd kontrakt izol_vzdal okres_2 pozemek kategorie "
    "predp1 predp2 predp3 predp4 predp5 predp1r predp2r predp3r predp4r predp5r kontrakt_f "
    "uredni_zaz slonaukzuz ku ku_nazev d_kontroly uredni_za2 uredni_za3 slomajite "
    "bram_pocet bram_sv bram_a bram_y bram_x bram_m bram_tvch";

// The whole lot number composed from its parts, as the plan entry builds it.
const char* const kPartiecelaRule =
    "IF(LEFT(partie, 2) = '55', partie,"
    " CONCAT(LEFT(partie, 2), '-', podnik, '-', SUBSTRING(partie, 3, 5), '-',"
    " RIGHT(CONCAT('00', poradi), 2)))";

} // namespace

class TestDbSchema : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void tablesExist_data();
    void tablesExist();
    void columnsExist_data();
    void columnsExist();
    void prihDropListIsComplete();
    void columnTypes_data();
    void columnTypes();
    void textColumnsAreCp1250();
    void vuplanRowTakesDefaults();

    void demoHasRows_data();
    void demoHasRows();
    void demoCurrentAndNextMonthAtFirstCentre();
    void demoDayTotalsAroundForty();
    void demoMergedRegistrationsNameExistingOnes();
    void demoCancelledRegistrations();
    void demoPartiecelaFollowsTheRule();
    void demoDatumtextIsCzechWeekdayAndDate();
    void demoLabReceiptsMatchRegistrations();
    void demoCzechTextStoredAsCp1250();

    void cp1250RoundTrip_data();
    void cp1250RoundTrip();

    void databaseDroppedByDestructor();
    void databasesAreDistinct();
    void connectReachesTheSameDatabase();
    void korvanIni();

private:
    std::unique_ptr<TestDatabase> m_demo;  // schema and demo data; only read
    std::unique_ptr<TestDatabase> m_empty; // schema only; tests may write here
};

void TestDbSchema::initTestCase()
{
    m_demo = std::make_unique<TestDatabase>(true);
    m_empty = std::make_unique<TestDatabase>(false);
}

void TestDbSchema::cleanupTestCase()
{
    m_demo.reset();
    m_empty.reset();
}

void TestDbSchema::tablesExist_data()
{
    QTest::addColumn<QString>("table");
    for (const QString& t : words("vuplan prih lab pp strtopc korvan historiem"))
        QTest::newRow(qPrintable(t)) << t;
}

void TestDbSchema::tablesExist()
{
    QFETCH(QString, table);
    const QString row = m_empty->mysql(QStringLiteral(
        "select engine, table_collation from information_schema.tables"
        " where table_schema = database() and table_name = '%1'").arg(table));
    QCOMPARE(row, QStringLiteral("InnoDB\tcp1250_czech_cs"));
}

void TestDbSchema::columnsExist_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("vuplan") << "vuplan" << words(kVuplanColumns);
    QTest::newRow("prih") << "prih" << (words(kPrihReadColumns) + words(kPrihDroppedColumns));
    QTest::newRow("lab") << "lab"
                         << words("typ partie podnik datprijeti partiecela rok mnozstvi");
    QTest::newRow("pp") << "pp"
                        << words("partie podnik nomenkla nazevosiva druh odruda naz_dru "
                                 "naz_odru stupen mj");
    QTest::newRow("strtopc") << "strtopc" << words("stred nazevstr");
    QTest::newRow("korvan") << "korvan" << words("podnik zakl_mj");
    QTest::newRow("historiem") << "historiem"
                               << words("modul pc stredisko datumcas ipadr computeruser "
                                        "computername mdatumcas mverze");
}

void TestDbSchema::columnsExist()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    const QStringList present = m_empty->mysql(QStringLiteral(
        "select lower(column_name) from information_schema.columns"
        " where table_schema = database() and table_name = '%1'").arg(table))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QSet<QString> have(present.begin(), present.end());
    QStringList missing;
    for (const QString& c : columns)
        if (!have.contains(c))
            missing << c;
    QVERIFY2(missing.isEmpty(), qPrintable(table + QStringLiteral(" lacks: ") + missing.join(u' ')));
}

// The registration overview copies prih and drops 43 columns by name in six statements;
// they must all succeed on a copy of this table.
void TestDbSchema::prihDropListIsComplete()
{
    const QStringList dropped = words(kPrihDroppedColumns);
    QCOMPARE(dropped.size(), 43);
    QStringList drops;
    for (const QString& c : dropped)
        drops << QStringLiteral("DROP COLUMN `%1`").arg(c.toUpper());
    m_empty->mysql(QStringLiteral("DROP TABLE IF EXISTS tmp99pln;"
                                  " CREATE TABLE tmp99pln select * from prih;"
                                  " ALTER TABLE tmp99pln %1;").arg(drops.join(QStringLiteral(", "))));
    const int before = m_empty->mysql(QStringLiteral(
        "select count(*) from information_schema.columns"
        " where table_schema = database() and table_name = 'prih'")).toInt();
    const int after = m_empty->mysql(QStringLiteral(
        "select count(*) from information_schema.columns"
        " where table_schema = database() and table_name = 'tmp99pln'")).toInt();
    m_empty->mysql(QStringLiteral("DROP TABLE tmp99pln"));
    QCOMPARE(after, before - 43);
    QVERIFY(after >= words(kPrihReadColumns).size());
}

void TestDbSchema::columnTypes_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("extra");
    QTest::newRow("vuplan.id") << "vuplan" << "id" << "int(11)" << "auto_increment";
    QTest::newRow("vuplan.datum") << "vuplan" << "datum" << "date" << "";
    QTest::newRow("vuplan.partie") << "vuplan" << "partie" << "varchar(9)" << "";
    QTest::newRow("vuplan.podnik") << "vuplan" << "podnik" << "varchar(4)" << "";
    QTest::newRow("vuplan.poradi") << "vuplan" << "poradi" << "varchar(2)" << "";
    QTest::newRow("vuplan.partiecela") << "vuplan" << "partiecela" << "varchar(16)" << "";
    QTest::newRow("vuplan.hmotnostpp") << "vuplan" << "hmotnostpp" << "decimal(12,3)" << "";
    QTest::newRow("prih.rok") << "prih" << "rok" << "int(11)" << "";
    QTest::newRow("prih.cislo_prih") << "prih" << "cislo_prih" << "varchar(5)" << "";
    QTest::newRow("prih.zrusena") << "prih" << "zrusena" << "date" << "";
    QTest::newRow("prih.odhad_vyn") << "prih" << "odhad_vyn" << "decimal(12,3)" << "";
    QTest::newRow("lab.mnozstvi") << "lab" << "mnozstvi" << "decimal(12,3)" << "";
    QTest::newRow("strtopc.stred") << "strtopc" << "stred" << "varchar(3)" << "";
    QTest::newRow("historiem.id") << "historiem" << "id" << "int(11)" << "auto_increment";
    QTest::newRow("historiem.datumcas") << "historiem" << "datumcas" << "datetime" << "";
    QTest::newRow("historiem.computeruser") << "historiem" << "computeruser" << "varchar(62)" << "";
}

void TestDbSchema::columnTypes()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, type);
    QFETCH(QString, extra);
    const QString row = m_empty->mysql(QStringLiteral(
        "select column_type, extra from information_schema.columns"
        " where table_schema = database() and table_name = '%1' and column_name = '%2'")
        .arg(table, column));
    QCOMPARE(row, type + QLatin1Char('\t') + extra);
}

void TestDbSchema::textColumnsAreCp1250()
{
    const QString total = m_empty->mysql(QStringLiteral(
        "select count(*) from information_schema.columns"
        " where table_schema = database() and character_set_name is not null"));
    const QString other = m_empty->mysql(QStringLiteral(
        "select group_concat(table_name, '.', column_name) from information_schema.columns"
        " where table_schema = database() and character_set_name is not null"
        " and (character_set_name <> 'cp1250' or collation_name <> 'cp1250_czech_cs')"));
    QVERIFY(total.toInt() > 0);
    QCOMPARE(other, QStringLiteral("NULL"));
}

// A new plan entry inserts only the centre and the day and leaves every other column to its
// default, also under the server's strict default SQL mode.
void TestDbSchema::vuplanRowTakesDefaults()
{
    m_empty->mysql(QStringLiteral(
        "set session sql_mode = 'STRICT_ALL_TABLES,NO_ZERO_DATE';"
        " insert into vuplan (stredisko, datum) values ('777', '2016-01-04');"
        " create table tmp99plan like vuplan;"
        " insert into tmp99plan (stredisko, datum) values ('777', '2016-01-05')"));
    const QString row = m_empty->mysql(QStringLiteral(
        "select concat_ws('|', id > 0, datumtext, partie, partiecela, hmotnostpp, hmotnocist,"
        " mj, zapsano is not null) from vuplan where stredisko = '777'"));
    const QString scratch = m_empty->mysql(QStringLiteral(
        "select count(*) from tmp99plan where stredisko = '777'; drop table tmp99plan;"
        " delete from vuplan where stredisko = '777'"));
    QCOMPARE(row, QStringLiteral("1||||0.000|0.000||1"));
    QCOMPARE(scratch, QStringLiteral("1"));
}

void TestDbSchema::demoHasRows_data()
{
    QTest::addColumn<QString>("table");
    for (const QString& t : words("vuplan prih lab pp strtopc korvan historiem"))
        QTest::newRow(qPrintable(t)) << t;
}

void TestDbSchema::demoHasRows()
{
    QFETCH(QString, table);
    QVERIFY(m_demo->mysql(QStringLiteral("select count(*) from %1").arg(table)).toInt() > 0);
    QCOMPARE(m_empty->mysql(QStringLiteral("select count(*) from %1").arg(table)), QStringLiteral("0"));
}

// The plan window starts on the current month and shows the next one beside it.
void TestDbSchema::demoCurrentAndNextMonthAtFirstCentre()
{
    const QString first = m_demo->mysql(QStringLiteral("select min(stred) from strtopc"));
    QCOMPARE(first.size(), 3);
    const QString counts = m_demo->mysql(QStringLiteral(
        "select sum(datum between date_format(curdate(), '%Y-%m-01')"
        "            and last_day(curdate())),"
        "       sum(datum between date_format(curdate() + interval 1 month, '%Y-%m-01')"
        "            and last_day(curdate() + interval 1 month))"
        " from vuplan where stredisko = '%1'").replace(QStringLiteral("%1"), first));
    const QStringList c = counts.split(QLatin1Char('\t'));
    QCOMPARE(c.size(), 2);
    QVERIFY2(c[0].toInt() > 0, qPrintable(counts));
    QVERIFY2(c[1].toInt() > 0, qPrintable(counts));
    // Every centre has plan rows.
    QCOMPARE(m_demo->mysql(QStringLiteral(
                 "select count(*) from strtopc s where not exists"
                 " (select 1 from vuplan v where v.stredisko = s.stred)")),
             QStringLiteral("0"));
}

void TestDbSchema::demoDayTotalsAroundForty()
{
    const QString r = m_demo->mysql(QStringLiteral(
        "select sum(total > 40), sum(total <= 40) from"
        " (select datum, sum(hmotnostpp) as total from vuplan"
        "   where stredisko = (select min(stred) from strtopc)"
        "     and year(datum) = year(curdate())"
        "     and month(datum) = month(curdate())"
        "   group by datum) d"));
    const QStringList c = r.split(QLatin1Char('\t'));
    QCOMPARE(c.size(), 2);
    QVERIFY2(c[0].toInt() >= 2, qPrintable(r));
    QVERIFY2(c[1].toInt() >= 2, qPrintable(r));
}

void TestDbSchema::demoMergedRegistrationsNameExistingOnes()
{
    // Per merging registration: how many numbers its list names, and how many registrations
    // of the same year and company carry one of them.
    const QStringList rows = m_demo->mysql(QStringLiteral(
        "select a.id, length(a.sloupartie) - length(replace(a.sloupartie, ',', '')) + 1,"
        "       (select count(*) from prih p where p.rok = a.rok and p.podnik = a.podnik"
        "          and find_in_set(p.cislo_prih, a.sloupartie) > 0)"
        " from prih a where a.sloupartie <> ''"))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(rows.size() >= 2);
    for (const QString& row : rows) {
        const QStringList c = row.split(QLatin1Char('\t'));
        QCOMPARE(c.size(), 3);
        QVERIFY2(c[1].toInt() >= 2, qPrintable(row));
        QVERIFY2(c[1] == c[2], qPrintable(row));
    }
    // Both forms occur: a list that names the merging registration itself and one that does not.
    QCOMPARE(m_demo->mysql(QStringLiteral(
                 "select count(distinct find_in_set(cislo_prih, sloupartie) > 0)"
                 " from prih where sloupartie <> ''")),
             QStringLiteral("2"));
}

void TestDbSchema::demoCancelledRegistrations()
{
    const QString r = m_demo->mysql(QStringLiteral(
        "select sum(year(zrusena) > 2000), sum(zrusena is null),"
        "       sum(zrusena is not null and year(zrusena) <= 2000), count(*),"
        "       min(rok), max(rok)"
        " from prih"));
    const QStringList c = r.split(QLatin1Char('\t'));
    QCOMPARE(c.size(), 6);
    QVERIFY2(c[0].toInt() > 0, qPrintable(r));
    QVERIFY2(c[1].toInt() > c[0].toInt(), qPrintable(r));
    QCOMPARE(c[0].toInt() + c[1].toInt() + c[2].toInt(), c[3].toInt());
    QVERIFY2(c[4].toInt() <= 2015 && c[5].toInt() >= 2016, qPrintable(r));
    // The company of korvan owns most registrations.
    const QString own = m_demo->mysql(QStringLiteral(
        "select sum(podnik = (select podnik from korvan limit 1)), count(*) from prih"));
    const QStringList o = own.split(QLatin1Char('\t'));
    QVERIFY2(o[0].toInt() * 2 > o[1].toInt(), qPrintable(own));
}

void TestDbSchema::demoPartiecelaFollowsTheRule()
{
    const QString rule = QString::fromLatin1(kPartiecelaRule);
    const QString r = m_demo->mysql(QStringLiteral(
        "select count(*), sum(partiecela <> %1), sum(left(partie, 2) = '55'),"
        "       sum(poradi <> ''), max(length(partie)), min(length(partie))"
        " from vuplan").arg(rule));
    const QStringList c = r.split(QLatin1Char('\t'));
    QCOMPARE(c.size(), 6);
    QVERIFY(c[0].toInt() > 0);
    QCOMPARE(c[1], QStringLiteral("0"));
    // Both branches of the rule and sequence numbers are exercised.
    QVERIFY2(c[2].toInt() > 0, qPrintable(r));
    QVERIFY2(c[3].toInt() > 0, qPrintable(r));
    QCOMPARE(c[4], QStringLiteral("9"));
    QCOMPARE(c[5], QStringLiteral("9"));
    // Some plan lots are registrations of the company (their first seven characters).
    QVERIFY(m_demo->mysql(QStringLiteral(
                "select count(*) from vuplan v join prih p"
                " on p.podnik = v.podnik and concat(right(p.rok, 2), p.cislo_prih) = left(v.partie, 7)"))
                .toInt() > 0);
    // The PP documents use the same rule.
    QCOMPARE(m_demo->mysql(QStringLiteral("select sum(partiecela <> %1) from pp").arg(rule)),
             QStringLiteral("0"));
}

void TestDbSchema::demoDatumtextIsCzechWeekdayAndDate()
{
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    const QStringList rows = m_demo->mysql(QStringLiteral(
        "select datum, datumtext from vuplan order by id"))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(!rows.isEmpty());
    QSet<int> weekdays;
    for (const QString& row : rows) {
        const QStringList c = row.split(QLatin1Char('\t'));
        QCOMPARE(c.size(), 2);
        const QDate d = QDate::fromString(c[0], Qt::ISODate);
        QVERIFY2(d.isValid(), qPrintable(row));
        QCOMPARE(c[1], czech.toString(d, QStringLiteral("dddd d.M.yyyy")));
        weekdays.insert(d.dayOfWeek());
    }
    QCOMPARE(weekdays.size(), 7);
}

void TestDbSchema::demoLabReceiptsMatchRegistrations()
{
    const QString r = m_demo->mysql(QStringLiteral(
        "select count(*),"
        "       sum(exists(select 1 from prih p where p.podnik = l.podnik"
        "           and concat(right(p.rok, 2), p.cislo_prih) = left(l.partie, 7)))"
        " from lab l where l.typ = 'MP'"));
    const QStringList c = r.split(QLatin1Char('\t'));
    QCOMPARE(c.size(), 2);
    QVERIFY(c[0].toInt() > 0);
    QCOMPARE(c[1], c[0]);
    // Receipts of another kind exist too and must not be taken for deliveries.
    QVERIFY(m_demo->mysql(QStringLiteral("select count(*) from lab where typ <> 'MP'")).toInt() > 0);
}

void TestDbSchema::demoCzechTextStoredAsCp1250()
{
    const QString name = m_demo->mysql(QStringLiteral(
        "select nazevstr from strtopc where nazevstr like '%ř%' order by stred limit 1"));
    QVERIFY2(name.contains(QChar(0x0159)), qPrintable(name));
    const QString hex = m_demo->mysql(QStringLiteral(
        "select hex(nazevstr) from strtopc where nazevstr = '%1'").arg(name));
    // ř is F8 in cp1250 (two bytes C599 in UTF-8); one byte per character.
    QVERIFY2(hex.contains(QStringLiteral("F8")), qPrintable(hex));
    QVERIFY2(!hex.contains(QStringLiteral("C599")), qPrintable(hex));
    QCOMPARE(hex.size(), name.size() * 2);
}

void TestDbSchema::cp1250RoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hex");
    QTest::newRow("ř") << QStringLiteral("ř") << "F8";
    QTest::newRow("Ř") << QStringLiteral("Ř") << "D8";
    QTest::newRow("ě š č ž ý á í é") << QStringLiteral("ěščžýáíé") << "EC9AE89EFDE1EDE9";
    QTest::newRow("ů ú ň ť ď") << QStringLiteral("ůúňťď") << "F9FAF29DEF";
    QTest::newRow("capitals") << QStringLiteral("ŠČŽÚŮ") << "8AC88EDAD9";
    QTest::newRow("ASCII and quote") << QStringLiteral("Hulín 'A'") << "48756CED6E20274127";
}

void TestDbSchema::cp1250RoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, hex);
    QString literal = text;
    literal.replace(QLatin1Char('\''), QStringLiteral("''"));
    m_empty->mysql(QStringLiteral("delete from strtopc where stred = '999';"
                                  " insert into strtopc (stred, nazevstr) values ('999', '%1')")
                       .arg(literal));
    QCOMPARE(m_empty->mysql(QStringLiteral("select hex(nazevstr) from strtopc where stred = '999'")), hex);
    QCOMPARE(m_empty->mysql(QStringLiteral("select nazevstr from strtopc where stred = '999'")), text);
    m_empty->mysql(QStringLiteral("delete from strtopc where stred = '999'"));
}

void TestDbSchema::databaseDroppedByDestructor()
{
    QString name;
    {
        TestDatabase db;
        name = db.name();
        QVERIFY(name.startsWith(QStringLiteral("t_")));
        QCOMPARE(m_empty->mysql(QStringLiteral(
                     "select default_character_set_name, default_collation_name"
                     " from information_schema.schemata where schema_name = '%1'").arg(name)),
                 QStringLiteral("cp1250\tcp1250_czech_cs"));
        QCOMPARE(db.mysql(QStringLiteral("select database()")), name);
    }
    QCOMPARE(m_empty->mysql(QStringLiteral(
                 "select count(*) from information_schema.schemata where schema_name = '%1'").arg(name)),
             QStringLiteral("0"));
}

void TestDbSchema::databasesAreDistinct()
{
    TestDatabase a;
    TestDatabase b;
    QVERIFY(a.name() != b.name());
    QVERIFY(a.name() != m_empty->name());
    a.mysql(QStringLiteral("insert into korvan (podnik, zakl_mj) values ('1111', 't')"));
    QCOMPARE(a.mysql(QStringLiteral("select podnik from korvan")), QStringLiteral("1111"));
    QCOMPARE(b.mysql(QStringLiteral("select count(*) from korvan")), QStringLiteral("0"));
    // Several result rows come back one per line, columns separated by tabs.
    a.mysql(QStringLiteral("insert into korvan (podnik, zakl_mj) values ('2222', 'kg')"));
    QCOMPARE(a.mysql(QStringLiteral("select podnik, zakl_mj from korvan order by podnik")),
             QStringLiteral("1111\tt\n2222\tkg"));
}

void TestDbSchema::connectReachesTheSameDatabase()
{
    db::Connection c;
    m_empty->configure(c);
    QCOMPARE(c.host, QStringLiteral("127.0.0.1"));
    QCOMPARE(c.port, TestDatabase::serverPort());
    QCOMPARE(c.database, m_empty->name());
    QCOMPARE(c.user, QStringLiteral("root"));
    QVERIFY(c.password.isEmpty());
    QVERIFY(!c.connected());

    auto conn = m_empty->connect();
    QVERIFY(conn->connected());
    conn->execute(QStringLiteral("insert into historiem (modul, pc) values ('Plán KX', '07')"));
    QCOMPARE(m_empty->mysql(QStringLiteral("select concat(modul, '/', pc) from historiem")),
             QStringLiteral("Plán KX/07"));
    m_empty->mysql(QStringLiteral("delete from historiem"));
}

void TestDbSchema::korvanIni()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    m_empty->writeKorvanIni(dir.path(), QStringLiteral("OPENport=1234\nVerze=2"));
    QFile f(dir.filePath(QStringLiteral("korvan05.ini")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray expected = "[LogON]\r\nIP=127.0.0.1\r\nSQLport="
        + QByteArray::number(TestDatabase::serverPort()) + "\r\nDatabase="
        + m_empty->name().toLatin1() + "\r\nUser=root\r\nPassword=\r\nCisloPC=07\r\n"
        + "OPENport=1234\r\nVerze=2\r\n";
    QCOMPARE(f.readAll(), expected);
}

QTEST_MAIN(TestDbSchema)
#include "tst_db_schema.moc"
