// The desktop program: one instance per user, then the main window and the event loop.
// `lumenrill SHOW.PRJ` (or `--demo`, the demo show) opens that show after start-up (asking
// about unsaved changes first); when the program already runs, the show is handed to it and
// this start ends. `--help` and `--version` answer without a window.
#include "app/command_line.h"
#include "app/instance_channel.h"
#include "app/message_boxes.h"
#include "common/data_files.h"
#include "common/paths.h"
#include "common/single_instance.h"
#include "common/termination_signal.h"
#include "document/demo_show.h"
#include "editor/main_window.h"
#include "gui_common/language.h"
#include "settings/ini_file.h"
#include "settings/main_window_settings.h"
#include "settings/env_data.h"

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    const CommandLine commandLine = ReadCommandLine(argc, argv);
    if (commandLine.ExitStatus)
        return *commandLine.ExitStatus;
    // The show, made absolute against the folder it was given in; the demo is the user's copy
    // of it, made once the language is chosen (a failure is said in it), so a running program
    // is handed the copy as any show.
    std::string show = AbsoluteFromCwd(commandLine.Show);
    const std::string settingsPath = ChooseSettingsPath(ExeDir());
    const auto useLanguageAndDemo = [&commandLine, &show, &settingsPath] {
        UseLanguage(ChooseLanguage(ReadOptionSettings(IniFile(settingsPath)).Language));
        if (!commandLine.Demo)
            return true;
        const DemoCopy demo = CopyDemoShow(DemoShowPath(), DemoFolder());
        if (demo.Show.empty()) {
            std::fprintf(stderr, "lumenrill: %s\n", demo.Error.c_str());
            return false;
        }
        show = demo.Show;
        return true;
    };
    SingleInstanceLock instance;
    const QString channel = QString::fromStdString(instance.Path()) + ".socket";
    if (!instance.Acquire()) {
        if (show.empty() && !commandLine.Demo)
            return -1;
        QCoreApplication handOver(argc, argv);
        if (!useLanguageAndDemo())
            return 1;
        return InstanceChannel::Send(channel, QString::fromStdString(show)) ? 0 : -1;
    }
    // Ctrl-C, SIGTERM and SIGHUP close the program the ordinary way, so everything it set up is
    // taken down again, without asking anyone; one that arrives during start-up waits in the
    // signal pipe until the window runs.
    const bool signalsCaught = InstallTerminationSignals();

    // Window placement needs the X11 platform: on a Wayland session the program runs
    // through XWayland unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lumenrill");
    QApplication::setDesktopFileName("lumenrill");
    QApplication::setWindowIcon(QIcon::fromTheme("lumenrill", QIcon(QString::fromStdString(IconPath()))));

    // The language is chosen once, before the first window: a change applies at the next start.
    if (!useLanguageAndDemo())
        return 1;

    MessageBoxHandler messages;
    InstallMessageHandler(&messages);
    int status = 0;
    {
        MainWindowOptions options;
        options.ExeDir = ExeDir();
        options.SettingsPath = settingsPath;
        MainWindow window(std::move(options));
        messages.SetParent(&window);

        InstanceChannel handOver(channel);
        handOver.Listen([&window](const QString& path) { window.OpenWhenStarted(path.toStdString()); });
        window.OpenWhenStarted(show);

        std::unique_ptr<QSocketNotifier> terminate;
        if (signalsCaught) {
            terminate = std::make_unique<QSocketNotifier>(TerminationFd(), QSocketNotifier::Read);
            QObject::connect(terminate.get(), &QSocketNotifier::activated, &window, &MainWindow::EndSession);
        }
        // Logging out: nobody answers a question any more, and nothing unsaved is lost.
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, &MainWindow::PrepareForSessionEnd);

        window.show();
        status = QApplication::exec();
        messages.SetParent(nullptr);
    }
    InstallMessageHandler(nullptr);
    return status;
}
