#!/usr/bin/env python3
"""Seed inputs for the decoder fuzz targets.

  make-seeds.py handmade OUTDIR        tiny hand-made streams (kept in fuzz/corpus)
  make-seeds.py archives ZIPDIR OUTDIR the legacy entries of the shared test
                                       archives (up to 4 KiB compressed), made
                                       at run time, never kept in the project

Each seed is the fuzz input layout of fuzz/FuzzEntry.h: uncompressed size
(4 bytes LE), decoder parameter, block size selector, flags, compressed bytes.
Files land in OUTDIR/fuzz_unshrink, OUTDIR/fuzz_unreduce, OUTDIR/fuzz_explode,
OUTDIR/fuzz_inflate64, OUTDIR/fuzz_library_methods;
whole small archives (the input of the whole-reader target) in
OUTDIR/fuzz_unzipper.
"""
import io
import zipfile
import hashlib
import os
import struct
import sys


class Bits:
    def __init__(self):
        self.out = bytearray()
        self.n = 0

    def put(self, value, count):
        for i in range(count):
            if self.n % 8 == 0:
                self.out.append(0)
            self.out[-1] |= ((value >> i) & 1) << (self.n % 8)
            self.n += 1
        return self

    def msb(self, code, count):
        for i in reversed(range(count)):
            self.put((code >> i) & 1, 1)
        return self


def seed(outdir, target, usize, param, data, block=0xFF, truncated=0):
    payload = struct.pack('<IBBB', usize, param, block, truncated) + bytes(data)
    d = os.path.join(outdir, target)
    os.makedirs(d, exist_ok=True)
    name = hashlib.sha1(payload).hexdigest()[:16]
    with open(os.path.join(d, name), 'wb') as f:
        f.write(payload)


def shrink_seq(seq):
    """seq: codes; ('widen',) and ('clear',) insert the escapes."""
    b, size = Bits(), 9
    for c in seq:
        if c == 'widen':
            b.put(256, size).put(1, size)
            size += 1
        elif c == 'clear':
            b.put(256, size).put(2, size)
        else:
            b.put(c, size)
    return b.out


def reduce_stream(intermediate, sets=None):
    sets = sets or {}
    b = Bits()
    for j in range(255, -1, -1):
        s = sets.get(j, [])
        b.put(len(s), 6)
        for x in s:
            b.put(x, 8)
    last = 0
    for c in intermediate:
        s = sets.get(last, [])
        if not s:
            b.put(c, 8)
        elif c in s:
            bits = 1
            while (1 << bits) < len(s):
                bits += 1
            b.put(0, 1).put(s.index(c), bits)
        else:
            b.put(1, 1).put(c, 8)
        last = c
    return b.out


