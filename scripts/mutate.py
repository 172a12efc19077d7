#!/usr/bin/python3
"""Mutation check: how many small faults in src/ does the test suite catch?

Enumerates every single, small change ("mutant") of the library's C++
sources under src/<family>/, samples some of them reproducibly, and for each
one builds the suite with the change and runs it until the first failure.
A mutant is killed when a test fails (or the suite runs past its time
limit), survives when every test passes, and did not compile when the build
fails.  See docs/mutation.md.

  scripts/mutate.py --list                      candidates per family
  scripts/mutate.py --seed 1 --count 24         a sample of 24, two at a time
  scripts/mutate.py --seed 1 --per-family 5 --min-score 90   what the test stage runs

The checkout itself is never changed: each worker mutates its own copy of
the source tree under build/mutate/<k>/src-copy, with its own build folder.
"""

import argparse
import bisect
import hashlib
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import threading
import time
from collections import Counter, namedtuple
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
EQUIVALENTS = ROOT / "scripts" / "mutate-equivalent.txt"
FAMILIES = ("frame", "units", "algebra", "interp", "tire")
SOURCE_SUFFIXES = (".cpp", ".hpp")

Token = namedtuple("Token", "kind text start end")
Mutant = namedtuple("Mutant", "path start end replacement kind")

# --- Reading C++ ------------------------------------------------------------

PUNCTUATORS = sorted(
    """>>= <<= ... -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= ::
    { } [ ] ( ) ; : , . ? ~ ! + - * / % ^ & | = < >""".split(),
    key=len,
    reverse=True,
)
IDENT = re.compile(r"[A-Za-z_]\w*")
NUMBER = re.compile(r"(?:\d|\.\d)(?:[eEpP][+-]|'(?=[0-9a-fA-F])|[\w.])*")
RAW_STRING = re.compile(r'(?:u8|[uUL])?R"([^(\s]*)\(')
STRING_PREFIX = re.compile(r'(?:u8|[uUL])?["\']')


def tokenize(text):
    """The tokens of one source file, without comments or preprocessor lines.

    String and character literals are kept (kind "str") so that neighbours
    are right, but are never mutated.
    """
    tokens = []
    i, n = 0, len(text)
    line_start = True  # only blanks since the last newline
    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if c == "#" and line_start:
            # A preprocessor line, with its continuation lines.
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    i += 2
                elif text.startswith("/*", i):
                    end = text.find("*/", i + 2)
                    i = n if end < 0 else end + 2
                else:
                    i += 1
            continue
        line_start = False
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = n if end < 0 else end + 2
            continue
        m = RAW_STRING.match(text, i)
        if m:
            close = ")" + m.group(1) + '"'
            end = text.find(close, m.end())
            end = n if end < 0 else end + len(close)
            tokens.append(Token("str", text[i:end], i, end))
            i = end
            continue
        m = STRING_PREFIX.match(text, i)
        if m:
            quote = text[m.end() - 1]
            j = m.end()
            while j < n and text[j] != quote and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            tokens.append(Token("str", text[i:j], i, j))
            i = j
            continue
        m = NUMBER.match(text, i)
        if m:
            tokens.append(Token("num", m.group(), i, m.end()))
            i = m.end()
            continue
        m = IDENT.match(text, i)
        if m:
            tokens.append(Token("id", m.group(), i, m.end()))
            i = m.end()
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, i):
                tokens.append(Token("punct", p, i, i + len(p)))
                i += len(p)
                break
        else:
            i += 1  # a character C++ has no use for outside literals
    return tokens


# --- Where the changes go ---------------------------------------------------

