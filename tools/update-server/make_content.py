#!/usr/bin/python3
"""Lays out content for the local update host.

  make_content.py demo ROOT --program EXE [--software 1.0.0.4] [--firmware 106]
      The two channels as the vendor's host has them, at ROOT/display-k9/K9X/:
      software/version, software/Software-V.zip holding Software-V.exe,
      firmware/version, firmware/FirmwareUpdateTool-F.zip holding
      FirmwareUpdateTool-F.exe. EXE is the program packed under those names
      (for tests, UpdateMarker.exe, which records that it ran). A program
      built with THERMADEX_UPDATE_HOST pointing at the host finds them there.

  make_content.py test-archives DIR --program EXE
      The archives the unpacking tests use, made with Debian's zip and with
      Python's zipfile (see ARCHIVES below), and a few channel layouts with
      broken archives for the download tests.

Both write only when an output is missing or its inputs changed, so running
them before every test run is cheap.
"""

import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

UNIX = 3
MSDOS = 0
FIXED_MTIME = 981173106  # 2001-02-03 04:05:06 UTC
FIXED_ATIME = 1009843200  # 2002-01-01 00:00:00 UTC
FIXED_CTIME = 946684800  # 2000-01-01 00:00:00 UTC


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    partial = path + ".tmp"
    with open(partial, "wb") as f:
        f.write(data)
    os.replace(partial, path)


def zip_bytes(build):
    """Runs build(zipfile_path) in a scratch folder and returns the archive."""
    with tempfile.TemporaryDirectory() as scratch:
        target = os.path.join(scratch, "out.zip")
        build(target, scratch)
        with open(target, "rb") as f:
            return f.read()


def run_zip(args, cwd):
    subprocess.run(["zip", "-q"] + args, cwd=cwd, check=True)


def info(name, host=UNIX, mode=0o100644, dos=0, date=(2020, 1, 2, 3, 4, 6), extra=b""):
    zi = zipfile.ZipInfo(name, date_time=date)
    zi.create_system = host
    zi.external_attr = (mode << 16) | dos if host == UNIX else dos
    zi.compress_type = zipfile.ZIP_DEFLATED
    zi.extra = extra
    return zi


def ut_block(flags, *times):
    data = bytes([flags]) + b"".join(t.to_bytes(4, "little") for t in times)
    return b"UT" + len(data).to_bytes(2, "little") + data


def program_archive(program, inner_name, extra_files=()):
    with open(program, "rb") as f:
        exe = f.read()

    def build(target, _):
        with zipfile.ZipFile(target, "w") as z:
            z.writestr(info(inner_name, mode=0o100755), exe)
            for name, data in extra_files:
                z.writestr(info(name), data)

    return zip_bytes(build)


# --- the unpacking tests' archives -------------------------------------------


def unix_modes(target, scratch):
    """Made by Info-ZIP on Unix: one file with mode 0444, one with 0644."""
    src = os.path.join(scratch, "src")
    os.makedirs(src)
    for name, mode in (("readonly.txt", 0o444), ("writable.txt", 0o644)):
        path = os.path.join(src, name)
        with open(path, "w") as f:
            f.write("%s\n" % name)
        os.chmod(path, mode)
    run_zip([target, "readonly.txt", "writable.txt"], src)


def ut_times(target, scratch):
    """Made by Info-ZIP on Unix, which writes a "UT" block with the
    modification and access times into each local header."""
    src = os.path.join(scratch, "src")
    os.makedirs(src)
    path = os.path.join(src, "stamped.txt")
    with open(path, "w") as f:
        f.write("stamped\n")
    os.utime(path, (FIXED_ATIME, FIXED_MTIME))
    run_zip([target, "stamped.txt"], src)


def all_times(target, _):
    """Python's zipfile with a hand-made "UT" block carrying all three times
    after another extra block, and one entry with DOS time only."""
    other = b"\x0a\x00\x04\x00\x00\x00\x00\x00"  # an empty-ish NTFS-id block first
    with zipfile.ZipFile(target, "w") as z:
        z.writestr(info("three.txt", extra=other + ut_block(7, FIXED_MTIME, FIXED_ATIME, FIXED_CTIME)), b"three\n")
        z.writestr(info("dos-only.txt", date=(2010, 6, 15, 12, 30, 44)), b"dos\n")


def tree(target, scratch):
    """Info-ZIP -r over nested folders: folder entries, an empty folder, files
    at several depths; existing.txt is the file the tests put there first."""
    src = os.path.join(scratch, "src")
    os.makedirs(os.path.join(src, "top", "mid", "deep"))
    os.makedirs(os.path.join(src, "top", "empty"))
    files = {
        "top/a.txt": "a\n",
        "top/mid/b.txt": "b\n",
        "top/mid/deep/c.txt": "c\n" * 20000,
        "existing.txt": "from the archive\n",
    }
    for name, text in files.items():
        with open(os.path.join(src, name), "w") as f:
            f.write(text)
    run_zip(["-r", target, "top", "existing.txt"], src)


