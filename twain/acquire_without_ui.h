// The acquisition without user interface, started by MSG_ENABLEDS with
// ShowUI false and after a page of the feeder with auto-feed.
#ifndef PLNX_ACQUIRE_WITHOUT_UI_H
#define PLNX_ACQUIRE_WITHOUT_UI_H

void AcquireWithoutInterface();

#endif
