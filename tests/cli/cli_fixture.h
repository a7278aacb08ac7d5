#pragma once
// Runs lumenrill-cli in a folder of the test's own, as a user would.

#include "support/test_support.h"

#include <gtest/gtest.h>
#include <string>

class CliFixture : public ::testing::Test {
protected:
    // Runs the tool with args (shell words) in the test's folder; standard error goes to
    // a file that Stderr() reads.
    int Cli(const std::string& args, std::string* out = nullptr, const std::string& env = {})
    {
        return RunCommand("cd '" + dir.Path() + "' && " + env + " '" + CliPath() + "' " + args + " 2>stderr.txt", out);
    }
    std::string Stderr() const
    {
        const Bytes b = ReadBytes(dir / "stderr.txt");
        return std::string(b.begin(), b.end());
    }
    void WriteText(const std::string& name, const std::string& text)
    {
        WriteBytes(dir / name, Bytes(text.begin(), text.end()));
    }
    TempDir dir;
};
