// The main of every test program: a QApplication on the offscreen platform and a fixed locale,
// so that short dates and digit grouping read the same on every machine.
#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Offscreen always; a test run may give the offscreen platform its own screens
    // ("offscreen:configfile=screens.json"), to see the windows on a smaller or scaled screen.
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
