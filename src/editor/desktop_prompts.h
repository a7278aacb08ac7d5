#pragma once
// The desktop's answers to what the session asks: the project and group file dialogs, the
// busy cursor, the step colour and step time dialogs and a one-line input box.

#include "editor/session_prompts.h"

#include <functional>

class QWidget;
class StepColourDialog;
class StepTimeDialog;

class DesktopPrompts final : public SessionPrompts {
public:
    // projectSettings runs the window's project settings command.
    DesktopPrompts(QWidget& window, std::function<void()> projectSettings)
        : window_(window), projectSettings_(std::move(projectSettings))
    {
    }
    // The window's step dialogs, made once the session that their settings come from is.
    void SetStepDialogs(StepColourDialog* colour, StepTimeDialog* time)
    {
        colour_ = colour;
        time_ = time;
    }

    std::string SaveProjectPath(const std::string& fileName) override;
    std::string OpenProjectPath() override;
    void SetBusy(bool busy) override;
    void RunProjectSettings() override { projectSettings_(); }
    std::optional<uint32_t> StepColor(const std::string& caption, uint32_t color) override;
    std::optional<int64_t> StepTime(int32_t time) override;
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt) override;
    std::string SaveGroupPath() override;
    std::string OpenGroupPath(const std::string& folder) override;

private:
    QWidget& window_;
    StepColourDialog* colour_ = nullptr;
    StepTimeDialog* time_ = nullptr;
    std::function<void()> projectSettings_;
};
