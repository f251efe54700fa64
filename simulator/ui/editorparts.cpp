#include "master.h"
#include "editorparts.h"

#include "editoraccess.h"

#include "commands.h"
#include "dialoglayouts.h"
#include "session.h"
#include "slideart.h"
#include "taskpanes.h"
#include "textruns.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QFontMetricsF>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>

namespace {

const QColor workspaceGrey(171, 171, 171);
const QColor paneBlue(214, 226, 244);
const QColor paneBorder(130, 150, 190);

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::Base, Qt::transparent);
    widget->setPalette(palette);
}

// The part's runs over its own format: the characters of each, where they
// first stand in the text, take the run's format.
void showRuns(QTextEdit *editor, const QList<SlideArt::Run> &runs)
{
    QTextCursor all(editor->document());
    all.select(QTextCursor::Document);
    all.setCharFormat(QTextCharFormat());
    const QString text = editor->toPlainText();
    for (const SlideArt::Run &run : runs) {
        const qsizetype at = TextRuns::startIn(text, run.name);
        if (at < 0)
            continue;
        QTextCursor cursor(editor->document());
        cursor.setPosition(int(at));
        cursor.setPosition(int(at + TextRuns::textOf(run.name).size()), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(run.format);
    }
}

} // namespace

// --- TaskStrip -------------------------------------------------------------

TaskStrip::TaskStrip(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("taskStrip"));
    setAccessibleName(QStringLiteral("题目要求"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TaskStrip::setTask(const QString &text)
{
    m_task = text;
    fit();
}

void TaskStrip::setHint(const QString &text, const QColor &colour)
{
    m_hint = text;
    m_hintColour = colour;
    fit();
    update();
}

void TaskStrip::fit()
{
    // A screen reader reads what the strip paints.
    setAccessibleDescription(m_hint.isEmpty() ? m_task : m_task + u'\n' + m_hint);
    const QFontMetrics metrics = fontMetrics();
    const int width = std::max(200, (parentWidget() ? 790 : this->width()) - 12);
    int height = metrics.boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap, m_task).height();
    if (!m_hint.isEmpty())
        height += metrics.boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap, m_hint).height();
    setFixedHeight(height + 8);
}

void TaskStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(255, 248, 220));
    p.setPen(QColor(208, 176, 96));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect inner = rect().adjusted(6, 4, -6, -4);
    p.setPen(Qt::black);
    QRect used;
    p.drawText(inner, Qt::TextWordWrap, m_task, &used);
    if (!m_hint.isEmpty()) {
        p.setPen(m_hintColour);
        p.drawText(inner.adjusted(0, used.height(), 0, 0), Qt::TextWordWrap, m_hint);
    }
}

// --- StatusStrip -----------------------------------------------------------

StatusStrip::StatusStrip(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("statusStrip"));
    setAccessibleName(QStringLiteral("状态栏"));
    setFixedHeight(fontMetrics().height() + 6);
}

void StatusStrip::setTexts(const QString &left, const QString &right)
{
    m_left = left;
    m_right = right;
    setAccessibleDescription(left + QStringLiteral("    ") + right);
    update();
}

void StatusStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
    p.drawLine(width() - 160, 3, width() - 160, height() - 3);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(rect().adjusted(6, 1, -166, 0), Qt::AlignVCenter | Qt::AlignLeft, m_left);
    p.drawText(rect().adjusted(width() - 154, 1, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, m_right);
}

// --- TaskPane --------------------------------------------------------------

namespace {

// One painted entry of the task pane as a screen reader sees it: a link or
// a layout to press, named as it reads.
class TaskPaneEntryAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TaskPaneEntryAccessible(TaskPane *pane, int index) : m_pane(pane), m_index(index) {}

    bool isValid() const override { return m_pane && m_index < m_pane->entries().size(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_pane ? m_pane->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_pane.data()); }
    // The switcher's drop-down, once opened, is the switcher's child, as a
    // button's menu is.
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && childCount() == 1 ? QAccessible::queryAccessibleInterface(m_pane->switcher()) : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    int childCount() const override
    {
        return isValid() && m_pane->entries().at(m_index).second == u"switch" && m_pane->switcher() ? 1 : 0;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child == this->child(0) ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        return TaskPane::spokenName(m_pane->entries().at(m_index).second);
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect area = m_pane->entries().at(m_index).first;
        return QRect(m_pane->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override
    {
        return isValid() && m_pane->entries().at(m_index).second.startsWith(u"link:") ? QAccessible::Link
                                                                                       : QAccessible::Button;
    }
    QAccessible::State state() const override { return {}; }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (isValid() && name == pressAction())
            m_pane->activate(m_pane->entries().at(m_index).second);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<TaskPane> m_pane;
    int m_index;
};

class TaskPaneAccessible : public QAccessibleWidget
{
public:
    explicit TaskPaneAccessible(TaskPane *pane) : QAccessibleWidget(pane, QAccessible::Pane, QStringLiteral("任务窗格")) {}

    // The painted entries, then the panes of real controls (自定义动画, 幻灯片切换).
    int childCount() const override { return int(pane()->entries().size()) + QAccessibleWidget::childCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (index >= pane()->entries().size())
            return QAccessibleWidget::child(index - int(pane()->entries().size()));
        // Registered once per entry, so that the same entry keeps its interface.
        auto &cache = m_children[index];
        if (!cache) {
            cache = new TaskPaneEntryAccessible(pane(), index);
            QAccessible::registerAccessibleInterface(cache);
        }
        return cache;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto it = m_children.begin(); it != m_children.end(); ++it)
            if (it.value() == child)
                return it.key();
        const int widget = QAccessibleWidget::indexOfChild(child);
        return widget < 0 ? -1 : int(pane()->entries().size()) + widget;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint at = pane()->mapFromGlobal(QPoint(x, y));
        const auto entries = pane()->entries();
        for (int i = 0; i < entries.size(); ++i)
            if (entries.at(i).first.contains(at))
                return child(i);
        return QAccessibleWidget::childAt(x, y);
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QStringLiteral("任务窗格") : QAccessibleWidget::text(t);
    }

private:
    TaskPane *pane() const { return static_cast<TaskPane *>(widget()); }
    mutable QMap<int, QAccessibleInterface *> m_children;
};

QAccessibleInterface *taskPaneFactory(const QString &className, QObject *object)
{
    if (className == u"TaskPane" && object && object->isWidgetType())
        return new TaskPaneAccessible(static_cast<TaskPane *>(object));
    return nullptr;
}

} // namespace

void TaskPane::installAccessibility()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(taskPaneFactory);
    installed = true;
}

namespace {

// What a link shows where it reads otherwise than the choice it makes
// (the pane says 空演示文稿 for the blank presentation).
QString shownLink(const QString &choice)
{
    if (choice == u"空白演示文稿")
        return QStringLiteral("空演示文稿");
    if (choice == u"根据现有演示文稿")
        return QStringLiteral("根据现有演示文稿…");
    return choice;
}

} // namespace

QString TaskPane::spokenName(const QString &entry)
{
    if (entry == u"close")
        return QStringLiteral("关闭任务窗格");
    if (entry == u"switch")
        return QStringLiteral("其他任务窗格");
    if (entry.startsWith(u"designmenu:"))
        return entry.section(u':', 1) + QStringLiteral(" 应用方式");
    if (entry.startsWith(u"scheme:"))
        return QStringLiteral("配色方案 ") + entry.section(u':', 1);
    QString name = entry.startsWith(u"link:") ? shownLink(entry.section(u':', 1)) : entry.section(u':', 1);
    return name.remove(QStringLiteral(" ▾"));
}

