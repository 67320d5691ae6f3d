// The candidate walk over the AOL client's child windows.
#include "aol/candidate_walk.h"

#include "aol/skarnel_aol6.h"

namespace aol {

bool HasChildren(HWND window, std::initializer_list<const char*> classes) {
  ForeignWindow w(window);
  for (const char* cls : classes)
    if (!w.Child(cls)) return false;
  return true;
}

HWND FindAolChild(std::initializer_list<const char*> signature) {
  ForeignWindow mdi = FindAolMain().Child("mdiclient");
  // From the top of the siblings' Z-order, whatever each window's own class.
  return WalkZOrder(mdi.Child("aol child").get(), kMaxAolChildrenVisited, [&](HWND candidate) {
    skarnel_aol6::DoEvents();
    return HasChildren(candidate, signature);
  });
}

std::vector<HWND> FindAolChildren(std::initializer_list<const char*> signature) {
  std::vector<HWND> found;
  ForeignWindow mdi = FindAolMain().Child("mdiclient");
  WalkZOrder(mdi.Child("aol child").get(), kMaxAolChildrenVisited, [&](HWND candidate) {
    if (HasChildren(candidate, signature)) found.push_back(candidate);
    return false;
  });
  return found;
}

ForeignWindow ToolbarIcon(int position) {
  ForeignWindow bar = FindAolMain().Child("aol toolbar").Child("_aol_toolbar");
  return bar.NthChild("_aol_icon", position);
}

}  // namespace aol