TYPE_WORDS = {
    "auto", "bool", "char", "const", "constexpr", "double", "float", "int", "long", "short",
    "signed", "unsigned", "void", "volatile", "size_t", "operator", "typename", "class",
    "struct", "enum", "static", "inline", "extern", "mutable",
}
KEYWORDS = TYPE_WORDS | {
    "return", "if", "else", "for", "while", "do", "switch", "case", "default", "break",
    "continue", "goto", "sizeof", "new", "delete", "throw", "using", "namespace", "template",
    "typedef", "static_assert", "alignof", "decltype", "noexcept", "true", "false", "nullptr",
    "this", "public", "private", "protected", "friend", "virtual", "explicit",
}
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*", "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*="}
COMPARISON = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
LOGICAL = {"&&": "||", "||": "&&"}
QUIET_MACROS = {"LYNX_UNROLL"}
INT_LITERAL = re.compile(r"(0[xX][0-9a-fA-F']+|[0-9][0-9']*)([uUlL]*)$")
FLOAT_LITERAL = re.compile(r"((?:\d[\d']*)?\.?\d*(?:[eE][+-]?\d+)?)([fFlL]?)$")


def looks_like_type(tok):
    """Whether an identifier before * or & most likely names a type."""
    return tok.kind == "id" and (
        tok.text in TYPE_WORDS or tok.text.endswith("_t") or tok.text[:1].isupper()
    )


def declarator_spacing(text, tok):
    """Whether * or && is written as the project's format writes a pointer or
    reference declarator (T *p, T &&r), not as a binary operator (a * b)."""
    return text[tok.start - 1:tok.start].isspace() and not text[tok.end:tok.end + 1].isspace()


def ends_operand(tok):
    """Whether a token can end the left operand of a binary operator."""
    if tok is None:
        return False
    if tok.kind in ("num", "str"):
        return True
    if tok.kind == "id":
        return tok.text not in KEYWORDS or tok.text in ("true", "false", "this", "nullptr")
    return tok.text in (")", "]")


def matching(tokens, k, open_, close):
    """Index of the token closing the bracket at tokens[k], or None."""
    depth = 0
    for j in range(k, len(tokens)):
        if tokens[j].text == open_:
            depth += 1
        elif tokens[j].text == close:
            depth -= 1
            if depth == 0:
                return j
    return None


def template_closers(tokens):
    """Indices of < and > tokens that bracket template arguments."""
    marks = set()
    allowed = {"::", ",", "*", "&", "<", ">", ">>"}
    for k, tok in enumerate(tokens):
        if tok.text != "<" or k == 0 or tokens[k - 1].kind != "id":
            continue
        depth, j, inside = 0, k, []
        while j < len(tokens):
            t = tokens[j]
            if t.text == "<":
                depth += 1
            elif t.text in (">", ">>"):
                depth -= 2 if t.text == ">>" else 1
            elif not (t.kind in ("id", "num") or t.text in allowed):
                break
            inside.append(j)
            if depth <= 0:
                marks.update(inside)
                break
            j += 1
    return marks


def mutate_number(text):
    """The changed literal: 0 -> 1, 1 -> 0, integer n -> n + 1; floating
    0 -> 1, 1 -> 0, other x -> 2x.  None for what it does not read."""
    m = INT_LITERAL.match(text)
    if m:
        body, suffix = m.group(1).replace("'", ""), m.group(2)
        if body.startswith("0") and len(body) > 1 and body[1] not in "xX":
            return None  # octal: leave alone
        value = int(body, 0)
        new = 0 if value == 1 else value + 1
        return (hex(new) if body[:2].lower() == "0x" else str(new)) + suffix
    m = FLOAT_LITERAL.match(text)
    if m and m.group(1):
        try:
            value = float(m.group(1).replace("'", ""))
        except ValueError:
            return None
        if value == 0.0:
            new = "1.0"
        elif value == 1.0:
            new = "0.0"
        else:
            new = repr(value * 2.0)
        return new + m.group(2)
    return None


