#pragma once
// The file choice of the project settings dialog's browse button. The dialog gives the
// desktop's file dialog; tests give scripted answers.

#include <QString>

class ProjectSettingsPrompts {
public:
    virtual ~ProjectSettingsPrompts() = default;
    // The sound file chosen in a dialog that starts in folder, with the MP3 filter chosen
    // when mp3; empty when cancelled. The name comes as Qt gives it (see LocalFileName).
    virtual QString SoundFilePath(const QString& folder, bool mp3) = 0;
};
