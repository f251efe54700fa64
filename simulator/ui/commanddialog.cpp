#include "commanddialog.h"

#include "backgroundfill.h"
#include "dialoglayouts.h"
#include "dialogpreview.h"
#include "folderview.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QStyle>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

CommandDialog::CommandDialog(const CommandSpec &spec, QWidget *parent, const QString &layoutId) : QDialog(parent)
{
    const DialogLayout *layout = layoutId.isEmpty() ? nullptr : DialogLayouts::find(layoutId);
    // A dialog of its own (a pane's) shows what it places and nothing else.
    const bool ownLayout = layout != nullptr;
    if (!layout)
        layout = DialogLayouts::find(spec.id);
    m_title = layout && !layout->title.isEmpty() ? layout->title : spec.id;
    setWindowTitle(m_title);
    if (layout && layout->question)
        m_question = &*layout->question;
    setObjectName(QStringLiteral("dialog:") + spec.id);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 8);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    outer->addLayout(grid);
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    const bool files = layout && layout->files;
    if (files)
        buildFileChooser(spec, *layout->files, grid, cancel);
    else if (layout)
        buildLaidOut(spec, *layout, grid, !ownLayout);
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
    // The guide's line has the dialog's width above the buttons: it is read, not squeezed.
    outer->addStretch();
    outer->addWidget(m_guideHint);
    if (!files) {   // a file dialog has its buttons beside its boxes
        buttons->addStretch();
        buttons->addWidget(m_ok);
        if (layout && !layout->accept.isEmpty())
            m_ok->setText(layout->accept);
        for (const AcceptButton &also : layout ? layout->alsoAccept : QList<AcceptButton>{}) {
            auto *button = new QPushButton(also.text, this);
            button->setObjectName(QStringLiteral("accept:") + also.value);
            buttons->addWidget(button);
            connect(button, &QPushButton::clicked, this, [this, also] {
                m_accepted.insert(also.field, also.value);
                emit fieldChanged(also.field, also.value);
                emit okClicked();
                accept();
            });
        }
        m_ok->setVisible(!(layout && layout->acceptedByAlsoOnly));
        if (layout && layout->acceptedByAlsoOnly && !layout->alsoAccept.isEmpty())
            findChild<QPushButton *>(QStringLiteral("accept:") + layout->alsoAccept.first().value)->setDefault(true);
        buttons->addWidget(cancel);
        if (layout && layout->previewButton) {
            auto *preview = new QPushButton(QStringLiteral("预览(&P)"), this);
            preview->setObjectName(QStringLiteral("previewButton"));
            buttons->addWidget(preview);
            connect(preview, &QPushButton::clicked, this, [this] {
                for (QWidget *shown : findChildren<DialogPreview *>())
                    shown->update();
                emit previewAsked();
            });
        }
    }
    outer->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        // A file dialog without a file name takes nothing: the name box waits.
        if (!m_nameField.isEmpty() && values().value(m_nameField).isEmpty()) {
            if (QWidget *name = fieldBox(m_nameField))
                name->setFocus();
            return;
        }
        if (m_question && (m_question->whenField.isEmpty() || m_question->whenValues.contains(values().value(m_question->whenField))))
            return ask();
        emit okClicked();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// The question in a box over the dialog, as the editor's message boxes look;
