#pragma once
// The forms layer: small classes that own Vantor's windows, in the manner of a classic forms
// toolkit. A Form is a borderless, topmost panel with a skin bitmap, created at first use and
// only hidden and shown after that. Its controls are real child windows whose window text is
// their caption, so a test or a screen reader can find and press them from outside.
//
// Controls are declared as members of a panel class and register themselves with their Form;
// the Form creates them all, in declaration order, when its window is created. Events are
// std::function members; nothing escapes a window procedure.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/gdi.h"

namespace ui {

// Panel geometry is given in twips, 1440 to the inch: 15 to the pixel at 96 dots per inch, 10 at
// 144. Every panel is laid out for the DPI of the monitor it is on.
constexpr int kTwipsPerInch = 1440;
constexpr int kBaseDpi = 96;
constexpr int TwipsToPixels(int twips, int dpi = kBaseDpi) {
  return twips * dpi / kTwipsPerInch;
}
// The DPI of the monitor a window is on; the system's DPI where the system cannot say per
// monitor (before Windows 10), 96 for a program the system scales itself.
int WindowDpi(HWND window);
struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// The label buttons' two looks, the boxes' background, and the one title of every message box.
constexpr COLORREF kRestColor = RGB(0x41, 0x8B, 0xCF);
constexpr COLORREF kPressedColor = RGB(0x00, 0xFF, 0xFF);
constexpr COLORREF kBoxBackColor = RGB(0x13, 0x13, 0x4A);
constexpr COLORREF kCheckBackColor = RGB(0x00, 0x00, 0x40);
inline constexpr wchar_t kTitle[] = L"Vantor v 2.0 by: Skarnel";

// A face as the panels name it; faces missing on the system are replaced by near equivalents.
struct FontSpec {
  const wchar_t* face = L"Copperplate Gothic Bold";
  double points = 8.25;
  int weight = FW_BOLD;
  BYTE charset = DEFAULT_CHARSET;
};
inline constexpr FontSpec kPanelFont{L"Copperplate Gothic Bold", 8.25, FW_BOLD};
inline constexpr FontSpec kLightFont{L"Copperplate Gothic Light", 8.25, FW_LIGHT};

// The face and size a font description turns into here: a missing face is replaced by a near one
// ("Copperplate Gothic *" by a wide sans, "MS Sans Serif" and "Small Fonts" by Tahoma). Away from
// 96 DPI a bitmap face is replaced the same way: it does not scale.
FontSpec ResolveFont(const FontSpec& wanted, int dpi = kBaseDpi);

// The font of a description at `dpi`: 8.25 points are 11 pixels at 96 dots per inch, 17 at 144.
GdiFont MakeFont(const FontSpec& wanted, int dpi = kBaseDpi);

enum class MouseButton { Left, Right, Middle };

class Form;

// The one window-procedure bridge of our windows (ui/forms_internal.h): the object comes with
// WM_NCCREATE and is let go at WM_NCDESTROY; `Stored` is the type kept in the window's user data.
template <class T, class Stored>
LRESULT CALLBACK WindowBridge(HWND, UINT, WPARAM, LPARAM);

// Base of every control: a child window of its form, created with the form.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();  // destroys the window at once: it must not call back into a dead object

  HWND hwnd() const;  // creates the owning form if needed
  std::wstring Caption() const;
  void SetCaption(std::wstring_view text);
  bool Visible() const;
  void SetVisible(bool visible);
  // Its place on the panel in twips; on screen at the panel's DPI.
  TwipsRect Place() const { return rect_; }

 protected:
  Control(Form& owner, TwipsRect rect, std::wstring_view caption, bool visible);
  // Creates the window at its place for the panel's DPI, then lays it out.
  virtual void Create(HWND parent) = 0;
  // Moves the window to its place at the panel's DPI (after the panel moved to a monitor of
  // another DPI); a control with a font takes it made for that DPI.
  virtual void Layout();
  // Pixels below its place that the window takes as well, at 96 DPI: a drop-down list.
  virtual int ExtraHeight96() const { return 0; }
  RECT PixelPlace() const;  // left, top, width and height in pixels at the panel's DPI
  friend class Form;

  Form& owner_;
  TwipsRect rect_;
  std::wstring initialCaption_;
  bool initiallyVisible_;
  HWND hwnd_ = nullptr;
};

