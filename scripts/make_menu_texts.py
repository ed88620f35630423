#!/usr/bin/env python3
"""Writes section [Menu] of resources/string/standard.str from the menus of
resources/rc/app.rc: each item's English text and its Japanese text (code page 932), under the
keys the program looks up (see app/MenuTexts.h). Run from the repository root after changing a
menu; a Japanese text must be added below for every new key."""
import re

JAPANESE = {
    "Project": "プロジェクト (&P)", "RecentProjects": "最近使ったプロジェクト (&R)",
    "View": "表示 (&V)", "ToolBars": "ツールバー (&T)", "Settings": "設定 (&S)",
    "Help": "ヘルプ (&H)", "Import": "インポート (&I)", "Export": "エクスポート (&E)",
    "Edit": "編集 (&E)", "ViewOperation": "表示操作 (&O)", "ViewVectorEdit": "視線方向 (&E)",
    "TriadPosition": "座標軸の位置 (&T)", "ColorMode": "カラーモード (&M)",
    "SolidSectioning": "ソリッド断面 (&C)...", "Information": "情報 (&I)",
    "EntityID": "エンティティID (&I)", "Result": "結果 (&R)", "Group": "グループ (&G)",
    "Window": "ウィンドウ (&W)",
    "ID32772": "新規作成 (&N)...\\tCtrl+N", "ID32774": "開く (&O)...\\tCtrl+O",
    "ID32776": "上書き保存 (&S)...\\tCtrl+S", "ID32870": "名前を付けて保存 (&A)...",
    "ID32775": "閉じる (&C)", "ID57616": "(なし)", "ID57665": "終了 (&X)",
    "ID59392": "標準 (&T)", "ID32789": "プロジェクトツリー (&P)", "ID32790": "出力バー (&O)",
    "ID32781": "表示設定 (&D)...", "ID32955": "結果設定 (&R)", "ID32957": "システム設定 (&S)",
    "ID57667": "ヘルプトピック (&I)", "ID57669": "状況依存ヘルプ (&C)\\t Shift+F1",
    "ID57664": "バージョン情報 (&A)...",
    "ID32783": "Nastran バルクデータファイル (&N)...", "ID32914": "UNV ファイル (&U)...",
    "ID32915": "変形後 UNV (&D)", "ID32939": "変形前 UNV (&O)", "ID32813": "画像 (&I)...",
    "ID32867": "AVI (&A)...", "ID32816": "印刷 (&P)...\\tCtrl+P",
    "ID57609": "印刷プレビュー ...", "ID57643": "元に戻す (&U)", "ID57644": "やり直し (&R)",
    "ID32916": "要素プロパティの編集 (&P)", "ID32806": "ワイヤーフレーム (&W)",
    "ID32807": "稜線 (&R)", "ID32808": "シェーディング (&S)",
    "ID32809": "稜線付きシェーディング (&L)", "ID32810": "隠線 (&H)", "ID32798": "移動 (&N)",
    "ID32799": "ズーム (&Z)", "ID32801": "ウィンドウ (&A)", "ID32802": "3D 回転 (&R)",
    "ID32803": "面内回転 (&P)", "ID32804": "縦回転 (&V)", "ID32805": "横回転 (&H)",
    "ID32943": "回転中心 (&C)", "ID32785": "XY (&1)", "ID32787": "YX (&2)",
    "ID32788": "YZ (&3)", "ID32822": "ZY (&4)", "ID32823": "ZX (&5)", "ID32791": "XZ (6)",
    "ID32792": "XYZ (&7)", "ID32793": "YXZ (&8)", "ID32795": "角度指定 (&R)...",
    "ID32796": "ベクトル指定 (&V)...", "ID32794": "左上", "ID32780": "右上",
    "ID32800": "左下", "ID32778": "右下", "ID32797": "自動スケール (&A)\\tCtrl+A",
    "ID32811": "再描画 (&D)\\tCtrl+D", "ID32936": "プロパティID (&P)",
    "ID32952": "材料ID (&M)", "ID32937": "要素タイプ (&E)", "ID32921": " + XY 平面 (&1)",
    "ID32920": " -  XY 平面 (&2)", "ID32922": " + XZ 平面 (&3)", "ID32925": " -  XZ 平面 (&4)",
    "ID32924": " + YZ 平面 (&5)", "ID32923": " -  YZ 平面 (&6)",
    "ID32926": "     カスタム  (&C)", "ID32843": "縮小表示の設定 (&I) ...",
    "ID32888": "クリッピング (&Q)...", "ID32941": "要素フィルタ (&F)...",
    "ID32842": "ワークスペース", "ID32840": "方向", "ID32839": "座標軸の位置",
    "ID32841": "表示設定", "ID32850": "表示モード", "ID32837": "選択", "ID32838": "選択モード",
    "ID32869": "選択フィルタ", "ID33600": "表示フィルタ", "ID32835": "アニメーション",
    "ID32817": "モデル情報 (&M)", "ID32819": "選択モデル情報 (&S)",
    "ID32818": "エンティティ情報 (&E)", "ID32820": "エンティティ間距離 (&D)",
    "ID32892": "要素ID (&E)", "ID32893": "節点ID (&G)", "ID32821": "要素方向 (&R)",
    "ID32878": "節点結果リスト (&N)", "ID32879": "要素結果リスト (&L)",
    "ID32882": "節点結果グラフ (&G)", "ID32883": "要素結果グラフ (&H)",
    "ID32890": "節点距離グラフ (&J)", "ID32891": "要素距離グラフ (&K)",
    "ID32846": "コンター設定 (&C)...", "ID32786": "ベクトル設定 (&V)...",
    "ID32881": "アニメーション設定 (&A)...", "ID32884": "変形設定 (&D)...",
    "ID32961": "作成 (&C)", "ID32962": "編集 (&E)", "ID32963": "削除 (&D)",
    "ID57650": "重ねて表示 (&C)", "ID32872": "左右に並べて表示 (&H)",
    "ID32871": "上下に並べて表示 (&V)", "ID32873": "次のウィンドウ (&N)\\tCtrl+Tab",
    "ID32856": "アイコンの整列 (&A)",
}


