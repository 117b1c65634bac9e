// Counting the global allocation functions in this test binary.
#pragma once

#include <cstdint>

// While a scope is open, every call of malloc, calloc, realloc, the aligned
// allocators and every operator new is counted, from whichever library it
// comes. Scopes do not nest.
class AllocationScope {
public:
    AllocationScope();
    ~AllocationScope();
    AllocationScope(const AllocationScope&) = delete;
    AllocationScope& operator=(const AllocationScope&) = delete;
    int64_t allocations() const;
};