// A control that shows text in a font of its own, made for the DPI of its panel's monitor.
class FontedControl : public Control {
 protected:
  FontedControl(Form& owner, TwipsRect rect, std::wstring_view caption, bool visible,
                const FontSpec& font);
  void Layout() override;  // the place, then the font for the panel's DPI
  HFONT Font() const { return font_.get(); }
  const FontSpec& FontDescription() const { return fontSpec_; }

 private:
  FontSpec fontSpec_;
  GdiFont font_;
  int fontDpi_ = 0;
};

// A transparent label drawn over its form's skin: caption, colour, font; click, double-click,
// and mouse-down/up with the button. A left press and release on it is a click; the second press
// of a double-click is a double-click and never a click. The window captures the mouse on a
// press, so the release always comes back to the label that was pressed.
class Label : public FontedControl {
 public:
  struct Args {
    TwipsRect rect;
    std::wstring_view caption;
    FontSpec font = kPanelFont;
    COLORREF color = kRestColor;
    bool visible = true;
    bool centered = false;
    bool wordWrap = false;
  };
  Label(Form& owner, const Args& args);

  COLORREF ForeColor() const { return color_; }
  void SetForeColor(COLORREF color);

  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(MouseButton)> MouseDown;
  std::function<void(MouseButton)> MouseUp;

 protected:
  void Create(HWND parent) override;
  template <class T, class Stored>
  friend LRESULT CALLBACK WindowBridge(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();

  COLORREF color_;
  bool centered_, wordWrap_;
  bool leftDown_ = false;     // a left press here that a release over the label makes a Click
  unsigned buttonsHeld_ = 0;  // a bit per MouseButton pressed on this label and not yet released
};

// A label used as a push button: lit (kPressedColor) while any mouse button is held on it, at
// rest (kRestColor) otherwise. Every label button of every panel behaves so: these are the
// panels' *_MouseDown and *_MouseUp handlers. Its Click is the panel's own.
class LabelButton : public Label {
 public:
  LabelButton(Form& owner, const Args& args);
};

// A standard "Edit" window; single or multi-line. Key events see every key first and may
// swallow it by setting the code to 0.
class TextBox : public FontedControl {
 public:
  struct Args {
    TwipsRect rect;
    std::wstring_view text;
    FontSpec font = kLightFont;
    bool multiLine = false;
    bool visible = true;
  };
  TextBox(Form& owner, const Args& args);

  std::wstring Text() const { return Caption(); }
  void SetText(std::wstring_view text) { SetCaption(text); }

  std::function<void(int& keyCode, int shift)> KeyDown;
  std::function<void(int& charCode)> KeyPress;
  std::function<void(int& keyCode, int shift)> KeyUp;

 protected:
  void Create(HWND parent) override;
  void Layout() override;
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  bool multiLine_;
};

// A standard "ListBox", unsorted: whole rows only, and a horizontal bar for items wider than it.
class ListBox : public FontedControl {
 public:
  struct Args {
    TwipsRect rect;
    FontSpec font = kPanelFont;
    bool visible = true;
  };
  ListBox(Form& owner, const Args& args);

  void AddItem(std::wstring_view item);
  bool RemoveItem(int index);  // false when there is no such item
  void Clear();
  int ListCount() const;
  int ListIndex() const;  // -1 when nothing is selected
  void SetListIndex(int index);
  std::wstring List(int index) const;

 protected:
  void Create(HWND parent) override;
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  int ItemWidth(HWND list, const wchar_t* text);
  void Widen(int width);
  void Remeasure();
  void FitRows();
  int widest_ = 0;  // pixels: the widest item, which the horizontal bar scrolls to
};

// A standard drop-down "ComboBox" whose text can also be typed.
class ComboBox : public FontedControl {
 public:
  struct Args {
    TwipsRect rect;
    std::wstring_view text;
    FontSpec font = kLightFont;
  };
  ComboBox(Form& owner, const Args& args);

  void AddItem(std::wstring_view item);
  int ListCount() const;
  std::wstring Text() const { return Caption(); }
  void SetText(std::wstring_view text) { SetCaption(text); }

 protected:
  void Create(HWND parent) override;
  int ExtraHeight96() const override;
};

// A standard "Button" check box that ticks itself; Click comes after the tick changed.
class CheckBox : public FontedControl {
 public:
  struct Args {
    TwipsRect rect;
    std::wstring_view caption;
    FontSpec font = kLightFont;
  };
  CheckBox(Form& owner, const Args& args);

