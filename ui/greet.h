#pragma once
// The greetings panel. Handlers: ui/greet.cpp.
#include "ui/forms.h"

namespace ui {

class greet : public Form {
 public:
  greet();
  Label Label2;        // drag strip
  LabelButton Label1;  // "Return", written downwards

  void Form_Load();
  void Label1_Click();
  void Label2_MouseDown();
};

}  // namespace ui
