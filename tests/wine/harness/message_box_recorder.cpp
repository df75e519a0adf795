// MessageBoxRecorder: a thread-local CBT hook that records message boxes as
// they become active and presses a button on each.
#include <string.h>

#include <algorithm>

#include "tests/wine/harness/twain_app.h"

namespace twtest {

namespace {

thread_local MessageBoxRecorder* Current = nullptr;

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return std::string();
    std::vector<char> text(length + 1);
    int copied = GetWindowTextA(window, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? copied : 0);
}

std::string ClassOf(HWND window) {
    char name[64];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

BOOL CALLBACK FindOtherControl(HWND child, LPARAM context) {
    std::string type = ClassOf(child);
    if (lstrcmpiA(type.c_str(), "Static") == 0 || lstrcmpiA(type.c_str(), "Button") == 0) return TRUE;
    *reinterpret_cast<bool*>(context) = true;
    return FALSE;
}

// A message box is a dialog of the system class that belongs to no module
// (Wine) or to user32, holding only static texts, its icon and buttons. The
// source's own dialogs belong to its module.
bool IsMessageBox(HWND window) {
    if (ClassOf(window) != "#32770") return false;
    HINSTANCE owner = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (owner && owner != GetModuleHandleA("user32.dll")) return false;
    bool otherControl = false;
    EnumChildWindows(window, FindOtherControl, reinterpret_cast<LPARAM>(&otherControl));
    return !otherControl;
}

MessageBoxIcon IconKind(HICON icon) {
    if (!icon) return MessageBoxIcon::None;
    struct Known {
        LPCSTR id;
        MessageBoxIcon kind;
    };
    const Known known[] = {
        {IDI_HAND, MessageBoxIcon::Error},
        {IDI_EXCLAMATION, MessageBoxIcon::Warning},
        {IDI_ASTERISK, MessageBoxIcon::Information},
        {IDI_QUESTION, MessageBoxIcon::Question},
    };
    for (const Known& k : known)
        if (LoadIconA(nullptr, k.id) == icon) return k.kind;
    return MessageBoxIcon::Other;
}

struct BoxContents {
    std::string text;
    MessageBoxIcon icon = MessageBoxIcon::None;
    std::vector<int> buttons;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    BoxContents* contents = reinterpret_cast<BoxContents*>(context);
    std::string type = ClassOf(child);
    LONG style = GetWindowLongA(child, GWL_STYLE);
    // The box itself may not be shown yet when it becomes active, so a
    // control's own WS_VISIBLE counts, not IsWindowVisible.
    bool shown = (style & WS_VISIBLE) != 0;
    if (lstrcmpiA(type.c_str(), "Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON) {
            HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            if (icon && shown) contents->icon = IconKind(icon);
        } else if (contents->text.empty()) {
            contents->text = WindowText(child);
        }
    } else if (lstrcmpiA(type.c_str(), "Button") == 0 && shown) {
        contents->buttons.push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

}  // namespace

const char* IconName(MessageBoxIcon icon) {
    switch (icon) {
    case MessageBoxIcon::None: return "none";
    case MessageBoxIcon::Information: return "information";
    case MessageBoxIcon::Warning: return "warning";
    case MessageBoxIcon::Error: return "error";
    case MessageBoxIcon::Question: return "question";
    default: return "other";
    }
}

MessageBoxRecorder::MessageBoxRecorder(int answer) : hook_(nullptr), outer_(Current), answer_(answer) {
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    Current = this;
}

MessageBoxRecorder::~MessageBoxRecorder() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (Current == this) Current = outer_;
}

void MessageBoxRecorder::QueueAnswers(const std::vector<int>& answers) {
    queued_.insert(queued_.end(), answers.begin(), answers.end());
}

LRESULT CALLBACK MessageBoxRecorder::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxRecorder* recorder = Current;
    if (recorder && code >= 0) {
        HWND window = reinterpret_cast<HWND>(wParam);
        try {
            if (code == HCBT_ACTIVATE) {
                recorder->OnActivate(window);
            } else if (code == HCBT_DESTROYWND) {
                std::vector<HWND>& handled = recorder->handled_;
                handled.erase(std::remove(handled.begin(), handled.end(), window), handled.end());
            }
        } catch (...) {
            // Out of memory while recording: the box is simply not recorded.
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxRecorder::OnActivate(HWND box) {
    if (std::find(handled_.begin(), handled_.end(), box) != handled_.end()) return;
    if (!IsMessageBox(box)) return;
    handled_.push_back(box);

    MessageBoxRecord record;
    record.owner = GetWindow(box, GW_OWNER);
    record.caption = WindowText(box);
    BoxContents contents;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&contents));
    record.text = contents.text;
    record.icon = contents.icon;
    record.buttons = contents.buttons;
    record.answer = answer_;
    if (!queued_.empty()) {
        record.answer = queued_.front();
        queued_.erase(queued_.begin());
    }
    records_.push_back(record);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(record.answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, record.answer)));
}

}  // namespace twtest
