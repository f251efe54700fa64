#include "pageview.h"
#include "programfolder.h"
#include "storeerror.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

class TestPageView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneFragmentAtATime();
    void relativePictureFromTheProgramFolder();
    void missingTemplateRaises();
    void panelPage();
    void slowSiteGivesUpInTime();

private:
    void write(const QString &relative, const QByteArray &content);
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestPageView::write(const QString &relative, const QByteArray &content)
{
    QFile file(m_folder->filePath(relative));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestPageView::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    ProgramFolder::setPath(m_folder->path());
    write(QStringLiteral("ov.html"),
          "<html><head><meta charset=\"utf-8\"><title>ov</title></head><body>\n</body>\n</html>");
}

void TestPageView::cleanup()
{
    ProgramFolder::setPath({});
    m_folder.reset();
}

void TestPageView::oneFragmentAtATime()
{
    PageView view;
    QCOMPARE(view.readyState(), 0);
    view.display(QStringLiteral("<p>第一章 学习计划</p>"));
    view.display(QStringLiteral("<p>第二章 考试指南</p>"));
    QCOMPARE(view.readyState(), 4);
    QCOMPARE(view.toPlainText().trimmed(), QStringLiteral("第二章 考试指南"));
    QCOMPARE(view.pageHtml(), QStringLiteral("<html><head><meta charset=\"utf-8\"><title>ov</title></head><body>\n"
                                             "<p>第二章 考试指南</p></body>\n</html>"));
}

void TestPageView::relativePictureFromTheProgramFolder()
{
    QDir(m_folder->path()).mkpath(QStringLiteral("images/xxjh"));
    QImage picture(12, 7, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QVERIFY(picture.save(m_folder->filePath(QStringLiteral("images/xxjh/plan.png"))));
    // The current folder is not the program folder.
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());

    PageView view;
    view.resize(300, 200);
    view.display(QStringLiteral("<p><img src=\"images/xxjh/plan.png\"></p>"));
    const QVariant loaded = view.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/xxjh/plan.png")));
    QDir::setCurrent(before);
    QImage found;
    QVERIFY(found.loadFromData(loaded.toByteArray()) || !(found = loaded.value<QImage>()).isNull());
    QCOMPARE(found.size(), QSize(12, 7));
}

void TestPageView::missingTemplateRaises()
{
    QVERIFY(QFile::remove(m_folder->filePath(QStringLiteral("ov.html"))));
    PageView view;
    try {
        view.display(QStringLiteral("<p>x</p>"));
        QFAIL("displayed without a template");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains(m_folder->filePath(QStringLiteral("ov.html"))), qPrintable(error.message()));
    }
}

void TestPageView::panelPage()
{
    write(QStringLiteral("pq.html"), "<html><body><p>网站</p></body></html>");
    PageView view;
    QSignalSpy complete(&view, &PageView::documentComplete);
    view.navigate(QUrl::fromLocalFile(m_folder->filePath(QStringLiteral("pq.html"))));
    QCOMPARE(complete.size(), 1);
    view.setPanelBodyStyle();
    QCOMPARE(view.toPlainText().trimmed(), QStringLiteral("网站"));
    QCOMPARE(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(view.frameShape(), QFrame::NoFrame);
    QCOMPARE(view.document()->documentMargin(), 0.0);
}

void TestPageView::slowSiteGivesUpInTime()
{
    // A site that accepts the connection and never answers.
    QTcpServer site;
    QVERIFY(site.listen(QHostAddress::LocalHost));
    PageView view;
    view.setTimeLimit(300);
    QSignalSpy complete(&view, &PageView::documentComplete);
    QSignalSpy failed(&view, &PageView::navigationFailed);
    view.navigate(QUrl(QStringLiteral("http://127.0.0.1:%1/pq.html").arg(site.serverPort())));
    QVERIFY(failed.wait(5000));
    QVERIFY(site.hasPendingConnections());
    QCOMPARE(complete.size(), 0);
    QCOMPARE(view.readyState(), 0);
    // The panel still works afterwards.
    write(QStringLiteral("pq.html"), "<p>ok</p>");
    view.navigate(QUrl::fromLocalFile(m_folder->filePath(QStringLiteral("pq.html"))));
    QCOMPARE(complete.size(), 1);
}

QTEST_MAIN(TestPageView)
#include "tst_pageview.moc"
