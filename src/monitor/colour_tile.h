#pragma once
// ColourTile: one tile of the colour monitor, showing one line's output colour inside a
// sizing frame. The user drags it by its body and resizes it by its frame, inside the
// monitor. It keeps its bounds and the monitor's client size from the last time they were
// recorded: scaling with the monitor always starts from that state, so resizing the
// monitor there and back restores every tile exactly.

#include <QWidget>

#include <cstdint>

class QLabel;

class ColourTile : public QWidget {
    Q_OBJECT
public:
    static constexpr int FrameWidth = 4;                    // the sizing frame around the colour
    static constexpr int MinimumSide = 2 * FrameWidth + 8;  // the smallest the user can size it

    struct RecordedBounds {
        double Left = 0;
        double Top = 0;
        double Width = 0;
        double Height = 0;
        double ClientWidth = 0; // the monitor's client size; 0 without a monitor
        double ClientHeight = 0;
    };

    // line: 0 to 7, the tile's tag. monitor: the window whose client area holds it.
    ColourTile(int line, QWidget* monitor);

    int Line() const { return line_; }
    QLabel* NameLabel() const { return nameLabel_; }
    // 0x00BBGGRR; repaints only on a change.
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t color);
    // The sunken frame of the current line while stopped; repaints only on a change.
    bool Highlighted() const { return highlighted_; }
    void SetHighlighted(bool highlighted);

    const RecordedBounds& Recorded() const { return recorded_; }
    // Records the tile's bounds and the monitor's client size now.
    void RecordBounds();
    // A move by the program: the tile goes to bounds, which are recorded.
    void Place(const QRect& bounds);
    // The same against client, the size the monitor is being given (the window system may
    // apply it later).
    void Place(const QRect& bounds, const QSize& client);
    // The recorded bounds scaled to a monitor client size. A side whose recorded client
    // size is 0 keeps the tile's place.
    QRect ScaledBounds(const QSize& client) const;
    // Moves the tile to ScaledBounds(client); nothing is recorded.
    void ScaleTo(const QSize& client);

signals:
    // The left button went down on the tile, before the tile follows the pointer.
    void leftPressed(int line);
    // The right button went down on the tile at globalPos.
    void menuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum Edge { LeftEdge = 1, TopEdge = 2, RightEdge = 4, BottomEdge = 8 };
    // The frame edges under pos (tile coordinates); 0 on the body.
    int EdgesAt(const QPoint& pos) const;
    void ShowSizeCursor(int edges);
    // The pointer in the monitor's coordinates, kept inside its client area.
    QPoint PointerInMonitor(const QPointF& globalPos) const;
    QRect DraggedBounds(const QPoint& delta) const;

    const int line_;
    QLabel* nameLabel_;
    uint32_t color_ = 0;
    bool highlighted_ = false;
    RecordedBounds recorded_;
    bool dragging_ = false;
    int dragEdges_ = 0; // 0: the tile moves
    QPoint pressPoint_; // in the monitor
    QRect startBounds_;
};
