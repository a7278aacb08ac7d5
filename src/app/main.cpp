// The desktop program: one instance per user, then the main window and the event loop.
#include "app/message_boxes.h"
#include "common/paths.h"
#include "common/single_instance.h"
#include "common/termination_signal.h"
#include "editor/lurill_form.h"
#include "settings/env_data.h"

#include <QApplication>
#include <QSocketNotifier>

#include <memory>

int main(int argc, char** argv)
{
    SingleInstanceLock instance;
    if (!instance.Acquire())
        return -1;

    // Window placement needs the X11 platform: on a Wayland session the program runs
    // through XWayland unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lumenrill");

    MessageBoxHandler messages;
    InstallMessageHandler(&messages);
    int status = 0;
    {
        LurillFormOptions options;
        options.ExeDir = ExeDir();
        options.SettingsPath = SettingsFilePath(ExeDir());
        TLurillForm window(std::move(options));
        messages.SetParent(&window);

        // Ctrl-C and SIGTERM close the program the ordinary way, so everything it set up is
        // taken down again.
        std::unique_ptr<QSocketNotifier> terminate;
        if (InstallTerminationSignals()) {
            terminate = std::make_unique<QSocketNotifier>(TerminationFd(), QSocketNotifier::Read);
            QObject::connect(terminate.get(), &QSocketNotifier::activated, &window, &QWidget::close);
        }

        window.show();
        status = QApplication::exec();
        messages.SetParent(nullptr);
    }
    InstallMessageHandler(nullptr);
    return status;
}
