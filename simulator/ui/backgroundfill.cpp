#include "backgroundfill.h"

#include "colourdialog.h"
#include "slideart.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString Automatic = QStringLiteral("自动");
const QString OtherColours = QStringLiteral("其他颜色…");
const QString Effects = QStringLiteral("填充效果…");

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

const QStringList &colours()
{
    static const QStringList list = Commands::find(QStringLiteral("自选图形"))->field(QStringLiteral("填充颜色"))->choices;
    return list;
}

const QStringList &styles()
{
    static const QStringList list = words("水平 垂直 斜上 斜下 角部辐射 中心辐射");
    return list;
}

const QStringList &presets()
{
    static const QStringList list = words("雨后初晴 金色年华 红日西斜 碧海青天 茵茵绿原 宝石蓝 熊熊火焰 麦浪滚滚");
    return list;
}

const QStringList &textures()
{
    static const QStringList list = words("羊皮纸 纸莎草纸 画布 再生纸 白色大理石 绿色大理石 褐色大理石 花岗岩 "
                                          "鱼类化石 沙滩 水滴 蓝色面巾纸 粉色面巾纸 紫色网格 编织物 栎木");
    return list;
}

const QStringList &patterns()
{
    static const QStringList list = words("浅色上对角线 浅色下对角线 深色上对角线 深色下对角线 宽上对角线 宽下对角线 "
                                          "浅色竖线 浅色横线 小网格 大网格 小棋盘 大棋盘 点式菱形 5% 10% 20%");
    return list;
}

QIcon swatch(const QString &name)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(SlideArt::colour(name, Qt::white));
    p.drawRect(QRectF(0.5, 0.5, 13, 13));
    return QIcon(pixmap);
}

// A tile of the 纹理 or 图案 list: the fill painted as a slide would show it.
QIcon tile(const QString &fill, const QString &detail)
{
    QPixmap pixmap(40, 40);
    QPainter p(&pixmap);
    Slide sample;
    sample.attributes.insert(QStringLiteral("背景.填充"), fill);
    sample.attributes.insert(QStringLiteral("背景.设置"), detail);
    SlideArt::paintBackground(p, QRectF(0, 0, 40, 40), sample);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(QRectF(0.5, 0.5, 39, 39));
    return QIcon(pixmap);
}

QComboBox *colourBox(const QString &name, QWidget *parent, bool blank = true)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("effects:") + name);
    box->setAccessibleName(name);
    if (blank)
        box->addItem(QString());
    for (const QString &colour : colours())
        box->addItem(swatch(colour), colour);
    return box;
}

QListWidget *tileList(const QString &name, const QString &fill, const QStringList &choices, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("effects:") + name);
    list->setAccessibleName(name);
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(40, 40));
    list->setGridSize(QSize(86, 64));
    list->setResizeMode(QListView::Adjust);
    list->setMovement(QListView::Static);
    list->setWordWrap(true);
    list->setMinimumSize(370, 200);
    for (const QString &choice : choices) {
        auto *item = new QListWidgetItem(tile(fill, choice), choice, list);
        item->setData(Qt::UserRole, choice);
    }
    return list;
}

QString selected(const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toString() : QString();
}

void select(QListWidget *list, const QString &value)
{
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(Qt::UserRole).toString() == value) {
            list->setCurrentRow(i);
            list->scrollToItem(list->item(i));
        }
}

QString checked(const QButtonGroup *group)
{
    QAbstractButton *button = group->checkedButton();
    return button ? button->property("choice").toString() : QString();
}

void check(QButtonGroup *group, const QString &choice)
{
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(button->property("choice").toString() == choice);
    group->setExclusive(true);
}

QButtonGroup *radios(const QList<std::pair<QString, QChar>> &choices, QGridLayout *grid, int columns, QWidget *parent)
{
    auto *group = new QButtonGroup(parent);
    int at = 0;
    for (const auto &[choice, key] : choices) {
        auto *button = new QRadioButton(QStringLiteral("%1(&%2)").arg(choice).arg(key), parent);
        button->setProperty("choice", choice);
        button->setAccessibleName(choice);
        group->addButton(button);
        grid->addWidget(button, at / columns, at % columns);
        ++at;
    }
    return group;
}

} // namespace

