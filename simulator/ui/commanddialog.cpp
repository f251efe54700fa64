#include "commanddialog.h"

#include "dialoglayouts.h"
#include "dialogpreview.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

CommandDialog::CommandDialog(const CommandSpec &spec, QWidget *parent) : QDialog(parent)
{
    const DialogLayout *layout = DialogLayouts::find(spec.id);
    setWindowTitle(layout && !layout->title.isEmpty() ? layout->title : spec.id);
    setObjectName(QStringLiteral("dialog:") + spec.id);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 8);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    outer->addLayout(grid);
    if (layout)
        buildLaidOut(spec, *layout, grid);
    else
        buildForm(spec, grid);

    auto *buttons = new QHBoxLayout;
    m_guideHint = new QLabel(this);
    m_guideHint->setObjectName(QStringLiteral("guideHint"));
    m_guideHint->setWordWrap(true);
    QPalette red = m_guideHint->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    m_guideHint->setPalette(red);
    m_guideHint->hide();
    buttons->addWidget(m_guideHint, 1);
    buttons->addStretch();
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    outer->addStretch();
    outer->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        emit okClicked();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

FieldControl &CommandDialog::addControl(FieldControl::Kind kind, const FieldSpec &field, const QString &label,
                                        QWidget *parent)
{
    const QString name = field.name;
    FieldControl control = makeFieldControl(kind, field, label, DialogLayouts::tilePainter(name), parent,
                                            [this, name](const QString &value) {
                                                emit fieldChanged(name, value);
                                                for (QWidget *preview : findChildren<DialogPreview *>())
                                                    preview->update();
                                            });
    m_captions.insert(name, label.isEmpty() ? name : label);
    return *m_fields.insert(name, control);
}

void CommandDialog::buildForm(const CommandSpec &spec, QGridLayout *grid)
{
    int row = 0;
    for (const FieldSpec &field : spec.fields) {
        if (m_fields.contains(field.name))
            continue;
        grid->addWidget(new QLabel(field.name + QStringLiteral("："), this), row, 0);
        QWidget *box = addControl(FieldControl::Kind::Combo, field, {}, this).widget;
        box->setMinimumWidth(220);
        grid->addWidget(box, row++, 1);
    }
}

QWidget *CommandDialog::buildGroup(const CommandSpec &spec, const DialogGroup &group, QWidget *parent)
{
    QWidget *box = group.title.isEmpty() ? new QWidget(parent) : new QGroupBox(group.title, parent);
    auto *grid = new QGridLayout(box);
    if (group.title.isEmpty())
        grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(5);
    const int columns = std::max(1, group.columns);
    for (int c = 0; c < columns; ++c)
        grid->setColumnStretch(2 * c + 1, 1);
    // Labelled controls flow `columns` pairs a row; the others take a row each.
    int row = 0, column = 0, placed = 0;
    const auto wholeRow = [&](QWidget *widget, Qt::Alignment alignment = {}) {
        if (column > 0)
            ++row;
        grid->addWidget(widget, row++, 0, 1, 2 * columns, alignment);
        column = 0;
        ++placed;
    };
    for (const DialogItem &item : group.items) {
        if (item.extra == DialogItem::Extra::Note) {
            wholeRow(new QLabel(item.field, box));
            continue;
        }
        if (item.extra == DialogItem::Extra::Preview) {
            wholeRow(new DialogPreview(item.preview, [this] { return values(); }, box), Qt::AlignHCenter);
            continue;
        }
        const FieldSpec *field = spec.field(item.field);
        if (!field || m_fields.contains(item.field))
            continue;
        const bool labelled = !item.label.isEmpty() && item.kind != FieldControl::Kind::YesNo;
        const FieldControl &made = addControl(item.kind, *field, item.label, box);
        QWidget *control = made.widget;
        if (item.label.isEmpty() && made.kind != FieldControl::Kind::YesNo)
            m_captions.insert(field->name, group.title);  // may be empty: the choices speak for themselves
        if (!labelled) {
            wholeRow(control);
            continue;
        }
        grid->addWidget(new QLabel(item.label, box), row, 2 * column);
        grid->addWidget(control, row, 2 * column + 1);
        ++placed;
        if (++column == columns) {
            column = 0;
            ++row;
        }
    }
    if (placed == 0) {
        delete box;
        return nullptr;
    }
    return box;
}

