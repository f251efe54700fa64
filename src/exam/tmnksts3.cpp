#include "tmnksts3.h"

#include "examforms.h"
#include "tmnks4.h"
#include "tmnksts4.h"

Tmnksts3::Tmnksts3(Tmnks4 *question)
    : HandInBox(question, QStringLiteral("提示信息"), true, QSize(287, 195),
                QStringLiteral("您还有题目未完成!\n\n您确定是否要交卷?"), QPoint(40, 136), QPoint(170, 136), 77)
{
    setObjectName(QStringLiteral("mnksts3"));
}

void Tmnksts3::RzBitBtn1Click()
{
    hide();
    // Every normal hand-in scores on a result screen of its own.
    Tmnksts4 *previous = ExamForms::mnksts4;
    ExamForms::mnksts4 = new Tmnksts4;
    delete previous;
    if (m_question)
        m_question->sjwt = 0;
    ExamForms::mnksts4->exec();
    close();
}
