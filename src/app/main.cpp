#include "examforms.h"
#include "fontconfiguration.h"
#include "inputmethods.h"
#include "onlineupdate.h"
#include "pixelgeometry.h"
#include "practiceforms.h"
#include "singleinstance.h"
#include "startup.h"
#include "studyforms.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // One instance per user: a second start ends at once, silently.
    SingleInstance instance(QStringLiteral("orvapqjsys"));
    if (!instance.acquire())
        return 0;

    // Embedding the question simulators needs X11, also under XWayland.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Chinese typing through IBus where it runs; the simulators inherit it.
    InputMethods::useIBusWhereItRuns();
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    FontConfiguration::useOwn();
    PixelGeometry::keep();
    QApplication app(argc, argv);
    PracticeForms::install();
    OnlineUpdate::install();
    ExamForms::install();
    StudyForms::install();
    return Startup::run();
}
