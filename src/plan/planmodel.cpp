#include "planmodel.h"

PlanModel::PlanModel(db::Query& query, QObject* parent) : QAbstractTableModel(parent), m_q(query)
{
}

void PlanModel::setSloupce(const QList<SloupecGridu>& sloupce)
{
    beginResetModel();
    m_sloupce = sloupce;
    napojPole();
    endResetModel();
}

void PlanModel::konecZmeny()
{
    napojPole();
    endResetModel();
}

void PlanModel::napojPole()
{
    m_poleSloupcu.clear();
    for (const SloupecGridu& s : std::as_const(m_sloupce))
        m_poleSloupcu.push_back(m_q.active() ? m_q.fieldIndex(s.pole.toLatin1()) : -1);
    m_datum = m_q.active() ? m_q.fieldIndex("DATUM") : -1;
}

QString PlanModel::titulek(int column) const
{
    const SloupecGridu& s = m_sloupce[column];
    if (!s.titulek.isEmpty())
        return s.titulek;
    const int f = m_poleSloupcu.empty() ? -1 : m_poleSloupcu[size_t(column)];
    return f >= 0 ? QString::fromLatin1(m_q.field(f).name) : s.pole;
}

int PlanModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_q.active() ? 0 : m_q.recordCount();
}

int PlanModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_sloupce.size());
}

QVariant PlanModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_q.active() || index.row() >= m_q.recordCount())
        return {};
    const int f = m_poleSloupcu[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return f >= 0 ? m_q.display(index.row(), f) : QString();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_sloupce[index.column()].zarovnani | Qt::AlignVCenter);
    case Qt::BackgroundRole: {
        if (m_datum >= 0 && zvyraznenyDen) {
            const QByteArray den = zvyraznenyDen();
            if (!den.isEmpty() && !m_q.rows().isNull(index.row(), m_datum)
                && m_q.rows().raw(index.row(), m_datum) == den)
                return barvaDne();
        }
        return barvaPozadi();
    }
    default:
        return {};
    }
}

QVariant PlanModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section == m_q.recNo() ? QStringLiteral("▶") : QString();
        return {};
    }
    if (section < 0 || section >= m_sloupce.size())
        return {};
    if (role == Qt::DisplayRole)
        return titulek(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_sloupce[section].zarovnaniTitulku | Qt::AlignVCenter);
    return {};
}
