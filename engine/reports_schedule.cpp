// Schedule reports: the nurse rota (kind 1), the dosing time table (kind 2)
// and the dated follow-up plan (kind 7). Each reads up to three parameters
// by key, clamps them into its bounds, appends its lines (bounded by the
// report capacity), copies one whole verdict and returns level 0.
#include <cmath>
#include <cstdint>

#include "engine/calendar.h"
#include "engine/params.h"
#include "engine/reports.h"
#include "engine/report_text.h"
#include "engine/text.h"
#include "platform/platform.h"

namespace {

// ---- Kind 1: nurse rota ----------------------------------------------------

constexpr int32_t ROTA_NURSES_MAX = 40;
constexpr int32_t ROTA_DAYS_MAX = 31;
constexpr int32_t ROTA_NAME_CAPACITY = 12;
constexpr int32_t ROTA_ENTRY_CAPACITY = 16;
// One nurse's day line: the indent, 9 entries "d日X " of 4 characters and
// 22 of 5, CR LF: 150 characters, with room to spare.
constexpr int32_t ROTA_LINE_CAPACITY = 192;
static_assert(2 + 9 * 4 + (ROTA_DAYS_MAX - 9) * 5 + 2 < ROTA_LINE_CAPACITY, "a whole day line fits");

constexpr const wchar_t* ROTA_RULE = L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。";
constexpr const wchar_t* ROTA_SUMMARY_FORMAT = L"人员：%d 人；周期：%d 天";
constexpr const wchar_t* ROTA_NAME_FORMAT = L"护士%02d";
constexpr const wchar_t* ROTA_NAME_LINE_FORMAT = L"%ls：";
constexpr const wchar_t* ROTA_DAY_INDENT = L"  ";
constexpr const wchar_t* ROTA_ENTRY_FORMAT = L"%d日%c ";
constexpr const wchar_t* ROTA_TIP = L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。";
constexpr const wchar_t* ROTA_VERDICT = L"已生成轮转排班表，可复制到排班本或表格";

// Shift letters by k = ((nurse - 1) + 2 * (day - 1)) mod 3. ORDER: D N R.
constexpr wchar_t ROTA_SHIFTS[] = {L'D', L'N', L'R'};
static_assert(sizeof(ROTA_SHIFTS) / sizeof(ROTA_SHIFTS[0]) == 3, "one letter per shift");

// ---- Kind 2: dosing times --------------------------------------------------

constexpr int32_t DOSES_MAX = 30;
constexpr double DOSE_INTERVAL_DEFAULT = 8.0;
constexpr int32_t DOSE_ENTRY_CAPACITY = 64;

constexpr const wchar_t* DOSE_HEADER_FORMAT = L"首剂时间 %.0f:00，间隔 %.0f 小时，共 %d 次：";
constexpr const wchar_t* DOSE_ENTRY_FORMAT = L"第%d天 %02d:%02d";
// An entry whose time cannot be shown as a 32-bit day and a clock time.
constexpr const wchar_t* DOSE_ENTRY_UNKNOWN = L"第--天 --:--";
constexpr const wchar_t* DOSE_SEPARATOR = L"  |  ";
constexpr const wchar_t* DOSE_NOTE = L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。";
constexpr const wchar_t* DOSE_VERDICT = L"给药时间表已生成，注意首剂与夜间给药时间";

// ---- Kind 7: follow-up plan ------------------------------------------------

constexpr int32_t VISITS_MAX = 20;
constexpr int32_t VISIT_GAP_DEFAULT = 7;
constexpr int32_t VISIT_DATE_CAPACITY = 32;

constexpr const wchar_t* VISIT_HEADER_FORMAT = L"随访节点（以今天为基准，起始第 %d 天，间隔 %d 天，共 %d 次）：";
constexpr const wchar_t* VISIT_LINE_FORMAT = L"第 %d 次：%ls";
constexpr const wchar_t* VISIT_CONTENT = L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。";
constexpr const wchar_t* VISIT_VERDICT = L"随访计划已生成，可按日期短信提醒患者";

const wchar_t* const CRLF = L"\r\n";

// Writes the entry of a dose given at t hours after midnight of day 1:
// "第<day>天 <hh>:<mm>" with day = 1 + t / 24 cut toward zero, the clock time
// from fmod(t, 24), minutes cut. When t is not finite, or the day would not
// fit a 32-bit signed integer (t of about 5.15e10 hours and more), the entry
// reads "第--天 --:--": a time that cannot be told is never shown as a
// wrapped or made-up number. Every conversion to int is range-checked first.
void format_dose_entry(double t, wchar_t* entry, int32_t capacity) {
    if (!std::isfinite(t)) {
        text_copy(entry, capacity, DOSE_ENTRY_UNKNOWN);
        return;
    }
    // The day number must lie in [INT32_MIN, INT32_MAX] before it converts.
    const double day = std::trunc(t / 24.0) + 1.0;
    if (!(day <= static_cast<double>(INT32_MAX) && day >= static_cast<double>(INT32_MIN))) {
        text_copy(entry, capacity, DOSE_ENTRY_UNKNOWN);
        return;
    }
    const double clock = std::fmod(t, 24.0);                  // (-24, 24); [0, 24) for t >= 0
    const double hour = std::trunc(clock);                    // [-23, 23]
    const double minute = std::trunc((clock - hour) * 60.0);  // (-60, 60)
    text_format(entry, capacity, DOSE_ENTRY_FORMAT, static_cast<int32_t>(day),
                static_cast<int>(hour), static_cast<int>(minute));
}

// today + offset, or a day outside the convertible range when the sum would
// leave 64 bits (civil_from_days then writes "--").
day_number shift_day(day_number today, int64_t offset) {
    day_number result = 0;
    if (__builtin_add_overflow(today, offset, &result)) return INT64_MAX;
    return result;
}

}  // namespace

