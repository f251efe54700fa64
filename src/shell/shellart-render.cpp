// shellart-render: draws the pictures built into the program into a folder,
// from which the build compiles them in.
#include "shellart.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: shellart-render <folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const std::pair<const char *, QPixmap> pictures[] = {
        {"main.raw", ShellArt::drawMainBackground()},
        {"banner.raw", ShellArt::drawServiceBanner()},
        {"strip.raw", ShellArt::drawTitleStrip()},
        {"exit.raw", ShellArt::drawExitQuestion()},
    };
    for (const auto &[file, picture] : pictures) {
        QFile out(folder.filePath(QString::fromLatin1(file)));
        if (!out.open(QIODevice::WriteOnly) || out.write(ShellArt::toRaw(picture.toImage())) < 0) {
            std::fprintf(stderr, "shellart-render: cannot write %s\n", file);
            return 1;
        }
    }
    return 0;
}
