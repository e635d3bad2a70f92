#pragma once

#include <QObject>

#include <optional>

class QWidget;

namespace varnok {

// Measuring aid for the start-up benchmark: with VARNOK_EXIT_AFTER_FIRST_PAINT set in the
// environment, the first paint of the watched widget (or of any widget inside it) prints
// the time since the process started and the resident memory to standard error, then the
// application quits.
class FirstPaintProbe final : public QObject {
    Q_OBJECT
public:
    /** True when the environment asks for the measurement. */
    [[nodiscard]] static bool Requested();

    /** Watches `widget` and everything inside it; the probe becomes the widget's child. */
    static void Watch(QWidget& widget);

    /** Milliseconds since this process started, from the kernel's record of its start. */
    [[nodiscard]] static std::optional<long long> MillisecondsSinceProcessStart();
    /** Resident memory of this process in bytes. */
    [[nodiscard]] static std::optional<long long> ResidentBytes();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstPaintProbe(QObject* parent);

    bool m_reported = false;
};

} // namespace varnok
