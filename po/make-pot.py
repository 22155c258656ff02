#!/usr/bin/env python3
"""Builds po/bramko2.pot: every text the player can see, keyed by its Japanese text exactly as
the sources spell it.

xgettext takes the marked literals out of src/ (Tr("…"), N_("…"), TrN("…", "…", n): see
src/platform/Translate.h); we add the help's section titles and note for each one where it is
drawn and how wide it may be. Run from the project's root:  python3 po/make-pot.py [OUTPUT]
"""
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
POT = os.path.join(ROOT, "po", "bramko2.pot")
HELP = "assets/help/BRAMKO.HLP"
JAPANESE = re.compile("[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]")

TYPED = ("typed by the story writer: one-byte letters are pacing codes (H at once, S speech pace, "
         "$ pause, # nod swallowing the next byte, R new line, C new page, ! pause). In a "
         "translation write each code as {H}, {S}, {$}, {#}, {R}, {C}, {!}: the same codes in the "
         "same order as the Japanese; everything outside braces is printed.")

# Where each file's texts are drawn; a msgid note below wins over these.
FILE_NOTES = {
    "src/actors/Manplayer.cpp": "fighter name on the battle panel: size 16 bold, centred in 196 px (24 Latin letters)",
    "src/app/GameApp.cpp": "terminal message (stderr)",
    "src/battle/ReplayDialogs.cpp": "replay dialogs: message box text (broken at 420 px)",
    "src/battle/ReplayDialogs.h": "dialog caption",
    "src/battle/ReplayDialogsView.cpp": "replay dialog: label, or button 88 px wide (12 Latin letters)",
    "src/battle/ReplayFiles.cpp": "replay list line or message box text (broken at 420 px)",
    "src/chapters/DoraqCutScene.cpp": "DoraQ chapter cut scene: size 14 after six dots, box edge x 597 (57 Latin letters)",
    "src/chapters/DoraqEnding.cpp": "DoraQ chapter ending",
    "src/chapters/DoraqOpening.cpp": "DoraQ chapter opening cut scene line, size 14 from x 48, box edge x 597 (78 Latin letters); " + TYPED,
    "src/chapters/Krstage1.cpp": "tournament journey",
    "src/chapters/Mainmenu.cpp": "menu bar item",
    "src/online/NetVersusDialog.cpp": "online dialog (420 px wide, dialog font 12 px)",
    "src/online/NetVersusDialog.h": "dialog caption",
    "src/online/OnlineSession.cpp": "why an online match ended: shown on the versus screen's online line and in a message box",
    "src/online/OnlineSession.h": "why an online match ended: shown on the versus screen's online line and in a message box",
    "src/online/OnlineVersus.cpp": "versus screen's online status line",
    "src/online/SpectatorVersus.cpp": "versus screen's online status line, watching",
    "src/platform/ui/help/HelpViewer.cpp": "help window: button 75 px wide (10 Latin letters), caption or message",
    "src/platform/ui/MessageBox.cpp": "message box button, 75 px wide (10 Latin letters)",
    "src/platform/Pictures.cpp": "message box text",
    "src/platform/VkMap.cpp": "key name in the key list",
    "src/platform/Window.cpp": "message box text or caption",
    "src/platform/net/NetLink.cpp": "online error, shown in a message box",
    "src/platform/sdl/SdlBackend.cpp": "start-up error (terminal and message box)",
    "src/screens/Krending.cpp": "tournament ending",
    "src/screens/Omake.cpp": "DoraQ's sons on the extras menu: the names are looked up in the opponent table, never drawn from here",
    "src/screens/Untiku.cpp": "profile screen",
    "src/settings/Custom.cpp": "settings dialog (dialog font 12 px)",
    "src/settings/Custom.h": "settings dialog caption",
    "src/settings/CustomView.cpp": "settings dialog",
    "src/settings/Keycfg.cpp": "key dialog (dialog font 12 px)",
    "src/settings/Keycfg.h": "key dialog caption",
    "src/settings/KeycfgView.cpp": "key dialog",
    "src/shell/GameFiles.cpp": "message box text (broken at 420 px)",
    "src/field/Savefile.cpp": "message box text (broken at 420 px)",
    "src/settings/SettingsFile.cpp": "message box text",
    "src/shell/Unit1.cpp": "menu bar",
}

