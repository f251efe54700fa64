#include "updatejob.h"

#include "download.h"
#include "fileversion.h"
#include "folderswap.h"
#include "releasearchive.h"
#include "singleinstance.h"
#include "versionfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

namespace {

const QString LockName = QStringLiteral("orvapqjsys");
const QString ProgramName = QStringLiteral("pelquor");

} // namespace

UpdateJob::UpdateJob(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder.endsWith(u'/') ? folder : folder + u'/')
    , m_staging(m_folder + StagingFolder)
    , m_wait(new QTimer(this))
{
    m_wait->setInterval(WaitPollMs);
    connect(m_wait, &QTimer::timeout, this, &UpdateJob::waitForProgram);
}

UpdateJob::~UpdateJob() = default;

void UpdateJob::start()
{
    const QString tmp = m_folder + VersionFiles::TmpIni;
    auto key = [&](const char *name) {
        return VersionFiles::read(tmp, VersionFiles::Section, QString::fromLatin1(name), QString()).trimmed();
    };
    m_installedVersion = VersionFiles::read(m_folder + VersionFiles::PredateIni, VersionFiles::Section,
                                            QStringLiteral("banben"), QString());
    if (!QFile::exists(tmp)) {
        fail(QStringLiteral("没有找到升级信息 tmp.ini，请先在 Pelquor 中检查新版本"));
        return;
    }
    m_offeredDate = key("Date");
    m_offeredVersion = key("banben");
    const QString archive = key("Archive");
    bool sizeOk = false;
    m_size = key("Size").toLongLong(&sizeOk);
    m_sha256 = key("Sha256").toLatin1().toLower();
    QStringList missing;
    for (const char *name : {"Date", "Archive", "Size", "Sha256"}) {
        if (key(name).isEmpty())
            missing << QString::fromLatin1(name);
    }
    if (!missing.isEmpty()) {
        fail(QStringLiteral("升级信息 tmp.ini 不完整，缺少 %1").arg(missing.join(QStringLiteral("、"))));
        return;
    }
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    if (!sizeOk || m_size <= 0 || !hex.match(QString::fromLatin1(m_sha256)).hasMatch()) {
        fail(QStringLiteral("升级信息 tmp.ini 中的大小或校验值无效"));
        return;
    }
    const QString installedDate = VersionFiles::read(m_folder + VersionFiles::PredateIni, VersionFiles::Section,
                                                     QStringLiteral("Date"), VersionFiles::today());
    if (!VersionFiles::isNewer(m_offeredDate, installedDate)) {
        fail(QStringLiteral("已经是最新版本，无需升级"));
        return;
    }

    // A name beside the server's version file, or a whole address.
    QUrl url(archive);
    if (url.scheme().isEmpty())
        url = VersionFiles::checkUrl(FileVersion(m_folder + ProgramName)).resolved(QUrl(archive));

    removeStaging();  // what an earlier, interrupted run left
    if (!QDir().mkpath(m_staging)) {
        fail(QStringLiteral("无法在程序文件夹中创建临时文件夹 %1").arg(m_staging));
        return;
    }
    emit status(QStringLiteral("正在下载升级包……"));
    m_download = new Download(this);
    connect(m_download, &Download::progress, this, &UpdateJob::progress);
    connect(m_download, &Download::finished, this, &UpdateJob::downloaded);
    // A release takes longer than a version file: only a stalled transfer
    // ends it, and nothing beyond the announced size is accepted.
    m_download->start(url, m_staging + QStringLiteral("/release.pkg"), Download::Limits{0, 10000, m_size});
}

void UpdateJob::downloaded(bool ok)
{
    if (m_done)
        return;
    if (!ok) {
        fail(QStringLiteral("无法下载升级包：%1").arg(m_download->errorText()));
        return;
    }
    // Each long step starts from the event loop, so the window shows what
    // is being done before the work begins.
    emit status(QStringLiteral("正在检查升级包……"));
    QTimer::singleShot(0, this, &UpdateJob::unpack);
}

