"""Samba's own codec of the "user.DOSATTRIB" value, which the tests hold ours against.

  pack FILE    each line of FILE gives, in decimal: version, valid flags, attributes,
               creation time, itime, EA size, size, allocation size, change time (the
               fields the version does not have are 0; version 65535 is the text alone).
               Prints the value Samba packs from each, in hex.
  unpack FILE  each line of FILE is a value in hex. Prints the fields Samba reads from
               each, in the order above, then the text; or "error" and Samba's reason.

Exits with 77 when Samba's codec cannot be loaded (Debian: python3-samba).
"""

import sys

try:
    from samba.dcerpc import xattr
    from samba.ndr import ndr_pack, ndr_unpack
except ImportError as error:
    print(f"{sys.executable} cannot load Samba's codec ({error})")
    sys.exit(77)

TEXT_ONLY = 0xFFFF
FIELDS = ("valid_flags", "attrib", "create_time", "itime", "ea_size", "size", "alloc_size",
          "change_time")
INFO = {TEXT_ONLY: xattr.DosInfoFFFFCompat, 1: xattr.DosInfo1, 3: xattr.DosInfo3,
        4: xattr.DosInfo4, 5: xattr.DosInfo5}


def pack(numbers):
    version, values = numbers[0], dict(zip(FIELDS, numbers[1:]))
    info = INFO[version]()
    for name, value in values.items():
        if hasattr(info, name):
            setattr(info, name, value)
    record = xattr.DOSATTRIB()
    record.version = version
    record.info = info
    return ndr_pack(record).hex()


def unpack(value):
    try:
        record = ndr_unpack(xattr.DOSATTRIB, bytes.fromhex(value))
    except RuntimeError as error:
        return f"error {error}"
    fields = [getattr(record.info, name, 0) for name in FIELDS]
    return " ".join(str(n) for n in [record.version, *fields]) + " " + record.attrib_hex


def main():
    mode, path = sys.argv[1:3]
    with open(path, encoding="ascii") as lines:
        for line in lines:
            if mode == "pack":
                print(pack([int(word) for word in line.split()]))
            else:
                print(unpack(line.strip()))


main()
