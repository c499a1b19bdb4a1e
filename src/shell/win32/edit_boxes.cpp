#include "shell/win32/edit_boxes.h"

#include "core/task_editors.h"
#include "platform/windows/wide_text.h"

#include <commctrl.h>

#include <string>

namespace win32 {

namespace {

constexpr UINT_PTR kFirstLineSubclass = 1;
constexpr UINT_PTR kDialogKeysSubclass = 2;

std::wstring clipboardText(HWND owner) {
    std::wstring text;
    if (IsClipboardFormatAvailable(CF_UNICODETEXT) == 0 || OpenClipboard(owner) == 0) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data)); chars != nullptr) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK firstLineProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                               DWORD_PTR /*data*/) {
    if (message == WM_PASTE) {
        if ((GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) == 0) {
            const std::string line = core::firstLineOf(platform::win::narrow(clipboardText(edit)));
            // The box's own length limit applies to the insertion, as to a paste.
            SendMessageW(edit, EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>(platform::win::widen(line).c_str()));
        }
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, firstLineProc, kFirstLineSubclass);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK dialogKeysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                DWORD_PTR /*data*/) {
    if (message == WM_GETDLGCODE) {
        // A multi-line box asks for every key; it keeps only Enter without Ctrl (a new line).
        LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
            (key->wParam == VK_RETURN || key->wParam == L'\r') && (GetKeyState(VK_CONTROL) & 0x8000) == 0) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, dialogKeysProc, kDialogKeysSubclass);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

void keepFirstLineOnPaste(HWND edit) {
    SetWindowSubclass(edit, firstLineProc, kFirstLineSubclass, 0);
}

void caretToEnd(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(length), length);
}

void letDialogKeysPass(HWND edit) {
    SetWindowSubclass(edit, dialogKeysProc, kDialogKeysSubclass, 0);
}

} // namespace win32