PROFILE_NAME = ("opponent name: profile screen's name band (size 12 from x 224, band edge x 592: 60 Latin "
                "letters), battle panel (size 16 bold, centred in 196 px: 24 Latin letters), replay list, "
                "help topic title. Also the help keyword of the profile screen: that lookup keeps the Japanese.")
PROFILE_LINE = ("profile line, label + full-width space + value: size 12 from x 240, panel edge x 596 "
                "(59 Latin letters); write it \"Label: value\"")
PROFILE_SPOKEN = ("spoken profile line, typed at size 18 from x 56, box edge x 596 (60 Latin letters); "
                  "begins with 「 in Japanese, with a straight double quote in English")
HELP_TITLE = ("help section title: shown in the help's topic list and at the top of its section. The "
              "keyword in the help file stays Japanese (it is the lookup key); only the shown title is "
              "translated.")

NOTES = {
    "プレイヤー １": "battle panel name of the left player in versus play: size 16 bold, centred in 196 px (24 Latin letters)",
    "プレイヤー ２": "battle panel name of the right player: size 16 bold, centred in 196 px (24 Latin letters)",
    "ブラムコー": "the hero. Battle panel name in the story (size 16 bold, 24 Latin letters)",
    "ドラＱを倒した！": "size 24 at x 172 on the battle screen after the last DoraQ fight (39 Latin letters)",
    "リプレイ": "message box caption of the replay dialogs",
    "リプレイの名前": "label above the name box (344 px wide)",
    "再生するリプレイ": "label above the replay list (444 px wide)",
    "対戦": "replay list: what was fought, here a two-player match (list 444 px wide)",
    "前回の対戦": "replay list: the replay of the last match (in place of a file name)",
    "\u3000": "separator between the fields of a replay list line (name, fight, score, date)",
    "%s\u3000%s": "versus screen's online status line: the link's state, then what the host's router does (size 12 from x 32)",
    "%s・通信 %d・規則 %d": "a game version as a message box names it: the release, then the network protocol and the battle rules versions",
    "\u3000（再生できません）": "replay list: after the name of a file that cannot be played",
    "リプレイファイルを開けません。 ": "message box: followed by the file's path; see the whole sentence with %s",
    "このリプレイは別の版のゲームで記録されたため、再生できません。 ": "message box: followed by the file's path; see the whole sentence with %s",
    "再生中の対戦が記録と食い違ったため、再生を中止しました。 ": "message box: followed by the file's path; see the whole sentence with %s",
    "ピキッ（怒）": "the captain's anger mark, size 14 after six dots at x 196 in the cut-scene box (57 Latin letters)",
    "あそんでくれて、ほんとうにありがとう！": "last line of the DoraQ chapter, size 14 at x 144 (70 Latin letters)",
    "－ＳＴＡＦＦ－": "DoraQ staff roll title, size 14 at x 224",
    "カシャッ": "sound lettering (a switch clicks), size 64 at x 168 (13 Latin letters)",
    "ピッ": "sound lettering (a beep), size 64 at x 168 (13 Latin letters)",
    "もこもこ": "sound lettering (the coffin stirs), size 14, drawn at x 72, 200 and 328 (38 Latin letters)",
    "ブー（大会開始の音）": "the start signal, size 14 in yellow at x 208 in the reporter's box, edge x 629 (60 Latin letters)",
    "会場に着いた！": "arrival banner, size 24 at x 200, box edge x 597 (33 Latin letters)",
    "設定": "menu bar menu",
    "設定変更": "menu bar item (also lettering of the main menu picture); opens the settings dialog",
    "フィールドマップ": HELP_TITLE,
    "メニュー画面": HELP_TITLE,
    "戦闘画面": HELP_TITLE,
    "対戦画面": HELP_TITLE,
    "カスタマイズウィンドウ": HELP_TITLE,
    "キーカスタマイズウィンドウ": HELP_TITLE,
    "ポート": "label left of a text box at x 80 (9 Latin letters)",
    "アドレス": "label left of a text box at x 80 (9 Latin letters)",
    "待ち受ける": "button 96 px wide (13 Latin letters)",
    "接続する": "button 96 px wide (13 Latin letters)",
    "このパソコンのアドレス：": "label 384 px wide, followed by this computer's addresses",
    "、": "separator between this computer's addresses",
    "（見つかりません）": "after \"このパソコンのアドレス：\" when no address was found",
    "ホストになる（あなたがプレイヤー1）": "group box title, 404 px wide",
    "参加する（あなたがプレイヤー2）": "group box title, 404 px wide",
    "目次": "help window button 75 px wide (10 Latin letters); also the title of the help's first section",
    "閉じる": "help window button 75 px wide (10 Latin letters)",
    "はい": "message box button, 75 px wide (10 Latin letters)",
    "いいえ": "message box button, 75 px wide (10 Latin letters); also the tournament ending's answers: size 14 outlined, eight of them 96 px apart (12 Latin letters)",
    "キャンセル": "button: 75 px (message box), 80 px (key dialog), 88 px (settings, replays), 96 px (online): 10 Latin letters",
    "ヘルプ": "button 80-88 px wide (11 Latin letters); also the help window's caption when the game has no window title",
    "保存": "button 88 px wide (12 Latin letters) in the replay dialog; menu bar item (save progress)",
    "予期しないエラーが発生しました。ゲームはこのまま続きます。": "message box text; see the whole sentence with %s",
    "）": "closing bracket after an error's detail; see the whole sentences with %s",
    "エラー": "message box caption when the game has no window title",
    "ユイ：": "speaker label, size 14 outlined at x 72 in the ending's message window",
    "ブラムコー：": "speaker label, size 14 outlined at x 72 in the ending's message window",
    "ジャーン！！": "sound lettering (a dramatic chord), size 36 outlined at x 192, window edge x 617 (23 Latin letters)",
    "クリア条件": "caption in a pill 92 px wide, size 12 from x 240 (14 Latin letters)",
    "ストレート勝ち": "clear condition on the profile screen: size 12 from x 336, band edge x 592 (42 Latin letters)",
    "２勝": "clear condition on the profile screen: size 12 from x 336 (42 Latin letters)",
    "特になし": "clear condition on the profile screen (extras): size 12 from x 336 (42 Latin letters)",
    "おまけ": "main menu lettering and help section title; the help keyword stays Japanese. Also a settings-file key: that use stays Japanese.",
    "おまけは今回の起動中だけ遊べます。": "last line of a message box (the extras could not be kept)",
    "難易度調整": "group box title in the settings dialog (also a settings-file section: that use stays Japanese)",
    "キーカスタマイズ": "group box title in the settings dialog (also a settings-file section: that use stays Japanese)",
    "ファングパワー": "radio group caption in the settings dialog (also a settings-file key: that use stays Japanese)",
    "解像度の変更": "radio group caption, hidden (also a settings-file key: that use stays Japanese)",
    "ゲーム速度": "radio group caption in the settings dialog",
    "遅い": "radio item, four across 596 px (21 Latin letters)",
    "ゆっくり": "radio item, four across 596 px (21 Latin letters)",
    "ふつう": "radio item, four across 596 px (21 Latin letters)",
    "速い": "radio item, four across 596 px (21 Latin letters)",
    "やや強い": "radio item, four across 596 px (21 Latin letters)",
    "強い": "radio item, four across 596 px (21 Latin letters)",
    "最強": "radio item, four across 596 px (21 Latin letters)",
    "しない": "radio item (hidden group)",
    "する": "radio item (hidden group)",
    "決定/キャンセル入替": "check box 136 px wide (19 Latin letters)",
    "被弾時にパッド振動": "check box 136 px wide (19 Latin letters)",
    "整数倍で拡大": "combo box item, 180 px wide (26 Latin letters)",
    "画面いっぱいに拡大": "combo box item, 180 px wide (26 Latin letters)",
    "設定は変更していません。": "last line of a message box (the settings could not be written)",
    "（未接続）": "label beside a pad combo box: no pad is plugged in",
    "画面": "label from x 12 left of a combo box at x 50 (6 Latin letters)",
    "標準": "button 80-88 px wide (11 Latin letters): back to the standard settings",
    "機能を選択してください": "radio group caption, 170 px wide (26 Latin letters)",
    "上に移動": "radio item, 170 px wide (24 Latin letters)",
    "下に移動": "radio item, 170 px wide (24 Latin letters)",
    "左に移動": "radio item, 170 px wide (24 Latin letters)",
    "右に移動": "radio item, 170 px wide (24 Latin letters)",
    "決定、ファング発射": "radio item, 170 px wide (24 Latin letters)",
    "キャンセル、緊急回避": "radio item, 170 px wide (24 Latin letters)",
    "新しいキーを入力してください": "label from x 190, button at x 388 (32 Latin letters)",
    "登録": "button 70 px wide (9 Latin letters)",
    "削除": "button 70 px wide (9 Latin letters)",
    "左記の機能に対応するキー一覧": "label from x 190 above the key list (44 Latin letters)",
    "保存済みの進行状況は失われていません。": "last line of a message box (the save file could not be written)",
    "ファイル(&F)": "menu bar menu; & marks the Alt key letter",
    "終了(&X)": "menu bar item; & marks the Alt key letter",
    "ヘルプ(&H)": "menu bar menu; & marks the Alt key letter",
    "リプレイを保存…": "menu bar item",
    "リプレイを再生…": "menu bar item",
    "ネット対戦…": "menu bar item",
    "リプレイを保存": "dialog caption",
    "リプレイを再生": "dialog caption",
    "ネット対戦": "dialog caption; message box caption",
    "\\ (ろ)": "key name of the Japanese keyboard's Ro key",
    "OK": "button: 75 px (message box), 80-88 px (dialogs): 10 Latin letters",
    "NONE": "pad assignment in a combo box 170 px wide",
    "PLAYER 1": "button 160 px wide; pad assignment in a combo box 170 px wide",
    "PLAYER 2": "button 160 px wide; pad assignment in a combo box 170 px wide",
    "H\u3000\u3000\u3000\u3000\u3000Sこれで島にもようやく平和がもどる。": "continuation line: the full-width spaces line it up under the speaker's words",
}


