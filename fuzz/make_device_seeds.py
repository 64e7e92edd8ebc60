#!/usr/bin/env python3
"""Writes the seed scripts of fuzz_device (format in fuzz/scripteddevice.h):
a description fetched and a change document answered, whole, in pieces,
with empty polls, without a time limit, refused, short and empty."""
import pathlib
import struct

top = pathlib.Path(__file__).resolve().parent
description = (top.parent / "tests/model/data/group_popup_members.xml").read_bytes()


def records(data, piece):
    out = b""
    for i in range(0, len(data), piece):
        chunk = data[i:i + piece]
        out += bytes([len(chunk)]) + chunk
    return out


def announce(length):
    return b"\x00\x00" + struct.pack(">I", length) + b"\x00\x00"


def script(options, piece=255, status=0, polls=False):
    poll = b"\x00" if polls else b""
    return (bytes([options]) + poll + records(announce(len(description)), piece) + poll +
            records(description, piece) + poll + records(b"\x00" * 7 + bytes([status]), piece))


seeds = {
    "whole": script(0),
    "pieces": script(0, piece=3),
    "polls": script(0, piece=64, polls=True),
    "untimed": script(1),
    "short_writes": script(2, piece=100),
    "failed_writes": script(4),
    "refused": script(0, status=1),
    "short_announcement": b"\x00" + records(b"\x00\x00\x00\x00\x10", 255),
    "zero_length": b"\x00" + records(announce(0), 255),
    "too_long": b"\x00" + records(announce(0xFFFFFFFF), 255),
}
folder = top / "corpus/fuzz_device"
folder.mkdir(parents=True, exist_ok=True)
for name, data in seeds.items():
    (folder / name).write_bytes(data)
