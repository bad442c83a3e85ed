#!/usr/bin/env python3
"""check_embedded_upgrader.py LAUNCHER UPGRADER: fails unless the launcher carries the resource
named "AUUPG" of type "AUUPG" and its bytes are exactly those of the built replacement program.
Reads the PE resource directory itself (headers, section table, .rsrc tree)."""
import struct
import sys


def rva_to_offset(sections, rva):
    for virtual_address, virtual_size, raw_offset, raw_size in sections:
        if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
            return raw_offset + rva - virtual_address
    raise ValueError(f"address {rva:#x} lies in no section")


def named_resource(data, type_name, name):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    section_count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva, _ = struct.unpack_from("<II", data, directories + 2 * 8)
    if resource_rva == 0:
        raise ValueError("no resources")
    sections = []
    for i in range(section_count):
        s = optional + optional_size + 40 * i
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from("<IIII", data, s + 8)
        sections.append((virtual_address, virtual_size, raw_offset, raw_size))
    root = rva_to_offset(sections, resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, directory + 12)
        for i in range(named + numbered):
            key, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
            label = key
            if key & 0x80000000:
                at = root + (key & 0x7FFFFFFF)
                length = struct.unpack_from("<H", data, at)[0]
                label = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield label, target

    def child(directory, label):
        for key, target in entries(directory):
            if isinstance(key, str) and key.upper() == label:
                if not target & 0x80000000:
                    raise ValueError(f"{label} is not a directory")
                return root + (target & 0x7FFFFFFF)
        return None

    by_type = child(root, type_name)
    by_name = by_type is not None and child(by_type, name)
    if not by_name:
        return None
    languages = list(entries(by_name))
    if len(languages) != 1:
        raise ValueError(f"{len(languages)} language versions of {type_name}/{name}")
    entry = root + languages[0][1]
    data_rva, size = struct.unpack_from("<II", data, entry)
    offset = rva_to_offset(sections, data_rva)
    return data[offset:offset + size]


def main():
    launcher, upgrader = sys.argv[1:3]
    with open(launcher, "rb") as f:
        launcher_bytes = f.read()
    with open(upgrader, "rb") as f:
        upgrader_bytes = f.read()
    try:
        embedded = named_resource(launcher_bytes, "AUUPG", "AUUPG")
    except (ValueError, struct.error) as e:
        print(f"{launcher}: cannot read its resources: {e}")
        return 1
    if embedded is None:
        print(f"{launcher} carries no AUUPG resource")
        return 1
    if embedded != upgrader_bytes:
        print(f"{launcher}: its AUUPG resource ({len(embedded)} bytes) differs from {upgrader} "
              f"({len(upgrader_bytes)} bytes)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
