// Start-up to the main window mapped, as a ratio to a bare Qt widgets
// window. Each run starts the program as a fresh process and waits for the
// X server to map its first full-size top-level window; the two programs
// take turns so that both see the same machine state. Prints
// "name: value unit" lines; medians of the runs.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <vector>

namespace {

struct Display
{
    xcb_connection_t *c = nullptr;
    xcb_window_t root = 0;
};

// Milliseconds from the start of the process to the map of its window, or
// a negative value when nothing was mapped in time.
double launchToMapped(Display &x, const QString &program, const QProcessEnvironment &env, const QString &folder)
{
    while (xcb_generic_event_t *stale = xcb_poll_for_event(x.c))
        std::free(stale);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    double ms = -1;
    const int fd = xcb_get_file_descriptor(x.c);
    while (ms < 0 && clock.elapsed() < 10000) {
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 50);
        while (xcb_generic_event_t *event = xcb_poll_for_event(x.c)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && ms < 0) {
                auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
                    xcb_get_geometry_reply(x.c, xcb_get_geometry(x.c, map->window), nullptr), &std::free);
                if (geometry && geometry->width >= 1000)
                    ms = clock.nsecsElapsed() / 1e6;
            }
            std::free(event);
        }
    }
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(3000);
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 15;
    if (const qsizetype i = args.indexOf(QStringLiteral("--runs")); i >= 0 && i + 1 < args.size())
        runs = args.at(i + 1).toInt();
    // --program: another build of the program (its folder is the program folder).
    QString pelquor = QStringLiteral(PELQUOR);
    if (const qsizetype i = args.indexOf(QStringLiteral("--program")); i >= 0 && i + 1 < args.size())
        pelquor = args.at(i + 1);
    const QString bare = QStringLiteral(BAREWINDOW);

    Display x;
    x.c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x.c)) {
        QTextStream(stderr) << "bench_startup: no X display\n";
        return 1;
    }
    x.root = xcb_setup_roots_iterator(xcb_get_setup(x.c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.c, x.root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x.c);

    // A private runtime folder: the program's single-instance lock of an
    // earlier run must not turn the next run away.
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

    const QString folder = QFileInfo(pelquor).absolutePath();
    launchToMapped(x, bare, env, folder);  // warm the file cache
    launchToMapped(x, pelquor, env, folder);
    std::vector<double> bareMs, pelquorMs;
    for (int i = 0; i < runs; ++i) {
        bareMs.push_back(launchToMapped(x, bare, env, folder));
        pelquorMs.push_back(launchToMapped(x, pelquor, env, folder));
    }
    if (std::any_of(bareMs.begin(), bareMs.end(), [](double v) { return v < 0; })
        || std::any_of(pelquorMs.begin(), pelquorMs.end(), [](double v) { return v < 0; })) {
        QTextStream(stderr) << "bench_startup: a window was not mapped within 10 s\n";
        return 1;
    }
    QTextStream out(stdout);
    out << "startup_bare_ms: " << QString::number(median(bareMs), 'f', 1) << " ms\n";
    out << "startup_pelquor_ms: " << QString::number(median(pelquorMs), 'f', 1) << " ms\n";
    out << "startup_ratio: " << QString::number(median(pelquorMs) / median(bareMs), 'f', 2) << " x\n";
    xcb_disconnect(x.c);
    return 0;
}
