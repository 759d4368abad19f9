#include "monthview.h"

#include <QHelpEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <qdrawutil.h>

#include <algorithm>
#include <array>

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 6;

const QColor kGridColour(192, 192, 192);
const QColor kSelectedTitle(0, 0, 128);

// The weekday header, Monday to Sunday.
constexpr std::array<const char*, kColumns> kDayLetters = {"M", "T", "W", "T", "F", "S", "S"};

QFont tahoma(int pointSize, bool bold)
{
    QFont f(QStringLiteral("Tahoma"), pointSize, bold ? QFont::Bold : QFont::Normal);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

} // namespace

MonthView::MonthView(QWidget* parent)
    : QWidget(parent)
    , m_displayDate(QDate::currentDate())
    , m_titleFont(tahoma(16, true))
    , m_dayFont(tahoma(8, false))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

QSize MonthView::sizeHint() const
{
    return {580, 361};
}

QSize MonthView::minimumSizeHint() const
{
    return {kColumns * 24, gridTop() + kRows * (dayTitleHeight() + 8)};
}

void MonthView::setDisplayDate(QDate d)
{
    if (!d.isValid() || d == m_displayDate)
        return;
    m_displayDate = d;
    update();
}

QDate MonthView::shiftMonth(QDate d, int delta)
{
    if (!d.isValid())
        return {};
    int index = d.year() * 12 + (d.month() - 1) + delta;
    int y = index / 12;
    int m = index % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    const QDate first(y, m + 1, 1);
    return QDate(y, m + 1, std::min(d.day(), first.daysInMonth()));
}

void MonthView::nextMonth()
{
    setDisplayDate(shiftMonth(m_displayDate, 1));
}

void MonthView::prevMonth()
{
    setDisplayDate(shiftMonth(m_displayDate, -1));
}

void MonthView::setSelectedDate(QDate d)
{
    if (d == m_selectedDate)
        return;
    m_selectedDate = d;
    update();
}

QDate MonthView::firstShownDate() const
{
    const QDate first(m_displayDate.year(), m_displayDate.month(), 1);
    return first.addDays(1 - first.dayOfWeek());
}

int MonthView::titleHeight() const
{
    return QFontMetrics(m_titleFont).height() + 10;
}

int MonthView::dayTitleHeight() const
{
    return std::max(14, QFontMetrics(m_dayFont).height() + 1);
}

int MonthView::columnLeft(int column) const
{
    return width() * column / kColumns;
}

int MonthView::rowTop(int row) const
{
    const int top = gridTop();
    return top + std::max(0, height() - top) * row / kRows;
}

QRect MonthView::cellRectAt(int row, int column) const
{
    return QRect(QPoint(columnLeft(column), rowTop(row)),
                 QPoint(columnLeft(column + 1) - 1, rowTop(row + 1) - 1));
}

QRect MonthView::cellRect(QDate d) const
{
    if (!d.isValid())
        return {};
    const qint64 index = firstShownDate().daysTo(d);
    if (index < 0 || index >= kRows * kColumns)
        return {};
    return cellRectAt(int(index / kColumns), int(index % kColumns));
}

QRect MonthView::dayTitleRect(QDate d) const
{
    QRect cell = cellRect(d);
    if (cell.isNull())
        return {};
    // The last pixel row and column belong to the grid lines, the first column of the
    // leftmost cells to the outer border.
    const int left = cell.left() == 0 ? 1 : cell.left();
    return QRect(left, cell.top(), cell.right() - left, std::min(dayTitleHeight(), cell.height() - 1));
}

QRect MonthView::bodyRect(QDate d) const
{
    const QRect title = dayTitleRect(d);
    if (title.isNull())
        return {};
    const QRect cell = cellRect(d);
    return QRect(QPoint(title.left(), title.bottom() + 1), QPoint(title.right(), cell.bottom() - 1));
}

QDate MonthView::dateAt(const QPoint& p) const
{
    if (!rect().contains(p) || p.y() < gridTop())
        return {};
    int row = 0;
    while (row < kRows - 1 && p.y() >= rowTop(row + 1))
        ++row;
    int column = 0;
    while (column < kColumns - 1 && p.x() >= columnLeft(column + 1))
        ++column;
    return firstShownDate().addDays(row * kColumns + column);
}

QString MonthView::titleText() const
{
    return QLocale().standaloneMonthName(m_displayDate.month(), QLocale::LongFormat) + QLatin1Char(' ')
        + QString::number(m_displayDate.year());
}

QString MonthView::dayTitleText(QDate d)
{
    if (d.day() == 1)
        return QStringLiteral("%1 %2").arg(d.month(), 2, 10, QLatin1Char('0')).arg(d.day());
    return QString::number(d.day());
}

void MonthView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);

    const int titleH = titleHeight();
    p.setFont(m_titleFont);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, width(), titleH), Qt::AlignCenter, titleText());

    // Weekday header: one raised panel per column.
    p.setFont(m_dayFont);
    const QBrush face = palette().brush(QPalette::Button);
    for (int c = 0; c < kColumns; ++c) {
        const QRect r(columnLeft(c), titleH, columnLeft(c + 1) - columnLeft(c), kHeaderHeight);
        qDrawShadePanel(&p, r, palette(), false, 1, &face);
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(kDayLetters[c]));
    }

    const QDate first = firstShownDate();
    for (int row = 0; row < kRows; ++row) {
        for (int c = 0; c < kColumns; ++c) {
            const QDate date = first.addDays(row * kColumns + c);
            paintCell(p, date, cellRectAt(row, c), c);
            if (drawDayBody) {
                p.save();
                const QRect body = bodyRect(date);
                p.setClipRect(body);
                p.setFont(m_dayFont);
                p.setPen(Qt::black);
                p.setBrush(Qt::NoBrush);
                drawDayBody(p, body, date);
                p.restore();
            }
        }
    }
}

void MonthView::paintCell(QPainter& p, const QDate& date, const QRect& cell, int column)
{
    p.fillRect(cell, Qt::white);

    const QRect title = dayTitleRect(date);
    const bool selected = date == m_selectedDate;
    if (selected)
        p.fillRect(title, kSelectedTitle);
    p.setFont(m_dayFont);
    p.setPen(selected ? Qt::white : Qt::black);
    p.drawText(title.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, dayTitleText(date));

    p.setPen(kGridColour);
    if (!selected)
        p.drawLine(title.left(), title.bottom(), title.right(), title.bottom());
    p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
    p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
    if (column == 0)
        p.drawLine(cell.left(), cell.top(), cell.left(), cell.bottom());
}

void MonthView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const Qt::MouseButton button = event->button();
    emit mousePressed(pos, button);
    const QDate date = dateAt(pos);
    if (!date.isValid())
        return;
    if (button == Qt::LeftButton)
        setSelectedDate(date);
    emit dayPressed(date, button);
}

bool MonthView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QDate date = dateAt(help->pos());
        if (date.isValid()) {
            QToolTip::showText(help->globalPos(), QLocale().toString(date, QLocale::LongFormat), this,
                               cellRect(date));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}
