// The desktop program: one instance per user, then the main window and the event loop.
#include "app/message_boxes.h"
#include "common/single_instance.h"
#include "common/termination_signal.h"

#include <QApplication>
#include <QMainWindow>
#include <QSocketNotifier>

#include <memory>

int main(int argc, char** argv)
{
    SingleInstanceLock instance;
    if (!instance.Acquire())
        return -1;

    QApplication app(argc, argv);
    QApplication::setApplicationName("Lumenrill");

    QMainWindow window;
    window.setWindowTitle("Lumenrill");
    window.resize(1024, 640);

    MessageBoxHandler messages(&window);
    InstallMessageHandler(&messages);

    // Ctrl-C and SIGTERM close the program the ordinary way, so everything it set up is
    // taken down again.
    std::unique_ptr<QSocketNotifier> terminate;
    if (InstallTerminationSignals()) {
        terminate = std::make_unique<QSocketNotifier>(TerminationFd(), QSocketNotifier::Read);
        QObject::connect(terminate.get(), &QSocketNotifier::activated, &window, &QMainWindow::close);
    }

    window.show();
    const int status = QApplication::exec();
    InstallMessageHandler(nullptr);
    return status;
}