int32_t report_nurse_rota(const ToolDefinition& tool, const double* values,
                          wchar_t* report, int32_t report_capacity,
                          wchar_t* verdict, int32_t verdict_capacity) {
    const int32_t nurses = bounded_whole(tool, values, "nurses", 1, ROTA_NURSES_MAX);
    const int32_t days = bounded_whole(tool, values, "days", 1, ROTA_DAYS_MAX);

    append_text_line(report, report_capacity, ROTA_RULE);
    append_line(report, report_capacity, ROTA_SUMMARY_FORMAT, nurses, days);
    append_line(report, report_capacity, L"");
    for (int32_t i = 1; i <= nurses; ++i) {
        wchar_t name[ROTA_NAME_CAPACITY];
        text_format(name, ROTA_NAME_CAPACITY, ROTA_NAME_FORMAT, i);
        append_line(report, report_capacity, ROTA_NAME_LINE_FORMAT, name);
        // The day line is joined in its own buffer and appended once: a
        // bounded append measures the whole report first, so appending its
        // 31 entries one by one made the largest rota quadratic in its
        // length. Appending the joined pieces at once cuts them at the same
        // place as appending them one after another.
        wchar_t day_line[ROTA_LINE_CAPACITY];
        text_copy(day_line, ROTA_LINE_CAPACITY, ROTA_DAY_INDENT);
        for (int32_t j = 1; j <= days; ++j) {
            const int32_t k = ((i - 1) + 2 * (j - 1)) % 3;
            wchar_t entry[ROTA_ENTRY_CAPACITY];
            text_format(entry, ROTA_ENTRY_CAPACITY, ROTA_ENTRY_FORMAT, j,
                        static_cast<int>(ROTA_SHIFTS[k]));
            text_append(day_line, ROTA_LINE_CAPACITY, entry);
        }
        text_append(day_line, ROTA_LINE_CAPACITY, CRLF);
        text_append(report, report_capacity, day_line);
    }
    append_line(report, report_capacity, L"");
    append_text_line(report, report_capacity, ROTA_TIP);
    write_verdict(verdict, verdict_capacity, ROTA_VERDICT);
    return 0;
}

int32_t report_dosing_times(const ToolDefinition& tool, const double* values,
                            wchar_t* report, int32_t report_capacity,
                            wchar_t* verdict, int32_t verdict_capacity) {
    // A start below 0 becomes 0; -0.0 too, so that the header never shows
    // "-0:00". A NaN start or interval is neither below nor at the bound and
    // is kept; its entries then read as unknown times.
    double start = param_by_key(tool, values, "start");
    if (start <= 0.0) start = 0.0;
    double interval = param_by_key(tool, values, "interval");
    if (interval <= 0.0) interval = DOSE_INTERVAL_DEFAULT;
    const int32_t doses = bounded_whole(tool, values, "times", 1, DOSES_MAX);

    append_line(report, report_capacity, DOSE_HEADER_FORMAT, start, interval, doses);
    for (int32_t k = 0; k < doses; ++k) {
        const double t = static_cast<double>(k) * interval + start;
        wchar_t entry[DOSE_ENTRY_CAPACITY];
        format_dose_entry(t, entry, DOSE_ENTRY_CAPACITY);
        text_append(report, report_capacity, entry);
        if (k + 1 < doses) text_append(report, report_capacity, DOSE_SEPARATOR);
    }
    text_append(report, report_capacity, CRLF);
    append_text_line(report, report_capacity, DOSE_NOTE);
    write_verdict(verdict, verdict_capacity, DOSE_VERDICT);
    return 0;
}

int32_t write_follow_up(const ToolDefinition& tool, const double* values, day_number today,
                        wchar_t* report, int32_t report_capacity,
                        wchar_t* verdict, int32_t verdict_capacity) {
    // The start is unbounded: a NaN or out-of-range value stays INT32_MIN.
    const int32_t start = whole_number(param_by_key(tool, values, "start"));
    int32_t gap = whole_number(param_by_key(tool, values, "gap"));
    if (gap < 1) gap = VISIT_GAP_DEFAULT;
    const int32_t visits = bounded_whole(tool, values, "times", 1, VISITS_MAX);

    append_line(report, report_capacity, VISIT_HEADER_FORMAT, start, gap, visits);
    for (int32_t k = 1; k <= visits; ++k) {
        // |start + (k - 1) * gap| < 2^31 * 20: far inside 64 bits.
        const int64_t offset = static_cast<int64_t>(start) +
                               static_cast<int64_t>(k - 1) * static_cast<int64_t>(gap);
        wchar_t date[VISIT_DATE_CAPACITY];
        civil_from_days(shift_day(today, offset), date, VISIT_DATE_CAPACITY);
        append_line(report, report_capacity, VISIT_LINE_FORMAT, k, date);
    }
    append_text_line(report, report_capacity, VISIT_CONTENT);
    write_verdict(verdict, verdict_capacity, VISIT_VERDICT);
    return 0;
}

int32_t report_follow_up(const ToolDefinition& tool, const double* values,
                         wchar_t* report, int32_t report_capacity,
                         wchar_t* verdict, int32_t verdict_capacity) {
    const LocalTime now = platform_local_time();
    const day_number today = days_from_civil(now.year, now.month, now.day);
    return write_follow_up(tool, values, today, report, report_capacity, verdict,
                           verdict_capacity);
}
