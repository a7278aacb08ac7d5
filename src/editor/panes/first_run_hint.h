#pragma once
// The words an empty window shows over its waveform area: what to do first. It covers its
// parent exactly and follows the parent's size.

#include <QLabel>

class FirstRunHint : public QLabel {
    Q_OBJECT
public:
    explicit FirstRunHint(QWidget* parent);

    static const char* const Text;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
