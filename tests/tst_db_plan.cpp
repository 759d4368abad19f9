// The main window's plan list and day-total calendars against a real database.

#include "plan/Unit1.h"
#include "plan/planmodel.h"
#include "plan/sloupce.h"
#include "platform/cp1250.h"
#include "platform/formstorage.h"
#include "platform/guard.h"
#include "platform/monthview.h"
#include "testdb.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A small plan with known day totals: centre 101 has 40 t on 4 Jan 2016 (two lots),
// 40.5 t on 5 Jan, 3 t on 6 Jan and 7 t on 31 Dec 2015.
const char* kData = R"(
INSERT INTO korvan (podnik, zakl_mj) VALUES ('0123', 't');
INSERT INTO strtopc (stred, nazevstr) VALUES ('101', 'Úpravna Kroměříž'), ('102', 'Středisko Hulín'),
  ('a''b', 'Sklad s apostrofem');
INSERT INTO vuplan (datum, datumtext, stredisko, partie, podnik, partiecela, nazevosiva, naz_dru, mj, hmotnostpp, cislodokla) VALUES
 ('2016-01-04', 'pondělí 4.1.2016', '101', '160001200', '0123', '16-0123-00012-00', 'pšenice ozimá', 'pšenice', 't', 25, '1'),
 ('2016-01-04', 'pondělí 4.1.2016', '101', '160001300', '0123', '16-0123-00013-00', 'ječmen jarní', 'ječmen', 't', 15, '1'),
 ('2016-01-05', 'úterý 5.1.2016', '101', '160001400', '0123', '16-0123-00014-00', 'řepka', 'řepka', 't', 40.5, '2'),
 ('2016-01-06', 'středa 6.1.2016', '101', '160001500', '0123', '16-0123-00015-00', 'oves', 'oves', 't', 3, '3'),
 ('2015-12-31', 'čtvrtek 31.12.2015', '101', '150001600', '0123', '15-0123-00016-00', 'žito', 'žito', 't', 7, '4'),
 ('2016-01-04', 'pondělí 4.1.2016', '102', '160001700', '0123', '16-0123-00017-00', 'hrách', 'hrách', 't', 12, '5'),
 ('2016-01-07', 'čtvrtek 7.1.2016', 'a''b', '160001800', '0123', '16-0123-00018-00', 'tritikale', 'tritikale', 't', 9, '6');
)";

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray crlf(const QStringList& lines)
{
    QByteArray out;
    for (const QString& l : lines)
        out += cp1250::fromUnicode(l) + "\r\n";
    return out;
}

// Number of pixels of exactly this colour in a rectangle of an image.
int pixels(const QImage& img, const QRect& r, QColor c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixelColor(x, y) == c)
                ++n;
    return n;
}

} // namespace