def encrypted(target, scratch):
    """A plain entry, then one added with zip -P (traditional encryption),
    then another plain one."""
    src = os.path.join(scratch, "src")
    os.makedirs(src)
    for name in ("before.txt", "secret.txt", "after.txt"):
        with open(os.path.join(src, name), "w") as f:
            f.write("%s contents\n" % name * 50)
    run_zip([target, "before.txt"], src)
    run_zip(["-P", "not-given", target, "secret.txt"], src)
    run_zip([target, "after.txt"], src)


def hostile_names(target, _):
    """Names that try to leave the folder; each file's content is its name."""
    names = ["../x", "a\\..\\b", "/abs", "a/../../b", "..\\..\\up2.txt", "inside.txt"]
    with zipfile.ZipFile(target, "w") as z:
        for name in names:
            z.writestr(info(name), name.encode())


def drive_name(target, _):
    """A name with a drive, kept apart: its folder x would clash with "../x"."""
    with zipfile.ZipFile(target, "w") as z:
        z.writestr(info("C:\\x\\y.txt"), b"C:\\x\\y.txt")


def dos_attributes(target, _):
    """Entries from a DOS/FAT host carrying read-only, hidden and archive bits."""
    with zipfile.ZipFile(target, "w") as z:
        z.writestr(info("dos-readonly.txt", host=MSDOS, dos=0x21), b"r\n")
        z.writestr(info("dos-hidden.txt", host=MSDOS, dos=0x22), b"h\n")
        z.writestr(info("dos-folder/", host=MSDOS, dos=0x10), b"")


ARCHIVES = {
    "unix-modes.zip": unix_modes,
    "ut-times.zip": ut_times,
    "all-times.zip": all_times,
    "tree.zip": tree,
    "encrypted.zip": encrypted,
    "hostile-names.zip": hostile_names,
    "drive-name.zip": drive_name,
    "dos-attributes.zip": dos_attributes,
}


def script_digest():
    with open(os.path.abspath(__file__), "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def test_archives(out, program):
    # Info-ZIP writes the files' times, so rebuilt archives differ byte for
    # byte; they are made once per version of this script.
    stamp = os.path.join(out, ".made-by")
    if not os.path.exists(stamp) or open(stamp).read() != script_digest():
        for name in ARCHIVES:
            if os.path.exists(os.path.join(out, name)):
                os.remove(os.path.join(out, name))
    made = {}
    for name, build in ARCHIVES.items():
        path = os.path.join(out, name)
        if not os.path.exists(path):
            write_if_changed(path, zip_bytes(build))
        with open(path, "rb") as f:
            made[name] = f.read()
    # A download cut short: the directory at the end is missing.
    whole = made["tree.zip"]
    write_if_changed(os.path.join(out, "truncated.zip"), whole[: len(whole) * 6 // 10])
    # Something to download that spans several pieces (5.5 x 10240 bytes).
    blob = hashlib.sha256(b"thermadex").digest() * (56320 // 32)
    write_if_changed(os.path.join(out, "blob.bin"), blob)

    # Channel layouts for the download tests, named after what is wrong.
    software = "display-k9/K9X/software"
    exe = program_archive(program, "Software-1.0.0.4.exe")
    write_if_changed(os.path.join(out, "truncated-archive", software, "Software-1.0.0.4.zip"), exe[: len(exe) // 2])
    write_if_changed(
        os.path.join(out, "wrong-program", software, "Software-1.0.0.4.zip"),
        program_archive(program, "Setup.exe"),
    )
    write_if_changed(stamp, script_digest().encode())


def demo(root, program, software, firmware):
    base = os.path.join(root, "display-k9", "K9X")
    write_if_changed(os.path.join(base, "software", "version"), software.encode())
    write_if_changed(
        os.path.join(base, "software", "Software-%s.zip" % software),
        program_archive(program, "Software-%s.exe" % software),
    )
    write_if_changed(os.path.join(base, "firmware", "version"), firmware.encode())
    write_if_changed(
        os.path.join(base, "firmware", "FirmwareUpdateTool-%s.zip" % firmware),
        program_archive(program, "FirmwareUpdateTool-%s.exe" % firmware),
    )


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    d = sub.add_parser("demo")
    d.add_argument("root")
    d.add_argument("--program", required=True)
    d.add_argument("--software", default="1.0.0.4")
    d.add_argument("--firmware", default="106")
    t = sub.add_parser("test-archives")
    t.add_argument("out")
    t.add_argument("--program", required=True)
    args = parser.parse_args()
    if shutil.which("zip") is None:
        sys.exit("make_content.py needs Info-ZIP's zip (Debian package zip)")
    if args.command == "demo":
        demo(args.root, args.program, args.software, args.firmware)
    else:
        test_archives(args.out, args.program)


if __name__ == "__main__":
    main()
