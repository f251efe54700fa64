#include "fieldcontrol.h"

#include "colourdialog.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

using Kind = FieldControl::Kind;
using Changed = std::function<void(const QString &)>;

// A field of the colours the lists name (颜色, 填充颜色, 线条颜色…).
bool isColourField(const FieldSpec &field)
{
    return field.choices.contains(QStringLiteral("红色")) && field.choices.contains(QStringLiteral("深蓝色"));
}

FieldControl combo(const FieldSpec &field, QWidget *parent, const Changed &changed)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->addItem(QString());
    box->addItems(field.choices);
    if (!isColourField(field)) {
        QObject::connect(box, &QComboBox::currentTextChanged, box, [changed](const QString &text) { changed(text); });
        return {box, [box] { return box->currentText().trimmed(); }, [box](const QString &v) { box->setCurrentText(v); }};
    }
    // A colour box ends with the colours mixed in the 颜色 dialog lately and
    // 其他颜色…, which opens that dialog: its colour is the box's value, the
    // box keeps what it had until then.
    const QString other = QStringLiteral("其他颜色…");
    for (const QString &colour : ColourDialog::recentColours())
        box->addItem(colour);
    box->addItem(other);
    QObject::connect(box, &QComboBox::currentTextChanged, box, [box, changed, other](const QString &text) {
        if (text != other) {
            box->setProperty("shown", text);
            changed(text);
            return;
        }
        const QString before = box->property("shown").toString();
        QTimer::singleShot(0, box, [box, before] {
            const QSignalBlocker quiet(box);
            box->setCurrentText(before);
            ColourDialog::ask(box, before, [box](const QString &colour) {
                if (box->findText(colour) < 0)
                    box->insertItem(box->count() - 1, colour);
                box->setCurrentText(colour);
            });
        });
    });
    return {box, [box] { return box->currentText().trimmed(); }, [box](const QString &v) { box->setCurrentText(v); }};
}

FieldControl line(QWidget *parent, const Changed &changed)
{
    auto *edit = new QLineEdit(parent);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [changed](const QString &text) { changed(text); });
    return {edit, [edit] { return edit->text().trimmed(); }, [edit](const QString &v) { edit->setText(v); }};
}

FieldControl buttons(const FieldSpec &field, bool exclusive, Qt::Orientation orientation, QWidget *parent,
                     const Changed &changed)
{
    auto *box = new QWidget(parent);
    auto *layout = new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(orientation == Qt::Horizontal ? 12 : 4);
    auto *group = new QButtonGroup(box);
    group->setExclusive(exclusive);
    for (const QString &choice : field.choices) {
        QAbstractButton *button = exclusive ? static_cast<QAbstractButton *>(new QRadioButton(choice, box))
                                            : static_cast<QAbstractButton *>(new QCheckBox(choice, box));
        group->addButton(button);
        layout->addWidget(button);
    }
    if (orientation == Qt::Horizontal)
        layout->addStretch();
    const auto value = [group] {
        QStringList ticked;
        for (QAbstractButton *button : group->buttons())
            if (button->isChecked())
                ticked << button->text();
        return ticked.join(u'、');
    };
    QObject::connect(group, &QButtonGroup::buttonToggled, box, [changed, value, exclusive](QAbstractButton *, bool on) {
        // A radio group reports the button switched off first; only the new choice counts.
        if (!exclusive || on)
            changed(value());
    });
    const auto setValue = [group, exclusive](const QString &v) {
        const QStringList wanted = exclusive ? QStringList{v} : v.split(u'、', Qt::SkipEmptyParts);
        group->setExclusive(false);
        for (QAbstractButton *button : group->buttons())
            button->setChecked(wanted.contains(button->text()));
        group->setExclusive(exclusive);
    };
    return {box, value, setValue};
}

FieldControl yesNo(const QString &label, QWidget *parent, const Changed &changed)
{
    auto *box = new QCheckBox(label, parent);
    // Untouched, the box says nothing: the command keeps what the document had.
    box->setProperty("touched", false);
    const auto value = [box] {
        if (!box->property("touched").toBool())
            return QString();
        return box->isChecked() ? QStringLiteral("是") : QStringLiteral("否");
    };
    QObject::connect(box, &QCheckBox::toggled, box, [box, changed, value](bool) {
        box->setProperty("touched", true);
        changed(value());
    });
    const auto setValue = [box](const QString &v) {
        const QSignalBlocker blocker(box);
        box->setChecked(v == u"是");
        box->setProperty("touched", !v.isEmpty());
    };
    return {box, value, setValue};
}

