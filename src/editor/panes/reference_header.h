#pragma once
// ReferenceHeader, the reference view's header in the header column: its caption names the line
// shown, or in the all-lines mode eight labels name the rows. Presses are reported.

#include <QFrame>

#include <array>

class QLabel;

class ReferenceHeader : public QFrame {
    Q_OBJECT
public:
    explicit ReferenceHeader(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const;
    // Row labels "Line 1".."Line 8", at rows rowHeight apart; hidden when rowHeight < 0.
    void ShowRowLabels(int rowHeight);
    QLabel* RowLabel(int line) const { return labels_[size_t(line)]; }

signals:
    void pressed(Qt::MouseButton button, const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* caption_;
    std::array<QLabel*, 8> labels_{};
};
