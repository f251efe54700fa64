#include "tsbs.h"

#include "errorbox.h"
#include "forms.h"
#include "handover.h"
#include "inputmethods.h"
#include "picturebox.h"
#include "practiceforms.h"
#include "practiceui.h"
#include "programfolder.h"
#include "simhost.h"
#include "statements.h"
#include "tmain.h"
#include "tsbsjx.h"
#include "ttits.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QTreeWidget>
#include <qdrawutil.h>

namespace {

const QString Completed = QStringLiteral("已完成");
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

// A numbered button of the question grid. Its face is painted flat in the
// colour of its question's state, with a raised edge (sunken while pressed)
// and a frame while the pointer is on it: a style's shading would blur the
// three colours the candidate reads the run by.
class GridButton : public QPushButton
{
public:
    GridButton(int k, QWidget *parent)
        : QPushButton(QString::number(k), parent)
    {
        setObjectName(QStringLiteral("a%1").arg(k));
        setAccessibleName(QStringLiteral("第%1题").arg(k));
        QFont bold = font();
        bold.setBold(true);
        setFont(bold);
    }

    void setColour(const QColor &colour)
    {
        setProperty("colour", colour);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const QColor face = property("colour").value<QColor>();
        QPalette edges = palette();
        edges.setColor(QPalette::Light, Qt::white);
        edges.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
        edges.setColor(QPalette::Dark, QColor(0xA0, 0xA0, 0xA0));
        edges.setColor(QPalette::Shadow, QColor(0x69, 0x69, 0x69));
        QPainter painter(this);
        const QBrush fill(face);
        qDrawWinButton(&painter, rect(), edges, isDown(), &fill);
        if (underMouse()) {
            painter.setPen(QColor(0, 0, 0x80));
            painter.drawRect(rect().adjusted(2, 2, -3, -3));
        }
        painter.setPen(face == Blue || face == Red ? Qt::white : Qt::black);
        const int shift = isDown() ? 1 : 0;
        painter.drawText(rect().translated(shift, shift), Qt::AlignCenter, text());
    }

    void enterEvent(QEnterEvent *event) override
    {
        QPushButton::enterEvent(event);
        update();
    }

    void leaveEvent(QEvent *event) override
    {
        QPushButton::leaveEvent(event);
        update();
    }
};

void paintButton(QPushButton *button, const QColor &colour)
{
    if (auto *gridButton = dynamic_cast<GridButton *>(button))
        gridButton->setColour(colour);
}

// Six buttons 28 × 23 make a row, rows lie 30 pixels apart below the header.
// The columns keep the customary 34 (35) pixels apart only where six whole
// buttons fit the panel; otherwise they close up, with equal margins. Eleven
// rows fit as they are; a longer grid starts a pixel higher, so that twelve
// whole rows show, and beyond twelve it scrolls beneath the header (never
// under it), stopping at whole rows: no row is ever shown cut at an edge.
constexpr int GridColumns = 6;
constexpr int GridRowsVisible = 11;
constexpr int GridButtonWidth = 28;
constexpr int GridButtonHeight = 23;
constexpr int GridRowStep = 30;
constexpr int GridTop = 31;           // in the grid panel
constexpr int ScrollingGridTop = 30;
constexpr int GridHeaderHeight = 24;  // the header picture and the close picture
constexpr int GridMargin = 2;

} // namespace

