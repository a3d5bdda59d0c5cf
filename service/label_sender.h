#pragma once
// Sends the label states the coalescer lets through, on a thread of its own, and logs each
// send with its outcome.
#include <condition_variable>
#include <mutex>
#include <thread>

#include "service/coalescer.h"
#include "service/device_port.h"

namespace kx::service {

class LabelSender {
public:
    explicit LabelSender(DevicePort& port);
    // Stops taking new sends and waits for those in flight.
    ~LabelSender();
    LabelSender(const LabelSender&) = delete;
    LabelSender& operator=(const LabelSender&) = delete;

    void Offer(const LabelSlot& slot, Job job);
    void Forget(const LabelSlot& slot);

private:
    void Run();
    void Finish(const LabelSend& send, const JobResult& result);

    DevicePort& m_port;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    Coalescer m_coalescer;
    int m_in_flight = 0;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace kx::service
