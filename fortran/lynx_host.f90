! lynx_host: the embedded host's control routines for Fortran programs.
!
! The embedded host stands in for the solver's HxUtility and nolt, so that
! a tire model can be run and tested outside a solver: a driver program
! chooses the model's units, opens property files, registers host strings
! and solver vectors, and reads back the messages the model reported.
! The control routines (hxhost_..., nolt_open, ...) exist only in the
! embedded host, so only drivers and tests use this module; a tire model
! uses lynx_services, the routines a solver provides too.  This module
! passes lynx_services on, so a driver needs only use lynx_host.
!
!   use lynx_host
!   integer(c_intptr_t) :: source
!   if (hxhost_set_model_units('S_,MM,N_,KG') /= 0) stop 'bad unit codes'
!   source = nolt_open('tire.tir')
!   ...
!   do i = 1, hxhost_log_count()
!     call hxhost_log_message(i, text, end_word, identifier)
!   end do
!
! See docs/embedded-host.md.
module lynx_host
  use lynx_services
  use, intrinsic :: iso_c_binding, only: c_char, c_double, c_int, c_int32_t, c_intptr_t, &
                                         c_long, c_size_t, c_null_char
  implicit none
  private

  public :: hxhost_set_model_units, hxhost_set_units_statement, hxhost_reset
  public :: hxhost_set_output_name, hxhost_set_string, hxhost_set_vector, hxhost_set_quiet
  public :: hxhost_log_count, hxhost_log_message, hxhost_log_clear
  public :: nolt_open, nolt_close, nolt_select

  ! The solver's services, passed on.
  public :: rto_read_quoted_string, rto_read_quoted_string_f2c
  public :: gtunts, errmes, c_errmes, c_usrmes, gtout, gtstrg, sysary
  public :: rto_read_quoted_string_c, rto_read_quoted_string_f2c_c
  public :: gtunts_c, errmes_c, c_errmes_c, c_usrmes_c, gtout_c, gtstrg_c, sysary_c
  public :: lynx_value_length, lynx_output_name_length

  ! Which host routine took a logged message (hxhost_log_message).
  integer, parameter, public :: hxhost_errmes = 1, hxhost_c_errmes = 2, hxhost_c_usrmes = 3, &
                                hxhost_sysary = 4

  ! One entry of the host's log, as the C side lays it out.
  type, bind(C) :: hxhost_entry
    integer(c_int) :: routine
    integer(c_int32_t) :: flag
    integer(c_int32_t) :: identifier
    integer(c_long) :: length
    character(kind=c_char) :: text(1025)
    integer(c_long) :: end_word_length
    character(kind=c_char) :: end_word(32)
    integer(c_int32_t) :: nids
    integer(c_int32_t) :: ids(8)
  end type hxhost_entry

  interface
    function hxhost_set_model_units_c(codes) result(status) &
        bind(C, name="hxhost_set_model_units")
      import :: c_char, c_int
      character(kind=c_char), intent(in) :: codes(*)
      integer(c_int) :: status
    end function hxhost_set_model_units_c

    subroutine hxhost_set_units_statement_c(present) bind(C, name="hxhost_set_units_statement")
      import :: c_int
      integer(c_int), value :: present
    end subroutine hxhost_set_units_statement_c

    ! Forgets every setting, registration and message.
    subroutine hxhost_reset() bind(C, name="hxhost_reset")
    end subroutine hxhost_reset

    subroutine hxhost_set_output_name_c(name) bind(C, name="hxhost_set_output_name")
      import :: c_char
      character(kind=c_char), intent(in) :: name(*)
    end subroutine hxhost_set_output_name_c

    subroutine hxhost_set_string_c(identifier, text) bind(C, name="hxhost_set_string")
      import :: c_char, c_int32_t
      integer(c_int32_t), value :: identifier
      character(kind=c_char), intent(in) :: text(*)
    end subroutine hxhost_set_string_c

    subroutine hxhost_set_vector_c(kind, ids, values) bind(C, name="hxhost_set_vector")
      import :: c_char, c_int32_t, c_double
      character(kind=c_char), intent(in) :: kind(*)
      integer(c_int32_t), intent(in) :: ids(3)
      real(c_double), intent(in) :: values(3)
    end subroutine hxhost_set_vector_c

    subroutine hxhost_set_quiet_c(quiet) bind(C, name="hxhost_set_quiet")
      import :: c_int
      integer(c_int), value :: quiet
    end subroutine hxhost_set_quiet_c

    function hxhost_log_count_c() result(count) bind(C, name="hxhost_log_count")
      import :: c_size_t
      integer(c_size_t) :: count
    end function hxhost_log_count_c

    function hxhost_log_entry_c(index, entry) result(status) bind(C, name="hxhost_log_entry")
      import :: c_size_t, c_int, hxhost_entry
      integer(c_size_t), value :: index
      type(hxhost_entry), intent(out) :: entry
      integer(c_int) :: status
    end function hxhost_log_entry_c

    ! Empties the log.
    subroutine hxhost_log_clear() bind(C, name="hxhost_log_clear")
    end subroutine hxhost_log_clear

    function nolt_open_c(path, error, error_size) result(handle) bind(C, name="nolt_open")
      import :: c_char, c_intptr_t, c_size_t
      character(kind=c_char), intent(in) :: path(*)
      character(kind=c_char), intent(out) :: error(*)
      integer(c_size_t), value :: error_size
      integer(c_intptr_t) :: handle
    end function nolt_open_c

    ! Makes handle the current file of the reader's upper-case routine (and
    ! so of ATRTOU); returns 0 or -1 for an unknown handle.
    function nolt_select(handle) result(status) bind(C, name="nolt_select")
      import :: c_intptr_t, c_int
      integer(c_intptr_t), value :: handle
      integer(c_int) :: status
    end function nolt_select

    ! Releases a handle; unknown handles are ignored.
    subroutine nolt_close(handle) bind(C, name="nolt_close")
      import :: c_intptr_t
      integer(c_intptr_t), value :: handle
    end subroutine nolt_close
  end interface

