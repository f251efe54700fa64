#include "editorwindow.h"
#include "panesteps.h"

#include "colourdialog.h"
#include "commanddialog.h"
#include "drawingbar.h"
#include "editoraccess.h"
#include "editorparts.h"
#include "outlinepane.h"
#include "formatbar.h"
#include "inputroute.h"
#include "master.h"
#include "masterbar.h"
#include "objectbars.h"
#include "shapes.h"
#include "slideart.h"
#include "slideshow.h"
#include "toolicons.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QGraphicsColorizeEffect>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// What the toolbar control at the head of `steps` (or the command it leads
// to) is to give: the one field the command sets after it, as its list's
// entry names it ("entry:字体:蓝色"); with several fields, the entry that
// opens the command's dialog ("entry:字体:").
std::pair<QString, QString> toolbarChoice(const QList<TaskStep> &steps)
{
    QString command, value;
    int values = 0;
    for (const TaskStep &step : steps) {
        if (step.kind == TaskStep::Kind::Ok)
            break;
        if (step.kind == TaskStep::Kind::Command && command.isEmpty())
            command = step.arg;
        else if (step.kind == TaskStep::Kind::Field && step.arg != u"对象" && values++ == 0)
            value = step.value.trimmed();
    }
    if (values > 1)
        value.clear();
    return {QStringLiteral("entry:%1:%2").arg(command, value), value};
}

// Whether `entry` of an open menu gives the command at the head of `steps`:
// the command's own entry, or the entry of a list or submenu for the value
// its field sets ("entry:组合:取消组合"); inside a submenu also the entry
// named after any value the command is given ("toolbar:绘图" of 工具栏 ▸).
bool givesCommand(const QAction *entry, const QList<TaskStep> &steps, bool inSubmenu)
{
    const QString name = entry->objectName();
    if (name.isEmpty() || steps.isEmpty())
        return false;
    if (name == QStringLiteral("command:") + steps.first().arg || name == toolbarChoice(steps).first)
        return true;
    if (!inSubmenu)
        return false;
    for (const TaskStep &step : steps) {
        if (step.kind == TaskStep::Kind::Ok)
            break;
        if (step.kind == TaskStep::Kind::Field && step.arg != u"对象" && !step.value.trimmed().isEmpty()
            && name.section(u':', -1) == step.value.trimmed())
            return true;
    }
    return false;
}

// Whether `entry` gives the step's command and the step's words name it
// ("选择“删除列”").
bool namedByHint(const QAction *entry, const TaskStep &step)
{
    const QString name = entry->objectName();
    if (name != QStringLiteral("command:") + step.arg && !name.startsWith(QStringLiteral("entry:%1:").arg(step.arg)))
        return false;
    static const QRegularExpression decoration(QStringLiteral("\\(&.\\)|…$"));
    const QString text = entry->text().remove(decoration);
    return !text.isEmpty() && step.hint.contains(QStringLiteral("“%1”").arg(text));
}

// The entry of `menu` on the way to one giving the command at the head of
// `steps`: that entry, or the one opening the submenu that holds it.
QAction *wayIn(const QMenu *menu, const QList<TaskStep> &steps, bool inSubmenu)
{
    const QList<QAction *> entries = menu->actions();
    // Of several entries giving the command (a table's 插入行 and 删除列 both
    // open its dialog), the one the step's words name. Inside a submenu the
    // entry for the value asked decides (组合 ▸ 取消组合, whose words name 组合 too).
    if (!inSubmenu && !steps.isEmpty() && steps.first().kind == TaskStep::Kind::Command)
        for (QAction *entry : entries)
            if (namedByHint(entry, steps.first()))
                return entry;
    for (QAction *entry : entries)
        if (givesCommand(entry, steps, inSubmenu))
            return entry;
    for (QAction *entry : entries)
        if (entry->menu() && wayIn(entry->menu(), steps, true))
            return entry;
    return nullptr;
}

// A button that applies what its face shows (named by its description) and
// lists the rest behind its arrow: the arrow is the way to another value.
std::function<QRect()> arrowUnlessShown(QWidget *control, const QString &value)
{
    auto *button = qobject_cast<QToolButton *>(control);
    if (!button || button->popupMode() != QToolButton::MenuButtonPopup || button->accessibleDescription() == value)
        return {};
    return [button] {
        const int arrow = button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, button);
        return QRect(button->width() - arrow, 0, arrow, button->height());
    };
}

// The 颜色 dialog one of the editor's colour lists opened, while it is shown.
ColourDialog *openColourDialog(const QObject *window)
{
    for (ColourDialog *dialog : window->findChildren<ColourDialog *>())
        if (dialog->isVisible())
            return dialog;
    return nullptr;
}

// The part of the window the practice panel shows.
constexpr QSize ShownSize(800, 600);

const QStringList slideListCommands = {
    QStringLiteral("新幻灯片"), QStringLiteral("删除幻灯片"), QStringLiteral("幻灯片副本"),
    QStringLiteral("剪切"), QStringLiteral("复制"), QStringLiteral("粘贴"), QStringLiteral("幻灯片版式"),
    QStringLiteral("背景"), QStringLiteral("幻灯片设计"), QStringLiteral("幻灯片切换"), QStringLiteral("隐藏幻灯片"),
};

// The access keys of the menu titles and of their entries, as the editor
// underlines them ("文件(F)", "新建(N)…").
const QMap<QString, QChar> &menuKeys()
{
    static const QMap<QString, QChar> keys = {
        {QStringLiteral("文件"), u'F'}, {QStringLiteral("编辑"), u'E'}, {QStringLiteral("视图"), u'V'},
        {QStringLiteral("插入"), u'I'}, {QStringLiteral("格式"), u'O'}, {QStringLiteral("工具"), u'T'},
        {QStringLiteral("幻灯片放映"), u'D'}, {QStringLiteral("窗口"), u'W'}, {QStringLiteral("帮助"), u'H'},
    };
    return keys;
}

QChar entryKey(const QString &id)
{
    static const QMap<QString, QChar> keys = [] {
        QMap<QString, QChar> k;
        const char *table[][2] = {
            {"新建", "N"}, {"打开", "O"}, {"关闭", "C"}, {"保存", "S"}, {"另存为", "A"}, {"另存为网页", "G"},
            {"网页预览", "B"}, {"输出为PDF", "F"}, {"打包", "K"}, {"页面设置", "U"}, {"打印预览", "V"}, {"打印", "P"}, {"属性", "I"},
            {"退出", "X"},
            {"撤销", "U"}, {"恢复", "R"}, {"剪切", "T"}, {"复制", "C"}, {"粘贴", "P"}, {"选择性粘贴", "S"}, {"全选", "L"}, {"清除", "A"},
            {"删除幻灯片", "D"}, {"编辑声音对象", "O"}, {"编辑影片对象", "O"}, {"复制对象", "O"}, {"粘贴对象", "J"}, {"查找", "F"}, {"替换", "E"},
            {"普通", "N"}, {"幻灯片浏览", "D"}, {"备注页", "T"}, {"颜色/灰度", "C"}, {"母版", "M"}, {"大纲", "O"}, {"左侧窗格", "L"},
            {"任务窗格", "K"}, {"工具栏", "B"}, {"标尺", "R"}, {"网格和参考线", "I"}, {"全屏显示", "U"},
            {"显示比例", "Z"}, {"页眉和页脚", "H"},
            {"新幻灯片", "N"}, {"幻灯片副本", "D"}, {"幻灯片（从文件）", "F"}, {"日期和时间", "T"}, {"幻灯片编号", "U"},
            {"符号", "S"}, {"图片", "P"}, {"艺术字", "W"}, {"自选图形", "A"}, {"文本框", "X"}, {"影片和声音", "V"},
            {"图表", "H"}, {"表格", "B"}, {"组织结构图", "G"}, {"对象", "O"}, {"超链接", "I"}, {"批注", "M"},
            {"字体", "F"}, {"项目符号和编号", "N"}, {"对齐方式", "G"}, {"行距", "S"}, {"段落", "P"}, {"更改大小写", "E"},
            {"字符间距", "C"}, {"中文版式", "H"}, {"幻灯片版式", "L"}, {"幻灯片设计", "D"}, {"背景", "K"}, {"替换字体", "R"},
            {"对象格式", "O"}, {"格式刷", "B"}, {"叠放次序", "R"}, {"组合", "Z"}, {"旋转或翻转", "T"},
            {"选项", "O"}, {"拼写检查", "S"}, {"自动更正选项", "A"}, {"自定义", "C"},
            {"观看放映", "V"}, {"从当前幻灯片开始", "C"}, {"设置放映方式", "S"}, {"排练计时", "R"}, {"录制旁白", "N"}, {"动作按钮", "I"},
            {"动作设置", "A"}, {"动画方案", "C"}, {"自定义动画", "M"}, {"幻灯片切换", "T"}, {"隐藏幻灯片", "H"},
            {"自定义放映", "W"}, {"结束放映", "E"},
            {"新建窗口", "N"}, {"全部重排", "A"}, {"最小化", "M"}, {"最大化", "X"}, {"还原", "R"},
            {"金山演示帮助", "H"}, {"关于金山演示", "A"},
            {"增大字号", "I"}, {"减小字号", "J"}, {"对齐或分布", "A"}, {"阴影", "W"}, {"三维效果", "V"},
            {"幻灯片母版", "S"}, {"讲义母版", "H"}, {"备注母版", "N"},
            {"表格属性", "Q"}, {"图表选项", "X"}, {"组织结构图格式", "Y"}, {"排练时间", "G"}, {"放映控制", "K"},
        };
        for (const auto &row : table)
            k.insert(QString::fromUtf8(row[0]), QChar(row[1][0]));
        return k;
    }();
    return keys.value(id);
}

// The central area: its one child fills what of it lies inside the shown
// part of the window; the rest stays empty.
class ShownPart : public QWidget
{
public:
    using QWidget::QWidget;
    QWidget *content = nullptr;

protected:
    void resizeEvent(QResizeEvent *) override { place(); }
    void moveEvent(QMoveEvent *) override { place(); }

private:
    void place()
    {
        if (!content)
            return;
        const QPoint at = mapTo(window(), QPoint(0, 0));
        content->setGeometry(0, 0, std::min(width(), ShownSize.width() - at.x()),
                             std::min(height(), ShownSize.height() - at.y()));
    }
};

// The notes pane: a white box with the notes line at its top.
class NotesPane : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QColor(130, 130, 130));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

EditorWindow::EditorWindow(QWidget *parent)
    : QMainWindow(parent), m_guide(QList<TaskStep>{})
{
    setWindowTitle(QStringLiteral("金山演示 - [演示文稿1]"));
    setFixedSize(900, 700);
}

EditorWindow::EditorWindow(const Task &task, const QString &taskProblem, QWidget *parent)
    : EditorWindow(parent)
{
    setTask(task, taskProblem);
}

