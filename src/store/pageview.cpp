#include "pageview.h"

#include "programfolder.h"
#include "storeerror.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScrollBar>

PageView::PageView(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setReadOnly(true);
}

void PageView::display(const QString &fragment)
{
    const QString path = ProgramFolder::file(QStringLiteral("ov.html"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QString html = QString::fromUtf8(file.readAll());

    // "beforeend" of the body: in front of the last closing body tag; a
    // template without one gets the fragment where the body ends anyway.
    qsizetype at = html.lastIndexOf(QLatin1String("</body"), -1, Qt::CaseInsensitive);
    if (at < 0)
        at = html.lastIndexOf(QLatin1String("</html"), -1, Qt::CaseInsensitive);
    if (at < 0)
        at = html.size();
    html.insert(at, fragment);
    show(html, QUrl::fromLocalFile(ProgramFolder::path()));
}

void PageView::show(const QString &html, const QUrl &base)
{
    m_html = html;
    setSearchPaths({base.isLocalFile() ? base.toLocalFile() : QString()});
    document()->setBaseUrl(base);
    setHtml(html);
    m_readyState = 4;
}

void PageView::navigate(const QUrl &address)
{
    if (m_pending) {
        m_pending->abort();
        m_pending = nullptr;
    }
    m_readyState = 0;
    if (address.isLocalFile()) {
        QFile file(address.toLocalFile());
        if (!file.open(QIODevice::ReadOnly))
            throw StoreError(QStringLiteral("%1: %2").arg(address.toLocalFile(), file.errorString()));
        show(QString::fromUtf8(file.readAll()), address.adjusted(QUrl::RemoveFilename));
        emit documentComplete();
        return;
    }
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(address);
    request.setTransferTimeout(m_timeLimitMs);
    QNetworkReply *reply = m_network->get(request);
    m_pending = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply, address] {
        reply->deleteLater();
        if (m_pending != reply)
            return;
        m_pending = nullptr;
        if (reply->error() != QNetworkReply::NoError) {
            emit navigationFailed();
            return;
        }
        show(QString::fromUtf8(reply->readAll()), address.adjusted(QUrl::RemoveFilename));
        emit documentComplete();
    });
}

void PageView::setPanelBodyStyle()
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setContentsMargins(0, 0, 0, 0);
    setViewportMargins(0, 0, 0, 0);
    document()->setDocumentMargin(0);
}
