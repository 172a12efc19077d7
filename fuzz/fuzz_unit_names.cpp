// The unit routines that take caller texts, on arbitrary bytes: UPCASE on
// any length, the name mapping and unit-set conversion in all three forms.
// Each text is its own heap block of exactly its length, so a read past a
// 60-character name block or a short name is caught.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "HxHost.h"
#include "lynx/lynxUtility.h"
#include "support/fuzz_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  hxhost_log_clear();
  lynx_fuzz::Input in(data, size);

  // The model's units: any of the host's codes, or none at all.
  const uint8_t setup = in.byte();
  static const char *const kModels[] = {"S_,M_,N_,KG", "S_,MM,KF,KG", "MS,KM,KN,G_", "HR,IN,LB,SL"};
  hxhost_set_model_units(kModels[setup % 4]);
  hxhost_set_units_statement((setup & 4) == 0);

  // UPCASE over a text of any length, told any length up to its own or a
  // length of zero or less.
  std::vector<char> text = in.bytes(in.byte());
  const uint8_t told_byte = in.byte();
  const lynx_textlen told = (told_byte & 0x80) != 0 ? -static_cast<lynx_textlen>(told_byte & 0x7f)
                                                    : told_byte % (text.size() + 1);
  UPCASE(text.data(), told);

  // Five names as five separate texts of any length (a negative length is
  // an empty name), then as NUL-terminated strings, then end to end.
  std::vector<char> names[5];
  lynx_textlen lengths[5];
  for (int q = 0; q < 5; ++q) {
    names[q] = in.bytes(in.byte() % 24);
    lengths[q] = (in.byte() & 0x80) != 0 ? -1 : static_cast<lynx_textlen>(names[q].size());
  }
  double model[5], unit[5];
  KXUNFN_F2C(names[0].data(), lengths[0], names[1].data(), lengths[1], names[2].data(), lengths[2],
             names[3].data(), lengths[3], names[4].data(), lengths[4], model, unit);

  std::string strings[5];
  for (int q = 0; q < 5; ++q) strings[q] = std::string(names[q].begin(), names[q].end()).c_str();
  kx_kxunfn(strings[0].c_str(), strings[1].c_str(), strings[2].c_str(), strings[3].c_str(),
            strings[4].c_str(), model, unit);

  std::vector<char> block(60, ' ');
  for (int q = 0; q < 5; ++q) {
    for (size_t i = 0; i < names[q].size() && i < 12; ++i) block[12 * q + i] = names[q][i];
  }
  KXUNFN(block.data(), 60, model, unit);
  std::vector<char> codes(10, '#');
  KXUNMP(block.data(), 60, codes.data(), 10);
  return 0;
}
