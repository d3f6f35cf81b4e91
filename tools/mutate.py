#!/usr/bin/env python3
"""Plants one fault at a time into the named source files, rebuilds the
64-bit tests in a copy of the tree and runs them: first the test program of
the file's own subsystem, and for a fault that survives it every test.
Prints each fault caught or not, and by kind how many were caught, survived
or did not build.  Called by tools/mutate.sh, which installs what it needs."""

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
# A fault that makes a loop endless is caught by the clock: a program may
# take this many times as long as it did without a fault, and a minute more,
# before it counts as failed.  A fixed ten minutes made each such fault cost
# ten minutes.
SLOWER = 4
TIMEOUTS = {}

NEGATED = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
MOVED = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
SWAPPED_WORDS = {"true": "false", "false": "true", "TRUE": "FALSE", "FALSE": "TRUE",
                 "&&": "||", "||": "&&"}
STATEMENT_START = re.compile(r"^\s*(?!(?:return|if|while|for|switch|case|else|do|delete)\b)"
                             r"[A-Za-z_][\w:]*(?:(?:->|\.)[A-Za-z_]\w*)*\(")
# The kinds of fault, in the order they are listed and sampled.
KINDS = ["negate", "bound", "andor", "not", "bool", "number", "family", "call",
         "order", "reverse", "operand", "arguments", "variable", "guard", "neighbour"]
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
    def __init__(self, path, line, start, end, replacement, what, kind):
        self.path, self.line, self.start, self.end = path, line, start, end
        self.replacement, self.what, self.kind = replacement, what, kind
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
    for m in re.finditer(r"(?<= )(==|!=|<=|>=|<|>|&&|\|\|)(?= |$)", code):
        op = m.group(1)
        if op in NEGATED:
            found.append(Mutant(path, number, m.start(), m.end(), NEGATED[op],
                                "%s negated to %s" % (op, NEGATED[op]), "negate"))
        if op in MOVED:
            found.append(Mutant(path, number, m.start(), m.end(), MOVED[op],
                                "bound %s moved to %s" % (op, MOVED[op]), "bound"))
        if op in SWAPPED_WORDS:
            found.append(Mutant(path, number, m.start(), m.end(), SWAPPED_WORDS[op],
                                "%s swapped for %s" % (op, SWAPPED_WORDS[op]), "andor"))
    for m in re.finditer(r"!(?!=)(?=[A-Za-z_(*])", code):
        found.append(Mutant(path, number, m.start(), m.end(), "", "! dropped", "not"))
    for m in re.finditer(r"\b(true|false|TRUE|FALSE)\b", code):
        word = m.group(1)
        found.append(Mutant(path, number, m.start(), m.end(), SWAPPED_WORDS[word],
                            "%s swapped for %s" % (word, SWAPPED_WORDS[word]), "bool"))
    for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", code):
        value = int(m.group(1))
        found.append(Mutant(path, number, m.start(), m.end(), str(value + 1),
                            "%d moved to %d" % (value, value + 1), "number"))
    for m in CONSTANT.finditer(code):
        names = groups.get(m.group(1), [])
        # A name being declared is no use of a constant.
        declared = re.match(r"\s*(=(?!=)|\[|\{)", code[m.end():])
        if m.group(0) in names and not declared:
            other = names[(names.index(m.group(0)) + 1) % len(names)]
            found.append(Mutant(path, number, m.start(), m.end(), other,
                                "%s swapped for %s" % (m.group(0), other), "family"))
    if STATEMENT_START.match(code):
        end = statement_end(lines, index)
        if end is not None:
            start = len(code) - len(code.lstrip())
            found.append(Mutant(path, number, start, end, "(void)0;", "call dropped", "call"))
    return found


# ---- Faults of shape: statements, loops, operands, arguments, variables,
# early exits and lone constants.  These read the whole file, since the
# statements they touch often span lines.

KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "case", "else", "do", "break",
            "continue", "goto", "delete", "new", "typedef", "struct", "enum", "using",
            "namespace", "static", "const", "inline", "constexpr", "default", "true", "false"}
