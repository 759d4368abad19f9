#pragma once
// The main window: the plan of one centre with the day totals beside it. It owns the one
// database connection and the queries the other windows work through.

#include "plan/sloupce.h"
#include "platform/database.h"
#include "platform/formstorage.h"
#include "platform/messagedialog.h"

#include <QHash>
#include <QMainWindow>

class MonthView;
class PlanModel;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class QWidget;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Values the other windows read
    QString NazevProgramu = QStringLiteral("ketrix");
    QString CisloPC = QStringLiteral("00");
    QString KodPodniku;
    QString KodStrediska = QStringLiteral("999");
    QString Razeni = QStringLiteral("order by datum DESC");
    QString FiltrWhere;
    QString FiltrText;
    QString FiltrOperator;
    bool SmazatSloupce = false;
    // The command line without the program name; only the first argument counts.
    QStringList Parametry;

    db::Connection ZConnection1;
    db::Query ZQuery1;    // the plan list; its current row is the current plan row
    db::Query ZQuery1den; // day totals of the same selection
    db::Query ZQuery2;    // auxiliary
    db::Query ZQueryStred; // centres
    db::ScriptRunner ZSQLProcessor1;
    MessageDialog dotaz;

    // Components
    QWidget* suiPanel1 = nullptr;
    QLabel* suiPanel1Caption = nullptr;
    QTableView* suiDBGrid1 = nullptr;
    PlanModel* DataSource1 = nullptr;
    QWidget* suiPanel2 = nullptr;
    MonthView* JvTFMonths1 = nullptr;
    MonthView* JvTFMonths2 = nullptr;
    QWidget* suiImagePanel1 = nullptr;
    QComboBox* suiComboBoxRok = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* suiComboBox1 = nullptr;
    QPushButton* suiButton1 = nullptr;
    QPushButton* suiButton2 = nullptr;
    QPushButton* suiButton3 = nullptr;
    QPushButton* suiButton4 = nullptr;
    QMenu* suiPopupMenu1 = nullptr;
    QAction* Opravdu1 = nullptr;
    QAction* Zmnaskladu1 = nullptr;

    // The start sequence that runs when the window is first shown; true once it ran to its end.
    void FormShow();
    bool spusteno() const { return m_spusteno; }
    bool startProbehl() const { return m_startProbehl; }

    void UdelejSQL();

    // Handlers
    void suiComboBox1Change();
    void suiComboBoxRokChange();
    void Setriditpodlesloupce1Click();
    void Setriditsestupne1Click();
    void Uloennastavensloupc1Click();
    void Smazatnastavensloupc1Click();
    void Opravdu1Click();
    void suiButton2Click(); // next month
    void suiButton4Click(); // previous month
    void JvTFMonths1DayPressed(const QDate& date, Qt::MouseButton button);

    // The grid's column list as the user arranged it (order, widths, visibility).
    QList<SloupecGridu> sloupceGridu() const;
    void nastavSloupce(const QList<SloupecGridu>& sloupce);

    // Total of a day in the current selection; no value when the day has no rows.
    std::optional<double> celkemZaDen(QDate d) const;
    // Text of a day total as the calendars write it.
    static QString textCelkem(double v);

signals:
    void startDokoncen();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void vytvorMenu();
    void vytvorPanely();
    void kresliDen(QPainter& p, const QRect& body, const QDate& d);
    void nastavAktualniRadek(int row, int col);
    void setrid(const QString& smer); // by the column of the current cell

    FormStorage m_storage;
    QHash<QDate, double> m_dny;
    bool m_zobrazeno = false;
    bool m_spusteno = false;
    bool m_startProbehl = false;
};
