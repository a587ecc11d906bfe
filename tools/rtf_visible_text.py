"""The text that the installer's license view is sure to give as its window
text for an RTF document, for counting it before a release is packed.

The installer streams the license into a rich edit control and counts the
control's window text, trimmed. What a control gives differs between rich edit
versions (Wine's shows neither a field's instruction nor its result, Windows'
shows the result; hidden text is kept in the window text by some, dropped by
others), so the count here is the least that any of them gives: text that only
some of them show is left out and named, so that a license is accepted only
when every control gives at least its count. Where the document cannot be
read that way at all (binary data, \\binN), the reading refuses.

What one control gives is taken as the model, from Wine's riched32 in the
installer's own view: a paragraph, page or section end is CR LF, a line break
and a tab one character, a table's cell one character and its row one; a
picture or an object, and the control symbols \\- and \\*, nothing.
"""
import re

WHITE_SPACE = " \t\n\v\f\r"  # what the installer trims from both ends

# Groups that no control shows: tables, document data, picture and object
# data, headers, footers, field instructions, shapes, list definitions.
UNSHOWN = {
    "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "objdata", "objclass", "result",
    "fldinst", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf",
    "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl", "themedata",
    "colorschememapping", "datastore", "latentstyles", "mmathPr", "shp", "shpinst", "shppict",
    "nonshppict", "pntext", "pn", "bkmkstart", "bkmkend", "filetbl", "userprops", "docvar",
    "pgdsctbl", "xe", "tc", "txe", "atnid", "atnauthor", "annotation", "atrfstart", "atrfend",
    "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "template", "passwordhash",
    "wgrffmtfilter", "panose", "falt", "fname", "blipuid", "macpict", "pmmetafile", "wmetafile",
    "dibitmap", "wbitmap", "sp", "sn", "sv", "picprop", "defchp", "defpap",
    "listpicture", "bliptag", "protusertbl", "fchars", "lchars", "ud", "upr",
}
# Groups whose text some controls show and others do not: counted by none.
SOMETIMES_SHOWN = {"field": "field results", "fldrslt": "field results", "footnote": "footnotes", "listtext": "list numbers"}

# Words that may lead a group of shown text: character and paragraph
# formatting. A group led by any other word may be a destination that a
# control does not show; its text is not counted.
FORMATTING = set("""
rtf ansi mac pc pca ansicpg deff deflang deflangfe adeflang uc u plain pard b i ul ulnone uld uldb
ulw ulth uldash ulwave ulc strike striked caps scaps outl shad embo impr v f fs cf cb highlight
chcbpat chcfpat chshdng lang langfe langnp langfenp noproof super sub nosupersub up dn expnd
expndtw kerning charscalex rtlch ltrch loch hich dbch af afs ab ai alang fcs insrsid charrsid
rsid pararsid delrsid cs s ds ts ql qr qc qj qd li ri fi lin rin sa sb sl slmult saauto sbauto
keep keepn widctlpar nowidctlpar hyphpar intbl itap ls ilvl outlinelevel tx tqr tqc tqdec tldot
tlhyph tlul tlth tleq aspalpha aspnum faauto adjustright wrapdefault contextualspace ltrpar
rtlpar ltrsect rtlsect ltrrow rtlrow nooverflow cgrid snapgrid brdrt brdrb brdrl brdrr brdrs
brdrw brsp brdrcf shading cbpat cfpat sectd sbknone pgwsxn pghsxn marglsxn margrsxn cols
linex headery footery endnhere sectdefaultcl sectunlocked trowd trgaph trleft trql trqr trqc
cellx clvertalt clvertalc clvertalb clbrdrt clbrdrb clbrdrl clbrdrr clcbpat clwWidth clftsWidth
trftsWidth trwWidth lastrow irow irowband trautofit tblind tblindtype nestcell nestrow
nesttableprops nonesttables viewkind viewscale zoom fromtext htmautsp lnbrkrule nolnhtadjtbl
chftn chdate chtime chpgn sectnum hyphauto pnlvlblt pnlvlbody pnlvlcont pnindent pnstart pnf
pnfs pntxta pntxtb accnone animtext
""".split())

