#pragma once
// How a program that runs until it is told to stop (the simulator, a service) learns that the
// operator wants it to end: Ctrl+C or a termination request, and on Windows also Ctrl+Break
// and the console window being closed.
namespace kx::platform {

// Call before any thread starts: from then on a stop request no longer ends the process at
// once but is kept for WaitForStopRequest, so the program can close its sockets first.
void CatchStopRequests();

// Blocks until a stop request arrives.
void WaitForStopRequest();

} // namespace kx::platform
