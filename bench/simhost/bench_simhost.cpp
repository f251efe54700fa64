// Figures of the simulator host, one "name: value unit" per line:
// launch to embedded and mapped, as a ratio to a bare Qt widgets window
// started the same way; the CPU the hand-shake wait costs; how soon the wait
// sees an announcement. With "--program-folder <folder> --question <n>" the
// real simulator of that folder is measured as well.
#include "benchsupport.h"
#include "hostwindow.h"
#include "processwatch.h"
#include "programfolder.h"
#include "testbank.h"
#include "x11embed.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>
#include <time.h>

namespace {

constexpr int Runs = 10;
constexpr int RealRuns = 15;

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

using Bench::loggedMs;
using Bench::median;
using Bench::nowMs;
using Bench::print;

double bareWindow(const QString &log)
{
    return Bench::bareWindowMs(QStringLiteral(BAREWINDOW), log);
}

QList<double> announcedToMapped, bankOpened;

// Launch to mapped (seen by the host) and to first paint (reported by the
// simulator when it logs one).
std::pair<double, double> embedOnce(HostWindow &window, int th, const QString &log)
{
    QFile::remove(log);
    double mapped = -1;
    const auto connection = QObject::connect(X11Embed::instance(), &X11Embed::windowMapped, &window,
                                             [&](quint32 w) {
                                                 if (w == window.host->hwndnotepad() && mapped < 0)
                                                     mapped = nowMs();
                                             });
    const double start = nowMs();
    window.host->launch(th);
    if (!window.host->waitAndEmbed()) {
        QObject::disconnect(connection);
        return {-1, -1};
    }
    if (!Bench::waitUntil([&] { return mapped > 0; }, 10000))
        mapped = -1;
    (void)QTest::qWaitFor([&] { return loggedMs(log, QStringLiteral("painted")) > 0; }, 300);
    const double painted = loggedMs(log, QStringLiteral("painted"));
    if (loggedMs(log, QStringLiteral("announced")) > 0) {  // the fake logs its steps
        announcedToMapped << mapped - loggedMs(log, QStringLiteral("announced"));
        bankOpened << loggedMs(log, QStringLiteral("opened")) - start;
    }
    QObject::disconnect(connection);
    const qint64 pid = window.host->launchedPid();
    window.host->close();
    // The next measurement starts on a quiet machine: the simulator's own
    // exit (its last bank write) is not part of it.
    (void)Bench::waitUntil([pid] { return !ProcessWatch::isRunning(pid); }, 2000);
    return {mapped - start, painted > 0 ? painted - start : -1};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    if (!X11Embed::available()) {
        std::fprintf(stderr, "bench_simhost: needs an X server\n");
        return 1;
    }
    const QStringList args = app.arguments();
    const QString realFolder = args.indexOf(QStringLiteral("--program-folder")) > 0
                                   ? args.value(args.indexOf(QStringLiteral("--program-folder")) + 1)
                                   : QString();
    const int realQuestion = args.indexOf(QStringLiteral("--question")) > 0
                                 ? args.value(args.indexOf(QStringLiteral("--question")) + 1).toInt()
                                 : 0;

    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("第一章"), QStringLiteral("dqwz=0"));
    QDir().mkpath(bank.folder() + QStringLiteral("ovti/金山演示101"));
    QFile::link(QStringLiteral(FAKESIM), bank.folder() + QStringLiteral("ovti/金山演示101/ov"));
    const QString log = bank.folder() + QStringLiteral("sim.log");
    qputenv("FAKESIM_LOG", log.toLocal8Bit());

    QList<double> bare;
    for (int i = 0; i < Runs; ++i)
        bare << bareWindow(bank.folder() + QStringLiteral("bare.log"));
    const double bareMs = median(bare);
    print("simhost_bare_window_first_paint", bareMs, "ms");
    qputenv("BARE_TEXT", "1");
    QList<double> text;
    for (int i = 0; i < Runs; ++i)
        text << bareWindow(bank.folder() + QStringLiteral("bare.log"));
    qunsetenv("BARE_TEXT");
    const double textMs = median(text);
    print("simhost_text_window_first_paint", textMs, "ms");

