// The global operator new and delete of the Windows programs, straight over
// the C runtime's heap. The library's own versions throw std::bad_alloc,
// which links the whole exception runtime into a static program; here a
// failed plain new ends the program instead, and the nothrow forms answer
// null as they must.
#include <cstdlib>
#include <new>

namespace {

void* AllocateOrAbort(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (block == nullptr) std::abort();
    return block;
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrAbort(size); }
void* operator new[](std::size_t size) { return AllocateOrAbort(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
