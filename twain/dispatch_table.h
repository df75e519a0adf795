// The triplets the source answers, the TWAIN states in which each is
// accepted and the condition code of a refusal.
#ifndef PLNX_DISPATCH_TABLE_H
#define PLNX_DISPATCH_TABLE_H

#include "twain/twain.h"

enum TripletHandler : uint8_t {
    H_CAPABILITY,
    H_IDENTITY_GET,
    H_OPENDS,
    H_CLOSEDS,
    H_PENDING_GET,
    H_PENDING_RESET,
    H_PENDING_ENDXFER,
    H_SETUPMEMXFER_GET,
    H_SETUPFILEXFER,
    H_STATUS_GET,
    H_ENABLEDS,
    H_DISABLEDS,
    H_XFERGROUP_GET,
    H_IMAGEINFO_GET,
    H_IMAGELAYOUT,
    H_IMAGEMEMXFER,
    H_IMAGENATIVEXFER,
    H_IMAGEFILEXFER,
};

struct TripletRule {
    TW_UINT16 Dat;
    TW_UINT16 Msg;          // MSG_ANY for every message
    TW_UINT16 FirstState;   // accepted states, as 300..700
    TW_UINT16 LastState;
    TW_UINT16 RefusalCode;  // condition code outside the accepted states
    TripletHandler Handler;
};

enum : TW_UINT16 { MSG_ANY = 0xffff };

// Finds the rule for a triplet; null when the source does not answer it
// (TWCC_BADPROTOCOL).
const TripletRule* FindTripletRule(TW_UINT16 dat, TW_UINT16 msg);

// True when the rule accepts a call in the given session state. Rules whose
// handler checks the state itself (capabilities) accept every state.
bool TripletStateAccepted(const TripletRule& rule, TW_UINT16 sessionState);

#endif