// closing the box without an answer leaves the dialog open.
void CommandDialog::ask()
{
    auto *box = new QDialog(this);
    box->setObjectName(QStringLiteral("questionBox"));
    box->setWindowTitle(QStringLiteral("金山演示"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(box);
    auto *row = new QHBoxLayout;
    auto *icon = new QLabel(box);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    row->addWidget(icon, 0, Qt::AlignTop);
    const QString subject = values().value(m_question->subject);
    auto *words = new QLabel(m_question->text.arg(subject.isEmpty() ? m_question->fallback : subject), box);
    words->setObjectName(QStringLiteral("question"));
    row->addWidget(words, 1);
    layout->addLayout(row);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const AcceptButton &answer : m_question->answers) {
        auto *button = new QPushButton(answer.text, box);
        button->setObjectName(QStringLiteral("accept:") + answer.value);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, box, answer] {
            m_accepted.insert(answer.field, answer.value);
            emit fieldChanged(answer.field, answer.value);
            box->accept();
            emit okClicked();
            accept();
        });
    }
    if (m_question->cancel) {
        auto *cancel = new QPushButton(QStringLiteral("取消"), box);
        cancel->setObjectName(QStringLiteral("questionCancel"));
        buttons->addWidget(cancel);
        connect(cancel, &QPushButton::clicked, box, &QDialog::reject);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    m_asked = true;
    emit questionAsked();
    box->open();
}

FolderView *CommandDialog::buildFolder(QWidget *owner, QGridLayout *grid, int row, const QString &place)
{
    grid->addWidget(new QLabel(place, owner), row, 0);
    auto *folder = new QComboBox(owner);
    folder->setObjectName(QStringLiteral("folder"));
    folder->setAccessibleName(QString(place).remove(QRegularExpression(QStringLiteral("(\\([A-Z]\\))?[：:]$"))));
    folder->addItem(style()->standardIcon(QStyle::SP_DirIcon), QStringLiteral("考生文件夹"));
    grid->addWidget(folder, row, 1);
    auto *view = new FolderView(owner);
    view->setMinimumSize(470, 180);
    grid->addWidget(view, row + 1, 0, 1, 3);
    return view;
}

