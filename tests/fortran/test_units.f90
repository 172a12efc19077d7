! The unit routines through the lynx_utility module, checked bit for bit
! against the unit-code table and against each other's forms.
program test_units
  use, intrinsic :: iso_c_binding
  use lynx_utility
  use lynx_host
  use checks
  implicit none
  character(len=10) :: codes
  character(len=2) :: code_array(5)
  character(len=12) :: names(5), file_names(5)
  real(c_double) :: factors(5), model(5), unit(5), model_2(5), unit_2(5)
  character(len=80) :: logged
  character(len=10) :: end_word
  integer(c_int32_t) :: identifier
  integer(c_intptr_t) :: source
  character(len=200) :: error
  character(len=4) :: short_codes
  character(len=500) :: examples

  call hxhost_reset()
  call hxhost_set_quiet(.true.)
  call check('model units', hxhost_set_model_units('S_,M_,N_,KG') == 0)

  ! KXCONV: codes in lower case come back upper-cased; the factors are the
  ! table's (degree is 0.01745329, not pi/180).
  codes = 'pflbins_de'
  call kxconv(codes, factors)
  call check_text('kxconv upper-cases', codes, 'PFLBINS_DE')
  call check_bits('kxconv factors', factors, &
                  [4.4482216_c_double, 0.45359237_c_double, 0.0254_c_double, 1.0_c_double, &
                   0.01745329_c_double])
  code_array = ['n_', 'kg', 'm_', 's_', 'ra']
  call kxconv(code_array, factors)
  call check('kxconv array of codes', all(code_array == ['N_', 'KG', 'M_', 'S_', 'RA']))
  call check_bits('kxconv array factors', factors, 1.0_c_double)

  ! A text shorter than 10 characters is never read past its end: the
  ! missing codes are blank and reported as unknown.
  call hxhost_log_clear()
  short_codes = 'N_KG'
  call kxconv(short_codes, factors)
  call check('three unknown codes reported', hxhost_log_count() == 3)
  call hxhost_log_message(1, logged, end_word, identifier)
  call check_text('unknown length code', logged, 'KXCONV: Program Fault Unknown length units:')
  call check_text('unknown code end word', end_word, 'STOP')
  call check_bits('unknown codes give 1.0', factors(3:5), 1.0_c_double)

  ! KXUNFN, KXUNFN_F2C and kx_kxunfn agree to the bit.
  names = [character(len=12) :: 'newton', 'kg', 'mm', 'second', 'deg']
  call kxunfn(names, model, unit)
  call check_bits('kxunfn model factors', model, &
                  [1.0_c_double, 1.0_c_double, 0.001_c_double, 1.0_c_double, 0.01745329_c_double])
  call check_bits('kxunfn unit factors', unit, model)
  call kxunfn_f2c('newton', 'kg', 'mm', 'second', 'deg', model_2, unit_2)
  call check_bits('kxunfn_f2c', [model_2, unit_2], [model, unit])
  call kx_kxunfn('newton', 'kg', 'mm', 'second', 'deg', model_2, unit_2)
  call check_bits('kx_kxunfn', [model_2, unit_2], [model, unit])
  call kxunfn('newton      kg          mm          second      deg         ', model_2, unit_2)
  call check_bits('kxunfn of one text', [model_2, unit_2], [model, unit])

  ! A blank name takes the model's unit with a warning; an empty C string
  ! is unrecognised.
  call check('model units S_,MM,N_,KG', hxhost_set_model_units('S_,MM,N_,KG') == 0)
  call hxhost_log_clear()
  call kx_kxunfn('newton', 'kg', '   ', 'second', 'deg', model, unit)
  call check_bits('blank length name: the model unit', [model(3), unit(3)], &
                  [1.0_c_double, 0.001_c_double])
  call hxhost_log_message(1, logged, end_word)
  call check_text('blank name warning', logged, ' Undefined -> Length Units Set to Model Units')
  call check_text('blank name end word', end_word, 'WARN')
  call hxhost_log_clear()
  call kx_kxunfn('', 'kg', 'mm', 'second', 'deg', model, unit)
  call hxhost_log_message(1, logged, end_word)
  call check_text('empty name unrecognised', logged, ' Unrecognized Type of Force Units')
  call check_text('empty name end word', end_word, 'STOP')

  ! KXUNMP: codes for names; an unrecognised slot keeps its content.
  code_array = ['xx', 'xx', 'xx', 'xx', 'xx']
  call kxunmp([character(len=12) :: 'kilonewton', 'kg', 'mm', 'sec', 'deg'], code_array)
  call check('kxunmp codes', all(code_array == ['xx', 'KG', 'MM', 'S_', 'DE']))

  ! Model-unit queries.
  call check_bits('get_length_conv', get_length_conv(), 0.001_c_double)
  call check_bits('get_time_conv', get_time_conv(), 1.0_c_double)
  call check_bits('get_force_conv', get_force_conv(), 1.0_c_double)
  call check_bits('get_mass_conv', get_mass_conv(), 1.0_c_double)

  ! A property file's UNITS block: kg_force, kg, mm, second, deg.
  call check('model units S_,M_,N_,KG', hxhost_set_model_units('S_,M_,N_,KG') == 0)
  call get_environment_variable('LYNX_EXAMPLES_DIR', examples)
  source = nolt_open(trim(examples) // '/tire_units_nonsi.tir', error)
  call check('property file opened: ' // trim(error), source /= 0)
  call kx_read_file_units(source, 5_c_int32_t, model, unit)
  call check_bits('kx_read_file_units', model, &
                  [9.80665_c_double, 1.0_c_double, 0.001_c_double, 1.0_c_double, &
                   0.01745329_c_double])
  file_names = 'unchanged'
  call atrtou(5_c_int32_t, file_names)
  call check('atrtou names', all(file_names == [character(len=12) :: 'kg_force', 'kg', 'mm', &
                                                'second', 'deg']))
  call nolt_close(source)

  call finish('test_units')
end program test_units
