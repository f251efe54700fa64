// The yardstick of the simulator host's benchmark: a bare Qt widgets window,
// started the same way as a simulator; writes the monotonic time of its first
// paint (ns) into the file named by BARE_LOG and ends.
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <time.h>

namespace {

class Window : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(rect(), Qt::white);
        if (m_painted)
            return;
        m_painted = true;
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        QFile log(qEnvironmentVariable("BARE_LOG"));
        if (log.open(QIODevice::WriteOnly))
            log.write(QByteArray::number(qint64(now.tv_sec) * 1000000000 + now.tv_nsec));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Window window;
    window.resize(900, 700);
    window.show();
    return app.exec();
}
