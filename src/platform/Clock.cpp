#include "platform/Clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace tolvane {

QDateTime SystemClock::Now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::MSecsSinceEpoch() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

void SystemClock::Delay(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000.0), &loop, &QEventLoop::quit);
    loop.exec();
}

void SystemClock::DoEvents()
{
    QCoreApplication::processEvents();
}

void SystemClock::WaitForEvents()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace tolvane
