#pragma once
// What every lumenrill-cli command shares: exit codes, argument parsing, messages.

#include "common/messages.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1; // a file could not be read, converted or written
inline constexpr int ExitUsage = 2;  // wrong arguments

using Args = std::vector<std::string>; // the command's arguments, without its name

// Errors go to standard error; every question is answered yes.
class CliMessages final : public MessageHandler {
public:
    void ShowError(const std::string& text, const std::string& caption) override;
    bool ConfirmYesNo(const std::string& text, const std::string& caption) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override;
};

// Prints "lumenrill-cli: " + text on standard error and returns status.
int Fail(int status, const std::string& text);

// A whole-string decimal integer within int32 (a leading '-' allowed).
std::optional<int32_t> ParseInt32(const std::string& text);

// Loads a show for a command; prints why it could not and returns false.
class ProjectData;
bool LoadShowForCli(ProjectData& doc, const std::string& argument);
