#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Makes a package that wixl wrote the same bytes whenever it is built again from the same sources.

    msi_summary.py MSI EPOCH

wixl stamps two things into the summary information: a random package code (the revision number, PID 9) and
the present time (creation and last-save time, PIDs 12 and 13, and the last-printed time when there is one).
This rewrites them in place, in the compound file's own sectors, so nothing else of the file moves: every time
becomes EPOCH (seconds since 1970, UTC; SOURCE_DATE_EPOCH), and the package code a name-based UUID of the
SHA-256 of the whole file with the fixed times and no code in it. Packages that differ in any byte get
different codes; a package built again from the same sources gets the same one.
"""
import hashlib
import struct
import sys
import uuid

FREE_SECTORS = 0xFFFFFFFA  # and above: end of chain, FAT, DIFAT, free
NAMESPACE = uuid.UUID("5B1D8E2A-7C43-4F0E-9A61-3D2C8B4E7F10")
SUMMARY = "\x05SummaryInformation"
VT_LPSTR, VT_FILETIME = 30, 64
TIMES = (11, 12, 13)
REVISION = 9


def chain(table, start):
    out = []
    while start < FREE_SECTORS:
        if len(out) > len(table):
            sys.exit("msi_summary: a sector chain loops")
        out.append(start)
        start = table[start]
    return out


def stream_offsets(data):
    """The file offset of every byte of the summary information stream, in order."""
    if data[:8] != bytes.fromhex("D0CF11E0A1B11AE1"):
        sys.exit("msi_summary: no compound file")
    sector = 1 << struct.unpack_from("<H", data, 0x1E)[0]
    mini = 1 << struct.unpack_from("<H", data, 0x20)[0]
    first_dir, cutoff, first_minifat = struct.unpack_from("<I4xII", data, 0x30)
    first_difat, difat_count = struct.unpack_from("<II", data, 0x44)

    def at(n):
        return (n + 1) * sector

    fat_sectors = list(struct.unpack_from("<109I", data, 0x4C))
    for _ in range(difat_count):
        fat_sectors += struct.unpack_from("<%dI" % (sector // 4 - 1), data, at(first_difat))
        first_difat = struct.unpack_from("<I", data, at(first_difat) + sector - 4)[0]
    fat = []
    for n in fat_sectors:
        if n < FREE_SECTORS:
            fat += struct.unpack_from("<%dI" % (sector // 4), data, at(n))
    minifat = []
    for n in chain(fat, first_minifat):
        minifat += struct.unpack_from("<%dI" % (sector // 4), data, at(n))

    entries = b"".join(data[at(n):at(n) + sector] for n in chain(fat, first_dir))
    root_start = struct.unpack_from("<I", entries, 116)[0]
    mini_stream = [at(n) + i for n in chain(fat, root_start) for i in range(sector)]
    for e in range(0, len(entries), 128):
        length = struct.unpack_from("<H", entries, e + 64)[0]
        if entries[e + 66] == 2 and entries[e:e + max(length - 2, 0)].decode("utf-16-le") == SUMMARY:
            start, size = struct.unpack_from("<II", entries, e + 116)
            if size < cutoff:
                offsets = [mini_stream[n * mini + i] for n in chain(minifat, start) for i in range(mini)]
            else:
                offsets = [at(n) + i for n in chain(fat, start) for i in range(sector)]
            return offsets[:size]
    sys.exit("msi_summary: no summary information stream")


def properties(stream):
    """(id, type, offset of the value) of each property of the first section."""
    section = struct.unpack_from("<I", stream, 44)[0]
    count = struct.unpack_from("<I", stream, section + 4)[0]
    for i in range(count):
        pid, offset = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        yield pid, struct.unpack_from("<I", stream, section + offset)[0], section + offset + 4


def main():
    if len(sys.argv) != 3 or not sys.argv[2].isdigit():
        sys.exit(__doc__)
    path, epoch = sys.argv[1], int(sys.argv[2])
    with open(path, "rb") as f:
        data = bytearray(f.read())
    offsets = stream_offsets(data)
    stream = bytearray(data[o] for o in offsets)
    code_at = None
    for pid, kind, at in properties(stream):
        if pid in TIMES and kind == VT_FILETIME:
            struct.pack_into("<Q", stream, at, (epoch + 11644473600) * 10000000)
        elif pid == REVISION and kind == VT_LPSTR and struct.unpack_from("<I", stream, at)[0] == 39:
            code_at = at + 4
    if code_at is None:
        sys.exit("msi_summary: no package code of 38 characters in " + path)
    stream[code_at:code_at + 38] = b"{" + b"0" * 36 + b"}"
    for o, byte in zip(offsets, stream):
        data[o] = byte
    code = str(uuid.uuid5(NAMESPACE, hashlib.sha256(data).hexdigest())).upper()
    stream[code_at:code_at + 38] = ("{" + code + "}").encode()
    for o, byte in zip(offsets, stream):
        data[o] = byte
    with open(path, "r+b") as f:
        f.write(data)
    print(code)


if __name__ == "__main__":
    main()
