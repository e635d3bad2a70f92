#include "platform/qt/offscreengui.h"

#include <QGuiApplication>

#include <stdexcept>

namespace varnok {

namespace {

void dropMessage(QtMsgType /*type*/, const QMessageLogContext& /*context*/,
                 const QString& /*message*/)
{
}

} // namespace

OffscreenGui::OffscreenGui()
{
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            throw std::runtime_error("Printing needs a graphical application object");
        return;
    }
    m_argv = {m_name.data(), m_platformOption.data(), m_platform.data(), nullptr};
    // Without a user session Qt complains about its runtime folder; a batch run's standard
    // error carries the program's own messages only.
    m_previousHandler = qInstallMessageHandler(dropMessage);
    m_application = std::make_unique<QGuiApplication>(m_argc, m_argv.data());
}

OffscreenGui::~OffscreenGui()
{
    if (!m_application)
        return;
    m_application.reset();
    qInstallMessageHandler(m_previousHandler);
}

} // namespace varnok
