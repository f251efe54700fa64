#include "handinbox.h"

#include "errorbox.h"
#include "examui.h"
#include "placement.h"
#include "tmnks4.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

HandInBox::HandInBox(Tmnks4 *question, const QString &caption, bool sizeable, QSize client, const QString &message,
                     QPoint handIn, QPoint goOn, int buttonWidth)
    : QDialog(question, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_question(question)
{
    setWindowTitle(caption);
    setModal(true);
    if (sizeable) {
        resize(client);
        setMinimumSize(client);
    } else {
        setFixedSize(client);
    }

    Label1 = new QLabel(message, this);
    Label1->setFont(ExamUi::font(QStringLiteral("楷体_GB2312"), 20, true));
    Label1->setStyleSheet(QStringLiteral("color: black;"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->adjustSize();
    // The message stands centred in the room above the buttons.
    const int top = std::max(8, (handIn.y() - Label1->height()) / 2);
    Label1->move(std::max(8, (client.width() - Label1->width()) / 2), top);

    const QFont buttonFont = ExamUi::font(QStringLiteral("宋体"), 14, true);
    RzBitBtn1 = ExamUi::button(this, QStringLiteral("交  卷"), handIn.x(), handIn.y(), buttonWidth, 33);
    RzBitBtn2 = ExamUi::button(this, QStringLiteral("继续答题"), goOn.x(), goOn.y(), buttonWidth, 33);
    for (QPushButton *b : {RzBitBtn1, RzBitBtn2}) {
        b->setFont(buttonFont);
        b->setAutoDefault(false);
    }
    connect(RzBitBtn1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { RzBitBtn1Click(); }));
    connect(RzBitBtn2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { RzBitBtn2Click(); }));
}

void HandInBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const QSize screen = Placement::screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void HandInBox::RzBitBtn2Click()
{
    if (m_question)
        m_question->show();
    close();
}

void HandInBox::keyPressEvent(QKeyEvent *event)
{
    // Escape goes on answering, as "继续答题" does.
    if (event->key() == Qt::Key_Escape) {
        ErrorBox::run(this, [this] { RzBitBtn2Click(); });
        return;
    }
    QDialog::keyPressEvent(event);
}
