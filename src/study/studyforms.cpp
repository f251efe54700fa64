#include "studyforms.h"

#include "forms.h"
#include "modules.h"
#include "tkszn.h"
#include "twlkt.h"
#include "txxjh.h"

namespace StudyForms {

Txxjh *plan()
{
    return qobject_cast<Txxjh *>(Forms::xxjh.data());
}

Twlkt *classroom()
{
    return qobject_cast<Twlkt *>(Forms::wlkt.data());
}

Tkszn *guide()
{
    return qobject_cast<Tkszn *>(Forms::kszn.data());
}

void install()
{
    Modules::factories().xxjh = [] { return new Txxjh; };
    Modules::factories().wlkt = [] { return new Twlkt; };
    Modules::factories().kszn = [] { return new Tkszn; };
}

} // namespace StudyForms
