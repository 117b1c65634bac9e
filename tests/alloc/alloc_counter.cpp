// Counts every call of the global allocation functions made while a
// counting scope is open.
//
// Plain build: this test binary defines malloc, calloc, realloc, the
// aligned allocators and every form of operator new / delete. The dynamic
// linker binds the whole process to the executable's definitions, so calls
// from inside the C and C++ libraries (a printf that needs a buffer, a file
// open, a locale lookup) are counted too. They hand the work on to glibc's
// own __libc_* entry points.
//
// Sanitizer build: the sanitizer owns the allocator, so the count comes
// from its allocation hook instead, which sees malloc and new alike.
#include "alloc_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<int64_t> allocation_count{0};
std::atomic<bool> counting{false};

void note_allocation() {
    if (counting.load(std::memory_order_relaxed)) allocation_count.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

AllocationScope::AllocationScope() {
    allocation_count.store(0);
    counting.store(true);
}

AllocationScope::~AllocationScope() { counting.store(false); }

int64_t AllocationScope::allocations() const { return allocation_count.load(); }

#if defined(__SANITIZE_ADDRESS__)

// Declared here: g++ ships the hook in its runtime but not this header.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*on_malloc)(const volatile void*, size_t),
                                                         void (*on_free)(const volatile void*));

namespace {

void on_malloc(const volatile void*, size_t) { note_allocation(); }
void on_free(const volatile void*) {}

struct HookInstaller {
    HookInstaller() { __sanitizer_install_malloc_and_free_hooks(on_malloc, on_free); }
};
const HookInstaller hook_installer;

}  // namespace

#else

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);

void* malloc(size_t size) {
    note_allocation();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    note_allocation();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
    note_allocation();
    return __libc_realloc(block, size);
}

void* memalign(size_t alignment, size_t size) {
    note_allocation();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
    note_allocation();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** block, size_t alignment, size_t size) {
    note_allocation();
    void* p = __libc_memalign(alignment, size);
    if (p == nullptr) return 12;  // ENOMEM
    *block = p;
    return 0;
}

void free(void* block) { __libc_free(block); }
}

namespace {

void* counted_new(size_t size) {
    note_allocation();
    void* p = __libc_malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void* counted_new_aligned(size_t size, std::align_val_t alignment) {
    note_allocation();
    void* p = __libc_memalign(static_cast<size_t>(alignment), size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

}  // namespace

void* operator new(size_t size) { return counted_new(size); }
void* operator new[](size_t size) { return counted_new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    note_allocation();
    return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    note_allocation();
    return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new(size_t size, std::align_val_t alignment) { return counted_new_aligned(size, alignment); }
void* operator new[](size_t size, std::align_val_t alignment) { return counted_new_aligned(size, alignment); }
void* operator new(size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    note_allocation();
    return __libc_memalign(static_cast<size_t>(alignment), size == 0 ? 1 : size);
}
void* operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    note_allocation();
    return __libc_memalign(static_cast<size_t>(alignment), size == 0 ? 1 : size);
}

void operator delete(void* p) noexcept { __libc_free(p); }
void operator delete[](void* p) noexcept { __libc_free(p); }
void operator delete(void* p, size_t) noexcept { __libc_free(p); }
void operator delete[](void* p, size_t) noexcept { __libc_free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { __libc_free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { __libc_free(p); }
void operator delete(void* p, std::align_val_t) noexcept { __libc_free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { __libc_free(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { __libc_free(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { __libc_free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { __libc_free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { __libc_free(p); }

#endif
