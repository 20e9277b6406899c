#!/usr/bin/env python3
"""Builds the program's Russian stress lexicon (data/Stress/ru-stress.lex).

Usage:
  build-stress-lexicon.py --generator PATH [--keep-strings FILE] [--supplement FILE]
                          [--out FILE] [--hfst-bin DIR]

--generator PATH  the accented generator of UDAR (reynoldsnlp/udar,
                  src/udar/resources/generator-gt-norm.accented.hfstol.gz, GPL-3.0),
                  compiled from Giellatekno's Russian morphology (giellalt/lang-rus):
                  lemma+tags -> stressed form. Either that .hfstol(.gz) file, which is
                  expanded here with Debian's hfst programs (apt-get install hfst; minutes
                  of processor time and a few GB of memory), or the text it expands to
                  ("analysis:stressed form" lines, plain or .gz) as --keep-strings wrote it.
--keep-strings    write the expanded generator (gzip) to FILE, for faster later runs.
                  It is an intermediate of some hundred MB: keep it out of git.
--supplement      stressed words of our own for frequent words the source gives without
                  a stress (default: scripts/stress-supplement.txt beside this script);
                  a word the source already stresses the same way is refused, so every
                  line there is one the lexicon needs.
--out FILE        the lexicon (default: data/Stress/ru-stress.lex of the source tree)

What the lexicon holds: every written word form of the source (lower case, ё written as
е, hyphenated forms whole) with all the stressings the source gives it, over all its
readings. A stressing is the stressed vowel and the vowels written ё; a form with two or
more stressings is a homograph (за́мок, замо́к; все, всё). Words of one syllable are kept
only where ё is involved (всё, мёд, её). Left out as the source marks or makes them:
forms tagged +Prb (doubtful), compounds (#), numeral compounds of two or more numeral
stems, forms with two primary stresses (slips). Perfective verbs with the prefix вы- are
stressed on it in every form (the generator slips on a few). A proper name's stressing
counts only where no common word is spelled the same.

File format (little-endian), a minimal acyclic automaton over the strings
"form <separator> stressing", the stressing written as symbols counted from the word's
end (so that words of one paradigm share their endings in the automaton):

  bytes 0-7   "LECSTRS1"
  uint32      number of symbols S
  uint32      number of transitions T
  uint32      index of the root state's first transition
  uint32      flags of the root (bit 0: final; never set)
  uint16[S]   the symbols: a letter's UTF-16 code; 0x0009 the separator; 0xF000+n "the
              stressed vowel is the n-th from the end" (0 = last vowel); 0xF100+n "the
              n-th vowel from the end is written ё"
  padding to a multiple of 4
  uint32[T]   transitions, a state's transitions in a row: bits 0-6 the symbol index,
              bit 7 the state's last transition, bit 8 the target state is final,
              bits 9-31 the index of the target state's first transition (0: the target
              has no transitions; transition 0 is a placeholder)

After the separator, a stress symbol comes first, then the ё symbols in rising order, then,
for a homograph only, one symbol 0xF200+k, k the set of readings the stressing has (bit 0:
a noun's genitive singular; bit 1: a noun's nominative or accusative plural; bit 2: a verb
form; bit 3: anything else; bit 4: a noun's second locative, "в лесу́"), so that the context
can tell which stressing a sentence asks for.

Standard library only; the hfst programs run only when the generator is given as .hfstol.
"""

import argparse
import collections
import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

VOWELS = set("аеёиоуыэюя")
ACUTE, GRAVE = "\u0301", "\u0300"
WORD_RE = re.compile(r"^[а-яё]+(?:-[а-яё]+)*$")
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.join(os.path.dirname(HERE), "data", "Stress", "ru-stress.lex")
DEFAULT_SUPPLEMENT = os.path.join(HERE, "stress-supplement.txt")

MAGIC = b"LECSTRS1"
SEPARATOR = 0x0009
STRESS_BASE = 0xF000
YO_BASE = 0xF100
READINGS_BASE = 0xF200
NOUN_GEN_SG, NOUN_NOM_ACC_PL, VERB, OTHER, NOUN_LOC2 = 1, 2, 4, 8, 16


