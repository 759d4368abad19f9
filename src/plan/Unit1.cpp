#include "Unit1.h"

#include "app/konfigurace.h"
#include "app/pripoj.h"
#include "plan/planmodel.h"
#include "plan/plansql.h"
#include "platform/guard.h"
#include "platform/monthview.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char kSouborSloupcu[] = "planhla.slo";
const char kSouborSloupcuPrihlasek[] = "plprih.slo";

QFont tahoma(int pt, bool bold = false)
{
    QFont f(QStringLiteral("Tahoma"), pt);
    f.setBold(bold);
    return f;
}

// The focused cell is green, the other selected cells yellow.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(o, index);
        if (o->state & QStyle::State_HasFocus && o->state & QStyle::State_Selected) {
            o->palette.setColor(QPalette::Highlight, QColor(0, 128, 0));
            o->palette.setColor(QPalette::HighlightedText, Qt::white);
        }
        o->state &= ~QStyle::State_HasFocus; // no focus frame over the colours
    }
};

QPushButton* tlacitko(QWidget* parent, const char* name, const QString& text, const QString& accessible)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(accessible);
    b->setFont(tahoma(10));
    b->resize(110, 48);
    return b;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent),
      ZQuery1(ZConnection1),
      ZQuery1den(ZConnection1),
      ZQuery2(ZConnection1),
      ZQueryStred(ZConnection1),
      ZSQLProcessor1(ZConnection1),
      m_storage(this, QStringLiteral("TForm1"),
                {QStringLiteral("suiComboBoxRok.ItemIndex"), QStringLiteral("Label3.Caption"),
                 QStringLiteral("suiComboBox1.Text")})
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Plán úpravy osiva"));
    setFont(tahoma(8));
    Parametry = QCoreApplication::arguments().mid(1);

    dotaz.caption = QStringLiteral("Plán výroby");

    vytvorPanely();
    vytvorMenu();
    resize(1247, 674 + 23);
}

TForm1::~TForm1()
{
    if (SmazatSloupce) {
        QFile::remove(QLatin1String(kSouborSloupcu));
        QFile::remove(QLatin1String(kSouborSloupcuPrihlasek));
    }
}

