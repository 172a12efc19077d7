// Model-unit queries: one of the model's four scale factors (one model unit
// of time, length, force or mass in second, metre, newton or kilogram),
// asked of the host on every call and returned exactly as given, with no
// check of zero, sign or range.  Without a UNITS statement in the dataset
// the query reports "STOP" (identifier 0) and answers 1.0.
#include "HxUtility.h"
#include "frame/message.hpp"
#include "lynx/units.h"
#include "units/tables.hpp"

namespace units = lynx::units;

namespace {

double model_scale(units::Quantity quantity) {
  double result = 1.0;
  hx_logical has_units = LYNX_FALSE;
  double scales[4] = {1.0, 1.0, 1.0, 1.0};
  char codes[8];
  GTUNTS(&has_units, scales, codes, units::kCodeLength);
  const units::QuantityFacts &facts = units::kQuantityFacts[quantity];
  if ((has_units & 1) != 0) {
    result = scales[facts.host_slot];
    return result;
  }
  lynx::report80(facts.no_units_statement, 0, lynx::kStop);
  return result;
}

}  // namespace

extern "C" {

double LYNX_CALL GET_TIME_CONV(void) {
  return model_scale(units::kTime);
}

double LYNX_CALL GET_MASS_CONV(void) {
  return model_scale(units::kMass);
}

double LYNX_CALL GET_LENGTH_CONV(void) {
  return model_scale(units::kLength);
}

double LYNX_CALL GET_FORCE_CONV(void) {
  return model_scale(units::kForce);
}

}  // extern "C"