void EditorWindow::setTask(const Task &task, const QString &taskProblem)
{
    m_task = task;
    m_session = Session(task.startDocument());
    // A task about taking back (or bringing back) "the last operation"
    // starts with one to take back (or bring back), for every way through
    // it, its mistakes included.
    QList<TaskPath> paths = task.methods();
    paths += task.mistakes;
    const auto uses = [&paths](const char *command) {
        return std::any_of(paths.begin(), paths.end(), [command](const TaskPath &path) {
            return std::any_of(path.steps.begin(), path.steps.end(), [command](const TaskStep &step) {
                return step.kind == TaskStep::Kind::Command && step.arg == QString::fromUtf8(command);
            });
        });
    };
    if (uses("撤销") || uses("恢复"))
        m_session.startWithHistory(uses("撤销"), uses("恢复"));
    m_guide = Guide(task);
    m_route = new InputRoute(this);
    connect(m_route, &InputRoute::keyUsed, this, [this](const QString &key) {
        report(TaskStep{TaskStep::Kind::Key, key, {}, {}});
    });
    EditorAccess::install();
    buildMenus();
    buildToolBar();
    buildCentre();
    buildStandIns();
    buildKeys();
    buildContextMenus();
    // Each toolbar's button for the buttons it has no room for.
    for (QToolBar *bar : findChildren<QToolBar *>())
        if (auto *more = bar->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(QStringLiteral("工具栏选项"));
    m_strip->setTask(QStringLiteral("要求：") + (task.text.isEmpty() ? taskProblem : task.text));
    refresh();
}

void EditorWindow::restoreDocument(const Document &document)
{
    const QList<int> selected = Document::slideNumbers(document.settings.value(QStringLiteral("选中")));
    m_session = Session(document);
    m_session.select(selected);
    refresh();
}

void EditorWindow::buildMenus()
{
    for (const QString &title : Commands::menus()) {
        QMenu *menu = menuBar()->addMenu(QStringLiteral("%1(&%2)").arg(title).arg(menuKeys().value(title)));
        menu->setObjectName(QStringLiteral("menu:") + title);
        menu->setAccessibleName(title);
        menu->menuAction()->setIconText(title);
        m_menus.insert(title, menu);
        // Its entries are put in when it first opens: laying them out is
        // not needed before. The commands exist on the window from the start
        // (found by name, their shortcut keys working).
        connect(menu, &QMenu::aboutToShow, this, [this, menu, title] {
            if (menu->isEmpty())
                menu->addActions(m_menuEntries.value(title));
        });
        connect(menu, &QMenu::aboutToShow, this, [this, title] {
            report(TaskStep{TaskStep::Kind::Menu, title, {}, {}});
        });
        // A menu closed without its command: the guide marks the way again.
        connect(menu, &QMenu::aboutToHide, this, &EditorWindow::updateGuideLater);
    }
    for (const CommandSpec &spec : Commands::all()) {
        // The outline's operations are the 大纲 toolbar's buttons, not a menu entry.
        // A sound's or movie's options are its context menu's. The commands
        // of the drawing and formatting toolbars are reached there, by their
        // keys and by the context menus, not from the menu bar.
        const bool inMenu = m_menus.contains(spec.menu) && spec.id != u"大纲" && spec.id != u"编辑声音对象"
                            && spec.id != u"编辑影片对象";
        QString text = spec.id;
        if (const QChar key = entryKey(spec.id); !key.isNull())
            text += QStringLiteral("(&%1)").arg(key);
        auto *action = new QAction(spec.hasDialog() ? text + QStringLiteral("…") : text, this);
        addAction(action);
        if (inMenu)
            m_menuEntries[spec.menu].append(action);
        action->setObjectName(QStringLiteral("command:") + spec.id);
        action->setIconText(spec.id);
        // Ctrl+N is the toolbar's 新建 (see buildToolBar), not the menu entry's;
        // the entry still shows the key, as the editor's menu does.
        if (!spec.shortcut.isEmpty() && spec.id != u"新建")
            action->setShortcut(QKeySequence(spec.shortcut));
        else if (!spec.shortcut.isEmpty())
            action->setText(action->text() + u'\t' + spec.shortcut);
        const QString id = spec.id;
        connect(action, &QAction::triggered, this, [this, id] { trigger(id); });
        m_actions.insert(spec.id, action);
    }
}

void EditorWindow::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("常用"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Groups as the editor's standard toolbar has them.
    const QList<QList<const char *>> groups = {
        {"新建", "打开", "保存", "打印"}, {"剪切", "复制", "粘贴", "撤销"},
        {"新幻灯片", "字体", "背景", "幻灯片设计"}, {"自定义动画", "幻灯片切换", "观看放映"},
    };
    // The toolbar's 新建 and Ctrl+N make a blank presentation at once; the
    // 文件 menu's 新建… shows the 新建演示文稿 task pane.
    auto *newBlank = new QAction(QStringLiteral("新建"), this);
    newBlank->setObjectName(QStringLiteral("newBlank"));
    newBlank->setIconText(QStringLiteral("新建"));
    newBlank->setShortcut(QKeySequence(Commands::find(QStringLiteral("新建"))->shortcut));
    addAction(newBlank);
    connect(newBlank, &QAction::triggered, this, [this] {
        runWithoutDialog(QStringLiteral("新建"), {{QStringLiteral("模板"), QStringLiteral("空白演示文稿")}});
    });
    for (const auto &group : groups) {
        if (!bar->actions().isEmpty())
            bar->addSeparator();
        for (const char *id : group) {
            QAction *action = qstrcmp(id, "新建") == 0 ? newBlank : m_actions.value(QString::fromUtf8(id));
            if (!action)
                continue;
            action->setIcon(ToolIcons::icon(action->iconText()));
            action->setToolTip(action->iconText());
            bar->addAction(action);
        }
    }

    // The zoom box: the 显示比例 command with the chosen ratio.
    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->setAccessibleName(QStringLiteral("显示比例"));
    m_zoom->setToolTip(QStringLiteral("显示比例"));
    // Not typed into: an editable box would take the window's first focus
    // and report its text again whenever it lost it.
    m_zoom->setFocusPolicy(Qt::NoFocus);
    m_zoom->addItems(Commands::find(QStringLiteral("显示比例"))->field(QStringLiteral("比例"))->choices);
    m_zoom->setFixedWidth(64);
    m_zoom->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    bar->addSeparator();
    bar->addWidget(m_zoom);
    connect(m_zoom, &QComboBox::textActivated, this, [this](const QString &ratio) {
        runWithoutDialog(QStringLiteral("显示比例"), {{QStringLiteral("比例"), ratio.trimmed()}});
    });
    m_toolBars.insert(QStringLiteral("常用"), bar);

    // The formatting toolbar, on a row of its own.
    addToolBarBreak();
    m_formatBar = new FormatBar(this);
    addToolBar(m_formatBar);
    m_toolBars.insert(QStringLiteral("格式"), m_formatBar);

    // The drawing toolbar, shown from the start, stands above the status bar
    // (see buildCentre); the outline toolbar is hidden until the candidate
    // shows it.
    auto *drawing = new DrawingBar([this](const QString &id) { return m_actions.value(id); }, this);
    drawing->setMovable(false);
    m_toolBars.insert(QStringLiteral("绘图"), drawing);
    connect(drawing, &DrawingBar::chosen, this, &EditorWindow::drawingChosen);
    connect(drawing, &DrawingBar::opened, this, &EditorWindow::drawingOpened);
    connect(drawing, &DrawingBar::drawAsked, this, &EditorWindow::startDrawing);
    connect(drawing, &DrawingBar::alignToSlide, this, [this](bool on) { m_alignToSlide = on; });
    connect(drawing, &DrawingBar::dropped, this, &EditorWindow::drawingBarDropped);
    // 绘图 ▸ 设置…格式 is named after the selection, as the context menus name it.
    for (QAction *format : drawing->findChildren<QAction *>(QStringLiteral("entry:对象格式:")))
        if (auto *menu = qobject_cast<QMenu *>(format->parent()); menu && format->text().startsWith(u"设置"))
            connect(menu, &QMenu::aboutToShow, this, [this, format] {
                format->setText(QStringLiteral("设置%1格式(&O)…").arg(selectionName()));
            });
    QToolBar *outline = new QToolBar(QStringLiteral("大纲"), this);
    outline->setObjectName(QStringLiteral("outlineBar"));
    outline->setAccessibleName(QStringLiteral("大纲工具栏"));
    outline->setMovable(false);
    outline->setOrientation(Qt::Vertical);
    for (const QString &operation : Commands::find(QStringLiteral("大纲"))->field(QStringLiteral("操作"))->choices) {
        if (operation == u"删除")
            continue;
        QAction *action = outline->addAction(operation);
        action->setObjectName(QStringLiteral("outline:") + operation);
        action->setToolTip(operation);
        connect(action, &QAction::triggered, this, [this, operation] {
            runWithoutDialog(QStringLiteral("大纲"), {{QStringLiteral("操作"), operation}});
        });
    }
    addToolBar(Qt::LeftToolBarArea, outline);
    outline->hide();
    m_toolBars.insert(QStringLiteral("大纲"), outline);
    bar->setAccessibleName(QStringLiteral("常用工具栏"));
    m_formatBar->setAccessibleName(QStringLiteral("格式工具栏"));

    // The master views' toolbar, shown in them only.
    addToolBarBreak();
    m_masterBar = new MasterBar(m_actions.value(QStringLiteral("关闭母版视图")), this);
    addToolBar(m_masterBar);
    m_masterBar->hide();
    connect(m_masterBar, &MasterBar::masterChosen, this, &EditorWindow::trigger);
    connect(m_masterBar, &MasterBar::handoutChosen, this, [this](const QString &slides) {
        runWithoutDialog(QStringLiteral("母版"), {{QStringLiteral("母版类型"), QStringLiteral("讲义母版")},
                                                {QStringLiteral("讲义幻灯片数"), slides}});
    });
    connect(m_formatBar, &FormatBar::chosen, this, &EditorWindow::runWithoutDialog);
    connect(m_formatBar, &FormatBar::painterPicked, this, &EditorWindow::pickFormat);
    // A toolbar button's list opening is the candidate's toolbar step: the
    // guide moves on to the entry to choose in it; closed again without a
    // choice, the guide shows the way back to the button.
    for (QToolBar *toolBar : {static_cast<QToolBar *>(m_formatBar), m_toolBars.value(QStringLiteral("绘图"))})
        for (QToolButton *button : toolBar->findChildren<QToolButton *>())
            for (QMenu *menu : button->findChildren<QMenu *>(Qt::FindDirectChildrenOnly)) {
                connect(menu, &QMenu::aboutToShow, this, [this, name = button->accessibleName()] {
                    report(TaskStep{TaskStep::Kind::Toolbar, name, {}, {}});
                });
                connect(menu, &QMenu::aboutToHide, this, &EditorWindow::updateGuideLater);
            }
}

QToolBar *EditorWindow::commandBar(const QString &title, const QString &name, const QStringList &ids)
{
    addToolBarBreak();
    auto *bar = new QToolBar(title, this);
    bar->setObjectName(name);
    bar->setAccessibleName(title + QStringLiteral("工具栏"));
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    for (const QString &id : ids) {
        // Buttons of their own: the menus' entries keep their texts.
        QAction *button = bar->addAction(ToolIcons::icon(id), id);
        button->setObjectName(QStringLiteral("button:") + id);
        button->setToolTip(id);
        connect(button, &QAction::triggered, this, [this, id] { trigger(id); });
    }
    addToolBar(bar);
    bar->hide();
    return bar;
}

void EditorWindow::buildStandIns()
{
    // 视图 → 工具栏: one tick item a toolbar, shown or hidden at once.
    auto *toolbars = new QMenu(QStringLiteral("工具栏(&B)"), this);
    toolbars->setObjectName(QStringLiteral("menu:工具栏"));
    toolbars->setAccessibleName(QStringLiteral("工具栏"));
    const QList<std::pair<const char *, QChar>> bars = {{"常用", u'S'}, {"格式", u'O'}, {"绘图", u'D'}, {"大纲", u'U'},
                                                        {"图片", u'P'}, {"艺术字", u'W'}, {"表格和边框", u'T'}};
    for (const auto &[name, key] : bars) {
        const QString toolbar = QString::fromUtf8(name);
        QAction *tick = toolbars->addAction(QStringLiteral("%1(&%2)").arg(toolbar).arg(key));
        tick->setObjectName(QStringLiteral("toolbar:") + toolbar);
        tick->setCheckable(true);
        m_toolBarTicks.insert(toolbar, tick);
        connect(tick, &QAction::triggered, this, [this, toolbar](bool on) {
            runWithoutDialog(QStringLiteral("工具栏"), {{QStringLiteral("工具栏"), toolbar},
                                                      {QStringLiteral("显示"), on ? QStringLiteral("显示") : QStringLiteral("隐藏")}});
        });
    }
    toolbars->addSeparator();
    QAction *customise = toolbars->addAction(QStringLiteral("自定义(&C)…"));
    connect(customise, &QAction::triggered, this, [this] { trigger(QStringLiteral("自定义")); });
    m_standIns.insert(QStringLiteral("工具栏"), toolbars->menuAction());

    // 视图 → 状态栏: a tick item of its own below 工具栏, showing or hiding
    // the status strip at the window's foot.
    m_statusTick = new QAction(QStringLiteral("状态栏(&S)"), this);
    m_statusTick->setObjectName(QStringLiteral("toolbar:状态栏"));
    m_statusTick->setCheckable(true);
    connect(m_statusTick, &QAction::triggered, this, [this](bool on) {
        runWithoutDialog(QStringLiteral("工具栏"), {{QStringLiteral("工具栏"), QStringLiteral("状态栏")},
                                                  {QStringLiteral("显示"), on ? QStringLiteral("显示") : QStringLiteral("隐藏")}});
    });

    // 视图 → 标尺: a tick item.
    m_rulerTick = new QAction(QStringLiteral("标尺(&R)"), this);
    m_rulerTick->setObjectName(QStringLiteral("tick:标尺"));
    m_rulerTick->setCheckable(true);
    connect(m_rulerTick, &QAction::triggered, this, [this](bool on) {
        runWithoutDialog(QStringLiteral("标尺"), {{QStringLiteral("显示"), on ? QStringLiteral("显示") : QStringLiteral("隐藏")}});
    });
    m_standIns.insert(QStringLiteral("标尺"), m_rulerTick);

    // 视图 → 大纲: a tick item for the left pane's 大纲 tab, in the place of
    // the pane's own command (its tabs and close button do the rest).
    m_outlineTick = new QAction(QStringLiteral("大纲(&O)"), this);
    m_outlineTick->setObjectName(QStringLiteral("tick:大纲"));
    m_outlineTick->setCheckable(true);
    connect(m_outlineTick, &QAction::triggered, this, [this](bool on) {
        QMap<QString, QString> fields{{QStringLiteral("选项卡"), on ? QStringLiteral("大纲") : QStringLiteral("幻灯片")}};
        if (m_session.document().settings.value(QStringLiteral("左侧窗格.显示")) == u"关闭")
            fields.insert(QStringLiteral("显示"), QStringLiteral("显示"));
        runWithoutDialog(QStringLiteral("左侧窗格"), fields);
    });
    m_standIns.insert(QStringLiteral("左侧窗格"), m_outlineTick);

    // Submenus whose entries open their command's dialog with the entry's choice made.
    auto submenu = [this](const QString &id, const QString &title, const QString &field,
                          const QList<std::pair<QString, QChar>> &entries) {
        auto *menu = new QMenu(title, this);
        menu->setObjectName(QStringLiteral("menu:") + id);
        menu->setAccessibleName(id);
        for (const auto &[choice, key] : entries) {
            QAction *entry = menu->addAction(QStringLiteral("%1(&%2)…").arg(choice).arg(key));
            entry->setObjectName(QStringLiteral("entry:%1:%2").arg(id, choice));
            connect(entry, &QAction::triggered, this, [this, id, field, choice] {
                trigger(id);
                if (m_dialog)
                    m_dialog->setValue(field, choice);
            });
        }
        m_standIns.insert(id, menu->menuAction());
    };
    // 视图 → 母版: the master views, entered at once.
    auto *masters = new QMenu(QStringLiteral("母版(&M)"), this);
    masters->setObjectName(QStringLiteral("menu:母版"));
    masters->setAccessibleName(QStringLiteral("母版"));
    for (const QString &id : {QStringLiteral("幻灯片母版"), QStringLiteral("讲义母版"), QStringLiteral("备注母版"),
                              QStringLiteral("标题母版"), QStringLiteral("关闭母版视图")}) {
        QAction *entry = m_actions.value(id);
        m_menuEntries[QStringLiteral("视图")].removeAll(entry);
        if (id == u"关闭母版视图" || id == u"标题母版")
            continue;   // on the master views' toolbar
        masters->addAction(entry);
        m_standIns.insert(id, masters->menuAction());
    }
    m_standIns.insert(QStringLiteral("母版"), masters->menuAction());
    // 插入 → 图片: 剪贴画 shows the clip art task pane, 来自文件 the file
    // dialog; the pane's command has no entry of its own in 插入.
    submenu(QStringLiteral("图片"), QStringLiteral("图片(&P)"), QStringLiteral("来源"), {{QStringLiteral("来自文件"), u'F'}});
    if (QAction *pictures = m_standIns.value(QStringLiteral("图片")); pictures && pictures->menu()) {
        QAction *clips = new QAction(QStringLiteral("剪贴画(&C)…"), pictures->menu());
        clips->setObjectName(QStringLiteral("entry:图片:剪贴画"));
        connect(clips, &QAction::triggered, this, [this] { trigger(QStringLiteral("剪贴画")); });
        pictures->menu()->insertAction(pictures->menu()->actions().value(0), clips);
        m_menuEntries[QStringLiteral("插入")].removeAll(m_actions.value(QStringLiteral("剪贴画")));
        m_standIns.insert(QStringLiteral("剪贴画"), pictures);
    }
    m_standIns.insert(QStringLiteral("文本框"), textBoxMenu());
    m_standIns.insert(QStringLiteral("影片和声音"), mediaMenu());
    buildFileLists();

    for (auto it = m_standIns.begin(); it != m_standIns.end(); ++it) {
        const CommandSpec *spec = Commands::find(it.key());
        QList<QAction *> &entries = m_menuEntries[spec->menu];
        const qsizetype at = entries.indexOf(m_actions.value(it.key()));
        if (at >= 0)
            entries[at] = it.value();
    }
    QList<QAction *> &viewEntries = m_menuEntries[QStringLiteral("视图")];
    viewEntries.insert(viewEntries.indexOf(toolbars->menuAction()) + 1, m_statusTick);
    buildFormatMenu();
    buildObjectEntry();
}

void EditorWindow::buildObjectEntry()
{
    auto *menu = new QMenu(QStringLiteral("对象(&O)"), this);
    menu->setObjectName(QStringLiteral("menu:媒体对象"));
    menu->setAccessibleName(QStringLiteral("对象"));
    m_mediaEntry = menu->menuAction();
    QMap<QString, QAction *> edits;
    for (const char *id : {"编辑声音对象", "编辑影片对象"}) {
        const QString command = QString::fromUtf8(id);
        QAction *edit = menu->addAction(QStringLiteral("编辑(&E)"));
        edit->setObjectName(QStringLiteral("command:") + command);
        connect(edit, &QAction::triggered, this, [this, command] { trigger(command); });
        edits.insert(command, edit);
        m_standIns.insert(command, m_mediaEntry);
    }
    auto *line = new QAction(this);
    line->setSeparator(true);
    m_menuEntries[QStringLiteral("编辑")] << line << m_mediaEntry;
    connect(m_menus.value(QStringLiteral("编辑")), &QMenu::aboutToShow, this, [this, edits] {
        // The first sound or movie among the selected shapes names the entry.
        QString kind;
        const Slide &slide = m_session.document().slides.at(m_session.current() - 1);
        for (const QString &shape : m_session.selectedShapes())
            if (Shapes::kindOf(shape) == u"媒体") {
                kind = slide.attributes.value(shape + QStringLiteral(".类型"), QStringLiteral("声音"));
                break;
            }
        m_mediaEntry->setText(kind.isEmpty() ? QStringLiteral("对象(&O)") : kind + QStringLiteral(" 对象(&O)"));
        m_mediaEntry->setEnabled(!kind.isEmpty());
        edits.value(QStringLiteral("编辑声音对象"))->setVisible(kind != u"影片");
        edits.value(QStringLiteral("编辑影片对象"))->setVisible(kind == u"影片");
    });
}

// The lists at the foot of two menus, each entry numbered with its access
// key: the files used last in 文件 (above 退出), a click opening one; the
// open presentations in 窗口, the one in front ticked, a click bringing one
// to the front. Their entries are named as a list's ("entry:切换窗口:产品介绍.dps").
void EditorWindow::buildFileLists()
{
    const auto separator = [this] {
        auto *line = new QAction(this);
        line->setSeparator(true);
        return line;
    };
    const auto listEntry = [this](const QString &id, const QString &field, int number, const QString &name) {
        auto *entry = new QAction(QStringLiteral("&%1 %2").arg(number).arg(name), this);
        entry->setObjectName(QStringLiteral("entry:%1:%2").arg(id, name));
        entry->setData(name);
        connect(entry, &QAction::triggered, this, [this, id, field, entry] {
            runWithoutDialog(id, {{field, entry->data().toString()}});
        });
        return entry;
    };
    const QString recent = QStringLiteral("最近使用的文件");
    QList<QAction *> files{separator()};
    const QStringList used = Commands::find(recent)->field(QStringLiteral("文件名"))->choices;
    for (int i = 0; i < used.size(); ++i)
        files << listEntry(recent, QStringLiteral("文件名"), i + 1, used.at(i));
    files << separator();
    QList<QAction *> &fileMenu = m_menuEntries[QStringLiteral("文件")];
    if (const qsizetype at = fileMenu.indexOf(m_actions.value(recent)); at >= 0) {
        fileMenu.removeAt(at);
        for (qsizetype k = 0; k < files.size(); ++k)
            fileMenu.insert(at + k, files.at(k));
    }

    const QString switchTo = QStringLiteral("切换窗口");
    QList<QAction *> &windowMenu = m_menuEntries[QStringLiteral("窗口")];
    windowMenu.removeAll(m_actions.value(switchTo));
    windowMenu << separator();
    const QStringList open = Commands::find(switchTo)->field(QStringLiteral("切换到"))->choices;
    QList<QAction *> windows;
    for (int i = 0; i < open.size(); ++i) {
        QAction *entry = listEntry(switchTo, QStringLiteral("切换到"), i + 1, open.at(i));
        entry->setCheckable(true);
        windows << entry;
    }
    windowMenu << windows;
    // The first is the presentation worked on, under the name it was saved
    // with; the tick follows the one brought to the front last.
    connect(m_menus.value(QStringLiteral("窗口")), &QMenu::aboutToShow, this, [this, windows, switchTo] {
        const QString own = m_session.fileName().isEmpty() ? windows.first()->data().toString() : m_session.fileName();
        windows.first()->setText(QStringLiteral("&1 ") + own);
        windows.first()->setObjectName(QStringLiteral("entry:%1:%2").arg(switchTo, own));
        windows.first()->setData(own);
        const QString front = m_session.document().settings.value(QStringLiteral("切换窗口.切换到"), own);
        for (QAction *entry : windows)
            entry->setChecked(entry->data().toString() == front);
    });
}

void EditorWindow::buildFormatMenu()
{
    // 对齐方式 ▸: an entry aligns the text the caret is in (or the selected
    // object's) at once; with nothing to act on, the command's dialog asks which.
    const QString alignId = QStringLiteral("对齐方式");
    auto *align = new QMenu(QStringLiteral("对齐方式(&G)"), this);
    align->setObjectName(QStringLiteral("menu:") + alignId);
    align->setAccessibleName(alignId);
    const QList<std::pair<const char *, QChar>> alignments = {{"左对齐", u'L'}, {"居中对齐", u'C'}, {"右对齐", u'R'},
                                                              {"两端对齐", u'J'}, {"分散对齐", u'D'}};
    for (const auto &[name, key] : alignments) {
        const QString choice = QString::fromUtf8(name);
        const QString shown = choice == u"居中对齐" ? QStringLiteral("居中") : choice;
        QAction *entry = align->addAction(QStringLiteral("%1(&%2)").arg(shown).arg(key));
        entry->setObjectName(QStringLiteral("entry:%1:%2").arg(alignId, choice));
        connect(entry, &QAction::triggered, this, [this, alignId, choice] {
            QString object = m_session.editedObject();
            if (object.isEmpty() && !m_session.selectedShapes().isEmpty())
                object = m_session.selectedShapes().first();
            if (object.isEmpty()) {
                trigger(alignId);
                if (m_dialog)
                    m_dialog->setValue(QStringLiteral("对齐"), choice);
                return;
            }
            runWithoutDialog(alignId, {{QStringLiteral("对象"), object}, {QStringLiteral("对齐"), choice}});
        });
    }
    m_standIns.insert(alignId, align->menuAction());

    // The last entry is named after what is selected (占位符, 自选图形, 图片…)
    // and opens that object's format dialog.
    m_objectEntry = new QAction(QStringLiteral("对象(&O)…"), this);
    m_objectEntry->setObjectName(QStringLiteral("entry:格式:对象"));
    connect(m_objectEntry, &QAction::triggered, this, [this] { trigger(objectEntryCommand()); });
    for (const char *id : {"对象格式", "表格属性", "图表选项", "组织结构图格式"})
        m_standIns.insert(QString::fromUtf8(id), m_objectEntry);
    connect(m_menus.value(QStringLiteral("格式")), &QMenu::aboutToShow, this, [this] {
        m_objectEntry->setText(selectionName() + QStringLiteral("(&O)…"));
    });

    // The menu as the editor lays it out: the text's formats, the slide's
    // design, layout and background, then the selected object.
    QList<QAction *> entries;
    auto separator = [this, &entries] {
        auto *line = new QAction(this);
        line->setSeparator(true);
        entries << line;
    };
    const QList<const char *> order = {"字体", "段落", "项目符号和编号", "对齐方式", "行距", "更改大小写", "字符间距",
                                       "中文版式", "替换字体", "", "幻灯片设计", "幻灯片版式", "背景", ""};
    for (const char *id : order) {
        if (!*id) {
            separator();
            continue;
        }
        const QString command = QString::fromUtf8(id);
        entries << m_standIns.value(command, m_actions.value(command));
    }
    entries << m_objectEntry;
    m_menuEntries[QStringLiteral("格式")] = entries;
}

QString EditorWindow::selectionName() const
{
    const QStringList shapes = m_session.selectedShapes();
    const QString edited = m_session.editedObject();
    if (shapes.isEmpty() && edited.isEmpty())
        return QStringLiteral("对象");
    const QString kind = Shapes::kindOf(shapes.isEmpty() ? edited : shapes.first());
    if (kind.isEmpty() || kind == u"标题" || kind == u"正文" || kind == u"副标题")
        return QStringLiteral("占位符");   // a placeholder of the slide or of a master
    if (kind == u"媒体")
        return QStringLiteral("对象");
    return kind;
}

QString EditorWindow::objectEntryCommand() const
{
    const QStringList shapes = m_session.selectedShapes();
    const QString kind = shapes.isEmpty() ? QString() : Shapes::kindOf(shapes.first());
    if (kind == u"表格")
        return QStringLiteral("表格属性");
    if (kind == u"图表")
        return QStringLiteral("图表选项");
    if (kind == u"组织结构图")
        return QStringLiteral("组织结构图格式");
    return QStringLiteral("对象格式");
}

QAction *EditorWindow::mediaMenu()
{
    // 插入 → 影片和声音: movies and sounds from the clip gallery or from a
    // file; each entry opens the one dialog with its kind chosen.
    const QString id = QStringLiteral("影片和声音");
    auto *menu = new QMenu(QStringLiteral("影片和声音(&V)"), this);
    menu->setObjectName(QStringLiteral("menu:") + id);
    menu->setAccessibleName(id);
    struct Entry { const char *text; QChar key; const char *kind; bool clips; };
    const Entry entries[] = {{"剪辑管理器中的影片", u'M', "影片", true}, {"文件中的影片", u'F', "影片", false},
                             {"剪辑管理器中的声音", u'S', "声音", true}, {"文件中的声音", u'N', "声音", false}};
    for (const Entry &e : entries) {
        const QString text = QString::fromUtf8(e.text);
        if (text == u"剪辑管理器中的声音")
            menu->addSeparator();
        QAction *entry = menu->addAction(QStringLiteral("%1(&%2)…").arg(text).arg(e.key));
        entry->setObjectName(QStringLiteral("entry:%1:%2").arg(id, text));
        const QString kind = QString::fromUtf8(e.kind);
        const bool clips = e.clips;
        connect(entry, &QAction::triggered, this, [this, id, kind, clips] {
            trigger(id);
            if (!m_dialog)
                return;
            m_dialog->setValue(QStringLiteral("类型"), kind);
            if (clips)   // the gallery's own clips, not the candidate's folder
                m_dialog->setFolder(QStringLiteral("剪辑管理器"),
                                    kind == u"影片" ? QStringList{QStringLiteral("地球.mpg"), QStringLiteral("时钟.mpg")}
                                                    : QStringList{QStringLiteral("鼓掌.wav"), QStringLiteral("风铃.wav"),
                                                                  QStringLiteral("打字机.wav"), QStringLiteral("鼓声.wav")});
        });
    }
    menu->addSeparator();
    // There is no CD drive and no microphone to record from: shown as the
    // editor lists them, greyed.
    for (const auto &[text, key] : {std::pair{"播放 CD 乐曲(&C)…", 'C'}, std::pair{"录制声音(&R)", 'R'}}) {
        Q_UNUSED(key);
        QAction *entry = menu->addAction(QString::fromUtf8(text));
        entry->setObjectName(QStringLiteral("entry:%1:%2").arg(id, QString::fromUtf8(text).section(u'(', 0, 0)));
        entry->setEnabled(false);
    }
    return menu->menuAction();
}

void EditorWindow::buildKeys()
{
    // Delete in the slide list deletes the selected slides.
    auto *deleteSlides = new QAction(QStringLiteral("删除幻灯片"), m_slideList);
    deleteSlides->setShortcut(QKeySequence::Delete);
    deleteSlides->setShortcutContext(Qt::WidgetShortcut);
    m_slideList->addAction(deleteSlides);
    connect(deleteSlides, &QAction::triggered, this, [this] {
        if (listedMasters().isEmpty())   // the list holds the masters in their view
            trigger(QStringLiteral("删除幻灯片"));
    });

    // Ctrl+J justifies the text being edited (no button for it on the bar).
    auto *justify = new QAction(QStringLiteral("两端对齐"), this);
    justify->setObjectName(QStringLiteral("key:两端对齐"));
    justify->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    addAction(justify);
    connect(justify, &QAction::triggered, this, [this] {
        runWithoutDialog(QStringLiteral("对齐方式"), {{QStringLiteral("对象"), formatObject()},
                                                    {QStringLiteral("对齐"), QStringLiteral("两端对齐")}});
    });

    // Esc leaves full screen.
    m_leaveFullScreen = new QAction(QStringLiteral("关闭全屏显示"), this);
    m_leaveFullScreen->setObjectName(QStringLiteral("key:关闭全屏显示"));
    m_leaveFullScreen->setShortcut(QKeySequence(Qt::Key_Escape));
    m_leaveFullScreen->setEnabled(false);
    addAction(m_leaveFullScreen);
    connect(m_leaveFullScreen, &QAction::triggered, this, [this] { trigger(QStringLiteral("全屏显示")); });
}

void EditorWindow::buildContextMenus()
{
    // The text placeholders: the editor's own entries, in Chinese, for the
    // text and for the placeholder.
    auto textMenu = [this](QWidget *editor, const std::function<void(const char *)> &edit) {
        editor->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(editor, &QWidget::customContextMenuRequested, this, [this, editor, edit](const QPoint &at) {
            const QString part = editor == m_slide->titleEdit() ? QStringLiteral("title") : QStringLiteral("body");
            // The menu's commands act on this placeholder (the menu key opens it without a click).
            m_session.setEditing(part);
            report(TaskStep{TaskStep::Kind::Context, part, {}, {}});
            QMenu menu(this);
            menu.setObjectName(QStringLiteral("textMenu"));
            const QList<std::pair<const char *, const char *>> basic = {{"剪切(&T)", "cut"}, {"复制(&C)", "copy"}, {"粘贴(&P)", "paste"}};
            for (const auto &[text, what] : basic) {
                QAction *action = menu.addAction(QString::fromUtf8(text));
                const char *operation = what;
                connect(action, &QAction::triggered, this, [edit, operation] { edit(operation); });
            }
            menu.addSeparator();
            for (const char *id : {"字体", "段落", "项目符号和编号", "中文版式"})
                menu.addAction(m_actions.value(QString::fromUtf8(id)));
            menu.addSeparator();
            for (const char *id : {"自定义动画", "动作设置"})
                menu.addAction(m_actions.value(QString::fromUtf8(id)));
            QAction *format = menu.addAction(QStringLiteral("设置占位符格式(&O)…"));
            format->setObjectName(QStringLiteral("command:对象格式"));
            connect(format, &QAction::triggered, this, [this] { trigger(QStringLiteral("对象格式")); });
            menu.addAction(m_actions.value(QStringLiteral("超链接")));
            execContextMenu(menu, editor->mapToGlobal(at));
        });
    };
    TitleEdit *title = m_slide->titleEdit();
    textMenu(title, [title](const char *operation) {
        if (qstrcmp(operation, "cut") == 0) title->cut();
        else if (qstrcmp(operation, "copy") == 0) title->copy();
        else title->paste();
    });
    BodyEdit *body = m_slide->bodyEdit();
    textMenu(body, [body](const char *operation) {
        if (qstrcmp(operation, "cut") == 0) body->cut();
        else if (qstrcmp(operation, "copy") == 0) body->copy();
        else body->paste();
    });

    // The slide itself, outside its placeholders.
    m_slide->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_slide, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (m_slide->isSorter())
            return sorterMenu(at);
        if (const QString shape = m_slide->shapeAt(at); !shape.isEmpty())
            return shapeMenu(shape, at);
        report(TaskStep{TaskStep::Kind::Context, QStringLiteral("slide"), {}, {}});
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("slideMenu"));
        menu.addAction(m_actions.value(QStringLiteral("粘贴")));
        menu.addSeparator();
        for (const char *id : {"网格和参考线", "标尺"})
            if (QAction *action = m_actions.value(QString::fromUtf8(id)))
                menu.addAction(action);
        menu.addSeparator();
        for (const char *id : {"幻灯片版式", "幻灯片设计", "背景", "幻灯片切换"})
            menu.addAction(m_actions.value(QString::fromUtf8(id)));
        menu.addSeparator();
        menu.addAction(m_actions.value(QStringLiteral("新幻灯片")));
        execContextMenu(menu, m_slide->mapToGlobal(at));
    });
}

