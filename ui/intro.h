#pragma once
// The splash panel, the program's start. Handlers: ui/intro.cpp.
#include "ui/forms.h"

namespace ui {

class intro : public Form {
 public:
  intro();
  void Form_Load();
  void Form_DblClick();
};

}  // namespace ui
