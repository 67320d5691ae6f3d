// The candidate walk over the AOL client's child windows.
#include "aol/candidate_walk.h"

#include <algorithm>

#include "aol/skarnel_aol6.h"

namespace aol {
namespace {
// How often a walk handles the program's pending events.
constexpr double kEventsEverySeconds = 0.004;
}  // namespace

bool HasChildren(HWND window, std::initializer_list<const char*> classes) {
  ForeignWindow w(window);
  for (auto cls = classes.begin(); cls != classes.end(); ++cls) {
    // A class listed again is the same question (its first child): asked once.
    if (std::any_of(classes.begin(), cls,
                    [&](const char* asked) { return !lstrcmpiA(asked, *cls); }))
      continue;
    if (!w.Child(*cls)) return false;
  }
  return true;
}

HWND FindAolChild(std::initializer_list<const char*> signature) {
  ForeignWindow mdi = FindAolMain().Child("mdiclient");
  // Vantor's panels stay live during a long walk, but a round of events after every window
  // would cost as much as the walk itself: events are handled once every few milliseconds.
  double eventsDue = skarnel_aol6::Now() + kEventsEverySeconds;
  // From the top of the siblings' Z-order, whatever each window's own class.
  return WalkZOrder(mdi.Child("aol child").get(), kMaxAolChildrenVisited, [&](HWND candidate) {
    if (const double now = skarnel_aol6::Now(); now >= eventsDue) {
      skarnel_aol6::DoEvents();
      eventsDue = now + kEventsEverySeconds;
    }
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
