#include "tmnksczts.h"

#include "errorbox.h"
#include "examui.h"
#include "picturebox.h"
#include "placement.h"
#include "practiceui.h"

#include <QPushButton>

Tmnksczts::Tmnksczts(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("mnksczts"));
    setWindowTitle(QStringLiteral("操作提示"));
    setModal(true);
    setFixedSize(361, 351);
    Image1 = new PictureBox(this);
    Image1->setGeometry(0, 0, 361, 351);
    PracticeUi::decorate(Image1, QStringLiteral("mnksczts.png"));
    Image1->setAccessibleName(QStringLiteral("操作提示：") + tips().join(u' '));
    RzBitBtn1 = ExamUi::button(this, QStringLiteral("确 定"), 143, 316, 79, 27);
    ExamUi::paintButton(RzBitBtn1, ExamUi::moneyGreen);
    RzBitBtn1->setDefault(true);
    connect(RzBitBtn1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { accept(); }));
}

QStringList Tmnksczts::tips()
{
    return {
        QStringLiteral("试题窗口挡住操作时，可以把它最小化后再还原，也可以用鼠标拖到任意位置。"),
        QStringLiteral("单击“下一题”继续答题，单击“上一题”返回前一题，单击“选题”可以任选一题。"),
        QStringLiteral("浏览过或答过的题在选题框中会改变颜色；没有把握的题可以单击“标识本题”做上标记，以后从选题框中找到它。"),
        QStringLiteral("单击“重做本题”，题目回到初始状态，重新记录答题操作。"),
        QStringLiteral("需要输入文字时，用试题窗口右下角的“输入法”弹出菜单切换输入法。"),
        QStringLiteral("试题窗口的状态栏显示考试的剩余时间。"),
    };
}

void Tmnksczts::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const QSize screen = Placement::screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}
