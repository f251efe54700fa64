#include "txzlxt.h"

#include "errorbox.h"
#include "practiceforms.h"
#include "practiceui.h"
#include "tsbsjx.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

Txzlxt::Txzlxt(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("选择练习题"));
    setModal(true);
    resize(800, 600);
    ErrorBox::run(this, [this] { FormCreate(); });
}

// The controls are made when the picker is first shown: made at start-up,
// their text would load the font database before the main window is on screen.
void Txzlxt::buildControls()
{
    ListView1 = new QTreeWidget(this);
    ListView1->setAccessibleName(QStringLiteral("选择练习题"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(13);
    ListView1->setFont(tahoma);
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels({QStringLiteral("题号"), QStringLiteral("要求"), QStringLiteral("状态")});
    ListView1->headerItem()->setTextAlignment(2, Qt::AlignCenter);
    // The number beside its check box and the state are always shown
    // whole; the task takes the rest of the width, whatever the window's.
    QHeaderView *header = ListView1->header();
    header->setSectionsClickable(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(50);
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setFocusPolicy(Qt::NoFocus);
    ListView1->setStyleSheet(PracticeUi::gridLines());

    Panel4 = PracticeUi::panel(this, PracticeUi::skyBlue);
    Panel4->setFixedHeight(36);
    Button4 = new QPushButton(QStringLiteral("全选"), Panel4);
    Button4->setGeometry(96, 6, 74, 25);
    Button2 = new QPushButton(QStringLiteral("反选"), Panel4);
    Button2->setGeometry(275, 6, 75, 25);
    Button1 = new QPushButton(QStringLiteral("开始练习"), Panel4);
    Button1->setGeometry(454, 6, 75, 25);
    Button3 = new QPushButton(QStringLiteral("返回"), Panel4);
    Button3->setGeometry(633, 6, 75, 25);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ListView1, 1);
    layout->addWidget(Panel4);

    connect(Button4, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button4Click(); }));
    connect(Button2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button2Click(); }));
    connect(Button1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button1Click(); }));
    connect(Button3, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button3Click(); }));
}

void Txzlxt::FormCreate()
{
    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize(1024, 768);
    move(screen.width() / 2 - 392, screen.height() / 2 - 310);
}

void Txzlxt::showEvent(QShowEvent *event)
{
    if (!ListView1)
        buildControls();
    QDialog::showEvent(event);
    ErrorBox::run(this, [this] { FormShow(); });
}

void Txzlxt::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // The picker blocks the program while it is open; minimised, it would
    // leave nothing on screen to answer. A window manager that minimises it
    // anyway (its window menu, a key) sees it come straight back.
    if (event->type() == QEvent::WindowStateChange && isVisible() && isMinimized()) {
        QTimer::singleShot(0, this, [this] {
            if (!isVisible() || !isMinimized())
                return;
            setWindowState(windowState() & ~Qt::WindowMinimized);
            show();
            raise();
            activateWindow();
        });
    }
}

bool Txzlxt::isTicked(int row) const
{
    const QTreeWidgetItem *item = ListView1 ? ListView1->topLevelItem(row) : nullptr;
    return item && item->checkState(0) == Qt::Checked;
}

void Txzlxt::setTicked(int row, bool ticked)
{
    if (QTreeWidgetItem *item = ListView1 ? ListView1->topLevelItem(row) : nullptr)
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void Txzlxt::FormShow()
{
    ListView1->clear();
    Tsbsjx *browser = PracticeForms::browser();
    if (!browser)
        return;
    for (int i = 0; i < browser->ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *source = browser->ListView1->topLevelItem(i);
        auto *item = new QTreeWidgetItem(ListView1);
        item->setCheckState(0, browser->isChecked(i) ? Qt::Checked : Qt::Unchecked);
        item->setText(0, source->text(0));
        item->setText(1, source->text(1));
        item->setText(2, source->text(2));
        item->setTextAlignment(2, Qt::AlignCenter);
    }
}

void Txzlxt::Button4Click()
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        setTicked(i, true);
}

void Txzlxt::Button2Click()
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        setTicked(i, !isTicked(i));
}

void Txzlxt::Button1Click()
{
    Tsbsjx *browser = PracticeForms::browser();
    if (!browser) {
        close();
        return;
    }
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        if (isTicked(i) && !browser->checkBoxes()) {
            browser->setCheckBoxes(true);
            browser->ListView1->setCurrentItem(browser->ListView1->topLevelItem(i));
        }
        browser->setChecked(i, isTicked(i));
    }
    close();
    browser->ListView1->setFocus();
    browser->Button4Click();
}

void Txzlxt::Button3Click()
{
    close();
}
