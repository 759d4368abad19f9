// The message box "dotaz" and the standard warning and error boxes: the answers of the
// test seam and the real modal window with its buttons.

#include "platform/messagedialog.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

Q_DECLARE_METATYPE(MessageDialog::Icon)

namespace {

// What the running modal box looked like when the test found it.
struct Seen {
    bool found = false;
    QString objectName;
    QString title;
    QString text;
    QStringList captions;   // visible buttons, by their object names dotazButton1..3
    QStringList accessible; // their accessible names
    bool handCursors = true;
    bool iconShown = false;
    bool centred = false;
    bool textBlack = false;
    bool fitsScreen = false;
};

enum class Action { Button1, Button2, Button3, Close, Escape, Enter };

// Runs show() and, once its modal box is up, inspects the box and then acts on it. Always
// ends the box so that a failed expectation cannot leave the test hanging.
int runModal(const std::function<int()>& show, Action action, Seen& seen)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    int attempts = 0;
    QObject::connect(poll, &QTimer::timeout, [&seen, &attempts, poll, action] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) {
            if (++attempts > 500)
                poll->stop();
            return;
        }
        poll->stop();
        seen.found = true;
        seen.objectName = box->objectName();
        seen.title = box->windowTitle();
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("dotazText"))) {
            seen.text = label->text();
            seen.textBlack = label->palette().color(QPalette::WindowText) == QColor(Qt::black);
        }
        if (auto* icon = box->findChild<QLabel*>(QStringLiteral("dotazIcon")))
            seen.iconShown = icon->isVisible() && !icon->pixmap().isNull();
        const QRect area = box->screen()->availableGeometry();
        const QPoint offset = box->frameGeometry().center() - area.center();
        seen.centred = qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1;
        seen.fitsScreen = area.contains(box->frameGeometry());
        QList<QPushButton*> buttons;
        for (int i = 1; i <= 3; ++i) {
            auto* button = box->findChild<QPushButton*>(QStringLiteral("dotazButton%1").arg(i));
            if (button && button->isVisible())
                buttons << button;
        }
        for (QPushButton* button : buttons) {
            seen.captions << button->text();
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
            seen.accessible << (accessible ? accessible->text(QAccessible::Name) : QString());
            seen.handCursors = seen.handCursors && button->cursor().shape() == Qt::PointingHandCursor;
        }

        const int index = action == Action::Button1 ? 0 : action == Action::Button2 ? 1 : 2;
        switch (action) {
        case Action::Button1:
        case Action::Button2:
        case Action::Button3:
            if (index < buttons.size()) {
                QTest::mouseClick(buttons.at(index), Qt::LeftButton);
                break;
            }
            [[fallthrough]];
        case Action::Close:
            box->close();
            break;
        case Action::Escape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case Action::Enter:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        }
        // Make sure the box is gone even when the action above did not end it.
        if (QApplication::activeModalWidget() == box)
            box->close();
    });
    poll->start();
    const int answer = show();
    delete poll;
    return answer;
}

} // namespace

class TestMessageDialog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaults();
    void seamAnswers_data();
    void seamAnswers();
    void seamRecordsShownSettings_data();
    void seamRecordsShownSettings();
    void answerQueue();
    void setNextAnswerIsOneShot();
    void standardBoxesThroughSeam_data();
    void standardBoxesThroughSeam();

    void realDialog_data();
    void realDialog();
    void realErrorBox();
};

void TestMessageDialog::init()
{
    MessageDialog::clearNextAnswer();
    MessageDialog::resetShown();
}

void TestMessageDialog::cleanup()
{
    MessageDialog::clearNextAnswer();
}

void TestMessageDialog::defaults()
{
    const MessageDialog d;
    QCOMPARE(d.buttonCount, 1);
    QCOMPARE(d.buttonCaptions, QStringList({"OK", "Cancel", "Cancel"}));
    QCOMPARE(d.icon, MessageDialog::Icon::None);
    QVERIFY(d.caption.isEmpty());
    QCOMPARE(d.shownButtonCaptions(), QStringList({"OK"}));
    QCOMPARE(MessageDialog::shownCount(), 0);
    QCOMPARE(MessageDialog::pendingAnswers(), 0);
}

void TestMessageDialog::seamAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("OK") << 1;
    QTest::newRow("Cancel") << 2;
    QTest::newRow("any other value") << 7;
}

