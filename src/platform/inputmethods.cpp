#include "inputmethods.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <sys/types.h>

namespace InputMethods {

namespace {

QString ibusProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("ibus"));
}

// IBus announces its private bus in a file named after the machine and the
// X display: <config>/ibus/bus/<machine-id>-<host>-<display number>. The
// machine id is taken from the file name, so that a machine without one in
// the usual places is no different.
QString addressFile()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    const qsizetype colon = display.lastIndexOf(u':');
    if (colon < 0)
        return {};
    QString host = display.left(colon);
    if (host.isEmpty())
        host = QStringLiteral("unix");
    const QString number = display.mid(colon + 1).section(u'.', 0, 0);
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    const QDir bus(config + QStringLiteral("/ibus/bus"));
    const QStringList files = bus.entryList({QStringLiteral("*-%1-%2").arg(host, number)}, QDir::Files, QDir::Time);
    return files.isEmpty() ? QString() : bus.filePath(files.first());
}

QStringList askIBus()
{
    const QString ibus = ibusProgram();
    if (ibus.isEmpty() || !ibusRunning())
        return {};
    QProcess process;
    process.start(ibus, {QStringLiteral("list-engine"), QStringLiteral("--name-only")});
    // Bounded: a busy daemon must not hold up the window that asks.
    if (!process.waitForFinished(3000) || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(200);
        return {};
    }
    QStringList engines;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        const QString name = line.trimmed();
        // The "xkb:…" engines are keyboard layouts, several hundred of them.
        if (!name.isEmpty() && !name.endsWith(u':') && !name.startsWith(QStringLiteral("xkb:")))
            engines << name;
    }
    return engines;
}

void switchTo(const QString &engine)
{
    // `ibus engine` waits for a new engine to start up; nobody waits for it.
    QProcess::startDetached(ibusProgram(), {QStringLiteral("engine"), engine});
}

} // namespace

bool ibusRunning()
{
    if (!qEnvironmentVariableIsEmpty("IBUS_ADDRESS"))
        return true;
    QFile file(addressFile());
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("IBUS_DAEMON_PID=")) {
            const pid_t pid = line.mid(16).trimmed().toInt();
            return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
        }
    }
    return false;
}

QStringList engines()
{
    // Kept once known; asked again while IBus has none to offer (it may
    // have been started since).
    static QStringList list;
    if (list.isEmpty())
        list = askIBus();
    return list;
}

bool activate(const QString &name)
{
    if (!engines().contains(name))
        return false;
    switchTo(name);
    return true;
}

void activateEnglish()
{
    if (!engines().isEmpty())
        switchTo(QStringLiteral("xkb:us::eng"));
}

void useIBusWhereItRuns()
{
    if (qEnvironmentVariableIsEmpty("QT_IM_MODULE") && ibusRunning())
        qputenv("QT_IM_MODULE", "ibus");
}

} // namespace InputMethods
