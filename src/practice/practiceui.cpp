#include "practiceui.h"

#include "addresses.h"
#include "desktop.h"
#include "picturebox.h"
#include "programfolder.h"
#include "storeerror.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace PracticeUi {

namespace {

class SiteArea : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            Desktop::openAddress(Addresses::productSite);
    }
};

} // namespace

namespace {

void loadDecoration(PictureBox *box, const QString &path)
{
    try {
        box->loadPicture(path);
    } catch (const StoreError &) {
        // An unreadable decoration is left out; the screen works without it.
    }
}

// Reads a decoration when its picture first comes on screen. The module
// windows are made hidden at start-up, and reading their pictures then
// would lengthen every start for screens the candidate may never open.
class DecorateOnShow : public QObject
{
public:
    DecorateOnShow(PictureBox *box, const QString &path) : QObject(box), m_path(path)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            loadDecoration(static_cast<PictureBox *>(watched), m_path);
            deleteLater();
        }
        return false;
    }

private:
    QString m_path;
};

} // namespace

void decorate(PictureBox *box, const QString &imageName)
{
    const QString path = ProgramFolder::file(QStringLiteral("images/") + imageName);
    if (!QFileInfo::exists(path))
        return;
    if (box->isVisible())
        loadDecoration(box, path);
    else
        new DecorateOnShow(box, path);
}

QWidget *panel(QWidget *parent, const QColor &colour)
{
    auto *widget = new QWidget(parent);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    return widget;
}

QPushButton *button(QWidget *parent, const QString &text, int left, int top, int width, int height)
{
    auto *b = new QPushButton(text, parent);
    QFont font = b->font();
    font.setBold(true);
    b->setFont(font);
    b->setGeometry(left, top, width, height);
    return b;
}

void showTask(QTextEdit *box, const QString &task)
{
    // A task is plain text whatever it contains: markup in it is shown as
    // typed, never rendered (an image tag would load a file from disk).
    box->setPlainText(QStringLiteral("要求:\n  ") + task);
    // A long task opens at its beginning.
    box->moveCursor(QTextCursor::Start);
    box->verticalScrollBar()->setValue(0);
}

QTextEdit *richEdit(QWidget *parent, int pixelSize)
{
    auto *edit = new QTextEdit(parent);
    edit->setReadOnly(true);
    edit->setAcceptRichText(false);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (pixelSize > 0) {
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(pixelSize);
        edit->setFont(font);
    }
    return edit;
}

QString gridLines()
{
    return QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d4d4d4; border-bottom: 1px solid #d4d4d4; padding: 1px 2px; }"
        "QTreeView::item:selected { background: #316ac5; color: white; }");
}

QLabel *siteArea(QWidget *parent, int left, int top, int width, int height)
{
    auto *area = new SiteArea(parent);
    area->setGeometry(left, top, width, height);
    area->setCursor(Qt::PointingHandCursor);
    area->setAttribute(Qt::WA_TranslucentBackground);
    return area;
}

} // namespace PracticeUi
