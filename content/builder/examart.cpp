#include "examart.h"

#include "builderkit.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextOption>

namespace {

const QColor DeepBlue(0x1F, 0x4E, 0x86);
const QColor MidBlue(0x2F, 0x6D, 0xB5);
const QColor BrightBlue(0x3A, 0x7E, 0xCB);
const QColor PaleBlue(0xDC, 0xEB, 0xFA);
const QColor Paper(0xFB, 0xFC, 0xFE);
const QColor EdgeBlue(0xA9, 0xC8, 0xE8);
const QColor Ink(0x22, 0x2B, 0x36);
const QColor SoftInk(0x44, 0x55, 0x6A);
const QColor CardRed(0xB8, 0x2E, 0x2E);

const QString &Sans = Canvas::SansFamily;
const QString &Kai = Canvas::KaiFamily;

QImage canvas(int width, int height, const QColor &fill = Qt::white)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void prepare(QPainter &p)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

void fillBlueBar(QPainter &p, const QRectF &rect)
{
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, QColor(0x4B, 0x8D, 0xD6));
    fill.setColorAt(0.5, BrightBlue);
    fill.setColorAt(1, QColor(0x26, 0x5E, 0xA3));
    p.fillRect(rect, fill);
    p.fillRect(QRectF(rect.left(), rect.top(), rect.width(), 1), QColor(255, 255, 255, 90));
    p.fillRect(QRectF(rect.left(), rect.bottom() - 1, rect.width(), 1), DeepBlue);
}

void raisedText(QPainter &p, const QString &text, const QRectF &box, const QFont &f,
                Qt::Alignment alignment = Qt::AlignCenter)
{
    Canvas::drawText(p, text, box.translated(1, 1), f, QColor(0, 0, 0, 80), alignment);
    Canvas::drawText(p, text, box, f, Qt::white, alignment);
}

// Text wrapped inside `box`, top aligned; returns the height it took.
qreal wrappedText(QPainter &p, const QString &text, const QRectF &box, const QFont &f, const QColor &colour)
{
    p.setFont(f);
    p.setPen(colour);
    QRectF used;
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &used);
    return used.height();
}

// A head-and-shoulders silhouette for the photo boxes.
void drawSilhouette(QPainter &p, const QRectF &frame)
{
    p.save();
    p.setPen(QPen(EdgeBlue, 1.2));
    QLinearGradient back(frame.topLeft(), frame.bottomLeft());
    back.setColorAt(0, QColor(0xE8, 0xF1, 0xFB));
    back.setColorAt(1, QColor(0xC9, 0xDD, 0xF2));
    p.setBrush(back);
    p.drawRect(frame);
    p.setClipRect(frame.adjusted(1, 1, -1, -1));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7D, 0x96, 0xB3));
    const qreal w = frame.width();
    const qreal h = frame.height();
    const QPointF head(frame.center().x(), frame.top() + h * 0.38);
    p.drawEllipse(head, w * 0.2, h * 0.19);
    QPainterPath body;
    body.moveTo(frame.left() + w * 0.08, frame.bottom() + 2);
    body.cubicTo(frame.left() + w * 0.1, frame.top() + h * 0.66, frame.left() + w * 0.3, frame.top() + h * 0.6,
                 frame.center().x(), frame.top() + h * 0.6);
    body.cubicTo(frame.right() - w * 0.3, frame.top() + h * 0.6, frame.right() - w * 0.1, frame.top() + h * 0.66,
                 frame.right() - w * 0.08, frame.bottom() + 2);
    body.closeSubpath();
    p.drawPath(body);
    p.restore();
}