struct BackgroundFill::EffectControls
{
    QButtonGroup *gradient = nullptr;   // 单色 双色 预设
    QComboBox *colour1 = nullptr, *colour2 = nullptr, *preset = nullptr;
    QButtonGroup *style = nullptr;
    QListWidget *texture = nullptr, *pattern = nullptr, *picture = nullptr;
    QComboBox *foreground = nullptr, *background = nullptr;
    QLabel *textureName = nullptr, *pictureName = nullptr;
};

BackgroundFill::~BackgroundFill() = default;

BackgroundFill::BackgroundFill(const FieldSpec &fill, const FieldSpec &settings, QWidget *parent,
                               std::function<void(const QString &, const QString &)> changed)
    : QObject(parent), m_parent(parent), m_changed(std::move(changed))
{
    m_box = new QComboBox(parent);
    m_box->setObjectName(QStringLiteral("field:") + fill.name);
    m_box->setAccessibleName(QStringLiteral("背景填充颜色"));
    m_box->setMinimumWidth(200);
    m_box->addItem(Automatic);
    for (const QString &colour : colours())
        m_box->addItem(swatch(colour), colour);
    m_box->insertSeparator(m_box->count());
    m_box->addItem(OtherColours);
    m_box->addItem(Effects);
    showRecent();
    // The kinds of effect, and colours the list does not name, are shown
    // in the box when they are the fill; the list does not offer them.
    QStringList shownOnly = effectKinds();
    for (const QString &choice : fill.choices)
        if (choice != Automatic && !colours().contains(choice))
            shownOnly << choice;
    shownOnly.removeDuplicates();
    for (const QString &kind : shownOnly) {
        m_box->addItem(kind);
        qobject_cast<QListView *>(m_box->view())->setRowHidden(m_box->count() - 1, true);
    }
    connect(m_box, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_showing || index < 0)
            return;
        const QString text = m_box->itemText(index);
        if (text == OtherColours) {
            showFill();
            chooseColour();
        } else if (text == Effects) {
            showFill();
            openEffects();
        } else {
            setFill(text);
        }
    });
    m_settingsHolder = new QWidget(parent);
    // 设置 has no control of its own in the dialog: 填充效果 sets it.
    m_settingsHolder->setObjectName(QStringLiteral("field:") + settings.name);
    m_settingsHolder->setAccessibleName(QStringLiteral("填充效果"));
    m_settingsHolder->hide();
    showFill();
}

QStringList BackgroundFill::effectKinds()
{
    return words("单色渐变 双色渐变 预设 纹理 图案 图片");
}

QWidget *BackgroundFill::box() const
{
    return m_box;
}

FieldControl BackgroundFill::fillControl()
{
    return {m_box, [this] { return m_fill; }, [this](const QString &v) { setFill(v.trimmed()); }, FieldControl::Kind::Combo};
}

FieldControl BackgroundFill::settingsControl()
{
    return {m_settingsHolder, [this] { return m_settings; }, [this](const QString &v) { setSettings(v.trimmed()); },
            FieldControl::Kind::Line};
}

void BackgroundFill::setPictures(const QStringList &files)
{
    static const QRegularExpression picture(QStringLiteral("\\.(jpg|jpeg|png|gif|bmp|wmf)$"), QRegularExpression::CaseInsensitiveOption);
    m_pictures = files.filter(picture);
}

void BackgroundFill::setFill(const QString &value)
{
    if (value == m_fill)
        return showFill();
    m_fill = value;
    showFill();
    m_changed(QStringLiteral("填充"), value);
    // A colour has no details: those of an effect chosen before go.
    if (!effectKinds().contains(value) && !m_settings.isEmpty())
        setSettings({});
    if (m_effects && !m_showing)
        showEffects();
}

