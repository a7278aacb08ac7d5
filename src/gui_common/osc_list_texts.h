#pragma once
// What the window says about an OSC list item that is none, naming it: the option
// dialog's check and the settings read at start say the same.

#include <QString>

// An item of the feedback targets that is no "address:port".
QString BadFeedbackTargetText(const QString& item);
// An item of the allow list that is no address or range.
QString BadAllowFromText(const QString& item);
