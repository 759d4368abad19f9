#pragma once
// The plan grid's model: a view over the rows of the plan list query, formatting a cell
// only when the grid asks for it. Columns come from the grid's column list.

#include "plan/sloupce.h"
#include "platform/database.h"

#include <QAbstractTableModel>
#include <QColor>
#include <functional>

class PlanModel : public QAbstractTableModel {
    Q_OBJECT
public:
    PlanModel(db::Query& query, QObject* parent = nullptr);

    void setSloupce(const QList<SloupecGridu>& sloupce);
    const QList<SloupecGridu>& sloupce() const { return m_sloupce; }
    QString titulek(int column) const; // the title, or the field name when there is none
    QString pole(int column) const { return m_sloupce.value(column).pole; }

    // Around every close and open of the query.
    void zacatekZmeny() { beginResetModel(); }
    void konecZmeny();

    // The raw "yyyy-mm-dd" of the highlighted day (the current day-totals row).
    std::function<QByteArray()> zvyraznenyDen;
    static QColor barvaDne() { return QColor(0, 255, 128); }
    static QColor barvaPozadi() { return QColor(239, 235, 222); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    void napojPole();
    db::Query& m_q;
    QList<SloupecGridu> m_sloupce;
    std::vector<int> m_poleSloupcu; // field index per column, -1 when the list has no such field
    int m_datum = -1;
};