QString TaskPane::entryFor(const QString &commandId)
{
    if (commandId == u"新建")
        return QStringLiteral("link:根据设计模板");
    if (commandId == u"打开")
        return QStringLiteral("link:其他…");
    if (commandId == u"粘贴")
        return QStringLiteral("link:全部粘贴");
    return {};
}

TaskPane::TaskPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("taskPane"));
    setAccessibleName(QStringLiteral("任务窗格"));
}

QStringList TaskPane::panes()
{
    return {QStringLiteral("新建演示文稿"), QStringLiteral("幻灯片版式"), QStringLiteral("幻灯片设计"),
            QStringLiteral("动画方案"), QStringLiteral("自定义动画"), QStringLiteral("幻灯片切换"), QStringLiteral("剪贴板"),
            QStringLiteral("剪贴画")};
}

QString TaskPane::title(const QString &pane)
{
    // The animation schemes are a view of the design pane, titled so.
    return pane == u"动画方案" ? QStringLiteral("幻灯片设计 - 动画方案") : pane;
}

void TaskPane::setPane(const QString &pane, const QString &layout)
{
    m_pane = pane;
    setAccessibleDescription(pane);   // which pane it is, as its title bar says
    m_layout = layout;
    // The panes of controls are made when first shown.
    if (pane == u"自定义动画" && !m_animation) {
        m_animation = new AnimationPane(this);
        connect(m_animation, &AnimationPane::chosen, this, &TaskPane::chosen);
        connect(m_animation, &AnimationPane::picked, this, &TaskPane::picked);
        connect(m_animation, &AnimationPane::optionsAsked, this, [this] { emit dialogAsked(QStringLiteral("自定义动画")); });
        m_animation->showSlide(m_slide, m_object);
    }
    if (pane == u"幻灯片切换" && !m_transition) {
        m_transition = new TransitionPane(this);
        connect(m_transition, &TransitionPane::chosen, this, &TaskPane::chosen);
        m_transition->showSlide(m_slide);
    }
    if (pane == u"剪贴画" && !m_clipArt) {
        m_clipArt = new ClipArtPane(this);
        connect(m_clipArt, &ClipArtPane::chosen, this, &TaskPane::chosen);
        connect(m_clipArt, &ClipArtPane::picked, this, &TaskPane::picked);
    }
    if (m_animation)
        m_animation->setVisible(pane == u"自定义动画");
    if (m_transition)
        m_transition->setVisible(pane == u"幻灯片切换");
    if (m_clipArt)
        m_clipArt->setVisible(pane == u"剪贴画");
    placePanes();
    update();
}

void TaskPane::showSlide(const Slide &slide, const QString &object)
{
    m_slide = slide;
    m_object = object;
    if (m_animation && m_animation->isVisible())
        m_animation->showSlide(slide, object);
    if (m_transition && m_transition->isVisible())
        m_transition->showSlide(slide);
}

void TaskPane::placePanes()
{
    const QRect below = rect().adjusted(1, headHeight() + 1, -1, -1);
    for (QWidget *pane : {static_cast<QWidget *>(m_animation), static_cast<QWidget *>(m_transition), static_cast<QWidget *>(m_clipArt)})
        if (pane)
            pane->setGeometry(below);
}

void TaskPane::resizeEvent(QResizeEvent *)
{
    placePanes();
}

void TaskPane::openSwitcher()
{
    if (!m_switcher) {
        m_switcher = new QMenu(this);
        m_switcher->setObjectName(QStringLiteral("paneSwitcher"));
        m_switcher->setAccessibleName(QStringLiteral("其他任务窗格"));
        for (const QString &pane : panes()) {
            QAction *entry = m_switcher->addAction(title(pane));
            entry->setObjectName(QStringLiteral("pane:") + pane);
            entry->setCheckable(true);
            connect(entry, &QAction::triggered, this, [this, pane] { emit activated(QStringLiteral("pane:") + pane); });
        }
    }
    for (QAction *entry : m_switcher->actions())
        entry->setChecked(entry->objectName() == QStringLiteral("pane:") + m_pane);
    m_switcher->popup(mapToGlobal(QPoint(1, headHeight())));
}

