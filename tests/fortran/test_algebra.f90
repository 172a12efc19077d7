! The vector and matrix routines through the lynx_utility module: Fortran
! arrays meet the library's layout (a(3, 3) is column-major on both sides)
! and the results are the library's to the bit.
program test_algebra
  use, intrinsic :: iso_c_binding
  use lynx_utility
  use checks
  implicit none
  real(c_double) :: u(3), v(3), w(3), y(4), m(3, 3), p(3, 3), q(3, 3)
  real(c_double) :: big(6, 6), prod(6, 6), result(6, 6)
  integer(c_int32_t) :: status, rows(8), cols(8), next, ints(6), i

  ! KXV_UNITV multiplies by the reciprocal, VECUNI divides (0.6 differs).
  call kxv_unitv(u, [0.0_c_double, 3.0_c_double, 4.0_c_double], 3, status)
  call check('kxv_unitv status', status == 0)
  call check_bits('kxv_unitv', u, [0.0_c_double, nearest(0.6_c_double, 1.0_c_double), &
                                   0.8_c_double])
  v = [0.0_c_double, 3.0_c_double, 4.0_c_double]
  call vecuni(v)
  call check_bits('vecuni', v, [0.0_c_double, 0.6_c_double, 0.8_c_double])
  call kxv_unitv(u, [0.0_c_double, 0.0_c_double, 0.0_c_double], 3, status)
  call check('kxv_unitv of the null vector', status == -1 .and. all(u == 0.0_c_double))
  ! A count of zero writes nothing but still reads a(1).
  y = 7.0_c_double
  call kxv_unitv(y, [0.0_c_double], 0, status)
  call check('kxv_unitv with count 0', status == -1 .and. all(y == 7.0_c_double))

  ! Sums, scaling in both argument orders, lengths, dot products.
  call kxv_add(y, [1.0_c_double, 2.0_c_double, 3.0_c_double, 4.0_c_double], &
               [0.5_c_double, 0.5_c_double, 0.5_c_double, 0.5_c_double], 3)
  call check_bits('kxv_add writes count elements', y, &
                  [1.5_c_double, 2.5_c_double, 3.5_c_double, 7.0_c_double])
  call kxv_scale(u, 0.1_c_double, [1.0_c_double, 2.0_c_double, 3.0_c_double], 3)
  call svecdp(v, [1.0_c_double, 2.0_c_double, 3.0_c_double], 0.1_c_double, 3)
  call check_bits('kxv_scale and svecdp agree', u, v)
  call check_bits('kxv_magntd', kxv_magntd([3.0_c_double, 4.0_c_double], 2), 5.0_c_double)
  call check_bits('kxv_magntd count 0 reads a(1)', kxv_magntd([-2.0_c_double], 0), 2.0_c_double)
  call check_bits('veclth', veclth([2.0_c_double, 3.0_c_double, 6.0_c_double]), 7.0_c_double)
  call check_bits('kxv_dot', kxv_dot([1.0_c_double, 2.0_c_double], [3.0_c_double, 4.0_c_double], &
                                     2), 11.0_c_double)
  call check_bits('fsdot', fsdot([1.0_c_double, 2.0_c_double, 3.0_c_double], &
                                 [4.0_c_double, 5.0_c_double, 6.0_c_double], 3), 32.0_c_double)

  ! Cross products: three routines, one answer.
  call fscross(u, [1.0_c_double, 0.0_c_double, 0.0_c_double], [0.0_c_double, 1.0_c_double, &
               0.0_c_double])
  call check_bits('fscross', u, [0.0_c_double, 0.0_c_double, 1.0_c_double])
  call t31(v, [1.0_c_double, 2.0_c_double, 3.0_c_double], [-4.0_c_double, 5.0_c_double, &
           0.5_c_double])
  call kxv_cross(w, [1.0_c_double, 2.0_c_double, 3.0_c_double], [-4.0_c_double, 5.0_c_double, &
                 0.5_c_double], 3)
  call check_bits('t31 and kxv_cross agree', v, w)

  ! SKEW of (1, 2, 3): element (i, j) of the Fortran array is the matrix's.
  call skew(m, [1.0_c_double, 2.0_c_double, 3.0_c_double])
  call check_bits('skew row 1', m(1, :), [0.0_c_double, -3.0_c_double, 2.0_c_double])
  call check_bits('skew row 2', m(2, :), [3.0_c_double, 0.0_c_double, -1.0_c_double])
  call check_bits('skew row 3', m(3, :), [-2.0_c_double, 1.0_c_double, 0.0_c_double])
  ! T33 with the identity is SKEW; TRANSFORMMATRIX with it returns M.
  p = 0.0_c_double
  do i = 1, 3
    p(i, i) = 1.0_c_double
  end do
  call t33(q, [1.0_c_double, 2.0_c_double, 3.0_c_double], p)
  call check_bits('t33 of the identity is skew', q, m)
  call transformmatrix(q, p, m)
  call check_bits('transformmatrix by the identity', q, m)
  ! FSM31 and the others are matmul for small integers.
  m = reshape([2.0_c_double, -1.0_c_double, 0.0_c_double, 4.0_c_double, 3.0_c_double, &
               1.0_c_double, -2.0_c_double, 5.0_c_double, 7.0_c_double], [3, 3])
  call fsm31(u, m, [1.0_c_double, 2.0_c_double, 3.0_c_double])
  call check_bits('fsm31', u, matmul(m, [1.0_c_double, 2.0_c_double, 3.0_c_double]))
  call fsm3t1(u, m, [1.0_c_double, 2.0_c_double, 3.0_c_double])
  call check_bits('fsm3t1', u, matmul(transpose(m), [1.0_c_double, 2.0_c_double, 3.0_c_double]))
  call fsm33(p, m, m)
  call check_bits('fsm33', p, matmul(m, m))
  call fsm3t3(p, m, m)
  call check_bits('fsm3t3', p, matmul(transpose(m), m))

  ! FSEULMAT: a quarter turn about z as the first angle.
  call fseulmat(m, 1.0_c_double, 0.0_c_double, 0.0_c_double, 1.0_c_double, 0.0_c_double, &
                1.0_c_double)
  call check_bits('fseulmat row 1', m(1, :), [0.0_c_double, -1.0_c_double, 0.0_c_double])
  call check_bits('fseulmat row 2', m(2, :), [1.0_c_double, 0.0_c_double, 0.0_c_double])

  ! DIAG then BLOCK append coordinates behind each other.
  next = 1
  call diag(rows, cols, next, 4, 7, 2)
  call block(rows, cols, next, 1, 1, 2, 3)
  call check('diag and block position', next == 9)
  call check('diag and block rows', all(rows == [4, 5, 1, 2, 1, 2, 1, 2]))
  call check('diag and block columns', all(cols == [7, 8, 1, 1, 2, 2, 3, 3]))

  ! M66 with the identity; ZEROI stops at its count.
  big = 0.0_c_double
  do i = 1, 6
    big(i, i) = 1.0_c_double
  end do
  prod = reshape([(real(i, c_double), i = 1, 36)], [6, 6])
  call m66(result, big, prod)
  call check_bits('m66 with the identity', result, prod)
  ints = 9
  call zeroi(ints, 5)
  call check('zeroi', all(ints == [0, 0, 0, 0, 0, 9]))

  call finish('test_algebra')
end program test_algebra
