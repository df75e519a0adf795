#include "twain/identity.h"

#include <string.h>

const char kRewrittenProductFamily[] = "Flatbed Scanner";

void CopyStr32(char (&field)[34], const char* text) {
    memset(field, 0, sizeof field);
    if (text) memcpy(field, text, strnlen(text, sizeof field - 1));
}

void BuildProductName(const char* brandPrefix, const char* dsName, char (&out)[34]) {
    char joined[2 * 256 + 1] = "";
    if (brandPrefix) strncat(joined, brandPrefix, 256);
    if (dsName) strncat(joined, dsName, 256);
    CopyStr32(out, joined);
}

void FillBaseIdentity(TW_IDENTITY& identity, const char* versionInfo, const char* manufacturer,
                      const char* productFamily, const char* brandPrefix, const char* dsName) {
    memset(&identity, 0, sizeof identity);
    identity.Id = 0;
    identity.Version.MajorNum = 1;
    identity.Version.MinorNum = 0;
    identity.Version.Language = TWLG_USA;
    identity.Version.Country = TWCY_TAIWAN;
    CopyStr32(identity.Version.Info, versionInfo);
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 5;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyStr32(identity.Manufacturer, manufacturer);
    CopyStr32(identity.ProductFamily, productFamily);
    BuildProductName(brandPrefix, dsName, identity.ProductName);
}

void BuildVersionInfo(bool inquiryReady, const char firmware[4], bool feederInstalled, char (&out)[34]) {
    char text[34] = {};
    text[0] = inquiryReady ? '1' : '0';
    text[1] = firmware[0];
    text[2] = firmware[2];
    text[3] = firmware[3];
    text[4] = feederInstalled ? '1' : '0';
    text[5] = 0;
    strcat(text, "PLNX_Q7B.DS\nParallel Port\n");
    CopyStr32(out, text);
}
