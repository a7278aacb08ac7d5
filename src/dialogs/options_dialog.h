#pragma once
// OptionsDialog, "オプション設定": display colours and switches, command shortcuts, the
// palette image, automatic backup, the Art-Net output port and node list, the display
// interval, the OSC port, and the OSC feedback targets and allow list. Shortcuts, output
// port, display interval, OSC port and node scan act at once through the host; the output
// page is applied through the host on OK, which stays open with a message when a value is
// refused, as it does until both OSC lists read; the rest comes back from Execute on OK only. A
// shortcut is held by one command at a time: a key given to a command is taken from the
// command that had it, after a question.
// Created once; its node list follows the node table on a 100 ms timer, shown or not.

#include "dialogs/option_host.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTabWidget;
class QTimer;
class NodeDetailsDialog;
class OutputPage;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    static const char* const ColorNames[8];

    // host must outlive the dialog; details shows a node's details.
    OptionsDialog(OptionHost& host, NodeDetailsDialog& details, QWidget* parent = nullptr);

    std::optional<OptionValues> Execute(const OptionValues& start);

    // The DMX interval shown: starts at 20 ms and is neither stored nor sent anywhere.
    int32_t DmxInterval() const { return dmxInterval_; }

    QTabWidget* Pages() const { return pages_; }
    QListWidget* ShortcutList() const { return shortCutList_; }
    QListWidget* NodeList() const { return nodeList_; }
    QAction* NodeDetailsAction() const { return propAction_; }
    QTimer* NodeListTimer() const { return nodeListTimer_; }
    // The working copy of the eight colours.
    const std::array<uint32_t, 8>& WorkingColors() const { return colors_; }
    void SetWorkingColor(int item, uint32_t color) { colors_[size_t(item)] = color; }

    // Refills the node list when the node table changed.
    void RefreshNodeList();

    QLineEdit* OscFeedbackEdit() const { return oscFeedback_; }
    QLineEdit* OscAllowEdit() const { return oscAllow_; }

    // Takes both OSC lists and the output page, or nothing: a refused value keeps the dialog
    // open on it. The output page applies at once through the host.
    void accept() override;
    OutputPage* Output() const { return outputPage_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateDisplayPage();
    QWidget* CreateOperationPage();
    QWidget* CreateShortcutPage();
    QWidget* CreatePalettePage();
    QWidget* CreateAutoSavePage();
    QWidget* CreateDmxPage();
    QWidget* CreateAdvancedPage();
    QWidget* CreateOscPage();
    void ChooseColour();
    void ChangeShortcut();
    void ClearShortcut();
    // The caption of a command as its line shows it.
    std::string CommandCaption(int command) const;
    // The command's line and the command itself take key (none when empty).
    void SetCommandShortcut(int command, const QKeySequence& key);
    void ChoosePaletteFile();
    void UniverseChanged();
    // The typed OSC port, refused with a message when out of range or taken; true when the
    // program listens there.
    bool ApplyOscPort();
    void ScanNodes();
    void ShowNodeDetails();
    void UpdateNodeDetailsAction();

    OptionHost& host_;
    NodeDetailsDialog& details_;
    OptionValues start_;
    std::array<uint32_t, 8> colors_{};
    int32_t dmxInterval_ = 20;
    bool palFileChanged_ = false;
    QTabWidget* pages_;
    QComboBox* colorBox_ = nullptr;
    QWidget* refColBtn_ = nullptr;
    QCheckBox* flatBtn_ = nullptr;
    QCheckBox* trkDsp_ = nullptr;
    QCheckBox* monTab_ = nullptr;
    QCheckBox* useWheel_ = nullptr;
    QCheckBox* curAct_ = nullptr;
    QListWidget* shortCutList_ = nullptr;
    QComboBox* keyBox_ = nullptr;
    QCheckBox* ctrl_ = nullptr;
    QCheckBox* shift_ = nullptr;
    QCheckBox* alt_ = nullptr;
    QLineEdit* palFilEdit_ = nullptr;
    QCheckBox* autoSave_ = nullptr;
    QComboBox* saveInterval_ = nullptr;
    QComboBox* onet_ = nullptr;
    QComboBox* osub_ = nullptr;
    QComboBox* oid_ = nullptr;
    QLabel* ipAdrLabel_ = nullptr;
    QListWidget* nodeList_ = nullptr;
    QAction* propAction_ = nullptr;
    QComboBox* dspIntvl_ = nullptr;
    QComboBox* dmxIntvl_ = nullptr;
    QLineEdit* oscPortEdit_ = nullptr;
    QSpinBox* lightLatency_ = nullptr;
    QComboBox* language_ = nullptr;
    QWidget* oscPage_ = nullptr;
    QWidget* advancedPage_ = nullptr; // where the OSC port is typed
    QLineEdit* oscFeedback_ = nullptr;
    QLineEdit* oscAllow_ = nullptr;
    QTimer* nodeListTimer_ = nullptr;
    OutputPage* outputPage_ = nullptr;
};
