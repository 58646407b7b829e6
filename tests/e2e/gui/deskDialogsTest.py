#!/usr/bin/env python3
"""The menu commands and their dialogs as a person uses them, on a real X
server through the accessibility interface: the options dialog (OK only
after a change), the about box with the libraries found, a new folder that
becomes the output folder, and the history saved as a log through the save
dialog; in the language of --lang. Exit status 0 passed, 1 failed, 77
skipped."""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import deskFolders  # noqa: E402
import deskLanguage  # noqa: E402
import desktop  # noqa: E402
import deskSettings  # noqa: E402
from dialogWindows import closed, shown  # noqa: E402


def test(args):
    language = args.lang

    def name(japanese):
        return deskLanguage.name(japanese, language)

    samples = {"hello.lzh": "hello.lzh", "tools.cab": "tools.cab"}
    with deskFolders.archives_and_output(args.samples, samples, prefix="tb-desk-dialogs-") as folders:
        work, archives, output = folders.work, folders.archives, folders.output
        with desktop.Desktop(artifacts=args.artifacts) as desk:
            deskSettings.write(desk.config_home, {"Dir_In": archives, "Dir_Out": output})
            app = desk.launch([args.program, *deskLanguage.arguments(language)], cwd=work, title="Tollbrook2 for Win32")

            # Options: OK waits for a change; the change is applied.
            desk.choose(app, [name("(O)ption")])
            options = shown(app, name("Option"))
            ok = app.find(role="push button", name=name("設定"), within=options)
            assert "enabled" not in desktop.states(ok), "OK before any change"
            desk.act(app.find(role="check box", name=name("扱えないファイルは含まない"), within=options), "Toggle")
            desktop.wait_until(lambda: "enabled" in desktop.states(ok), what="OK after a change")
            desk.press(ok)
            desktop.wait_until(closed(app, name("Option")), what="the options dialog to close")

            # About: both libraries with their versions, then closed.
            desk.choose(app, [name("(A)bout")])
            about = shown(app, name("About"))
            app.find(role="label", name="UNLHA32.DLL", within=about)
            app.find(role="label", name="CAB32.DLL", within=about)
            versions = app.find_all(role="label", name=re.compile(r"^Ver\.\d+\.\d\d$"), within=about)
            assert len(versions) == 3, [v.get_name() for v in versions]  # the program's and both libraries'
            desk.press(app.find(role="push button", name="OK", within=about))
            desktop.wait_until(closed(app, name("About")), what="the about box to close")

            # A new folder becomes the output folder.
            desk.choose(app, [name("M(k)dir")])
            prompt = shown(app, name("フォルダ名入力"))
            app.find(role="text", within=prompt).set_text_contents("NEWDIR")
            desk.press(app.find(role="push button", name="OK", within=prompt))
            made = os.path.join(output, "NEWDIR")
            desktop.wait_until(lambda: os.path.isdir(made), what="the new folder")
            app.window(re.compile("^" + re.escape(name("自己解凍格納フォルダ")) + r" \([0-9,]+\.\dM Free\)$"))
            folder_text = app.find(role="text", name=name("現在の自己解凍格納フォルダ"))
            desktop.wait_until(lambda: folder_text.get_text(0, -1).endswith("/NEWDIR"),
                               what="the output folder window in the new folder")

            # A run fills the history; Log Save writes it through the save dialog.
            desk.press(app.find(role="push button", name=name("全ての圧縮ファイルを自己解凍の対象とします")))
            win32 = app.find(role="push button", name=name("Ｗｉｎ３２"))
            desktop.wait_until(lambda: "enabled" in desktop.states(win32), what="the Execute buttons")
            desk.press(win32)
            history = app.find(role="list", name=name("実行履歴"))
            desktop.wait_until(lambda: desk.items(history)[-1:] == [name("全て終了しました")], timeout=60,
                               what="the end of the run")
            assert sorted(os.listdir(made)) == ["HELLO.EXE", "TOOLS.EXE"], os.listdir(made)
            lines = desk.items(history)

            desk.choose(app, [name("(L)og"), name("Log(S)ave")])
            save = app.window("Tollbrook2")
            log_files = name("LogFile(*.LOG)|*.LOG|全てのファイル(*.*)|*.*").split("|")[0]
            app.find(role="combo box", name=log_files, within=save)
            # Qt's own dialog speaks the desk's language too.
            app.find(role="text", name=name("ファイル名(N):"), within=save).set_text_contents(os.path.join(work, "run"))
            desk.press(app.find(role="push button", name=name("保存(S)"), within=save))
            log = os.path.join(work, "run.LOG")
            desktop.wait_until(lambda: os.path.isfile(log), what="the log file, with its default extension")
            with open(log, "rb") as saved:
                data = saved.read()
            assert data == "".join(line + "\r\n" for line in lines).encode("utf-8"), data

            desk.screenshot(os.path.join(args.artifacts, f"deskDialogsTest-{language}.png"))
            desk.close(app)
            assert app.wait_exit() == 0, app.log()
            stored = deskSettings.read(desk.config_home)
            assert stored.get("Nozoku") == "True", stored
            assert stored.get("OldDir_Out") == made, stored
            assert "Option_Left" in stored and "About_Left" in stored, stored


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True}), deskLanguage.ARGUMENT])
