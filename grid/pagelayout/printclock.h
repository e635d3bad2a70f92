#pragma once

namespace varnok {

// A moment in local time, as the page header and footer print it.
struct TPrintTime {
    int Year = 2000;
    int Month = 1; // 1 to 12
    int Day = 1;
    int DayOfWeek = 6; // 0 Sunday to 6 Saturday
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// Where the time and date of printing come from; tests give a fixed moment.
class PrintClock {
public:
    virtual ~PrintClock() = default;
    /** The current local time. */
    [[nodiscard]] virtual TPrintTime Now() const = 0;
};

// The system clock in the time zone in force.
class SystemPrintClock final : public PrintClock {
public:
    [[nodiscard]] TPrintTime Now() const override;
};

} // namespace varnok
