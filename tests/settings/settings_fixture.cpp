#include "settings_fixture.h"

#include <gtest/gtest.h>

IniFile SettingsTest::WriteIni(const std::string& text) const
{
    WriteBytes(IniPath(), Bytes(text.begin(), text.end()));
    return IniFile(IniPath());
}

std::string SettingsTest::IniText() const
{
    Bytes b = ReadBytes(IniPath());
    return std::string(b.begin(), b.end());
}

std::string SettingsTest::Touch(const std::string& name) const
{
    WriteBytes(dir_ / name, {});
    return dir_ / name;
}
