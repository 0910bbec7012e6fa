#!/usr/bin/env python3
"""Makes the Windows release archive, the same bytes from the same files: its members in a
fixed order, each dated SOURCE_DATE_EPOCH (1980 at the earliest, where a zip's dates
begin), with no owner and fixed attributes.

    windows-zip.py OUT.zip TOP X86/zamtik.exe X64/zamtik.exe
"""
import os
import sys
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))


def crlf(path):
    """A text of the repository with the line ends Windows' own editors want."""
    with open(path, "rb") as f:
        return f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def main():
    out, top, x86, x64 = sys.argv[1:]
    epoch = max(int(os.environ.get("SOURCE_DATE_EPOCH", time.time())), 315532800)
    stamp = time.gmtime(epoch)[:6]
    members = [
        ("LICENSE.txt", crlf(os.path.join(HERE, "..", "LICENSE"))),
        ("README.txt", crlf(os.path.join(HERE, "README-windows.txt"))),
        ("x64/zamtik.exe", open(x64, "rb").read()),
        ("x86/zamtik.exe", open(x86, "rb").read()),
    ]
    with zipfile.ZipFile(out, "w") as archive:
        for name, data in members:
            info = zipfile.ZipInfo(f"{top}/{name}", date_time=stamp)
            info.create_system = 0  # MS-DOS: no Unix owner or mode
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)


if __name__ == "__main__":
    main()
