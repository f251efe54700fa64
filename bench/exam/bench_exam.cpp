// Figures of the mock exam, one "name: value unit" per line, on a copy of the
// built program folder (its bank, pictures and simulators):
//   exam_random_draw_ms            the random paper drawn over the bank's
//                                  questions (read in id order), without the
//                                  draw's 1 ms pauses
//   exam_random_draw_and_mark_ms   the same with the paper marked in the bank
//                                  (one write to the file)
//   exam_random_draw_rows          the number of questions it drew from
//   exam_assembly_ms               the exam room made and shown: the reset of
//                                  the whole bank, the marking of a fixed
//                                  paper, the first simulator embedded and
//                                  mapped, the question window shown
//   exam_assembly_ratio_to_bare_window   the same as a ratio to a bare Qt
//                                  widgets window started as a simulator is
//   exam_next_question_ms          "下一题" to the next simulator embedded and mapped
//   exam_next_ratio_to_bare_window the same, as a ratio to the bare window
#include "benchsupport.h"
#include "examforms.h"
#include "forms.h"
#include "picturebox.h"
#include "practiceforms.h"
#include "programfolder.h"
#include "query.h"
#include "randompaper.h"
#include "simhost.h"
#include "startup.h"
#include "statements.h"
#include "tmain.h"
#include "tmnks.h"
#include "tmnks3.h"
#include "tmnks4.h"
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

constexpr int Runs = 9;
constexpr int SettleMs = 300;

bool shown(Tmnks3 *room)
{
    return room->questionWindow() && room->questionWindow()->isVisible()
        && X11Embed::instance()->isViewable(room->host().aa());
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_exam <program folder>\n", stderr);
        return 2;
    }
    QTemporaryDir copy;
    if (QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), QString::fromLocal8Bit(argv[1]) + QStringLiteral("/."), copy.path()}) != 0)
        return 1;
    ProgramFolder::setPath(copy.path());

    // The random draw on the bank's own questions, the 1 ms pauses left out.
    {
        Connection connection(Connection::connectionStringFor(ProgramFolder::path()));
        connection.open();
        Query query(connection);
        RandomPaper::pause() = {};
        QList<double> draws, marked;
        int rows = 0;
        for (int i = 0; i < 15; ++i) {
            query.setSql(QStringLiteral("update sbsti set xz=''"));
            query.execSql();
            double start = nowMs();
            query.setSql(Sql::allQuestionsInOrder());
            query.open();
            rows = query.recordCount();
            const QList<int> picked = RandomPaper::picks(rows, RandomPaper::seedSource(), RandomPaper::pause());
            draws << nowMs() - start;
            query.close();
            if (picked.isEmpty())
                return 1;
            start = nowMs();
            Tmnks3::markRandomPaper(connection, query);
            marked << nowMs() - start;
        }
        RandomPaper::pause() = RandomPaper::pauseOneMillisecond;
        print("exam_random_draw_ms", median(draws), "ms");
        print("exam_random_draw_and_mark_ms", median(marked), "ms");
        print("exam_random_draw_rows", rows, "rows");
    }

    PracticeForms::install();
    ExamForms::install();
    Startup::createWindows();
    Forms::main->show();
    if (!QTest::qWaitForWindowExposed(Forms::main))
        return 1;
    QTest::mouseClick(Forms::main->Image5, Qt::LeftButton);
    Tmnks *rooms = ExamForms::list();
    if (!rooms || !QTest::qWaitFor([rooms] { return rooms->isVisible(); }, 10000))
        return 1;
    rooms->ListBox1->setCurrentRow(1);

    const QString bareLog = copy.filePath(QStringLiteral("bare.log"));
    auto settle = [] { QTest::qWait(SettleMs); };
    QList<double> assemblies, bare, nexts;
    Tmnks3 *room = nullptr;
    for (int i = 0; i < Runs; ++i) {
        if (room) {
            room->requestClose();
            room->closeIfRequested();
            delete room;
        }
        settle();
        bare << Bench::bareWindowMs(QStringLiteral(BAREWINDOW), bareLog);
        settle();
        const double start = nowMs();
        room = new Tmnks3;
        ExamForms::mnks3 = room;
        room->show();
        if (!room->paperReady() || !Bench::waitUntil([room] { return shown(room); }, 10000))
            return 1;
        assemblies << nowMs() - start;
    }
    print("exam_assembly_ms", median(assemblies), "ms");
    print("exam_assembly_ratio_to_bare_window", median(assemblies) / median(bare), "ratio");

    Tmnks4 *question = room->questionWindow();
    QList<double> bareNext;
    for (int i = 0; i < Runs; ++i) {
        settle();
        bareNext << Bench::bareWindowMs(QStringLiteral(BAREWINDOW), bareLog);
        settle();
        const int before = room->js;
        const double start = nowMs();
        question->BitBtn2Click();
        if (room->js == before || !Bench::waitUntil([room] { return X11Embed::instance()->isViewable(room->host().aa()); }, 10000))
            return 1;
        nexts << nowMs() - start;
    }
    print("exam_next_question_ms", median(nexts), "ms");
    print("exam_bare_window_ms", median(bareNext), "ms");
    print("exam_next_ratio_to_bare_window", median(nexts) / median(bareNext), "ratio");

    room->requestClose();
    room->closeIfRequested();
    delete room;
    SimHost::closeAll();
    Startup::destroyWindows();
    return 0;
}
