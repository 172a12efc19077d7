/* The example tire model: see tire_model.h. */
#include "tire_model.h"

#include <lynx/lynxUtility.h>
#include <nolt.h> /* the host's property-file reader */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The 32-bit Windows library (the legacy build) has neither the spline
 * routines nor kx_msg_to_all.  There the model fits and evaluates its
 * characteristic itself, with the same Akima fit, and reports through the
 * host's c_usrmes, as kx_msg_to_all does.  Defining TIRE_MODEL_OWN_SPLINE
 * chooses the same code elsewhere. */
#if defined(LYNX_LEGACY32) && !defined(TIRE_MODEL_OWN_SPLINE)
#  define TIRE_MODEL_OWN_SPLINE 1
#endif

#if defined(TIRE_MODEL_OWN_SPLINE)
#include <HxUtility.h> /* the host's message service */
#include <math.h>

static void send_message(const char *text) { c_usrmes(1, text, 0, "INFO_NOPAD"); }

/* Akima's tangent at point i from the four slopes m[i..i+3] around it; a
 * point between equal slopes keeps each neighbour's slope on its side. */
static void tangents_at(const double *m, int32_t i, double *left, double *right) {
  const double w_left = fabs(m[i + 1] - m[i]);
  const double w_right = fabs(m[i + 3] - m[i + 2]);
  const double sum = w_right + w_left;
  if (sum == 0.0) {
    *left = m[i + 1];
    *right = m[i + 2];
    return;
  }
  const double alpha = w_left / sum;
  *left = *right = (m[i + 2] - m[i + 1]) * alpha + m[i + 1];
}

static void fit_characteristic(tire_model *model) {
  const int32_t n = model->point_count - 1; /* intervals */
  const double *x = model->slip, *y = model->force;
  /* Slope of interval i in m[i + 2], two imagined intervals at each end. */
  double m[TIRE_MAX_POINTS + 3] = {0};
  for (int32_t i = 0; i < n; ++i) m[i + 2] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]);
  if (y[0] == y[n]) { /* a closed curve repeats its ends */
    m[0] = m[n];
    m[1] = m[n + 1];
    m[n + 2] = m[2];
    m[n + 3] = m[3];
  } else { /* an open one continues them */
    m[1] = 2.0 * m[2] - m[3];
    m[0] = 3.0 * m[2] - 2.0 * m[3];
    m[n + 2] = 2.0 * m[n + 1] - m[n];
    m[n + 3] = 3.0 * m[n + 1] - 2.0 * m[n];
  }
  /* Each interval is the cubic between its end tangents. */
  double t_start, t_end, unused;
  tangents_at(m, 0, &unused, &t_start);
  for (int32_t i = 0; i < n; ++i) {
    double next_start;
    tangents_at(m, i + 1, &t_end, &next_start);
    const double h = x[i + 1] - x[i], slope = m[i + 2];
    model->b[i] = t_start;
    model->c[i] = ((3.0 * slope - 2.0 * t_start) - t_end) * (1.0 / h);
    model->d[i] = ((t_end + t_start) - 2.0 * slope) * (1.0 / (h * h));
    t_start = next_start;
  }
}

static void characteristic_at(const tire_model *model, double slip, tire_output *out) {
  /* The interval that holds the slip angle; the end ones continue outside. */
  int32_t k = 0, high = model->point_count - 1;
  while (high - k > 1) {
    const int32_t middle = k + (high - k) / 2;
    if (model->slip[middle] > slip) high = middle;
    else k = middle;
  }
  const double t = slip - model->slip[k];
  const double a = model->force[k], b = model->b[k], c = model->c[k], d = model->d[k];
  out->lateral_force = ((t * b + a) + (t * c) * t) + ((t * d) * t) * t;
  out->cornering_stiffness = (d * 3.0 * t * t) + ((c * 2.0 * t) + b);
  out->force_curvature = d * 6.0 * t + c * 2.0;
}

#else
static void send_message(const char *text) { kx_msg_to_all(text); }

static void fit_characteristic(tire_model *model) {
  /* Akima takes the number of intervals, one less than the points. */
  kx_akima_coeffs(model->point_count - 1, model->slip, model->force, model->b, model->c, model->d);
}

