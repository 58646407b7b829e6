"""The language a desktop test starts the program in (--lang), and the
names it finds controls by in that language: the scripts name controls by
their Japanese texts, and under English each becomes its translation from
translations/tollbrook2_en.ts (or Qt's own English)."""

import os
import xml.etree.ElementTree as ElementTree

LANGUAGES = ("ja", "en")
ARGUMENT = (("--lang",), {"choices": LANGUAGES, "default": "ja", "help": "the language the program is started in"})

_TRANSLATIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../translations/tollbrook2_en.ts")
# Texts of Qt's own dialogs, which Qt translates itself.
_QT_ENGLISH = {"キャンセル": "Cancel", "ファイル名(N):": "File name:", "保存(S)": "Save"}
_english = None


def _as_read(text: str) -> str:
    """A caption as a screen reader reads it: without the Alt letter's ampersand."""
    return text.replace("&", "")


def _english_texts() -> dict:
    global _english
    if _english is None:
        _english = dict(_QT_ENGLISH)
        for message in ElementTree.parse(_TRANSLATIONS).getroot().iter("message"):
            source, translation = message.findtext("source"), message.findtext("translation")
            _english[_as_read(source)] = _as_read(translation)
    return _english


# The command line of a script that takes pictures: the samples, where the
# pictures go, and the language.
PICTURE_ARGUMENTS = [(("--samples",), {"required": True}), (("--out",), {"required": True}), ARGUMENT]


def picture_name(name: str, language: str) -> str:
    """A picture's file name: as given under Japanese, ending in -en.png under English."""
    return name if language == "ja" else name.replace(".png", f"-{language}.png")


def arguments(language: str) -> list:
    """The program's arguments that start it in this language."""
    return [f"--lang={language}"]


def name(japanese: str, language: str) -> str:
    """The name the control named japanese under Japanese has in this language."""
    if language == "ja":
        return japanese
    texts = _english_texts()
    if japanese not in texts:
        raise KeyError(f"no English for {japanese!r} in {_TRANSLATIONS}")
    return texts[japanese]
