#include "dialogs/palette_box.h"

#include "dialogs/standard_palette.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

PaletteBox::PaletteBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void PaletteBox::ShowStandard()
{
    standard_ = true;
    Rebuild();
}

void PaletteBox::ShowPicture(const QImage& picture)
{
    standard_ = false;
    picture_ = picture;
    Rebuild();
}

void PaletteBox::Rebuild()
{
    const int w = std::max(1, width());
    const int h = std::max(1, height());
    if (standard_) {
        drawn_ = StandardPaletteImage(w, h);
    } else {
        drawn_ = QImage(w, h, QImage::Format_RGB32);
        drawn_.fill(Qt::black);
        if (!picture_.isNull() && picture_.height() > 0) {
            // The picture keeps its proportions inside the square.
            const double q = double(picture_.width()) / picture_.height();
            int dw = w, dh = h;
            if (q > 1)
                dh = int(h / q);
            else if (q < 1)
                dw = int(q * w);
            if (dw > 0 && dh > 0) {
                QPainter p(&drawn_);
                p.drawImage(QPoint(0, 0), picture_.scaled(dw, dh, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                                              .convertToFormat(QImage::Format_RGB32));
            }
        }
    }
    update();
}

uint32_t PaletteBox::ColorAt(const QPoint& p) const
{
    const int x = std::clamp(p.x(), 0, drawn_.width() - 1);
    const int y = std::clamp(p.y(), 0, drawn_.height() - 1);
    if (standard_)
        return StandardPaletteColor(x, y, drawn_.width(), drawn_.height());
    const QRgb c = drawn_.pixel(x, y);
    return uint32_t(qRed(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qBlue(c)) << 16;
}

void PaletteBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, drawn_);
}

void PaletteBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Rebuild();
}

void PaletteBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        setCursor(Qt::CrossCursor);
    emit pressed(event->button(), ColorAt(p), event->globalPosition().toPoint());
}

void PaletteBox::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        emit dragged(ColorAt(event->position().toPoint()));
}

void PaletteBox::mouseReleaseEvent(QMouseEvent*)
{
    unsetCursor();
    emit released();
}

void PaletteBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        unsetCursor();
        emit doubleClicked();
    }
    mousePressEvent(event);
}