Tsbs::Tsbs(QWidget *parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("sbs"));
    setWindowTitle(QStringLiteral("手把手"));
    setFixedSize(998, 645);
    setAutoFillBackground(true);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, 199, 645);
    imgOperationBG = new PictureBox(Panel1);
    imgOperationBG->setGeometry(0, 0, 199, 25);
    imgOperationBG->setStretch(true);
    PracticeUi::decorate(imgOperationBG, QStringLiteral("sbs_header.png"));
    Label5 = new QLabel(Panel1);
    Label5->setGeometry(7, 2, 205, 22);
    Label5->setAlignment(Qt::AlignCenter);
    QFont titleFont = Label5->font();
    titleFont.setPixelSize(16);
    Label5->setFont(titleFont);
    Label5->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Label5->setTextFormat(Qt::PlainText);
    Image1 = new PictureBox(Panel1);
    Image1->setGeometry(0, 25, 199, 384);
    Image1->setStretch(true);
    PracticeUi::decorate(Image1, QStringLiteral("sbs_side.png"));
    Label2 = PracticeUi::siteArea(Panel1, 45, 220, 121, 33);
    Label4 = PracticeUi::siteArea(Panel1, 51, 257, 121, 33);
    Image5 = new PictureBox(Panel1);
    Image5->setGeometry(0, 409, 199, 36);
    Image5->setStretch(true);
    PracticeUi::decorate(Image5, QStringLiteral("sbs_posbar.png"));
    Label1 = new QLabel(Panel1);
    Label1->setGeometry(3, 420, 195, 16);
    QFont song(QStringLiteral("宋体"));
    song.setPixelSize(14);
    song.setBold(true);
    Label1->setFont(song);
    Label1->setStyleSheet(QStringLiteral("color: blue; background: transparent;"));
    Label1->setTextFormat(Qt::PlainText);
    RichEdit1 = PracticeUi::richEdit(Panel1);
    RichEdit1->setAccessibleName(QStringLiteral("题目要求"));
    RichEdit1->setGeometry(0, 445, 199, 200);

    Panel3 = PracticeUi::panel(Panel1, PracticeUi::skyBlue);
    Panel3->setGeometry(0, 26, 199, 383);
    Panel3->hide();
    m_gridArea = new QScrollArea(Panel3);
    m_gridArea->setGeometry(0, GridHeaderHeight, 199, 383 - GridHeaderHeight);
    m_gridArea->setFrameShape(QFrame::NoFrame);
    m_gridArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_gridArea->setWidgetResizable(false);
    m_gridArea->viewport()->setAutoFillBackground(false);
    m_grid = new QWidget;
    m_grid->resize(m_gridArea->size());
    m_gridArea->setWidget(m_grid);
    Image3 = new PictureBox(Panel3);
    Image3->setGeometry(-2, -3, 193, 27);
    PracticeUi::decorate(Image3, QStringLiteral("sbs_gridhead.png"));
    Image2 = new PictureBox(Panel3);
    Image2->setGeometry(175, 0, 25, 23);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setAccessibleName(QStringLiteral("关闭题目列表"));
    PracticeUi::decorate(Image2, QStringLiteral("sbs_gridclose.png"));

    Image4 = new PictureBox(this);
    Image4->setGeometry(432, 209, 490, 160);
    PracticeUi::decorate(Image4, QStringLiteral("sbs_wait.png"));
    Panel2 = PracticeUi::panel(this, QColor(0xC0, 0xC0, 0xC0));
    Panel2->setGeometry(198, 0, 800, 600);

    Panel4 = PracticeUi::panel(this, PracticeUi::skyBlue);
    Panel4->setGeometry(197, 600, 804, 63);
    Label3 = new QLabel(QStringLiteral("输入法:"), Panel4);
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    Label3->move(23, 13);
    ComboBox1 = new QComboBox(Panel4);
    ComboBox1->setFont(bold);
    ComboBox1->setGeometry(88, 10, 126, 24);
    // A choice among the input methods, not a text: nothing typed here can
    // end up in `srf`.
    ComboBox1->setEditable(false);
    ComboBox1->setAccessibleName(QStringLiteral("输入法"));
    ComboBox1->addItem(QStringLiteral("英文输入法"));
    Button4 = PracticeUi::button(Panel4, QStringLiteral("自选题目"), 359, 4, 94, 34);
    Button1 = PracticeUi::button(Panel4, QStringLiteral("上一题"), 469, 4, 95, 34);
    Button3 = PracticeUi::button(Panel4, QStringLiteral("下一题"), 579, 4, 95, 34);
    Button5 = PracticeUi::button(Panel4, QStringLiteral("停  止"), 689, 4, 95, 34);

    connect(Button4, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button4Click(); }));
    connect(Button1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button1Click(); }));
    connect(Button3, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button3Click(); }));
    connect(Button5, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button5Click(); }));
    connect(Image2, &PictureBox::clicked, this, ErrorBox::guarded(this, [this] { Image2Click(); }));
    connect(ComboBox1, &QComboBox::activated, this, ErrorBox::guarded(this, [this] { ComboBox1Select(); }));

    m_host = std::make_unique<SimHost>(ADOConnection1, ADOQuery1, Panel2);
    connect(m_host.get(), &SimHost::notice, this, [this](const QString &text) { notice(text); });
    // Queued: the news comes from the X event filter, and the notice is modal.
    connect(m_host.get(), &SimHost::simulatorEnded, this,
            [this](int th) { ErrorBox::run(this, [this, th] { restartEndedSimulator(th); }); },
            Qt::QueuedConnection);

    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ErrorBox::run(this, [this] {
        ADOConnection1.open();
        writePanelPosition();
    });
    if (Forms::main)
        Forms::main->practiceMoved = [this] { ErrorBox::run(this, [this] { writePanelPosition(); }); };
}

