// Control and timer numbers of the message windows (the viewer, the preview pane, the raw
// message window).
#pragma once

#define QUILLET_IDC_VIEWER_SENDER 401
#define QUILLET_IDC_VIEWER_RECEIVER 402
#define QUILLET_IDC_VIEWER_DATE 403
#define QUILLET_IDC_VIEWER_SUBJECT 404
#define QUILLET_IDC_VIEWER_BODY 405
#define QUILLET_IDC_VIEWER_ATTACHMENTS 406
#define QUILLET_IDC_VIEWER_OPEN 407
#define QUILLET_IDC_VIEWER_SAVE 408
#define QUILLET_IDC_VIEWER_BROWSER 409
#define QUILLET_IDC_VIEWER_LABEL 410  /* the four envelope labels: 410 to 413 */
#define QUILLET_IDC_RAW_HEADER 420
#define QUILLET_IDC_RAW_TEXT 421
#define QUILLET_TIMER_AUTOREAD 430
#define QUILLET_IDM_PRIORITY_HIGH 700  /* the priority menu: POP_High, POP_normal, POP_low */
#define QUILLET_IDM_PRIORITY_NORMAL 701
#define QUILLET_IDM_PRIORITY_LOW 702