// What a screen reader says for a choice that is a sign or a numbering
// rather than words ("◆" is 实心菱形).
QString spokenChoice(const QString &choice)
{
    static const QMap<QString, QString> signs = {
        {QStringLiteral("®"), QStringLiteral("注册商标符号")}, {QStringLiteral("©"), QStringLiteral("版权符号")},
        {QStringLiteral("™"), QStringLiteral("商标符号")}, {QStringLiteral("☆"), QStringLiteral("空心五角星")},
        {QStringLiteral("★"), QStringLiteral("实心五角星")}, {QStringLiteral("√"), QStringLiteral("对勾")},
        {QStringLiteral("◆"), QStringLiteral("实心菱形")}, {QStringLiteral("■"), QStringLiteral("实心方块")},
        {QStringLiteral("●"), QStringLiteral("实心圆点")}, {QStringLiteral("•"), QStringLiteral("圆点")},
    };
    if (signs.contains(choice))
        return signs.value(choice) + QStringLiteral("（") + choice + QStringLiteral("）");
    if (choice.contains(QStringLiteral(". ")))
        return QStringLiteral("编号") + choice;
    return choice;
}

FieldControl list(const FieldSpec &field, const TilePainter &tiles, QWidget *parent, const Changed &changed)
{
    auto *view = new QListWidget(parent);
    if (tiles) {
        const QSize icon(72, 54);
        view->setViewMode(QListView::IconMode);
        view->setMovement(QListView::Static);
        view->setResizeMode(QListView::Adjust);
        view->setWrapping(true);
        view->setWordWrap(true);
        view->setIconSize(icon);
        view->setGridSize(QSize(icon.width() + 28, icon.height() + 42));
        view->setSpacing(2);
        // Four tiles a row, two rows in sight.
        view->setMinimumSize(4 * view->gridSize().width() + 30, 2 * view->gridSize().height() + 12);
        for (const QString &choice : field.choices) {
            QPixmap picture(icon);
            picture.fill(Qt::white);
            QPainter painter(&picture);
            tiles(painter, QRectF(0.5, 0.5, icon.width() - 1, icon.height() - 1), choice);
            painter.end();
            auto *item = new QListWidgetItem(QIcon(picture), choice, view);
            item->setData(Qt::UserRole, choice);
            item->setData(Qt::AccessibleTextRole, spokenChoice(choice));
            item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        }
    } else {
        for (const QString &choice : field.choices) {
            auto *item = new QListWidgetItem(choice, view);
            item->setData(Qt::UserRole, choice);
            item->setData(Qt::AccessibleTextRole, spokenChoice(choice));
        }
    }
    const auto value = [view] {
        const QList<QListWidgetItem *> selected = view->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->data(Qt::UserRole).toString();
    };
    QObject::connect(view, &QListWidget::itemSelectionChanged, view, [changed, value] { changed(value()); });
    const auto setValue = [view](const QString &v) {
        for (int i = 0; i < view->count(); ++i) {
            if (view->item(i)->data(Qt::UserRole).toString() == v) {
                view->setCurrentRow(i);
                view->scrollToItem(view->item(i));
                return;
            }
        }
        view->clearSelection();
    };
    return {view, value, setValue};
}

} // namespace

FieldControl makeFieldControl(Kind kind, const FieldSpec &field, const QString &label, const TilePainter &tiles,
                              QWidget *parent, const Changed &changed)
{
    // Choice-bound controls need choices; without them the field is typed.
    const bool hasChoices = !field.choices.isEmpty();
    if (kind == Kind::YesNo && field.choices != QStringList{QStringLiteral("是"), QStringLiteral("否")})
        kind = Kind::Combo;
    FieldControl control;
    if (!hasChoices && kind != Kind::YesNo)
        kind = Kind::Line;
    else if (kind == Kind::Line)
        kind = Kind::Combo;
    switch (kind) {
    case Kind::Combo: control = combo(field, parent, changed); break;
    case Kind::Line: control = line(parent, changed); break;
    case Kind::Radios: control = buttons(field, true, Qt::Horizontal, parent, changed); break;
    case Kind::Column: control = buttons(field, true, Qt::Vertical, parent, changed); break;
    case Kind::Checks: control = buttons(field, false, Qt::Vertical, parent, changed); break;
    case Kind::CheckRow: control = buttons(field, false, Qt::Horizontal, parent, changed); break;
    case Kind::YesNo: control = yesNo(label.isEmpty() ? field.name : label, parent, changed); break;
    case Kind::List: control = list(field, {}, parent, changed); break;
    case Kind::Tiles: control = list(field, tiles, parent, changed); break;
    }
    control.widget->setObjectName(QStringLiteral("field:") + field.name);
    control.widget->setAccessibleName(label.isEmpty() ? field.name : label);
    // A password is typed unseen, as in every dialog that asks for one.
    if (auto *edit = qobject_cast<QLineEdit *>(control.widget); edit && field.name.endsWith(u"密码"))
        edit->setEchoMode(QLineEdit::Password);
    control.kind = kind;
    return control;
}
