/* Plays the solver for the example tire model: sets the model's units,
 * opens the property file, loads the model's library at run time, finds its
 * two entries by name and calls them for six wheel states.  Prints the same
 * table as ../tire-model's run_tire_model, then the messages the host
 * received (among them the lines of the property file that its reader
 * skipped); a run that stops before the table lists them on standard
 * error.
 *   solver_driver MODEL-LIBRARY [PROPERTY-FILE]
 * MODEL-LIBRARY is the model built as a library of user subroutines from
 * ../tire-model/c or ../tire-model/fortran: libtire_model.so on Linux,
 * tire_model.dll on Windows.
 *
 * The driver links only the host's libraries (HxUtility and nolt, here the
 * embedded host); the model's library brings lynxUtility with it. */
#include <stdio.h>

#include "tire_model.h"   /* the model's entries and the data they exchange */
#include "wheel_states.h" /* the example's run: units, property file, table */

/* Loading a library and finding a routine in it by name: the one place
 * where Windows and Linux differ. */
#if defined(_WIN32)
#  include <windows.h>
static void *load_library(const char *path) { return (void *)LoadLibraryA(path); }
static void *find_entry(void *library, const char *name) {
  return (void *)GetProcAddress((HMODULE)library, name);
}
#else
#  include <dlfcn.h>
static void *load_library(const char *path) { return dlopen(path, RTLD_NOW); }
static void *find_entry(void *library, const char *name) { return dlsym(library, name); }
#endif

#ifndef TIRE_PROPERTY_FILE
#define TIRE_PROPERTY_FILE "tire_model.tir"
#endif

int main(int argc, char **argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: solver_driver MODEL-LIBRARY [PROPERTY-FILE]\n");
    return 2;
  }
  const char *library_path = argv[1];
  const char *path = argc > 2 ? argv[2] : TIRE_PROPERTY_FILE;

  /* The model's library and its entries. */
  void *library = load_library(library_path);
  if (library == NULL) {
    fprintf(stderr, "solver_driver: cannot load %s\n", library_path);
    return 1;
  }
  tire_model_init_entry *init = (tire_model_init_entry *)find_entry(library, "tire_model_init");
  tire_model_evaluate_entry *evaluate =
      (tire_model_evaluate_entry *)find_entry(library, "tire_model_evaluate");
  if (init == NULL || evaluate == NULL) {
    fprintf(stderr, "solver_driver: %s lacks tire_model_init or tire_model_evaluate\n",
            library_path);
    return 1;
  }

  const int status = run_wheel_states("solver_driver", path, init, evaluate);
  if (status != 0) {
    /* The run stopped before its table (a property file that did not open,
     * or lacks the model's data): what the host was told says why. */
    fprintf(stderr, "host messages:\n");
    for (size_t i = 0; i < hxhost_log_count(); ++i) {
      hxhost_entry entry;
      if (hxhost_log_entry(i, &entry) != 0) continue;
      fprintf(stderr, "  %.*s %d '%s'\n", (int)entry.end_word_length, entry.end_word,
              (int)entry.identifier, entry.text);
    }
  }
  return status;
}
