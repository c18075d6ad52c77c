// What the elevated IP settings helper shares with its resource script and with the programs
// that drive it in tests: its exit codes, its plan window's title and the ids of its controls.
// The resource compiler reads only the #define lines.
#pragma once

#define XAL_IDD_IP_PLAN 100
#define XAL_IDC_IP_PLAN_INTRO 1001
#define XAL_IDC_IP_PLAN_TEXT 1002
#define XAL_IDC_IP_PLAN_APPLY 1003

#ifndef RC_INVOKED

namespace xal::win32 {

constexpr int kIPHelperExitApplied = 0;  // or, for a dry run, the plan was shown
constexpr int kIPHelperExitRefused = 2;
constexpr int kIPHelperExitUnreadable = 3;
constexpr int kIPHelperExitApplyFailed = 4;
constexpr int kIPHelperExitCancelled = 5;

constexpr wchar_t kIPPlanWindowTitle[] = L"Kelpra Tremvale - IP settings";
constexpr int kIPPlanTextId = XAL_IDC_IP_PLAN_TEXT;
constexpr int kIPPlanApplyId = XAL_IDC_IP_PLAN_APPLY;

}  // namespace xal::win32

#endif
