#include "httpserver.h"
#include "singleinstance.h"
#include "updatejob.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The updater on a small program folder in a temporary folder, with its
// release served by a real HTTP server on the loopback address. Pelquor in
// that folder is a script that records each start.
class TestUpdater : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fullUpdate_data();
    void fullUpdate();
    void failureChangesNothing_data();
    void failureChangesNothing();
    void updaterProgramWaitsForPelquorThenUpdates();

private:
    struct Entry
    {
        Entry(const QByteArray &name, const QByteArray &data = {}, char type = '0', const QByteArray &link = {},
              int mode = 0644)
            : name(name), data(data), type(type), link(link), mode(mode)
        {
        }
        QByteArray name;
        QByteArray data;
        char type;
        QByteArray link;
        int mode;
    };
    static QByteArray tar(const QList<Entry> &entries);
    static QList<Entry> release();
    void write(const QString &name, const QByteArray &bytes, bool executable = false);
    QByteArray read(const QString &name) const;
    void offer(const QByteArray &archive, const QByteArray &archiveName, const QByteArray &served);
    QMap<QString, QByteArray> snapshot() const;
    QString path(const QString &name) const { return m_folder->path() + u'/' + name; }

    QTemporaryDir m_runtime;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<HttpServer> m_server;
};

const QByteArray Installed = "[File1]\r\nDate=2026-12-01\r\nbanben=Pelquor 1.0.0.1\r\n";
const QByteArray Upgraded = "[File1]\r\nDate=2026-12-02\r\nbanben=Pelquor 1.0.0.2\r\n";
const QByteArray NewProgram = "#!/bin/sh\necho new >> \"$(dirname \"$0\")/restarts.log\"\n";

QByteArray TestUpdater::tar(const QList<Entry> &entries)
{
    QByteArray out;
    for (const Entry &e : entries) {
        QByteArray header(512, '\0');
        auto put = [&header](int at, const QByteArray &value) { header.replace(at, value.size(), value); };
        put(0, e.name);
        put(100, QByteArray::number(e.mode, 8).rightJustified(7, '0'));
        put(108, "0000000");
        put(116, "0000000");
        put(124, QByteArray::number(e.type == '0' ? e.data.size() : 0, 8).rightJustified(11, '0'));
        put(136, "00000000000");
        put(148, "        ");
        header[156] = e.type;
        put(157, e.link);
        put(257, QByteArray("ustar\0" "00", 8));
        int sum = 0;
        for (char c : header)
            sum += quint8(c);
        put(148, QByteArray::number(sum, 8).rightJustified(6, '0') + QByteArray("\0 ", 2));
        out += header;
        if (e.type == '0') {
            out += e.data;
            out += QByteArray((512 - e.data.size() % 512) % 512, '\0');
        }
    }
    return out + QByteArray(1024, '\0');
}

// The release: a new program, a changed and a new picture, a new folder, a
// simulator link, and a bank and version file that must not be installed.
QList<TestUpdater::Entry> TestUpdater::release()
{
    return {
        {"pelquor", NewProgram, '0', {}, 0755},
        {"images/", {}, '5', {}, 0755},
        {"images/a.png", "new picture"},
        {"images/b.png", "another new picture"},
        {"newdir/deep/c.txt", "new text"},
        {"ovti/q/ov", {}, '2', "../pelquor-simulator"},
        {"data/orva.mdb", "NOT THE BANK"},
        {"predate.ini", "[File1]\r\nDate=1999-01-01\r\n"},
    };
}

void TestUpdater::initTestCase()
{
    // Pelquor's single-instance lock lives here: free unless a test holds it.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void TestUpdater::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_server = std::make_unique<HttpServer>();
    qputenv("PELQUOR_UPDATE_SERVER", m_server->hostPort());
    write(QStringLiteral("pelquor"), "#!/bin/sh\necho old >> \"$(dirname \"$0\")/restarts.log\"\n", true);
    write(QStringLiteral("images/a.png"), "old picture");
    write(QStringLiteral("data/orva.mdb"), "THE BANK");
    write(QStringLiteral("kept.txt"), "not in the release");
    write(QStringLiteral("predate.ini"), Installed);
}

void TestUpdater::cleanup()
{
    m_server.reset();
    m_folder.reset();
}

