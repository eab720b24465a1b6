#include "app/application.h"

#include <QApplication>
#include <QWidget>

namespace tindrel {

int run_application(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Tindrel");
    window.show();
    return app.exec();
}

} // namespace tindrel