class TestPlan : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    QString oldCwd;
    std::unique_ptr<TForm1> form;

    QString work() const { return dir->filePath("work"); }

    void writeKetrixIni(const QString& centre, const QString& text, int year = 0)
    {
        QFile f(dir->filePath("ketrix.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(crlf({"[TForm1]", "FormVersion=0", "suiComboBoxRok_ItemIndex=" + QString::number(year),
                      "Label3_Caption=" + centre, "suiComboBox1_Text=" + text}));
    }

    void start()
    {
        form = std::make_unique<TForm1>();
        form->show();
        QTRY_VERIFY_WITH_TIMEOUT(form->startProbehl(), 20000);
    }

    void showMonths(QDate upper)
    {
        form->JvTFMonths1->setDisplayDate(upper);
        form->JvTFMonths2->setDisplayDate(MonthView::shiftMonth(upper, 1));
    }

    int columnOf(const QString& field) const
    {
        const auto& s = form->DataSource1->sloupce();
        for (int i = 0; i < s.size(); ++i)
            if (s[i].pole == field)
                return i;
        return -1;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    }

    void init()
    {
        MessageDialog::clearNextAnswer();
        MessageDialog::resetShown();
        db = std::make_unique<TestDatabase>();
        db->mysql(QString::fromUtf8(kData));
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(dir->path()).mkdir("work"));
        db->writeKorvanIni(dir->path());
        oldCwd = QDir::currentPath();
        QDir::setCurrent(work());
        FormStorage::setIniPath(dir->filePath("ketrix.ini"));
        writeKetrixIni("101", QStringLiteral("101  Úpravna Kroměříž"));
    }

    void cleanup()
    {
        form.reset();
        QDir::setCurrent(oldCwd);
        dir.reset();
        db.reset();
        QCOMPARE(MessageDialog::pendingAnswers(), 0);
        MessageDialog::clearNextAnswer();
    }

    void startShowsCentrePlan()
    {
        start();
        QVERIFY(form->spusteno());
        QCOMPARE(MessageDialog::shownCount(), 0);
        QCOMPARE(form->KodPodniku, QStringLiteral("0123"));
        QCOMPARE(form->KodStrediska, QStringLiteral("101"));
        QCOMPARE(form->suiComboBox1->count(), 3);
        QCOMPARE(form->suiComboBox1->itemText(0), QStringLiteral("101  Úpravna Kroměříž"));
        QCOMPARE(form->suiComboBox1->currentText(), QStringLiteral("101  Úpravna Kroměříž"));
        QCOMPARE(form->DataSource1->rowCount(), 5);
        // newest day first; the list stands on the earliest day
        QCOMPARE(form->ZQuery1.date(0, form->ZQuery1.fieldIndex("datum")), QDate(2016, 1, 6));
        QCOMPARE(form->ZQuery1.asDate("datum"), QDate(2015, 12, 31));
        QCOMPARE(form->suiDBGrid1->currentIndex().row(), form->ZQuery1.recNo());
        QCOMPARE(form->ZQuery1den.asDate("datum"), QDate(2015, 12, 31));
        // default columns and titles
        QCOMPARE(form->DataSource1->columnCount(), 11);
        QCOMPARE(form->DataSource1->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("   Partie"));
        QCOMPARE(form->DataSource1->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("nazevosiva"));
        QCOMPARE(form->suiDBGrid1->horizontalHeader()->sectionSize(2), 240);
        QCOMPARE(form->suiPanel1Caption->text(), QString());
        const int hm = columnOf("HMOTNOSTPP");
        QCOMPARE(form->DataSource1->index(1, hm).data().toString(), QStringLiteral("40,5"));
    }

    void statementTexts_data()
    {
        QTest::addColumn<QString>("filtr");
        QTest::addColumn<QString>("rok");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("days");
        QTest::newRow("Vše") << QString() << QString() << 5 << 4;
        QTest::newRow("2016") << QString() << QStringLiteral("2016") << 4 << 3;
        QTest::newRow("filter") << QStringLiteral("where hmotnostpp > 10") << QString() << 3 << 2;
        QTest::newRow("filter 2015") << QStringLiteral("where hmotnostpp > 5") << QStringLiteral("2015") << 1 << 1;
    }
    void statementTexts()
    {
        QFETCH(QString, filtr);
        QFETCH(QString, rok);
        QFETCH(int, rows);
        QFETCH(int, days);
        start();
        form->FiltrWhere = filtr;
        form->FiltrText = QStringLiteral("Množství > 10");
        {
            const QSignalBlocker b(form->suiComboBoxRok);
            form->suiComboBoxRok->setCurrentIndex(rok.isEmpty() ? 0 : form->suiComboBoxRok->findText(rok));
        }
        QFile::remove("a.txt");
        form->UdelejSQL();
        QStringList expected{"select * from vuplan", filtr,
                             (filtr.isEmpty() ? " where" : " AND") + QStringLiteral(" stredisko='101'")};
        if (!rok.isEmpty())
            expected << " AND year(datum) = '" + rok + "'";
        expected << "order by datum DESC";
        QCOMPARE(readFile("a.txt"), crlf(expected));
        QCOMPARE(form->DataSource1->rowCount(), rows);
        QCOMPARE(form->ZQuery1den.recordCount(), days);
        // the same statement through the command-line client
        const QString cli = db->mysql(expected.join(' ')).trimmed();
        QCOMPARE(int(cli.split('\n', Qt::SkipEmptyParts).size()), rows);
        QCOMPARE(form->suiPanel1Caption->text(),
                 filtr.isEmpty() ? QString() : QStringLiteral(" filtr: Množství > 10"));
    }

    void yearSelectorRebuilds()
    {
        start();
        form->suiComboBoxRok->setCurrentIndex(form->suiComboBoxRok->findText("2015"));
        QCOMPARE(form->DataSource1->rowCount(), 1);
        QVERIFY(readFile("a.txt").contains(" AND year(datum) = '2015'"));
        form->suiComboBoxRok->setCurrentIndex(0);
        QCOMPARE(form->DataSource1->rowCount(), 5);
    }

    void centreWithQuote()
    {
        start();
        form->suiComboBox1->setEditText(QStringLiteral("a'b  Sklad s apostrofem"));
        QCOMPARE(form->KodStrediska, QStringLiteral("a'b"));
        QCOMPARE(form->Label3->text(), QStringLiteral("a'b"));
        QCOMPARE(MessageDialog::shownCount(), 0);
        QCOMPARE(form->DataSource1->rowCount(), 1);
        QVERIFY(readFile("a.txt").contains(" where stredisko='a''b'"));
    }

    void shortCentreKeepsPrevious()
    {
        start();
        form->suiComboBox1->setEditText(QStringLiteral("102  Středisko Hulín"));
        QCOMPARE(form->KodStrediska, QStringLiteral("102"));
        QFile::remove("a.txt");
        form->suiComboBox1->setEditText(QStringLiteral("12"));
        QCOMPARE(form->KodStrediska, QStringLiteral("102"));
        QCOMPARE(form->Label3->text(), QStringLiteral("102"));
        QVERIFY(QFile::exists("a.txt")); // rebuilt all the same
        QCOMPARE(form->DataSource1->rowCount(), 1);
    }

    void sortSurvivesCentreChange()
    {
        start();
        const int col = columnOf("PARTIECELA");
        form->suiDBGrid1->setCurrentIndex(form->DataSource1->index(0, col));
        form->findChild<QAction*>("Setriditpodlesloupcesestupne1")->trigger();
        QCOMPARE(form->Razeni, QStringLiteral("order by PARTIECELA DESC"));
        QStringList seen;
        for (int r = 0; r < form->DataSource1->rowCount(); ++r)
            seen << form->DataSource1->index(r, col).data().toString();
        QStringList sorted = seen;
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        QCOMPARE(seen, sorted);
        form->suiComboBox1->setEditText(QStringLiteral("102  Středisko Hulín"));
        QVERIFY(readFile("a.txt").endsWith("order by PARTIECELA DESC\r\n"));
        form->findChild<QAction*>("Setriditpodlesloupce1")->trigger();
        QCOMPARE(form->Razeni, QStringLiteral("order by PARTIECELA"));
        // not kept between runs
        form->close();
        form.reset();
        start();
        QCOMPARE(form->Razeni, QStringLiteral("order by datum DESC"));
        QVERIFY(readFile("a.txt").endsWith("order by datum DESC\r\n"));
    }

    void highlightStaysWhileCalendarsPaint()
    {
        start();
        const int datum = form->ZQuery1.fieldIndex("datum");
        auto green = [&](int row) {
            return form->DataSource1->index(row, 2).data(Qt::BackgroundRole).value<QColor>() == PlanModel::barvaDne();
        };
        for (int r = 0; r < form->DataSource1->rowCount(); ++r)
            QCOMPARE(green(r), form->ZQuery1.date(r, datum) == QDate(2015, 12, 31));
        // calendars drawing days with totals must not move the highlighted day
        showMonths(QDate(2016, 1, 3));
        form->JvTFMonths1->grab();
        form->JvTFMonths2->grab();
        QCOMPARE(form->ZQuery1den.asDate("datum"), QDate(2015, 12, 31));
        for (int r = 0; r < form->DataSource1->rowCount(); ++r)
            QCOMPARE(green(r), form->ZQuery1.date(r, datum) == QDate(2015, 12, 31));
        // the painted grid: the highlighted row's unselected cell is green, another row's is not
        const int hl = form->ZQuery1.recNo();
        const int other = hl == 0 ? 1 : 0;
        form->suiDBGrid1->setCurrentIndex(form->DataSource1->index(hl, 0));
        const QImage img = form->suiDBGrid1->viewport()->grab().toImage();
        const QRect cellHl = form->suiDBGrid1->visualRect(form->DataSource1->index(hl, 2));
        const QRect cellOther = form->suiDBGrid1->visualRect(form->DataSource1->index(other, 2));
        QVERIFY(!cellHl.isEmpty() && !cellOther.isEmpty());
        QCOMPARE(img.pixelColor(cellHl.right() - 2, cellHl.center().y()), PlanModel::barvaDne());
        QCOMPARE(img.pixelColor(cellOther.right() - 2, cellOther.center().y()), PlanModel::barvaPozadi());
    }

    void calendarFigures()
    {
        start();
        showMonths(QDate(2016, 1, 3));
        const QImage img = form->JvTFMonths1->grab().toImage();
        const QColor red(255, 0, 0), blue(0, 0, 255);
        const QRect d40 = form->JvTFMonths1->bodyRect(QDate(2016, 1, 4));
        const QRect d405 = form->JvTFMonths1->bodyRect(QDate(2016, 1, 5));
        const QRect empty = form->JvTFMonths1->bodyRect(QDate(2016, 1, 8));
        const QRect prevMonth = form->JvTFMonths1->bodyRect(QDate(2015, 12, 31));
        QVERIFY(pixels(img, d40, blue) > 10);
        QCOMPARE(pixels(img, d40, red), 0);
        QVERIFY(pixels(img, d405, red) > 10);
        QCOMPARE(pixels(img, d405, blue), 0);
        QCOMPARE(pixels(img, empty, red) + pixels(img, empty, blue), 0);
        QVERIFY(pixels(img, prevMonth, blue) > 5); // neighbouring month's days carry figures too
        QCOMPARE(TForm1::textCelkem(40.5), QStringLiteral("40,5"));
        QCOMPARE(TForm1::textCelkem(40), QStringLiteral("40"));
        // year 2015 selected: the January 2016 calendar has no figures
        form->suiComboBoxRok->setCurrentIndex(form->suiComboBoxRok->findText("2015"));
        const QImage img2 = form->JvTFMonths1->grab().toImage();
        QCOMPARE(pixels(img2, d40, blue) + pixels(img2, d405, red), 0);
    }

    void monthButtons()
    {
        start();
        showMonths(QDate(2016, 12, 3));
        QTest::mouseClick(form->suiButton2, Qt::LeftButton);
        QCOMPARE(form->JvTFMonths1->displayDate(), QDate(2017, 1, 3));
        QCOMPARE(form->JvTFMonths2->displayDate(), QDate(2017, 2, 3));
        QTest::mouseClick(form->suiButton4, Qt::LeftButton);
        QTest::mouseClick(form->suiButton4, Qt::LeftButton);
        QCOMPARE(form->JvTFMonths1->displayDate(), QDate(2016, 11, 3));
        QCOMPARE(form->JvTFMonths2->displayDate(), QDate(2016, 12, 3));
    }

    void calendarsStartAtCurrentMonth()
    {
        start();
        const QDate today = QDate::currentDate();
        QCOMPARE(form->JvTFMonths1->month(), today.month());
        QCOMPARE(form->JvTFMonths1->year(), today.year());
        QCOMPARE(form->JvTFMonths2->displayDate(), MonthView::shiftMonth(form->JvTFMonths1->displayDate(), 1));
        QCOMPARE(form->suiComboBoxRok->itemText(1), QString::number(today.year() + 1));
        QCOMPARE(form->suiComboBoxRok->itemText(form->suiComboBoxRok->count() - 1), QStringLiteral("2014"));
    }

    void dayClickMessage()
    {
        start();
        showMonths(QDate(2016, 1, 3));
        MessageDialog::setNextAnswer(1);
        QTest::mouseClick(form->JvTFMonths1, Qt::LeftButton, {},
                          form->JvTFMonths1->cellRect(QDate(2016, 1, 4)).center());
        QCOMPARE(MessageDialog::shownCount(), 1);
        QCOMPARE(MessageDialog::lastShown().caption, QStringLiteral("Warning"));
        QCOMPARE(MessageDialog::lastShown().text, QStringLiteral("4.1.2016"));
        QCOMPARE(MessageDialog::lastShown().icon, MessageDialog::Icon::Warning);
        // right button, the lower calendar and the month title show nothing
        QTest::mouseClick(form->JvTFMonths1, Qt::RightButton, {},
                          form->JvTFMonths1->cellRect(QDate(2016, 1, 4)).center());
        QTest::mouseClick(form->JvTFMonths2, Qt::LeftButton, {},
                          form->JvTFMonths2->cellRect(QDate(2016, 2, 4)).center());
        QTest::mouseClick(form->JvTFMonths1, Qt::LeftButton, {}, QPoint(form->JvTFMonths1->width() / 2, 5));
        QCOMPARE(MessageDialog::shownCount(), 1);
    }

    void rejectedFilter()
    {
        start();
        form->FiltrWhere = QStringLiteral("where nonexistent_column = 1");
        form->FiltrText = QStringLiteral("x");
        MessageDialog::setNextAnswer(1);
        QVERIFY(!runGuarded(form.get(), [&] { form->UdelejSQL(); }));
        QVERIFY(MessageDialog::lastShown().text.contains("nonexistent_column"));
        QCOMPARE(MessageDialog::lastShown().caption, QStringLiteral("Chyba"));
        QCOMPARE(form->DataSource1->rowCount(), 0);
        form->JvTFMonths1->grab(); // painting an empty selection is harmless
        form->FiltrWhere.clear();
        form->UdelejSQL();
        QCOMPARE(form->DataSource1->rowCount(), 5);
    }

    void layoutFileRoundTrip()
    {
        start();
        QHeaderView* h = form->suiDBGrid1->horizontalHeader();
        h->resizeSection(2, 123);
        h->moveSection(h->visualIndex(3), 0);
        h->setSectionHidden(5, true);
        const QList<SloupecGridu> arranged = form->sloupceGridu();
        QCOMPARE(arranged.first().pole, QStringLiteral("HMOTNOSTPP"));
        form->UdelejSQL(); // a rebuild keeps the arrangement
        QCOMPARE(form->sloupceGridu(), arranged);
        form->findChild<QAction*>("Uloennastavensloupc1")->trigger();
        QVERIFY(QFile::exists("planhla.slo"));
        form->close();
        form.reset();
        start();
        QCOMPARE(form->sloupceGridu(), arranged);
        QCOMPARE(form->DataSource1->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Množství"));
        QVERIFY(form->suiDBGrid1->horizontalHeader()->isSectionHidden(5));

        // "Smazat nastavení sloupců" ends the program and the layout files go with the window
        QFile other("plprih.slo");
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        form->findChild<QAction*>("Smazatnastavensloupc1")->trigger();
        QVERIFY(form->SmazatSloupce);
        QVERIFY(!form->isVisible());
        QVERIFY(QFile::exists("planhla.slo"));
        form.reset();
        QVERIFY(!QFile::exists("planhla.slo"));
        QVERIFY(!QFile::exists("plprih.slo"));
        start();
        QCOMPARE(form->sloupceGridu().first().pole, QStringLiteral("DATUM"));
    }

    void brokenLayoutFile()
    {
        QFile f("planhla.slo");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("object suiDBGrid1: TsuiDBGrid\r\n");
        f.close();
        MessageDialog::setNextAnswer(1);
        start();
        QCOMPARE(MessageDialog::shownCount(), 1);
        QVERIFY(MessageDialog::lastShown().text.contains("planhla.slo") ||
                MessageDialog::lastShown().text.contains("Nastavení sloupců"));
        QCOMPARE(form->DataSource1->columnCount(), 11);
        QCOMPARE(form->DataSource1->rowCount(), 5); // the list was built before
    }
};

QTEST_MAIN(TestPlan)
#include "tst_db_plan.moc"