    HostWindow window(bank.connectionString());
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);

    QList<double> mapped, painted;
    qputenv("FAKESIM_MODE", "normal");
    for (int i = 0; i < Runs; ++i) {
        const auto [m, p] = embedOnce(window, 101, log);
        mapped << m;
        painted << p;
    }
    print("simhost_fake_launch_to_mapped", median(mapped), "ms");
    print("simhost_fake_launch_to_first_paint", median(painted), "ms");
    print("simhost_fake_launch_ratio_to_bare_window", median(painted) / bareMs, "ratio");
    // Where the fake's time goes: its own start and first keyed open of the
    // bank, then the host's part from the announcement to the mapped window.
    print("simhost_fake_launch_to_bank_open", median(bankOpened), "ms");
    print("simhost_fake_announce_to_mapped", median(announcedToMapped), "ms");

    // The wait for a simulator that never announces itself.
    qputenv("FAKESIM_MODE", "silent");
    window.host->setWaitLimit(3000);
    window.host->launch(101);
    const double cpuBefore = cpuMs();
    const double wallBefore = nowMs();
    window.host->waitAndEmbed();
    const double cpuShare = (cpuMs() - cpuBefore) / (nowMs() - wallBefore) * 100.0;
    print("simhost_wait_cpu", cpuShare, "%_of_a_core");

    // From the simulator's commit of `jc` to the host embedding the window.
    qputenv("FAKESIM_MODE", "late");
    qputenv("FAKESIM_DELAY", "400");
    window.host->setWaitLimit(SimHost::DefaultWaitLimitMs);
    QList<double> latency;
    for (int i = 0; i < Runs; ++i) {
        QFile::remove(log);
        double embeddedAt = -1;
        const auto connection = QObject::connect(window.host, &SimHost::embedded, &window,
                                                 [&embeddedAt] { embeddedAt = nowMs(); });
        window.host->launch(101);
        if (window.host->waitAndEmbed())
            latency << embeddedAt - loggedMs(log, QStringLiteral("announced"));
        QObject::disconnect(connection);
        window.host->close();
    }
    print("simhost_announce_to_embed", median(latency), "ms");

    if (!realFolder.isEmpty() && realQuestion > 0) {
        ProgramFolder::setPath(realFolder);
        HostWindow real(Connection::connectionStringFor(ProgramFolder::path()));
        real.show();
        (void)QTest::qWaitForWindowExposed(&real);
        // The simulator logs its first frame as the bare window does.
        const QString simLog = bank.folder() + QStringLiteral("simulator.log");
        qputenv("PELQUOR_SIM_LOG", simLog.toLocal8Bit());
        // Each simulator start follows a bare window's and a text window's, so
        // that the machine's drift between the blocks of runs stays out of
        // the ratios.
        QList<double> realMapped, realPainted, realBare, realText;
        for (int i = 0; i < RealRuns; ++i) {
            realBare << bareWindow(bank.folder() + QStringLiteral("bare.log"));
            qputenv("BARE_TEXT", "1");
            realText << bareWindow(bank.folder() + QStringLiteral("bare.log"));
            qunsetenv("BARE_TEXT");
            const auto [m, p] = embedOnce(real, realQuestion, simLog);
            realMapped << m;
            realPainted << p;
        }
        qunsetenv("PELQUOR_SIM_LOG");
        print("simhost_simulator_bare_window_first_paint", median(realBare), "ms");
        print("simhost_simulator_text_window_first_paint", median(realText), "ms");
        print("simhost_simulator_launch_to_mapped", median(realMapped), "ms");
        print("simhost_simulator_launch_to_first_paint", median(realPainted), "ms");
        print("simhost_simulator_first_paint_ratio_to_bare_window", median(realPainted) / median(realBare), "ratio");
        print("simhost_simulator_launch_ratio_to_bare_window", median(realMapped) / median(realBare), "ratio");
        print("simhost_simulator_launch_ratio_to_text_window", median(realMapped) / median(realText), "ratio");
        ProgramFolder::setPath(bank.folder());
    }
    SimHost::closeAll();
    return 0;
}
