#include "slideshow.h"

#include "commands.h"
#include "slideart.h"

#include <QActionGroup>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int HintHeight = 24;

const char *const helpLines[] = {
    "放映时可以使用的快捷键",
    "",
    "单击、空格、→、↓、Page Down、Enter　　下一张",
    "←、↑、Page Up、Backspace　　　　　　上一张",
    "数字后按Enter　　定位到该张幻灯片",
    "B　　黑屏或还原　　　　W　　白屏或还原",
    "Ctrl+P　　绘图笔　　　　Ctrl+A　　箭头",
    "Ctrl+H　　永远隐藏指针　　E　　擦除墨迹",
    "右键　　放映快捷菜单",
    "Esc　　结束放映",
    "",
    "单击鼠标或按任意键关闭帮助",
};

std::function<qint64()> &rehearsalClock()
{
    static std::function<qint64()> read = [] {
        static const QElapsedTimer steady = [] {
            QElapsedTimer timer;
            timer.start();
            return timer;
        }();
        return steady.elapsed();
    };
    return read;
}

// "0:00:03": hours, minutes and seconds of a time in milliseconds.
QString clockText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QChar(u'0')).arg(seconds % 60, 2, 10, QChar(u'0'));
}

// A panel over the show: clicks on it stay with it and do not move the show on.
class Panel : public QFrame
{
public:
    explicit Panel(QWidget *parent) : QFrame(parent)
    {
        setFrameShape(QFrame::Box);
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, QColor(236, 233, 216));
        palette.setColor(QPalette::WindowText, Qt::black);
        setPalette(palette);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override { event->accept(); }
};

} // namespace

void SlideShow::setClock(std::function<qint64()> read)
{
    if (read)
        rehearsalClock() = std::move(read);
}

