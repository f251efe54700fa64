#include "folderview.h"

#include <QPainter>
#include <QRegularExpression>

namespace {

// A small page with the colour of its kind: presentations orange, templates
// purple, pictures green, sound and movies blue, the rest grey.
QIcon fileIcon(const QString &extension)
{
    static QMap<QString, QIcon> made;
    if (const auto it = made.constFind(extension); it != made.constEnd())
        return *it;
    QColor band(140, 140, 140);
    if (extension == u"dps" || extension == u"ppt")
        band = QColor(214, 90, 36);
    else if (extension == u"dpt")
        band = QColor(130, 70, 170);
    else if (QStringList{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"), QStringLiteral("bmp"),
                         QStringLiteral("gif"), QStringLiteral("wmf")}.contains(extension))
        band = QColor(60, 150, 70);
    else if (QStringList{QStringLiteral("wav"), QStringLiteral("mid"), QStringLiteral("mp3"), QStringLiteral("avi"),
                         QStringLiteral("wmv"), QStringLiteral("mpg")}.contains(extension))
        band = QColor(50, 100, 200);
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QColor(110, 110, 110));
    p.setBrush(Qt::white);
    p.drawRect(2, 0, 11, 15);
    p.fillRect(3, 9, 10, 6, band);
    p.setPen(QColor(170, 170, 170));
    for (int y = 3; y < 9; y += 2)
        p.drawLine(4, y, 11, y);
    p.end();
    return *made.insert(extension, QIcon(picture));
}

QString extensionOf(const QString &file)
{
    return file.contains(u'.') ? file.section(u'.', -1).toLower() : QString();
}

} // namespace

FolderView::FolderView(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("folderFiles"));
    setAccessibleName(QStringLiteral("考生文件夹中的文件"));
    // Columns of names, as the editor's file dialogs list a folder.
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setIconSize(QSize(16, 16));
    setSpacing(1);
    setUniformItemSizes(true);
}

void FolderView::setFiles(const QStringList &files)
{
    m_files = files;
    fill();
}

void FolderView::setType(const QString &type)
{
    if (type == m_type)
        return;
    m_type = type;
    fill();
}

QStringList FolderView::shownFiles() const
{
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << item(i)->text();
    return shown;
}

QStringList FolderView::extensions(const QString &type)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+|\\*)"));
    QStringList found;
    for (auto it = pattern.globalMatch(type); it.hasNext();) {
        const QString extension = it.next().captured(1).toLower();
        if (extension == u"*")
            return {};
        found << extension;
    }
    return found;
}

void FolderView::fill()
{
    clear();
    const QStringList wanted = extensions(m_type);
    for (const QString &file : std::as_const(m_files)) {
        const QString extension = extensionOf(file);
        if (!wanted.isEmpty() && !wanted.contains(extension))
            continue;
        auto *entry = new QListWidgetItem(fileIcon(extension), file, this);
        entry->setData(Qt::AccessibleTextRole, file);
    }
}
