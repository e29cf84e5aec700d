// Waiting in tests for what arrives through the message loop.
#pragma once

#include <functional>

namespace Tovix::Testing {

// Handles messages until done() holds or timeoutMs have passed; returns done(). A bound on the
// wait, never a measurement.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// Handles messages for about ms milliseconds.
void PumpFor(int ms);

}  // namespace Tovix::Testing
