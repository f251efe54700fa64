#include "taskpanes.h"

#include <algorithm>

#include "clipart.h"
#include "commands.h"
#include "slideart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <QVBoxLayout>

namespace {

QStringList choicesOf(const char *command, const char *field)
{
    const CommandSpec *spec = Commands::find(QString::fromUtf8(command));
    const FieldSpec *f = spec ? spec->field(QString::fromUtf8(field)) : nullptr;
    return f ? f->choices : QStringList();
}

// The directions an effect offers; none for an effect without one.
QStringList directionsOf(const QString &effect)
{
    static const QMap<QString, QStringList> directions = {
        {QStringLiteral("飞入"), {QStringLiteral("自底部"), QStringLiteral("自左侧"), QStringLiteral("自右侧"), QStringLiteral("自顶部")}},
        {QStringLiteral("缓慢进入"), {QStringLiteral("自底部"), QStringLiteral("自左侧"), QStringLiteral("自右侧"), QStringLiteral("自顶部")}},
        {QStringLiteral("擦除"), {QStringLiteral("自底部"), QStringLiteral("自左侧"), QStringLiteral("自右侧"), QStringLiteral("自顶部")}},
        {QStringLiteral("飞出"), {QStringLiteral("到底部"), QStringLiteral("到左侧"), QStringLiteral("到右侧"), QStringLiteral("到顶部")}},
        {QStringLiteral("百叶窗"), {QStringLiteral("水平"), QStringLiteral("垂直")}},
        {QStringLiteral("棋盘"), {QStringLiteral("跨越"), QStringLiteral("向下")}},
        {QStringLiteral("盒状"), {QStringLiteral("放大"), QStringLiteral("缩小")}},
        {QStringLiteral("切出"), {QStringLiteral("到底部"), QStringLiteral("到顶部")}},
        {QStringLiteral("放大/缩小"), {QStringLiteral("放大"), QStringLiteral("缩小")}},
    };
    // An effect without directions of its own offers the plain ones.
    static const QStringList plain = {QStringLiteral("自底部"), QStringLiteral("自左侧"), QStringLiteral("自右侧"),
                                      QStringLiteral("自顶部"), QStringLiteral("上"), QStringLiteral("下"),
                                      QStringLiteral("左"), QStringLiteral("右")};
    return directions.value(effect, plain);
}

// A drop-down that reports every pick, the same entry again included.
QComboBox *pickBox(const QString &name, const QStringList &choices, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("pane:") + name);
    box->setAccessibleName(name);
    box->addItems(choices);
    return box;
}

void setShown(QComboBox *box, const QString &value)
{
    const int index = box->findText(value);
    box->setCurrentIndex(index);
}

} // namespace

// --- AnimationPane -----------------------------------------------------------

const QList<std::pair<QString, QStringList>> &AnimationPane::categories()
{
    static const QList<std::pair<QString, QStringList>> table = [] {
        const QStringList all = choicesOf("自定义动画", "效果");
        // Most effects go in (进入); some of them also go out (退出); a
        // movie or a sound plays.
        const QStringList emphasis = {QStringLiteral("放大/缩小"), QStringLiteral("陀螺旋"), QStringLiteral("更改填充颜色"),
                                      QStringLiteral("更改字体颜色"), QStringLiteral("闪烁")};
        const QStringList exitOnly = {QStringLiteral("飞出"), QStringLiteral("消失"), QStringLiteral("切出")};
        const QStringList both = {QStringLiteral("百叶窗"), QStringLiteral("擦除"), QStringLiteral("盒状"), QStringLiteral("渐变"),
                                  QStringLiteral("棋盘"), QStringLiteral("压缩"), QStringLiteral("展开"), QStringLiteral("随机效果")};
        const QStringList paths = {QStringLiteral("向右"), QStringLiteral("向左"), QStringLiteral("向上"), QStringLiteral("向下"),
                                   QStringLiteral("直线"), QStringLiteral("自定义路径")};
        const QStringList media = {QStringLiteral("播放")};
        QList<std::pair<QString, QStringList>> made;
        for (const QString &category : choicesOf("自定义动画", "类别")) {
            QStringList effects;
            for (const QString &effect : all) {
                const bool in = !emphasis.contains(effect) && !exitOnly.contains(effect) && !paths.contains(effect)
                             && !media.contains(effect);
                if ((category == u"进入" && in) || (category == u"强调" && emphasis.contains(effect))
                    || (category == u"退出" && (exitOnly.contains(effect) || both.contains(effect)))
                    || (category == u"动作路径" && paths.contains(effect)))
                    effects << effect;
            }
            made.append({category, effects});
        }
        made.append({mediaCategory(), media});
        return made;
    }();
    return table;
}

