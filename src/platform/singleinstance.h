#pragma once
// One process per workstation: the first start of a program listens on a local socket
// named after the program file; a later start finds it, asks it to bring its window
// forward and ends.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // programFileName: path or name of the program file; only the file name counts,
    // compared in upper case ("/opt/ketrix/ketrix" and "KETRIX" are the same program).
    explicit SingleInstance(const QString& programFileName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first one of the program and now listens for later
    // starts. False when another process already runs: it has been asked to come forward
    // and this process must end.
    bool isFirst();

    // The window that a later start brings forward.
    void setWindow(QWidget* w);
    QWidget* window() const { return m_window; }

    // The local server name used for a program file (upper-cased file name, made safe,
    // with the user id so that users on one machine do not meet).
    static QString serverNameFor(const QString& programFileName);
    QString serverName() const { return m_name; }

signals:
    // Emitted in the first process after a later start asked it to come forward and the
    // window (if any) has been restored and raised.
    void raised();

private:
    enum class Probe { Answered, NoServer };
    Probe askRunning();
    void onNewConnection();
    void onSocketData(QLocalSocket* s);
    void bringForward();

    QString m_name;
    QLocalServer* m_server = nullptr;
    QPointer<QWidget> m_window;
};