void TestMessageDialog::seamAnswers()
{
    QFETCH(int, answer);

    MessageDialog d;
    d.caption = QStringLiteral("Plán výroby");
    d.text = QStringLiteral("Text");
    MessageDialog::setNextAnswer(answer);
    QCOMPARE(MessageDialog::pendingAnswers(), 1);
    QCOMPARE(d.showModal(), answer);
    QCOMPARE(MessageDialog::pendingAnswers(), 0);
    QCOMPARE(MessageDialog::shownCount(), 1);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMessageDialog::seamRecordsShownSettings_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("buttonCount");
    QTest::addColumn<QStringList>("buttonCaptions");
    QTest::addColumn<MessageDialog::Icon>("icon");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("weigh sheet question")
        << QStringLiteral("Smazat vážní list.") << QStringLiteral("Opravdu smazat vážní list 1234 ?") << 2
        << QStringList({"Smazat", "Zpět", "Cancel"}) << MessageDialog::Icon::Question
        << QStringList({"Smazat", "Zpět"});
    QTest::newRow("information, one button")
        << QStringLiteral("Plán výroby") << QStringLiteral("Nyní bude aktualizován program Plán KX.\rBude proveden restart programu!")
        << 1 << QStringList({"OK", "Zpět", "Cancel"}) << MessageDialog::Icon::Information << QStringList({"OK"});
    QTest::newRow("stop") << QStringLiteral("Korvan05") << QStringLiteral("Nelze záporné množství.") << 1
                          << QStringList({"OK"}) << MessageDialog::Icon::Stop << QStringList({"OK"});
    QTest::newRow("three buttons") << QString() << QStringLiteral("x") << 3 << QStringList({"A", "B", "C"})
                                   << MessageDialog::Icon::Warning << QStringList({"A", "B", "C"});
    QTest::newRow("missing captions fall back") << QStringLiteral("c") << QString() << 3 << QStringList({"Ano"})
                                                << MessageDialog::Icon::None
                                                << QStringList({"Ano", "Cancel", "Cancel"});
    QTest::newRow("count above three") << QStringLiteral("c") << QStringLiteral("t") << 5
                                       << QStringList({"OK", "Cancel", "Cancel"}) << MessageDialog::Icon::None
                                       << QStringList({"OK", "Cancel", "Cancel"});
}

void TestMessageDialog::seamRecordsShownSettings()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, buttonCount);
    QFETCH(QStringList, buttonCaptions);
    QFETCH(MessageDialog::Icon, icon);
    QFETCH(QStringList, shown);

    MessageDialog d;
    d.caption = caption;
    d.text = text;
    d.buttonCount = buttonCount;
    d.buttonCaptions = buttonCaptions;
    d.icon = icon;
    MessageDialog::setNextAnswer(2);
    QCOMPARE(d.showModal(), 2);

    const MessageDialog::Shown last = MessageDialog::lastShown();
    QCOMPARE(last.caption, caption);
    QCOMPARE(last.text, text);
    QCOMPARE(last.buttonCount, int(shown.size()));
    QCOMPARE(last.buttonCaptions, shown);
    QCOMPARE(last.icon, icon);
}

void TestMessageDialog::answerQueue()
{
    MessageDialog d;
    d.caption = QStringLiteral("Plán výroby");
    MessageDialog::pushAnswer(1);
    MessageDialog::pushAnswer(2);
    MessageDialog::pushAnswer(1);
    QCOMPARE(MessageDialog::pendingAnswers(), 3);

    const QStringList texts = {"první", "druhý", "třetí"};
    const QList<int> expected = {1, 2, 1};
    for (int i = 0; i < texts.size(); ++i) {
        d.text = texts.at(i);
        d.icon = i == 1 ? MessageDialog::Icon::Question : MessageDialog::Icon::Information;
        QCOMPARE(d.showModal(), expected.at(i));
        QCOMPARE(MessageDialog::lastShown().text, texts.at(i));
        QCOMPARE(MessageDialog::lastShown().icon, d.icon);
        QCOMPARE(MessageDialog::shownCount(), i + 1);
    }
    QCOMPARE(MessageDialog::pendingAnswers(), 0);

    // setNextAnswer() replaces what is queued, clearNextAnswer() drops it.
    MessageDialog::pushAnswer(1);
    MessageDialog::pushAnswer(1);
    MessageDialog::setNextAnswer(2);
    QCOMPARE(MessageDialog::pendingAnswers(), 1);
    QCOMPARE(d.showModal(), 2);
    MessageDialog::pushAnswer(1);
    MessageDialog::clearNextAnswer();
    QCOMPARE(MessageDialog::pendingAnswers(), 0);

    MessageDialog::resetShown();
    QCOMPARE(MessageDialog::shownCount(), 0);
    QVERIFY(MessageDialog::lastShown().caption.isEmpty());
}

