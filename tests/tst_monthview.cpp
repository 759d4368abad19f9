// The month calendar: month steps, the day grid, hit testing, painting and mouse presses.

#include "platform/monthview.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <set>

class TestMonthView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void shiftMonth_data();
    void shiftMonth();
    void nextAndPrevMonth_data();
    void nextAndPrevMonth();
    void gridPosition_data();
    void gridPosition();
    void dateAtCellCentre_data();
    void dateAtCellCentre();
    void dateAtOutsideDays_data();
    void dateAtOutsideDays();
    void layoutScales_data();
    void layoutScales();
    void selectedDayTitleIsNavy_data();
    void selectedDayTitleIsNavy();
    void drawDayBodyForEveryCell_data();
    void drawDayBodyForEveryCell();
    void pressOnDay_data();
    void pressOnDay();
    void pressOutsideDays();
    void titleTexts_data();
    void titleTexts();
    void titleIsPainted();
    void toolTipShowsLongDate();

private:
    static QImage grabbed(MonthView& view) { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

void TestMonthView::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
}

void TestMonthView::shiftMonth_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("Dec→Jan wraps the year") << QDate(2016, 12, 3) << 1 << QDate(2017, 1, 3);
    QTest::newRow("Jan→Dec back") << QDate(2017, 1, 3) << -1 << QDate(2016, 12, 3);
    QTest::newRow("31 Jan +1 leap") << QDate(2016, 1, 31) << 1 << QDate(2016, 2, 29);
    QTest::newRow("31 Jan +1 common") << QDate(2015, 1, 31) << 1 << QDate(2015, 2, 28);
    QTest::newRow("31 Mar -1") << QDate(2016, 3, 31) << -1 << QDate(2016, 2, 29);
    QTest::newRow("31 May +1") << QDate(2016, 5, 31) << 1 << QDate(2016, 6, 30);
    QTest::newRow("3rd stays 3rd") << QDate(2016, 1, 3) << 1 << QDate(2016, 2, 3);
    QTest::newRow("+13 months") << QDate(2016, 12, 15) << 13 << QDate(2018, 1, 15);
    QTest::newRow("-25 months") << QDate(2016, 1, 31) << -25 << QDate(2013, 12, 31);
    QTest::newRow("zero") << QDate(2016, 2, 29) << 0 << QDate(2016, 2, 29);
}

void TestMonthView::shiftMonth()
{
    QFETCH(QDate, from);
    QFETCH(int, delta);
    QFETCH(QDate, expected);
    QCOMPARE(MonthView::shiftMonth(from, delta), expected);
}

void TestMonthView::nextAndPrevMonth_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("steps"); // positive: nextMonth(), negative: prevMonth()
    QTest::addColumn<QDate>("expected");

    QTest::newRow("Dec 2016 next") << QDate(2016, 12, 3) << 1 << QDate(2017, 1, 3);
    QTest::newRow("Jan 2017 next") << QDate(2017, 1, 3) << 1 << QDate(2017, 2, 3);
    QTest::newRow("Jan 2016 prev") << QDate(2016, 1, 3) << -1 << QDate(2015, 12, 3);
    QTest::newRow("31 Jan through Feb to Mar") << QDate(2016, 1, 31) << 2 << QDate(2016, 3, 29);
    QTest::newRow("a year forward") << QDate(2016, 1, 3) << 12 << QDate(2017, 1, 3);
}

void TestMonthView::nextAndPrevMonth()
{
    QFETCH(QDate, start);
    QFETCH(int, steps);
    QFETCH(QDate, expected);

    MonthView view;
    view.setDisplayDate(start);
    for (int i = 0; i < qAbs(steps); ++i)
        steps > 0 ? view.nextMonth() : view.prevMonth();
    QCOMPARE(view.displayDate(), expected);
    QCOMPARE(view.month(), expected.month());
    QCOMPARE(view.year(), expected.year());
}

