/* The example's run, shared by the two programs that drive the model: sets
 * the model's units on the embedded host, opens the property file, calls
 * the model's init entry and then its evaluate entry for six wheel states,
 * and prints a table and the messages the host received.  run_tire_model
 * passes the model linked into it; ../../solver-driver passes the entries it
 * found in the model's library.  Returns the program's exit status. */
#ifndef WHEEL_STATES_H
#define WHEEL_STATES_H

#include <HxHost.h>    /* the embedded host's control routines */
#include <nolt_host.h> /* and its property-file reader's */
#include <stdio.h>

#include "tire_model.h"

static int run_wheel_states(const char *program, const char *path, tire_model_init_entry *init,
                            tire_model_evaluate_entry *evaluate) {
  /* The model works in metres, newtons, kilograms and seconds (angles are
   * always in radians); the property file is in millimetres and degrees. */
  hxhost_set_quiet(1);
  if (hxhost_set_model_units("S_,M_,N_,KG") != 0) return 1;
  char error[256];
  const intptr_t source = nolt_open(path, error, sizeof error);
  if (source == 0) {
    fprintf(stderr, "%s: %s\n", program, error);
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

#endif /* WHEEL_STATES_H */
