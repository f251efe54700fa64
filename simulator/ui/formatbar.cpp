#include "formatbar.h"

#include "colourdialog.h"
#include "commands.h"
#include "session.h"
#include "slideart.h"
#include "toolicons.h"

#include <QComboBox>
#include <QMenu>
#include <QToolButton>

namespace {

const FieldSpec &fontField(const char *name)
{
    return *Commands::find(QStringLiteral("字体"))->field(QString::fromUtf8(name));
}

// The alignment buttons and the value of 对齐 each one writes.
const QList<std::pair<const char *, const char *>> alignments = {
    {"左对齐", "左对齐"}, {"居中", "居中对齐"}, {"右对齐", "右对齐"},
};

} // namespace

FormatBar::FormatBar(QWidget *parent) : QToolBar(QStringLiteral("格式"), parent)
{
    setObjectName(QStringLiteral("formatBar"));
    setMovable(false);
    setIconSize(QSize(16, 16));

    m_font = new QComboBox(this);
    m_font->setObjectName(QStringLiteral("format:中文字体"));
    m_font->setToolTip(QStringLiteral("字体"));
    m_font->setAccessibleName(QStringLiteral("字体"));
    // Chinese families first, then the Western ones: a Western family chosen
    // here is the text's 西文字体, as the 字体 dialog would set it.
    m_font->addItems(fontField("中文字体").choices);
    m_font->addItems(fontField("西文字体").choices);
    m_font->setFixedWidth(104);
    // The width is fixed: the size hint need not measure every item (the
    // list still opens as wide as its widest one).
    m_font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    addWidget(m_font);
    connect(m_font, &QComboBox::textActivated, this, [this](const QString &family) {
        const bool western = fontField("西文字体").choices.contains(family);
        choose(QStringLiteral("字体"), western ? QStringLiteral("西文字体") : QStringLiteral("中文字体"), family);
    });

    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("format:字号"));
    m_size->setToolTip(QStringLiteral("字号"));
    m_size->setAccessibleName(QStringLiteral("字号"));
    m_size->addItems(fontField("字号").choices);
    m_size->setFixedWidth(52);
    m_size->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    addWidget(m_size);
    connect(m_size, &QComboBox::textActivated, this, &FormatBar::chooseSize);
    addSeparator();

    auto button = [this](const char *name) {
        const QString text = QString::fromUtf8(name);
        QAction *action = addAction(ToolIcons::icon(text), text);
        action->setObjectName(QStringLiteral("format:") + text);
        return action;
    };
    for (const char *name : {"加粗", "倾斜", "下划线", "文字阴影"}) {
        QAction *action = button(name);
        action->setCheckable(true);
        m_toggles.insert(QString::fromUtf8(name), action);
    }
    connect(m_toggles.value(QStringLiteral("加粗")), &QAction::triggered, this, [this](bool on) {
        toggleShape(on, m_toggles.value(QStringLiteral("倾斜"))->isChecked());
    });
    connect(m_toggles.value(QStringLiteral("倾斜")), &QAction::triggered, this, [this](bool on) {
        toggleShape(m_toggles.value(QStringLiteral("加粗"))->isChecked(), on);
    });
    connect(m_toggles.value(QStringLiteral("下划线")), &QAction::triggered, this, [this](bool on) {
        choose(QStringLiteral("字体"), QStringLiteral("下划线"), on ? QStringLiteral("单线") : QStringLiteral("无"));
    });
    // The shadow is one of the 字体 dialog's 效果: off again, none is left.
    connect(m_toggles.value(QStringLiteral("文字阴影")), &QAction::triggered, this, [this](bool on) {
        choose(QStringLiteral("字体"), QStringLiteral("效果"), on ? QStringLiteral("阴影") : QStringLiteral("无"));
    });
    addSeparator();
    for (const auto &[name, value] : alignments) {
        QAction *action = button(name);
        action->setCheckable(true);
        m_toggles.insert(QString::fromUtf8(name), action);
        const QString written = QString::fromUtf8(value);
        connect(action, &QAction::triggered, this, [this, written] {
            choose(QStringLiteral("对齐方式"), QStringLiteral("对齐"), written);
        });
    }
    // The editor's keys for what the buttons do: Ctrl+B, I, U; Ctrl+L, E, R;
    // Ctrl+] and Ctrl+[ for larger and smaller.
    const QList<std::pair<const char *, const char *>> keys = {
        {"加粗", "Ctrl+B"}, {"倾斜", "Ctrl+I"}, {"下划线", "Ctrl+U"},
        {"左对齐", "Ctrl+L"}, {"居中", "Ctrl+E"}, {"右对齐", "Ctrl+R"},
    };
    for (const auto &[name, key] : keys)
        m_toggles.value(QString::fromUtf8(name))->setShortcut(QKeySequence(QString::fromUtf8(key)));
    addSeparator();
    for (const char *name : {"增大字号", "减小字号"}) {
        const QString id = QString::fromUtf8(name);
        QAction *action = button(name);
        action->setShortcut(id == u"增大字号" ? QKeySequence(Qt::CTRL | Qt::Key_BracketRight)
                                              : QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
        connect(action, &QAction::triggered, this, [this, id] {
            emit chosen(id, {{QStringLiteral("对象"), m_object}});
        });
    }
    connect(button("格式刷"), &QAction::triggered, this, &FormatBar::painterPicked);

    // The colour button applies the colour it shows (its face, named by its
    // description); its arrow offers the others, the colours mixed in the
    // 颜色 dialog lately, and 其他颜色, which opens that dialog.
    m_colourName = QStringLiteral("红色");
    m_colour = new QToolButton(this);
    m_colour->setObjectName(QStringLiteral("format:字体颜色"));
    m_colour->setToolTip(QStringLiteral("字体颜色"));
    m_colour->setAccessibleName(QStringLiteral("字体颜色"));
    m_colour->setAccessibleDescription(m_colourName);
    m_colour->setIcon(ToolIcons::fontColour(SlideArt::colour(m_colourName, Qt::red)));
    m_colour->setPopupMode(QToolButton::MenuButtonPopup);
    auto *colours = new QMenu(m_colour);
    colours->setAccessibleName(QStringLiteral("字体颜色"));
    colours->setObjectName(QStringLiteral("fontColours"));
    m_colour->setMenu(colours);
    const auto entry = [this, colours](const QString &name, QAction *before) {
        QPixmap swatch(12, 12);
        swatch.fill(SlideArt::colour(name, Qt::black));
        auto *action = new QAction(QIcon(swatch), name, colours);
        action->setObjectName(QStringLiteral("entry:字体:") + name);
        connect(action, &QAction::triggered, this, [this, name] { chooseColour(name); });
        colours->insertAction(before, action);
        return action;
    };
    // Filled when first opened: nothing of it is needed before. The recent
    // colours are shown anew each time.
    connect(colours, &QMenu::aboutToShow, this, [this, colours, entry] {
        if (colours->isEmpty()) {
            for (const QString &name : fontField("颜色").choices)
                entry(name, nullptr);
            colours->addSeparator()->setObjectName(QStringLiteral("recentColours"));
            QAction *more = colours->addAction(QStringLiteral("其他颜色(&M)…"));
            more->setObjectName(QStringLiteral("entry:字体:"));
            connect(more, &QAction::triggered, this, [this] {
                ColourDialog::ask(this, m_colourName, [this](const QString &colour) { chooseColour(colour); });
            });
        }
        for (QAction *action : colours->actions())
            if (action->property("recent").toBool())
                delete action;
        QAction *more = colours->findChild<QAction *>(QStringLiteral("entry:字体:"));
        for (const QString &name : ColourDialog::recentColours())
            entry(name, more)->setProperty("recent", true);
    });
    connect(m_colour, &QToolButton::clicked, this, [this] { chooseColour(m_colourName); });
    addWidget(m_colour);
}

