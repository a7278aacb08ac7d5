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
    // The texts of the error messages shown so far, and forgets them.
    std::vector<std::string> TakeErrors()
    {
        std::vector<std::string> texts;
        for (const auto& e : messages.entries) {
            EXPECT_EQ(e.caption, "エラー");
            texts.push_back(e.text);
        }
        messages.entries.clear();
        return texts;
    }

    TempDir dir;
    RecordingMessages messages;
    WavSound sound;
};
