#include "onlineupdate.h"

#include "download.h"
#include "fileversion.h"
#include "forms.h"
#include "modules.h"
#include "netcheck.h"
#include "picturebox.h"
#include "programfolder.h"
#include "tbanben.h"
#include "tmain.h"
#include "ttits.h"
#include "versionfiles.h"

#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QTimer>

namespace OnlineUpdate {

namespace {

QPointer<Tbanben> dialog;
QPointer<Download> check;
bool checking = false;
bool continuing = false;  // the download has ended and the check goes on from there

void tell(const QString &message)
{
    if (Forms::tits)
        Forms::tits->tell(message);
}

QString date(const QString &file)
{
    return VersionFiles::read(file, VersionFiles::Section, QStringLiteral("Date"), VersionFiles::today());
}

QString version(const QString &file)
{
    return VersionFiles::read(file, VersionFiles::Section, QStringLiteral("banben"), QString());
}

// The version dialog at main window left + 400, top + 300, modally.
int showVersionDialog()
{
    Tbanben *window = banben();
    if (Forms::main)
        window->move(Forms::main->pos() + QPoint(400, 300));
    return window->exec();
}

// The automatic check once its download has ended.
void afterDownload(bool downloaded)
{
    if (!downloaded)
        return;
    const QString offered = date(AppPath + VersionFiles::TmpIni);
    banben1 = version(AppPath + VersionFiles::TmpIni);
    const QString installed = date(AppPath + VersionFiles::PredateIni);
    banben2 = version(AppPath + VersionFiles::PredateIni);
    if (!VersionFiles::isNewer(offered, installed))
        return;
    // Not over a question being worked or over another dialog: the
    // candidate finds the offer behind 在线升级 then.
    if (QApplication::activeModalWidget() || (Forms::main && Forms::main->ctbh == 0))
        return;
    showVersionDialog();
}

} // namespace

static Services defaultServices()
{
    Services s;
    s.networkConnected = [] { return NetCheckMacAttachNet(); };
    s.programFile = [] { return QCoreApplication::applicationFilePath(); };
    s.endApplication = [] {
        QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    };
    return s;
}

Services &services()
{
    static Services s = defaultServices();
    return s;
}

void resetServices()
{
    services() = defaultServices();
}

Tbanben *banben()
{
    if (!dialog)
        dialog = new Tbanben(Forms::main);
    return dialog;
}

void Timer1Timer()
{
    try {
        if (Forms::main)
            Forms::main->Timer1->stop();
        if (checking)
            return;
        sChkURL = VersionFiles::checkUrl(FileVersion(services().programFile())).toString();
        AppPath = ProgramFolder::path();
        delete check.data();
        check = new Download(Forms::main);
        checking = true;
        continuing = false;
        // A download that goes with the main window never finishes.
        QObject::connect(check, &QObject::destroyed, qApp, [] {
            if (!continuing)
                checking = false;
        });
        QObject::connect(check, &Download::finished, check, [](bool ok) {
            continuing = true;
            check->deleteLater();
            // Continued from the event loop rather than inside the network
            // reply's own signal, because it may open a modal dialog.
            QTimer::singleShot(0, qApp, [ok] {
                try {
                    afterDownload(ok);
                } catch (...) {
                }
                checking = false;
            });
        });
        check->start(QUrl(sChkURL), AppPath + VersionFiles::TmpIni);
    } catch (...) {
        checking = false;
    }
}

bool checkRunning()
{
    return checking;
}

void Image8Click()
{
    if (!services().networkConnected()) {
        tell(QStringLiteral("请检查网络连接!"));
        return;
    }
    // Always the program folder's version files, whether or not the
    // automatic check has run.
    const QString folder = ProgramFolder::path();
    const QString offered = date(folder + VersionFiles::TmpIni);
    const QString installed = date(folder + VersionFiles::PredateIni);
    if (!VersionFiles::isNewer(offered, installed)) {
        tell(QStringLiteral("已经是最新版本!"));
        return;
    }
    // The dialog shows the versions of the very files just compared.
    banben1 = version(folder + VersionFiles::TmpIni);
    banben2 = version(folder + VersionFiles::PredateIni);
    // "确定" has started the updater already; it is asked only once.
    if (showVersionDialog() != QDialog::Accepted)
        startUpdater();
    if (Forms::main)
        Forms::main->Image8->loadPicture(ProgramFolder::file(QStringLiteral("images/shengji.png")));
}

void startUpdater()
{
    // As the system starts it: the result is not examined.
    QProcess::startDetached(ProgramFolder::file(QStringLiteral("app_upd")), {}, ProgramFolder::path());
}

void install()
{
    Modules::factories().updateCheck = [] { Image8Click(); };
    Modules::factories().updateTimer = [] { Timer1Timer(); };
}

} // namespace OnlineUpdate
