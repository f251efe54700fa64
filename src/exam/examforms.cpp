#include "examforms.h"

#include "forms.h"
#include "modules.h"
#include "tmnks.h"
#include "tmnksczts.h"
#include "tmnksksxx.h"
#include "tmnksts4.h"
#include "ttits.h"

#include <QListWidget>

namespace ExamForms {

Tmnks *list()
{
    return qobject_cast<Tmnks *>(Forms::mnks.data());
}

QString selectedRoom()
{
    Tmnks *rooms = list();
    if (!rooms)
        return {};
    QListWidgetItem *item = rooms->ListBox1->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void install()
{
    Modules::factories().mnks = [] {
        auto *rooms = new Tmnks;
        createLongLived();
        return rooms;
    };
}

void createLongLived()
{
    if (!mnksksxx)
        mnksksxx = new Tmnksksxx;
    if (!mnksts4)
        mnksts4 = new Tmnksts4;
    if (!mnksczts)
        mnksczts = new Tmnksczts;
}

void destroyLongLived()
{
    delete mnksczts.data();
    delete mnksts4.data();
    delete mnksksxx.data();
}

void notice(const QString &text, QWidget *over)
{
    if (!Forms::tits)
        Forms::tits = new Ttits;
    if (over) {
        const QPoint centre = over->mapToGlobal(over->rect().center());
        Forms::tits->move(centre - QPoint(Forms::tits->width() / 2, Forms::tits->height() / 2));
    }
    Forms::tits->tell(text);
}

} // namespace ExamForms