QString FormatBar::attribute(const QString &name) const
{
    // A run shows its own format where it has one, its placeholder's elsewhere.
    const QString placeholder = m_object.section(u'「', 0, 0);
    return m_slide.attributes.value(m_object + u'.' + name, m_slide.attributes.value(placeholder + u'.' + name));
}

void FormatBar::showFormat(const Slide &slide, const QString &object)
{
    m_slide = slide;
    m_object = object;
    QString family = attribute(QStringLiteral("中文字体"));
    if (family.isEmpty())
        family = fontField("中文字体").choices.first();
    if (m_font->findText(family) < 0)
        m_font->addItem(family);
    m_font->setCurrentText(family);
    QString size = attribute(QStringLiteral("字号"));
    if (size.isEmpty())
        size = QString::number(Session::defaultFontSize(object.section(u'「', 0, 0)));
    if (m_size->findText(size) < 0)
        m_size->addItem(size);
    m_size->setCurrentText(size);

    const QString shape = attribute(QStringLiteral("字形"));
    m_toggles.value(QStringLiteral("加粗"))->setChecked(shape.contains(u"加粗"));
    m_toggles.value(QStringLiteral("倾斜"))->setChecked(shape.contains(u"倾斜"));
    m_toggles.value(QStringLiteral("下划线"))->setChecked(attribute(QStringLiteral("下划线")) == u"单线");
    m_toggles.value(QStringLiteral("文字阴影"))->setChecked(attribute(QStringLiteral("效果")) == u"阴影");
    QString align = attribute(QStringLiteral("对齐"));
    if (align.isEmpty())
        align = object.startsWith(u"标题") || object.startsWith(u"副标题") ? QStringLiteral("居中对齐") : QStringLiteral("左对齐");
    for (const auto &[name, value] : alignments)
        m_toggles.value(QString::fromUtf8(name))->setChecked(align == QString::fromUtf8(value));
}

void FormatBar::choose(const QString &commandId, const QString &field, const QString &value)
{
    emit chosen(commandId, {{QStringLiteral("对象"), m_object}, {field, value}});
}

void FormatBar::chooseSize(const QString &text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (ok && size >= 1 && size <= 400)
        choose(QStringLiteral("字体"), QStringLiteral("字号"), QString::number(size));
}

void FormatBar::toggleShape(bool bold, bool italic)
{
    const char *shape = bold && italic ? "加粗倾斜" : bold ? "加粗" : italic ? "倾斜" : "常规";
    choose(QStringLiteral("字体"), QStringLiteral("字形"), QString::fromUtf8(shape));
}

void FormatBar::chooseColour(const QString &colour)
{
    if (colour != m_colourName) {
        m_colourName = colour;
        m_colour->setIcon(ToolIcons::fontColour(SlideArt::colour(colour, Qt::red)));
        m_colour->setAccessibleDescription(colour);
    }
    choose(QStringLiteral("字体"), QStringLiteral("颜色"), colour);
}