Tsbs::~Tsbs()
{
    if (Forms::main)
        Forms::main->practiceMoved = nullptr;
    ADOQuery1.close();
    ADOConnection1.close();
}

bool Tsbs::wrongQuestionMode() const
{
    return Forms::main && Forms::main->xs == 4;
}

void Tsbs::writePanelPosition()
{
    const QPoint mainTopLeft = Forms::main ? Forms::main->pos() : QPoint();
    Handover::writePracticePanelPosition(ADOQuery1, Handover::practicePanelPosition(mainTopLeft, Panel2->x()));
}

QPushButton *Tsbs::gridButton(int k) const
{
    return m_grid->findChild<QPushButton *>(QStringLiteral("a%1").arg(k), Qt::FindDirectChildrenOnly);
}

void Tsbs::notice(const QString &text)
{
    if (!Forms::tits)
        return;
    // Beside the simulator panel: this window's left and top inside the
    // module panel plus the panel's place, as the notice has always stood.
    Forms::tits->move(x() + Panel2->x() + 450, y() + Panel2->y() + 350);
    Forms::tits->tell(text);
}

template<typename Step>
void Tsbs::guardedStep(Step &&step)
{
    try {
        step();
    } catch (...) {
        dd = 1;
        Panel2->show();
        throw;
    }
}

void Tsbs::openRunSet()
{
    ADOQuery1.close();
    if (wrongQuestionMode()) {
        ADOQuery1.setSql(Sql::wrongQuestionsInOrder());
    } else {
        Tsbsjx *browser = PracticeForms::browser();
        const QString chapter = browser ? browser->listti : QString();
        ADOQuery1.setSql(Sql::chosenInChapter(chapter, Sql::ChosenEnding::Tight));
    }
    ADOQuery1.open();
}

// The previous and next steps of chapter mode take the chapter from the
// browser's list item itself.
void Tsbs::openChapterItemRunSet()
{
    ADOQuery1.close();
    Tsbsjx *browser = PracticeForms::browser();
    ADOQuery1.setSql(Sql::chosenInChapter(Sql::trimTitle(browser ? browser->currentChapterItem() : QString()),
                                          Sql::ChosenEnding::Tight));
    ADOQuery1.open();
}

QString Tsbs::openNeighbour()
{
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::neighbourInWorkingSet(QString::number(js)));
    ADOQuery1.open();
    return ADOQuery1.fieldText(QStringLiteral("ti"));
}

int Tsbs::positionOf(int number)
{
    int position = 0;
    for (ADOQuery1.first(); !ADOQuery1.eof(); ADOQuery1.next()) {
        if (Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("th"))) == QString::number(number))
            position = ADOQuery1.recNo();
    }
    return position;
}

void Tsbs::showPosition(const QString &number, int position, int count)
{
    Label1->setText(QStringLiteral("题号：%1  第%2题/共%3题").arg(number).arg(position).arg(count));
}

void Tsbs::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    ErrorBox::run(this, [this] { FormShow(); });
}

void Tsbs::closeEvent(QCloseEvent *event)
{
    if (Forms::main)
        Forms::main->f6 = 0;
    QWidget::closeEvent(event);
}

