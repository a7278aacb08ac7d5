#include "editor/actions.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

ActionRegistry::ActionRegistry(QObject* parent) : QObject(parent), timer_(new QTimer(this))
{
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &ActionRegistry::Update);
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool ActionRegistry::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride)
        Update();
    return QObject::eventFilter(watched, event);
}

QAction* ActionRegistry::Add(const std::string& name, const QString& caption, Run run, Rule enabled)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromStdString(name));
    entries_[name] = Entry{action, enabled, {}};
    order_.push_back(name);
    connect(action, &QAction::triggered, this, [this, name, run = std::move(run)] {
        const Entry& e = entries_.at(name);
        if (e.enabled && !e.enabled())
            return;
        run();
        Update();
    });
    return action;
}

void ActionRegistry::SetChecked(const std::string& name, Rule checked)
{
    Entry& e = entries_.at(name);
    e.action->setCheckable(true);
    e.checked = std::move(checked);
}

QAction* ActionRegistry::Get(const std::string& name) const
{
    auto it = entries_.find(name);
    return it == entries_.end() ? nullptr : it->second.action;
}

std::vector<QAction*> ActionRegistry::CommandList() const
{
    std::vector<QAction*> list;
    for (const std::string& name : order_)
        if (name.ends_with("Action") && !unlisted_.contains(name))
            list.push_back(entries_.at(name).action);
    return list;
}

void ActionRegistry::Unlist(const std::string& name) { unlisted_.insert(name); }

bool ActionRegistry::Trigger(const std::string& name)
{
    auto it = entries_.find(name);
    if (it == entries_.end())
        return false;
    Update();
    if (!it->second.action->isEnabled())
        return false;
    it->second.action->trigger();
    return true;
}

void ActionRegistry::Update()
{
    for (auto& [name, e] : entries_) {
        if (e.enabled)
            e.action->setEnabled(e.enabled());
        if (e.checked)
            e.action->setChecked(e.checked());
    }
}

void ActionRegistry::StartTimer() { timer_->start(); }

void ActionRegistry::StopTimer() { timer_->stop(); }
