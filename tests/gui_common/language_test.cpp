// Which language the window program speaks, and that an installed program finds its
// translation, both manuals and the demo show where the install rules put them.
#include "common/data_files.h"
#include "common/paths.h"
#include "gui_common/language.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(LanguageTest, TheSettingChoosesElseTheDesktopsLocale)
{
    struct Case {
        const char* setting;
        QLocale locale;
        Language expected;
    };
    const Case cases[] = {
        {"ja", QLocale(QLocale::English, QLocale::UnitedStates), Language::Japanese},
        {"en", QLocale(QLocale::Japanese, QLocale::Japan), Language::English},
        {"auto", QLocale(QLocale::Japanese, QLocale::Japan), Language::Japanese},
        {"auto", QLocale(QLocale::German, QLocale::Germany), Language::English},
        {"auto", QLocale::c(), Language::English},
        // A value the program does not know is taken as "auto".
        {"fr", QLocale(QLocale::Japanese, QLocale::Japan), Language::Japanese},
        {"", QLocale(QLocale::French, QLocale::France), Language::English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseLanguage(c.setting, c.locale), c.expected) << c.setting << " " << c.locale.name().toStdString();
}

// The program installed to a prefix of its own finds its files under share/, not in the tree
// it was built from: translation, manuals and the demo show.
TEST(LanguageTest, AnInstalledProgramFindsItsTranslationManualsAndDemo)
{
    TempDir prefix;
    const std::string command = std::string("cmake --install '") + LUMENRILL_BINARY_DIR + "' --prefix '" +
                                prefix.Path() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    SetExeDir(prefix.Path() + "/bin/");
    for (const std::string& found : {TranslationPath("en"), ManualPath("en"), ManualPath("ja"), DemoShowPath()})
        EXPECT_EQ(found.rfind(prefix.Path() + "/share/", 0), 0u) << found;
}

} // namespace
