/* Control ids of the data source's dialogs (plain #defines: read by the
   resource compiler and by the code). */
#ifndef PLNX_DIALOG_IDS_H
#define PLNX_DIALOG_IDS_H

/* The temporary-drive dialog ChgTmpDrv */
#define IDC_TMPDRV_LINE1 1
#define IDC_TMPDRV_LINE2 2
#define IDC_TMPDRV_LINE3 3
#define IDC_TMPDRV_LINE4 4
#define IDC_TMPDRV_STEP1 5
#define IDC_TMPDRV_STEP2 6
#define IDC_TMPDRV_EDIT 7
#define IDC_TMPDRV_OK 8
#define IDC_TMPDRV_CANCEL 9
#define IDC_TMPDRV_CURRENT 10

#endif
