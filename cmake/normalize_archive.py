#!/usr/bin/env python3
"""Rewrites a .tar.gz or .zip that cpack made so that it holds nothing but
the files' names, contents, modes and link targets: its entries in the order
of their names, each owned by root (0/0) and bearing one given moment, and
no time or name in the gzip header.  Zip times are that moment in UTC, so
they do not depend on the time zone either.

  normalize_archive.py ARCHIVE SECONDS_SINCE_1970
"""
import gzip
import io
import sys
import tarfile
import time
import zipfile


def normalize_tar_gz(path, epoch):
    with tarfile.open(path, "r:gz") as archive:
        entries = [(m, archive.extractfile(m).read() if m.isfile() else None)
                   for m in archive.getmembers()]
    entries.sort(key=lambda entry: entry[0].name)
    tar_bytes = io.BytesIO()
    with tarfile.open(fileobj=tar_bytes, mode="w", format=tarfile.GNU_FORMAT) as out:
        for member, data in entries:
            member.uid = member.gid = 0
            member.uname = member.gname = "root"
            member.mtime = epoch
            out.addfile(member, io.BytesIO(data) if data is not None else None)
    with open(path, "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw,
                                               compresslevel=9, mtime=0) as out:
        out.write(tar_bytes.getvalue())


def normalize_zip(path, epoch):
    moment = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(path) as archive:
        entries = [(info, archive.read(info)) for info in archive.infolist()]
    entries.sort(key=lambda entry: entry[0].filename)
    with zipfile.ZipFile(path, "w") as out:
        for old, data in entries:
            info = zipfile.ZipInfo(old.filename, date_time=moment)
            info.create_system = 3  # Unix: the mode is in the high half of external_attr
            info.external_attr = old.external_attr
            info.compress_type = zipfile.ZIP_STORED if old.is_dir() else zipfile.ZIP_DEFLATED
            out.writestr(info, data, compresslevel=9)


def main():
    path, epoch = sys.argv[1], int(sys.argv[2])
    if path.endswith(".tar.gz"):
        normalize_tar_gz(path, epoch)
    elif path.endswith(".zip"):
        normalize_zip(path, epoch)
    else:
        sys.exit(f"normalize_archive.py: {path}: neither .tar.gz nor .zip")


if __name__ == "__main__":
    main()
