#include "tmnksts1.h"

#include "examforms.h"
#include "tmnks4.h"
#include "tmnksts2.h"

Tmnksts1::Tmnksts1(Tmnks4 *question)
    : HandInBox(question, QStringLiteral("信息提示"), false, QSize(318, 182), QStringLiteral("您确定是否要交卷?"),
                QPoint(48, 128), QPoint(192, 128), 78)
{
    setObjectName(QStringLiteral("mnksts1"));
}

void Tmnksts1::showEvent(QShowEvent *event)
{
    HandInBox::showEvent(event);
    if (m_question)
        m_question->hide();
}

void Tmnksts1::RzBitBtn1Click()
{
    hide();
    auto *next = new Tmnksts2(m_question);
    ExamForms::mnksts2 = next;
    next->exec();
    delete next;
    close();
}
