#include "modules.h"

#include <QLabel>
#include <QWidget>

namespace Modules {

QWidget *placeholder(const QString &name, QSize size, QWidget *parent)
{
    auto *window = new QWidget(parent, parent ? Qt::Widget : Qt::FramelessWindowHint);
    window->setObjectName(name);
    window->setFixedSize(size);
    window->setAutoFillBackground(true);
    return window;
}

Factories &factories()
{
    static Factories f{
        [] { return placeholder(QStringLiteral("xxjh"), {1000, 645}); },
        [] { return placeholder(QStringLiteral("wlkt"), {1000, 645}); },
        [] { return placeholder(QStringLiteral("mnks"), {1000, 645}); },
        [] { return placeholder(QStringLiteral("kszn"), {1000, 645}); },
        [](QWidget *panel) {
            ChapterBrowser browser;
            browser.window = placeholder(QStringLiteral("sbsjx"), {1016, 637}, panel);
            auto *panel1 = new QWidget(browser.window);
            panel1->setGeometry(-1, -8, 201, 645);
            browser.Image2 = new QLabel(panel1);
            browser.Image2->setGeometry(1, 3, 194, 31);
            return browser;
        },
        [] {},
        [] { return placeholder(QStringLiteral("xzlxt"), {800, 600}); },
        {},
    };
    return f;
}

} // namespace Modules
