#!/usr/bin/env python3
"""Reads a built kovrane.exe and checks what Windows reads from it: the icon
group and its images, the version block, the manifest, the string tables in
English and in the language of every catalogue in TRANSLATIONS_DIR, and that
it imports no DLL beyond Windows' own.

Usage: check_resources.py KOVRANE_EXE TRANSLATIONS_DIR
Prints one line per check; exits 1 if any failed.
"""

import pathlib
import struct
import sys

RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 6, 14, 16, 24
JAPANESE, ENGLISH = 1041, 1033
# The error box's texts: its frame, the unexpected error's, and the message
# of each run-time error the program raises (overflow, floating point,
# control failed), each id in every language.
ERROR_TEXTS = {1: "%1", 2: "%1", 6: "", 16: "", 440: ""}
# The string table's language for each catalogue, kovrane_<language>.ts:
# Chinese has one per script, any other language one for all its regions.
WINDOWS_LANGUAGES = {"de": 0x0407, "es": 0x0C0A, "fr": 0x040C, "it": 0x0410, "ja": 0x0411,
                     "ko": 0x0412, "nl": 0x0413, "pl": 0x0415, "pt_BR": 0x0416, "ru": 0x0419,
                     "uk": 0x0422, "zh_CN": 0x0804, "zh_TW": 0x0404}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll", "uxtheme.dll"}


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)
        self.sections = []
        for i in range(sections):
            header = optional + optional_size + 40 * i
            size, address, raw_size, raw_pointer = struct.unpack_from("<IIII", data, header + 8)
            self.sections.append((address, max(size, raw_size), raw_pointer))
        self.import_rva = struct.unpack_from("<I", data, directories + 8)[0]
        self.resource_rva = struct.unpack_from("<I", data, directories + 16)[0]

    def offset(self, rva):
        for address, size, raw_pointer in self.sections:
            if address <= rva < address + size:
                return raw_pointer + rva - address
        raise ValueError(f"address {rva:#x} is in no section")

    def imports(self):
        names, entry = [], self.offset(self.import_rva)
        while True:
            name_rva = struct.unpack_from("<I", self.data, entry + 12)[0]
            if name_rva == 0:
                return names
            end = self.data.index(b"\0", self.offset(name_rva))
            names.append(self.data[self.offset(name_rva):end].decode("ascii"))
            entry += 20

    def resources(self):
        """{(type, id, language): bytes} for resources with numeric names."""
        base = self.offset(self.resource_rva)
        found = {}

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                yield key, target

        for kind, types in entries(0):
            for name, names in entries(types & 0x7FFFFFFF):
                for language, leaf in entries(names & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.offset(rva)
                    found[(kind, name, language)] = self.data[start:start + size]
        return found


def version_strings(block):
    """The string tables and translations of a VS_VERSIONINFO block."""

    def parse(offset):
        length, value_length, is_text = struct.unpack_from("<HHH", block, offset)
        end_key = offset + 6
        while block[end_key:end_key + 2] != b"\0\0":
            end_key += 2
        key = block[offset + 6:end_key].decode("utf-16-le")
        value_start = (end_key + 2 + 3) & ~3
        value_bytes = value_length * 2 if is_text else value_length
        value = block[value_start:value_start + value_bytes]
        children, child = [], (value_start + value_bytes + 3) & ~3
        while child < offset + length:
            parsed, child_length = parse(child)
            children.append(parsed)
            child = (child + child_length + 3) & ~3
        return (key, value, is_text, children), length

    (key, fixed, _, children), _ = parse(0)
    tables, translations = {}, []
    for child_key, _, _, grandchildren in children:
        for table_key, table_value, _, entries in grandchildren:
            if child_key == "StringFileInfo":
                tables[table_key] = {
                    k: v.decode("utf-16-le").rstrip("\0") for k, v, _, _ in entries}
            elif child_key == "VarFileInfo" and table_key == "Translation":
                translations = list(struct.unpack(f"<{len(table_value) // 2}H", table_value))
    return key, fixed, tables, translations


def string_tables(resources, language):
    """{id: text} of the string tables in one language."""
    texts = {}
    for (kind, block, block_language), data in resources.items():
        if kind != RT_STRING or block_language != language:
            continue
        offset = 0
        for entry in range(16):
            length = struct.unpack_from("<H", data, offset)[0]
            if length:
                texts[(block - 1) * 16 + entry] = data[offset + 2:offset + 2 + 2 * length].decode("utf-16-le")
            offset += 2 + 2 * length
    return texts


def main(path, translations):
    failures = 0
    source_dir = pathlib.Path(translations).parent

    def check(passed, what):
        nonlocal failures
        print(("ok - " if passed else "FAIL - ") + what)
        failures += 0 if passed else 1

    data = open(path, "rb").read()
    check(len(data) <= 256 * 1024, f"one file of at most 256 KB: {len(data)} bytes")
    image = PeImage(data)
    dlls = sorted(name.lower() for name in image.imports())
    check(set(dlls) <= SYSTEM_DLLS, f"imports only Windows' own DLLs: {', '.join(dlls)}")

    resources = image.resources()
    icons = {name: data for (kind, name, _), data in resources.items() if kind == RT_ICON}
    check(sorted(icons) == [30001, 30002], f"icon images are 30001 and 30002: {sorted(icons)}")
    check(all(language == JAPANESE for (kind, _, language) in resources if kind != RT_STRING),
          "every resource but the string tables is in language 1041")
    catalogues = sorted(catalogue.stem.removeprefix("kovrane_")
                        for catalogue in pathlib.Path(translations).glob("kovrane_*.ts"))
    unknown = [catalogue for catalogue in catalogues if catalogue not in WINDOWS_LANGUAGES]
    check(catalogues and not unknown, f"a Windows language for each of {catalogues}: none for {unknown}")
    expected = sorted({ENGLISH} | {WINDOWS_LANGUAGES.get(catalogue, 0) for catalogue in catalogues})
    languages = sorted({language for (kind, _, language) in resources if kind == RT_STRING})
    check(languages == expected,
          f"string tables in {[f'{language:#06x}' for language in expected]}: {languages}")
    english = string_tables(resources, ENGLISH)
    for language in languages:
        texts = string_tables(resources, language)
        wrong = [ident for ident, placeholder in ERROR_TEXTS.items()
                 if not texts.get(ident) or placeholder not in texts[ident]]
        check(sorted(texts) == sorted(ERROR_TEXTS) and not wrong,
              f"table {language:#06x} holds the texts {sorted(ERROR_TEXTS)} with their "
              f"placeholders: {sorted(texts)}, wrong {wrong}")
        if language != ENGLISH:
            # An error's name can be the same word ("Overflow" in Italian); the frames never are.
            check(all(texts.get(ident) != english.get(ident) for ident in (1, 2)),
                  f"table {language:#06x} is translated: {texts.get(1)!r}")

    group = resources.get((RT_GROUP_ICON, 1, JAPANESE), b"")
    check(len(group) >= 6, "icon group 1 exists")
    if len(group) >= 6:
        reserved, kind, count = struct.unpack_from("<HHH", group)
        members = {}
        for i in range(count):
            width, height, colours, _, _, bits, size, ident = struct.unpack_from(
                "<BBBBHHIH", group, 6 + 14 * i)
            members[ident] = (width, height, colours, bits, size)
        check((reserved, kind, count) == (0, 1, 2), "icon group 1 lists two icons")
        for ident, side in ((30001, 32), (30002, 16)):
            member = members.get(ident)
            data = icons.get(ident, b"")
            check(member is not None and member[:2] == (side, side),
                  f"group 1 names {ident} as {side} x {side}")
            if member is None or len(data) < 40:
                check(False, f"image {ident} holds a bitmap")
                continue
            header, width, height, planes, bits = struct.unpack_from("<IiiHH", data)
            check(member[4] == len(data), f"group 1 gives the true size of {ident}")
            check((header, width, height, bits) == (40, side, 2 * side, 4),
                  f"image {ident} is a {side} x {side} 16-colour DIB with its mask")

    block = resources.get((RT_VERSION, 1, JAPANESE), b"")
    check(bool(block), "version block 1 exists")
    if block:
        key, fixed, tables, translations = version_strings(block)
        signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
        os_kind, file_type = struct.unpack_from("<II", fixed, 32)
        check(key == "VS_VERSION_INFO" and signature == 0xFEEF04BD, "VS_VERSION_INFO header")
        check((file_ms, file_ls, product_ms, product_ls) == (0x10000, 0, 0x10000, 0),
              "FILEVERSION and PRODUCTVERSION 1,0,0,0")
        check(os_kind == 0x4 and file_type == 0x1, "32-bit Windows application")
        strings = tables.get("041104B0", {})
        # The publisher as the licence and the packages name it.
        for name, value in (("FileVersion", "1.00"), ("ProductVersion", "1.00"),
                            ("ProductName", "Kovrane"), ("CompanyName", "The Kovrane developers")):
            check(strings.get(name) == value, f'041104B0 {name} is "{value}": {strings.get(name)!r}')
        licence = (source_dir / "LICENSE").read_text(encoding="utf-8")
        copyright_line = next(line for line in licence.splitlines() if line.startswith("Copyright"))
        check(strings.get("LegalCopyright") == copyright_line,
              f'041104B0 LegalCopyright is the licence\'s "{copyright_line}": {strings.get("LegalCopyright")!r}')
        check(translations == [0x0411, 1200], f"translation 0x0411/1200: {translations}")

    manifest = resources.get((RT_MANIFEST, 1, JAPANESE), b"").decode("utf-8", "replace")
    check("PerMonitorV2" in manifest, "manifest declares PerMonitorV2 awareness")
    check('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'
          in " ".join(manifest.split()), "manifest asks for common controls 6")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
