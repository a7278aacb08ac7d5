// Any text as a [ShortCut] value: a shortcut read from it is written back as a text that
// reads the same, and the Qt key sequence made from it gives that text back.
#include "gui_common/shortcut_keys.h"
#include "settings/shortcut_text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Over the input itself, not a copy, so that a read past its end is caught; an empty
    // text as a view of nothing at all, as a default-constructed one is.
    const std::string_view text = size ? std::string_view(reinterpret_cast<const char*>(data), size) : std::string_view();
    const std::optional<ShortCut> shortCut = ParseShortCut(text);
    const std::string stored = ShortCutText(shortCut);
    if (shortCut.has_value() == stored.empty())
        std::abort();
    if (shortCut && (ParseShortCut(stored) != shortCut || ShortCutText(ParseShortCut(stored)) != stored))
        std::abort();
    const QKeySequence key = KeySequenceOf(std::string(text));
    if (key.isEmpty() != !shortCut || ShortCutTextOf(key) != stored)
        std::abort();
    return 0;
}