void BackgroundFill::setSettings(const QString &value)
{
    if (value == m_settings)
        return;
    m_settings = value;
    m_changed(QStringLiteral("设置"), value);
    if (m_effects && !m_showing)
        showEffects();
}

void BackgroundFill::showFill()
{
    // Nothing of its own: the box says 自动, and the slide keeps its fill.
    const QString shown = m_fill.isEmpty() ? Automatic : m_fill;
    int index = m_box->findText(shown);
    if (index < 0) {
        m_box->addItem(shown);
        index = m_box->count() - 1;
        qobject_cast<QListView *>(m_box->view())->setRowHidden(index, true);
    }
    const bool was = m_showing;
    m_showing = true;
    m_box->setCurrentIndex(index);
    m_showing = was;
}

void BackgroundFill::chooseColour()
{
    // The colour taken is the fill, and the box offers it from then on,
    // among the recent colours above 其他颜色….
    ColourDialog::ask(m_parent, m_fill, [this](const QString &colour) {
        showRecent();
        setFill(colour);
    });
}

void BackgroundFill::showRecent()
{
    const bool was = m_showing;
    m_showing = true;
    const int other = m_box->findText(OtherColours);
    for (const QString &colour : ColourDialog::recentColours()) {
        if (const int at = m_box->findText(colour); at >= 0) {
            if (at < other)
                continue;
            m_box->removeItem(at);   // shown only while it was the fill: now a recent colour
        }
        m_box->insertItem(m_box->findText(OtherColours) - 1, swatch(colour), colour);
    }
    m_showing = was;
}

