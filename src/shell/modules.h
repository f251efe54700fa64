#pragma once

#include <QSize>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

// How the shell makes the module windows it docks into Panel3. Each module
// replaces its factory when it is built; until then the shell docks an empty
// window of the module's size, so the navigation works end to end.
namespace Modules {

// A new chapter browser and its banner picture (which the main window fills).
struct ChapterBrowser
{
    QWidget *window = nullptr;
    QLabel *Image2 = nullptr;
};

struct Factories
{
    // Long-lived modules, created hidden at start-up.
    std::function<QWidget *()> xxjh;
    std::function<QWidget *()> wlkt;
    std::function<QWidget *()> mnks;
    std::function<QWidget *()> kszn;
    // Guided practice: a new browser on every activation, made inside `panel`.
    std::function<ChapterBrowser(QWidget *panel)> sbsjx;
    // The online update check behind the main window's update button.
    std::function<void()> updateCheck;
    // The question picker of guided practice, created hidden at start-up.
    std::function<QWidget *()> xzlxt;
    // The automatic update check, run by the main window's Timer1 once,
    // a few seconds after the main window has first been shown.
    std::function<void()> updateTimer;
};

// The factories in use; modules assign theirs before start-up.
Factories &factories();

// An empty borderless module window of the given client size.
QWidget *placeholder(const QString &name, QSize size, QWidget *parent = nullptr);

} // namespace Modules
