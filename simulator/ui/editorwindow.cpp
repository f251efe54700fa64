#include "editorwindow.h"

#include "commanddialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QColor colourNamed(const QString &name, const QColor &fallback)
{
    static const QMap<QString, QColor> colours = {
        {QStringLiteral("黑色"), Qt::black}, {QStringLiteral("红色"), QColor(220, 0, 0)},
        {QStringLiteral("蓝色"), QColor(0, 60, 220)}, {QStringLiteral("绿色"), QColor(0, 150, 60)},
        {QStringLiteral("黄色"), QColor(240, 220, 0)}, {QStringLiteral("白色"), Qt::white},
        {QStringLiteral("灰色"), Qt::gray}, {QStringLiteral("深蓝色"), QColor(0, 0, 128)},
        {QStringLiteral("深红色"), QColor(128, 0, 0)}, {QStringLiteral("浅黄色"), QColor(255, 255, 190)},
        {QStringLiteral("浅绿色"), QColor(200, 240, 200)}, {QStringLiteral("浅蓝色"), QColor(200, 220, 255)},
        {QStringLiteral("浅灰色"), QColor(225, 225, 225)}, {QStringLiteral("橙色"), QColor(255, 150, 0)},
        {QStringLiteral("金色"), QColor(230, 190, 60)},
    };
    for (auto it = colours.begin(); it != colours.end(); ++it)
        if (name.contains(it.key()))
            return it.value();
    return fallback;
}

QString styleFor(const Slide &slide, const QString &part, int defaultSize)
{
    const auto attr = [&](const char *key) { return slide.attributes.value(part + u'.' + QString::fromUtf8(key)); };
    QString style = QStringLiteral("border: 1px dashed #999; background: transparent;");
    const QString family = attr("中文字体");
    if (!family.isEmpty())
        style += QStringLiteral("font-family: '%1';").arg(family);
    const int size = attr("字号").toInt();
    style += QStringLiteral("font-size: %1px;").arg(size > 0 ? size * 2 / 3 : defaultSize);
    const QString shape = attr("字形");
    if (shape.contains(u"加粗"))
        style += QStringLiteral("font-weight: bold;");
    if (shape.contains(u"倾斜"))
        style += QStringLiteral("font-style: italic;");
    if (attr("下划线") == u"单线")
        style += QStringLiteral("text-decoration: underline;");
    style += QStringLiteral("color: %1;").arg(colourNamed(attr("颜色"), Qt::black).name());
    return style;
}

const QStringList slideListCommands = {
    QStringLiteral("新幻灯片"), QStringLiteral("删除幻灯片"), QStringLiteral("幻灯片副本"),
    QStringLiteral("剪切"), QStringLiteral("复制"), QStringLiteral("粘贴"), QStringLiteral("幻灯片版式"),
    QStringLiteral("背景"), QStringLiteral("幻灯片设计"), QStringLiteral("幻灯片切换"), QStringLiteral("隐藏幻灯片"),
};

} // namespace

EditorWindow::EditorWindow(QWidget *parent)
    : QMainWindow(parent), m_guide({})
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
    m_guide = Guide(task.steps);
    buildMenus();
    buildToolBar();
    buildCentre();
    m_taskLabel->setText(QStringLiteral("要求：") + (task.text.isEmpty() ? taskProblem : task.text));
    refresh();
}

void EditorWindow::buildMenus()
{
    for (const QString &title : Commands::menus()) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QStringLiteral("menu:") + title);
        m_menus.insert(title, menu);
        connect(menu, &QMenu::aboutToShow, this, [this, title] {
            report(TaskStep{TaskStep::Kind::Menu, title, {}, {}});
        });
    }
    for (const CommandSpec &spec : Commands::all()) {
        QMenu *menu = m_menus.value(spec.menu);
        QAction *action = menu->addAction(spec.hasDialog() ? spec.id + QStringLiteral("…") : spec.id);
        action->setObjectName(QStringLiteral("command:") + spec.id);
        if (!spec.shortcut.isEmpty())
            action->setShortcut(QKeySequence(spec.shortcut));
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
    for (const char *id : {"新建", "打开", "保存", "打印", "剪切", "复制", "粘贴", "撤销", "新幻灯片",
                           "字体", "背景", "幻灯片设计", "自定义动画", "幻灯片切换", "观看放映"}) {
        QAction *action = m_actions.value(QString::fromUtf8(id));
        if (action)
            bar->addAction(action);
    }
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont small = bar->font();
    small.setPointSize(8);
    bar->setFont(small);
}

