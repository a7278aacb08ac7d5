#pragma once
// Questions and error messages. Core code only calls these free functions; whoever owns
// the user interface installs the handler that shows them (message boxes in the GUI,
// standard error in lumenrill-cli, a recorder in tests).

#include <array>
#include <string>

enum class Answer { Yes, No, Cancel };

class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    virtual void ShowError(const std::string& text, const std::string& caption) = 0;
    virtual bool ConfirmYesNo(const std::string& text, const std::string& caption) = 0;
    virtual Answer AskYesNoCancel(const std::string& text, const std::string& caption) = 0;
    // A question whose three buttons name what they do; the answers stand for the first,
    // second and third button (the third also for Escape). Asked as AskYesNoCancel unless
    // the handler can name buttons.
    virtual Answer AskChoice(const std::string& text, const std::string& caption,
                             const std::array<std::string, 3>& /*buttons*/)
    {
        return AskYesNoCancel(text, caption);
    }
    // A refusal: the system's beep. Nothing by default.
    virtual void Beep() {}
};

// Installs handler (nullptr restores the default, which prints to standard error and
// answers yes) and returns the one installed before.
MessageHandler* InstallMessageHandler(MessageHandler* handler);

// An empty caption is replaced by "エラー" or "確認".
void ShowError(const std::string& text, const std::string& caption = {});
bool ConfirmYesNo(const std::string& text, const std::string& caption = {});
Answer AskYesNoCancel(const std::string& text, const std::string& caption = {});
Answer AskChoice(const std::string& text, const std::string& caption, const std::array<std::string, 3>& buttons);
// Refused input: the handler's beep (tests see it).
void Beep();
