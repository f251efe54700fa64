#include "startup.h"

#include "errorbox.h"
#include "fonts.h"
#include "forms.h"
#include "modules.h"
#include "tjsct.h"
#include "tmain.h"
#include "ttcrj.h"
#include "ttits.h"
#include "ttzts.h"

#include "connection.h"
#include "programfolder.h"
#include "storeerror.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

namespace Startup {

namespace {

// A window whose creation fails is left out; start-up goes on.
template<typename Form, typename Make>
void create(QPointer<Form> &instance, Make make)
{
    ErrorBox::run(nullptr, [&] { instance = make(); });
}

} // namespace

// The bank is looked at once before any window uses it. A bank that cannot
// be opened gets one message in Chinese naming the file and the way out,
// and the windows that open their connections while the program starts
// add no boxes of their own; a bank that cannot be written is said at once,
// before the candidate practises in vain.
bool checkBank()
{
    const QString file = ProgramFolder::file(QStringLiteral("data/orva.mdb"));
    const QString rebuild = QStringLiteral("请重新生成程序文件夹（在源代码文件夹中运行 scripts/build），"
                                           "或从安装包重新复制程序文件夹。");
    QString problem;
    bool unusable = true;
    if (!QFileInfo::exists(file)) {
        problem = QStringLiteral("找不到题库文件：\n%1\n\n%2").arg(file, rebuild);
    } else {
        try {
            Connection connection(Connection::connectionStringFor(ProgramFolder::path()));
            connection.open();
            connection.exec(QStringLiteral("select count(*) from sbsti"));
            unusable = false;
        } catch (const StoreError &error) {
            unusable = !error.isBusy();
            if (unusable)
                problem = QStringLiteral("无法打开题库文件：\n%1\n\n它不是本程序的题库，或已经损坏（%2）。\n\n%3")
                              .arg(file, error.message(), rebuild);
        }
        const QFileInfo bank(file);
        const QFileInfo folder(bank.absolutePath());
        if (!unusable && (!bank.isWritable() || !folder.isWritable()))
            problem = QStringLiteral("题库不能写入：%1是只读的：\n%2\n\n练习和考试的记录将无法保存。"
                                     "请让题库文件和 data 文件夹可以写入，或把程序文件夹复制到可以写入的位置。")
                          .arg(bank.isWritable() ? QStringLiteral("data 文件夹") : QStringLiteral("题库文件"),
                               bank.isWritable() ? folder.absoluteFilePath() : file);
    }
    if (!problem.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Pelquor"), problem);
    return !unusable;
}

void createWindows()
{
    Fonts::install();
    // With a bank that cannot be used, the windows that open it while the
    // program starts add no boxes to the one message; once the program is
    // up (its event loop runs), every failure has its box again.
    if (!checkBank()) {
        ErrorBox::holdStoreErrors(true);
        QTimer::singleShot(0, qApp, [] { ErrorBox::holdStoreErrors(false); });
    }
    Modules::Factories &modules = Modules::factories();
    create(Forms::main, [] { return new Tmain; });
    create(Forms::jsct, [] { return new Tjsct; });
    create(Forms::tcrj, [] { return new Ttcrj; });
    create(Forms::xxjh, modules.xxjh);
    create(Forms::wlkt, modules.wlkt);
    create(Forms::xzlxt, modules.xzlxt);
    create(Forms::tits, [] { return new Ttits; });
    create(Forms::mnks, modules.mnks);
    create(Forms::kszn, modules.kszn);
    create(Forms::Tzts, [] { return new TTzts; });
}

void destroyWindows()
{
    // The chapter browser and the docked modules go with the main window.
    delete Forms::Tzts.data();
    delete Forms::tits.data();
    delete Forms::tcrj.data();
    delete Forms::jsct.data();
    delete Forms::main.data();
    for (QPointer<QWidget> *module : {&Forms::kszn, &Forms::mnks, &Forms::xzlxt, &Forms::wlkt, &Forms::xxjh})
        delete module->data();
}

int run()
{
    QApplication::setApplicationName(QStringLiteral("Pelquor"));
    createWindows();
    if (Forms::main)
        Forms::main->show();
    const int code = QApplication::exec();
    destroyWindows();
    return code;
}

} // namespace Startup