void EditorWindow::sorterMenu(const QPoint &at)
{
    // In the sorter a right click on a slide acts on the chosen slides (it
    // chooses the slide first when it is not one of them); in a gap it
    // places the insertion bar there, where 新幻灯片 and 粘贴 put theirs.
    const int before = m_slide->gapAt(at);
    const int index = before > 0 ? -1 : m_slide->sorterIndexAt(at);
    if (before == 0 && index < 0)
        return;
    if (before > 0 && before != m_session.insertionBar())
        emit m_slide->gapClicked(before);
    else if (index >= 0 && (m_session.insertionBar() > 0 || !m_session.selection().contains(index + 1)))
        emit m_slide->slideClicked(index, Qt::NoModifier);
    report(TaskStep{TaskStep::Kind::Context, QStringLiteral("sorter"), {}, {}});
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("sorterMenu"));
    menu.setAccessibleName(before > 0 ? QStringLiteral("插入点快捷菜单") : QStringLiteral("幻灯片快捷菜单"));
    const QList<QStringList> groups = before > 0
        ? QList<QStringList>{{QStringLiteral("粘贴")}, {QStringLiteral("新幻灯片")}}
        : QList<QStringList>{{QStringLiteral("剪切"), QStringLiteral("复制"), QStringLiteral("粘贴")},
                             {QStringLiteral("新幻灯片"), QStringLiteral("删除幻灯片")},
                             {QStringLiteral("隐藏幻灯片"), QStringLiteral("幻灯片切换"), QStringLiteral("幻灯片设计"),
                              QStringLiteral("背景")}};
    for (const QStringList &group : groups) {
        if (!menu.isEmpty())
            menu.addSeparator();
        for (const QString &id : group)
            if (QAction *action = m_actions.value(id))
                menu.addAction(action);
    }
    execContextMenu(menu, m_slide->mapToGlobal(at));
}

