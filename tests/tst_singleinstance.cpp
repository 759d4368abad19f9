// The single-instance guard with real processes: helper_single (built next to this test)
// is started several times with one key; each run of a test uses keys of its own.

#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 30000;

QString helperPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/helper_single");
}

QStringList usedKeys;

QString uniqueKey()
{
    static int counter = 0;
    const QString key = QStringLiteral("tsi%1_%2_%3")
                            .arg(QCoreApplication::applicationPid())
                            .arg(++counter)
                            .arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    usedKeys << key;
    return key;
}

// Where QLocalServer puts the socket of a plain (non-absolute) server name.
QString socketPath(const QString& key)
{
    return QDir::cleanPath(QDir::tempPath()) + QLatin1Char('/') + SingleInstance::serverNameFor(key);
}

std::unique_ptr<QProcess> startHelper(const QStringList& args)
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start(helperPath(), args);
    return p;
}

// Next line of the process's standard output, without the line break; empty when the
// process ended or said nothing in time.
QString nextLine(QProcess& p)
{
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(kWaitMs))
            break;
    }
    if (!p.canReadLine()) // a last line without a line break
        return QString::fromLocal8Bit(p.readAll()).trimmed();
    return QString::fromLocal8Bit(p.readLine()).trimmed();
}

// Leaves a socket file at path with nobody listening on it, as a crashed process does.
bool leaveStaleSocket(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un addr{};
    if (native.size() >= int(sizeof addr.sun_path))
        return false;
    addr.sun_family = AF_UNIX;
    memcpy(addr.sun_path, native.constData(), native.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return bound;
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void serverName_data();
    void serverName();
    void secondStartBringsFirstForward_data();
    void secondStartBringsFirstForward();
    void nameIsFreeAfterFirstEnds();
    void staleSocketDoesNotBlock_data();
    void staleSocketDoesNotBlock();
    void differentKeysAreIndependent();
    void simultaneousStarts_data();
    void simultaneousStarts();
};

void TestSingleInstance::initTestCase()
{
    QVERIFY2(QFile::exists(helperPath()), qPrintable(helperPath()));
}

// After a failed test, helpers killed by QProcess's destructor leave their socket files.
void TestSingleInstance::cleanup()
{
    for (const QString& key : std::as_const(usedKeys)) {
        const QString name = SingleInstance::serverNameFor(key);
        QLocalServer::removeServer(name);
        QFile::remove(QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock")));
    }
    usedKeys.clear();
}

void TestSingleInstance::serverName_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");

    QTest::newRow("folder does not count") << "/opt/ketrix/ketrix" << "ketrix" << true;
    QTest::newRow("case does not count") << "ketrix" << "KeTrIx" << true;
    QTest::newRow("other program") << "ketrix" << "ketrix2" << false;
    QTest::newRow("non-ASCII letters kept apart") << "plán" << "plén" << false;
    QTest::newRow("long names kept apart") << QString(60, QLatin1Char('a')) + "1"
                                           << QString(60, QLatin1Char('a')) + "2" << false;
}

void TestSingleInstance::serverName()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);

    const QString na = SingleInstance::serverNameFor(a);
    const QString nb = SingleInstance::serverNameFor(b);
    QCOMPARE(na == nb, same);
    for (const QString& n : {na, nb}) {
        QVERIFY2(!n.contains(QLatin1Char('/')), qPrintable(n));
        QVERIFY2(n.size() < 90, qPrintable(n)); // fits a Unix socket path under /tmp
        QVERIFY2(n.contains(QStringLiteral("-%1-").arg(::getuid())), qPrintable(n));
    }
    QVERIFY(SingleInstance::serverNameFor(QStringLiteral("/usr/bin/ketrix")).endsWith(QStringLiteral("-KETRIX")));
}

void TestSingleInstance::secondStartBringsFirstForward_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("minimised") << "min" << "before visible=1 minimized=1 maximized=0"
                               << "raised visible=1 minimized=0 maximized=0";
    QTest::newRow("hidden") << "hidden" << "before visible=0 minimized=0 maximized=0"
                            << "raised visible=1 minimized=0 maximized=0";
    QTest::newRow("maximised, then minimised") << "maxmin" << "before visible=1 minimized=1 maximized=1"
                                               << "raised visible=1 minimized=0 maximized=1";
}

void TestSingleInstance::secondStartBringsFirstForward()
{
    QFETCH(QString, mode);
    QFETCH(QString, before);
    QFETCH(QString, after);
    const QString key = uniqueKey();

    auto first = startHelper({key, QStringLiteral("1"), mode});
    QCOMPARE(nextLine(*first), QStringLiteral("ready"));
    QCOMPARE(nextLine(*first), before);

    auto second = startHelper({key});
    QVERIFY(second->waitForFinished(kWaitMs));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 3);
    QCOMPARE(QString::fromLocal8Bit(second->readAllStandardOutput()).trimmed(), QStringLiteral("second"));

    QCOMPARE(nextLine(*first), after);
    QVERIFY(first->waitForFinished(kWaitMs));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);
    QVERIFY(!QFile::exists(socketPath(key))); // a clean end leaves nothing behind
}

