#include "platform/program_end.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace kiv {
namespace {
std::function<void()>& endHandler()
{
    static std::function<void()> handler;
    return handler;
}
} // namespace

void setEndHandler(std::function<void()> handler)
{
    endHandler() = std::move(handler);
}

void End()
{
    if (endHandler())
        endHandler()();
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace kiv
