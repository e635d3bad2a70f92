#include "support/descriptorshortage.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

namespace varnok {

namespace {

// A low limit keeps the number of descriptors to take small, however high the system's is.
constexpr rlim_t kLowLimit = 256;

} // namespace

DescriptorShortage::DescriptorShortage(int spare)
{
    if (::getrlimit(RLIMIT_NOFILE, &m_oldLimit) != 0)
        throw std::runtime_error("cannot read the descriptor limit");
    rlimit low = m_oldLimit;
    if (low.rlim_cur > kLowLimit)
        low.rlim_cur = kLowLimit;
    if (::setrlimit(RLIMIT_NOFILE, &low) != 0)
        throw std::runtime_error("cannot lower the descriptor limit");
    for (int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC); fd >= 0;
         fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC))
        m_taken.push_back(fd);
    for (; spare > 0 && !m_taken.empty(); --spare) {
        ::close(m_taken.back());
        m_taken.pop_back();
    }
}

DescriptorShortage::~DescriptorShortage()
{
    for (const int fd : m_taken)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &m_oldLimit);
}

} // namespace varnok