void CommandDialog::buildFileChooser(const CommandSpec &spec, const FileChooser &files, QGridLayout *grid,
                                     QPushButton *cancel)
{
    grid->setColumnStretch(1, 1);
    int row = 0;
    m_nameField = files.nameField;
    if (!files.browse) {
        m_folder = buildFolder(this, grid, row, files.place);
        row += 2;
    }
    // The name box, with the button that accepts (or 浏览) beside it.
    if (const FieldSpec *name = spec.field(files.nameField)) {
        grid->addWidget(new QLabel(files.nameLabel, this), row, 0);
        grid->addWidget(addControl(FieldControl::Kind::Line, *name, files.nameLabel, this).widget, row, 1);
    }
    if (files.browse) {
        auto *browse = new QPushButton(QStringLiteral("浏览(&B)…"), this);
        browse->setObjectName(QStringLiteral("browse"));
        grid->addWidget(browse, row, 2);
        connect(browse, &QPushButton::clicked, this, [this, files] { this->browse(files); });
    } else {
        grid->addWidget(m_ok, row, 2);
    }
    ++row;
    // The type box: the command's field, or the types this dialog lists.
    if (!files.browse) {
        grid->addWidget(new QLabel(files.typeLabel, this), row, 0);
        const QString accessible = QString(files.typeLabel).remove(QRegularExpression(QStringLiteral("(\\([A-Z]\\))?[：:]$")));
        if (const FieldSpec *type = files.typeField.isEmpty() ? nullptr : spec.field(files.typeField)) {
            QWidget *box = addControl(FieldControl::Kind::Combo, *type, files.typeLabel, this).widget;
            grid->addWidget(box, row, 1);
            m_typeField = type->name;
            if (auto *combo = qobject_cast<QComboBox *>(box))
                combo->setInsertPolicy(QComboBox::NoInsert);
        } else {
            auto *box = new QComboBox(this);
            box->setObjectName(QStringLiteral("fileType"));
            box->setAccessibleName(accessible);
            box->addItems(files.types);
            grid->addWidget(box, row, 1);
            connect(box, &QComboBox::currentTextChanged, this, [this](const QString &type) { m_folder->setType(type); });
            m_folder->setType(box->currentText());
            m_fileType = box;
        }
        grid->addWidget(cancel, row, 2);
        ++row;
    }
    // The command's other fields, one labelled row each.
    const int firstOther = row;
    for (const FieldSpec &field : spec.fields) {
        if (m_fields.contains(field.name) || (m_question && field.name == m_question->field))
            continue;
        if (files.hidden.contains(field.name)) {
            addControl(FieldControl::Kind::Combo, field, {}, this).widget->hide();
            m_byEntry << field.name;
            continue;
        }
        const QString label = files.labels.value(field.name, field.name + QStringLiteral("："));
        grid->addWidget(new QLabel(label, this), row, 0);
        const bool slides = files.browse && field.name == u"幻灯片";
        QWidget *control = addControl(slides ? FieldControl::Kind::List : FieldControl::Kind::Combo, field, label, this).widget;
        if (slides)
            control->setFixedHeight(control->fontMetrics().height() * 5);
        grid->addWidget(control, row++, 1);
    }
    if (files.browse) {
        auto *column = new QVBoxLayout;
        column->addWidget(m_ok);
        column->addWidget(cancel);
        column->addStretch();
        grid->addLayout(column, firstOther, 2, std::max(1, row - firstOther), 1);
        grid->setColumnMinimumWidth(1, 300);
    }
    m_ok->setText(files.accept.isEmpty() ? m_ok->text() : QString(files.accept).replace(QStringLiteral("("), QStringLiteral("(&")));
    cancel->setText(files.browse ? QStringLiteral("关闭") : QStringLiteral("取消"));
    for (auto it = files.defaults.begin(); it != files.defaults.end(); ++it)
        setValue(it.key(), it.value());
    if (!files.kindField.isEmpty()) {
        const QString kindField = files.kindField;
        connect(this, &CommandDialog::fieldChanged, this, [this, files, kindField](const QString &name, const QString &value) {
            if (name == kindField)
                chooseKind(files, value);
        });
        chooseKind(files, values().value(kindField));
    }

    if (m_folder) {
        // A click names the file; a double click accepts it at once.
        const QString nameField = files.nameField;
        connect(m_folder, &QListWidget::itemClicked, this, [this, nameField](QListWidgetItem *item) {
            setValue(nameField, item->text());
        });
        connect(m_folder, &QListWidget::itemDoubleClicked, this, [this, nameField](QListWidgetItem *item) {
            setValue(nameField, item->text());
            m_ok->click();
        });
        if (!m_typeField.isEmpty()) {
            m_folder->setType(values().value(m_typeField));
            connect(this, &CommandDialog::fieldChanged, this, [this](const QString &name, const QString &value) {
                if (name == m_typeField)
                    m_folder->setType(value);
            });
        }
    }
}

// 浏览: the folder in a dialog of its own; 打开 there names the file in the
// dialog that asked.
void CommandDialog::browse(const FileChooser &files)
{
    auto *browser = new QDialog(this);
    browser->setObjectName(QStringLiteral("browseDialog"));
    browser->setWindowTitle(QStringLiteral("浏览"));
    browser->setAttribute(Qt::WA_DeleteOnClose);
    auto *grid = new QGridLayout(browser);
    grid->setColumnStretch(1, 1);
    FolderView *view = buildFolder(browser, grid, 0, files.place);
    view->setFiles(m_folderFiles);
    grid->addWidget(new QLabel(QStringLiteral("文件名(N)："), browser), 2, 0);
    auto *name = new QLineEdit(browser);
    name->setObjectName(QStringLiteral("browseName"));
    name->setAccessibleName(QStringLiteral("文件名"));
    grid->addWidget(name, 2, 1);
    auto *open = new QPushButton(QStringLiteral("打开(&O)"), browser);
    open->setObjectName(QStringLiteral("browseOpen"));
    open->setDefault(true);
    grid->addWidget(open, 2, 2);
    grid->addWidget(new QLabel(files.typeLabel, browser), 3, 0);
    auto *type = new QComboBox(browser);
    type->setObjectName(QStringLiteral("fileType"));
    type->setAccessibleName(QStringLiteral("文件类型"));
    type->addItems(files.types);
    grid->addWidget(type, 3, 1);
    auto *cancel = new QPushButton(QStringLiteral("取消"), browser);
    grid->addWidget(cancel, 3, 2);
    view->setType(type->currentText());
    connect(type, &QComboBox::currentTextChanged, view, [view](const QString &chosen) { view->setType(chosen); });
    connect(view, &QListWidget::itemClicked, name, [name](QListWidgetItem *item) { name->setText(item->text()); });
    connect(view, &QListWidget::itemDoubleClicked, open, [name, open](QListWidgetItem *item) {
        name->setText(item->text());
        open->click();
    });
    const QString nameField = files.nameField;
    connect(open, &QPushButton::clicked, this, [this, browser, name, nameField] {
        if (name->text().trimmed().isEmpty())
            return;
        setValue(nameField, name->text().trimmed());
        browser->accept();
    });
    connect(cancel, &QPushButton::clicked, browser, &QDialog::reject);
    m_folder = view;
    browser->open();
}

