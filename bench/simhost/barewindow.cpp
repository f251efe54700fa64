// The yardstick of the simulator host's benchmark: a bare Qt widgets window,
// started the same way as a simulator; writes the monotonic time of its first
// paint (ns) into the file named by BARE_LOG and ends. With BARE_TEXT set it
// also draws one line of Chinese in the simulator's face: the least any
// window with Chinese text pays (font configuration, a CJK face, glyphs).
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
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (qEnvironmentVariableIsSet("BARE_TEXT")) {
            QFont font;
            font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")});
            font.setPointSize(9);
            painter.setFont(font);
            painter.drawText(20, 30, QStringLiteral("要求：将第1张幻灯片标题文字的字体设置为“黑体”。"));
        }
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