void TForm1::vytvorPanely()
{
    auto* central = new QWidget(this);
    auto* sloupec = new QVBoxLayout(central);
    sloupec->setContentsMargins(0, 0, 0, 0);
    sloupec->setSpacing(0);
    auto* horni = new QHBoxLayout;
    horni->setSpacing(0);
    sloupec->addLayout(horni, 1);

    // the plan list
    suiPanel1 = new QWidget(central);
    suiPanel1->setObjectName(QStringLiteral("suiPanel1"));
    suiPanel1->setAutoFillBackground(true);
    suiPanel1->setPalette(QPalette(Qt::white));
    auto* p1 = new QVBoxLayout(suiPanel1);
    p1->setContentsMargins(0, 0, 0, 0);
    p1->setSpacing(0);
    suiPanel1Caption = new QLabel(suiPanel1);
    suiPanel1Caption->setObjectName(QStringLiteral("suiPanel1Caption"));
    suiPanel1Caption->setFont(tahoma(10, true));
    suiPanel1Caption->setAlignment(Qt::AlignCenter);
    suiPanel1Caption->setMinimumHeight(20);
    p1->addWidget(suiPanel1Caption);

    suiDBGrid1 = new QTableView(suiPanel1);
    suiDBGrid1->setObjectName(QStringLiteral("suiDBGrid1"));
    suiDBGrid1->setAccessibleName(QStringLiteral("Plán"));
    suiDBGrid1->setFont(tahoma(12));
    suiDBGrid1->horizontalHeader()->setFont(tahoma(10));
    suiDBGrid1->setFrameShape(QFrame::NoFrame);
    suiDBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    suiDBGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    suiDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    suiDBGrid1->setTabKeyNavigation(true);
    suiDBGrid1->setWordWrap(false);
    suiDBGrid1->setItemDelegate(new GridDelegate(suiDBGrid1));
    suiDBGrid1->horizontalHeader()->setSectionsMovable(true);
    suiDBGrid1->horizontalHeader()->setHighlightSections(false);
    suiDBGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(tahoma(12)).height() + 4);
    suiDBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    suiDBGrid1->verticalHeader()->setFixedWidth(14);
    QPalette gp = suiDBGrid1->palette();
    gp.setColor(QPalette::Base, PlanModel::barvaPozadi());
    gp.setColor(QPalette::Window, PlanModel::barvaPozadi());
    gp.setColor(QPalette::Highlight, QColor(255, 255, 0));
    gp.setColor(QPalette::HighlightedText, Qt::black);
    suiDBGrid1->setPalette(gp);
    suiDBGrid1->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: rgb(198,211,239); border: 1px solid #8c96b4;"
        " border-top: none; border-left: none; padding: 1px 3px; }"
        " QTableCornerButton::section { background-color: rgb(198,211,239); border: none; }"));
    DataSource1 = new PlanModel(ZQuery1, this);
    DataSource1->zvyraznenyDen = [this]() -> QByteArray {
        if (!ZQuery1den.active() || ZQuery1den.recNo() < 0)
            return {};
        const int f = ZQuery1den.fieldIndex("datum");
        return f < 0 ? QByteArray() : ZQuery1den.rows().raw(ZQuery1den.recNo(), f).toByteArray();
    };
    suiDBGrid1->setModel(DataSource1);
    nastavSloupce(VychoziSloupcePlanu());
    connect(suiDBGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cur, const QModelIndex& prev) {
                if (cur.row() != prev.row() && cur.isValid()) {
                    ZQuery1.moveTo(cur.row());
                    DataSource1->headerDataChanged(Qt::Vertical, 0, DataSource1->rowCount() - 1);
                }
            });
    p1->addWidget(suiDBGrid1, 1);
    horni->addWidget(suiPanel1, 1);

    // day totals
    suiPanel2 = new QWidget(central);
    suiPanel2->setObjectName(QStringLiteral("suiPanel2"));
    suiPanel2->setFixedWidth(588);
    suiPanel2->setAutoFillBackground(true);
    suiPanel2->setPalette(QPalette(Qt::white));
    auto* p2 = new QVBoxLayout(suiPanel2);
    p2->setContentsMargins(4, 0, 4, 0);
    p2->setSpacing(2);
    auto* titulek = new QLabel(QStringLiteral("Celkem za den"), suiPanel2);
    titulek->setObjectName(QStringLiteral("suiPanel2Caption"));
    titulek->setFont(tahoma(10, true));
    titulek->setAlignment(Qt::AlignCenter);
    p2->addWidget(titulek);
    const QDate dnes = QDate::currentDate();
    JvTFMonths1 = new MonthView(suiPanel2);
    JvTFMonths1->setObjectName(QStringLiteral("JvTFMonths1"));
    JvTFMonths1->setAccessibleName(QStringLiteral("Celkem za den - tento měsíc"));
    JvTFMonths1->setDisplayDate(QDate(dnes.year(), dnes.month(), 3));
    JvTFMonths2 = new MonthView(suiPanel2);
    JvTFMonths2->setObjectName(QStringLiteral("JvTFMonths2"));
    JvTFMonths2->setAccessibleName(QStringLiteral("Celkem za den - další měsíc"));
    JvTFMonths2->setDisplayDate(MonthView::shiftMonth(QDate(dnes.year(), dnes.month(), 3), 1));
    for (MonthView* m : {JvTFMonths1, JvTFMonths2}) {
        m->setMinimumSize(300, 200);
        m->drawDayBody = [this](QPainter& p, const QRect& body, const QDate& d) { kresliDen(p, body, d); };
        p2->addWidget(m, 1);
    }
    connect(JvTFMonths1, &MonthView::dayPressed, this,
            [this](const QDate& d, Qt::MouseButton b) { runGuarded(this, [&] { JvTFMonths1DayPressed(d, b); }); });
    horni->addWidget(suiPanel2);

    // bottom bar
    suiImagePanel1 = new QWidget(central);
    suiImagePanel1->setObjectName(QStringLiteral("suiImagePanel1"));
    suiImagePanel1->setFixedHeight(78);
    suiImagePanel1->setAutoFillBackground(true);
    suiImagePanel1->setPalette(QPalette(QColor(239, 235, 222)));
    auto* rok = new QLabel(QStringLiteral("Rok"), suiImagePanel1);
    rok->setFont(tahoma(11, true));
    rok->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rok->setGeometry(16, 30, 39, 18);
    suiComboBoxRok = new QComboBox(suiImagePanel1);
    suiComboBoxRok->setObjectName(QStringLiteral("suiComboBoxRok"));
    suiComboBoxRok->setAccessibleName(QStringLiteral("Rok"));
    suiComboBoxRok->setFont(tahoma(14));
    suiComboBoxRok->addItems(RokyVyberu(QDate::currentDate().year()));
    suiComboBoxRok->setCurrentIndex(0);
    suiComboBoxRok->setGeometry(70, 23, 85, 31);
    rok->setBuddy(suiComboBoxRok);
    auto* stredisko = new QLabel(QStringLiteral("Středisko"), suiImagePanel1);
    stredisko->setFont(tahoma(11, true));
    stredisko->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    stredisko->setGeometry(158, 30, 82, 18);
    Label3 = new QLabel(QStringLiteral("999"), suiImagePanel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(tahoma(11, true));
    Label3->setGeometry(250, 30, 40, 18);
    suiComboBox1 = new QComboBox(suiImagePanel1);
    suiComboBox1->setObjectName(QStringLiteral("suiComboBox1"));
    suiComboBox1->setAccessibleName(QStringLiteral("Středisko"));
    suiComboBox1->setEditable(true);
    suiComboBox1->setInsertPolicy(QComboBox::NoInsert);
    suiComboBox1->setFont(tahoma(11));
    suiComboBox1->setEditText(QStringLiteral("suiComboBox1"));
    suiComboBox1->setGeometry(296, 26, 321, 28);
    stredisko->setBuddy(suiComboBox1);

    suiButton4 = tlacitko(suiImagePanel1, "suiButton4", QStringLiteral("předchozí\nměsíc"),
                          QStringLiteral("předchozí měsíc"));
    suiButton1 = tlacitko(suiImagePanel1, "suiButton1", QStringLiteral("Rozdelit"), QStringLiteral("Rozdelit"));
    suiButton3 = tlacitko(suiImagePanel1, "suiButton3", QStringLiteral("Tisk tabulky"),
                          QStringLiteral("Tisk tabulky"));
    suiButton2 = tlacitko(suiImagePanel1, "suiButton2", QStringLiteral("další\nměsíc"),
                          QStringLiteral("další měsíc"));
    sloupec->addWidget(suiImagePanel1);
    setCentralWidget(central);

    // The month buttons stay under the calendars, the other two between them.
    class Rozmisteni : public QObject {
    public:
        Rozmisteni(TForm1* f) : QObject(f), m_f(f) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Resize) {
                const int w = m_f->suiImagePanel1->width();
                m_f->suiButton4->move(w - 564, 18);
                m_f->suiButton1->move(w - 424, 18);
                m_f->suiButton3->move(w - 284, 18);
                m_f->suiButton2->move(w - 144, 18);
            }
            return false;
        }
        TForm1* m_f;
    };
    suiImagePanel1->installEventFilter(new Rozmisteni(this));

    connect(suiComboBox1, &QComboBox::currentTextChanged, this, guarded(this, [this] { suiComboBox1Change(); }));
    connect(suiComboBoxRok, &QComboBox::currentIndexChanged, this,
            guarded(this, [this] { suiComboBoxRokChange(); }));
    connect(suiButton2, &QPushButton::clicked, this, guarded(this, [this] { suiButton2Click(); }));
    connect(suiButton4, &QPushButton::clicked, this, guarded(this, [this] { suiButton4Click(); }));
}