QWidget *BackgroundFill::openEffects()
{
    if (!m_effects) {
        auto *dialog = new QDialog(m_parent);
        dialog->setObjectName(QStringLiteral("fillEffects"));
        dialog->setWindowTitle(QStringLiteral("填充效果"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_controls = std::make_unique<EffectControls>();
        EffectControls *controls = m_controls.get();
        auto *outer = new QVBoxLayout(dialog);
        m_tabs = new QTabWidget(dialog);
        m_tabs->setObjectName(QStringLiteral("effectsTabs"));
        m_tabs->setAccessibleName(QStringLiteral("填充效果选项卡"));
        outer->addWidget(m_tabs);

        // 渐变: one colour fading, two colours, or a preset; the way it runs.
        auto *gradient = new QWidget(m_tabs);
        gradient->setObjectName(QStringLiteral("tab:渐变"));
        auto *gradientGrid = new QGridLayout(gradient);
        auto *colourBox_ = new QGroupBox(QStringLiteral("颜色"), gradient);
        auto *colourGrid = new QGridLayout(colourBox_);
        auto *kinds = new QGridLayout;
        controls->gradient = radios({{QStringLiteral("单色"), u'N'}, {QStringLiteral("双色"), u'T'}, {QStringLiteral("预设"), u'S'}},
                                    kinds, 1, colourBox_);
        colourGrid->addLayout(kinds, 0, 0, 3, 1);
        colourGrid->addWidget(new QLabel(QStringLiteral("颜色1(1)："), colourBox_), 0, 1);
        controls->colour1 = colourBox(QStringLiteral("颜色1"), colourBox_);
        colourGrid->addWidget(controls->colour1, 0, 2);
        colourGrid->addWidget(new QLabel(QStringLiteral("颜色2(2)："), colourBox_), 1, 1);
        controls->colour2 = colourBox(QStringLiteral("颜色2"), colourBox_);
        colourGrid->addWidget(controls->colour2, 1, 2);
        colourGrid->addWidget(new QLabel(QStringLiteral("预设颜色(R)："), colourBox_), 2, 1);
        controls->preset = new QComboBox(colourBox_);
        controls->preset->setObjectName(QStringLiteral("effects:预设颜色"));
        controls->preset->setAccessibleName(QStringLiteral("预设颜色"));
        controls->preset->addItem(QString());
        controls->preset->addItems(presets());
        colourGrid->addWidget(controls->preset, 2, 2);
        gradientGrid->addWidget(colourBox_, 0, 0);
        auto *styleBox = new QGroupBox(QStringLiteral("底纹样式"), gradient);
        auto *styleGrid = new QGridLayout(styleBox);
        controls->style = radios({{QStringLiteral("水平"), u'Z'}, {QStringLiteral("垂直"), u'V'}, {QStringLiteral("斜上"), u'U'},
                                  {QStringLiteral("斜下"), u'D'}, {QStringLiteral("角部辐射"), u'F'}, {QStringLiteral("中心辐射"), u'M'}},
                                 styleGrid, 2, styleBox);
        gradientGrid->addWidget(styleBox, 1, 0);
        gradientGrid->setRowStretch(2, 1);
        m_tabs->addTab(gradient, QStringLiteral("渐变"));

        // 纹理: the textures as tiles, the one chosen named below.
        auto *texture = new QWidget(m_tabs);
        texture->setObjectName(QStringLiteral("tab:纹理"));
        auto *textureLayout = new QVBoxLayout(texture);
        textureLayout->addWidget(new QLabel(QStringLiteral("纹理(T)："), texture));
        controls->texture = tileList(QStringLiteral("纹理"), QStringLiteral("纹理"), textures(), texture);
        textureLayout->addWidget(controls->texture);
        controls->textureName = new QLabel(texture);
        controls->textureName->setObjectName(QStringLiteral("textureName"));
        textureLayout->addWidget(controls->textureName);
        m_tabs->addTab(texture, QStringLiteral("纹理"));

        // 图案: the patterns, drawn in the foreground colour over the background one.
        auto *pattern = new QWidget(m_tabs);
        pattern->setObjectName(QStringLiteral("tab:图案"));
        auto *patternGrid = new QGridLayout(pattern);
        patternGrid->addWidget(new QLabel(QStringLiteral("图案(A)："), pattern), 0, 0, 1, 4);
        controls->pattern = tileList(QStringLiteral("图案"), QStringLiteral("图案"), patterns(), pattern);
        patternGrid->addWidget(controls->pattern, 1, 0, 1, 4);
        patternGrid->addWidget(new QLabel(QStringLiteral("前景(F)："), pattern), 2, 0);
        controls->foreground = colourBox(QStringLiteral("前景"), pattern);
        patternGrid->addWidget(controls->foreground, 2, 1);
        patternGrid->addWidget(new QLabel(QStringLiteral("背景(C)："), pattern), 2, 2);
        controls->background = colourBox(QStringLiteral("背景"), pattern);
        patternGrid->addWidget(controls->background, 2, 3);
        m_tabs->addTab(pattern, QStringLiteral("图案"));

        // 图片: a picture of the candidate's folder.
        auto *picture = new QWidget(m_tabs);
        picture->setObjectName(QStringLiteral("tab:图片"));
        auto *pictureLayout = new QVBoxLayout(picture);
        pictureLayout->addWidget(new QLabel(QStringLiteral("选择图片(L)：考生文件夹"), picture));
        controls->picture = new QListWidget(picture);
        controls->picture->setObjectName(QStringLiteral("effects:图片"));
        controls->picture->setAccessibleName(QStringLiteral("图片"));
        for (const QString &file : std::as_const(m_pictures)) {
            auto *item = new QListWidgetItem(file, controls->picture);
            item->setData(Qt::UserRole, file);
        }
        pictureLayout->addWidget(controls->picture);
        controls->pictureName = new QLabel(picture);
        controls->pictureName->setObjectName(QStringLiteral("pictureName"));
        pictureLayout->addWidget(controls->pictureName);
        m_tabs->addTab(picture, QStringLiteral("图片"));

        m_hint = new QLabel(dialog);
        m_hint->setObjectName(QStringLiteral("guideHint"));
        m_hint->setWordWrap(true);
        QPalette red = m_hint->palette();
        red.setColor(QPalette::WindowText, QColor(192, 0, 0));
        m_hint->setPalette(red);
        m_hint->setText(m_hintText);
        m_hint->setVisible(!m_hintText.isEmpty());
        outer->addWidget(m_hint);
        auto *buttons = new QHBoxLayout;
        buttons->addStretch();
        auto *ok = new QPushButton(QStringLiteral("确定"), dialog);
        ok->setObjectName(QStringLiteral("effectsOk"));
        ok->setDefault(true);
        auto *cancel = new QPushButton(QStringLiteral("取消"), dialog);
        cancel->setObjectName(QStringLiteral("effectsCancel"));
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        outer->addLayout(buttons);

        // Every choice is taken at once (the 背景 dialog's preview follows
        // it); 取消 gives back the fill the dialog opened with.
        const QString fillBefore = m_fill, settingsBefore = m_settings;
        connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
        connect(dialog, &QDialog::rejected, this, [this, fillBefore, settingsBefore] {
            m_showing = true;   // the dialog goes: nothing to show in it
            setFill(fillBefore);
            setSettings(settingsBefore);
            m_showing = false;
        });
        const auto take = [this] { takeEffects(); };
        connect(m_tabs, &QTabWidget::currentChanged, this, take);
        for (QButtonGroup *group : {controls->gradient, controls->style})
            connect(group, &QButtonGroup::buttonToggled, this, [take](QAbstractButton *, bool on) {
                if (on)
                    take();
            });
        for (QComboBox *box : {controls->colour1, controls->colour2, controls->preset, controls->foreground, controls->background})
            connect(box, &QComboBox::currentIndexChanged, this, take);
        for (QListWidget *list : {controls->texture, controls->pattern, controls->picture})
            connect(list, &QListWidget::itemSelectionChanged, this, take);
        m_effects = dialog;
        showEffects();
        dialog->adjustSize();
        dialog->open();
    }
    return m_tabs->currentWidget();
}

void BackgroundFill::showEffects()
{
    if (!m_effects)
        return;
    EffectControls *c = m_controls.get();
    m_showing = true;
    const QStringList parts = m_settings.split(u'、', Qt::SkipEmptyParts);
    QStringList chosenColours, rest;
    QString style;
    for (const QString &part : parts) {
        if (styles().contains(part))
            style = part;
        else if (colours().contains(part))
            chosenColours << part;
        else
            rest << part;
    }
    const QString kind = m_fill;
    const bool gradient = kind.contains(u"渐变") || kind == u"预设";
    if (gradient || !effectKinds().contains(kind))
        m_tabs->setCurrentIndex(0);
    else
        m_tabs->setCurrentIndex(effectKinds().indexOf(kind) - 2);
    check(c->gradient, kind == u"双色渐变" ? QStringLiteral("双色") : kind == u"预设" ? QStringLiteral("预设")
                                                                          : QStringLiteral("单色"));
    check(c->style, style);
    c->colour1->setCurrentText(kind.contains(u"渐变") ? chosenColours.value(0) : QString());
    c->colour2->setCurrentText(kind == u"双色渐变" ? chosenColours.value(1) : QString());
    c->preset->setCurrentText(kind == u"预设" ? rest.value(0) : QString());
    c->colour2->setEnabled(kind == u"双色渐变");
    c->preset->setEnabled(kind == u"预设");
    select(c->texture, kind == u"纹理" ? rest.value(0) : QString());
    c->textureName->setText(kind == u"纹理" ? rest.value(0) : QString());
    select(c->pattern, kind == u"图案" ? rest.value(0) : QString());
    c->foreground->setCurrentText(kind == u"图案" ? chosenColours.value(0) : QString());
    c->background->setCurrentText(kind == u"图案" ? chosenColours.value(1) : QString());
    select(c->picture, kind == u"图片" ? m_settings : QString());
    c->pictureName->setText(kind == u"图片" ? m_settings : QString());
    m_showing = false;
}

void BackgroundFill::takeEffects()
{
    if (m_showing || !m_effects)
        return;
    EffectControls *c = m_controls.get();
    QString kind;
    QStringList parts;
    const auto add = [&parts](const QString &part) {
        if (!part.isEmpty())
            parts << part;
    };
    switch (m_tabs->currentIndex()) {
    case 0: {
        const QString how = checked(c->gradient);
        kind = how == u"双色" ? QStringLiteral("双色渐变") : how == u"预设" ? QStringLiteral("预设") : QStringLiteral("单色渐变");
        c->colour2->setEnabled(kind == u"双色渐变");
        c->preset->setEnabled(kind == u"预设");
        if (kind == u"预设") {
            add(c->preset->currentText());
        } else {
            add(c->colour1->currentText());
            if (kind == u"双色渐变")
                add(c->colour2->currentText());
            add(checked(c->style));
        }
        break;
    }
    case 1:
        kind = QStringLiteral("纹理");
        add(selected(c->texture));
        c->textureName->setText(selected(c->texture));
        break;
    case 2:
        kind = QStringLiteral("图案");
        add(selected(c->pattern));
        add(c->foreground->currentText());
        if (!c->background->currentText().isEmpty())
            add(c->background->currentText());
        break;
    default:
        kind = QStringLiteral("图片");
        add(selected(c->picture));
        c->pictureName->setText(selected(c->picture));
        break;
    }
    m_showing = true;
    // The kind first: a kind of its own clears details that were another's.
    if (kind != m_fill) {
        m_fill = kind;
        showFill();
        m_changed(QStringLiteral("填充"), kind);
    }
    const QString settings = parts.join(u'、');
    if (settings != m_settings) {
        m_settings = settings;
        m_changed(QStringLiteral("设置"), settings);
    }
    m_showing = false;
}

void BackgroundFill::setGuideHint(const QString &text)
{
    // A step that is not done in 填充效果 is done after its 确定.
    const bool here = text.contains(QStringLiteral("填充效果")) || text.contains(QStringLiteral("选项卡"));
    m_hintText = text.isEmpty() || here ? text : text + QStringLiteral("（先单击“确定”，回到“背景”对话框）");
    if (!m_hint || !m_effects)
        return;
    m_hint->setText(m_hintText);
    m_hint->setVisible(!m_hintText.isEmpty());
}

QString BackgroundFill::hint(const QString &field, const QString &value) const
{
    const auto quoted = [](const QString &w) { return QStringLiteral("“%1”").arg(w); };
    if (field == u"填充") {
        if (value == Automatic || colours().contains(value))
            return QStringLiteral("在“背景填充”下的下拉列表中单击") + quoted(value);
        if (value.contains(u"渐变") || value == u"预设") {
            const QString how = value == u"双色渐变" ? QStringLiteral("双色") : value == u"预设" ? QStringLiteral("预设")
                                                                                          : QStringLiteral("单色");
            return QStringLiteral("在“背景填充”下的下拉列表中单击“填充效果…”，在“渐变”选项卡中选中") + quoted(how);
        }
        if (effectKinds().contains(value))
            return QStringLiteral("在“背景填充”下的下拉列表中单击“填充效果…”，单击") + quoted(value) + QStringLiteral("选项卡");
        return QStringLiteral("在“背景填充”下的下拉列表中单击“其他颜色…”，选择") + quoted(value);
    }
    if (field == u"设置") {
        const QString tab = m_fill.contains(u"渐变") || m_fill == u"预设" ? QStringLiteral("渐变")
                          : effectKinds().contains(m_fill)                ? m_fill
                                                                          : QString();
        const QString shown = QString(value).replace(u'、', QStringLiteral("”、“"));
        const QString where = tab.isEmpty() ? QString() : QStringLiteral("在“%1”选项卡中").arg(tab);
        if (m_effects)
            return where + QStringLiteral("选择“%1”，单击“确定”").arg(shown);
        return QStringLiteral("在下拉列表中单击“填充效果…”，%1选择“%2”，单击“确定”").arg(where, shown);
    }
    return {};
}
