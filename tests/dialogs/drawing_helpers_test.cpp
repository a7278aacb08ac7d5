// The shared drawing details: an owner-drawn tab's caption and the text-height test.
#include "gui_common/drawing_helpers.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

TEST(DrawTabCaptionTest, FillsTheTabAndCentresTheCaptionFourPixelsAboveItsBottom)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(200, 210, 220));
    palette.setColor(QPalette::ButtonText, Qt::black);
    QImage image(140, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect tab(10, 5, 100, 30);
    {
        QPainter painter(&image);
        QFont font = QApplication::font();
        font.setPixelSize(14);
        painter.setFont(font);
        DrawTabCaption(painter, "WWWW", tab, palette);
    }
    EXPECT_EQ(image.pixelColor(tab.topLeft()), QColor(200, 210, 220));
    EXPECT_EQ(image.pixelColor(tab.bottomRight()), QColor(200, 210, 220));
    EXPECT_EQ(image.pixelColor(tab.right() + 1, tab.top()), QColor(Qt::white)) << "nothing beyond the tab";

    int left = image.width(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "a caption was written";
    EXPECT_LE(bottom, tab.bottom() - 4) << "the caption ends 4 pixels above the bottom";
    EXPECT_GE(bottom, tab.bottom() - 12) << "and sits near it";
    EXPECT_NEAR((left - tab.left()) - (tab.right() - right), 0, 3) << "centred across";
}

TEST(FontFitsTest, CommonFontsFitTheirHeight)
{
    for (int size : {8, 12, 16, 24, 40}) {
        QFont font = QApplication::font();
        font.setPixelSize(size);
        EXPECT_TRUE(FontFits(font)) << size;
    }
}

} // namespace
