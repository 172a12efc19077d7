/* An example tire model written against lynxUtility: a lateral force
 * characteristic read from a property file, evaluated on the contact axis
 * system of each wheel state.  The same model is written in Fortran in
 * ../fortran/tire_model.f90; both print the same numbers.
 *
 * This header is also the model's interface to a solver: built as a shared
 * library (libtire_model.so, tire_model.dll) the model exports
 * tire_model_init and tire_model_evaluate, which the solver finds by name
 * (../../solver-driver/ plays such a solver).  It needs no lynxUtility
 * header, so a solver includes it as it is. */
#ifndef EXAMPLE_TIRE_MODEL_H
#define EXAMPLE_TIRE_MODEL_H

#include <stdint.h>

/* The entries leave the model's library: on Windows marked for export, on
 * Linux visible even when the library hides its other symbols. */
#if defined(_WIN32)
#  define TIRE_MODEL_API __declspec(dllexport)
#elif defined(__GNUC__)
#  define TIRE_MODEL_API __attribute__((visibility("default")))
#else
#  define TIRE_MODEL_API
#endif

#define TIRE_MAX_POINTS 32

/* Everything the model keeps between calls, in the model's units. */
typedef struct tire_model {
  char name[32];                 /* used in the model's messages */
  int32_t identifier;            /* the element identifier for reports */
  double unloaded_radius;        /* length */
  int32_t point_count;           /* points of the characteristic */
  double slip[TIRE_MAX_POINTS];  /* slip angle, angle unit */
  double force[TIRE_MAX_POINTS]; /* lateral force, force unit */
  double b[TIRE_MAX_POINTS], c[TIRE_MAX_POINTS], d[TIRE_MAX_POINTS]; /* Akima fit */
} tire_model;

/* One wheel state, in the model's units, in the global frame. */
typedef struct wheel_state {
  double spin_axis[3];
  double wheel_centre[3];
  double road_normal[3]; /* unit length */
  double road_point[3];
  double slip_angle;
} wheel_state;

/* What the model computes for a wheel state. */
typedef struct tire_output {
  int in_contact;             /* 1 when the wheel centre is nearer the road than the radius */
  double distance;            /* wheel centre to road, along the wheel's vertical */
  double deflection;          /* unloaded radius - distance, 0 off the road */
  double contact_point[3];    /* relative to the road point */
  double lateral_force;       /* along the contact axes' y direction */
  double cornering_stiffness; /* d(lateral force) / d(slip angle) */
  double force_curvature;     /* second derivative */
} tire_output;

/* Reads the property file (the reader's handle `source`), converts it into
 * the model's units and fits the characteristic.  Returns 0, or -1 with a
 * message to the host when the file lacks a value. */
TIRE_MODEL_API int tire_model_init(tire_model *model, const char *name, int32_t identifier,
                                   intptr_t source);

/* Evaluates the model for one wheel state. */
TIRE_MODEL_API void tire_model_evaluate(const tire_model *model, const wheel_state *state,
                                        tire_output *out);

/* The entries' types, for a solver that finds them by name at run time. */
typedef int tire_model_init_entry(tire_model *model, const char *name, int32_t identifier,
                                  intptr_t source);
typedef void tire_model_evaluate_entry(const tire_model *model, const wheel_state *state,
                                       tire_output *out);

#endif