# Where the order of two arguments cannot matter.
SYMMETRIC = {"IsSameIdentity", "CompareFiles", "HaveSameBytes", "IsSameFolder", "IsSameText",
             "IsSameTextIgnoringCase"}
# Windows' constants that stand in for one another, for code that uses only
# one of them: a mistake the family swap cannot plant, having nothing to swap.
NEIGHBOURS = [
    ["CREATE_NEW", "CREATE_ALWAYS", "OPEN_EXISTING", "OPEN_ALWAYS", "TRUNCATE_EXISTING"],
    ["GENERIC_READ", "GENERIC_WRITE"],
    ["FILE_SHARE_READ", "FILE_SHARE_WRITE", "FILE_SHARE_DELETE"],
    ["FILE_ATTRIBUTE_READONLY", "FILE_ATTRIBUTE_DIRECTORY", "FILE_ATTRIBUTE_HIDDEN",
     "FILE_ATTRIBUTE_NORMAL"],
    ["ERROR_FILE_NOT_FOUND", "ERROR_PATH_NOT_FOUND", "ERROR_ACCESS_DENIED", "ERROR_FILE_EXISTS",
     "ERROR_ALREADY_EXISTS"],
    ["MOVEFILE_REPLACE_EXISTING", "MOVEFILE_COPY_ALLOWED", "MOVEFILE_WRITE_THROUGH"],
    ["MB_OK", "MB_OKCANCEL", "MB_YESNO", "MB_YESNOCANCEL"],
    ["MB_ICONEXCLAMATION", "MB_ICONINFORMATION", "MB_ICONQUESTION", "MB_ICONSTOP"],
    ["IDOK", "IDCANCEL", "IDYES", "IDNO"],
    ["HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"],
    ["KEY_READ", "KEY_WRITE", "KEY_QUERY_VALUE", "KEY_SET_VALUE", "KEY_ENUMERATE_SUB_KEYS"],
    ["SW_SHOW", "SW_HIDE", "SW_SHOWNORMAL", "SW_SHOWDEFAULT"],
    ["PM_REMOVE", "PM_NOREMOVE"],
]
DECLARATION = re.compile(r"^\s*(?:(?:const|static|unsigned|inline|constexpr)\s+)*"
                         r"(?!(?:return|delete|else|case|goto|new)\b)([A-Za-z_][\w:]*)"
                         r"(?:\s*((?:[*&]\s*)+)|\s+)(?:const\s+)?([A-Za-z_]\w*)\s*(?=[\[=;,(])")
UP_LOOP = re.compile(r"for \(((?:int|long|short) )(\w+) = 0; ((?:[^;]*&& )?)\2 < ([^;]+); "
                     r"(?:\2\+\+|\+\+\2)\)")
DOWN_LOOP = re.compile(r"for \(((?:int|long|short) )(\w+) = ([^;]+) - 1; ((?:[^;]*&& )?)\2 >= 0; "
                       r"(?:\2--|--\2)\)")


def masked_text(lines):
    """The file as one text, literals, comments and directives blanked, each
    line as long as before."""
    out = []
    for line in lines:
        body = line.rstrip("\n")
        code = " " * len(body) if body.lstrip().startswith("#") else masked(body)
        out.append(code + line[len(body):])
    return "".join(out)


def matching(code, start, step=1):
    """The offset of the bracket that closes (step 1) or opens (step -1) the
    one at start."""
    opening, closing = ("([{", ")]}") if step == 1 else (")]}", "([{")
    depth, i = 0, start
    while 0 <= i < len(code):
        if code[i] in opening:
            depth += 1
        elif code[i] in closing:
            depth -= 1
            if depth == 0:
                return i
        i += step
    return None


def blocks(code):
    """The braces' spans: (open, close, kind), kind "function" for a body,
    "code" inside one, "other" for namespaces, structs and initialisers."""
    found, stack = [], []
    for i, c in enumerate(code):
        if c == "{":
            before = code[:i].rstrip()
            inside = any(kind != "other" for _, kind in stack)
            if inside:
                kind = "code" if not before.endswith("=") else "other"
            else:
                kind = "function" if before.endswith((")", "const")) else "other"
            stack.append((i, kind))
        elif c == "}" and stack:
            start, kind = stack.pop()
            found.append((start, i, kind))
    return found


