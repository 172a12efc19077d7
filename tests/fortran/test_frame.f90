! The frame, message and version routines through the lynx_utility module:
! texts reach the library with their lengths in the right places, C strings
! come back as Fortran texts, and the results match the raw C interfaces.
program test_frame
  use, intrinsic :: iso_c_binding
  use lynx_utility
  use lynx_host
  use checks
  implicit none
  character(len=11) :: text
  character(len=6) :: short
  character(len=20) :: message
  character(len=80) :: logged, word
  character(len=10) :: value, end_word
  character(len=300) :: host_text
  character(kind=c_char) :: raw(80)
  integer(c_int32_t) :: length, count, identifier, host_result

  call hxhost_reset()
  call hxhost_set_quiet(.true.)

  ! UPCASE: the whole text, or only the part passed.
  text = 'Newton_1 ab'
  call upcase(text)
  call check_text('upcase', text, 'NEWTON_1 AB')
  short = 'newton'
  call upcase(short(1:3))
  call check_text('upcase of a substring', short, 'NEWton')

  ! KX_BUILD_MES: the insert replaces the first '$'; no '$', no change.
  message = 'Tire $ not found'
  call kx_build_mes(message, 20_c_int32_t, 'FRONT   ')
  call check_text('kx_build_mes', message, 'Tire FRONT not found')
  message = 'Tire not found'
  call kx_build_mes(message, 20_c_int32_t, 'FRONT')
  call check_text('kx_build_mes without marker', message, 'Tire not found')

  ! kx_msg_to_all: the host receives the text exactly, as information.
  call hxhost_log_clear()
  host_result = kx_msg_to_all('Tire model ready')
  call check('one message logged', hxhost_log_count() == 1)
  call hxhost_log_message(1, logged, end_word, identifier)
  call check_text('message text', logged, 'Tire model ready')
  call check_text('message end word', end_word, 'INFO_NOPAD')
  call check('message identifier', identifier == 0)
  call check('kx_msg_to_all hands back the host result', &
             host_result == kx_msg_to_all_c('Tire model ready' // c_null_char))

  ! kx_gtout: the first word of the output name and its length.
  call hxhost_set_output_name('run_1')
  call kx_gtout(word, length)
  call check_text('kx_gtout word', word, 'run_1')
  call check('kx_gtout length', length == 5)
  call check('kx_gtout agrees with the C routine', kx_gtout_c(raw) == 5 .and. raw(6) == c_null_char)
  call hxhost_set_output_name('a b')
  call kx_gtout(word, length)
  call check('kx_gtout first word only', word == 'a' .and. length == 1)
  call hxhost_set_output_name(' ')
  call kx_gtout(word, length)
  call check('kx_gtout all blanks', word == ' ' .and. length == 0)

  ! kx_gtstrg: a host string, with its count; cut to a short text.
  call hxhost_set_string(7_c_int32_t, 'roads/flat.rdf')
  call kx_gtstrg(7_c_int32_t, host_text, count)
  call check_text('kx_gtstrg text', host_text, 'roads/flat.rdf')
  call check('kx_gtstrg count', count == 14)
  call kx_gtstrg(7_c_int32_t, short, count)
  call check('kx_gtstrg cut to the text', short == 'roads/' .and. count == 14)

  ! C_GETENV and ORB_GETENV: set by the test's environment.
  call c_getenv('LYNX_FORTRAN_TEST', value)
  call check_text('c_getenv', value, 'abc')
  call orb_getenv('LYNX_FORTRAN_TEST  X', value)
  call check_text('orb_getenv cut at the first blank', value, 'abc')
  call c_getenv('LYNX_FORTRAN_TEST_UNSET', value)
  call check_text('c_getenv of an unset variable', value, ' ')

  ! Version: the same string from both functions, as the header's macro.
  call check_text('build version', lynxutility_build_version(), '2010.1.19.37')
  call check_text('version', lynxutility_version(), lynxutility_build_version())

  call finish('test_frame')
end program test_frame