void TaskPane::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    m_entries.clear();
    p.fillRect(rect(), paneBlue);
    p.setPen(paneBorder);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const int line = fontMetrics().height();
    const QRect head(1, 1, width() - 2, headHeight());
    p.fillRect(head, QColor(120, 150, 210));
    p.setPen(Qt::white);
    // The title is the switcher: the pane's name and its drop-down arrow.
    const QRect title = head.adjusted(6, 0, -20, 0);
    p.drawText(title, Qt::AlignVCenter, TaskPane::title(m_pane));
    p.drawText(title, Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("▾"));
    m_entries.append({title, QStringLiteral("switch")});
    p.drawText(head.adjusted(0, 0, -6, 0), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("×"));
    m_entries.append({QRect(head.right() - 18, head.top(), 18, head.height()), QStringLiteral("close")});
    if (m_pane == u"自定义动画" || m_pane == u"幻灯片切换" || m_pane == u"剪贴画")
        return;   // a pane of controls
    int y = head.bottom() + 10;
    const auto heading = [&](const QString &text) {
        p.setPen(QColor(30, 60, 140));
        p.drawText(QRect(8, y, width() - 16, line), Qt::AlignVCenter, text);
        y += line + 2;
        p.setPen(paneBorder);
        p.drawLine(8, y, width() - 8, y);
        y += 6;
    };
    const auto link = [&](const QString &choice) {
        p.setPen(QColor(0, 50, 170));
        const QRect area(16, y, width() - 24, line);
        const QString text = shownLink(choice);
        p.drawText(area, Qt::AlignVCenter, text);
        m_entries.append({QRect(area.topLeft(), QSize(fontMetrics().horizontalAdvance(text), line)),
                          QStringLiteral("link:") + choice});
        y += line + 4;
    };
    if (m_pane == u"幻灯片版式") {
        heading(QStringLiteral("应用幻灯片版式："));
        const QStringList layouts = Commands::find(QStringLiteral("幻灯片版式"))->field(QStringLiteral("版式"))->choices;
        const int w = (width() - 28) / 3, h = w * 3 / 4;
        for (int i = 0; i < layouts.size() && y + (i / 3) * (h + 6) + h < height(); ++i) {
            const QRectF r(8 + (i % 3) * (w + 6), y + (i / 3) * (h + 6), w, h);
            const QString layout = layouts.at(i);
            SlideArt::paintLayoutIcon(p, r, layout);
            m_entries.append({r.toAlignedRect(), QStringLiteral("layout:") + layout});
            if (layout == m_layout) {
                p.setPen(QPen(QColor(240, 160, 0), 2));
                p.drawRect(r.adjusted(-2, -2, 2, 2));
            }
        }
    } else if (m_pane == u"自定义动画") {
        heading(QStringLiteral("自定义动画"));
        link(QStringLiteral("添加效果 ▾"));
        link(QStringLiteral("删除"));
        y += 4;
        p.setPen(Qt::black);
        p.drawText(QRect(8, y, width() - 16, line * 3), Qt::TextWordWrap, QStringLiteral("选中幻灯片的某个元素，然后单击“添加效果”添加动画。"));
    } else if (m_pane == u"动画方案") {
        link(QStringLiteral("设计模板"));
        link(QStringLiteral("配色方案"));
        y += 4;
        heading(QStringLiteral("应用于所选幻灯片："));
        const QStringList schemes = Commands::find(QStringLiteral("动画方案"))->field(QStringLiteral("动画方案"))->choices;
        for (const QString &scheme : schemes) {
            const QRect r(12, y, width() - 24, line + 4);
            if (scheme == m_slide.attributes.value(QStringLiteral("动画方案"), QStringLiteral("无动画"))) {
                p.fillRect(r, QColor(255, 226, 160));
                p.setPen(QColor(240, 160, 0));
                p.drawRect(r.adjusted(0, 0, -1, -1));
            }
            p.setPen(Qt::black);
            p.drawText(r.adjusted(4, 0, 0, 0), Qt::AlignVCenter, scheme);
            m_entries.append({r, QStringLiteral("animscheme:") + scheme});
            y += line + 6;
        }
        y += 6;
        // The button: the current slide's scheme on every slide.
        const QString all = QStringLiteral("应用于所有幻灯片");
        const QRect button(12, y, fontMetrics().horizontalAdvance(all) + 16, line + 8);
        p.fillRect(button, QColor(236, 233, 216));
        p.setPen(paneBorder);
        p.drawRect(button.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(button, Qt::AlignCenter, all);
        m_entries.append({button, QStringLiteral("button:") + all});
    } else if (m_pane == u"幻灯片设计") {
        link(QStringLiteral("动画方案"));
        y += 4;
        heading(QStringLiteral("应用设计模板："));
        const TilePainter tiles = DialogLayouts::tilePainter(QStringLiteral("设计模板"));
        const QStringList templates = Commands::find(QStringLiteral("幻灯片设计"))->field(QStringLiteral("设计模板"))->choices;
        const int w = (width() - 30) / 2, h = w * 3 / 4;
        for (int i = 0; i < templates.size() && y + h + line < height(); ++i) {
            const QRectF r(10 + (i % 2) * (w + 10), y + (i / 2) * (h + line + 8), w, h);
            p.save();
            tiles(p, r, templates.at(i));
            p.restore();
            p.setPen(Qt::black);
            p.drawText(QRectF(r.left(), r.bottom() + 1, r.width(), line), Qt::AlignHCenter, templates.at(i));
            // The drop-down arrow at the tile's right: 应用于所有幻灯片 or 应用于选定幻灯片.
            const QRect arrow(int(r.right()) - 13, int(r.top()) + 1, 12, 12);
            p.fillRect(arrow, QColor(230, 236, 250));
            p.setPen(QColor(60, 60, 60));
            p.drawText(arrow, Qt::AlignCenter, QStringLiteral("▾"));
            m_entries.append({arrow, QStringLiteral("designmenu:") + templates.at(i)});
            m_entries.append({r.toAlignedRect(), QStringLiteral("design:") + templates.at(i)});
            if (templates.at(i) == m_slide.attributes.value(QStringLiteral("设计模板"))) {
                p.setPen(QPen(QColor(240, 160, 0), 2));
                p.drawRect(r.adjusted(-2, -2, 2, 2));
            }
        }
        y += ((templates.size() + 1) / 2) * (h + line + 8) + 4;
        heading(QStringLiteral("配色方案："));
        const QStringList schemes = Commands::find(QStringLiteral("幻灯片设计"))->field(QStringLiteral("配色方案"))->choices;
        const int s = (width() - 16 - 6 * (int(schemes.size()) - 1)) / std::max(1, int(schemes.size()));
        static const QColor schemeColours[] = {QColor(255, 255, 255), QColor(0, 0, 128), QColor(250, 240, 200), QColor(40, 40, 40)};
        for (int i = 0; i < schemes.size(); ++i) {
            const QRect r(8 + i * (s + 6), y, s, s * 3 / 4);
            p.fillRect(r, schemeColours[i % 4]);
            p.setPen(paneBorder);
            p.drawRect(r);
            p.fillRect(QRect(r.left() + 3, r.top() + 3, r.width() / 2, 3), QColor(200, 60, 40));
            m_entries.append({r, QStringLiteral("scheme:") + schemes.at(i)});
        }
        y += s * 3 / 4 + 8;
        link(QStringLiteral("编辑配色方案…"));
    } else if (m_pane == u"剪贴板") {
        heading(QStringLiteral("剪贴板"));
        link(QStringLiteral("全部粘贴"));
        link(QStringLiteral("全部清空"));
    } else {
        heading(QStringLiteral("打开演示文稿"));
        link(QStringLiteral("年度总结.dps"));
        link(QStringLiteral("产品介绍.dps"));
        link(QStringLiteral("其他…"));
        y += 6;
        heading(QStringLiteral("新建"));
        link(QStringLiteral("空白演示文稿"));
        link(QStringLiteral("根据设计模板"));
        link(QStringLiteral("根据现有演示文稿"));
    }
}

QRect TaskPane::entryRect(const QString &entry) const
{
    for (const auto &[area, name] : m_entries)
        if (name == entry)
            return area;
    return {};
}

void TaskPane::mousePressEvent(QMouseEvent *event)
{
    for (const auto &[area, name] : std::as_const(m_entries)) {
        if (area.contains(event->position().toPoint())) {
            if (name == u"switch")
                openSwitcher();
            else if (name.startsWith(u"designmenu:") || name.startsWith(u"scheme:"))
                openDesignMenu(name);
            else if (name == u"link:编辑配色方案…")
                emit dialogAsked(QStringLiteral("幻灯片设计"));
            else
                emit activated(name);
            return;
        }
    }
}

void TaskPane::openDesignMenu(const QString &entry)
{
    const bool scheme = entry.startsWith(u"scheme:");
    const QString field = scheme ? QStringLiteral("配色方案") : QStringLiteral("设计模板");
    const QString value = entry.section(u':', 1);
    delete m_designMenu;
    m_designMenu = new QMenu(this);
    m_designMenu->setObjectName(QStringLiteral("designMenu"));
    m_designMenu->setAccessibleName(value);
    for (const auto &[scope, text] : {std::pair{QStringLiteral("全部应用"), QStringLiteral("应用于所有幻灯片")},
                                      std::pair{QStringLiteral("应用"), QStringLiteral("应用于选定幻灯片")}}) {
        QAction *action = m_designMenu->addAction(text);
        action->setObjectName(QStringLiteral("应用范围:") + scope);
        connect(action, &QAction::triggered, this, [this, field, value, scope] {
            emit chosen(QStringLiteral("幻灯片设计"), {{field, value}, {QStringLiteral("应用范围"), scope}});
        });
    }
    emit picked(QStringLiteral("幻灯片设计"), field, value);
    m_designMenu->popup(mapToGlobal(entryRect(entry).bottomLeft()));
}

QMenu *TaskPane::openMenu() const
{
    if (m_designMenu && m_designMenu->isVisible())
        return m_designMenu;
    return m_animation && m_animation->isVisible() ? m_animation->openMenu() : nullptr;
}

QAction *TaskPane::menuEntry(const QString &field, const QString &value) const
{
    QMenu *menu = openMenu();
    if (!menu)
        return nullptr;
    QString name;
    if (field == u"应用范围")
        name = QStringLiteral("应用范围:") + value.trimmed();
    else if (field == u"类别")
        return menu->findChild<QMenu *>(QStringLiteral("pane:") + value.trimmed())
                   ? menu->findChild<QMenu *>(QStringLiteral("pane:") + value.trimmed())->menuAction() : nullptr;
    else if (field == u"效果") {
        // In the category open, else in the first that has it.
        for (QMenu *sub : menu->findChildren<QMenu *>())
            if (sub->isVisible())
                if (QAction *entry = sub->findChild<QAction *>(QStringLiteral("effect:%1:%2").arg(sub->title(), value.trimmed())))
                    return entry;
        name = QStringLiteral("effect:%1:%2").arg(AnimationPane::categoryOf(value.trimmed()), value.trimmed());
    }
    return name.isEmpty() ? nullptr : menu->findChild<QAction *>(name);
}

