! The spline routines through the lynx_utility module: the counts as each
! routine takes them (knots, intervals, segments, points), the coefficient
! layout, and the plane point type passed by value.
program test_splines
  use, intrinsic :: iso_c_binding
  use lynx_utility
  use checks
  implicit none
  real(c_double), parameter :: guard = -12345.0_c_double
  real(c_double) :: b(4), c(4), d(4), s, ds, dds
  type(lynx_point) :: square(5), pb(5), pc(5), pd(5), at, slope, curvature, sum

  ! Natural cubic through (0, 0), (1, 1), (2, 0): three knots.
  b = guard
  c = guard
  d = guard
  call kx_spline_coeffs(3, [0.0_c_double, 1.0_c_double, 2.0_c_double], &
                        [0.0_c_double, 1.0_c_double, 0.0_c_double], b, c, d)
  call check_bits('cubic b', b, [1.5_c_double, 0.0_c_double, guard, guard])
  call check_bits('cubic c', c, [0.0_c_double, -1.5_c_double, 0.0_c_double, guard])
  call check_bits('cubic d', d, [-0.5_c_double, 0.5_c_double, guard, guard])
  call kx_spline_interpolate(0.5_c_double, 3, [0.0_c_double, 1.0_c_double, 2.0_c_double], &
                             [0.0_c_double, 1.0_c_double, 0.0_c_double], b, c, d, s, ds, dds)
  call check_bits('cubic at 0.5', [s, ds, dds], [0.6875_c_double, 1.125_c_double, -1.5_c_double])

  ! Akima through four points takes the interval count, 3, and writes
  ! exactly three coefficients.
  b = guard
  c = guard
  d = guard
  call kx_akima_coeffs(3, [0.0_c_double, 1.0_c_double, 2.0_c_double, 3.0_c_double], &
                       [0.0_c_double, 1.0_c_double, 2.0_c_double, 1.0_c_double], b, c, d)
  call check_bits('akima b', b, [1.0_c_double, 1.0_c_double, 1.0_c_double, guard])
  call check_bits('akima c', c, [0.0_c_double, 0.0_c_double, -3.0_c_double, guard])
  call check_bits('akima d', d, [0.0_c_double, 0.0_c_double, 1.0_c_double, guard])
  ! ...and is evaluated with the knot count, 4: the end slope is -2.
  call kx_spline_interpolate(3.0_c_double, 4, [0.0_c_double, 1.0_c_double, 2.0_c_double, &
                             3.0_c_double], [0.0_c_double, 1.0_c_double, 2.0_c_double, &
                             1.0_c_double], b, c, d, s, ds, dds)
  call check_bits('akima at the last knot', [s, ds], [1.0_c_double, -2.0_c_double])

  ! Points by value.
  call check_bits('point_norm', point_norm(lynx_point(3.0_c_double, 4.0_c_double)), 5.0_c_double)
  call check_bits('point_mult', point_mult(lynx_point(1.0_c_double, 2.0_c_double), &
                                           lynx_point(3.0_c_double, 4.0_c_double)), 11.0_c_double)
  sum = point_add(lynx_point(1.0_c_double, 2.0_c_double), lynx_point(3.0_c_double, 4.0_c_double))
  call check_bits('point_add', [sum%x, sum%y], [4.0_c_double, 6.0_c_double])

  ! Renner through the closed unit square: four segments, five points.
  square = [lynx_point(0.0_c_double, 0.0_c_double), lynx_point(1.0_c_double, 0.0_c_double), &
            lynx_point(1.0_c_double, 1.0_c_double), lynx_point(0.0_c_double, 1.0_c_double), &
            lynx_point(0.0_c_double, 0.0_c_double)]
  pb = lynx_point(guard, guard)
  pc = pb
  pd = pb
  call kx_renner_spline_coeffs(4, square, pb, pc, pd)
  call check('renner tangent at (0, 0) bisects the corner', &
             abs(pb(1)%x - sqrt(0.5_c_double)) < 1.0e-15_c_double .and. &
             abs(pb(1)%y + sqrt(0.5_c_double)) < 1.0e-15_c_double)
  call check('renner writes four segments', pb(5)%x == guard .and. pd(5)%y == guard)
  call check('renner segment 0 c', abs(pc(1)%x - 0.5285955_c_double) < 1.0e-7_c_double .and. &
             abs(pc(1)%y - 0.6380712_c_double) < 1.0e-7_c_double)
  call kx_renner_spline_interpolate(1.0_c_double, 5, square, pb, pc, pd, at, slope, curvature)
  call check_bits('renner at t = 1 is the second point', [at%x, at%y], &
                  [1.0_c_double, 0.0_c_double])

  call finish('test_splines')
end program test_splines
