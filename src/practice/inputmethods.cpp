#include "inputmethods.h"

#include <QProcess>
#include <QStandardPaths>

namespace InputMethods {

namespace {

QStringList askIBus()
{
    const QString ibus = QStandardPaths::findExecutable(QStringLiteral("ibus"));
    if (ibus.isEmpty())
        return {};
    // Only a running IBus has engines to offer; asking is bounded.
    QProcess process;
    process.start(ibus, {QStringLiteral("list-engine"), QStringLiteral("--name-only")});
    if (!process.waitForFinished(1500) || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(200);
        return {};
    }
    QStringList engines;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        const QString name = line.trimmed();
        if (!name.isEmpty() && !name.endsWith(u':'))
            engines << name;
    }
    return engines;
}

} // namespace

QStringList installed()
{
    static const QStringList engines = askIBus();
    return engines;
}

} // namespace InputMethods
