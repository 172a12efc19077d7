/* Runs the example tire model on the embedded host for a few wheel states
 * and prints a table, then the messages the host received.
 *   run_tire_model [property-file]                 */
#include "tire_model.h"
#include "wheel_states.h"

#ifndef TIRE_PROPERTY_FILE
#define TIRE_PROPERTY_FILE "tire_model.tir"
#endif

int main(int argc, char **argv) {
  const char *path = argc > 1 ? argv[1] : TIRE_PROPERTY_FILE;
  return run_wheel_states("run_tire_model", path, tire_model_init, tire_model_evaluate);
}
