// Where a dialog opens from its stored placement: where it was while that is on a screen, on
// the screen when the stored place is not (a monitor that is gone, a title bar out of reach).
#include "dialogs/dialog_placement.h"
#include "settings/window_defaults.h"
#include "support/test_support.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

TEST(DialogPlacement, AStoredPlaceOffTheScreensOpensOnOne)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char* what;
        QPoint stored;
        QPoint expected;
    } cases[] = {
        {"on the screen: kept", {40, 30}, {40, 30}},
        {"on a monitor right of this one, now gone", {screen.right() + 200, 30}, {screen.right() + 1 - 300, 30}},
        {"only the bottom edge in view", {40, screen.bottom() - 5}, {40, screen.bottom() + 1 - 200}},
        {"the title bar above the top", {40, -150}, {40, 0}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        IniFile ini(dir / "lumenrill.INI");
        ini.WriteInteger("General", "StpPropDlgLeft", c.stored.x());
        ini.WriteInteger("General", "StpPropDlgTop", c.stored.y());
        QDialog dialog;
        dialog.resize(300, 200);
        RestorePlacement(dialog, ini, StpPropDlgName, StpPropDlgStyle, StpPropDlgDefaults);
        EXPECT_EQ(dialog.pos(), c.expected) << c.what;
    }
}

} // namespace