void TestUpdater::write(const QString &name, const QByteArray &bytes, bool executable)
{
    QDir().mkpath(QFileInfo(path(name)).path());
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

QByteArray TestUpdater::read(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// tmp.ini naming `archiveName` with the size and checksum of `archive`; the
// server sends `served` for it.
void TestUpdater::offer(const QByteArray &archive, const QByteArray &archiveName, const QByteArray &served)
{
    write(QStringLiteral("tmp.ini"), Upgraded + "Archive=" + archiveName + "\r\nSize=" + QByteArray::number(archive.size())
                                         + "\r\nSha256="
                                         + QCryptographicHash::hash(archive, QCryptographicHash::Sha256).toHex() + "\r\n");
    const QByteArray where = archiveName.startsWith("http://") ? QUrl(QString::fromLatin1(archiveName)).path().toLatin1()
                                                               : "/pelqupd/diva60/unknown/" + archiveName;
    m_server->serve(where, served);
}

// Every file, link and folder with its content, link target or permissions.
QMap<QString, QByteArray> TestUpdater::snapshot() const
{
    QMap<QString, QByteArray> seen;
    QDirIterator it(m_folder->path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = QDir(m_folder->path()).relativeFilePath(info.filePath());
        if (info.isSymLink())
            seen[name] = "link " + QFile::encodeName(info.symLinkTarget());
        else if (info.isDir())
            seen[name] = "folder";
        else
            seen[name] = read(name) + " mode " + QByteArray::number(int(info.permissions()), 16);
    }
    return seen;
}

void TestUpdater::fullUpdate_data()
{
    QTest::addColumn<bool>("gzipBySystemTar");
    QTest::newRow("plain tar beside the version file") << false;
    QTest::newRow("gzip from the system's tar, whole address") << true;
}

void TestUpdater::fullUpdate()
{
    QFETCH(bool, gzipBySystemTar);
    QByteArray archive = tar(release());
    QByteArray name = "release.tar";
    if (gzipBySystemTar) {
        // The same release as GNU tar writes it: "./" names, gzip.
        QTemporaryDir tree;
        QDir(tree.path()).mkpath(QStringLiteral("images"));
        QDir(tree.path()).mkpath(QStringLiteral("newdir/deep"));
        QDir(tree.path()).mkpath(QStringLiteral("ovti/q"));
        QDir(tree.path()).mkpath(QStringLiteral("data"));
        for (const Entry &e : release()) {
            if (e.type == '0') {
                QFile file(tree.path() + u'/' + QString::fromUtf8(e.name));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(e.data);
                file.close();
                file.setPermissions(e.mode == 0755 ? file.permissions() | QFile::ExeOwner : file.permissions());
            }
        }
        QVERIFY(QFile::link(QStringLiteral("../pelquor-simulator"), tree.path() + QStringLiteral("/ovti/q/ov")));
        const QString packed = tree.path() + QStringLiteral("/../") + QFileInfo(tree.path()).fileName() + QStringLiteral(".tgz");
        QCOMPARE(QProcess::execute(QStringLiteral("tar"), {QStringLiteral("-czf"), packed, QStringLiteral("-C"), tree.path(), QStringLiteral(".")}), 0);
        QFile file(packed);
        QVERIFY(file.open(QIODevice::ReadOnly));
        archive = file.readAll();
        file.remove();
        name = m_server->url("/elsewhere/release.tgz");
    }
    offer(archive, name, archive);

    UpdateJob job(m_folder->path());
    QSignalSpy finished(&job, &UpdateJob::finished);
    job.start();
    QVERIFY(finished.wait(10000));
    QVERIFY2(finished.at(0).at(0).toBool(), qPrintable(finished.at(0).at(1).toString()));

    QCOMPARE(read(QStringLiteral("pelquor")), NewProgram);
    QVERIFY(QFileInfo(path(QStringLiteral("pelquor"))).isExecutable());
    QCOMPARE(read(QStringLiteral("images/a.png")), QByteArray("new picture"));
    QCOMPARE(read(QStringLiteral("images/b.png")), QByteArray("another new picture"));
    QCOMPARE(read(QStringLiteral("newdir/deep/c.txt")), QByteArray("new text"));
    QCOMPARE(QFileInfo(path(QStringLiteral("ovti/q/ov"))).symLinkTarget(), path(QStringLiteral("ovti/pelquor-simulator")));
    QCOMPARE(read(QStringLiteral("data/orva.mdb")), QByteArray("THE BANK"));
    QCOMPARE(read(QStringLiteral("kept.txt")), QByteArray("not in the release"));
    QCOMPARE(read(QStringLiteral("predate.ini")), Upgraded);
    QVERIFY(!QFileInfo::exists(path(UpdateJob::StagingFolder)));
    QTRY_COMPARE(read(QStringLiteral("restarts.log")), QByteArray("new\n"));
}

void TestUpdater::failureChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("corrupt archive") << "corrupt" << "校验值不符";
    QTest::newRow("archive cut short") << "short" << "大小不对";
    QTest::newRow("longer than announced") << "long" << "超过了";
    QTest::newRow("broken gzip") << "bad gzip" << "无法解压";
    QTest::newRow("archive not on the server") << "404" << "无法下载升级包";
    QTest::newRow("server stops answering") << "silent" << "没有应答";
    QTest::newRow("no checksum in tmp.ini") << "no checksum" << "缺少 Sha256";
    QTest::newRow("no tmp.ini") << "no tmp.ini" << "没有找到升级信息";
    QTest::newRow("name leaving the folder") << "dotdot" << "不允许的文件名";
    QTest::newRow("link leaving the folder") << "link out" << "指向程序文件夹以外";
    QTest::newRow("file over a folder") << "file over folder" << "是一个文件夹";
    QTest::newRow("not a tar") << "garbage" << "升级包";
    QTest::newRow("failure while replacing") << "midway" << "替换“ovti/q/ov”时出错";
}

void TestUpdater::failureChangesNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QList<Entry> entries = release();
    if (kind == u"dotdot")
        entries.append(Entry("images/../../evil", "escaped"));
    if (kind == u"link out")
        entries.append(Entry("ovti/q/out", {}, '2', "../../../etc"));
    if (kind == u"file over folder")
        entries = {{"pelquor", NewProgram, '0', {}, 0755}, {"images", "a file"}};
    QByteArray archive = kind == u"garbage" ? QByteArray(2048, 'x') : tar(entries);
    if (kind == u"bad gzip")
        archive = QByteArray("\x1f\x8b\x08\x00", 4) + QByteArray(2048, 'x');
    QByteArray served = archive;
    if (kind == u"corrupt")
        served[700] = char(served[700] ^ 0x55);
    if (kind == u"short")
        served.chop(600);
    if (kind == u"long")
        served += QByteArray(100000, 'y');
    offer(archive, "release.tar", served);
    if (kind == u"404")
        m_server->route("/pelqupd/diva60/unknown/release.tar", HttpServer::Route{404, "gone", {}, false});
    if (kind == u"silent")
        m_server->route("/pelqupd/diva60/unknown/release.tar", HttpServer::Route{200, {}, {}, true});
    if (kind == u"no checksum") {
        QByteArray tmp = read(QStringLiteral("tmp.ini"));
        write(QStringLiteral("tmp.ini"), tmp.left(tmp.indexOf("Sha256")));
    }
    if (kind == u"no tmp.ini")
        QFile::remove(path(QStringLiteral("tmp.ini")));
    const auto before = snapshot();

    UpdateJob job(m_folder->path());
    int replaced = 0;
    if (kind == u"midway")
        job.beforeEachReplace = [&replaced](const QString &) { return ++replaced < 5; };
    QSignalSpy finished(&job, &UpdateJob::finished);
    job.start();
    QVERIFY(finished.count() == 1 || finished.wait(15000));
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    const QString message = finished.at(0).at(1).toString();
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY(message.contains(QStringLiteral("程序文件夹中的文件都没有改动")));
    if (kind == u"midway")
        QCOMPARE(replaced, 5);  // four files and two new folders were in place and went back
    QCOMPARE(snapshot(), before);
    QTest::qWait(200);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("restarts.log"))));
}