# Sentences with placeholders: (msgid, ref, note); the ref is where it was first written.
WHOLE = [
    ("「%s」は前回の対戦が使う名前です。別の名前にしてください。", "src/battle/ReplayDialogs.cpp:56", "message box; %s is the replay name the player typed"),
    ("「%s」はすでにあります。置き換えますか？", "src/battle/ReplayDialogs.cpp:61", "message box (Yes/No); %s is a replay name"),
    ("%s戦", "src/battle/ReplayFiles.cpp:45", "replay list: the fight against opponent %s"),
    ("このリプレイは別の版のゲーム（%s）で記録されたため、再生できません。", "src/battle/ReplayFiles.cpp:163", "message box; %s is the version that recorded the replay"),
    ("リプレイファイルを開けません。 %s", "src/battle/ReplayFiles.cpp:173", "message box; %s is the file's path"),
    ("このリプレイは別の版のゲームで記録されたため、再生できません。 %s", "src/battle/ReplayFiles.cpp:189", "message box; %s is the file's path"),
    ("再生中の対戦が記録と食い違ったため、再生を中止しました。 %s", "src/battle/ReplayFiles.cpp:191", "message box; %s is the file's path"),
    ("ポート %d で相手を待っています…", "src/online/NetVersusDialog.cpp:50", "online dialog label from x 16, dialog 420 px wide (65 Latin letters)"),
    ("%s につないでいます…", "src/online/NetVersusDialog.cpp:62", "online dialog label; %s is the host typed by the player"),
    ("相手のゲームのバージョン（%s）がこちら（%s）と違うため、対戦できません", "src/online/OnlineSession.cpp:71", "first %s: the other player's version, second: ours"),
    ("ネット対戦：入力遅延 %d フレーム", "src/online/OnlineVersus.cpp:115", "versus screen's online line; %d is at least 1 (plural forms for languages that need them)"),
    ("ポート %d を開けません（ほかのプログラムが使っていませんか）", "src/platform/net/NetLink.cpp:149", "message box"),
    ("相手のアドレス「%s」が見つかりません", "src/platform/net/NetLink.cpp:163", "message box; %s is the host typed by the player"),
    ("画面を開けません（%s）", "src/platform/sdl/SdlBackend.cpp:51", "start-up error; %s is SDL's own message"),
    ("画面を開けません（DISPLAY=%s に接続できません）", "src/platform/sdl/SdlBackend.cpp:61", "start-up error; %s is the DISPLAY value"),
    ("ウィンドウを開けません（%s）", "src/platform/sdl/SdlBackend.cpp:79", "start-up error; %s is SDL's own message"),
    ("予期しないエラーが発生しました。ゲームはこのまま続きます。\n\n（%s）", "src/platform/Window.cpp:41", "message box; %s is the error's detail (English, from the code)"),
    ("%s に書き込めません。\nフォルダ %s に書き込めるか確かめてください。\n%s", "src/shell/GameFiles.cpp:67", "message box: the file, its folder, then a sentence saying what was kept"),
    ("%s を開けません。", "src/field/Savefile.cpp:41", "message box; %s is the save file's path"),
    ("%s に書き込めません", "src/settings/SettingsFile.cpp:152", "message box; %s is the settings file's path"),
    ("%s ヘルプ", "src/platform/ui/help/HelpViewer.cpp:84", "help window caption; %s is the window title"),
    ("ヘルプファイル %s が見つかりません。", "src/platform/ui/help/HelpViewer.cpp:86", "help window text"),
    ("リソース %s が見つかりません。", "src/platform/Pictures.cpp:38", "message box; %s is a picture's name"),
]