QString AnimationPane::mediaCategory()
{
    return QStringLiteral("影片和声音操作");
}

QString AnimationPane::categoryOf(const QString &effect)
{
    for (const auto &[category, effects] : categories())
        if (effects.contains(effect))
            return category;
    return {};
}

AnimationPane::AnimationPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("animationPane"));
    setAccessibleName(QStringLiteral("自定义动画"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);

    // The effects go to the object selected on the slide (or holding the
    // caret), or to the object of the row chosen in the list.
    auto *buttons = new QHBoxLayout;
    m_add = new QToolButton(this);
    m_add->setObjectName(QStringLiteral("pane:添加效果"));
    m_add->setText(QStringLiteral("添加效果"));
    m_add->setAccessibleName(QStringLiteral("添加效果"));
    effectMenu(m_add, {});
    m_remove = new QPushButton(QStringLiteral("删除"), this);
    m_remove->setObjectName(QStringLiteral("pane:删除"));
    m_remove->setAccessibleName(QStringLiteral("删除"));
    buttons->addWidget(m_add, 1);
    buttons->addWidget(m_remove);
    layout->addLayout(buttons);
    m_change = new QToolButton(this);
    m_change->setObjectName(QStringLiteral("pane:更改"));
    m_change->setText(QStringLiteral("更改"));
    m_change->setAccessibleName(QStringLiteral("更改"));
    effectMenu(m_change, QStringLiteral("更改"));
    layout->addWidget(m_change);
    for (QToolButton *button : {m_add, m_change}) {
        // A click drops the menu down without holding the caller up.
        button->setPopupMode(QToolButton::DelayedPopup);
        connect(button, &QToolButton::clicked, this, [button] {
            button->menu()->popup(button->mapToGlobal(QPoint(0, button->height())));
        });
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    auto *boxes = new QGroupBox(QStringLiteral("修改效果"), this);
    auto *grid = new QGridLayout(boxes);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(3);
    m_start = pickBox(QStringLiteral("开始"), choicesOf("自定义动画", "开始"), boxes);
    m_direction = pickBox(QStringLiteral("方向"), {}, boxes);
    m_speed = pickBox(QStringLiteral("速度"), choicesOf("自定义动画", "速度"), boxes);
    int row = 0;
    for (QComboBox *box : {m_start, m_direction, m_speed}) {
        grid->addWidget(new QLabel(box->accessibleName() + QStringLiteral("："), boxes), row, 0);
        grid->addWidget(box, row++, 1);
        const QString field = box->accessibleName();
        connect(box, &QComboBox::textActivated, this, [this, field](const QString &value) {
            if (!m_loading && !target().isEmpty())
                emit chosen(QStringLiteral("自定义动画"), {{QStringLiteral("对象"), target()}, {field, value}});
        });
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(boxes);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("pane:动画列表"));
    m_list->setAccessibleName(QStringLiteral("动画效果列表"));
    layout->addWidget(m_list, 1);
    // 重新排序 for the chosen effect's object, 效果选项 for the rest of its settings.
    auto *order = new QHBoxLayout;
    order->addWidget(new QLabel(QStringLiteral("重新排序"), this));
    m_earlier = new QToolButton(this);
    m_later = new QToolButton(this);
    for (auto [button, arrow, name] : {std::tuple{m_earlier, Qt::UpArrow, QStringLiteral("向前移动")},
                                       std::tuple{m_later, Qt::DownArrow, QStringLiteral("向后移动")}}) {
        button->setObjectName(QStringLiteral("pane:") + name);
        button->setAccessibleName(name);
        button->setToolTip(name);
        button->setArrowType(arrow);
        order->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, name] {
            if (!target().isEmpty())
                emit chosen(QStringLiteral("自定义动画"), {{QStringLiteral("对象"), target()}, {QStringLiteral("重新排序"), name}});
        });
    }
    order->addStretch(1);
    layout->addLayout(order);
    m_options = new QPushButton(QStringLiteral("效果选项…"), this);
    m_options->setObjectName(QStringLiteral("pane:效果选项"));
    m_options->setAccessibleName(QStringLiteral("效果选项"));
    layout->addWidget(m_options);
    connect(m_options, &QPushButton::clicked, this, &AnimationPane::optionsAsked);
    m_preview = new QCheckBox(QStringLiteral("自动预览"), this);
    m_preview->setObjectName(QStringLiteral("pane:自动预览"));
    m_preview->setChecked(true);
    layout->addWidget(m_preview);
    connect(m_preview, &QCheckBox::clicked, this, [this](bool on) {
        // A setting of the pane, not of an effect.
        emit chosen(QStringLiteral("自定义动画"), {{QStringLiteral("自动预览"), on ? QStringLiteral("是") : QStringLiteral("否")}});
    });
    // 播放 plays the slide's effects where it is edited; 幻灯片放映 shows
    // the slide from here in the running show.
    auto *previews = new QHBoxLayout;
    m_play = new QPushButton(QStringLiteral("播放"), this);
    m_slideShow = new QPushButton(QStringLiteral("幻灯片放映"), this);
    for (QPushButton *button : {m_play, m_slideShow}) {
        const QString name = button->text();
        button->setObjectName(QStringLiteral("pane:") + name);
        button->setAccessibleName(name);
        previews->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, name] {
            emit chosen(QStringLiteral("自定义动画"), {{QStringLiteral("预览"), name}});
        });
    }
    layout->addLayout(previews);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_loading)
            return;
        // The row's object is the one the pane works on now.
        setBoxes();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        if (!target().isEmpty())
            emit chosen(QStringLiteral("自定义动画"), {{QStringLiteral("对象"), target()}, {QStringLiteral("操作"), QStringLiteral("删除")}});
    });
}

