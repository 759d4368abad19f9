// The window-state store: section = class name, key = component name + "_" + property,
// restored before the window is shown, saved when it closes.

#include "platform/formstorage.h"
#include "platform/inifile.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace {

const QStringList kProps{QStringLiteral("suiComboBoxRok.ItemIndex"), QStringLiteral("Label3.Caption"),
                         QStringLiteral("suiComboBox1.Text")};

// A window with the three kinds of component the main window keeps.
struct Okno {
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    QComboBox* rok = new QComboBox(form.get());
    QLabel* label = new QLabel(QStringLiteral("999"), form.get());
    QComboBox* stredisko = new QComboBox(form.get());

    Okno()
    {
        form->setObjectName(QStringLiteral("Form1"));
        rok->setObjectName(QStringLiteral("suiComboBoxRok"));
        rok->addItems({QStringLiteral("Vše"), QStringLiteral("2026"), QStringLiteral("2025"), QStringLiteral("2024")});
        rok->setCurrentIndex(0);
        label->setObjectName(QStringLiteral("Label3"));
        stredisko->setObjectName(QStringLiteral("suiComboBox1"));
        stredisko->setEditable(true);
        stredisko->setInsertPolicy(QComboBox::NoInsert);
        stredisko->addItems({QStringLiteral("101  Úpravna Kroměříž"), QStringLiteral("102  Středisko Hulín")});
        stredisko->setCurrentIndex(-1);
        stredisko->setEditText(QStringLiteral("suiComboBox1"));
    }
};

} // namespace

class TestFormStorage : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveAndRestore_data();
    void saveAndRestore();
    void fileLayout();
    void missingFileLeavesValues();
    void missingKeyLeavesValue();
    void restoreFiresNoSignals();
    void indexOutOfRangeIgnored();
    void otherSectionsKept();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_ini;
};

void TestFormStorage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_ini = m_dir->filePath(QStringLiteral("ketrix.ini"));
    FormStorage::setIniPath(m_ini);
}

void TestFormStorage::cleanup()
{
    FormStorage::setIniPath(QString());
    m_dir.reset();
}

void TestFormStorage::saveAndRestore_data()
{
    QTest::addColumn<int>("rok");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("entry of the list") << 2 << "102" << QStringLiteral("102  Středisko Hulín");
    QTest::newRow("first year entry") << 0 << "101" << QStringLiteral("101  Úpravna Kroměříž");
    QTest::newRow("text not in the list") << 3 << "777" << QStringLiteral("777  Neznámé");
    QTest::newRow("empty texts") << 1 << "" << "";
}

void TestFormStorage::saveAndRestore()
{
    QFETCH(int, rok);
    QFETCH(QString, label);
    QFETCH(QString, text);

    {
        Okno a;
        a.rok->setCurrentIndex(rok);
        a.label->setText(label);
        a.stredisko->setEditText(text);
        FormStorage(a.form.get(), QStringLiteral("TForm1"), kProps).save();
    }
    Okno b;
    FormStorage(b.form.get(), QStringLiteral("TForm1"), kProps).restore();
    QCOMPARE(b.rok->currentIndex(), rok);
    QCOMPARE(b.label->text(), label);
    QCOMPARE(b.stredisko->currentText(), text);
}

void TestFormStorage::fileLayout()
{
    Okno a;
    a.rok->setCurrentIndex(2);
    a.label->setText(QStringLiteral("102"));
    a.stredisko->setEditText(QStringLiteral("102  Středisko Hulín"));
    FormStorage(a.form.get(), QStringLiteral("TForm1"), kProps).save();

    QFile f(m_ini);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes, QByteArray("[TForm1]\r\n"
                               "FormVersion=0\r\n"
                               "suiComboBoxRok_ItemIndex=2\r\n"
                               "Label3_Caption=102\r\n"
                               "suiComboBox1_Text=102  St\xf8" "edisko Hul\xedn\r\n"));

    // saving again updates the keys instead of adding lines
    a.rok->setCurrentIndex(3);
    FormStorage(a.form.get(), QStringLiteral("TForm1"), kProps).save();
    const IniFile ini(m_ini);
    QCOMPARE(ini.sectionKeys(QStringLiteral("TForm1")).size(), 4);
    QCOMPARE(ini.readString(QStringLiteral("TForm1"), QStringLiteral("suiComboBoxRok_ItemIndex")),
             QStringLiteral("3"));
}

