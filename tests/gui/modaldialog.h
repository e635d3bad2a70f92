#pragma once

#include <functional>

class QWidget;

namespace varnok {

/** Runs `inspect` on the modal dialog as soon as it is up; the inspection must close it. */
void WhenModalIsUp(std::function<void(QWidget*)> inspect);

} // namespace varnok
