// The reference-sheet reports (kinds 3, 4, 5, 6, 8, 9, 10, 11): every
// variant byte for byte, the compatibility table of kind 6 with its
// levels, the bed bounds of kind 9, cutting at small capacities and values
// that are not numbers or out of range.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/reports.h"
#include "tests/fixtures/report_tools.h"

namespace {

using Values = std::array<double, MAX_PARAMETERS>;

constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
constexpr double INFINITE = std::numeric_limits<double>::infinity();

Values values_of(std::initializer_list<double> list) {
    Values v{};
    size_t i = 0;
    for (double x : list) v[i++] = x;
    return v;
}

size_t line_count(const std::wstring& text) {
    size_t n = 0;
    for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) ++n;
    return n;
}

// ---- Kind 3: blood-draw order ----------------------------------------------

const wchar_t* const DRAW_SHEET =
    L"标准采血顺序（按添加剂，避免交叉污染）：\r\n"
    L"1 血培养瓶（需氧/厌氧）\r\n"
    L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）\r\n"
    L"3 促凝/血清管 红或金黄（生化、免疫）\r\n"
    L"4 肝素管 绿（血气、部分生化）\r\n"
    L"5 EDTA 紫（血常规、糖化、血型）\r\n"
    L"6 氟化钠 灰（血糖、乳酸）\r\n"
    L"\r\n";
const wchar_t* const DRAW_OTHER = L"本次：其他项目，请按检验科项目手册执行。\r\n";

struct VariantCase {
    const char* name;
    const ToolDefinition* tool;
    double value;
    const wchar_t* expected_tail;  // what follows the fixed part of the sheet
};

