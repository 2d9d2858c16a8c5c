#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// Memory for many small objects of one size, taken from large blocks and
// handed back to a free list. A sequence file may hold a million operands;
// allocating them one by one from the general heap costs more than reading
// the file. Freed memory stays in the pool for the next objects. Like every
// data object, the pool belongs to the user-interface thread: no locking.
class CFixedPool {
public:
    explicit CFixedPool(std::size_t objectSize);
    CFixedPool(const CFixedPool&) = delete;
    CFixedPool& operator=(const CFixedPool&) = delete;

    void* Allocate();
    void Free(void* object);

    std::size_t GetObjectSize() const { return m_size; }

private:
    struct FreeSlot {
        FreeSlot* next;
    };

    std::size_t m_size;
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
    std::byte* m_cursor = nullptr;
    std::byte* m_end = nullptr;
    FreeSlot* m_free = nullptr;
};