def implode_stream(flags, ops):
    three = flags & 4
    low = 7 if flags & 2 else 6
    mm = 3 if three else 2
    b = Bits()

    def tree(values, length):
        b.put(values // 16 - 1, 8)
        for _ in range(values // 16):
            b.put(0xF0 | (length - 1), 8)

    if three:
        tree(256, 8)
    tree(64, 6)
    tree(64, 6)
    for op in ops:
        if isinstance(op, int):
            b.put(1, 1)
            if three:
                b.msb(255 - op, 8)
            else:
                b.put(op, 8)
        else:
            dist, length = op
            d = dist - 1
            b.put(0, 1).put(d & ((1 << low) - 1), low).msb(63 - (d >> low), 6)
            l = length - mm
            if l >= 63:
                b.msb(0, 6).put(l - 63, 8)
            else:
                b.msb(63 - l, 6)
    return b.out


def deflate64_fixed(ops, final=1):
    """A fixed-code Deflate64 block: ints are literals, (length, distance)
    pairs matches (length code 285 + 16 bits past 258)."""
    b = Bits().put(final, 1).put(1, 2)

    def symbol(s):
        if s < 144:
            b.msb(0x30 + s, 8)
        elif s < 256:
            b.msb(0x190 + s - 144, 9)
        elif s < 280:
            b.msb(s - 256, 7)
        else:
            b.msb(0xC0 + s - 280, 8)

    for op in ops:
        if isinstance(op, int):
            symbol(op)
            continue
        length, dist = op
        if length > 258:
            symbol(285)
            b.put(length - 3, 16)
        else:
            base = 3
            for s in range(257, 285):
                extra = 0 if s < 265 else (s - 261) // 4
                if length < base + (1 << extra):
                    symbol(s)
                    b.put(length - base, extra)
                    break
                base += 1 << extra
        base = 1
        for code in range(32):
            extra = 0 if code < 4 else code // 2 - 1
            if dist < base + (1 << extra):
                b.msb(code, 5).put(dist - base, extra)
                break
            base += 1 << extra
    symbol(256)
    return b.out


def deflate64_stored(data, final=0):
    return bytes([final]) + struct.pack('<HH', len(data), len(data) ^ 0xFFFF) + data


def handmade(outdir):
    seed(outdir, 'fuzz_unshrink', 1, 0, shrink_seq([65]))
    seed(outdir, 'fuzz_unshrink', 7, 0, shrink_seq([65, 66, 257, 259]))
    seed(outdir, 'fuzz_unshrink', 15, 0, shrink_seq([65, 66, 257, 67, 259, 'clear', 257, 67, 258]), block=2)
    seed(outdir, 'fuzz_unshrink', 20, 0, shrink_seq([65, 'widen', 66, 257, 'widen', 258, 'clear', 65, 257]))
    seed(outdir, 'fuzz_unshrink', 4, 0, shrink_seq([65, 66, 257, 67]), truncated=1)
    text = list(b'the quick brown fox jumps over the lazy dog ')
    for f in range(4):
        seed(outdir, 'fuzz_unreduce', 2, f, reduce_stream([65, 66]))
        seed(outdir, 'fuzz_unreduce', 60, f, reduce_stream(text + [144, 0, 144, 5, 3, 144, (1 << (8 - f - 1)) - 1, 7, 1]))
        seed(outdir, 'fuzz_unreduce', 46, f,
             reduce_stream(text, {0: [116], 116: [104, 101], 104: [101], 32: list(b'qbfjotld')}), block=6)
    for flags in (0, 2, 4, 6):
        seed(outdir, 'fuzz_explode', 2, flags, implode_stream(flags, [65, 66]))
        seed(outdir, 'fuzz_explode', 300, flags, implode_stream(flags, text + [(44, 20), (1, 200), (5000, 4)]))
        seed(outdir, 'fuzz_explode', 50, flags, implode_stream(flags, text + [(3, 6)]), block=10, truncated=1)
    import bz2, lzma, zlib
    seed(outdir, 'fuzz_inflate64', 48, 0, deflate64_fixed(text + [(4, 44)]))
    seed(outdir, 'fuzz_inflate64', 70000, 0, deflate64_fixed(text + [(69956, 44)]), block=3)
    noise = bytes((i * 131 + i // 256) & 0xFF for i in range(40000))
    seed(outdir, 'fuzz_inflate64', 40300, 0, deflate64_stored(noise) + deflate64_fixed([(300, 40000)]))
    seed(outdir, 'fuzz_inflate64', 44, 0, deflate64_fixed(text)[:30], truncated=1)
    raw = zlib.compressobj(9, zlib.DEFLATED, -15)
    seed(outdir, 'fuzz_inflate64', 440, 0, raw.compress(bytes(text) * 10) + raw.flush())
    prose = bytes(text) * 20
    seed(outdir, 'fuzz_library_methods', len(prose), 0, bz2.compress(prose))
    filters = [{'id': lzma.FILTER_LZMA1, 'dict_size': 1 << 16}]
    props = lzma._encode_filter_properties(filters[0])
    seed(outdir, 'fuzz_library_methods', len(prose), 5,
         b'\x10\x02\x05\x00' + props + lzma.compress(prose, lzma.FORMAT_RAW, filters=filters))
    seed(outdir, 'fuzz_library_methods', len(prose), 2, lzma.compress(prose))


def whole(outdir, data):
    d = os.path.join(outdir, 'fuzz_unzipper')
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, hashlib.sha1(data).hexdigest()[:16]), 'wb') as f:
        f.write(data)


def handmade_archives(outdir):
    for method in (zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED):
        buf = io.BytesIO()
        with zipfile.ZipFile(buf, 'w', method) as z:
            z.writestr('a/x.txt', b'prova ' * 20)
            z.writestr('b/', b'')
            z.writestr('../y.txt', b'gabarito')
            z.writestr('C:/z.txt', b'')
        whole(outdir, buf.getvalue())
    # A shrunk and an imploded entry in one archive, made from the streams above.
    entries = [('s.txt', 1, 0, shrink_seq([65, 66, 257, 259]), b'ABABABA'),
               ('i.txt', 6, 6, implode_stream(6, list(b'AB') + [(2, 5)]), b'ABABABA')]
    out, central = bytearray(), bytearray()
    import zlib
    for name, method, flags, data, plain in entries:
        crc = zlib.crc32(plain)
        offset = len(out)
        out += struct.pack('<IHHHHHIIIHH', 0x04034b50, 10, flags, method, 0, 0x21, crc, len(data), len(plain),
                           len(name), 0) + name.encode() + bytes(data)
        central += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 10, 10, flags, method, 0, 0x21, crc, len(data),
                               len(plain), len(name), 0, 0, 0, 0, 0x20, offset) + name.encode()
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(entries), len(entries), len(central), len(out), 0)
    whole(outdir, bytes(out + central + end))
    overlapping(outdir)


