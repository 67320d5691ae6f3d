// The modal message box and input prompt. Both are the platform's standard dialogs ("#32770"),
// so a tool can find and answer them from outside the process; tests in the process answer
// them through a DialogHandler instead.
#include <vector>

#include "ui/forms.h"
#include "ui/forms_internal.h"

namespace ui {
namespace {

DialogHandler* handler = nullptr;

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// An in-memory dialog template: the header and its items, WORD by WORD.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, std::wstring_view title) {
    AddDword(style);
    AddDword(exStyle);
    countAt_ = words_.size();
    words_.push_back(0);  // item count, filled in by Add
    for (short v : {short(0), short(0), cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    AddString(title);
    words_.push_back(8);  // DS_SETFONT: the dialog font, 8 points
    AddString(L"MS Shell Dlg");
  }

  // `atom`: 0x0080 button, 0x0081 edit, 0x0082 static.
  void Add(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id,
           std::wstring_view text) {
    if (words_.size() % 2) words_.push_back(0);  // items start on a DWORD boundary
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(0);
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(atom);
    AddString(text);
    words_.push_back(0);  // no creation data
    ++words_[countAt_];
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void AddDword(DWORD v) {
    words_.push_back(LOWORD(v));
    words_.push_back(HIWORD(v));
  }
  void AddString(std::wstring_view s) {
    for (wchar_t c : s) words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
  }
  std::vector<WORD> words_;  // a vector's storage is aligned for DWORDs
  size_t countAt_ = 0;
};

struct PromptState {
  std::wstring text;
};

INT_PTR CALLBACK PromptProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    switch (msg) {
      case WM_INITDIALOG:
        SetWindowLongPtrW(dlg, DWLP_USER, lp);
        // Above the topmost panels, or the prompt could open behind them.
        SetWindowPos(dlg, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetFocus(GetDlgItem(dlg, kEditId));
        return FALSE;  // the focus is set
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
          auto* state = reinterpret_cast<PromptState*>(GetWindowLongPtrW(dlg, DWLP_USER));
          HWND edit = GetDlgItem(dlg, kEditId);
          std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)), L'\0');
          if (!text.empty())
            text.resize(static_cast<size_t>(
                GetWindowTextW(edit, text.data(), static_cast<int>(text.size()) + 1)));
          if (state) state->text = std::move(text);
          EndDialog(dlg, IDOK);
          return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {  // also the close box and Escape
          EndDialog(dlg, IDCANCEL);
          return TRUE;
        }
        break;
    }
  } catch (...) {
    TraceCaught("prompt", msg);
    EndDialog(dlg, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void SetDialogHandler(DialogHandler* h) {
  handler = h;
}

int MsgBox(std::wstring_view text, UINT flags, std::wstring_view title) {
  if (handler) return handler->OnMsgBox(text, flags, title);
  // Owned by the panel the user sees: an owned window stays above its topmost owner, and the
  // platform disables the owner while the box is open, so no click on the panel acts meanwhile.
  return MessageBoxW(VisiblePanelWindow(), std::wstring(text).c_str(), std::wstring(title).c_str(),
                     flags);
}

std::optional<std::wstring> InputBox(std::wstring_view prompt, std::wstring_view title) {
  if (handler) return handler->OnInputBox(prompt, title);
  // The classic prompt: the question at the top left, OK and Cancel on the right, the answer
  // field along the bottom, empty.
  DialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER,
                   WS_EX_TOPMOST, 250, 84, title);
  t.Add(0x0082, SS_LEFT, 7, 7, 180, 48, kPromptId, prompt);
  t.Add(0x0081, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 63, 236, 13, kEditId, L"");
  t.Add(0x0080, WS_TABSTOP | BS_DEFPUSHBUTTON, 193, 7, 50, 14, IDOK, L"OK");
  t.Add(0x0080, WS_TABSTOP | BS_PUSHBUTTON, 193, 25, 50, 14, IDCANCEL, L"Cancel");
  PromptState state;
  INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), VisiblePanelWindow(),
                                      PromptProc, reinterpret_cast<LPARAM>(&state));
  if (r != IDOK) return std::nullopt;
  return state.text;
}

}  // namespace ui
