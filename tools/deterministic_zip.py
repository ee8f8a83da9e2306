#!/usr/bin/env python3
"""Zips files the same way every time, so that a release can be made again
byte for byte: entries sorted by name, each dated SOURCE_DATE_EPOCH (UTC),
mode 644 (755 for what is executable), no extra fields.

    deterministic_zip.py OUT.zip FOLDER [PREFIX]

puts every file under FOLDER into OUT.zip, named PREFIX/ and its path there."""
import os
import sys
import time
import zipfile


def main(out, folder, prefix=""):
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
    # The zip format's dates start in 1980.
    date = time.gmtime(max(epoch, 315532800))[:6]
    names = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        names += [os.path.join(root, name) for name in files]
    with zipfile.ZipFile(out, "w") as archive:
        for path in sorted(names, key=lambda p: os.path.relpath(p, folder)):
            name = os.path.join(prefix, os.path.relpath(path, folder)).replace(os.sep, "/")
            entry = zipfile.ZipInfo(name, date)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3  # Unix, so that the mode below is read
            mode = 0o755 if os.access(path, os.X_OK) and name.endswith((".exe", ".sh")) else 0o644
            entry.external_attr = (0o100000 | mode) << 16
            with open(path, "rb") as source:
                archive.writestr(entry, source.read(), compresslevel=9)


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(*sys.argv[1:])
