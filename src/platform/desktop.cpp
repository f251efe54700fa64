#include "desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace Desktop {

void openAddress(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace Desktop
