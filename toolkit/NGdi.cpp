#include "NGdi.h"

#include <atomic>

namespace {
std::atomic<long> g_liveGdiObjects{0};
}

long NLiveGdiObjects() { return g_liveGdiObjects.load(); }

namespace ngdi_detail {
void CountCreated() { ++g_liveGdiObjects; }
void CountDeleted() { --g_liveGdiObjects; }
}

NMemoryDC::NMemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}

NMemoryDC::~NMemoryDC()
{
    if (m_dc) DeleteDC(m_dc);
}
