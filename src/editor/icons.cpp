#include "editor/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPolygonF Triangle(qreal x, qreal y, qreal w, qreal h, bool right)
{
    if (right)
        return QPolygonF({QPointF(x, y), QPointF(x + w, y + h / 2), QPointF(x, y + h)});
    return QPolygonF({QPointF(x + w, y), QPointF(x, y + h / 2), QPointF(x + w, y + h)});
}

void Paint(QPainter& p, IconKind kind)
{
    const QColor ink(40, 40, 40);
    const QColor green(20, 140, 60);
    p.setPen(Qt::NoPen);
    switch (kind) {
    case IconKind::TopPlay:
        p.setBrush(ink);
        p.drawRect(QRectF(3, 4, 2.5, 12));
        p.setBrush(green);
        p.drawPolygon(Triangle(7, 4, 10, 12, true));
        break;
    case IconKind::Play:
        p.setBrush(green);
        p.drawPolygon(Triangle(5, 3, 11, 14, true));
        break;
    case IconKind::Pause:
        p.setBrush(ink);
        p.drawRect(QRectF(5, 4, 3.5, 12));
        p.drawRect(QRectF(11.5, 4, 3.5, 12));
        break;
    case IconKind::Stop:
        p.setBrush(QColor(170, 30, 30));
        p.drawRect(QRectF(5, 5, 10, 10));
        break;
    case IconKind::ToTop:
        p.setBrush(ink);
        p.drawRect(QRectF(3, 4, 2.5, 12));
        p.drawPolygon(Triangle(6, 4, 6, 12, false));
        p.drawPolygon(Triangle(12, 4, 6, 12, false));
        break;
    case IconKind::ToEnd:
        p.setBrush(ink);
        p.drawPolygon(Triangle(2, 4, 6, 12, true));
        p.drawPolygon(Triangle(8, 4, 6, 12, true));
        p.drawRect(QRectF(14.5, 4, 2.5, 12));
        break;
    case IconKind::New:
    case IconKind::Save:
    case IconKind::SaveAs:
    case IconKind::Open: {
        p.setPen(QPen(ink, 1.2));
        p.setBrush(Qt::white);
        if (kind == IconKind::Open) {
            p.setBrush(QColor(235, 200, 90));
            p.drawRect(QRectF(2.5, 6.5, 15, 10));
            p.drawRect(QRectF(2.5, 4.5, 6, 2));
        } else if (kind == IconKind::New) {
            QPainterPath page;
            page.moveTo(4.5, 2.5);
            page.lineTo(12.5, 2.5);
            page.lineTo(15.5, 5.5);
            page.lineTo(15.5, 17.5);
            page.lineTo(4.5, 17.5);
            page.closeSubpath();
            p.drawPath(page);
        } else {
            p.setBrush(QColor(60, 90, 170));
            p.drawRect(QRectF(3.5, 3.5, 13, 13));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 3.5, 7, 5));
            if (kind == IconKind::SaveAs) {
                p.setPen(QPen(QColor(200, 120, 0), 2));
                p.drawLine(QPointF(10, 16), QPointF(17, 9));
            }
        }
        break;
    }
    case IconKind::ZoomIn:
    case IconKind::ZoomOut:
    case IconKind::ZoomFit:
        p.setPen(QPen(ink, 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.drawLine(QPointF(12, 12), QPointF(17.5, 17.5));
        if (kind == IconKind::ZoomFit) {
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
            p.drawLine(QPointF(5, 8), QPointF(7, 6));
            p.drawLine(QPointF(11, 8), QPointF(9, 6));
        } else {
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
            if (kind == IconKind::ZoomIn)
                p.drawLine(QPointF(8, 5), QPointF(8, 11));
        }
        break;
    case IconKind::AddStep:
        // A step box with a plus beside it.
        p.setPen(QPen(ink, 1.2));
        p.setBrush(QColor(220, 60, 60));
        p.drawRect(QRectF(2.5, 7.5, 9, 9));
        p.setPen(QPen(green, 2));
        p.drawLine(QPointF(15, 2), QPointF(15, 10));
        p.drawLine(QPointF(11, 6), QPointF(19, 6));
        break;
    case IconKind::StepColor:
        // Three colour boxes.
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(220, 50, 50));
        p.drawRect(QRectF(2.5, 2.5, 8, 8));
        p.setBrush(QColor(50, 180, 60));
        p.drawRect(QRectF(9.5, 5.5, 8, 8));
        p.setBrush(QColor(60, 80, 220));
        p.drawRect(QRectF(5.5, 10.5, 8, 8));
        break;
    }
}

} // namespace

QIcon ToolIcon(IconKind kind)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint(painter, kind);
    painter.end();
    return QIcon(pixmap);
}