QWidget *EditorWindow::buildNotes(QWidget *parent)
{
    auto *pane = new NotesPane(parent);
    pane->setObjectName(QStringLiteral("notesPane"));
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(2, 2, 2, 2);
    m_notes = new QLineEdit(pane);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setAccessibleName(QStringLiteral("备注"));
    m_notes->setPlaceholderText(QStringLiteral("单击此处添加备注"));
    m_notes->setFrame(false);
    layout->addWidget(m_notes);
    layout->addStretch();
    connect(m_notes, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_session.setText(QStringLiteral("notes"), text);
        report(TaskStep{TaskStep::Kind::Type, QStringLiteral("notes"), text, {}});
        changed();
    });
    return pane;
}

void EditorWindow::buildCentre()
{
    auto *centre = new ShownPart(this);
    auto *content = new QWidget(centre);
    centre->content = content;
    auto *outer = new QVBoxLayout(content);
    outer->setContentsMargins(4, 2, 4, 0);
    outer->setSpacing(3);

    // The task strip: kept at the top so it stays inside the part of the
    // window the practice panel shows.
    m_strip = new TaskStrip(content);
    outer->addWidget(m_strip);

    auto *work = new QHBoxLayout;
    work->setSpacing(4);
    outer->addLayout(work, 1);
    m_outerLayout = outer;
    m_workLayout = work;
    m_leftPane = new QWidget(content);
    m_leftPane->setObjectName(QStringLiteral("leftPane"));
    auto *left = new QVBoxLayout(m_leftPane);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(buildPaneTabs(m_leftPane));
    auto *leftViews = new QHBoxLayout;
    leftViews->setSpacing(0);
    left->addLayout(leftViews, 1);
    work->addWidget(m_leftPane);
    m_slideList = new QListWidget(m_leftPane);
    m_slideList->setObjectName(QStringLiteral("slideList"));
    m_slideList->setAccessibleName(QStringLiteral("幻灯片列表"));
    m_slideList->setFixedWidth(142);
    m_slideList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_slideList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_slideList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_thumbnails = new SlideThumbnails(&m_session.document(), m_slideList);
    m_slideList->setItemDelegate(m_thumbnails);
    leftViews->addWidget(m_slideList);
    buildOutlinePane(m_leftPane, leftViews);
    // The view buttons at the foot of the left pane.
    auto *viewButtons = new QHBoxLayout;
    viewButtons->setContentsMargins(2, 1, 2, 1);
    viewButtons->setSpacing(1);
    for (const auto &[id, name] : {std::pair{"普通", "普通视图"}, std::pair{"幻灯片浏览", "幻灯片浏览视图"},
                                   std::pair{"从当前幻灯片开始", "从当前幻灯片开始幻灯片放映"}}) {
        auto *button = new QToolButton(m_leftPane);
        button->setObjectName(QStringLiteral("viewButton:") + QString::fromUtf8(id));
        button->setAccessibleName(QString::fromUtf8(name));
        button->setToolTip(QString::fromUtf8(name));
        button->setIcon(ToolIcons::icon(QString::fromUtf8(id)));
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, m_actions.value(QString::fromUtf8(id)), &QAction::trigger);
        viewButtons->addWidget(button);
    }
    viewButtons->addStretch();
    left->addLayout(viewButtons);
    // A click selects one slide, Shift or Ctrl with it several; a click on
    // the slide already selected is still the step the guide asks for.
    m_slideList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Slides are dragged to another place; the drop moves them in the
    // document (see eventFilter), the list is redrawn from it.
    m_slideList->setDragDropMode(QAbstractItemView::InternalMove);
    m_slideList->setDefaultDropAction(Qt::MoveAction);
    m_slideList->viewport()->installEventFilter(this);
    m_slideList->installEventFilter(this);   // the drop reaches whichever of the two accepts drops
    connect(m_slideList, &QListWidget::itemSelectionChanged, this, &EditorWindow::slideSelectionChosen);
    connect(m_slideList, &QListWidget::itemClicked, this, &EditorWindow::slideSelectionChosen);
    connect(m_slideList, &QListWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (!listedMasters().isEmpty())
            return;   // the slides' commands are not for the masters listed in their view
        report(TaskStep{TaskStep::Kind::Context, QStringLiteral("list"), {}, {}});
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("listMenu"));
        for (const QString &id : slideListCommands)
            if (QAction *action = m_actions.value(id))
                menu.addAction(action);
        execContextMenu(menu, m_slideList->viewport()->mapToGlobal(at));
    });

    auto *editing = new QVBoxLayout;
    editing->setSpacing(3);
    work->addLayout(editing, 1);
    m_slide = new SlideView(content);
    editing->addWidget(m_slide, 1);
    m_notesPane = buildNotes(content);
    m_notesPane->setFixedHeight(52);
    editing->addWidget(m_notesPane);
    // A click into the master's date, footer or number area puts the caret
    // there: 字体 and the 格式 toolbar act on that area of the master.
    connect(m_slide, &SlideView::masterAreaClicked, this, [this](const QString &part) {
        m_session.setEditing(part);
        if (m_session.editingPart() != part)
            return;
        m_editing = part;
        m_editingSlide = m_session.current();
        report(TaskStep{TaskStep::Kind::Click, part, {}, {}});
        refresh();
    });
    connect(m_slide, &SlideView::edited, this, [this](const QString &part, const QString &text) {
        if (m_refreshing)
            return;
        m_session.setText(part, text);
        report(TaskStep{TaskStep::Kind::Type, part, text, {}});
        if (part == u"title")
            m_slideList->viewport()->update();
        // Notes typed on the notes page are the notes pane's too.
        if (part == u"notes" && m_notes->text() != text)
            m_notes->setText(text);
        changed();
    });
    // Where the caret is in the placeholder being edited: 符号 inserts there,
    // Tab and Shift+Tab act on its paragraph.
    connect(m_slide->titleEdit(), &QTextEdit::cursorPositionChanged, this, [this] {
        if (!m_refreshing && m_slide->titleEdit()->hasFocus() && m_session.editingPart() == u"title")
            caretMoved(m_slide->titleEdit()->textCursor().position());
    });
    connect(m_slide->bodyEdit(), &QTextEdit::cursorPositionChanged, this, [this] {
        if (!m_refreshing && m_slide->bodyEdit()->hasFocus() && m_session.editingPart() == u"body")
            caretMoved(m_slide->bodyEdit()->textCursor().position());
    });
    m_slide->bodyEdit()->levelAsked = [this](int step) {
        BodyEdit *body = m_slide->bodyEdit();
        m_session.setEditing(QStringLiteral("body"));
        m_session.setCaret(body->textCursor().position());
        runWithoutDialog(QStringLiteral("大纲"), {{QStringLiteral("操作"), step > 0 ? QStringLiteral("降级") : QStringLiteral("提升")},
                                                {QStringLiteral("内容"), body->textCursor().block().text().trimmed()}});
    };
    connect(m_slide, &SlideView::textSelected, this, [this](const QString &part, const QString &text, int start) {
        if (m_refreshing)
            return;
        m_session.setSelectedText(part, text, start);
        // The formatting toolbar shows the selected characters' format.
        m_formatBar->showFormat(shownSlide(), m_session.shownFormatObject(formatObject()));
        if (!text.isEmpty())
            report(TaskStep{TaskStep::Kind::SelectText, part, text, {}});
    });
    // In the sorter a double click (or Enter) opens the slide in the normal view.
    connect(m_slide, &SlideView::slideOpened, this, [this](int index) {
        m_session.select(index + 1);
        refresh();
        report(TaskStep{TaskStep::Kind::Select, QString::number(index + 1), {}, {}});
        trigger(QStringLiteral("普通"));
    });
    connect(m_slide, &SlideView::deleteRequested, this, [this] {
        if (m_session.insertionBar() == 0)   // the bar stands for no slide to delete
            trigger(QStringLiteral("删除幻灯片"));
    });
    connect(m_slide, &SlideView::gapClicked, this, [this](int before) {
        m_session.placeInsertionBar(before);
        refresh();
        report(TaskStep{TaskStep::Kind::Click, QStringLiteral("gap %1").arg(before), {}, {}});
        changed();
    });
    connect(m_slide, &SlideView::slidesDropped, this, &EditorWindow::moveSelectedSlides);
    buildShapes();
    // The sorter view selects as the list does.
    connect(m_slide, &SlideView::slideClicked, this, [this](int index, Qt::KeyboardModifiers modifiers) {
        // A slide chosen takes the insertion bar away.
        m_session.placeInsertionBar(0);
        m_slide->setInsertionBar(0);
        if (modifiers & Qt::ShiftModifier) {
            const int from = std::max(0, m_slideList->currentRow());
            QItemSelection range(m_slideList->model()->index(std::min(from, index), 0),
                                 m_slideList->model()->index(std::max(from, index), 0));
            m_slideList->selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
            m_slideList->selectionModel()->setCurrentIndex(m_slideList->model()->index(index, 0),
                                                           QItemSelectionModel::NoUpdate);
            slideSelectionChosen();
            return;
        }
        if (modifiers & Qt::ControlModifier) {
            // Ctrl adds the slide to the slides chosen now, or takes it away
            // from them (a toggle of the list's current item alone left a
            // chosen slide chosen).
            QItemSelection chosen;
            for (int n : m_session.selection())
                chosen.select(m_slideList->model()->index(n - 1, 0), m_slideList->model()->index(n - 1, 0));
            m_slideList->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect);
            m_slideList->selectionModel()->select(m_slideList->model()->index(index, 0), QItemSelectionModel::Toggle);
            m_slideList->selectionModel()->setCurrentIndex(m_slideList->model()->index(index, 0), QItemSelectionModel::NoUpdate);
            slideSelectionChosen();
            return;
        }
        m_slideList->selectionModel()->setCurrentIndex(m_slideList->model()->index(index, 0), QItemSelectionModel::ClearAndSelect);
        slideSelectionChosen();
    });

    for (QObject *watched : {static_cast<QObject *>(m_slide->titleEdit()), static_cast<QObject *>(m_slide->titleEdit()->viewport()),
                             static_cast<QObject *>(m_slide->bodyEdit()), static_cast<QObject *>(m_slide->bodyEdit()->viewport())})
        watched->installEventFilter(this);

    TaskPane::installAccessibility();
    m_taskPane = new TaskPane(content);
    m_taskPane->setFixedWidth(168);
    work->addWidget(m_taskPane);
    connect(m_taskPane, &TaskPane::activated, this, &EditorWindow::taskPaneEntry);
    connect(m_taskPane, &TaskPane::chosen, this, &EditorWindow::paneChosen);
    connect(m_taskPane, &TaskPane::picked, this, &EditorWindow::panePicked);
    connect(m_taskPane, &TaskPane::dialogAsked, this, &EditorWindow::openPaneDialog);
    // The animation pane adds its effects to the object selected on the slide.
    connect(m_slide, &SlideView::shapeClicked, this, [this] {
        m_taskPane->showSlide(m_session.document().slides.at(m_session.current() - 1), m_session.animatedObject());
    });

    // The drawing toolbar along the foot of the part the host shows.
    outer->addWidget(m_toolBars.value(QStringLiteral("绘图")));
    m_status = new StatusStrip(content);
    outer->addWidget(m_status);
    setCentralWidget(centre);
}

