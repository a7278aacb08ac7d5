#pragma once
// The sound file's properties, read-only: its path, size, time of last change and the
// format line the project settings dialog shows.

#include <QDialog>

#include <string>

class QLabel;

class SoundPropertiesBox : public QDialog {
    Q_OBJECT
public:
    explicit SoundPropertiesBox(QWidget* parent = nullptr);

    // Fills the box for the file at path and shows it modally.
    void Execute(const std::string& path);
    // The value texts: path, size, modified, format.
    QLabel* Value(int row) const { return values_[row]; }

private:
    void Fill(const std::string& path);

    QLabel* values_[4];
};
