#include "tszsj.h"

#include "errorbox.h"
#include "placement.h"

#include <QCalendarWidget>
#include <QPushButton>

Tszsj::Tszsj(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("szsj"));
    setWindowTitle(QStringLiteral("设置考试时间"));
    setFixedSize(338, 224);
    setModal(true);

    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setGeometry(32, 8, 273, 178);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setGridVisible(false);
    MonthCalendar1->setAccessibleName(QStringLiteral("考试日期"));
    MonthCalendar1->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button1->setGeometry(48, 192, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    Button2->setGeometry(208, 192, 75, 25);

    connect(Button1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button2Click(); }));
    FormCreate();
}

void Tszsj::FormCreate()
{
    // Centred across, 60 pixels above the centre of the screen.
    move(Placement::exitConfirmation(Placement::screenSize(), size()));
}

void Tszsj::Button1Click()
{
    kssj = MonthCalendar1->selectedDate();
    accept();
}

void Tszsj::Button2Click()
{
    reject();
}