def reading_kinds(analysis):
    """The kinds of reading an analysis ("сторона+N+Fem+Inan+Sg+Gen") is, as bits."""
    tags = analysis.split("+")[1:]
    if "N" in tags:
        bits = 0
        if "Sg" in tags and ("Gen" in tags or "Gen2" in tags):
            bits |= NOUN_GEN_SG
        if "Pl" in tags and ("Nom" in tags or "Acc" in tags):
            bits |= NOUN_NOM_ACC_PL
        if "Loc2" in tags:
            bits |= NOUN_LOC2
        return bits or OTHER
    if "V" in tags:
        return VERB
    return OTHER
MAX_TARGET = (1 << 23) - 1

# Numeral compounds ("трёхтысячесемисерийный") are generated without end. A lemma that
# begins with two or more numeral stems is left out; the stems in FIRST_ONLY count only at
# the start ("двусторонний" is one stem, "сточетырнадцатикилометровый" two).
NUMERAL_STEMS = sorted("""одно дву двух двум трёх трём трех трем четырёх четырём четырех
    четырем пяти шести семи восьми девяти десяти одиннадцати двенадцати тринадцати
    четырнадцати пятнадцати шестнадцати семнадцати восемнадцати девятнадцати двадцати
    тридцати сорока пятидесяти шестидесяти семидесяти восьмидесяти девяносто девяноста сто
    ста двухсот трёхсот трехсот четырёхсот четырехсот пятисот шестисот семисот восьмисот
    девятисот тысяче тысячи миллионо миллиардо полу""".split(), key=len, reverse=True)
FIRST_ONLY = {"сто", "ста", "полу", "одно", "дву"}


def numeral_stems(lemma):
    """How many numeral stems the lemma begins with (the longest stem first at each step)."""
    n, pos = 0, 0
    while True:
        for stem in NUMERAL_STEMS:
            if (n == 0 or stem not in FIRST_ONLY) and lemma.startswith(stem, pos):
                n, pos = n + 1, pos + len(stem)
                break
        else:
            return n


def norm_lemma(lemma):
    return re.sub(r"[0-9¹²³⁴⁵⁶⁷⁸⁹⁰]", "", lemma.lower()).replace("ё", "е")


def open_text(path):
    if path.endswith(".gz"):
        return gzip.open(path, "rt", encoding="utf-8", errors="replace")
    return open(path, encoding="utf-8", errors="replace")


# ---------------------------------------------------------------- expanding the generator

def hfst_tool(name, hfst_bin):
    path = os.path.join(hfst_bin, name) if hfst_bin else shutil.which(name)
    if not path or not os.path.exists(path):
        sys.exit("%s not found: install Debian's hfst package (apt-get install hfst) "
                 "or give the expanded strings file instead" % name)
    return path


