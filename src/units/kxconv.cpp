#include "frame/message.hpp"
#include "frame/text.hpp"
#include "lynx/units.h"
#include "units/tables.hpp"

using lynx::text::Text;
namespace units = lynx::units;

namespace {

// Room for the report of an unknown code: its message (43 characters at
// most) directly followed by the code.
constexpr int32_t kReportRoom = 64;

}  // namespace

// Unit codes to factors.  Each code is upper-cased in place and its slot
// set to 1.0; a code found in the code table then gives its factor, and an
// unknown one is reported (the message directly followed by the code, at
// its exact length, identifier 0, "STOP") and leaves 1.0.
extern "C" void LYNX_CALL KXCONV(char *codes, lynx_textlen, double *factors) {
  for (int q = 0; q < units::kQuantities; ++q) {
    lynx::text::upcase(codes + units::kCodeLength * q, units::kCodeLength);
    factors[q] = 1.0;
  }
  for (int q = 0; q < units::kQuantities; ++q) {
    const char *code = codes + units::kCodeLength * q;
    const units::UnitCode *entry = units::find_code(static_cast<units::Quantity>(q), code);
    if (entry != nullptr) {
      factors[q] = entry->factor;
      continue;
    }
    const Text parts[2] = {units::kQuantityFacts[q].unknown_code, Text{code, units::kCodeLength}};
    char message[kReportRoom];
    const int32_t length = lynx::text::concat(message, kReportRoom, parts, 2);
    lynx::report_exact(Text{message, length}, 0, lynx::kStop);
  }
}
