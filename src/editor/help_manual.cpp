#include "editor/help_manual.h"

#include "common/data_files.h"
#include "gui_common/language.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace {

const char* SectionOf(int context)
{
    switch (context) {
    case HelpContext::MainWindow:
        return "main-window";
    case 5:
        return "file-menu";
    case 6:
        return "edit-menu";
    case 7:
        return "play-menu";
    case 8:
        return "view-menu";
    case 9:
        return "settings-menu";
    case HelpContext::HelpMenu:
        return "help-menu";
    case HelpContext::ExtendedSelection:
        return "extended-selection";
    default:
        return "";
    }
}

int ContextOf(const QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        const int context = w->property("helpContext").toInt();
        if (context > 0)
            return context;
    }
    return 0;
}

} // namespace

QUrl ManualUrl(int context)
{
    const std::string path = ManualPath(LanguageCode(CurrentLanguage()));
    if (path.empty())
        return {};
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
    if (const char* section = SectionOf(context); *section)
        url.setFragment(section);
    return url;
}

int CurrentHelpContext()
{
    // A sub-menu without a context of its own stands for the menu it opened from.
    for (QWidget* popup = QApplication::activePopupWidget(); popup;) {
        if (const int context = popup->property("helpContext").toInt(); context > 0)
            return context;
        auto* menu = qobject_cast<QMenu*>(popup);
        QAction* from = menu ? menu->menuAction() : nullptr;
        popup = from && !from->associatedObjects().isEmpty()
                    ? qobject_cast<QMenu*>(from->associatedObjects().constFirst())
                    : nullptr;
    }
    return ContextOf(QApplication::activeWindow());
}

HelpKeyFilter::HelpKeyFilter(std::function<void(int)> open, QObject* parent) : QObject(parent), open_(std::move(open))
{
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    // Only the event as it reaches a widget: the window and its parents see it again.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat()) {
            open_(CurrentHelpContext());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