void TestMessageDialog::setNextAnswerIsOneShot()
{
    MessageDialog d;
    d.caption = QStringLiteral("Plán výroby");
    d.text = QStringLiteral("Jednou");
    MessageDialog::setNextAnswer(1);
    QCOMPARE(d.showModal(), 1);

    // The second showing opens the real box again; it is closed without a button.
    Seen seen;
    d.text = QStringLiteral("Podruhé");
    const int answer = runModal([&d] { return d.showModal(); }, Action::Close, seen);
    QVERIFY(seen.found);
    QCOMPARE(seen.text, QStringLiteral("Podruhé"));
    QCOMPARE(answer, 2);
    QCOMPARE(MessageDialog::shownCount(), 2);
    QCOMPARE(MessageDialog::lastShown().text, QStringLiteral("Podruhé"));
}

void TestMessageDialog::standardBoxesThroughSeam_data()
{
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expectedCaption");
    QTest::addColumn<MessageDialog::Icon>("icon");

    QTest::newRow("warning") << false << QStringLiteral("Warning") << QStringLiteral("4.1.2016")
                             << QStringLiteral("Warning") << MessageDialog::Icon::Warning;
    QTest::newRow("error") << true << QString() << QStringLiteral("Table 'ketrix.vuplan' doesn't exist")
                           << QStringLiteral("Chyba") << MessageDialog::Icon::Stop;
}

void TestMessageDialog::standardBoxesThroughSeam()
{
    QFETCH(bool, error);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(QString, expectedCaption);
    QFETCH(MessageDialog::Icon, icon);

    MessageDialog::setNextAnswer(1);
    if (error)
        showErrorBox(nullptr, text);
    else
        showWarningBox(nullptr, caption, text);

    const MessageDialog::Shown last = MessageDialog::lastShown();
    QCOMPARE(MessageDialog::shownCount(), 1);
    QCOMPARE(last.caption, expectedCaption);
    QCOMPARE(last.text, text);
    QCOMPARE(last.buttonCount, 1);
    QCOMPARE(last.buttonCaptions, QStringList({"OK"}));
    QCOMPARE(last.icon, icon);
}

