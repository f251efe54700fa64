#include "tjsct.h"

#include "errorbox.h"
#include "programfolder.h"
#include "startsound.h"

Tjsct::Tjsct(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint)
    , m_sound(new StartSound(this))
{
    ErrorBox::run(this, [this] { FormCreate(); });
}

void Tjsct::FormCreate()
{
    m_sound->play(ProgramFolder::file(QStringLiteral("sound/start.wav")));
}