def expand_generator(hfstol, hfst_bin, tmp):
    """All paths of the generator as "analysis:form" lines (a file in tmp).

    The generator is cyclic and makes numeral compounds and digit strings without end, so
    before its paths are listed it is composed with two filters: on its input side, no
    lemma that begins with three numeral stems; on its output side, Cyrillic letters and
    hyphens only, at most 28 symbols, at most one secondary stress (long compounds carry
    several). The result is minimized (which also drops dead ends)."""
    def run(*args):
        subprocess.run(list(args), check=True)

    src = os.path.join(tmp, "gen.hfstol")
    opener = gzip.open if hfstol.endswith(".gz") else open
    with opener(hfstol, "rb") as f, open(src, "wb") as g:
        shutil.copyfileobj(f, g)
    std = os.path.join(tmp, "gen.hfst")
    run(hfst_tool("hfst-fst2fst", hfst_bin), "-t", "-i", src, "-o", std)
    summary = subprocess.run([hfst_tool("hfst-summarize", hfst_bin), "-v", std],
                             capture_output=True, text=True, encoding="utf-8", check=True).stdout
    sigma = summary.split("sigma set:\n", 1)[1].split("\n", 1)[0]
    syms = [s.strip() for s in sigma.split(", ")]
    cyr = [s for s in syms if re.fullmatch(r"[\u0400-\u04FF][\u0300\u0301]?|[\u0300\u0301]", s)]
    grave = [s for s in cyr if GRAVE in s or s in ("\u0450", "\u045D")]
    plain = [s for s in cyr if s not in grave]

    def alt(symbols):
        return "|".join('"%s"' % s for s in symbols)

    num = "[" + "|".join("{%s}" % stem for stem in NUMERAL_STEMS) + "]"
    filters = {
        "in": "~[%s %s %s ?*]" % (num, num, num),
        "out": '[[%s|"-"]^{1,28}] & [[%s|"-"]* (%s) [%s|"-"]*]'
               % (alt(cyr), alt(plain), alt(grave), alt(plain)),
    }
    fst = {}
    for name, regexp in filters.items():
        rx_file = os.path.join(tmp, name + ".regexp")
        with open(rx_file, "w", encoding="utf-8") as f:
            f.write(regexp + "\n")
        fst[name] = os.path.join(tmp, name + ".hfst")
        run(hfst_tool("hfst-regexp2fst", hfst_bin), "-f", "openfst-tropical", "-i", rx_file,
            "-o", fst[name])
    left = os.path.join(tmp, "gen-in.hfst")
    run(hfst_tool("hfst-compose", hfst_bin), "-F", "-1", fst["in"], "-2", std, "-o", left)
    both = os.path.join(tmp, "gen-filtered.hfst")
    run(hfst_tool("hfst-compose", hfst_bin), "-F", "-1", left, "-2", fst["out"], "-o", both)
    mini = os.path.join(tmp, "gen-min.hfst")
    run(hfst_tool("hfst-minimize", hfst_bin), "-i", both, "-o", mini)
    out = os.path.join(tmp, "gen.strings")
    print("listing the generator's paths (some 15 million; many minutes)...", file=sys.stderr)
    with open(out, "w", encoding="utf-8") as f:
        subprocess.run([hfst_tool("hfst-fst2strings", hfst_bin), mini], stdout=f, check=True)
    return out


# ---------------------------------------------------------------- reading the forms

def parse_accented(surface):
    """(plain lower-case word with ё, [vowel indices with a primary stress], number of vowels)."""
    s = surface.lower().replace("\u0450", "е" + GRAVE).replace("\u045D", "и" + GRAVE)
    letters, acute, nv = [], [], 0
    for ch in s:
        if ch == ACUTE:
            if letters and letters[-1] in VOWELS:
                acute.append(nv - 1)
            continue
        if ch == GRAVE:
            continue
        letters.append(ch)
        if ch in VOWELS:
            nv += 1
    return "".join(letters), sorted(set(acute)), nv


def primary_stresses(word, acute, nv):
    if acute:
        return acute
    yo = [i for i, v in enumerate(c for c in word if c in VOWELS) if v == "ё"]
    if len(yo) == 1:
        return yo
    if nv == 1:
        return [0]
    return []


class Forms:
    """Written forms (ё kept) and the vowels the source stresses in them."""

    def __init__(self):
        self.entries = {}     # word -> {stressed vowel: the kinds of its readings}
        self.names = {}       # the same for proper-name readings (+Prop)
        self.unknown = set()  # polysyllabic words some reading gives without a stress
        self.stats = collections.Counter()

    def add(self, word, stress, kinds, name=False):
        table = self.names if name else self.entries
        vowels = table.setdefault(word, {})
        for i in stress:
            vowels[i] = vowels.get(i, 0) | kinds

    def read_generator(self, lines):
        st = self.stats
        for line in lines:
            analysis, sep, surface = line.rstrip("\n").rpartition(":")
            if not sep:
                continue
            st["generator paths"] += 1
            if "+Prb" in analysis or "#" in analysis:
                st["paths left out: tagged +Prb (doubtful) or compound"] += 1
                continue
            lemma = norm_lemma(analysis.split("+", 1)[0])
            if numeral_stems(lemma) >= 2:
                st["paths left out: numeral compounds"] += 1
                continue
            word, acute, nv = parse_accented(surface.strip("-"))
            if not WORD_RE.match(word) or nv == 0:
                st["paths left out: not a Cyrillic word"] += 1
                continue
            if len(acute) > 1:
                # two primary stresses in one form are slips of the generator ("жу́ю́щую")
                st["paths left out: two primary stresses"] += 1
                continue
            if (lemma.startswith("вы") and "+V+Perf" in analysis and word.startswith("вы")
                    and acute != [0]):
                # a perfective verb with the prefix вы- is stressed on it in every form; the
                # generator slips on a few lemmas ("вышёл", "выби́лся")
                word, acute = word[:2] + word[2:].replace("ё", "е"), [0]
                st["paths corrected: perfective вы- verbs stressed on вы-"] += 1
            stress = primary_stresses(word, acute, nv)
            if not stress:
                self.unknown.add(word)
                st["paths without a stress mark (unknown stress)"] += 1
                continue
            self.add(word, stress, reading_kinds(analysis), "+Prop" in analysis)
            st["paths used"] += 1

    def merge_names(self):
        """A proper name's stressing counts only where no common word is spelled the same:
        the river Ея ("Е́я", "Е́е") does not make "ее" (её) ambiguous."""
        e_spelled = {w.replace("ё", "е") for w in self.entries if "ё" in w}
        for word, vowels in self.names.items():
            if word in self.entries or word in e_spelled:
                self.stats["proper-name stressings set aside for a common word"] += 1
            else:
                self.entries[word] = vowels
        self.names = {}