void TForm1::vytvorMenu()
{
    auto polozka = [this](QMenu* m, const char* name, const QString& text) {
        QAction* a = m->addAction(text);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("suiMainMenu1"));

    QMenu* hlavni = bar->addMenu(QStringLiteral("Hlavní nabídka"));
    hlavni->setObjectName(QStringLiteral("Hlavninabidka1"));
    polozka(hlavni, "Novdoklad1", QStringLiteral("Nový doklad"));
    polozka(hlavni, "Opravit1", QStringLiteral("Opravit"));

    QMenu* kontrola = bar->addMenu(QStringLiteral("Kontrola"));
    kontrola->setObjectName(QStringLiteral("Kontrola1"));
    polozka(kontrola, "Kontrolavaznichlistu1", QStringLiteral("Kontrola vážních listů"));
    polozka(kontrola, "Stavsklad1", QStringLiteral("Stav skladů"));
    kontrola->addSeparator();
    polozka(kontrola, "SmazatVL1", QStringLiteral("Smazat VL"));
    Zmnaskladu1 = polozka(kontrola, "Zmnaskladu1", QStringLiteral("Změna skladu"));
    Zmnaskladu1->setCheckable(true);

    QMenu* servis = bar->addMenu(QStringLiteral("Servis"));
    servis->setObjectName(QStringLiteral("Servis1"));
    polozka(servis, "Cenik1", QStringLiteral("Ceník"));
    polozka(servis, "Cenksuen1", QStringLiteral("Ceník sušení, čištění"));
    polozka(servis, "Nastaveni1", QStringLiteral("Nastavení"));
    servis->addSeparator();
    QAction* smazat = polozka(servis, "Smazatnastavensloupc1", QStringLiteral("Smazat nastavení sloupců"));
    QAction* ulozit = polozka(servis, "Uloennastavensloupc1", QStringLiteral("Uložení nastavení sloupců"));
    polozka(servis, "Kontrolanovverze1", QStringLiteral("Kontrola nové verze"));

    QMenu* konec = bar->addMenu(QStringLiteral("Konec"));
    konec->setObjectName(QStringLiteral("Konec1"));
    Opravdu1 = polozka(konec, "Opravdu1", QStringLiteral("Opravdu"));

    connect(smazat, &QAction::triggered, this, guarded(this, [this] { Smazatnastavensloupc1Click(); }));
    connect(ulozit, &QAction::triggered, this, guarded(this, [this] { Uloennastavensloupc1Click(); }));
    connect(Opravdu1, &QAction::triggered, this, guarded(this, [this] { Opravdu1Click(); }));
    connect(Zmnaskladu1, &QAction::triggered, this, guarded(this, [this] {
                suiDBGrid1->clearSelection();
                suiDBGrid1->setSelectionMode(Zmnaskladu1->isChecked() ? QAbstractItemView::ExtendedSelection
                                                                      : QAbstractItemView::SingleSelection);
            }));

    // the grid's context menu
    suiPopupMenu1 = new QMenu(this);
    suiPopupMenu1->setObjectName(QStringLiteral("suiPopupMenu1"));
    QAction* vzestupne = polozka(suiPopupMenu1, "Setriditpodlesloupce1", QStringLiteral("Setřídit podle sloupce"));
    QAction* sestupne = polozka(suiPopupMenu1, "Setriditpodlesloupcesestupne1",
                                QStringLiteral("Setřídit podle sloupce - sestupně"));
    suiPopupMenu1->addSeparator();
    polozka(suiPopupMenu1, "Hledatdokladvseznamu1", QStringLiteral("Hledat doklad v seznamu"));
    suiPopupMenu1->addSeparator();
    QMenu* filtr = suiPopupMenu1->addMenu(QStringLiteral("FILTR"));
    filtr->setObjectName(QStringLiteral("FILTR1"));
    const char* nf[] = {"Nf1", "Nf2", "Nf3", "Nf4", "Nf5", "Nf6"};
    const char* op[] = {"=", "<>", ">", ">=", "<", "<="};
    for (int i = 0; i < 6; ++i)
        polozka(filtr, nf[i], QString::fromLatin1(op[i]));
    polozka(suiPopupMenu1, "Zobrazfiltr1", QStringLiteral("FILTR - zobrazit filtr"));
    polozka(suiPopupMenu1, "Smazatfiltr1", QStringLiteral("FILTR - smazat celý filtr"));
    polozka(suiPopupMenu1, "Smazatposledn1", QStringLiteral("FILTR - smazat poslední"));
    suiPopupMenu1->addSeparator();
    polozka(suiPopupMenu1, "ExportdoExcelu1", QStringLiteral("Export do Excelu"));
    suiPopupMenu1->addSeparator();
    polozka(suiPopupMenu1, "iskCMR1", QStringLiteral("Tisk CMR"));
    connect(vzestupne, &QAction::triggered, this, guarded(this, [this] { Setriditpodlesloupce1Click(); }));
    connect(sestupne, &QAction::triggered, this, guarded(this, [this] { Setriditsestupne1Click(); }));

    suiDBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(suiDBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex i = suiDBGrid1->indexAt(pos);
        if (i.isValid())
            suiDBGrid1->setCurrentIndex(i);
        suiPopupMenu1->popup(suiDBGrid1->viewport()->mapToGlobal(pos));
    });
}

