#pragma once
// Every event handler of the program runs inside runGuarded(): an error raised by the
// handler is shown in the application's standard error box with its text, the handler
// stops there and the program goes on. No exception ever reaches Qt's event loop.

#include <QApplication>
#include <QString>
#include <functional>
#include <utility>

class QWidget;

// Runs fn; shows any error in the error box. Returns false when fn raised an error.
bool runGuarded(QWidget* owner, const std::function<void()>& fn);

// The text of the error currently being handled (inside a catch block).
QString currentErrorText();

// A slot that runs fn guarded, whatever arguments the signal carries.
template <class F>
auto guarded(QWidget* owner, F fn)
{
    return [owner, fn = std::move(fn)](auto&&...) { runGuarded(owner, fn); };
}

// Last line of defence for handlers that Qt calls directly (events, painting).
class KetrixApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