void TestMonthView::gridPosition_data()
{
    QTest::addColumn<QDate>("display");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    // 1 January 2016 is a Friday: the first row runs from Monday 28 December 2015.
    QTest::newRow("Jan 2016: 28 Dec 2015") << QDate(2016, 1, 3) << QDate(2015, 12, 28) << 0 << 0;
    QTest::newRow("Jan 2016: 1 Jan") << QDate(2016, 1, 3) << QDate(2016, 1, 1) << 0 << 4;
    QTest::newRow("Jan 2016: 3 Jan") << QDate(2016, 1, 3) << QDate(2016, 1, 3) << 0 << 6;
    QTest::newRow("Jan 2016: 4 Jan") << QDate(2016, 1, 3) << QDate(2016, 1, 4) << 1 << 0;
    QTest::newRow("Jan 2016: 31 Jan") << QDate(2016, 1, 3) << QDate(2016, 1, 31) << 4 << 6;
    QTest::newRow("Jan 2016: 7 Feb") << QDate(2016, 1, 3) << QDate(2016, 2, 7) << 5 << 6;
    // February 2016 begins on a Monday, so the first row begins with the 1st.
    QTest::newRow("Feb 2016: 1 Feb") << QDate(2016, 2, 3) << QDate(2016, 2, 1) << 0 << 0;
    QTest::newRow("Feb 2016: 29 Feb") << QDate(2016, 2, 3) << QDate(2016, 2, 29) << 4 << 0;
    QTest::newRow("Feb 2016: 13 Mar") << QDate(2016, 2, 3) << QDate(2016, 3, 13) << 5 << 6;
    // May 2016 begins on a Sunday.
    QTest::newRow("May 2016: 25 Apr") << QDate(2016, 5, 3) << QDate(2016, 4, 25) << 0 << 0;
    QTest::newRow("May 2016: 1 May") << QDate(2016, 5, 3) << QDate(2016, 5, 1) << 0 << 6;
}

void TestMonthView::gridPosition()
{
    QFETCH(QDate, display);
    QFETCH(QDate, date);
    QFETCH(int, row);
    QFETCH(int, column);

    MonthView view;
    view.setDisplayDate(display);
    const QRect origin = view.cellRect(view.firstShownDate());
    const QRect cell = view.cellRect(date);
    QVERIFY(!cell.isNull());
    QCOMPARE(view.firstShownDate().daysTo(date), row * 7 + column);
    // Cells are 1/7 of the width and 1/6 of the grid height; integer division leaves at
    // most one pixel of difference per cell boundary.
    QVERIFY(qAbs(cell.left() - column * view.width() / 7) <= 1);
    QVERIFY(qAbs(cell.top() - origin.top() - row * origin.height()) <= row);
    QCOMPARE(origin.left(), 0);
}

void TestMonthView::dateAtCellCentre_data()
{
    QTest::addColumn<QDate>("display");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QSize>("size");

    const QSize standard(580, 361);
    QTest::newRow("first cell, previous month") << QDate(2016, 1, 3) << QDate(2015, 12, 28) << standard;
    QTest::newRow("1 Jan") << QDate(2016, 1, 3) << QDate(2016, 1, 1) << standard;
    QTest::newRow("4 Jan") << QDate(2016, 1, 3) << QDate(2016, 1, 4) << standard;
    QTest::newRow("31 Jan") << QDate(2016, 1, 3) << QDate(2016, 1, 31) << standard;
    QTest::newRow("last cell, next month") << QDate(2016, 1, 3) << QDate(2016, 2, 7) << standard;
    QTest::newRow("Feb: 13 Mar") << QDate(2016, 2, 3) << QDate(2016, 3, 13) << standard;
    QTest::newRow("Dec 2016: 1 Jan 2017") << QDate(2016, 12, 3) << QDate(2017, 1, 1) << standard;
    QTest::newRow("large widget") << QDate(2016, 1, 3) << QDate(2016, 1, 20) << QSize(900, 700);
    QTest::newRow("small widget") << QDate(2016, 1, 3) << QDate(2016, 2, 1) << QSize(300, 260);
}

void TestMonthView::dateAtCellCentre()
{
    QFETCH(QDate, display);
    QFETCH(QDate, date);
    QFETCH(QSize, size);

    MonthView view;
    view.resize(size);
    view.setDisplayDate(display);
    const QRect cell = view.cellRect(date);
    QVERIFY(!cell.isNull());
    QCOMPARE(view.dateAt(cell.center()), date);
    QCOMPARE(view.dateAt(cell.topLeft()), date);
    QCOMPARE(view.dateAt(cell.bottomRight()), date);
    QVERIFY(cell.contains(view.bodyRect(date)));
    QCOMPARE(view.dateAt(view.bodyRect(date).center()), date);
}

