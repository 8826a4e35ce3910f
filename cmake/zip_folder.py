"""Packs a folder as a ZIP that depends on the files' names and bytes alone: the entries sorted
by name, each with the same time, 755 for programs and 644 for the rest, no extra fields.

    python3 zip_folder.py FOLDER ZIP SECONDS

The entries' names begin with the folder's own name; SECONDS is the time since 1970, UTC.
"""
import os
import sys
import time
import zipfile

PROGRAMS = (".dll", ".exe")
DOS_EPOCH = 315532800  # 1980-01-01, the first time a ZIP entry can carry


def main(folder, zip_path, seconds):
    date_time = time.gmtime(max(int(seconds), DOS_EPOCH))[:6]
    parent = os.path.dirname(os.path.abspath(folder))
    names = []
    for root, _, files in os.walk(folder):
        names += [os.path.relpath(os.path.join(root, name), parent).replace(os.sep, "/")
                  for name in files]
    with zipfile.ZipFile(zip_path, "w") as archive:
        for name in sorted(names):
            entry = zipfile.ZipInfo(name, date_time)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3  # Unix, so that the mode below is read
            entry.external_attr = (0o100755 if name.endswith(PROGRAMS) else 0o100644) << 16
            with open(os.path.join(parent, name), "rb") as source:
                archive.writestr(entry, source.read())


if __name__ == "__main__":
    main(*sys.argv[1:])
