#pragma once
// What the sound tests share: a private folder, recorded messages, one WavSound.

#include "sound/wav_sound.h"
#include "support/test_support.h"
#include "support/wav_writer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

class SoundTest : public ::testing::Test {
protected:
    // Writes bytes to name in the folder and returns its path.
    std::string Write(const std::string& name, const Bytes& bytes)
    {
        WriteBytes(dir / name, bytes);
        return dir / name;
    }
    // The reasons of the error messages shown so far, and forgets them. Each message names
    // the file on its first line.
    std::vector<std::string> TakeErrors()
    {
        std::vector<std::string> texts;
        for (const auto& e : messages.entries) {
            EXPECT_EQ(e.caption, "エラー");
            const size_t end = e.text.find('\n');
            EXPECT_NE(end, std::string::npos) << e.text;
            texts.push_back(end == std::string::npos ? e.text : e.text.substr(end + 1));
        }
        messages.entries.clear();
        return texts;
    }

    TempDir dir;
    RecordingMessages messages;
    WavSound sound;
};