void Tsbs::FormShow()
{
    if (Forms::main) {
        Forms::main->f6 = 1;
        Forms::main->ctbh = 0;
    }
    dd = 1;

    ADOQuery1.close();
    ADOQuery1.setSql(Sql::workingSetInOrder());
    ADOQuery1.open();
    if (ADOQuery1.isEmpty()) {
        ADOQuery1.close();
        endOfRun();
        return;
    }
    js = ADOQuery1.fieldInt(QStringLiteral("th"));
    QString task = ADOQuery1.fieldText(QStringLiteral("ti"));
    QString number = ADOQuery1.fieldText(QStringLiteral("th"));
    int position = 1;
    Tsbsjx *browser = PracticeForms::browser();
    if (!wrongQuestionMode()) {
        // The run starts at the question selected in the browser when it is
        // one of the chosen ones.
        const QList<QTreeWidgetItem *> selected = browser ? browser->ListView1->selectedItems() : QList<QTreeWidgetItem *>();
        for (; !ADOQuery1.eof(); ADOQuery1.next()) {
            if (!selected.isEmpty()
                && Sql::trimTitle(selected.first()->text(0)) == Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("th")))) {
                js = Sql::trimTitle(selected.first()->text(0)).toInt();
                task = ADOQuery1.fieldText(QStringLiteral("ti"));
                number = ADOQuery1.fieldText(QStringLiteral("th"));
            }
        }
        position = ADOQuery1.recordCount();
    }
    PracticeUi::showTask(RichEdit1, task);

    openRunSet();
    if (!wrongQuestionMode()) {
        for (; !ADOQuery1.eof(); ADOQuery1.next()) {
            if (Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("th"))) == Sql::trimTitle(number))
                position = ADOQuery1.recNo();
        }
    }
    showPosition(number, position, ADOQuery1.recordCount());
    ADOQuery1.close();

    ADOConnection1.close();
    ADOConnection1.open();
    m_host->launch(js);
    m_host->waitAndEmbed();
    ADOQuery1.close();
    Panel2->show();

    ComboBox1->clear();
    ComboBox1->addItem(QStringLiteral("英文输入法"));
    m_inputMethods = InputMethods::engines();
    ComboBox1->addItems(m_inputMethods);
    restoreInputMethod();
    bs = 1;

    if (browser)
        Label5->setText(browser->currentChapterItem());
    Label5->repaint();
}

void Tsbs::endOfRun()
{
    // Nothing is chosen for practice: say so and give the browser back.
    notice(QStringLiteral("没有可以练习的题目!"));
    if (Forms::main)
        Forms::main->ctbh = 1;
    close();
    deleteLater();
}

void Tsbs::Button3Click()
{
    step(+1);
}

void Tsbs::Button1Click()
{
    step(-1);
}

// "下一题" (+1) and "上一题" (-1) are mirror images: walk the run set to the
// current question's neighbour, then switch to it, or tell the candidate the
// run ends there and disable the button.
void Tsbs::step(int direction)
{
    if (dd != 1)
        return;
    dd = 0;
    const bool next = direction > 0;
    QPushButton *pressed = next ? Button3 : Button1;
    QPushButton *other = next ? Button1 : Button3;
    const QString endNotice = next ? QStringLiteral("已经是最后一道题了!") : QStringLiteral("已经是第一道题了!");
    guardedStep([&] {
        QString task;
        bool atEnd = false;
        if (!wrongQuestionMode()) {
            openChapterItemRunSet();
            while (!ADOQuery1.eof()) {
                if (ADOQuery1.fieldInt(QStringLiteral("th")) == js) {
                    ADOQuery1.moveBy(direction);
                    jsti = ADOQuery1.fieldInt(QStringLiteral("th"));
                    if (!next)
                        ADOQuery1.next();
                }
                ADOQuery1.next();
            }
            const int before = js;
            js = js == jsti ? js + direction : jsti;
            task = openNeighbour();
            if (ADOQuery1.isEmpty()) {
                ADOQuery1.close();
                js = next ? before : js + 1;
                atEnd = true;
            }
        } else {
            openRunSet();
            int q = 0;
            while (!ADOQuery1.eof()) {
                if (Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("th"))) == QString::number(js)) {
                    q = ADOQuery1.recNo();
                    ADOQuery1.moveBy(direction);
                    js = ADOQuery1.fieldInt(QStringLiteral("th"));
                    task = ADOQuery1.fieldText(QStringLiteral("ti"));
                    if (!next)
                        ADOQuery1.next();
                }
                ADOQuery1.next();
            }
            atEnd = q == (next ? ADOQuery1.recordCount() : 1);
            ADOQuery1.close();
        }
        if (atEnd) {
            pressed->setEnabled(false);
            notice(endNotice);
        } else {
            switchTo(task, other);
        }
    });
    dd = 1;
}

