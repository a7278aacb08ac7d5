#pragma once
// A private executable folder with a settings file written by hand.

#include "document/play_globals.h"
#include "settings/ini_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

class SettingsTest : public ::testing::Test {
protected:
    // The folder as EnvData takes it, with a trailing '/'.
    std::string ExeDirPath() const { return dir_.Path() + "/"; }
    std::string IniPath() const { return dir_ / "lumenrill.INI"; }
    // Writes text as the settings file and opens it.
    IniFile WriteIni(const std::string& text) const;
    // The settings file as on disk.
    std::string IniText() const;
    // An empty file at name in the folder; its full path.
    std::string Touch(const std::string& name) const;

    TempDir dir_;
    PlayGlobals play_; // where the settings the tick reads live
};
