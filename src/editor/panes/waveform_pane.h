#pragma once
// One waveform pane of the canvas: the left channel (tag 0) or the right channel (tag 1;
// in mono display the average of both). As wide as the viewport; column x paints canvas
// x = scroll position + x from the sound's waveform summary, with the play cursor and the
// dotted current-step line of the view state on top. A click asks for a seek, a drag with
// the left button for a scrub; routing them to the engine is the owner's business.

#include <QWidget>

#include <cstdint>

class EnvData;
class ViewState;
class WavSound;

// 0x00BBGGRR colours of one pane.
struct WaveColors {
    uint32_t Fg = 0xC0C0C0;
    uint32_t Bg = 0;
    uint32_t Blank = 0x800000; // outside the sound
};

// LwavFg/LwavBg for tag 0, RwavFg/RwavBg for tag 1, BlankBg for both.
WaveColors WaveColorsFor(const EnvData& env, int tag);

class WaveformPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int LeftTag = 0;
    static constexpr int RightTag = 1;

    // view and sound must outlive the pane.
    WaveformPane(int tag, const ViewState& view, const WavSound& sound, QWidget* parent = nullptr);

    int Tag() const { return tag_; }
    void SetColors(const WaveColors& colors);

signals:
    // A press of the left button at canvas x, which lies at time.
    void seekRequested(int canvasX, int32_t time);
    // The pointer moved with the left button held.
    void scrubRequested(int canvasX, int32_t time);
    // A press of the right button; where the context menu goes.
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void UpdateColumn(int canvasX);
    void PaintWave(QPainter& painter, int from, int to) const;
    void PaintOverlays(QPainter& painter, int from, int to) const;

    const int tag_;
    const ViewState& view_;
    const WavSound& sound_;
    WaveColors colors_;
};
