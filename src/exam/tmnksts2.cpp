#include "tmnksts2.h"

#include "examforms.h"
#include "tmnks4.h"
#include "tmnksts3.h"

Tmnksts2::Tmnksts2(Tmnks4 *question)
    : HandInBox(question, QStringLiteral("提示信息"), true, QSize(523, 188),
                QStringLiteral("按\"交卷\"按钮将要退出考场,并且不能重新登陆!\n\n您确定是否要交卷?"), QPoint(96, 139),
                QPoint(304, 139), 123)
{
    setObjectName(QStringLiteral("mnksts2"));
}

void Tmnksts2::RzBitBtn1Click()
{
    hide();
    auto *next = new Tmnksts3(m_question);
    ExamForms::mnksts3 = next;
    next->exec();
    delete next;
    close();
}

void Tmnksts2::RzBitBtn2Click()
{
    // This box closes before the question window comes back.
    close();
    if (m_question)
        m_question->show();
}
