// SPDX-License-Identifier: GPL-3.0-or-later
#include "timesource.h"

#include <QLocale>
#include <chrono>

namespace {

class SystemTimeSource : public TimeSource
{
public:
    MonotonicTime monotonicNow() override
    {
        using namespace std::chrono;
        const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
        return {ms / 1000, static_cast<int>(ms % 1000)};
    }
    QDateTime localNow() override { return QDateTime::currentDateTime(); }
    bool twelveHourClock() override
    {
        const QString f = QLocale::system().timeFormat(QLocale::ShortFormat);
        return f.contains(QLatin1Char('a'), Qt::CaseInsensitive);
    }
};

TimeSource* injected = nullptr;

} // namespace

TimeSource& timeSource()
{
    static SystemTimeSource system;
    return injected ? *injected : system;
}

void setTimeSource(TimeSource* source)
{
    injected = source;
}

MonotonicTime ManualTimeSource::monotonicNow()
{
    return {totalMs / 1000, static_cast<int>(totalMs % 1000)};
}

void ManualTimeSource::setMonotonic(int64_t seconds, int millis)
{
    totalMs = seconds * 1000 + millis;
}

void ManualTimeSource::advanceMs(int64_t ms)
{
    totalMs += ms;
    local = local.addMSecs(ms);
}
