#!/usr/bin/env python3
"""The script people write today: os.walk, fnmatch and os.utime.

    pyshift.py DIR PATTERN MINUTES
"""
import fnmatch
import os
import sys


def main():
    top, pattern, minutes = sys.argv[1], sys.argv[2].lower(), int(sys.argv[3])
    shift = minutes * 60 * 10**9
    for root, _dirs, files in os.walk(top):
        for name in files:
            if name.startswith(".") or not fnmatch.fnmatch(name.lower(), pattern):
                continue
            path = os.path.join(root, name)
            st = os.stat(path, follow_symlinks=False)
            os.utime(path, ns=(st.st_atime_ns, st.st_mtime_ns + shift), follow_symlinks=False)


if __name__ == "__main__":
    main()
