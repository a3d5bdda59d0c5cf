#include "link/fleet_engine.h"

#include <mutex>
#include <thread>
#include <unordered_map>

#include "link/fleet_table.h"
#include "link/session.h"
#include "platform/clock.h"
#include "platform/wait.h"

namespace kx {

using namespace platform;

namespace {

// How long a port 7000 held by another program is waited for before the jobs give up.
constexpr std::uint32_t kPortWaitMs = 1000;
constexpr std::uint32_t kPortRetryMs = 50;
// Without a wake-up socket the loop looks for new jobs this often instead.
constexpr std::uint32_t kPollWithoutWakerMs = 10;
// Datagrams taken in one go before the deadlines are looked at again.
constexpr int kReceiveBurst = 1024;
// Room for the replies of a whole table of devices that answer at the same moment.
constexpr int kReceiveBufferBytes = 1 << 20;

const std::string kNoSocketProblem = "no UDP socket could be created";
const std::string kPortProblem = "port 7000 is in use by another program";
// No route to the address, or a broadcast address (the engine never broadcasts).
const std::string kSendProblem = "the system would not send to that address";
const std::string kStoppedProblem = "the fleet engine stopped before it was sent";

// A request to one of this machine's own addresses where nothing listens comes back to our
// port 7000 from that same address; the system then sends to it from the address itself.
bool SendsToItself(std::uint32_t ip) {
    return SourceAddressToward({ip, frame::kPort}) == ip;
}

// Windows Sockets counts its start-ups: the engine starts them for its own sockets and ends
// its share when it goes, whoever else uses them.
class SocketsStarted {
public:
    SocketsStarted() : m_started(SocketStartup()) {}
    ~SocketsStarted() {
        if (m_started)
            SocketCleanup();
    }
    SocketsStarted(const SocketsStarted&) = delete;
    SocketsStarted& operator=(const SocketsStarted&) = delete;

private:
    bool m_started;
};

} // namespace

struct FleetEngine::Impl {
    using Ticket = FleetTable::Ticket;

    Impl() : thread([this] { Run(); }) {}
    ~Impl() {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        waker.Wake();
        thread.join();
    }

    void Submit(FleetJob job, Done done) {
        {
            std::lock_guard lock(mutex);
            submitted.push_back({next_ticket++, std::move(job), std::move(done)});
        }
        waker.Wake();
    }

private:
    struct Submission {
        Ticket ticket;
        FleetJob job;
        Done done;
    };

    void Run();
    bool Collect();
    bool NothingSubmitted();
    void WaitForTraffic();
    void ReceiveReplies();
    void StartRequests();
    bool OpenSocket();
    void CloseSocket();
    void Deliver();
    void Finish(std::vector<FleetTable::Completion> completions);

    SocketsStarted sockets_started; // first: every socket below needs it

    // Shared with the submitting threads.
    std::mutex mutex;
    std::vector<Submission> submitted;
    Ticket next_ticket = 1;
    bool stopping = false;
    Waker waker;

    // The engine thread's own.
    FleetTable table{SendsToItself};
    std::unordered_map<Ticket, Done> waiting_for_result;
    std::vector<FleetTable::Completion> finished;
    SocketHandle socket = kNoSocket;
    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kReadAllRecvSize);

    std::thread thread; // last: starts once everything above exists
};

void FleetEngine::Impl::Run() {
    for (;;) {
        WaitForTraffic();
        ReceiveReplies();
        Finish(table.Expire(TickCount()));
        const bool stop = Collect();
        if (stop)
            Finish(table.DropWaiting(kStoppedProblem));
        StartRequests();
        if (!table.HasWork())
            CloseSocket();
        Deliver();
        if (stop && !table.HasWork() && NothingSubmitted())
            return;
    }
}

// Moves the new jobs into the table; true once the engine is told to stop.
bool FleetEngine::Impl::Collect() {
    std::vector<Submission> batch;
    bool stop = false;
    {
        std::lock_guard lock(mutex);
        batch.swap(submitted);
        stop = stopping;
    }
    for (Submission& s : batch) {
        waiting_for_result.emplace(s.ticket, std::move(s.done));
        table.Add(s.ticket, std::move(s.job));
    }
    return stop;
}