def removable_statement(text, tokens, k, line_ends):
    """(start, end) of a whole-line statement starting at tokens[k] that can
    be removed, or None.  Declarations, returns and statements that share
    their line or run over several lines are left alone."""
    tok = tokens[k]
    if k > 0 and tokens[k - 1].text not in (";", "{", "}"):
        return None
    if tok.kind == "id" and (tok.text in TYPE_WORDS or tok.text in (
            "return", "else", "case", "default", "using", "namespace", "template", "typedef",
            "static_assert", "do", "switch")):
        return None
    if tok.kind not in ("id", "punct") or tok.text in ("{", "}", ";", "#"):
        return None
    line_start = text.rfind("\n", 0, tok.start) + 1
    if text[line_start:tok.start].strip():
        return None
    line_end = line_ends[bisect.bisect_left(line_ends, tok.start)]
    # The statement's tokens: to the end of its line, which must end in ';'.
    j = k
    depth = 0
    while j < len(tokens) and tokens[j].start < line_end:
        t = tokens[j].text
        if t in ("{", "}"):
            return None
        depth += {"(": 1, ")": -1, "[": 1, "]": -1}.get(t, 0)
        j += 1
    last = tokens[j - 1]
    if last.text != ";" or depth != 0:
        return None
    # A declaration: a (qualified, templated) type name followed by a name.
    i = k
    if tokens[i].kind == "id" and tokens[i].text not in KEYWORDS:
        while i + 2 < j and tokens[i + 1].text == "::" and tokens[i + 2].kind == "id":
            i += 2
        if i + 1 < j and tokens[i + 1].text == "<":
            close = matching(tokens, i + 1, "<", ">")
            i = close if close is not None else i
        nxt = i + 1
        while nxt < j and tokens[nxt].text in ("*", "&", "const"):
            nxt += 1
        if nxt < j and tokens[nxt].kind == "id" and tokens[nxt].text not in KEYWORDS:
            return None
    return line_start, last.end


def declares_array(tokens, k):
    """Whether the [ at tokens[k] sizes an array in a declaration (T name[n]):
    the token before the name is a type."""
    if k < 2 or tokens[k - 1].kind != "id":
        return False
    before = tokens[k - 2]
    return (before.kind == "id" and before.text not in ("return", "case", "else")) or before.text in (
        "*", "&", ">")


def simple_index(tokens, a, b):
    """Whether tokens[a:b] is a simple index expression: a name, possibly
    with a member access, plus or minus a name or a number."""
    inner = tokens[a:b]
    if not inner or all(t.kind == "num" for t in inner) or len(inner) > 5:
        return False
    if inner[0].kind != "id" or inner[0].text in KEYWORDS:
        return False
    return all(t.kind in ("id", "num") or t.text in ("+", "-", ".", "->") for t in inner)


def mutants_of(path, text):
    """Every candidate change of one file, in file order."""
    tokens = tokenize(text)
    templates = template_closers(tokens)
    line_ends = [m.start() for m in re.finditer("\n", text)] + [len(text)]
    found = []
    # Numbers that size arrays in declarations or only advise the compiler:
    # changing them changes no result.
    quiet = set()
    for k, tok in enumerate(tokens):
        if tok.text == "(" and k > 0 and tokens[k - 1].text in QUIET_MACROS:
            close = matching(tokens, k, "(", ")")
            quiet.update(range(k, close if close is not None else k))
        elif tok.text == "[" and declares_array(tokens, k):
            close = matching(tokens, k, "[", "]")
            quiet.update(range(k, close if close is not None else k))

    def add(start, end, replacement, kind):
        found.append(Mutant(path, start, end, replacement, kind))

    for k, tok in enumerate(tokens):
        prev = tokens[k - 1] if k > 0 else None
        before_prev = tokens[k - 2] if k > 1 else None
        t = tok.text
        if tok.kind == "num":
            if k in templates or k in quiet:
                continue  # a capacity, an array's size or a compiler hint
            new = mutate_number(t)
            if new is not None and new != t:
                add(tok.start, tok.end, new, "constant")
        elif tok.kind == "punct" and t in ARITHMETIC and ends_operand(prev):
            # const T *p, T *const p: a pointer, not a product.
            if t == "*" and (looks_like_type(prev) or (before_prev is not None and before_prev.text == "const")
                             or (k + 1 < len(tokens) and tokens[k + 1].text == "const")
                             or declarator_spacing(text, tok)):
                continue
            add(tok.start, tok.end, ARITHMETIC[t], "arithmetic")
        elif tok.kind == "punct" and t in COMPARISON and k not in templates and ends_operand(prev):
            if prev.kind == "id" and prev.text == "operator":
                continue
            add(tok.start, tok.end, COMPARISON[t], "comparison")
        elif (tok.kind == "punct" and t in LOGICAL and ends_operand(prev) and not looks_like_type(prev)
              and not declarator_spacing(text, tok)):
            add(tok.start, tok.end, LOGICAL[t], "logical")
        elif t == "[" and prev is not None and (prev.kind == "id" or prev.text in (")", "]")):
            if (prev.kind == "id" and prev.text in KEYWORDS) or declares_array(tokens, k):
                continue
            close = matching(tokens, k, "[", "]")
            if close is None or not simple_index(tokens, k + 1, close):
                continue
            expr = text[tokens[k + 1].start:tokens[close - 1].end]
            add(tokens[k + 1].start, tokens[close - 1].end, expr + " + 1", "index")
            add(tokens[k + 1].start, tokens[close - 1].end, expr + " - 1", "index")
        elif tok.kind == "id" and t in ("if", "while") and k + 1 < len(tokens) and tokens[k + 1].text == "(":
            close = matching(tokens, k + 1, "(", ")")
            if close is None or close == k + 2:
                continue
            if any(x.text == ";" for x in tokens[k + 2:close]):
                continue  # an if with an initialiser
            inner = text[tokens[k + 2].start:tokens[close - 1].end]
            add(tokens[k + 2].start, tokens[close - 1].end, "!(" + inner + ")", "condition")
        if tok.kind in ("id", "punct"):
            span = removable_statement(text, tokens, k, line_ends)
            if span is not None:
                add(span[0], span[1], "", "statement")
    return found