SlideShow::SlideShow(const Document *document, const QRect &shown, QWidget *parent)
    : QWidget(parent), m_document(document), m_shown(shown)
{
    setObjectName(QStringLiteral("slideShow"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Every right button press is the show's, for its menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    hide();
}

bool SlideShow::leftOut(int index) const
{
    if (m_document->slides.at(index).hidden)
        return true;
    // The slides 设置放映方式 names: 从 one 到 another, or a custom show's.
    const QMap<QString, QString> &settings = m_document->settings;
    const QString which = settings.value(QStringLiteral("放映方式.放映幻灯片"));
    if (which == u"从") {
        const int from = settings.value(QStringLiteral("放映方式.从")).toInt();
        const int to = settings.value(QStringLiteral("放映方式.到")).toInt();
        return (from > 0 && index + 1 < from) || (to > 0 && index + 1 > to);
    }
    if (which == u"自定义放映" && settings.value(QStringLiteral("自定义放映.名称")) == settings.value(QStringLiteral("放映方式.自定义放映"))) {
        static const QRegularExpression number(QStringLiteral("[0-9]+"));
        QList<int> slides;
        for (auto match = number.globalMatch(settings.value(QStringLiteral("自定义放映.幻灯片"))); match.hasNext();)
            slides << match.next().captured().toInt();
        return !slides.isEmpty() && !slides.contains(index + 1);
    }
    return false;
}

void SlideShow::start(int index, bool rehearsal)
{
    const int count = int(m_document->slides.size());
    m_index = std::clamp(index, 0, std::max(0, count - 1));
    // A hidden slide is left out when the show runs through.
    while (m_index < count && leftOut(m_index))
        ++m_index;
    m_atEnd = m_index >= count;
    m_index = std::min(m_index, count - 1);
    m_screen.clear();
    m_help = false;
    m_drawing = false;
    setPointer(QStringLiteral("箭头"));
    if (m_question)
        m_question->hide();
    if (m_timings)
        m_timings->hide();
    m_rehearsing = rehearsal;
    if (rehearsal) {
        buildRehearsalBar();
        m_slideSeconds.clear();
        m_doneMs = 0;
        m_pausedAt = -1;
        m_slideStart = rehearsalClock()();
        m_rehearsalBar->findChild<QToolButton *>(QStringLiteral("rehearsal:暂停"))->setChecked(false);
        m_rehearsalBar->show();
        m_rehearsalBar->raise();
        m_tick->start();
        showTimes();
    } else if (m_rehearsalBar) {
        m_rehearsalBar->hide();
        m_tick->stop();
    }
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    update();
}

bool SlideShow::hasInk() const
{
    for (const QList<Stroke> &strokes : m_ink)
        if (!strokes.isEmpty())
            return true;
    return false;
}

void SlideShow::setHint(const QString &text, const QColor &colour)
{
    if (text == m_hint && colour == m_hintColour)
        return;
    m_hint = text;
    m_hintColour = colour;
    update();
}

QWidget *SlideShow::inkQuestion() const
{
    return m_question;
}

QWidget *SlideShow::rehearsalBar() const
{
    return m_rehearsalBar;
}

QWidget *SlideShow::timingsQuestion() const
{
    return m_timings;
}

void SlideShow::buildRehearsalBar()
{
    if (m_rehearsalBar)
        return;
    m_rehearsalBar = new Panel(this);
    m_rehearsalBar->setObjectName(QStringLiteral("rehearsalBar"));
    auto *layout = new QVBoxLayout(m_rehearsalBar);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    auto *title = new QLabel(QStringLiteral("预演"), m_rehearsalBar);
    layout->addWidget(title);
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    layout->addLayout(row);
    auto button = [this, row](const char *text, const char *tip) {
        auto *b = new QToolButton(m_rehearsalBar);
        b->setObjectName(QStringLiteral("rehearsal:") + QString::fromUtf8(tip));
        b->setText(QString::fromUtf8(text));
        b->setToolTip(QString::fromUtf8(tip));
        b->setFocusPolicy(Qt::NoFocus);   // the show keeps the keys
        row->addWidget(b);
        return b;
    };
    auto time = [this, row](const char *name) {
        auto *label = new QLabel(clockText(0), m_rehearsalBar);
        label->setObjectName(QString::fromUtf8(name));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0:00:00")) + 12);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::white);
        label->setAutoFillBackground(true);
        label->setPalette(palette);
        row->addWidget(label);
        return label;
    };
    connect(button("下一项 ▶", "下一项"), &QToolButton::clicked, this, [this] { next(); });
    QToolButton *pause = button("暂停 ‖", "暂停");
    pause->setCheckable(true);
    connect(pause, &QToolButton::clicked, this, [this] { togglePause(); });
    m_slideTime = time("slideTime");
    connect(button("重复 ↺", "重复"), &QToolButton::clicked, this, [this] { repeatSlide(); });
    m_totalTime = time("totalTime");
    m_rehearsalBar->adjustSize();
    m_rehearsalBar->move(m_shown.topLeft() + QPoint(6, 6));
    m_tick = new QTimer(this);
    m_tick->setInterval(200);
    connect(m_tick, &QTimer::timeout, this, &SlideShow::showTimes);
}

qint64 SlideShow::slideMs() const
{
    return (m_pausedAt >= 0 ? m_pausedAt : rehearsalClock()()) - m_slideStart;
}

void SlideShow::slideDone()
{
    const qint64 ms = slideMs();
    m_slideSeconds << int(ms / 1000);
    m_doneMs += ms;
    m_slideStart = rehearsalClock()();
    m_pausedAt = -1;
    if (m_rehearsalBar)
        m_rehearsalBar->findChild<QToolButton *>(QStringLiteral("rehearsal:暂停"))->setChecked(false);
}

void SlideShow::togglePause()
{
    const qint64 now = rehearsalClock()();
    if (m_pausedAt < 0) {
        m_pausedAt = now;
    } else {
        m_slideStart += now - m_pausedAt;
        m_pausedAt = -1;
    }
    showTimes();
}

void SlideShow::repeatSlide()
{
    m_slideStart = rehearsalClock()();
    if (m_pausedAt >= 0)
        m_pausedAt = m_slideStart;
    showTimes();
}

void SlideShow::showTimes()
{
    if (!m_rehearsalBar)
        return;
    const qint64 slide = slideMs();
    m_slideTime->setText(clockText(slide));
    m_totalTime->setText(clockText(m_doneMs + slide));
}

void SlideShow::askTimings()
{
    m_tick->stop();
    m_rehearsalBar->hide();
    if (!m_timings) {
        m_timings = new Panel(this);
        m_timings->setObjectName(QStringLiteral("timingsQuestion"));
        auto *layout = new QVBoxLayout(m_timings);
        layout->setContentsMargins(18, 14, 18, 12);
        layout->setSpacing(12);
        m_timingsText = new QLabel(m_timings);
        layout->addWidget(m_timingsText);
        auto *buttons = new QHBoxLayout;
        buttons->addStretch();
        layout->addLayout(buttons);
        auto *yes = new QPushButton(QStringLiteral("是(&Y)"), m_timings);
        yes->setObjectName(QStringLiteral("keepTimings"));
        yes->setDefault(true);
        auto *no = new QPushButton(QStringLiteral("否(&N)"), m_timings);
        no->setObjectName(QStringLiteral("discardTimings"));
        buttons->addWidget(yes);
        buttons->addWidget(no);
        buttons->addStretch();
        connect(yes, &QPushButton::clicked, this, [this] { answerTimings(true); });
        connect(no, &QPushButton::clicked, this, [this] { answerTimings(false); });
    }
    m_timingsText->setText(QStringLiteral("幻灯片放映共需时间 %1。是否保留新的幻灯片排练时间？").arg(clockText(m_doneMs)));
    m_timings->adjustSize();
    m_timings->move(m_shown.center() - QPoint(m_timings->width() / 2, m_timings->height() / 2));
    m_timings->show();
    m_timings->raise();
    m_timings->findChild<QPushButton *>(QStringLiteral("keepTimings"))->setFocus();
    update();
}

void SlideShow::answerTimings(bool keep)
{
    m_timings->hide();
    // The time each slide stays, as the slides took it on the average.
    qint64 sum = 0;
    for (int seconds : std::as_const(m_slideSeconds))
        sum += seconds;
    const qint64 stay = m_slideSeconds.isEmpty() ? 0 : (sum + m_slideSeconds.size() / 2) / m_slideSeconds.size();
    m_rehearsing = false;
    take(keep ? QStringLiteral("保留排练时间 %1秒").arg(stay) : QStringLiteral("放弃排练时间"));
    finish();
}

void SlideShow::take(const QString &action)
{
    emit actionTaken(action);
}

void SlideShow::next()
{
    if (dismissOverlay() || (m_timings && m_timings->isVisible()))
        return;
    if (m_rehearsing) {
        // The slide's time is done; after the last one the rehearsal asks at once.
        slideDone();
        int n = m_index + 1;
        while (n < m_document->slides.size() && leftOut(n))
            ++n;
        take(QStringLiteral("下一张"));
        if (n >= m_document->slides.size()) {
            askTimings();
            return;
        }
        m_index = n;
        showTimes();
        update();
        return;
    }
    if (m_atEnd) {
        requestEnd();
        return;
    }
    int n = m_index + 1;
    while (n < m_document->slides.size() && leftOut(n))
        ++n;
    if (n < m_document->slides.size())
        m_index = n;
    else
        m_atEnd = true;
    update();
    take(QStringLiteral("下一张"));
}

void SlideShow::previous()
{
    // A rehearsal goes forward only: 重复 times the slide again.
    if (dismissOverlay() || m_rehearsing)
        return;
    if (m_atEnd) {
        m_atEnd = false;
    } else {
        int n = m_index - 1;
        while (n >= 0 && leftOut(n))
            --n;
        if (n >= 0)
            m_index = n;
    }
    update();
    take(QStringLiteral("上一张"));
}

void SlideShow::goTo(int index)
{
    if (index < 0 || index >= m_document->slides.size())
        return;
    m_index = index;
    m_atEnd = false;
    m_screen.clear();
    m_help = false;
    update();
    take(QStringLiteral("定位 %1").arg(index + 1));
}

void SlideShow::eraseInk()
{
    if (m_ink.value(m_index).isEmpty())
        return;
    m_ink.remove(m_index);
    update();
    take(QStringLiteral("擦除墨迹"));
}

void SlideShow::setPointer(const QString &pointer)
{
    m_pointer = pointer == u"自动" || pointer == u"可见" ? QStringLiteral("箭头") : pointer;
    if (m_pointer == u"永远隐藏")
        setCursor(Qt::BlankCursor);
    else if (m_pointer == u"绘图笔" || m_pointer == u"荧光笔")
        setCursor(Qt::CrossCursor);
    else
        setCursor(Qt::ArrowCursor);
}

bool SlideShow::dismissOverlay()
{
    if (!m_help && m_screen.isEmpty())
        return false;
    m_help = false;
    m_screen.clear();
    update();
    return true;
}

void SlideShow::requestEnd()
{
    if ((m_question && m_question->isVisible()) || (m_timings && m_timings->isVisible()))
        return;
    if (m_rehearsing) {
        slideDone();
        askTimings();
        return;
    }
    m_drawing = false;
    take(QStringLiteral("结束"));
    if (!hasInk()) {
        finish();
        return;
    }
    if (!m_question) {
        m_question = new QFrame(this);
        m_question->setObjectName(QStringLiteral("inkQuestion"));
        m_question->setFrameShape(QFrame::Box);
        m_question->setAutoFillBackground(true);
        QPalette palette = m_question->palette();
        palette.setColor(QPalette::Window, QColor(236, 233, 216));
        palette.setColor(QPalette::WindowText, Qt::black);
        m_question->setPalette(palette);
        auto *layout = new QVBoxLayout(m_question);
        layout->setContentsMargins(18, 14, 18, 12);
        layout->setSpacing(12);
        layout->addWidget(new QLabel(QStringLiteral("是否保留墨迹注释？"), m_question));
        auto *buttons = new QHBoxLayout;
        layout->addLayout(buttons);
        auto *keep = new QPushButton(QStringLiteral("保留"), m_question);
        keep->setObjectName(QStringLiteral("keepInk"));
        keep->setDefault(true);
        auto *discard = new QPushButton(QStringLiteral("放弃"), m_question);
        discard->setObjectName(QStringLiteral("discardInk"));
        buttons->addWidget(keep);
        buttons->addWidget(discard);
        connect(keep, &QPushButton::clicked, this, [this] { answerInk(true); });
        connect(discard, &QPushButton::clicked, this, [this] { answerInk(false); });
        m_question->adjustSize();
    }
    m_question->move(m_shown.center() - QPoint(m_question->width() / 2, m_question->height() / 2));
    m_question->show();
    m_question->raise();
    m_question->findChild<QPushButton *>(QStringLiteral("keepInk"))->setFocus();
    update();
}

void SlideShow::answerInk(bool keep)
{
    if (m_question)
        m_question->hide();
    if (!keep)
        m_ink.clear();
    take(keep ? QStringLiteral("保留墨迹") : QStringLiteral("放弃墨迹"));
    finish();
}

void SlideShow::finish()
{
    if (m_menu)
        m_menu->close();
    m_rehearsing = false;
    if (m_rehearsalBar) {
        m_rehearsalBar->hide();
        m_tick->stop();
    }
    hide();
    emit finished();
}

QRectF SlideShow::slideRect() const
{
    QRectF area = m_shown;
    if (!m_hint.isEmpty())
        area.setBottom(area.bottom() - HintHeight);
    const double scale = std::min(area.width() / SlideArt::SlideWidthPt, area.height() / SlideArt::SlideHeightPt);
    const QSizeF size(SlideArt::SlideWidthPt * scale, SlideArt::SlideHeightPt * scale);
    return QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

QColor SlideShow::inkColour() const
{
    QString name = m_inkColourName;
    if (name.isEmpty())
        name = m_pointer == u"荧光笔" ? QStringLiteral("黄色")
                                      : m_document->settings.value(QStringLiteral("放映方式.绘图笔颜色"), QStringLiteral("红色"));
    return SlideArt::colour(name, Qt::red);
}

QMenu *SlideShow::contextMenu()
{
    delete m_menu;
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("showMenu"));
    // A click beside the menu closes it and goes no further: the show stays on its slide.
    m_menu->setAttribute(Qt::WA_NoMouseReplay);
    auto entry = [this](QMenu *menu, const QString &text, const QString &action, auto slot) {
        QAction *a = menu->addAction(text);
        a->setObjectName(QStringLiteral("show:") + action);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    entry(m_menu, QStringLiteral("下一张"), QStringLiteral("下一张"), [this] { next(); });
    entry(m_menu, QStringLiteral("上一张"), QStringLiteral("上一张"), [this] { previous(); });
    QMenu *slides = m_menu->addMenu(QStringLiteral("定位至幻灯片"));
    for (int i = 0; i < m_document->slides.size(); ++i) {
        const Slide &slide = m_document->slides.at(i);
        const QString title = slide.title.section(u'\n', 0, 0).trimmed();
        const QString text = QStringLiteral("%1 %2").arg(i + 1).arg(title.isEmpty() ? QStringLiteral("幻灯片 %1").arg(i + 1) : title);
        QAction *a = entry(slides, slide.hidden ? QStringLiteral("(%1)").arg(text) : text,
                           QStringLiteral("定位 %1").arg(i + 1), [this, i] { goTo(i); });
        a->setCheckable(true);
        a->setChecked(i == m_index && !m_atEnd);
    }
    m_menu->addSeparator();
    QMenu *pointer = m_menu->addMenu(QStringLiteral("指针选项"));
    auto *pointers = new QActionGroup(pointer);
    for (const char *name : {"箭头", "绘图笔", "荧光笔"}) {
        const QString p = QString::fromUtf8(name);
        QAction *a = entry(pointer, p, p, [this, p] {
            setPointer(p);
            take(p);
        });
        a->setCheckable(true);
        a->setChecked(m_pointer == p);
        pointers->addAction(a);
    }
    QMenu *colours = pointer->addMenu(QStringLiteral("墨迹颜色"));
    for (const QString &c : Commands::find(QStringLiteral("放映控制"))->field(QStringLiteral("墨迹颜色"))->choices) {
        QPixmap swatch(12, 12);
        swatch.fill(SlideArt::colour(c, Qt::black));
        QAction *a = entry(colours, c, QStringLiteral("墨迹颜色 ") + c, [this, c] {
            m_inkColourName = c;
            take(QStringLiteral("墨迹颜色 ") + c);
        });
        a->setIcon(QIcon(swatch));
    }
    pointer->addSeparator();
    QAction *erase = entry(pointer, QStringLiteral("擦除幻灯片上的所有墨迹"), QStringLiteral("擦除墨迹"), [this] { eraseInk(); });
    erase->setEnabled(!m_ink.value(m_index).isEmpty());
    pointer->addSeparator();
    QMenu *arrow = pointer->addMenu(QStringLiteral("箭头选项"));
    auto *arrows = new QActionGroup(arrow);
    for (const char *name : {"自动", "可见", "永远隐藏"}) {
        const QString o = QString::fromUtf8(name);
        QAction *a = entry(arrow, o, o, [this, o] {
            setPointer(o);
            take(o);
        });
        a->setCheckable(true);
        a->setChecked(o == u"永远隐藏" ? m_pointer == o : o == u"自动" && m_pointer != u"永远隐藏");
        arrows->addAction(a);
    }
    QMenu *screen = m_menu->addMenu(QStringLiteral("屏幕"));
    for (const char *name : {"黑屏", "白屏"}) {
        const QString s = QString::fromUtf8(name);
        entry(screen, s, s, [this, s] {
            m_help = false;
            m_screen = s;
            update();
            take(s);
        });
    }
    m_menu->addSeparator();
    entry(m_menu, QStringLiteral("帮助"), QStringLiteral("帮助"), [this] {
        m_screen.clear();
        m_help = true;
        update();
        take(QStringLiteral("帮助"));
    });
    m_menu->addSeparator();
    entry(m_menu, QStringLiteral("结束放映"), QStringLiteral("结束"), [this] { requestEnd(); });

    // The guide's entry is the active one, or the submenu on the way to it.
    // A submenu opens only once its menu is on screen: opened before, it
    // would take no pointer input.
    if (!m_awaited.isEmpty()) {
        if (auto *awaited = m_menu->findChild<QAction *>(QStringLiteral("show:") + m_awaited)) {
            QObject *step = awaited;
            while (step->parent() && step->parent() != m_menu)
                step = step->parent();
            QAction *active = step == awaited ? awaited : nullptr;
            if (auto *sub = qobject_cast<QMenu *>(step))
                active = sub->menuAction();
            if (active) {
                QMenu *menu = m_menu;
                connect(menu, &QMenu::aboutToShow, menu, [menu, active] {
                    QTimer::singleShot(0, menu, [menu, active] {
                        if (menu->isVisible())
                            menu->setActiveAction(active);
                    });
                });
            }
        }
    }
    return m_menu;
}

bool SlideShow::event(QEvent *event)
{
    // Keys are the show's while it runs: the editor's shortcuts stay quiet.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void SlideShow::keyPressEvent(QKeyEvent *event)
{
    if (m_question && m_question->isVisible()) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            answerInk(true);
        return;
    }
    if (m_timings && m_timings->isVisible()) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Y)
            answerTimings(true);
        else if (event->key() == Qt::Key_N)
            answerTimings(false);
        return;
    }
    if (m_help && event->key() != Qt::Key_Escape) {
        dismissOverlay();
        return;
    }
    // The pointer keys of the show: Ctrl+P the pen, Ctrl+A the arrow, Ctrl+H
    // the pointer hidden for good, E wipes the slide's ink.
    if (event->modifiers() == Qt::ControlModifier) {
        static const QHash<int, QString> pointers = {
            {Qt::Key_P, QStringLiteral("绘图笔")}, {Qt::Key_A, QStringLiteral("箭头")}, {Qt::Key_H, QStringLiteral("永远隐藏")}};
        if (const auto p = pointers.constFind(event->key()); p != pointers.constEnd()) {
            m_typedNumber.clear();
            setPointer(*p);
            take(*p);
            return;
        }
    }
    // A slide's number typed and Enter go to that slide.
    if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9 && m_typedNumber.size() < 4) {
        m_typedNumber += QChar(u'0' + (event->key() - Qt::Key_0));
        return;
    }
    const QString typed = std::exchange(m_typedNumber, QString());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !typed.isEmpty()) {
        goTo(typed.toInt() - 1);
        return;
    }
    switch (event->key()) {
    case Qt::Key_E:
        eraseInk();
        break;
    case Qt::Key_Escape:
        requestEnd();
        break;
    case Qt::Key_Space:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_N:
        next();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
    case Qt::Key_P:
        previous();
        break;
    case Qt::Key_B:
    case Qt::Key_W: {
        const QString s = event->key() == Qt::Key_B ? QStringLiteral("黑屏") : QStringLiteral("白屏");
        if (m_screen == s) {
            dismissOverlay();
        } else {
            m_screen = s;
            update();
            take(s);
        }
        break;
    }
    case Qt::Key_F1:
        m_help = true;
        update();
        take(QStringLiteral("帮助"));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SlideShow::mousePressEvent(QMouseEvent *event)
{
    if ((m_question && m_question->isVisible()) || (m_timings && m_timings->isVisible()))
        return;
    if (event->button() == Qt::RightButton) {
        m_drawing = false;
        contextMenu()->popup(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (dismissOverlay())
        return;
    if (m_atEnd) {
        requestEnd();
        return;
    }
    const bool pen = m_pointer == u"绘图笔" || m_pointer == u"荧光笔";
    if (!pen) {
        next();
        return;
    }
    const QRectF r = slideRect();
    if (!r.contains(event->position()))
        return;
    const QPointF at = event->position() - r.topLeft();
    m_ink[m_index].append(Stroke{QPolygonF{QPointF(at.x() / r.width(), at.y() / r.height())}, inkColour(),
                                 m_pointer == u"荧光笔"});
    m_drawing = true;
}

void SlideShow::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drawing || m_ink.value(m_index).isEmpty())
        return;
    const QRectF r = slideRect();
    QPointF at = event->position() - r.topLeft();
    at = QPointF(std::clamp(at.x() / r.width(), 0.0, 1.0), std::clamp(at.y() / r.height(), 0.0, 1.0));
    QPolygonF &points = m_ink[m_index].last().points;
    if (points.last() != at) {
        points << at;
        update();
    }
}

void SlideShow::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_drawing || event->button() != Qt::LeftButton)
        return;
    m_drawing = false;
    QList<Stroke> &strokes = m_ink[m_index];
    if (strokes.isEmpty())
        return;
    if (strokes.last().points.size() < 2) {
        strokes.removeLast();   // a click with the pen draws nothing
        return;
    }
    update();
    take(QStringLiteral("画线"));
}

