#pragma once

#include <QTextBrowser>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// The page area of the list screens (study plan, guide, classroom, exam
// rooms) and the chapter browser's small web panel.
//
// The list screens show the HTML fragment of the selected row inside the
// page template "ov.html" of the program folder: every display starts from
// the template again, so exactly one fragment is on the page. Relative
// addresses in fragments (pictures) are found in the program folder. Loading
// is done when display() returns, so the ready state is then complete.
//
// The small web panel loads a page of the product web site with a time
// limit; a page that does not arrive in time leaves the panel as it was.
class PageView : public QTextBrowser
{
    Q_OBJECT

public:
    explicit PageView(QWidget *parent = nullptr);

    // Template plus fragment, the fragment at the end of the body. A missing
    // or unreadable template raises StoreError with the path and the reason.
    void display(const QString &fragment);

    // The current HTML source of the page.
    QString pageHtml() const { return m_html; }

    // 4 (complete) once a page is shown, 0 before and while a web page loads.
    int readyState() const { return m_readyState; }

    // Loads a local file or a web address; returns at once. Emits
    // documentComplete() when the page is shown, navigationFailed() when a
    // web page does not arrive. A missing local file raises StoreError.
    void navigate(const QUrl &address);
    void setTimeLimit(int ms) { m_timeLimitMs = ms; }

    // The page without scroll bars, border or margins (the small web panel).
    void setPanelBodyStyle();

    static constexpr int DefaultTimeLimitMs = 10000;

signals:
    void documentComplete();
    // The web page could not be loaded, or not within the time limit.
    void navigationFailed();

private:
    void show(const QString &html, const QUrl &base);

    QString m_html;
    int m_readyState = 0;
    int m_timeLimitMs = DefaultTimeLimitMs;
    QNetworkAccessManager *m_network = nullptr;
    QNetworkReply *m_pending = nullptr;
};