def split_arguments(code, open_paren):
    """(start, end) of each top-level argument of the call whose '(' is at
    open_paren, blanks trimmed."""
    close = matching(code, open_paren)
    if close is None:
        return []
    spans, start, i = [], open_paren + 1, open_paren + 1
    while i <= close:
        if code[i] in "([{":
            i = matching(code, i) + 1
            continue
        if code[i] == "," or i == close:
            text = code[start:i]
            left = len(text) - len(text.lstrip())
            spans.append((start + left, start + len(text.rstrip())))
            start = i + 1
        i += 1
    return [s for s in spans if s[1] > s[0]]


class Shapes:
    """Plants the faults that reason about more than one token of a file."""

    def __init__(self, path, lines, groups, headers):
        self.path, self.lines, self.groups = path, lines, groups
        self.text = "".join(lines)
        self.code = masked_text(lines)
        self.starts = [0]
        for line in lines:
            self.starts.append(self.starts[-1] + len(line))
        self.blocks = blocks(self.code)
        self.functions = [(a, b) for a, b, kind in self.blocks if kind == "function"]
        self.found, self.seen = [], set()
        self.enum_sources = headers + [self.code]
        # Declarations: (scope start, scope end, offset, name, type, member, own).
        self.decls, self.declared_at = [], set()
        for source in headers:
            self.declare(source, False)
        self.declare(self.code, True)

    # -- where things are
    def line_of(self, offset):
        low, high = 0, len(self.lines) - 1
        while low < high:
            middle = (low + high + 1) // 2
            if self.starts[middle] <= offset:
                low = middle
            else:
                high = middle - 1
        return low

    def in_function(self, offset):
        return any(a < offset < b for a, b in self.functions)

    def add(self, start, end, replacement, what, kind):
        # The same fault reached two ways is planted once.
        result = " ".join((self.code[:start] + replacement + self.code[end:]).split())
        if result in self.seen or self.code[start:end] == replacement:
            return
        self.seen.add(result)
        index = self.line_of(start)
        base = self.starts[index]
        self.found.append(Mutant(self.path, index + 1, start - base, end - base, replacement,
                                 what, kind))

    # -- declarations: each name's type, and the names declared alike together
    def declare(self, code, own):
        spans = blocks(code)
        for m in re.finditer(r"[^\n]*\n?", code):
            line, offset = m.group(0), m.start()
            d = DECLARATION.match(line)
            if not d or d.group(1) in KEYWORDS:
                continue
            after = line[d.end(3):].lstrip()
            if after.startswith("("):
                if own and not line.rstrip().endswith(";"):
                    self.parameters(code, offset + line.index("(", d.end(3)))
                continue
            const = "const " if re.match(r"\s*(?:static\s+)?const\b", line) else ""
            base = const + d.group(1) + (d.group(2) or "").replace(" ", "").replace("&", "")
            names, depth = [(d.start(3), d.group(3))], 0
            for i in range(d.end(3), len(line)):
                depth += (line[i] in "([{") - (line[i] in ")]}")
                n = re.match(r",\s*(?:[*&]\s*)*([A-Za-z_]\w*)\s*(?=[\[=;,])", line[i:])
                if depth == 0 and n:
                    names.append((i + n.start(1), n.group(1)))
            inner = [(a, b, k) for a, b, k in spans if a < offset < b]
            a, b, k = max(inner) if inner else (-1, len(code) + 1, "other")
            member = k == "other" and re.search(r"\bstruct\s+\w+\s*$", code[:a]) is not None
            if k == "other" and not member:
                a, b = -1, 1 << 40  # file scope, seen everywhere
            for at, name in names:
                dims = re.match(r"\s*((?:\[[^\]]*\])*)", line[at + len(name):]).group(1)
                self.note(a, b, offset + at, name, base + "[]" * dims.count("["), member, own)

    def parameters(self, code, open_paren):
        close = matching(code, open_paren)
        body = code.find("{", close) if close else -1
        if body < 0 or code[close + 1:body].strip() not in ("", "const"):
            return
        end = matching(code, body)
        for start, stop in split_arguments(code, open_paren):
            p = re.match(r"(const\s+)?([A-Za-z_][\w:]*)\s*((?:[*&]\s*)*)(?:const\s+)?"
                         r"([A-Za-z_]\w*)\s*((?:\[[^\]]*\])*)$", code[start:stop])
            if p:
                kind = (p.group(1) and "const " or "") + p.group(2) + \
                    p.group(3).replace(" ", "").replace("&", "") + "[]" * p.group(5).count("[")
                self.note(body, end, start, p.group(4), kind, False, True)

    def note(self, a, b, offset, name, kind, member, own):
        self.decls.append((a, b, offset, name, kind, member, own))
        if own:
            self.declared_at.add(offset)

    def lookup(self, name, offset, member):
        """The declaration that a use of name at offset sees."""
        if member:
            found = [d for d in self.decls if d[3] == name and d[5]]
            own = [d for d in found if d[6]]
            found = own or found
            return found[0] if len(found) == 1 else None
        seen = [d for d in self.decls if d[3] == name and not d[5] and d[0] < offset < d[1]
                and (d[2] < offset or d[0] > d[2])]
        return max(seen, key=lambda d: (d[0], d[6])) if seen else None

    def siblings_of(self, name, offset, member):
        """The names declared beside this one with its type in its scope,
        the nearest two, that a use at offset can see."""
        decl = self.lookup(name, offset, member)
        if not decl:
            return []
        a, b, _, _, kind, _, own = decl
        group = [d for d in self.decls if d[0] == a and d[1] == b and d[4] == kind
                 and d[5] == member and d[6] == own]
        if not member:
            group = [d for d in group if d[2] < offset or d[0] > d[2]]
        at = [d[3] for d in group].index(name)
        near = sorted((abs(i - at), d[3]) for i, d in enumerate(group) if d[3] != name)
        return [n for _, n in near[:2]]

    def type_of(self, expression, offset):
        e = expression.strip()
        m = re.fullmatch(r"(?:[A-Za-z_]\w*(\.|->))?([A-Za-z_]\w*)", e)
        if m:
            decl = self.lookup(m.group(2), offset, bool(m.group(1)))
            return decl[4] if decl else None
        m = re.fullmatch(r"(.+)\[[^\[\]]+\]", e)
        if m:
            inner = self.type_of(m.group(1), offset)
            if inner and inner.endswith(("[]", "*")):
                return inner[:-2] if inner.endswith("[]") else inner[:-1]
        return None

    # -- the kinds
    def plant(self):
        self.statements_swapped()
        for a, b in self.functions:
            self.loops_reversed(a, b)
            self.operands_dropped(a, b)
            self.arguments_swapped(a, b)
            self.variables_replaced(a, b)
            self.guards(a, b)
        self.neighbours()
        return self.found

    def statement(self, index):
        """The masked line when it is one whole statement that may move."""
        if index >= len(self.lines):
            return None
        code = self.code[self.starts[index]:self.starts[index + 1]].rstrip()
        text = code.strip()
        if not text.endswith(";") or not self.in_function(self.starts[index]):
            return None
        if re.match(r"(return|break|continue|goto|case|default|else|if|for|while|do|switch)\b|[{}]",
                    text) or code.count("(") != code.count(")"):
            return None
        # The line before ends a statement or opens a block: this one is no
        # continuation nor the lone body of an if or a loop.
        before = self.code[:self.starts[index]].rstrip()
        if not before.endswith((";", "{", "}")):
            return None
        return code

    def loop(self, index):
        """The last line of a loop that starts at line index and stands
        alone, braced or with one statement for its body."""
        start = self.starts[index]
        line = self.code[start:self.starts[index + 1]]
        m = re.match(r"\s*(for|while) \(", line)
        if not m or not self.in_function(start) or \
                not self.code[:start].rstrip().endswith((";", "{", "}")):
            return None
        close = matching(self.code, start + m.end() - 1)
        body = close + 1 + len(self.code[close + 1:]) - len(self.code[close + 1:].lstrip())
        end = matching(self.code, body) if self.code[body] == "{" else self.code.find(";", body)
        last = self.line_of(end)
        if end is None or self.code[end + 1:self.starts[last + 1]].strip():
            return None
        return last

    def statements_swapped(self):
        """Two neighbours swapped: single-line statements, or loops."""
        for index in range(len(self.lines) - 1):
            ends = []
            for first in (index, None):
                at = index if first is not None else ends[0] + 1
                if at >= len(self.lines):
                    break
                last = at if self.statement(at) else self.loop(at)
                if last is None:
                    break
                ends.append(last)
            if len(ends) < 2:
                continue
            one = "".join(self.code[self.starts[index]:self.starts[ends[0] + 1]])
            other = "".join(self.code[self.starts[ends[0] + 1]:self.starts[ends[1] + 1]])
            if len(one) - len(one.lstrip()) != len(other) - len(other.lstrip()) or \
                    " ".join(one.split()) == " ".join(other.split()):
                continue
            # A declaration without a value, and handles closed, go in any order.
            if any(self.declared(s) and "=" not in s for s in (one, other)) or \
                    all(re.fullmatch(r"\s*(CloseHandle|RegCloseKey)\(.*\);\s*", s) for s in (one, other)):
                continue
            declared = [self.declared(one), self.declared(other)]
            names = [set(re.findall(r"[A-Za-z_]\w*", one)), set(re.findall(r"[A-Za-z_]\w*", other))]
            if declared[0] & names[1] or declared[1] & names[0]:
                continue
            calls = [re.search(r"\b(?!sizeof\b)[A-Za-z_]\w*\s*\(", s) for s in (one, other)]
            writes = [declared[0] | self.written(one), declared[1] | self.written(other)]
            # Two plain assignments that share nothing commute.
            if not any(calls) and not (writes[0] & names[1] or writes[1] & names[0]):
                continue
            first = "".join(self.lines[index:ends[0] + 1])
            second = "".join(self.lines[ends[0] + 1:ends[1] + 1])
            start = self.starts[index]
            spans = [(index + 1, ends[0] + 1), (ends[0] + 2, ends[1] + 1)]
            self.add(start, start + len(first) + len(second), second + first,
                     "lines %s and %s swapped" % tuple("%d" % a if a == b else "%d-%d" % (a, b)
                                                       for a, b in spans), "order")

    @staticmethod
    def declared(code):
        d = DECLARATION.match(code)
        if not d or d.group(1) in KEYWORDS:
            return set()
        return {d.group(3)} | set(re.findall(r",\s*[*&]*\s*([A-Za-z_]\w*)\s*(?=[\[=;,])", code))

    @staticmethod
    def written(code):
        m = re.match(r"\s*\*?([A-Za-z_]\w*)(?:\[[^\]]*\]|(?:\.|->)\w+)*\s*(?:[-+*/|&^]?=(?!=)|\+\+|--)",
                     code)
        return {m.group(1)} if m else set()

    def loops_reversed(self, a, b):
        for m in UP_LOOP.finditer(self.code, a, b):
            t, i, guard, bound = m.groups()
            self.add(m.start(), m.end(), "for (%s%s = %s - 1; %s%s >= 0; %s--)"
                     % (t, i, bound, guard, i, i), "loop run downwards", "reverse")
        for m in DOWN_LOOP.finditer(self.code, a, b):
            t, i, bound, guard = m.groups()
            self.add(m.start(), m.end(), "for (%s%s = 0; %s%s < %s; %s++)"
                     % (t, i, guard, i, bound, i), "loop run upwards", "reverse")

    def operand_edge(self, at, step, op):
        """Where the operand of op that starts beside at ends, scanning by
        step: at an unmatched bracket, or an operator that binds less."""
        code, i, depth = self.code, at, 0
        while 0 <= i < len(code):
            c = code[i]
            if c in "([" if step == 1 else c in ")]":
                depth += 1
            elif c in ")]" if step == 1 else c in "([":
                if depth == 0:
                    break
                depth -= 1
            elif depth == 0:
                pair = code[i:i + 2] if step == 1 else code[i - 1:i + 1]
                if c in ";{},?" or pair == "||" or pair == "&&" and op == "&&":
                    break
                if c == ":" and "::" not in code[i - 1:i + 2]:
                    break
                if c == "=" and code[i - 1] not in "=!<>" and code[i + 1] != "=":
                    break
                if step == -1 and re.search(r"\breturn$", code[:i + 1]):
                    break
            i += step
        # Blanks trimmed.
        if step == 1:
            while code[i - 1].isspace():
                i -= 1
            return i
        i += 1
        while code[i].isspace():
            i += 1
        return i

    def operands_dropped(self, a, b):
        for m in re.compile(r"(?<=\s)(&&|\|\|)(?=\s)").finditer(self.code, a, b):
            op = m.group(1)
            left = self.operand_edge(m.start() - 1, -1, op)
            right = self.operand_edge(m.end(), 1, op)
            after = m.end() + len(self.code[m.end():]) - len(self.code[m.end():].lstrip())
            left_end = len(self.code[:m.start()].rstrip())
            if left >= left_end or after >= right:
                continue
            self.add(left, after, "", "left of %s dropped" % op, "operand")
            self.add(left_end, right, "", "right of %s dropped" % op, "operand")

    def arguments_swapped(self, a, b):
        for m in re.compile(r"\b([A-Za-z_]\w*)\s*\(").finditer(self.code, a, b):
            if m.group(1) in KEYWORDS or m.group(1) in SYMMETRIC:
                continue
            spans = split_arguments(self.code, m.end() - 1)
            for x in range(len(spans)):
                for y in range(x + 1, len(spans)):
                    (s1, e1), (s2, e2) = spans[x], spans[y]
                    one, other = self.code[s1:e1], self.code[s2:e2]
                    kind = self.type_of(one, s1)
                    if not kind or kind != self.type_of(other, s2) or one == other:
                        continue
                    self.add(s1, e2, self.text[s2:e2] + self.text[e1:s2] + self.text[s1:e1],
                             "%s and %s swapped in %s" % (one, other, m.group(1)), "arguments")

    def variables_replaced(self, a, b):
        code = self.code
        for m in re.compile(r"\[([a-z_]\w*|0|1)\]").finditer(code, a, b):
            array = re.search(r"([A-Za-z_]\w*)\s*$", code[:m.start()])
            if array and array.start(1) in self.declared_at:
                continue  # a declaration's size
            inner = m.group(1)
            for other in {"0": ["1"], "1": ["0"]}.get(inner, ["0", "1"]):
                self.add(m.start(1), m.end(1), other, "[%s] for [%s]" % (other, inner), "variable")
        for m in re.compile(r"(\.|->)?\b([A-Za-z_]\w*)\b(?!\s*\()").finditer(code, a, b):
            name = m.group(2)
            if not m.group(1) and code[m.start() - 1] in ".>":
                continue
            # Constants are the families' to swap; a declaration is no use.
            if name in KEYWORDS or name.isupper() or m.start(2) in self.declared_at:
                continue
            for other in self.siblings_of(name, m.start(2), bool(m.group(1))):
                self.add(m.start(2), m.end(2), other, "%s for %s" % (other, name), "variable")

    def guards(self, a, b):
        code = self.code
        for m in re.compile(r"\bif\s*\(").finditer(code, a, b):
            close = matching(code, m.end() - 1)
            if close is None:
                continue
            for word in ("true", "false"):
                self.add(m.end(), close, word, "if (%s)" % word, "guard")
            body = close + 1
            while code[body].isspace():
                body += 1
            if code[body] == "{":
                end, exits, i = matching(code, body), [], body + 1
                while i < end:
                    s = re.compile(r"\s*(return\b[^;]*;|break;|continue;)").match(code, i)
                    if s and (code[i - 1] in "{;}" or code[:i].rstrip()[-1:] in "{;}"):
                        exits.append((s.start(1), s.end(1)))
                    if code[i] in "({[" and i != body:
                        i = matching(code, i)
                    i += 1
            else:
                s = re.compile(r"(return\b[^;]*;|break;|continue;)").match(code, body)
                exits = [(s.start(1), s.end(1))] if s else []
            for start, end in exits:
                statement = code[start:end].split()[0].rstrip(";")
                self.add(start, end, "{}" if code[body] != "{" else "",
                         "%s removed" % statement, "guard")

    def neighbours(self):
        families = list(NEIGHBOURS)
        for m in re.finditer(r"\benum\s+\w+\s*\{([^}]*)\}", "\n".join(self.enum_sources)):
            families.append(re.findall(r"([A-Za-z_]\w*)\s*(?:=[^,]*)?(?:,|$)", m.group(1).strip()))
        enums = [(a, b) for a, b, _ in self.blocks if re.search(r"\benum\b[^;{}]*$",
                                                                 self.code[:a])]
        for family in families:
            pattern = re.compile(r"\b(%s)\b" % "|".join(family))
            for m in pattern.finditer(self.code):
                if any(x < m.start() < y for x, y in enums):
                    continue
                name = m.group(1)
                present = self.groups.get(name.split("_")[0], [])
                for other in family:
                    if other != name and other not in present:
                        self.add(m.start(), m.end(), other, "%s for %s" % (other, name),
                                 "neighbour")


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
    headers = []
    for source in sorted(s for s in sources if s.endswith(".h")):
        with open(source, encoding="utf-8") as f:
            headers.append(masked_text(f.readlines()))
    mutants = []
    for path in paths:
        with open(os.path.join(TOP, path), encoding="utf-8") as f:
            lines = f.readlines()
        wanted = changed_lines(path, base) if base else None
        for index, line in enumerate(lines):
            if is_code(line) and (wanted is None or index + 1 in wanted):
                mutants.extend(line_mutants(path, lines, index, groups))
        mutants.extend(m for m in Shapes(path, lines, groups, headers).plant()
                       if wanted is None or m.line in wanted)
    return sorted(mutants, key=lambda m: (m.path, m.line, m.start))


