#!/usr/bin/env python3
"""Reads `wine reg export` files so that run.sh can compare registry states.

  regdump.py get DUMP KEY [NAME]     the value's data (REG_SZ as text, others as "type:hex");
                                     exit 2 when the key is missing, 3 when the value is
  regdump.py changes BEFORE AFTER    one line per value added, changed or removed, and per key
                                     removed: "key|name" in lower case, key relative to the hive
  regdump.py subkeys DUMP KEY        names of the direct subkeys
An empty NAME stands for the default value.
"""
import os
import pickle
import sys

HIVES = ("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE")


def read_text(path):
    raw = open(path, "rb").read()
    if raw.startswith(b"\xff\xfe"):
        return raw[2:].decode("utf-16-le")
    return raw.decode("cp1252")


def unescape(s, i):
    """Parses a quoted string starting at s[i] == '"'; returns (text, index after it)."""
    assert s[i] == '"'
    out = []
    i += 1
    while i < len(s):
        c = s[i]
        if c == "\\" and i + 1 < len(s):
            nxt = s[i + 1]
            out.append({"n": "\n", "r": "\r", "0": "\0"}.get(nxt, nxt))
            i += 2
        elif c == '"':
            return "".join(out), i + 1
        else:
            out.append(c)
            i += 1
    raise ValueError("unterminated string: " + s[:80])


def logical_lines(text):
    pending = ""
    for line in text.replace("\r\n", "\n").split("\n"):
        if pending:
            line = pending + line.lstrip()
            pending = ""
        # Hex data is continued with a trailing backslash; strings never end that way outside quotes.
        if line.endswith("\\") and not line.startswith("[") and "=hex" in line:
            pending = line[:-1]
            continue
        yield line


def parse(path):
    """{key lower: (key as written, {name lower: (type, data)})}, cached beside the dump."""
    cache = path + ".pickle"
    try:
        if os.path.getmtime(cache) >= os.path.getmtime(path):
            with open(cache, "rb") as f:
                return pickle.load(f)
    except (OSError, pickle.PickleError, EOFError):
        pass
    keys = parse_text(path)
    try:
        with open(cache, "wb") as f:
            pickle.dump(keys, f, pickle.HIGHEST_PROTOCOL)
    except OSError:
        pass
    return keys


def parse_text(path):
    keys = {}
    current = None
    for line in logical_lines(read_text(path)):
        if not line or line.startswith(("REGEDIT4", "Windows Registry Editor", ";")):
            continue
        if line.startswith("[") and line.endswith("]"):
            name = line[1:-1]
            current = keys.setdefault(name.lower(), (name, {}))[1]
            continue
        if current is None:
            continue
        if line.startswith("@="):
            vname, rest = "", line[2:]
        elif line.startswith('"'):
            vname, end = unescape(line, 0)
            rest = line[end + 1:]
        else:
            continue
        if rest.startswith('"'):
            value = ("sz", unescape(rest, 0)[0])
        elif rest.startswith("dword:"):
            value = ("dword", rest[6:].lower())
        elif rest.startswith("hex"):
            kind, _, data = rest.partition(":")
            value = (kind, data.replace(",", "").replace(" ", "").lower())
        else:
            value = ("raw", rest)
        current[vname.lower()] = value
    return keys


def relative(key):
    for hive in HIVES:
        if key.upper() == hive:
            return ""
        if key.upper().startswith(hive + "\\"):
            return key[len(hive) + 1:]
    return key


def lookup(dump, key):
    k = key.lower()
    if k in dump:
        return dump[k]
    for full, entry in dump.items():
        if relative(full) == k:
            return entry
    return None


def show(value):
    kind, data = value
    return data if kind == "sz" else kind + ":" + data


def main(argv):
    cmd = argv[1]
    if cmd == "get":
        entry = lookup(parse(argv[2]), argv[3])
        if entry is None:
            return 2
        value = entry[1].get((argv[4] if len(argv) > 4 else "").lower())
        if value is None:
            return 3
        sys.stdout.write(show(value) + "\n")
        return 0
    if cmd == "changes":
        before = {relative(k): v[1] for k, v in parse(argv[2]).items()}
        after = {relative(k): v[1] for k, v in parse(argv[3]).items()}
        lines = set()
        for key in set(before) | set(after):
            if key in before and key not in after:
                lines.add(key + "|(key removed)")
                continue
            old, new = before.get(key, {}), after.get(key, {})
            for name in set(old) | set(new):
                if old.get(name) != new.get(name):
                    lines.add(key + "|" + name)
        for line in sorted(lines):
            print(line)
        return 0
    if cmd == "subkeys":
        base = argv[3].lower().rstrip("\\")
        for full, (written, _) in parse(argv[2]).items():
            if relative(full).rpartition("\\")[0] == base:
                print(written.rpartition("\\")[2])
        return 0
    print(__doc__, file=sys.stderr)
    return 64


if __name__ == "__main__":
    sys.exit(main(sys.argv))
