#include "ui/app.h"

#include <memory>

#include "aol/skarnel_aol7.h"

namespace ui {
namespace {
std::unique_ptr<Panels>& Instance() {
  static std::unique_ptr<Panels> panels;
  return panels;
}
}  // namespace

Panels& App() {
  auto& p = Instance();
  if (!p) p = std::make_unique<Panels>();
  return *p;
}

void ResetApp() {
  Instance().reset();
}

void PlayPress() {
  skarnel_aol7::PlayWave(ProgramFolder() + L"\\press.wav");
}
void PlayPopup() {
  skarnel_aol7::PlayWave(ProgramFolder() + L"\\popup.wav");
}

void EndProgram() {
  ExitProcess(0);
}

}  // namespace ui
