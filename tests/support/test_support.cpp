#include "support/test_support.h"

#include "engine/audio_output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lumenrill-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
}

RecordingMessages::RecordingMessages() : previous_(InstallMessageHandler(this)) {}

RecordingMessages::~RecordingMessages() { InstallMessageHandler(previous_); }

Answer RecordingMessages::Next()
{
    if (answers.empty())
        return Answer::Yes;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

void RecordingMessages::ShowError(const std::string& text, const std::string& caption)
{
    entries.push_back({"error", text, caption});
}

bool RecordingMessages::ConfirmYesNo(const std::string& text, const std::string& caption)
{
    entries.push_back({"confirm", text, caption});
    return Next() == Answer::Yes;
}

Answer RecordingMessages::AskYesNoCancel(const std::string& text, const std::string& caption)
{
    entries.push_back({"ask", text, caption});
    return Next();
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write " + path);
}

Bytes ReadBytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void PutI32(Bytes& b, size_t offset, int32_t v)
{
    uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i)
        b.at(offset + size_t(i)) = uint8_t(u >> (8 * i));
}

void PutU16(Bytes& b, size_t offset, uint16_t v)
{
    b.at(offset) = uint8_t(v);
    b.at(offset + 1) = uint8_t(v >> 8);
}

void PutF64(Bytes& b, size_t offset, double v)
{
    uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i)
        b.at(offset + size_t(i)) = uint8_t(u >> (8 * i));
}

void PutUtf16(Bytes& b, size_t offset, const std::u16string& text)
{
    for (size_t i = 0; i < text.size(); ++i)
        PutU16(b, offset + 2 * i, text[i]);
}

int32_t GetI32(const Bytes& b, size_t offset)
{
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= uint32_t(b.at(offset + size_t(i))) << (8 * i);
    return int32_t(u);
}

Bytes StepBytes(int32_t line, int32_t time, int32_t duration, uint32_t color, int32_t brightness, uint8_t selected)
{
    Bytes b(52, 0);
    PutI32(b, 0, line);
    PutI32(b, 4, time);
    PutI32(b, 8, duration);
    PutI32(b, 12, int32_t(color));
    PutI32(b, 16, brightness);
    b[20] = selected;
    return b;
}

int RunCommand(const std::string& command, std::string* out)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        text.append(buf, n);
    int status = pclose(pipe);
    if (out)
        *out = std::move(text);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string CliPath()
{
    const char* p = std::getenv("LUMENRILL_CLI");
    return p ? p : "lumenrill-cli";
}

std::string TestSoundServerProblem()
{
    if (!std::getenv("PULSE_SERVER"))
        return "needs the private test sound server named in PULSE_SERVER";
    if (!ProbeAudioOutput())
        return std::string("the sound server at ") + std::getenv("PULSE_SERVER") + " does not answer";
    return {};
}

bool EnvironmentRequired()
{
    const char* value = std::getenv("LUMENRILL_REQUIRE_ENVIRONMENT");
    return value && std::string(value) == "1";
}