void AnimationPane::effectMenu(QToolButton *button, const QString &operation)
{
    auto *menu = new QMenu(button);
    connect(menu, &QMenu::aboutToShow, this, [this, operation] {
        m_changing = !operation.isEmpty();
        if (m_changing)
            emit picked(QStringLiteral("自定义动画"), QStringLiteral("操作"), operation);
    });
    for (const auto &[category, effects] : categories()) {
        QMenu *sub = menu->addMenu(category);
        sub->setObjectName(QStringLiteral("pane:") + category);
        connect(sub, &QMenu::aboutToShow, this, [this, category] {
            if (category != mediaCategory())
                emit picked(QStringLiteral("自定义动画"), QStringLiteral("类别"), category);
        });
        for (const QString &effect : effects) {
            QAction *entry = sub->addAction(effect);
            entry->setObjectName(QStringLiteral("effect:%1:%2").arg(category, effect));
            connect(entry, &QAction::triggered, this, [this, category, effect, operation] {
                if (target().isEmpty())
                    return;
                QMap<QString, QString> fields = {{QStringLiteral("对象"), target()}, {QStringLiteral("效果"), effect}};
                if (category != mediaCategory())
                    fields.insert(QStringLiteral("类别"), category);
                if (!operation.isEmpty())
                    fields.insert(QStringLiteral("操作"), operation);
                m_changing = false;
                emit chosen(QStringLiteral("自定义动画"), fields);
            });
        }
    }
    button->setMenu(menu);
}

QString AnimationPane::target() const
{
    const QList<QListWidgetItem *> rows = m_list->selectedItems();
    return rows.isEmpty() ? m_object : rows.first()->data(Qt::UserRole).toString();
}

QMenu *AnimationPane::openMenu() const
{
    for (QToolButton *button : {m_add, m_change})
        if (button->menu()->isVisible())
            return button->menu();
    return nullptr;
}

QWidget *AnimationPane::fieldControl(const QString &field, const QString &value) const
{
    if (field == u"类别" || field == u"效果")
        return m_changing ? m_change : m_add;
    if (field == u"操作")
        return value.trimmed() == u"更改" ? static_cast<QWidget *>(m_change) : static_cast<QWidget *>(m_remove);
    if (field == u"开始")
        return m_start;
    if (field == u"方向")
        return m_direction;
    if (field == u"速度")
        return m_speed;
    if (field == u"重新排序")
        return value.trimmed() == u"向前移动" ? m_earlier : m_later;
    if (field == u"自动预览")
        return m_preview;
    if (field == u"预览")
        return value.trimmed() == u"幻灯片放映" ? m_slideShow : m_play;
    return m_options;
}

