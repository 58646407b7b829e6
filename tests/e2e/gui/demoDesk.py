"""The desk as the documentation's pictures show it: sample archives in the
input folder, one Win32 run over all of them, and a few archives waiting in
the work list for the next run."""

import desktop
from deskLanguage import name

TWIPS_PER_PIXEL = 15  # at the 96 dots per inch of the desktop


def settings(folders, width: int, height: int) -> dict:
    """The stored settings of a desk that opens these folders, its window
    at 40,40 with this size in pixels."""
    return {
        "Dir_In": folders.archives,
        "Dir_Out": folders.output,
        "Main_Left": 40 * TWIPS_PER_PIXEL,
        "Main_Top": 40 * TWIPS_PER_PIXEL,
        "Main_Width": width * TWIPS_PER_PIXEL,
        "Main_Height": height * TWIPS_PER_PIXEL,
    }


def run_then_queue(desk, app, archive_count: int, waiting_rows: list, language: str = "ja") -> None:
    """Takes every archive of the input list into the work list, runs Win32
    over them, then takes the archives of these input list rows again and
    leaves the input list without a selection; the program speaks this
    language."""
    inputs = app.find(role="list", name=name("自己解凍を作成したい圧縮ファイルを選択します", language))
    work_list = app.find(role="list", name=name("このファイル名が自己解凍作成の対象となります", language))
    history = app.find(role="list", name=name("実行履歴", language))
    desktop.wait_until(lambda: len(desk.items(inputs)) == archive_count, what="the input list")

    desk.press(app.find(role="push button", name=name("全ての圧縮ファイルを自己解凍の対象とします", language)))
    desktop.wait_until(lambda: len(desk.items(work_list)) == archive_count, what="the work list")
    desk.press(app.find(role="push button", name=name("Ｗｉｎ３２", language)))
    finished = [name("全て終了しました", language)]
    desktop.wait_until(lambda: desk.items(history)[-1:] == finished, timeout=60, what="the run")

    desk.select_rows(inputs, waiting_rows)
    desk.press(app.find(role="push button", name=name("選択した圧縮ファイルを自己解凍の対象とします", language)))
    desktop.wait_until(lambda: len(desk.items(work_list)) == len(waiting_rows), what="the archives waiting")
    desk.select_rows(inputs, [])
