// The window message with which the source manager wakes up an application
// loop when a source has sent a notification. It is posted to the parent
// window given at MSG_OPENDSM, or to the application's thread when there is
// none; wParam is the source's Id, lParam the notification (MSG_XFERREADY,
// MSG_CLOSEDSREQ, MSG_CLOSEDSOK). The application hands it to the source with
// MSG_PROCESSEVENT like any other message.
#ifndef PLNX_DSM_WAKE_UP_MESSAGE_H
#define PLNX_DSM_WAKE_UP_MESSAGE_H

#define DSM_WAKEUP_MESSAGE_NAME "PLNX TWAIN source manager notification"

#endif
