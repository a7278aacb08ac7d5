#pragma once
// Shared helpers for the tests: private folders, scripted message handlers, raw files.

#include "common/messages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Records every message and answers questions from a script (yes when it runs out).
// Installed for its lifetime.
class RecordingMessages final : public MessageHandler {
public:
    RecordingMessages();
    ~RecordingMessages() override;

    struct Entry {
        std::string kind, text, caption;
    };
    std::vector<Entry> entries;
    std::deque<Answer> answers;

    void ShowError(const std::string& text, const std::string& caption) override;
    bool ConfirmYesNo(const std::string& text, const std::string& caption) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    void Beep() override { entries.push_back({"beep", {}, {}}); }

private:
    Answer Next();
    MessageHandler* previous_;
};

using Bytes = std::vector<uint8_t>;

void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);

// Little-endian writers for building fixtures by hand, independently of the program's own.
void PutI32(Bytes& b, size_t offset, int32_t v);
void PutU16(Bytes& b, size_t offset, uint16_t v);
void PutF64(Bytes& b, size_t offset, double v);
void PutUtf16(Bytes& b, size_t offset, const std::u16string& text);
int32_t GetI32(const Bytes& b, size_t offset);

// One 52-byte step record laid out by hand.
Bytes StepBytes(int32_t line, int32_t time, int32_t duration, uint32_t color, int32_t brightness,
                uint8_t selected = 0);

// Runs a shell command; returns its exit status, with standard output in *out.
int RunCommand(const std::string& command, std::string* out = nullptr);
// The lumenrill-cli binary under test.
std::string CliPath();

// Why the tests cannot play sound here, or empty when they can: PULSE_SERVER must name the
// private test sound server (without it a desktop's own server would play the tests aloud),
// and that server must answer.
std::string TestSoundServerProblem();

// True when the environment promises whatever a test needs (root, network namespaces, the
// private sound server): scripts/test sets LUMENRILL_REQUIRE_ENVIRONMENT=1.
bool EnvironmentRequired();

// Leaves a test that cannot run here for want of something around it: a skip, or where the
// environment is required a failure, both with the reason.
#define SKIP_FOR_ENVIRONMENT(reason)                                                               \
    do {                                                                                           \
        if (EnvironmentRequired())                                                                 \
            GTEST_FAIL() << "missing from the test environment: " << (reason);                     \
        GTEST_SKIP() << (reason);                                                                  \
    } while (false)
