// Resource ids of the wizard: dialog templates by their page numbers, control ids that
// are also the language strings of their texts.
#pragma once

#define IDD_WIZARD_MAIN 102
#define IDI_WIZARD 127
#define IDD_PAGE_CONNECTION 128
#define IDD_PAGE_HOST 129
#define IDD_PAGE_LOGIN 135
#define IDD_PAGE_PRINTER 136
#define IDD_PAGE_GUI 140
#define IDD_PAGE_HOST3270 141
#define IDD_PAGE_AUX 143
#define IDD_PAGE_FINAL 147

#define IDC_BACK 30100
#define IDC_CANCEL 30101
#define IDC_NEXT 30102
#define IDC_APPLY 30133
#define IDC_CONNECTION_NAME 1200
#define IDC_DESKTOP_ICON 30205
#define IDC_PAGE_TITLE 1001

// The wizard's own texts (no language module has them).
#define IDS_NAME_LENGTH 30400
