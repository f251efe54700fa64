#include "programfolderbuilder.h"

#include "artwork.h"
#include "bankwriter.h"
#include "builderkit.h"
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

// Stands in for the real updater, which is delivered with a release and not
// part of this build: it tells the candidate what it is and changes nothing.
const char *const StandInUpdater =
    "#!/bin/sh\n"
    "# Stand-in for the updater program delivered with a release.\n"
    "text=\"这是更新程序的替身：本版本不带更新程序，不会下载或更改任何文件。\"\n"
    "if [ -n \"$DISPLAY\" ] && command -v xmessage >/dev/null 2>&1; then\n"
    "  exec xmessage -center -title Pelquor \"$text\"\n"
    "fi\n"
    "echo \"$text\"\n";

} // namespace

void buildProgramFolder(const QString &sourcesFolder, const QString &programFolder,
                        const QString &simulatorExecutable)
{
    const ContentSources sources = ContentSources::read(sourcesFolder);
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
    BuilderOutput::writeFile(app.filePath(QStringLiteral("app_upd")), StandInUpdater, true);
    if (!simulatorExecutable.isEmpty())
        writeSimulatorFolders(sources.questions, app.absolutePath(), simulatorExecutable);
}
