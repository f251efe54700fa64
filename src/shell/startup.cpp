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

#include <QApplication>

namespace Startup {

namespace {

// A window whose creation fails is left out; start-up goes on.
template<typename Form, typename Make>
void create(QPointer<Form> &instance, Make make)
{
    ErrorBox::run(nullptr, [&] { instance = make(); });
}

} // namespace

void createWindows()
{
    Fonts::install();
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
