! lynx_utility: the lynxUtility library for Fortran programs.
!
!   use lynx_utility
!   character(len=12) :: names(5) = [character(len=12) :: 'newton', 'kg', 'mm', 'second', 'deg']
!   real(c_double) :: model_factors(5), unit_factors(5)
!   call kxunfn(names, model_factors, unit_factors)
!
! Every routine of the library has an interface here.  What the module does
! for you:
!
! * Texts.  The library's upper-case routines take each text followed
!   directly by its length, passed by value as a pointer-sized integer.  No
!   Fortran compiler puts hidden lengths there, so a plain call cannot work.
!   The wrappers take ordinary character(len=*) arguments and pass each
!   length in its slot.  Where a routine reads a fixed number of characters
!   (KXCONV reads 10, KXUNFN 60), the wrapper copies your text into a buffer
!   of exactly that size first, blank-filled or cut, so a short text is
!   never read past its end.
! * Logicals.  The library writes -1 for true and 0 for false.  A Fortran
!   logical that receives -1 can test true both as l and as .not. l, so the
!   wrappers hand you a real Fortran logical instead.
! * NUL-terminated strings.  The lower-case routines (kx_...) take C
!   strings; the wrappers add the NUL to your character variable and give
!   results back as blank-padded Fortran texts with their lengths.
! * Numbers.  Doubles are real(c_double), integers integer(c_int32_t) (the
!   default integer of gfortran); counts are passed as ordinary arguments.
!   For the numerical routines the interface is the bind(C) interface
!   itself: call kxv_add(sum, a, b, n) is the natural call.
!
! The raw bind(C) interfaces of the routines that take texts or logicals
! stay public under the routine's name followed by _c (kxconv_c, ...), for
! programs that manage buffers and lengths themselves.
!
! Arrays: element 1 first, as in the library.  A 3x3 matrix is real(c_double)
! :: m(3, 3) (column-major on both sides); an axis system is (3, 4): the x, y
! and z directions, then the origin.  The Fortran standard forbids passing
! the same array twice when the routine changes one of them; use a copy
! where the C documentation allows the result to be an operand.
!
! See docs/fortran.md for the whole guide and docs/reference/ for each
! routine.
module lynx_utility
  use, intrinsic :: iso_c_binding, only: c_char, c_double, c_int, c_int32_t, c_intptr_t, c_ptr, &
                                         c_size_t, c_null_char, c_null_ptr, c_f_pointer, &
                                         c_associated
  use, intrinsic :: iso_fortran_env, only: output_unit
  implicit none
  private

  ! A logical as the library writes it.
  integer(c_int32_t), parameter, public :: lynx_true = -1_c_int32_t
  integer(c_int32_t), parameter, public :: lynx_false = 0_c_int32_t
  ! Characters in one unit name and in one unit code.
  integer, parameter, public :: lynx_unit_name_length = 12
  integer, parameter, public :: lynx_unit_code_length = 2
  ! Characters a host string may hold (kx_gtstrg).
  integer, parameter, public :: lynx_host_string_length = 256

  ! A plane point: x, then y (the library's lynx_point).
  type, bind(C), public :: lynx_point
    real(c_double) :: x = 0.0_c_double
    real(c_double) :: y = 0.0_c_double
  end type lynx_point

  public :: lynx_logical_value

  ! Wrappers: texts, logicals and C strings handled for you.
  public :: upcase, kx_build_mes, kx_msg_to_all, kx_gtout, kx_gtstrg, c_getenv, orb_getenv
  public :: lynxutility_version, lynxutility_build_version
  public :: kxconv, kxunfn, kxunfn_f2c, kx_kxunfn, atrtou, kxunmp
  public :: kxf_tir_axis, var907

  ! Raw bind(C) interfaces of the routines above.
  public :: upcase_c, kx_build_mes_c, kx_msg_to_all_c, kx_gtout_c, kx_gtstrg_c, c_getenv_c
  public :: orb_getenv_c, lynxutility_version_c, lynxutility_build_version_c
  public :: kxconv_c, kxunfn_c, kxunfn_f2c_c, kx_kxunfn_c, atrtou_c, kxunmp_c
  public :: kxf_tir_axis_c, var907_c

  ! Routines whose bind(C) interface is already the natural call.
  public :: kx_read_file_units, get_time_conv, get_mass_conv, get_length_conv, get_force_conv
  public :: kxv_add, avec, kxv_sub, kxv_scale, svecdp, kxv_assign, copydp, kxv_nullv
  public :: kxv_dot, fsdot, kxv_magntd, veclth, kxv_cross, fscross, kxv_unitv, vecuni
  public :: fsm31, fsm3t1, fsm33, fsm3t3, skew, t31, t33, t3t3, t33t
  public :: transformmatrix, transformskewmatrix, fseulmat
  public :: diag, block, m66, fszero, zeroi, fsizero
  public :: kx_spline_coeffs, kx_spline_interpolate, kx_akima_coeffs
  public :: point_norm, point_mult, point_add, kx_renner_spline_coeffs, kx_renner_spline_interpolate

  ! KXCONV takes its codes as one 10-character text or as five codes.
  interface kxconv
    module procedure kxconv_text, kxconv_codes
  end interface kxconv

  ! KXUNFN takes its names as five texts or as one 60-character text.
  interface kxunfn
    module procedure kxunfn_names, kxunfn_text
  end interface kxunfn

  interface

    ! ---------------------------------------------------------------- frame
    subroutine upcase_c(text, text_length) bind(C, name="UPCASE")
      import :: c_char, c_intptr_t
      character(kind=c_char), intent(inout) :: text(*)
      integer(c_intptr_t), value :: text_length
    end subroutine upcase_c

    subroutine kx_build_mes_c(message, message_length, limit, insert, insert_length) &
        bind(C, name="KX_BUILD_MES")
      import :: c_char, c_intptr_t, c_int32_t
      character(kind=c_char), intent(inout) :: message(*)
      integer(c_intptr_t), value :: message_length
      integer(c_int32_t), intent(in) :: limit
      character(kind=c_char), intent(in) :: insert(*)
      integer(c_intptr_t), value :: insert_length
    end subroutine kx_build_mes_c

    function kx_msg_to_all_c(message) result(host_result) bind(C, name="kx_msg_to_all")
      import :: c_char, c_int32_t
      character(kind=c_char), intent(in) :: message(*)
      integer(c_int32_t) :: host_result
    end function kx_msg_to_all_c

    function kx_gtout_c(buffer) result(word_length) bind(C, name="kx_gtout")
      import :: c_char, c_int32_t
      character(kind=c_char), intent(out) :: buffer(80)
      integer(c_int32_t) :: word_length
    end function kx_gtout_c

    subroutine kx_gtstrg_c(identifier, buffer, count, last) bind(C, name="kx_gtstrg")
      import :: c_char, c_int32_t
      integer(c_int32_t), value :: identifier
      character(kind=c_char), intent(out) :: buffer(257)
      integer(c_int32_t), intent(out) :: count
      integer(c_int32_t), intent(inout) :: last
    end subroutine kx_gtstrg_c

    subroutine c_getenv_c(name, name_length, value, value_length) bind(C, name="C_GETENV")
      import :: c_char, c_intptr_t
      character(kind=c_char), intent(in) :: name(*)        ! NUL-terminated
      integer(c_intptr_t), value :: name_length             ! not used
      character(kind=c_char), intent(out) :: value(*)
      integer(c_intptr_t), value :: value_length
    end subroutine c_getenv_c

    subroutine orb_getenv_c(name, name_length, value, value_length) bind(C, name="ORB_GETENV")
      import :: c_char, c_intptr_t
      character(kind=c_char), intent(in) :: name(*)
      integer(c_intptr_t), value :: name_length
      character(kind=c_char), intent(out) :: value(*)
      integer(c_intptr_t), value :: value_length
    end subroutine orb_getenv_c

    ! -------------------------------------------------------------- version
    function lynxutility_version_c() result(version) bind(C, name="lynxUtility_version")
      import :: c_ptr
      type(c_ptr) :: version
    end function lynxutility_version_c

    function lynxutility_build_version_c() result(version) &
        bind(C, name="lynxUtility_build_version")
      import :: c_ptr
      type(c_ptr) :: version
    end function lynxutility_build_version_c

    ! ---------------------------------------------------------------- units
    subroutine kxconv_c(codes, codes_length, factors) bind(C, name="KXCONV")
      import :: c_char, c_intptr_t, c_double
      character(kind=c_char), intent(inout) :: codes(*)     ! 10 characters are read
      integer(c_intptr_t), value :: codes_length
      real(c_double), intent(out) :: factors(5)
    end subroutine kxconv_c

    subroutine kxunfn_c(names, names_length, model_factors, unit_factors) bind(C, name="KXUNFN")
      import :: c_char, c_intptr_t, c_double
      character(kind=c_char), intent(in) :: names(*)        ! 60 characters are read
      integer(c_intptr_t), value :: names_length
      real(c_double), intent(out) :: model_factors(5), unit_factors(5)
    end subroutine kxunfn_c

    subroutine kxunfn_f2c_c(force_name, force_name_length, mass_name, mass_name_length, &
                            length_name, length_name_length, time_name, time_name_length, &
                            angle_name, angle_name_length, model_factors, unit_factors) &
        bind(C, name="KXUNFN_F2C")
      import :: c_char, c_intptr_t, c_double
      character(kind=c_char), intent(in) :: force_name(*), mass_name(*), length_name(*)
      character(kind=c_char), intent(in) :: time_name(*), angle_name(*)
      integer(c_intptr_t), value :: force_name_length, mass_name_length, length_name_length
      integer(c_intptr_t), value :: time_name_length, angle_name_length
      real(c_double), intent(out) :: model_factors(5), unit_factors(5)
    end subroutine kxunfn_f2c_c

    subroutine kx_kxunfn_c(force_name, mass_name, length_name, time_name, angle_name, &
                           model_factors, unit_factors) bind(C, name="kx_kxunfn")
      import :: c_char, c_double
      character(kind=c_char), intent(in) :: force_name(*), mass_name(*), length_name(*)
      character(kind=c_char), intent(in) :: time_name(*), angle_name(*)
      real(c_double), intent(out) :: model_factors(5), unit_factors(5)
    end subroutine kx_kxunfn_c

    ! source: the property-file reader's handle of the open file; identifier:
    ! your element identifier, used in the warnings.
    subroutine kx_read_file_units(source, identifier, model_factors, unit_factors) &
        bind(C, name="kx_read_file_units")
      import :: c_intptr_t, c_int32_t, c_double
      integer(c_intptr_t), value :: source
      integer(c_int32_t), value :: identifier
      real(c_double), intent(out) :: model_factors(5), unit_factors(5)
    end subroutine kx_read_file_units

    subroutine atrtou_c(identifier, unit_names, unit_names_length) bind(C, name="ATRTOU")
      import :: c_char, c_intptr_t, c_int32_t
      integer(c_int32_t), intent(in) :: identifier
      character(kind=c_char), intent(inout) :: unit_names(*) ! 60 characters are written
      integer(c_intptr_t), value :: unit_names_length
    end subroutine atrtou_c

    function get_time_conv() result(factor) bind(C, name="GET_TIME_CONV")
      import :: c_double
      real(c_double) :: factor
    end function get_time_conv

    function get_mass_conv() result(factor) bind(C, name="GET_MASS_CONV")
      import :: c_double
      real(c_double) :: factor
    end function get_mass_conv

    function get_length_conv() result(factor) bind(C, name="GET_LENGTH_CONV")
      import :: c_double
      real(c_double) :: factor
    end function get_length_conv

    function get_force_conv() result(factor) bind(C, name="GET_FORCE_CONV")
      import :: c_double
      real(c_double) :: factor
    end function get_force_conv

    subroutine kxunmp_c(unit_names, unit_names_length, unit_codes, unit_codes_length) &
        bind(C, name="KXUNMP")
      import :: c_char, c_intptr_t
      character(kind=c_char), intent(in) :: unit_names(*)    ! 60 characters are read
      integer(c_intptr_t), value :: unit_names_length
      character(kind=c_char), intent(inout) :: unit_codes(*) ! 10 characters are written
      integer(c_intptr_t), value :: unit_codes_length
    end subroutine kxunmp_c

    ! -------------------------------------------------------------- vectors
    subroutine kxv_add(sum, a, b, count) bind(C, name="KXV_ADD")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: sum(*)
      real(c_double), intent(in) :: a(*), b(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine kxv_add

    subroutine avec(sum, a, b, count) bind(C, name="AVEC")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: sum(*)
      real(c_double), intent(in) :: a(*), b(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine avec

    subroutine kxv_sub(difference, a, b, count) bind(C, name="KXV_SUB")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: difference(*)
      real(c_double), intent(in) :: a(*), b(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine kxv_sub

    subroutine kxv_scale(scaled, scale, a, count) bind(C, name="KXV_SCALE")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: scaled(*)
      real(c_double), intent(in) :: scale, a(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine kxv_scale

    subroutine svecdp(scaled, a, scale, count) bind(C, name="SVECDP")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: scaled(*)
      real(c_double), intent(in) :: a(*), scale
      integer(c_int32_t), intent(in) :: count
    end subroutine svecdp

    subroutine kxv_assign(copy, a, count) bind(C, name="KXV_ASSIGN")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: copy(*)
      real(c_double), intent(in) :: a(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine kxv_assign

    subroutine copydp(copy, a, count) bind(C, name="COPYDP")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: copy(*)
      real(c_double), intent(in) :: a(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine copydp

    subroutine kxv_nullv(vector, count) bind(C, name="KXV_NULLV")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: vector(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine kxv_nullv

    function kxv_dot(a, b, count) result(dot) bind(C, name="KXV_DOT")
      import :: c_double, c_int32_t
      real(c_double), intent(in) :: a(*), b(*)
      integer(c_int32_t), intent(in) :: count
      real(c_double) :: dot
    end function kxv_dot

    function fsdot(a, b, count) result(dot) bind(C, name="FSDOT")
      import :: c_double, c_int32_t
      real(c_double), intent(in) :: a(*), b(*)
      integer(c_int32_t), intent(in) :: count
      real(c_double) :: dot
    end function fsdot

    ! a(1) is read whatever the count: a must hold at least one element.
    function kxv_magntd(a, count) result(magnitude) bind(C, name="KXV_MAGNTD")
      import :: c_double, c_int32_t
      real(c_double), intent(in) :: a(*)
      integer(c_int32_t), intent(in) :: count
      real(c_double) :: magnitude
    end function kxv_magntd

    function veclth(a) result(magnitude) bind(C, name="VECLTH")
      import :: c_double
      real(c_double), intent(in) :: a(3)
      real(c_double) :: magnitude
    end function veclth

    subroutine kxv_cross(cross, a, b, count) bind(C, name="KXV_CROSS")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: cross(*)
      real(c_double), intent(in) :: a(*), b(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine kxv_cross

    subroutine fscross(cross, a, b) bind(C, name="FSCROSS")
      import :: c_double
      real(c_double), intent(out) :: cross(3)
      real(c_double), intent(in) :: a(3), b(3)
    end subroutine fscross

    ! status: 0, or -1 when |a| < 1.0e-29 (unit is then the null vector).
    subroutine kxv_unitv(unit, a, count, status) bind(C, name="KXV_UNITV")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: unit(*)
      real(c_double), intent(in) :: a(*)
      integer(c_int32_t), intent(in) :: count
      integer(c_int32_t), intent(out) :: status
    end subroutine kxv_unitv

    subroutine vecuni(vector) bind(C, name="VECUNI")
      import :: c_double
      real(c_double), intent(inout) :: vector(3)
    end subroutine vecuni

    ! ------------------------------------------------------------- matrices
    subroutine fsm31(product, matrix, vector) bind(C, name="FSM31")
      import :: c_double
      real(c_double), intent(out) :: product(3)
      real(c_double), intent(in) :: matrix(3, 3), vector(3)
    end subroutine fsm31

    subroutine fsm3t1(product, matrix, vector) bind(C, name="FSM3T1")
      import :: c_double
      real(c_double), intent(out) :: product(3)
      real(c_double), intent(in) :: matrix(3, 3), vector(3)
    end subroutine fsm3t1

    subroutine fsm33(product, left, right) bind(C, name="FSM33")
      import :: c_double
      real(c_double), intent(out) :: product(3, 3)
      real(c_double), intent(in) :: left(3, 3), right(3, 3)
    end subroutine fsm33

    subroutine fsm3t3(product, left, right) bind(C, name="FSM3T3")
      import :: c_double
      real(c_double), intent(out) :: product(3, 3)
      real(c_double), intent(in) :: left(3, 3), right(3, 3)
    end subroutine fsm3t3

    subroutine skew(tilde, a) bind(C, name="SKEW")
      import :: c_double
      real(c_double), intent(out) :: tilde(3, 3)
      real(c_double), intent(in) :: a(3)
    end subroutine skew

    subroutine t31(cross, a, b) bind(C, name="T31")
      import :: c_double
      real(c_double), intent(out) :: cross(3)
      real(c_double), intent(in) :: a(3), b(3)
    end subroutine t31

    subroutine t33(product, a, matrix) bind(C, name="T33")
      import :: c_double
      real(c_double), intent(out) :: product(3, 3)
      real(c_double), intent(in) :: a(3), matrix(3, 3)
    end subroutine t33

    subroutine t3t3(product, a, matrix) bind(C, name="T3T3")
      import :: c_double
      real(c_double), intent(out) :: product(3, 3)
      real(c_double), intent(in) :: a(3), matrix(3, 3)
    end subroutine t3t3

    subroutine t33t(product, a, matrix) bind(C, name="T33T")
      import :: c_double
      real(c_double), intent(out) :: product(3, 3)
      real(c_double), intent(in) :: a(3), matrix(3, 3)
    end subroutine t33t

    subroutine transformmatrix(transformed, rotation, matrix) bind(C, name="TRANSFORMMATRIX")
      import :: c_double
      real(c_double), intent(out) :: transformed(3, 3)
      real(c_double), intent(in) :: rotation(3, 3), matrix(3, 3)
    end subroutine transformmatrix

    subroutine transformskewmatrix(transformed, rotation, w) bind(C, name="TRANSFORMSKEWMATRIX")
      import :: c_double
      real(c_double), intent(out) :: transformed(3, 3)
      real(c_double), intent(in) :: rotation(3, 3), w(3)
    end subroutine transformskewmatrix

    subroutine fseulmat(rotation, sin_first, cos_first, sin_second, cos_second, sin_third, &
                        cos_third) bind(C, name="FSEULMAT")
      import :: c_double
      real(c_double), intent(out) :: rotation(3, 3)
      real(c_double), intent(in) :: sin_first, cos_first, sin_second, cos_second
      real(c_double), intent(in) :: sin_third, cos_third
    end subroutine fseulmat

    ! next: the position (from 1) of the next coordinate; advanced by size.
    subroutine diag(rows, cols, next, first_row, first_col, size) bind(C, name="DIAG")
      import :: c_int32_t
      integer(c_int32_t), intent(inout) :: rows(*), cols(*), next
      integer(c_int32_t), intent(in) :: first_row, first_col, size
    end subroutine diag

    subroutine block(rows, cols, next, first_row, first_col, row_count, col_count) &
        bind(C, name="BLOCK")
      import :: c_int32_t
      integer(c_int32_t), intent(inout) :: rows(*), cols(*), next
      integer(c_int32_t), intent(in) :: first_row, first_col, row_count, col_count
    end subroutine block

    subroutine m66(product, left, right) bind(C, name="M66")
      import :: c_double
      real(c_double), intent(out) :: product(6, 6)
      real(c_double), intent(in) :: left(6, 6), right(6, 6)
    end subroutine m66

    subroutine fszero(values, count) bind(C, name="FSZERO")
      import :: c_double, c_int32_t
      real(c_double), intent(inout) :: values(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine fszero

    subroutine zeroi(values, count) bind(C, name="ZEROI")
      import :: c_int32_t
      integer(c_int32_t), intent(inout) :: values(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine zeroi

    subroutine fsizero(values, count) bind(C, name="FSIZERO")
      import :: c_int32_t
      integer(c_int32_t), intent(inout) :: values(*)
      integer(c_int32_t), intent(in) :: count
    end subroutine fsizero

    ! -------------------------------------------------------------- splines
    ! Mind the counts: knots for the cubic fit and the evaluation, intervals
    ! (knots - 1) for Akima, segments (points - 1) for the Renner fit and
    ! points for its evaluation.
    subroutine kx_spline_coeffs(knot_count, x, y, b, c, d) bind(C, name="kx_spline_coeffs")
      import :: c_double, c_int32_t
      integer(c_int32_t), value :: knot_count
      real(c_double), intent(in) :: x(*), y(*)
      real(c_double), intent(inout) :: b(*), c(*), d(*)
    end subroutine kx_spline_coeffs

    subroutine kx_spline_interpolate(xv, knot_count, x, y, b, c, d, value, first_derivative, &
                                     second_derivative) bind(C, name="kx_spline_interpolate")
      import :: c_double, c_int32_t
      real(c_double), value :: xv
      integer(c_int32_t), value :: knot_count
      real(c_double), intent(in) :: x(*), y(*), b(*), c(*), d(*)
      real(c_double), intent(out) :: value, first_derivative, second_derivative
    end subroutine kx_spline_interpolate

    subroutine kx_akima_coeffs(interval_count, x, y, b, c, d) bind(C, name="kx_akima_coeffs")
      import :: c_double, c_int32_t
      integer(c_int32_t), value :: interval_count
      real(c_double), intent(in) :: x(*), y(*)
      real(c_double), intent(inout) :: b(*), c(*), d(*)
    end subroutine kx_akima_coeffs

    function point_norm(p) result(norm) bind(C, name="point_norm")
      import :: c_double, lynx_point
      type(lynx_point), value :: p
      real(c_double) :: norm
    end function point_norm

    function point_mult(p, q) result(dot) bind(C, name="point_mult")
      import :: c_double, lynx_point
      type(lynx_point), value :: p, q
      real(c_double) :: dot
    end function point_mult

    function point_add(p, q) result(sum) bind(C, name="point_add")
      import :: lynx_point
      type(lynx_point), value :: p, q
      type(lynx_point) :: sum
    end function point_add

    subroutine kx_renner_spline_coeffs(segment_count, points, b, c, d) &
        bind(C, name="kx_renner_spline_coeffs")
      import :: c_int32_t, lynx_point
      integer(c_int32_t), value :: segment_count
      type(lynx_point), intent(in) :: points(*)
      type(lynx_point), intent(inout) :: b(*), c(*), d(*)
    end subroutine kx_renner_spline_coeffs

    subroutine kx_renner_spline_interpolate(t, point_count, points, b, c, d, position, &
                                            first_derivative, second_derivative) &
        bind(C, name="kx_renner_spline_interpolate")
      import :: c_double, c_int32_t, lynx_point
      real(c_double), value :: t
      integer(c_int32_t), value :: point_count
      type(lynx_point), intent(in) :: points(*), b(*), c(*), d(*)
      type(lynx_point), intent(out) :: position, first_derivative, second_derivative
    end subroutine kx_renner_spline_interpolate

    ! ----------------------------------------------------------------- tire
    function kxf_tir_axis_c(in_range, distance, wheel_axes, wheel_axes_reversed, contact_axes, &
                            contact_axes_reversed, threshold, spin_axis, wheel_centre, &
                            road_normal, road_point, road_offset) result(status) &
        bind(C, name="KXF_TIR_AXIS")
      import :: c_double, c_int32_t
      integer(c_int32_t), intent(out) :: in_range       ! -1 true, 0 false
      real(c_double), intent(out) :: distance
      real(c_double), intent(out) :: wheel_axes(12), wheel_axes_reversed(12)
      real(c_double), intent(out) :: contact_axes(12), contact_axes_reversed(12)
      real(c_double), intent(in) :: threshold, spin_axis(3), wheel_centre(3)
      real(c_double), intent(in) :: road_normal(3), road_point(3), road_offset
      integer(c_int32_t) :: status
    end function kxf_tir_axis_c

    ! Arguments 2, 5 and 6 are part of the host's calling sequence and are
    ! never read: pass c_null_ptr or c_loc of anything.
    subroutine var907_c(identifier, not_read_2, par, npar, not_read_5, not_read_6, value) &
        bind(C, name="VAR907")
      import :: c_double, c_int32_t, c_ptr
      integer(c_int32_t), intent(in) :: identifier
      type(c_ptr), value :: not_read_2
      real(c_double), intent(in) :: par(*)
      integer(c_int32_t), intent(in) :: npar
      type(c_ptr), value :: not_read_5, not_read_6
      real(c_double), intent(inout) :: value
    end subroutine var907_c

  end interface

  ! From the C library, to read the library's version strings and to flush
  ! its standard output.
  interface
    function c_strlen(text) result(length) bind(C, name="strlen")
      import :: c_ptr, c_size_t
      type(c_ptr), value :: text
      integer(c_size_t) :: length
    end function c_strlen

    function c_fflush(stream) result(status) bind(C, name="fflush")
      import :: c_ptr, c_int
      integer(c_int) :: status
      type(c_ptr), value :: stream
    end function c_fflush
  end interface

contains

  ! A logical as the library writes it (-1 or 0, read by its lowest bit) as
  ! a Fortran logical.
  elemental logical function lynx_logical_value(flag)
    integer(c_int32_t), intent(in) :: flag
    lynx_logical_value = btest(flag, 0)
  end function lynx_logical_value

  ! ------------------------------------------------------------------ frame

  ! Upper-cases the letters a-z of text in place.
  subroutine upcase(text)
    character(len=*), intent(inout) :: text
    call upcase_c(text, len(text, kind=c_intptr_t))
  end subroutine upcase

  ! Inserts the meaningful part of insert into message at its first '$'
  ! (see the C documentation for the limit).
  subroutine kx_build_mes(message, limit, insert)
    character(len=*), intent(inout) :: message
    integer(c_int32_t), intent(in) :: limit
    character(len=*), intent(in) :: insert
    call kx_build_mes_c(message, len(message, kind=c_intptr_t), limit, insert, &
                        len(insert, kind=c_intptr_t))
  end subroutine kx_build_mes

  ! Sends message to the host as information; returns the host's result.
  ! The text goes as it is, trailing blanks included: pass trim(text) to
  ! drop them.
  function kx_msg_to_all(message) result(host_result)
    character(len=*), intent(in) :: message
    integer(c_int32_t) :: host_result
    host_result = kx_msg_to_all_c(message // c_null_char)
  end function kx_msg_to_all

  ! The first word of the host's output name, blank-padded into word, and
  ! its length (0 when the name is all blanks).
  subroutine kx_gtout(word, length)
    character(len=*), intent(out) :: word
    integer(c_int32_t), intent(out), optional :: length
    character(kind=c_char) :: buffer(80)
    integer(c_int32_t) :: word_length
    word_length = kx_gtout_c(buffer)
    call from_buffer(buffer, word_length, word)
    if (present(length)) length = word_length
  end subroutine kx_gtout

  ! The host string held under identifier, blank-padded into text (cut when
  ! text is shorter), and its number of characters (at most 256).  last is
  ! handed to the host unread by the library.
  subroutine kx_gtstrg(identifier, text, count, last)
    integer(c_int32_t), intent(in) :: identifier
    character(len=*), intent(out) :: text
    integer(c_int32_t), intent(out), optional :: count
    integer(c_int32_t), intent(inout), optional :: last
    character(kind=c_char) :: buffer(lynx_host_string_length + 1)
    integer(c_int32_t) :: host_count, host_last
    host_last = lynx_false
    if (present(last)) host_last = last
    call kx_gtstrg_c(identifier, buffer, host_count, host_last)
    call from_buffer(buffer, host_count, text)
    if (present(count)) count = host_count
    if (present(last)) last = host_last
  end subroutine kx_gtstrg

  ! The environment variable name (up to its first blank) into value, cut or
  ! blank-filled; all blanks when it is not set.
  subroutine c_getenv(name, value)
    character(len=*), intent(in) :: name
    character(len=*), intent(out) :: value
    call c_getenv_c(trim(name) // c_null_char, len_trim(name, kind=c_intptr_t), value, &
                    len(value, kind=c_intptr_t))
  end subroutine c_getenv

  ! c_getenv under the library's second name.
  subroutine orb_getenv(name, value)
    character(len=*), intent(in) :: name
    character(len=*), intent(out) :: value
    call orb_getenv_c(trim(name) // c_null_char, len_trim(name, kind=c_intptr_t), value, &
                      len(value, kind=c_intptr_t))
  end subroutine orb_getenv

  ! ---------------------------------------------------------------- version

  ! Prints the library's identification lines on standard output and
  ! returns the release version.  Fortran's and C's standard output are
  ! flushed around the call so the lines come out in order.
  function lynxutility_version() result(version)
    character(len=:), allocatable :: version
    integer(c_int) :: status
    flush (output_unit)
    version = from_c_string(lynxutility_version_c())
    status = c_fflush(c_null_ptr)
  end function lynxutility_version

  ! The release version, printing nothing.
  function lynxutility_build_version() result(version)
    character(len=:), allocatable :: version
    version = from_c_string(lynxutility_build_version_c())
  end function lynxutility_build_version

  ! ------------------------------------------------------------------ units

  ! Five unit codes as one text of 10 characters (a shorter text is
  ! blank-filled, and its blank codes are reported as unknown).  The codes
  ! come back upper-cased.
  subroutine kxconv_text(codes, factors)
    character(len=*), intent(inout) :: codes
    real(c_double), intent(out) :: factors(5)
    character(len=5 * lynx_unit_code_length) :: buffer
    integer :: n
    buffer = codes
    call kxconv_c(buffer, len(buffer, kind=c_intptr_t), factors)
    n = min(len(codes), len(buffer))
    codes(1:n) = buffer(1:n)
  end subroutine kxconv_text

  ! Five unit codes as an array, codes(1) force to codes(5) angle.
  subroutine kxconv_codes(codes, factors)
    character(len=*), intent(inout) :: codes(5)
    real(c_double), intent(out) :: factors(5)
    character(len=5 * lynx_unit_code_length) :: buffer
    integer :: i
    buffer = join(codes, lynx_unit_code_length)
    call kxconv_c(buffer, len(buffer, kind=c_intptr_t), factors)
    do i = 1, 5
      codes(i) = buffer(2 * i - 1:2 * i)
    end do
  end subroutine kxconv_codes

  ! Five unit names, names(1) force to names(5) angle, each cut or
  ! blank-filled to 12 characters.
  subroutine kxunfn_names(names, model_factors, unit_factors)
    character(len=*), intent(in) :: names(5)
    real(c_double), intent(out) :: model_factors(5), unit_factors(5)
    character(len=5 * lynx_unit_name_length) :: buffer
    buffer = join(names, lynx_unit_name_length)
    call kxunfn_c(buffer, len(buffer, kind=c_intptr_t), model_factors, unit_factors)
  end subroutine kxunfn_names

  ! Five 12-character names laid end to end in one text.
  subroutine kxunfn_text(names, model_factors, unit_factors)
    character(len=*), intent(in) :: names
    real(c_double), intent(out) :: model_factors(5), unit_factors(5)
    character(len=5 * lynx_unit_name_length) :: buffer
    buffer = names
    call kxunfn_c(buffer, len(buffer, kind=c_intptr_t), model_factors, unit_factors)
  end subroutine kxunfn_text

  ! Five separate names of any length; each name is its first 12
  ! characters.
  subroutine kxunfn_f2c(force_name, mass_name, length_name, time_name, angle_name, &
                        model_factors, unit_factors)
    character(len=*), intent(in) :: force_name, mass_name, length_name, time_name, angle_name
    real(c_double), intent(out) :: model_factors(5), unit_factors(5)
    call kxunfn_f2c_c(force_name, len(force_name, kind=c_intptr_t), &
                      mass_name, len(mass_name, kind=c_intptr_t), &
                      length_name, len(length_name, kind=c_intptr_t), &
                      time_name, len(time_name, kind=c_intptr_t), &
                      angle_name, len(angle_name, kind=c_intptr_t), model_factors, unit_factors)
  end subroutine kxunfn_f2c

  ! The same through the C-string form: each name goes as it is, trailing
  ! blanks included, so a blank name counts as blank (the model's unit) and
  ! an empty one ('') as unrecognised.
  subroutine kx_kxunfn(force_name, mass_name, length_name, time_name, angle_name, &
                       model_factors, unit_factors)
    character(len=*), intent(in) :: force_name, mass_name, length_name, time_name, angle_name
    real(c_double), intent(out) :: model_factors(5), unit_factors(5)
    call kx_kxunfn_c(force_name // c_null_char, mass_name // c_null_char, &
                     length_name // c_null_char, time_name // c_null_char, &
                     angle_name // c_null_char, model_factors, unit_factors)
  end subroutine kx_kxunfn

  ! The five unit names of block UNITS of the reader's current file, each
  ! blank-padded to 12 characters and then cut or filled to the length of
  ! unit_names.  The name of a missing key keeps what unit_names held.
  subroutine atrtou(identifier, unit_names)
    integer(c_int32_t), intent(in) :: identifier
    character(len=*), intent(inout) :: unit_names(5)
    character(len=5 * lynx_unit_name_length) :: buffer
    integer :: i
    buffer = join(unit_names, lynx_unit_name_length)
    call atrtou_c(identifier, buffer, len(buffer, kind=c_intptr_t))
    do i = 1, 5
      unit_names(i) = buffer(12 * i - 11:12 * i)
    end do
  end subroutine atrtou

  ! Unit names to unit codes by the unit-name table.  The code of an
  ! unrecognised name keeps what unit_codes held.
  subroutine kxunmp(unit_names, unit_codes)
    character(len=*), intent(in) :: unit_names(5)
    character(len=*), intent(inout) :: unit_codes(5)
    character(len=5 * lynx_unit_name_length) :: names
    character(len=5 * lynx_unit_code_length) :: codes
    integer :: i
    names = join(unit_names, lynx_unit_name_length)
    codes = join(unit_codes, lynx_unit_code_length)
    call kxunmp_c(names, len(names, kind=c_intptr_t), codes, len(codes, kind=c_intptr_t))
    do i = 1, 5
      unit_codes(i) = codes(2 * i - 1:2 * i)
    end do
  end subroutine kxunmp

  ! ------------------------------------------------------------------- tire

  ! The wheel-centre and contact-point axis systems; see the C documentation
  ! of KXF_TIR_AXIS.  Axis systems are (3, 4): columns x, y, z, origin.
  ! Returns 0, or -1 when the spin axis is parallel to the road normal (all
  ! axis systems zero, distance 0, in_range false).
  function kxf_tir_axis(in_range, distance, wheel_axes, wheel_axes_reversed, contact_axes, &
                        contact_axes_reversed, threshold, spin_axis, wheel_centre, road_normal, &
                        road_point, road_offset) result(status)
    logical, intent(out) :: in_range
    real(c_double), intent(out) :: distance
    real(c_double), intent(out) :: wheel_axes(3, 4), wheel_axes_reversed(3, 4)
    real(c_double), intent(out) :: contact_axes(3, 4), contact_axes_reversed(3, 4)
    real(c_double), intent(in) :: threshold, spin_axis(3), wheel_centre(3)
    real(c_double), intent(in) :: road_normal(3), road_point(3), road_offset
    integer(c_int32_t) :: status
    integer(c_int32_t) :: flag
    status = kxf_tir_axis_c(flag, distance, wheel_axes, wheel_axes_reversed, contact_axes, &
                            contact_axes_reversed, threshold, spin_axis, wheel_centre, &
                            road_normal, road_point, road_offset)
    in_range = lynx_logical_value(flag)
  end function kxf_tir_axis

  ! One component of a solver vector: par(2:4) element identifiers, par(5)
  ! the direction (1 UVX, 2 UVY, 3 UVZ), par(6) the component (1 x, 2 y,
  ! 3 z).  value is left as it was when the parameters are faulty.
  subroutine var907(identifier, par, npar, value)
    integer(c_int32_t), intent(in) :: identifier
    real(c_double), intent(in) :: par(*)
    integer(c_int32_t), intent(in) :: npar
    real(c_double), intent(inout) :: value
    call var907_c(identifier, c_null_ptr, par, npar, c_null_ptr, c_null_ptr, value)
  end subroutine var907

  ! ---------------------------------------------------------------- helpers

  ! Five texts, each cut or blank-filled to width, end to end.
  pure function join(texts, width) result(joined)
    character(len=*), intent(in) :: texts(5)
    integer, intent(in) :: width
    character(len=5 * width) :: joined
    integer :: i
    do i = 1, 5
      joined(width * (i - 1) + 1:width * i) = texts(i)
    end do
  end function join

  ! The first count characters of a C buffer into a blank-padded text.
  pure subroutine from_buffer(buffer, count, text)
    character(kind=c_char), intent(in) :: buffer(:)
    integer(c_int32_t), intent(in) :: count
    character(len=*), intent(out) :: text
    integer :: i
    text = ' '
    do i = 1, min(int(count), len(text), size(buffer))
      text(i:i) = buffer(i)
    end do
  end subroutine from_buffer

  ! A NUL-terminated string of the library as a Fortran text.
  function from_c_string(pointer) result(text)
    type(c_ptr), intent(in) :: pointer
    character(len=:), allocatable :: text
    character(kind=c_char), pointer :: chars(:)
    integer :: i, n
    if (.not. c_associated(pointer)) then
      text = ''
      return
    end if
    n = int(c_strlen(pointer))
    call c_f_pointer(pointer, chars, [n])
    allocate (character(len=n) :: text)
    do i = 1, n
      text(i:i) = chars(i)
    end do
  end function from_c_string

end module lynx_utility
