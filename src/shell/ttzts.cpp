#include "ttzts.h"

#include "addresses.h"
#include "desktop.h"
#include "errorbox.h"
#include "forms.h"
#include "tmain.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

TTzts::TTzts(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Pelquor"));
    resize(478, 48);
    QFont buttons(QStringLiteral("Tahoma"));
    buttons.setPointSize(9);
    setFont(buttons);

    lbl1 = new QLabel(QStringLiteral("您电脑的flash未安装或安装错误，是否下载安装?"), this);
    lbl1->move(16, 16);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    font.setBold(true);
    lbl1->setFont(font);
    // Measuring the message loads its font: done as soon as the program has
    // started, not while its first window waits to appear.
    QTimer::singleShot(0, lbl1, [this] { lbl1->adjustSize(); });

    btn1 = new QPushButton(QStringLiteral("是"), this);
    btn1->setGeometry(362, 11, 47, 25);
    btn2 = new QPushButton(QStringLiteral("否"), this);
    btn2->setGeometry(415, 11, 47, 25);
    connect(btn1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { btn1Click(); }));
    connect(btn2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { btn2Click(); }));
}

void TTzts::showEvent(QShowEvent *event)
{
    // The message fits its text (should it be shown before the program
    // is idle); centred over the main window each time it is shown.
    lbl1->adjustSize();
    if (Forms::main)
        move(Forms::main->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TTzts::btn1Click()
{
    Desktop::openAddress(Addresses::flashInstaller);
}

void TTzts::btn2Click()
{
    close();
}
