#pragma once

#include <QWidget>

class StartSound;

// The start-up companion: its creation plays the start sound
// "sound/start.wav" of the program folder. The window is never shown.
class Tjsct : public QWidget
{
    Q_OBJECT

public:
    explicit Tjsct(QWidget *parent = nullptr);

private:
    void FormCreate();

    StartSound *m_sound;
};