def source_files():
    files = []
    for family in FAMILIES:
        for p in sorted((ROOT / "src" / family).iterdir()):
            if p.suffix in SOURCE_SUFFIXES and p.is_file():
                files.append(p.relative_to(ROOT).as_posix())
    return files


def all_mutants(families):
    result = []
    for rel in source_files():
        if rel.split("/")[1] in families:
            result.extend(mutants_of(rel, (ROOT / rel).read_text()))
    return result


def family_of(mutant):
    return mutant.path.split("/")[1]


def change_of(mutant, text):
    """(line, before, after): the mutant's line of the file text, as it is
    and as the change makes it."""
    line = text.count("\n", 0, mutant.start) + 1
    before = text.splitlines()[line - 1].strip()
    changed = text[:mutant.start] + mutant.replacement + text[mutant.end:]
    after = changed.splitlines()[line - 1].strip() if mutant.replacement else "(removed)"
    return line, before, after


def describe(mutant, text):
    """file:line: before -> after, for a mutant of the file text."""
    line, before, after = change_of(mutant, text)
    return f"{mutant.path}:{line}: {before} -> {after}"


def equivalence_key(mutant, text):
    """file: before -> after, as the list of equivalent changes names a
    mutant: without the line number, so that the entry outlives edits
    elsewhere in the file."""
    _, before, after = change_of(mutant, text)
    return f"{mutant.path}: {before} -> {after}"


def read_equivalents(path):
    """{key: reason} from the list of changes that make no difference: each
    entry is a line "file: before -> after" followed by indented lines that
    say why; lines starting with # are comments."""
    reasons = {}
    key = None
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        if not raw.strip() or raw.startswith("#"):
            continue
        if raw[0].isspace():
            if key is None:
                raise ValueError(f"{path}:{number}: a reason without the change it explains")
            reasons[key] = (reasons[key] + " " + raw.strip()).strip()
        else:
            key = raw.rstrip()
            reasons[key] = ""
    for key, reason in reasons.items():
        if not reason:
            raise ValueError(f"{path}: no reason is given for '{key}'")
    return reasons


# --- Running ----------------------------------------------------------------


class Interrupted(Exception):
    pass