TEST(ReportDrawOrder, BloodCountSheetByteForByte) {
    const Values v = values_of({1});
    const GeneratedReport r = run_generator(report_draw_order, FIXTURE_REPORT_DRAW_ORDER, v.data());
    EXPECT_EQ(r.report,
              L"标准采血顺序（按添加剂，避免交叉污染）：\r\n"
              L"1 血培养瓶（需氧/厌氧）\r\n"
              L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）\r\n"
              L"3 促凝/血清管 红或金黄（生化、免疫）\r\n"
              L"4 肝素管 绿（血气、部分生化）\r\n"
              L"5 EDTA 紫（血常规、糖化、血型）\r\n"
              L"6 氟化钠 灰（血糖、乳酸）\r\n"
              L"\r\n"
              L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。\r\n");
    EXPECT_EQ(r.verdict, L"按标准顺序采血可减少溶血与交叉污染");
    EXPECT_EQ(r.level, 0);
}

TEST(ReportDrawOrder, VariantChosenByKind) {
    const VariantCase cases[] = {
        {"kind 1", &FIXTURE_REPORT_DRAW_ORDER, 1, L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。\r\n"},
        {"kind 2", &FIXTURE_REPORT_DRAW_ORDER, 2, L"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。\r\n"},
        {"kind 3", &FIXTURE_REPORT_DRAW_ORDER, 3, L"本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。\r\n"},
        {"kind 4", &FIXTURE_REPORT_DRAW_ORDER, 4, L"本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。\r\n"},
        {"kind 5", &FIXTURE_REPORT_DRAW_ORDER, 5, L"本次：血培养 → 需氧+厌氧各 1 套，采血 2 套不同部位，先注入培养瓶。\r\n"},
        {"kind 6", &FIXTURE_REPORT_DRAW_ORDER, 6, L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。\r\n"},
        {"kind 6.5 cut to 6", &FIXTURE_REPORT_DRAW_ORDER, 6.5, L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。\r\n"},
        {"kind 1.9 cut to 1", &FIXTURE_REPORT_DRAW_ORDER, 1.9, L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。\r\n"},
        {"kind 7", &FIXTURE_REPORT_DRAW_ORDER, 7, DRAW_OTHER},
        {"kind 0", &FIXTURE_REPORT_DRAW_ORDER, 0, DRAW_OTHER},
        {"kind -1", &FIXTURE_REPORT_DRAW_ORDER, -1, DRAW_OTHER},
        {"kind 0.9 cut to 0", &FIXTURE_REPORT_DRAW_ORDER, 0.9, DRAW_OTHER},
        {"kind NaN", &FIXTURE_REPORT_DRAW_ORDER, NOT_A_NUMBER, DRAW_OTHER},
        {"kind 1e10", &FIXTURE_REPORT_DRAW_ORDER, 1e10, DRAW_OTHER},
        {"no key", &FIXTURE_REPORT_NO_PARAMS, 1, DRAW_OTHER},
    };
    for (const VariantCase& c : cases) {
        const Values v = values_of({c.value});
        const GeneratedReport r = run_generator(report_draw_order, *c.tool, v.data());
        EXPECT_EQ(r.report, std::wstring(DRAW_SHEET) + c.expected_tail) << c.name;
        EXPECT_EQ(r.verdict, L"按标准顺序采血可减少溶血与交叉污染") << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

// ---- Kind 4: critical values -----------------------------------------------

const wchar_t* const CRITICAL_HEADING = L"常见检验危急值（参考，需以本院文件为准）：\r\n";
const wchar_t* const CRITICAL_PROCEDURE =
    L"\r\n处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。\r\n";
const wchar_t* const CRITICAL_OTHER = L"请查阅本院《危急值报告目录》\r\n";

TEST(ReportCriticalValues, ElectrolytesByteForByte) {
    const Values v = values_of({1});
    const GeneratedReport r = run_generator(report_critical_values, FIXTURE_REPORT_CRITICAL, v.data());
    EXPECT_EQ(r.report,
              L"常见检验危急值（参考，需以本院文件为准）：\r\n"
              L"血钾 <2.5 或 >6.5 mmol/L\r\n"
              L"血钠 <120 或 >160 mmol/L\r\n"
              L"血钙 <1.5 或 >3.5 mmol/L\r\n"
              L"\r\n"
              L"处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。\r\n");
    EXPECT_EQ(r.verdict, L"危急值必须闭环：报告、接收、处理、记录");
    EXPECT_EQ(r.level, 0);
}

TEST(ReportCriticalValues, GroupLinesChosenByKind) {
    const VariantCase cases[] = {
        {"kind 1: three lines", &FIXTURE_REPORT_CRITICAL, 1,
         L"血钾 <2.5 或 >6.5 mmol/L\r\n血钠 <120 或 >160 mmol/L\r\n血钙 <1.5 或 >3.5 mmol/L\r\n"},
        {"kind 2", &FIXTURE_REPORT_CRITICAL, 2,
         L"血糖 <2.8 或 >22.2 mmol/L\r\npH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg\r\n"},
        {"kind 3", &FIXTURE_REPORT_CRITICAL, 3,
         L"白细胞 <1.0 或 >30.0 ×10^9/L\r\n血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L\r\n"},
        {"kind 4", &FIXTURE_REPORT_CRITICAL, 4, L"INR >4.0；纤维蛋白原 <1.0 g/L\r\nD-二聚体显著升高并伴临床血栓表现\r\n"},
        {"kind 5", &FIXTURE_REPORT_CRITICAL, 5, L"血培养阳性（无菌部位）\r\n脑脊液培养阳性；HIV 初筛阳性需确认\r\n"},
        {"kind 6", &FIXTURE_REPORT_CRITICAL, 6,
         L"肌钙蛋白明显升高（高于第 99 百分位）\r\n血淀粉酶/脂肪酶 >3 倍正常上限\r\n"},
        {"kind 7", &FIXTURE_REPORT_CRITICAL, 7, CRITICAL_OTHER},
        {"kind 0", &FIXTURE_REPORT_CRITICAL, 0, CRITICAL_OTHER},
        {"kind -2", &FIXTURE_REPORT_CRITICAL, -2, CRITICAL_OTHER},
        {"kind infinite", &FIXTURE_REPORT_CRITICAL, INFINITE, CRITICAL_OTHER},
        {"no key", &FIXTURE_REPORT_NO_PARAMS, 1, CRITICAL_OTHER},
    };
    for (const VariantCase& c : cases) {
        const Values v = values_of({c.value});
        const GeneratedReport r = run_generator(report_critical_values, *c.tool, v.data());
        EXPECT_EQ(r.report, std::wstring(CRITICAL_HEADING) + c.expected_tail + CRITICAL_PROCEDURE) << c.name;
        EXPECT_EQ(r.verdict, L"危急值必须闭环：报告、接收、处理、记录") << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

TEST(ReportCriticalValues, LineCountsByKind) {
    // Heading, the group lines, an empty line and the procedure line.
    const std::pair<double, size_t> cases[] = {{1, 6}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 4}, {0, 4}};
    for (const auto& [kind, lines] : cases) {
        const Values v = values_of({kind});
        const GeneratedReport r = run_generator(report_critical_values, FIXTURE_REPORT_CRITICAL, v.data());
        EXPECT_EQ(line_count(r.report), lines) << "kind " << kind;
    }
}

// ---- Kind 5: high-alert medicines ------------------------------------------

const wchar_t* const HIGH_ALERT_HEADING = L"高警示药品类别与要点：\r\n";
const wchar_t* const HIGH_ALERT_ANAESTHETICS =
    L"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类\r\n"
    L"要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。\r\n";

TEST(ReportHighAlertDrugs, ElectrolytesKeepTheirPercentSigns) {
    const Values v = values_of({1});
    const GeneratedReport r = run_generator(report_high_alert_drugs, FIXTURE_REPORT_HIGH_ALERT, v.data());
    EXPECT_EQ(r.report,
              L"高警示药品类别与要点：\r\n"
              L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁\r\n"
              L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。\r\n");
    EXPECT_EQ(std::count(r.report.begin(), r.report.end(), L'%'), 3);
    EXPECT_EQ(r.verdict, L"高警示药品须专区、专标识、双人核对");
    EXPECT_EQ(r.level, 0);
}

TEST(ReportHighAlertDrugs, ClassChosenByKind) {
    const VariantCase cases[] = {
        {"kind 1", &FIXTURE_REPORT_HIGH_ALERT, 1,
         L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁\r\n"
         L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。\r\n"},
        {"kind 2", &FIXTURE_REPORT_HIGH_ALERT, 2,
         L"胰岛素与口服降糖药：胰岛素、格列本脲\r\n"
         L"要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。\r\n"},
        {"kind 3", &FIXTURE_REPORT_HIGH_ALERT, 3,
         L"抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物\r\n"
         L"要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。\r\n"},
        {"kind 0", &FIXTURE_REPORT_HIGH_ALERT, 0, HIGH_ALERT_ANAESTHETICS},
        {"kind 4", &FIXTURE_REPORT_HIGH_ALERT, 4, HIGH_ALERT_ANAESTHETICS},
        {"kind -1", &FIXTURE_REPORT_HIGH_ALERT, -1, HIGH_ALERT_ANAESTHETICS},
        {"kind NaN", &FIXTURE_REPORT_HIGH_ALERT, NOT_A_NUMBER, HIGH_ALERT_ANAESTHETICS},
        {"no key", &FIXTURE_REPORT_NO_PARAMS, 1, HIGH_ALERT_ANAESTHETICS},
    };
    for (const VariantCase& c : cases) {
        const Values v = values_of({c.value});
        const GeneratedReport r = run_generator(report_high_alert_drugs, *c.tool, v.data());
        EXPECT_EQ(r.report, std::wstring(HIGH_ALERT_HEADING) + c.expected_tail) << c.name;
        EXPECT_EQ(r.verdict, L"高警示药品须专区、专标识、双人核对") << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

// ---- Kind 6: drug-pair compatibility ---------------------------------------

const wchar_t* const PAIR_LEGEND =
    L"\r\n"
    L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索\r\n"
    L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺\r\n"
    L"\r\n";
const wchar_t* const CONCLUSION_CALCIUM = L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。\r\n";
const wchar_t* const CONCLUSION_VANCOMYCIN = L"结论：不宜同瓶。万古霉素与碱性药物/奥美拉唑配伍稳定性差，应分开输注并冲管。\r\n";
const wchar_t* const CONCLUSION_FUROSEMIDE = L"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。\r\n";
const wchar_t* const CONCLUSION_OMEPRAZOLE = L"结论：奥美拉唑与维生素C 同瓶 pH 冲突，稳定性下降，建议分开。\r\n";
const wchar_t* const CONCLUSION_NONE = L"结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。\r\n";
const wchar_t* const VERDICT_CALCIUM = L"禁忌：不可同瓶输注，需间隔冲管";
const wchar_t* const VERDICT_VANCOMYCIN = L"不宜同瓶，分开输注并冲管";
const wchar_t* const VERDICT_FUROSEMIDE = L"不宜同瓶，建议分开输注";
const wchar_t* const VERDICT_OMEPRAZOLE = L"建议分开输注";
const wchar_t* const VERDICT_NONE = L"未收录明确禁忌，仍需核对院内配伍表";

TEST(ReportDrugCompatibility, CeftriaxoneWithCalciumByteForByte) {
    const Values v = values_of({1, 2});
    const GeneratedReport r = run_generator(report_drug_compatibility, FIXTURE_REPORT_COMPATIBILITY, v.data());
    EXPECT_EQ(r.report,
              L"待查：1 号 头孢曲松  +  2 号 葡萄糖酸钙\r\n"
              L"\r\n"
              L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索\r\n"
              L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺\r\n"
              L"\r\n"
              L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。\r\n");
    EXPECT_EQ(r.verdict, L"禁忌：不可同瓶输注，需间隔冲管");
    EXPECT_EQ(r.level, 3);
}

struct PairCase {
    const char* name;
    const ToolDefinition* tool;
    double a;
    double b;
    const wchar_t* first_line;
    const wchar_t* conclusion;
    const wchar_t* verdict;
    int32_t level;
};

TEST(ReportDrugCompatibility, PairsAndTheirLevels) {
    const ToolDefinition* t = &FIXTURE_REPORT_COMPATIBILITY;
    const PairCase cases[] = {
        {"1 and 2", t, 1, 2, L"待查：1 号 头孢曲松  +  2 号 葡萄糖酸钙\r\n", CONCLUSION_CALCIUM, VERDICT_CALCIUM, 3},
        {"reversed: 2 and 1 names 2 first", t, 2, 1, L"待查：2 号 葡萄糖酸钙  +  1 号 头孢曲松\r\n", CONCLUSION_CALCIUM, VERDICT_CALCIUM, 3},
        {"2 and 9", t, 2, 9, L"待查：2 号 葡萄糖酸钙  +  9 号 碳酸氢钠\r\n", CONCLUSION_CALCIUM, VERDICT_CALCIUM, 3},
        {"9 and 2", t, 9, 2, L"待查：9 号 碳酸氢钠  +  2 号 葡萄糖酸钙\r\n", CONCLUSION_CALCIUM, VERDICT_CALCIUM, 3},
        {"3 and 6", t, 3, 6, L"待查：3 号 万古霉素  +  6 号 奥美拉唑\r\n", CONCLUSION_VANCOMYCIN, VERDICT_VANCOMYCIN, 2},
        {"9 and 3", t, 9, 3, L"待查：9 号 碳酸氢钠  +  3 号 万古霉素\r\n", CONCLUSION_VANCOMYCIN, VERDICT_VANCOMYCIN, 2},
        {"4 and 10", t, 4, 10, L"待查：4 号 呋塞米  +  10 号 多巴胺\r\n", CONCLUSION_FUROSEMIDE, VERDICT_FUROSEMIDE, 2},
        {"10 and 4", t, 10, 4, L"待查：10 号 多巴胺  +  4 号 呋塞米\r\n", CONCLUSION_FUROSEMIDE, VERDICT_FUROSEMIDE, 2},
        {"5 and 9", t, 5, 9, L"待查：5 号 氨溴索  +  9 号 碳酸氢钠\r\n", CONCLUSION_FUROSEMIDE, VERDICT_FUROSEMIDE, 2},
        {"6 and 7", t, 6, 7, L"待查：6 号 奥美拉唑  +  7 号 维生素C\r\n", CONCLUSION_OMEPRAZOLE, VERDICT_OMEPRAZOLE, 1},
        {"6.9 and 7.2 cut to 6 and 7", t, 6.9, 7.2, L"待查：6 号 奥美拉唑  +  7 号 维生素C\r\n", CONCLUSION_OMEPRAZOLE, VERDICT_OMEPRAZOLE, 1},
        {"equal numbers 3 and 3", t, 3, 3, L"待查：3 号 万古霉素  +  3 号 万古霉素\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"0 and 2: 0 is no drug, never named as drug 1", t, 0, 2, L"待查：0 号 --  +  2 号 葡萄糖酸钙\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"11 and 2", t, 11, 2, L"待查：11 号 --  +  2 号 葡萄糖酸钙\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"negative and 2", t, -1, 2, L"待查：-1 号 --  +  2 号 葡萄糖酸钙\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"8 and 1", t, 8, 1, L"待查：8 号 胰岛素  +  1 号 头孢曲松\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"8 and 9", t, 8, 9, L"待查：8 号 胰岛素  +  9 号 碳酸氢钠\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"5 and 10 is no rule", t, 5, 10, L"待查：5 号 氨溴索  +  10 号 多巴胺\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"NaN and 2", t, NOT_A_NUMBER, 2, L"待查：-2147483648 号 --  +  2 号 葡萄糖酸钙\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"INT32_MAX and 1e10", t, 2147483647.0, 1e10, L"待查：2147483647 号 --  +  -2147483648 号 --\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
        {"neither key", &FIXTURE_REPORT_NO_PARAMS, 1, 2, L"待查：0 号 --  +  0 号 --\r\n", CONCLUSION_NONE, VERDICT_NONE, 0},
    };
    for (const PairCase& c : cases) {
        const Values v = values_of({c.a, c.b});
        const GeneratedReport r = run_generator(report_drug_compatibility, *c.tool, v.data());
        EXPECT_EQ(r.report, std::wstring(c.first_line) + PAIR_LEGEND + c.conclusion) << c.name;
        EXPECT_EQ(r.verdict, c.verdict) << c.name;
        EXPECT_EQ(r.level, c.level) << c.name;
    }
}

TEST(ReportDrugCompatibility, OnlySevenPairsHaveARuleEitherWayRound) {
    // Pairs (low, high) with a rule and their level; all others give 0.
    const std::array<std::array<int, 3>, 7> rules = {{
        {1, 2, 3}, {2, 9, 3}, {3, 6, 2}, {3, 9, 2}, {4, 10, 2}, {5, 9, 2}, {6, 7, 1},
    }};
    int ruled = 0;
    for (int a = -1; a <= 11; ++a) {
        for (int b = -1; b <= 11; ++b) {
            int expected = 0;
            for (const auto& rule : rules) {
                if (std::min(a, b) == rule[0] && std::max(a, b) == rule[1]) expected = rule[2];
            }
            if (expected != 0) ++ruled;
            const Values v = values_of({static_cast<double>(a), static_cast<double>(b)});
            const GeneratedReport r = run_generator(report_drug_compatibility, FIXTURE_REPORT_COMPATIBILITY, v.data());
            EXPECT_EQ(r.level, expected) << a << " and " << b;
            EXPECT_FALSE(r.verdict.empty()) << a << " and " << b;
            if (expected == 0) {
                EXPECT_EQ(r.verdict, VERDICT_NONE) << a << " and " << b;
            }
        }
    }
    EXPECT_EQ(ruled, 14);
}

// ---- Kind 8: surgical safety checklist -------------------------------------

TEST(ReportSafetyChecklist, FixedSheetByteForByte) {
    const Values v = values_of({5, 5, 5});
    for (const ToolDefinition* tool : {&FIXTURE_REPORT_CHECKLIST, &FIXTURE_REPORT_COMPATIBILITY}) {
        const GeneratedReport r = run_generator(report_safety_checklist, *tool, v.data());
        EXPECT_EQ(r.report,
                  L"手术安全核查表（三步核查）：\r\n"
                  L"【麻醉实施前】身份/部位/术式/知情同意；过敏史；气道与插管风险；出血风险；影像与植入物；皮肤准备。\r\n"
                  L"【手术开始前】团队自我介绍；确认患者、部位、术式；预计手术时间与失血量；抗菌药物已用；器械灭菌合格；影像资料到位。\r\n"
                  L"【患者离室前】手术名称与记录一致；标本标识与送检；器械敷料清点；皮肤与管路；恢复与转运方案。\r\n"
                  L"\r\n"
                  L"要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得开台。\r\n")
            << tool->id;
        EXPECT_EQ(r.verdict, L"三方核查缺一不可，签字后归档");
        EXPECT_EQ(r.level, 0);
    }
}

// ---- Kind 9: shift handover sheet ------------------------------------------

TEST(ReportHandover, TwoBedsByteForByte) {
    const Values v = values_of({2});
    const GeneratedReport r = run_generator(report_handover, FIXTURE_REPORT_HANDOVER, v.data());
    EXPECT_EQ(r.report,
              L"交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）：\r\n"
              L"01 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg SpO2＿%；本班处置＿＿；管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。\r\n"
              L"02 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg SpO2＿%；本班处置＿＿；管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。\r\n"
              L"\r\n"
              L"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。\r\n");
    EXPECT_EQ(r.verdict, L"模板已生成，床旁交接并双方签名");
    EXPECT_EQ(r.level, 0);
}

TEST(ReportHandover, BedCountBounds) {
    struct BedCase {
        const char* name;
        const ToolDefinition* tool;
        double beds;
        size_t expected_beds;
    };
    const BedCase cases[] = {
        {"0 beds", &FIXTURE_REPORT_HANDOVER, 0, 1},
        {"negative", &FIXTURE_REPORT_HANDOVER, -4, 1},
        {"absent", &FIXTURE_REPORT_NO_PARAMS, 9, 1},
        {"2.9 cut to 2", &FIXTURE_REPORT_HANDOVER, 2.9, 2},
        {"30", &FIXTURE_REPORT_HANDOVER, 30, 30},
        {"45 gives 30", &FIXTURE_REPORT_HANDOVER, 45, 30},
        {"NaN", &FIXTURE_REPORT_HANDOVER, NOT_A_NUMBER, 1},
        {"INT32_MAX", &FIXTURE_REPORT_HANDOVER, 2147483647.0, 30},
        {"1e10 out of range", &FIXTURE_REPORT_HANDOVER, 1e10, 1},
    };
    for (const BedCase& c : cases) {
        const Values v = values_of({c.beds});
        const GeneratedReport r = run_generator(report_handover, *c.tool, v.data());
        EXPECT_EQ(line_count(r.report), c.expected_beds + 3) << c.name;
        EXPECT_EQ(static_cast<size_t>(std::count(r.report.begin(), r.report.end(), L'%')), c.expected_beds) << c.name;
        const std::wstring last = (c.expected_beds < 10 ? L"\r\n0" : L"\r\n") + std::to_wstring(c.expected_beds) + L" 床：";
        EXPECT_NE(r.report.find(last), std::wstring::npos) << c.name;
        EXPECT_EQ(r.verdict, L"模板已生成，床旁交接并双方签名") << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

TEST(ReportHandover, ThirtyBedsIsTheLongestSheet) {
    const Values v = values_of({30});
    const GeneratedReport r = run_generator(report_handover, FIXTURE_REPORT_HANDOVER, v.data());
    EXPECT_EQ(r.report.size(), 2509u);
    EXPECT_NE(r.report.find(L"\r\n30 床：诊断"), std::wstring::npos);
}

// ---- Kind 10: infusion card ------------------------------------------------

TEST(ReportInfusionCard, CardReadsItsInputsByKey) {
    Values v{};
    fixture_default_values(FIXTURE_REPORT_INFUSION, v.data());  // gtt 40, volume 250, dose 1.5, bed 12
    const GeneratedReport r = run_generator(report_infusion_card, FIXTURE_REPORT_INFUSION, v.data());
    EXPECT_EQ(r.report,
              L"静脉输液卡\r\n"
              L"床号：12\r\n"
              L"药液：医嘱药量 1.50 ，加入溶媒 250 ml\r\n"
              L"滴速：40 滴/分（约 120 ml/h）\r\n"
              L"核对：药名/剂量/浓度/有效期/配伍；双人签名。\r\n"
              L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。\r\n");
    EXPECT_EQ(r.verdict, L"输液卡已生成，双人核对后执行");
    EXPECT_EQ(r.level, 0);
}

TEST(ReportInfusionCard, NoKeysShowsZeros) {
    const Values v{};
    const GeneratedReport r = run_generator(report_infusion_card, FIXTURE_REPORT_NO_PARAMS, v.data());
    EXPECT_EQ(r.report,
              L"静脉输液卡\r\n"
              L"床号：0\r\n"
              L"药液：医嘱药量 0.00 ，加入溶媒 0 ml\r\n"
              L"滴速：0 滴/分（约 0 ml/h）\r\n"
              L"核对：药名/剂量/浓度/有效期/配伍；双人签名。\r\n"
              L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。\r\n");
    EXPECT_EQ(r.verdict, L"输液卡已生成，双人核对后执行");
    EXPECT_EQ(r.level, 0);
}

TEST(ReportInfusionCard, NumbersAsFilledIn) {
    struct CardCase {
        const char* name;
        Values values;  // gtt, volume, dose, bed
        const wchar_t* middle;
    };
    const CardCase cases[] = {
        {"rounding of the fixed-point conversion", values_of({33.4, 99.5, 0.125, 7.9}),
         L"床号：7\r\n药液：医嘱药量 0.12 ，加入溶媒 100 ml\r\n滴速：33 滴/分（约 100 ml/h）\r\n"},
        {"bed out of range reads INT32_MIN", values_of({60, 500, 2, 1e10}),
         L"床号：-2147483648\r\n药液：医嘱药量 2.00 ，加入溶媒 500 ml\r\n滴速：60 滴/分（约 180 ml/h）\r\n"},
        {"negative bed", values_of({1, 1, -1, -3}),
         L"床号：-3\r\n药液：医嘱药量 -1.00 ，加入溶媒 1 ml\r\n滴速：1 滴/分（约 3 ml/h）\r\n"},
    };
    for (const CardCase& c : cases) {
        const GeneratedReport r = run_generator(report_infusion_card, FIXTURE_REPORT_INFUSION, c.values.data());
        EXPECT_EQ(r.report, std::wstring(L"静脉输液卡\r\n") + c.middle +
                                L"核对：药名/剂量/浓度/有效期/配伍；双人签名。\r\n"
                                L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。\r\n")
            << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

// ---- Kind 11: laboratory panels --------------------------------------------

const wchar_t* const PANEL_URINE =
    L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。\r\n"
    L"注意：留取中段尿，1 小时内送检；月经期避免。\r\n";

TEST(ReportLabPanels, PanelChosenByNumberInTwoLines) {
    const VariantCase cases[] = {
        {"panel 1", &FIXTURE_REPORT_LAB_PANELS, 1,
         L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。\r\n"
         L"注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。\r\n"},
        {"panel 2", &FIXTURE_REPORT_LAB_PANELS, 2,
         L"生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、血糖、血脂、电解质。\r\n"
         L"注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。\r\n"},
        {"panel 3", &FIXTURE_REPORT_LAB_PANELS, 3,
         L"凝血四项（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。\r\n"
         L"注意：采血量必须达刻度；肝素治疗中查 APTT。\r\n"},
        {"panel 4", &FIXTURE_REPORT_LAB_PANELS, 4,
         L"甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。\r\n"
         L"注意：空腹；含碘造影剂后 1 周内避免复查。\r\n"},
        {"panel 5", &FIXTURE_REPORT_LAB_PANELS, 5,
         L"心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。\r\n"
         L"注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。\r\n"},
        {"panel 6", &FIXTURE_REPORT_LAB_PANELS, 6, PANEL_URINE},
        {"panel 0", &FIXTURE_REPORT_LAB_PANELS, 0, PANEL_URINE},
        {"panel -5", &FIXTURE_REPORT_LAB_PANELS, -5, PANEL_URINE},
        {"panel NaN", &FIXTURE_REPORT_LAB_PANELS, NOT_A_NUMBER, PANEL_URINE},
        {"absent", &FIXTURE_REPORT_NO_PARAMS, 1, PANEL_URINE},
    };
    for (const VariantCase& c : cases) {
        const Values v = values_of({c.value});
        const GeneratedReport r = run_generator(report_lab_panels, *c.tool, v.data());
        EXPECT_EQ(r.report, c.expected_tail) << c.name;
        EXPECT_EQ(line_count(r.report), 2u) << c.name;
        EXPECT_EQ(r.verdict, L"套餐与采血管已列出，按顺序采血") << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

// ---- All eight: cutting, verdicts and edge values --------------------------

struct SheetCase {
    const char* name;
    ReportGenerator generator;
    const ToolDefinition* tool;
    const wchar_t* verdict;
};

const SheetCase SHEETS[] = {
    {"draw order", report_draw_order, &FIXTURE_REPORT_DRAW_ORDER, L"按标准顺序采血可减少溶血与交叉污染"},
    {"critical values", report_critical_values, &FIXTURE_REPORT_CRITICAL, L"危急值必须闭环：报告、接收、处理、记录"},
    {"high-alert drugs", report_high_alert_drugs, &FIXTURE_REPORT_HIGH_ALERT, L"高警示药品须专区、专标识、双人核对"},
    {"compatibility", report_drug_compatibility, &FIXTURE_REPORT_COMPATIBILITY, L"禁忌：不可同瓶输注，需间隔冲管"},
    {"checklist", report_safety_checklist, &FIXTURE_REPORT_CHECKLIST, L"三方核查缺一不可，签字后归档"},
    {"handover", report_handover, &FIXTURE_REPORT_HANDOVER, L"模板已生成，床旁交接并双方签名"},
    {"infusion card", report_infusion_card, &FIXTURE_REPORT_INFUSION, L"输液卡已生成，双人核对后执行"},
    {"lab panels", report_lab_panels, &FIXTURE_REPORT_LAB_PANELS, L"套餐与采血管已列出，按顺序采血"},
};

TEST(ReportSheets, EveryCapacityGivesThePrefixOfTheFullReport) {
    for (const SheetCase& c : SHEETS) {
        Values v{};
        fixture_default_values(*c.tool, v.data());
        if (c.tool == &FIXTURE_REPORT_HANDOVER) v[0] = 30;  // the longest sheet
        const GeneratedReport full = run_generator(c.generator, *c.tool, v.data());
        const int32_t length = static_cast<int32_t>(full.report.size());
        for (int32_t capacity = 1; capacity <= length + 2; ++capacity) {
            const GeneratedReport r = run_generator(c.generator, *c.tool, v.data(), capacity);
            const size_t kept = std::min(full.report.size(), static_cast<size_t>(capacity - 1));
            ASSERT_EQ(r.report, full.report.substr(0, kept)) << c.name << " at capacity " << capacity;
            ASSERT_TRUE(r.report_terminated) << c.name << " at capacity " << capacity;
            ASSERT_TRUE(r.guard_intact) << c.name << " at capacity " << capacity;
            ASSERT_EQ(r.verdict, c.verdict) << c.name << " at capacity " << capacity;
            ASSERT_EQ(r.level, full.level) << c.name << " at capacity " << capacity;
        }
    }
}

TEST(ReportSheets, CutInsideALineLosesItsLineEnd) {
    const Values v = values_of({1});
    const GeneratedReport r = run_generator(report_lab_panels, FIXTURE_REPORT_LAB_PANELS, v.data(), 14);
    EXPECT_EQ(r.report, L"血常规（紫管 EDTA）：");
    EXPECT_EQ(r.verdict, L"套餐与采血管已列出，按顺序采血");
    EXPECT_EQ(r.level, 0);
}

TEST(ReportSheets, VerdictIsWrittenWholeInTheSmallestVerdictCapacity) {
    // 21 places hold the longest verdict whole.
    for (const SheetCase& c : SHEETS) {
        Values v{};
        fixture_default_values(*c.tool, v.data());
        const GeneratedReport r = run_generator(c.generator, *c.tool, v.data(), 4096, 21);
        EXPECT_EQ(r.verdict, c.verdict) << c.name;
        EXPECT_TRUE(r.verdict_terminated) << c.name;
        EXPECT_TRUE(r.guard_intact) << c.name;
        EXPECT_LE(r.verdict.size(), 19u) << c.name;
    }
}

// A caller's smaller verdict buffer is never written past: the verdict is cut
// at its capacity and terminated.
TEST(ReportSheets, VerdictIsCutToASmallerCapacity) {
    for (const SheetCase& c : SHEETS) {
        Values v{};
        fixture_default_values(*c.tool, v.data());
        const GeneratedReport r = run_generator(c.generator, *c.tool, v.data(), 4096, 8);
        EXPECT_EQ(r.verdict, std::wstring(c.verdict).substr(0, 7)) << c.name;
        EXPECT_TRUE(r.verdict_terminated) << c.name;
        EXPECT_TRUE(r.guard_intact) << c.name;
    }
}

TEST(ReportSheets, EdgeValuesNeverCrashAndStayBounded) {
    const double edges[] = {
        NOT_A_NUMBER, -NOT_A_NUMBER, INFINITE, -INFINITE, 1e308, -1e308, 1.7976931348623157e308,
        -0.0, 4.9e-324, 2147483647.0, 2147483648.0, -2147483648.0, -2147483649.0, 1e10, -1e10,
    };
    const int32_t capacities[] = {1, 2, 13, 100, 4096};
    for (const SheetCase& c : SHEETS) {
        for (double a : edges) {
            for (double b : edges) {
                const Values v = values_of({a, b, a, b});
                for (int32_t capacity : capacities) {
                    const GeneratedReport r = run_generator(c.generator, *c.tool, v.data(), capacity);
                    ASSERT_TRUE(r.report_terminated) << c.name << " " << a << " " << b << " cap " << capacity;
                    ASSERT_TRUE(r.guard_intact) << c.name << " " << a << " " << b << " cap " << capacity;
                    ASSERT_TRUE(r.verdict_terminated) << c.name;
                    ASSERT_FALSE(r.verdict.empty()) << c.name << " " << a << " " << b;
                    ASSERT_GE(r.level, 0) << c.name;
                    ASSERT_LE(r.level, 3) << c.name;
                    if (c.generator != report_drug_compatibility) {
                        ASSERT_EQ(r.level, 0) << c.name;
                    }
                    if (capacity == 4096) {
                        ASSERT_EQ(r.report.substr(r.report.size() - 2), L"\r\n") << c.name << " " << a << " " << b;
                    }
                }
            }
        }
    }
}

}  // namespace
