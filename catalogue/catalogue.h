// The catalogue: the one tool of this build.
#pragma once

#include "engine/tool.h"

// The catalogue's tool (read only, lives for the process).
const ToolDefinition& current_tool();
