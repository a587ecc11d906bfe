"""Licenses around the installer's shortest license, one RTF feature each.

Each case is plain text with one feature in its middle, made twice: with 999
and with 1000 characters in the window text that the installer's license view
gives under Wine. `exact` says whether the release check counts the feature as
that view does; otherwise the check counts less (text some views do not show)
or refuses outright, never more.
"""

HEAD = b"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red9\\green9\\blue9;}" \
       b"{\\*\\generator corpus;}{\\info{\\title License}}\\pard\\f0\\fs20 "
FILLER = b"Licensed-as-is,without-warranty."
# A 1x1 24-bit picture, which Wine's view shows as one blank.
DIB = b"{\\pict\\dibitmap0\\picw1\\pich1 28000000010000000100000001001800000000000400000000000000000000000000" \
      b"000000000000ffffff00}"

# name, feature, characters it adds to the view's text, check counts it exactly
FEATURES = [
    ("paragraphs", b"\\par\\par\\line\\tab ", 6, True),
    ("hyperlink field", b"{\\field{\\*\\fldinst HYPERLINK \"https://example.invalid/terms-of-use\"}"
                        b"{\\fldrslt {\\ul terms}}}", 0, True),
    ("field without star", b"{\\field{\\fldinst PAGE}{\\fldrslt 7}}", 0, True),
    ("hidden text", b"{\\v secret}", 6, False),
    ("picture", DIB, 1, False),
    ("object", b"{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0102030405}{\\result " + DIB + b"}}",
     1, False),
    ("table", b"\\trowd\\cellx1000\\cellx2000 a1\\cell b1\\cell\\row\\pard ", 7, True),
    ("unicode escapes", b"{\\u233?\\u8364?\\u12354?\\uc2\\u8212--}", 4, True),
    ("ignorable destination", b"{\\*\\companyextras text no view shows}", 0, True),
    ("footnote", b"{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} The note.}", 0, True),
    ("bookmark", b"{\\*\\bkmkstart terms}x{\\*\\bkmkend terms}", 1, True),
    ("symbols", b"\\~\\emdash\\{\\}\\\\\\'e9\\-\\_", 7, True),
    ("unknown group", b"{\\zzunknown uu}", 2, False),
    ("list number", b"{\\listtext 1.\\tab}", 3, False),
    ("binary data", b"{\\pict\\wmetafile8\\bin4 ABCD}", 0, False),
]


def cases():
    """(name, view characters, RTF bytes, exact) for every feature, 999 and 1000."""
    for name, feature, adds, exact in FEATURES:
        for total in (999, 1000):
            text = (FILLER * 40)[:total - adds]
            half = len(text) // 2
            yield name, total, HEAD + text[:half] + feature + text[half:] + b"\\par}", exact
