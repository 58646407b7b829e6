#!/usr/bin/env python3
"""The desk as a person uses it, on a real X server through the
accessibility interface: the six windows with their captions, archives
taken from the input list, a run from an Execute button with its history and
created files, a close through the window manager, and the settings found
stored afterwards. Exit status 0 passed, 1 failed, 77 skipped."""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import deskFolders  # noqa: E402
import desktop  # noqa: E402
import deskSettings  # noqa: E402

CHILD_CAPTIONS = ["圧縮ファイル格納フォルダ", "圧縮ファイル名", "自己解凍作成ファイル名", "実行履歴", "自己解凍作成終了ファイル"]


def test(args):
    samples = {"hello.lzh": "hello.lzh", "tools.cab": "tools.cab"}
    with deskFolders.archives_and_output(args.samples, samples) as folders, desktop.Desktop(
        artifacts=args.artifacts
    ) as desk:
        archives, output = folders.archives, folders.output
        deskSettings.write(desk.config_home, {"Dir_In": archives, "Dir_Out": output})
        app = desk.launch([args.program], cwd=folders.work, title="Tollbrook2 for Win32")

        for caption in CHILD_CAPTIONS:
            app.window(caption)
        app.window(re.compile(r"^自己解凍格納フォルダ \([0-9,]+\.\dM Free\)$"))

        inputs = app.find(role="list", name="自己解凍を作成したい圧縮ファイルを選択します")
        work_list = app.find(role="list", name="このファイル名が自己解凍作成の対象となります")
        history = app.find(role="list", name="実行履歴")
        created = app.find(role="list", name="正常に自己解凍作成が終了したファイル名")
        desktop.wait_until(lambda: desk.items(inputs) == ["hello.lzh", "tools.cab"], what="the input list")
        win32 = app.find(role="push button", name="Ｗｉｎ３２")
        assert "enabled" not in desktop.states(win32), "nothing to run yet"

        # The selected archive first, then all of them: one is listed already.
        desk.select_rows(inputs, [0])
        desk.press(app.find(role="push button", name="選択した圧縮ファイルを自己解凍の対象とします"))
        desktop.wait_until(
            lambda: desk.items(work_list) == [folders.archive("hello.lzh")], what="the selected archive in the work list"
        )
        desk.press(app.find(role="push button", name="全ての圧縮ファイルを自己解凍の対象とします"))
        desktop.wait_until(lambda: len(desk.items(work_list)) == 2, what="both archives in the work list")
        desktop.wait_until(lambda: "enabled" in desktop.states(win32), what="the Execute buttons")

        desk.press(win32)
        desktop.wait_until(
            lambda: desk.items(history)[-1:] == ["全て終了しました"], timeout=60, what="the end of the run in the history"
        )
        lines = desk.items(history)
        assert lines[0].startswith("[ ") and "hello.lzh" in lines[0], lines
        expected = [os.path.join(output, "HELLO.EXE"), os.path.join(output, "TOOLS.EXE")]
        assert sorted(desk.items(created)) == expected, desk.items(created)
        assert sorted(os.listdir(output)) == ["HELLO.EXE", "TOOLS.EXE"], os.listdir(output)
        desktop.wait_until(lambda: desk.items(work_list) == [], what="the converted entries to leave")
        desktop.wait_until(lambda: "enabled" not in desktop.states(win32), what="the Execute buttons off")

        desk.screenshot(os.path.join(args.artifacts, "deskRunTest.png"))
        desk.close(app)
        assert app.wait_exit() == 0, app.log()
        stored = deskSettings.read(desk.config_home)
        assert stored.get("OldDir_Out") == output and stored.get("OldDir_In") == archives, stored
        assert stored.get("Main_WindowState") == "0" and "Main_Width" in stored, stored


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True})])
