#!/usr/bin/env python3
"""Builds one of Kovrane's two Windows Installer packages with wixl, reproducibly.

  make_msi.py OUTPUT VERSION KOVRANE_EXE KOVRANE_ICO SOURCE_DIR WORK_DIR per-user|per-machine

The package holds kovrane.exe and the texts the zip holds (LICENSE.txt and
both READMEs with CRLF line ends, the Japanese one with a byte-order mark).
The two scopes are built from the same WiX source, each with an upgrade
code of its own, so that each upgrades only itself.

wixl alone gives a different file on every run: a random package code and
the build time in the summary's "Created" and "Last saved", and the files'
own times in the cabinet. Here every time is SOURCE_DATE_EPOCH (a fixed
date without it), and both codes come from the package's own bytes: the
product code from the package built with a stand-in product code, the
package code from the package itself. So the same package again changes
nothing, and a package of the same version with other bytes (a rebuild
with other tools, or around a signed kovrane.exe) is another product,
which replaces the installed one as a newer version does: the upgrade
rule takes in the same version.

wixl writes Japanese neither into the database, whose code page it leaves
neutral, nor into the summary, which it marks as code page 1252 whatever
it holds. So the launch conditions, with their Japanese messages, are
imported with msibuild once the database's code page is 932 (Japanese,
ASCII included), and the summary's comments are written over a stand-in of
the same length, in code page 932, with olefile.
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import uuid
from pathlib import Path

try:
    import olefile
except ImportError:
    sys.exit(f"make_msi.py: {sys.executable} has no olefile module "
             "(Debian: apt install python3-olefile)")

output, version, exe, icon, source_dir, work, scope = sys.argv[1:8]
source = Path(source_dir)
work = Path(work)
epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315619200"))  # else 1980-01-02

# The upgrade codes never change: each ties every version of its package
# together for upgrades.
UPGRADE_CODES = {"per-user": "F2F32463-FE9F-4739-8949-5D340B0CBBDA",
                 "per-machine": "E1C5CDA2-4B33-4E53-879A-B2AA2895FF8B"}
WIX_SCOPES = {"per-user": "perUser", "per-machine": "perMachine"}
COMMENTS = {
    "per-user": "Installs Kovrane, a desktop stopwatch, for you. "
                "デスクトップ用のストップウォッチ Kovrane をあなた用にインストールします。",
    "per-machine": "Installs Kovrane, a desktop stopwatch, for every user. "
                   "デスクトップ用のストップウォッチ Kovrane をすべてのユーザー向けにインストールします。",
}[scope].encode("cp932")
upgrade_code = uuid.UUID(UPGRADE_CODES[scope])
here = source / "packaging/windows"


def windows_text(text: str) -> bytes:
    return "".join(line.rstrip("\r") + "\r\n" for line in text.splitlines()).encode("utf-8")


def readme(name: str) -> bytes:
    return windows_text((here / name).read_text(encoding="utf-8").replace("@VERSION@", version))


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
# wixl takes the sources' paths relative to the WiX source's folder.
shutil.copyfile(here / "kovrane.wxs", work / "kovrane.wxs")
(work / "_ForceCodepage.idt").write_bytes(b"\r\n\r\n932\t_ForceCodepage\r\n")
msi = work / "kovrane.msi"


def set_summary(revision: uuid.UUID):
    """Sets the summary's code page, comments, revision number (the package
    code) and both times."""
    package = olefile.OleFileIO(str(msi), write_mode=True)
    stream = bytearray(package.openstream("\x05SummaryInformation").read())
    section, = struct.unpack_from("<I", stream, 44)
    count, = struct.unpack_from("<I", stream, section + 4)
    filetime = (epoch + 11644473600) * 10_000_000
    for i in range(count):
        pid, offset = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        at = section + offset
        if pid == 1:  # PID_CODEPAGE
            struct.pack_into("<H", stream, at + 4, 932)
        elif pid in (6, 9):  # PID_COMMENTS, PID_REVNUMBER: strings
            text = COMMENTS if pid == 6 else ("{%s}" % str(revision).upper()).encode("ascii")
            length, = struct.unpack_from("<I", stream, at + 4)
            assert length == len(text) + 1
            stream[at + 8:at + 8 + len(text)] = text
        elif pid in (12, 13):  # PID_CREATE_DTM, PID_LASTSAVE_DTM
            struct.pack_into("<Q", stream, at + 4, filetime)
    package.write_stream("\x05SummaryInformation", bytes(stream))
    package.close()


def build(product_code: uuid.UUID) -> str:
    """Builds the package with this product code and no package code yet;
    returns the SHA-256 of its bytes."""
    defines = {"Scope": WIX_SCOPES[scope], "Version": version, "UpgradeCode": str(upgrade_code).upper(),
               "ProductCode": str(product_code).upper(), "Files": "files",
               "Comments": "-" * len(COMMENTS)}
    # The cabinet keeps the files' local times: in UTC, the time zone does
    # not matter.
    subprocess.run(["wixl", "-a", "x64", *[f"--define={name}={value}" for name, value in defines.items()],
                    "-o", msi.name, "kovrane.wxs"], check=True, cwd=work, env={**os.environ, "TZ": "UTC"})
    # The upgrade rule takes in this version too: the attributes, part of
    # the row's key, gain msidbUpgradeAttributesVersionMaxInclusive.
    upgrade = ("`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES "
               f"('{{{str(upgrade_code).upper()}}}', '{version}', 513, 'WIX_UPGRADE_DETECTED')")
    subprocess.run(["msibuild", str(msi), "-i", str(work / "_ForceCodepage.idt"),
                    "-i", str(here / f"LaunchCondition-{scope}.idt"),
                    "-q", "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'",
                    "-q", "INSERT INTO `Upgrade` (" + upgrade], check=True)
    set_summary(uuid.UUID(int=0))
    return hashlib.sha256(msi.read_bytes()).hexdigest()


product_code = uuid.uuid5(upgrade_code, "Kovrane " + version + " " + build(uuid.UUID(int=0)))
set_summary(uuid.uuid5(upgrade_code, build(product_code)))
shutil.copyfile(msi, output)
