#include "tests/acceptance/refusals.h"

#include <sstream>

#include "tests/acceptance/lines.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

// Long enough for a line typed after the box to reach the client's journal.
constexpr DWORD kSettleMs = 150;

}  // namespace

::testing::AssertionResult AllRefused(Vantor& vantor, const Sim* sim, Action action,
                                      const std::vector<Refusal>& refusals) {
  std::ostringstream failures;
  for (const Refusal& r : refusals) {
    const std::string input = Narrow(r.input);
    const size_t items = vantor.RequestList().size();
    const size_t mark = sim ? sim->Mark() : 0;
    if (action == Action::Enter) {
      vantor.TypeRequest(r.input);
      vantor.PressEnter();
    } else if (!vantor.ClickForDialog(vantor.Control(kHeadTitle, r.input))) {
      failures << "  \"" << input << "\": no box came\n";
      break;
    }
    const std::wstring message = vantor.AnswerMessage();
    if (message != r.message)
      failures << "  \"" << input << "\": expected the box \"" << Narrow(r.message) << "\", got \""
               << Narrow(message) << "\"\n";
    testing_support::PumpFor(kSettleMs);
    if (sim)
      for (const std::string& line : TextsOf(sim->Since(mark), "settext", "chat.input"))
        failures << "  \"" << input << "\": typed into the room: \"" << line << "\"\n";
    const size_t itemsAfter = vantor.RequestList().size();
    if (itemsAfter != items)
      failures << "  \"" << input << "\": the request list went from " << items << " to "
               << itemsAfter << " items\n";
  }
  if (failures.str().empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "not refused as expected:\n" << failures.str();
}

}  // namespace acceptance
