// The catalogue of this build: tool 260, the osmolarity of a parenteral
// nutrition mixture and whether it may run through a peripheral vein.
#include "catalogue/catalogue.h"

#include <iterator>

namespace {

constexpr ParameterSpec PARAMS_260[] = {
    {"glu", L"葡萄糖浓度", L"g/L", 100},
    {"aa", L"氨基酸浓度", L"g/L", 40},
    {"na", L"钠浓度", L"mmol/L", 40},
};

constexpr OutputSpec OUTPUTS_260[] = {
    {"osm", L"估算渗透压", L"mOsm/L", "glu*5+aa*8+na*2", "f0"},
};

// The first condition repeats the output formula; 900 itself is level 0.
constexpr LevelRule RULES_260[] = {
    {"glu*5+aa*8+na*2>900", 3, L"渗透压过高，必须经中心静脉输注"},
    {"", 0, L"可经外周静脉输注"},
};

constexpr ToolDefinition TOOL_260 = {
    260,
    L"Veltrane",
    L"按成分估算渗透压",
    L"营养支持",
    L"渗透压(mOsm/L)≈葡萄糖(g/L)×5+氨基酸(g/L)×8+Na(mmol/L)×2",
    L"外周静脉渗透压应<900mOsm/L，过高需中心静脉输注。",
    3,
    PARAMS_260,
    1,
    OUTPUTS_260,
    2,
    RULES_260,
    0,
};

static_assert(TOOL_260.param_count == std::size(PARAMS_260), "param_count matches the parameter table");
static_assert(TOOL_260.output_count == std::size(OUTPUTS_260), "output_count matches the output table");
static_assert(TOOL_260.rule_count == std::size(RULES_260), "rule_count matches the rule table");
static_assert(TOOL_260.param_count <= MAX_PARAMETERS, "at most MAX_PARAMETERS parameters");
static_assert(TOOL_260.output_count <= MAX_OUTPUTS, "at most MAX_OUTPUTS outputs");

}  // namespace

const ToolDefinition& current_tool() { return TOOL_260; }
