#!/usr/bin/env python3
"""Compiles a help source text into a WinHelp 3.1 file (.hlp), uncompressed,
so that the help stays reviewable text in the repository.

Usage: make_hlp.py SOURCE.txt OUTPUT.hlp

The source is UTF-8; every text lands in the file as Windows-1252, the code
page the help viewer reads and the code passes its keywords in.

  # comment                    (whole line)
  Titel: TEXT                  first: the file's title
  == CONTEXT: TITLE            starts a topic; the first topic is the contents
  Stichwörter: KW; KW ...      keywords of the topic (the viewer's index)
  ### TEXT                     a sub-heading
  * TEXT                       a bulleted paragraph
  TEXT                         lines up to a blank line make one paragraph
  {Text|context}               inside a paragraph: a jump to another topic

Every keyword must occur in its topic's title or text and belong to one topic
only, and every jump must name a topic: a fault stops the build.
"""
import re
import struct
import sys
import unicodedata

BLOCK = 4096              # topic block, 12-byte header included
BLOCK_DATA = BLOCK - 12   # topic bytes per block
NO_POS = 0xFFFFFFFF

FONT_TEXT, FONT_HEADING, FONT_SUBHEADING = 0, 1, 2


class SourceError(Exception):
    pass


def cp1252(text, where):
    try:
        return text.encode("cp1252")
    except UnicodeEncodeError as e:
        raise SourceError(f"{where}: {text[e.start:e.end]!r} has no Windows-1252 code")


def context_hash(name):
    """The viewer's hash of a context string, as a signed 32-bit value."""
    value = 0
    for ch in name:
        if "A" <= ch.upper() <= "Z":
            x = ord(ch.upper()) - ord("A") + 17
        elif "1" <= ch <= "9":
            x = ord(ch) - ord("0")
        elif ch == "0":
            x = 10
        elif ch == ".":
            x = 12
        elif ch == "_":
            x = 13
        else:
            continue
        value = (value * 43 + x) & 0xFFFFFFFF
    return value - (1 << 32) if value & 0x80000000 else value


# --- source ---------------------------------------------------------------

class Topic:
    def __init__(self, context, title, line):
        self.context, self.title, self.line = context, title, line
        self.keywords = []
        self.paragraphs = []  # (kind, text): kind is "text", "bullet", "sub"


def parse(lines):
    title = None
    topics = []
    pending = []

    def flush():
        if pending:
            topics[-1].paragraphs.append(("text", " ".join(pending)))
            pending.clear()

    for number, raw in enumerate(lines, 1):
        line = raw.rstrip()
        where = f"line {number}"
        if line.startswith("#") and not line.startswith("###"):
            continue
        if title is None:
            if not line:
                continue
            if not line.startswith("Titel:"):
                raise SourceError(f"{where}: the source starts with 'Titel:'")
            title = line[len("Titel:"):].strip()
            continue
        if line.startswith("=="):
            flush()
            m = re.fullmatch(r"==\s*([A-Za-z0-9_.]+)\s*:\s*(.+)", line)
            if not m:
                raise SourceError(f"{where}: a topic line reads '== context: Title'")
            topics.append(Topic(m.group(1), m.group(2).strip(), number))
            continue
        if not topics:
            if line:
                raise SourceError(f"{where}: text before the first topic")
            continue
        if line.startswith("Stichwörter:"):
            flush()
            topics[-1].keywords += [k.strip() for k in line.split(":", 1)[1].split(";") if k.strip()]
        elif not line:
            flush()
        elif line.startswith("### "):
            flush()
            topics[-1].paragraphs.append(("sub", line[4:].strip()))
        elif line.startswith("* "):
            flush()
            topics[-1].paragraphs.append(("bullet", line[2:].strip()))
        else:
            pending.append(line.strip())
    if title is None or not topics:
        raise SourceError("the source needs 'Titel:' and at least one topic")
    flush()
    check(topics)
    return title, topics


def plain(text):
    return re.sub(r"\{([^|}]*)\|[^}]*\}", r"\1", text)


def check(topics):
    contexts = {}
    for t in topics:
        if t.context.lower() in contexts:
            raise SourceError(f"line {t.line}: context '{t.context}' twice")
        contexts[t.context.lower()] = t
    owner = {}
    for t in topics:
        words = (t.title + " " + " ".join(plain(p) for _, p in t.paragraphs)).lower()
        for k in t.keywords:
            if k in owner:
                raise SourceError(f"line {t.line}: keyword '{k}' already belongs to '{owner[k].title}'")
            owner[k] = t
            if k.lower() not in words:
                raise SourceError(f"line {t.line}: keyword '{k}' does not occur in its topic")
        for _, p in t.paragraphs:
            for target in re.findall(r"\{[^|}]*\|([^}]*)\}", p):
                if target.strip().lower() not in contexts:
                    raise SourceError(f"line {t.line}: jump to unknown topic '{target}'")


