#include "sitecheck.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace SiteCheck {

void whenReachable(QObject *context, const QString &address, std::function<void()> reachable)
{
    const QUrl url(address);
    if (url.host().isEmpty())
        return;
    auto *socket = new QTcpSocket(context);
    auto *limit = new QTimer(socket);
    limit->setSingleShot(true);
    QObject::connect(socket, &QTcpSocket::connected, context, [socket, reachable] {
        socket->abort();
        socket->deleteLater();
        reachable();
    });
    QObject::connect(socket, &QTcpSocket::errorOccurred, socket, [socket] { socket->deleteLater(); });
    QObject::connect(limit, &QTimer::timeout, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    limit->start(TimeLimitMs);
    socket->connectToHost(url.host(), quint16(url.port(url.scheme() == u"https" ? 443 : 80)));
}

} // namespace SiteCheck
