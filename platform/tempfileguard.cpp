#include "platform/tempfileguard.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace varnok {

namespace {

// A signal handler can reach nothing but static storage, so the guarded paths live in a
// fixed table that the handler reads without locks or allocation. A slot is claimed, then
// filled, then marked ready; the handler only looks at ready slots.
struct Slot {
    std::atomic<bool> Claimed{false};
    std::atomic<bool> Ready{false};
    char Path[PATH_MAX]{};
};

constexpr std::size_t kSlotCount = 16;
constexpr std::array<int, 2> kSignals{SIGINT, SIGTERM};

std::array<Slot, kSlotCount> g_slots;
std::array<struct sigaction, kSignals.size()> g_previous{};
std::once_flag g_installed;

void removeGuardedFiles(int signalNumber)
{
    for (Slot& slot : g_slots) {
        if (slot.Ready.load(std::memory_order_acquire))
            ::unlink(slot.Path);
    }
    // Then whatever the signal did before: usually ending the process.
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (kSignals[i] == signalNumber)
            ::sigaction(signalNumber, &g_previous[i], nullptr);
    }
    ::raise(signalNumber);
}

void installHandlers()
{
    struct sigaction action {};
    action.sa_handler = removeGuardedFiles;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : kSignals)
        sigaddset(&action.sa_mask, signalNumber);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &g_previous[i]);
        // A signal the process ignores (a job started with nohup) stays ignored.
        if (g_previous[i].sa_handler != SIG_IGN)
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

} // namespace

TemporaryFileGuard::TemporaryFileGuard(const std::string& path)
{
    if (path.empty() || path.size() >= PATH_MAX)
        return;
    std::call_once(g_installed, installHandlers);
    for (std::size_t i = 0; i < g_slots.size(); ++i) {
        Slot& slot = g_slots[i];
        bool expected = false;
        if (!slot.Claimed.compare_exchange_strong(expected, true))
            continue;
        std::memcpy(slot.Path, path.c_str(), path.size() + 1);
        slot.Ready.store(true, std::memory_order_release);
        m_slot = static_cast<int>(i);
        return;
    }
}

TemporaryFileGuard::~TemporaryFileGuard()
{
    if (m_slot < 0)
        return;
    Slot& slot = g_slots[static_cast<std::size_t>(m_slot)];
    slot.Ready.store(false, std::memory_order_release);
    slot.Claimed.store(false, std::memory_order_release);
}

} // namespace varnok
