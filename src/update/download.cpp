#include "download.h"

#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

Download::Download(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_whole(new QTimer(this))
{
    m_network->setCookieJar(new QNetworkCookieJar(m_network));
    m_whole->setSingleShot(true);
    connect(m_whole, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        if (m_reply)
            m_reply->abort();
    });
}

Download::~Download()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void Download::start(const QUrl &url, const QString &target, Limits limits)
{
    abort();
    m_target = target;
    m_limits = limits;
    m_body.clear();
    m_error.clear();
    m_timedOut = false;
    m_cancelled = false;
    if (!url.isValid() || url.scheme() != u"http" || url.host().isEmpty()) {
        // Reported from the event loop, like any other outcome.
        QTimer::singleShot(0, this, [this, url] {
            m_error = QStringLiteral("地址无效：%1").arg(url.toString());
            emit finished(false);
        });
        return;
    }

    QNetworkRequest request(url);
    request.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    request.setRawHeader("User-Agent", "Mozilla/3.0 (compatible; Indy Library)");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    if (limits.idleMs > 0)
        request.setTransferTimeout(limits.idleMs);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &Download::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &Download::progress);
    connect(m_reply, &QNetworkReply::finished, this, &Download::onFinished);
    if (limits.wholeMs > 0)
        m_whole->start(limits.wholeMs);
}

void Download::abort()
{
    if (m_reply) {
        m_cancelled = true;
        m_reply->abort();  // finished() follows with the cancellation
    }
}

void Download::onReadyRead()
{
    if (!m_reply)
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > m_limits.maxBytes) {
        m_error = QStringLiteral("服务器发送的文件超过了 %1 字节").arg(m_limits.maxBytes);
        m_reply->abort();
    }
}

void Download::onFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    m_whole->stop();
    reply->deleteLater();
    if (m_error.isEmpty()) {
        m_body += reply->readAll();
        if (m_body.size() > m_limits.maxBytes)
            m_error = QStringLiteral("服务器发送的文件超过了 %1 字节").arg(m_limits.maxBytes);
    }

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!m_error.isEmpty()) {
        fail(m_error);
        return;
    }
    if (m_timedOut || reply->error() == QNetworkReply::OperationCanceledError
        || reply->error() == QNetworkReply::TimeoutError) {
        // A cancellation that nobody asked for is the transfer's time limit.
        fail(m_cancelled && !m_timedOut ? QStringLiteral("下载已取消")
                                        : QStringLiteral("服务器在规定时间内没有应答"));
        return;
    }
    if (reply->error() == QNetworkReply::TooManyRedirectsError) {
        fail(QStringLiteral("服务器的转向超过 %1 次").arg(MaxRedirects));
        return;
    }
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        fail(status > 0 ? QStringLiteral("服务器答复错误 %1").arg(status)
                        : QStringLiteral("无法连接服务器（%1）").arg(reply->errorString()));
        return;
    }

    QSaveFile file(m_target);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_body) != m_body.size() || !file.commit()) {
        fail(QStringLiteral("无法写入文件 %1（%2）").arg(m_target, file.errorString()));
        return;
    }
    m_body.clear();
    emit finished(true);
}

void Download::fail(const QString &reason)
{
    m_error = reason;
    m_body.clear();
    emit finished(false);
}
