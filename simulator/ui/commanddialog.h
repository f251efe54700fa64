#pragma once

#include "commands.h"
#include "document.h"
#include "fieldcontrol.h"
#include "folderview.h"

#include <QDialog>
#include <QMap>
#include <QPointer>

class BackgroundFill;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QTabWidget;
struct DialogGroup;
struct DialogLayout;
struct FileChooser;
struct Question;

// The dialog of one editor command ("字体", "幻灯片切换", …), built when it
// opens. The commands candidates use most are laid out like the editor's own
// dialogs (see DialogLayouts); every other command gets a plain form with a
// drop-down per field. Either way each field is one control named
// "field:<name>" (the guide marks it, tests set it) and OK is named "ok".
class CommandDialog : public QDialog
{
    Q_OBJECT

public:
    // `layoutId` names another layout than the command's (a task pane's
    // dialog for the command: 效果选项).
    explicit CommandDialog(const CommandSpec &spec, QWidget *parent = nullptr, const QString &layoutId = {});

    // The value of every field; empty where nothing was chosen.
    QMap<QString, QString> values() const;
    QWidget *fieldBox(const QString &name) const;
    void setValue(const QString &name, const QString &value);
    // Brings the field's tab to the front; returns its control.
    QWidget *revealField(const QString &name);
    // The field's control and its label are taken off the dialog (a group
    // left empty goes too); the value set on it stays among values().
    void hideField(const QString &name);
    // Only these tabs stay (those that apply to the object the dialog
    // formats); the fields on the others keep the values set on them.
    void keepTabs(const QStringList &tabs);
    // What the guide tells the candidate to do with the field, in the words
    // of the control as this dialog shows it ("选中“幻灯片编号”"); empty
    // for a field the dialog does not have or show.
    QString fieldHint(const QString &name, const QString &value) const;
    // The guide's current step, repeated beside the buttons: the dialog
    // covers the editor's task strip. Empty hides it.
    void setGuideHint(const QString &text);
    QPushButton *okButton() const { return m_ok; }
    // The button besides 确定 that closes the dialog with that value ("全部应用").
    QWidget *acceptButton(const QString &value) const;
    // The files of the candidate's folder, for a file dialog to list.
    void setFolderFiles(const QStringList &files);
    // A file dialog's list of the folder; null for other dialogs and before
    // 浏览 opened it.
    FolderView *folderView() const { return m_folder; }
    // Another place for a file dialog to list ("剪辑管理器" and its clips).
    void setFolder(const QString &place, const QStringList &files);
    // A field the way the dialog was opened decides (the submenu entry): it
    // has a control the dialog does not show.
    bool decidedByEntry(const QString &name) const { return m_byEntry.contains(name); }
    // 确定 brought up the dialog's question (see Question); its answer closes the dialog.
    bool asked() const { return m_asked; }
    // The slide as it looks now: the preview shows it with what the dialog changes.
    void setBaseSlide(const Slide &slide);

signals:
    void fieldChanged(const QString &name, const QString &value);
    // 确定 was pressed and the dialog asks its question before it closes.
    void questionAsked();
    void okClicked();
    // 预览: the candidate asks to see the values on the slide itself.
    void previewAsked();

private:
    void buildForm(const CommandSpec &spec, QGridLayout *grid);
    // `rest`: the fields the layout does not place get a control under "其他".
    void buildLaidOut(const CommandSpec &spec, const DialogLayout &layout, QGridLayout *grid, bool rest);
    QWidget *buildGroup(const CommandSpec &spec, const DialogGroup &group, QWidget *parent);
    void buildFileChooser(const CommandSpec &spec, const FileChooser &files, QGridLayout *grid, QPushButton *cancel);
    // The folder, its files and the type box, in rows from `row` of `grid`.
    FolderView *buildFolder(QWidget *owner, QGridLayout *grid, int row, const QString &place);
    void browse(const FileChooser &files);
    void ask();
    // The types the file type box offers, the title, for the value of the kind field.
    void chooseKind(const FileChooser &files, const QString &kind);
    FieldControl &addControl(FieldControl::Kind kind, const FieldSpec &field, const QString &label, QWidget *parent);

    QMap<QString, FieldControl> m_fields;
    QMap<QString, QString> m_captions;  // field: the words the candidate sees for it
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_ok = nullptr;
    QLabel *m_guideHint = nullptr;
    QPointer<FolderView> m_folder;
    QStringList m_folderFiles;
    QString m_typeField;      // the field whose value filters the folder's files
    QString m_nameField;      // a file dialog's file name: needed to accept
    QMap<QString, QString> m_accepted;  // set by the button that accepted (AcceptButton)
    QStringList m_byEntry;
    QStringList m_gone;       // fields on the tabs taken off (keepTabs)
    const Question *m_question = nullptr;
    bool m_asked = false;
    QComboBox *m_fileType = nullptr;
    QString m_title;
    BackgroundFill *m_backgroundFill = nullptr;
};
