#pragma once
// A tab bar whose owner draws the captions (DrawTabCaption): each tab's inside in the
// button face colour with its caption centred near the bottom, on the style's tab shape.

#include <QTabBar>

class CaptionTabBar : public QTabBar {
    Q_OBJECT
public:
    using QTabBar::QTabBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};