QWidget *TaskPane::fieldControl(const QString &field, const QString &value, QRect *area) const
{
    if (m_pane == u"自定义动画")
        return m_animation ? m_animation->fieldControl(field, value) : nullptr;
    if (m_pane == u"幻灯片切换")
        return m_transition ? m_transition->fieldControl(field, value) : nullptr;
    if (m_pane == u"剪贴画")
        return m_clipArt ? m_clipArt->fieldControl(field, value, area) : nullptr;
    QString entry;
    if (m_pane == u"新建演示文稿" && field == u"模板") {
        const QString from = value.trimmed();
        entry = QStringLiteral("link:")
              + (from == u"空白演示文稿" || from == u"根据现有演示文稿" ? from : QStringLiteral("根据设计模板"));
    } else if (m_pane == u"动画方案" && field == u"动画方案")
        entry = QStringLiteral("animscheme:") + value.trimmed();
    else if (m_pane == u"动画方案" && field == u"应用范围" && value.trimmed() == u"全部应用")
        entry = QStringLiteral("button:应用于所有幻灯片");
    else if (m_pane == u"幻灯片版式" && field == u"版式")
        entry = QStringLiteral("layout:") + value.trimmed();
    else if (m_pane == u"幻灯片设计" && field == u"设计模板")
        entry = QStringLiteral("designmenu:") + value.trimmed();
    else if (m_pane == u"幻灯片设计" && field == u"配色方案")
        entry = QStringLiteral("scheme:") + value.trimmed();
    else if (m_pane == u"幻灯片设计" && field != u"应用范围")
        entry = QStringLiteral("link:编辑配色方案…");
    const QRect place = entryRect(entry);
    if (place.isEmpty())
        return nullptr;
    *area = place;
    return const_cast<TaskPane *>(this);
}

// --- SlideThumbnails -------------------------------------------------------

SlideThumbnails::SlideThumbnails(const Document *document, QObject *parent)
    : QStyledItemDelegate(parent), m_document(document)
{
}

QSize SlideThumbnails::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width(), 86};
}

void SlideThumbnails::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int row = index.row();
    if (row < 0 || row >= m_document->slides.size())
        return;
    const Slide &slide = m_document->slides.at(row);
    const bool selected = option.state & QStyle::State_Selected;
    const QRect r = option.rect;
    p->save();
    p->setFont(option.font);
    const QRectF thumb(r.left() + 26, r.top() + 6, 96, 72);
    if (selected) {
        p->setPen(QPen(QColor(50, 90, 200), 3));
        p->setBrush(Qt::NoBrush);
        p->drawRect(thumb.adjusted(-3, -3, 3, 3));
    }
    SlideArt::paintSlide(*p, thumb, *m_document, row,
                         SlideArt::Background | SlideArt::Texts | SlideArt::Objects | SlideArt::Footer, option.font);
    p->setPen(QColor(90, 90, 90));
    p->setBrush(Qt::NoBrush);
    p->drawRect(thumb);
    if (slide.hidden) {
        p->fillRect(thumb, QColor(255, 255, 255, 120));
    }
    // The number, crossed out in a box when the slide is hidden.
    const QRect number(r.left() + 2, r.top() + 6, 20, 16);
    p->setPen(Qt::black);
    p->drawText(number, Qt::AlignCenter, QString::number(row + 1));
    if (slide.hidden) {
        p->setPen(QColor(90, 90, 90));
        p->drawRect(number.adjusted(1, 0, -1, -1));
        p->drawLine(number.adjusted(1, 0, -1, -1).topLeft(), number.adjusted(1, 0, -1, -1).bottomRight());
    }
    // A star for a transition or animations, as the slide sorter marks it.
    if (SlideArt::hasTransition(slide) || SlideArt::hasAnimation(slide)) {
        const QPointF c(r.left() + 12, r.top() + 34);
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + i * M_PI / 5, radius = i % 2 ? 2.5 : 6;
            star << c + QPointF(std::cos(a) * radius, std::sin(a) * radius);
        }
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(QColor(60, 60, 60));
        p->setBrush(SlideArt::hasAnimation(slide) ? QColor(250, 200, 40) : QColor(120, 170, 240));
        p->drawPolygon(star);
    }
    p->restore();
}

// --- BodyEdit --------------------------------------------------------------

BodyEdit::BodyEdit(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
}

QList<int> BodyEdit::paragraphTops() const
{
    // Each paragraph's top as the viewport shows it, without the document's
    // margin, with its number in the upper bits.
    QList<int> tops;
    const QAbstractTextDocumentLayout *layout = document()->documentLayout();
    const double shift = verticalScrollBar()->value() + document()->documentMargin();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const double top = layout->blockBoundingRect(block).top() - shift;
        if (top > viewport()->height())
            break;
        if (top + layout->blockBoundingRect(block).height() >= 0)
            tops << int(top) + (block.blockNumber() << 16);
    }
    return tops;
}

bool BodyEdit::event(QEvent *event)
{
    // Before the focus chain sees Tab.
    if (event->type() == QEvent::KeyPress && levelAsked && !isReadOnly()) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QTextCursor cursor = textCursor();
        const bool plain = !(key->modifiers() & ~Qt::ShiftModifier);
        if (plain && key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier)
            && cursor.positionInBlock() == 0 && !cursor.hasSelection()) {
            levelAsked(1);
            return true;
        }
        if (plain && (key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier)))) {
            levelAsked(-1);
            return true;
        }
    }
    return QTextEdit::event(event);
}

// --- TitleEdit -------------------------------------------------------------

TitleEdit::TitleEdit(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    document()->setDocumentMargin(2);
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this, &TitleEdit::centre);
}

void TitleEdit::setCursorPosition(int position)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(position, 0, int(toPlainText().size())));
    setTextCursor(cursor);
}

void TitleEdit::setSelection(int start, int length)
{
    setCursorPosition(start);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(start + length, 0, int(toPlainText().size())), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TitleEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return event->ignore();
    QTextEdit::keyPressEvent(event);
}

void TitleEdit::insertFromMimeData(const QMimeData *source)
{
    // A title is one line: pasted lines run on.
    textCursor().insertText(source->text().simplified());
}

void TitleEdit::resizeEvent(QResizeEvent *event)
{
    QTextEdit::resizeEvent(event);
    centre();
}

void TitleEdit::centre()
{
    // The text stands in the middle of the frame, as the title's does.
    const int free = height() - int(document()->size().height());
    const int top = std::max(0, free / 2);
    if (viewportMargins().top() != top)
        setViewportMargins(0, top, 0, 0);
}

// --- SlideView -------------------------------------------------------------

SlideView::SlideView(QWidget *parent) : QWidget(parent)
{
    EditorAccess::install();   // before the name below makes the view's interface
    setMouseTracking(true);   // the pointer changes over the shapes and their handles
    setObjectName(QStringLiteral("slide"));
    setFocusPolicy(Qt::ClickFocus);
    setAccessibleName(QStringLiteral("幻灯片编辑区"));
    m_title = new TitleEdit(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setAccessibleName(QStringLiteral("标题占位符"));
    m_title->setPlaceholderText(QStringLiteral("单击此处添加标题"));
    m_body = new BodyEdit(this);
    m_body->setObjectName(QStringLiteral("body"));
    m_body->setAccessibleName(QStringLiteral("正文占位符"));
    m_body->setPlaceholderText(QStringLiteral("单击此处添加文本"));
    m_body->setFrameShape(QFrame::NoFrame);
    m_body->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_body->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_body->viewport()->setAutoFillBackground(false);
    // 视图 → 备注页: the slide's notes are typed on the page, the same
    // text the notes pane shows.
    m_notesText = new QTextEdit(this);
    m_notesText->setObjectName(QStringLiteral("notesText"));
    m_notesText->setAccessibleName(QStringLiteral("备注文本区"));
    m_notesText->setPlaceholderText(QStringLiteral("单击此处添加文本"));
    m_notesText->setAcceptRichText(false);
    m_notesText->setFrameShape(QFrame::NoFrame);
    m_notesText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_notesText->viewport()->setAutoFillBackground(false);
    m_notesText->hide();
    connect(m_notesText, &QTextEdit::textChanged, this, [this] {
        if (!m_loading)
            emit edited(QStringLiteral("notes"), m_notesText->toPlainText());
    });
    connect(m_title, &QTextEdit::textChanged, this, [this] {
        if (!m_loading)
            emit edited(QStringLiteral("title"), m_title->text());
    });
    connect(m_body, &QTextEdit::textChanged, this, [this] {
        if (m_bulletIndent > 0)
            update();   // the bullets follow the paragraphs
        if (!m_loading)
            emit edited(QStringLiteral("body"), m_body->toPlainText());
    });
    connect(m_body->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (m_bulletIndent > 0)
            update();
    });
    // A selection that goes because the focus went elsewhere (a menu, a
    // dialog) is still the text the next command acts on.
    connect(m_title, &QTextEdit::selectionChanged, this, [this] {
        if (!m_loading && (m_title->textCursor().hasSelection() || m_title->hasFocus()))
            emit textSelected(QStringLiteral("title"), m_title->selectedText(), m_title->textCursor().selectionStart());
    });
    connect(m_body, &QTextEdit::selectionChanged, this, [this] {
        const QString text = m_body->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
        if (!m_loading && (!text.isEmpty() || m_body->hasFocus()))
            emit textSelected(QStringLiteral("body"), text, m_body->textCursor().selectionStart());
    });
}

