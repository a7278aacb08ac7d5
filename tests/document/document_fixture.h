#pragma once

#include "document/project_data.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <initializer_list>

// A document with its own engine values and executable folder.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest();
    ~DocumentTest() override;

    // Adds steps to a line without undo (time, colour, brightness).
    struct S {
        int32_t time;
        uint32_t color = 0;
        int32_t brightness = 0;
    };
    void Fill(int line, std::initializer_list<S> steps);
    std::vector<int32_t> Times(int line) const;
    std::vector<uint32_t> Colors(int line) const;
    void Select(int line, std::initializer_list<int> indexes);

    TempDir dir;
    PlayGlobals play;
    ProjectData doc{play};

private:
    std::string savedExeDir_;
};

// A current-format project file laid out by hand.
Bytes CurrentHeader(const std::u16string& version = u"1.4.0.0", const std::u16string& title = u"",
                    const std::u16string& sound = u"", int32_t pre = 10000, int32_t post = 10000);
// An old-format header with code page 932 texts.
Bytes OldHeader(const std::string& version, const std::string& title, const std::string& sound, int32_t pre,
                int32_t post);
Bytes Concat(std::initializer_list<Bytes> parts);
