#pragma once
// Shows the core's errors and questions as modal message boxes.

#include "common/messages.h"

class QWidget;

class MessageBoxHandler final : public MessageHandler {
public:
    explicit MessageBoxHandler(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowError(const std::string& text, const std::string& caption) override;
    bool ConfirmYesNo(const std::string& text, const std::string& caption) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    Answer AskChoice(const std::string& text, const std::string& caption,
                     const std::array<std::string, 3>& buttons) override;
    void Beep() override;

private:
    QWidget* parent_;
};
