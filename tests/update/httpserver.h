#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

// A small HTTP/1.1 server on the loopback address for the update tests.
// Each path answers as its route says: a status with a body, a redirect, or
// silence (the connection is accepted and never answered). Unknown paths
// answer 404. Every request is recorded with its headers.
class HttpServer : public QObject
{
public:
    struct Route
    {
        int status = 200;
        QByteArray body;
        QByteArray location;  // for a redirect
        bool silent = false;
    };
    struct Request
    {
        QByteArray path;
        QHash<QByteArray, QByteArray> headers;  // names in lower case
    };

    HttpServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            }
        });
    }

    // host:port, as PELQUOR_UPDATE_SERVER takes it.
    QByteArray hostPort() const { return "127.0.0.1:" + QByteArray::number(m_server.serverPort()); }
    QByteArray url(const QByteArray &path) const { return "http://" + hostPort() + path; }

    void route(const QByteArray &path, Route route) { m_routes.insert(path, route); }
    void serve(const QByteArray &path, const QByteArray &body) { route(path, Route{200, body, {}, false}); }

    QList<Request> requests;

private:
    void read(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = pending.left(end).split('\n');
        pending.clear();
        Request request;
        request.path = lines.value(0).split(' ').value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines.at(i).indexOf(':');
            if (colon > 0)
                request.headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
        }
        requests << request;
        const Route route = m_routes.value(request.path, Route{404, "not here", {}, false});
        if (route.silent)
            return;
        QByteArray answer = "HTTP/1.1 " + QByteArray::number(route.status) + " X\r\n";
        if (!route.location.isEmpty())
            answer += "Location: " + route.location + "\r\n";
        answer += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\nConnection: close\r\n\r\n";
        socket->write(answer + route.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
    QHash<QTcpSocket *, QByteArray> m_pending;
};
