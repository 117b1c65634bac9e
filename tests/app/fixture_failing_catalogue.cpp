// A catalogue for tests: a formula tool with one failing output.
#include "catalogue/catalogue.h"
#include "tests/app/selftest_tools.h"

const ToolDefinition& current_tool() { return SELFTEST_FAILING_TOOL; }
