#pragma once
// ColourBar, the colour palette tool bar's widget: the current step's base and output colour, its red,
// green and blue, a small standard palette that paints a colour onto the current step, the
// brightness track bar whose value is the brightness itself, and the "0" button. The bar
// keeps no colour of its own; it acts on the current step only.

#include "document/step_rec.h"
#include "editor/commands.h"

#include <QWidget>

#include <cstdint>

class EditorSession;
class PaletteBox;
class QAction;
class QFrame;
class QLabel;
class QSlider;

class ColourBar : public QWidget {
    Q_OBJECT
public:
    // zeroAction: the "0" button's command. session must outlive the bar.
    ColourBar(EditorSession& session, QAction* zeroAction, QWidget* parent = nullptr);

    // The line label, the two colour panels, the three values and the slider from the
    // current step; follows the session's change reports.
    void UpdateColourLabels();

    QFrame* BasePanel() const { return baseColour_; }
    QFrame* OutputPanel() const { return outputColour_; }
    QLabel* LineLabel() const { return lineLabel_; }
    QLabel* ValueLabel(int channel) const { return values_[channel]; }
    PaletteBox* Swatches() const { return palette_; }
    QSlider* BrightnessSlider() const { return brightness_; }
    // The colours the panels show (0x00BBGGRR), NoColor for none.
    uint32_t BaseColor() const { return shownBase_; }
    uint32_t OutputColor() const { return shownOutput_; }

signals:
    void commandRequested(Command command);
    // The line menu, at this screen position.
    void lineMenuRequested(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BrightnessMoved(int value);
    void PalettePressed(Qt::MouseButton button, uint32_t color);
    void ShowPanel(QFrame* panel, uint32_t color, uint32_t& shown);
    // The current step's brightness as the panes paint it.
    int32_t PaintedBrightness(const TStepRec& live) const;

    EditorSession& session_;
    QFrame* baseColour_;
    QFrame* outputColour_;
    QLabel* lineLabel_;
    QLabel* values_[3];
    PaletteBox* palette_;
    QSlider* brightness_;
    uint32_t shownBase_ = 0xFFFFFFFF;   // nothing shown yet
    uint32_t shownOutput_ = 0xFFFFFFFF;
    bool painting_ = false;     // a press on the palette painted the current step
    bool doublePress_ = false; // the next palette press is a double-click's second one
};
