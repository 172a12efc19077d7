! An example tire model written against lynxUtility: a lateral force
! characteristic read from a property file, evaluated on the contact axis
! system of each wheel state.  The same model is written in C in
! ../c/tire_model.c; both print the same numbers.
!
! The three types are laid out as the structures of ../c/tire_model.h, and
! the model's library exports tire_model_init and tire_model_evaluate with
! C's argument passing (the bind(C) entries at the end), so that a solver
! loads this library in place of the C one.
module tire_model
  use, intrinsic :: iso_c_binding, only: c_char, c_double, c_int, c_int32_t, c_intptr_t, &
                                         c_null_char
  use lynx_utility
  ! The solver's property-file reader (outside a solver, the embedded host's).
  use lynx_services, only: rto_read_quoted_string
  implicit none
  private
  public :: tire_model_data, wheel_state, tire_output, tire_model_init, tire_model_evaluate

  integer, parameter :: max_points = 32

  ! Everything the model keeps between calls, in the model's units.
  type, bind(C) :: tire_model_data
    character(kind=c_char) :: name(32) = c_null_char  ! used in the model's messages
    integer(c_int32_t) :: identifier = 0       ! the element identifier for reports
    real(c_double) :: unloaded_radius = 0      ! length
    integer(c_int32_t) :: point_count = 0      ! points of the characteristic
    real(c_double) :: slip(max_points) = 0     ! slip angle, angle unit
    real(c_double) :: force(max_points) = 0    ! lateral force, force unit
    real(c_double) :: b(max_points) = 0, c(max_points) = 0, d(max_points) = 0  ! Akima fit
  end type tire_model_data

  ! One wheel state, in the model's units, in the global frame.
  type, bind(C) :: wheel_state
    real(c_double) :: spin_axis(3)
    real(c_double) :: wheel_centre(3)
    real(c_double) :: road_normal(3)       ! unit length
    real(c_double) :: road_point(3)
    real(c_double) :: slip_angle
  end type wheel_state

  ! What the model computes for a wheel state.
  type, bind(C) :: tire_output
    integer(c_int) :: in_contact = 0       ! 1 when the wheel centre is nearer the road than the radius
    real(c_double) :: distance = 0         ! wheel centre to road, along the wheel's vertical
    real(c_double) :: deflection = 0       ! unloaded radius - distance, 0 off the road
    real(c_double) :: contact_point(3) = 0 ! relative to the road point
    real(c_double) :: lateral_force = 0    ! along the contact axes' y direction
    real(c_double) :: cornering_stiffness = 0  ! d(lateral force) / d(slip angle)
    real(c_double) :: force_curvature = 0  ! second derivative
  end type tire_output


