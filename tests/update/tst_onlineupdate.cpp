#include "../shell/shellfixture.h"
#include "fileversion.h"
#include "forms.h"
#include "httpserver.h"
#include "modules.h"
#include "netcheck.h"
#include "onlineupdate.h"
#include "picturebox.h"
#include "programfolder.h"
#include "startup.h"
#include "tbanben.h"
#include "testbank.h"
#include "tmain.h"
#include "ttits.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

// The online update inside the running program, against a real HTTP server
// on the loopback address. The program folder's updater is a stand-in that
// counts how often it is started.
class TestOnlineUpdate : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fileVersion_data();
    void fileVersion();
    void localServerNeedsNoOutsideNetwork();
    void requestNamesTheProgramVersion_data();
    void requestNamesTheProgramVersion();
    void automaticCheck_data();
    void automaticCheck();
    void failedDownloadKeepsTheEarlierFile_data();
    void failedDownloadKeepsTheEarlierFile();
    void buttonCheck_data();
    void buttonCheck();
    void mainWindowRunsTheCheckOnceAfterShowing();

private:
    void openProgram(bool automaticCheck = false);
    void write(const QString &name, const QByteArray &bytes);
    QByteArray read(const QString &name) const;
    int updaterStarts() const;
    QString path(const QString &name) const { return m_bank->folder() + u'/' + name; }

    // What the modal windows showed, answered by `answer` ("确定" or "取消").
    struct Seen
    {
        int dialogs = 0;
        QString installed, offered;
        QPoint position;
        QStringList notices;
    };
    std::unique_ptr<ModalAnswer> answerModals(Seen &seen, const QString &answer);

    std::unique_ptr<HttpServer> m_server;
    std::unique_ptr<TestBank> m_bank;
    Modules::Factories m_savedFactories;
    bool m_network = true;
    int m_ends = 0;
};

const QByteArray VersionPath = "/pelqupd/diva60/1.0.0.1/tmp.txt";

QByteArray versionFile(const char *date, const char *version)
{
    return QByteArray("[File1]\r\nDate=") + date + "\r\nbanben=" + version + "\r\n";
}

