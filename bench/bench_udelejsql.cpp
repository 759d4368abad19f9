// The plan list rebuild end to end: both statements, the rows into the grid's model and the
// first paint of the grid and both calendars, against the mariadb command-line client
// sending the same two statements with its output thrown away.

#include "plan/Unit1.h"
#include "plan/planmodel.h"
#include "platform/formstorage.h"
#include "platform/monthview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

long statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(strlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

QStringList clientArgs(const QString& port, const QString& db)
{
    return {QStringLiteral("--no-defaults"), QStringLiteral("-h127.0.0.1"), QStringLiteral("-P") + port,
            QStringLiteral("-uroot"), QStringLiteral("--default-character-set=cp1250"), db};
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_udelejsql PORT DATABASE [REPEATS]\n");
        return 2;
    }
    const QString port = QString::fromLocal8Bit(argv[1]);
    const QString database = QString::fromLocal8Bit(argv[2]);
    const int repeats = argc > 3 ? std::max(1, atoi(argv[3])) : 9;

    // a working folder whose parent holds korvan05.ini, as on a workstation
    QDir here(QDir::currentPath());
    here.mkpath(QStringLiteral("work"));
    {
        QFile ini(here.filePath(QStringLiteral("korvan05.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write(QStringLiteral("[LogON]\r\nIP=127.0.0.1\r\nSQLport=%1\r\nDatabase=%2\r\nUser=root\r\n")
                      .arg(port, database).toLatin1());
        QFile k(here.filePath(QStringLiteral("ketrix.ini")));
        k.open(QIODevice::WriteOnly);
        k.write("[TForm1]\r\nLabel3_Caption=102\r\nsuiComboBox1_Text=102\r\n");
    }
    FormStorage::setIniPath(here.filePath(QStringLiteral("ketrix.ini")));
    QDir::setCurrent(here.filePath(QStringLiteral("work")));

    TForm1 form;
    form.show();
    QEventLoop wait;
    QObject::connect(&form, &TForm1::startDokoncen, &wait, &QEventLoop::quit);
    if (!form.startProbehl())
        wait.exec();
    if (!form.spusteno()) {
        std::fprintf(stderr, "start failed\n");
        return 1;
    }
    form.KodStrediska = QStringLiteral("101");
    form.JvTFMonths1->setDisplayDate(QDate::currentDate().addMonths(-1));
    form.JvTFMonths2->setDisplayDate(QDate::currentDate());

    // what the process holds before the centre's plan is fetched for the first time
    const long rssBefore = statusKb("VmRSS:");
    // the statements as the rebuild sends them
    form.UdelejSQL();
    const QString statements = form.ZQuery1den.text() + QStringLiteral(";\n") + form.ZQuery1.text() + u';';

    std::vector<double> ours, client;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        form.UdelejSQL();
        form.suiDBGrid1->grab();
        form.JvTFMonths1->grab();
        form.JvTFMonths2->grab();
        ours.push_back(t.nsecsElapsed() / 1e6);

        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        QStringList args = clientArgs(port, database);
        args << QStringLiteral("-e") << statements;
        t.restart();
        p.start(QStringLiteral("mariadb"), args);
        p.waitForFinished(-1);
        client.push_back(t.nsecsElapsed() / 1e6);
        if (p.exitCode() != 0) {
            std::fprintf(stderr, "mariadb client failed\n");
            return 1;
        }
    }
    const long hwmAfter = statusKb("VmHWM:");

    // the fetched text: what the client prints for the two statements, without column names
    QProcess p;
    QStringList args = clientArgs(port, database);
    args << QStringLiteral("--skip-column-names") << QStringLiteral("-e") << statements;
    p.start(QStringLiteral("mariadb"), args);
    p.waitForFinished(-1);
    const qint64 textBytes = p.readAllStandardOutput().size();
    const size_t rowsBytes = form.ZQuery1.rows().memoryBytes() + form.ZQuery1den.rows().memoryBytes();

    const double mo = median(ours), mc = median(client);
    std::printf("plan rows of the centre        %d (%d days)\n", form.ZQuery1.recordCount(),
                form.ZQuery1den.recordCount());
    std::printf("repeats                        %d\n", repeats);
    std::printf("median rebuild + first paint   %.1f ms\n", mo);
    std::printf("median mariadb client          %.1f ms\n", mc);
    std::printf("ratio (ours / client)          %.2f\n", mo / mc);
    std::printf("fetched text                   %.1f MiB\n", textBytes / 1048576.0);
    std::printf("rows held in memory            %.1f MiB (%.2f x text)\n", rowsBytes / 1048576.0,
                double(rowsBytes) / double(textBytes));
    std::printf("resident before the first fetch %.1f MiB, peak %.1f MiB: %.1f MiB for the plan (%.2f x text)\n",
                rssBefore / 1024.0, hwmAfter / 1024.0, (hwmAfter - rssBefore) / 1024.0,
                (hwmAfter - rssBefore) * 1024.0 / double(textBytes));
    return 0;
}
