// Identifiers of the resources built into the executable.
#pragma once

#define IDS_DESCRIPTION 1
#define IDB_BANNER 100
#define IDB_FALLBACK 101

// The picture pane the open dialog takes as its child template, and its controls.
#define IDD_PICTURE_PANE 200
#define IDC_PANE_CAPTION 0x5A01
#define IDC_PANE_PREVIEW 0x5A02
#define IDC_PANE_AREA 0x5A03