contains

  ! Sets the model's units from four codes, time, length, force, mass,
  ! separated by commas ('S_,MM,N_,KG').  Returns 0, or -1 when the text is
  ! malformed or names an unknown code (nothing is changed then).
  function hxhost_set_model_units(codes) result(status)
    character(len=*), intent(in) :: codes
    integer :: status
    status = hxhost_set_model_units_c(trim(codes) // c_null_char)
  end function hxhost_set_model_units

  ! Whether the dataset has a UNITS statement (default: it has).
  subroutine hxhost_set_units_statement(present)
    logical, intent(in) :: present
    call hxhost_set_units_statement_c(merge(1_c_int, 0_c_int, present))
  end subroutine hxhost_set_units_statement

  ! The output name that GTOUT (and so kx_gtout) returns.
  subroutine hxhost_set_output_name(name)
    character(len=*), intent(in) :: name
    call hxhost_set_output_name_c(trim(name) // c_null_char)
  end subroutine hxhost_set_output_name

  ! Registers the host string returned for identifier (trailing blanks are
  ! dropped).
  subroutine hxhost_set_string(identifier, text)
    integer(c_int32_t), intent(in) :: identifier
    character(len=*), intent(in) :: text
    call hxhost_set_string_c(identifier, trim(text) // c_null_char)
  end subroutine hxhost_set_string

  ! Registers the vector returned for kind ('UVX', 'UVY' or 'UVZ') and three
  ! element identifiers.
  subroutine hxhost_set_vector(kind, ids, values)
    character(len=*), intent(in) :: kind
    integer(c_int32_t), intent(in) :: ids(3)
    real(c_double), intent(in) :: values(3)
    call hxhost_set_vector_c(trim(kind) // c_null_char, ids, values)
  end subroutine hxhost_set_vector

  ! Whether messages are also written to standard error (default: they
  ! are, unless LYNX_HOST_QUIET=1).
  subroutine hxhost_set_quiet(quiet)
    logical, intent(in) :: quiet
    call hxhost_set_quiet_c(merge(1_c_int, 0_c_int, quiet))
  end subroutine hxhost_set_quiet

  ! The number of entries in the host's log.
  integer function hxhost_log_count()
    hxhost_log_count = int(hxhost_log_count_c())
  end function hxhost_log_count

  ! Entry index of the log (1 = oldest): the message text as passed (cut to
  ! the length of text), its end word ('WARN', 'STOP', 'stop',
  ! 'INFO_NOPAD'), the identifier, the flag and which host routine took it.
  ! found is false when there is no such entry.
  subroutine hxhost_log_message(index, text, end_word, identifier, flag, routine, found)
    integer, intent(in) :: index
    character(len=*), intent(out) :: text
    character(len=*), intent(out), optional :: end_word
    integer(c_int32_t), intent(out), optional :: identifier, flag
    integer, intent(out), optional :: routine
    logical, intent(out), optional :: found
    type(hxhost_entry) :: entry
    integer :: i, status
    text = ' '
    status = hxhost_log_entry_c(int(index - 1, c_size_t), entry)
    if (present(found)) found = status == 0
    if (status /= 0) then
      if (present(end_word)) end_word = ' '
      if (present(identifier)) identifier = 0
      if (present(flag)) flag = 0
      if (present(routine)) routine = 0
      return
    end if
    do i = 1, int(min(entry%length, int(len(text), c_long), 1024_c_long))
      text(i:i) = entry%text(i)
    end do
    if (present(end_word)) then
      end_word = ' '
      do i = 1, int(min(entry%end_word_length, int(len(end_word), c_long), 31_c_long))
        end_word(i:i) = entry%end_word(i)
      end do
    end if
    if (present(identifier)) identifier = entry%identifier
    if (present(flag)) flag = entry%flag
    if (present(routine)) routine = int(entry%routine)
  end subroutine hxhost_log_message

  ! Opens and reads a property file; returns the handle that the library's
  ! readers take as their source, or 0 when the file cannot be read (error
  ! then names the file and the line).
  function nolt_open(path, error) result(handle)
    character(len=*), intent(in) :: path
    character(len=*), intent(out), optional :: error
    integer(c_intptr_t) :: handle
    character(kind=c_char) :: message(512)
    integer :: i
    message = c_null_char
    handle = nolt_open_c(trim(path) // c_null_char, message, int(size(message), c_size_t))
    if (present(error)) then
      error = ' '
      do i = 1, min(len(error), size(message))
        if (message(i) == c_null_char) exit
        error(i:i) = message(i)
      end do
    end if
  end function nolt_open

end module lynx_host