void EditorWindow::dockDrawingBar(const QString &where)
{
    QToolBar *bar = m_toolBars.value(QStringLiteral("绘图"));
    m_outerLayout->removeWidget(bar);
    m_workLayout->removeWidget(bar);
    m_drawingDock = where;
    const bool down = where == u"左侧" || where == u"右侧";
    bar->setOrientation(down ? Qt::Vertical : Qt::Horizontal);
    if (down)
        m_workLayout->insertWidget(where == u"左侧" ? 0 : m_workLayout->count(), bar);
    else if (where == u"顶部")
        m_outerLayout->insertWidget(m_outerLayout->indexOf(m_strip) + 1, bar);
    else
        m_outerLayout->insertWidget(m_outerLayout->indexOf(m_status), bar);
}

void EditorWindow::drawingBarDropped(const QPoint &global)
{
    // The edge nearest to where the handle was let go, if it was let go near one.
    QWidget *content = m_strip->parentWidget();
    const QPoint at = content->mapFromGlobal(global);
    const QRect area = content->rect();
    QString where;
    if (at.x() < area.width() / 6)
        where = QStringLiteral("左侧");
    else if (at.x() > area.width() * 5 / 6)
        where = QStringLiteral("右侧");
    else if (at.y() < area.height() / 4)
        where = QStringLiteral("顶部");
    else if (at.y() > area.height() * 3 / 4)
        where = QStringLiteral("底部");
    if (where.isEmpty() || where == m_drawingDock)
        return;
    m_session.run(QStringLiteral("工具栏"), {{QStringLiteral("工具栏"), QStringLiteral("绘图")}, {QStringLiteral("显示"), QStringLiteral("显示")},
                                            {QStringLiteral("位置"), where}}, {});
    report(TaskStep{TaskStep::Kind::Dock, QStringLiteral("绘图"), where, {}});
    refresh();
    changed();
}

void EditorWindow::setGuideEnabled(bool enabled)
{
    m_guideEnabled = enabled;
    if (!enabled) {
        m_strip->setHint({}, {});
        if (m_show)
            m_show->setHint({}, {});
    }
    updateGuide();
}

void EditorWindow::showCompleted()
{
    m_strip->setHint(QStringLiteral("恭喜，本题已完成！"), QColor(0, 100, 0));
    if (m_show)
        m_show->setHint(m_strip->hint(), QColor(0, 100, 0));
}

void EditorWindow::trigger(const QString &commandId)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return;
    report(TaskStep{TaskStep::Kind::Command, commandId, {}, {}});
    const QString route = m_route->route();
    // A presentation saved before is saved again under its name, without asking.
    if (commandId == u"保存" && !m_session.fileName().isEmpty()) {
        const QMap<QString, QString> fields = {{QStringLiteral("文件名"), m_session.fileName()}};
        report(TaskStep{TaskStep::Kind::Field, QStringLiteral("文件名"), m_session.fileName(), {}});
        report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
        runFromDialog(commandId, fields, route);
        return;
    }
    if (PaneSteps::isPane(commandId)) {
        // Where a path still says 确定 right after, showing the pane was it.
        report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
        m_session.showPane(commandId, route);
        refresh();
        changed();
        return;
    }
    if (!spec->hasDialog()) {
        m_session.run(commandId, {}, route);
        refresh();
        // The objects 全选 selected take Delete and the arrow keys now.
        if (spec->effect == CommandSpec::Effect::SelectAll && !m_session.selectedShapes().isEmpty())
            m_slide->setFocus(Qt::OtherFocusReason);
        changed();
        if (spec->effect == CommandSpec::Effect::Show || spec->effect == CommandSpec::Effect::Rehearsal)
            startShow(spec->effect == CommandSpec::Effect::Rehearsal);
        return;
    }
    if (m_dialog) {
        // Replaced by the new dialog, not given up: the guide stays.
        disconnect(m_dialog, &QDialog::rejected, this, nullptr);
        m_dialog->close();
    }
    auto *dialog = new CommandDialog(*spec, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    if (commandId == u"幻灯片版式")
        dialog->setValue(QStringLiteral("版式"), m_session.document().slides.at(m_session.current() - 1).layout);
    dialog->setFolderFiles(m_session.folderFiles());
    // A presentation never saved is offered under the name of its window.
    if (commandId == u"保存" || commandId == u"另存为") {
        const QString name = m_session.fileName();
        dialog->setValue(QStringLiteral("文件名"), name.isEmpty() ? QStringLiteral("演示文稿1") : name);
    }
    connect(dialog, &CommandDialog::fieldChanged, this, [this](const QString &name, const QString &value) {
        report(TaskStep{TaskStep::Kind::Field, name, value, {}});
    });
    // The dialog opens on the object the caret is in, showing what was set
    // before there, on the current slide or in the document.
    const QString object = m_session.editedObject();
    if (spec->field(QStringLiteral("对象")) && !object.isEmpty())
        dialog->setValue(QStringLiteral("对象"), object);
    // With shapes selected (and no caret), the dialog acts on them and shows the first one's values.
    const QStringList shapes = object.isEmpty() ? m_session.selectedShapes() : QStringList();
    if (spec->field(QStringLiteral("对象")) && !shapes.isEmpty())
        dialog->hideField(QStringLiteral("对象"));
    const QMap<QString, QString> current = currentValues(*spec, shapes.isEmpty() ? object : shapes.first());
    for (auto it = current.begin(); it != current.end(); ++it)
        dialog->setValue(it.key(), it.value());
    if (commandId == u"对象格式") {
        // Named after what it formats, with the tabs that apply to it.
        const QString name = selectionName();
        dialog->setWindowTitle(QStringLiteral("设置%1格式").arg(name));
        // Without a selection the dialog asks which object, and keeps every tab.
        const QString last = name == u"图片" || name == u"对象" ? QStringLiteral("图片") : QStringLiteral("文本框");
        if (!object.isEmpty() || !shapes.isEmpty())
            dialog->keepTabs({QStringLiteral("颜色和线条"), QStringLiteral("尺寸"), QStringLiteral("位置"), last});
    }
    if (commandId == u"背景") {
        // The preview starts from the slide as it looks (its template, the
        // master's fill); 预览 shows the dialog's fill on the slide itself
        // until the dialog closes.
        const bool inMaster = !Master::view(m_session.document()).isEmpty();
        dialog->setBaseSlide(inMaster ? shownSlide() : Master::effective(m_session.document(), m_session.current() - 1));
        if (!inMaster) {
            connect(dialog, &CommandDialog::previewAsked, this, [this, dialog] {
                const QMap<QString, QString> values = dialog->values();
                m_previewed = m_session.document();
                QMap<QString, QString> &attributes = m_previewed.slides[m_session.current() - 1].attributes;
                if (const QString fill = values.value(QStringLiteral("填充")); !fill.isEmpty()) {
                    attributes.insert(QStringLiteral("背景.填充"), fill);
                    attributes.insert(QStringLiteral("背景.设置"), values.value(QStringLiteral("设置")));
                }
                if (const QString plain = values.value(QStringLiteral("忽略母版的背景图形")); !plain.isEmpty())
                    attributes.insert(QStringLiteral("背景.忽略母版的背景图形"), plain);
                m_slide->showSlide(m_previewed, m_session.current() - 1, false);
            });
            connect(dialog, &QDialog::finished, this, [this] {
                if (!m_previewed.slides.isEmpty()) {
                    m_previewed = Document();
                    refresh();
                }
            });
        }
    }
    if (commandId == u"字体" && !object.isEmpty()) {
        if (!current.contains(QStringLiteral("中文字体")))
            dialog->setValue(QStringLiteral("中文字体"), QStringLiteral("宋体"));
        if (!current.contains(QStringLiteral("字号")))
            dialog->setValue(QStringLiteral("字号"), QString::number(Session::defaultFontSize(object)));
    }
    // The show's defaults: the speaker's full screen through every slide (从
    // the first 到 the last), the red pen, the rehearsed times where there are any.
    if (commandId == u"设置放映方式") {
        const QMap<QString, QString> whole = {{QStringLiteral("放映类型"), QStringLiteral("演讲者放映（全屏幕）")},
                                              {QStringLiteral("放映幻灯片"), QStringLiteral("全部")}, {QStringLiteral("从"), QStringLiteral("1")},
                                              {QStringLiteral("到"), QString::number(m_session.document().slides.size())},
                                              {QStringLiteral("绘图笔颜色"), QStringLiteral("红色")},
                                              {QStringLiteral("换片方式"), QStringLiteral("如果存在排练时间，则使用它")}};
        for (auto it = whole.begin(); it != whole.end(); ++it)
            if (!current.contains(it.key()))
                dialog->setValue(it.key(), it.value());
    }
    // The text selected in the placeholder is what the dialog formats.
    if (spec->field(QStringLiteral("选中文字")) && !m_session.selectedText().isEmpty())
        dialog->setValue(QStringLiteral("选中文字"), m_session.selectedText());
    // With the caret in a placeholder, these act on it (and on the text
    // selected there): their dialogs ask nothing about it.
    static const QStringList onTheCaret = {QStringLiteral("字体"), QStringLiteral("段落"), QStringLiteral("项目符号和编号"),
                                           QStringLiteral("中文版式"), QStringLiteral("超链接"), QStringLiteral("更改大小写")};
    if (!object.isEmpty() && onTheCaret.contains(commandId)) {
        dialog->hideField(QStringLiteral("对象"));
        dialog->hideField(QStringLiteral("选中文字"));
    }
    connect(dialog, &QDialog::rejected, this, [this] {
        if (m_guide.reopenDialog())
            updateGuideLater();
    });
    // A dialog that asks a question after 确定 was left by 确定 then; the
    // answer is the field step after it.
    connect(dialog, &CommandDialog::questionAsked, this, [this] { report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}}); });
    connect(dialog, &CommandDialog::okClicked, this, [this, dialog, commandId, route] {
        const QMap<QString, QString> fields = dialog->values();
        if (!dialog->asked())
            report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
        runFromDialog(commandId, fields, route);
    });
    // Centred on the part of the window the practice panel shows.
    dialog->adjustSize();
    const QSize size = dialog->size();
    const QPoint centre = mapToGlobal(QPoint(ShownSize.width() / 2, ShownSize.height() / 2));
    const QPoint corner = mapToGlobal(QPoint(0, 0));
    dialog->move(std::max(corner.x(), centre.x() - size.width() / 2), std::max(corner.y(), centre.y() - size.height() / 2 - 12));
    dialog->open();
    updateGuide();
}

QMap<QString, QString> EditorWindow::currentValues(const CommandSpec &spec, const QString &object) const
{
    QMap<QString, QString> values;
    const Slide &slide = Master::redirected(m_session.document(), spec.id, {}, object) ? shownSlide()
                                                                                      : m_session.document().slides.at(m_session.current() - 1);
    const bool onObject = spec.field(QStringLiteral("对象")) != nullptr;
    if (onObject && object.isEmpty())
        return values;
    const QString objectBase = spec.prefix.isEmpty() ? object : spec.prefix + u'.' + object;
    for (const FieldSpec &field : spec.fields) {
        if (field.name == u"对象" || field.name == u"应用范围")
            continue;
        // A flip is an act, not a state the dialog shows: offered again, 确定
        // would mirror the object back.
        if (spec.id == u"旋转或翻转" && field.name == u"翻转")
            continue;
        QString value;
        switch (spec.effect) {
        case CommandSpec::Effect::DocumentSettings:
        case CommandSpec::Effect::ReplaceFont:
        case CommandSpec::Effect::FindReplace:
            value = m_session.document().settings.value(spec.prefix + u'.' + field.name);
            if (value.isEmpty())
                value = Commands::initialValue(spec.id, field.name);
            break;
        case CommandSpec::Effect::SlideAttributes:
        case CommandSpec::Effect::Animation: {
            // The bullet's own colour, size, font and picture (see Session).
            const bool bulletOwn = spec.id == u"项目符号和编号" && field.name != u"项目符号" && field.name != u"起始编号";
            const QString name = bulletOwn ? QStringLiteral("项目符号") + field.name : field.name;
            const QString base = onObject ? objectBase : spec.prefix;
            value = slide.attributes.value(base.isEmpty() ? name : base + u'.' + name);
            // The text selected shows its run's own format where it has one.
            if (onObject && spec.field(QStringLiteral("选中文字")))
                value = slide.attributes.value(m_session.formattedObject(object) + u'.' + name, value);
            break;
        }
        default:
            break;
        }
        if (!value.isEmpty())
            values.insert(field.name, value);
    }
    return values;
}

QWidget *EditorWindow::toolbarControl(const QString &name) const
{
    // The formatting toolbar's boxes by the field they set: its 字体 box is
    // "中文字体", apart from the 字体 button of the common toolbar.
    if (auto *box = findChild<QWidget *>(QStringLiteral("format:") + name); box && box->isVisible())
        return box;
    for (QToolBar *bar : findChildren<QToolBar *>()) {
        if (!bar->isVisible())
            continue;
        for (QAction *action : bar->actions())
            if (action->iconText() == name || action->text() == name || action->toolTip() == name)
                if (QWidget *button = bar->widgetForAction(action))
                    return button;
        for (QWidget *control : bar->findChildren<QWidget *>())
            if (control->accessibleName() == name && control->isVisible())
                return control;
    }
    return nullptr;
}

