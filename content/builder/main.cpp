// pelquor-content: builds a program folder's content from the readable
// sources, and checks a program folder for what the program relies on.
#include "contentchecker.h"
#include "programfolderbuilder.h"
#include "storeerror.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: pelquor-content build <sources folder> <program folder> [<simulator program>]\n"
               "       pelquor-content check <program folder>\n", stderr);
    return 2;
}

int report(const QStringList &problems)
{
    for (const QString &problem : problems)
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Pictures are drawn with fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if ((args.size() == 4 || args.size() == 5) && args.at(1) == u"build") {
            buildProgramFolder(args.at(2), args.at(3), args.value(4));
            return report(checkProgramFolder(args.at(3)));
        }
        if (args.size() == 3 && args.at(1) == u"check")
            return report(checkProgramFolder(args.at(2)));
    } catch (const StoreError &error) {
        std::fprintf(stderr, "pelquor-content: %s\n", error.what());
        return 1;
    }
    return usage();
}
