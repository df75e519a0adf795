// Access to a profile (WIN.INI or a private profile file) as the Windows
// profile functions provide it, so that the settings logic does not depend on
// where the keys live.
#ifndef PLNX_PROFILE_ACCESS_H
#define PLNX_PROFILE_ACCESS_H

#include <stddef.h>

class ProfileAccess {
 public:
  // Copies the value of key in section, or def when the key is missing, into
  // buf (size bytes, size >= 1): at most size - 1 characters and a NUL.
  // Values lose their trailing blanks; an empty or null section name matches
  // no section, so def is returned. Returns the number of characters copied.
  virtual size_t Read(const char* section, const char* key, const char* def,
                      char* buf, size_t size) = 0;
  // Stores value under key in section. Writes to an empty or null section
  // name are dropped.
  virtual void Write(const char* section, const char* key, const char* value) = 0;

 protected:
  ~ProfileAccess() = default;
};

#endif