void TestSingleInstance::nameIsFreeAfterFirstEnds()
{
    const QString key = uniqueKey();

    auto first = startHelper({key});
    QCOMPARE(nextLine(*first), QStringLiteral("ready"));
    auto second = startHelper({key});
    QVERIFY(second->waitForFinished(kWaitMs));
    QCOMPARE(second->exitCode(), 3);
    QVERIFY(first->waitForFinished(kWaitMs));
    QCOMPARE(first->exitCode(), 0);

    // With the first one gone, a third start is first again and is guarded in its turn.
    auto third = startHelper({key});
    QCOMPARE(nextLine(*third), QStringLiteral("ready"));
    auto fourth = startHelper({key});
    QVERIFY(fourth->waitForFinished(kWaitMs));
    QCOMPARE(fourth->exitCode(), 3);
    QCOMPARE(QString::fromLocal8Bit(fourth->readAllStandardOutput()).trimmed(), QStringLiteral("second"));
    QCOMPARE(nextLine(*third), QStringLiteral("before visible=1 minimized=1 maximized=0"));
    QCOMPARE(nextLine(*third), QStringLiteral("raised visible=1 minimized=0 maximized=0"));
    QVERIFY(third->waitForFinished(kWaitMs));
    QCOMPARE(third->exitCode(), 0);
}

void TestSingleInstance::staleSocketDoesNotBlock_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("first process killed") << "kill";
    QTest::newRow("socket file left by hand") << "socket";
    QTest::newRow("plain file in the way") << "file";
}

void TestSingleInstance::staleSocketDoesNotBlock()
{
    QFETCH(QString, how);
    const QString key = uniqueKey();
    const QString path = socketPath(key);

    if (how == QLatin1String("kill")) {
        auto crashed = startHelper({key});
        QCOMPARE(nextLine(*crashed), QStringLiteral("ready"));
        QVERIFY2(QFile::exists(path), qPrintable(path));
        crashed->kill(); // SIGKILL: no chance to clean up
        QVERIFY(crashed->waitForFinished(kWaitMs));
        QCOMPARE(crashed->exitStatus(), QProcess::CrashExit);
    } else if (how == QLatin1String("socket")) {
        QVERIFY2(leaveStaleSocket(path), qPrintable(path));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("junk");
    }

    // The name is taken by a file, but nobody answers on it.
    QVERIFY(QFile::exists(path));
    {
        QLocalSocket probe;
        probe.connectToServer(SingleInstance::serverNameFor(key));
        QVERIFY(!probe.waitForConnected(kWaitMs));
        QCOMPARE(probe.error(), QLocalSocket::ConnectionRefusedError);
    }

    auto next = startHelper({key});
    QCOMPARE(nextLine(*next), QStringLiteral("ready"));
    auto later = startHelper({key});
    QVERIFY(later->waitForFinished(kWaitMs));
    QCOMPARE(later->exitCode(), 3);
    QCOMPARE(QString::fromLocal8Bit(later->readAllStandardOutput()).trimmed(), QStringLiteral("second"));
    QCOMPARE(nextLine(*next), QStringLiteral("before visible=1 minimized=1 maximized=0"));
    QCOMPARE(nextLine(*next), QStringLiteral("raised visible=1 minimized=0 maximized=0"));
    QVERIFY(next->waitForFinished(kWaitMs));
    QCOMPARE(next->exitCode(), 0);
    QVERIFY(!QFile::exists(path));
}

void TestSingleInstance::differentKeysAreIndependent()
{
    const QString keyA = uniqueKey();
    const QString keyB = uniqueKey();

    auto a = startHelper({keyA});
    QCOMPARE(nextLine(*a), QStringLiteral("ready"));
    auto b = startHelper({keyB});
    QCOMPARE(nextLine(*b), QStringLiteral("ready")); // not taken for a second start of keyA

    auto againA = startHelper({keyA});
    QVERIFY(againA->waitForFinished(kWaitMs));
    QCOMPARE(againA->exitCode(), 3);
    QCOMPARE(nextLine(*a), QStringLiteral("before visible=1 minimized=1 maximized=0"));
    QCOMPARE(nextLine(*a), QStringLiteral("raised visible=1 minimized=0 maximized=0"));
    QVERIFY(a->waitForFinished(kWaitMs));
    QCOMPARE(a->exitCode(), 0);

    // The other program was not disturbed and is still guarded on its own.
    QCOMPARE(b->state(), QProcess::Running);
    QCOMPARE(nextLine(*b), QStringLiteral("before visible=1 minimized=1 maximized=0"));
    QVERIFY(!b->canReadLine());
    auto againB = startHelper({keyB});
    QVERIFY(againB->waitForFinished(kWaitMs));
    QCOMPARE(againB->exitCode(), 3);
    QCOMPARE(nextLine(*b), QStringLiteral("raised visible=1 minimized=0 maximized=0"));
    QVERIFY(b->waitForFinished(kWaitMs));
    QCOMPARE(b->exitCode(), 0);
}

void TestSingleInstance::simultaneousStarts_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("two") << 2;
    QTest::newRow("three") << 3;
    QTest::newRow("six") << 6;
}

void TestSingleInstance::simultaneousStarts()
{
    QFETCH(int, count);
    const QString key = uniqueKey();

    // All start at once; the first one answers count-1 requests and then ends.
    std::vector<std::unique_ptr<QProcess>> procs;
    for (int i = 0; i < count; ++i)
        procs.push_back(startHelper({key, QString::number(count - 1)}));

    int firsts = 0, seconds = 0;
    for (auto& p : procs) {
        QVERIFY(p->waitForFinished(kWaitMs * 2));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        const QStringList lines =
            QString::fromLocal8Bit(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (p->exitCode() == 3) {
            QCOMPARE(lines, QStringList{QStringLiteral("second")});
            ++seconds;
        } else {
            QCOMPARE(p->exitCode(), 0);
            QCOMPARE(lines.size(), 2 + (count - 1));
            QCOMPARE(lines.at(0), QStringLiteral("ready"));
            for (int i = 2; i < lines.size(); ++i)
                QCOMPARE(lines.at(i), QStringLiteral("raised visible=1 minimized=0 maximized=0"));
            ++firsts;
        }
    }
    QCOMPARE(firsts, 1);
    QCOMPARE(seconds, count - 1);
    QVERIFY(!QFile::exists(socketPath(key)));
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
