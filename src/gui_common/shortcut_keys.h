#pragma once
// Shortcuts between the settings file's text form and Qt's key sequences.

#include <QKeySequence>

#include <string>

// The key sequence a stored text denotes; empty when the text names no shortcut.
QKeySequence KeySequenceOf(const std::string& text);
// The stored text of a key sequence's first key; empty for none or a key the text form
// cannot name.
std::string ShortCutTextOf(const QKeySequence& key);
