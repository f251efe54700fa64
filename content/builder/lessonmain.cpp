// pelquor-lessons: makes the classroom's lesson movies in a program folder
// from the lessons file, recording them in the question simulator's editor
// on the offscreen platform; movies whose inputs are unchanged are kept.
#include "lessonmovies.h"
#include "storeerror.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: pelquor-lessons <sources folder> <lessons file> <program folder>\n", stderr);
        return 2;
    }
    // The editor's face, as the simulator sets it.
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")});
    font.setPointSize(9);
    QApplication::setFont(font);
    QElapsedTimer clock;
    clock.start();
    try {
        const LessonMovies::Report report = LessonMovies::build(args.at(1), args.at(2), args.at(3));
        for (const QString &note : report.notes)
            std::fprintf(stderr, "pelquor-lessons: %s\n", qPrintable(note));
        std::printf("pelquor-lessons: %d made, %d kept, %.1f s\n", report.made, report.kept, clock.elapsed() / 1000.0);
    } catch (const StoreError &error) {
        std::fprintf(stderr, "pelquor-lessons: %s\n", error.what());
        return 1;
    }
    return 0;
}
