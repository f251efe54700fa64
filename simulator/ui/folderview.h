#pragma once

#include <QListWidget>
#include <QStringList>

// The files of the candidate's folder (考生文件夹) as a file dialog lists
// them: an icon for each kind of file and its name, only those of the type
// the dialog's type box chose. A click names the file in the dialog's name
// box, a double click accepts it (the dialog connects both).
class FolderView : public QListWidget
{
public:
    explicit FolderView(QWidget *parent = nullptr);

    void setFiles(const QStringList &files);
    // A type as the type boxes spell it ("PPT 文件（*.ppt）"); every file for
    // a type without extensions or with "*.*".
    void setType(const QString &type);
    // The file names shown, in order.
    QStringList shownFiles() const;

    // "所有图片（*.jpg;*.png）" is {"jpg", "png"}; empty for every file.
    static QStringList extensions(const QString &type);

private:
    void fill();
    QStringList m_files;
    QString m_type;
};
