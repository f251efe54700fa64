#pragma once

#include <QObject>

class QWidget;

// For the benchmarks: when PELQUOR_SIM_LOG names a file, the simulator
// writes "painted <monotonic ns>" into it once its first frame is drawn, the
// moment the candidate sees it (the host's own view of the mapping can lag
// behind when the machine is busy). Does nothing otherwise.
class FirstPaintLog : public QObject
{
public:
    explicit FirstPaintLog(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_file;
    bool m_done = false;
};