// A drawn button that a click area lies over.
void drawButton(QPainter &p, const QRectF &area, const QString &text, bool primary)
{
    const QRectF b = area.adjusted(1.5, 1.5, -1.5, -1.5);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x4E, 0x86, 45));
    p.drawRoundedRect(b.translated(0, 2), 6, 6);
    QLinearGradient fill(b.topLeft(), b.bottomLeft());
    if (primary) {
        fill.setColorAt(0, QColor(0x5B, 0x9B, 0xE0));
        fill.setColorAt(1, MidBlue);
        p.setPen(QPen(DeepBlue, 1.0));
    } else {
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, QColor(0xE1, 0xEC, 0xF8));
        p.setPen(QPen(BrightBlue, 1.2));
    }
    p.setBrush(fill);
    p.drawRoundedRect(b, 6, 6);
    p.restore();
    if (primary)
        raisedText(p, text, b, Canvas::font(Sans, 16, true));
    else
        Canvas::drawText(p, text, b, Canvas::font(Sans, 16, true), DeepBlue);
}

// A white field frame under a borderless edit of the screen.
void drawField(QPainter &p, const QRectF &field)
{
    p.save();
    p.setPen(QPen(EdgeBlue, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(field.adjusted(-3.5, -2.5, 2.5, 2.5));
    p.restore();
}

// The six tips of the question window's operation tips box (Tmnksczts),
// which the admission card shows as well.
QStringList operationTips()
{
    return {
        QStringLiteral("试题窗口挡住操作时，可以把它最小化后再还原，也可以用鼠标拖到任意位置。"),
        QStringLiteral("单击“下一题”继续答题，单击“上一题”返回前一题，单击“选题”可以任选一题。"),
        QStringLiteral("浏览过或答过的题在选题框中会改变颜色；没有把握的题可以单击“标识本题”做上标记，以后从选题框中找到它。"),
        QStringLiteral("单击“重做本题”，题目回到初始状态，重新记录答题操作。"),
        QStringLiteral("需要输入文字时，用试题窗口右下角的“输入法”弹出菜单切换输入法。"),
        QStringLiteral("试题窗口的状态栏显示考试的剩余时间。"),
    };
}

// The six tips, numbered, wrapped into `box`; returns the bottom reached.
qreal drawTips(QPainter &p, const QRectF &box, qreal pixelSize, qreal gap)
{
    const QFont f = Canvas::font(Sans, pixelSize);
    qreal y = box.top();
    const QStringList tips = operationTips();
    for (int i = 0; i < tips.size(); ++i) {
        const QPointF disc(box.left() + 8, y + pixelSize * 0.72);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(MidBlue);
        p.drawEllipse(disc, 7.5, 7.5);
        p.restore();
        Canvas::drawText(p, QString::number(i + 1), QRectF(disc.x() - 7, disc.y() - 7.5, 14, 15),
                         Canvas::font(Sans, 11, true), Qt::white);
        const qreal used = wrappedText(p, tips.at(i), QRectF(box.left() + 22, y, box.width() - 22, 200), f, Ink);
        y += used + gap;
    }
    return y;
}

QImage drawTitleStrip()
{
    QImage image = canvas(199, 26);
    QPainter p(&image);
    prepare(p);
    fillBlueBar(p, QRectF(0, 0, 199, 26));
    raisedText(p, QStringLiteral("模拟考试"), QRectF(0, 0, 199, 26), Canvas::font(Kai, 17, true));
    return image;
}

QImage drawDecorativeStrip()
{
    QImage image = canvas(199, 26);
    QPainter p(&image);
    prepare(p);
    QLinearGradient fill(0, 0, 0, 26);
    fill.setColorAt(0, QColor(0xEA, 0xF3, 0xFC));
    fill.setColorAt(1, QColor(0xD3, 0xE5, 0xF7));
    p.fillRect(image.rect(), fill);
    p.fillRect(QRectF(0, 0, 199, 1), EdgeBlue);
    p.fillRect(QRectF(0, 25, 199, 1), EdgeBlue);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        p.setBrush(i % 2 ? PaleBlue.darker(108) : QColor(0x9F, 0xC6, 0xEF));
        p.drawEllipse(QPointF(20 + i * 20, 13), 3, 3);
    }
    return image;
}

QImage drawLogo()
{
    QImage image = canvas(199, 139);
    QPainter p(&image);
    prepare(p);
    QLinearGradient fill(0, 0, 0, 139);
    fill.setColorAt(0, QColor(0x2F, 0x6D, 0xB5));
    fill.setColorAt(1, DeepBlue);
    p.fillRect(image.rect(), fill);
    // A presentation slide with a tick: passing the exam.
    p.setPen(QPen(QColor(255, 255, 255, 220), 2.2));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(QRectF(64, 16, 70, 48), 4, 4);
    p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {QPointF(84, 40), QPointF(96, 52), QPointF(118, 26)};
    p.drawPolyline(tick, 3);
    raisedText(p, QStringLiteral("Pelquor"), QRectF(0, 70, 199, 34), Canvas::font(Sans, 26, true));
    Canvas::drawText(p, QStringLiteral("模拟考场 · 金山演示2005"), QRectF(0, 106, 199, 20), Canvas::font(Sans, 12),
                     QColor(0xDC, 0xEB, 0xFA));
    return image;
}

QImage drawLogin()
{
    QImage image = canvas(785, 577);
    QPainter p(&image);
    prepare(p);
    QLinearGradient back(0, 0, 0, 577);
    back.setColorAt(0, QColor(0xF4, 0xF8, 0xFD));
    back.setColorAt(1, QColor(0xD9, 0xE8, 0xF7));
    p.fillRect(image.rect(), back);
    p.setPen(QPen(EdgeBlue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 783, 575));

    // The examination's title band.
    fillBlueBar(p, QRectF(2, 2, 781, 120));
    raisedText(p, QStringLiteral("计算机应用能力考试"), QRectF(0, 22, 785, 46), Canvas::font(Kai, 38, true));
    raisedText(p, QStringLiteral("金山演示2005  ·  模拟考场"), QRectF(0, 72, 785, 30), Canvas::font(Sans, 20, true));

    // The login card.
    const QRectF card(188, 180, 420, 250);
    p.setPen(QPen(EdgeBlue, 1.4));
    p.setBrush(Paper);
    p.drawRoundedRect(card, 10, 10);
    Canvas::drawText(p, QStringLiteral("考 生 登 录"), QRectF(card.left(), 196, card.width(), 34),
                     Canvas::font(Kai, 24, true), DeepBlue);
    p.setPen(QPen(PaleBlue.darker(110), 1));
    p.drawLine(QPointF(card.left() + 30, 242), QPointF(card.right() - 30, 242));

    const QFont caption = Canvas::font(Sans, 16, true);
    Canvas::drawText(p, QStringLiteral("座位号："), QRectF(213, 289, 114, 23), caption, Ink,
                     Qt::AlignRight | Qt::AlignVCenter);
    Canvas::drawText(p, QStringLiteral("身份证号："), QRectF(213, 319, 114, 24), caption, Ink,
                     Qt::AlignRight | Qt::AlignVCenter);
    drawField(p, QRectF(333, 289, 213, 23));
    drawField(p, QRectF(333, 319, 213, 24));
    drawButton(p, QRectF(365, 365, 90, 37), QStringLiteral("登 录"), true);
    drawButton(p, QRectF(491, 365, 92, 37), QStringLiteral("退 出"), false);

    Canvas::drawText(p, QStringLiteral("请输入座位号和18位身份证号，单击“登录”进入考场。"), QRectF(0, 470, 785, 24),
                     Canvas::font(Sans, 15), SoftInk);
    Canvas::drawText(p, QStringLiteral("考试期间请勿关闭计算机或离开座位。"), QRectF(0, 498, 785, 24),
                     Canvas::font(Sans, 15), SoftInk);
    return image;
}

QImage drawAdmissionCard()
{
    QImage image = canvas(803, 602);
    QPainter p(&image);
    prepare(p);
    QLinearGradient back(0, 0, 0, 602);
    back.setColorAt(0, QColor(0xF4, 0xF8, 0xFD));
    back.setColorAt(1, QColor(0xDC, 0xE9, 0xF7));
    p.fillRect(image.rect(), back);
    p.setPen(QPen(EdgeBlue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 801, 600));

    // The admission card on the left.
    const QRectF card(24, 24, 530, 470);
    p.setPen(QPen(CardRed, 2));
    p.setBrush(Paper);
    p.drawRect(card);
    p.setPen(QPen(CardRed, 0.8));
    p.drawRect(card.adjusted(5, 5, -5, -5));
    Canvas::drawText(p, QStringLiteral("准 考 证"), QRectF(card.left(), 40, card.width(), 44),
                     Canvas::font(Kai, 34, true), CardRed);
    drawSilhouette(p, QRectF(64, 104, 110, 140));

    const QFont caption = Canvas::font(Kai, 19, true);
    const QFont value = Canvas::font(Kai, 19, true);
    const auto row = [&](const QString &text, qreal left, qreal top, qreal width) {
        Canvas::drawText(p, text, QRectF(left, top, width, 28), caption, Ink, Qt::AlignRight | Qt::AlignVCenter);
    };
    // Name, seat number and slot number beside the photo; the seat number
    // itself is the screen's label at 322, 141.
    row(QStringLiteral("姓    名："), 200, 107, 118);
    Canvas::drawText(p, QStringLiteral("考生甲"), QRectF(322, 107, 200, 28), value, Ink, Qt::AlignLeft | Qt::AlignVCenter);
    row(QStringLiteral("座 位 号："), 200, 141, 118);
    row(QStringLiteral("场 次 号："), 200, 175, 118);
    Canvas::drawText(p, QStringLiteral("第 01 场"), QRectF(322, 175, 200, 28), value, Ink, Qt::AlignLeft | Qt::AlignVCenter);
    for (qreal y : {134.0, 168.0, 202.0}) {
        p.setPen(QPen(EdgeBlue, 0.8, Qt::DotLine));
        p.drawLine(QPointF(322, y), QPointF(520, y));
    }
    // The lower rows; subject, identity number and date are the screen's labels.
    row(QStringLiteral("科    目："), 60, 282, 141);
    row(QStringLiteral("身份证号："), 60, 316, 141);
    row(QStringLiteral("档 案 号："), 60, 352, 141);
    Canvas::drawText(p, QStringLiteral("20050821003"), QRectF(205, 352, 300, 28), value, Ink,
                     Qt::AlignLeft | Qt::AlignVCenter);
    row(QStringLiteral("考试日期："), 60, 388, 141);
    for (qreal y : {309.0, 343.0, 379.0, 416.0}) {
        p.setPen(QPen(EdgeBlue, 0.8, Qt::DotLine));
        p.drawLine(QPointF(205, y), QPointF(530, y));
    }
    Canvas::drawText(p, QStringLiteral("凭本证和身份证参加考试，请妥善保管。"), QRectF(card.left(), 440, card.width(), 26),
                     Canvas::font(Sans, 14), SoftInk);

    // The operation tips on the right.
    const QRectF tips(570, 24, 210, 470);
    p.setPen(QPen(EdgeBlue, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(tips, 8, 8);
    fillBlueBar(p, QRectF(tips.left() + 1, tips.top() + 1, tips.width() - 2, 32));
    raisedText(p, QStringLiteral("操作提示"), QRectF(tips.left(), tips.top() + 1, tips.width(), 32),
               Canvas::font(Kai, 19, true));
    drawTips(p, QRectF(tips.left() + 10, tips.top() + 44, tips.width() - 18, 420), 12.5, 7);

    // The reminder beside the progress bar.
    Canvas::drawText(p, QStringLiteral("试题传输完成后将自动进入考场，请先仔细阅读右侧的操作提示。"),
                     QRectF(24, 504, 760, 24), Canvas::font(Sans, 15, true), DeepBlue);
    p.setPen(QPen(EdgeBlue, 1));
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawRoundedRect(QRectF(88, 528, 376, 62), 6, 6);
    return image;
}

QImage drawPleaseWait()
{
    QImage image = canvas(490, 160, QColor(0xC0, 0xDC, 0xC0));
    QPainter p(&image);
    prepare(p);
    const QRectF card(6.5, 6.5, 477, 147);
    p.setPen(QPen(EdgeBlue, 1.6));
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, QColor(0xEA, 0xF3, 0xFC));
    p.setBrush(fill);
    p.drawRoundedRect(card, 14, 14);
    // A document with a folded corner, being read.
    const QRectF doc(40, 34, 64, 86);
    QPainterPath sheet;
    sheet.moveTo(doc.topLeft());
    sheet.lineTo(doc.right() - 18, doc.top());
    sheet.lineTo(doc.right(), doc.top() + 18);
    sheet.lineTo(doc.bottomRight());
    sheet.lineTo(doc.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(MidBlue, 2));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setPen(QPen(QColor(0x9F, 0xC6, 0xEF), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(doc.left() + 12, doc.top() + 32 + i * 13), QPointF(doc.right() - 12, doc.top() + 32 + i * 13));
    p.setPen(QPen(DeepBlue, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(100, 100), 17, 17);
    p.drawLine(QPointF(112, 112), QPointF(126, 126));

    Canvas::drawText(p, QStringLiteral("正在读取试题文件，请稍候……"), QRectF(150, 40, 320, 40), Canvas::font(Kai, 25, true),
                     DeepBlue, Qt::AlignLeft | Qt::AlignVCenter);
    Canvas::drawText(p, QStringLiteral("考试计时不停，试题打开后即可继续答题"), QRectF(150, 86, 320, 26),
                     Canvas::font(Sans, 14), SoftInk, Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

QImage drawTipsBox()
{
    QImage image = canvas(361, 351, QColor(0xF4, 0xF8, 0xFD));
    QPainter p(&image);
    prepare(p);
    fillBlueBar(p, QRectF(0, 0, 361, 34));
    raisedText(p, QStringLiteral("考试操作提示"), QRectF(0, 0, 361, 34), Canvas::font(Kai, 20, true));
    drawTips(p, QRectF(14, 44, 335, 256), 12.5, 5);
    p.setPen(QPen(EdgeBlue, 1));
    p.drawLine(QPointF(10, 306), QPointF(351, 306));
    return image;
}

QImage drawExamineeCard()
{
    QImage image = canvas(297, 137, Paper);
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(EdgeBlue, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 296, 136));
    drawSilhouette(p, QRectF(10, 10, 62, 78));
    const QFont caption = Canvas::font(Sans, 12, true);
    const QFont value = Canvas::font(Sans, 12);
    const auto row = [&](const QString &text, const QString &sample, qreal top, qreal left) {
        Canvas::drawText(p, text, QRectF(left, top, 74, 18), caption, Ink, Qt::AlignLeft | Qt::AlignVCenter);
        if (!sample.isEmpty())
            Canvas::drawText(p, sample, QRectF(left + 76, top, 140, 18), value, Ink, Qt::AlignLeft | Qt::AlignVCenter);
    };
    // Picture coordinates: the window's labels for the file number and the
    // identity number stand at 165, 108 and 167, 128, that is 74 and 94 here.
    row(QStringLiteral("姓  名："), QStringLiteral("考生甲"), 12, 84);
    row(QStringLiteral("座位号："), QStringLiteral("28"), 34, 84);
    row(QStringLiteral("场次号："), QStringLiteral("第 01 场"), 56, 84);
    row(QStringLiteral("档案号："), QString(), 74, 78);
    row(QStringLiteral("身份证号："), QString(), 94, 78);
    Canvas::drawText(p, QStringLiteral("金山演示2005 模拟考试"), QRectF(0, 114, 297, 18), Canvas::font(Sans, 11),
                     SoftInk);
    return image;
}

} // namespace

namespace Artwork {

void writeExamPictures(const QString &imagesDir)
{
    const QDir dir(imagesDir);
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("mnks_title.png")), drawTitleStrip(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("mnks_strip.png")), drawDecorativeStrip(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("mnks_logo.png")), drawLogo(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("mnks1_login.png")), drawLogin(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("mnks2_card.png")), drawAdmissionCard(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("mnks3_wait.png")), drawPleaseWait(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("mnksczts.png")), drawTipsBox(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("mnksksxx.png")), drawExamineeCard(), "png");
}

} // namespace Artwork
