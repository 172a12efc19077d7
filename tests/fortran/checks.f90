! Checks shared by the Fortran test programs: each failed check prints what
! differed, and finish() ends the program with a failure status if any did.
module checks
  use, intrinsic :: iso_c_binding, only: c_double, c_int64_t
  implicit none
  private
  public :: check, check_bits, check_text, finish

  integer :: failures = 0

contains

  subroutine check(label, condition)
    character(len=*), intent(in) :: label
    logical, intent(in) :: condition
    if (.not. condition) then
      failures = failures + 1
      print '(a, a)', 'FAILED: ', label
    end if
  end subroutine check

  ! The same 64-bit pattern: signed zeros and the last bit count.
  elemental impure subroutine check_bits(label, got, expected)
    character(len=*), intent(in) :: label
    real(c_double), intent(in) :: got, expected
    if (transfer(got, 0_c_int64_t) /= transfer(expected, 0_c_int64_t)) then
      failures = failures + 1
      print '(a, a, a, es25.17, a, es25.17)', 'FAILED: ', label, ': got ', got, ', expected ', &
        expected
    end if
  end subroutine check_bits

  ! Equal texts, trailing blanks aside (Fortran's comparison).
  subroutine check_text(label, got, expected)
    character(len=*), intent(in) :: label, got, expected
    if (got /= expected) then
      failures = failures + 1
      print '(a, a, a, a, a, a, a)', 'FAILED: ', label, ": got '", got, "', expected '", &
        expected, "'"
    end if
  end subroutine check_text

  subroutine finish(program_name)
    character(len=*), intent(in) :: program_name
    if (failures > 0) then
      print '(a, a, i0, a)', program_name, ': ', failures, ' check(s) failed'
      error stop 1
    end if
    print '(a, a)', program_name, ': all checks passed'
  end subroutine finish

end module checks
