#include "pipeline/temp_drive_dialog.h"

#include <stdio.h>
#include <string.h>

#include "device/error_report.h"
#include "dialog_ids.h"
#include "pipeline/work_file_names.h"
#include "settings/profile_win32.h"
#include "settings/scan_settings.h"
#include "string_ids.h"
#include "twain/ds_entry.h"
#include "twain/source_state.h"
#include "ui/dialog/dialog_state.h"

namespace {

struct DialogState {
    int64_t Needed;
    int64_t ImageSize;
    char SavedName[sizeof DefaultFileXferSetup.FileName];
    char Typed[131];
};

HBRUSH GreyBrush = nullptr;

bool IsLeadByte(uint8_t byte) { return IsDBCSLeadByte(byte) != 0; }

void SetText(HWND dialog, int control, UINT stringId) {
    char text[256];
    LoadLanguageString(stringId, text, sizeof text);
    SetDlgItemTextA(dialog, control, text);
}

void Initialise(HWND dialog, DialogState* state) {
    snprintf(state->SavedName, sizeof state->SavedName, "%s", DefaultFileXferSetup.FileName);
    state->Typed[0] = 0;
    SetText(dialog, IDC_TMPDRV_LINE1, IDS_TMPDRV_LINE1);
    SetText(dialog, IDC_TMPDRV_LINE2, IDS_TMPDRV_LINE2);
    SetText(dialog, IDC_TMPDRV_LINE3, IDS_TMPDRV_LINE3);
    SetText(dialog, IDC_TMPDRV_LINE4, IDS_TMPDRV_LINE4);
    SetText(dialog, IDC_TMPDRV_OK, IDS_DLG_OK);
    SetText(dialog, IDC_TMPDRV_CANCEL, IDS_DLG_CANCEL);
    char directory[MAX_PATH];
    DirectoryOfFileName(DefaultFileXferSetup.FileName, directory, sizeof directory, IsLeadByte);
    CharUpperA(directory);
    SetDlgItemTextA(dialog, IDC_TMPDRV_CURRENT, directory);
    SendDlgItemMessageA(dialog, IDC_TMPDRV_EDIT, EM_LIMITTEXT, 130, 0);
    EnableWindow(GetDlgItem(dialog, IDC_TMPDRV_OK), FALSE);
    // Caption: BRAND, two blanks, DSNAME, a blank, VERSION.
    char brand[258], dsName[258], version[VERSION_VALUE_SIZE], caption[600];
    GetBrand(PROFILE_GLOBAL_SECTION, brand, sizeof brand);
    GetDsName(PROFILE_GLOBAL_SECTION, dsName, sizeof dsName);
    GetVersionText(PROFILE_GLOBAL_SECTION, version, sizeof version);
    snprintf(caption, sizeof caption, "%s %s %s", brand, dsName, version);
    SetWindowTextA(dialog, caption);
}

void Accept(HWND dialog, DialogState* state) {
    char moved[sizeof DefaultFileXferSetup.FileName];
    if (!RelocatedDefaultName(state->Typed, state->SavedName, moved, sizeof moved, IsLeadByte)) return;
    int64_t available = AvailableForFile(moved);
    if (available >= state->Needed) {
        snprintf(DefaultFileXferSetup.FileName, sizeof DefaultFileXferSetup.FileName, "%s", moved);
        EndDialog(dialog, 1);
        return;
    }
    ShowDiskSpaceBox(dialog, state->ImageSize - 1, available);
    EnableWindow(GetDlgItem(dialog, IDC_TMPDRV_OK), FALSE);
}

void Refuse(HWND dialog, DialogState* state) {
    snprintf(DefaultFileXferSetup.FileName, sizeof DefaultFileXferSetup.FileName, "%s", state->SavedName);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK TempDriveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogState* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Initialise(dialog, reinterpret_cast<DialogState*>(lParam));
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(192, 192, 192));
        if (!GreyBrush) GreyBrush = CreateSolidBrush(RGB(192, 192, 192));
        return reinterpret_cast<INT_PTR>(GreyBrush);
    case WM_COMMAND:
        if (!state) return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_TMPDRV_EDIT:
            if (HIWORD(wParam) == EN_CHANGE) {
                GetDlgItemTextA(dialog, IDC_TMPDRV_EDIT, state->Typed, sizeof state->Typed);
                EnableWindow(GetDlgItem(dialog, IDC_TMPDRV_OK), TRUE);
            }
            return TRUE;
        case IDC_TMPDRV_OK:
        case IDOK: Accept(dialog, state); return TRUE;
        case IDC_TMPDRV_CANCEL:
        case IDCANCEL: Refuse(dialog, state); return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        if (state) Refuse(dialog, state);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int64_t AvailableForFile(const char* fileName) {
    char root[MAX_PATH];
    const char* query = DriveRootOfFileName(fileName, root, sizeof root, IsLeadByte) ? root : nullptr;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(query, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return -1;
    return (int64_t)sectorsPerCluster * bytesPerSector * freeClusters / 2;
}

bool OfferTemporaryDrive(HWND owner, int64_t needed, int64_t imageSize) {
    DialogState state = {needed, imageSize, "", ""};
    const char* name = LanguageIndex == 6 ? "ChgTmpDrv_C" : "ChgTmpDrv";
    INT_PTR chosen = DialogBoxParamA(ModuleInstance, name, owner, TempDriveProc, reinterpret_cast<LPARAM>(&state));
    if (chosen == 1) return true;
    // No drive: the preview cannot be trusted to scan either.
    HWND dialog = static_cast<HWND>(MainDialog);
    if (dialog) {
        EnableWindow(GetDlgItem(dialog, IDC_SCAN), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_PRESCAN), FALSE);
    }
    return false;
}