void TestMonthView::dateAtOutsideDays_data()
{
    QTest::addColumn<QPoint>("pos");

    QTest::newRow("month title") << QPoint(290, 10);
    QTest::newRow("title, left edge") << QPoint(0, 0);
    QTest::newRow("weekday header") << QPoint(10, -10); // y taken relative to the grid top
    QTest::newRow("outside the widget") << QPoint(600, 200);
}

void TestMonthView::dateAtOutsideDays()
{
    QFETCH(QPoint, pos);

    MonthView view;
    view.setDisplayDate(QDate(2016, 1, 3));
    if (pos.y() < 0)
        pos.setY(view.cellRect(view.firstShownDate()).top() + pos.y());
    QVERIFY(!view.dateAt(pos).isValid());
    // Days not shown have no cell.
    QVERIFY(view.cellRect(QDate(2015, 12, 27)).isNull());
    QVERIFY(view.cellRect(QDate(2016, 2, 8)).isNull());
    QVERIFY(view.bodyRect(QDate(2016, 2, 8)).isNull());
}

void TestMonthView::layoutScales_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("standard") << QSize(580, 361);
    QTest::newRow("wide") << QSize(1000, 361);
    QTest::newRow("tall") << QSize(580, 800);
    QTest::newRow("odd") << QSize(433, 299);
}

void TestMonthView::layoutScales()
{
    QFETCH(QSize, size);

    MonthView view;
    view.resize(size);
    view.setDisplayDate(QDate(2016, 1, 3));

    const QDate first = view.firstShownDate();
    const int gridTop = view.cellRect(first).top();
    QVERIFY(gridTop > 20);
    const QRect grid(0, gridTop, size.width(), size.height() - gridTop);

    // The 42 cells tile the area under the header without gaps or overlaps.
    QRegion covered;
    int area = 0;
    for (int i = 0; i < 42; ++i) {
        const QRect cell = view.cellRect(first.addDays(i));
        QVERIFY(!cell.isNull());
        QVERIFY(qAbs(cell.width() - size.width() / 7) <= 1);
        QVERIFY(qAbs(cell.height() - grid.height() / 6) <= 1);
        covered += cell;
        area += cell.width() * cell.height();
    }
    QCOMPARE(covered, QRegion(grid));
    QCOMPARE(area, grid.width() * grid.height());
}

void TestMonthView::selectedDayTitleIsNavy_data()
{
    QTest::addColumn<QDate>("selected");
    QTest::addColumn<QDate>("other");

    QTest::newRow("4 Jan") << QDate(2016, 1, 4) << QDate(2016, 1, 5);
    QTest::newRow("Sunday 31 Jan") << QDate(2016, 1, 31) << QDate(2016, 1, 30);
    QTest::newRow("previous month day") << QDate(2015, 12, 28) << QDate(2016, 1, 4);
    QTest::newRow("first of month") << QDate(2016, 1, 1) << QDate(2016, 2, 1);
}

void TestMonthView::selectedDayTitleIsNavy()
{
    QFETCH(QDate, selected);
    QFETCH(QDate, other);

    MonthView view;
    view.setDisplayDate(QDate(2016, 1, 3));
    view.setSelectedDate(selected);
    QCOMPARE(view.selectedDate(), selected);

    const QImage img = grabbed(view);
    const QRgb navy = qRgb(0, 0, 128);

    const QRect title = view.dayTitleRect(selected);
    QVERIFY(title.height() >= 12 && title.height() <= 20);
    QCOMPARE(title.top(), view.cellRect(selected).top());
    QCOMPARE(view.bodyRect(selected).top(), title.bottom() + 1);
    // The right end of the title line holds no text: navy there.
    QCOMPARE(img.pixel(title.right() - 1, title.center().y()), navy);
    QCOMPARE(img.pixel(title.right() - 1, title.top()), navy);
    // The day number is written in white on it: near-white pixels at the left end.
    int whiteText = 0;
    int navyCount = 0;
    for (int y = title.top(); y <= title.bottom(); ++y) {
        for (int x = title.left(); x <= title.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() > 200)
                ++whiteText;
            else if (img.pixel(x, y) == navy)
                ++navyCount;
        }
    }
    QVERIFY2(whiteText > 5, qPrintable(QString::number(whiteText)));
    QVERIFY(navyCount > title.width() * title.height() / 2);
    // The body below stays white.
    const QRect body = view.bodyRect(selected);
    QCOMPARE(img.pixel(body.center()), qRgb(255, 255, 255));

    // Another day's title line is white with dark text, with no navy at all.
    const QRect otherTitle = view.dayTitleRect(other);
    QCOMPARE(img.pixel(otherTitle.right() - 1, otherTitle.center().y()), qRgb(255, 255, 255));
    int dark = 0;
    for (int y = otherTitle.top(); y <= otherTitle.bottom(); ++y) {
        for (int x = otherTitle.left(); x <= otherTitle.right(); ++x) {
            QVERIFY(img.pixel(x, y) != navy);
            if (qGray(img.pixel(x, y)) < 100)
                ++dark;
        }
    }
    QVERIFY(dark > 3);

    // Moving the selection repaints both cells.
    view.setSelectedDate(other);
    const QImage after = grabbed(view);
    QCOMPARE(after.pixel(title.right() - 1, title.center().y()), qRgb(255, 255, 255));
    QCOMPARE(after.pixel(otherTitle.right() - 1, otherTitle.center().y()), navy);
}

