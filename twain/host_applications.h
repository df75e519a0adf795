// Host applications that change the source's behaviour, recognised by the
// ProductName of the connected application.
#ifndef PLNX_HOST_APPLICATIONS_H
#define PLNX_HOST_APPLICATIONS_H

// True when the application's ProductName equals host name `id` (400-415)
// of the current language, compared exactly.
bool IsHostApplication(unsigned id);

// WinFax PRO 3.0 and Delrina WinFax PRO 4.0 scan at 200 dpi where 300 dpi
// would be the default.
bool IsFaxHost();

#endif
