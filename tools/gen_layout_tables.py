#!/usr/bin/python3
"""Writes platform/shared/keymap/layout_tables.cpp: what Windows would make
of every XKB layout and variant, found by name ("de", "ch(fr)") and by
description ("German", "French (Switzerland)"), and of every language ICU
knows, found by its tag ("ko", "zh_TW"): the input language's LANGID, the
device word of the equivalent Windows keyboard, and the device word of the
input language's default input profile.

Facts come from xkb-data's registry and its extras (each layout's and
variant's name, description, ISO 639 languages and ISO 3166 countries),
iso-codes (ISO 639 three-letter codes to two-letter ones), ICU's table of
Windows LCIDs, and the project's own Windows keyboard facts in
tools/windows_keyboards: the XKB layouts with an equivalent Windows keyboard
(KLID), the Layout Ids of variant KLIDs, and each locale's default keyboard.

A KLID whose high word is 0 gives its low word as device word; a variant
KLID gives F000 | its Layout Id, and nothing where its Layout Id is not
known. A layout of a language Windows lacks that has a Windows keyboard
takes that keyboard's own language ("tw", of Formosan languages, is
Chinese (Traditional) - US). A LANGID of 0 marks a language Windows lacks;
a device word of 0, one not known (a default of 0: the LANGID in both words). A variant is listed
by name only where it differs from its layout; on a description listed
twice the first entry stands.

Runs on Debian's own Python, which has ICU (python3-icu).
Usage: tools/gen_layout_tables.py [OUTPUT]
"""

import csv
import json
import os
import sys
import xml.etree.ElementTree as ET

import icu

REGISTRY = ["/usr/share/X11/xkb/rules/evdev.xml",
            "/usr/share/X11/xkb/rules/evdev.extras.xml"]
ISO_639 = ["/usr/share/iso-codes/json/iso_639-2.json",
           "/usr/share/iso-codes/json/iso_639-3.json"]
KEYBOARDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "windows_keyboards")
OUTPUT = "platform/shared/keymap/layout_tables.cpp"
SUBLANG_DEFAULT = 1
# Sublanguages above this are the neutral ones of a script or a language.
SUBLANG_LAST_SPECIFIC = 0x1B
# Variant names and descriptions that say a layout's script.
SCRIPTS = {"latin": "Latn", "cyrillic": "Cyrl"}


def facts(name):
    """The rows of a file of tools/windows_keyboards, as dictionaries."""
    with open(os.path.join(KEYBOARDS, name), encoding="utf-8") as lines:
        return list(csv.DictReader((line for line in lines if not line.startswith("#")),
                                   delimiter="\t"))


class Keyboards:
    """The device words of Windows keyboards."""

    def __init__(self):
        self.equivalents = {row["xkb"]: row["klid"] for row in facts("equivalents.tsv")}
        self.layout_ids = {row["klid"]: int(row["layout_id"], 16)
                           for row in facts("layout_ids.tsv")}
        self.defaults = {int(row["langid"], 16): row["klid"]
                         for row in facts("default_profiles.tsv")}

    def device(self, klid):
        if klid.startswith("0000"):
            return int(klid[4:], 16)
        return 0xF000 | self.layout_ids[klid] if klid in self.layout_ids else 0

    def of_layout(self, name):
        return self.device(self.equivalents[name]) if name in self.equivalents else 0

    def known(self):
        """Each keyboard an HKL the tables give can name, by its device word."""
        klids = (set(self.equivalents.values()) | set(self.layout_ids) |
                 set(self.defaults.values())) - {"tip"}
        return sorted((self.device(klid), int(klid, 16)) for klid in klids
                      if self.device(klid))

    def default(self, langid):
        klid = self.defaults.get(langid, "tip")
        return 0 if klid == "tip" else self.device(klid)


def two_letter_codes():
    """Maps every ISO 639 three-letter code to the two-letter one, if any."""
    codes = {}
    for path in ISO_639:
        key = path.split("_")[-1].split(".")[0]
        for entry in json.load(open(path, encoding="utf-8"))[key]:
            short = entry.get("alpha_2", entry["alpha_3"])
            for field in ("alpha_3", "bibliographic", "terminology"):
                if field in entry:
                    codes.setdefault(entry[field], short)
    return codes


def specific(lcid):
    """True for the LANGID of a language in a country, as input locales have."""
    langid = lcid & 0xFFFF
    return langid & 0x3FF != 0 and 1 <= langid >> 10 <= SUBLANG_LAST_SPECIFIC


def langid(tag):
    """The LANGID of a locale, with the script its country uses (Serbian in
    Serbia is Cyrillic) where the tag names none and ICU knows one for it,
    else 0."""
    likely = icu.Locale(tag)
    likely.addLikelySubtags()
    for locale in (likely, icu.Locale(tag)):
        if specific(locale.getLCID()):
            return locale.getLCID() & 0xFFFF
    return 0


def default_langid(language):
    """The LANGID of the language in the country it is most used in."""
    likely = icu.Locale(language)
    likely.addLikelySubtags()
    return langid(language + "_" + likely.getCountry()) if likely.getCountry() else 0


def script(name, description):
    """The script that a variant's name ("latin") or its description's
    parenthesis ("Serbian (Latin, Unicode)") names, or None."""
    words = [name or ""]
    if description and description.endswith(")") and "(" in description:
        words += description[description.index("(") + 1:-1].split(", ")
    for word in words:
        for key, code in SCRIPTS.items():
            if word.lower() == key or (word == name and word.startswith(key)):
                return code
    return None


