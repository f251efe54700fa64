#include "colourdialog.h"

#include "commands.h"
#include "slideart.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

QStringList &recent()
{
    static QStringList colours;
    return colours;
}

QString spoken(const QColor &colour)
{
    const QString name = SlideArt::colourName(colour);
    return name.startsWith(u"RGB") ? QStringLiteral("颜色 ") + name : name;
}

} // namespace

// One cell of the honeycomb: a hexagon of its colour, ringed when chosen.
class HexCell : public QAbstractButton
{
public:
    HexCell(const QColor &colour, QWidget *parent) : QAbstractButton(parent), m_colour(colour)
    {
        setCheckable(true);
        setAutoExclusive(true);
        setFixedSize(17, 19);
        name();
    }
    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour)
    {
        m_colour = colour;
        name();
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(isChecked() ? QPen(Qt::black, 2) : QPen(QColor(150, 150, 150), 0.6));
        p.setBrush(m_colour);
        p.drawPath(hexagon());
    }
    bool hitButton(const QPoint &pos) const override { return hexagon().contains(pos); }

private:
    void name()
    {
        setObjectName(QStringLiteral("colour:") + SlideArt::colourName(m_colour));
        setAccessibleName(spoken(m_colour));
        setToolTip(accessibleName());
    }
    QPainterPath hexagon() const
    {
        // Pointed at the top, as the cells of a honeycomb lie.
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        QPainterPath path;
        path.moveTo(r.center().x(), r.top());
        path.lineTo(r.right(), r.top() + r.height() / 4);
        path.lineTo(r.right(), r.bottom() - r.height() / 4);
        path.lineTo(r.center().x(), r.bottom());
        path.lineTo(r.left(), r.bottom() - r.height() / 4);
        path.lineTo(r.left(), r.top() + r.height() / 4);
        path.closeSubpath();
        return path;
    }

    QColor m_colour;
};

// The 自定义 tab's field: the hues across, their strength from grey at the
// foot to full at the top; a click or drag takes the colour under the pointer.
class ColourField : public QWidget
{
public:
    ColourField(std::function<void(const QColor &)> picked, QWidget *parent) : QWidget(parent), m_picked(std::move(picked))
    {
        setObjectName(QStringLiteral("colourField"));
        setAccessibleName(QStringLiteral("颜色(C)"));
        setFixedSize(200, 150);
        setCursor(Qt::CrossCursor);
    }
    void mark(const QColor &colour)
    {
        m_mark = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (m_image.size() != size()) {
            m_image = QImage(size(), QImage::Format_RGB32);
            for (int y = 0; y < height(); ++y)
                for (int x = 0; x < width(); ++x)
                    m_image.setPixel(x, y, colourAt(QPoint(x, y)).rgb());
        }
        p.drawImage(0, 0, m_image);
        p.setPen(QColor(120, 120, 120));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        // The cross over the colour shown, where its hue and strength lie.
        if (m_mark.isValid() && m_mark.hslHue() >= 0) {
            const QPoint at(int(m_mark.hslHueF() * (width() - 1)), int((1 - m_mark.hslSaturationF()) * (height() - 1)));
            p.setPen(QPen(Qt::black, 2));
            p.drawLine(at - QPoint(6, 0), at + QPoint(6, 0));
            p.drawLine(at - QPoint(0, 6), at + QPoint(0, 6));
        }
    }
    void mousePressEvent(QMouseEvent *event) override { pick(event->position().toPoint()); }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (event->buttons() & Qt::LeftButton)
            pick(event->position().toPoint());
    }

private:
    QColor colourAt(const QPoint &at) const
    {
        const double hue = std::clamp(double(at.x()) / std::max(1, width() - 1), 0.0, 1.0);
        const double strength = 1 - std::clamp(double(at.y()) / std::max(1, height() - 1), 0.0, 1.0);
        return QColor::fromHslF(float(std::min(hue, 0.999)), float(strength), 0.5f);
    }
    void pick(const QPoint &at)
    {
        if (rect().contains(at))
            m_picked(colourAt(at));
    }

    std::function<void(const QColor &)> m_picked;
    QImage m_image;
    QColor m_mark;
};

// 新增 over 当前: the colour taken and the one the list had.
class ColourPreview : public QWidget
{
public:
    ColourPreview(const QColor &current, QWidget *parent) : QWidget(parent), m_current(current)
    {
        setObjectName(QStringLiteral("colourPreview"));
        setAccessibleName(QStringLiteral("新增和当前颜色"));
        setFixedSize(60, 80);
    }
    void setNew(const QColor &colour)
    {
        m_new = colour;
        setAccessibleDescription(spoken(colour));
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect swatches(0, 0, width(), height());
        const QRect top(swatches.left(), swatches.top(), swatches.width(), swatches.height() / 2);
        const QRect bottom(swatches.left(), top.bottom() + 1, swatches.width(), swatches.height() - top.height());
        p.fillRect(top, m_new.isValid() ? m_new : palette().window().color());
        p.fillRect(bottom, m_current.isValid() ? m_current : palette().window().color());
        p.setPen(QColor(90, 90, 90));
        p.drawRect(swatches.adjusted(0, 0, -1, -1));
    }

private:
    QColor m_new, m_current;
};

