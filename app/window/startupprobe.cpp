#include "app/window/startupprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace varnok {

namespace {

constexpr const char* kProbeVariable = "VARNOK_EXIT_AFTER_FIRST_PAINT";

// Field 22 of /proc/self/stat: the start time in clock ticks after boot. The command name
// in field 2 may hold blanks, so counting starts after its closing parenthesis.
std::optional<long long> StartTicksAfterBoot()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line))
        return std::nullopt;
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    // Fields 3 to 21 come before the start time.
    for (int i = 3; i <= 21; ++i) {
        if (!(fields >> field))
            return std::nullopt;
    }
    long long ticks = 0;
    if (!(fields >> ticks))
        return std::nullopt;
    return ticks;
}

} // namespace

FirstPaintProbe::FirstPaintProbe(QObject* parent) : QObject(parent) {}

bool FirstPaintProbe::Requested()
{
    return std::getenv(kProbeVariable) != nullptr;
}

void FirstPaintProbe::Watch(QWidget& widget)
{
    auto* probe = new FirstPaintProbe(&widget);
    widget.installEventFilter(probe);
    // A scrolling view paints in its viewport, not in itself.
    for (QWidget* child : widget.findChildren<QWidget*>())
        child->installEventFilter(probe);
}

std::optional<long long> FirstPaintProbe::MillisecondsSinceProcessStart()
{
    const std::optional<long long> startTicks = StartTicksAfterBoot();
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (!startTicks || ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return std::nullopt;
    const long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    return nowMs - *startTicks * 1000 / ticksPerSecond;
}

std::optional<long long> FirstPaintProbe::ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long long sizePages = 0;
    long long residentPages = 0;
    if (!(statm >> sizePages >> residentPages))
        return std::nullopt;
    return residentPages * sysconf(_SC_PAGESIZE);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !m_reported) {
        m_reported = true;
        const std::optional<long long> elapsed = MillisecondsSinceProcessStart();
        const std::optional<long long> resident = ResidentBytes();
        std::fprintf(stderr, "first paint after %lld ms\n", elapsed.value_or(-1));
        std::fprintf(stderr, "resident memory %lld MB\n",
                     resident ? *resident / (1024 * 1024) : -1LL);
        // Quit once the paint in progress has finished.
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varnok
