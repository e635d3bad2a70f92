#include "modaldialog.h"

#include <QApplication>
#include <QTimer>

#include <memory>

namespace varnok {

void WhenModalIsUp(std::function<void(QWidget*)> inspect)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [inspect, poll] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            inspect(modal);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

} // namespace varnok
