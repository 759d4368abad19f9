// Start-up of the main window as the user sees it: ../korvan05.ini beside the working
// directory, ketrix.ini restored and saved, the session log row, the centre selector, the
// menus, and what the user sees when the port, the server or the log table is wrong.

#include "testdb.h"

#include "app/pripoj.h"
#include "plan/Unit1.h"
#include "platform/cp1250.h"
#include "platform/formstorage.h"
#include "platform/inifile.h"
#include "platform/messagedialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// What a menu shows: entry captions, "-" for a separator, "name: [...]" for a submenu.
QStringList entries(const QMenu* m)
{
    QStringList out;
    for (const QAction* a : m->actions()) {
        if (a->isSeparator())
            out << QStringLiteral("-");
        else if (a->menu())
            out << a->text() + QStringLiteral(": [") + entries(a->menu()).join(QStringLiteral(", ")) + u']';
        else
            out << a->text();
    }
    return out;
}

QAction* action(QMenuBar* bar, const QString& menu, const QString& entry)
{
    for (QAction* top : bar->actions())
        if (top->text() == menu && top->menu())
            for (QAction* a : top->menu()->actions())
                if (a->text() == entry)
                    return a;
    return nullptr;
}


// One start of the program: a folder with korvan05.ini and the working directory "work"
// below it, ketrix.ini in the folder, and the main window shown.
class Spusteni {
public:
    explicit Spusteni(const TestDatabase& t, const QStringList& sqlPortOverride = {})
        : m_previousDir(QDir::currentPath())
    {
        t.writeKorvanIni(m_root.path());
        if (!sqlPortOverride.isEmpty())
            IniFile(korvanIni()).writeString(QStringLiteral("LogON"), QStringLiteral("SQLport"),
                                             sqlPortOverride.first());
        QDir(m_root.path()).mkpath(QStringLiteral("work"));
        QDir::setCurrent(m_root.filePath(QStringLiteral("work")));
        FormStorage::setIniPath(ketrixIni());
    }
    ~Spusteni()
    {
        form.reset();
        QDir::setCurrent(m_previousDir);
        FormStorage::setIniPath(QString());
    }

    QString korvanIni() const { return m_root.filePath(QStringLiteral("korvan05.ini")); }
    QString ketrixIni() const { return m_root.filePath(QStringLiteral("ketrix.ini")); }

    // Shows the window and waits for its start sequence to end, successfully or not.
    bool start(const QStringList& parametry = {})
    {
        form = std::make_unique<TForm1>();
        form->Parametry = parametry;
        form->show();
        return QTest::qWaitFor([this] { return form->startProbehl(); }, 120000);
    }

    std::unique_ptr<TForm1> form;

private:
    QString m_previousDir;
    QTemporaryDir m_root;
};

// The log rows written after the given row id, as "modul|pc|stredisko".
QString logSince(const TestDatabase& t, const QString& lastId)
{
    return t.mysql(QStringLiteral("select concat(modul, '|', pc, '|', stredisko) from historiem where id > %1 "
                                  "order by id")
                       .arg(lastId));
}

QString lastLogId(const TestDatabase& t)
{
    return t.mysql(QStringLiteral("select coalesce(max(id), 0) from historiem"));
}

QStringList centresFromServer(const TestDatabase& t)
{
    return t.mysql(QStringLiteral("select concat(stred, '  ', nazevstr) from strtopc order by stred"))
        .split(u'\n');
}

QStringList comboItems(const QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

class TestDbStart : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startWithDemoData();
    void portNotWholeNumber();
    void serverDown();
    void logTableMissing();
    void commandLineCommit_data();
    void commandLineCommit();
    void windowStateRoundTrip();
    void noWindowStateFile();
};