void EditorWindow::runFromDialog(const QString &commandId, const QMap<QString, QString> &fields, const QString &route)
{
    m_session.run(commandId, fields, route);
    if (commandId == u"动作按钮" && m_drawnButton.first && m_drawnButton.first == m_dialog)
        m_session.setShapeFrame(QStringLiteral("动作按钮"), std::exchange(m_drawnButton, {}).second);
    refresh();
    if (Commands::find(commandId)->effect == CommandSpec::Effect::FindReplace)
        showFound();
    changed();
}

QString EditorWindow::drawingObject(const QString &commandId) const
{
    // The placeholder with the caret, else the object drawn or inserted on
    // the slide (the first there is, a shape before a picture); 字体颜色
    // colours the title when nothing else holds text.
    if (const QString edited = m_session.editedObject(); !edited.isEmpty())
        return edited;
    if (const QStringList shapes = m_session.selectedShapes(); !shapes.isEmpty() && commandId != u"字体")
        return shapes.first();
    const Slide &slide = m_session.document().slides.at(m_session.current() - 1);
    const bool text = commandId == u"字体";
    const QStringList drawn = text ? QStringList{QStringLiteral("文本框"), QStringLiteral("艺术字"), QStringLiteral("自选图形")}
                                   : QStringList{QStringLiteral("自选图形"), QStringLiteral("艺术字"), QStringLiteral("文本框"),
                                                 QStringLiteral("图片"), QStringLiteral("表格"), QStringLiteral("图表"),
                                                 QStringLiteral("组织结构图"), QStringLiteral("影片"), QStringLiteral("声音")};
    for (const QString &object : drawn)
        if (!slide.attributes.value(object).isEmpty())
            return object;
    return text ? formatObject() : QString();
}

void EditorWindow::drawingChosen(const QString &commandId, const QMap<QString, QString> &chosen)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return;
    QMap<QString, QString> fields = chosen;
    if (commandId == u"对齐或分布" && m_alignToSlide)
        fields.insert(QStringLiteral("相对于幻灯片"), QStringLiteral("是"));
    // Several shapes selected: the command takes them all (grouped, lined up together).
    if (spec->field(QStringLiteral("对象")) && m_session.editedObject().isEmpty() && m_session.selectedShapes().size() > 1) {
        runWithoutDialog(commandId, fields);
        return;
    }
    if (spec->field(QStringLiteral("对象"))) {
        const QString object = drawingObject(commandId);
        if (object.isEmpty()) {
            // Nothing on the slide to act on: the dialog asks which object.
            trigger(commandId);
            for (auto it = chosen.begin(); m_dialog && it != chosen.end(); ++it)
                m_dialog->setValue(it.key(), it.value());
            return;
        }
        fields.insert(QStringLiteral("对象"), object);
    }
    runWithoutDialog(commandId, fields);
}

void EditorWindow::drawingOpened(const QString &commandId, const QString &field, const QString &value)
{
    trigger(commandId);
    if (!m_dialog)
        return;
    const CommandSpec *spec = Commands::find(commandId);
    const QString object = drawingObject(commandId);
    if (spec && spec->field(QStringLiteral("对象")) && m_session.editedObject().isEmpty() && !object.isEmpty())
        m_dialog->setValue(QStringLiteral("对象"), object);
    if (!field.isEmpty())
        m_dialog->setValue(field, value);
}

void EditorWindow::showFound()
{
    // The match found is selected in its placeholder, as the candidate would select it.
    const QString part = m_session.editingPart();
    const QString found = m_session.selectedText();
    const int end = m_session.caret();
    if (!found.isEmpty() && end >= found.size()) {
        m_refreshing = true;
        if (part == u"title") {
            m_slide->titleEdit()->setFocus();
            m_slide->titleEdit()->setSelection(end - int(found.size()), int(found.size()));
        } else if (part == u"body") {
            QTextCursor cursor = m_slide->bodyEdit()->textCursor();
            cursor.setPosition(end - int(found.size()));
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            m_slide->bodyEdit()->setFocus();
            m_slide->bodyEdit()->setTextCursor(cursor);
        }
        m_refreshing = false;
    }
    // What the search has to say (nothing found, how many replaced), in a
    // message box over the part of the window the practice panel shows.
    if (m_session.notice().isEmpty())
        return;
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("金山演示"), m_session.notice(), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("searchNotice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box->adjustSize();
    const QPoint centre = mapToGlobal(QPoint(ShownSize.width() / 2, ShownSize.height() / 2));
    box->move(centre - QPoint(box->width() / 2, box->height() / 2));
    box->open();
}

// The task pane's entries do what the editor's do: some at once (told to the
// guide as their command's dialog would be), some by opening that dialog.
void EditorWindow::taskPaneEntry(const QString &entry)
{
    const QString what = entry.section(u':', 1);
    if (entry == u"close") {
        report(TaskStep{TaskStep::Kind::Pane, QStringLiteral("关闭"), {}, {}});
        runWithoutDialog(QStringLiteral("任务窗格"), {{QStringLiteral("任务窗格"), QStringLiteral("关闭")}});
    } else if (entry.startsWith(u"pane:")) {
        report(TaskStep{TaskStep::Kind::Pane, what, {}, {}});
        runWithoutDialog(QStringLiteral("任务窗格"), {{QStringLiteral("任务窗格"), what}});
    } else if (entry == u"link:动画方案" || entry == u"link:设计模板" || entry == u"link:配色方案") {
        // The design pane's views: its templates and schemes, or the animation schemes.
        const QString pane = what == u"动画方案" ? what : QStringLiteral("幻灯片设计");
        report(TaskStep{TaskStep::Kind::Pane, pane, {}, {}});
        runWithoutDialog(QStringLiteral("任务窗格"), {{QStringLiteral("任务窗格"), pane}});
    } else if (entry.startsWith(u"design:")) {
        // A template clicked in the pane goes to every slide.
        paneChosen(QStringLiteral("幻灯片设计"), {{QStringLiteral("设计模板"), what},
                                                {QStringLiteral("应用范围"), QStringLiteral("全部应用")}});
    } else if (entry.startsWith(u"animscheme:")) {
        paneChosen(QStringLiteral("动画方案"), {{QStringLiteral("动画方案"), what}});   // on the selected slides
    } else if (entry == u"button:应用于所有幻灯片") {
        paneChosen(QStringLiteral("动画方案"), {{QStringLiteral("应用范围"), QStringLiteral("全部应用")}});
    } else if (entry.startsWith(u"layout:")) {
        paneChosen(QStringLiteral("幻灯片版式"), {{QStringLiteral("版式"), what}});
    } else if (what == u"空白演示文稿") {
        runWithoutDialog(QStringLiteral("新建"), {{QStringLiteral("模板"), what}});
    } else if (what == u"根据设计模板" || what == u"根据现有演示文稿") {
        openNewDialog(what);
    } else if (what.endsWith(u".dps")) {
        runWithoutDialog(QStringLiteral("打开"), {{QStringLiteral("文件名"), what}});
    } else if (what == u"其他…") {
        trigger(QStringLiteral("打开"));
    } else if (what == u"全部粘贴") {
        runWithoutDialog(QStringLiteral("粘贴"), {});
    } else if (what.startsWith(u"添加效果")) {
        trigger(QStringLiteral("自定义动画"));
    }
}

// 根据设计模板 asks for the template; 根据现有演示文稿 opens the candidate's
// folder to pick the presentation, 创建 making the new one from it.
void EditorWindow::openNewDialog(const QString &from)
{
    const CommandSpec *spec = Commands::find(QStringLiteral("新建"));
    report(TaskStep{TaskStep::Kind::Command, spec->id, {}, {}});
    if (m_dialog)
        m_dialog->close();
    const bool existing = from == u"根据现有演示文稿";
    auto *dialog = new CommandDialog(*spec, this, existing ? PaneSteps::dialogName(spec->id) : QString());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    dialog->setFolderFiles(m_session.folderFiles());
    connect(dialog, &CommandDialog::fieldChanged, this, [this](const QString &name, const QString &value) {
        report(TaskStep{TaskStep::Kind::Field, name, value, {}});
    });
    if (existing)
        dialog->setValue(QStringLiteral("模板"), from);
    else
        dialog->hideField(QStringLiteral("文件名"));
    connect(dialog, &QDialog::rejected, this, &EditorWindow::updateGuideLater);
    connect(dialog, &CommandDialog::okClicked, this, [this, dialog] {
        const QMap<QString, QString> fields = dialog->values();
        report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
        runFromDialog(QStringLiteral("新建"), fields, QStringLiteral("任务窗格"));
    });
    dialog->adjustSize();
    const QPoint centre = mapToGlobal(QPoint(ShownSize.width() / 2, ShownSize.height() / 2));
    const QPoint corner = mapToGlobal(QPoint(0, 0));
    dialog->move(std::max(corner.x(), centre.x() - dialog->width() / 2),
                 std::max(corner.y(), centre.y() - dialog->height() / 2 - 12));
    dialog->open();
    updateGuide();
}

void EditorWindow::runWithoutDialog(const QString &commandId, const QMap<QString, QString> &fields)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return;
    // Told to the guide as the command's dialog with these fields would tell it.
    report(TaskStep{TaskStep::Kind::Command, commandId, {}, {}});
    for (const FieldSpec &field : spec->fields)
        if (fields.contains(field.name))
            report(TaskStep{TaskStep::Kind::Field, field.name, fields.value(field.name), {}});
    if (spec->hasDialog())
        report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
    m_session.run(commandId, fields, m_route->route());
    refresh();
    changed();
}

QString EditorWindow::formatObject() const
{
    const Slide &slide = shownSlide();
    if (m_editing == u"body" && m_editingSlide == m_session.current() && m_slide->bodyEdit()->isVisible())
        return SlideArt::bodyPart(slide);
    if (const QString area = Session::masterArea(m_editing); !area.isEmpty() && m_session.editedObject() == area)
        return area;
    return QStringLiteral("标题");
}

const Slide &EditorWindow::shownSlide() const
{
    // A master view shows the master, and formats it.
    if (!Master::view(m_session.document()).isEmpty() && !m_masterShown.slides.isEmpty())
        return m_masterShown.slides.first();
    return m_session.document().slides.at(m_session.current() - 1);
}

void EditorWindow::pickFormat()
{
    if (m_picked) {   // a second click puts the painter down again
        m_picked.reset();
        m_slide->titleEdit()->viewport()->setCursor(Qt::IBeamCursor);
        m_slide->bodyEdit()->viewport()->setCursor(Qt::IBeamCursor);
        return;
    }
    report(TaskStep{TaskStep::Kind::Command, QStringLiteral("格式刷"), {}, {}});
    m_picked = PickedFormat{m_session.current(), formatObject()};
    const QCursor brush(ToolIcons::icon(QStringLiteral("格式刷")).pixmap(16, 16), 8, 15);
    m_slide->titleEdit()->viewport()->setCursor(brush);
    m_slide->bodyEdit()->viewport()->setCursor(brush);
}

void EditorWindow::caretMoved(int position)
{
    m_session.setCaret(position);
    m_formatBar->showFormat(shownSlide(), m_session.shownFormatObject(formatObject()));
}

void EditorWindow::paintFormat(const QString &part)
{
    if (!m_picked)
        return;
    const PickedFormat picked = *m_picked;
    m_picked.reset();
    m_slide->titleEdit()->viewport()->setCursor(Qt::IBeamCursor);
    m_slide->bodyEdit()->viewport()->setCursor(Qt::IBeamCursor);
    const int target = m_session.current();
    const Slide &slide = m_session.document().slides.at(target - 1);
    const QMap<QString, QString> fields = {
        {QStringLiteral("对象"), picked.object},
        {QStringLiteral("目标幻灯片"), QStringLiteral("第%1张").arg(target)},
        {QStringLiteral("目标对象"), part == u"body" ? SlideArt::bodyPart(slide) : QStringLiteral("标题")},
    };
    for (const QString &name : {QStringLiteral("对象"), QStringLiteral("目标幻灯片"), QStringLiteral("目标对象")})
        report(TaskStep{TaskStep::Kind::Field, name, fields.value(name), {}});
    report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
    // The command copies from the current slide: the picked one is current
    // while it runs, and the candidate stays on the slide painted.
    const QList<int> selected = m_session.selection();
    if (picked.slide != target && picked.slide <= m_session.document().slides.size())
        m_session.select(picked.slide);
    m_session.run(QStringLiteral("格式刷"), fields);
    QList<int> back = selected;
    back.removeOne(target);
    back.append(target);
    m_session.select(back);
    refresh();
    changed();
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_slideList->viewport() || watched == m_slideList) {
        if (event->type() != QEvent::Drop)
            return QMainWindow::eventFilter(watched, event);
        auto *drop = static_cast<QDropEvent *>(event);
        // Copied, as the list sees it: it must not take the rows out itself.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (!listedMasters().isEmpty())
            return true;   // the masters stay as they are
        dropSlides(m_slideList->viewport()->mapFrom(static_cast<QWidget *>(watched), drop->position().toPoint()));
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Keys the text boxes would take for themselves on this platform
        // (Ctrl+E to the line's end, Ctrl+U to delete it…) are the editor's
        // formatting keys.
        static const QList<QKeyCombination> editorKeys = {
            Qt::CTRL | Qt::Key_B, Qt::CTRL | Qt::Key_I, Qt::CTRL | Qt::Key_U, Qt::CTRL | Qt::Key_E,
            Qt::CTRL | Qt::Key_L, Qt::CTRL | Qt::Key_R, Qt::CTRL | Qt::Key_J, Qt::CTRL | Qt::Key_BracketRight,
            Qt::CTRL | Qt::Key_BracketLeft, Qt::CTRL | Qt::Key_M, Qt::CTRL | Qt::Key_K,
        };
        if (editorKeys.contains(static_cast<QKeyEvent *>(event)->keyCombination()))
            return true;   // not accepted: the shortcut goes ahead
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
        && !m_leaveFullScreen->isEnabled() && !m_session.editedObject().isEmpty()) {
        // Esc with the caret in a placeholder: the placeholder itself is
        // selected, as a click on its border does; Delete then takes it away.
        m_session.selectShape(m_session.editedObject());
        m_editing.clear();
        m_slide->setFocus(Qt::OtherFocusReason);
        m_slide->setSelectedShapes(m_session.selectedShapes());
        report(TaskStep{TaskStep::Kind::Key, QStringLiteral("Esc"), {}, {}});
        refresh();
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        const bool inTitle = watched == m_slide->titleEdit() || watched == m_slide->titleEdit()->viewport();
        const QString part = inTitle ? QStringLiteral("title") : QStringLiteral("body");
        m_session.setEditing(part);
        m_slide->setSelectedShapes(m_session.selectedShapes());   // the click went into the text
        m_slide->setMasterArea({});
        if (part != m_editing || m_editingSlide != m_session.current()) {
            m_editing = part;
            m_editingSlide = m_session.current();
            const Slide &slide = m_session.document().slides.at(m_session.current() - 1);
            m_formatBar->showFormat(shownSlide(), m_session.shownFormatObject(formatObject()));
            m_taskPane->showSlide(slide, m_session.animatedObject());
        }
        // The click comes first: the painted format is what it did.
        const bool painting = event->type() == QEvent::MouseButtonPress && m_picked;
        if (event->type() == QEvent::MouseButtonPress)
            report(TaskStep{TaskStep::Kind::Click, part, {}, {}});
        if (painting)
            paintFormat(part);
    }
    return QMainWindow::eventFilter(watched, event);
}

