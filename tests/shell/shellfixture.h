#pragma once

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

// The pictures the main window loads, drawn small and plain into the
// program folder of a test.
inline void drawShellPictures(const QString &folder)
{
    QDir(folder).mkpath(QStringLiteral("images"));
    const QStringList names{QStringLiteral("学习计划"), QStringLiteral("网络课堂"), QStringLiteral("手把手教学"),
                            QStringLiteral("模拟考场"), QStringLiteral("考试指南"), QStringLiteral("在线升级")};
    const QColor looks[] = {Qt::white, Qt::blue, Qt::yellow};
    const QString suffixes[] = {QStringLiteral(".png"), QStringLiteral("1.png"), QStringLiteral("2.png")};
    for (const QString &name : names) {
        for (int look = 0; look < 3; ++look) {
            QImage image(75, 75, QImage::Format_RGB32);
            image.fill(looks[look]);
            image.save(folder + QStringLiteral("/images/") + name + suffixes[look]);
        }
    }
    QImage small(31, 23, QImage::Format_RGB32);
    small.fill(Qt::red);
    small.save(folder + QStringLiteral("/images/xiao.jpg"));
    small.save(folder + QStringLiteral("/images/guan.png"));
    QImage banner(194, 31, QImage::Format_RGB32);
    banner.fill(Qt::darkBlue);
    banner.save(folder + QStringLiteral("/images/shoubashou.jpg"));
}

// Answers modal windows while it lives: `answer` gets each one as soon as
// it is shown and must close it. The check runs from the modal window's
// own event loop.
class ModalAnswer : public QObject
{
public:
    explicit ModalAnswer(std::function<void(QWidget *)> answer)
        : m_answer(std::move(answer))
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible()) {
                m_last = nullptr;
                return;
            }
            if (modal == m_last)
                return;
            m_last = modal;
            ++m_count;
            m_answer(modal);
        });
        m_timer.start();
    }

    bool answered() const { return m_count > 0; }
    int count() const { return m_count; }

private:
    std::function<void(QWidget *)> m_answer;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_count = 0;
};
