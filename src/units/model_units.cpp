// Model-unit queries: one of the model's four scale factors (one model unit
// of time, length, force or mass in second, metre, newton or kilogram),
// asked of the host on every call and returned exactly as given, with no
// check of zero, sign or range.  Without a UNITS statement in the dataset
// the query reports "STOP" (identifier 0) and answers 1.0.
#include "frame/message.hpp"
#include "lynx/units.h"
#include "units/host_units.hpp"

namespace units = lynx::units;

namespace {

double model_scale(units::Quantity quantity) {
  const units::HostUnits model = units::ask_host_units();
  if (model.has_units) return model.scale_of(quantity);
  lynx::report80(units::kQuantityFacts[quantity].no_units_statement, 0, lynx::kStop);
  return 1.0;
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
