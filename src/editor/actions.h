#pragma once
// The command list of the main window: one QAction per command, found by its name, each
// with an update rule that sets its enabled state (and check mark). Menus, toolbars,
// context menus and shortcuts all hold these same actions. The update pass runs on a
// 100 ms timer, after each command and change report, when a menu is about to show and
// before a key is matched against the shortcuts (so a key pressed right after a click finds
// its command enabled); a command also checks its own rule again when it runs.

#include <QAction>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class QTimer;

class ActionRegistry : public QObject {
    Q_OBJECT
public:
    using Rule = std::function<bool()>;
    using Run = std::function<void()>;

    explicit ActionRegistry(QObject* parent = nullptr);

    // Registers name with its caption, its enabling rule (none: always enabled) and what it
    // does. The action runs only when its rule holds at that moment.
    QAction* Add(const std::string& name, const QString& caption, Run run, Rule enabled = {});
    // A check mark that follows checked at every pass.
    void SetChecked(const std::string& name, Rule checked);

    QAction* Get(const std::string& name) const;
    // The command list: every action named "...Action" in the order it was added, but those
    // taken out of it (menu items and the colour bar's own command are not in it). Its
    // shortcuts are the ones the person can change and the settings file keeps.
    std::vector<QAction*> CommandList() const;
    void Unlist(const std::string& name);
    // Runs the command as the user would: only when it is enabled now.
    bool Trigger(const std::string& name);

    // The update pass.
    void Update();
    // Starts the 100 ms pass.
    void StartTimer();
    void StopTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QAction* action;
        Rule enabled;
        Rule checked;
    };
    std::map<std::string, Entry> entries_;
    std::vector<std::string> order_;
    std::set<std::string> unlisted_;
    QTimer* timer_;
};