void CommandDialog::chooseKind(const FileChooser &files, const QString &kind)
{
    setWindowTitle(files.titleFor.value(kind, m_title));
    if (!m_fileType)
        return;
    m_fileType->clear();
    m_fileType->addItems(files.typesFor.value(kind, files.types));
}

void CommandDialog::setFolder(const QString &place, const QStringList &files)
{
    if (auto *folder = findChild<QComboBox *>(QStringLiteral("folder")))
        folder->setItemText(0, place);
    setFolderFiles(files);
}

void CommandDialog::setFolderFiles(const QStringList &files)
{
    m_folderFiles = files;
    if (m_backgroundFill)
        m_backgroundFill->setPictures(files);
    if (m_folder)
        m_folder->setFiles(files);
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
        if (item.extra == DialogItem::Extra::Fill) {
            const FieldSpec *fill = spec.field(QStringLiteral("填充"));
            const FieldSpec *settings = spec.field(QStringLiteral("设置"));
            if (!fill || !settings || m_backgroundFill)
                continue;
            m_backgroundFill = new BackgroundFill(*fill, *settings, box, [this](const QString &name, const QString &value) {
                emit fieldChanged(name, value);
                for (QWidget *preview : findChildren<DialogPreview *>())
                    preview->update();
            });
            m_fields.insert(fill->name, m_backgroundFill->fillControl());
            m_fields.insert(settings->name, m_backgroundFill->settingsControl());
            m_captions.insert(fill->name, group.title);
            m_captions.insert(settings->name, QStringLiteral("填充效果"));
            wholeRow(m_backgroundFill->box());
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

void CommandDialog::buildLaidOut(const CommandSpec &spec, const DialogLayout &layout, QGridLayout *grid, bool rest)
{
    QMap<QString, QGridLayout *> pages;
    for (const DialogGroup &group : layout.groups) {
        QGridLayout *target = grid;
        QWidget *parent = this;
        if (!group.tab.isEmpty()) {
            if (!m_tabs) {
                m_tabs = new QTabWidget(this);
                m_tabs->setMinimumWidth(460);
                m_tabs->setAccessibleName(m_title + QStringLiteral("选项卡"));
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

    if (!rest)
        return;
    // Fields the layout does not place (the command table grows on its own).
    auto *others = new QGridLayout;
    int row = 0;
    for (const FieldSpec &field : spec.fields) {
        const bool byButton = std::any_of(layout.alsoAccept.begin(), layout.alsoAccept.end(),
                                          [&field](const AcceptButton &button) { return button.field == field.name; });
        if (m_fields.contains(field.name) || byButton)
            continue;
        others->addWidget(new QLabel(field.name + QStringLiteral("："), this), row, 0);
        others->addWidget(addControl(FieldControl::Kind::Combo, field, {}, this).widget, row++, 1);
    }
    if (row > 0) {
        auto *box = new QGroupBox(QStringLiteral("其他"), this);
        box->setLayout(others);
        grid->addWidget(box, grid->rowCount(), 0, 1, 2);
    } else {
        delete others;
    }
}

QMap<QString, QString> CommandDialog::values() const
{
    QMap<QString, QString> values;
    for (auto it = m_fields.begin(); it != m_fields.end(); ++it)
        values.insert(it.key(), it.value().value().trimmed());
    for (auto it = m_accepted.begin(); it != m_accepted.end(); ++it)
        values.insert(it.key(), it.value());
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
    if (m_gone.contains(name))
        return {};
    const auto it = m_fields.constFind(name);
    if (m_byEntry.contains(name))
        return {};   // nothing to see: the task's own words say which entry
    if (m_backgroundFill)
        if (const QString words = m_backgroundFill->hint(name, value); !words.isEmpty())
            return words;
    if (it == m_fields.constEnd()) {
        // A value given by the button that closes the dialog.
        auto *button = qobject_cast<QPushButton *>(acceptButton(value));
        return button ? QStringLiteral("单击“%1”按钮").arg(button->text().remove(QRegularExpression(QStringLiteral("\\(&[A-Z]\\)"))))
                      : QString();
    }
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
    if (m_backgroundFill)
        m_backgroundFill->setGuideHint(text);
}

void CommandDialog::setBaseSlide(const Slide &slide)
{
    // DialogPreview has no meta-object of its own: found as a widget, told apart by its class.
    for (QWidget *widget : findChildren<QWidget *>(QStringLiteral("preview")))
        if (auto *preview = dynamic_cast<DialogPreview *>(widget))
            preview->setBase(slide);
}

QWidget *CommandDialog::acceptButton(const QString &value) const
{
    return findChild<QPushButton *>(QStringLiteral("accept:") + value);
}

QWidget *CommandDialog::revealField(const QString &name)
{
    if (m_gone.contains(name))
        return nullptr;
    // The effect's details are set in 填充效果, opened on its tab.
    if (m_backgroundFill && name == u"设置")
        return m_backgroundFill->openEffects();
    QWidget *box = fieldBox(name);
    if (box && m_tabs) {
        for (int i = 0; i < m_tabs->count(); ++i)
            if (m_tabs->widget(i)->isAncestorOf(box))
                m_tabs->setCurrentIndex(i);
    }
    return box;
}

void CommandDialog::keepTabs(const QStringList &tabs)
{
    if (!m_tabs)
        return;
    for (int i = m_tabs->count() - 1; i >= 0; --i) {
        if (tabs.contains(m_tabs->tabText(i)))
            continue;
        QWidget *page = m_tabs->widget(i);
        m_tabs->removeTab(i);
        page->hide();
        for (auto it = m_fields.begin(); it != m_fields.end(); ++it)
            if (page->isAncestorOf(it->widget))
                m_gone << it.key();
    }
    adjustSize();
}

void CommandDialog::hideField(const QString &name)
{
    QWidget *control = fieldBox(name);
    if (!control)
        return;
    control->hide();
    QWidget *owner = control->parentWidget();
    if (auto *grid = owner ? qobject_cast<QGridLayout *>(owner->layout()) : nullptr) {
        int row = 0, column = 0, rows = 0, columns = 0;
        const int at = grid->indexOf(control);
        if (at >= 0) {
            grid->getItemPosition(at, &row, &column, &rows, &columns);
            if (QLayoutItem *before = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr)
                if (auto *label = qobject_cast<QLabel *>(before->widget()))
                    label->hide();
        }
    }
    // A group of the dialog with nothing left to show.
    if (owner && owner != this) {
        const QList<QWidget *> children = owner->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        if (std::none_of(children.begin(), children.end(), [](QWidget *w) { return !w->isHidden(); }))
            owner->hide();
    }
    adjustSize();
}
