/* String-table ids of the data source.
 *
 * Every user-visible text of the data source is a string resource. The seven
 * interface languages carry the same base ids, each language in its own block
 * of LANGUAGE_OFFSET_STEP ids: the text shown is loaded with
 *     id = base id + LanguageIndex * LANGUAGE_OFFSET_STEP
 * (English 0, German 1000, French 2000, Italian 3000, Spanish 4000,
 * Dutch 5000, Chinese 6000). The names below are the base ids.
 *
 * Plain #define lines only: this header is read by C, C++ and windres.
 */
#ifndef PLNX_STRING_IDS_H
#define PLNX_STRING_IDS_H

#define LANGUAGE_OFFSET_STEP 1000
#define LANGUAGE_COUNT 7

/* Identity of the source and early texts (0..11) */
#define IDS_VERSION_INFO 0            /* TW_IDENTITY Version.Info */
#define IDS_MANUFACTURER 2            /* TW_IDENTITY Manufacturer */
#define IDS_PRODUCT_FAMILY 3          /* TW_IDENTITY ProductFamily */
#define IDS_MSG_WRITE_DISK_ERROR 5    /* file cannot be created or written */
#define IDS_AUTHOR 8                  /* CAP_AUTHOR answer of the host profile */
#define IDS_CAPTION 9                 /* CAP_CAPTION answer of the host profile */

/* Main scanner dialog labels and buttons (12..26) */
#define IDS_LABEL_SCAN_MODE 12
#define IDS_LABEL_RESOLUTION 13
#define IDS_LABEL_DPI 14
#define IDS_LABEL_UNIT 17
#define IDS_LABEL_WIDTH 18            /* also the Size Setup width label */
#define IDS_LABEL_LENGTH 19           /* also the Size Setup length label */
#define IDS_LABEL_IMAGE_SIZE 20
#define IDS_BUTTON_PRESCAN 21
#define IDS_BUTTON_SCAN 22
#define IDS_BUTTON_CANCEL 23

/* Temporary-drive dialog ChgTmpDrv (28..33); 32 and 33 also in Size Setup */
#define IDS_TMPDRV_LINE1 28
#define IDS_TMPDRV_LINE2 29
#define IDS_TMPDRV_LINE3 30
#define IDS_TMPDRV_LINE4 31
#define IDS_DLG_OK 32
#define IDS_DLG_CANCEL 33

/* Settings file dialogs LOAD_SET (34..41) and SAVE_SET (42..49) */
#define IDS_LOADSET_CAPTION 34
#define IDS_LOADSET_FILES 35
#define IDS_LOADSET_EXTENSION 36
#define IDS_LOADSET_NAME 37
#define IDS_LOADSET_DIRECTORY 38
#define IDS_LOADSET_DIRECTORIES 39
#define IDS_LOADSET_LOAD 40
#define IDS_LOADSET_CANCEL 41
#define IDS_SAVESET_CAPTION 42
#define IDS_SAVESET_FILES 43
#define IDS_SAVESET_EXTENSION 44
#define IDS_SAVESET_NAME 45
#define IDS_SAVESET_DIRECTORY 46
#define IDS_SAVESET_DIRECTORIES 47
#define IDS_SAVESET_SAVE 48
#define IDS_SAVESET_CANCEL 49

/* Scanner Setup Information dialog INFODLG: caption, labels, OK.
   The label controls 51..61 and 64 carry the same numbers as their strings. */
#define IDS_INFO_CAPTION 50
#define IDS_INFO_LABEL_FIRST 51
#define IDS_INFO_LABEL_LAST 61
#define IDS_INFO_LABEL_EXTRA 64
#define IDS_INFO_OK 65

/* Language Selection dialog LANGUAGEDLG (70..72) */
#define IDS_LANG_CAPTION 70
#define IDS_LANG_OK 71
#define IDS_LANG_CANCEL 72

/* File and disk messages (101..112) */
#define IDS_TIFF_EXTENSION 101        /* extension of the default transfer file */
#define IDS_MSG_INSUFFICIENT_MEMORY 109
#define IDS_MSG_DISK_NEEDS 110        /* disk-space box, part before the need */
#define IDS_MSG_DISK_HAS_ONLY 111     /* part between need and available */
#define IDS_MSG_DISK_FREE_UP 112      /* part after the available count */

/* Device and error messages (200..211, 300..316) */
#define IDS_MSG_SCANNER_NOT_READY 200 /* also any unknown driver status */
#define IDS_MSG_SCANNER_NOT_FOUND 201 /* shown with the text of 200 */
#define IDS_MSG_PAPER_JAM 208         /* driver status 0x8217 */
#define IDS_MSG_NO_PAPER 209          /* driver status 0x8321 */
#define IDS_MSG_COVER_OPEN 210        /* driver status 0x8414 */
#define IDS_MSG_BAD_RESOLUTION 307
#define IDS_MSG_BAD_SCAN_AREA 315
#define IDS_MSG_SCAN_AREA_TOO_SMALL 316