// The real program: it waits while Pelquor holds its lock, then upgrades
// the folder it lies in and starts the new Pelquor. It runs once at a time.
void TestUpdater::updaterProgramWaitsForPelquorThenUpdates()
{
    QVERIFY(QFile::copy(QStringLiteral(APP_UPD), path(QStringLiteral("app_upd"))));
    const QByteArray archive = tar(release());
    offer(archive, "release.tar", archive);
    auto pelquorRunning = std::make_unique<SingleInstance>(QStringLiteral("orvapqjsys"));
    QVERIFY(pelquorRunning->acquire());

    QProcess updater;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    updater.setProcessEnvironment(environment);
    updater.start(path(QStringLiteral("app_upd")), {});
    QVERIFY(updater.waitForStarted());
    QTRY_VERIFY(!m_server->requests.isEmpty());
    QTest::qWait(1500);
    QCOMPARE(read(QStringLiteral("predate.ini")), Installed);  // still waiting
    QCOMPARE(updater.state(), QProcess::Running);

    // A second start request meanwhile ends at once and fetches nothing.
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(path(QStringLiteral("app_upd")), {});
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(m_server->requests.size(), 1);

    pelquorRunning.reset();
    QTRY_COMPARE_WITH_TIMEOUT(read(QStringLiteral("restarts.log")), QByteArray("new\n"), 10000);
    QCOMPARE(read(QStringLiteral("predate.ini")), Upgraded);
    QCOMPARE(read(QStringLiteral("data/orva.mdb")), QByteArray("THE BANK"));
    // It closes by itself once done.
    QTRY_COMPARE_WITH_TIMEOUT(updater.state(), QProcess::NotRunning, 10000);
    QCOMPARE(updater.exitCode(), 0);
}

QTEST_MAIN(TestUpdater)
#include "tst_updater.moc"
