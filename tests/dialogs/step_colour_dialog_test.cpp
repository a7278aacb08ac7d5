// The step colour dialog on its own: typed values, picking from both palettes, the palette
// menu, the result colour on OK and on Cancel, and its stored position.
#include "dialogs/image_file.h"
#include "document/color.h"
#include "dialogs/palette_box.h"
#include "dialogs/standard_palette.h"
#include "dialogs/step_colour_dialog.h"
#include "settings/env_data.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class StepColourDialogTest : public ::testing::Test {
protected:
    void Pick(QPoint p)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), dialog.PaletteSwatches()->mapToGlobal(QPointF(p)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.PaletteSwatches(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), dialog.PaletteSwatches()->mapToGlobal(QPointF(p)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.PaletteSwatches(), &release);
    }
    // Runs the dialog modally; act runs inside it and ends it.
    int Run(const std::function<void()>& act)
    {
        QTimer::singleShot(0, &dialog, act);
        return dialog.exec();
    }
    QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }

    TempDir dir;
    IniFile ini{dir / "lumenrill.INI"};
    PlayGlobals play;
    ImageFileLoader loader;
    EnvData env{ini, play, dir.Path() + "/", &loader};
    StepColourDialog dialog{env, ini};
};

struct Typed {
    const char* r;
    const char* g;
    const char* b;
    uint32_t swatch;
};

TEST_F(StepColourDialogTest, TypedValuesKeepTheirLowEightBits)
{
    const Typed cases[] = {
        {"12", "34", "56", PackColor(12, 34, 56)}, {"256", "0", "0", 0},   {"-1", "0", "0", PackColor(255, 0, 0)},
        {"", "", "", 0},                           {"x7", "0", "513", PackColor(0, 0, 1)},
    };
    for (const Typed& c : cases) {
        dialog.ValueEdit(0)->setText(c.r);
        dialog.ValueEdit(1)->setText(c.g);
        dialog.ValueEdit(2)->setText(c.b);
        EXPECT_EQ(dialog.SwatchColor(), c.swatch) << c.r << " " << c.g << " " << c.b;
    }
}

TEST_F(StepColourDialogTest, OkTakesTheSwatchAndCancelKeepsTheColour)
{
    dialog.Color = PackColor(1, 2, 3);
    EXPECT_EQ(Run([this] {
                  EXPECT_EQ(dialog.ValueEdit(1)->text(), "2") << "shown from the colour set before";
                  EXPECT_EQ(dialog.PaletteSwatches()->width(), 320) << "the stored display size";
                  Pick({100, 40});
                  Button("CancelBtn")->click();
              }),
              QDialog::Rejected);
    EXPECT_EQ(dialog.Color, PackColor(1, 2, 3));
    Run([this] {
        Pick({100, 40});
        Button("OKBtn")->click();
    });
    EXPECT_EQ(dialog.Color, StandardPaletteColor(100, 40, 320, 320));
}

TEST_F(StepColourDialogTest, UserPaletteSizesAndPlacement)
{
    // A 4 x 2 picture: red on the left half, green on the right; fitted at the top-left.
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            picture.setPixelColor(x, y, Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir / "pal.png")));
    dialog.ChoosePictureFile = [this] { return dir / "pal.png"; };

    Run([this] {
        dialog.Tabs()->setCurrentIndex(1);
        dialog.PaletteMenu()->popup({0, 0});
        QAction* image = dialog.PaletteMenu()->actions()[0];
        EXPECT_TRUE(image->isVisible()) << "the picture item belongs to the user tab";
        dialog.PaletteMenu()->hide();
        image->trigger();
        EXPECT_EQ(env.ImgFile, "pal.png") << "a picture in the program's folder is stored by name";
        Pick({10, 10});
        EXPECT_EQ(dialog.SwatchColor(), PackColor(255, 0, 0));
        Pick({300, 100});
        EXPECT_EQ(dialog.SwatchColor(), PackColor(0, 255, 0));
        Pick({100, 200});
        EXPECT_EQ(dialog.SwatchColor(), 0u) << "black beside the picture";

        dialog.PaletteMenu()->actions()[2]->trigger(); // display size 240
        EXPECT_EQ(dialog.PaletteSwatches()->width(), 240);
        dialog.Tabs()->setCurrentIndex(0);
        dialog.PaletteMenu()->popup({0, 0});
        EXPECT_FALSE(dialog.PaletteMenu()->actions()[0]->isVisible());
        dialog.PaletteMenu()->hide();
        dialog.move(140, 160);
        dialog.reject();
    });
    EXPECT_EQ(env.DispSize, 240u);
    EXPECT_EQ(ini.ReadInteger("General", "StpPropDlgLeft", 0), 140);
    EXPECT_EQ(ini.ReadInteger("General", "StpPropDlgTop", 0), 160);
}

} // namespace
