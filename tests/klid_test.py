"""Checks kblayouts_klid of the library given, through ctypes as a Python
program would call it: every Windows keyboard the facts in
tools/windows_keyboards name an HKL after goes back to its KLID, under its
own language and others; identifiers of no keyboard it knows give 0."""
import csv
import ctypes
import os
import sys

FACTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools",
                     "windows_keyboards")


def facts(name):
    with open(os.path.join(FACTS, name), encoding="utf-8") as lines:
        return list(csv.DictReader((line for line in lines if not line.startswith("#")),
                                   delimiter="\t"))


def main():
    library = ctypes.CDLL(sys.argv[1])
    klid_of = library.kblayouts_klid
    klid_of.argtypes = [ctypes.c_uint32]
    klid_of.restype = ctypes.c_uint32

    layout_ids = {row["klid"]: int(row["layout_id"], 16) for row in facts("layout_ids.tsv")}
    keyboards = ({row["klid"] for row in facts("equivalents.tsv")} |
                 {row["klid"] for row in facts("default_profiles.tsv")} | set(layout_ids))
    keyboards.discard("tip")
    failures = []
    checked = 0
    for klid in sorted(keyboards):
        if klid.startswith("0000"):
            device = int(klid[4:], 16)
        elif klid in layout_ids:
            device = 0xF000 | layout_ids[klid]
        else:
            continue
        for langid in {int(klid[4:], 16), 0x0409, 0x0C0C, 0x2000}:
            hkl = device << 16 | langid
            checked += 1
            if klid_of(hkl) != int(klid, 16):
                failures.append(f"{hkl:08X} gave {klid_of(hkl):08X}, not {klid}")

    examples = [
        (0x04070407, 0x00000407), (0x10090C0C, 0x00001009), (0xF0020409, 0x00010409),
        (0xF0200C0C, 0x00011009), (0xF0100416, 0x00010416),
        (0xF0A30402, 0x00020402), (0xF0D00407, 0x00020407),
        # Microsoft's input methods for Japanese and Korean have keyboards
        # of their own; Amharic's has none.
        (0x04110411, 0x00000411), (0x04120412, 0x00000412), (0x045E045E, 0),
        # A second German keyboard named as one the user installed.
        (0xF0C00407, 0),
        # FreeRDP's Layout Id of 00010416, which a registry export corrects.
        (0xF01D0416, 0),
        # No Layout Id; no keyboard; no language; a legacy IME's KLID; a
        # transient LANGID alone.
        (0xF0FF0409, 0), (0x12340409, 0), (0x04070000, 0), (0xE0010411, 0),
        (0x20002000, 0), (0x00000000, 0), (0xFFFFFFFF, 0),
    ]
    for hkl, klid in examples:
        checked += 1
        if klid_of(hkl) != klid:
            failures.append(f"{hkl:08X} gave {klid_of(hkl):08X}, not {klid:08X}")

    for failure in failures:
        print("FAIL", failure)
    print(f"klid: {checked - len(failures)} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)


main()