void TestMessageDialog::realDialog_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("buttonCount");
    QTest::addColumn<QStringList>("buttonCaptions");
    QTest::addColumn<MessageDialog::Icon>("icon");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("shownText");
    QTest::addColumn<QStringList>("shownCaptions");
    QTest::addColumn<int>("answer");

    const QStringList deleteCaptions = {"Smazat", "Zpět", "Cancel"};
    const QString question = QStringLiteral("Opravdu smazat vážní list 1234 ?");
    QTest::newRow("question, button 1") << QStringLiteral("Smazat vážní list.") << question << 2 << deleteCaptions
                                        << MessageDialog::Icon::Question << int(Action::Button1) << question
                                        << QStringList({"Smazat", "Zpět"}) << 1;
    QTest::newRow("question, button 2") << QStringLiteral("Smazat vážní list.") << question << 2 << deleteCaptions
                                        << MessageDialog::Icon::Question << int(Action::Button2) << question
                                        << QStringList({"Smazat", "Zpět"}) << 2;
    QTest::newRow("question, closed") << QStringLiteral("Smazat vážní list.") << question << 2 << deleteCaptions
                                      << MessageDialog::Icon::Question << int(Action::Close) << question
                                      << QStringList({"Smazat", "Zpět"}) << 2;
    QTest::newRow("question, Escape") << QStringLiteral("Smazat vážní list.") << question << 2 << deleteCaptions
                                      << MessageDialog::Icon::Question << int(Action::Escape) << question
                                      << QStringList({"Smazat", "Zpět"}) << 2;
    QTest::newRow("question, Enter takes button 1")
        << QStringLiteral("Smazat vážní list.") << question << 2 << deleteCaptions << MessageDialog::Icon::Question
        << int(Action::Enter) << question << QStringList({"Smazat", "Zpět"}) << 1;
    QTest::newRow("information, CR breaks the line")
        << QStringLiteral("Plán výroby")
        << QStringLiteral("Nyní bude aktualizován program Plán KX.\rBude proveden restart programu!") << 1
        << QStringList({"OK", "Cancel", "Cancel"}) << MessageDialog::Icon::Information << int(Action::Button1)
        << QStringLiteral("Nyní bude aktualizován program Plán KX.\nBude proveden restart programu!")
        << QStringList({"OK"}) << 1;
    QTest::newRow("no icon, closed") << QStringLiteral("Plán výroby") << QStringLiteral("datum >= '2016-01-01'") << 1
                                     << QStringList({"OK", "Cancel", "Cancel"}) << MessageDialog::Icon::None
                                     << int(Action::Close) << QStringLiteral("datum >= '2016-01-01'")
                                     << QStringList({"OK"}) << 2;
    QTest::newRow("three buttons, button 3") << QStringLiteral("Korvan05") << QStringLiteral("<b>?</b>") << 3
                                             << QStringList({"Ano", "Ne", "Zrušit"}) << MessageDialog::Icon::Warning
                                             << int(Action::Button3) << QStringLiteral("<b>?</b>")
                                             << QStringList({"Ano", "Ne", "Zrušit"}) << 2;
    const QString longText = QStringLiteral("select * from vuplan where ").repeated(20);
    QTest::newRow("long text wraps") << QStringLiteral("Plán výroby") << longText << 1 << QStringList({"OK"})
                                     << MessageDialog::Icon::Information << int(Action::Button1) << longText
                                     << QStringList({"OK"}) << 1;
    QTest::newRow("stop, button 1") << QStringLiteral("Korvan05") << QStringLiteral("Nelze záporné množství.") << 1
                                    << QStringList({"OK"}) << MessageDialog::Icon::Stop << int(Action::Button1)
                                    << QStringLiteral("Nelze záporné množství.") << QStringList({"OK"}) << 1;
}

void TestMessageDialog::realDialog()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, buttonCount);
    QFETCH(QStringList, buttonCaptions);
    QFETCH(MessageDialog::Icon, icon);
    QFETCH(int, action);
    QFETCH(QString, shownText);
    QFETCH(QStringList, shownCaptions);
    QFETCH(int, answer);

    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    MessageDialog d;
    d.caption = caption;
    d.text = text;
    d.buttonCount = buttonCount;
    d.buttonCaptions = buttonCaptions;
    d.icon = icon;

    Seen seen;
    const int result = runModal([&] { return d.showModal(&owner); }, Action(action), seen);
    QVERIFY(seen.found);
    QCOMPARE(seen.objectName, QStringLiteral("dotaz"));
    QCOMPARE(seen.title, caption);
    QCOMPARE(seen.text, shownText);
    QVERIFY(seen.textBlack);
    QCOMPARE(seen.captions, shownCaptions);
    QCOMPARE(seen.accessible, shownCaptions);
    QVERIFY(seen.handCursors);
    QCOMPARE(seen.iconShown, icon != MessageDialog::Icon::None);
    QVERIFY(seen.centred);
    QVERIFY(seen.fitsScreen);
    QCOMPARE(result, answer);
    QVERIFY(!QApplication::activeModalWidget());
    // The real showing is recorded like a seamed one.
    QCOMPARE(MessageDialog::shownCount(), 1);
    QCOMPARE(MessageDialog::lastShown().text, text);
    QCOMPARE(MessageDialog::lastShown().buttonCaptions, shownCaptions);
}

void TestMessageDialog::realErrorBox()
{
    Seen seen;
    runModal(
        [] {
            showErrorBox(nullptr, QStringLiteral("Lost connection to MySQL server during query"));
            return 0;
        },
        Action::Button1, seen);
    QVERIFY(seen.found);
    QCOMPARE(seen.title, QStringLiteral("Chyba"));
    QCOMPARE(seen.text, QStringLiteral("Lost connection to MySQL server during query"));
    QCOMPARE(seen.captions, QStringList({"OK"}));
    QVERIFY(seen.iconShown);
    QCOMPARE(MessageDialog::lastShown().icon, MessageDialog::Icon::Stop);
}

QTEST_MAIN(TestMessageDialog)
#include "tst_messagedialog.moc"
