#!/usr/bin/env python3
"""Writes the window's, the page's and the pictures' own texts in Serbian Latin with its letters.

Applies the word table below to the string literals of the C++ files given (comments and code are
left as they are), and to the text and attribute values of an HTML file outside its script. Only
whole words change, a capital staying a capital. The console's texts are not in the files this is
run on: they stay ASCII, byte for byte.

    python3 scripts/letters.py viewer/lesson.cpp viewer/commands.cpp ...
"""
import re
import sys

# ASCII as the texts were first written, and the word as Serbian writes it.
TABLE = {
    "brise": "briše", "brisuca": "brišuća", "brisuce": "brišuće", "brisucoj": "brišućoj", "brze": "brže",
    "cega": "čega", "cuva": "čuva", "cuvanja": "čuvanja", "cuvanje": "čuvanje", "duz": "duž", "inace": "inače",
    "iskljuci": "isključi", "izasla": "izašla", "izmedju": "između", "jos": "još", "kaze": "kaže",
    "krstic": "krstić", "ljubicasta": "ljubičasta", "mis": "miš", "moze": "može", "mreza": "mreža",
    "najnize": "najniže", "najnizeg": "najnižeg", "najvisa": "najviša", "najvise": "najviše",
    "narandzasta": "narandžasta", "narandzasti": "narandžasti", "navise": "naviše", "niza": "niža",
    "obradjuje": "obrađuje", "obradjuju": "obrađuju", "pocetak": "početak", "pocetno": "početno",
    "pokazivaca": "pokazivača", "pokazivacem": "pokazivačem", "pomoc": "pomoć", "pomocnik": "pomoćnik",
    "pomocnika": "pomoćnika", "predugacak": "predugačak", "prikazi": "prikaži", "procitati": "pročitati",
    "prosla": "prošla", "sacuvaj": "sačuvaj", "sacuvajte": "sačuvajte", "sacuvan": "sačuvan",
    "sacuvana": "sačuvana", "sacuvane": "sačuvane", "sadrzi": "sadrži", "sledeceg": "sledećeg",
    "sledeci": "sledeći", "sta": "šta", "stampu": "štampu", "tacka": "tačka", "tekucoj": "tekućoj",
    "tocak": "točak", "triangulise": "trianguliše", "ukljuci": "uključi", "unutrasnjost": "unutrašnjost",
    "uredjivanja": "uređivanja", "uredjivanje": "uređivanje", "uvelicanja": "uveličanja",
    "uvelicanje": "uveličanje", "uvelicavanje": "uveličavanje", "vec": "već", "vece": "veće",
    "velicina": "veličina", "visa": "viša", "vraca": "vraća", "vracanje": "vraćanje", "vracena": "vraćena",
    "vraceno": "vraćeno", "vucenja": "vučenja", "zasto": "zašto",
    # The exercise's words.
    "brisucu": "brišuću", "duzi": "duži", "naizmenicno": "naizmenično", "netacno": "netačno", "nista": "ništa",
    "nizi": "niži", "pogresni": "pogrešni", "pomocnikom": "pomoćnikom", "ponistava": "poništava",
    "potvrdjuje": "potvrđuje", "sece": "seče", "slucajan": "slučajan", "stize": "stiže", "tacno": "tačno",
    "vezba": "vežba", "vise": "više", "visi": "viši", "visim": "višim", "zavrsava": "završava",
}

# A whole word; not one that names a field of an address ("vezba=1").
WORD = re.compile(r"\b[A-Za-z]+\b(?!=)")


def letters(text):
    def one(match):
        word = match.group(0)
        written = TABLE.get(word.lower())
        if written is None or not (word.islower() or word[1:].islower()):
            return word
        return written[0].upper() + written[1:] if word[0].isupper() else written
    return WORD.sub(one, text)


# A C++ string or character literal, a comment, or anything else, one at a time.
CPP = re.compile(r'"(?:[^"\\\n]|\\.)*"|\'(?:[^\'\\\n]|\\.)*\'|//[^\n]*|/\*.*?\*/', re.S)


def cpp(source):
    return CPP.sub(lambda m: letters(m.group(0)) if m.group(0).startswith('"') else m.group(0), source)


def html(source):
    parts = re.split(r"(<script>.*?</script>)", source, flags=re.S)
    for i in range(0, len(parts), 2):
        # Text between tags, and the values of attributes people read.
        parts[i] = re.sub(r">[^<]+<", lambda m: letters(m.group(0)), parts[i])
        parts[i] = re.sub(r'(aria-label|title|placeholder)="[^"]*"', lambda m: letters(m.group(0)), parts[i])
    return "".join(parts)


for path in sys.argv[1:]:
    with open(path, encoding="utf-8") as f:
        source = f.read()
    written = html(source) if path.endswith(".html") else cpp(source)
    if written != source:
        with open(path, "w", encoding="utf-8") as f:
            f.write(written)
        print("wrote", path)
