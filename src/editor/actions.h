#pragma once
// The main window's commands as QActions, one per Command, each with an update rule that
// sets its enabled state (and check mark). Menus, tool bars, context menus and shortcuts
// all hold these same actions. The update pass runs on a 100 ms timer, after each command
// and change report, when a menu is about to show and before a key is matched against the
// shortcuts (so a key pressed right after a click finds its command enabled); a command
// also checks its own rule again when it runs.

#include "editor/commands.h"

#include <QAction>
#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QTimer;

class ActionRegistry : public QObject {
    Q_OBJECT
public:
    using Rule = std::function<bool()>;
    using Work = std::function<void()>;

    explicit ActionRegistry(QObject* parent = nullptr);

    // Registers the command with its table caption, its enabling rule (none: always
    // enabled) and what it does. The action runs only when its rule holds at that moment.
    QAction* Add(Command command, Work run, Rule enabled = {});
    // A check mark that follows checked at every pass.
    void SetChecked(Command command, Rule checked);

    QAction* Get(Command command) const { return entries_[size_t(command)].action; }
    // The shortcut table: the listed commands in table order. Its shortcuts are the ones
    // the person can change and the settings file keeps.
    std::vector<QAction*> CommandList() const;
    // Runs the command as the user would: only when it is enabled now.
    bool Trigger(Command command);
    // Runs the command's work without its enabling rule, for commands whose own work
    // falls back to another (the step colour command adds a step when none is current).
    void Run(Command command);

    // The update pass.
    void Update();
    // Starts the 100 ms pass.
    void StartTimer();
    void StopTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QAction* action = nullptr;
        Rule enabled;
        Rule checked;
        Work run;
    };
    std::array<Entry, CommandCount> entries_{};
    QTimer* timer_;
};