class Worker:
    """One copy of the source tree with its own build folder."""

    def __init__(self, index, build_jobs, stop):
        self.index = index
        self.copy = ROOT / "build" / "mutate" / str(index) / "src-copy"
        self.build = self.copy / "build" / "mutation"
        self.build_jobs = build_jobs
        self.stop = stop
        self.process = None
        self.suite_seconds = None
        self.build_seconds = 0.0
        self.log = ROOT / "build" / "mutate" / str(index) / "last.log"
        self.objects = {}

    def object_files(self):
        return self.build.rglob("*.o")

    def sync(self):
        """Makes the copy equal to the checkout, rewriting only the files that
        differ, so the build stays incremental and nothing left by an earlier
        run that was killed outright survives into this one."""
        self.copy.mkdir(parents=True, exist_ok=True)
        seen = set()
        for dirpath, dirnames, filenames in os.walk(ROOT):
            rel_dir = Path(dirpath).relative_to(ROOT)
            if rel_dir == Path("."):
                dirnames[:] = [d for d in dirnames if d not in ("build", ".git")]
            dirnames.sort()
            for name in filenames:
                rel = rel_dir / name
                seen.add(rel)
                src, dst = ROOT / rel, self.copy / rel
                data = src.read_bytes()
                if not dst.is_file() or dst.read_bytes() != data:
                    dst.parent.mkdir(parents=True, exist_ok=True)
                    dst.write_bytes(data)
                    shutil.copymode(src, dst)
        for dirpath, dirnames, filenames in os.walk(self.copy):
            rel_dir = Path(dirpath).relative_to(self.copy)
            if rel_dir == Path("."):
                dirnames[:] = [d for d in dirnames if d not in ("build", ".git")]
            for name in filenames:
                if rel_dir / name not in seen:
                    (self.copy / rel_dir / name).unlink()

    def run(self, args, timeout=None):
        """Runs a command in the copy; (exit status or None on timeout, seconds)."""
        if self.stop.is_set():
            raise Interrupted()
        start = time.monotonic()
        with open(self.log, "ab") as log:
            log.write(("$ " + " ".join(args) + "\n").encode())
            log.flush()
            self.process = subprocess.Popen(args, cwd=self.copy, stdout=log, stderr=subprocess.STDOUT,
                                            stdin=subprocess.DEVNULL, start_new_session=True)
            if self.stop.is_set():  # stopped while the process was being started
                self.kill()
            try:
                status = self.process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.kill()
                self.process.wait()
                status = None
            finally:
                self.process = None
        if self.stop.is_set():
            raise Interrupted()
        return status, time.monotonic() - start

    def kill(self):
        process = self.process
        if process is not None:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass

    def build_suite(self):
        return self.run(["cmake", "--build", str(self.build), "-j", str(self.build_jobs)])[0] == 0

    def test_suite(self, timeout):
        return self.run(["ctest", "--test-dir", str(self.build), "--stop-on-failure",
                         "-j", str(self.build_jobs), "--timeout", str(int(timeout))], timeout)

    def prepare(self):
        """Copies, configures (first time only), builds and tests the unchanged
        tree; the suite must pass there for any mutant to mean something."""
        self.log.parent.mkdir(parents=True, exist_ok=True)
        self.log.write_bytes(b"")
        self.sync()
        if not (self.build / "CMakeCache.txt").is_file():
            status, _ = self.run(["cmake", "--preset", "mutation"])
            if status != 0:
                raise RuntimeError(f"worker {self.index}: configuring failed, see {self.log}")
        if not self.build_suite():
            raise RuntimeError(f"worker {self.index}: the unchanged tree does not build, see {self.log}")
        status, seconds = self.test_suite(3600)
        if status != 0:
            raise RuntimeError(f"worker {self.index}: the suite fails on the unchanged tree, see {self.log}")
        self.suite_seconds = seconds
        self.objects = {p: hashlib.sha256(p.read_bytes()).digest() for p in self.object_files()}

    def try_mutant(self, mutant, limit):
        """Builds and tests one mutant; its file is restored whatever happens."""
        target = self.copy / mutant.path
        original = target.read_bytes()
        text = original.decode()
        try:
            target.write_text(text[:mutant.start] + mutant.replacement + text[mutant.end:])
            self.log.write_bytes(b"")
            built = time.monotonic()
            since = time.time_ns()
            compiled = self.build_suite()
            self.build_seconds = time.monotonic() - built
            if not compiled:
                return "did-not-compile"
            # Code this build does not compile (the legacy 32-bit build's
            # part of a file) gives every object as it was: nothing to test.
            rebuilt = [p for p in self.object_files() if p.stat().st_mtime_ns >= since]
            if all(hashlib.sha256(p.read_bytes()).digest() == self.objects.get(p) for p in rebuilt):
                return "not-built"
            status, _ = self.test_suite(limit)
            if status is None:
                return "killed (timeout)"
            return "survived" if status == 0 else "killed"
        finally:
            target.write_bytes(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=1, help="sampling seed (default 1)")
    parser.add_argument("--count", type=int, default=24, help="mutants to run (default 24)")
    parser.add_argument("--per-family", type=int, default=None, metavar="N",
                        help="instead of --count: N mutants of each family")
    parser.add_argument("--jobs", type=int, default=min(2, os.cpu_count() or 1),
                        help="mutants at a time, each in its own copy (default min(2, cores))")
    parser.add_argument("--family", action="append", choices=FAMILIES,
                        help="only this family (repeatable; default all)")
    parser.add_argument("--min-score", type=float, default=None, metavar="P",
                        help="exit 1 when killed/(killed+survived) is below P percent")
    parser.add_argument("--time-limit", type=float, default=None, metavar="S",
                        help="seconds the suite may run for one mutant (default 3x the unchanged run + 30)")
    parser.add_argument("--only", type=int, nargs="+", metavar="N",
                        help="run these candidates (their numbers, as --list --show and the report "
                             "print them) instead of a sample")
    parser.add_argument("--list", action="store_true", help="count the candidates per family and stop")
    parser.add_argument("--show", action="store_true", help="with --list: print every candidate too")
    args = parser.parse_args()
    families = tuple(args.family or FAMILIES)

    mutants = all_mutants(families)
    texts = {m.path: (ROOT / m.path).read_text() for m in mutants}
    if args.list:
        by_family = Counter(family_of(m) for m in mutants)
        by_kind = Counter(m.kind for m in mutants)
        for family in families:
            print(f"{family:8} {by_family[family]:5}")
        print(f"{'total':8} {len(mutants):5}")
        print("kinds: " + ", ".join(f"{k} {v}" for k, v in sorted(by_kind.items())))
        if args.show:
            for number, m in enumerate(mutants):
                print(f"#{number:<5} {m.kind:10} {describe(m, texts[m.path])}")
        return 0
    equivalents = read_equivalents(EQUIVALENTS)

    if args.only:
        wrong = [n for n in args.only if not 0 <= n < len(mutants)]
        if wrong:
            parser.error(f"no candidate numbered {wrong[0]} (there are {len(mutants)})")
        chosen = sorted(set(args.only))
        print(f"mutate: {len(chosen)} chosen of {len(mutants)} candidates, {args.jobs} at a time")
    elif args.per_family is not None:
        rng = random.Random(args.seed)
        chosen = []
        for family in families:
            own = [i for i, m in enumerate(mutants) if family_of(m) == family]
            chosen += rng.sample(own, min(args.per_family, len(own)))
        chosen.sort()
        print(f"mutate: {len(chosen)} of {len(mutants)} candidates, {args.per_family} per family "
              f"(seed {args.seed}), {args.jobs} at a time")
    else:
        chosen = sorted(random.Random(args.seed).sample(range(len(mutants)),
                                                        min(args.count, len(mutants))))
        print(f"mutate: {len(chosen)} of {len(mutants)} candidates (seed {args.seed}), "
              f"{args.jobs} at a time")
    count = len(chosen)
    sample = [mutants[i] for i in chosen]

    cores = os.cpu_count() or 1
    stop = threading.Event()
    workers = [Worker(k, max(1, cores // args.jobs), stop) for k in range(max(1, min(args.jobs, count)))]
    results = [None] * count
    errors = []
    lock = threading.Lock()
    next_index = [0]

    def work(worker):
        try:
            worker.prepare()
            limit = args.time_limit or 3 * worker.suite_seconds + 30
            with lock:
                print(f"worker {worker.index}: unchanged suite passes in {worker.suite_seconds:.0f} s; "
                      f"time limit {limit:.0f} s", flush=True)
            while not stop.is_set():
                with lock:
                    i = next_index[0]
                    next_index[0] += 1
                if i >= count:
                    return
                start = time.monotonic()
                worker.build_seconds = 0.0
                outcome = worker.try_mutant(sample[i], limit)
                if outcome == "survived" and equivalence_key(sample[i], texts[sample[i].path]) in equivalents:
                    outcome = "equivalent"
                results[i] = outcome
                with lock:
                    done = sum(r is not None for r in results)
                    print(f"[{done}/{count}] {outcome:16} #{chosen[i]} {describe(sample[i], texts[sample[i].path])}"
                          f" ({time.monotonic() - start:.0f} s, build {worker.build_seconds:.0f} s)", flush=True)
        except Interrupted:
            pass
        except Exception as error:  # reported below; the other workers stop too
            with lock:
                errors.append(str(error))
            stop.set()

    # Ctrl-C or SIGTERM stops the workers' builds and tests; each worker
    # then restores its file and ends.  The handler raises nothing: an
    # exception in the main thread while it joins a worker can leave that
    # worker running, unjoined, as the interpreter exits mid-restore.
    interrupted = threading.Event()

    def on_signal(signum, frame):
        interrupted.set()
        stop.set()
        for w in workers:
            w.kill()

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)
    threads = [threading.Thread(target=work, args=(w,)) for w in workers]
    for t in threads:
        t.start()
    while any(t.is_alive() for t in threads):
        time.sleep(0.2)
    for t in threads:
        t.join()
    if interrupted.is_set():
        print("mutate: interrupted; every copy is restored (the checkout itself is never changed);"
              " the mutants finished so far:")
    if errors:
        for e in errors:
            print("mutate: " + e, file=sys.stderr)
        return 2

    table = {f: Counter() for f in families}
    survivors, equivalent, mislisted = [], [], []
    for number, m, outcome in zip(chosen, sample, results):
        if outcome is None:
            continue
        table[family_of(m)][outcome.split()[0]] += 1
        text = texts[m.path]
        if outcome == "survived":
            survivors.append(f"#{number} {describe(m, text)}")
        elif outcome == "equivalent":
            equivalent.append(f"#{number} {describe(m, text)}\n      {equivalents[equivalence_key(m, text)]}")
        elif equivalence_key(m, text) in equivalents:
            mislisted.append(f"#{number} {describe(m, text)}")

    def score(c):
        total = c["killed"] + c["survived"]
        return f"{100.0 * c['killed'] / total:5.1f} %" if total else "    -  "

    def row(name, c):
        return (f"{name:8} {c['killed']:7} {c['survived']:9} {c['equivalent']:11} "
                f"{c['did-not-compile']:11} {c['not-built']:10} {score(c):>8}")

    print(f"\n{'family':8} {'killed':>7} {'survived':>9} {'equivalent':>11} {'no-compile':>11} "
          f"{'not-built':>10} {'score':>8}")
    overall = Counter()
    for f in families:
        overall.update(table[f])
        print(row(f, table[f]))
    print(row("all", overall))
    print("score: killed / (killed + survived); equivalent changes are listed, with the reason,"
          f" in {EQUIVALENTS.relative_to(ROOT)}")
    for title, lines in (("survivors", survivors), ("equivalent", equivalent),
                         ("listed as equivalent, yet killed (take them off the list)", mislisted)):
        if lines:
            print(f"\n{title}:")
            for line in lines:
                print("  " + line)
    if stop.is_set():
        return 130
    if args.min_score is not None:
        measured = overall["killed"] + overall["survived"]
        if measured == 0:
            print("mutate: no mutant compiled, so there is no score", file=sys.stderr)
            return 1
        value = 100.0 * overall["killed"] / measured
        if value < args.min_score:
            print(f"mutate: score {value:.1f} % is below {args.min_score:g} %", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
