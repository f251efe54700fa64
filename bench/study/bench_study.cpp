// Figures of the study aids, one "name: value unit" per line, on a copy of
// the built program folder (its bank, page template and lesson movies):
//   study_plan_select_ms, study_guide_select_ms, study_course_select_ms
//                               one selection with a 20 KB page fragment, to
//                               the page painted (median)
//   study_select_ratio_to_bare_page   the plan's selection against a bare
//                               text browser showing the same page
//   study_enter_classroom_first_frame_ms   "进入课堂" to the first frame of
//                               the first lesson on the screen (median)
//   study_step_frame_ms         "快进" (ten frames) to the new frame shown
#include "benchsupport.h"
#include "connection.h"
#include "forms.h"
#include "movieplayer.h"
#include "pageview.h"
#include "picturebox.h"
#include "programfolder.h"
#include "startup.h"
#include "studyforms.h"
#include "tkszn.h"
#include "tmain.h"
#include "twlkt.h"
#include "twlkt2.h"
#include "txxjh.h"

#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <cstdio>

namespace {

using Bench::median;
using Bench::nowMs;
using Bench::print;
using Bench::waitUntil;

constexpr int Runs = 15;

// Counts the paints of a widget.
class PaintCount : public QObject
{
public:
    explicit PaintCount(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QString fragment()
{
    QString html;
    for (int i = 0; html.size() < 20 * 1024 / 3; ++i)
        html += QStringLiteral("<p>第%1段：按照学习计划逐章练习，每题至少用两种方法完成，并记录错题。</p>\n").arg(i);
    return html;
}

// Alternates between the first two rows of a list; each selection to its page painted.
double selectionMs(QListWidget *list, QWidget *page)
{
    PaintCount paints(page);
    QList<double> times;
    for (int i = 0; i < Runs; ++i) {
        const int before = paints.count;
        const double start = nowMs();
        list->setCurrentRow(i % 2 ? 0 : 1);
        page->repaint();
        if (paints.count == before)
            return -1;
        times.append(nowMs() - start);
    }
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_study <program folder>\n", stderr);
        return 2;
    }
    QTemporaryDir copy;
    if (QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), QString::fromLocal8Bit(argv[1]) + QStringLiteral("/."), copy.path()}) != 0)
        return 1;
    ProgramFolder::setPath(copy.path());
    {
        Connection bank(Connection::connectionStringFor(ProgramFolder::path()));
        bank.open();
        const QString big = fragment();
        for (const char *table : {"xxjh", "kszn", "wlkt"})
            bank.exec(QStringLiteral("update %1 set wy='%2'").arg(QString::fromLatin1(table), big));
    }

    StudyForms::install();
    Startup::createWindows();
    Forms::main->show();
    if (!waitUntil([] { return Forms::main->anniu == 3; }, 10000))
        return 1;
    auto open = [](int n) {
        QTest::mouseClick(Forms::main->navigationButton(n), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::qWait(200);
    };

    open(1);
    const double plan = selectionMs(StudyForms::plan()->ListBox1, StudyForms::plan()->WebBrowser1->viewport());
    print("study_plan_select_ms", plan, "ms");
    open(7);
    print("study_guide_select_ms", selectionMs(StudyForms::guide()->ListBox1, StudyForms::guide()->WebBrowser1->viewport()), "ms");
    open(2);
    Twlkt *classroom = StudyForms::classroom();
    print("study_course_select_ms", selectionMs(classroom->ListBox1, classroom->WebBrowser1->viewport()), "ms");

    // The yardstick: a bare text browser given the same page.
    {
        QTextBrowser bare;
        bare.resize(799, 583);
        bare.show();
        QTest::qWait(100);
        const QString a = QStringLiteral("<html><body>") + fragment() + QStringLiteral("</body></html>");
        const QString b = QStringLiteral("<html><body><p>另</p>") + fragment() + QStringLiteral("</body></html>");
        QList<double> times;
        for (int i = 0; i < Runs; ++i) {
            const double start = nowMs();
            bare.setHtml(i % 2 ? a : b);
            bare.viewport()->repaint();
            times.append(nowMs() - start);
        }
        print("study_select_ratio_to_bare_page", plan / std::max(0.01, median(times)), "x");
    }

    // "进入课堂" to the first frame of the first lesson on the screen.
    classroom->ListBox1->setCurrentRow(0);
    QList<double> enter, step;
    int blank = 0;
    for (int i = 0; i < 5; ++i) {
        int frames = 0;
        const double start = nowMs();
        QTest::mouseClick(classroom->Button4, Qt::LeftButton);
        const auto players = Forms::main->Panel3->findChildren<Twlkt2 *>(Qt::FindDirectChildrenOnly);
        if (players.isEmpty()) {
            std::fputs("bench_study: no lesson player\n", stderr);
            return 1;
        }
        Twlkt2 *player = players.last();
        QObject::connect(player->ShockwaveFlash1, &MoviePlayer::frameShown, player, [&] { ++frames; });
        if (!waitUntil([&] { return frames > 0; }, 10000)) {
            // Counted, not timed: a start that shows nothing is a fault of its own.
            ++blank;
            player->BitBtn7->click();
            continue;
        }
        enter.append(nowMs() - start);

        // Ten frames on, from a stopped movie, to the new frame shown.
        waitUntil([&] { return player->ShockwaveFlash1->totalFrames() > 40; }, 3000);
        QTest::qWait(500);
        player->BitBtn2->click();
        QTest::qWait(200);
        for (int s = 0; s < 3; ++s) {
            const int before = frames;
            const double at = nowMs();
            player->BitBtn4->click();
            if (waitUntil([&] { return frames > before; }, 3000))
                step.append(nowMs() - at);
            player->BitBtn2->click();
            QTest::qWait(150);
        }
        player->BitBtn7->click();
        QTest::qWait(100);
    }
    print("study_enter_classroom_first_frame_ms", median(enter), "ms");
    print("study_step_frame_ms", median(step), "ms");
    print("study_enter_classroom_without_picture", blank, "of 5");

    Startup::destroyWindows();
    return 0;
}
