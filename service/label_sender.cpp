#include "service/label_sender.h"

#include "service/request_log.h"

namespace kx::service {

LabelSender::LabelSender(DevicePort& port) : m_port(port), m_thread([this] { Run(); }) {}

LabelSender::~LabelSender() {
    std::unique_lock lock(m_mutex);
    m_stop = true;
    m_wake.notify_all();
    m_wake.wait(lock, [this] { return m_in_flight == 0; });
    lock.unlock();
    m_thread.join();
}

void LabelSender::Offer(const LabelSlot& slot, Job job) {
    std::lock_guard lock(m_mutex);
    m_coalescer.Offer(slot, std::move(job));
    m_wake.notify_all();
}

void LabelSender::Forget(const LabelSlot& slot) {
    std::lock_guard lock(m_mutex);
    m_coalescer.Forget(slot);
}

void LabelSender::Run() {
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        const auto next = m_coalescer.NextDue();
        const auto now = Coalescer::Clock::now();
        if (!next || *next > now) {
            if (next)
                m_wake.wait_until(lock, *next);
            else
                m_wake.wait(lock);
            continue;
        }
        const std::vector<LabelSend> due = m_coalescer.TakeDue(now);
        m_in_flight += static_cast<int>(due.size());
        // The port may answer at once on this thread, and Finish takes the lock.
        lock.unlock();
        for (const LabelSend& send : due)
            m_port.Submit(send.slot.ip, send.job,
                          [this, send](const JobResult& r) { Finish(send, r); });
        lock.lock();
    }
}

void LabelSender::Finish(const LabelSend& send, const JobResult& result) {
    LogLabelSend(send, result);
    std::lock_guard lock(m_mutex);
    m_coalescer.Finished(send.slot, result.outcome == FleetOutcome::Accepted);
    --m_in_flight;
    m_wake.notify_all();
}

} // namespace kx::service