void TestFormStorage::missingFileLeavesValues()
{
    QVERIFY(!QFile::exists(m_ini));
    Okno b;
    b.rok->setCurrentIndex(1);
    FormStorage(b.form.get(), QStringLiteral("TForm1"), kProps).restore();
    QCOMPARE(b.rok->currentIndex(), 1);
    QCOMPARE(b.label->text(), QStringLiteral("999"));
    QCOMPARE(b.stredisko->currentText(), QStringLiteral("suiComboBox1"));
    QVERIFY(!QFile::exists(m_ini)); // restoring creates nothing
}

void TestFormStorage::missingKeyLeavesValue()
{
    IniFile ini(m_ini);
    ini.writeString(QStringLiteral("TForm1"), QStringLiteral("Label3_Caption"), QStringLiteral("104"));
    // a section of another window with the same keys does not count
    ini.writeString(QStringLiteral("TFprih"), QStringLiteral("suiComboBoxRok_ItemIndex"), QStringLiteral("3"));

    Okno b;
    FormStorage(b.form.get(), QStringLiteral("TForm1"), kProps).restore();
    QCOMPARE(b.label->text(), QStringLiteral("104"));
    QCOMPARE(b.rok->currentIndex(), 0);
    QCOMPARE(b.stredisko->currentText(), QStringLiteral("suiComboBox1"));
}

void TestFormStorage::restoreFiresNoSignals()
{
    IniFile ini(m_ini);
    ini.writeString(QStringLiteral("TForm1"), QStringLiteral("suiComboBoxRok_ItemIndex"), QStringLiteral("2"));
    ini.writeString(QStringLiteral("TForm1"), QStringLiteral("Label3_Caption"), QStringLiteral("102"));
    ini.writeString(QStringLiteral("TForm1"), QStringLiteral("suiComboBox1_Text"),
                    QStringLiteral("102  Středisko Hulín"));

    Okno b;
    QSignalSpy rokIndex(b.rok, &QComboBox::currentIndexChanged);
    QSignalSpy rokText(b.rok, &QComboBox::currentTextChanged);
    QSignalSpy strText(b.stredisko, &QComboBox::currentTextChanged);
    QSignalSpy strEdit(b.stredisko, &QComboBox::editTextChanged);
    QSignalSpy strIndex(b.stredisko, &QComboBox::currentIndexChanged);
    FormStorage(b.form.get(), QStringLiteral("TForm1"), kProps).restore();

    // the values did change ...
    QCOMPARE(b.rok->currentIndex(), 2);
    QCOMPARE(b.stredisko->currentText(), QStringLiteral("102  Středisko Hulín"));
    // ... without a change handler running
    QCOMPARE(rokIndex.count(), 0);
    QCOMPARE(rokText.count(), 0);
    QCOMPARE(strText.count(), 0);
    QCOMPARE(strEdit.count(), 0);
    QCOMPARE(strIndex.count(), 0);
}

void TestFormStorage::indexOutOfRangeIgnored()
{
    IniFile ini(m_ini);
    ini.writeString(QStringLiteral("TForm1"), QStringLiteral("suiComboBoxRok_ItemIndex"), QStringLiteral("9"));
    Okno b;
    b.rok->setCurrentIndex(1);
    FormStorage(b.form.get(), QStringLiteral("TForm1"), kProps).restore();
    QCOMPARE(b.rok->currentIndex(), 1);
}

void TestFormStorage::otherSectionsKept()
{
    {
        QFile f(m_ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Seznam]\r\nDatum=1.2.2025\r\nCas=8:15:00\r\n\r\n[TFprih]\r\nsuiSpinEdit1_Value=2025\r\n");
    }
    Okno a;
    FormStorage(a.form.get(), QStringLiteral("TForm1"), kProps).save();
    const IniFile ini(m_ini);
    QCOMPARE(ini.readString(QStringLiteral("Seznam"), QStringLiteral("Datum")), QStringLiteral("1.2.2025"));
    QCOMPARE(ini.readString(QStringLiteral("Seznam"), QStringLiteral("Cas")), QStringLiteral("8:15:00"));
    QCOMPARE(ini.readString(QStringLiteral("TFprih"), QStringLiteral("suiSpinEdit1_Value")), QStringLiteral("2025"));
    QCOMPARE(ini.readString(QStringLiteral("TForm1"), QStringLiteral("FormVersion")), QStringLiteral("0"));
    QCOMPARE(ini.readString(QStringLiteral("TForm1"), QStringLiteral("Label3_Caption")), QStringLiteral("999"));
}

QTEST_MAIN(TestFormStorage)
#include "tst_formstorage.moc"
