#include "cli/cli_support.h"

#include "common/paths.h"
#include "common/translation.h"
#include "document/file_bytes.h"
#include "document/project_data.h"

#include <charconv>
#include <cstdio>
#include <iostream>

void CliMessages::ShowError(const std::string& text, const std::string& caption)
{
    // A whole text the core wrote is said in English; a text with a file's name on its first
    // line comes translated already, and its lines are joined as "file: reason".
    std::string line = Translated("Core", text.c_str());
    for (size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at))
        line.replace(at, 1, ": ");
    const bool plain = caption == Translated("Core", "エラー");
    std::cerr << "lumenrill-cli: " << (plain ? std::string() : caption + ": ") << line << std::endl;
}

bool CliMessages::ConfirmYesNo(const std::string&, const std::string&) { return true; }

Answer CliMessages::AskYesNoCancel(const std::string&, const std::string&) { return Answer::Yes; }

int Fail(int status, const std::string& text)
{
    std::cerr << "lumenrill-cli: " << text << std::endl;
    return status;
}

std::optional<int32_t> ParseInt32(const std::string& text)
{
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

bool LoadShowForCli(ProjectData& doc, const std::string& argument)
{
    const std::string path = AbsoluteFromCwd(argument);
    if (doc.LoadProject(path) > 0)
        return true;
    const FileBytes probe = ReadWholeFile(path);
    if (probe.status != ReadStatus::Ok)
        Fail(ExitFailed, argument + ": " + probe.error);
    else
        Fail(ExitFailed, argument + ": not a readable project file");
    return false;
}
