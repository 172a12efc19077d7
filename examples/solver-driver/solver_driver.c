/* Plays the solver for the example tire model: sets the model's units,
 * opens the property file, loads the model's library at run time, finds its
 * two entries by name and calls them for six wheel states.  Prints the same
 * table as ../tire-model's run_tire_model, then the messages the host
 * received.
 *   solver_driver MODEL-LIBRARY [PROPERTY-FILE]
 * MODEL-LIBRARY is the model built as a library of user subroutines from
 * ../tire-model/c or ../tire-model/fortran: libtire_model.so on Linux,
 * tire_model.dll on Windows.
 *
 * The driver links only the host's libraries (HxUtility and nolt, here the
 * embedded host); the model's library brings lynxUtility with it. */
#include <HxHost.h>    /* the embedded host's control routines */
#include <nolt_host.h> /* and its property-file reader's */
#include <stdio.h>

#include "tire_model.h" /* the model's entries and the data they exchange */

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

  /* The model works in metres, newtons, kilograms and seconds (angles are
   * always in radians); the property file is in millimetres and degrees. */
  hxhost_set_quiet(1);
  if (hxhost_set_model_units("S_,M_,N_,KG") != 0) return 1;
  char error[256];
  const intptr_t source = nolt_open(path, error, sizeof error);
  if (source == 0) {
    fprintf(stderr, "solver_driver: %s\n", error);
    return 1;
  }

  tire_model model;
  if (init(&model, "front_left", 7, source) != 0) return 1;
  nolt_close(source);

  static const wheel_state states[] = {
      /* spin axis          wheel centre          road normal  road point  slip */
      {{0, 1, 0}, {0, 0, 0.300}, {0, 0, 1}, {0, 0, 0}, 0.0},
      {{0, 1, 0}, {0, 0, 0.300}, {0, 0, 1}, {0, 0, 0}, 0.035},
      {{0, 1, 0}, {1.5, 0.2, 0.305}, {0, 0, 1}, {0, 0, 0}, -0.105},
      {{0, 0.9962, 0.0872}, {0, 0, 0.300}, {0, 0, 1}, {0, 0, 0}, 0.175},
      {{0, 1, 0}, {0, 0, 0.298}, {0, 0, 1}, {0, 0, 0}, 0.26},
      {{0, 1, 0}, {0, 0, 0.320}, {0, 0, 1}, {0, 0, 0}, 0.07},
  };
  printf(
      "state  distance   contact  deflection  contact y   slip      lateral force"
      "  stiffness       curvature\n");
  for (size_t i = 0; i < sizeof states / sizeof states[0]; ++i) {
    tire_output out;
    evaluate(&model, &states[i], &out);
    printf("%5d %10.6f  %-7s %10.6f %10.6f %9.4f %14.4f %14.4f %14.4f\n", (int)(i + 1),
           out.distance, out.in_contact ? "yes" : "no", out.deflection, out.contact_point[1],
           states[i].slip_angle, out.lateral_force, out.cornering_stiffness, out.force_curvature);
  }

  printf("host messages:\n");
  for (size_t i = 0; i < hxhost_log_count(); ++i) {
    hxhost_entry entry;
    if (hxhost_log_entry(i, &entry) != 0) break;
    printf("  %.*s %d '%s'\n", (int)entry.end_word_length, entry.end_word, (int)entry.identifier,
           entry.text);
  }
  return 0;
}
