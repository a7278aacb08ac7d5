#include "common/messages.h"

#include "common/translation.h"

#include <atomic>
#include <cstdio>

namespace {

class StderrHandler final : public MessageHandler {
public:
    void ShowError(const std::string& text, const std::string& caption) override
    {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    bool ConfirmYesNo(const std::string&, const std::string&) override { return true; }
    Answer AskYesNoCancel(const std::string&, const std::string&) override { return Answer::Yes; }
};

StderrHandler defaultHandler;
std::atomic<MessageHandler*> installed{&defaultHandler};

constexpr const char* ErrorCaption = TRANSLATABLE_TEXT("Core", "エラー");
constexpr const char* ConfirmCaption = TRANSLATABLE_TEXT("Core", "確認");

std::string Or(const std::string& caption, const char* fallback)
{
    return caption.empty() ? Translated("Core", fallback) : caption;
}

} // namespace

MessageHandler* InstallMessageHandler(MessageHandler* handler)
{
    MessageHandler* previous = installed.exchange(handler ? handler : &defaultHandler);
    return previous == &defaultHandler ? nullptr : previous;
}

void ShowError(const std::string& text, const std::string& caption)
{
    installed.load()->ShowError(text, Or(caption, ErrorCaption));
}

bool ConfirmYesNo(const std::string& text, const std::string& caption)
{
    return installed.load()->ConfirmYesNo(text, Or(caption, ConfirmCaption));
}

Answer AskYesNoCancel(const std::string& text, const std::string& caption)
{
    return installed.load()->AskYesNoCancel(text, Or(caption, ConfirmCaption));
}

Answer AskChoice(const std::string& text, const std::string& caption, const std::array<std::string, 3>& buttons)
{
    return installed.load()->AskChoice(text, Or(caption, ConfirmCaption), buttons);
}

void Beep() { installed.load()->Beep(); }