# --- topic records ----------------------------------------------------------

def clong(v):
    return struct.pack("<H", 0x8000 + 2 * v) if 0 <= v < 0x4000 else struct.pack("<I", 0x80000001 + 2 * v)


def cushort(v):
    return bytes([2 * v]) if v < 0x80 else struct.pack("<H", 2 * v + 1)


def cshort(v):
    return bytes([0x80 + 2 * v]) if -64 <= v < 64 else struct.pack("<H", 0x8000 + 2 * v + 1)


def paragraph(kind, text, where):
    """LinkData1 and LinkData2 of one paragraph record, and its character count."""
    font = {"text": FONT_TEXT, "bullet": FONT_TEXT, "sub": FONT_SUBHEADING, "title": FONT_HEADING}[kind]
    bits, layout = 0x0002, cshort(12 if kind != "text" else 6)  # space above
    if kind == "bullet":
        bits |= 0x0010 | 0x0040  # left indent, hanging first line
        layout += cshort(40) + cshort(-16)
        text = "\u2022\t" + text
    # Texts and codes alternate: each code follows one (maybe empty) text.
    texts, codes, current, chars = [], [], [b""], 0

    def code(c):
        texts.append(current[0])
        codes.append(c)
        current[0] = b""

    code(bytes([0x80]) + struct.pack("<H", font))
    for piece in re.split(r"(\{[^}]*\}|\t)", text):
        if piece == "\t":
            code(b"\x83")
            chars += 1
        elif piece.startswith("{"):
            label, target = piece[1:-1].split("|", 1)
            code(b"\xe3" + struct.pack("<i", context_hash(target.strip())))
            current[0] = cp1252(label, where)
            code(b"\x89")
            chars += len(label)
        elif piece:
            current[0] += cp1252(piece, where)
            chars += len(piece)
    code(b"\x82")
    code(b"\xff")
    chars += 1
    data2 = b"".join(t + b"\0" for t in texts)
    data1 = clong(len(data2)) + cushort(chars) + b"\x00\x80\x00\x00" + struct.pack("<H", bits) + layout
    return data1 + b"".join(codes), data2, chars


