#pragma once
// What a window without a sound shows over its waveform area: on a first start what to do
// first, with a button that opens the demo show; for an open show whose sound is missing or
// cannot be read, which file that is and how to choose another, with a button that does.
// It covers its parent exactly and follows the parent's size.

#include <QWidget>

class QLabel;
class QPushButton;

class FirstRunHint : public QWidget {
    Q_OBJECT
public:
    explicit FirstRunHint(QWidget* parent);

    static const char* const Text;
    QLabel* TextLabel() const { return text_; }
    QPushButton* DemoButton() const { return demo_; }
    QPushButton* ChooseSoundButton() const { return chooseSound_; }

    // The first start's hint (an empty path), or the hint for the show's sound at path,
    // missing from the disk or not.
    void ShowFor(const QString& soundPath, bool soundFileThere);

signals:
    void demoRequested();
    void chooseSoundRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* text_;
    QPushButton* demo_;
    QPushButton* chooseSound_;
};
