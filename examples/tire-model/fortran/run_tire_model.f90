! Runs the example tire model on the embedded host for a few wheel states
! and prints a table, then the messages the host received.
!   run_tire_model [property-file]
program run_tire_model
  use, intrinsic :: iso_c_binding, only: c_double, c_int32_t, c_intptr_t
  use lynx_host
  use tire_model
  implicit none
  type(tire_model_data) :: model
  type(wheel_state) :: states(6)
  type(tire_output) :: out
  character(len=500) :: path, error
  character(len=300) :: text
  character(len=10) :: end_word
  character(len=7) :: contact
  integer(c_int32_t) :: identifier
  integer(c_intptr_t) :: source
  logical :: ok
  integer :: i

  path = '../tire_model.tir'
  if (command_argument_count() > 0) call get_command_argument(1, path)

  ! The model works in metres, newtons, kilograms and seconds (angles are
  ! always in radians); the property file is in millimetres and degrees.
  call hxhost_set_quiet(.true.)
  if (hxhost_set_model_units('S_,M_,N_,KG') /= 0) error stop 1
  source = nolt_open(path, error)
  if (source == 0) then
    print '(a, a)', 'run_tire_model: ', trim(error)
    error stop 1
  end if
  call tire_model_init(model, 'front_left', 7_c_int32_t, source, ok)
  if (.not. ok) error stop 1
  call nolt_close(source)

  !                    spin axis                wheel centre            road normal
  !                    road point   slip
  states(1) = wheel_state([0d0, 1d0, 0d0], [0d0, 0d0, 0.300d0], [0d0, 0d0, 1d0], &
                          [0d0, 0d0, 0d0], 0.0d0)
  states(2) = wheel_state([0d0, 1d0, 0d0], [0d0, 0d0, 0.300d0], [0d0, 0d0, 1d0], &
                          [0d0, 0d0, 0d0], 0.035d0)
  states(3) = wheel_state([0d0, 1d0, 0d0], [1.5d0, 0.2d0, 0.305d0], [0d0, 0d0, 1d0], &
                          [0d0, 0d0, 0d0], -0.105d0)
  states(4) = wheel_state([0d0, 0.9962d0, 0.0872d0], [0d0, 0d0, 0.300d0], [0d0, 0d0, 1d0], &
                          [0d0, 0d0, 0d0], 0.175d0)
  states(5) = wheel_state([0d0, 1d0, 0d0], [0d0, 0d0, 0.298d0], [0d0, 0d0, 1d0], &
                          [0d0, 0d0, 0d0], 0.26d0)
  states(6) = wheel_state([0d0, 1d0, 0d0], [0d0, 0d0, 0.320d0], [0d0, 0d0, 1d0], &
                          [0d0, 0d0, 0d0], 0.07d0)

  print '(a)', 'state  distance   contact  deflection  contact y   slip      lateral force' // &
               '  stiffness       curvature'
  do i = 1, size(states)
    call tire_model_evaluate(model, states(i), out)
    contact = merge('yes', 'no ', out%in_contact /= 0)
    print '(i5, 1x, f10.6, 2x, a7, 1x, f10.6, 1x, f10.6, 1x, f9.4, 1x, f14.4, 1x, f14.4, 1x, f14.4)', &
      i, out%distance, contact, out%deflection, out%contact_point(2), states(i)%slip_angle, &
      out%lateral_force, out%cornering_stiffness, out%force_curvature
  end do

  print '(a)', 'host messages:'
  do i = 1, hxhost_log_count()
    call hxhost_log_message(i, text, end_word, identifier)
    print '(a, a, 1x, i0, a, a, a)', '  ', trim(end_word), identifier, " '", trim(text), "'"
  end do
end program run_tire_model
