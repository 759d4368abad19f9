// A small program guarded by SingleInstance, started by tst_singleinstance.
//   helper_single KEY [RAISES] [MODE]
// KEY is the program file name the guard keys on (unique per test run). RAISES is how many
// requests to come forward the first process answers before it ends (default 1). MODE is
// how its window starts: "min" (minimised, the default), "hidden" (never shown) or
// "maxmin" (maximised, then minimised).
// Second start: prints "second" and ends with code 3. First start: prints "ready" and
// "before <state>", then "raised <state>" for each request, and ends with code 0 after the
// last one; <state> is "visible=V minimized=M maximized=X" with 0 or 1 for each.

#include "platform/singleinstance.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

static void say(const char* text)
{
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString key = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("helper_single");

    SingleInstance guard(key);
    if (!guard.isFirst()) {
        say("second");
        return 3;
    }

    const int raises = argc > 2 ? qMax(1, QByteArray(argv[2]).toInt()) : 1;
    const QByteArray mode = argc > 3 ? QByteArray(argv[3]) : QByteArray("min");

    QWidget window;
    window.setWindowTitle(QStringLiteral("helper"));
    window.resize(200, 100);
    if (mode == "maxmin") {
        window.showMaximized();
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
    } else if (mode != "hidden") {
        window.showMinimized();
    }
    guard.setWindow(&window);

    auto state = [&window] {
        return "visible=" + QByteArray::number(window.isVisible() ? 1 : 0)
               + " minimized=" + QByteArray::number(window.isMinimized() ? 1 : 0)
               + " maximized=" + QByteArray::number(window.isMaximized() ? 1 : 0);
    };

    int answered = 0;
    QObject::connect(&guard, &SingleInstance::raised, &app, [&] {
        say(("raised " + state()).constData());
        if (++answered == raises)
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
    });

    // Never outlive a test that went wrong.
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(4); });

    say("ready");
    say(("before " + state()).constData());
    return app.exec();
}
