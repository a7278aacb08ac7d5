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

QAction* ActionRegistry::Add(Command command, Work run, Rule enabled)
{
    const CommandInfo& info = InfoOf(command);
    auto* action = new QAction(CommandCaption(command), this);
    action->setObjectName(QString::fromUtf8(info.StoredKey.data(), qsizetype(info.StoredKey.size())));
    entries_[size_t(command)] = Entry{action, std::move(enabled), {}, std::move(run)};
    connect(action, &QAction::triggered, this, [this, command] {
        const Entry& e = entries_[size_t(command)];
        if (e.enabled && !e.enabled())
            return;
        e.run();
        Update();
    });
    return action;
}

void ActionRegistry::SetChecked(Command command, Rule checked)
{
    Entry& e = entries_[size_t(command)];
    e.action->setCheckable(true);
    e.checked = std::move(checked);
}

std::vector<QAction*> ActionRegistry::CommandList() const
{
    std::vector<QAction*> list;
    for (const CommandInfo& info : CommandTable())
        if (info.Listed && entries_[size_t(info.Id)].action)
            list.push_back(entries_[size_t(info.Id)].action);
    return list;
}

bool ActionRegistry::Trigger(Command command)
{
    QAction* action = Get(command);
    if (!action)
        return false;
    Update();
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

void ActionRegistry::Run(Command command)
{
    if (const Entry& e = entries_[size_t(command)]; e.run) {
        e.run();
        Update();
    }
}

void ActionRegistry::Update()
{
    for (Entry& e : entries_) {
        if (!e.action)
            continue;
        if (e.enabled)
            e.action->setEnabled(e.enabled());
        if (e.checked)
            e.action->setChecked(e.checked());
    }
}

void ActionRegistry::StartTimer() { timer_->start(); }

void ActionRegistry::StopTimer() { timer_->stop(); }
