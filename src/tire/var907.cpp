// One component of a solver vector, chosen by rounded parameters.
//
// par(2..4) are three element identifiers, par(5) the direction (1 "UVX",
// 2 "UVY", 3 "UVZ") asked of the host through SYSARY, par(6) the component
// (1 x, 2 y, 3 z) returned in value; par(1) is not read.  The direction is
// tested before the component and both are tested in every call, so one
// call may report both.  Reports go to ERRMES, blank-filled to 80
// characters, with the caller's identifier and the end word "stop".
//
// Value is written only with a component of a vector the host delivered:
// too few parameters end the call right after their report, before any
// parameter is read, and a wrong direction asks for no vector, so value
// keeps what it held.

#include "tire/var907.hpp"

#include <cstdint>
#include <limits>

#include "HxUtility.h"
#include "frame/message.hpp"
#include "lynx/tire.h"

namespace {

constexpr int32_t kParameters = 6;

// The host's kind for each direction code 1, 2, 3.
constexpr char kDirectionKinds[3][4] = {"UVX", "UVY", "UVZ"};
constexpr lynx_textlen kKindLength = 3;

constexpr lynx::text::Text kTooFewParameters =
    lynx::text::literal("Insufficient no of parameters in VAR907");
constexpr lynx::text::Text kUnknownDirection =
    lynx::text::literal("Unknown Vector Direction in VAR907");
constexpr lynx::text::Text kUnknownComponent =
    lynx::text::literal("Unknown Vector Component in VAR907");

// A code names one of three choices when it is 1, 2 or 3.
bool is_choice(int32_t code) {
  return code >= 1 && code <= 3;
}

}  // namespace

namespace lynx::tire {

// Adds 0.5 to zero and positive values and -0.5 to negative ones and NaN,
// then drops the fraction towards zero.  Results beyond the 32-bit range
// are clamped to its ends; NaN, taken as negative, gives the lowest value.
// The bounds are exact doubles: every shifted value strictly between them
// truncates into the range.
int32_t round_parameter(double value) {
  constexpr double kBelowRange = -2147483649.0;  // INT32_MIN - 1
  constexpr double kAboveRange = 2147483648.0;   // INT32_MAX + 1
  const double shifted = value >= 0.0 ? value + 0.5 : value - 0.5;
  if (!(shifted > kBelowRange)) return std::numeric_limits<int32_t>::min();
  if (!(shifted < kAboveRange)) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(shifted);
}

}  // namespace lynx::tire

extern "C" void LYNX_CALL VAR907(const int32_t *identifier, const void * /*unused2*/,
                                 const double *par, const int32_t *npar, const void * /*unused5*/,
                                 const void * /*unused6*/, double *value) {
  using lynx::tire::round_parameter;
  const int32_t id = *identifier;
  if (*npar < kParameters) {
    lynx::report80(kTooFewParameters, id, lynx::kStopLower);
    return;
  }

  const int32_t elements[3] = {round_parameter(par[1]), round_parameter(par[2]),
                               round_parameter(par[3])};
  const int32_t direction = round_parameter(par[4]);
  const int32_t component = round_parameter(par[5]);

  double vector[3] = {};
  bool delivered = false;
  if (is_choice(direction)) {
    const int32_t nids = 3;
    int32_t count = 0;
    hx_logical error_flag = 0;
    SYSARY(kDirectionKinds[direction - 1], kKindLength, elements, &nids, vector, &count,
           &error_flag);
    delivered = true;
  } else {
    lynx::report80(kUnknownDirection, id, lynx::kStopLower);
  }

  if (is_choice(component)) {
    if (delivered) *value = vector[component - 1];
  } else {
    lynx::report80(kUnknownComponent, id, lynx::kStopLower);
  }
}
