// An empty Qt window started the way the program starts, ended as soon as it is on screen.
#include <QApplication>
#include <QTest>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tallimo Win9"));
    window.resize(480, 420);
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}