void EditorWindow::dropSlides(const QPoint &at)
{
    // Before the slide under the pointer, or after it in its lower half;
    // below the last one, at the end.
    const QModelIndex index = m_slideList->indexAt(at);
    int before = int(m_session.document().slides.size()) + 1;
    if (index.isValid()) {
        const QRect row = m_slideList->visualRect(index);
        before = index.row() + 1 + (at.y() > row.center().y() ? 1 : 0);
    }
    moveSelectedSlides(before);
}

void EditorWindow::moveSelectedSlides(int before)
{
    if (m_session.moveSlides(m_session.selection(), before)) {
        report(TaskStep{TaskStep::Kind::Drag, QString::number(before), {}, {}});
        refresh();
        changed();
    }
}

void EditorWindow::startShow(bool rehearsal)
{
    if (!m_show) {
        m_show = new SlideShow(&m_session.document(), QRect(QPoint(0, 0), ShownSize), this);
        connect(m_show, &SlideShow::actionTaken, this, &EditorWindow::showActionTaken);
        connect(m_show, &SlideShow::finished, this, [this] {
            refresh();
            updateGuide();
        });
    }
    const bool fromCurrent = m_session.document().settings.value(QStringLiteral("放映")) == u"当前幻灯片";
    m_show->start(fromCurrent && !rehearsal ? m_session.current() - 1 : 0, rehearsal);
    updateGuide();
}

void EditorWindow::showActionTaken(const QString &action)
{
    if (!m_session.runShowAction(action))
        return;
    report(TaskStep{TaskStep::Kind::Show, action, {}, {}});
    changed();
}

void EditorWindow::refresh()
{
    m_refreshing = true;
    const Document &document = m_session.document();
    const int current = m_session.current() - 1;

    // The left pane: shown or closed, thumbnails or outline.
    const QMap<QString, QString> &settings = document.settings;
    // 颜色/灰度: the slide shown in grey, or in black and white, as it would print.
    const QString colours = settings.value(QStringLiteral("颜色/灰度.显示"));
    if (colours == u"灰度" || colours == u"纯黑白") {
        auto *grey = qobject_cast<QGraphicsColorizeEffect *>(m_slide->graphicsEffect());
        if (!grey) {
            grey = new QGraphicsColorizeEffect(m_slide);
            grey->setColor(Qt::black);
            m_slide->setGraphicsEffect(grey);
        }
        grey->setStrength(colours == u"灰度" ? 1.0 : 0.85);
    } else if (m_slide->graphicsEffect()) {
        m_slide->setGraphicsEffect(nullptr);
    }
    // Full screen keeps the menu bar and the slide; Esc leaves it.
    const bool fullScreen = settings.value(QStringLiteral("全屏显示")) == u"1";
    m_leaveFullScreen->setEnabled(fullScreen);
    const bool leftShown = !fullScreen && settings.value(QStringLiteral("左侧窗格.显示")) != u"关闭";
    m_leftPane->setVisible(leftShown);
    // The toolbars: the last one shown or hidden through 工具栏 as it said.
    const QString toolbar = settings.value(QStringLiteral("工具栏.工具栏"));
    if ((m_toolBars.contains(toolbar) || toolbar == u"状态栏") && settings.contains(QStringLiteral("工具栏.显示")))
        m_toolBarShown.insert(toolbar, settings.value(QStringLiteral("工具栏.显示")) != u"隐藏");
    // The drawing toolbar where it was docked last (浮动 is not offered: it stays).
    if (const QString dock = settings.value(QStringLiteral("工具栏.位置"));
        toolbar == u"绘图" && dock != m_drawingDock && dock != u"浮动" && !dock.isEmpty())
        dockDrawingBar(dock);
    const bool statusShown = m_toolBarShown.value(QStringLiteral("状态栏"), true);
    m_status->setVisible(statusShown && !fullScreen);
    m_statusTick->setChecked(statusShown);
    for (auto it = m_toolBars.begin(); it != m_toolBars.end(); ++it) {
        if (qobject_cast<ObjectBar *>(it.value()))
            continue;   // with the selection (updateObjectBars)
        const bool shownBar = m_toolBarShown.value(it.key(), it.key() == u"常用" || it.key() == u"格式" || it.key() == u"绘图");
        it.value()->setVisible(shownBar && !fullScreen);
        m_toolBarTicks.value(it.key())->setChecked(shownBar);
    }
    updateObjectBars();
    m_rulerTick->setChecked(settings.value(QStringLiteral("标尺.显示")) == u"显示");
    const QString zoom = settings.value(QStringLiteral("显示比例.比例"), settings.value(QStringLiteral("显示比例")));
    if (m_zoom->currentText() != zoom)
        m_zoom->setCurrentText(zoom);
    // The 大纲 tab shows the outline in place of the slide list.
    const bool outline = settings.value(QStringLiteral("左侧窗格.选项卡")) == u"大纲";
    m_outlineTab->setChecked(outline);
    m_outlineTick->setChecked(outline && leftShown);
    m_slidesTab->setChecked(!outline);
    m_slideList->setVisible(!outline);
    m_outlinePane->setVisible(outline);
    if (outline && leftShown)
        m_outlinePane->showDocument(document);
    // In the slide master view the list holds the masters (the title master
    // once there is one) in place of the slides.
    const QStringList masters = listedMasters();
    if (masters.isEmpty()) {
        m_thumbnails->setDocument(&document);
    } else {
        m_masterList = Document();
        m_masterList.settings = settings;
        // The slide master's objects lie behind both pictures, as behind
        // the slides: the title master shows them under its own.
        Master::setObjects(m_masterList.settings, QStringLiteral("标题母版"), Slide());
        const Slide slideMasterObjects = Master::objects(document, QStringLiteral("幻灯片母版"));
        for (const QString &each : masters) {
            Document shownAs = document;
            shownAs.settings.insert(QStringLiteral("视图"), each);
            Slide picture = Master::shown(shownAs).slides.first();
            if (each == u"幻灯片母版")
                for (auto it = slideMasterObjects.attributes.begin(); it != slideMasterObjects.attributes.end(); ++it)
                    picture.attributes.remove(it.key());
            m_masterList.slides << picture;
        }
        m_thumbnails->setDocument(&m_masterList);
    }
    const Document &listed = masters.isEmpty() ? document : m_masterList;
    while (m_slideList->count() > listed.slides.size())
        delete m_slideList->item(m_slideList->count() - 1);
    while (m_slideList->count() < listed.slides.size())
        m_slideList->addItem(QString());
    for (int i = 0; i < listed.slides.size(); ++i) {
        const QString name = masters.isEmpty() ? EditorAccess::slideName(i + 1, document.slides.at(i).title) : masters.at(i);
        m_slideList->item(i)->setText(masters.isEmpty() ? QStringLiteral("%1 %2").arg(i + 1).arg(document.slides.at(i).title) : name);
        m_slideList->item(i)->setData(Qt::AccessibleTextRole, name);
    }
    m_slideList->doItemsLayout();
    // The list is left alone when it shows the selection already, so that
    // a Shift-click keeps the slide it extends from.
    QList<int> shown;
    for (const QListWidgetItem *item : m_slideList->selectedItems())
        shown << m_slideList->row(item) + 1;
    std::sort(shown.begin(), shown.end());
    const int currentRow = masters.isEmpty() ? current : std::max(0, int(masters.indexOf(Master::view(document))));
    const QList<int> selectedRows = masters.isEmpty() ? m_session.selection() : QList<int>{currentRow + 1};
    if (m_slideList->currentRow() != currentRow || shown != selectedRows) {
        // The slides (or the master under edit) the session chooses, and no
        // other left over from before (the insertion bar placed, slides cut).
        m_slideList->clearSelection();
        m_slideList->setCurrentRow(currentRow);
        for (int n : selectedRows)
            m_slideList->item(n - 1)->setSelected(true);
    }
    m_slideList->viewport()->update();

    const QString view = settings.value(QStringLiteral("视图"));
    // A master view shows the master in the slide area, and its toolbar.
    const QString master = Master::view(document);
    m_slide->setMaster(master);
    if (master.isEmpty() && view == u"备注页") {
        m_slide->showNotesPage(document, current);   // its notes typed in the notes pane below
    } else if (master.isEmpty()) {
        m_slide->showSlide(document, current, view == u"幻灯片浏览");
        m_slide->setInsertionBar(m_session.insertionBar());
    } else {
        m_masterShown = Master::shown(document);
        m_slide->showSlide(m_masterShown, 0, false);
    }
    m_slide->setMasterArea(m_session.editingPart());
    m_masterBar->showFor(master, settings.value(QStringLiteral("母版.讲义幻灯片数")));
    m_masterBar->setVisible(!master.isEmpty() && !fullScreen);
    // A master view greys what makes slides or puts on one what a master does not hold.
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it)
        if (const CommandSpec *spec = Commands::find(it.key()); spec && (spec->menu == u"插入" || spec->marksObject))
            it.value()->setEnabled(!Master::greyed(document, it.key()));
    m_slide->setSelectedShapes(m_session.selectedShapes());
    // The caret stays where the session has it (after an inserted symbol, say).
    if (const int caret = m_session.caret(); caret >= 0) {
        if (m_session.editingPart() == u"title" && m_slide->titleEdit()->textCursor().position() != caret) {
            m_slide->titleEdit()->setCursorPosition(caret);
        } else if (m_session.editingPart() == u"body" && m_slide->bodyEdit()->textCursor().position() != caret) {
            QTextCursor cursor = m_slide->bodyEdit()->textCursor();
            cursor.setPosition(std::min(caret, int(m_slide->bodyEdit()->document()->characterCount()) - 1));
            m_slide->bodyEdit()->setTextCursor(cursor);
        }
    }
    const Slide &slide = document.slides.at(current);
    if (m_notes->text() != slide.notes)
        m_notes->setText(slide.notes);
    m_notesPane->setVisible(view != u"幻灯片浏览" && master.isEmpty() && !fullScreen);

    const QString pane = settings.value(QStringLiteral("任务窗格.任务窗格"));
    m_taskPane->setVisible(pane != u"关闭" && !fullScreen);
    if (QAction *tick = m_actions.value(QStringLiteral("任务窗格"))) {   // 视图 → 任务窗格 is a tick item
        tick->setCheckable(true);
        tick->setChecked(pane != u"关闭");
    }
    m_taskPane->showSlide(slide, m_session.animatedObject());
    m_taskPane->setPane(pane.isEmpty() ? QStringLiteral("新建演示文稿") : pane, slide.layout);

    m_formatBar->showFormat(shownSlide(), m_session.shownFormatObject(formatObject()));
    updateUndoActions();

    // A master view's status names the master shown, not a slide of the presentation.
    m_status->setTexts(master.isEmpty() ? QStringLiteral("幻灯片 %1 / %2    %3").arg(current + 1).arg(document.slides.size()).arg(slide.layout)
                                        : master,
                       (view.isEmpty() ? QStringLiteral("普通") : view) + QStringLiteral("视图"));
    m_refreshing = false;
}

QStringList EditorWindow::listedMasters() const
{
    const Document &document = m_session.document();
    if (!Session::shownMasterAreas(document))
        return {};
    QStringList masters = {QStringLiteral("幻灯片母版")};
    if (Master::view(document) == u"标题母版" || document.settings.value(QStringLiteral("母版.有标题母版")) == u"是")
        masters << QStringLiteral("标题母版");
    return masters;
}

void EditorWindow::slideSelectionChosen()
{
    if (m_refreshing)
        return;
    // A master of the master view's list: the view shows that one.
    if (const QStringList masters = listedMasters(); !masters.isEmpty()) {
        const QString chosen = masters.value(m_slideList->currentRow());
        if (!chosen.isEmpty() && chosen != Master::view(m_session.document()))
            trigger(chosen);
        else
            refresh();   // the list shows the master under edit again
        return;
    }
    QList<int> slides;
    for (const QListWidgetItem *item : m_slideList->selectedItems())
        slides << m_slideList->row(item) + 1;
    if (slides.isEmpty())
        return;  // Ctrl took the last one away: the slide under edit stays
    std::sort(slides.begin(), slides.end());
    const QString chosen = Document::slideNumbersText(slides);
    // The slide clicked last is the one under edit.
    const int clicked = m_slideList->currentRow() + 1;
    // A click that leaves the selection as it was (the list reports a click
    // after the change it made) has nothing to redraw.
    if (slides != m_session.selection() || clicked != m_session.current()) {
        if (slides.contains(clicked)) {
            slides.removeOne(clicked);
            slides.append(clicked);
        }
        m_session.select(slides);
        refresh();
    }
    report(TaskStep{TaskStep::Kind::Select, chosen, {}, {}});
    changed();  // the selection itself may be what the task asks for
}

void EditorWindow::changed()
{
    updateUndoActions();
    emit documentChanged(m_task.isMet(m_session.document()));
    // The candidate may have gone another way than the guide's: it plans
    // again from the document as it is now.
    if (m_guideEnabled)
        updateGuideLater();
}