void TestDbStart::initTestCase()
{
    // the tests close main windows one after another
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestDbStart::init()
{
    // An unexpected box must not wait for a user: a few answers stay pending, and the tests
    // count what was shown.
    MessageDialog::clearNextAnswer();
    for (int i = 0; i < 5; ++i)
        MessageDialog::pushAnswer(MessageDialog::Ok);
    MessageDialog::resetShown();
}

void TestDbStart::cleanup()
{
    MessageDialog::clearNextAnswer();
}

void TestDbStart::startWithDemoData()
{
    TestDatabase t(true);
    Spusteni s(t);
    const QString before = lastLogId(t);
    QVERIFY(s.start());
    TForm1& f = *s.form;

    QCOMPARE(MessageDialog::shownCount(), 0);
    QVERIFY(f.spusteno());
    QCOMPARE(f.windowTitle(), QStringLiteral("Plán úpravy osiva"));
    QCOMPARE(f.CisloPC, QStringLiteral("07"));
    QCOMPARE(f.KodPodniku, t.mysql(QStringLiteral("select podnik from korvan order by id limit 1")));
    QCOMPARE(f.KodStrediska, QStringLiteral("999")); // no ketrix.ini: the window's own value

    // one log row of this start
    QCOMPARE(logSince(t, before), QStringLiteral("Plán KX|07|"));
    // the session of the SQL port: empty mode
    QCOMPARE(f.ZConnection1.port, TestDatabase::serverPort());
    db::Query q(f.ZConnection1);
    q.sql = QStringList{QStringLiteral("select @@session.sql_mode, @@character_set_client")};
    q.open();
    QCOMPARE(q.string(0, 0), QString());
    QCOMPARE(q.string(0, 1), QStringLiteral("cp1250"));

    // the centre selector lists "code  name" of every centre
    QCOMPARE(comboItems(f.suiComboBox1), centresFromServer(t));

    // the main menu and the grid's context menu
    QStringList bar;
    for (const QAction* a : f.menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{"Hlavní nabídka", "Kontrola", "Servis", "Konec"}));
    const QList<QAction*> tops = f.menuBar()->actions();
    QCOMPARE(entries(tops[0]->menu()), (QStringList{"Nový doklad", "Opravit"}));
    QCOMPARE(entries(tops[1]->menu()),
             (QStringList{"Kontrola vážních listů", "Stav skladů", "-", "Smazat VL", "Změna skladu"}));
    QCOMPARE(entries(tops[2]->menu()),
             (QStringList{"Ceník", "Ceník sušení, čištění", "Nastavení", "-", "Smazat nastavení sloupců",
                          "Uložení nastavení sloupců", "Kontrola nové verze"}));
    QCOMPARE(entries(tops[3]->menu()), QStringList{"Opravdu"});
    QVERIFY(action(f.menuBar(), QStringLiteral("Kontrola"), QStringLiteral("Změna skladu"))->isCheckable());
    QCOMPARE(entries(f.suiPopupMenu1),
             (QStringList{"Setřídit podle sloupce", "Setřídit podle sloupce - sestupně", "-",
                          "Hledat doklad v seznamu", "-", "FILTR: [=, <>, >, >=, <, <=]", "FILTR - zobrazit filtr",
                          "FILTR - smazat celý filtr", "FILTR - smazat poslední", "-", "Export do Excelu", "-",
                          "Tisk CMR"}));

    // Konec -> Opravdu closes the window and saves its state
    QAction* opravdu = action(f.menuBar(), QStringLiteral("Konec"), QStringLiteral("Opravdu"));
    QVERIFY(opravdu);
    opravdu->trigger();
    QTRY_VERIFY(!f.isVisible());
    QCOMPARE(MessageDialog::shownCount(), 0);
    const IniFile ini(s.ketrixIni());
    QCOMPARE(ini.readString(QStringLiteral("TForm1"), QStringLiteral("FormVersion")), QStringLiteral("0"));
    QCOMPARE(ini.readString(QStringLiteral("TForm1"), QStringLiteral("Label3_Caption")), QStringLiteral("999"));
}