void Tsbs::switchTo(const QString &task, QPushButton *enable)
{
    enable->setEnabled(true);
    Panel2->hide();
    Image4->repaint();
    if (Panel3->isVisible())
        recolourGrid();

    // The label and the task box change together: the candidate never
    // reads one question's number over another question's task.
    openRunSet();
    showPosition(QString::number(js), positionOf(js), ADOQuery1.recordCount());
    ADOQuery1.close();
    PracticeUi::showTask(RichEdit1, task);

    ADOConnection1.close();
    ADOConnection1.open();
    m_host->close();
    m_host->launch(js);
    if (!wrongQuestionMode() && Forms::main)
        Forms::main->repaint();
    m_host->waitAndEmbed();
    ADOQuery1.close();
    ADOConnection1.close();
    ADOQuery1.close();
    Panel2->show();
}

// A simulator that crashed leaves an empty panel: the candidate is told,
// and the same question starts again from its beginning.
void Tsbs::restartEndedSimulator(int th)
{
    if (th != js || m_host->isEmbedded())
        return;
    Panel2->hide();
    notice(SimHost::endedNoticeText(th));
    ADOConnection1.close();
    ADOConnection1.open();
    m_host->launch(js);
    m_host->waitAndEmbed();
    ADOQuery1.close();
    ADOConnection1.close();
    Panel2->show();
}

void Tsbs::recolourGrid()
{
    openRunSet();
    for (; !ADOQuery1.eof(); ADOQuery1.next()) {
        QPushButton *button = gridButton(ADOQuery1.recNo());
        const bool done = Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("zt"))) == Completed;
        paintButton(button, done ? Blue : PracticeUi::moneyGreen);
        if (ADOQuery1.fieldInt(QStringLiteral("th")) == js)
            paintButton(button, Red);
    }
    ADOQuery1.close();
    ADOConnection1.close();
}

void Tsbs::buildGrid()
{
    openRunSet();
    const int n = ADOQuery1.recordCount();
    ADOQuery1.close();
    ADOConnection1.close();

    const int rows = (n + GridColumns - 1) / GridColumns;
    const int top = (rows > GridRowsVisible ? ScrollingGridTop : GridTop) - GridHeaderHeight;
    // The last row ends the grid: scrolled to the end, it lies on the panel's
    // lower edge, as the twelfth does at the start.
    const int height = top + (rows - 1) * GridRowStep + GridButtonHeight;
    const bool scrolls = height > m_gridArea->height();
    m_gridArea->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const int width = scrolls ? m_gridArea->width() - m_gridArea->verticalScrollBar()->sizeHint().width()
                              : m_gridArea->width();
    const int columnStep = std::min(wrongQuestionMode() ? 35 : 34,
                                    (width - 2 * GridMargin - GridButtonWidth) / (GridColumns - 1));
    const int left = (width - (GridColumns - 1) * columnStep - GridButtonWidth) / 2;
    for (int k = 1; k <= n; ++k) {
        const int c = (k - 1) % GridColumns;
        const int r = (k - 1) / GridColumns;
        auto *button = new GridButton(k, m_grid);
        button->setGeometry(left + c * columnStep, top + r * GridRowStep, GridButtonWidth, GridButtonHeight);
        paintButton(button, PracticeUi::moneyGreen);
        connect(button, &QPushButton::clicked, this, ErrorBox::guarded(this, [this, k] { gridJump(k); }));
        button->show();
    }
    m_grid->resize(width, std::max(m_gridArea->height(), height));
    // Between its ends the grid stops at whole rows.
    if (scrolls) {
        QScrollBar *bar = m_gridArea->verticalScrollBar();
        bar->setSingleStep(GridRowStep);
        connect(bar, &QScrollBar::valueChanged, this, [bar](int value) {
            const int whole = std::min((value + GridRowStep / 2) / GridRowStep * GridRowStep, bar->maximum());
            if (whole != value)
                bar->setValue(whole);
        });
    }
    Image3->raise();
    Image2->raise();
}