static void characteristic_at(const tire_model *model, double slip, tire_output *out) {
  /* The evaluation takes the number of points. */
  kx_spline_interpolate(slip, model->point_count, model->slip, model->force, model->b, model->c,
                        model->d, &out->lateral_force, &out->cornering_stiffness,
                        &out->force_curvature);
}
#endif

/* Sends a message to the host, the tire's name put in place of the "$". */
static void report(const tire_model *model, const char *text) {
  char message[81];
  const int32_t limit = 80;
  /* KX_BUILD_MES works on a blank-padded text of fixed length. */
  memset(message, ' ', 80);
  memcpy(message, text, strlen(text) < 80 ? strlen(text) : 80);
  KX_BUILD_MES(message, 80, &limit, model->name, (lynx_textlen)strlen(model->name));
  /* Back to a C string: cut the trailing blanks. */
  int end = 80;
  while (end > 0 && message[end - 1] == ' ') --end;
  message[end] = '\0';
  send_message(message);
}

/* A number from the property file; 0 when the key is missing. */
static int read_number(intptr_t source, const char *block, const char *key, double *value) {
  char text[12]; /* the reader holds at most 11 characters and a NUL */
  if (!rto_read_quoted_string(source, block, key, text)) return 0;
  char *end = NULL;
  *value = strtod(text, &end);
  return end != text;
}

int tire_model_init(tire_model *model, const char *name, int32_t identifier, intptr_t source) {
  memset(model, 0, sizeof *model);
  snprintf(model->name, sizeof model->name, "%s", name);
  model->identifier = identifier;

  /* The file's units: each value in the file times model_factors[i] is in
   * the model's units (force, mass, length, time, angle). */
  double model_factors[5], unit_factors[5];
  kx_read_file_units(source, identifier, model_factors, unit_factors);
  const double to_force = model_factors[0], to_length = model_factors[2];
  const double to_angle = model_factors[4];

  double radius = 0.0, points = 0.0;
  if (!read_number(source, "DIMENSION", "UNLOADED_RADIUS", &radius) ||
      !read_number(source, "LATERAL_FORCE", "POINTS", &points) || points < 2 ||
      points > TIRE_MAX_POINTS) {
    report(model, "tire $: UNLOADED_RADIUS or POINTS missing or out of range");
    return -1;
  }
  model->unloaded_radius = radius * to_length;
  model->point_count = (int32_t)points;
  for (int32_t i = 0; i < model->point_count; ++i) {
    char slip_key[16], force_key[16];
    snprintf(slip_key, sizeof slip_key, "SLIP_%d", (int)(i + 1));
    snprintf(force_key, sizeof force_key, "FY_%d", (int)(i + 1));
    double slip, force;
    if (!read_number(source, "LATERAL_FORCE", slip_key, &slip) ||
        !read_number(source, "LATERAL_FORCE", force_key, &force)) {
      report(model, "tire $: a point of the lateral force table is missing");
      return -1;
    }
    model->slip[i] = slip * to_angle;
    model->force[i] = force * to_force;
  }

  fit_characteristic(model);
  report(model, "tire $: property file read, lateral force characteristic fitted");
  return 0;
}

void tire_model_evaluate(const tire_model *model, const wheel_state *state, tire_output *out) {
  lynx_logical in_range;
  double wheel[12], wheel_reversed[12], contact[12], contact_reversed[12];
  const double offset = 0.0;
  memset(out, 0, sizeof *out);

  /* The wheel counts as on the road while its centre is nearer the road
   * than the unloaded radius: the radius is the threshold. */
  const int32_t status =
      KXF_TIR_AXIS(&in_range, &out->distance, wheel, wheel_reversed, contact, contact_reversed,
                   &model->unloaded_radius, state->spin_axis, state->wheel_centre,
                   state->road_normal, state->road_point, &offset);
  if (status != 0) {
    report(model, "tire $: spin axis parallel to the road normal");
    return;
  }
  /* A logical is read by its lowest bit. */
  out->in_contact = (in_range & 1) != 0;
  memcpy(out->contact_point, &contact[9], sizeof out->contact_point);
  if (!out->in_contact) {
    report(model, "tire $ has lost contact with the road");
    return;
  }
  out->deflection = model->unloaded_radius - out->distance;
  characteristic_at(model, state->slip_angle, out);
}