QRectF SlideView::slideRect() const
{
    // The notes and handout masters show a page standing upright.
    const double ratio = uprightPage() ? 4.0 / 3 : 3.0 / 4;
    const double margin = 14;
    double w = width() - 2 * margin, h = w * ratio;
    if (h > height() - 2 * margin) {
        h = height() - 2 * margin;
        w = h / ratio;
    }
    return QRectF((width() - w) / 2, (height() - h) / 2, w, h);
}

double SlideView::pageWidthPt() const
{
    // An upright notes page is as wide as the slide is high.
    return uprightPage() ? SlideArt::SlideHeightPt : SlideArt::SlideWidthPt;
}

QRectF SlideView::sorterCell(int index) const
{
    const int columns = 3;
    const double w = (width() - 20.0) / columns, h = w * 0.75 + 22;
    return QRectF(10 + (index % columns) * w, 10 + (index / columns) * h, w, h);
}

QRectF SlideView::slideThumb(int index) const
{
    const QRectF cell = sorterCell(index);
    return QRectF(cell.left() + 12, cell.top() + 4, cell.width() - 24, (cell.width() - 24) * 0.75);
}

QRectF SlideView::gapRect(int before) const
{
    if (!m_sorter || !m_document || before < 1 || before > m_document->slides.size() + 1)
        return {};
    // Beside the slide after the gap, or after the last one at the end of its row.
    const bool atEnd = before > m_document->slides.size();
    const QRectF cell = sorterCell(before - (atEnd ? 2 : 1));
    const QRectF thumb = slideThumb(before - (atEnd ? 2 : 1));
    const double left = atEnd ? thumb.right() : cell.left();
    return QRectF(left, thumb.top() - 3, 12, thumb.height() + 6);
}

int SlideView::gapAt(const QPointF &at) const
{
    for (int before = 1; m_document && before <= m_document->slides.size() + 1; ++before)
        if (gapRect(before).contains(at))
            return before;
    return 0;
}

void SlideView::setInsertionBar(int before)
{
    if (before != m_insertBefore) {
        m_insertBefore = before;
        update();
    }
}

void SlideView::paintBar(QPainter &p, int before) const
{
    const QRectF gap = gapRect(before);
    if (!gap.isEmpty())
        p.fillRect(QRectF(gap.center().x() - 1.5, gap.top(), 3, gap.height()), QColor(40, 40, 40));
}

void SlideView::showNotesPage(const Document &document, int index)
{
    m_document = &document;
    m_index = index;
    m_sorter = false;
    m_notesPage = true;
    m_title->hide();
    m_body->hide();
    if (index >= 0 && index < document.slides.size() && m_notesText->toPlainText() != document.slides.at(index).notes) {
        m_loading = true;
        m_notesText->setPlainText(document.slides.at(index).notes);
        m_loading = false;
    }
    m_notesText->show();
    if (!testAttribute(Qt::WA_PendingResizeEvent))
        placeEditors();
    update();
}

QRectF SlideView::notesPagePart(const QString &part) const
{
    if (!m_notesPage)
        return {};
    const QRectF r = slideRect();
    const Master::NotesPage page = Master::notesPage();
    const QRectF f = part == u"notes" ? page.notes : part == u"header" ? page.header : part == u"number" ? page.number : page.image;
    QRectF shown(r.x() + f.x() * r.width(), r.y() + f.y() * r.height(), f.width() * r.width(), f.height() * r.height());
    if (part == u"image") {   // the slide's picture at 4:3, in the middle of its place
        const double h = std::min(shown.height(), shown.width() * 0.75), w = h / 0.75;
        shown = QRectF(shown.center().x() - w / 2, shown.center().y() - h / 2, w, h);
    }
    return shown;
}

void SlideView::showSlide(const Document &document, int index, bool sorter)
{
    m_document = &document;
    m_index = index;
    m_sorter = sorter;
    if (!sorter)
        m_insertBefore = 0;
    m_notesPage = false;
    m_notesText->hide();
    const Slide &slide = document.slides.at(index);
    const SlideArt::Placement place = SlideArt::placement(slide.layout);
    m_loading = true;
    if (m_title->text() != slide.title)
        m_title->setPlainText(slide.title);
    if (m_body->toPlainText() != slide.body)
        m_body->setPlainText(slide.body);
    m_loading = false;
    // A placeholder deleted takes no more text.
    m_title->setVisible(!sorter && !place.title.isEmpty() && !Shapes::isDeleted(slide, QStringLiteral("标题")));
    m_body->setVisible(!sorter && !place.body.isEmpty() && !Shapes::isDeleted(slide, SlideArt::bodyPart(slide)));
    // Before the view has its size (the window not shown yet) the editors
    // would get fonts for a slide a few pixels wide; the resize event that
    // comes before the view is shown places them.
    if (!testAttribute(Qt::WA_PendingResizeEvent))
        placeEditors();
    update();
}

void SlideView::setMaster(const QString &view)
{
    if (view != m_master)
        m_masterArea.clear();
    m_master = view;
    const bool typed = view.isEmpty() || view == u"幻灯片母版" || view == u"标题母版";
    m_title->setReadOnly(!typed);
    m_body->setReadOnly(!typed && view != u"备注母版");   // the notes text's prompt is typed over too
    // A screen reader names the master's placeholders as the editor labels them.
    m_title->setAccessibleName(view.isEmpty() ? QStringLiteral("标题占位符")
                               : view == u"备注母版" ? QStringLiteral("幻灯片图像区") : QStringLiteral("标题区"));
    m_body->setAccessibleName(view.isEmpty()        ? QStringLiteral("正文占位符")
                              : view == u"备注母版" ? QStringLiteral("备注文本区")
                              : view == u"标题母版" ? QStringLiteral("副标题区")
                                                    : QStringLiteral("对象区"));
    update();
}

QStringList SlideView::masterAreas() const
{
    if (m_sorter || !m_document)
        return {};
    if (m_master == u"备注母版" || m_master == u"讲义母版")
        return {QStringLiteral("header"), QStringLiteral("date"), QStringLiteral("footer"), QStringLiteral("number")};
    if (m_master == u"幻灯片母版" || m_master == u"标题母版")
        return {QStringLiteral("date"), QStringLiteral("footer"), QStringLiteral("number")};
    return {};
}

