// A stand-in for a question simulator that speaks only the protocol, so the
// host can be tested against real processes: it creates its window without
// showing it, writes the window's id into `jc` of its question's row, shows
// itself once it is re-parented, clears `jc` and ends on the close message,
// and ends when its window is destroyed (the host is gone).
//
// It is started as "<program folder>/ovti/金山演示<n>/ov" (a link to this
// program). Environment:
//   FAKESIM_MODE   normal | silent (never announces) | late (announces after
//                  FAKESIM_DELAY ms) | ignoreclose | quit (ends at once) |
//                  garbage (announces "junk") | crash (announces, then aborts
//                  after FAKESIM_DELAY ms) | fail (leaves a reason for the host
//                  and ends)
//   FAKESIM_LOG    file that receives "key value" lines: opened (the bank),
//                  announced and painted (monotonic clock, ns), text (what was typed), pos
//                  (the screen position the window believes it has)
#include "connection.h"
#include "statements.h"
#include "storeerror.h"
#include "x11embed.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <time.h>

namespace {

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

class Log
{
public:
    explicit Log(const QString &path) : m_path(path) {}
    void set(const QString &key, const QString &value)
    {
        if (m_path.isEmpty())
            return;
        m_values[key] = value;
        QFile file(m_path + QStringLiteral(".tmp"));
        if (!file.open(QIODevice::WriteOnly))
            return;
        for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
            file.write((it.key() + u' ' + it.value() + u'\n').toUtf8());
        file.close();
        QFile::remove(m_path);
        file.rename(m_path);
    }

private:
    QString m_path;
    QMap<QString, QString> m_values;
};

class SimWindow : public QWidget
{
public:
    SimWindow(Log &log, bool ignoreClose) : m_log(log), m_ignoreClose(ignoreClose)
    {
        auto *layout = new QVBoxLayout(this);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("input"));
        layout->addWidget(edit);
        layout->addStretch();
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_log.set(QStringLiteral("text"), text); });
        resize(900, 700);
    }
    std::function<void()> onClose;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(rect(), QColor(255, 0, 255));
        if (!m_painted) {
            m_painted = true;
            m_log.set(QStringLiteral("painted"), QString::number(monotonicNs()));
        }
    }
    void moveEvent(QMoveEvent *) override
    {
        const QPoint p = mapToGlobal(QPoint(0, 0));
        m_log.set(QStringLiteral("pos"), QStringLiteral("%1,%2").arg(p.x()).arg(p.y()));
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (m_ignoreClose) {
            event->ignore();
            return;
        }
        if (onClose)
            onClose();
        event->accept();
        QCoreApplication::quit();
    }

private:
    Log &m_log;
    bool m_ignoreClose;
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QByteArray mode = qgetenv("FAKESIM_MODE");
    if (mode == "quit")
        return 3;
    if (mode == "fail") {
        QFile reason(qEnvironmentVariable("PELQUOR_SIMULATOR_ERROR_FILE"));
        if (reason.open(QIODevice::WriteOnly))
            reason.write(QStringLiteral("无法读取题库，模拟程序不能启动。\nno such table: jl").toUtf8());
        return 1;
    }

    QDir dir = QFileInfo(QFile::decodeName(argv[0])).absoluteDir();
    const QString th = dir.dirName().mid(QStringLiteral("金山演示").size());
    dir.cdUp();
    dir.cdUp();
    Connection connection(Connection::connectionStringFor(dir.path() + u'/'));
    connection.open();

    Log log(qEnvironmentVariable("FAKESIM_LOG"));
    log.set(QStringLiteral("opened"), QString::number(monotonicNs()));
    SimWindow window(log, mode == "ignoreclose");
    const auto id = X11Embed::WindowId(window.winId());
    const QString idText = QString::number(id);
    const X11Embed::WindowId root = X11Embed::instance()->parentOf(id);

    window.onClose = [&] {
        // After a failed test the bank's folder may already be gone: the
        // double then ends quietly instead of aborting on the write.
        try {
            connection.exec(QStringLiteral("update sbsti set jc='' where th='%1' and jc='%2'").arg(th, idText));
        } catch (const StoreError &) {
        }
    };
    X11Embed::instance()->watch(id);
    QObject::connect(X11Embed::instance(), &X11Embed::windowReparented, &window, [&](quint32 w, quint32 parent) {
        if (w == id && parent != root)
            window.show();
    });
    QObject::connect(X11Embed::instance(), &X11Embed::windowGone, &window, [&](quint32 w) {
        if (w == id) {
            window.onClose();
            std::_Exit(0);
        }
    });

    auto announce = [&] {
        const QString value = mode == "garbage" ? QStringLiteral("junk") : idText;
        connection.exec(QStringLiteral("update sbsti set jc='%1' where th='%2'").arg(value, th));
        log.set(QStringLiteral("announced"), QString::number(monotonicNs()));
    };
    if (mode == "crash")
        QTimer::singleShot(qEnvironmentVariableIntValue("FAKESIM_DELAY"), &window, [] { std::abort(); });
    if (mode == "late")
        QTimer::singleShot(qEnvironmentVariableIntValue("FAKESIM_DELAY"), &window, announce);
    else if (mode != "silent")
        announce();

    // Never outlive a test run by much, but outlive any one test function
    // (up to 300 s) on a loaded machine: ending under the host makes it tell
    // the candidate that the simulator ended, in a modal box no test answers.
    QTimer::singleShot(360000, &app, &QCoreApplication::quit);
    return app.exec();
}