void EditorWindow::buildCentre()
{
    auto *centre = new QWidget(this);
    auto *outer = new QVBoxLayout(centre);
    outer->setContentsMargins(4, 2, 4, 2);
    outer->setSpacing(3);

    // The task strip: kept at the top so it stays inside the part of the
    // window the practice panel shows.
    auto *strip = new QFrame(centre);
    strip->setObjectName(QStringLiteral("taskStrip"));
    strip->setStyleSheet(QStringLiteral("#taskStrip { background: #fff8dc; border: 1px solid #d0b060; }"));
    strip->setFixedWidth(790);
    auto *stripLayout = new QVBoxLayout(strip);
    stripLayout->setContentsMargins(6, 3, 6, 3);
    stripLayout->setSpacing(1);
    m_taskLabel = new QLabel(strip);
    m_taskLabel->setWordWrap(true);
    m_hintLabel = new QLabel(strip);
    m_hintLabel->setObjectName(QStringLiteral("hint"));
    m_hintLabel->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    m_hintLabel->hide();
    stripLayout->addWidget(m_taskLabel);
    stripLayout->addWidget(m_hintLabel);
    outer->addWidget(strip);

    auto *work = new QHBoxLayout;
    outer->addLayout(work, 1);
    m_slideList = new QListWidget(centre);
    m_slideList->setObjectName(QStringLiteral("slideList"));
    m_slideList->setFixedWidth(150);
    m_slideList->setContextMenuPolicy(Qt::CustomContextMenu);
    work->addWidget(m_slideList);
    connect(m_slideList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_refreshing || row < 0)
            return;
        m_session.select(row + 1);
        refresh();
        report(TaskStep{TaskStep::Kind::Select, QString::number(row + 1), {}, {}});
    });
    connect(m_slideList, &QListWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        for (const QString &id : slideListCommands)
            menu.addAction(m_actions.value(id));
        menu.exec(m_slideList->viewport()->mapToGlobal(at));
    });

    auto *editing = new QVBoxLayout;
    work->addLayout(editing, 1);
    m_slide = new QFrame(centre);
    m_slide->setObjectName(QStringLiteral("slide"));
    m_slide->setFixedSize(560, 390);
    auto *slideLayout = new QVBoxLayout(m_slide);
    slideLayout->setContentsMargins(30, 30, 30, 20);
    m_title = new QLineEdit(m_slide);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setPlaceholderText(QStringLiteral("单击此处添加标题"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setMinimumHeight(60);
    m_body = new QTextEdit(m_slide);
    m_body->setObjectName(QStringLiteral("body"));
    m_body->setPlaceholderText(QStringLiteral("单击此处添加文本"));
    m_body->setAcceptRichText(false);
    m_objects = new QLabel(m_slide);
    m_objects->setObjectName(QStringLiteral("objects"));
    m_objects->setStyleSheet(QStringLiteral("color: #555;"));
    slideLayout->addWidget(m_title);
    slideLayout->addWidget(m_body, 1);
    slideLayout->addWidget(m_objects);
    editing->addWidget(m_slide);
    m_notes = new QLineEdit(centre);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setPlaceholderText(QStringLiteral("单击此处添加备注"));
    m_notes->setFixedWidth(560);
    editing->addWidget(m_notes);
    editing->addStretch();
    work->addStretch();

    connect(m_title, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_session.setText(QStringLiteral("title"), text);
        report(TaskStep{TaskStep::Kind::Type, QStringLiteral("title"), text, {}});
        changed();
    });
    connect(m_body, &QTextEdit::textChanged, this, [this] {
        if (m_refreshing)
            return;
        m_session.setText(QStringLiteral("body"), m_body->toPlainText());
        report(TaskStep{TaskStep::Kind::Type, QStringLiteral("body"), m_body->toPlainText(), {}});
        changed();
    });
    connect(m_notes, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_session.setText(QStringLiteral("notes"), text);
        report(TaskStep{TaskStep::Kind::Type, QStringLiteral("notes"), text, {}});
        changed();
    });
    setCentralWidget(centre);

    m_statusSlide = new QLabel(this);
    m_statusView = new QLabel(this);
    statusBar()->addWidget(m_statusSlide, 1);
    statusBar()->addWidget(m_statusView);
}

void EditorWindow::setGuideEnabled(bool enabled)
{
    m_guideEnabled = enabled;
    m_hintLabel->setVisible(enabled);
    updateGuide();
}

void EditorWindow::showCompleted()
{
    m_hintLabel->setVisible(true);
    m_hintLabel->setStyleSheet(QStringLiteral("color: #006400; font-weight: bold;"));
    m_hintLabel->setText(QStringLiteral("恭喜，本题已完成！"));
}

void EditorWindow::trigger(const QString &commandId)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return;
    report(TaskStep{TaskStep::Kind::Command, commandId, {}, {}});
    if (!spec->hasDialog()) {
        m_session.run(commandId);
        refresh();
        changed();
        return;
    }
    if (m_dialog)
        m_dialog->close();
    auto *dialog = new CommandDialog(*spec, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    if (commandId == u"幻灯片版式") {
        if (QComboBox *box = dialog->fieldBox(QStringLiteral("版式")))
            box->setCurrentText(m_session.document().slides.at(m_session.current() - 1).layout);
    }
    connect(dialog, &CommandDialog::fieldChanged, this, [this](const QString &name, const QString &value) {
        report(TaskStep{TaskStep::Kind::Field, name, value, {}});
    });
    connect(dialog, &CommandDialog::okClicked, this, [this, dialog, commandId] {
        const QMap<QString, QString> fields = dialog->values();
        report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
        runFromDialog(commandId, fields);
    });
    dialog->open();
    updateGuide();
}

