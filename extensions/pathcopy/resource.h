// Resource identifiers of KvPathCopy: the settings dialog, its controls and text numbers
// (block L holds text n as L*100+n). The applet's clipboard page uses the same control identifiers.
#pragma once
#define IDD_CLIPBOARD_AS_NAME 102
#define IDD_CLIPBOARD_PAGE 109

#define IDC_COMPLETE_PATH 2101
#define IDC_WRAP 2102
#define IDC_WRAP_QUOTES 2103
#define IDC_WRAP_CUSTOM 2104
#define IDC_WRAP_BEGIN 2105
#define IDC_WRAP_END 2106
#define IDC_SEPARATE_LINES 2107
#define IDC_END_WITH_SPACE 2108
#define IDC_ESCAPE 2109
#define IDC_URL 2110
#define IDC_URL_PREFIX 2111
#define IDC_UNC 2112
#define IDC_SORT 2113
#define IDC_SHORT_NAMES 2114

#define IDS_SETTINGS_CAPTION 1
#define IDS_COMPLETE_PATH 41
#define IDS_WRAP 42
#define IDS_WRAP_QUOTES 43
#define IDS_WRAP_CUSTOM 44
#define IDS_WRAP_AND 45
#define IDS_SEPARATE_LINES 46
#define IDS_END_WITH_SPACE 47
#define IDS_ESCAPE 48
#define IDS_URL 49
#define IDS_UNC 50
#define IDS_SORT 51
#define IDS_SHORT_NAMES 52
#define IDS_OK 53
#define IDS_CANCEL 54
