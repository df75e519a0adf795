// The application side shared by the tests that run under Wine: a TWAIN
// session through TWAIN_32.DLL, a recorder of the message boxes shown on the
// test's thread, and WIN.INI helpers.
#ifndef PLNX_TESTS_TWAIN_APP_H
#define PLNX_TESTS_TWAIN_APP_H

#include <windows.h>

#include <string>
#include <vector>

#include "twain/twain.h"

namespace twtest {

typedef TW_UINT16(WINAPI* DsmEntryProc)(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                                        TW_UINT16 MSG, TW_MEMREF pData);

struct TripletResult {
    TW_UINT16 rc;
    TW_UINT16 cc;  // read with DAT_STATUS after TWRC_FAILURE, else TWCC_SUCCESS
};

// One application session: TWAIN_32.DLL loaded by name, a hidden top-level
// window as the parent (none without a display), at most one source opened
// through the session's own calls. The destructor closes the source and the
// source manager and unloads the library.
class TwainSession {
public:
    TwainSession();
    ~TwainSession();
    TwainSession(const TwainSession&) = delete;
    TwainSession& operator=(const TwainSession&) = delete;

    bool Loaded() const { return entry_ != nullptr; }
    HMODULE Module() const { return module_; }
    DsmEntryProc Entry() const { return entry_; }
    HWND Parent() const { return parent_; }
    TW_IDENTITY& App() { return app_; }        // Id assigned at MSG_OPENDSM
    TW_IDENTITY& Source() { return source_; }  // the source opened by OpenSource
    bool DsmOpen() const { return dsmOpen_; }
    bool SourceOpen() const { return sourceOpen_; }

    // DSM_Entry(&App(), dest, ...). TWRC_FAILURE when the library is missing.
    TW_UINT16 Call(TW_IDENTITY* dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    // DAT_STATUS MSG_GET with no destination: the source manager's condition
    // code (which the read resets); 0xffff when the call itself fails.
    TW_UINT16 DsmStatus();
    // DAT_STATUS MSG_GET to `dest`: that source's condition code; 0xffff when
    // the call fails.
    TW_UINT16 StatusOf(TW_IDENTITY* dest);

    TW_UINT16 OpenDsm();  // MSG_OPENDSM with Parent()
    TW_UINT16 CloseDsm();
    // MSG_GETFIRST, then MSG_GETNEXT while they succeed.
    std::vector<TW_IDENTITY> Sources();
    // MSG_OPENDS by ProductName ("" asks for the default source); cc from the
    // source manager's status on failure.
    TripletResult OpenSource(const char* productName);
    TripletResult CloseSource();
    // OpenDsm + OpenSource; false (with the failure in *result) if either fails.
    bool Start(const char* productName, TripletResult* result = nullptr);

    // A triplet to the open source; cc from the source's DAT_STATUS after
    // TWRC_FAILURE (that read resets the source's condition code).
    TripletResult Send(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

    // The application's message loop: each message goes to the open source
    // with MSG_PROCESSEVENT and, unless the source took it (TWRC_DSEVENT), to
    // TranslateMessage/DispatchMessage. Returns the first TWMessage other
    // than MSG_NULL, or MSG_NULL when `timeoutMs` passes without one.
    TW_UINT16 WaitForMessage(DWORD timeoutMs);
    // Runs the loop for `ms` and returns every TWMessage seen.
    std::vector<TW_UINT16> Pump(DWORD ms);

private:
    bool PumpOnce(TW_UINT16* twMessage);

    HMODULE module_;
    DsmEntryProc entry_;
    HWND parent_;
    TW_IDENTITY app_;
    TW_IDENTITY source_;
    bool dsmOpen_;
    bool sourceOpen_;
};

// A sentinel condition code for a DAT_STATUS call that failed.
const TW_UINT16 StatusUnavailable = 0xffff;

enum class MessageBoxIcon { None, Information, Warning, Error, Question, Other };

struct MessageBoxRecord {
    HWND owner;  // GetWindow(box, GW_OWNER)
    std::string caption;
    std::string text;
    MessageBoxIcon icon;
    std::vector<int> buttons;  // control ids of the visible buttons (IDOK, IDCANCEL, IDYES, ...)
    int answer;                // the button id the recorder pressed
};

// While an instance lives, every message box shown on the creating thread is
// recorded when it becomes active and dismissed by pressing a button. Other
// dialogs (the source's own) are left alone. Message boxes exist only with a
// display: without one MessageBox returns at once and nothing is recorded.
// Instances nest; the innermost records.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    bool Active() const { return hook_ != nullptr; }
    // The button pressed on boxes for which no queued answer is left.
    void SetAnswer(int answer) { answer_ = answer; }
    // Buttons for the next boxes, one each, in order.
    void QueueAnswers(const std::vector<int>& answers);
    const std::vector<MessageBoxRecord>& Records() const { return records_; }
    void Clear() { records_.clear(); }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND box);

    HHOOK hook_;
    MessageBoxRecorder* outer_;
    int answer_;
    std::vector<int> queued_;
    std::vector<HWND> handled_;  // boxes already answered and still alive
    std::vector<MessageBoxRecord> records_;
};

const char* IconName(MessageBoxIcon icon);

// WIN.INI of the prefix, through the profile API.
namespace winini {
bool WriteKey(const char* section, const char* key, const char* value);
bool DeleteKey(const char* section, const char* key);
bool DeleteSection(const char* section);
bool HasKey(const char* section, const char* key);
std::string ReadKey(const char* section, const char* key, const char* fallback = "");
}  // namespace winini

// Restores the given keys of a section (by default [PLNINFO_Q7B]) to what
// they were when the guard was made: the old value, or no key at all.
class WinIniGuard {
public:
    explicit WinIniGuard(const std::vector<std::string>& keys, const char* section = "PLNINFO_Q7B");
    ~WinIniGuard();
    WinIniGuard(const WinIniGuard&) = delete;
    WinIniGuard& operator=(const WinIniGuard&) = delete;

private:
    struct Saved {
        std::string key;
        bool present;
        std::string value;
    };
    std::string section_;
    std::vector<Saved> saved_;
};

// Restores a whole section (every key, or its absence) when it goes.
class WinIniSectionGuard {
public:
    explicit WinIniSectionGuard(const char* section);
    ~WinIniSectionGuard();
    WinIniSectionGuard(const WinIniSectionGuard&) = delete;
    WinIniSectionGuard& operator=(const WinIniSectionGuard&) = delete;

private:
    std::string section_;
    std::vector<std::pair<std::string, std::string>> entries_;
    bool present_;
};

}  // namespace twtest

#endif
