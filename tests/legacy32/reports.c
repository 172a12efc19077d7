/* The report paths of the routines that the 32-bit build shares with the
 * 64-bit library, and what reaches the host through them: each call's
 * results bit for bit, then each message the embedded host received (its
 * service, flag, identifier, end word and text), one line each.
 *   legacy32_reports --write FILE      writes those lines
 *   legacy32_reports --compare FILE    exit 1, naming each line that differs
 * Built for the build machine from the library's sources
 * (tests/legacy32/digest), it prints the 64-bit library's lines; built for
 * the 32-bit DLL (by Windows' loader under Wine, or by the loader of
 * windows/legacy32/loader under qemu-i386), the DLL's, which must be the
 * same. */
#include <inttypes.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static FILE *out;

#include "HxHost.h"
#include "lynx/frame.h"
#include "lynx/units.h"
#include "nolt_host.h"

static void print_doubles(const char *name, const double *values, int n) {
  fprintf(out, "%s", name);
  for (int i = 0; i < n; ++i) {
    uint64_t bits;
    memcpy(&bits, values + i, sizeof bits);
    fprintf(out, " %016" PRIx64, bits);
  }
  fprintf(out, "\n");
}

/* The host's log since the last call, then an empty log. */
static void print_messages(void) {
  static const char *const kRoutines[] = {"?", "ERRMES", "c_errmes", "c_usrmes", "SYSARY"};
  const size_t count = hxhost_log_count();
  for (size_t i = 0; i < count; ++i) {
    hxhost_entry e;
    if (hxhost_log_entry(i, &e) != 0) {
      fprintf(out, "  message %zu missing\n", i);
      continue;
    }
    const int routine = e.routine >= 1 && e.routine <= 4 ? (int)e.routine : 0;
    fprintf(out, "  %s %d %d %s '%.*s'\n", kRoutines[routine], (int)e.flag, (int)e.identifier,
           e.end_word, (int)e.length, e.text);
  }
  hxhost_log_clear();
}

/* The calls and their reports. */
static int report(void) {
  hxhost_reset();
  hxhost_set_quiet(1);
  if (hxhost_set_model_units("S_,MM,N_,KG") != 0) return 1;
  double factors[5], model[5], unit[5];

  char codes[] = "N_QQM_S_ra";
  KXCONV(codes, 10, factors);
  print_doubles("KXCONV unknown code", factors, 5);
  print_messages();

  const char names[] = "newton      "
                       "            "
                       "furlong     "
                       "second      "
                       "degree      ";
  KXUNFN(names, 12, model, unit);
  print_doubles("KXUNFN blank and unrecognised: model", model, 5);
  print_doubles("KXUNFN blank and unrecognised: unit", unit, 5);
  print_messages();

  char message[] = "Tire $ of the left axle has no data       ";
  const int32_t limit = 30;
  KX_BUILD_MES(message, (lynx_textlen)strlen(message), &limit, "FRONT   ", 8);
  fprintf(out, "KX_BUILD_MES '%s'\n", message);
  print_messages();

  static const char kFile[] = "[MODEL]\n"
                              "PROPERTY_FILE_FORMAT = 'TIRE'\n"
                              "[UNITS]\n"
                              "LENGTH = 'mm'\n"
                              "FORCE = 'lbf'\n"
                              "TIME = 'millisecond'\n"
                              "ANGLE = 'deg'\n";
  char error[200];
  const intptr_t file = nolt_open_text("reports.tir", kFile, sizeof kFile - 1, error, sizeof error);
  if (file == 0) {
    fprintf(stderr, "nolt_open_text: %s\n", error);
    return 1;
  }
  kx_read_file_units(file, 42, model, unit);
  print_doubles("kx_read_file_units: model", model, 5);
  print_doubles("kx_read_file_units: unit", unit, 5);
  print_messages();
  nolt_close(file);
  return 0;
}

/* The next line of f without its line end (\n or \r\n), or NULL. */
static const char *next_line(FILE *f, char *line, size_t size) {
  if (fgets(line, (int)size, f) == NULL) return NULL;
  line[strcspn(line, "\r\n")] = '\0';
  return line;
}

int main(int argc, char **argv) {
  const int write = argc == 3 && strcmp(argv[1], "--write") == 0;
  if (argc != 3 || (!write && strcmp(argv[1], "--compare") != 0)) {
    fprintf(stderr, "usage: legacy32_reports --write FILE | --compare FILE\n");
    return 2;
  }
  out = write ? fopen(argv[2], "w") : tmpfile();
  if (out == NULL || report() != 0) return 1;
  if (write) return fclose(out) == 0 ? 0 : 1;
  FILE *reference = fopen(argv[2], "r");
  if (reference == NULL) {
    fprintf(stderr, "cannot read the reference %s\n", argv[2]);
    return 1;
  }
  rewind(out);
  char here[512], there[512];
  int lines = 0, differing = 0;
  for (;; ++lines) {
    const char *a = next_line(out, here, sizeof here), *b = next_line(reference, there, sizeof there);
    if (a == NULL && b == NULL) break;
    if (a == NULL || b == NULL || strcmp(a, b) != 0) {
      ++differing;
      fprintf(stderr, "differs:\n  here      %s\n  reference %s\n", a ? a : "(none)",
              b ? b : "(none)");
    }
  }
  printf("%d report lines compared, %d differ\n", lines, differing);
  return differing == 0 ? 0 : 1;
}
