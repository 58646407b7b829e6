#!/usr/bin/env python3
"""Takes the pictures of the user manual (docs/images/manual-*.png) from the
real program on a private X server: the desk after a run, and each dialog
the menu opens, in the language of --lang: the English pictures' names end
in -en (scripts/screenshot.sh calls this)."""

import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demoDesk  # noqa: E402
import deskFolders  # noqa: E402
import desktop  # noqa: E402
import deskLanguage  # noqa: E402
import deskSettings  # noqa: E402
from dialogWindows import closed, shown  # noqa: E402

ARCHIVES = {"docs.lzh": "hello.lzh", "fonts.cab": "tools.cab", "games.lzh": "hello.lzh", "tools.lzh": "hello.lzh"}
XK_DOWN, XK_RETURN = 0xFF54, 0xFF0D


def shoot(desk, node, folder, name, language):
    path = os.path.join(folder, deskLanguage.picture_name(f"manual-{name}.png", language))
    desk.park_pointer(0, 0)
    desk.screenshot(path, region=desk.extents(node))
    print(f"wrote {path}")


def test(args):
    # A short, steady folder name reads better in the pictures.
    steady = os.path.join(tempfile.gettempdir(), "tollbrook2-demo")
    with deskFolders.archives_and_output(args.samples, ARCHIVES, work=steady) as folders:
        work, archives = folders.work, folders.archives
        with desktop.Desktop(screen="1280x900x24", artifacts=args.artifacts) as desk:
            deskSettings.write(
                desk.config_home,
                demoDesk.settings(folders, 1000, 720)
                | {
                    "Dir_In_DirName0": "archives",
                    "Dir_In_DirDir0": archives,
                    "Dir_In_DirName1": "tmp",
                    "Dir_In_DirDir1": tempfile.gettempdir(),
                    "Dir_In_DirName2": "demo",
                    "Dir_In_DirDir2": work,
                },
            )
            language = args.lang

            def name(japanese):
                return deskLanguage.name(japanese, language)

            app = desk.launch([args.program, *deskLanguage.arguments(language)], cwd=work, title="Tollbrook2 for Win32")
            # The desk after a Win32 run, one archive waiting for the next.
            demoDesk.run_then_queue(desk, app, len(ARCHIVES), [1], language)
            shoot(desk, app.window("Tollbrook2 for Win32"), args.out, "desk", language)

            desk.choose(app, [name("(O)ption")])
            options = shown(app, name("Option"))
            desk.act(app.find(role="check box", name=name("起動時の圧縮ファイルは自動的に実行"), within=options), "Toggle")
            app.find(role="radio button", name=name("Ｗｉｎ３２"), state=("showing",), within=options)
            shoot(desk, options, args.out, "options", language)
            desk.press(app.find(role="push button", name=name("ｷｬﾝｾﾙ"), within=options))
            desktop.wait_until(closed(app, name("Option")), what="the options dialog to close")

            desk.choose(app, [name("(D)efault"), name("OutDirDefault")])
            initial = shown(app, name("Default"))
            shoot(desk, initial, args.out, "initial-folder", language)
            desk.press(app.find(role="push button", name=name("ｷｬﾝｾﾙ"), within=initial))
            desktop.wait_until(closed(app, name("Default")), what="the initial-folder dialog to close")

            # The input folder window's popup, opened by a right click on its folder list.
            folders = app.find(role="list", name=name("圧縮ファイル格納フォルダを設定します"))
            left, top, width, height = desk.extents(folders)
            desktop.Atspi.generate_mouse_event(left + width // 2, top + height // 2, "b3c")
            # Its fourth item, by the keyboard (the popup is not in the accessible tree).
            for keysym in (XK_DOWN,) * 4 + (XK_RETURN,):
                desktop.Atspi.generate_keyboard_event(keysym, None, desktop.Atspi.KeySynthType.SYM)
            aliases_title = name("圧縮ファイル格納フォルダ") + name("のエリアスメンテナンス")
            aliases = shown(app, aliases_title)
            shoot(desk, aliases, args.out, "aliases", language)
            desk.press(app.find(role="push button", name=name("ｷｬﾝｾﾙ"), within=aliases))
            desktop.wait_until(closed(app, aliases_title), what="the alias dialog")

            desk.choose(app, [name("M(k)dir")])
            prompt = shown(app, name("フォルダ名入力"))
            app.find(role="text", within=prompt).set_text_contents("2024")
            shoot(desk, prompt, args.out, "new-folder", language)
            desk.press(app.find(role="push button", name=name("キャンセル"), within=prompt))
            desktop.wait_until(closed(app, name("フォルダ名入力")), what="the prompt to close")

            desk.choose(app, [name("(A)bout")])
            about = shown(app, name("About"))
            shoot(desk, about, args.out, "about", language)
            desk.press(app.find(role="push button", name="OK", within=about))

            desk.close(app)
            app.wait_exit()


if __name__ == "__main__":
    desktop.main(
        test,
        extra_arguments=deskLanguage.PICTURE_ARGUMENTS,
    )
