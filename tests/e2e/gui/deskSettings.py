"""The program's settings file as the desktop tests prepare and read it:
$XDG_CONFIG_HOME/Corvale's Soft/settings.ini, group [Tollbrook2]."""

import os

_GROUP = "[Tollbrook2]"


def path(config_home: str) -> str:
    return os.path.join(config_home, "Corvale's Soft", "settings.ini")


def write(config_home: str, values: dict) -> None:
    """Writes these settings (plain text values) as the only ones."""
    os.makedirs(os.path.dirname(path(config_home)), exist_ok=True)
    with open(path(config_home), "w", encoding="utf-8") as ini:
        ini.write(_GROUP + "\n")
        for key, value in values.items():
            ini.write(f"{key}={value}\n")


def read(config_home: str) -> dict:
    """The settings of the group, as text (an absent file gives none)."""
    values, inside = {}, False
    try:
        with open(path(config_home), encoding="utf-8") as ini:
            for line in ini:
                line = line.rstrip("\n")
                if line.startswith("["):
                    inside = line == _GROUP
                elif inside and "=" in line:
                    key, value = line.split("=", 1)
                    values[key] = value[1:-1] if value.startswith('"') and value.endswith('"') else value
    except FileNotFoundError:
        pass
    return values
