#pragma once
// StepColourDialog, the step colour dialog: one colour picked from the standard palette or the
// user's palette picture, or typed as red, green and blue. The caller sets Color, runs the
// dialog and on OK reads Color back. While the dialog is open the main window shows its
// swatch colour on the lights.

#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>

class EnvData;
class IniFile;
class PaletteBox;
class QFrame;
class QLineEdit;
class QMenu;
class QTabBar;

class StepColourDialog : public QDialog {
    Q_OBJECT
public:
    // env and settings must outlive the dialog.
    StepColourDialog(EnvData& env, IniFile& settings, QWidget* parent = nullptr);

    // The result colour (0x00BBGGRR): set before showing; OK replaces it with the swatch's.
    uint32_t Color = 0;

    // The three edits and the swatch.
    void SetColor(uint32_t color);
    uint32_t SwatchColor() const { return swatch_; }

    // Chooses the palette picture; empty when cancelled. The desktop's file dialog unless
    // replaced.
    std::function<std::string()> ChoosePictureFile;

    PaletteBox* PaletteSwatches() const { return palette_; }
    QTabBar* Tabs() const { return tabs_; }
    QLineEdit* ValueEdit(int channel) const { return edits_[channel]; }
    QMenu* PaletteMenu() const { return menu_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void ValuesEdited();
    void ShowSwatch(uint32_t color);
    void TabChanged();
    void ChoosePaletteImage();
    void SetSwatchSize(int size);
    void SizePalette();

    EnvData& env_;
    IniFile& settings_;
    PaletteBox* palette_;
    QFrame* paletteFrame_;
    QTabBar* tabs_;
    QFrame* swatchPanel_;
    QLineEdit* edits_[3];
    QMenu* menu_;
    QAction* pictureItem_;
    uint32_t swatch_ = 0;
};