SYMBOLS = {"emdash": "\x97", "endash": "\x96", "bullet": "\x95", "lquote": "\x91", "rquote": "\x92",
           "ldblquote": "\x93", "rdblquote": "\x94", "emspace": " ", "enspace": " ", "qmspace": " "}
BREAKS = {"par": "\r\n", "sect": "\r\n", "page": "\r\n", "line": " ", "tab": "\t", "cell": "\t", "row": "\r"}
# Code pages in which two bytes may make one character.
DOUBLE_BYTE = re.compile(r"\\(?:ansicpg(?:932|936|949|950|1361)|fcharset(?:128|129|130|134|136))(?![0-9])")
TOKEN = re.compile(r"\\([a-zA-Z]{1,32})(-?\d{1,10})? ?|\\'([0-9a-fA-F]{2})|\\([\r\n])|\\(.)|([{}])|[\r\n]+|"
                   r"([^\\{}\r\n]+)", re.S)


class Unreadable(Exception):
    """The document holds what this reading cannot count."""


class Group:
    def __init__(self, outer=None):
        self.shown = outer.shown if outer else True    # False: no control shows it
        self.unsure = outer.unsure if outer else None   # why some control may not show it
        self.hidden = outer.hidden if outer else False  # \v
        self.uc = outer.uc if outer else 1
        self.fresh = True                               # nothing read yet, so a destination may follow


def visible_text(rtf):
    """(text, unsure): the text that every control gives, untrimmed, and
    {kind: characters} of text that only some controls give."""
    double_byte = bool(DOUBLE_BYTE.search(rtf))
    out, unsure, stack, group = [], {}, [], None
    skip, lead = 0, False

    def put(chars):
        if not group.shown:
            return
        why = "hidden text (\\v)" if group.hidden else group.unsure
        if why:
            unsure[why] = unsure.get(why, 0) + len(chars)
        else:
            out.append(chars)

    for m in TOKEN.finditer(rtf):
        word, arg, hexa, newline, symbol, brace, text = m.groups()
        if brace == "{":
            stack.append(group)
            group, skip = Group(group), 0
            continue
        if brace == "}":
            group, skip = stack.pop() if stack else None, 0
            if group is None:
                break  # the document ends with its outermost group
            continue
        if group is None or not (word or hexa or newline or symbol or text):
            continue  # before the document's first brace, or a line end of the file
        fresh, group.fresh = group.fresh, False
        if word:
            if word == "bin":
                raise Unreadable("it holds binary data (\\bin), which the check does not read")
            if fresh and word in UNSHOWN:
                group.shown = False
            elif fresh and word in SOMETIMES_SHOWN:
                group.unsure = SOMETIMES_SHOWN[word]
            elif fresh and word not in FORMATTING and word not in BREAKS and word not in SYMBOLS:
                group.unsure = "groups led by \\%s" % word
            if word in ("v", "plain"):
                group.hidden = word == "v" and arg != "0"
            elif word == "uc":
                group.uc = int(arg or 1)
            elif word == "u":
                code = int(arg or 0) % 65536
                # A surrogate pair may become one character: its first half counts nothing.
                if not 0xD800 <= code < 0xDC00:
                    put(chr(code) if code < 256 else "?")
                skip = group.uc
            elif word in BREAKS or word in SYMBOLS:
                put(BREAKS.get(word) or SYMBOLS[word])
            continue
        if symbol == "*":
            if fresh:
                group.shown = False
            continue
        if newline:
            put("\r\n")
            continue
        if skip and (hexa or symbol or text):
            dropped = min(skip, len(text)) if text else 1
            skip -= dropped
            text = text and text[dropped:]
            if not text:
                continue
        if hexa or (text and not symbol):
            for ch in (chr(int(hexa, 16)) if hexa else text):
                if double_byte and ch >= "\x80" and not lead:
                    lead = True  # the first of two bytes: the pair counts once
                    continue
                lead = False
                put(ch)
        elif symbol and symbol in "\\{}":
            put(symbol)
        elif symbol == "~":
            put("\xa0")
        elif symbol == "_":
            put("-")
    return "".join(out), unsure


def count(rtf):
    """(characters every control gives after trimming, {kind: characters some
    controls give besides}); raises Unreadable."""
    text, unsure = visible_text(rtf)
    return len(text.strip(WHITE_SPACE)), unsure
