#pragma once
// The toolbar images: 20 x 20, drawn for this program from simple shapes, so they stay
// sharp at any screen scale.

#include <QIcon>

enum class IconKind { TopPlay, Play, Pause, Stop, ToTop, ToEnd, New, Open, Save, SaveAs, ZoomIn, ZoomOut, ZoomFit,
                      AddStep, StepColor, Cut, Copy, Paste, AddBlankStep, DeleteStep, Undo, PrevStep, NextStep,
                      Volume, Exit };

QIcon ToolIcon(IconKind kind);
