#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class Download;
class SingleInstance;
class QTimer;

// The upgrade of one program folder, step by step:
//   1. read the offered release from "tmp.ini" (Date, banben, Archive, Size,
//      Sha256; see the version files);
//   2. download the archive beside the server's version file, into a
//      staging folder inside the program folder;
//   3. check its size and SHA-256 checksum, unpack it there, leaving out the
//      bank's folder "data" and the version files, and stage a new
//      "predate.ini" that names the offered release;
//   4. wait until Pelquor has ended (its single-instance lock is free);
//   5. put the staged files in place all together (see FolderSwap);
//   6. start Pelquor again.
// Any failure before or during step 5 leaves the program folder as it was;
// finished() then says why in Chinese.
class UpdateJob : public QObject
{
    Q_OBJECT

public:
    // `folder` is the program folder, ending with "/".
    explicit UpdateJob(const QString &folder, QObject *parent = nullptr);
    ~UpdateJob() override;

    void start();
    // Gives up, as long as nothing has been put in place yet.
    void cancel();
    bool installing() const { return m_installing; }

    // Starts Pelquor unless it is running: after a failed upgrade the
    // candidate gets the unchanged program back.
    void startProgramIfEnded();

    QString offeredVersion() const { return m_offeredVersion; }
    QString installedVersion() const { return m_installedVersion; }

    // Runs before each file is put in place; false makes that step fail.
    std::function<bool(const QString &file)> beforeEachReplace;

    static inline const QString StagingFolder = QStringLiteral(".pelquor-update");
    static constexpr int WaitPollMs = 200;

signals:
    // What is being done; `cancellable` is false once files are being put in place.
    void status(const QString &text, bool cancellable = true);
    void progress(qint64 received, qint64 total);
    void finished(bool ok, const QString &message);

private:
    void downloaded(bool ok);
    void unpack();
    void waitForProgram();
    void install();
    void fail(const QString &reason);
    void removeStaging();

    QString m_folder;
    QString m_staging;
    QString m_offeredDate;
    QString m_offeredVersion;
    QString m_installedVersion;
    qint64 m_size = 0;
    QByteArray m_sha256;
    QStringList m_files;
    QPointer<Download> m_download;
    QTimer *m_wait;
    std::unique_ptr<SingleInstance> m_lock;
    bool m_installing = false;
    bool m_done = false;
};
