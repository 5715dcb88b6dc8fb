#pragma once
// Resource and control identifiers shared by the resource script and the code that uses
// them. Plain macros, because the resource compiler reads this file too.

#define VELUMIXER_IDB_BANNER 203
#define VELUMIXER_IDD_OPTIONS 206

// Controls of the Options dialog (1 is the system's IDOK, 2 its IDCANCEL).
#define VELUMIXER_IDC_SETTINGS_GROUP 2000
#define VELUMIXER_IDC_STORE_DEFAULTS 2001
#define VELUMIXER_IDC_RESTORE_DEFAULTS 2002
#define VELUMIXER_IDC_BANNER 2059
#define VELUMIXER_IDC_MANUAL_LINK 2060