void AnimationPane::showSlide(const Slide &slide, const QString &object)
{
    // The row chosen stays chosen, wherever its number moved, until another
    // object is selected on the slide.
    const auto rowKey = [](const QListWidgetItem *row) { return row->data(Qt::UserRole).toString() + u'|' + row->toolTip(); };
    const bool newPick = !object.isEmpty() && object != m_object;
    const QString kept = m_list->selectedItems().isEmpty() || newPick ? QString() : rowKey(m_list->selectedItems().first());
    m_slide = slide;
    m_loading = true;
    m_object = object;
    m_list->clear();
    // The effects of every object, one row each, numbered in the order the
    // objects play (then those the slide came with, by name).
    const QString prefix = QStringLiteral("动画.");
    const QString suffix = QStringLiteral(".列表");
    QStringList owners = slide.attributes.value(QStringLiteral("动画.顺序")).split(QStringLiteral("、"), Qt::SkipEmptyParts);
    for (auto it = slide.attributes.begin(); it != slide.attributes.end(); ++it)
        if (it.key().startsWith(prefix) && it.key().endsWith(suffix)) {
            const QString owner = it.key().mid(prefix.size(), it.key().size() - prefix.size() - suffix.size());
            if (!owners.contains(owner))
                owners << owner;
        }
    int number = 0;
    for (const QString &owner : std::as_const(owners)) {
        const QString effects = slide.attributes.value(prefix + owner + suffix);
        for (const QString &entry : effects.split(QStringLiteral("、"), Qt::SkipEmptyParts)) {
            const QString effect = entry.section(QStringLiteral("："), 1);
            auto *row = new QListWidgetItem(QStringLiteral("%1 %2：%3").arg(++number).arg(owner, effect), m_list);
            row->setData(Qt::UserRole, owner);
            row->setToolTip(entry);
            if (rowKey(row) == kept)
                row->setSelected(true);
        }
    }
    m_loading = false;
    setBoxes();
}

void AnimationPane::setBoxes()
{
    const QString object = target();
    m_loading = true;
    const bool some = !object.isEmpty();
    m_add->setEnabled(some);
    m_earlier->setEnabled(some);
    m_later->setEnabled(some);
    m_options->setEnabled(some);
    const bool animated = some && m_slide.attributes.contains(QStringLiteral("动画.%1.列表").arg(object));
    m_change->setEnabled(animated);
    m_remove->setEnabled(animated);
    const auto value = [&](const char *field) {
        return m_slide.attributes.value(QStringLiteral("动画.%1.%2").arg(object, QString::fromUtf8(field)));
    };
    m_direction->clear();
    m_direction->addItems(directionsOf(value("效果")));
    for (QComboBox *box : {m_start, m_direction, m_speed})
        box->setEnabled(animated && box->count() > 0);
    setShown(m_start, animated ? (value("开始").isEmpty() ? QStringLiteral("单击时") : value("开始")) : QString());
    setShown(m_direction, value("方向").isEmpty() && m_direction->count() ? m_direction->itemText(0) : value("方向"));
    setShown(m_speed, animated ? (value("速度").isEmpty() ? QStringLiteral("中速") : value("速度")) : QString());
    m_preview->setChecked(m_slide.attributes.value(QStringLiteral("动画.自动预览")) != u"否");
    // Nothing to play on a slide without effects.
    const bool effects = std::any_of(m_slide.attributes.keyBegin(), m_slide.attributes.keyEnd(), [](const QString &key) {
        return key.startsWith(QStringLiteral("动画.")) && key.endsWith(QStringLiteral(".效果"));
    });
    m_play->setEnabled(effects);
    m_note->setText(some ? QString() : QStringLiteral("选中幻灯片的某个元素，然后单击“添加效果”添加动画。"));
    m_loading = false;
}

QStringList AnimationPane::listed() const
{
    QStringList rows;
    for (int i = 0; i < m_list->count(); ++i)
        rows << m_list->item(i)->text();
    return rows;
}

// --- TransitionPane ----------------------------------------------------------