// ---------------------------------------------------------------- start and end

void TForm1::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (m_zobrazeno)
        return;
    m_zobrazeno = true;
    m_storage.restore();
    // The window is painted first; the start then runs with the busy pointer.
    QTimer::singleShot(0, this, [this] {
        runGuarded(this, [this] { FormShow(); });
        m_startProbehl = true;
        emit startDokoncen();
    });
}

void TForm1::FormShow()
{
    NazevProgramu = QStringLiteral("ketrix");
    ZConnection1.disconnect();
    ZConnection1.autoCommit = !PrikazRadkuM(Parametry);
    ZConnection1.host = QStringLiteral("localhost");
    CisloPC = QStringLiteral("00");
    ZConnection1.user = QStringLiteral("root");
    ZConnection1.password.clear();

    const NastaveniLogOn n = CtiKorvanIni(CestaKorvanIni());
    ZConnection1.host = n.IP;
    ZConnection1.user = n.User;
    ZConnection1.password = n.Password;
    ZConnection1.database = n.Database;
    CisloPC = n.CisloPC;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto obnov = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        PripojDatabazi(ZConnection1, n.SQLport, n.OPENport, QStringLiteral("Plán KX"), QString(), CisloPC);
    }

    Razeni = QStringLiteral("order by datum DESC");

    ZQuery2.close();
    ZQuery2.sql = QStringList{QStringLiteral("select podnik,zakl_mj from korvan")};
    ZQuery2.open();
    KodPodniku = ZQuery2.asString("podnik");
    ZQuery2.close();

    ZQueryStred.close();
    ZQueryStred.sql = QStringList{QStringLiteral("select * from strtopc order by stred")};
    ZQueryStred.open();
    {
        // the shown text stays the one restored from the settings file
        const QSignalBlocker b(suiComboBox1);
        const QString text = suiComboBox1->currentText();
        suiComboBox1->clear();
        QStringList polozky;
        for (int r = 0; r < ZQueryStred.recordCount(); ++r) {
            ZQueryStred.moveTo(r);
            polozky << ZQueryStred.asString("stred") + QStringLiteral("  ") + ZQueryStred.asString("nazevstr");
        }
        suiComboBox1->addItems(polozky);
        suiComboBox1->setCurrentIndex(-1);
        suiComboBox1->setEditText(text);
    }
    KodStrediska = Label3->text();
    ZQueryStred.locate("stred", KodStrediska);

    UdelejSQL();

    if (QFile::exists(QLatin1String(kSouborSloupcu)))
        nastavSloupce(NactiSloupce(QLatin1String(kSouborSloupcu)));
    m_spusteno = true;
}

