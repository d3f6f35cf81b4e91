#!/usr/bin/env python3
"""Plants one fault at a time into the named source files, rebuilds the
64-bit tests in a copy of the tree and runs them: first the test program of
the file's own subsystem, and for a fault that survives it every test.
Prints each fault caught or not, and the share caught.  Called by
tools/mutate.sh, which installs what it needs."""

import argparse
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(TOP, "build", "mutate")
TREE = os.path.join(WORK, "tree")
BUILD = os.path.join(TREE, "build", "tests")
PREFIX = os.path.join(BUILD, "wine-prefix")
DRIVES = os.path.join(BUILD, "test-drives")
WINE_RUN = os.path.join(TREE, "cmake", "wine-run.sh")
TEST_DRIVES = os.path.join(TREE, "tests", "e2e", "test_drives.sh")

# The test program that a subsystem's faults are tried against first; the
# others follow for a fault that survives it.  Each runs whole in one Wine
# process, which takes a tenth of the time of one process a test.  The
# catalogue's tests read the shipped 32-bit file, which no fault reaches.
FIRST_PROGRAM = {
    "setup": "setup_tests",
    "registry": "registry_tests",
    "pages": "pages_tests",
    "shell": "shell_tests",
}
PROGRAMS = ["setup_tests", "registry_tests", "pages_tests", "shell_tests", "e2e_tests"]
TIMEOUT_S = 600

NEGATED = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
MOVED = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
SWAPPED_WORDS = {"true": "false", "false": "true", "TRUE": "FALSE", "FALSE": "TRUE",
                 "&&": "||", "||": "&&"}
STATEMENT_START = re.compile(r"^\s*(?!(?:return|if|while|for|switch|case|else|do|delete)\b)"
                             r"[A-Za-z_][\w:]*(?:(?:->|\.)[A-Za-z_]\w*)*\(")
CONSTANT = re.compile(r"\b([A-Z][A-Z0-9]*)_[A-Z0-9_]*[A-Z0-9]\b")


