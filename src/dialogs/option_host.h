#pragma once
// What the option dialog changes at once: the main window's command shortcuts, the Art-Net
// output universe and node list, the display interval and the OSC port; on OK, what is sent
// (the system may refuse it). The values that only OK takes come back from the dialog as
// OptionValues.

#include "output/node_table.h"
#include "output/output_config.h"

#include <QKeySequence>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class OptionHost {
public:
    virtual ~OptionHost() = default;
    // The main window's commands in list order: caption and shortcut.
    virtual std::vector<std::pair<QString, QKeySequence>> Commands() const = 0;
    virtual void SetShortcut(int command, const QKeySequence& key) = 0;
    virtual int32_t OutputUniverse() const = 0;
    virtual void SetOutputUniverse(int32_t universe) = 0;
    virtual std::string LocalAddressText() const = 0;
    virtual int32_t DisplayInterval() const = 0;
    virtual void SetDisplayInterval(int32_t ms) = 0;
    virtual int32_t OscPort() const = 0;
    virtual void SetOscPort(int32_t port) = 0;
    // The node table (empty without an output worker).
    virtual bool NodeListChanged() const = 0;
    virtual void SetNodeListChanged() = 0;
    virtual int FillNodeList(std::vector<std::string>& lines) = 0;
    virtual int NodeCount() const = 0;
    virtual std::optional<NodeEntry> Node(int index) const = 0;
    virtual void Scan() = 0;
    // The protocols and their settings; a refused setting changes nothing and is named.
    virtual OutputConfig Output() const = 0;
    virtual OutputCheck SetOutput(const OutputConfig& output) = 0;
};

// The settings only OK takes, in the settings object's terms.
struct OptionValues {
    std::array<uint32_t, 8> Colors{}; // 0x00BBGGRR, in the colour list's order
    bool FlatToolBar = false;
    bool DispTracking = false;
    bool MonClickTab = true;
    bool UseWheel = true;
    bool CurActivate = true;
    bool AutoSave = false;
    int32_t SaveInterval = 10;
    std::string ImgFile;
    bool ImgFileChanged = false; // ImgFile is a newly chosen path
    int32_t LightLatency = 0;    // ms the lights run ahead of the sound, -500..500
    std::string Language = "auto"; // "auto", "ja" or "en", used from the next start
    // The OSC lists as written: feedback targets ("address:port" items) and the senders
    // allowed to send commands (addresses and ranges; empty: anyone). OK takes them only
    // when every item of both reads.
    std::string OscFeedbackTargets;
    std::string OscAllowFrom;
};
