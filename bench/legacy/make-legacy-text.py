#!/usr/bin/env python3
"""make-legacy-text.py TEXT OUTDIR: zips TEXT into OUTDIR/text-shrink.zip
(method 1) and OUTDIR/text-implode.zip (method 6, 8 KiB dictionary, three
trees), for the benchmark: no tool on this machine writes these methods.

Both encoders are plain rather than good: Shrink is greedy LZW that sends a
partial clear whenever the table is full; Implode is greedy matching on one
candidate per 3-byte prefix, with trees of equal code lengths (8 bits for
literals, 6 for lengths and distances). unzip and 7zz decode both."""
import os
import struct
import sys
import zlib


class Bits:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, value, count):
        self.acc |= value << self.n
        self.n += count
        while self.n >= 8:
            self.out.append(self.acc & 0xFF)
            self.acc >>= 8
            self.n -= 8

    def msb(self, code, count):
        r = 0
        for _ in range(count):
            r = (r << 1) | (code & 1)
            code >>= 1
        self.put(r, count)

    def bytes(self):
        if self.n:
            return bytes(self.out) + bytes([self.acc & 0xFF])
        return bytes(self.out)


def shrink(data):
    """Greedy LZW; the table is kept exactly as a decoder keeps it."""
    b = Bits()
    size = 9
    child = {}            # (prefix code, byte) -> code
    prefix = {}           # code -> (prefix code, byte) for codes >= 257
    free = list(range(257, 8192))  # kept sorted; lowest first
    reserved = None
    previous = None

    def emit(code):
        nonlocal size
        while code >= (1 << size):
            b.put(256, size)
            b.put(1, size)
            size += 1
        b.put(code, size)

    def first_byte(code):
        while code >= 256:
            code = prefix[code][0]
        return code

    i, n = 0, len(data)
    while i < n:
        w = data[i]
        i += 1
        while i < n:
            nxt = child.get((w, data[i]))
            if nxt is None:
                break
            w = nxt
            i += 1
        emit(w)
        if reserved is not None:
            entry = (previous, first_byte(w) if w != reserved else first_byte(previous))
            prefix[reserved] = entry
            child[entry] = reserved
        previous = w
        reserved = free.pop(0) if free else None
        if not free and reserved is None:
            # Full: partial clear of every leaf.
            b.put(256, size)
            b.put(2, size)
            parents = {p for p, _ in prefix.values()}
            for code in [c for c in prefix if c not in parents]:
                key = prefix.pop(code)
                if child.get(key) == code:
                    del child[key]
                free.append(code)
            free.sort()
            # The string owed for the previous code takes the lowest free code.
            reserved = free.pop(0)
    return b.bytes()


def implode(data):
    b = Bits()
    # Trees: 256 literals of 8 bits, 64 lengths and 64 distances of 6 bits.
    for values, length in ((256, 8), (64, 6), (64, 6)):
        b.put(values // 16 - 1, 8)
        for _ in range(values // 16):
            b.put(0xF0 | (length - 1), 8)
    last = {}
    i, n = 0, len(data)
    while i < n:
        key = data[i:i + 3]
        cand = last.get(key)
        last[key] = i
        length = 0
        if cand is not None and i - cand <= 8192 and len(key) == 3:
            limit = min(321, n - i)
            while length < limit and data[cand + length] == data[i + length]:
                length += 1
        if length >= 3:
            d = i - cand - 1
            b.put(0, 1)
            b.put(d & 0x7F, 7)
            b.msb(63 - (d >> 7), 6)
            l = length - 3
            if l >= 63:
                b.msb(0, 6)
                b.put(l - 63, 8)
            else:
                b.msb(63 - l, 6)
            for j in range(i + 1, i + length):
                last[data[j:j + 3]] = j
            i += length
        else:
            b.put(1, 1)
            b.msb(255 - data[i], 8)
            i += 1
    return b.bytes()


def write_zip(path, name, method, flags, plain, packed):
    crc = zlib.crc32(plain)
    nm = name.encode()
    local = struct.pack('<IHHHHHIIIHH', 0x04034b50, 10, flags, method, 0, 0x21, crc, len(packed), len(plain),
                        len(nm), 0) + nm
    central = struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 10, 10, flags, method, 0, 0x21, crc, len(packed),
                          len(plain), len(nm), 0, 0, 0, 0, 0x20, 0) + nm
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, 1, 1, len(central), len(local) + len(packed), 0)
    with open(path, 'wb') as f:
        f.write(local + packed + central + end)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    text = open(sys.argv[1], 'rb').read()
    write_zip(os.path.join(sys.argv[2], 'text-shrink.zip'), 'text.txt', 1, 0, text, shrink(text))
    write_zip(os.path.join(sys.argv[2], 'text-implode.zip'), 'text.txt', 6, 6, text, implode(text))
