#pragma once
// The windows' message box "dotaz": a modal box centred on the screen with a caption, a
// text, an icon and one to three buttons. A window keeps one MessageDialog, sets text,
// button count, button captions and icon before each showing and reads the answer.
// The toolkit's standard warning and error boxes go through the same path.

#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

class MessageDialog {
public:
    enum class Icon { None, Warning, Stop, Information, Question };

    // Answers of the buttons: button 1 answers Ok, buttons 2 and 3 and closing the box
    // without a button answer Cancel.
    static constexpr int Ok = 1;
    static constexpr int Cancel = 2;

    QString caption;
    QString text;
    int buttonCount = 1; // 1 to 3
    QStringList buttonCaptions = {QStringLiteral("OK"), QStringLiteral("Cancel"), QStringLiteral("Cancel")};
    Icon icon = Icon::None;
    QFont textFont = QFont(QStringLiteral("Tahoma"), 8);

    // Shows the box modally (parent: the window it blocks) and returns the answer.
    int showModal(QWidget* parent = nullptr);

    // What a showing put before the user.
    struct Shown {
        QString caption;
        QString text;
        int buttonCount = 0;
        QStringList buttonCaptions; // the captions of the buttons shown, in order
        Icon icon = Icon::None;
    };

    // Test seam. While answers are pending, showModal() opens no window: it records what
    // would have been shown and returns the first pending answer.
    // setNextAnswer() makes its answer the only pending one, pushAnswer() queues one more
    // answer behind the pending ones, clearNextAnswer() drops all pending answers.
    static void setNextAnswer(int answer);
    static void pushAnswer(int answer);
    static void clearNextAnswer();
    static int pendingAnswers();
    // The last showing, real or answered through the seam, and the number of showings
    // since the start or the last resetShown().
    static Shown lastShown();
    static int shownCount();
    static void resetShown();

    // The captions of the buttons shown with the current settings.
    QStringList shownButtonCaptions() const;
};

// The toolkit's standard warning box: the given caption and text, one "OK" button.
void showWarningBox(QWidget* parent, const QString& caption, const QString& text);
// The application's standard error box: caption "Chyba", stop icon, one "OK" button.
void showErrorBox(QWidget* parent, const QString& text);