contains

  ! Reads the property file (the reader's handle source), converts it into
  ! the model's units and fits the characteristic.  ok is false, with a
  ! message to the host, when the file lacks a value.
  subroutine tire_model_init(model, name, identifier, source, ok)
    type(tire_model_data), intent(out) :: model
    character(len=*), intent(in) :: name
    integer(c_int32_t), intent(in) :: identifier
    integer(c_intptr_t), intent(in) :: source
    logical, intent(out) :: ok
    real(c_double) :: model_factors(5), unit_factors(5), radius, points, slip, force
    character(len=16) :: slip_key, force_key
    integer :: i

    do i = 1, min(len(name), size(model%name) - 1)
      model%name(i) = name(i:i)
    end do
    model%identifier = identifier
    ok = .false.

    ! The file's units: each value in the file times model_factors(i) is in
    ! the model's units (force, mass, length, time, angle).
    call kx_read_file_units(source, identifier, model_factors, unit_factors)

    if (.not. read_number(source, 'DIMENSION', 'UNLOADED_RADIUS', radius) .or. &
        .not. read_number(source, 'LATERAL_FORCE', 'POINTS', points)) then
      call report(model, 'tire $: UNLOADED_RADIUS or POINTS missing or out of range')
      return
    end if
    if (points < 2 .or. points > max_points) then
      call report(model, 'tire $: UNLOADED_RADIUS or POINTS missing or out of range')
      return
    end if
    model%unloaded_radius = radius * model_factors(3)
    model%point_count = int(points, c_int32_t)
    do i = 1, model%point_count
      write (slip_key, '(a, i0)') 'SLIP_', i
      write (force_key, '(a, i0)') 'FY_', i
      if (.not. read_number(source, 'LATERAL_FORCE', slip_key, slip) .or. &
          .not. read_number(source, 'LATERAL_FORCE', force_key, force)) then
        call report(model, 'tire $: a point of the lateral force table is missing')
        return
      end if
      model%slip(i) = slip * model_factors(5)
      model%force(i) = force * model_factors(1)
    end do

    ! Akima takes the number of intervals, one less than the points.
    call kx_akima_coeffs(model%point_count - 1, model%slip, model%force, model%b, model%c, model%d)
    call report(model, 'tire $: property file read, lateral force characteristic fitted')
    ok = .true.
  end subroutine tire_model_init

  ! Evaluates the model for one wheel state.
  subroutine tire_model_evaluate(model, state, out)
    type(tire_model_data), intent(in) :: model
    type(wheel_state), intent(in) :: state
    type(tire_output), intent(out) :: out
    real(c_double) :: wheel(3, 4), wheel_reversed(3, 4), contact(3, 4), contact_reversed(3, 4)
    integer(c_int32_t) :: status
    logical :: on_road

    ! The wheel counts as on the road while its centre is nearer the road
    ! than the unloaded radius: the radius is the threshold.  The module
    ! hands back a Fortran logical.
    status = kxf_tir_axis(on_road, out%distance, wheel, wheel_reversed, contact, &
                          contact_reversed, model%unloaded_radius, state%spin_axis, &
                          state%wheel_centre, state%road_normal, state%road_point, 0.0_c_double)
    if (status /= 0) then
      call report(model, 'tire $: spin axis parallel to the road normal')
      return
    end if
    out%contact_point = contact(:, 4)
    if (.not. on_road) then
      call report(model, 'tire $ has lost contact with the road')
      return
    end if
    out%in_contact = 1
    out%deflection = model%unloaded_radius - out%distance

    ! The evaluation takes the number of points.
    call kx_spline_interpolate(state%slip_angle, model%point_count, model%slip, model%force, &
                               model%b, model%c, model%d, out%lateral_force, &
                               out%cornering_stiffness, out%force_curvature)
  end subroutine tire_model_evaluate

  ! Sends a message to the host, the tire's name put in place of the '$'.
  subroutine report(model, text)
    type(tire_model_data), intent(in) :: model
    character(len=*), intent(in) :: text
    character(len=80) :: message
    character(len=size(model%name)) :: name
    integer(c_int32_t) :: host_result
    integer :: i
    name = ' '
    do i = 1, size(model%name)
      if (model%name(i) == c_null_char) exit
      name(i:i) = model%name(i)
    end do
    message = text
    call kx_build_mes(message, 80_c_int32_t, trim(name))
    host_result = kx_msg_to_all(trim(message))
  end subroutine report

  ! A number from the property file; false when the key is missing.
  logical function read_number(source, block, key, value)
    integer(c_intptr_t), intent(in) :: source
    character(len=*), intent(in) :: block, key
    real(c_double), intent(out) :: value
    character(len=11) :: text
    integer :: io_status
    call rto_read_quoted_string(source, block, trim(key), text, read_number)
    value = 0
    if (.not. read_number) return
    read (text, *, iostat=io_status) value
    read_number = io_status == 0
  end function read_number

  ! The entries a solver finds by name in the model's library, with the
  ! arguments of ../c/tire_model.h: the name a C string, the status 0 or -1.
  ! (A Windows DLL built with gfortran exports its global routines, these
  ! among them, when none is marked for export.)
  function tire_model_init_entry(model, name, identifier, source) result(status) &
      bind(C, name="tire_model_init")
    type(tire_model_data), intent(out) :: model
    character(kind=c_char), intent(in) :: name(*)
    integer(c_int32_t), value :: identifier
    integer(c_intptr_t), value :: source
    integer(c_int) :: status
    character(len=32) :: text
    logical :: ok
    integer :: i
    text = ' '
    do i = 1, len(text)
      if (name(i) == c_null_char) exit
      text(i:i) = name(i)
    end do
    call tire_model_init(model, trim(text), identifier, source, ok)
    status = merge(0_c_int, -1_c_int, ok)
  end function tire_model_init_entry

  subroutine tire_model_evaluate_entry(model, state, out) bind(C, name="tire_model_evaluate")
    type(tire_model_data), intent(in) :: model
    type(wheel_state), intent(in) :: state
    type(tire_output), intent(out) :: out
    call tire_model_evaluate(model, state, out)
  end subroutine tire_model_evaluate_entry

end module tire_model
