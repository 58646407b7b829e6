#!/usr/bin/env python3
"""A clipboard manager as desktops run one, reduced to what a program that
ends meets: it owns the CLIPBOARD_MANAGER selection, and when a program asks
it to save the clipboard (a SAVE_TARGETS conversion, as Qt does as it ends),
it reads the clipboard's text, takes the clipboard over and serves that text
from then on. Prints "ready" once it owns CLIPBOARD_MANAGER; runs until
killed. Needs python3-xlib."""

import sys

from Xlib import X, Xatom, display
from Xlib.protocol import event


def main():
    screen = display.Display()
    window = screen.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    atom = {name: screen.intern_atom(name) for name in ("CLIPBOARD_MANAGER", "SAVE_TARGETS", "CLIPBOARD",
                                                         "UTF8_STRING", "TARGETS", "TB_SAVED")}
    window.set_selection_owner(atom["CLIPBOARD_MANAGER"], X.CurrentTime)
    screen.flush()
    if screen.get_selection_owner(atom["CLIPBOARD_MANAGER"]) != window:
        sys.exit("could not own CLIPBOARD_MANAGER")
    print("ready", flush=True)
    text, saving = None, None

    def answer(request, property_):
        request.requestor.send_event(event.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection,
            target=request.target, property=property_))
        screen.flush()

    while True:
        happened = screen.next_event()
        if happened.type == X.SelectionRequest:
            if happened.selection == atom["CLIPBOARD_MANAGER"] and happened.target == atom["SAVE_TARGETS"]:
                saving = happened
                window.convert_selection(atom["CLIPBOARD"], atom["UTF8_STRING"], atom["TB_SAVED"], X.CurrentTime)
                screen.flush()
            elif happened.selection == atom["CLIPBOARD"] and text is not None:
                if happened.target == atom["TARGETS"]:
                    happened.requestor.change_property(happened.property, Xatom.ATOM, 32,
                                                       [atom["TARGETS"], atom["UTF8_STRING"]])
                    answer(happened, happened.property)
                elif happened.target == atom["UTF8_STRING"]:
                    happened.requestor.change_property(happened.property, atom["UTF8_STRING"], 8, text)
                    answer(happened, happened.property)
                else:
                    answer(happened, X.NONE)
            else:
                answer(happened, X.NONE)
        elif happened.type == X.SelectionNotify and saving is not None:
            saved = window.get_full_property(atom["TB_SAVED"], X.AnyPropertyType)
            text = saved.value if saved is not None else b""
            window.set_selection_owner(atom["CLIPBOARD"], X.CurrentTime)
            answer(saving, saving.property)
            saving = None
        elif happened.type == X.SelectionClear and happened.atom == atom["CLIPBOARD"]:
            text = None


if __name__ == "__main__":
    main()
