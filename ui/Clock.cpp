#include "ui/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

namespace ui {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

void SystemClock::wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        // Paint events only: clicks and keys wait until the handler has finished.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
}

} // namespace ui
