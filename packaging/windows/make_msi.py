#!/usr/bin/env python3
"""Builds kovrane-<version>-windows-x64.msi with wixl, reproducibly.

  make_msi.py OUTPUT VERSION KOVRANE_EXE KOVRANE_ICO SOURCE_DIR WORK_DIR

The package holds kovrane.exe and the texts the zip holds (LICENSE.txt and
both READMEs with CRLF line ends, the Japanese one with a byte-order mark).

wixl alone gives a different file on every run: a random package code and
the build time in the summary's "Created" and "Last saved", and the files'
own times in the cabinet. Here every time is SOURCE_DATE_EPOCH (a fixed
date without it), the product code is derived from the version (one
product per version, so the same version installs over itself as a no-op),
and the package code from the package's own bytes.

wixl writes Japanese neither into the database, whose code page it leaves
neutral, nor into the summary, which it marks as code page 1252 whatever
it holds. So the launch conditions, with their Japanese messages, are
imported with msibuild once the database's code page is 932 (Japanese,
ASCII included), and the summary's comments are written over a stand-in of
the same length, in code page 932.
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import uuid
from pathlib import Path

output, version, exe, icon, source_dir, work = sys.argv[1:7]
source = Path(source_dir)
work = Path(work)
epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315619200"))  # else 1980-01-02

COMMENTS = ("Installs Kovrane, a desktop stopwatch. "
            "デスクトップ用のストップウォッチ Kovrane をインストールします。").encode("cp932")
wxs = source / "packaging/windows/kovrane.wxs"
upgrade_code = uuid.UUID(wxs.read_text(encoding="utf-8").split('UpgradeCode="')[1][:36])


def windows_text(text: str) -> bytes:
    return "".join(line.rstrip("\r") + "\r\n" for line in text.splitlines()).encode("utf-8")


def readme(name: str) -> bytes:
    return windows_text((source / "packaging/windows" / name).read_text(encoding="utf-8")
                        .replace("@VERSION@", version))


shutil.rmtree(work, ignore_errors=True)
files = work / "files"
files.mkdir(parents=True)
shutil.copyfile(exe, files / "kovrane.exe")
shutil.copyfile(icon, files / "kovrane.ico")
(files / "LICENSE.txt").write_bytes(windows_text((source / "LICENSE").read_text(encoding="utf-8")))
(files / "README.txt").write_bytes(readme("README.txt"))
# Notepad before Windows 10 1903 reads a file without a byte-order mark in
# the ANSI code page.
(files / "README.ja.txt").write_bytes(b"\xef\xbb\xbf" + readme("README.ja.txt"))
for item in files.iterdir():
    item.chmod(0o644)
    os.utime(item, (epoch, epoch))

product_code = uuid.uuid5(upgrade_code, "Kovrane " + version)
msi = work / "kovrane.msi"
# wixl takes the sources' paths relative to the WiX source's folder. The
# cabinet keeps the files' local times: in UTC, the time zone does not matter.
shutil.copyfile(wxs, work / "kovrane.wxs")
defines = {"Version": version, "ProductCode": str(product_code).upper(), "Files": "files",
           "Comments": "-" * len(COMMENTS)}
subprocess.run(["wixl", "-a", "x64", *[f"--define={name}={value}" for name, value in defines.items()],
                "-o", msi.name, "kovrane.wxs"], check=True, cwd=work, env={**os.environ, "TZ": "UTC"})
(work / "_ForceCodepage.idt").write_bytes(b"\r\n\r\n932\t_ForceCodepage\r\n")
subprocess.run(["msibuild", str(msi), "-i", str(work / "_ForceCodepage.idt"),
                "-i", str(source / "packaging/windows/LaunchCondition.idt")], check=True)


class CompoundFile:
    """Just enough of the compound file format to rewrite one stream in
    place, at the same length."""

    def __init__(self, data: bytearray):
        self.data = data
        self.sector = 1 << struct.unpack_from("<H", data, 0x1E)[0]
        self.mini = 1 << struct.unpack_from("<H", data, 0x20)[0]
        first_dir, = struct.unpack_from("<I", data, 0x30)
        self.cutoff, first_minifat, _, _, difat_sectors = struct.unpack_from("<IIIII", data, 0x38)
        assert difat_sectors == 0, "more FAT than the header lists"
        fat_sectors = [s for s in struct.unpack_from("<109I", data, 0x4C) if s < 0xFFFFFFFA]
        self.fat = [n for s in fat_sectors for n in self._ints(s)]
        self.minifat = [n for s in self._chain(first_minifat) for n in self._ints(s)]
        self.entries = [self.data[self._offset(s) + i:self._offset(s) + i + 128]
                        for s in self._chain(first_dir) for i in range(0, self.sector, 128)]
        self.mini_sectors = self._chain(struct.unpack_from("<I", self.entries[0], 116)[0])

    def _offset(self, sector: int) -> int:
        return (sector + 1) * self.sector

    def _ints(self, sector: int):
        return struct.unpack_from(f"<{self.sector // 4}I", self.data, self._offset(sector))

    def _chain(self, start: int, table=None):
        table = self.fat if table is None else table
        chain = []
        while start < 0xFFFFFFFA:
            chain.append(start)
            start = table[start]
        return chain

    def _byte_offsets(self, name: str):
        for entry in self.entries:
            length, = struct.unpack_from("<H", entry, 64)
            if entry[:length - 2].decode("utf-16-le") == name:
                start, size = struct.unpack_from("<IQ", entry, 116)
                break
        else:
            raise KeyError(name)
        if size >= self.cutoff:
            return [self._offset(s) + i for s in self._chain(start)
                    for i in range(self.sector)][:size]
        offsets = []
        for mini in self._chain(start, self.minifat):
            at = mini * self.mini
            big = self.mini_sectors[at // self.sector]
            offsets += range(self._offset(big) + at % self.sector,
                             self._offset(big) + at % self.sector + self.mini)
        return offsets[:size]

    def read(self, name: str) -> bytearray:
        return bytearray(self.data[i] for i in self._byte_offsets(name))

    def write(self, name: str, stream: bytes):
        offsets = self._byte_offsets(name)
        assert len(offsets) == len(stream)
        for i, byte in zip(offsets, stream):
            self.data[i] = byte


def set_summary(package: CompoundFile, revision: str):
    """Sets the code page, the comments, the revision number (the package
    code) and both times."""
    stream = package.read("\x05SummaryInformation")
    section, = struct.unpack_from("<I", stream, 44)
    count, = struct.unpack_from("<I", stream, section + 4)
    filetime = (epoch + 11644473600) * 10_000_000
    for i in range(count):
        pid, offset = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        at = section + offset
        if pid == 1:  # PID_CODEPAGE
            struct.pack_into("<H", stream, at + 4, 932)
        elif pid in (6, 9):  # PID_COMMENTS, PID_REVNUMBER: strings
            text = COMMENTS if pid == 6 else revision.encode("ascii")
            length, = struct.unpack_from("<I", stream, at + 4)
            assert length == len(text) + 1
            stream[at + 8:at + 8 + len(text)] = text
        elif pid in (12, 13):  # PID_CREATE_DTM, PID_LASTSAVE_DTM
            struct.pack_into("<Q", stream, at + 4, filetime)
    package.write("\x05SummaryInformation", stream)


package = CompoundFile(bytearray(msi.read_bytes()))
set_summary(package, "{%s}" % uuid.UUID(int=0))
package_code = uuid.uuid5(upgrade_code, hashlib.sha256(package.data).hexdigest())
set_summary(package, "{%s}" % str(package_code).upper())
Path(output).write_bytes(package.data)
