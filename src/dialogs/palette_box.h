#pragma once
// A colour palette to pick from with the mouse: the standard palette, or a user's picture
// fitted into the square's top-left corner on black. A press or a drag with the left button
// picks the colour drawn under the pointer; the pointer is held to the palette by taking
// points outside at its nearest edge, and colours come from the palette's own image, never
// from the screen.

#include <QImage>
#include <QWidget>

#include <cstdint>

class PaletteBox : public QWidget {
    Q_OBJECT
public:
    explicit PaletteBox(QWidget* parent = nullptr);

    void ShowStandard();
    // An empty picture leaves the square black.
    void ShowPicture(const QImage& picture);
    bool Standard() const { return standard_; }

    // The colour (0x00BBGGRR) drawn at local point p, p taken into the palette.
    uint32_t ColorAt(const QPoint& p) const;

signals:
    void pressed(Qt::MouseButton button, uint32_t color, const QPoint& globalPos);
    // The pointer moved with the left button held.
    void dragged(uint32_t color);
    void released();
    // The second press of a double-click follows as pressed().
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Rebuild();

    bool standard_ = true;
    QImage picture_;
    QImage drawn_; // what the square shows, pixel for pixel
};
