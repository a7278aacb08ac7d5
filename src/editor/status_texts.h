#pragma once
// The status bar texts that the canvas panes write.

#include <QString>

#include <cstdint>

class ProjectData;

// Panel 1: "hh:mm:ss.cc" of a time.
QString StatusTime(int32_t ms);
// Panel 2: "明暗=" and the brightness in four places.
QString BrightnessText(int32_t brightness);
// Panel 3: "選択中=" and the selected steps of the current line; with withAll, the
// selected steps of all lines in brackets when there are more of them ("選択中=2(5)").
QString SelectionText(const ProjectData& doc, bool withAll);
// Panel 3 after a selection across lines: "選択中=" and the selected steps of all lines.
QString SelectionAllText(const ProjectData& doc);
