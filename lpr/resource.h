// Resource ids of lprspool.
#pragma once

#define IDD_LPR_DEBUG 101
#define IDC_LPR_DEBUG_LIST 1000
#define IDC_LPR_DEBUG_CLEAR 1002
#define IDC_LPR_DEBUG_HIDE 1003
#define IDS_LPR_VERSION 10100