bool FleetEngine::Impl::NothingSubmitted() {
    std::lock_guard lock(mutex);
    return submitted.empty();
}

void FleetEngine::Impl::WaitForTraffic() {
    const std::optional<std::uint32_t> deadline = table.TimeToNextDeadline(TickCount());
    std::uint32_t timeout = deadline.value_or(kWaitForever);
    if (!waker.Ok())
        timeout = std::min(timeout, kPollWithoutWakerMs);
    WaitItem items[] = {{waker.Handle()}, {socket}};
    WaitAnyReadable(items, timeout);
    if (items[0].ready)
        waker.Clear();
}

void FleetEngine::Impl::ReceiveReplies() {
    for (int i = 0; i < kReceiveBurst && socket != kNoSocket && WaitReadable(socket, 0); ++i) {
        Endpoint from{};
        const int n = RecvFrom(socket, buffer.data(), buffer.size(), &from);
        if (n < 0)
            continue; // longer than any reply the engine takes: discarded whole
        const std::span<const std::uint8_t> datagram(buffer.data(), static_cast<std::size_t>(n));
        if (auto done = table.Take(from, datagram, TickCount()))
            finished.push_back(std::move(*done));
    }
}

void FleetEngine::Impl::StartRequests() {
    if (!table.HasWaiting())
        return;
    if (socket == kNoSocket && !OpenSocket())
        return;
    for (const FleetTable::Outgoing& out : table.StartFree(TickCount()))
        if (SendTo(socket, out.frame.data(), out.frame.size(), out.to) < 0)
            finished.push_back(table.Unsent(out.to.ip, kSendProblem));
}

// Binds port 7000 on every address, waiting a little while another program holds it. On
// failure every waiting job ends as not sent, saying why.
bool FleetEngine::Impl::OpenSocket() {
    socket = OpenUdpSocket(0);
    if (socket == kNoSocket) {
        Finish(table.DropWaiting(kNoSocketProblem));
        return false;
    }
    const std::uint32_t t0 = TickCount();
    while (!Bind(socket, {kAnyIp, frame::kPort})) {
        if (ElapsedSince(t0) >= kPortWaitMs) {
            CloseSocket();
            Finish(table.DropWaiting(kPortProblem));
            return false;
        }
        SleepMs(kPortRetryMs);
    }
    SetReceiveBuffer(socket, kReceiveBufferBytes);
    SetNonBlocking(socket);
    return true;
}

void FleetEngine::Impl::CloseSocket() {
    if (socket == kNoSocket)
        return;
    platform::CloseSocket(socket);
    socket = kNoSocket;
}

void FleetEngine::Impl::Finish(std::vector<FleetTable::Completion> completions) {
    for (auto& c : completions)
        finished.push_back(std::move(c));
}

void FleetEngine::Impl::Deliver() {
    std::vector<FleetTable::Completion> ready;
    ready.swap(finished);
    for (auto& c : ready) {
        const auto it = waiting_for_result.find(c.ticket);
        Done done = std::move(it->second);
        waiting_for_result.erase(it);
        if (done)
            done(std::move(c.result));
    }
}

FleetEngine::FleetEngine() : m_impl(std::make_unique<Impl>()) {}

FleetEngine::~FleetEngine() = default;

void FleetEngine::Submit(FleetJob job, Done done) {
    m_impl->Submit(std::move(job), std::move(done));
}

std::future<FleetResult> FleetEngine::Submit(FleetJob job) {
    auto promise = std::make_shared<std::promise<FleetResult>>();
    std::future<FleetResult> result = promise->get_future();
    Submit(std::move(job), [promise](FleetResult r) { promise->set_value(std::move(r)); });
    return result;
}

std::vector<FleetResult> FleetEngine::RunBatch(std::vector<FleetJob> jobs) {
    std::vector<std::future<FleetResult>> pending;
    pending.reserve(jobs.size());
    for (FleetJob& job : jobs)
        pending.push_back(Submit(std::move(job)));
    std::vector<FleetResult> results;
    results.reserve(pending.size());
    for (auto& f : pending)
        results.push_back(f.get());
    return results;
}

} // namespace kx
