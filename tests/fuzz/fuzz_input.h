// Helpers shared by the fuzz targets: reading typed values from the fuzzer's
// bytes, and buffers of exactly a given capacity on the heap, so that the
// address sanitizer sees a write one past the capacity.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

// Values that break number handling: NaN, the infinities, the double
// range's ends, negative zero, denormals, the 32-bit and 64-bit edges.
inline constexpr double EDGE_VALUES[] = {
    0.0, -0.0, 1.0, -1.0, 0.5, -0.5, 2.9, -1.5, 100.0, 40.0, 900.0,
    std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
    1e308, -1e308, 1.7976931348623157e308, -1.7976931348623157e308, 5e-324, -5e-324, 2.2250738585072014e-308,
    2147483647.0, 2147483648.0, -2147483648.0, -2147483649.0, 2147483647.5, -2147483648.5,
    4294967296.0, 9.2233720368547758e18, -9.2233720368547758e18, 1e79, 1e80, 5.15e10, 1.2e12,
    2305843009213693951.0, -2305843009213693951.0, 30, 31, 40, 41, 20, 21, 10, 11, 6, 7,
};
inline constexpr int EDGE_COUNT = sizeof(EDGE_VALUES) / sizeof(EDGE_VALUES[0]);

// Reads the fuzzer's bytes front to back; past the end every read gives 0.
struct FuzzInput {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    size_t left() const { return size - at; }
    uint8_t byte() { return at < size ? data[at++] : 0; }
    uint32_t u32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
        return v;
    }
    double raw_double() {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = (bits << 8) | byte();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // A small whole number, an edge value, or any 64-bit pattern.
    double value() {
        const uint8_t selector = byte();
        if (selector < 128) return EDGE_VALUES[selector % EDGE_COUNT];
        if (selector < 192) return static_cast<double>(static_cast<int8_t>(byte()));
        if (selector < 224) return static_cast<double>(static_cast<int32_t>(u32())) / 4.0;
        return raw_double();
    }
    // A whole number in [low, high].
    int32_t in_range(int32_t low, int32_t high) {
        const uint32_t span = static_cast<uint32_t>(high - low) + 1;
        return low + static_cast<int32_t>(u32() % span);
    }
};

// A wide buffer of exactly `capacity` characters, filled with a marker so
// that an unterminated result is seen.
struct WideBuffer {
    wchar_t* text;
    int32_t capacity;
    explicit WideBuffer(int32_t c) : text(new wchar_t[c > 0 ? c : 1]), capacity(c) {
        for (int32_t i = 0; i < (c > 0 ? c : 1); ++i) text[i] = L'\x2592';
        if (c > 0) text[0] = 0;
    }
    ~WideBuffer() { delete[] text; }
    WideBuffer(const WideBuffer&) = delete;
    WideBuffer& operator=(const WideBuffer&) = delete;
    // Length up to the terminator; -1 when none lies within the capacity.
    int32_t terminated_length() const {
        for (int32_t i = 0; i < capacity; ++i)
            if (text[i] == 0) return i;
        return -1;
    }
};

// Stops the run with a message: the fuzzer records the input as a crash.
[[noreturn]] inline void fuzz_fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

#define FUZZ_CHECK(condition) \
    do { if (!(condition)) fuzz_fail(#condition); } while (0)
