#include "monitor/colour_tile.h"

#include "gui_common/colors.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace {

int Truncated(double value) { return static_cast<int>(std::trunc(value)); }

} // namespace

ColourTile::ColourTile(int line, QWidget* monitor) : QWidget(monitor), line_(line)
{
    const QString caption = QString("Line %1").arg(line + 1);
    setObjectName(QString("ColMon%1").arg(line + 1));
    setWindowTitle(caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // the size cursors over the frame

    nameLabel_ = new QLabel(caption, this);
    nameLabel_->setObjectName("NameLabel");
    nameLabel_->move(FrameWidth + 5, FrameWidth + 5);
    QPalette silver = nameLabel_->palette();
    silver.setColor(QPalette::WindowText, QColor(192, 192, 192));
    nameLabel_->setPalette(silver);
    nameLabel_->adjustSize();
    // The label is part of the body: a press on it drags the tile.
    nameLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ColourTile::SetColor(uint32_t color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void ColourTile::SetHighlighted(bool highlighted)
{
    if (highlighted == highlighted_)
        return;
    highlighted_ = highlighted;
    update();
}

void ColourTile::RecordBounds()
{
    const QRect r = geometry();
    recorded_.Left = r.x();
    recorded_.Top = r.y();
    recorded_.Width = r.width();
    recorded_.Height = r.height();
    const QWidget* monitor = parentWidget();
    recorded_.ClientWidth = monitor ? monitor->width() : 0;
    recorded_.ClientHeight = monitor ? monitor->height() : 0;
}

void ColourTile::Place(const QRect& bounds)
{
    setGeometry(bounds);
    RecordBounds();
}

void ColourTile::Place(const QRect& bounds, const QSize& client)
{
    Place(bounds);
    recorded_.ClientWidth = client.width();
    recorded_.ClientHeight = client.height();
}

QRect ColourTile::ScaledBounds(const QSize& client) const
{
    const QRect r = geometry();
    int left = r.x(), top = r.y(), width = r.width(), height = r.height();
    if (recorded_.ClientHeight > 0) {
        const double f = client.height() / recorded_.ClientHeight;
        top = Truncated(recorded_.Top * f);
        height = Truncated(f * recorded_.Height);
    }
    if (recorded_.ClientWidth > 0) {
        const double f = client.width() / recorded_.ClientWidth;
        left = Truncated(recorded_.Left * f);
        width = Truncated(f * recorded_.Width);
    }
    return {left, top, width, height};
}

void ColourTile::ScaleTo(const QSize& client)
{
    setGeometry(ScaledBounds(client));
    update();
}

void ColourTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QBrush face = palette().brush(QPalette::Button);
    qDrawWinPanel(&painter, rect(), palette(), false, &face);
    const QRect client = rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
    painter.fillRect(client, ToQColor(color_));
    if (highlighted_)
        qDrawWinPanel(&painter, client.adjusted(2, 2, -2, -2), palette(), true, nullptr);
}

int ColourTile::EdgesAt(const QPoint& pos) const
{
    int edges = 0;
    if (pos.x() < FrameWidth)
        edges |= LeftEdge;
    else if (pos.x() >= width() - FrameWidth)
        edges |= RightEdge;
    if (pos.y() < FrameWidth)
        edges |= TopEdge;
    else if (pos.y() >= height() - FrameWidth)
        edges |= BottomEdge;
    return edges;
}

void ColourTile::ShowSizeCursor(int edges)
{
    const bool horizontal = edges & (LeftEdge | RightEdge);
    const bool vertical = edges & (TopEdge | BottomEdge);
    if (horizontal && vertical) {
        // Top left and bottom right share one diagonal, the other two corners the other.
        const bool falling = ((edges & LeftEdge) != 0) == ((edges & TopEdge) != 0);
        setCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    } else if (horizontal) {
        setCursor(Qt::SizeHorCursor);
    } else if (vertical) {
        setCursor(Qt::SizeVerCursor);
    } else {
        unsetCursor();
    }
}

QPoint ColourTile::PointerInMonitor(const QPointF& globalPos) const
{
    const QWidget* monitor = parentWidget();
    const QPoint p = globalPos.toPoint();
    if (!monitor)
        return p;
    const QPoint local = monitor->mapFromGlobal(p);
    return {std::clamp(local.x(), 0, std::max(0, monitor->width() - 1)),
            std::clamp(local.y(), 0, std::max(0, monitor->height() - 1))};
}

QRect ColourTile::DraggedBounds(const QPoint& delta) const
{
    int left = startBounds_.x(), top = startBounds_.y();
    int right = left + startBounds_.width(), bottom = top + startBounds_.height();
    if (dragEdges_ == 0)
        return startBounds_.translated(delta);
    if (dragEdges_ & LeftEdge)
        left = std::min(left + delta.x(), right - MinimumSide);
    if (dragEdges_ & RightEdge)
        right = std::max(right + delta.x(), left + MinimumSide);
    if (dragEdges_ & TopEdge)
        top = std::min(top + delta.y(), bottom - MinimumSide);
    if (dragEdges_ & BottomEdge)
        bottom = std::max(bottom + delta.y(), top + MinimumSide);
    return {left, top, right - left, bottom - top};
}

void ColourTile::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit leftPressed(line_);
        raise(); // the tile being dragged passes over the others
        dragging_ = true;
        dragEdges_ = EdgesAt(event->position().toPoint());
        pressPoint_ = PointerInMonitor(event->globalPosition());
        startBounds_ = geometry();
        return;
    }
    if (event->button() == Qt::RightButton)
        emit menuRequested(event->globalPosition().toPoint());
}

void ColourTile::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        dragging_ = false; // the release went elsewhere (a menu or another window took it)
    if (!dragging_) {
        ShowSizeCursor(EdgesAt(event->position().toPoint()));
        return;
    }
    const QRect bounds = DraggedBounds(PointerInMonitor(event->globalPosition()) - pressPoint_);
    if (bounds != geometry()) {
        setGeometry(bounds);
        RecordBounds(); // a tile the user placed keeps its place when the monitor scales
    }
}

void ColourTile::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}
