#!/usr/bin/env python3
"""Lists the help keywords a deliverable's code passes to WinHelpA with
HELP_KEY, one per line in Windows-1252 (the bytes the viewer receives), so
that a test can demand a topic for each: a new help button without a topic
then fails.

Usage: code_keywords.py OUTPUT ROOT DIR...

A keyword is the string literal among the call's arguments or, when the call
passes a function's result, every literal that function returns. A HELP_KEY
call whose keyword cannot be found this way is an error.
"""
import pathlib
import re
import sys

LITERAL = r'"(?:[^"\\]|\\.)*"(?:\s*"(?:[^"\\]|\\.)*")*'


def literal_bytes(text):
    """The bytes of a (possibly concatenated) C++ literal, as the compiler
    turns them into Windows-1252."""
    out = bytearray()
    for part in re.findall(r'"((?:[^"\\]|\\.)*)"', text):
        i = 0
        while i < len(part):
            if part[i] == "\\":
                m = re.match(r"\\x([0-9a-fA-F]{1,2})", part[i:])
                if m:
                    out.append(int(m.group(1), 16))
                    i += len(m.group(0))
                    continue
                out += part[i + 1].encode("cp1252")
                i += 2
            else:
                out += part[i].encode("cp1252")
                i += 1
    return bytes(out)


def call_arguments(source, start):
    """The text between the parenthesis at start and its partner."""
    depth = 0
    for i in range(start, len(source)):
        if source[i] == "(":
            depth += 1
        elif source[i] == ")":
            depth -= 1
            if depth == 0:
                return source[start + 1:i]
    return source[start + 1:]


def function_returns(sources, name):
    """Every literal a function of this name returns, from its definition."""
    found = []
    for text in sources.values():
        for m in re.finditer(r"\b" + re.escape(name) + r"\s*\([^;{)]*\)\s*\{", text):
            depth, i = 0, m.end() - 1
            while i < len(text):
                depth += {"{": 1, "}": -1}.get(text[i], 0)
                if depth == 0:
                    break
                i += 1
            found += [literal_bytes(r) for r in re.findall(r"return\s+(" + LITERAL + r")\s*;", text[m.end():i])]
    return found


def keywords(sources):
    result = set()
    for path, text in sources.items():
        for m in re.finditer(r"\bWinHelpA\s*\(", text):
            args = call_arguments(text, m.end() - 1)
            if "HELP_KEY" not in args:
                continue
            literals = re.findall(LITERAL, args)
            if literals:
                result.update(literal_bytes(l) for l in literals)
                continue
            names = [n for n in re.findall(r"(\w+)\s*\(", args) if n not in ("reinterpret_cast", "static_cast")]
            returned = [k for n in names for k in function_returns(sources, n)]
            if not returned:
                raise SystemExit(f"{path}: a HELP_KEY call whose keyword is not found: {args.strip()}")
            result.update(returned)
    return sorted(result)


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    root = pathlib.Path(argv[2])
    sources = {}
    for d in argv[3:]:
        for p in sorted((root / d).rglob("*")):
            if p.suffix in (".cpp", ".h"):
                sources[str(p.relative_to(root))] = p.read_text(encoding="utf-8")
    found = keywords(sources)
    if not found:
        raise SystemExit("no HELP_KEY keyword found in " + " ".join(argv[3:]))
    pathlib.Path(argv[1]).write_bytes(b"".join(k + b"\n" for k in found))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
