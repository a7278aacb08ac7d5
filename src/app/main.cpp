// The desktop program: one instance per user, then the main window and the event loop.
#include "app/message_boxes.h"
#include "common/single_instance.h"

#include <QApplication>
#include <QMainWindow>

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

    window.show();
    const int status = QApplication::exec();
    InstallMessageHandler(nullptr);
    return status;
}
