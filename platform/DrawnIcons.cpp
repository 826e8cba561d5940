#include "platform/DrawnIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter &, const QRectF &)>;

// Draws the symbol afresh for every size and device pixel ratio.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(Drawing draw) : m_draw(std::move(draw)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        m_draw(*painter, QRectF(rect));
        painter->restore();
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine *clone() const override { return new DrawnIconEngine(m_draw); }

private:
    Drawing m_draw;
};

QIcon drawn(Drawing draw)
{
    return QIcon(new DrawnIconEngine(std::move(draw)));
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kvd9-programmer-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon warningIcon()
{
    return drawn([](QPainter &p, const QRectF &r) {
        const qreal s = qMin(r.width(), r.height());
        const QRectF box(r.center().x() - s / 2, r.center().y() - s / 2, s, s);
        QPainterPath triangle;
        triangle.moveTo(box.center().x(), box.top() + s * 0.06);
        triangle.lineTo(box.right() - s * 0.03, box.bottom() - s * 0.08);
        triangle.lineTo(box.left() + s * 0.03, box.bottom() - s * 0.08);
        triangle.closeSubpath();
        p.setPen(QPen(QColor(0x9a, 0x6a, 0x00), s * 0.04, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xf5, 0xc2, 0x11));
        p.drawPath(triangle);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(box.center().x() - s * 0.045, box.top() + s * 0.33, s * 0.09, s * 0.32),
                          s * 0.04, s * 0.04);
        p.drawEllipse(QPointF(box.center().x(), box.top() + s * 0.76), s * 0.055, s * 0.055);
    });
}

QIcon confirmIcon()
{
    return drawn([](QPainter &p, const QRectF &r) {
        const qreal s = qMin(r.width(), r.height());
        QPainterPath tick;
        tick.moveTo(r.center().x() - s * 0.32, r.center().y());
        tick.lineTo(r.center().x() - s * 0.08, r.center().y() + s * 0.25);
        tick.lineTo(r.center().x() + s * 0.34, r.center().y() - s * 0.28);
        p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), s * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    });
}

QIcon folderIcon(bool open)
{
    return drawn([open](QPainter &p, const QRectF &r) {
        const qreal s = qMin(r.width(), r.height());
        const QRectF body(r.center().x() - s * 0.45, r.center().y() - s * 0.28, s * 0.9, s * 0.66);
        p.setPen(QPen(QColor(0x8a, 0x6d, 0x1e), qMax(1.0, s * 0.05)));
        p.setBrush(QColor(0xe8, 0xc1, 0x5a));
        p.drawRoundedRect(QRectF(body.left(), body.top() - s * 0.1, s * 0.38, s * 0.2), s * 0.04, s * 0.04);
        p.drawRoundedRect(body, s * 0.05, s * 0.05);
        if (open) {
            p.setBrush(QColor(0xf6, 0xd9, 0x87));
            QPolygonF flap({QPointF(body.left() + s * 0.12, body.top() + s * 0.2),
                            QPointF(body.right() + s * 0.04, body.top() + s * 0.2),
                            QPointF(body.right() - s * 0.06, body.bottom()), QPointF(body.left(), body.bottom())});
            p.drawPolygon(flap);
        }
    });
}

QIcon driveIcon()
{
    return drawn([](QPainter &p, const QRectF &r) {
        const qreal s = qMin(r.width(), r.height());
        const QRectF body(r.center().x() - s * 0.45, r.center().y() - s * 0.2, s * 0.9, s * 0.4);
        p.setPen(QPen(QColor(0x45, 0x4f, 0x5a), qMax(1.0, s * 0.05)));
        p.setBrush(QColor(0xb8, 0xc2, 0xcc));
        p.drawRoundedRect(body, s * 0.06, s * 0.06);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3c, 0xb0, 0x43));
        p.drawEllipse(QPointF(body.right() - s * 0.12, body.center().y()), s * 0.05, s * 0.05);
    });
}
