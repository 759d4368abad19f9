#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr int kConnectMs = 3000;  // a live first process answers well within this
constexpr int kLockMs = 15000;    // longer than one whole probe of a rival start
constexpr int kListenAttempts = 5;
const QByteArray kRaise = QByteArrayLiteral("raise");
const QByteArray kAck = QByteArrayLiteral("ok");

QString userTag()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    const QByteArray user = qgetenv("USERNAME").toLower();
    return QString::fromLatin1(QCryptographicHash::hash(user, QCryptographicHash::Sha1).toHex().left(8));
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString& programFileName, QObject* parent)
    : QObject(parent), m_name(serverNameFor(programFileName))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close(); // removes the socket file, so the next start is first at once
}

QString SingleInstance::serverNameFor(const QString& programFileName)
{
    QString key = QFileInfo(programFileName.trimmed()).fileName().toUpper();
    if (key.isEmpty())
        key = QStringLiteral("PROGRAM");

    // A socket name must be a plain file name of moderate length: keep ASCII letters,
    // digits and a few marks, replace the rest, and when anything was replaced or cut
    // off add a hash of the whole key so that different programs stay apart.
    QString safe;
    bool changed = false;
    for (QChar c : key) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')
                        || u == '-' || u == '_' || u == '.';
        safe += ok ? c : QChar(u'_');
        changed |= !ok;
    }
    if (safe.size() > 40) {
        safe.truncate(40);
        changed = true;
    }
    if (changed)
        safe += QLatin1Char('-')
                + QString::fromLatin1(
                    QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));

    return QStringLiteral("oneinstance-%1-%2").arg(userTag(), safe);
}

SingleInstance::Probe SingleInstance::askRunning()
{
    QLocalSocket s;
    s.connectToServer(m_name);
    if (!s.waitForConnected(kConnectMs)) {
        // Refused or not found: nobody listens (a missing or stale socket file).
        // A timeout means a process holds the name but is slow to accept: it is there.
        return s.error() == QLocalSocket::SocketTimeoutError ? Probe::Answered : Probe::NoServer;
    }
    s.write(kRaise + '\n');
    s.flush();
    s.waitForBytesWritten(kConnectMs);
    // Wait briefly for the acknowledgement; whether it comes or not, the first process is
    // alive and has the message in its socket buffer.
    s.waitForReadyRead(kConnectMs);
    s.disconnectFromServer();
    if (s.state() != QLocalSocket::UnconnectedState)
        s.waitForDisconnected(kConnectMs);
    return Probe::Answered;
}

bool SingleInstance::isFirst()
{
    if (m_server && m_server->isListening())
        return true;

    // Starts that happen at the same moment take turns here, so that one of them cannot
    // remove the socket that another has just created.
    QLockFile lock(QDir(QDir::tempPath()).filePath(m_name + QStringLiteral(".lock")));
    const bool locked = lock.tryLock(kLockMs);
    Q_UNUSED(locked); // without the lock the retries below still settle most races

    for (int attempt = 0; attempt < kListenAttempts; ++attempt) {
        if (askRunning() == Probe::Answered)
            return false;

        // Nobody answered: a socket file left by a crashed process would make listen fail.
        QLocalServer::removeServer(m_name);
        if (!m_server) {
            m_server = new QLocalServer(this);
            connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
        }
        if (m_server->listen(m_name))
            return true;

        // Another start got the name between our look and our listen: look again.
        QThread::msleep(50 * (attempt + 1));
    }
    // The name cannot be taken (e.g. the temporary folder is not writable); running
    // without the guard is better than not starting at all.
    return true;
}

void SingleInstance::setWindow(QWidget* w)
{
    m_window = w;
}

void SingleInstance::onNewConnection()
{
    while (m_server && m_server->hasPendingConnections()) {
        QLocalSocket* s = m_server->nextPendingConnection();
        if (!s)
            break;
        connect(s, &QLocalSocket::readyRead, this, [this, s] { onSocketData(s); });
        connect(s, &QLocalSocket::disconnected, this, [this, s] {
            onSocketData(s); // a short-lived client may be gone before its data was read
            s->deleteLater();
        });
        onSocketData(s);
    }
}

void SingleInstance::onSocketData(QLocalSocket* s)
{
    while (s->canReadLine()) {
        const QByteArray line = s->readLine().trimmed();
        if (line != kRaise)
            continue;
        if (s->state() == QLocalSocket::ConnectedState) {
            s->write(kAck + '\n');
            s->flush();
        }
        bringForward();
    }
}

void SingleInstance::bringForward()
{
    if (QWidget* w = m_window) {
        // Like the system's restore command: a minimised window comes back in the state it
        // had before (normal or maximised); a hidden one is shown.
        if (w->isMinimized() || !w->isVisible()) {
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
            w->show();
        }
        w->raise();
        w->activateWindow();
    }
    emit raised();
}
