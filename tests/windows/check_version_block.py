#!/usr/bin/env python3
"""Compiles the Windows resource script with windres and checks that the
compiled resources hold exactly the version block and icon Tallivox ships:
what Explorer shows under Properties > Details comes from these bytes."""
import os
import struct
import subprocess
import sys
import tempfile

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16

EXPECTED_STRINGS = {
    "CompanyName": " KelVastO",
    "FileVersion": "1.00",
    "InternalName": "Tallivox",
    "ProductName": "Tallivox",
    "ProductVersion": "1.00",
}


def read_id(data, at):
    """A resource type or name: 0xFFFF then an ordinal, or a UTF-16 string."""
    if struct.unpack_from("<H", data, at)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, at + 2)[0], at + 4
    end = at
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def align4(n):
    return (n + 3) & ~3


def resources(data):
    at = 0
    while at < len(data):
        size, header = struct.unpack_from("<II", data, at)
        kind, after = read_id(data, at + 8)
        name, after = read_id(data, after)
        after = align4(after)
        _, _, language = struct.unpack_from("<IHH", data, after)
        body = data[at + header:at + header + size]
        if size:
            yield kind, name, language, body
        at = align4(at + header + size)


def version_node(data, at):
    """One VS_VERSIONINFO-style node: (key, value bytes, text?, children)."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, at)
    key_end = at + 6
    while struct.unpack_from("<H", data, key_end)[0] != 0:
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = align4(key_end + 2)
    value_size = value_length * 2 if is_text else value_length
    value = data[value_at:value_at + value_size]
    children = []
    child = align4(value_at + value_size)
    while child < at + length:
        node, child_length = version_node(data, child)
        children.append(node)
        child = align4(child + child_length)
    return (key, value, bool(is_text), children), length


def main():
    windres, script = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as scratch:
        compiled = os.path.join(scratch, "tallivox.res")
        subprocess.run([windres, "--preprocessor=cpp", "-O", "res", os.path.basename(script), "-o", compiled],
                       check=True, cwd=os.path.dirname(os.path.abspath(script)))
        data = open(compiled, "rb").read()

    found = list(resources(data))
    versions = [r for r in found if r[0] == RT_VERSION]
    assert len(versions) == 1, f"expected one version block, found {len(versions)}"
    _, _, language, body = versions[0]
    assert language == 0x0409, f"version block language {language:#06x}"

    (key, fixed, _, children), _ = version_node(body, 0)
    assert key == "VS_VERSION_INFO", key
    (signature, _, file_ms, file_ls, product_ms, product_ls, _, flags, os_kind, file_type, subtype, date_ms,
     date_ls) = struct.unpack("<13I", fixed)
    assert signature == 0xFEEF04BD, hex(signature)
    assert (file_ms, file_ls) == (0x00010000, 0), "fixed file version is not 1.0.0.0"
    assert (product_ms, product_ls) == (0x00010000, 0), "fixed product version is not 1.0.0.0"
    assert os_kind == 0x4, f"file OS {os_kind:#x}, not 32-bit Windows"
    assert file_type == 0x1, f"file type {file_type:#x}, not an application"
    assert (flags, subtype, date_ms, date_ls) == (0, 0, 0, 0)

    blocks = {child[0]: child for child in children}
    assert set(blocks) == {"StringFileInfo", "VarFileInfo"}, set(blocks)
    tables = blocks["StringFileInfo"][3]
    assert [t[0] for t in tables] == ["040904B0"], [t[0] for t in tables]
    strings = {s[0]: s[1].decode("utf-16-le").rstrip("\0") for s in tables[0][3]}
    assert strings == EXPECTED_STRINGS, strings
    variables = blocks["VarFileInfo"][3]
    assert [(v[0], v[1]) for v in variables] == [("Translation", struct.pack("<HH", 0x0409, 1200))], variables

    groups = [r for r in found if r[0] == RT_GROUP_ICON]
    assert len(groups) == 1, f"expected one icon group, found {len(groups)}"
    group = groups[0][3]
    _, _, count = struct.unpack_from("<HHH", group, 0)
    assert count == 1, f"icon group holds {count} images"
    width, height, _, _, _, bits, _, _ = struct.unpack_from("<BBBBHHIH", group, 6)
    assert (width, height, bits) == (122, 128, 24), (width, height, bits)
    assert len([r for r in found if r[0] == RT_ICON]) == 1

    print("version block and icon: " + ", ".join(f"{k}={v!r}" for k, v in strings.items()) +
          ", fixed 1.0.0.0, Windows 32-bit application, 040904B0 / 0x0409 1200, icon 122x128 24-bit")


if __name__ == "__main__":
    main()
