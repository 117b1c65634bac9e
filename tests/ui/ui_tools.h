// Small tool records that the window tests show instead of the catalogue's.
#pragma once

#include "engine/tool.h"

// Formula tool, id 951: three parameters "x" (unit "mg"), "y" (no unit),
// "z" (empty unit), defaults 1, 2.5, 1234567; output s = x + y + z ("f2");
// verdict "偏高" (level 3) above 10, else "正常" (0). No subtitle, no note.
const ToolDefinition& plain_tool();

// No parameters, no outputs, no rules: the report text is empty.
const ToolDefinition& empty_tool();

// One parameter "v" (default 0); the level follows v: 1, 2, 3, 7 and -1 give
// those levels with the verdicts "一级", "二级", "三级", "七级", "负级";
// every other value level 0, "零级".
const ToolDefinition& level_tool();

// Report kind 6 (drug-pair compatibility): "drugA" default 1, "drugB"
// default 2.
const ToolDefinition& compatibility_tool();

// Report kind 1 (nurse rota): "nurses" default 40, "days" default 31, a
// report far longer than the copy text's 1023 characters.
const ToolDefinition& rota_tool();

// A formula tool whose name is far wider than the header's 700 pixels.
const ToolDefinition& long_name_tool();

// The same as long_name_tool but with a subtitle: used to compare headers.
const ToolDefinition& subtitle_tool();

// A tool with a subtitle that is the empty text.
const ToolDefinition& empty_subtitle_tool();

// Seventeen parameters: one more than the window has room for.
const ToolDefinition& oversized_tool();
