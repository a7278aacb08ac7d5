#pragma once
// Every command of the main window, by identity. The table gives each its caption and the
// key it is stored under in the settings file's shortcut table; menus, tool bars, context
// menus and keys all reach a command through its Command value, never through a text.

#include <QString>

#include <array>
#include <optional>
#include <string_view>

enum class Command {
    // File
    NewProject, OpenProject, SaveProject, SaveProjectAs, SaveGroup, LoadGroup,
    // Edit
    Cut, Copy, Paste, SelectAll, AddStep, AddBlankStep, DeleteSteps, DeleteAllSteps, StepColour, StepTime,
    MoveStepToCursor, Undo, PreviousStep, NextStep, CopyFromLine, ExtendedSelection, StepBack, StepForward,
    BrightnessUp, BrightnessDown,
    // The reference view's multi-line commands
    CutLines, CopyLines, PasteLines, SelectAllLines, AlignLines, StretchTime, StretchBrightness,
    // Play
    PlayFromTop, Play, Pause, Stop, ToSoundStart, ToSoundEnd,
    // View
    ShowFileBar, ShowEditBar, ShowPlayerBar, ShowPaletteBar, ShowStatusBar, ZoomIn, ZoomOut, ZoomFit,
    MonoWaveform, ShowReferenceLine, ShowColourMonitor, SoundProperties, ProjectSettings,
    // Not in the shortcut table: the colour bar's own button and plain menu items.
    ZeroBrightness, Repeat, VolumeControl, Exit, Options, About,
};

inline constexpr int CommandCount = int(Command::About) + 1;

struct CommandInfo {
    Command Id;
    // The key in the settings file's [ShortCut] section; also the action's object name.
    std::string_view StoredKey;
    // The menu caption, with its access key, as written (Japanese); CommandCaption translates it.
    const char* Caption;
    // In the shortcut table the person edits and the settings file keeps.
    bool Listed;
};

// Indexed by Command, in the order of the shortcut table.
const std::array<CommandInfo, CommandCount>& CommandTable();
inline const CommandInfo& InfoOf(Command c) { return CommandTable()[size_t(c)]; }
std::optional<Command> CommandWithKey(std::string_view storedKey);
// The menu caption in the running language.
QString CommandCaption(Command c);
