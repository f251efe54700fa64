#include "picturebox.h"

#include "storeerror.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPixmap>

PictureBox::PictureBox(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::loadInto(QLabel *label, const QString &path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw StoreError(QStringLiteral("%1: %2").arg(path, reader.errorString()));
    label->setPixmap(QPixmap::fromImage(image));
}

void PictureBox::loadPicture(const QString &path)
{
    loadInto(this, path);
    m_path = path;
}

void PictureBox::setBuiltInPicture(const QPixmap &picture)
{
    setPixmap(picture);
    m_path.clear();
}

void PictureBox::clearPicture()
{
    clear();
    m_path.clear();
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    emit mousePressed(event->button(), event->globalPosition());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    emit mouseMoved();
}

void PictureBox::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    emit mouseLeft();
}
