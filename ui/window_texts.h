// The window's own texts, shown to the user as they stand here.
#pragma once

// The verdict line's text at start and after a reset.
constexpr const wchar_t* PROMPT_TEXT = L"填写左侧参数，点击“计算”";
// The status line after the window is built.
constexpr const wchar_t* READY_STATUS = L"就绪：填写参数后按 F5 或点击“计算”";
// The reference basis line, with the tool's reference.
constexpr const wchar_t* REFERENCE_FORMAT = L"参考依据：%ls";
// Caption of the input panel.
constexpr const wchar_t* INPUT_CAPTION = L"输入参数";
// Caption of the results panel.
constexpr const wchar_t* RESULTS_CAPTION = L"计算结果";
// Header subtitle line: category, then subtitle.
constexpr const wchar_t* SUBTITLE_FORMAT = L"%ls  ·  %ls";
// Button captions.
constexpr const wchar_t* COMPUTE_CAPTION = L"计算 (F5)";
constexpr const wchar_t* SAVE_CAPTION = L"保存记录";
constexpr const wchar_t* COPY_CAPTION = L"复制结果";
constexpr const wchar_t* RESET_CAPTION = L"清空重填";
constexpr const wchar_t* ABOUT_CAPTION = L"关于";
// Refusal of a field that is not a finite number: position, label.
constexpr const wchar_t* BAD_INPUT_FORMAT = L"第 %d 项“%ls”请输入数字。";
constexpr const wchar_t* BAD_INPUT_TITLE = L"输入有误";
// Status after an accepted compute, with the tool's name.
constexpr const wchar_t* COMPUTED_STATUS_FORMAT = L"计算完成  %ls";
// Copy before any result.
constexpr const wchar_t* NO_RESULT_TEXT = L"请先点击“计算”生成结果。";
constexpr const wchar_t* NOTICE_TITLE = L"提示";
constexpr const wchar_t* COPIED_STATUS = L"结果已复制到剪贴板";
// The clipboard could not be opened or could not take the text.
constexpr const wchar_t* COPY_FAILED_TEXT = L"无法访问剪贴板，结果未复制，请重试。";
constexpr const wchar_t* COPY_FAILED_TITLE = L"复制失败";
constexpr const wchar_t* RESET_STATUS = L"已恢复默认值";
constexpr const wchar_t* ABOUT_TITLE = L"关于本工具";
// About text pieces.
constexpr const wchar_t* ABOUT_CATEGORY = L"分类：";
constexpr const wchar_t* ABOUT_REFERENCE = L"参考依据：";
constexpr const wchar_t* ABOUT_DISCLAIMER_1 = L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，";
constexpr const wchar_t* ABOUT_DISCLAIMER_2 = L"具体用药与处置请结合患者实际情况及本院规范执行。";
constexpr const wchar_t* ABOUT_VERSION = L"版本 V1.0    官网：";

// The maker's web address, shown in the header and in the About box.
constexpr const wchar_t* MAKER_WEB_ADDRESS = L"www.quelm-med.example";
