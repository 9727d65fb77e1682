#include "skin/data/SkinEngine.h"

namespace velloran {

namespace {
TSkinEngine* (*g_current)() = nullptr;
TSkinEngine& (*g_start)() = nullptr;
}  // namespace

TSkinEngine* TSkinEngine::Current() { return g_current ? g_current() : nullptr; }

TSkinEngine* TSkinEngine::Start() { return g_start ? &g_start() : nullptr; }

void TSkinEngine::Provide(TSkinEngine* (*current)(), TSkinEngine& (*start)()) {
    g_current = current;
    g_start = start;
}

}  // namespace velloran
