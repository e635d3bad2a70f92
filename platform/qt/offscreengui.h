#pragma once

#include <QtGlobal>

#include <array>
#include <memory>

class QGuiApplication;

namespace varnok {

// Makes Qt's fonts and paint devices usable where no application object runs (the batch
// export): starts a QGuiApplication on the offscreen platform, which needs no display,
// for the life of the object, and keeps Qt's own warnings off standard error meanwhile.
// Where an application object exists already, nothing changes.
class OffscreenGui {
public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    std::array<char, 8> m_name{"varnok5"};
    std::array<char, 10> m_platformOption{"-platform"};
    std::array<char, 10> m_platform{"offscreen"};
    std::array<char*, 4> m_argv{};
    int m_argc = 3;
    QtMessageHandler m_previousHandler = nullptr;
    std::unique_ptr<QGuiApplication> m_application;
};

} // namespace varnok