TransitionPane::TransitionPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("transitionPane"));
    setAccessibleName(QStringLiteral("幻灯片切换"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(QStringLiteral("应用于所选幻灯片："), this));
    m_effects = new QListWidget(this);
    m_effects->setObjectName(QStringLiteral("pane:切换效果"));
    m_effects->setAccessibleName(QStringLiteral("切换效果"));
    for (const QString &effect : choicesOf("幻灯片切换", "效果"))
        (new QListWidgetItem(effect, m_effects))->setData(Qt::UserRole, effect);
    layout->addWidget(m_effects, 1);
    connect(m_effects, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        emit chosen(QStringLiteral("幻灯片切换"), {{QStringLiteral("效果"), item->text()}});
    });

    auto *modify = new QGroupBox(QStringLiteral("修改切换效果"), this);
    auto *grid = new QGridLayout(modify);
    grid->setContentsMargins(4, 4, 4, 4);
    m_speed = pickBox(QStringLiteral("速度"), choicesOf("幻灯片切换", "速度"), modify);
    m_sound = pickBox(QStringLiteral("声音"), choicesOf("幻灯片切换", "声音"), modify);
    int row = 0;
    for (QComboBox *box : {m_speed, m_sound}) {
        grid->addWidget(new QLabel(box->accessibleName() + QStringLiteral("："), modify), row, 0);
        grid->addWidget(box, row++, 1);
        const QString field = box->accessibleName();
        connect(box, &QComboBox::textActivated, this, [this, field](const QString &value) {
            if (!m_loading)
                emit chosen(QStringLiteral("幻灯片切换"), {{field, value}});
        });
    }
    // The whole caption does not fit the pane's width: its start, and the rest as tip and name.
    m_loop = new QCheckBox(QStringLiteral("循环播放…"), modify);
    m_loop->setObjectName(QStringLiteral("pane:循环播放到下一声音开始时"));
    m_loop->setToolTip(QStringLiteral("循环播放，到下一声音开始时"));
    m_loop->setAccessibleName(QStringLiteral("循环播放，到下一声音开始时"));
    grid->addWidget(m_loop, row++, 0, 1, 2);
    connect(m_loop, &QCheckBox::clicked, this, [this](bool on) {
        emit chosen(QStringLiteral("幻灯片切换"), {{QStringLiteral("循环播放到下一声音开始时"), on ? QStringLiteral("是") : QStringLiteral("否")}});
    });
    grid->setColumnStretch(1, 1);
    layout->addWidget(modify);

    auto *advance = new QGroupBox(QStringLiteral("换片方式"), this);
    auto *column = new QVBoxLayout(advance);
    column->setContentsMargins(4, 4, 4, 4);
    m_onClick = new QCheckBox(QStringLiteral("单击鼠标时"), advance);
    m_onClick->setObjectName(QStringLiteral("pane:单击鼠标"));
    column->addWidget(m_onClick);
    auto *timed = new QHBoxLayout;
    m_timed = new QCheckBox(QStringLiteral("每隔"), advance);
    m_timed->setObjectName(QStringLiteral("pane:每隔"));
    m_every = new QLineEdit(advance);
    m_every->setObjectName(QStringLiteral("pane:秒数"));
    m_every->setAccessibleName(QStringLiteral("每隔秒数"));
    timed->addWidget(m_timed);
    timed->addWidget(m_every, 1);
    timed->addWidget(new QLabel(QStringLiteral("秒"), advance));
    column->addLayout(timed);
    layout->addWidget(advance);
    connect(m_every, &QLineEdit::textEdited, this, [this](const QString &seconds) {
        if (seconds.trimmed().isEmpty())
            return;
        m_timed->setChecked(true);
        emit chosen(QStringLiteral("幻灯片切换"), {{QStringLiteral("每隔"), seconds.trimmed()}});
    });
    connect(m_onClick, &QCheckBox::clicked, this, [this](bool on) {
        emit chosen(QStringLiteral("幻灯片切换"), {{QStringLiteral("单击鼠标"), on ? QStringLiteral("是") : QStringLiteral("否")}});
    });
    // Ticked, the time typed beside it counts; unticked, the slide keeps no time.
    connect(m_timed, &QCheckBox::clicked, this, [this](bool on) {
        if (!on)
            m_every->clear();
        const QString seconds = on ? m_every->text().trimmed() : QStringLiteral("否");
        if (!seconds.isEmpty())
            emit chosen(QStringLiteral("幻灯片切换"), {{QStringLiteral("每隔"), seconds}});
    });

    m_all = new QPushButton(QStringLiteral("应用于所有幻灯片"), this);
    m_all->setObjectName(QStringLiteral("pane:应用于所有幻灯片"));
    layout->addWidget(m_all);
    // The current slide's transition, every part of it, on every slide (see PaneSteps).
    connect(m_all, &QPushButton::clicked, this, [this] {
        emit chosen(QStringLiteral("幻灯片切换"), {{QStringLiteral("应用范围"), QStringLiteral("全部应用")}});
    });
}