def masked(line):
    """The line with string and character literals and // comments blanked,
    so that no fault is planted in a text."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" " if c != quote else c)
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[:len(line)]


def is_code(line):
    text = line.strip()
    return text and not text.startswith(("#", "//", "*", "/*"))


class Mutant:
    def __init__(self, path, line, start, end, replacement, what):
        self.path, self.line, self.start, self.end = path, line, start, end
        self.replacement, self.what = replacement, what
        self.outcome, self.by = None, ""

    def key(self):
        return "%s:%d:%d:%s" % (self.path, self.line, self.start, self.what)

    def apply(self, lines):
        """lines: the file's lines; (start, end) are offsets into the text
        from the start of self.line."""
        text = "".join(lines[self.line - 1:])
        head = "".join(lines[:self.line - 1])
        return head + text[:self.start] + self.replacement + text[self.end:]


def constants_by_group(sources):
    groups = {}
    for source in sources:
        with open(source, encoding="utf-8") as f:
            for line in f:
                for m in CONSTANT.finditer(masked(line)):
                    groups.setdefault(m.group(1), set()).add(m.group(0))
    return {group: sorted(names) for group, names in groups.items() if len(names) > 1}


def statement_end(lines, index):
    """Offset, from the start of line index, just past the ';' that ends a
    call statement starting there; None when it is no call statement."""
    depth, offset = 0, 0
    for line in lines[index:index + 8]:
        code = masked(line.rstrip("\n"))
        for i, c in enumerate(code):
            depth += (c == "(") - (c == ")")
            if depth == 0 and c == ";":
                rest = code[i + 1:].strip()
                return offset + i + 1 if not rest else None
            if depth == 0 and c in "={" and i > 0:
                return None
        offset += len(line)
    return None


def line_mutants(path, lines, index, groups):
    code = masked(lines[index].rstrip("\n"))
    number = index + 1
    found = []
    for m in re.finditer(r"(?<= )(==|!=|<=|>=|<|>|&&|\|\|)(?= )", code):
        op = m.group(1)
        if op in NEGATED:
            found.append(Mutant(path, number, m.start(), m.end(), NEGATED[op],
                                "%s negated to %s" % (op, NEGATED[op])))
        if op in MOVED:
            found.append(Mutant(path, number, m.start(), m.end(), MOVED[op],
                                "bound %s moved to %s" % (op, MOVED[op])))
        if op in SWAPPED_WORDS:
            found.append(Mutant(path, number, m.start(), m.end(), SWAPPED_WORDS[op],
                                "%s swapped for %s" % (op, SWAPPED_WORDS[op])))
    for m in re.finditer(r"!(?!=)(?=[A-Za-z_(*])", code):
        found.append(Mutant(path, number, m.start(), m.end(), "", "! dropped"))
    for m in re.finditer(r"\b(true|false|TRUE|FALSE)\b", code):
        word = m.group(1)
        found.append(Mutant(path, number, m.start(), m.end(), SWAPPED_WORDS[word],
                            "%s swapped for %s" % (word, SWAPPED_WORDS[word])))
    for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", code):
        value = int(m.group(1))
        found.append(Mutant(path, number, m.start(), m.end(), str(value + 1),
                            "%d moved to %d" % (value, value + 1)))
    for m in CONSTANT.finditer(code):
        names = groups.get(m.group(1), [])
        # A name being declared is no use of a constant.
        declared = re.match(r"\s*(=(?!=)|\[|\{)", code[m.end():])
        if m.group(0) in names and not declared:
            other = names[(names.index(m.group(0)) + 1) % len(names)]
            found.append(Mutant(path, number, m.start(), m.end(), other,
                                "%s swapped for %s" % (m.group(0), other)))
    if STATEMENT_START.match(code):
        end = statement_end(lines, index)
        if end is not None:
            start = len(code) - len(code.lstrip())
            found.append(Mutant(path, number, start, end, "(void)0;", "call dropped"))
    return found


def changed_lines(path, base):
    diff = subprocess.run(["git", "diff", "-U0", base, "--", path], cwd=TOP, text=True,
                          capture_output=True, check=True).stdout
    wanted = set()
    for m in re.finditer(r"^@@ -\S+ \+(\d+)(?:,(\d+))? @@", diff, re.M):
        first, count = int(m.group(1)), int(m.group(2) or "1")
        wanted.update(range(first, first + count))
    return wanted


def plan(paths, base):
    sources = [os.path.join(dp, f) for dp, _, fs in os.walk(os.path.join(TOP, "src"))
               for f in fs if f.endswith((".cpp", ".h"))]
    groups = constants_by_group(sources)
    mutants = []
    for path in paths:
        with open(os.path.join(TOP, path), encoding="utf-8") as f:
            lines = f.readlines()
        wanted = changed_lines(path, base) if base else None
        for index, line in enumerate(lines):
            if is_code(line) and (wanted is None or index + 1 in wanted):
                mutants.extend(line_mutants(path, lines, index, groups))
    return mutants


def sample(mutants, count, seed):
    """The same count of faults for the same seed, in the order of the files."""
    if not count or len(mutants) <= count:
        return mutants
    digest = lambda m: hashlib.sha1((seed + m.key()).encode()).hexdigest()
    return sorted(sorted(mutants, key=digest)[:count], key=lambda m: (m.path, m.line, m.start))


def run(command, log, timeout=None, env=None):
    with open(log, "a") as out:
        out.write("$ %s\n" % " ".join(command))
        out.flush()
        try:
            return subprocess.run(command, cwd=TREE, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout, env=env).returncode
        except subprocess.TimeoutExpired:
            return -1


def prepare_tree(log):
    """A copy of the tracked files, built once; its -Werror goes, so that a
    fault that only warns (an unused value) is still tried."""
    files = subprocess.run(["git", "ls-files", "-z"], cwd=TOP, capture_output=True,
                           check=True).stdout.decode().split("\0")
    for name in filter(None, files):
        source, copy = os.path.join(TOP, name), os.path.join(TREE, name)
        if not os.path.isfile(source):
            continue
        os.makedirs(os.path.dirname(copy), exist_ok=True)
        if not os.path.exists(copy) or open(source, "rb").read() != open(copy, "rb").read():
            shutil.copy(source, copy)  # a new time, so that make rebuilds it
    flags = os.path.join(TREE, "CMakeLists.txt")
    with open(flags) as f:
        text = f.read()
    with open(flags, "w") as f:
        f.write(text.replace(" -Werror", ""))
    locales = os.path.join(TREE, "build", "locale")
    os.makedirs(os.path.dirname(locales), exist_ok=True)
    if not os.path.exists(locales):
        os.symlink(os.path.join(TOP, "build", "locale"), locales)
    product = os.path.join(TOP, "build", "product", "bin", "Setup.exe")
    if run(["cmake", "--preset", "tests", "-DVELMORA_PRODUCT_EXE=" + product], log) != 0 or \
            run(["cmake", "--build", BUILD, "-j2"], log) != 0:
        sys.exit("mutate: the unchanged tree does not build; see " + log)


def stop_wine(log):
    """Ends this tree's Wine processes only: other Wine users share the machine."""
    env = dict(os.environ, WINEPREFIX=PREFIX)
    run(["/usr/lib/wine/wineserver", "-k"], log, env=env)


