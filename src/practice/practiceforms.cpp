#include "practiceforms.h"

#include "forms.h"
#include "modules.h"
#include "tmain.h"
#include "tsbs.h"
#include "tsbsjx.h"
#include "txzlxt.h"

namespace PracticeForms {

Tsbsjx *browser()
{
    return qobject_cast<Tsbsjx *>(Forms::sbsjx.data());
}

Txzlxt *picker()
{
    // Start-up made it; a run without the shell's start-up gets one here.
    if (!qobject_cast<Txzlxt *>(Forms::xzlxt.data())) {
        delete Forms::xzlxt.data();
        Forms::xzlxt = new Txzlxt;
    }
    return qobject_cast<Txzlxt *>(Forms::xzlxt.data());
}

void openPracticeWindow()
{
    QWidget *panel = Forms::main ? Forms::main->Panel3 : nullptr;
    sbs = new Tsbs(panel);
    sbs->setAttribute(Qt::WA_DeleteOnClose, false);
    sbs->move(0, 0);
    sbs->show();
    sbs->raise();
}

void install()
{
    Modules::factories().xzlxt = [] { return new Txzlxt; };
    Modules::factories().sbsjx = [](QWidget *panel) {
        auto *browser = new Tsbsjx(panel);
        return Modules::ChapterBrowser{browser, browser->Image2};
    };
}

} // namespace PracticeForms