void EditorWindow::updateUndoActions()
{
    // Greyed, menu entry and toolbar button alike, while there is nothing to
    // take back or bring back.
    if (QAction *undo = m_actions.value(QStringLiteral("撤销")))
        undo->setEnabled(m_session.canUndo());
    if (QAction *redo = m_actions.value(QStringLiteral("恢复")))
        redo->setEnabled(m_session.canRedo());
}

void EditorWindow::report(const TaskStep &action)
{
    if (m_refreshing)
        return;
    if (m_guide.report(action))
        updateGuideLater();
}

// The guide shows its new step after the control has finished reacting: a
// menu that is opening or closing must not be disturbed meanwhile.
void EditorWindow::updateGuideLater()
{
    QTimer::singleShot(0, this, [this] { updateGuide(); });
}

std::function<QRect()> EditorWindow::menuTitleArea(QMenu *menu) const
{
    return [bar = menuBar(), title = menu->menuAction()] { return bar->actionGeometry(title); };
}

void EditorWindow::markMenuWay(QMenu *menu, QAction *entry, QWidget **target, std::function<QRect()> *area)
{
    const QList<TaskStep> ahead = m_guide.ahead();
    QAction *way = entry && menu->actions().contains(entry) ? entry : wayIn(menu, ahead, false);
    while (way && way->menu()) {
        // The guide follows the submenu as it opens and closes.
        QMenu *submenu = way->menu();
        connect(submenu, &QMenu::aboutToShow, this, &EditorWindow::updateGuideLater, Qt::UniqueConnection);
        connect(submenu, &QMenu::aboutToHide, this, &EditorWindow::updateGuideLater, Qt::UniqueConnection);
        QAction *inside = submenu->isVisible() ? wayIn(submenu, ahead, true) : nullptr;
        if (!inside)
            break;
        menu = submenu;
        way = inside;
    }
    if (!way)
        return;
    // Made active (which opens a submenu at once) only the first time: the
    // candidate's pointer moves the highlight on, the frame stays.
    const std::pair<QPointer<QMenu>, QPointer<QAction>> marked{menu, way};
    if (!m_markedEntries.contains(marked)) {
        m_markedEntries.append(marked);
        menu->setActiveAction(way);
    }
    *target = menu;
    *area = [menu, way] { return menu->actionGeometry(way); };
}

void EditorWindow::execContextMenu(QMenu &menu, const QPoint &at)
{
    m_contextMenu = &menu;
    menu.exec(at);
    m_guide.reopenContextMenu();
    updateGuideLater();
}

void EditorWindow::updateGuide()
{
    delete m_mark;
    m_markedEntries.removeIf([](const auto &marked) { return !marked.first || !marked.first->isVisible(); });
    if (!m_guideEnabled)
        return;
    if (!(m_dialog && m_dialog->isVisible()) && !m_task.isMet(m_session.document())
        && !m_guide.leadsToGoal(m_task, m_session))
        m_guide.replan(m_task, m_session);
    const TaskStep *step = m_guide.current();
    // A field the dialog already shows as asked needs nothing more.
    while (step && step->kind == TaskStep::Kind::Field && m_dialog && m_dialog->isVisible()
           && m_dialog->values().value(step->arg) == step->value.trimmed() && m_guide.report(*step))
        step = m_guide.current();
    if (m_show) {
        // The show hides the strip: it repeats the hint at its bottom.
        m_show->setAwaited(step && step->kind == TaskStep::Kind::Show ? step->arg : QString());
        if (!step && !m_task.isMet(m_session.document()))
            m_show->setHint(QStringLiteral("提示：请检查操作结果是否符合题目要求。"), QColor(192, 0, 0));
        else if (step)
            m_show->setHint(QStringLiteral("第%1步：%2").arg(m_guide.position() + 1).arg(step->hint), QColor(192, 0, 0));
    }
    if (!step) {
        if (!m_task.isMet(m_session.document()))
            m_strip->setHint(QStringLiteral("提示：请检查操作结果是否符合题目要求。"), QColor(192, 0, 0));
        return;
    }
    // A dialog field is named as the open dialog shows it, not as the task
    // file names it.
    const QString dialogHint = step->kind == TaskStep::Kind::Field && m_dialog
                                   ? m_dialog->fieldHint(step->arg, step->value) : QString();
    const QString hint = QStringLiteral("第%1步：%2").arg(m_guide.position() + 1)
                             .arg(dialogHint.isEmpty() ? step->hint : dialogHint);
    m_strip->setHint(hint, QColor(192, 0, 0));
    if (m_dialog)
        m_dialog->setGuideHint(hint);
    QWidget *target = nullptr;
    std::function<QRect()> area;
    switch (step->kind) {
    case TaskStep::Kind::Menu:
        if (QMenu *menu = m_menus.value(step->arg)) {
            target = menuBar();
            area = menuTitleArea(menu);
        }
        break;
    case TaskStep::Kind::Command:
        if (QAction *action = m_actions.value(step->arg)) {
            const CommandSpec *spec = Commands::find(step->arg);
            QMenu *menu = spec ? m_menus.value(spec->menu) : nullptr;
            const TaskStep *before = m_guide.previous();
            if (before && before->kind == TaskStep::Kind::Context) {
                // The context menu is open: the way to the command in it is
                // marked as in the menus. Closed, the guide went back to the
                // right click (execContextMenu).
                if (m_contextMenu && m_contextMenu->isVisible())
                    markMenuWay(m_contextMenu, nullptr, &target, &area);
            } else if (before && before->kind == TaskStep::Kind::Toolbar) {
                // The toolbar button's list is open: its entry for the value
                // asked is marked (or the submenu holding it); closed again,
                // the way starts at the button once more.
                const auto [entry, value] = toolbarChoice(m_guide.ahead());
                if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                    markMenuWay(popup, nullptr, &target, &area);
                    // A colour the list does not offer is mixed in the 颜色 dialog, which 其他颜色 opens.
                    const QString other = entry.section(u':', 0, 1) + u':';
                    for (QAction *item : !target && !value.isEmpty() ? popup->actions() : QList<QAction *>())
                        if (item->objectName() == other)
                            markMenuWay(popup, item, &target, &area);
                } else if (ColourDialog *colours = openColourDialog(this)) {
                    target = colours->control(value);
                } else if (m_slide->drawingBox()) {
                    // The entry chose what to draw: it is drawn on the slide.
                    target = m_slide;
                    area = [slide = m_slide] { return slide->slideRect().toRect(); };
                } else {
                    target = toolbarControl(before->arg);
                    area = arrowUnlessShown(target, value);
                }
            } else if (m_guide.methodName() == u"任务窗格" && (!before || before->kind != TaskStep::Kind::Menu)
                       && !m_taskPane->entryRect(TaskPane::entryFor(step->arg)).isEmpty()) {
                // The task pane's way: its entry that leads to the command.
                target = m_taskPane;
                area = [pane = m_taskPane, id = step->arg] { return pane->entryRect(TaskPane::entryFor(id)); };
            } else if (QWidget *button = findChild<QWidget *>(QStringLiteral("viewButton:") + step->arg);
                       m_guide.methodName() == u"视图按钮" && button && button->isVisible()
                       && (!before || before->kind != TaskStep::Kind::Menu)) {
                target = button;   // the view buttons at the foot of the slide list
            } else if (m_guide.methodName() == u"工具栏" && (!before || before->kind != TaskStep::Kind::Menu)) {
                // The toolbar's way: its button.
                for (QToolBar *bar : std::as_const(m_toolBars))
                    if (QWidget *button = bar->isVisible() ? bar->widgetForAction(action) : nullptr)
                        target = button;
            } else if (menu && menu->isVisible()) {
                // 状态栏 is ticked in 视图 itself, not in 工具栏 ▸.
                const QList<TaskStep> ahead = m_guide.ahead();
                const bool status = step->arg == u"工具栏" && std::any_of(ahead.begin(), ahead.end(), [](const TaskStep &next) {
                    return next.kind == TaskStep::Kind::Field && next.arg == u"工具栏" && next.value.trimmed() == u"状态栏";
                });
                markMenuWay(menu, status ? m_statusTick : m_standIns.value(step->arg, action), &target, &area);
            } else if (menu && (step->hint.startsWith(u"单击") || (before && before->kind == TaskStep::Kind::Menu))) {
                // The menu was closed again: the way to the command starts
                // at the menu's title once more (a submenu's way too: "指向…").
                target = menuBar();
                area = menuTitleArea(menu);
            }
        }
        break;
    case TaskStep::Kind::Field:
        if (m_slide->drawingBox() && !(m_dialog && m_dialog->isVisible())) {
            // What is drawn next (an action button) is drawn on the slide before its dialog asks the rest.
            target = m_slide;
            area = [slide = m_slide] { return slide->slideRect().toRect(); };
        } else if (ColourDialog *colours = openColourDialog(this)) {
            target = colours->control(step->value);   // 其他颜色 of the field's box opened it
        } else if (m_dialog && m_dialog->isVisible()) {
            target = m_dialog->revealField(step->arg);
            if (!target)   // a value the dialog takes by the button that closes it
                target = m_dialog->acceptButton(step->value);
        } else {
            markPaneField(*step, &target, &area);
        }
        break;
    case TaskStep::Kind::Ok:
        if (m_dialog)
            target = m_dialog->okButton();
        break;
    case TaskStep::Kind::Select:
    case TaskStep::Kind::Drag:
        // In the sorter view the slides are chosen and dragged there; in the
        // 大纲 tab by their icons in the outline.
        if (m_session.document().settings.value(QStringLiteral("视图")) == u"幻灯片浏览") {
            target = m_slide;
            if (step->kind == TaskStep::Kind::Drag) {
                // Where the chosen slides are to be dropped.
                area = [slide = m_slide, before = step->arg.toInt()] { return slide->gapRect(before).toRect(); };
            } else if (const QList<int> slides = Document::slideNumbers(step->arg); !slides.isEmpty()) {
                // The next slide to click: the first of them not chosen yet
                // (the first when the choice holds others besides).
                const QList<int> chosen = m_session.insertionBar() > 0 ? QList<int>{} : m_session.selection();
                int next = slides.first();
                if (std::all_of(chosen.begin(), chosen.end(), [&slides](int n) { return slides.contains(n); }))
                    for (int n : slides)
                        if (!chosen.contains(n)) {
                            next = n;
                            break;
                        }
                area = [slide = m_slide, next] { return slide->sorterCell(next - 1).toRect(); };
            }
        } else if (m_outlinePane->isVisible()) {
            target = m_outlinePane->viewport();
            const QList<int> slides = Document::slideNumbers(step->arg);
            if (step->kind == TaskStep::Kind::Select && !slides.isEmpty())
                area = [this, slide = slides.first()] { return m_outlinePane->slideIconRect(slide); };
        } else {
            target = m_slideList;
        }
        break;
    case TaskStep::Kind::Show:
    case TaskStep::Kind::Key:
        break;
    case TaskStep::Kind::Toolbar:
        target = toolbarControl(step->arg);
        area = arrowUnlessShown(target, toolbarChoice(m_guide.ahead()).second);
        break;
    case TaskStep::Kind::Pane:
        markPaneSwitch(*step, &target, &area);
        break;
    case TaskStep::Kind::Dock:
        // The handle at the toolbar's start, to be dragged to the edge.
        if (auto *bar = m_toolBars.value(step->arg))
            target = bar->findChild<QWidget *>(QStringLiteral("grip:") + step->arg);
        break;
    case TaskStep::Kind::SelectText:
        if (step->arg == u"outline" && m_outlinePane->isVisible()) {
            target = m_outlinePane->viewport();
            area = [this, text = step->value] { return m_outlinePane->textRect(m_session.current(), text); };
            break;
        }
        [[fallthrough]];
    case TaskStep::Kind::Click:
    case TaskStep::Kind::Context:
        if (!Session::masterArea(step->arg).isEmpty())   // an area the master view paints
            area = [slide = m_slide, part = step->arg] { return slide->masterArea(part).toRect(); };
        target = step->arg == u"title" ? static_cast<QWidget *>(m_slide->titleEdit())
               : step->arg == u"body"  ? static_cast<QWidget *>(m_slide->bodyEdit())
               : step->arg == u"list"  ? static_cast<QWidget *>(m_slideList)
                                       : static_cast<QWidget *>(m_slide);
        if (!area && !Shapes::kindOf(step->arg).isEmpty())   // a shape right-clicked: the shape, not the slide
            area = [slide = m_slide, name = step->arg] { return slide->shapeRect(name); };
        if (step->arg.startsWith(u"gap "))   // the sorter's gap where the insertion bar goes
            area = [slide = m_slide, before = step->arg.mid(4).toInt()] { return slide->gapRect(before).toRect(); };
        if (step->arg == u"sorter")   // the insertion bar, else the slide chosen
            area = [this] {
                const int bar = m_session.insertionBar();
                return (bar > 0 ? m_slide->gapRect(bar) : m_slide->sorterCell(m_session.current() - 1)).toRect();
            };
        break;
    case TaskStep::Kind::Type:
        if (m_outlinePane->isVisible() && (step->arg == u"title" || step->arg == u"body")) {
            target = m_outlinePane->viewport();   // typed in the outline
            break;
        }
        target = step->arg == u"title" ? static_cast<QWidget *>(m_slide->titleEdit())
               : step->arg == u"body"  ? static_cast<QWidget *>(m_slide->bodyEdit())
               : step->arg == u"notes" ? static_cast<QWidget *>(m_notes)
                                       : static_cast<QWidget *>(m_slide);
        if (target == m_slide)
            area = [slide = m_slide, name = step->arg] { return slide->shapeRect(name); };
        break;
    case TaskStep::Kind::Shape:
    case TaskStep::Kind::Move:
    case TaskStep::Kind::Resize:
        // The shape to click, drag or size on the slide.
        target = m_slide;
        area = [slide = m_slide, name = step->arg.section(u',', 0, 0)] { return slide->shapeRect(name); };
        break;
    case TaskStep::Kind::DrawBox:
        target = m_slide;
        area = [slide = m_slide] { return slide->slideRect().toRect(); };
        break;
    case TaskStep::Kind::Rotate:
        // The green handle of the shape, once it is selected; the shape till then.
        target = m_slide;
        area = [slide = m_slide, name = step->arg] {
            const QRect handle = slide->rotationHandle(name);
            return handle.isEmpty() ? slide->shapeRect(name) : handle.adjusted(-3, -3, 3, 3);
        };
        break;
    }
    if (target)
        m_mark = new GuideMark(target, area);
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    // A close from the host must not wait behind an open dialog.
    if (m_dialog)
        m_dialog->close();
    event->accept();
}
