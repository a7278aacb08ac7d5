#pragma once
// What an empty window shows over its waveform area: what to do first, and a button that
// opens the demo show. It covers its parent exactly and follows the parent's size.

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

signals:
    void demoRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* text_;
    QPushButton* demo_;
};