def topic_position(offset):
    return (offset // BLOCK_DATA) * 0x4000 + 12 + offset % BLOCK_DATA


def build_topic_file(topics):
    """The |TOPIC file and each topic's TOPICOFFSET (what keywords, contexts and
    the contents record point at)."""
    records = []  # [type, data1, data2, chars, topic index]
    for i, t in enumerate(topics):
        records.append([0x02, None, cp1252(t.title, f"line {t.line}"), 0, i])
        for kind, text in [("title", t.title)] + t.paragraphs:
            d1, d2, n = paragraph(kind, text, f"line {t.line}")
            records.append([0x20, d1, d2, n, i])
    header_len = 21 + 28
    sizes = [21 + (len(r[1]) if r[1] is not None else 28) + len(r[2]) for r in records]
    starts, at = [], 0
    for s in sizes:
        starts.append(at)
        at += s
    pos = [topic_position(s) for s in starts]
    # A TOPICOFFSET counts the characters before it in its block.
    offsets, chars, block = [], 0, -1
    for r, s in zip(records, starts):
        if s // BLOCK_DATA != block:
            block, chars = s // BLOCK_DATA, 0
        if r[0] == 0x02:
            offsets.append(block * 0x8000 + chars)
        else:
            chars += r[3]
    heads = [k for k, r in enumerate(records) if r[0] == 0x02]
    stream = bytearray()
    for k, r in enumerate(records):
        prev = pos[k - 1] if k else NO_POS
        nxt = pos[k + 1] if k + 1 < len(records) else NO_POS
        if r[0] == 0x02:
            i = r[4]
            end = heads[i + 1] if i + 1 < len(heads) else len(records)
            r[1] = struct.pack("<7I", sum(sizes[k:end]),
                               offsets[i - 1] if i else NO_POS,
                               offsets[i + 1] if i + 1 < len(topics) else NO_POS,
                               i, NO_POS, nxt if end > k + 1 else NO_POS,
                               pos[end] if end < len(records) else NO_POS)
            assert len(r[1]) + 21 == header_len
        stream += struct.pack("<5IB", sizes[k], len(r[2]), prev, nxt, 21 + len(r[1]), r[0]) + r[1] + r[2]
    data = bytearray()
    for b in range(0, max(1, (len(stream) + BLOCK_DATA - 1) // BLOCK_DATA)):
        inside = [k for k, s in enumerate(starts) if s // BLOCK_DATA == b]
        before = [k for k, s in enumerate(starts) if s // BLOCK_DATA < b]
        last_head = [k for k in before if records[k][0] == 0x02]
        data += struct.pack("<3I", pos[before[-1]] if before else NO_POS, pos[inside[0]] if inside else NO_POS,
                            pos[last_head[-1]] if last_head else NO_POS)
        data += stream[b * BLOCK_DATA:(b + 1) * BLOCK_DATA].ljust(BLOCK_DATA, b"\0")
    return bytes(data), offsets


# --- B-trees and the internal file system -----------------------------------

def btree(entries, page_size, structure, index_key, directory=False):
    """A B-tree over sorted leaf entries; index_key(entry) gives the key an
    index page stores for the leaf the entry starts."""
    leaves, page = [], []
    for e in entries:
        if len(e) > page_size - 8:
            raise SourceError("an entry does not fit a B-tree page")
        if page and sum(map(len, page)) + len(e) > page_size - 8:
            leaves.append(page)
            page = []
        page.append(e)
    leaves.append(page)
    pages = []
    for n, leaf in enumerate(leaves):
        used = sum(map(len, leaf))
        pages.append(struct.pack("<HHHH", page_size - 8 - used, len(leaf), n - 1 if n else 0xFFFF,
                                 n + 1 if n + 1 < len(leaves) else 0xFFFF) + b"".join(leaf))
    levels, root = 1, 0
    if len(leaves) > 1:
        body = b"".join(index_key(leaf[0]) + struct.pack("<H", n) for n, leaf in enumerate(leaves) if n)
        if len(body) > page_size - 6:
            raise SourceError("too many B-tree entries for one index page")
        pages.append(struct.pack("<HHH", page_size - 6 - len(body), len(leaves) - 1, 0) + body)
        levels, root = 2, len(leaves)
    header = struct.pack("<HHH16sHHHhHHI", 0x293B, 0x0402 if directory else 0x0002, page_size,
                         structure.encode(), 0, 0, root, -1, len(pages), levels, len(entries))
    return header + b"".join(p.ljust(page_size, b"\0") for p in pages)


def file_header(data):
    return struct.pack("<IIB", len(data) + 9, len(data), 4)


def assemble(files):
    """The whole .hlp: header, the internal files, then the directory."""
    body, places, at = bytearray(), {}, 16
    for name in sorted(files):
        places[name] = at
        chunk = file_header(files[name]) + files[name]
        body += chunk
        at += len(chunk)
    entries = [name.encode() + b"\0" + struct.pack("<I", places[name]) for name in sorted(files)]
    directory = btree(entries, 1024, "z4", lambda e: e[:e.index(b"\0") + 1], directory=True)
    body += file_header(directory) + directory
    total = 16 + len(body)
    return struct.pack("<IIiI", 0x00035F3F, at, -1, total) + bytes(body)


def collation(text):
    """The viewer looks keywords up without regard to case or accents: the
    index is sorted the same way (ü beside u, ß as ss)."""
    folded = unicodedata.normalize("NFKD", text.replace("ß", "ss"))
    return folded.encode("ascii", "ignore").upper()


def compile_help(source_text):
    title, topics = parse(source_text.splitlines())
    topic_file, offsets = build_topic_file(topics)
    system = struct.pack("<HHHIH", 0x036C, 21, 1, 0, 0)
    title_bytes = cp1252(title, "Titel") + b"\0"
    system += struct.pack("<HH", 1, len(title_bytes)) + title_bytes
    system += struct.pack("<HHI", 3, 4, offsets[0])
    faces = b"Arial".ljust(20, b"\0")
    fonts = struct.pack("<HHHH", 1, 3, 8, 8 + len(faces)) + faces
    for bold, half_points in ((0, 20), (1, 28), (1, 20)):
        fonts += struct.pack("<BBBH3s3s", bold, half_points, 3, 0, b"\0\0\0", b"\xff\xff\xff")
    contexts = sorted((context_hash(t.context), offsets[i]) for i, t in enumerate(topics))
    if len({h for h, _ in contexts}) != len(contexts):
        raise SourceError("two contexts share one hash")
    keywords = sorted(((cp1252(k, t.title), offsets[i]) for i, t in enumerate(topics) for k in t.keywords),
                      key=lambda kw: (collation(kw[0].decode("cp1252")), kw[0]))
    kw_entries = [k + b"\0" + struct.pack("<HI", 1, 4 * n) for n, (k, _) in enumerate(keywords)]
    files = {
        "|SYSTEM": system,
        "|TOPIC": topic_file,
        "|FONT": fonts,
        "|CONTEXT": btree([struct.pack("<iI", h, o) for h, o in contexts], 2048, "L4", lambda e: e[:4]),
        "|CTXOMAP": struct.pack("<H", 0),
        "|KWBTREE": btree(kw_entries, 2048, "F4", lambda e: e[:e.index(b"\0") + 1]),
        "|KWDATA": b"".join(struct.pack("<I", o) for _, o in keywords),
    }
    return assemble(files)


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        with open(argv[1], encoding="utf-8") as f:
            data = compile_help(f.read())
    except SourceError as e:
        print(f"{argv[1]}: {e}", file=sys.stderr)
        return 1
    with open(argv[2], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
