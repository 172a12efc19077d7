# Selects the test cases of a GoogleTest source that the 32-bit build runs:
#   awk -v absent='NAME|NAME...' -v changed='Suite.Name ...' -v out=FILE \
#       -f select-tests.awk SOURCE SOURCE
# A test case is left out when its body names a routine the 32-bit build
# does not have (absent), or when it checks a result that the 32-bit build
# gives differently by design (changed: Suite.Name, or Suite.* for a whole
# suite).  A parameterised suite goes with its instantiations: one that
# names an absent routine takes the suite's TEST_P cases with it.
# The copy keeps every line in its place (left-out lines become empty), so
# diagnostics point at the source through the leading #line.  Prints the
# number of test cases kept, or -1 when the code around them (fixtures,
# helpers) still names an absent routine: such a program is not built.
function names_absent(text) {
  return absent != "" && text ~ ("(^|[^A-Za-z0-9_])(" absent ")([^A-Za-z0-9_]|$)")
}
function changed_case(suite, name) {
  return index(" " changed " ", " " suite "." name " ") || index(" " changed " ", " " suite ".* ")
}
# Opening minus closing parentheses on a line.
function parens(line,    opened, closed) {
  opened = gsub(/\(/, "(", line); closed = gsub(/\)/, ")", line)
  return opened - closed
}
# Suite and name of a line that opens a test case; "" when it opens none.
function opening(line,    head) {
  if (line !~ /^(TEST|TEST_F|TEST_P|TYPED_TEST)\(/) return ""
  head = line
  sub(/^[A-Z_]+\( */, "", head)
  sub(/\).*/, "", head)
  gsub(/ /, "", head)
  return head
}
# First pass: the parameterised suites that lose their instantiations.
FNR == NR {
  if ($0 ~ /^INSTANTIATE_TEST_SUITE_P\(/) { inst = 1; text = ""; depth = 0; suite = $0
    sub(/^INSTANTIATE_TEST_SUITE_P\( *[A-Za-z0-9_]+, */, "", suite); sub(/[,)].*/, "", suite) }
  if (inst) { text = text "\n" $0; depth += parens($0)
    if (depth <= 0) { inst = 0; if (names_absent(text)) lost[suite] = 1 } }
  next
}
FNR == 1 { print "#line 1 \"" FILENAME "\"" > out; kept = 0 }
{
  if (!inblock) {
    head = opening($0)
    if (head != "") {
      inblock = 1; kind = "case"; split(head, part, ",")
      drop = changed_case(part[1], part[2]) || ($0 ~ /^TEST_P\(/ && (part[1] in lost))
      nlines = 0
    } else if ($0 ~ /^INSTANTIATE_TEST_SUITE_P\(/) {
      inblock = 1; kind = "inst"; drop = 0; nlines = 0; depth = 0
    }
  }
  if (!inblock) { print > out; if (names_absent($0)) rest_absent = 1; next }
  block[++nlines] = $0
  if (kind == "inst") depth += parens($0)
  if ((kind == "case" && $0 ~ /^}/) || (kind == "inst" && depth <= 0)) {
    text = ""
    for (i = 1; i <= nlines; ++i) text = text "\n" block[i]
    if (names_absent(text)) drop = 1
    for (i = 1; i <= nlines; ++i) print (drop ? "" : block[i]) > out
    if (kind == "case" && !drop) ++kept
    inblock = 0
  }
}
END { print (rest_absent ? -1 : kept) }