def stored_archive(entries):
    """entries: (name, local header offset or None, data bytes, declared size or None); the
    local headers and data are laid out in order unless an offset is given."""
    import zlib
    out, central = bytearray(), bytearray()
    for name, offset, data, size in entries:
        if offset is None:
            offset = len(out)
            out += struct.pack('<IHHHHHIIIHH', 0x04034b50, 10, 0, 0, 0, 0x21, zlib.crc32(data), len(data),
                               len(data), len(name), 0) + name.encode() + data
        n = len(data) if size is None else size
        central += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 10, 10, 0, 0, 0, 0x21, zlib.crc32(data), n, n,
                               len(name), 0, 0, 0, 0, 0x20, offset) + name.encode()
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(entries), len(entries), len(central), len(out), 0)
    return bytes(out + central + end)


def overlapping(outdir):
    """Archives for the checks made before anything is written: entries whose bytes overlap
    (one reaching one byte into the next header; a kernel quoted by several entries) and an
    entry whose data run past the end of the archive."""
    whole(outdir, stored_archive([('a.txt', None, b'aaaa', 5), ('b.txt', None, b'bbbb', None),
                                  ('c.txt', None, b'cccc', None)]))
    import zlib
    kernel = b'gabarito ' * 40
    tail, headers = kernel, []
    for i in reversed(range(4)):
        name = f'k{i}'.encode()
        h = struct.pack('<IHHHHHIIIHH', 0x04034b50, 10, 0, 0, 0, 0x21, zlib.crc32(tail), len(tail), len(tail),
                        len(name), 0) + name
        headers.insert(0, h)
        tail = h + tail
    central, offset = bytearray(), 0
    for h in headers:
        central += struct.pack('<IH', 0x02014b50, 10) + h[4:30] + bytes(10) + struct.pack('<I', offset) + h[30:]
        offset += len(h)
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(headers), len(headers), len(central), len(tail), 0)
    whole(outdir, bytes(tail + central + end))
    whole(outdir, stored_archive([('a.txt', None, b'aaaa', None), ('long.txt', None, b'llll', 100000),
                                  ('c.txt', None, b'cccc', None)]))


def archives(zipdir, outdir):
    methods = {1: 'fuzz_unshrink', 2: 'fuzz_unreduce', 3: 'fuzz_unreduce', 4: 'fuzz_unreduce',
               5: 'fuzz_unreduce', 6: 'fuzz_explode', 9: 'fuzz_inflate64', 12: 'fuzz_library_methods'}
    for root, _, files in os.walk(zipdir):
        for name in sorted(files):
            if not name.lower().endswith('.zip'):
                continue
            data = open(os.path.join(root, name), 'rb').read()
            if len(data) <= 8192:
                whole(outdir, data)
            at = 0
            while at + 30 <= len(data) and data[at:at + 4] == b'PK\x03\x04':
                flags, method = struct.unpack_from('<HH', data, at + 6)
                csize, usize, nlen, xlen = struct.unpack_from('<IIHH', data, at + 18)
                start = at + 30 + nlen + xlen
                if method in methods and csize <= 4096:
                    param = method - 2 if method in (2, 3, 4, 5) else 0 if method in (9, 12) else flags & 0xFF
                    seed(outdir, methods[method], usize, param, data[start:start + csize])
                at = start + csize


if __name__ == '__main__':
    if len(sys.argv) == 3 and sys.argv[1] == 'handmade':
        handmade(sys.argv[2])
        handmade_archives(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == 'archives':
        archives(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
