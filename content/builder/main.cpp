// pelquor-content: builds a program folder's content from the readable
// sources, and checks a program folder for what the program relies on.
#include "contentchecker.h"
#include "contentsources.h"
#include "programfolderbuilder.h"
#include "runtimefolder.h"
#include "simulatorfolders.h"
#include "storeerror.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: pelquor-content build <sources folder> <program folder> [<simulator program>]\n"
               "       pelquor-content check <program folder>\n"
               "       pelquor-content tasks <sources folder>            check the authored tasks\n"
               "       pelquor-content draft <sources folder> [<th>...]  print drafted tasks to review\n", stderr);
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
    // Checking a bank stores its key in the runtime folder.
    RuntimeFolder::ensure();
    // Pictures are drawn with fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && (args.at(1) == u"tasks" || args.at(1) == u"draft")) {
        try {
            const ContentSources sources = ContentSources::read(args.at(2));
            if (args.at(1) == u"tasks")
                return report(readAuthoredTasks(sources, nullptr));
            const QStringList wanted = args.mid(3);
            for (const ContentSources::Question &question : sources.questions)
                if (wanted.isEmpty() || wanted.contains(question.th))
                    std::printf("%s\n", deriveTask(question.th, question.ti).toText().toUtf8().constData());
            return 0;
        } catch (const StoreError &error) {
            std::fprintf(stderr, "pelquor-content: %s\n", error.what());
            return 1;
        }
    }
    const bool build = (args.size() == 4 || args.size() == 5) && args.at(1) == u"build";
    if (!build && !(args.size() == 3 && args.at(1) == u"check"))
        return usage();
    int status = 1;
    try {
        if (build) {
            QStringList problems = buildProgramFolder(args.at(2), args.at(3), args.value(4));
            if (problems.isEmpty())
                problems = checkProgramFolder(args.at(3));
            status = report(problems);
        } else {
            status = report(checkProgramFolder(args.at(2)));
        }
    } catch (const StoreError &error) {
        std::fprintf(stderr, "pelquor-content: %s\n", error.what());
    }
    // A failed build leaves no bank behind: the program must not open one the
    // checks rejected, nor one older than its sources.
    if (build && status != 0) {
        discardBank(args.at(3));
        std::fputs("pelquor-content: build failed, no question bank written\n", stderr);
    }
    return status;
}
