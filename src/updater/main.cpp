// app_upd: the updater. Pelquor starts it from its program folder, without
// parameters, when the candidate accepts a newer release; it upgrades the
// folder it lies in and starts Pelquor again.
#include "updatejob.h"
#include "updaterwindow.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelquor 在线升级"));
    UpdateJob job(QCoreApplication::applicationDirPath() + u'/');
    UpdaterWindow window(&job);
    window.show();
    QTimer::singleShot(0, &job, &UpdateJob::start);
    return app.exec();
}
