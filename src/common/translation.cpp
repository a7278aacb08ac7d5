#include "common/translation.h"

#include <atomic>

namespace {
std::atomic<TextTranslator> installed{nullptr};
} // namespace

void InstallTextTranslator(TextTranslator translator) { installed.store(translator); }

std::string Translated(const char* context, const char* text)
{
    const TextTranslator translator = installed.load();
    return translator ? translator(context, text) : std::string(text);
}

std::string WithArgument(std::string text, const std::string& value)
{
    if (const size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}
