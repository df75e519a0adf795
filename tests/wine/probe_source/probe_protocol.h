// The probe data source used to test the source manager on its own: what it
// answers, and the triplets with which a test drives it.
//
//   DG_CONTROL/DAT_IDENTITY/MSG_GET          identity; ProductName PROBE_PRODUCT_NAME, or
//                                            PROBE_PRODUCT_NAME + " " + the rest of the file
//                                            name for a copy named PROBE<rest>.DS
//   DG_CONTROL/DAT_IDENTITY/MSG_OPENDS       opens (TWCC_MAXCONNECTIONS when already open; the
//                                            condition code in PROBE_OPEN_FAILURE_VARIABLE, when
//                                            that environment variable is set, refuses it)
//   DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS      closes (refused likewise by PROBE_CLOSE_FAILURE_VARIABLE)
//   DG_CONTROL/DAT_STATUS/MSG_GET            condition code of the last call, then TWCC_SUCCESS
//   DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT    TWRC_DSEVENT for PROBE_EVENT_MESSAGE, else
//                                            TWRC_NOTDSEVENT; TWMessage is always MSG_NULL
//   DG_CONTROL/DAT_XFERGROUP/MSG_GET         pData (TW_UINT32): the Id the source was opened with
//   DG_CONTROL/DAT_XFERGROUP/MSG_SET         pData (TW_UINT16): the message (MSG_XFERREADY,
//                                            MSG_CLOSEDSREQ) the source sends to the source manager
//                                            with DG_CONTROL/DAT_NULL; fails with TWCC_BUMMER when
//                                            the source manager refuses it
// Every other triplet: TWRC_FAILURE, TWCC_BADPROTOCOL. Triplets other than
// DAT_IDENTITY MSG_GET/MSG_OPENDS and DAT_STATUS need the source open
// (TWCC_SEQERROR).
#ifndef PLNX_PROBE_PROTOCOL_H
#define PLNX_PROBE_PROTOCOL_H

#define PROBE_PRODUCT_NAME "DSM Probe Source"
#define PROBE_OPEN_FAILURE_VARIABLE "PLNX_PROBE_OPEN_FAILURE"
#define PROBE_CLOSE_FAILURE_VARIABLE "PLNX_PROBE_CLOSE_FAILURE"
#define PROBE_EVENT_MESSAGE (WM_USER + 0x50)

#endif