QWidget *TransitionPane::fieldControl(const QString &field, const QString &value) const
{
    // The pane acts on the selected slides at once; its one button is for all of them.
    if (field == u"应用范围" && value.trimmed() != u"全部应用")
        return nullptr;
    const QMap<QString, QWidget *> controls = {
        {QStringLiteral("效果"), m_effects}, {QStringLiteral("速度"), m_speed}, {QStringLiteral("声音"), m_sound},
        {QStringLiteral("单击鼠标"), m_onClick}, {QStringLiteral("循环播放到下一声音开始时"), m_loop},
        {QStringLiteral("每隔"), m_every}, {QStringLiteral("应用范围"), m_all},
    };
    return controls.value(field);
}

void TransitionPane::showSlide(const Slide &slide)
{
    m_slide = slide;
    m_loading = true;
    const auto value = [&](const char *field) { return slide.attributes.value(QStringLiteral("切换.") + QString::fromUtf8(field)); };
    const QString effect = value("效果").isEmpty() ? QStringLiteral("无切换") : value("效果");
    const QList<QListWidgetItem *> found = m_effects->findItems(effect, Qt::MatchExactly);
    m_effects->setCurrentItem(found.isEmpty() ? nullptr : found.first());
    setShown(m_speed, value("速度").isEmpty() ? QStringLiteral("快速") : value("速度"));
    setShown(m_sound, value("声音").isEmpty() ? QStringLiteral("无声音") : value("声音"));
    m_onClick->setChecked(value("单击鼠标") != u"否");
    m_loop->setChecked(value("循环播放到下一声音开始时") == u"是");
    m_timed->setChecked(!value("每隔").isEmpty());
    if (!m_every->hasFocus())
        m_every->setText(value("每隔"));
    m_loading = false;
}

// --- ClipArtPane -------------------------------------------------------------