void UpdateJob::unpack()
{
    if (m_done)
        return;
    QFile file(m_staging + QStringLiteral("/release.pkg"));
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("无法读取下载的升级包（%1）").arg(file.errorString()));
        return;
    }
    const QByteArray archive = file.readAll();
    file.close();
    if (archive.size() != m_size) {
        fail(QStringLiteral("升级包的大小不对（应为 %1 字节，实为 %2 字节）").arg(m_size).arg(archive.size()));
        return;
    }
    if (QCryptographicHash::hash(archive, QCryptographicHash::Sha256).toHex() != m_sha256) {
        fail(QStringLiteral("升级包的校验值不符，文件已损坏"));
        return;
    }
    QFile::remove(file.fileName());

    const QString staged = m_staging + QStringLiteral("/new");
    // The bank keeps the candidate's progress; the version files belong to
    // this folder, not to the release.
    const ReleaseArchive::Result unpacked = ReleaseArchive::extract(
        archive, staged,
        {QStringLiteral("data"), StagingFolder, VersionFiles::PredateIni, VersionFiles::TmpIni});
    if (!unpacked.ok) {
        fail(unpacked.error);
        return;
    }
    m_files = unpacked.files;

    QFile predate(staged + u'/' + VersionFiles::PredateIni);
    const QByteArray text = QStringLiteral("[File1]\r\nDate=%1\r\nbanben=%2\r\n")
                                .arg(m_offeredDate, m_offeredVersion).toUtf8();
    if (!predate.open(QIODevice::WriteOnly) || predate.write(text) != text.size()) {
        fail(QStringLiteral("无法写入新的 predate.ini（%1）").arg(predate.errorString()));
        return;
    }
    predate.close();
    m_files << VersionFiles::PredateIni;

    m_lock = std::make_unique<SingleInstance>(LockName);
    waitForProgram();
}

void UpdateJob::waitForProgram()
{
    if (m_done)
        return;
    if (!m_lock->acquire()) {
        if (!m_wait->isActive()) {
            emit status(QStringLiteral("请退出 Pelquor，升级将在它退出后继续……"));
            m_wait->start();
        }
        return;
    }
    m_wait->stop();
    emit status(QStringLiteral("正在替换程序文件……"), false);
    QTimer::singleShot(0, this, &UpdateJob::install);
}

void UpdateJob::install()
{
    if (m_done)
        return;
    m_installing = true;
    const FolderSwap::Result swapped = FolderSwap::replace(m_folder, m_staging + QStringLiteral("/new"), m_files,
                                                           m_staging + QStringLiteral("/old"), beforeEachReplace);
    m_installing = false;
    if (!swapped.ok) {
        fail(swapped.error);
        return;
    }
    removeStaging();
    m_done = true;
    // Pelquor can only start once the lock is free again.
    m_lock.reset();
    const bool restarted = QProcess::startDetached(m_folder + ProgramName, {}, m_folder);
    emit finished(true, restarted ? QStringLiteral("升级完成，Pelquor 已重新启动。")
                                  : QStringLiteral("升级完成，但无法重新启动 Pelquor，请手动启动。"));
}

void UpdateJob::cancel()
{
    if (m_done || m_installing)
        return;
    if (m_download)
        m_download->disconnect(this);
    fail(QStringLiteral("升级已取消"));
}

void UpdateJob::startProgramIfEnded()
{
    bool ended = false;
    {
        // Held only for the look: the program must find the lock free.
        SingleInstance probe(LockName);
        ended = probe.acquire();
    }
    const QString program = m_folder + ProgramName;
    if (ended && QFileInfo(program).isExecutable())
        QProcess::startDetached(program, {}, m_folder);
}

void UpdateJob::fail(const QString &reason)
{
    if (m_done)
        return;
    m_done = true;
    m_wait->stop();
    if (m_download)
        m_download->abort();
    m_lock.reset();
    removeStaging();
    emit finished(false, QStringLiteral("升级没有完成：%1。程序文件夹中的文件都没有改动。").arg(reason));
}

void UpdateJob::removeStaging()
{
    QDir(m_staging).removeRecursively();
}