def vowel_letters(word):
    return [c for c in word if c in VOWELS]


def stressings(forms):
    """key (lower case, ё as е) -> {(stressed vowel, tuple of ё vowels): kinds of reading},
    vowels counted from the start."""
    lexicon = collections.defaultdict(dict)
    for word, vowels in forms.entries.items():
        key = word.replace("ё", "е")
        yo = tuple(i for i, v in enumerate(vowel_letters(word)) if v == "ё")
        for i, kinds in vowels.items():
            lexicon[key][(i, yo)] = lexicon[key].get((i, yo), 0) | kinds
    for key in list(lexicon):
        if key in forms.unknown and not any(not yo for _, yo in lexicon[key]):
            # the е spelling is also a word whose stress the source does not give ("перед"
            # beside "перёд"): claiming the ё form's stress would be wrong half the time
            del lexicon[key]
            forms.stats["е spellings left out (also a word of unknown stress)"] += 1
        elif len(vowel_letters(key)) < 2 and not any(yo for _, yo in lexicon[key]):
            # a word of one syllable needs no entry unless ё is involved
            del lexicon[key]
    return lexicon


def read_supplement(path, lexicon, stats):
    """Lines "stressed word" (a combining acute or "+" after the stressed vowel, ё written);
    "#" begins a comment. Each word's stressing replaces what the source has for it."""
    if not path or not os.path.exists(path):
        return
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            text = line.split("#", 1)[0].strip()
            if not text:
                continue
            word, acute, nv = parse_accented(text.replace("+", ACUTE))
            stress = primary_stresses(word, acute, nv)
            if not WORD_RE.match(word) or len(stress) != 1:
                sys.exit("%s:%d: not a word with one stressed vowel: %s" % (path, number, text))
            key = word.replace("ё", "е")
            yo = tuple(i for i, v in enumerate(vowel_letters(word)) if v == "ё")
            value = {(stress[0], yo): OTHER}
            if set(lexicon.get(key, {})) == set(value):
                sys.exit("%s:%d: the source already gives %s this stress; the line is not "
                         "needed" % (path, number, text))
            lexicon[key] = value
            stats["supplement words"] += 1


# ---------------------------------------------------------------- the automaton

def symbol_strings(lexicon):
    """The sorted strings of the automaton, a character for each symbol (its code)."""
    strings = []
    for key, values in lexicon.items():
        nv = len(vowel_letters(key))
        for (stress, yo), kinds in values.items():
            tail = chr(STRESS_BASE + nv - 1 - stress)
            tail += "".join(sorted(chr(YO_BASE + nv - 1 - j) for j in yo))
            if len(values) > 1:
                tail += chr(READINGS_BASE + kinds)
            strings.append(key + chr(SEPARATOR) + tail)
    strings.sort()
    return strings