void CommandDialog::buildLaidOut(const CommandSpec &spec, const DialogLayout &layout, QGridLayout *grid)
{
    QMap<QString, QGridLayout *> pages;
    for (const DialogGroup &group : layout.groups) {
        QGridLayout *target = grid;
        QWidget *parent = this;
        if (!group.tab.isEmpty()) {
            if (!m_tabs) {
                m_tabs = new QTabWidget(this);
                m_tabs->setMinimumWidth(460);
                grid->addWidget(m_tabs, 1, 0, 1, 2);
            }
            target = pages.value(group.tab);
            if (!target) {
                auto *page = new QWidget(m_tabs);
                page->setObjectName(QStringLiteral("tab:") + group.tab);
                target = new QGridLayout(page);
                m_tabs->addTab(page, group.tab);
                pages.insert(group.tab, target);
            }
            parent = target->parentWidget();
        }
        if (QWidget *box = buildGroup(spec, group, parent))
            target->addWidget(box, group.row, group.column, 1, group.columnSpan);
    }
    for (QGridLayout *page : std::as_const(pages))
        page->setRowStretch(page->rowCount(), 1);

    // Fields the layout does not place (the command table grows on its own).
    auto *rest = new QGridLayout;
    int row = 0;
    for (const FieldSpec &field : spec.fields) {
        if (m_fields.contains(field.name))
            continue;
        rest->addWidget(new QLabel(field.name + QStringLiteral("："), this), row, 0);
        rest->addWidget(addControl(FieldControl::Kind::Combo, field, {}, this).widget, row++, 1);
    }
    if (row > 0) {
        auto *box = new QGroupBox(QStringLiteral("其他"), this);
        box->setLayout(rest);
        grid->addWidget(box, grid->rowCount(), 0, 1, 2);
    } else {
        delete rest;
    }
}

QMap<QString, QString> CommandDialog::values() const
{
    QMap<QString, QString> values;
    for (auto it = m_fields.begin(); it != m_fields.end(); ++it)
        values.insert(it.key(), it.value().value().trimmed());
    return values;
}

QWidget *CommandDialog::fieldBox(const QString &name) const
{
    const auto it = m_fields.constFind(name);
    return it == m_fields.constEnd() ? nullptr : it->widget;
}

void CommandDialog::setValue(const QString &name, const QString &value)
{
    const auto it = m_fields.constFind(name);
    if (it != m_fields.constEnd())
        it->setValue(value);
}

QString CommandDialog::fieldHint(const QString &name, const QString &value) const
{
    const auto it = m_fields.constFind(name);
    if (it == m_fields.constEnd())
        return {};
    // "中文字体(T)：" is spoken of as “中文字体”.
    static const QRegularExpression decoration(QStringLiteral("(\\([A-Z]\\))?[：:]?$"));
    const QString caption = m_captions.value(name, name).remove(decoration);
    const auto quoted = [](const QString &words) { return QStringLiteral("“%1”").arg(words); };
    const QString where = caption.isEmpty() ? QString() : QStringLiteral("在%1中").arg(quoted(caption));
    using Kind = FieldControl::Kind;
    switch (it->kind) {
    case Kind::YesNo:
        return (value == u"是" ? QStringLiteral("选中") : QStringLiteral("取消选中")) + quoted(caption);
    case Kind::Line:
        return where + QStringLiteral("输入") + quoted(value);
    case Kind::Radios:
    case Kind::Column:
        return where + QStringLiteral("选择") + quoted(value);
    case Kind::Checks:
    case Kind::CheckRow:
        return where + QStringLiteral("选中") + quoted(value);
    case Kind::List:
    case Kind::Tiles:
        return where + QStringLiteral("单击") + quoted(value);
    case Kind::Combo:
        break;
    }
    return where + QStringLiteral("选择或输入") + quoted(value);
}

void CommandDialog::setGuideHint(const QString &text)
{
    m_guideHint->setText(text);
    m_guideHint->setVisible(!text.isEmpty());
}

QWidget *CommandDialog::revealField(const QString &name)
{
    QWidget *box = fieldBox(name);
    if (box && m_tabs) {
        for (int i = 0; i < m_tabs->count(); ++i)
            if (m_tabs->widget(i)->isAncestorOf(box))
                m_tabs->setCurrentIndex(i);
    }
    return box;
}
