#pragma once
// Help: the manual (an HTML page opened in the default browser) and F1, which opens the
// manual at the section of whatever the user is looking at: an open menu, a dialog, or the
// main window. Windows and menus carry their help context in the property "helpContext".

#include <QObject>
#include <QUrl>

#include <functional>

// Help contexts of the windows and menus.
namespace HelpContext {
inline constexpr int MainWindow = 3;
inline constexpr int FileMenu = 5; // to HelpMenu = 10, in menu order
inline constexpr int HelpMenu = 10;
inline constexpr int ExtendedSelection = 22;
} // namespace HelpContext

// The manual's address, at the section of context (0: its start); empty without a manual.
QUrl ManualUrl(int context);

// The help context that F1 stands for now: the open menu's, else the active window's (or
// that of the nearest parent that has one); 0 when none has one.
int CurrentHelpContext();

// Installed on the application: F1 anywhere opens the manual through open.
class HelpKeyFilter : public QObject {
public:
    explicit HelpKeyFilter(std::function<void(int context)> open, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> open_;
};