void EditorWindow::runFromDialog(const QString &commandId, const QMap<QString, QString> &fields)
{
    m_session.run(commandId, fields);
    refresh();
    changed();
}

void EditorWindow::refresh()
{
    m_refreshing = true;
    const Document &document = m_session.document();
    m_slideList->clear();
    for (int i = 0; i < document.slides.size(); ++i) {
        const Slide &slide = document.slides.at(i);
        QString text = QStringLiteral("%1  %2").arg(i + 1).arg(slide.title.isEmpty() ? QStringLiteral("（无标题）") : slide.title);
        if (slide.hidden)
            text += QStringLiteral("  [隐藏]");
        m_slideList->addItem(text);
    }
    m_slideList->setCurrentRow(m_session.current() - 1);

    const Slide &slide = document.slides.at(m_session.current() - 1);
    m_title->setText(slide.title);
    m_title->setStyleSheet(styleFor(slide, QStringLiteral("标题"), 26));
    const QString align = slide.attributes.value(QStringLiteral("标题.对齐"));
    m_title->setAlignment(align.contains(u"左") ? Qt::AlignLeft : align.contains(u"右") ? Qt::AlignRight : Qt::AlignHCenter);
    if (m_body->toPlainText() != slide.body)
        m_body->setPlainText(slide.body);
    m_body->setStyleSheet(styleFor(slide, QStringLiteral("正文"), 18));
    const bool titleOnly = slide.layout == u"只有标题" || slide.layout == u"空白";
    m_body->setVisible(!titleOnly);
    m_title->setVisible(slide.layout != u"空白");
    if (m_notes->text() != slide.notes)
        m_notes->setText(slide.notes);

    QStringList objects;
    for (const char *kind : {"文本框", "图片", "艺术字", "自选图形", "表格", "图表", "组织结构图", "媒体", "对象", "动作按钮"})
        if (slide.attributes.value(QString::fromUtf8(kind)) == u"1")
            objects << QStringLiteral("［%1］").arg(QString::fromUtf8(kind));
    m_objects->setText(objects.join(u' '));

    const QColor background = colourNamed(slide.attributes.value(QStringLiteral("背景.填充")), Qt::white);
    m_slide->setStyleSheet(QStringLiteral("#slide { background: %1; border: 1px solid #888; }").arg(background.name()));

    m_statusSlide->setText(QStringLiteral("幻灯片 %1 / %2    %3").arg(m_session.current()).arg(document.slides.size()).arg(slide.layout));
    m_statusView->setText(document.settings.value(QStringLiteral("视图")) + QStringLiteral("视图"));
    m_refreshing = false;
}

void EditorWindow::changed()
{
    emit documentChanged(m_task.isMet(m_session.document()));
}

void EditorWindow::report(const TaskStep &action)
{
    if (m_refreshing)
        return;
    // The guide moves on after the control has finished reacting: a menu
    // that is opening must not be disturbed while it shows itself.
    if (m_guide.report(action))
        QTimer::singleShot(0, this, [this] { updateGuide(); });
}

void EditorWindow::updateGuide()
{
    if (m_marked)
        m_marked->setStyleSheet(m_markedStyle);
    m_marked = nullptr;
    if (!m_guideEnabled)
        return;
    const TaskStep *step = m_guide.current();
    if (!step) {
        if (!m_task.isMet(m_session.document()))
            m_hintLabel->setText(QStringLiteral("提示：请检查操作结果是否符合题目要求。"));
        return;
    }
    m_hintLabel->setText(QStringLiteral("第%1步：%2").arg(m_guide.position() + 1).arg(step->hint));
    QWidget *target = nullptr;
    switch (step->kind) {
    case TaskStep::Kind::Menu:
        break;
    case TaskStep::Kind::Command:
        if (QAction *action = m_actions.value(step->arg)) {
            for (QMenu *menu : std::as_const(m_menus))
                if (menu->actions().contains(action) && menu->isVisible())
                    menu->setActiveAction(action);
        }
        break;
    case TaskStep::Kind::Field:
        if (m_dialog)
            target = m_dialog->fieldBox(step->arg);
        break;
    case TaskStep::Kind::Ok:
        if (m_dialog)
            target = m_dialog->okButton();
        break;
    case TaskStep::Kind::Select:
        target = m_slideList;
        break;
    case TaskStep::Kind::Type:
        target = step->arg == u"title" ? static_cast<QWidget *>(m_title)
               : step->arg == u"body"  ? static_cast<QWidget *>(m_body)
                                       : static_cast<QWidget *>(m_notes);
        break;
    }
    if (target) {
        m_marked = target;
        m_markedStyle = target->styleSheet();
        target->setStyleSheet(target->styleSheet() + QStringLiteral("border: 2px solid #e00000;"));
    }
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    // A close from the host must not wait behind an open dialog.
    if (m_dialog)
        m_dialog->close();
    event->accept();
}