void Tsbs::Button4Click()
{
    if (Panel3->isHidden())
        Panel3->show();
    if (bs == 1) {
        bs = 0;
        buildGrid();
    }
    recolourGrid();
}

void Tsbs::gridJump(int k)
{
    Button1->setEnabled(true);
    Button3->setEnabled(true);
    if (dd != 1)
        return;
    dd = 0;
    guardedStep([this, k] {
        if (!wrongQuestionMode())
            Panel2->hide();
        int c = js;
        openRunSet();
        for (; !ADOQuery1.eof(); ADOQuery1.next()) {
            const int j = ADOQuery1.recNo();
            const bool done = Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("zt"))) == Completed;
            paintButton(gridButton(j), done ? Blue : PracticeUi::moneyGreen);
            if (j == k)
                c = ADOQuery1.fieldInt(QStringLiteral("th"));
        }
        ADOQuery1.close();
        ADOConnection1.close();
        js = c;
        paintButton(gridButton(k), Red);

        ADOConnection1.open();
        ADOQuery1.setSql(Sql::questionByNumber(QString::number(js)));
        ADOQuery1.open();
        const QString task = ADOQuery1.fieldText(QStringLiteral("ti"));
        ADOQuery1.close();
        if (wrongQuestionMode()) {
            ADOQuery1.setSql(Sql::workingSetInOrder());
            ADOQuery1.open();
        } else {
            openRunSet();
        }
        showPosition(QString::number(js), positionOf(js), ADOQuery1.recordCount());
        ADOQuery1.close();
        PracticeUi::showTask(RichEdit1, task);

        ADOConnection1.close();
        m_host->close();
        m_host->launch(js);
        m_host->readAndEmbed();
        ADOQuery1.close();
        ADOConnection1.close();
        ADOQuery1.close();
        if (!wrongQuestionMode())
            Panel2->show();
        Panel2->repaint();
    });
    dd = 1;
}

void Tsbs::Button5Click()
{
    m_host->close();
    if (Forms::main)
        Forms::main->ctbh = 1;
    Tsbsjx *browser = PracticeForms::browser();
    if (wrongQuestionMode()) {
        if (browser)
            browser->close();
        if (Forms::main)
            Forms::main->xs = 8;
    } else if (browser) {
        browser->setCheckBoxes(false);
        browser->ListView1->clear();
        browser->ListBox1Click();
    }
    close();
    deleteLater();
}

void Tsbs::ComboBox1Select()
{
    m_inputMethod = ComboBox1->currentText();
    if (m_inputMethod.isEmpty() || m_inputMethods.isEmpty())
        return;
    if (m_inputMethod == u"英文输入法")
        InputMethods::activateEnglish();
    else
        InputMethods::activate(m_inputMethod);
    Handover::writeInputMethod(ADOQuery1, m_inputMethod);
}

// The input method chosen in an earlier run (kept in `srf`) is chosen again
// when it is still installed; otherwise the list starts at "英文输入法".
void Tsbs::restoreInputMethod()
{
    if (m_inputMethods.isEmpty())
        return;
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::singleRow(QStringLiteral("srf")));
    ADOQuery1.open();
    const QString kept = ADOQuery1.eof() ? QString() : ADOQuery1.fieldText(QStringLiteral("srf"));
    ADOQuery1.close();
    const int index = m_inputMethods.indexOf(kept);
    if (index < 0)
        return;
    ComboBox1->setCurrentIndex(index + 1);
    m_inputMethod = kept;
    InputMethods::activate(kept);
}

void Tsbs::Image2Click()
{
    Panel3->hide();
}