void SlideShow::paintStroke(QPainter &p, const Stroke &stroke, const QRectF &slide) const
{
    QColor colour = stroke.colour;
    if (stroke.highlighter)
        colour.setAlpha(110);
    QPen pen(colour, slide.width() * (stroke.highlighter ? 0.022 : 0.005), Qt::SolidLine,
             stroke.highlighter ? Qt::SquareCap : Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    QPainterPath path;
    for (int i = 0; i < stroke.points.size(); ++i) {
        const QPointF at(slide.x() + stroke.points.at(i).x() * slide.width(), slide.y() + stroke.points.at(i).y() * slide.height());
        if (i == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    p.drawPath(path);
}

void SlideShow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::black);
    const bool ended = m_atEnd || (m_question && m_question->isVisible()) || (m_timings && m_timings->isVisible());
    const bool asking = m_timings && m_timings->isVisible();   // a click does not end the rehearsal's question
    if (ended && !asking) {
        p.setPen(Qt::white);
        QFont f = font();
        f.setPixelSize(16);
        p.setFont(f);
        p.drawText(QRect(m_shown.left() + 16, m_shown.top() + 14, m_shown.width() - 32, 30), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("放映结束，单击鼠标退出。"));
    } else if (ended) {
        // black behind the rehearsal's question
    } else if (m_screen == u"白屏") {
        p.fillRect(rect(), Qt::white);
    } else if (m_screen.isEmpty() && !m_document->slides.isEmpty()) {
        const QRectF r = slideRect();
        SlideArt::paintSlide(p, r, *m_document, m_index, SlideArt::Background | SlideArt::Objects | SlideArt::Texts | SlideArt::Footer,
                             font());
        p.save();
        p.setClipRect(r);
        for (const Stroke &stroke : m_ink.value(m_index))
            paintStroke(p, stroke, r);
        p.restore();
    }
    if (m_help) {
        QFont f = font();
        f.setPixelSize(15);
        p.setFont(f);
        const int lineHeight = 26;
        const QSize size(520, int(std::size(helpLines)) * lineHeight + 28);
        const QRect box(m_shown.center() - QPoint(size.width() / 2, size.height() / 2), size);
        p.fillRect(box, QColor(236, 233, 216));
        p.setPen(QColor(90, 90, 90));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        int y = box.top() + 14;
        for (const char *line : helpLines) {
            p.drawText(QRect(box.left() + 24, y, box.width() - 48, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromUtf8(line));
            y += lineHeight;
        }
    }
    if (!m_hint.isEmpty()) {
        const QRect strip(m_shown.left(), m_shown.bottom() + 1 - HintHeight, m_shown.width(), HintHeight);
        p.fillRect(strip, QColor(255, 255, 225));
        p.setPen(m_hintColour.isValid() ? m_hintColour : QColor(192, 0, 0));
        QFont f = font();
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.drawText(strip.adjusted(10, 0, -10, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(m_hint, Qt::ElideRight, strip.width() - 20));
    }
}