void TestDbStart::portNotWholeNumber()
{
    TestDatabase t(true);
    Spusteni s(t, {QStringLiteral("33x06")});
    const QString before = lastLogId(t);
    QVERIFY(s.start());
    TForm1& f = *s.form;

    QCOMPARE(MessageDialog::shownCount(), 1);
    QCOMPARE(MessageDialog::lastShown().text, QStringLiteral("'33x06' is not a valid integer value"));
    QCOMPARE(MessageDialog::lastShown().caption, QStringLiteral("Chyba"));
    QVERIFY(!f.spusteno());
    QVERIFY(f.isVisible());
    QCOMPARE(f.suiComboBox1->count(), 0);
    QCOMPARE(logSince(t, before), QString());
}

void TestDbStart::serverDown()
{
    TestDatabase t(true);
    Spusteni s(t, {QString::number(TestDatabase::closedPort())});
    QVERIFY(s.start());
    TForm1& f = *s.form;

    // no message from the connection itself; the first query reports the client's text
    QCOMPARE(MessageDialog::shownCount(), 1);
    QVERIFY2(MessageDialog::lastShown().text.contains(QLatin1String("Can't connect")),
             qPrintable(MessageDialog::lastShown().text));
    QVERIFY(!f.spusteno());
    QVERIFY(f.isVisible());
    QCOMPARE(f.suiComboBox1->count(), 0);
    QVERIFY(!f.ZConnection1.connected());

    // a later command that needs the database tries again and reports the same way
    MessageDialog::resetShown();
    f.suiComboBoxRok->setCurrentIndex(1);
    QCOMPARE(MessageDialog::shownCount(), 1);
    QVERIFY2(MessageDialog::lastShown().text.contains(QLatin1String("Can't connect")),
             qPrintable(MessageDialog::lastShown().text));
    QVERIFY(f.isVisible());
    QVERIFY(!f.ZConnection1.connected());
}

void TestDbStart::logTableMissing()
{
    TestDatabase t(true);
    t.mysql(QStringLiteral("drop table historiem"));
    Spusteni s(t);
    QVERIFY(s.start());
    TForm1& f = *s.form;

    QCOMPARE(MessageDialog::shownCount(), 1);
    QVERIFY2(MessageDialog::lastShown().text.contains(QLatin1String("historiem' doesn't exist")),
             qPrintable(MessageDialog::lastShown().text));
    QVERIFY(!f.spusteno());
    QVERIFY(f.isVisible());
    QCOMPARE(f.suiComboBox1->count(), 0); // the start stopped there
    QVERIFY(f.ZConnection1.connected());
}

void TestDbStart::commandLineCommit_data()
{
    QTest::addColumn<QStringList>("parametry");
    QTest::addColumn<bool>("autoCommit");

    QTest::newRow("none") << QStringList{} << true;
    QTest::newRow("/M") << QStringList{"/M"} << false;
    QTest::newRow("/m") << QStringList{"/m"} << false;
    QTest::newRow("/M as second argument") << QStringList{"/X", "/M"} << true;
    QTest::newRow("/ES") << QStringList{"/ES"} << true;
}

void TestDbStart::commandLineCommit()
{
    QFETCH(QStringList, parametry);
    QFETCH(bool, autoCommit);

    TestDatabase t(true);
    Spusteni s(t);
    const QString before = lastLogId(t);
    QVERIFY(s.start(parametry));
    TForm1& f = *s.form;
    QVERIFY(f.spusteno());

    const QString count = QStringLiteral("select count(*) from strtopc where stred = '199'");
    f.ZConnection1.execute(QStringLiteral("insert into strtopc (stred, nazevstr) values ('199', 'Zkušební')"));
    QCOMPARE(t.mysql(count), autoCommit ? QStringLiteral("1") : QStringLiteral("0"));
    // without automatic commit even the log row of the start waits for a commit
    QCOMPARE(logSince(t, before), autoCommit ? QStringLiteral("Plán KX|07|") : QString());
    f.ZConnection1.commit();
    QCOMPARE(t.mysql(count), QStringLiteral("1"));
    QCOMPARE(logSince(t, before), QStringLiteral("Plán KX|07|"));
}

