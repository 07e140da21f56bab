#include "app/AppInfo.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget w;
    w.setWindowTitle(app::ProgramCaption());
    w.show();
    return QApplication::exec();
}