ColourDialog::ColourDialog(const QString &current, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("coloursDialog"));
    setWindowTitle(QStringLiteral("颜色"));
    setAccessibleName(QStringLiteral("颜色"));
    const QColor shown = SlideArt::colour(current, QColor());

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("colourTabs"));
    m_tabs->setAccessibleName(QStringLiteral("颜色选项卡"));

    // 标准: a honeycomb of seven rings, the hues around, paler to the middle,
    // darker at the rim; the colours the lists name take the cells nearest
    // them, so that 标准's blue is the lists' 蓝色. Below, the greys.
    auto *standard = new QWidget(m_tabs);
    standard->setObjectName(QStringLiteral("page:标准"));
    auto *standardLayout = new QVBoxLayout(standard);
    standardLayout->addWidget(new QLabel(QStringLiteral("颜色(C)："), standard));
    auto *comb = new QWidget(standard);
    comb->setAccessibleName(QStringLiteral("标准颜色"));
    constexpr int rings = 6;
    const double w = 17, h = 19 * 0.75;
    QList<HexCell *> coloured;
    for (int row = -rings; row <= rings; ++row) {
        const int first = std::max(-rings, -rings - row), last = std::min(rings, rings - row);
        for (int q = first; q <= last; ++q) {
            const int ring = (std::abs(q) + std::abs(row) + std::abs(q + row)) / 2;
            const double angle = std::atan2(h * row, w * (q + row / 2.0));
            const double hue = std::fmod(angle / (2 * M_PI) + 1.0, 1.0);
            const QColor colour = ring == 0 ? QColor(Qt::white)
                                            : QColor::fromHsvF(float(hue), float(std::min(1.0, ring / 4.0)),
                                                               float(ring <= 4 ? 1.0 : 1.0 - (ring - 4) * 0.25));
            auto *cell = new HexCell(colour, comb);
            cell->move(int(w * (q + row / 2.0 + rings + 0.5) + 4), int(h * (row + rings) + 2));
            coloured << cell;
        }
    }
    const QList<int> greys = {255, 225, 200, 170, 128, 96, 64, 32, 0};
    for (int i = 0; i < greys.size(); ++i) {
        auto *cell = new HexCell(QColor(greys.at(i), greys.at(i), greys.at(i)), comb);
        cell->move(int(w * (i + 2.5) + 4), int(h * (2 * rings + 1) + 14));
        m_cells << cell;
    }
    for (const QString &name : Commands::find(QStringLiteral("字体"))->field(QStringLiteral("颜色"))->choices) {
        const QColor named = SlideArt::colour(name, QColor());
        if (!named.isValid() || cellOf(named))
            continue;
        HexCell *nearest = nullptr;
        double best = 1e9;
        for (HexCell *cell : std::as_const(coloured)) {
            const QColor c = cell->colour();
            const double d = std::pow(c.red() - named.red(), 2) + std::pow(c.green() - named.green(), 2) + std::pow(c.blue() - named.blue(), 2);
            if (d < best && SlideArt::colourName(c).startsWith(u"RGB")) {
                best = d;
                nearest = cell;
            }
        }
        if (nearest)
            nearest->setColour(named);
    }
    m_cells = coloured + m_cells;
    comb->setFixedSize(int(w * (2 * rings + 2)) + 8, int(h * (2 * rings + 2)) + 34);
    standardLayout->addWidget(comb, 0, Qt::AlignHCenter);
    standardLayout->addStretch();
    m_tabs->addTab(standard, QStringLiteral("标准"));

    // 自定义: the field, and the colour's numbers in the mode chosen.
    auto *custom = new QWidget(m_tabs);
    custom->setObjectName(QStringLiteral("page:自定义"));
    auto *customLayout = new QGridLayout(custom);
    customLayout->addWidget(new QLabel(QStringLiteral("颜色(C)："), custom), 0, 0, 1, 2);
    m_field = new ColourField([this](const QColor &c) { showColour(c); }, custom);
    customLayout->addWidget(m_field, 1, 0, 1, 2);
    auto *modeLabel = new QLabel(QStringLiteral("颜色模式(D)："), custom);
    m_mode = new QComboBox(custom);
    m_mode->setObjectName(QStringLiteral("colourMode"));
    m_mode->setAccessibleName(QStringLiteral("颜色模式"));
    m_mode->addItem(QStringLiteral("RGB"));
    modeLabel->setBuddy(m_mode);
    customLayout->addWidget(modeLabel, 2, 0);
    customLayout->addWidget(m_mode, 2, 1);
    int row = 3;
    for (const auto &[box, text, name] : {std::tuple{&m_red, "红色(R)：", "红色"}, std::tuple{&m_green, "绿色(G)：", "绿色"},
                                          std::tuple{&m_blue, "蓝色(B)：", "蓝色"}}) {
        auto *label = new QLabel(QString::fromUtf8(text), custom);
        *box = new QSpinBox(custom);
        (*box)->setRange(0, 255);
        (*box)->setObjectName(QStringLiteral("rgb:") + QString::fromUtf8(name));
        (*box)->setAccessibleName(QString::fromUtf8(name));
        label->setBuddy(*box);
        customLayout->addWidget(label, row, 0);
        customLayout->addWidget(*box, row++, 1);
        connect(*box, &QSpinBox::valueChanged, this, [this] {
            if (!m_showing)
                showColour(QColor(m_red->value(), m_green->value(), m_blue->value()), true);
        });
    }
    customLayout->setRowStretch(row, 1);
    m_tabs->addTab(custom, QStringLiteral("自定义"));

    // 确定 and 取消 at the right, the preview under them.
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setAccessibleName(QStringLiteral("确定"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAccessibleName(QStringLiteral("取消"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_preview = new ColourPreview(shown, this);
    auto *side = new QVBoxLayout;
    side->addWidget(m_ok);
    side->addWidget(cancel);
    side->addStretch();
    // 新增 beside the upper half of the preview, 当前 beside the lower.
    auto *previewGrid = new QGridLayout;
    previewGrid->setVerticalSpacing(0);
    previewGrid->addWidget(m_preview, 0, 0, 2, 1);
    previewGrid->addWidget(new QLabel(QStringLiteral("新增"), this), 0, 1, Qt::AlignTop);
    previewGrid->addWidget(new QLabel(QStringLiteral("当前"), this), 1, 1, Qt::AlignBottom);
    side->addLayout(previewGrid);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(side);

    for (HexCell *cell : std::as_const(m_cells))
        connect(cell, &QAbstractButton::clicked, this, [this, cell] { showColour(cell->colour()); });
    // Opened on the colour the list had: its cell, or its numbers.
    showColour(shown.isValid() ? shown : QColor(Qt::white));
    m_tabs->setCurrentIndex(shown.isValid() && !cellOf(shown) ? 1 : 0);
    connect(this, &QDialog::accepted, this, [this] {
        addRecent(colour());
        emit colourChosen(colour());
    });
}

ColourDialog *ColourDialog::ask(QWidget *parent, const QString &current, const std::function<void(const QString &)> &chosen)
{
    auto *dialog = new ColourDialog(current, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ColourDialog::colourChosen, parent, [chosen](const QString &value) { chosen(value); });
    dialog->open();
    return dialog;
}

QString ColourDialog::colour() const
{
    return SlideArt::colourName(m_colour);
}

void ColourDialog::setColour(const QString &value)
{
    const QColor c = SlideArt::colour(value, QColor());
    if (c.isValid())
        showColour(c);
}

QWidget *ColourDialog::control(const QString &value)
{
    const QColor c = SlideArt::colour(value, QColor());
    if (!c.isValid())
        return nullptr;
    if (HexCell *cell = cellOf(c)) {
        m_tabs->setCurrentIndex(0);
        return cell;
    }
    m_tabs->setCurrentIndex(1);
    return m_red;
}

HexCell *ColourDialog::cellOf(const QColor &colour) const
{
    for (HexCell *cell : m_cells)
        if (cell->colour().rgb() == colour.rgb())
            return cell;
    return nullptr;
}

void ColourDialog::showColour(const QColor &colour, bool fromBoxes)
{
    m_colour = colour;
    m_showing = true;
    if (!fromBoxes) {
        m_red->setValue(colour.red());
        m_green->setValue(colour.green());
        m_blue->setValue(colour.blue());
    }
    m_showing = false;
    if (HexCell *cell = cellOf(colour)) {
        cell->setChecked(true);
    } else {
        // No cell is this colour: none stays ringed.
        for (HexCell *c : std::as_const(m_cells)) {
            c->setAutoExclusive(false);
            c->setChecked(false);
            c->setAutoExclusive(true);
        }
    }
    m_field->mark(colour);
    m_preview->setNew(colour);
}

QStringList ColourDialog::recentColours()
{
    return recent();
}

void ColourDialog::addRecent(const QString &value)
{
    // The lists offer their own colours already.
    if (value.isEmpty() || !value.startsWith(u"RGB"))
        return;
    recent().removeAll(value);
    recent().prepend(value);
    while (recent().size() > 8)
        recent().removeLast();
}