def ids():
    values = {}
    for header in ("platform/win/platform_ids.h", "resources/ids/view_ids.h",
                   "resources/ids/app_ids.h"):
        for name, value in re.findall(r"#define\s+(\w+)\s+(0x[0-9A-Fa-f]+|\d+)", open(header).read()):
            values[name] = int(value, 0)
    return values


def popup_key(label):
    key = ""
    for c in label:
        if c in "(\t":
            break
        if c.isalnum():
            key += c
    return key


def menu_items(rc, values):
    items = {}
    in_menu = False
    for line in rc.splitlines():
        if re.match(r"^\w+ MENU\s*$", line):
            in_menu = True
        elif in_menu and line.strip() == "END" and not line.startswith(" "):
            in_menu = False
        if not in_menu:
            continue
        popup = re.match(r'\s+POPUP "(.*)"', line)
        item = re.match(r'\s+MENUITEM "(.*)",\s*(\w+)', line)
        if popup:
            items[popup_key(popup.group(1))] = popup.group(1)
        elif item:
            items["ID%d" % values[item.group(2)]] = item.group(1)
    return items


def main():
    items = menu_items(open("resources/rc/app.rc").read(), ids())
    lines = ["[Menu]"]
    for key, english in items.items():
        lines.append("%s_ENG = %s" % (key, english))
        lines.append("%s_JPN = %s" % (key, JAPANESE[key]))
    block = ("\r\n".join(lines) + "\r\n").encode("cp932")
    path = "resources/string/standard.str"
    data = open(path, "rb").read()
    start = data.find(b"[Menu]\r\n")
    if start >= 0:
        end = data.find(b"\r\n[", start + 1)
        rest = data[end + 2:] if end >= 0 else b""
        data = data[:start] + block + (b"\r\n" + rest if rest else b"")
    else:
        data = data.rstrip(b"\r\n") + b"\r\n\r\n" + block
    open(path, "wb").write(data)


if __name__ == "__main__":
    main()
