#pragma once

#include <sys/resource.h>

#include <vector>

namespace varnok {

// Takes every free file descriptor of the process but `spare`, for the life of the object:
// the next file the code under test opens or creates beyond those fails, whoever runs the
// tests. Permission bits would do the same only for ordinary users, never for root.
class DescriptorShortage {
public:
    explicit DescriptorShortage(int spare);
    ~DescriptorShortage();
    DescriptorShortage(const DescriptorShortage&) = delete;
    DescriptorShortage& operator=(const DescriptorShortage&) = delete;

private:
    rlimit m_oldLimit{};
    std::vector<int> m_taken;
};

} // namespace varnok
