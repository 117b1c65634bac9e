// Reference-sheet reports: blood-draw order (kind 3), critical values (4),
// high-alert medicines (5), drug-pair compatibility (6), surgical safety
// checklist (8), shift handover sheet (9), infusion card (10) and
// laboratory panels (11). Each reads at most four parameters by key,
// appends its lines (bounded by the report capacity), copies one whole
// verdict and returns the level: 0 for all but kind 6.
//
// Literal lines are passed to append_line as the argument of "%ls", never as
// a format, so their percent signs are written as they stand.
#include <cstddef>
#include <cstdint>

#include "engine/params.h"
#include "engine/reports.h"
#include "engine/report_text.h"
#include "engine/text.h"

namespace {

template <typename T, size_t N>
constexpr int32_t count_of(const T (&)[N]) {
    return static_cast<int32_t>(N);
}

// Row of a variant table: rows 1..count-1 are chosen by v, the last row by
// every other value.
int32_t variant_row(int32_t v, int32_t count) {
    return (v >= 1 && v < count) ? v - 1 : count - 1;
}

// ---- Kind 3: blood-draw order ----------------------------------------------

constexpr const wchar_t* DRAW_HEADING = L"标准采血顺序（按添加剂，避免交叉污染）：";
constexpr const wchar_t* DRAW_TUBES[] = {
    L"1 血培养瓶（需氧/厌氧）",
    L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）",
    L"3 促凝/血清管 红或金黄（生化、免疫）",
    L"4 肝素管 绿（血气、部分生化）",
    L"5 EDTA 紫（血常规、糖化、血型）",
    L"6 氟化钠 灰（血糖、乳酸）",
};
static_assert(count_of(DRAW_TUBES) == 6, "six tubes in order of draw");
// By "kind" 1 to 6; the last row for any other value.
constexpr const wchar_t* DRAW_THIS_TIME[] = {
    L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。",             // 1 blood count
    L"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。",  // 2 coagulation
    L"本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。",               // 3 biochemistry
    L"本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。",               // 4 blood gas
    L"本次：血培养 → 需氧+厌氧各 1 套，采血 2 套不同部位，先注入培养瓶。",        // 5 blood culture
    L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。",                      // 6 glucose, lactate
    L"本次：其他项目，请按检验科项目手册执行。",                                 // other
};
static_assert(count_of(DRAW_THIS_TIME) == 7, "six variants and the fallback");
constexpr const wchar_t* DRAW_VERDICT = L"按标准顺序采血可减少溶血与交叉污染";

// ---- Kind 4: critical values -----------------------------------------------

constexpr const wchar_t* CRITICAL_HEADING = L"常见检验危急值（参考，需以本院文件为准）：";
struct CriticalGroup {
    int32_t line_count;
    const wchar_t* lines[3];
};
// By "kind" 1 to 6; the last row for any other value.
constexpr CriticalGroup CRITICAL_GROUPS[] = {
    {3, {L"血钾 <2.5 或 >6.5 mmol/L", L"血钠 <120 或 >160 mmol/L", L"血钙 <1.5 或 >3.5 mmol/L"}},  // 1 electrolytes
    {2, {L"血糖 <2.8 或 >22.2 mmol/L", L"pH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg", nullptr}},  // 2 glucose, blood gas
    {2, {L"白细胞 <1.0 或 >30.0 ×10^9/L", L"血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L", nullptr}},  // 3 blood count
    {2, {L"INR >4.0；纤维蛋白原 <1.0 g/L", L"D-二聚体显著升高并伴临床血栓表现", nullptr}},  // 4 coagulation
    {2, {L"血培养阳性（无菌部位）", L"脑脊液培养阳性；HIV 初筛阳性需确认", nullptr}},  // 5 microbiology
    {2, {L"肌钙蛋白明显升高（高于第 99 百分位）", L"血淀粉酶/脂肪酶 >3 倍正常上限", nullptr}},  // 6 enzymes
    {1, {L"请查阅本院《危急值报告目录》", nullptr, nullptr}},  // other
};
static_assert(count_of(CRITICAL_GROUPS) == 7, "six groups and the fallback");
constexpr const wchar_t* CRITICAL_PROCEDURE = L"处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。";
constexpr const wchar_t* CRITICAL_VERDICT = L"危急值必须闭环：报告、接收、处理、记录";

// ---- Kind 5: high-alert medicines ------------------------------------------

constexpr const wchar_t* HIGH_ALERT_HEADING = L"高警示药品类别与要点：";
struct HighAlertClass {
    const wchar_t* class_line;
    const wchar_t* points_line;
};
// By "kind" 1 to 3; the last row for any other value (0 and 4 included).
constexpr HighAlertClass HIGH_ALERT_CLASSES[] = {
    {L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁", L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。"},
    {L"胰岛素与口服降糖药：胰岛素、格列本脲", L"要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。"},
    {L"抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物", L"要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。"},
    {L"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类", L"要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。"},
};
static_assert(count_of(HIGH_ALERT_CLASSES) == 4, "three classes and the fallback");
constexpr const wchar_t* HIGH_ALERT_VERDICT = L"高警示药品须专区、专标识、双人核对";

// ---- Kind 6: drug-pair compatibility ---------------------------------------

// Drug numbers 1 to 10 in this order.
constexpr const wchar_t* DRUG_NAMES[] = {
    L"头孢曲松",    // 1 ceftriaxone
    L"葡萄糖酸钙",  // 2 calcium gluconate
    L"万古霉素",    // 3 vancomycin
    L"呋塞米",      // 4 furosemide
    L"氨溴索",      // 5 ambroxol
    L"奥美拉唑",    // 6 omeprazole
    L"维生素C",     // 7 vitamin C
    L"胰岛素",      // 8 insulin
    L"碳酸氢钠",    // 9 sodium bicarbonate
    L"多巴胺",      // 10 dopamine
};
static_assert(count_of(DRUG_NAMES) == 10, "drugs numbered 1 to 10");
// The name shown for a number outside 1 to 10. Naming drug 1 there would
// put a real pair on screen beside the "no rule" conclusion: a blank first
// field (0) with calcium gluconate (2) would read as ceftriaxone with
// calcium gluconate and no contraindication, the very pair that is
// contraindicated. "--" marks the number as no drug of the table.
constexpr const wchar_t* UNKNOWN_DRUG_NAME = L"--";

constexpr const wchar_t* PAIR_FORMAT = L"待查：%d 号 %ls  +  %d 号 %ls";
constexpr const wchar_t* PAIR_LEGEND_1 = L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索";
constexpr const wchar_t* PAIR_LEGEND_2 = L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺";

constexpr const wchar_t* CONCLUSION_CALCIUM = L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。";
constexpr const wchar_t* VERDICT_CALCIUM = L"禁忌：不可同瓶输注，需间隔冲管";
constexpr const wchar_t* CONCLUSION_VANCOMYCIN = L"结论：不宜同瓶。万古霉素与碱性药物/奥美拉唑配伍稳定性差，应分开输注并冲管。";
constexpr const wchar_t* VERDICT_VANCOMYCIN = L"不宜同瓶，分开输注并冲管";
constexpr const wchar_t* CONCLUSION_FUROSEMIDE = L"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。";
constexpr const wchar_t* VERDICT_FUROSEMIDE = L"不宜同瓶，建议分开输注";
constexpr const wchar_t* CONCLUSION_OMEPRAZOLE = L"结论：奥美拉唑与维生素C 同瓶 pH 冲突，稳定性下降，建议分开。";
constexpr const wchar_t* VERDICT_OMEPRAZOLE = L"建议分开输注";
constexpr const wchar_t* CONCLUSION_NONE = L"结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。";
constexpr const wchar_t* VERDICT_NONE = L"未收录明确禁忌，仍需核对院内配伍表";

struct CompatibilityRule {
    int32_t low;   // the smaller drug number of the pair
    int32_t high;  // the larger
    int32_t level;
    const wchar_t* conclusion;
    const wchar_t* verdict;
};
// Searched in order; the last row (low = high = 0, never a searched pair)
// takes every pair without a rule.
constexpr CompatibilityRule COMPATIBILITY_RULES[] = {
    {1, 2, 3, CONCLUSION_CALCIUM, VERDICT_CALCIUM},
    {2, 9, 3, CONCLUSION_CALCIUM, VERDICT_CALCIUM},
    {3, 6, 2, CONCLUSION_VANCOMYCIN, VERDICT_VANCOMYCIN},
    {3, 9, 2, CONCLUSION_VANCOMYCIN, VERDICT_VANCOMYCIN},
    {4, 10, 2, CONCLUSION_FUROSEMIDE, VERDICT_FUROSEMIDE},
    {5, 9, 2, CONCLUSION_FUROSEMIDE, VERDICT_FUROSEMIDE},
    {6, 7, 1, CONCLUSION_OMEPRAZOLE, VERDICT_OMEPRAZOLE},
    {0, 0, 0, CONCLUSION_NONE, VERDICT_NONE},
};
constexpr int32_t COMPATIBILITY_RULE_COUNT = count_of(COMPATIBILITY_RULES);

constexpr bool compatibility_rules_well_formed() {
    // Seven pairs with 1 <= low < high <= 10, in ascending order, then the
    // fallback row.
    for (int32_t r = 0; r + 1 < COMPATIBILITY_RULE_COUNT; ++r) {
        const CompatibilityRule& rule = COMPATIBILITY_RULES[r];
        if (!(rule.low >= 1 && rule.low < rule.high && rule.high <= 10)) return false;
        if (rule.level < 1 || rule.level > 3) return false;
        if (r > 0) {
            const CompatibilityRule& prev = COMPATIBILITY_RULES[r - 1];
            if (!(prev.low < rule.low || (prev.low == rule.low && prev.high < rule.high))) return false;
        }
    }
    const CompatibilityRule& last = COMPATIBILITY_RULES[COMPATIBILITY_RULE_COUNT - 1];
    return last.low == 0 && last.high == 0 && last.level == 0;
}
static_assert(COMPATIBILITY_RULE_COUNT == 8, "seven pairs and the fallback");
static_assert(compatibility_rules_well_formed(), "pairs ordered low < high, fallback last");

const wchar_t* drug_name(int32_t number) {
    return (number >= 1 && number <= count_of(DRUG_NAMES)) ? DRUG_NAMES[number - 1] : UNKNOWN_DRUG_NAME;
}

const CompatibilityRule& compatibility_rule(int32_t a, int32_t b) {
    const int32_t low = a < b ? a : b;
    const int32_t high = a < b ? b : a;
    for (int32_t r = 0; r + 1 < COMPATIBILITY_RULE_COUNT; ++r) {
        if (COMPATIBILITY_RULES[r].low == low && COMPATIBILITY_RULES[r].high == high) {
            return COMPATIBILITY_RULES[r];
        }
    }
    return COMPATIBILITY_RULES[COMPATIBILITY_RULE_COUNT - 1];
}

// ---- Kind 8: surgical safety checklist -------------------------------------

// The whole sheet, one line a row; the empty row is an empty line.
constexpr const wchar_t* CHECKLIST_LINES[] = {
    L"手术安全核查表（三步核查）：",
    L"【麻醉实施前】身份/部位/术式/知情同意；过敏史；气道与插管风险；出血风险；影像与植入物；皮肤准备。",
    L"【手术开始前】团队自我介绍；确认患者、部位、术式；预计手术时间与失血量；抗菌药物已用；器械灭菌合格；影像资料到位。",
    L"【患者离室前】手术名称与记录一致；标本标识与送检；器械敷料清点；皮肤与管路；恢复与转运方案。",
    L"",
    L"要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得开台。",
};
static_assert(count_of(CHECKLIST_LINES) == 6, "heading, three steps, empty line, requirement");
constexpr const wchar_t* CHECKLIST_VERDICT = L"三方核查缺一不可，签字后归档";

// ---- Kind 9: shift handover sheet ------------------------------------------

constexpr int32_t HANDOVER_BEDS_MAX = 30;
constexpr const wchar_t* HANDOVER_HEADING = L"交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）：";
// A format: "%%" writes the one percent sign after SpO2.
constexpr const wchar_t* HANDOVER_BED_FORMAT = L"%02d 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg SpO2＿%%；本班处置＿＿；管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。";
constexpr const wchar_t* HANDOVER_RULE = L"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。";
constexpr const wchar_t* HANDOVER_VERDICT = L"模板已生成，床旁交接并双方签名";

// ---- Kind 10: infusion card ------------------------------------------------

constexpr double INFUSION_ML_PER_HOUR_PER_DROP = 3.0;  // drops per minute to ml/h
constexpr const wchar_t* INFUSION_TITLE = L"静脉输液卡";
constexpr const wchar_t* INFUSION_BED_FORMAT = L"床号：%d";
constexpr const wchar_t* INFUSION_DRUG_FORMAT = L"药液：医嘱药量 %.2f ，加入溶媒 %.0f ml";
constexpr const wchar_t* INFUSION_RATE_FORMAT = L"滴速：%.0f 滴/分（约 %.0f ml/h）";
constexpr const wchar_t* INFUSION_CHECK = L"核对：药名/剂量/浓度/有效期/配伍；双人签名。";
constexpr const wchar_t* INFUSION_WATCH = L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。";
constexpr const wchar_t* INFUSION_VERDICT = L"输液卡已生成，双人核对后执行";

// ---- Kind 11: laboratory panels --------------------------------------------

struct LabPanel {
    const wchar_t* panel_line;
    const wchar_t* note_line;
};
// By "panel" 1 to 5; the last row (urine routine) for any other value.
constexpr LabPanel LAB_PANELS[] = {
    {L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。", L"注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。"},
    {L"生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、血糖、血脂、电解质。", L"注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。"},
    {L"凝血四项（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。", L"注意：采血量必须达刻度；肝素治疗中查 APTT。"},
    {L"甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。", L"注意：空腹；含碘造影剂后 1 周内避免复查。"},
    {L"心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。", L"注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。"},
    {L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。", L"注意：留取中段尿，1 小时内送检；月经期避免。"},
};
static_assert(count_of(LAB_PANELS) == 6, "five panels and the fallback");
constexpr const wchar_t* LAB_PANELS_VERDICT = L"套餐与采血管已列出，按顺序采血";

}  // namespace

int32_t report_draw_order(const ToolDefinition& tool, const double* values,
                          wchar_t* report, int32_t report_capacity,
                          wchar_t* verdict, int32_t verdict_capacity) {
    const int32_t v = whole_number(param_by_key(tool, values, "kind"));
    append_text_line(report, report_capacity, DRAW_HEADING);
    for (const wchar_t* tube : DRAW_TUBES) append_text_line(report, report_capacity, tube);
    append_line(report, report_capacity, L"");
    append_text_line(report, report_capacity,
                     DRAW_THIS_TIME[variant_row(v, count_of(DRAW_THIS_TIME))]);
    write_verdict(verdict, verdict_capacity, DRAW_VERDICT);
    return 0;
}

int32_t report_critical_values(const ToolDefinition& tool, const double* values,
                               wchar_t* report, int32_t report_capacity,
                               wchar_t* verdict, int32_t verdict_capacity) {
    const int32_t v = whole_number(param_by_key(tool, values, "kind"));
    const CriticalGroup& group = CRITICAL_GROUPS[variant_row(v, count_of(CRITICAL_GROUPS))];
    append_text_line(report, report_capacity, CRITICAL_HEADING);
    for (int32_t i = 0; i < group.line_count; ++i) {
        append_text_line(report, report_capacity, group.lines[i]);
    }
    append_line(report, report_capacity, L"");
    append_text_line(report, report_capacity, CRITICAL_PROCEDURE);
    write_verdict(verdict, verdict_capacity, CRITICAL_VERDICT);
    return 0;
}

int32_t report_high_alert_drugs(const ToolDefinition& tool, const double* values,
                                wchar_t* report, int32_t report_capacity,
                                wchar_t* verdict, int32_t verdict_capacity) {
    const int32_t v = whole_number(param_by_key(tool, values, "kind"));
    const HighAlertClass& cls = HIGH_ALERT_CLASSES[variant_row(v, count_of(HIGH_ALERT_CLASSES))];
    append_text_line(report, report_capacity, HIGH_ALERT_HEADING);
    append_text_line(report, report_capacity, cls.class_line);
    append_text_line(report, report_capacity, cls.points_line);
    write_verdict(verdict, verdict_capacity, HIGH_ALERT_VERDICT);
    return 0;
}

int32_t report_drug_compatibility(const ToolDefinition& tool, const double* values,
                                  wchar_t* report, int32_t report_capacity,
                                  wchar_t* verdict, int32_t verdict_capacity) {
    const int32_t a = whole_number(param_by_key(tool, values, "drugA"));
    const int32_t b = whole_number(param_by_key(tool, values, "drugB"));
    append_line(report, report_capacity, PAIR_FORMAT, a, drug_name(a), b, drug_name(b));
    append_line(report, report_capacity, L"");
    append_text_line(report, report_capacity, PAIR_LEGEND_1);
    append_text_line(report, report_capacity, PAIR_LEGEND_2);
    append_line(report, report_capacity, L"");
    const CompatibilityRule& rule = compatibility_rule(a, b);
    append_text_line(report, report_capacity, rule.conclusion);
    write_verdict(verdict, verdict_capacity, rule.verdict);
    return rule.level;
}

int32_t report_safety_checklist(const ToolDefinition& /*tool*/, const double* /*values*/,
                                wchar_t* report, int32_t report_capacity,
                                wchar_t* verdict, int32_t verdict_capacity) {
    for (const wchar_t* line : CHECKLIST_LINES) append_text_line(report, report_capacity, line);
    write_verdict(verdict, verdict_capacity, CHECKLIST_VERDICT);
    return 0;
}

int32_t report_handover(const ToolDefinition& tool, const double* values,
                        wchar_t* report, int32_t report_capacity,
                        wchar_t* verdict, int32_t verdict_capacity) {
    const int32_t beds = bounded_whole(tool, values, "beds", 1, HANDOVER_BEDS_MAX);
    append_text_line(report, report_capacity, HANDOVER_HEADING);
    for (int32_t i = 1; i <= beds; ++i) append_line(report, report_capacity, HANDOVER_BED_FORMAT, i);
    append_line(report, report_capacity, L"");
    append_text_line(report, report_capacity, HANDOVER_RULE);
    write_verdict(verdict, verdict_capacity, HANDOVER_VERDICT);
    return 0;
}

int32_t report_infusion_card(const ToolDefinition& tool, const double* values,
                             wchar_t* report, int32_t report_capacity,
                             wchar_t* verdict, int32_t verdict_capacity) {
    const int32_t bed = whole_number(param_by_key(tool, values, "bed"));
    const double dose = param_by_key(tool, values, "dose");
    const double volume = param_by_key(tool, values, "volume");
    const double gtt = param_by_key(tool, values, "gtt");
    append_text_line(report, report_capacity, INFUSION_TITLE);
    append_line(report, report_capacity, INFUSION_BED_FORMAT, bed);
    append_line(report, report_capacity, INFUSION_DRUG_FORMAT, dose, volume);
    append_line(report, report_capacity, INFUSION_RATE_FORMAT, gtt,
                gtt * INFUSION_ML_PER_HOUR_PER_DROP);
    append_text_line(report, report_capacity, INFUSION_CHECK);
    append_text_line(report, report_capacity, INFUSION_WATCH);
    write_verdict(verdict, verdict_capacity, INFUSION_VERDICT);
    return 0;
}

int32_t report_lab_panels(const ToolDefinition& tool, const double* values,
                          wchar_t* report, int32_t report_capacity,
                          wchar_t* verdict, int32_t verdict_capacity) {
    const int32_t v = whole_number(param_by_key(tool, values, "panel"));
    const LabPanel& panel = LAB_PANELS[variant_row(v, count_of(LAB_PANELS))];
    append_text_line(report, report_capacity, panel.panel_line);
    append_text_line(report, report_capacity, panel.note_line);
    write_verdict(verdict, verdict_capacity, LAB_PANELS_VERDICT);
    return 0;
}