void TForm1::closeEvent(QCloseEvent* e)
{
    runGuarded(this, [this] { m_storage.save(); });
    QMainWindow::closeEvent(e);
}

// ---------------------------------------------------------------- the list

void TForm1::UdelejSQL()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto obnovKurzor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    // the calendars show whatever state the rebuild ends in, also after an error
    const auto prekresli = qScopeGuard([this] {
        JvTFMonths1->update();
        JvTFMonths2->update();
        suiDBGrid1->viewport()->update();
    });

    VyberPlanu v;
    v.FiltrWhere = FiltrWhere;
    v.KodStrediska = KodStrediska;
    v.Rok = suiComboBoxRok->currentIndex() > 0 ? suiComboBoxRok->currentText() : QString();
    v.Razeni = Razeni;

    const int sloupec = suiDBGrid1->currentIndex().column();
    m_dny.clear();
    ZQuery1den.close();
    ZQuery1den.sql = SqlDnu(v);
    try {
        ZQuery1den.open();
    } catch (...) {
        // the list stays empty until the next successful rebuild
        DataSource1->zacatekZmeny();
        ZQuery1.close();
        DataSource1->konecZmeny();
        throw;
    }
    {
        const int datum = ZQuery1den.fieldIndexOrThrow("datum");
        const int celkem = ZQuery1den.fieldIndexOrThrow("hmotnostpp");
        for (int r = 0; r < ZQuery1den.recordCount(); ++r)
            if (!ZQuery1den.rows().isNull(r, celkem))
                m_dny.insert(ZQuery1den.date(r, datum), ZQuery1den.number(r, celkem));
        ZQuery1den.first();
    }

    DataSource1->zacatekZmeny();
    {
        const auto konec = qScopeGuard([this] { DataSource1->konecZmeny(); });
        ZQuery1.close();
        ZQuery1.sql = SqlPlanu(v);
        UlozTextSql(QStringLiteral("a.txt"), ZQuery1.sql);
        ZQuery1.open();
    }

    suiPanel1Caption->setText(FiltrWhere.isEmpty() ? QString() : QStringLiteral(" filtr: ") + FiltrText);

    int radek = 0;
    if (ZQuery1den.recNo() >= 0) {
        const int r = ZQuery1.findDate("DATUM", ZQuery1den.asDate("datum"));
        if (r >= 0)
            radek = r;
    }
    nastavAktualniRadek(radek, sloupec);
}