def choose(languages, countries, script_code=None):
    """(LANGID, language) for a keyboard of these languages used in these
    countries, in its script where it has one of its own: the first
    language Windows has in one of the countries (its default sublanguage
    first), else the first Windows has at all, in its default country, else
    (0, the first language)."""
    for language in languages:
        tags = [f"{language}_{c}" for c in countries]
        if script_code:
            tags = [f"{language}_{script_code}_{c}" for c in countries] + tags
        present = [i for i in (langid(tag) for tag in tags) if i]
        if present:
            if not script_code:
                present.sort(key=lambda i: i >> 10 != SUBLANG_DEFAULT)
            return present[0], language
    for language in languages:
        if default_langid(language):
            return default_langid(language), language
    return 0, languages[0] if languages else ""


def config(item, codes):
    return (item.findtext("configItem/name"),
            item.findtext("configItem/description"),
            [codes.get(e.text, e.text)
             for e in item.iterfind("configItem/languageList/iso639Id")],
            [e.text for e in item.iterfind("configItem/countryList/iso3166Id")])


def entry(keyboards, name, language):
    """What the table holds for a layout: a layout of a language Windows
    lacks that has a Windows keyboard is of that keyboard's own language."""
    langid, code = language
    klid = keyboards.equivalents.get(name)
    if langid == 0 and klid:
        langid = int(klid[4:], 16)
    return (langid, code, keyboards.of_layout(name), keyboards.default(langid))


def tables(keyboards):
    codes = two_letter_codes()
    names, descriptions = {}, {}
    layouts = [layout for path in REGISTRY
               for layout in ET.parse(path).getroot().iterfind("layoutList/layout")]
    for layout in layouts:
        name, description, languages, countries = config(layout, codes)
        # The extras describe some layouts again, to add variants to them.
        own = names.setdefault(name, entry(keyboards, name, choose(languages, countries)))
        descriptions.setdefault(description, own)
        for variant in layout.iterfind("variantList/variant"):
            vname, vdescription, vlanguages, vcountries = config(variant, codes)
            full = f"{name}({vname})"
            result = entry(keyboards, full, choose(vlanguages or languages,
                                                   vcountries or countries,
                                                   script(vname, vdescription)))
            if result != own:
                names.setdefault(full, result)
            descriptions.setdefault(vdescription, result)
    return names, descriptions


def languages():
    """Each language alone, in its default country, and each language in a
    country ("zh_TW") where that differs. An input method of the language
    is reported as Microsoft's are, with the LANGID in both words: no device
    word of its own, and none for a default."""
    locales = [icu.Locale(tag) for tag in icu.Locale.getAvailableLocales()]
    table = {}
    for locale in locales:
        language = locale.getLanguage()
        table.setdefault(language, (default_langid(language), language, 0, 0))
    for locale in locales:
        tag = f"{locale.getLanguage()}_{locale.getCountry()}"
        own = (langid(tag), locale.getLanguage(), 0, 0)
        if locale.getCountry() and own[0] and own != table[own[1]]:
            table[tag] = own
    return table


def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '\\0"'


class Text:
    """The strings of all tables, each once, in one block: offset 0 is the
    empty string."""

    def __init__(self):
        self.offsets, self.size, self.lines = {"": 0}, 1, ['"\\0"']

    def offset(self, text):
        if text not in self.offsets:
            self.offsets[text] = self.size
            self.size += len(text.encode()) + 1
            self.lines.append(c_string(text))
        return self.offsets[text]


def rows(table, text):
    return "".join(f"\t{{{text.offset(key)}, {text.offset(language)}, 0x{langid:04X}, "
                   f"0x{device:04X}, 0x{default:04X}}},\n"
                   for key, (langid, language, device, default)
                   in sorted(table.items(), key=lambda item: item[0].encode()))


def main():
    keyboards = Keyboards()
    names, descriptions = tables(keyboards)
    text = Text()
    name_rows, description_rows = rows(names, text), rows(descriptions, text)
    language_rows = rows(languages(), text)
    assert text.size <= 0xFFFF
    known = keyboards.known()
    assert len({device for device, _ in known}) == len(known)
    keyboard_rows = "".join(f"\t{{0x{device:04X}, 0x{klid:08X}}},\n" for device, klid in known)
    output = ("// Generated by tools/gen_layout_tables.py from xkb-data's evdev.xml and\n"
              "// evdev.extras.xml, iso-codes, ICU's table of Windows LCIDs and the\n"
              "// Windows keyboard facts in tools/windows_keyboards. Do not edit.\n\n"
              '#include "layout_tables.h"\n\n'
              "const char LAYOUT_TEXT[] =\n\t" + "\n\t".join(text.lines) + ";\n\n"
              "const WindowsLayout LAYOUT_NAMES[] = {\n" + name_rows + "};\n\n"
              "const size_t LAYOUT_NAME_COUNT = sizeof LAYOUT_NAMES / sizeof LAYOUT_NAMES[0];\n\n"
              "const WindowsLayout LAYOUT_DESCRIPTIONS[] = {\n" + description_rows + "};\n\n"
              "const size_t LAYOUT_DESCRIPTION_COUNT =\n"
              "    sizeof LAYOUT_DESCRIPTIONS / sizeof LAYOUT_DESCRIPTIONS[0];\n\n"
              "const WindowsLayout LANGUAGES[] = {\n" + language_rows + "};\n\n"
              "const size_t LANGUAGE_COUNT = sizeof LANGUAGES / sizeof LANGUAGES[0];\n\n"
              "const WindowsKeyboard WINDOWS_KEYBOARDS[] = {\n" + keyboard_rows + "};\n\n"
              "const size_t WINDOWS_KEYBOARD_COUNT =\n"
              "    sizeof WINDOWS_KEYBOARDS / sizeof WINDOWS_KEYBOARDS[0];\n")
    open(sys.argv[1] if len(sys.argv) > 1 else OUTPUT, "w", encoding="utf-8").write(output)


if __name__ == "__main__":
    main()
