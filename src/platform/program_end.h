#pragma once
#include <functional>

namespace kiv {

// Thrown by the test end handler so that nothing after End() runs.
struct ProgramEnded {};

// Stops the program at once: no further handler runs, nothing is saved.
[[noreturn]] void End();

// Replaces what End() does; the handler must not return (it throws or exits).
// An empty function restores the real end.
void setEndHandler(std::function<void()> handler);

} // namespace kiv
