#include "updaterwindow.h"

#include "updatejob.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

UpdaterWindow::UpdaterWindow(UpdateJob *job, QWidget *parent)
    : QWidget(parent)
    , m_job(job)
{
    setWindowTitle(QStringLiteral("Pelquor 在线升级"));
    setAccessibleName(QStringLiteral("Pelquor 在线升级"));
    setFixedWidth(440);

    m_versions = new QLabel(this);
    m_versions->setAccessibleName(QStringLiteral("版本"));
    m_status = new QLabel(QStringLiteral("正在准备升级……"), this);
    m_status->setWordWrap(true);
    m_status->setMinimumHeight(48);
    m_status->setAccessibleName(QStringLiteral("升级状态"));
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 0);
    m_progress->setAccessibleName(QStringLiteral("下载进度"));
    m_button = new QPushButton(QStringLiteral("取消"), this);
    m_button->setAccessibleName(QStringLiteral("取消"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_versions);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(job, &UpdateJob::status, this, [this](const QString &text, bool cancellable) {
        m_status->setText(text);
        m_button->setEnabled(cancellable);
        if (!text.startsWith(QStringLiteral("正在下载")))
            m_progress->setRange(0, 0);  // busy, without a measure
        m_versions->setText(QStringLiteral("当前版本号：%1\n升级版本号：%2")
                                .arg(m_job->installedVersion(), m_job->offeredVersion()));
    });
    connect(job, &UpdateJob::progress, this, [this](qint64 received, qint64 total) {
        if (total > 0) {
            m_progress->setRange(0, 1000);
            m_progress->setValue(int(received * 1000 / total));
        }
    });
    connect(job, &UpdateJob::finished, this, &UpdaterWindow::finished);
    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_finished)
            close();
        else
            m_job->cancel();
    });
}

void UpdaterWindow::finished(bool ok, const QString &message)
{
    m_finished = true;
    m_failed = !ok;
    m_status->setText(message);
    m_progress->setRange(0, 1);
    m_progress->setValue(1);
    m_progress->setVisible(ok);
    m_button->setText(QStringLiteral("关闭"));
    m_button->setAccessibleName(QStringLiteral("关闭"));
    m_button->setEnabled(true);
    if (ok)
        QTimer::singleShot(CloseAfterSuccessMs, this, &QWidget::close);
}

void UpdaterWindow::closeEvent(QCloseEvent *event)
{
    // Nothing is left half done: files are only put in place in one step.
    if (m_job->installing()) {
        event->ignore();
        return;
    }
    if (!m_finished)
        m_job->cancel();
    if (m_failed || !m_finished)
        m_job->startProgramIfEnded();
    event->accept();
}
