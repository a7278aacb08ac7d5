#pragma once
// The option dialog's output page: Art-Net by the automatic broadcast rule, the limited
// broadcast, unicast to the nodes found, a fixed list of addresses or off, and its
// interface; sACN multicast,
// unicast or off with its universe, priority, unicast addresses and multicast interface.
// The typed texts are read only on OK, where a refused value is named in the message.

#include "output/output_config.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

// The message for a refused output value, naming it.
QString OutputProblemText(const OutputCheck& check);

class OutputPage : public QWidget {
    Q_OBJECT
public:
    explicit OutputPage(QWidget* parent = nullptr);

    void Show(const OutputConfig& config);
    // The page's values over config (the TTL and CID stay); a refused value leaves config
    // as it was and is named in the result.
    OutputCheck Read(OutputConfig& config) const;

private:
    void UpdateEnabled();

    QComboBox* artnet_;
    QLineEdit* artnetAddresses_;
    QLineEdit* artnetInterface_;
    QComboBox* sacn_;
    QLineEdit* universe_;
    QLineEdit* priority_;
    QLineEdit* unicast_;
    QLineEdit* interface_;
    QLabel* cid_;
};