/* Host application product names (400..415, same in every language block) */
#define IDS_HOST_FIRST 400
#define IDS_HOST_PICTUREPUB_LE 400
#define IDS_HOST_PICTUREPUB_LE2 401
#define IDS_HOST_IPHOTO_PLUS 402
#define IDS_HOST_PHOTOSTYLER 403
#define IDS_HOST_PICTUREPUB_31 404
#define IDS_HOST_PHOTOMAGIC 405
#define IDS_HOST_PICTUREPUB 406
#define IDS_HOST_WINFAX3 407          /* 300 dpi defaults become 200 dpi */
#define IDS_HOST_PHOTOSHOP 408
#define IDS_HOST_RECOGNITA 409
#define IDS_HOST_VIEWDECK 410
#define IDS_HOST_IMAGE_FOLIO 411
#define IDS_HOST_WINFAX4 412          /* same as IDS_HOST_WINFAX3 */
#define IDS_HOST_PHOTOPAINT 413
#define IDS_HOST_MSPUBLISHER 414      /* capabilities served by the host profile */
#define IDS_HOST_TEXTBRIDGE 415
#define IDS_HOST_LAST 415

/* Status-line progress messages (500..512) */
#define IDS_STATUS_SCANNING 500
#define IDS_STATUS_ESC_TO_ABORT 502   /* appended to every progress message */
#define IDS_STATUS_PROCESSING 505
#define IDS_STATUS_REMOVE_MOIRE 508
#define IDS_STATUS_MOIRE_AND_PROCESSING 509
#define IDS_STATUS_CORRECT_IMAGE 510
#define IDS_STATUS_CORRECTION_AND_PROCESSING 512

/* Tool, option and unit names (601..659) */
#define IDS_HINT_SCAN_SOURCE 604
#define IDS_STATUS_PRESCANNING 646
#define IDS_SOURCE_REFLECTIVE 649     /* scan-source popup items */
#define IDS_SOURCE_POSITIVE 650
#define IDS_SOURCE_NEGATIVE 651
#define IDS_MODE_FIRST 652            /* + ScanMode - 1011 */
#define IDS_MODE_LINEART 652
#define IDS_MODE_HALFTONE 653
#define IDS_MODE_GRAY 654
#define IDS_MODE_COLOR 655
#define IDS_UNIT_FIRST 656            /* + UnitFlag */
#define IDS_UNIT_INCHES 656
#define IDS_UNIT_PIXELS 657
#define IDS_UNIT_CM 658
#define IDS_UNIT_MM 659

/* Tool icon hints and batch list marquee (701..720) */
#define IDS_HINT_ZOOM 713
#define IDS_HINT_TONAL 714
#define IDS_HINT_BATCH 715
#define IDS_HINT_SINGLE 716
#define IDS_MARQUEE_CREATE 717
#define IDS_MARQUEE_CREATE_HOW 718
#define IDS_MARQUEE_DUPLICATE 719
#define IDS_MARQUEE_DUPLICATE_HOW 720

/* Scanner-information values (860..883) */
#define IDS_INFO_MODE_FIRST 860       /* + ScanMode - 1011 */
#define IDS_INFO_MODE_LINEART 860
#define IDS_INFO_MODE_HALFTONE 861
#define IDS_INFO_MODE_GRAY 862
#define IDS_INFO_MODE_COLOR 863
#define IDS_INFO_UNIT_FIRST 864       /* + UnitFlag */
#define IDS_INFO_UNIT_INCHES 864
#define IDS_INFO_UNIT_PIXELS 865
#define IDS_INFO_UNIT_CM 866
#define IDS_INFO_UNIT_MM 867
#define IDS_INFO_ON 868
#define IDS_INFO_OFF 869
#define IDS_INFO_SOURCE_REFLECTIVE 870
#define IDS_INFO_SOURCE_TRANSPARENT 871
#define IDS_INFO_NONE 872             /* also filter 0 and output matching 0 */
#define IDS_INFO_FILTER_FIRST 872     /* + FilterMode */
#define IDS_INFO_FILTER_NONE 872
#define IDS_INFO_FILTER_INVERT 873
#define IDS_INFO_FILTER_FLIP 874
#define IDS_INFO_FILTER_BLUR 875
#define IDS_INFO_FILTER_BLUR_MORE 876
#define IDS_INFO_FILTER_SHARPEN 877
#define IDS_INFO_FILTER_SHARPEN_MORE 878
#define IDS_INFO_FILTER_EMBOSS 879
#define IDS_INFO_OUTPUT_MONITOR 880
#define IDS_INFO_OUTPUT_PRINTER 881
#define IDS_INFO_OUTPUT_NTSC 882
#define IDS_INFO_SOURCE_ADF 883

/* Batch scan job list (900..911) */
#define IDS_BATCH_TITLE 900
#define IDS_BATCH_HEAD_FIRST 901      /* headings 1305..1309 take 901..905 */
#define IDS_BATCH_HEAD_NUMBER 901
#define IDS_BATCH_HEAD_MODE 902
#define IDS_BATCH_HEAD_DPI 903
#define IDS_BATCH_HEAD_SIZE 904
#define IDS_BATCH_HEAD_STATUS 905
#define IDS_BATCH_STATUS_FIRST 906    /* + JobStatus */
#define IDS_BATCH_STATUS_WAITING 906
#define IDS_BATCH_STATUS_SCANNING 907
#define IDS_BATCH_STATUS_DONE 908
#define IDS_BATCH_STATUS_CANCELLED 909
#define IDS_BATCH_DELETE 910
#define IDS_BATCH_CANCEL 911

/* Window titles and the warm-up message (920..931) */
#define IDS_PREVIEW_TITLE 920
#define IDS_STATUS_WARMING_UP 930
#define IDS_CUSTOM_SIZE_TITLE 931

#endif /* PLNX_STRING_IDS_H */