def remount_drives(log):
    run(["sh", TEST_DRIVES, "unmount", PREFIX, DRIVES], log)
    run(["sh", TEST_DRIVES, "mount", PREFIX, DRIVES, os.path.join(BUILD, "bin", "Setup.exe")],
        log)


def clear_temporary_folders():
    """A fault may leave a file in Windows' temporary folder (a read-only one
    that no later test can replace): each run starts without them."""
    users = os.path.join(PREFIX, "drive_c", "users")
    for user in os.listdir(users) if os.path.isdir(users) else []:
        temp = os.path.join(users, user, "Temp")
        for name in os.listdir(temp) if os.path.isdir(temp) else []:
            path = os.path.join(temp, name)
            subprocess.run(["chmod", "-R", "u+w", path], stderr=subprocess.DEVNULL)
            if os.path.isdir(path) and not os.path.islink(path):
                shutil.rmtree(path, ignore_errors=True)
            else:
                os.remove(path)


def run_program(program, log):
    """None when every test of the program passed, else the first that failed."""
    clear_temporary_folders()
    mark = os.path.getsize(log)
    status = run([WINE_RUN, PREFIX, os.path.join(BUILD, "bin", program + ".exe"),
                  "--gtest_fail_fast"], log, timeout=TIMEOUT_S)
    if status == 0:
        return None
    if status == -1:
        stop_wine(log)
        return program + " (timed out)"
    with open(log) as f:
        f.seek(mark)
        failed = re.findall(r"^\[  FAILED  \] (\S+\.\S+)", f.read(), re.M)
    return failed[0] if failed else "%s (exit status %d)" % (program, status)


def try_mutant(mutant, log):
    target = os.path.join(TREE, mutant.path)
    with open(target, encoding="utf-8") as f:
        original = f.readlines()
    with open(target, "w", encoding="utf-8") as f:
        f.write(mutant.apply(original))
    try:
        first = FIRST_PROGRAM.get(mutant.path.split("/")[1])
        stages = [[first]] if first else []
        stages.append([p for p in PROGRAMS if p != first])
        for programs in stages:
            targets = programs + (["Setup"] if "e2e_tests" in programs else [])
            build = ["cmake", "--build", BUILD, "-j2", "--target"] + targets
            if run(build, log) != 0:
                mutant.outcome = "not built"
                return
            if "e2e_tests" in programs:
                remount_drives(log)
            for program in programs:
                failed = run_program(program, log)
                if failed:
                    mutant.outcome, mutant.by = "caught", failed
                    return
        mutant.outcome = "survived"
    finally:
        with open(target, "w", encoding="utf-8") as f:
            f.writelines(original)


