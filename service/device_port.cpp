#include "service/device_port.h"

#include <future>

namespace kx::service {

JobResult RunJob(DevicePort& port, std::uint32_t ip, Job job) {
    auto promise = std::make_shared<std::promise<JobResult>>();
    std::future<JobResult> result = promise->get_future();
    port.Submit(ip, std::move(job), [promise](const JobResult& r) { promise->set_value(r); });
    return result.get();
}

} // namespace kx::service
