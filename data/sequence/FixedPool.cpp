#include "data/sequence/FixedPool.h"

#include <algorithm>

namespace {

constexpr std::size_t kObjectsPerBlock = 4096;

} // namespace

CFixedPool::CFixedPool(std::size_t objectSize)
    : m_size((std::max(objectSize, sizeof(FreeSlot)) + alignof(std::max_align_t) - 1)
             / alignof(std::max_align_t) * alignof(std::max_align_t))
{
}

void* CFixedPool::Allocate()
{
    if (m_free) {
        FreeSlot* slot = m_free;
        m_free = slot->next;
        return slot;
    }
    if (m_cursor == m_end) {
        m_blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(m_size * kObjectsPerBlock));
        m_cursor = m_blocks.back().get();
        m_end = m_cursor + m_size * kObjectsPerBlock;
    }
    void* object = m_cursor;
    m_cursor += m_size;
    return object;
}

void CFixedPool::Free(void* object)
{
    if (!object)
        return;
    auto* slot = static_cast<FreeSlot*>(object);
    slot->next = m_free;
    m_free = slot;
}