  int Value() const;  // 1 ticked, 0 not
  void SetValue(int value);
  std::function<void()> Click;

 protected:
  void Create(HWND parent) override;
};

// A hidden option button: a flag that lives in a control, never operated by the user.
class OptionButton : public Control {
 public:
  struct Args {
    TwipsRect rect;
    std::wstring_view caption;
  };
  OptionButton(Form& owner, const Args& args);

  bool Value() const;
  void SetValue(bool value);

 protected:
  void Create(HWND parent) override;
};

// A timer on its form's window. An interval under the platform's minimum ticks at that minimum.
class Timer {
 public:
  Timer(Form& owner, UINT intervalMs);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::function<void()> Tick;

 private:
  friend class Form;
  Form& owner_;
  UINT interval_;
  UINT_PTR id_;
  bool enabled_ = false;
};

// A borderless, topmost, tool-window panel with a skin bitmap filling its client area.
class Form {
 public:
  struct Args {
    std::wstring_view title;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    int skinResource = 0;  // a bitmap resource of the running module, 0 for none
  };
  explicit Form(const Args& args);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The window, created with all its controls at first use; Load runs right after creation.
  HWND hwnd();
  bool IsLoaded() const { return hwnd_ != nullptr; }
  void Show();
  void Hide();
  // This panel makes way for `next`: `next` is shown and active before this one hides.
  void HandOver(Form& next);
  bool IsVisible() const;
  int WidthTwips() const { return widthTwips_; }
  int HeightTwips() const;
  void SetHeightTwips(int twips);
  // The DPI the panel is laid out for: its monitor's.
  int Dpi() const { return dpi_; }
  // The skin as drawn at the panel's DPI.
  HBITMAP Skin() const { return skinScaled_.get() ? skinScaled_.get() : skin_.get(); }
  const std::vector<Control*>& Controls() const { return controls_; }

  std::function<void()> Load;
  std::function<void()> Click;
  std::function<void()> DblClick;

 private:
  friend class Control;
  friend class Timer;
  void Register(Control* control) { controls_.push_back(control); }
  void Register(Timer* timer) { timers_.push_back(timer); }
  void Unregister(Timer* timer);
  template <class T, class Stored>
  friend LRESULT CALLBACK WindowBridge(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  // Sizes the panel, its skin and its controls for `dpi`, keeping its top-left corner at `at`.
  void Layout(int dpi, POINT at);

  std::wstring title_;
  int widthTwips_, heightTwips_, skinResource_;
  bool pressed_ = false;      // a left press on the form itself, which a release makes a Click
  HWND lastFocus_ = nullptr;  // the control that had the keyboard when the panel was left
  HWND hwnd_ = nullptr;
  int dpi_ = kBaseDpi;
  OwnedBitmap skin_, skinScaled_;  // as drawn, and at the panel's DPI where that is not 96
  GdiBrush boxBrush_, checkBrush_;
  std::vector<Control*> controls_;
  std::vector<Timer*> timers_;
};

// A pop-up menu shown at the mouse pointer; the chosen item's action runs after the menu closed.
struct MenuItem {
  std::wstring caption;  // "-" is a separator, which cannot be chosen
  std::function<void()> action;
};
void ShowPopupMenu(HWND owner, const std::vector<MenuItem>& items);
// The menu as ShowPopupMenu builds it: item i has the command id i + 1, "-" is a separator.
// The caller owns the handle (DestroyMenu).
HMENU BuildPopupMenu(const std::vector<MenuItem>& items);

// The modal message box, the platform's own. Returns what MessageBoxW returned.
int MsgBox(std::wstring_view text, UINT flags, std::wstring_view title);

// The modal input prompt: a standard dialog ("#32770") with the prompt, an empty "Edit" field
// and OK and Cancel. The typed text, or nothing on Cancel.
std::optional<std::wstring> InputBox(std::wstring_view prompt, std::wstring_view title);

// In-process tests answer the modal boxes through this instead of showing them.
struct DialogHandler {
  virtual ~DialogHandler() = default;
  virtual int OnMsgBox(std::wstring_view text, UINT flags, std::wstring_view title) = 0;
  virtual std::optional<std::wstring> OnInputBox(std::wstring_view prompt,
                                                 std::wstring_view title) = 0;
};
void SetDialogHandler(DialogHandler* handler);  // nullptr: the real dialogs again

// The program's own folder, without a trailing backslash.
std::wstring ProgramFolder();

}  // namespace ui
