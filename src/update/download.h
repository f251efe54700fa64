#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QNetworkReply>
#include <QUrl>

class QNetworkAccessManager;
class QTimer;

// One HTTP GET whose body is saved to a file (the system's DownLoadFile),
// without blocking the window:
// the request carries the system's Accept and User-Agent headers, accepts
// cookies, follows at most five redirects and ends after a time limit. The
// body is kept in memory and the target file is written (through a temporary
// file renamed over it) only after the whole body has arrived with a success
// status, so on any failure the earlier file stays as it was.
class Download : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int wholeMs = 10000;       // the whole transfer; 0 for none
        int idleMs = 10000;        // no data for this long ends the transfer; 0 for none
        qint64 maxBytes = 1 << 20; // a longer body is refused
    };
    static constexpr int MaxRedirects = 5;

    explicit Download(QObject *parent = nullptr);
    ~Download() override;

    // Starts the transfer; finished() follows exactly once, also for a
    // URL that is not http.
    void start(const QUrl &url, const QString &target, Limits limits);
    void start(const QUrl &url, const QString &target) { start(url, target, Limits{}); }
    void abort();
    bool isRunning() const { return m_reply != nullptr; }

    // Why the last transfer failed, in Chinese, for the updater's window.
    QString errorText() const { return m_error; }

signals:
    void progress(qint64 received, qint64 total);
    void finished(bool ok);

private:
    void onReadyRead();
    void onFinished();
    void fail(const QString &reason);

    QNetworkAccessManager *m_network;
    QTimer *m_whole;
    QPointer<QNetworkReply> m_reply;
    QString m_target;
    QByteArray m_body;
    Limits m_limits;
    QString m_error;
    bool m_timedOut = false;
    bool m_cancelled = false;
};
