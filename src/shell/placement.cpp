#include "placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace Placement {

QPoint mainWindow(QSize screen)
{
    return {screen.width() / 2 - 512, screen.height() / 2 - 384};
}

QPoint notice(QSize screen)
{
    return {screen.width() / 2 - 160, screen.height() / 2 - 142};
}

QPoint exitConfirmation(QSize screen, QSize window)
{
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2 - 60};
}

QSize screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

} // namespace Placement
