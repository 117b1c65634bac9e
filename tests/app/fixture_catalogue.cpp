// A catalogue for tests: the largest rota (40 nurses over 31 days), a
// report-kind tool whose self-test report is longer than 8191 UTF-8 bytes.
#include "catalogue/catalogue.h"
#include "tests/fixtures/report_tools.h"

const ToolDefinition& current_tool() { return FIXTURE_REPORT_ROTA_LARGEST; }