QRectF SlideView::masterArea(const QString &part) const
{
    const int at = int(masterAreas().indexOf(part));
    if (at < 0)
        return {};
    const QRectF r = slideRect();
    if (m_master == u"备注母版" || m_master == u"讲义母版") {
        const Master::NotesPage page = Master::notesPage();
        const QRectF f = part == u"header" ? page.header : part == u"date" ? page.date : part == u"footer" ? page.footer : page.number;
        return QRectF(r.x() + f.x() * r.width(), r.y() + f.y() * r.height(), f.width() * r.width(), f.height() * r.height());
    }
    const double top = r.bottom() - r.height() * 0.12, h = r.height() * 0.09;
    static const double lefts[] = {0.05, 0.36, 0.67};
    return QRectF(r.left() + r.width() * lefts[at], top, r.width() * 0.28, h);
}

void SlideView::setMasterArea(const QString &part)
{
    const QString chosen = masterArea(part).isEmpty() ? QString() : part;
    if (chosen != m_masterArea) {
        m_masterArea = chosen;
        update();
    }
}

void SlideView::placeEditors()
{
    if (!m_document || m_index < 0 || m_index >= m_document->slides.size())
        return;
    if (m_notesPage) {
        // The notes in the format the notes master gives the notes text.
        Slide page;
        for (const QString &name : {QStringLiteral("中文字体"), QStringLiteral("字号"), QStringLiteral("字形"), QStringLiteral("颜色")})
            if (const QString value = Master::notesFormat(*m_document, QStringLiteral("备注文本"), name); !value.isEmpty())
                page.attributes.insert(QStringLiteral("正文.") + name, value);
        const SlideArt::TextStyle style = SlideArt::textStyle(page, QStringLiteral("正文"), slideRect().width() / pageWidthPt(), font());
        if (m_notesText->font() != style.font)
            m_notesText->setFont(style.font);
        setTextColour(m_notesText, style.colour);
        m_notesText->setGeometry(notesPagePart(QStringLiteral("notes")).toRect().adjusted(2, 2, -2, -2));
        return;
    }
    const Slide slide = Master::effective(*m_document, m_index);   // the master's formats where it has none
    const SlideArt::Placement place = SlideArt::placement(slide.layout);
    const QRectF r = slideRect();
    const double pxPerPt = r.width() / pageWidthPt();
    const auto within = [&r](const QRectF &f) {
        return QRectF(r.x() + f.x() * r.width(), r.y() + f.y() * r.height(), f.width() * r.width(), f.height() * r.height())
            .toRect()
            .adjusted(2, 2, -2, -2);
    };
    const SlideArt::TextStyle title = SlideArt::textStyle(slide, QStringLiteral("标题"), pxPerPt, font());
    if (m_title->font() != title.font)
        m_title->setFont(title.font);
    setTextColour(m_title, title.colour);
    QTextOption titleOption = m_title->document()->defaultTextOption();
    titleOption.setAlignment(title.alignment & Qt::AlignHorizontal_Mask);
    m_title->document()->setDefaultTextOption(titleOption);
    // Each placeholder's text inside its frame; the frame's border, outside
    // the text, is where a click selects the placeholder.
    const auto frameOf = [&](const QString &name, const QRectF &fallback) {
        const auto shape = Shapes::find(slide, name);
        return shape ? toView(shape->frame).toRect().adjusted(5, 5, -5, -5) : within(fallback);
    };
    m_title->setGeometry(frameOf(QStringLiteral("标题"), place.title));

    const QString part = SlideArt::bodyPart(slide);
    const SlideArt::TextStyle body = SlideArt::textStyle(slide, part, pxPerPt, font());
    if (m_body->font() != body.font)
        m_body->setFont(body.font);
    setTextColour(m_body, body.colour);
    QTextOption option = m_body->document()->defaultTextOption();
    option.setAlignment(body.alignment & Qt::AlignHorizontal_Mask);
    // 中文版式: the text's own line breaking keeps closing punctuation off a
    // line's start; without that control a line breaks wherever it is full.
    const SlideArt::LineBreaking breaking = SlideArt::lineBreaking(slide, part);
    option.setWrapMode(breaking.controlled || breaking.hanging ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                               : QTextOption::WrapAnywhere);
    m_body->document()->setDefaultTextOption(option);
    m_bullets = slide.attributes.value(part + QStringLiteral(".项目符号"));
    m_bulletColour = SlideArt::colour(slide.attributes.value(part + QStringLiteral(".项目符号颜色")), body.colour);
    m_bulletIndent = part == u"副标题" || m_bullets == u"无" ? 0 : QFontMetrics(body.font).height();
    // Each paragraph indented by its outline level; the runs of both placeholders formatted apart.
    m_loading = true;
    showRuns(m_title, SlideArt::runs(slide, QStringLiteral("标题"), pxPerPt));
    showRuns(m_body, SlideArt::runs(slide, part, pxPerPt));
    QTextDocument *text = m_body->document();
    const QFontMetricsF metrics(body.font);
    text->setIndentWidth(metrics.height() * 1.2);
    const bool spread = SlideArt::distributed(slide, part);
    const double width = m_body->viewport()->width() - 2 * text->documentMargin();
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        // Each paragraph stands as its format says: outline level, spacing, first-line indent.
        const QTextBlockFormat format = SlideArt::paragraphFormat(slide, part, block.blockNumber(), pxPerPt, metrics.height());
        if (block.blockFormat() != format)
            QTextCursor(block).setBlockFormat(format);
        // 分散对齐: a line's characters spread over the whole width.
        const double natural = metrics.horizontalAdvance(block.text());
        const double room = width - format.textIndent() - format.indent() * text->indentWidth();
        if (spread && block.text().size() > 1 && natural < room) {
            QTextCursor paragraph(block);
            paragraph.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat spacing;
            spacing.setFontLetterSpacingType(QFont::AbsoluteSpacing);
            spacing.setFontLetterSpacing((room - natural) / block.text().size());
            paragraph.mergeCharFormat(spacing);
        }
    }
    m_loading = false;
    // Inserted objects laid out take the right of a full-width body (see Shapes).
    QRect bodyRect = frameOf(part, place.body);
    // On a master the text placeholder ends above the date, footer and number areas.
    if (const QRectF area = masterArea(QStringLiteral("date")); !area.isEmpty() && !uprightPage())
        bodyRect.setBottom(std::min(bodyRect.bottom(), int(area.top()) - 3));
    m_body->setGeometry(bodyRect.adjusted(m_bulletIndent, 0, 0, 0));
    // A shape lying over a placeholder takes the clicks there and hides its text.
    const QList<Shapes::Shape> shapes = Shapes::of(slide);
    for (QWidget *editor : {static_cast<QWidget *>(m_title), static_cast<QWidget *>(m_body)}) {
        const QString name = editor == m_title ? QStringLiteral("标题") : part;
        QRegion shown(editor->rect());
        bool above = false;
        for (const Shapes::Shape &shape : shapes) {
            if (shape.name == name)
                above = true;
            else if (above && !shape.placeholder)
                shown -= QRegion(toView(shape.frame).toRect().translated(-editor->pos()));
        }
        if (shown == QRegion(editor->rect()))
            editor->clearMask();
        else
            editor->setMask(shown);
    }
}

void SlideView::resizeEvent(QResizeEvent *)
{
    placeEditors();
}