void TestOnlineUpdate::init()
{
    m_savedFactories = Modules::factories();
    m_server = std::make_unique<HttpServer>();
    qputenv("PELQUOR_UPDATE_SERVER", m_server->hostPort());
    m_bank = std::make_unique<TestBank>();
    drawShellPictures(m_bank->folder());
    QImage upgraded(75, 75, QImage::Format_RGB32);
    upgraded.fill(Qt::green);
    upgraded.save(path(QStringLiteral("images/shengji.png")));
    write(QStringLiteral("app_upd"), "#!/bin/sh\necho started >> \"$(dirname \"$0\")/starts.log\"\n");
    QFile::setPermissions(path(QStringLiteral("app_upd")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    OnlineUpdate::resetServices();
    m_network = true;
    m_ends = 0;
    OnlineUpdate::services().networkConnected = [this] { return m_network; };
    OnlineUpdate::services().endApplication = [this] { ++m_ends; };
    OnlineUpdate::sChkURL.clear();
    OnlineUpdate::AppPath.clear();
    OnlineUpdate::banben1.clear();
    OnlineUpdate::banben2.clear();
}

void TestOnlineUpdate::openProgram(bool automaticCheck)
{
    if (automaticCheck) {
        OnlineUpdate::install();
    } else {
        Modules::factories().updateCheck = [] { OnlineUpdate::Image8Click(); };
        Modules::factories().updateTimer = nullptr;
    }
    Startup::createWindows();
    QVERIFY(Forms::main);
    Forms::main->show();
    QVERIFY(QTest::qWaitForWindowExposed(Forms::main));
    QTRY_COMPARE(Forms::main->anniu, 3);
}

void TestOnlineUpdate::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(!OnlineUpdate::checkRunning(), 15000);
    Startup::destroyWindows();
    Modules::factories() = m_savedFactories;
    OnlineUpdate::resetServices();
    m_bank.reset();
    m_server.reset();
    qunsetenv("PELQUOR_UPDATE_SERVER");
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestOnlineUpdate::write(const QString &name, const QByteArray &bytes)
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray TestOnlineUpdate::read(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

int TestOnlineUpdate::updaterStarts() const
{
    return int(read(QStringLiteral("starts.log")).count("started"));
}

std::unique_ptr<ModalAnswer> TestOnlineUpdate::answerModals(Seen &seen, const QString &answer)
{
    return std::make_unique<ModalAnswer>([&seen, answer](QWidget *modal) {
        if (auto *dialog = qobject_cast<Tbanben *>(modal)) {
            ++seen.dialogs;
            seen.installed = dialog->Label3->text();
            seen.offered = dialog->Label4->text();
            seen.position = dialog->pos();
            QTest::mouseClick(answer == u"确定" ? dialog->AdvGlowButton1 : dialog->AdvGlowButton2, Qt::LeftButton);
        } else if (auto *notice = qobject_cast<Ttits *>(modal)) {
            seen.notices << notice->Label1->text();
            QTest::mouseClick(notice->Button1, Qt::LeftButton);
        } else {
            modal->close();
        }
    });
}

void TestOnlineUpdate::fileVersion_data()
{
    QTest::addColumn<QByteArray>("bytes");  // empty: the test program itself
    QTest::addColumn<QString>("expected");
    QFile self(QCoreApplication::applicationFilePath());
    QVERIFY(self.open(QIODevice::ReadOnly));
    const QByteArray program = self.readAll();
    QByteArray renamed = program;
    // The note comes first in the file, in its section near the start (the
    // debugging information may hold a copy of its bytes further on).
    const QByteArray header("\x08\0\0\0\x08\0\0\0\x01\0\0\0", 12);
    const qsizetype note = renamed.indexOf(header + QByteArray("Pelquor\0", 8));
    QVERIFY(note > 0 && note < 4096);
    renamed.replace(note + 12, 1, "X");

    QTest::newRow("the program's own version") << QByteArray() << "1.0.0.1";
    QTest::newRow("note of another name") << renamed << "0.0.0.0";
    QTest::newRow("cut short") << program.left(program.size() / 2) << "unknown";
    QTest::newRow("only the ELF header") << program.left(64) << "unknown";
    QTest::newRow("not a program") << QByteArray("[File1]\r\n") << "unknown";
}

void TestOnlineUpdate::fileVersion()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    if (bytes.isEmpty()) {
        QCOMPARE(FileVersion(QCoreApplication::applicationFilePath()), expected);
        return;
    }
    write(QStringLiteral("program"), bytes);
    QCOMPARE(FileVersion(path(QStringLiteral("program"))), expected);
    QCOMPARE(FileVersion(path(QStringLiteral("no such file"))), QStringLiteral("unknown"));
}

void TestOnlineUpdate::localServerNeedsNoOutsideNetwork()
{
    QVERIFY(NetCheckMacAttachNet());  // PELQUOR_UPDATE_SERVER is on 127.0.0.1
}

void TestOnlineUpdate::requestNamesTheProgramVersion_data()
{
    QTest::addColumn<bool>("stamped");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("stamped program") << true << VersionPath;
    QTest::newRow("program without a version") << false << QByteArray("/pelqupd/diva60/unknown/tmp.txt");
}

void TestOnlineUpdate::requestNamesTheProgramVersion()
{
    QFETCH(bool, stamped);
    QFETCH(QByteArray, expected);
    openProgram();
    if (!stamped) {
        write(QStringLiteral("plain"), "#!/bin/sh\n");
        OnlineUpdate::services().programFile = [this] { return path(QStringLiteral("plain")); };
    }
    OnlineUpdate::Timer1Timer();
    QTRY_VERIFY(!OnlineUpdate::checkRunning());
    QCOMPARE(m_server->requests.size(), 1);
    const HttpServer::Request request = m_server->requests.first();
    QCOMPARE(request.path, expected);
    QCOMPARE(OnlineUpdate::sChkURL, QString::fromLatin1(m_server->url(expected)));
    QCOMPARE(OnlineUpdate::AppPath, ProgramFolder::path());
    QCOMPARE(request.headers.value("accept"), QByteArray("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
    QCOMPARE(request.headers.value("user-agent"), QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
}

void TestOnlineUpdate::automaticCheck_data()
{
    QTest::addColumn<QByteArray>("offered");
    QTest::addColumn<QByteArray>("installed");
    QTest::addColumn<bool>("questionOpen");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<int>("starts");
    QTest::addColumn<int>("ends");
    QTest::newRow("one day later, 取消") << QByteArray("2026-12-02") << QByteArray("2026-12-01") << false << "取消" << true << 0 << 0;
    QTest::newRow("one day later, 确定") << QByteArray("2026-12-02") << QByteArray("2026-12-01") << false << "确定" << true << 1 << 1;
    QTest::newRow("equal dates") << QByteArray("2026-12-01") << QByteArray("2026-12-01") << false << "确定" << false << 0 << 0;
    QTest::newRow("earlier") << QByteArray("2026-11-30") << QByteArray("2026-12-01") << false << "确定" << false << 0 << 0;
    QTest::newRow("2026-5-01 ranks after 2026-12-01") << QByteArray("2026-5-01") << QByteArray("2026-12-01") << false << "取消" << true << 0 << 0;
    QTest::newRow("not over an open question") << QByteArray("2026-12-02") << QByteArray("2026-12-01") << true << "确定" << false << 0 << 0;
}

void TestOnlineUpdate::automaticCheck()
{
    QFETCH(QByteArray, offered);
    QFETCH(QByteArray, installed);
    QFETCH(bool, questionOpen);
    QFETCH(QString, answer);
    QFETCH(bool, dialog);
    QFETCH(int, starts);
    QFETCH(int, ends);
    openProgram();
    write(QStringLiteral("predate.ini"), versionFile(installed, "Pelquor 1.0.0.1"));
    const QByteArray served = versionFile(offered, "Pelquor 1.0.0.2");
    m_server->serve(VersionPath, served);
    if (questionOpen)
        Forms::main->ctbh = 0;

    Seen seen;
    const auto answering = answerModals(seen, answer);
    OnlineUpdate::Timer1Timer();
    QTRY_VERIFY(!OnlineUpdate::checkRunning());

    QCOMPARE(read(QStringLiteral("tmp.ini")), served);
    QCOMPARE(OnlineUpdate::banben1, QStringLiteral("Pelquor 1.0.0.2"));
    QCOMPARE(OnlineUpdate::banben2, QStringLiteral("Pelquor 1.0.0.1"));
    QCOMPARE(seen.dialogs, dialog ? 1 : 0);
    QVERIFY(seen.notices.isEmpty());  // the automatic check has no messages of its own
    if (dialog) {
        QCOMPARE(seen.installed, QStringLiteral("Pelquor 1.0.0.1"));
        QCOMPARE(seen.offered, QStringLiteral("Pelquor 1.0.0.2"));
        QCOMPARE(seen.position, Forms::main->pos() + QPoint(400, 300));
    }
    QTRY_COMPARE(updaterStarts(), starts);
    QTest::qWait(300);
    QCOMPARE(updaterStarts(), starts);
    QCOMPARE(m_ends, ends);
}

void TestOnlineUpdate::failedDownloadKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("saved");
    QTest::newRow("five redirects are followed") << "redirects 5" << true;
    QTest::newRow("six redirects are too many") << "redirects 6" << false;
    QTest::newRow("404") << "404" << false;
    QTest::newRow("500 with a body") << "500" << false;
    QTest::newRow("connection refused") << "refused" << false;
    QTest::newRow("server never answers") << "silent" << false;
}

void TestOnlineUpdate::failedDownloadKeepsTheEarlierFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, saved);
    openProgram();
    const QByteArray earlier = versionFile("2020-01-01", "earlier");
    write(QStringLiteral("tmp.ini"), earlier);
    write(QStringLiteral("predate.ini"), versionFile("2026-12-01", "Pelquor 1.0.0.1"));
    const QByteArray served = versionFile("2026-12-01", "Pelquor 1.0.0.1");

    if (kind.startsWith(u"redirects")) {
        const int hops = kind.section(u' ', 1).toInt();
        QByteArray from = VersionPath;
        for (int i = 1; i <= hops; ++i) {
            const QByteArray to = "/hop" + QByteArray::number(i);
            m_server->route(from, HttpServer::Route{302, {}, m_server->url(to), false});
            from = to;
        }
        m_server->serve(from, served);
    } else if (kind == u"500") {
        m_server->route(VersionPath, HttpServer::Route{500, served, {}, false});
    } else if (kind == u"silent") {
        m_server->route(VersionPath, HttpServer::Route{200, {}, {}, true});
    } else if (kind == u"refused") {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        qputenv("PELQUOR_UPDATE_SERVER", "127.0.0.1:" + QByteArray::number(port));
    }

    Seen seen;
    const auto answering = answerModals(seen, QStringLiteral("确定"));
    QElapsedTimer clock;
    clock.start();
    OnlineUpdate::Timer1Timer();
    if (kind == u"silent") {
        // The window goes on working while the server keeps silent.
        QTRY_VERIFY(!m_server->requests.isEmpty());
        QTest::mouseClick(Forms::main->Image1, Qt::LeftButton);
        QCOMPARE(Forms::main->anniu, 1);
        QVERIFY(OnlineUpdate::checkRunning());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!OnlineUpdate::checkRunning(), 15000);
    if (kind == u"silent")
        QVERIFY2(clock.elapsed() >= 9000, "the time limit is 10 s");
    QCOMPARE(read(QStringLiteral("tmp.ini")), saved ? served : earlier);
    QCOMPARE(seen.dialogs, 0);
    QVERIFY(seen.notices.isEmpty());
    QVERIFY(!Forms::main->Timer1->isActive());
}

void TestOnlineUpdate::buttonCheck_data()
{
    QTest::addColumn<QByteArray>("tmpIni");      // empty: missing
    QTest::addColumn<QByteArray>("predateIni");  // empty: missing
    QTest::addColumn<bool>("network");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("notice");         // empty: the version dialog
    QTest::addColumn<int>("starts");
    QTest::addColumn<int>("ends");
    const QByteArray installed = versionFile("2026-12-01", "Pelquor 1.0.0.1");
    const QByteArray later = versionFile("2026-12-02", "Pelquor 1.0.0.2");
    QTest::newRow("later, 取消 still starts the updater") << later << installed << true << "取消" << QString() << 1 << 0;
    QTest::newRow("later, 确定 starts it once and ends") << later << installed << true << "确定" << QString() << 1 << 1;
    QTest::newRow("equal") << installed << installed << true << "确定" << "已经是最新版本!" << 0 << 0;
    QTest::newRow("no tmp.ini, older installed")
        << QByteArray() << versionFile("2020-01-01", "Pelquor 1.0.0.1") << true << "取消" << QString() << 1 << 0;
    QTest::newRow("both missing") << QByteArray() << QByteArray() << true << "确定" << "已经是最新版本!" << 0 << 0;
    QTest::newRow("2026-5-01 ranks after 2026-12-01")
        << versionFile("2026-5-01", "Pelquor 1.0.0.2") << installed << true << "取消" << QString() << 1 << 0;
    QTest::newRow("names in any case") << QByteArray("[FILE1]\ndate=2026-12-02\nBANBEN=Pelquor 1.0.0.2\n") << installed
                                       << true << "取消" << QString() << 1 << 0;
    QTest::newRow("no network") << later << installed << false << "确定" << "请检查网络连接!" << 0 << 0;
}

void TestOnlineUpdate::buttonCheck()
{
    QFETCH(QByteArray, tmpIni);
    QFETCH(QByteArray, predateIni);
    QFETCH(bool, network);
    QFETCH(QString, answer);
    QFETCH(QString, notice);
    QFETCH(int, starts);
    QFETCH(int, ends);
    openProgram();
    if (!tmpIni.isEmpty())
        write(QStringLiteral("tmp.ini"), tmpIni);
    if (!predateIni.isEmpty())
        write(QStringLiteral("predate.ini"), predateIni);
    m_network = network;

    Seen seen;
    const auto answering = answerModals(seen, answer);
    QTest::mouseClick(Forms::main->Image8, Qt::LeftButton);
    QTRY_VERIFY(seen.dialogs + seen.notices.size() > 0);

    if (notice.isEmpty()) {
        QCOMPARE(seen.dialogs, 1);
        QCOMPARE(seen.notices, QStringList());
        QCOMPARE(seen.installed, QStringLiteral("Pelquor 1.0.0.1"));
        QCOMPARE(seen.offered, tmpIni.isEmpty() ? QString() : QStringLiteral("Pelquor 1.0.0.2"));
        QCOMPARE(seen.position, Forms::main->pos() + QPoint(400, 300));
        QCOMPARE(Forms::main->Image8->picturePath(), ProgramFolder::file(QStringLiteral("images/shengji.png")));
    } else {
        QCOMPARE(seen.dialogs, 0);
        QCOMPARE(seen.notices, QStringList{notice});
        QCOMPARE(Forms::main->Image8->picturePath(), Tmain::picture(8, Tmain::Look::Selected));
    }
    QTRY_COMPARE(updaterStarts(), starts);
    QTest::qWait(300);
    QCOMPARE(updaterStarts(), starts);
    QCOMPARE(m_ends, ends);
    QVERIFY(m_server->requests.isEmpty());  // the button downloads nothing
}

void TestOnlineUpdate::mainWindowRunsTheCheckOnceAfterShowing()
{
    write(QStringLiteral("predate.ini"), versionFile("2026-12-01", "Pelquor 1.0.0.1"));
    m_server->serve(VersionPath, versionFile("2026-12-02", "Pelquor 1.0.0.2"));
    Seen seen;
    const auto answering = answerModals(seen, QStringLiteral("取消"));
    openProgram(true);
    QVERIFY(Forms::main->Timer1->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(seen.dialogs, 1, 10000);
    QTRY_VERIFY(!OnlineUpdate::checkRunning());
    QVERIFY(!Forms::main->Timer1->isActive());
    QCOMPARE(m_server->requests.size(), 1);
    QCOMPARE(seen.offered, QStringLiteral("Pelquor 1.0.0.2"));
}

QTEST_MAIN(TestOnlineUpdate)
#include "tst_onlineupdate.moc"
