#!/usr/bin/env python3
"""Takes the README's picture of the desk: a few sample archives taken into
the work list, one Win32 run, two archives waiting for the next run, and
the desk's window written as a PNG (scripts/screenshot.sh calls this)."""

import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import deskFolders  # noqa: E402
import desktop  # noqa: E402
import deskSettings  # noqa: E402

# Archive names of the picture and the sample each is a copy of.
ARCHIVES = {
    "docs.lzh": "hello.lzh",
    "fonts.cab": "tools.cab",
    "games.lzh": "hello.lzh",
    "setup.cab": "tools.cab",
    "tools.lzh": "hello.lzh",
}
TWIPS_PER_PIXEL = 15  # at the 96 dots per inch of the desktop


def test(args):
    # A short, steady folder name reads better in the picture.
    steady = os.path.join(tempfile.gettempdir(), "tollbrook2-demo")
    with deskFolders.archives_and_output(args.samples, ARCHIVES, work=steady) as folders, desktop.Desktop(
        screen="1280x900x24", artifacts=args.artifacts
    ) as desk:
        deskSettings.write(
            desk.config_home,
            {
                "Dir_In": folders.archives,
                "Dir_Out": folders.output,
                "Main_Left": 40 * TWIPS_PER_PIXEL,
                "Main_Top": 40 * TWIPS_PER_PIXEL,
                "Main_Width": 1040 * TWIPS_PER_PIXEL,
                "Main_Height": 760 * TWIPS_PER_PIXEL,
            },
        )
        app = desk.launch([args.program], cwd=folders.work, title="Tollbrook2 for Win32")
        inputs = app.find(role="list", name="自己解凍を作成したい圧縮ファイルを選択します")
        work_list = app.find(role="list", name="このファイル名が自己解凍作成の対象となります")
        history = app.find(role="list", name="実行履歴")
        desktop.wait_until(lambda: len(desk.items(inputs)) == len(ARCHIVES), what="the input list")

        desk.press(app.find(role="push button", name="全ての圧縮ファイルを自己解凍の対象とします"))
        desktop.wait_until(lambda: len(desk.items(work_list)) == len(ARCHIVES), what="the work list")
        desk.press(app.find(role="push button", name="Ｗｉｎ３２"))
        desktop.wait_until(lambda: desk.items(history)[-1:] == ["全て終了しました"], timeout=60, what="the run")

        desk.select_rows(inputs, [1, 3])
        desk.press(app.find(role="push button", name="選択した圧縮ファイルを自己解凍の対象とします"))
        desktop.wait_until(lambda: len(desk.items(work_list)) == 2, what="two archives waiting")
        desk.select_rows(inputs, [])

        frame = app.window("Tollbrook2 for Win32")
        desk.park_pointer(1279, 899)
        desk.screenshot(args.out, region=desk.extents(frame))
        print(f"wrote {args.out}")
        desk.close(app)
        app.wait_exit()


if __name__ == "__main__":
    desktop.main(test, extra_arguments=[(("--samples",), {"required": True}), (("--out",), {"required": True})])
