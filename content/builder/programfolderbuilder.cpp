#include "programfolderbuilder.h"

#include "artwork.h"
#include "bankwriter.h"
#include "builderkit.h"
#include "contentchecker.h"
#include "examart.h"
#include "practiceart.h"
#include "simulatorfolders.h"
#include "contentsources.h"
#include "storeerror.h"

#include <QDir>
#include <QFile>

namespace {

void makeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        throw StoreError(QStringLiteral("无法创建文件夹 %1").arg(path));
}

// The release the folder holds, as the online update compares it.
const char *const LocalVersion = "[File1]\r\nDate=2026-12-01\r\nbanben=Pelquor 1.0.0.1\r\n";

} // namespace

QStringList buildProgramFolder(const QString &sourcesFolder, const QString &programFolder,
                               const QString &simulatorExecutable)
{
    const ContentSources sources = ContentSources::read(sourcesFolder);
    // Broken rules are reported at their source lines, before anything is written.
    if (const QStringList problems = checkContentRules(sources); !problems.isEmpty())
        return problems;
    QList<Task> tasks;
    if (const QStringList problems = readAuthoredTasks(sources, &tasks); !problems.isEmpty())
        return problems;
    const QDir app(programFolder);
    for (const QString &folder : {QStringLiteral("data"), QStringLiteral("images"), QStringLiteral("sound"),
                                  QStringLiteral("ovti"), QStringLiteral("Vide1")})
        makeFolder(app.filePath(folder));
    writeBank(sources, app.filePath(QStringLiteral("data/orva.mdb")));
    Artwork::writePictures(app.filePath(QStringLiteral("images")));
    Artwork::writePracticePictures(app.filePath(QStringLiteral("images")));
    Artwork::writeExamPictures(app.filePath(QStringLiteral("images")));
    Artwork::writeStartSound(app.filePath(QStringLiteral("sound/start.wav")));
    Artwork::writePageTemplate(app.filePath(QStringLiteral("ov.html")));
    BuilderOutput::writeFile(app.filePath(QStringLiteral("predate.ini")), LocalVersion);
    if (!simulatorExecutable.isEmpty())
        writeSimulatorFolders(tasks, app.absolutePath(), simulatorExecutable);
    return {};
}

void discardBank(const QString &programFolder)
{
    const QString bank = QDir(programFolder).filePath(QStringLiteral("data/orva.mdb"));
    for (const QString &suffix : {QString(), QStringLiteral(".new"), QStringLiteral("-journal"),
                                  QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(bank + suffix);
}
