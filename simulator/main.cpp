// The question simulator: one program for every question folder. The host
// starts "…/ovti/金山演示<n>/ov" (a link to this program) without arguments;
// everything else comes through the bank.

#include "editorwindow.h"
#include "examwork.h"
#include "firstpaintlog.h"
#include "fontconfiguration.h"
#include "inputmethods.h"
#include "pixelgeometry.h"
#include "runtimefolder.h"
#include "simbank.h"
#include "startpath.h"
#include "storeerror.h"
#include "task.h"
#include "termination.h"
#include "verdictrecorder.h"
#include "windowwatch.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QTimer>

#include <chrono>
#include <thread>

namespace {

constexpr int StandaloneShowMs = 3000;

// How long the start keeps trying a bank another program holds. The host
// waits less than this for the announcement and gives its own notice.
constexpr int StartRetryMs = 20000;
// How long a pending verdict is tried on the way out while the window is
// still there (the host gives a closing simulator two seconds before it ends
// it), and then, without the window, before the simulator gives up.
constexpr int CloseFlushMs = 1500;
constexpr int AfterCloseFlushMs = 8000;

int failWith(const QString &message)
{
    // Launched by the host, the message goes to the host, which shows it in
    // place of its wait; a box here would sit unseen behind that wait.
    if (Termination::reportStartFailure(message))
        return 1;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("金山演示"), message);
    box.setObjectName(QStringLiteral("simulatorError"));
    box.exec();
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Where the bank's key files are found, also without a desktop session.
    RuntimeFolder::ensure();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");  // re-parenting needs X11, also under XWayland
    InputMethods::useIBusWhereItRuns();
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    FontConfiguration::useOwn();
    PixelGeometry::keep();
    QApplication app(argc, argv);
    // The platform and input-method plugins are loaded by now, and the
    // editor paints its own pictures: Qt's built-in image formats serve the
    // few icons it loads from resources. Without this, the menu bar's first
    // icon makes Qt load every image-format plugin to probe it.
    QCoreApplication::setLibraryPaths({});
    // Installed before the window is announced: a host that ends the
    // simulator right after the announcement (SIGTERM) must still find `jc`
    // withdrawn. A signal that comes before the event loop runs waits in the
    // handler's pipe and ends the loop as soon as it starts.
    Termination::quitEventLoopOnSignals();
    Termination::quitWhenHostEnds();
    // One plain Chinese face for every control: text in the default Latin
    // face would fall back glyph by glyph to a Chinese face (a brush-script
    // one under some font configurations), and costs more to lay out.
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")});
    font.setPointSize(9);
    QApplication::setFont(font);

    const QString startedPath = StartPath::ofThisProcess();
    const QString th = StartPath::questionNumber(startedPath);
    if (th.isEmpty())
        return failWith(QStringLiteral("模拟程序必须从题目文件夹（ovti/金山演示<题号>/ov）启动，无法确定题号。"));

    // The native window exists before the editor is built, so the bank
    // work (opening it, reading the question's row, announcing the window in
    // `jc`) runs on its own thread while the editor is being built.
    EditorWindow window;
    const quint64 windowId = window.winId();  // the native window, not shown
    // Watching starts before the announcement: the host may re-parent the
    // window as soon as it reads `jc`.
    WindowWatch watch(windowId);
    SimBank bank(StartPath::programFolder(startedPath), th);
    SimBank::Row row;
    QString bankError;
    bool announced = false;
    std::optional<QString> savedWork;   // the exam's work on this question, from an earlier launch
    std::thread reader([&] {
        // Another program writing the bank only delays the start: the work
        // is tried again until the file is free or the start has waited long.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(StartRetryMs);
        auto untilDone = [&](auto &&work) {
            for (;;) {
                try {
                    work();
                    return;
                } catch (const StoreError &error) {
                    if (!error.isBusy() || std::chrono::steady_clock::now() >= deadline)
                        throw;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        };
        try {
            untilDone([&] {
                bank.open();
                row = bank.read();
            });
        } catch (const StoreError &error) {
            bankError = QStringLiteral("无法读取题库，模拟程序不能启动。\n%1").arg(error.message());
            return;
        }
        try {
            untilDone([&] { bank.announce(windowId); });
            announced = true;
        } catch (const StoreError &error) {
            bankError = QStringLiteral("无法在题库中登记模拟程序窗口。\n%1").arg(error.message());
            return;
        }
        // After the announcement: the host need not wait for it.
        try {
            if (row.mode == SimBank::Mode::Exam)
                savedWork = ExamWork(bank.connection(), th).read();
        } catch (const StoreError &) {
            // Unreadable saved work: the question starts from its start document.
        }
    });

    QStringList taskErrors;
    const Task task = Task::load(StartPath::questionFolder(startedPath) + QStringLiteral("task.txt"), &taskErrors);
    window.setTask(task, taskErrors.isEmpty() ? QString()
                                              : QStringLiteral("本题的任务文件有误：") + taskErrors.join(QStringLiteral("；")));
    reader.join();
    if (!bankError.isEmpty())
        return failWith(bankError);

    const bool practice = row.mode == SimBank::Mode::Practice;
    if (savedWork)
        if (const std::optional<Document> document = Document::fromJson(savedWork->toUtf8()))
            window.restoreDocument(*document);
    window.setGuideEnabled(practice);

    bool shown = false;
    auto showOnce = [&] {
        if (shown)
            return;
        shown = true;
        window.show();
    };
    new FirstPaintLog(&window);
    QObject::connect(&watch, &WindowWatch::reparented, &window, showOnce);
    QObject::connect(&watch, &WindowWatch::windowDestroyed, &app, [&app] { app.exit(0); });
    // Running on its own (no host re-parents it): show at the stored position.
    QTimer::singleShot(StandaloneShowMs, &window, [&] {
        if (shown)
            return;
        if (row.hasPosition)
            window.move(row.position);
        showOnce();
    });

    VerdictRecorder recorder(bank, row.mode);
    QObject::connect(&window, &EditorWindow::documentChanged, &window, [&](bool goalMet) {
        if (recorder.update(goalMet))
            window.showCompleted();
    });
    QObject::connect(&recorder, &VerdictRecorder::completed, &window, &EditorWindow::showCompleted);

    // In the exam the candidate's work is kept on every change, so that
    // coming back to the question shows it as it was left.
    ExamWork examWork(bank.connection(), th);
    if (!practice)
        QObject::connect(&window, &EditorWindow::documentChanged, &window, [&] {
            try {
                examWork.save(QString::fromUtf8(window.session().document().toJson()));
            } catch (const StoreError &error) {
                QMessageBox::warning(&window, QStringLiteral("金山演示"),
                                     QStringLiteral("无法保存答题内容：%1").arg(error.message()));
            }
        });

    const int result = app.exec();
    // The verdict lands before the window goes, so the host that closed the
    // simulator reads it; a bank still held after that is tried a while longer.
    if (!recorder.flush(CloseFlushMs)) {
        watch.destroyNow(window.windowHandle());
        recorder.flush(AfterCloseFlushMs);
    }
    watch.destroyNow(window.windowHandle());
    try {
        if (announced)
            bank.withdraw(windowId);
    } catch (const StoreError &) {
        // The host's next launch replaces a stale id; nothing more to do here.
    }
    return result;
}