ClipArtPane::ClipArtPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("clipArtPane"));
    setAccessibleName(QStringLiteral("剪贴画"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(new QLabel(QStringLiteral("搜索文字："), this));
    auto *row = new QHBoxLayout;
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("pane:搜索文字"));
    m_text->setAccessibleName(QStringLiteral("搜索文字"));
    m_search = new QPushButton(QStringLiteral("搜索"), this);
    m_search->setObjectName(QStringLiteral("pane:搜索"));
    m_search->setAccessibleName(QStringLiteral("搜索"));
    row->addWidget(m_text, 1);
    row->addWidget(m_search);
    layout->addLayout(row);

    layout->addWidget(new QLabel(QStringLiteral("其他搜索选项："), this));
    auto *grid = new QGridLayout;
    grid->setContentsMargins(8, 0, 0, 0);
    grid->setVerticalSpacing(2);
    m_scope = pickBox(QStringLiteral("搜索范围"), choicesOf("剪贴画", "搜索范围"), this);
    m_kind = pickBox(QStringLiteral("结果类型"), choicesOf("剪贴画", "结果类型"), this);
    int line = 0;
    for (QComboBox *box : {m_scope, m_kind}) {
        grid->addWidget(new QLabel(box->accessibleName() + QStringLiteral("："), this), line++, 0);
        grid->addWidget(box, line++, 0);
        const QString field = box->accessibleName();
        connect(box, &QComboBox::textActivated, this, [this, field](const QString &value) {
            emit picked(QStringLiteral("剪贴画"), field, value);
            search();
        });
    }
    layout->addLayout(grid);

    layout->addWidget(new QLabel(QStringLiteral("结果："), this));
    m_results = new QListWidget(this);
    m_results->setObjectName(QStringLiteral("pane:结果"));
    m_results->setAccessibleName(QStringLiteral("搜索结果"));
    m_results->setViewMode(QListView::IconMode);
    m_results->setIconSize(QSize(44, 44));
    m_results->setGridSize(QSize(62, 66));
    m_results->setSpacing(2);
    m_results->setResizeMode(QListView::Adjust);
    m_results->setMovement(QListView::Static);
    m_results->setWordWrap(true);
    layout->addWidget(m_results, 1);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->hide();
    layout->addWidget(m_note);

    // The links at the foot: the gallery's organiser and the clips on the
    // web, neither of which the exam's computer offers.
    for (const QString &text : {QStringLiteral("管理剪辑…"), QStringLiteral("网上剪辑")}) {
        auto *link = new QPushButton(text, this);
        link->setObjectName(QStringLiteral("pane:") + text);
        link->setAccessibleName(text);
        link->setFlat(true);
        link->setCursor(Qt::PointingHandCursor);
        link->setStyleSheet(QStringLiteral("QPushButton { color: #0032aa; text-align: left; padding: 1px 4px; }"));
        layout->addWidget(link);
        const QString message = text == u"网上剪辑" ? QStringLiteral("无法连接到网上剪辑，请检查网络连接。")
                                                    : QStringLiteral("剪辑按类别整理。请在“搜索文字”框中输入类别或剪辑的名称，然后单击“搜索”。");
        connect(link, &QPushButton::clicked, this, [this, message] {
            auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("剪贴画"), message, QMessageBox::Ok, this);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        });
    }

    // The results follow the words as they are typed; 搜索 (or Enter) looks again.
    connect(m_text, &QLineEdit::textChanged, this, &ClipArtPane::search);
    connect(m_text, &QLineEdit::textEdited, this, [this](const QString &words) {
        emit picked(QStringLiteral("剪贴画"), QStringLiteral("搜索文字"), words.trimmed());
    });
    connect(m_text, &QLineEdit::returnPressed, this, &ClipArtPane::search);
    connect(m_search, &QPushButton::clicked, this, &ClipArtPane::search);
    connect(m_results, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        emit chosen(QStringLiteral("剪贴画"), {{QStringLiteral("名称"), item->data(Qt::UserRole).toString()}});
    });
    search();
}

void ClipArtPane::search()
{
    m_results->clear();
    // The gallery holds drawings only: photographs, movies and sounds are not among them.
    const QString kind = m_kind->currentText();
    const QList<ClipArt::Clip> found = kind == u"所有媒体文件类型" || kind == u"剪贴画" ? ClipArt::search(m_text->text())
                                                                                    : QList<ClipArt::Clip>();
    for (const ClipArt::Clip &clip : found) {
        QPixmap picture(56, 56);
        picture.fill(Qt::white);
        QPainter p(&picture);
        ClipArt::paint(p, QRectF(2, 2, 52, 52), clip.name);
        p.end();
        auto *item = new QListWidgetItem(QIcon(picture), clip.name, m_results);
        item->setData(Qt::UserRole, clip.name);
        item->setToolTip(QStringLiteral("%1（%2）").arg(clip.name, clip.category));
    }
    const QString words = m_text->text().trimmed();
    m_note->setText(words.isEmpty() ? QStringLiteral("没有找到符合条件的剪辑。") : QStringLiteral("没有找到“%1”的剪辑。").arg(words));
    m_note->setVisible(found.isEmpty());
}

QWidget *ClipArtPane::fieldControl(const QString &field, const QString &value, QRect *area) const
{
    if (field == u"搜索文字")
        return m_text;
    if (field == u"搜索范围")
        return m_scope;
    if (field == u"结果类型")
        return m_kind;
    if (field != u"名称")
        return nullptr;
    for (int i = 0; i < m_results->count(); ++i) {
        if (m_results->item(i)->data(Qt::UserRole).toString() != value.trimmed())
            continue;
        // The clip's picture, where the results show it now.
        m_results->scrollToItem(m_results->item(i));
        const QRect shown = m_results->visualItemRect(m_results->item(i));
        *area = QRect(m_results->viewport()->mapTo(m_results, shown.topLeft()), shown.size());
        return m_results;
    }
    // Not among the results: the words to search for come first.
    return m_text;
}
