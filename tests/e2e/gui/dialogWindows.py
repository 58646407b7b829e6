"""The desk's dialogs in the accessible tree: each is made once and only
hidden when it closes, so it is found by its title and its showing state."""

import desktop


def _is_dialog(node) -> bool:
    return node.get_role_name() == "dialog"


def shown(app, title):
    """The dialog of this title, once it shows."""
    return app.find(name=title, state=("showing",), where=_is_dialog)


def closed(app, title):
    """A condition for desktop.wait_until: no dialog of this title shows."""
    return lambda: not app.find_all(name=title, state=("showing",), where=_is_dialog)
