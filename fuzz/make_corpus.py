#!/usr/bin/env python3
"""Writes the archives the hardening tests extract.

hostile/   archives built to break an extractor; MANIFEST lists, per archive, the
           names of members that are damaged, encrypted, links or too large, whose
           earlier file in the destination must survive.
ordinary/  everyday archives made by several zip tools, for comparing with unzip.

Everything is made here from the standard library and the zip, 7z and bsdtar
commands; an archive whose tool is missing is left out.
"""

import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zipfile
import zlib

DOS_TIME, DOS_DATE = (12 << 11) | (30 << 5), ((2001 - 1980) << 9) | (5 << 5) | 6
UNIX, DOS = 3, 0
LINK_MODE, FILE_MODE = 0o120777, 0o100644


def deflate(data):
    packer = zlib.compressobj(6, zlib.DEFLATED, -15)
    return packer.compress(data) + packer.flush()


class Member:
    def __init__(self, name, data=b"", method=0, **kw):
        self.name = name if isinstance(name, bytes) else name.encode()
        self.data = data
        self.method = method
        self.stored = kw.get("stored", deflate(data) if method == 8 else data)
        self.crc = kw.get("crc", zlib.crc32(data))
        self.size = kw.get("size", len(data))
        self.flags = kw.get("flags", 0)
        self.system = kw.get("system", UNIX)
        self.external = kw.get("external", kw.get("mode", FILE_MODE) << 16)
        self.local_name = kw.get("local_name", self.name)
        self.offset_shift = kw.get("offset_shift", 0)


def raw_zip(members, count=None, shared_local=False):
    """An archive written byte by byte, so that every field can lie."""
    body, central, offsets = b"", b"", []
    for index, m in enumerate(members):
        if shared_local and index > 0:
            offsets.append(offsets[0])
            continue
        offsets.append(len(body))
        body += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, m.flags, m.method, DOS_TIME,
                            DOS_DATE, m.crc, len(m.stored), m.size, len(m.local_name), 0)
        body += m.local_name + m.stored
    for m, offset in zip(members, offsets):
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, (m.system << 8) | 20, 20,
                               m.flags, m.method, DOS_TIME, DOS_DATE, m.crc, len(m.stored),
                               m.size, len(m.name), 0, 0, 0, 0, m.external,
                               offset + m.offset_shift)
        central += m.name
    entries = len(members) if count is None else count
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, entries, entries, len(central), len(body), 0)
    return body + central + end