def sample(mutants, count, seed):
    """The same count of faults for the same seed, in the order of the files:
    taken from each kind in turn, so that a kind with few faults is still
    tried beside one with many."""
    if not count or len(mutants) <= count:
        return mutants
    digest = lambda m: hashlib.sha1((seed + m.key()).encode()).hexdigest()
    queues = [sorted((m for m in mutants if m.kind == kind), key=digest) for kind in KINDS]
    picked = []
    while len(picked) < count:
        for queue in queues:
            if queue and len(picked) < count:
                picked.append(queue.pop(0))
    return sorted(picked, key=lambda m: (m.path, m.line, m.start))


def by_kind(mutants):
    """One line a kind: how many faults, and how many were caught, survived
    or did not build once tried."""
    rows = []
    for kind in KINDS:
        of_kind = [m for m in mutants if m.kind == kind]
        if not of_kind:
            continue
        counts = [sum(m.outcome == o for m in of_kind) for o in ("caught", "survived", "not built")]
        tried = counts[0] + counts[1]
        share = " %3.0f %%" % (100.0 * counts[0] / tried) if tried else ""
        rows.append("  %-9s %4d" % (kind, len(of_kind)) +
                    ("  caught %3d  survived %3d  not built %3d%s" % tuple(counts + [share])
                     if any(m.outcome for m in of_kind) else ""))
    return rows


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
    started = time.time()
    status = run([WINE_RUN, PREFIX, os.path.join(BUILD, "bin", program + ".exe"),
                  "--gtest_fail_fast"], log, timeout=TIMEOUTS.get(program, 600))
    TIMEOUTS.setdefault(program, SLOWER * (time.time() - started) + 60)
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
            print("%3d %-9s %s:%d  %s" % (number, m.kind, m.path, m.line, m.what))
        print("%d faults, by kind:" % len(mutants))
        print("\n".join(by_kind(mutants)))
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
            print("%3d/%d %-9s %-9s %s:%d  %s%s" % (number, len(mutants), mutant.outcome,
                                                     mutant.kind, mutant.path, mutant.line,
                                                     mutant.what,
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
        print("  %-9s %s:%d  %s    %s" % (m.kind, m.path, m.line, m.what, source_line(m)))
    print("by kind:\n" + "\n".join(by_kind(mutants)))
    share = 100.0 * len(caught) / len(tried) if tried else 100.0
    print("caught %d of %d faults (%.0f %%); %d did not build; %.0f min"
          % (len(caught), len(tried), share, len(mutants) - len(tried),
             (time.time() - started) / 60))
    return 0


if __name__ == "__main__":
    sys.exit(main())
