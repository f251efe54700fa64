// Figures of guided practice, one "name: value unit" per line, on a copy of
// the built program folder (its bank, pictures and simulators):
//   practice_browser_show_ms      a new chapter browser shown, with its reset
//                                 of every question to practice mode
//   practice_chapter_select_ms    one chapter selection
//   practice_next_question_ms     "下一题" to the next simulator embedded and mapped
//   practice_next_ratio_to_bare_window   the same, as a ratio to a bare Qt
//                                 widgets window started the same way
//   practice_next_ratio_to_text_window   and to that window drawing one line
//                                 of Chinese
#include "benchsupport.h"
#include "forms.h"
#include "practiceforms.h"
#include "programfolder.h"
#include "simhost.h"
#include "startup.h"
#include "tmain.h"
#include "tsbs.h"
#include "tsbsjx.h"
#include "x11embed.h"

#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

using Bench::median;
using Bench::nowMs;
using Bench::print;

constexpr int Runs = 12;
constexpr int SettleMs = 300;

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_practice <program folder>\n", stderr);
        return 2;
    }
    QTemporaryDir copy;
    if (QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), QString::fromLocal8Bit(argv[1]) + QStringLiteral("/."), copy.path()}) != 0)
        return 1;
    ProgramFolder::setPath(copy.path());

    PracticeForms::install();
    Startup::createWindows();
    Forms::main->show();
    if (!QTest::qWaitFor([] { return PracticeForms::browser() && PracticeForms::browser()->isVisible(); }, 10000))
        return 1;

    QList<double> shows, selections;
    for (int i = 0; i < 7; ++i) {
        Forms::main->xs = 2;
        const double start = nowMs();
        auto *browser = new Tsbsjx(Forms::main->Panel3);
        browser->show();
        shows << nowMs() - start;
        delete Forms::sbsjx.data();
        Forms::sbsjx = browser;
    }
    Tsbsjx *browser = PracticeForms::browser();
    for (int i = 0; i < 30; ++i) {
        browser->ListBox1->setCurrentRow(i % browser->ListBox1->count());
        const double start = nowMs();
        browser->ListBox1Click();
        selections << nowMs() - start;
    }
    print("practice_browser_show_ms", median(shows), "ms");
    print("practice_chapter_select_ms", median(selections), "ms");

    browser->ListBox1->setCurrentRow(0);
    browser->ListBox1Click();
    browser->Button4Click();
    Tsbs *sbs = PracticeForms::sbs;
    if (!sbs || !QTest::qWaitFor([sbs] { return X11Embed::instance()->isViewable(sbs->host().aa()); }, 10000))
        return 1;
    // Each click follows a settled screen, as a candidate's does (the shown
    // simulator has drawn itself and the previous one has ended), and is
    // paired with a bare and a text window run, so that the machine's drift
    // stays out of the ratios.
    const QString bareLog = copy.filePath(QStringLiteral("bare.log"));
    auto settle = [] { QTest::qWait(SettleMs); };
    QList<double> nexts, bare, text;
    for (int i = 0; i < Runs; ++i) {
        settle();
        bare << Bench::bareWindowMs(QStringLiteral(BAREWINDOW), bareLog);
        qputenv("BARE_TEXT", "1");
        text << Bench::bareWindowMs(QStringLiteral(BAREWINDOW), bareLog);
        qunsetenv("BARE_TEXT");
        settle();
        const double start = nowMs();
        sbs->Button3Click();
        if (!Bench::waitUntil([sbs] { return X11Embed::instance()->isViewable(sbs->host().aa()); }, 10000))
            return 1;
        nexts << nowMs() - start;
    }
    print("practice_next_question_ms", median(nexts), "ms");
    print("practice_bare_window_ms", median(bare), "ms");
    print("practice_next_ratio_to_bare_window", median(nexts) / median(bare), "ratio");
    print("practice_next_ratio_to_text_window", median(nexts) / median(text), "ratio");

    SimHost::closeAll();
    Startup::destroyWindows();
    return 0;
}
