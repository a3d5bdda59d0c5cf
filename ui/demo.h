#pragma once
// Simulated multiviewers in the panel's own process, so that the panel can be tried without
// hardware: "KX7214-Studio-A" at 127.0.0.2 and "Edit-Bay" at 127.0.0.3 answer the search;
// "Remote-Rack" at 127.0.0.4 stands for a device on another subnet, which no broadcast
// reaches: it is found by typing its address.
#include <memory>
#include <string>

#include "sim/multiviewer.h"

namespace kx::ui {

sim::DeviceOptions DemoStudioA();
sim::DeviceOptions DemoEditB();
sim::DeviceOptions DemoRemote();

// True when the only network interface is loopback, so the search broadcast cannot leave
// this machine. The demo refuses to start elsewhere.
bool OnlyLoopbackNetwork();

class DemoDevices {
public:
    // Starts the devices; false with the reason in `error`.
    bool Start(std::string& error);
    sim::DeviceHost& Host() { return m_host; }

private:
    sim::DeviceHost m_host;
};

} // namespace kx::ui