void TestMonthView::drawDayBodyForEveryCell_data()
{
    QTest::addColumn<QDate>("display");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QDate>("first");

    QTest::newRow("Jan 2016") << QDate(2016, 1, 3) << QSize(580, 361) << QDate(2015, 12, 28);
    QTest::newRow("Feb 2016") << QDate(2016, 2, 3) << QSize(580, 361) << QDate(2016, 2, 1);
    QTest::newRow("Dec 2016, larger") << QDate(2016, 12, 3) << QSize(760, 520) << QDate(2016, 11, 28);
}

void TestMonthView::drawDayBodyForEveryCell()
{
    QFETCH(QDate, display);
    QFETCH(QSize, size);
    QFETCH(QDate, first);

    MonthView view;
    view.resize(size);
    view.setDisplayDate(display);
    QCOMPARE(view.firstShownDate(), first);

    // Mark every Wednesday's body in red; record every call.
    QList<QPair<QDate, QRect>> calls;
    view.drawDayBody = [&calls](QPainter& p, const QRect& body, const QDate& date) {
        calls.append({date, body});
        if (date.dayOfWeek() == 3)
            p.fillRect(body.adjusted(4, 4, -4, -4), Qt::red);
    };
    const QImage img = grabbed(view);

    QCOMPARE(calls.size(), 42);
    std::set<qint64> days;
    for (const auto& [date, body] : calls) {
        const qint64 index = first.daysTo(date);
        QVERIFY2(index >= 0 && index < 42, qPrintable(date.toString(Qt::ISODate)));
        days.insert(index);
        QCOMPARE(body, view.bodyRect(date));
        const QRect cell = view.cellRect(date);
        QVERIFY(cell.contains(body));
        QCOMPARE(body.bottom(), cell.bottom() - 1);
        QVERIFY(body.top() >= cell.top() + 12);
        const QRgb centre = img.pixel(body.center());
        QCOMPARE(centre, date.dayOfWeek() == 3 ? qRgb(255, 0, 0) : qRgb(255, 255, 255));
    }
    QCOMPARE(days.size(), size_t(42));
}

void TestMonthView::pressOnDay_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("selects");

    QTest::newRow("left on 4 Jan") << QDate(2016, 1, 4) << Qt::LeftButton << true;
    QTest::newRow("left on 28 Dec") << QDate(2015, 12, 28) << Qt::LeftButton << true;
    QTest::newRow("left on 7 Feb") << QDate(2016, 2, 7) << Qt::LeftButton << true;
    QTest::newRow("right on 15 Jan") << QDate(2016, 1, 15) << Qt::RightButton << false;
    QTest::newRow("middle on 31 Jan") << QDate(2016, 1, 31) << Qt::MiddleButton << false;
}

void TestMonthView::pressOnDay()
{
    QFETCH(QDate, date);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, selects);

    MonthView view;
    view.setDisplayDate(QDate(2016, 1, 3));
    view.setSelectedDate(QDate(2016, 1, 3));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QSignalSpy days(&view, &MonthView::dayPressed);
    QSignalSpy presses(&view, &MonthView::mousePressed);
    const QPoint at = view.bodyRect(date).center();
    QTest::mouseClick(&view, button, Qt::NoModifier, at);

    QCOMPARE(days.size(), 1);
    QCOMPARE(days.at(0).at(0).value<QDate>(), date);
    QCOMPARE(days.at(0).at(1).value<Qt::MouseButton>(), button);
    QCOMPARE(presses.size(), 1);
    QCOMPARE(presses.at(0).at(0).toPoint(), at);
    QCOMPARE(presses.at(0).at(1).value<Qt::MouseButton>(), button);
    QCOMPARE(view.selectedDate(), selects ? date : QDate(2016, 1, 3));
}