void TForm1::nastavAktualniRadek(int row, int col)
{
    ZQuery1.moveTo(row);
    if (ZQuery1.recNo() < 0)
        return;
    if (col < 0)
        col = suiDBGrid1->horizontalHeader()->logicalIndexAt(0);
    if (col < 0)
        col = 0;
    const QModelIndex i = DataSource1->index(ZQuery1.recNo(), col);
    suiDBGrid1->setCurrentIndex(i);
    suiDBGrid1->scrollTo(i);
}

std::optional<double> TForm1::celkemZaDen(QDate d) const
{
    auto it = m_dny.constFind(d);
    if (it == m_dny.constEnd())
        return std::nullopt;
    return *it;
}

QString TForm1::textCelkem(double v)
{
    return db::formatGeneral(v, db::DisplayFormat::current().decimalSeparator);
}

void TForm1::kresliDen(QPainter& p, const QRect& body, const QDate& d)
{
    const std::optional<double> celkem = celkemZaDen(d);
    if (!celkem)
        return;
    QFont f = p.font();
    f.setPointSize(12);
    p.setFont(f);
    p.setPen(*celkem > 40 ? QColor(255, 0, 0) : QColor(0, 0, 255));
    p.drawText(body.adjusted(5, 5, 0, 0), Qt::AlignLeft | Qt::AlignTop, textCelkem(*celkem));
}

// ---------------------------------------------------------------- handlers

void TForm1::suiComboBox1Change()
{
    if (ZQueryStred.active()) {
        ZQueryStred.locate("stred", suiComboBox1->currentText().left(3));
        if (ZQueryStred.recNo() >= 0)
            KodStrediska = ZQueryStred.asString("stred");
    }
    Label3->setText(KodStrediska);
    UdelejSQL();
}

void TForm1::suiComboBoxRokChange()
{
    UdelejSQL();
}

void TForm1::setrid(const QString& smer)
{
    const int col = suiDBGrid1->currentIndex().column();
    if (col < 0)
        return;
    Razeni = QStringLiteral("order by ") + DataSource1->pole(col) + smer;
    UdelejSQL();
}

void TForm1::Setriditpodlesloupce1Click()
{
    setrid(QString());
}

void TForm1::Setriditsestupne1Click()
{
    setrid(QStringLiteral(" DESC"));
}

QList<SloupecGridu> TForm1::sloupceGridu() const
{
    QList<SloupecGridu> out;
    const QHeaderView* h = suiDBGrid1->horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        SloupecGridu s = DataSource1->sloupce().value(logical);
        s.sirka = h->sectionSize(logical);
        s.viditelny = !h->isSectionHidden(logical);
        out << s;
    }
    return out;
}

void TForm1::nastavSloupce(const QList<SloupecGridu>& sloupce)
{
    QHeaderView* h = suiDBGrid1->horizontalHeader();
    DataSource1->setSloupce(sloupce);
    // the list's own order, whatever the user had dragged before
    for (int i = 0; i < h->count(); ++i)
        if (h->visualIndex(i) != i)
            h->moveSection(h->visualIndex(i), i);
    for (int i = 0; i < sloupce.size(); ++i) {
        h->resizeSection(i, sloupce[i].sirka >= 0 ? sloupce[i].sirka : h->defaultSectionSize());
        h->setSectionHidden(i, !sloupce[i].viditelny);
    }
}

void TForm1::Uloennastavensloupc1Click()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto obnov = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    UlozSloupce(QLatin1String(kSouborSloupcu), sloupceGridu());
}

void TForm1::Smazatnastavensloupc1Click()
{
    SmazatSloupce = true;
    close();
}

void TForm1::Opravdu1Click()
{
    close();
}

void TForm1::suiButton2Click()
{
    JvTFMonths1->nextMonth();
    JvTFMonths2->nextMonth();
}

void TForm1::suiButton4Click()
{
    JvTFMonths1->prevMonth();
    JvTFMonths2->prevMonth();
}

void TForm1::JvTFMonths1DayPressed(const QDate& date, Qt::MouseButton button)
{
    if (button == Qt::RightButton || !date.isValid())
        return;
    showWarningBox(this, QStringLiteral("Warning"), date.toString(db::DisplayFormat::current().shortDate));
}
