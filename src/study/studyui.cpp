#include "studyui.h"

#include "query.h"
#include "statements.h"

#include <QFrame>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

namespace StudyUi {

namespace {

// One painted picture of the left column.
class Art : public QWidget
{
public:
    enum class Kind { Header, Strip, Logo };

    Art(QWidget *parent, Kind kind, const QString &title = {})
        : QWidget(parent), m_kind(kind), m_title(title)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = rect();
        switch (m_kind) {
        case Kind::Header: {
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, QColor(0x4f, 0x8f, 0xdf));
            g.setColorAt(1, QColor(0x1d, 0x4f, 0xa6));
            p.fillRect(r, g);
            p.setPen(QColor(255, 255, 255, 90));
            p.drawLine(r.topLeft(), r.topRight());
            QFont f = tahoma(true);
            f.setPixelSize(14);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(r, Qt::AlignCenter, m_title);
            break;
        }
        case Kind::Strip: {
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, QColor(0xdd, 0xea, 0xf8));
            g.setColorAt(1, QColor(0x9d, 0xbd, 0xe6));
            p.fillRect(r, g);
            p.setPen(QColor(0x5a, 0x86, 0xc6));
            const qreal y = r.center().y();
            for (int i = 0; i < 5; ++i)
                p.drawEllipse(QPointF(r.center().x() + (i - 2) * 14, y), 2.2, 2.2);
            break;
        }
        case Kind::Logo: {
            QLinearGradient g(r.topLeft(), r.bottomRight());
            g.setColorAt(0, QColor(0xee, 0xf4, 0xfc));
            g.setColorAt(1, QColor(0xc4, 0xd8, 0xf2));
            p.fillRect(r, g);
            const QPointF c(r.center().x(), r.top() + r.height() * 0.38);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x2a, 0x62, 0xc0));
            p.drawRoundedRect(QRectF(c.x() - 22, c.y() - 22, 44, 44), 9, 9);
            p.setBrush(QColor(0xf0, 0x9a, 0x2a));
            p.drawPie(QRectF(c.x() - 14, c.y() - 14, 28, 28), 90 * 16, 100 * 16);
            p.setBrush(Qt::white);
            p.drawPie(QRectF(c.x() - 14, c.y() - 14, 28, 28), 190 * 16, 260 * 16);
            QFont f = tahoma(true);
            f.setPixelSize(15);
            p.setFont(f);
            p.setPen(QColor(0x1d, 0x4f, 0xa6));
            p.drawText(QRectF(r.left(), c.y() + 26, r.width(), 20), Qt::AlignCenter, QStringLiteral("Pelquor"));
            f.setBold(false);
            f.setPixelSize(12);
            p.setFont(f);
            p.setPen(QColor(0x33, 0x4a, 0x6a));
            p.drawText(QRectF(r.left(), c.y() + 46, r.width(), 18), Qt::AlignCenter,
                       QStringLiteral("金山演示2005 考试辅导"));
            break;
        }
        }
    }

private:
    Kind m_kind;
    QString m_title;
};

} // namespace

QFont tahoma(bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(bold);
    return font;
}

QWidget *panel(QWidget *parent, const QColor &colour, bool lowered)
{
    QWidget *widget;
    if (lowered) {
        auto *frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        widget = frame;
    } else {
        widget = new QWidget(parent);
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    return widget;
}

QPushButton *button(QWidget *parent, const QString &text, int left, int top, int width, int height)
{
    auto *b = new QPushButton(text, parent);
    b->setGeometry(left, top, width, height);
    b->setAccessibleName(text);
    return b;
}

QListWidget *titleList(QWidget *parent, const QString &accessibleName)
{
    auto *list = new QListWidget(parent);
    list->setFont(tahoma());
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAccessibleName(accessibleName);
    list->setFrameShape(QFrame::NoFrame);
    return list;
}

QWidget *headerStrip(QWidget *parent, const QString &title)
{
    auto *art = new Art(parent, Art::Kind::Header, title);
    art->setAccessibleName(title);
    return art;
}

QWidget *decorativeStrip(QWidget *parent)
{
    return new Art(parent, Art::Kind::Strip);
}

QWidget *productLogo(QWidget *parent)
{
    auto *art = new Art(parent, Art::Kind::Logo);
    art->setAccessibleName(QStringLiteral("产品标志"));
    return art;
}

void fillTitleList(Query &query, QListWidget *list, const QString &table)
{
    const QSignalBlocker quiet(list);
    list->clear();
    query.close();
    query.setSql(Sql::titleList(table));
    query.open();
    for (; !query.eof(); query.next())
        list->addItem(query.fieldText(QStringLiteral("list")));
    query.close();
    if (list->count() > 0)
        list->setCurrentRow(0);
}

} // namespace StudyUi
