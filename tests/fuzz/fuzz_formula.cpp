// evaluate_formula on any text. Input: the formula text up to the first NUL
// byte; the bytes after it give the values of the four parameters and the
// two outputs (see FuzzInput::value); without a NUL the catalogue's
// defaults stand. Checks: the flag is 0 or 1, a success is finite, an
// empty text fails with 0, a second evaluation gives the same bits, and
// whitespace around the text changes neither value nor flag.
#include <cstring>
#include <string>

#include "formula/formula.h"
#include "fuzz_input.h"

namespace {

// The catalogue's keys, a key spelt like a function, and two outputs, one
// of them hidden by a parameter of the same key.
const ParameterSpec PARAMS[] = {
    {"glu", L"", nullptr, 100}, {"aa", L"", nullptr, 40}, {"na", L"", nullptr, 40}, {"log", L"", nullptr, 2},
};
const OutputSpec OUTPUTS[] = {
    {"osm", L"", nullptr, "glu*5+aa*8+na*2", "f0"},
    {"glu", L"", nullptr, "1", nullptr},
};
const ToolDefinition TOOL = {
    1, L"", nullptr, L"", L"", nullptr, 4, PARAMS, 2, OUTPUTS, 0, nullptr, 0,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t text_size = nul ? static_cast<size_t>(nul - data) : size;

    // The text on the heap at its exact size, so a read past its terminator
    // is seen.
    char* text = new char[text_size + 1];
    std::memcpy(text, data, text_size);
    text[text_size] = 0;

    double params[MAX_PARAMETERS] = {100, 40, 40, 2};
    double outputs[MAX_OUTPUTS] = {};
    if (nul) {
        FuzzInput in{nul + 1, size - text_size - 1};
        for (int i = 0; i < 4; ++i) params[i] = in.value();
        for (int i = 0; i < 2; ++i) outputs[i] = in.value();
    }

    int32_t error = 7;
    const double value = evaluate_formula(TOOL, text, params, outputs, &error);
    FUZZ_CHECK(error == 0 || error == 1);
    if (error == 0) FUZZ_CHECK(std::isfinite(value));
    if (text_size == 0) FUZZ_CHECK(error == 1 && value == 0);

    int32_t again_error = 7;
    const double again = evaluate_formula(TOOL, text, params, outputs, &again_error);
    FUZZ_CHECK(again_error == error);
    FUZZ_CHECK(std::memcmp(&again, &value, sizeof value) == 0 || (std::isnan(again) && std::isnan(value)));

    // Whitespace before and after the text changes nothing (a text of
    // whitespace only stays a failure with 0).
    const std::string padded = " \t" + std::string(text) + "\r\n ";
    int32_t padded_error = 7;
    const double padded_value = evaluate_formula(TOOL, padded.c_str(), params, outputs, &padded_error);
    FUZZ_CHECK(padded_error == error);
    FUZZ_CHECK(std::memcmp(&padded_value, &value, sizeof value) == 0 || (std::isnan(padded_value) && std::isnan(value)));

    delete[] text;
    return 0;
}
