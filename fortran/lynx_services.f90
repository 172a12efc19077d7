! lynx_services: the solver's services for Fortran tire models.
!
! A solver provides two libraries to the user subroutines it loads: its
! utility services (HxUtility: model units, messages, host strings, solver
! vectors) and its property-file reader (nolt).  This module declares the
! routines of theirs that a model may call, and nothing else, so a model's
! shared library built with it (and with lynx_utility) needs only what a
! solver provides.  Inside a solver the solver answers these calls; outside
! one the embedded host does (module lynx_host, for drivers and tests).
!
!   use lynx_services
!   character(len=11) :: value
!   logical :: found
!   call rto_read_quoted_string(source, 'DIMENSION', 'UNLOADED_RADIUS', value, found)
!   call errmes(.true., 'tire: radius missing', 7_c_int32_t, 'STOP')
!
! The wrappers take Fortran texts and logicals and pass lengths, NULs and
! the host's logicals (-1 true, 0 false, read by the lowest bit) for you.
! The raw bind(C) interfaces stay public under the routine's name followed
! by _c.  See docs/fortran.md.
module lynx_services
  use, intrinsic :: iso_c_binding, only: c_char, c_double, c_int32_t, c_intptr_t, c_null_char
  implicit none
  private

  ! Wrappers.
  public :: rto_read_quoted_string, rto_read_quoted_string_f2c
  public :: gtunts, errmes, c_errmes, c_usrmes, gtout, gtstrg, sysary
  ! Raw bind(C) interfaces.
  public :: rto_read_quoted_string_c, rto_read_quoted_string_f2c_c
  public :: gtunts_c, errmes_c, c_errmes_c, c_usrmes_c, gtout_c, gtstrg_c, sysary_c

  ! Characters of a property-file value: the reader's 12-byte buffer holds
  ! at most 11 and a NUL.
  integer, parameter, public :: lynx_value_length = 11
  ! Characters of the output name that GTOUT fills.
  integer, parameter, public :: lynx_output_name_length = 80

  interface
    ! ------------------------------------------------ the property-file reader
    function rto_read_quoted_string_c(source, block, key, value) result(found) &
        bind(C, name="rto_read_quoted_string")
      import :: c_char, c_intptr_t, c_int32_t
      integer(c_intptr_t), value :: source
      character(kind=c_char), intent(in) :: block(*), key(*)
      character(kind=c_char), intent(out) :: value(12)
      integer(c_int32_t) :: found
    end function rto_read_quoted_string_c

    subroutine rto_read_quoted_string_f2c_c(block, block_length, block_chars, key, key_length, &
                                            key_chars, value, value_length, error, found) &
        bind(C, name="RTO_READ_QUOTED_STRING_F2C")
      import :: c_char, c_intptr_t, c_int32_t
      character(kind=c_char), intent(in) :: block(*)
      integer(c_intptr_t), value :: block_length
      integer(c_int32_t), intent(in) :: block_chars
      character(kind=c_char), intent(in) :: key(*)
      integer(c_intptr_t), value :: key_length
      integer(c_int32_t), intent(in) :: key_chars
      character(kind=c_char), intent(inout) :: value(*)
      integer(c_intptr_t), value :: value_length
      integer(c_int32_t), intent(out) :: error, found
    end subroutine rto_read_quoted_string_f2c_c

    ! --------------------------------------------------- the utility services
    subroutine gtunts_c(has_units, scales, codes, codes_length) bind(C, name="GTUNTS")
      import :: c_char, c_double, c_int32_t, c_intptr_t
      integer(c_int32_t), intent(out) :: has_units
      real(c_double), intent(out) :: scales(4)
      character(kind=c_char), intent(out) :: codes(*)
      integer(c_intptr_t), value :: codes_length
    end subroutine gtunts_c

    subroutine errmes_c(flag, message, message_length, identifier, end_word, end_word_length) &
        bind(C, name="ERRMES")
      import :: c_char, c_int32_t, c_intptr_t
      integer(c_int32_t), intent(in) :: flag
      character(kind=c_char), intent(in) :: message(*)
      integer(c_intptr_t), value :: message_length
      integer(c_int32_t), intent(in) :: identifier
      character(kind=c_char), intent(in) :: end_word(*)
      integer(c_intptr_t), value :: end_word_length
    end subroutine errmes_c

    subroutine c_errmes_c(flag, message, identifier, end_word) bind(C, name="c_errmes")
      import :: c_char, c_int32_t
      integer(c_int32_t), value :: flag
      character(kind=c_char), intent(in) :: message(*)
      integer(c_int32_t), value :: identifier
      character(kind=c_char), intent(in) :: end_word(*)
    end subroutine c_errmes_c

    function c_usrmes_c(flag, message, identifier, end_word) result(host_result) &
        bind(C, name="c_usrmes")
      import :: c_char, c_int32_t
      integer(c_int32_t), value :: flag
      character(kind=c_char), intent(in) :: message(*)
      integer(c_int32_t), value :: identifier
      character(kind=c_char), intent(in) :: end_word(*)
      integer(c_int32_t) :: host_result
    end function c_usrmes_c

    subroutine gtout_c(text, text_length) bind(C, name="GTOUT")
      import :: c_char, c_intptr_t
      character(kind=c_char), intent(out) :: text(*)
      integer(c_intptr_t), value :: text_length
    end subroutine gtout_c

    subroutine gtstrg_c(identifier, text, text_length, count, last) bind(C, name="GTSTRG")
      import :: c_char, c_int32_t, c_intptr_t
      integer(c_int32_t), intent(in) :: identifier
      character(kind=c_char), intent(out) :: text(*)
      integer(c_intptr_t), value :: text_length
      integer(c_int32_t), intent(out) :: count
      integer(c_int32_t), intent(inout) :: last
    end subroutine gtstrg_c

    subroutine sysary_c(kind, kind_length, ids, nids, values, count, error_flag) &
        bind(C, name="SYSARY")
      import :: c_char, c_double, c_int32_t, c_intptr_t
      character(kind=c_char), intent(in) :: kind(*)
      integer(c_intptr_t), value :: kind_length
      integer(c_int32_t), intent(in) :: ids(*)
      integer(c_int32_t), intent(in) :: nids
      real(c_double), intent(out) :: values(3)
      integer(c_int32_t), intent(out) :: count, error_flag
    end subroutine sysary_c
  end interface

