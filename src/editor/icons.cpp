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

void Page(QPainter& p, QRectF r, const QColor& ink)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

// A step box as the lane draws it: a coloured square with a dark edge.
void StepBox(QPainter& p, QRectF r, const QColor& fill, const QColor& ink)
{
    p.setPen(QPen(ink, 1.2));
    p.setBrush(fill);
    p.drawRect(r);
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
    case IconKind::Cut:
        // Scissors: two blades crossing above two rings.
        p.setPen(QPen(ink, 1.6));
        p.drawLine(QPointF(6, 2), QPointF(12.5, 12));
        p.drawLine(QPointF(14, 2), QPointF(7.5, 12));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(170, 30, 30), 1.8));
        p.drawEllipse(QRectF(3, 12, 5, 5));
        p.drawEllipse(QRectF(12, 12, 5, 5));
        break;
    case IconKind::Copy:
        Page(p, QRectF(2.5, 2.5, 10, 12), ink);
        Page(p, QRectF(7.5, 5.5, 10, 12), ink);
        break;
    case IconKind::Paste:
        // A clipboard with a page on it.
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(190, 140, 70));
        p.drawRect(QRectF(3.5, 3.5, 11, 14));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(6.5, 2.5, 5, 3));
        Page(p, QRectF(9.5, 8.5, 8, 10), ink);
        break;
    case IconKind::AddBlankStep:
        // An empty (hollow) step box with a plus beside it.
        p.setPen(QPen(ink, 1.2, Qt::DashLine));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 7.5, 9, 9));
        p.setPen(QPen(green, 2));
        p.drawLine(QPointF(15, 2), QPointF(15, 10));
        p.drawLine(QPointF(11, 6), QPointF(19, 6));
        break;
    case IconKind::DeleteStep:
        StepBox(p, QRectF(2.5, 7.5, 9, 9), QColor(220, 60, 60), ink);
        p.setPen(QPen(QColor(190, 20, 20), 2));
        p.drawLine(QPointF(12, 2), QPointF(18, 8));
        p.drawLine(QPointF(18, 2), QPointF(12, 8));
        break;
    case IconKind::Undo: {
        // An arrow bending back to the left.
        p.setPen(QPen(QColor(30, 80, 170), 2));
        p.setBrush(Qt::NoBrush);
        QPainterPath arc;
        arc.moveTo(6, 8);
        arc.cubicTo(QPointF(14, 8), QPointF(17, 10), QPointF(16, 15));
        p.drawPath(arc);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 80, 170));
        p.drawPolygon(Triangle(1.5, 3.5, 6, 9, false));
        break;
    }
    case IconKind::PrevStep:
    case IconKind::NextStep: {
        // A step box with an arrow towards it from the other side.
        const bool next = kind == IconKind::NextStep;
        StepBox(p, QRectF(next ? 12.5 : 2.5, 6.5, 5, 7), QColor(220, 60, 60), ink);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(Triangle(next ? 4 : 9, 5, 6, 10, next));
        break;
    }
    case IconKind::Volume:
        // A speaker and two sound waves.
        p.setBrush(ink);
        p.drawRect(QRectF(2, 7.5, 3.5, 5));
        p.drawPolygon(QPolygonF({QPointF(5, 7.5), QPointF(10, 3), QPointF(10, 17), QPointF(5, 12.5)}));
        p.setPen(QPen(ink, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 6, 6, 8), -50 * 16, 100 * 16);
        p.drawArc(QRectF(8, 3, 10, 14), -50 * 16, 100 * 16);
        break;
    case IconKind::Exit:
        // A door with an arrow leaving it.
        p.setPen(QPen(ink, 1.2));
        p.setBrush(QColor(170, 120, 70));
        p.drawRect(QRectF(3.5, 2.5, 8, 15));
        p.setPen(QPen(QColor(170, 30, 30), 2));
        p.drawLine(QPointF(9, 10), QPointF(17, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(170, 30, 30));
        p.drawPolygon(Triangle(14, 6.5, 5, 7, true));
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