void TestDbStart::windowStateRoundTrip()
{
    TestDatabase t(true);
    Spusteni s(t);
    {
        IniFile ini(s.ketrixIni());
        ini.writeString(QStringLiteral("TForm1"), QStringLiteral("suiComboBoxRok_ItemIndex"), QStringLiteral("2"));
        ini.writeString(QStringLiteral("TForm1"), QStringLiteral("Label3_Caption"), QStringLiteral("102"));
        ini.writeString(QStringLiteral("TForm1"), QStringLiteral("suiComboBox1_Text"),
                        QStringLiteral("102  Středisko Hulín"));
    }
    QVERIFY(s.start());
    {
        TForm1& f = *s.form;
        QCOMPARE(MessageDialog::shownCount(), 0);
        QVERIFY(f.spusteno());
        QCOMPARE(f.Label3->text(), QStringLiteral("102"));
        QCOMPARE(f.KodStrediska, QStringLiteral("102"));
        QCOMPARE(f.suiComboBoxRok->currentIndex(), 2);
        QCOMPARE(f.suiComboBox1->currentText(), QStringLiteral("102  Středisko Hulín"));
        // the list was built for the restored centre and year
        const QString rok = f.suiComboBoxRok->currentText();
        QCOMPARE(QString::number(f.ZQuery1.recordCount()),
                 t.mysql(QStringLiteral("select count(*) from vuplan where stredisko = '102' and year(datum) = %1")
                             .arg(rok)));

        // close unchanged: the file holds the same values
        f.close();
        QTRY_VERIFY(!f.isVisible());
        const IniFile ini(s.ketrixIni());
        const QString sec = QStringLiteral("TForm1");
        QCOMPARE(ini.readString(sec, QStringLiteral("FormVersion")), QStringLiteral("0"));
        QCOMPARE(ini.readString(sec, QStringLiteral("suiComboBoxRok_ItemIndex")), QStringLiteral("2"));
        QCOMPARE(ini.readString(sec, QStringLiteral("Label3_Caption")), QStringLiteral("102"));
        QCOMPARE(ini.readString(sec, QStringLiteral("suiComboBox1_Text")), QStringLiteral("102  Středisko Hulín"));
    }

    // the next run picks another centre and year; the run after it starts with them
    QVERIFY(s.start());
    {
        TForm1& f = *s.form;
        f.suiComboBoxRok->setCurrentIndex(3);
        f.suiComboBox1->setCurrentIndex(f.suiComboBox1->findText(QStringLiteral("103  Úpravna Přerov")));
        QCOMPARE(f.KodStrediska, QStringLiteral("103"));
        QCOMPARE(f.Label3->text(), QStringLiteral("103"));
        f.close();
        QTRY_VERIFY(!f.isVisible());
    }
    QFile file(s.ketrixIni());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("\r\nsuiComboBox1_Text=103  \xdapravna P\xf8" "erov\r\n")); // cp1250, CR LF
    QCOMPARE(bytes.count("[TForm1]"), 1);
    QVERIFY(s.start());
    QCOMPARE(s.form->suiComboBoxRok->currentIndex(), 3);
    QCOMPARE(s.form->KodStrediska, QStringLiteral("103"));
    QCOMPARE(s.form->suiComboBox1->currentText(), QStringLiteral("103  Úpravna Přerov"));
    QCOMPARE(MessageDialog::shownCount(), 0);
}

void TestDbStart::noWindowStateFile()
{
    // no ketrix.ini: the window's own values, the centre "999" lists nothing
    TestDatabase t(true);
    Spusteni s(t);
    QVERIFY(!QFile::exists(s.ketrixIni()));
    QVERIFY(s.start());
    QVERIFY(s.form->spusteno());
    QCOMPARE(s.form->suiComboBoxRok->currentIndex(), 0);
    QCOMPARE(s.form->Label3->text(), QStringLiteral("999"));
    QCOMPARE(s.form->ZQuery1.recordCount(), 0);
    QVERIFY(!QFile::exists(s.ketrixIni())); // written only when the window closes
}

QTEST_MAIN(TestDbStart)
#include "tst_db_start.moc"
