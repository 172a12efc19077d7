! The tire routines through the lynx_utility module: axis systems as (3, 4)
! arrays, the in-range flag as a true Fortran logical, and VAR907 with only
! the arguments it reads.
program test_tire
  use, intrinsic :: iso_c_binding
  use lynx_utility
  use lynx_host
  use checks
  implicit none
  real(c_double) :: wheel(3, 4), wheel_rev(3, 4), contact(3, 4), contact_rev(3, 4), r
  real(c_double) :: raw(12, 4), raw_r, value
  real(c_double), parameter :: spin(3) = [0.0_c_double, 1.0_c_double, 0.0_c_double]
  real(c_double), parameter :: centre(3) = [0.0_c_double, 0.0_c_double, 0.375_c_double]
  real(c_double), parameter :: normal(3) = [0.0_c_double, 0.0_c_double, 1.0_c_double]
  real(c_double), parameter :: origin(3) = 0.0_c_double
  logical :: in_range
  integer(c_int32_t) :: status, raw_status, flag
  character(len=80) :: logged
  character(len=10) :: end_word
  integer(c_int32_t) :: identifier

  call hxhost_reset()
  call hxhost_set_quiet(.true.)

  ! A level road: the wheel centre 0.375 above it.
  status = kxf_tir_axis(in_range, r, wheel, wheel_rev, contact, contact_rev, 0.5_c_double, &
                        spin, centre, normal, origin, 0.0_c_double)
  call check('status', status == 0)
  call check_bits('distance', r, 0.375_c_double)
  call check('in range below the threshold', in_range)
  call check('.not. in_range is false', .not. (.not. in_range))
  call check_bits('wheel x', wheel(:, 1), [1.0_c_double, 0.0_c_double, 0.0_c_double])
  call check_bits('wheel y is the spin axis', wheel(:, 2), spin)
  call check_bits('wheel z', wheel(:, 3), [0.0_c_double, 0.0_c_double, 1.0_c_double])
  call check_bits('wheel origin', wheel(:, 4), centre)
  call check_bits('reversed wheel y', wheel_rev(:, 2), [-0.0_c_double, -1.0_c_double, -0.0_c_double])
  call check_bits('contact origin', contact(:, 4), origin)
  call check_bits('reversed contact z', contact_rev(:, 3), -normal)

  ! The wrapper's outputs are the C routine's, and the flag its logical.
  raw_status = kxf_tir_axis_c(flag, raw_r, raw(:, 1), raw(:, 2), raw(:, 3), raw(:, 4), &
                              0.5_c_double, spin, centre, normal, origin, 0.0_c_double)
  call check('raw status and flag', raw_status == status .and. flag == lynx_true)
  call check_bits('raw distance', raw_r, r)
  call check_bits('raw axis systems', raw, reshape([wheel, wheel_rev, contact, contact_rev], &
                                                   [12, 4]))

  ! Equality is not below the threshold.
  status = kxf_tir_axis(in_range, r, wheel, wheel_rev, contact, contact_rev, 0.375_c_double, &
                        spin, centre, normal, origin, 0.0_c_double)
  call check('at the threshold: out of range', .not. in_range)

  ! A spin axis along the road normal: -1, everything cleared.
  status = kxf_tir_axis(in_range, r, wheel, wheel_rev, contact, contact_rev, 0.5_c_double, &
                        normal, centre, normal, origin, 0.0_c_double)
  call check('parallel axes: status -1', status == -1)
  call check('parallel axes: not in range', .not. in_range)
  call check_bits('parallel axes: cleared', [wheel, wheel_rev, contact, contact_rev, r], &
                  0.0_c_double)

  ! VAR907: the third component of UVY for elements 11, 12, 13.
  call hxhost_set_vector('UVY', [11, 12, 13], [0.25_c_double, 0.5_c_double, 0.75_c_double])
  value = -1.0_c_double
  call var907(3_c_int32_t, [0.0_c_double, 11.0_c_double, 12.0_c_double, 13.0_c_double, &
              2.0_c_double, 3.0_c_double], 6_c_int32_t, value)
  call check_bits('var907 value', value, 0.75_c_double)
  call hxhost_log_clear()
  call var907(3_c_int32_t, [0.0_c_double, 11.0_c_double, 12.0_c_double, 13.0_c_double, &
              2.0_c_double, 0.4_c_double], 6_c_int32_t, value)
  call check_bits('var907 bad component leaves value', value, 0.75_c_double)
  call hxhost_log_message(2, logged, end_word, identifier)
  call check_text('var907 report', logged, 'Unknown Vector Component in VAR907')
  call check('var907 report end word and identifier', end_word == 'stop' .and. identifier == 3)

  call finish('test_tire')
end program test_tire
