// app_upd: the updater. Pelquor starts it from its program folder, without
// parameters, when the candidate accepts a newer release; it upgrades the
// folder it lies in and starts Pelquor again.
#include "singleinstance.h"
#include "updatejob.h"
#include "updaterwindow.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    // One updater at a time: a second start request (the button's check
    // can make several) ends at once, silently, and leaves the first alone.
    SingleInstance updater(QStringLiteral("orvapqjsys-app_upd"));
    if (!updater.acquire())
        return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelquor 在线升级"));
    UpdateJob job(QCoreApplication::applicationDirPath() + u'/');
    UpdaterWindow window(&job);
    window.show();
    QTimer::singleShot(0, &job, &UpdateJob::start);
    return app.exec();
}
