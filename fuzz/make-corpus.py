#!/usr/bin/env python3
"""Writes the seed corpus of the archive reader's fuzzer: valid headers and broken ones."""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent / "corpus"
PREFIX = b"@scindarexpack;@begin;@meta;{scindarex;"


def header(version=b"2.01", revision=b"1", props=b"anon;Photos;;", entries=b""):
    return PREFIX + version + b";" + revision + b";" + props + b"}@struct;{" + entries + b"}@end;"


EXAMPLE = header(entries=b"#f(a.txt;5;0;#f(b.jpg;1200;5;")
SEEDS = {
    "example": EXAMPLE + b"hello" + b"\x00" * 16,
    "empty": header(props=b";;;"),
    "newer-version": header(version=b"2.1"),
    "newer-format": header(revision=b"2"),
    "both-notices": header(version=b"3", revision=b"2"),
    "not-a-number": header(version=b"abc", revision=b"1.0"),
    "hex-and-exponent": header(version=b" +0x1p2", revision=b"1e999"),
    "crlf-comment": header(props=b"a;c;ligne 1\r\nligne 2\r\n;"),
    "windows-1252": header(props=b"\xe9t\xe9;\x80;;", entries=b"#f(caf\xe9.txt;1;0;"),
    "utf-8": header(props="日本;é;;".encode(), entries="#f(日本.txt;1;0;".encode()),
    "hostile-names": header(entries=b"#f(../x;1;0;#f(/abs;1;1;#f(C:x;1;2;#f(a\\b;0;3;"),
    "windows-names": header(entries=b"#f(CON;1;0;#f(nul.txt;1;1;#f(a:s;1;2;#f(...;0;3;#f(.. ;0;3;"),
    "bad-numbers": header(entries=b"#f(a;-1;0;#f(b;1x;-0;#f(c; 7;99999999999999999999;"),
    "no-paren": header(entries=b"#fXend;"),
    "capital-marker": EXAMPLE.replace(b"scindarexpack", b"SCINDAREXPACK"),
    "marker-space": EXAMPLE.replace(b"scindarexpack;", b"scindarexpack ;"),
    "cut-in-header": EXAMPLE[:60],
    "end-in-capitals": EXAMPLE.replace(b"@end;", b"@END;"),
    "other-product": EXAMPLE.replace(b"{scindarex;", b"{autre;"),
}

HERE.mkdir(exist_ok=True)
for name, data in SEEDS.items():
    (HERE / name).write_bytes(data)
