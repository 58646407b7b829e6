#!/usr/bin/python3
"""Joins cabinets of one folder each (as gcab makes them) into one cabinet
with a folder for each, in the order given: gcab writes a single folder only.

Usage: joinCabinets.py OUT IN.cab...
"""
import struct
import sys

HEADER = struct.Struct("<4sIIIIIBBHHHHH")
FOLDER = struct.Struct("<IHH")
FILE = struct.Struct("<IIHHHH")


def read_cabinet(path):
    data = open(path, "rb").read()
    (_, _, length, _, files_at, _, _, _, folders, files, flags, _, _) = HEADER.unpack_from(data)
    if folders != 1 or flags != 0:
        sys.exit(f"{path}: not a plain cabinet of one folder")
    data_at, blocks, compression = FOLDER.unpack_from(data, HEADER.size)
    records = []
    at = files_at
    for _ in range(files):
        end = data.index(b"\0", at + FILE.size) + 1
        records.append(data[at:end])
        at = end
    return records, blocks, compression, data[data_at:length]


def main():
    out, inputs = sys.argv[1], sys.argv[2:]
    cabinets = [read_cabinet(path) for path in inputs]
    files_at = HEADER.size + FOLDER.size * len(cabinets)
    table = b""
    for index, (records, _, _, _) in enumerate(cabinets):
        for record in records:
            size, offset, _, date, time, attribs = FILE.unpack_from(record)
            table += FILE.pack(size, offset, index, date, time, attribs) + record[FILE.size:]
    data_at = files_at + len(table)
    folders = b""
    blocks_data = b""
    for _, blocks, compression, data in cabinets:
        folders += FOLDER.pack(data_at + len(blocks_data), blocks, compression)
        blocks_data += data
    files = sum(len(records) for records, _, _, _ in cabinets)
    length = data_at + len(blocks_data)
    header = HEADER.pack(b"MSCF", 0, length, 0, files_at, 0, 3, 1, len(cabinets), files, 0, 0, 0)
    with open(out, "wb") as f:
        f.write(header + folders + table + blocks_data)


main()
