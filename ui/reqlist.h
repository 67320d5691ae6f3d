#pragma once
// The request-list panel, and the store of the requests made in this run: List1 is the list,
// Label2 its count. Handlers: core/request_list.cpp (panel) and core/request_store.cpp (store).
#include "ui/forms.h"

namespace ui {

class reqlist : public Form {
 public:
  reqlist();

  static constexpr wchar_t kToDocument[] = L"View List As Document";
  static constexpr wchar_t kToListbox[] = L"View List In Listbox";

  Label Label1;        // drag strip
  Label Label2;        // CountLabel; also a drag strip
  ListBox List1;       // the RequestList
  TextBox Text1;       // the document view, hidden at start
  LabelButton Label3;  // "Remove"
  LabelButton Label4;  // "Clear List"
  LabelButton Label6;  // view toggle
  LabelButton Label5;  // "Return"

  void Form_Load();
  void Label1_MouseDown();
  void Label2_MouseDown();
  void Label3_Click();
  void Label4_Click();
  void Label5_Click();
  void Label6_Click();

  // The store's operations.
  void Append(std::wstring_view item);
  int Count();
  void SetCountText();
};

}  // namespace ui
