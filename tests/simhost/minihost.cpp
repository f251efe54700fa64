// A host process for the tests of what happens to a simulator when its host
// ends: embeds question 101 of the program folder given as its argument,
// prints "embedded <simulator pid>", then runs until it reads "quit".
#include "hostwindow.h"
#include "programfolder.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    ProgramFolder::setPath(QString::fromLocal8Bit(argv[1]));
    HostWindow window(Connection::connectionStringFor(ProgramFolder::path()));
    window.show();
    window.host->launch(101);
    if (!window.host->waitAndEmbed())
        return 1;
    std::printf("embedded %lld\n", window.host->launchedPid());
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&app] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0 || std::strncmp(buffer, "quit", 4) == 0)
            app.quit();
    });
    return app.exec();
}