def bomb_member(name, size, declared=None):
    """A member of `size` zero bytes, deflated in repeated independent blocks so
    that gigabytes cost only a moment to write."""
    chunk = 1 << 20
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    block = packer.compress(bytes(chunk)) + packer.flush(zlib.Z_FULL_FLUSH)
    final = zlib.compressobj(9, zlib.DEFLATED, -15).flush()
    crc, zeros = 0, bytes(chunk)
    for _ in range(size // chunk):
        crc = zlib.crc32(zeros, crc)
    return Member(name, b"", 8, stored=block * (size // chunk) + final, crc=crc,
                  size=size if declared is None else declared)


def run(command, cwd):
    if shutil.which(command[0]) is None:
        return False
    return subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def hostile(folder, work):
    manifest = []

    def add(name, content, kept=()):
        write(os.path.join(folder, name), content)
        manifest.append(name + "\t" + ",".join(kept))

    plain = Member("PLAIN.TXT", b"plain member\n")
    add("traversal.zip", raw_zip([Member(n, b"t") for n in
                                  ("../UP1.TXT", "..\\UP2.TXT", "/ABS1.TXT", "C:\\ABS2.TXT",
                                   "dir/../../UP3.TXT", "C:UP4.TXT", "..")] + [plain]))
    add("dot-and-empty-names.zip", raw_zip([Member(n, b"d") for n in
                                            (".", "..", "", "/", "\\", "dir/", "a/./.")]
                                           + [plain]))
    add("control-characters.zip", raw_zip([Member(n, b"c") for n in
                                           (b"A\x01B.TXT", b"TAB\tNAME.TXT", b"NUL\x00HID.TXT",
                                            b"NEW\nLINE.TXT", b"\x1b[31mRED.TXT")] + [plain]))
    add("over-long-names.zip", raw_zip([Member("L" * 300 + ".TXT", b"l"),
                                        Member("F" * 300 + "/SHORT.TXT", b"s"),
                                        Member("E" * 251 + ".TXT", b"e"), plain]))
    add("link-then-file-through-it.zip", raw_zip([
        Member("EVIL", b"../SENTINEL.TXT", mode=LINK_MODE),
        Member("EVIL", b"written through a link\n"),
        Member("ABS", b"/tmp", mode=LINK_MODE),
        Member("ABS/ESCAPE.TXT", b"escape\n"), plain]))
    add("link-over-earlier-file.zip", raw_zip([
        Member("EARLIER.TXT", b"../SENTINEL.TXT", mode=LINK_MODE), plain]), kept=["EARLIER.TXT"])
    add("duplicate-names.zip", raw_zip([Member("DUP.TXT", b"1"), Member("DUP.TXT", b"2"),
                                        Member("a/DUP.TXT", b"3"), Member("dup.txt", b"4")]))
    add("encrypted-flag-on-plain-data.zip", raw_zip([
        Member("SECRET.TXT", b"not really secret", flags=1), plain]), kept=["SECRET.TXT"])

    source = os.path.join(work, "encrypted")
    write(os.path.join(source, "SECRET.TXT"), b"secret data\n" * 50)
    write(os.path.join(source, "PLAIN.TXT"), b"plain member\n")
    zipcrypto = os.path.join(folder, "encrypted-zipcrypto.zip")
    if run(["zip", "-q", "-P", "secret", zipcrypto, "SECRET.TXT"], source) and \
            run(["zip", "-q", zipcrypto, "PLAIN.TXT"], source):
        manifest.append("encrypted-zipcrypto.zip\tSECRET.TXT")
    aes = os.path.join(folder, "encrypted-aes.zip")
    if run(["7z", "a", "-tzip", "-psecret", "-mem=AES256", aes, "SECRET.TXT"], source) and \
            run(["7z", "a", "-tzip", aes, "PLAIN.TXT"], source):
        manifest.append("encrypted-aes.zip\tSECRET.TXT")

    three = [Member("FIRST.TXT", b"first\n" * 100, 8), Member("VICTIM.TXT", os.urandom(4000)),
             Member("LAST.TXT", b"last\n" * 100, 8)]
    whole = raw_zip(three)
    victim_start = whole.index(b"VICTIM.TXT") + len("VICTIM.TXT")
    add("truncated.zip", whole[:victim_start + 2000], kept=["VICTIM.TXT", "LAST.TXT"])
    central = whole.index(struct.pack("<I", 0x02014B50))
    broken = bytearray(whole)
    broken[central + 4:central + 46] = os.urandom(42)
    add("damaged-central-directory.zip", bytes(broken), kept=["FIRST.TXT"])
    second = whole.index(b"VICTIM.TXT", central)
    shifted = bytearray(whole)
    shifted[second - 4:second] = struct.pack("<I", 7)  # VICTIM's local offset points into FIRST
    add("wrong-local-offset.zip", bytes(shifted), kept=["VICTIM.TXT"])
    add("entry-count-lies.zip", raw_zip(three, count=60000), kept=["FIRST.TXT", "VICTIM.TXT",
                                                                  "LAST.TXT"])
    add("overlapping-members.zip", raw_zip([Member("ONE.TXT", b"shared data" * 100, 8),
                                            Member("TWO.TXT", b"shared data" * 100, 8)],
                                           shared_local=True))
    add("local-name-differs.zip", raw_zip([Member("OK.TXT", b"ok", local_name=b"../../EVIL.TXT"),
                                           plain]))

    good = b"the intact content of a member\n" * 20
    bad = bytearray(good)
    bad[100] ^= 0xFF
    add("crc-error.zip", raw_zip([
        Member("VICTIM.TXT", good, stored=bytes(bad)),
        Member("DEFLATED.TXT", good, 8, crc=zlib.crc32(good) ^ 1), plain]),
        kept=["VICTIM.TXT", "DEFLATED.TXT"])
    add("declared-size-lies.zip", raw_zip([
        Member("LONGER.TXT", good, 8, size=10), Member("SHORTER.TXT", good, 8, size=100000),
        Member("STORED.TXT", good, size=len(good) + 1), plain]),
        kept=["LONGER.TXT", "SHORTER.TXT", "STORED.TXT"])
    add("unknown-method.zip", raw_zip([Member("VICTIM.TXT", good, method=77), plain]),
        kept=["VICTIM.TXT"])
    add("deflate-bomb.zip", raw_zip([bomb_member("BOMB.DAT", 3 << 30), plain]),
        kept=["BOMB.DAT"])
    add("deflate-bomb-small-declared.zip",
        raw_zip([bomb_member("BOMB.DAT", 64 << 20, declared=1000), plain]), kept=["BOMB.DAT"])
    add("dos-folder-with-data.zip", raw_zip([Member("FOLDER", b"x", system=DOS, external=0x10),
                                             plain]))

    zip64 = os.path.join(folder, "zip64.zip")
    with zipfile.ZipFile(zip64, "w") as archive:
        with archive.open("BIG64.TXT", "w", force_zip64=True) as member:
            member.write(b"zip64 member\n" * 1000)
    manifest.append("zip64.zip\t")
    add("names-utf8.zip", raw_zip([Member("Fl\u00fcgel.TXT".encode(), b"u", flags=0x800),
                                   Member("\u65e5\u672c.TXT".encode(), b"j", flags=0x800),
                                   Member(b"BAD\xff\xfe.TXT", b"b", flags=0x800), plain]))
    add("names-cp437-cp850.zip", raw_zip([Member(b"Fl\x81gel.TXT", b"u", system=DOS),
                                          Member(b"\x90cole.TXT", b"e", system=DOS),
                                          Member(b"\xb5\xd6.TXT", b"8", system=DOS), plain]))
    add("empty.zip", struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 0, 0, 0, 0, 0))
    add("not-a-zip.zip", b"This is a text file that only calls itself an archive.\n" * 10)
    add("zero-bytes.zip", b"")
    with open(os.path.join(folder, "MANIFEST"), "w") as out:
        out.write("\n".join(manifest) + "\n")


def ordinary_tree(root):
    rng = random.Random(1998)
    files = {
        "readme.txt": b"An ordinary add-on.\r\n" * 40,
        "data/plane.flt": bytes(rng.getrandbits(8) for _ in range(100000)),
        "data/sub/deep file.tga": bytes(rng.getrandbits(8) for _ in range(3000)) * 4,
        "empty.dat": b"",
        "big.ter": b"terrain tile " * 80000,
        "a/same.txt": b"first of two\n",
        "b/same.txt": b"second of two\n",
    }
    stamp = int(time.mktime((2001, 5, 6, 12, 30, 0, 0, 0, -1)))
    for number, (name, data) in enumerate(sorted(files.items())):
        path = os.path.join(root, name)
        write(path, data)
        os.utime(path, (stamp + 86400 * number, stamp + 86400 * number))
    return sorted(files)


def ordinary(folder, work):
    root = os.path.join(work, "tree")
    names = ordinary_tree(root)
    made = {
        "info-zip-deflated.zip": ["zip", "-q", "-X"],
        "info-zip-stored.zip": ["zip", "-q", "-X", "-0"],
        "7z-deflated.zip": ["7z", "a", "-tzip", "-bd"],
        "7z-stored.zip": ["7z", "a", "-tzip", "-bd", "-mx=0"],
        "bsdtar-deflated.zip": ["bsdtar", "--format", "zip", "-cf"],
        "bsdtar-stored.zip": ["bsdtar", "--format", "zip", "--options", "zip:compression=store",
                              "-cf"],
    }
    for archive, command in made.items():
        run(command + [os.path.join(folder, archive)] + names, root)
    for archive, method in (("python-deflated.zip", zipfile.ZIP_DEFLATED),
                            ("python-stored.zip", zipfile.ZIP_STORED)):
        with zipfile.ZipFile(os.path.join(folder, archive), "w", method) as out:
            for name in names:
                out.write(os.path.join(root, name), name)
    zip64 = os.path.join(folder, "python-zip64.zip")
    with zipfile.ZipFile(zip64, "w", zipfile.ZIP_DEFLATED) as out:
        for name in names:
            info = zipfile.ZipInfo.from_file(os.path.join(root, name), name)
            with open(os.path.join(root, name), "rb") as data, \
                    out.open(info, "w", force_zip64=True) as member:
                member.write(data.read())
    os.symlink("readme.txt", os.path.join(root, "LINK.TXT"))
    run(["zip", "-q", "-y", os.path.join(folder, "info-zip-link.zip"), "readme.txt", "LINK.TXT"],
        root)
    write(os.path.join(folder, "backslash-names.zip"),
          raw_zip([Member("dir\\IN.TXT", b"in"), Member("..\\UP.TXT", b"up"),
                   Member("PLAIN.TXT", b"plain")]))


def main():
    out = sys.argv[1]
    shutil.rmtree(out, ignore_errors=True)
    for part in ("hostile", "ordinary"):
        os.makedirs(os.path.join(out, part))
    with tempfile.TemporaryDirectory() as work:
        hostile(os.path.join(out, "hostile"), work)
        ordinary(os.path.join(out, "ordinary"), work)


if __name__ == "__main__":
    main()
