#!/usr/bin/env python3
"""What makes the release files the same bytes from the same commit:
  stamp-pe EXE EPOCH        the PE header's time stamp set to EPOCH, its checksum made again
  pe-stamp EXE              prints the PE header's time stamp
  zip OUT EPOCH DIR NAME    a zip of DIR's files under the folder NAME, in name order, every
                            entry dated EPOCH (UTC) with fixed permissions and no owner
The clock, the time zone, the umask and the user never reach either."""
import os
import struct
import sys
import time
import zipfile

ZIP_EARLIEST = 315532800  # 1980-01-01, the first time a zip entry can carry


def pe_checksum(data, checksum_offset):
    """The image checksum Windows checks: 16-bit words summed with the carry
    folded in, the checksum field itself skipped, plus the file's length."""
    total = 0
    padded = data + b"\0" * (len(data) % 2)
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    for skipped in struct.unpack_from("<HH", data, checksum_offset):
        total -= skipped
        if total < 0:
            total += 0xFFFF
        total = (total & 0xFFFF) + (total >> 16)
    return (total & 0xFFFF) + len(data)


def pe_header(data, path):
    """Where the PE signature starts; the COFF header follows it."""
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit(f"release_tools: {path} is not a PE image")
    return pe


def stamp_pe(path, epoch):
    data = bytearray(open(path, "rb").read())
    pe = pe_header(data, path)
    struct.pack_into("<I", data, pe + 8, epoch)  # COFF header: TimeDateStamp
    checksum_offset = pe + 24 + 64               # optional header: CheckSum
    struct.pack_into("<I", data, checksum_offset, 0)
    struct.pack_into("<I", data, checksum_offset, pe_checksum(bytes(data), checksum_offset))
    open(path, "wb").write(data)


def pe_stamp(path):
    data = open(path, "rb").read()
    return struct.unpack_from("<I", data, pe_header(data, path) + 8)[0]


def make_zip(out, epoch, folder, name):
    when = time.gmtime(max(epoch, ZIP_EARLIEST))[:6]

    def entry(arcname, mode):
        info = zipfile.ZipInfo(arcname, when)
        info.create_system = 0  # MS-DOS: no Unix owner or mode beyond the attributes
        info.external_attr = mode
        return info

    with zipfile.ZipFile(out, "w") as archive:
        archive.writestr(entry(name + "/", 0x10), b"")  # FILE_ATTRIBUTE_DIRECTORY
        for file in sorted(os.listdir(folder)):
            info = entry(f"{name}/{file}", 0x20)  # FILE_ATTRIBUTE_ARCHIVE
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, open(os.path.join(folder, file), "rb").read(), compresslevel=9)


def main(argv):
    if len(argv) == 4 and argv[1] == "stamp-pe":
        stamp_pe(argv[2], int(argv[3]))
    elif len(argv) == 3 and argv[1] == "pe-stamp":
        print(pe_stamp(argv[2]))
    elif len(argv) == 6 and argv[1] == "zip":
        make_zip(argv[2], int(argv[3]), argv[4], argv[5])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
