#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class UpdateJob;

// The updater's own small window: what it is doing, how far the download
// has come, and one button: "取消" while nothing has changed yet, "关闭" at
// the end. After a successful upgrade it closes by itself; after a failure
// it stays until the candidate has read why, and closing it brings back the
// unchanged Pelquor if it is no longer running.
class UpdaterWindow : public QWidget
{
    Q_OBJECT

public:
    explicit UpdaterWindow(UpdateJob *job, QWidget *parent = nullptr);

    static constexpr int CloseAfterSuccessMs = 2000;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void finished(bool ok, const QString &message);

    UpdateJob *m_job;
    QLabel *m_versions;
    QLabel *m_status;
    QProgressBar *m_progress;
    QPushButton *m_button;
    bool m_finished = false;
    bool m_failed = false;
};