void TestMonthView::pressOutsideDays()
{
    MonthView view;
    view.setDisplayDate(QDate(2016, 1, 3));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QSignalSpy days(&view, &MonthView::dayPressed);
    QSignalSpy presses(&view, &MonthView::mousePressed);
    const int header = view.cellRect(view.firstShownDate()).top() - 10;
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, header));
    QCOMPARE(presses.size(), 2);
    QCOMPARE(days.size(), 0);
    QVERIFY(!view.selectedDate().isValid());
}

void TestMonthView::titleTexts_data()
{
    QTest::addColumn<QDate>("display");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("dayTitle");

    QTest::newRow("leden") << QDate(2016, 1, 3) << QStringLiteral("leden 2016") << QDate(2016, 1, 1)
                           << QStringLiteral("01 1");
    QTest::newRow("únor") << QDate(2016, 2, 3) << QStringLiteral("únor 2016") << QDate(2016, 3, 1)
                          << QStringLiteral("03 1");
    QTest::newRow("prosinec") << QDate(2016, 12, 3) << QStringLiteral("prosinec 2016") << QDate(2016, 12, 1)
                              << QStringLiteral("12 1");
    QTest::newRow("ordinary day") << QDate(2016, 1, 3) << QStringLiteral("leden 2016") << QDate(2016, 1, 4)
                                  << QStringLiteral("4");
    QTest::newRow("two digits") << QDate(2016, 1, 3) << QStringLiteral("leden 2016") << QDate(2015, 12, 31)
                                << QStringLiteral("31");
}

void TestMonthView::titleTexts()
{
    QFETCH(QDate, display);
    QFETCH(QString, title);
    QFETCH(QDate, day);
    QFETCH(QString, dayTitle);

    MonthView view;
    view.setDisplayDate(display);
    QCOMPARE(view.titleText(), title);
    QCOMPARE(MonthView::dayTitleText(day), dayTitle);
}

void TestMonthView::titleIsPainted()
{
    MonthView view;
    view.setDisplayDate(QDate(2016, 1, 3));
    const QImage img = grabbed(view);
    const int gridTop = view.cellRect(view.firstShownDate()).top();
    const int headerTop = gridTop - 20;

    // The month title is dark text centred above the header, nothing at the far edges.
    int leftDark = 0, centreDark = 0;
    for (int y = 0; y < headerTop; ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (qGray(img.pixel(x, y)) >= 100)
                continue;
            if (x < 150)
                ++leftDark;
            else if (x > 200 && x < 380)
                ++centreDark;
        }
    }
    QCOMPARE(leftDark, 0);
    QVERIFY(centreDark > 50);

    // The header is a framed band distinct from the white cells: its light and dark
    // edges differ, and the letters are drawn inside each column.
    const int x = view.cellRect(view.firstShownDate()).center().x();
    QVERIFY(qGray(img.pixel(x, headerTop)) > qGray(img.pixel(x, gridTop - 1)));
    int letterPixels = 0;
    for (int y = headerTop + 2; y < gridTop - 2; ++y)
        for (int xx = 2; xx < img.width() / 7 - 2; ++xx)
            if (qGray(img.pixel(xx, y)) < 100)
                ++letterPixels;
    QVERIFY(letterPixels > 3);
}

void TestMonthView::toolTipShowsLongDate()
{
    MonthView view;
    view.setDisplayDate(QDate(2016, 1, 3));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QDate date(2016, 1, 4);
    const QPoint at = view.cellRect(date).center();
    QHelpEvent help(QEvent::ToolTip, at, view.mapToGlobal(at));
    QApplication::sendEvent(&view, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QLocale().toString(date, QLocale::LongFormat));
    QVERIFY(QToolTip::text().contains(QStringLiteral("2016")));
    QToolTip::hideText();
}

QTEST_MAIN(TestMonthView)
#include "tst_monthview.moc"
