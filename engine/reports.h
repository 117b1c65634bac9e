// The eleven built-in report generators and their dispatch. Every generator
// has one contract: it reads the tool's parameters by key, appends its lines
// to the report text (bounded by the capacity), copies one fixed verdict
// text (at most 20 characters, so whole for any capacity of at least
// VERDICT_CAPACITY_MIN; a smaller capacity cuts it like every other text)
// and returns the level. Generators never fail.
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "engine/tool.h"

using ReportGenerator = int32_t (*)(const ToolDefinition& tool, const double* values,
                                    wchar_t* report, int32_t report_capacity,
                                    wchar_t* verdict, int32_t verdict_capacity);

// Empties both texts, then runs the generator of `kind` (1 to 11) and returns
// its level. Any other kind writes the fixed notice texts and returns 0.
int32_t generate_report(ReportKind kind, const ToolDefinition& tool, const double* values,
                        wchar_t* report, int32_t report_capacity,
                        wchar_t* verdict, int32_t verdict_capacity);

int32_t report_nurse_rota(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);        // kind 1
int32_t report_dosing_times(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);      // kind 2
int32_t report_draw_order(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);        // kind 3
int32_t report_critical_values(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);   // kind 4
int32_t report_high_alert_drugs(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);  // kind 5
int32_t report_drug_compatibility(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);// kind 6
int32_t report_follow_up(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);         // kind 7
int32_t report_safety_checklist(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);  // kind 8
int32_t report_handover(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);          // kind 9
int32_t report_infusion_card(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);     // kind 10
int32_t report_lab_panels(const ToolDefinition&, const double*, wchar_t*, int32_t, wchar_t*, int32_t);        // kind 11

// The follow-up plan for a given `today`. report_follow_up reads the local
// date through the platform and calls this; tests pass a fixed date.
int32_t write_follow_up(const ToolDefinition& tool, const double* values, day_number today,
                        wchar_t* report, int32_t report_capacity,
                        wchar_t* verdict, int32_t verdict_capacity);