void SlideView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), workspaceGrey);
    if (!m_document)
        return;
    if (m_sorter) {
        // The chosen slides framed; none while the insertion bar stands between two.
        const QList<int> selected = m_insertBefore > 0 ? QList<int>{}
                                  : Document::slideNumbers(m_document->settings.value(QStringLiteral("选中")));
        for (int i = 0; i < m_document->slides.size(); ++i) {
            const QRectF thumb = slideThumb(i);
            if ((i == m_index && m_insertBefore == 0) || selected.contains(i + 1)) {
                p.setPen(QPen(QColor(50, 90, 200), 3));
                p.drawRect(thumb.adjusted(-3, -3, 3, 3));
            }
            SlideArt::paintSlide(p, thumb, *m_document, i, SlideArt::Background | SlideArt::Texts | SlideArt::Objects, font());
            p.setPen(Qt::black);
            p.drawText(QRectF(thumb.left(), thumb.bottom() + 2, thumb.width(), 16), Qt::AlignRight, QString::number(i + 1));
        }
        // Where dragged slides would go, else the insertion bar: a bar between two slides.
        paintBar(p, m_dropBefore > 0 ? m_dropBefore : m_insertBefore);
        return;
    }
    const QRectF r = slideRect();
    p.fillRect(r.translated(4, 4), QColor(90, 90, 90));
    if (m_notesPage) {
        // The notes page: the slide's picture, its notes below, and the
        // header and number the notes pages are given.
        p.fillRect(r, Qt::white);
        p.setPen(QColor(60, 60, 60));
        p.drawRect(r);
        const QRectF picture = notesPagePart(QStringLiteral("image"));
        SlideArt::paintSlide(p, picture, *m_document, m_index, SlideArt::Background | SlideArt::Texts | SlideArt::Objects, font());
        p.setPen(QColor(120, 120, 120));
        p.drawRect(picture);
        // Each text in the format the notes master gives its place.
        const auto styled = [this, &p, &r](const QString &object, const QRectF &place, int flags, const QString &text) {
            Slide page;
            const QString part = object == u"备注文本" ? QStringLiteral("正文") : object;   // an area keeps its own defaults
            for (const QString &name : {QStringLiteral("中文字体"), QStringLiteral("字号"), QStringLiteral("字形"), QStringLiteral("颜色")})
                if (const QString value = Master::notesFormat(*m_document, object, name); !value.isEmpty())
                    page.attributes.insert(part + u'.' + name, value);
            const SlideArt::TextStyle style = SlideArt::textStyle(page, part, r.width() / pageWidthPt(), font());
            p.setFont(style.font);
            p.setPen(style.colour);
            p.drawText(place, flags, text);
        };
        // The header and page number the 页眉和页脚 dialog gives notes pages.
        const QMap<QString, QString> &settings = m_document->settings;
        if (const QString header = settings.value(QStringLiteral("页眉和页脚.备注和讲义页眉")); !header.isEmpty())
            styled(QStringLiteral("页眉区"), notesPagePart(QStringLiteral("header")), Qt::AlignLeft | Qt::AlignVCenter, header);
        if (settings.value(QStringLiteral("页眉和页脚.页码")) == u"是")
            styled(QStringLiteral("数字区"), notesPagePart(QStringLiteral("number")), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(m_index + 1));
        // The notes text itself is typed in place (m_notesText); its place outlined.
        p.setPen(QPen(QColor(170, 170, 170), 1, Qt::DashLine));
        p.drawRect(notesPagePart(QStringLiteral("notes")));
        return;
    }
    SlideArt::paintSlide(p, r, *m_document, m_index,
                         SlideArt::Background | SlideArt::Objects | SlideArt::Placeholders | SlideArt::Footer, font());
    p.setPen(QColor(60, 60, 60));
    p.drawRect(r);
    if (m_master == u"讲义母版") {
        // A handout page: the places of its slides, each a slide's outline;
        // three to a page leave lines beside them for the audience's notes.
        const int count = m_document->settings.value(QStringLiteral("母版.讲义幻灯片数"), QStringLiteral("6")).toInt();
        const QList<QRectF> places = Master::handoutPlaces(count);
        for (const QRectF &f : places) {
            const QRectF place(r.x() + f.x() * r.width(), r.y() + f.y() * r.height(), f.width() * r.width(), f.height() * r.height());
            p.fillRect(place, QColor(235, 238, 245));
            p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
            p.drawRect(place);
            if (places.size() == 3) {
                p.setPen(QColor(170, 170, 170));
                const double left = r.x() + r.width() * 0.55, right = r.x() + r.width() * 0.9;
                for (int line = 1; line <= 5; ++line) {
                    const double y = place.top() + place.height() * line / 6;
                    p.drawLine(QPointF(left, y), QPointF(right, y));
                }
            }
        }
    }
    if (!masterAreas().isEmpty()) {
        const bool notes = uprightPage();
        if (m_master == u"备注母版") {
            // The notes page's slide image: a slide's outline where the
            // picture of each slide goes.
            const auto image = Shapes::find(m_document->slides.at(m_index), QStringLiteral("标题"));
            if (image) {
                const QRectF frame = toView(image->frame);
                const double h = std::min(frame.height(), frame.width() * 0.75), w = h / 0.75;
                p.fillRect(QRectF(frame.center().x() - w / 2, frame.center().y() - h / 2, w, h), QColor(235, 238, 245));
            }
        }
        // The master's areas (the slide master's date, footer and number
        // along its foot; the notes page's at its corners): each named,
        // with the field it holds in the area's own format.
        QFont small = font();
        small.setPixelSize(std::max(7, int(r.height() * (notes ? 0.018 : 0.025))));
        const Slide &master = m_document->slides.at(m_index);
        static const QMap<QString, QString> fields = {{QStringLiteral("header"), QStringLiteral("<页眉>")},
                                                      {QStringLiteral("date"), QStringLiteral("<日期/时间>")},
                                                      {QStringLiteral("footer"), QStringLiteral("<页脚>")},
                                                      {QStringLiteral("number"), QStringLiteral("<#>")}};
        for (const QString &part : masterAreas()) {
            const QRectF area = masterArea(part);
            const QString name = Session::masterArea(part);
            const bool chosen = part == m_masterArea;
            p.setPen(chosen ? QPen(QColor(60, 60, 60), 1) : QPen(QColor(150, 150, 150), 1, Qt::DashLine));
            p.drawRect(area);
            p.setFont(small);
            p.setPen(QColor(110, 110, 110));
            p.drawText(area.adjusted(4, 1, -4, 0), Qt::AlignLeft | Qt::AlignTop, name);
            const SlideArt::TextStyle style = SlideArt::textStyle(master, name, r.width() / pageWidthPt(), font());
            p.setFont(style.font);
            p.setPen(style.colour);
            const Qt::Alignment across = part == u"footer" && !notes ? Qt::AlignHCenter
                                       : part == u"number" || (part == u"date" && notes) ? Qt::AlignRight
                                                                                          : Qt::AlignLeft;
            p.drawText(area.adjusted(4, 0, -4, 0), across | Qt::AlignBottom, fields.value(part));
        }
    }
    paintShapes(p);
    if (m_bulletIndent > 0 && m_body->isVisible() && !m_body->toPlainText().isEmpty()) {
        p.setFont(m_body->font());
        p.setPen(m_bulletColour);
        const QRect area = m_body->geometry();
        for (int top : m_body->paragraphTops()) {
            const int line = top >> 16;
            const int y = area.top() + (top & 0xffff) + int(m_body->document()->documentMargin());
            QString mark = QStringLiteral("•");
            if (m_bullets.startsWith(u"1."))
                mark = QStringLiteral("%1.").arg(line + 1);
            else if (m_bullets.startsWith(u"A."))
                mark = QString(QChar(u'A' + line % 26)) + u'.';
            else if (m_bullets.startsWith(u"一"))
                mark = QString(QStringLiteral("一二三四五六七八九十").at(line % 10)) + u'、';
            else if (!m_bullets.isEmpty() && m_bullets != u"图片")
                mark = m_bullets.left(1);
            const QTextBlock block = m_body->document()->findBlockByNumber(line);
            const int shift = int(block.blockFormat().indent() * m_body->document()->indentWidth());
            if (y < area.bottom() && block.length() > 1)
                p.drawText(QRect(area.left() - m_bulletIndent + shift, y, m_bulletIndent * 2, area.height()),
                           Qt::AlignLeft | Qt::AlignTop, mark);
        }
    }
    // The slide's comment: a small yellow marker with the author's initials
    // and its number, above everything on the slide.
    if (const QRect marker = commentMarker(); !marker.isEmpty()) {
        p.setPen(QColor(120, 100, 0));
        p.setBrush(QColor(255, 240, 120));
        p.drawRect(marker.adjusted(0, 0, -1, -1));
        QFont small = font();
        small.setPixelSize(std::max(8, marker.height() - 5));
        p.setFont(small);
        p.setPen(Qt::black);
        p.drawText(marker, Qt::AlignCenter, commentLabel());
    }
}