def unquote(s):
    s = s.strip()[1:-1]
    return re.sub(r'\\(.)', lambda m: {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\"}.get(m.group(1), "\\" + m.group(1)), s)


def quote(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n").replace("\t", "\\t") + '"'


def parse(path):
    entries, cur, field = [], None, None
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line.strip():
            if cur and "msgid" in cur:
                entries.append(cur)
            cur = None
            continue
        cur = cur or {"refs": [], "flags": []}
        if line.startswith("#:"):
            cur["refs"] += line[2:].split()
        elif line.startswith("#,"):
            cur["flags"] += [f.strip() for f in line[2:].split(",")]
        elif line.startswith(("msgid ", "msgstr ", "msgid_plural ")):
            field = line.split(" ", 1)[0]
            cur[field] = unquote(line.split(" ", 1)[1])
        elif line.startswith("msgstr["):
            field = None
        elif line.startswith('"') and field:
            cur[field] += unquote(line)
    if cur and "msgid" in cur:
        entries.append(cur)
    return entries


def spoken_or_profile(msgid):
    if msgid.startswith("「"):
        return PROFILE_SPOKEN
    if "\u3000" in msgid:
        return PROFILE_LINE
    return PROFILE_NAME


def note_for(msgid, refs):
    if msgid in NOTES:
        return NOTES[msgid]
    files = [r.rsplit(":", 1)[0] for r in refs]
    if "src/actors/Comparas.cpp" in files:
        return spoken_or_profile(msgid)
    if "src/screens/Krending.cpp" in files:
        if msgid.startswith(("H", "\u3000")) and "$" in msgid:
            return ("ending dialogue, typed size 14 outlined from x 72, each letter 2 px apart, window edge x 610 "
                    "(33 full-width or 60 Latin letters between two R codes); " + TYPED)
        if re.fullmatch("[Ａ-Ｚ\u3000]+", msgid):
            return "staff roll heading, outlined size 14 (from x 416, or x 336 for the thanks)"
        return "staff roll name, outlined size 14 from x 432 (29 Latin letters); the team's joke pen names: adapt the joke"
    if "src/chapters/DoraqEnding.cpp" in files:
        if re.match("[H$]", msgid):
            return "DoraQ chapter ending cut scene line, size 14 from x 48, box edge x 597 (78 Latin letters); " + TYPED
        if msgid in ("プログラム", "グラフィック", "作曲", "編曲", "ゲームデザイン"):
            return "DoraQ staff roll heading, size 14 at x 200; its names start at x 312 (16 Latin letters)"
        return "DoraQ staff roll name, size 14 from x 312 or x 360 (40 Latin letters)"
    if "src/chapters/Krstage1.cpp" in files:
        if "$" in msgid:
            return "the reporter's talk, typed size 14 from x 144 beside his face, box edge x 629 (69 Latin letters); " + TYPED
        return "rules page, one of nine lines: size 16 bold at x 72 on the parchment (60 Latin letters)"
    if "src/online/OnlineSession.h" in files or "src/online/OnlineSession.cpp" in files:
        return FILE_NOTES["src/online/OnlineSession.cpp"]
    for f in files:
        if f in FILE_NOTES:
            return FILE_NOTES[f]
    return ""


def main():
    pot = sys.argv[1] if len(sys.argv) > 1 else POT
    sources = sorted(
        os.path.relpath(os.path.join(d, f), ROOT)
        for d, _, fs in os.walk(os.path.join(ROOT, "src"))
        for f in fs
        if f.endswith((".cpp", ".h", ".inl")))
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "all.pot")
        subprocess.run(["xgettext", "--from-code=UTF-8", "-C", "--no-wrap", "-k", "-kTr", "-kN_", "-kTrN:1,2",
                        "-o", raw] + sources, cwd=ROOT, check=True)
        kept = parse(raw) if os.path.exists(raw) else []
    kept = [e for e in kept if e["msgid"]]
    known = {e["msgid"] for e in kept}
    whole_notes = {msgid: note for msgid, _, note in WHOLE}
    for e in kept:
        if e["msgid"] in whole_notes:
            e["note"] = "message with placeholders; " + whole_notes[e["msgid"]]

    help_lines = open(os.path.join(ROOT, HELP), encoding="utf-8").read().splitlines()
    for n, line in enumerate(help_lines, 1):
        if not line.startswith("= "):
            continue
        title = line[2:].strip(" \u3000")
        ref = f"{HELP}:{n}"
        match = next((e for e in kept if e["msgid"] == title), None)
        if match:
            match["refs"].append(ref)
            match.setdefault("extra", []).append("Also the title of a help section (the keyword itself stays Japanese).")
        elif title not in known:
            kept.append({"msgid": title, "refs": [ref], "flags": [], "note": HELP_TITLE})
            known.add(title)

    out = ["# The texts of Bramko2 for Linux, keyed by the Japanese exactly as the sources spell it.",
           "# Made by po/make-pot.py; do not edit by hand.",
           "#, fuzzy", 'msgid ""', 'msgstr ""',
           '"Project-Id-Version: bramko2\\n"', '"Report-Msgid-Bugs-To: \\n"',
           '"PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\\n"', '"Last-Translator: FULL NAME <EMAIL@ADDRESS>\\n"',
           '"Language-Team: LANGUAGE <LL@li.org>\\n"', '"Language: \\n"', '"MIME-Version: 1.0\\n"',
           '"Content-Type: text/plain; charset=UTF-8\\n"', '"Content-Transfer-Encoding: 8bit\\n"',
           '"Plural-Forms: nplurals=INTEGER; plural=EXPRESSION;\\n"', ""]
    for e in kept:
        note = e.get("note") or note_for(e["msgid"], e["refs"])
        extra = e.get("extra", [])
        if any(r.startswith("src/screens/Omake.cpp") for r in e["refs"]) and "Omake" not in note:
            extra = ["In src/screens/Omake.cpp the name is a lookup key into the opponent table: that use stays Japanese."] + extra
        for line in ([note] if note else []) + extra:
            out.append("#. " + line.replace("\n", " "))
        out.append("#: " + " ".join(e["refs"]))
        flags = [f for f in e["flags"] if f in ("c-format", "no-c-format")]
        if flags:
            out.append("#, " + ", ".join(flags))
        out.append("msgid " + quote(e["msgid"]))
        if "msgid_plural" in e:
            out += ["msgid_plural " + quote(e["msgid_plural"]), 'msgstr[0] ""', 'msgstr[1] ""']
        else:
            out.append('msgstr ""')
        out.append("")
    with open(pot, "w", encoding="utf-8") as f:
        f.write("\n".join(out))
    print(f"{len(kept)} messages written to {pot}", file=sys.stderr)


if __name__ == "__main__":
    main()