contains

  ! The value of key in block of the property file source, blank-padded
  ! into value; found is false (and value blank) when the key is missing.
  ! Values hold at most 11 characters.
  subroutine rto_read_quoted_string(source, block, key, value, found)
    integer(c_intptr_t), intent(in) :: source
    character(len=*), intent(in) :: block, key
    character(len=*), intent(out) :: value
    logical, intent(out) :: found
    character(kind=c_char) :: buffer(12)
    integer :: i
    buffer = c_null_char
    found = rto_read_quoted_string_c(source, trim(block) // c_null_char, &
                                     trim(key) // c_null_char, buffer) /= 0
    value = ' '
    if (.not. found) return
    do i = 1, min(len(value), lynx_value_length)
      if (buffer(i) == c_null_char) exit
      value(i:i) = buffer(i)
    end do
  end subroutine rto_read_quoted_string

  ! The same reading from the reader's current file (the one the solver, or
  ! the embedded host's nolt_select, chose).  Trailing blanks of block and
  ! key are not part of them.  error is the reader's own status (the
  ! embedded host: 0, or -1 when no file is current).
  subroutine rto_read_quoted_string_f2c(block, key, value, found, error)
    character(len=*), intent(in) :: block, key
    character(len=*), intent(out) :: value
    logical, intent(out) :: found
    integer(c_int32_t), intent(out), optional :: error
    character(len=12) :: buffer
    integer(c_int32_t) :: host_error, host_found
    buffer = ' '
    call rto_read_quoted_string_f2c_c(block, int(len(block), c_intptr_t), &
                                      int(len_trim(block), c_int32_t), key, &
                                      int(len(key), c_intptr_t), int(len_trim(key), c_int32_t), &
                                      buffer, int(len(buffer), c_intptr_t), host_error, host_found)
    found = host_found /= 0
    value = ' '
    if (found) value = buffer
    if (present(error)) error = host_error
  end subroutine rto_read_quoted_string_f2c

  ! The model's units: has_units is true when the dataset has a UNITS
  ! statement; scales are the time, length, force and mass factors (one
  ! model unit in second, metre, newton, kilogram), codes the four unit
  ! codes in the same order.
  subroutine gtunts(has_units, scales, codes)
    logical, intent(out) :: has_units
    real(c_double), intent(out) :: scales(4)
    character(len=2), intent(out), optional :: codes(4)
    character(len=8) :: buffer
    integer(c_int32_t) :: host_units
    integer :: i
    buffer = ' '
    call gtunts_c(host_units, scales, buffer, 2_c_intptr_t)
    has_units = host_logical(host_units)
    if (present(codes)) then
      do i = 1, 4
        codes(i) = buffer(2 * i - 1:2 * i)
      end do
    end if
  end subroutine gtunts

  ! Reports message to the host with an end word ('WARN', 'STOP' or
  ! 'stop'), the element identifier and an error flag.  The message goes as
  ! it is, trailing blanks included; the end word without them.
  subroutine errmes(flag, message, identifier, end_word)
    logical, intent(in) :: flag
    character(len=*), intent(in) :: message, end_word
    integer(c_int32_t), intent(in) :: identifier
    call errmes_c(host_value(flag), message, int(len(message), c_intptr_t), identifier, &
                  end_word, int(len_trim(end_word), c_intptr_t))
  end subroutine errmes

  ! The same report through the routine that takes C strings.  The message
  ! goes as it is (pass trim(text) to drop trailing blanks); the end word
  ! without trailing blanks.
  subroutine c_errmes(flag, message, identifier, end_word)
    integer(c_int32_t), intent(in) :: flag, identifier
    character(len=*), intent(in) :: message, end_word
    call c_errmes_c(flag, message // c_null_char, identifier, trim(end_word) // c_null_char)
  end subroutine c_errmes

  ! An informational message (end word 'INFO_NOPAD'); returns the host's
  ! result.  Texts as for c_errmes.
  function c_usrmes(flag, message, identifier, end_word) result(host_result)
    integer(c_int32_t), intent(in) :: flag, identifier
    character(len=*), intent(in) :: message, end_word
    integer(c_int32_t) :: host_result
    host_result = c_usrmes_c(flag, message // c_null_char, identifier, &
                             trim(end_word) // c_null_char)
  end function c_usrmes

  ! The host's 80-character output name, blank-padded or cut into text.
  subroutine gtout(text)
    character(len=*), intent(out) :: text
    character(len=lynx_output_name_length) :: buffer
    buffer = ' '
    call gtout_c(buffer, int(len(buffer), c_intptr_t))
    text = buffer
  end subroutine gtout

  ! The host string held under identifier, blank-padded into text; count is
  ! its meaningful length, never more than len(text).
  subroutine gtstrg(identifier, text, count)
    integer(c_int32_t), intent(in) :: identifier
    character(len=*), intent(out) :: text
    integer(c_int32_t), intent(out) :: count
    integer(c_int32_t) :: last
    last = 0
    call gtstrg_c(identifier, text, int(len(text), c_intptr_t), count, last)
  end subroutine gtstrg

  ! A solver vector: kind is 'UVX', 'UVY' or 'UVZ', ids the element
  ! identifiers; values receives the x, y and z components.  count and
  ! error are the host's own (the library reads neither).
  subroutine sysary(kind, ids, values, count, error)
    character(len=*), intent(in) :: kind
    integer(c_int32_t), intent(in) :: ids(:)
    real(c_double), intent(out) :: values(3)
    integer(c_int32_t), intent(out), optional :: count
    logical, intent(out), optional :: error
    integer(c_int32_t) :: host_count, host_error, nids, id_copy(max(size(ids), 1))
    nids = int(size(ids), c_int32_t)
    id_copy = 0
    id_copy(1:size(ids)) = ids
    host_count = 0
    host_error = 0
    call sysary_c(kind, int(len_trim(kind), c_intptr_t), id_copy, nids, values, host_count, &
                  host_error)
    if (present(count)) count = host_count
    if (present(error)) error = host_logical(host_error)
  end subroutine sysary

  ! The host's logicals: -1 true, 0 false; read by the lowest bit.
  elemental logical function host_logical(value)
    integer(c_int32_t), intent(in) :: value
    host_logical = iand(value, 1_c_int32_t) /= 0
  end function host_logical

  elemental integer(c_int32_t) function host_value(flag)
    logical, intent(in) :: flag
    host_value = merge(-1_c_int32_t, 0_c_int32_t, flag)
  end function host_value

end module lynx_services