QRect SlideView::commentMarker() const
{
    if (!m_document || m_sorter || m_notesPage || !m_master.isEmpty() || m_index < 0 || m_index >= m_document->slides.size()
        || !m_document->slides.at(m_index).attributes.contains(QStringLiteral("批注")))
        return {};
    const QRectF r = slideRect();
    const int height = std::clamp(int(r.height() * 0.04), 14, 22);
    return QRect(int(r.left()) + 3, int(r.top()) + 3, height * 2, height);
}

QString SlideView::commentText() const
{
    return commentMarker().isEmpty() ? QString()
                                     : m_document->slides.at(m_index).attributes.value(QStringLiteral("批注.内容"));
}

void SlideView::showComment()
{
    const QRect marker = commentMarker();
    if (!marker.isEmpty())
        QToolTip::showText(mapToGlobal(marker.bottomLeft() + QPoint(0, 2)), QStringLiteral("考生：\n") + commentText(), this);
}

bool SlideView::event(QEvent *event)
{
    // Pointing at the comment's marker shows the comment.
    if (event->type() == QEvent::ToolTip) {
        if (commentMarker().contains(static_cast<QHelpEvent *>(event)->pos()))
            showComment();
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void SlideView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_sorter || !m_document || gapAt(event->position()) > 0)
        return;
    for (int i = 0; i < m_document->slides.size(); ++i)
        if (sorterCell(i).contains(event->position()))
            emit slideOpened(i);
}

void SlideView::keyPressEvent(QKeyEvent *event)
{
    if (!m_sorter && m_document && shapeKey(event))
        return;
    if (!m_sorter || !m_document) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int count = int(m_document->slides.size());
    const int columns = 3;
    int to = m_index;
    switch (event->key()) {
    case Qt::Key_Left: to = m_index - 1; break;
    case Qt::Key_Right: to = m_index + 1; break;
    case Qt::Key_Up: to = m_index - columns; break;
    case Qt::Key_Down: to = m_index + columns; break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = count - 1; break;
    case Qt::Key_PageUp: to = m_index - columns * 2; break;
    case Qt::Key_PageDown: to = m_index + columns * 2; break;
    case Qt::Key_Delete:
        emit deleteRequested();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit slideOpened(m_index);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    to = std::clamp(to, 0, count - 1);
    if (to != m_index)
        emit slideClicked(to, event->modifiers() & Qt::ShiftModifier);
}

int SlideView::sorterIndexAt(const QPointF &at) const
{
    for (int i = 0; m_document && i < m_document->slides.size(); ++i)
        if (sorterCell(i).contains(at))
            return i;
    return -1;
}

int SlideView::dropPlace(const QPointF &at) const
{
    // Before the slide under the pointer, or after it in its right half;
    // past the last one, at the end.
    const int index = sorterIndexAt(at);
    if (index < 0)
        return int(m_document->slides.size()) + 1;
    return index + 1 + (at.x() > sorterCell(index).center().x() ? 1 : 0);
}

void SlideView::mousePressEvent(QMouseEvent *event)
{
    // A click on the comment's marker shows the comment once the button is
    // up (a tip shown sooner would go with the release).
    m_commentPressed = event->button() == Qt::LeftButton && commentMarker().contains(event->position().toPoint());
    if (m_commentPressed)
        return;
    // The master's areas take a click as a placeholder does: the caret goes there.
    if (!m_sorter && m_document && event->button() == Qt::LeftButton)
        for (const QString &part : masterAreas())
            if (masterArea(part).contains(event->position())) {
                setFocus(Qt::MouseFocusReason);
                emit masterAreaClicked(part);
                return;
            }
    if (!m_sorter && m_document)
        shapePress(event);
    if (!m_sorter || !m_document)
        return;
    setFocus(Qt::MouseFocusReason);
    m_pressAt = event->position();
    m_dropBefore = 0;
    m_pressedSelected = -1;
    if (const int before = gapAt(event->position()); before > 0 && event->modifiers() == Qt::NoModifier) {
        emit gapClicked(before);
        return;
    }
    const int index = sorterIndexAt(event->position());
    if (index < 0 || event->button() != Qt::LeftButton)
        return;
    // A press on a selected slide may start dragging all selected ones:
    // the selection becomes this slide alone only on a release without a drag.
    const QList<int> selected = Document::slideNumbers(m_document->settings.value(QStringLiteral("选中")));
    m_pressedSelected = event->modifiers() == Qt::NoModifier && selected.contains(index + 1) ? index : -1;
    if (m_pressedSelected < 0)
        emit slideClicked(index, event->modifiers());
}

void SlideView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_sorter && m_document)
        shapeMove(event);
    if (!m_sorter || !m_document || !(event->buttons() & Qt::LeftButton) || sorterIndexAt(m_pressAt) < 0
        || gapAt(m_pressAt) > 0)
        return;
    if (m_dropBefore == 0 && (event->position() - m_pressAt).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dropBefore = dropPlace(event->position());
    update();
}

void SlideView::mouseReleaseEvent(QMouseEvent *event)
{
    if (std::exchange(m_commentPressed, false)) {
        if (commentMarker().contains(event->position().toPoint()))
            showComment();
        return;
    }
    if (!m_sorter && m_document)
        shapeRelease(event);
    if (!m_sorter || !m_document)
        return;
    const int before = m_dropBefore;
    m_dropBefore = 0;
    if (before > 0) {
        update();
        emit slidesDropped(before);
    } else if (m_pressedSelected >= 0 && sorterIndexAt(event->position()) == m_pressedSelected) {
        emit slideClicked(m_pressedSelected, Qt::NoModifier);
    }
    m_pressedSelected = -1;
}

// --- GuideMark -------------------------------------------------------------

GuideMark::GuideMark(QWidget *target, std::function<QRect()> area)
    : QWidget(target->window()), m_target(target), m_area(std::move(area))
{
    setObjectName(QStringLiteral("guideMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    for (QWidget *w = target; w && w != parentWidget(); w = w->parentWidget())
        w->installEventFilter(this);
    follow();
}

bool GuideMark::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        follow();
        break;
    default:
        break;
    }
    return false;
}

void GuideMark::follow()
{
    if (!m_target || !m_target->isVisibleTo(parentWidget())) {
        hide();
        return;
    }
    const QRect framed = m_area ? m_area() : m_target->rect();
    if (framed.isEmpty()) {  // not laid out yet
        hide();
        return;
    }
    // Kept inside the window: a menu's entry spans the menu's width, and a
    // frame reaching past the edge would lose its sides there.
    const QPoint at = m_target->mapTo(parentWidget(), framed.topLeft());
    const QRect frame = QRect(at, framed.size()).adjusted(-3, -3, 3, 3) & parentWidget()->rect();
    if (frame.isEmpty()) {   // scrolled out of the window
        hide();
        return;
    }
    setGeometry(frame);
    show();
    raise();
}

void GuideMark::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QPen(QColor(224, 0, 0), 2));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
}