class Automaton:
    """A minimal acyclic automaton built from sorted strings (Daciuk's incremental method):
    each finished state is replaced by an equal one seen before, so equal endings are
    stored once."""

    def __init__(self):
        self.register = {}   # (final, edges) -> state id
        self.states = []     # id -> (final, ((symbol, child id), ...))
        self.path = [[False, []]]  # the states of the last string, not yet registered
        self.previous = ""

    def add(self, string):
        if string <= self.previous:
            raise ValueError("strings must be added sorted and distinct")
        common = 0
        while (common < len(string) and common < len(self.previous)
               and string[common] == self.previous[common]):
            common += 1
        self._register_down_to(common)
        for symbol in string[common:]:
            node = [False, []]
            self.path[-1][1].append([symbol, None])
            self.path.append(node)
        self.path[-1][0] = True
        self.previous = string

    def _register_down_to(self, depth):
        while len(self.path) - 1 > depth:
            node = self.path.pop()
            signature = (node[0], tuple((s, c) for s, c in node[1]))
            state = self.register.get(signature)
            if state is None:
                state = len(self.states)
                self.states.append(signature)
                self.register[signature] = state
            self.path[-1][1][-1][1] = state

    def finish(self):
        self._register_down_to(0)
        root = self.path[0]
        self.root = (root[0], tuple((s, c) for s, c in root[1]))
        self.register = None


def write_lexicon(path, automaton):
    symbols = sorted({ord(s) for _, edges in automaton.states for s, _ in edges}
                     | {ord(s) for s, _ in automaton.root[1]})
    if len(symbols) > 127:
        sys.exit("too many symbols for the file format: %d" % len(symbols))
    index = {s: i for i, s in enumerate(symbols)}
    first = {}  # state id -> index of its first transition
    transitions = [0]  # the placeholder
    finals = [final for final, _ in automaton.states]

    def emit(edges):
        start = len(transitions)
        for n, (symbol, child) in enumerate(edges):
            target = first.get(child, 0)
            if target > MAX_TARGET:
                sys.exit("too many transitions for the file format")
            word = index[ord(symbol)] | (0x80 if n == len(edges) - 1 else 0)
            word |= (0x100 if finals[child] else 0) | (target << 9)
            transitions.append(word)
        return start

    # children are registered before their parents, so their first transitions are known
    for state, (final, edges) in enumerate(automaton.states):
        if edges:
            first[state] = emit(edges)
    root = emit(automaton.root[1]) if automaton.root[1] else 0
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    temporary = path + ".tmp"
    with open(temporary, "wb") as f:
        f.write(MAGIC)
        f.write(struct.pack("<IIII", len(symbols), len(transitions), root, 0))
        f.write(struct.pack("<%dH" % len(symbols), *symbols))
        if len(symbols) % 2:
            f.write(b"\0\0")
        f.write(struct.pack("<%dI" % len(transitions), *transitions))
    os.replace(temporary, path)
    return len(transitions)


# ---------------------------------------------------------------- main

def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0],
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--generator", required=True)
    ap.add_argument("--keep-strings")
    ap.add_argument("--supplement", default=DEFAULT_SUPPLEMENT)
    ap.add_argument("--out", default=DEFAULT_OUT)
    ap.add_argument("--hfst-bin")
    args = ap.parse_args()

    forms = Forms()
    path, tmp = args.generator, None
    if re.search(r"\.hfstol(\.gz)?$", path):
        tmp = tempfile.mkdtemp(prefix="stress-lexicon-")
        strings_file = expand_generator(path, args.hfst_bin, tmp)
        if args.keep_strings:
            with open(strings_file, "rb") as f, gzip.open(args.keep_strings, "wb", compresslevel=6) as g:
                shutil.copyfileobj(f, g)
    else:
        strings_file = path
    try:
        with open_text(strings_file) as f:
            forms.read_generator(f)
    finally:
        if tmp:
            shutil.rmtree(tmp, ignore_errors=True)
    forms.merge_names()
    lexicon = stressings(forms)
    read_supplement(args.supplement, lexicon, forms.stats)
    strings = symbol_strings(lexicon)
    automaton = Automaton()
    for string in strings:
        automaton.add(string)
    automaton.finish()
    count = write_lexicon(args.out, automaton)

    st = forms.stats
    st["forms (keys)"] = len(lexicon)
    st["homographs (keys with two or more stressings)"] = sum(1 for v in lexicon.values() if len(v) > 1)
    st["keys whose е is ё in every stressing"] = sum(
        1 for v in lexicon.values() if all(yo for _, yo in v))
    st["automaton states"] = len(automaton.states) + 1
    st["automaton transitions"] = count
    st["file size, bytes"] = os.path.getsize(args.out)
    for name, value in sorted(st.items()):
        print("%-60s %12s" % (name, "{:,}".format(value)), file=sys.stderr)


if __name__ == "__main__":
    main()
