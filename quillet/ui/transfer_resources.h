// Resource numbers of the receive and send windows: the network progress window
// (TDlg_progress), the main window's progress panel and the password dialog's remember box.
#pragma once

#define QUILLET_DLG_PROGRESS 200
#define QUILLET_IDC_PROGRESS_STATUS 201     // L_status
#define QUILLET_IDC_PROGRESS_CURRENT 202    // L_current
#define QUILLET_IDC_PROGRESS_COMMAND 203    // L_command
#define QUILLET_IDC_PROGRESS_GAUGE 204      // Gauge
#define QUILLET_IDC_PROGRESS_ANIMATION 205  // Animating
#define QUILLET_IDC_PROGRESS_HIDE 206       // SB_hide
#define QUILLET_IDC_PROGRESS_CANCEL 207     // BtnCancel
#define QUILLET_IDC_PASSWORD_REMEMBER 210   // CB_pwd, hidden and checked
#define QUILLET_IDC_PROGRESS_BAR 220        // ProgBar in the status bar's panel P_progbar
#define QUILLET_IDC_SHOW_PROGRESS 221       // SB_showprog beside it
#define QUILLET_IDC_SHOW_PREVIEW 222        // SB_preview, the status bar's own
