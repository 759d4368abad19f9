#pragma once
// Month calendar: the month title, a Monday-first weekday header and six week rows of day
// cells. Days of the neighbouring months fill the first and the last week. The owner
// writes its own figures into the body of every day cell through drawDayBody.

#include <QDate>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

class QPainter;

class MonthView : public QWidget {
    Q_OBJECT

public:
    explicit MonthView(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The month shown is the display date's month; the day is kept for month steps.
    QDate displayDate() const { return m_displayDate; }
    void setDisplayDate(QDate d);
    int month() const { return m_displayDate.month(); }
    int year() const { return m_displayDate.year(); }

    // d moved by delta months, the year wrapping; the day is reduced to the last day of
    // a shorter month.
    static QDate shiftMonth(QDate d, int delta);
    void nextMonth();
    void prevMonth();

    QDate selectedDate() const { return m_selectedDate; }
    void setSelectedDate(QDate d);

    // The day in the top-left cell: the Monday of the week holding the 1st.
    QDate firstShownDate() const;
    QDate lastShownDate() const { return firstShownDate().addDays(41); }

    // The day cell under p, or an invalid date over the month title and the weekday header.
    QDate dateAt(const QPoint& p) const;
    // The whole cell of a shown day (its right and bottom grid lines included), the title
    // line with the day number, and the body under it; null rectangles for days not shown.
    QRect cellRect(QDate d) const;
    QRect dayTitleRect(QDate d) const;
    QRect bodyRect(QDate d) const;

    // "leden 2016": the stand-alone month name of the locale and the year.
    QString titleText() const;
    // The day number, the first day of a month with the month number in front ("01 1").
    static QString dayTitleText(QDate d);

    // Called for every shown day cell after the cell has been painted; the painter is
    // clipped to the body and carries the day font in black.
    std::function<void(QPainter&, const QRect& body, const QDate& date)> drawDayBody;

signals:
    void dayPressed(const QDate& date, Qt::MouseButton button);
    void mousePressed(const QPoint& pos, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    int titleHeight() const;
    int gridTop() const { return titleHeight() + kHeaderHeight; }
    int dayTitleHeight() const;
    int columnLeft(int column) const;
    int rowTop(int row) const;
    QRect cellRectAt(int row, int column) const;
    void paintCell(QPainter& p, const QDate& date, const QRect& cell, int column);

    static constexpr int kHeaderHeight = 20;

    QDate m_displayDate;
    QDate m_selectedDate;
    QFont m_titleFont;
    QFont m_dayFont;
};
