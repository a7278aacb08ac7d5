#pragma once
// Shortcuts between the settings file's text form and Qt's key sequences.

#include <QKeySequence>

#include <string>
#include <vector>

// The key sequence a stored text denotes; empty when the text names no shortcut.
QKeySequence KeySequenceOf(const std::string& text);
// The stored text of a key sequence's first key; empty for none or a key the text form
// cannot name.
std::string ShortCutTextOf(const QKeySequence& key);

// The shortcut table with every key held once: keys are the commands' shortcuts in
// command-list order, and a key that an earlier command holds is cleared from every later
// one. Two commands on one key would both stop answering (Qt finds the key ambiguous).
std::vector<QKeySequence> WithoutDuplicateShortcuts(std::vector<QKeySequence> keys);
