#pragma once
// The player panel of the player toolbar: the time display, the six transport buttons,
// the volume track bar, the output colour of the current line and its numbers. It shows
// what the display timer hands it and reports the volume track bar; the buttons hold the
// window's actions.

#include <QWidget>

#include <cstdint>

class QAction;
class QFrame;
class QLabel;
class QSlider;

class TransportPanel : public QWidget {
    Q_OBJECT
public:
    // actions: top play, play, pause, stop, to top, to end, in that order.
    TransportPanel(QAction* const (&actions)[6], QWidget* parent = nullptr);

    // The time display: text and 0x00BBGGRR colour.
    void SetTime(const QString& text, uint32_t color);
    // "Line" and the line's number, the line's output colour (0x00BBGGRR) and its numbers.
    void SetOutput(int line, uint32_t color);
    // The track bar's value is the volume 0..255 (top loudest); no signal.
    void SetVolume(int value);
    int Volume() const;

    QLabel* TimeLabel() const { return timeLabel_; }
    QSlider* VolumeSlider() const { return volume_; }
    QFrame* OutputPanel() const { return outColour_; }
    QLabel* LineLabel() const { return trkLabel_; }
    uint32_t TimeColor() const;
    uint32_t OutputColor() const;

signals:
    // The user moved the volume track bar to value 0..255.
    void volumeChanged(int value);

private:
    QLabel* timeLabel_;
    QSlider* volume_;
    QFrame* outColour_;
    QLabel* trkLabel_;
    QLabel* rLabel_;
    QLabel* gLabel_;
    QLabel* bLabel_;
    uint32_t timeColor_ = 0xFFFFFFFF; // none yet
    uint32_t outputColor_ = 0xFFFFFFFF;
};
