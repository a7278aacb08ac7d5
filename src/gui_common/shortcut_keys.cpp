#include "gui_common/shortcut_keys.h"

#include "settings/shortcut_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr std::pair<std::string_view, Qt::Key> Named[] = {
    {"BkSp", Qt::Key_Backspace}, {"Tab", Qt::Key_Tab},     {"Esc", Qt::Key_Escape},    {"Enter", Qt::Key_Return},
    {"Space", Qt::Key_Space},    {"PgUp", Qt::Key_PageUp}, {"PgDn", Qt::Key_PageDown}, {"End", Qt::Key_End},
    {"Home", Qt::Key_Home},      {"Left", Qt::Key_Left},   {"Up", Qt::Key_Up},         {"Right", Qt::Key_Right},
    {"Down", Qt::Key_Down},      {"Ins", Qt::Key_Insert},  {"Del", Qt::Key_Delete}};

std::optional<Qt::Key> QtKey(const std::string& name)
{
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z')
        return Qt::Key(Qt::Key_A + (name[0] - 'A'));
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9')
        return Qt::Key(Qt::Key_0 + (name[0] - '0'));
    if (name.size() >= 2 && name[0] == 'F')
        return Qt::Key(Qt::Key_F1 + (std::stoi(name.substr(1)) - 1));
    for (const auto& [n, key] : Named)
        if (n == name)
            return key;
    return std::nullopt;
}

std::string KeyName(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return std::string(1, char('A' + (key - Qt::Key_A)));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return std::string(1, char('0' + (key - Qt::Key_0)));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return "F" + std::to_string(key - Qt::Key_F1 + 1);
    if (key == Qt::Key_Enter) // the keypad's Enter is the same key to the text form
        return "Enter";
    for (const auto& [n, k] : Named)
        if (k == key)
            return std::string(n);
    return {};
}

} // namespace

QKeySequence KeySequenceOf(const std::string& text)
{
    const std::optional<ShortCut> s = ParseShortCut(text);
    if (!s)
        return {};
    const std::optional<Qt::Key> key = QtKey(s->Key);
    if (!key)
        return {};
    Qt::KeyboardModifiers modifiers;
    if (s->Shift)
        modifiers |= Qt::ShiftModifier;
    if (s->Ctrl)
        modifiers |= Qt::ControlModifier;
    if (s->Alt)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, *key));
}

std::string ShortCutTextOf(const QKeySequence& key)
{
    if (key.isEmpty())
        return {};
    const QKeyCombination c = key[0];
    ShortCut s;
    s.Key = KeyName(c.key());
    s.Shift = c.keyboardModifiers().testFlag(Qt::ShiftModifier);
    s.Ctrl = c.keyboardModifiers().testFlag(Qt::ControlModifier);
    s.Alt = c.keyboardModifiers().testFlag(Qt::AltModifier);
    return s.Key.empty() ? std::string() : ShortCutText(s);
}

std::vector<QKeySequence> WithoutDuplicateShortcuts(std::vector<QKeySequence> keys)
{
    for (size_t later = 1; later < keys.size(); ++later) {
        if (keys[later].isEmpty())
            continue;
        for (size_t earlier = 0; earlier < later; ++earlier) {
            if (keys[earlier] == keys[later]) {
                keys[later] = QKeySequence();
                break;
            }
        }
    }
    return keys;
}
