#include "guard.h"

#include "messagedialog.h"

#include <QGuiApplication>
#include <exception>

QString currentErrorText()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Neznámá chyba.");
    }
}

bool runGuarded(QWidget* owner, const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        const QString text = currentErrorText();
        // a handler may have left a busy pointer behind
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        showErrorBox(owner, text);
        return false;
    }
}

bool KetrixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString text = currentErrorText();
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        showErrorBox(nullptr, text);
        return false;
    }
}