def source_line(mutant):
    with open(os.path.join(TOP, mutant.path), encoding="utf-8") as f:
        return f.readlines()[mutant.line - 1].strip()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("files", nargs="+",
                        help="source files under src/, each with :FIRST-LAST for some lines")
    parser.add_argument("--base", help="only the lines changed since this revision")
    parser.add_argument("--sample", type=int, default=0,
                        help="at most this many faults, picked by --seed")
    parser.add_argument("--seed", default="velmora", help="picks the sample")
    parser.add_argument("--list", action="store_true", help="list the faults, run nothing")
    parser.add_argument("--only", help="only the faults of these numbers (1,5,9), as listed")
    args = parser.parse_args()
    paths, ranges = [], {}
    for name in args.files:
        name, _, lines = name.partition(":")
        path = os.path.relpath(os.path.abspath(name), TOP)
        if not path.startswith("src/") or not os.path.isfile(os.path.join(TOP, path)):
            sys.exit("mutate: %s is not a source file under src/" % name)
        paths.append(path)
        if lines:
            first, _, last = lines.partition("-")
            ranges[path] = (int(first), int(last or first))
    mutants = [m for m in plan(paths, args.base)
               if m.path not in ranges or ranges[m.path][0] <= m.line <= ranges[m.path][1]]
    mutants = sample(mutants, args.sample, args.seed)
    if args.only:
        wanted = [int(n) for n in args.only.split(",")]
        mutants = [m for number, m in enumerate(mutants, 1) if number in wanted]
    if args.list:
        for number, m in enumerate(mutants, 1):
            print("%3d %s:%d  %s" % (number, m.path, m.line, m.what))
        print("%d faults" % len(mutants))
        return 0
    os.makedirs(WORK, exist_ok=True)
    log = os.path.join(WORK, "mutate.log")
    open(log, "w").close()
    print("mutate: %d faults in %s; log %s" % (len(mutants), " ".join(paths), log), flush=True)
    prepare_tree(log)
    started = time.time()
    if run([WINE_RUN, PREFIX, "--start"], log) != 0:
        sys.exit("mutate: the Wine prefix could not be made; see " + log)
    try:
        remount_drives(log)
        for program in PROGRAMS:
            failed = run_program(program, log)
            if failed:
                sys.exit("mutate: %s fails without any fault planted; see %s" % (failed, log))
        for number, mutant in enumerate(mutants, 1):
            try_mutant(mutant, log)
            print("%3d/%d %-9s %s:%d  %s%s" % (number, len(mutants), mutant.outcome, mutant.path,
                                                mutant.line, mutant.what,
                                                "  (" + mutant.by + ")" if mutant.by else ""),
                  flush=True)
    finally:
        run(["sh", TEST_DRIVES, "unmount", PREFIX, DRIVES], log)
        run([WINE_RUN, PREFIX, "--stop"], log)
    tried = [m for m in mutants if m.outcome != "not built"]
    caught = [m for m in tried if m.outcome == "caught"]
    survivors = [m for m in tried if m.outcome == "survived"]
    print("\nsurvivors:" if survivors else "\nno survivors")
    for m in survivors:
        print("  %s:%d  %s    %s" % (m.path, m.line, m.what, source_line(m)))
    share = 100.0 * len(caught) / len(tried) if tried else 100.0
    print("caught %d of %d faults (%.0f %%); %d did not build; %.0f min"
          % (len(caught), len(tried), share, len(mutants) - len(tried),
             (time.time() - started) / 60))
    return 0


if __name__ == "__main__":
    sys.exit(main())
