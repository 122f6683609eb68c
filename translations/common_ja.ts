<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>common</name>
    <message>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; は整数ではありません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は浮動小数点数ではありません</source>
        <translation>&apos;%1&apos; は浮動小数点数ではありません</translation>
    </message>
    <message>
        <source>ファイル %1 は開けません</source>
        <translation>ファイル %1 は開けません</translation>
    </message>
    <message>
        <source>ファイル %1 を作成できません</source>
        <translation>ファイル %1 を作成できません</translation>
    </message>
    <message>
        <source>リストのインデックスが範囲を超えています (%1)</source>
        <translation>リストのインデックスが範囲を超えています (%1)</translation>
    </message>
    <message>
        <source>0 による浮動小数点数除算</source>
        <translation>0 による浮動小数点数除算</translation>
    </message>
    <message>
        <source>浮動小数点数の無効な演算</source>
        <translation>浮動小数点数の無効な演算</translation>
    </message>
    <message>
        <source>メモリストリームの拡大中にメモリが足りなくなりました</source>
        <translation>メモリストリームの拡大中にメモリが足りなくなりました</translation>
    </message>
    <message>
        <source>%1 needs %2 integers separated by commas, not &apos;%3&apos;.</source>
        <translation>%1 にはコンマで区切った %2 個の整数が必要です (&apos;%3&apos; は使えません)。</translation>
    </message>
    <message>
        <source>Refusing to write %1: it is the input file %2, which would be lost. Choose another output.</source>
        <translation>%1 には書き込みません: 入力ファイル %2 であり、失われてしまいます。別の出力先を選んでください。</translation>
    </message>
    <message>
        <source>%1 (writing through the link to %2)</source>
        <translation>%1 (リンク先 %2 への書き込み)</translation>
    </message>
    <message>
        <source>no file name given</source>
        <translation>ファイル名が指定されていません</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>%1; %2 could not be put back, its old contents are in %3</source>
        <translation>%1; %2 を元に戻せませんでした。元の内容は %3 にあります</translation>
    </message>
    <message>
        <source>%1; the new %2 could not be removed</source>
        <translation>%1; 新しい %2 を削除できませんでした</translation>
    </message>
    <message>
        <source>it is the same file as %1</source>
        <translation>%1 と同じファイルです</translation>
    </message>
    <message>
        <source>written, but its folder could not be flushed to the disk: %1</source>
        <translation>書き込みましたが、フォルダをディスクに反映できませんでした: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>ファイルは読み取り専用です</translation>
    </message>
</context>
<context>
    <name>i18n</name>
    <message>
        <source>--lang needs ja or en.</source>
        <translation>--lang には ja か en を指定してください。</translation>
    </message>
    <message>
        <source>--lang takes ja or en, not &apos;%1&apos;.</source>
        <translation>--lang に指定できるのは ja か en です (&apos;%1&apos; は指定できません)。</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: spectrum_viewer [OPTION]
Look at medical images and their spatial-frequency content: open a raw matrix or a DICOM file,
window it, cut a square ROI, look at its 2-D Fourier spectrum in cycles/mm, filter it, and
measure a detector&apos;s noise power spectrum. The same analyses run without a window in
spectrum_cli.

Options:
  --help      show this help and exit
  --version   show the version and exit
  --lang ja|en  the language of this run (otherwise the locale&apos;s: LC_ALL,
              LC_MESSAGES or LANG starting with ja gives Japanese, else English)

Qt&apos;s own options (-platform, -style, ...) are taken as well.
</source>
        <translation>使い方: spectrum_viewer [オプション]
医用画像とその空間周波数成分を見ます: raw 行列または DICOM ファイルを開き、
ウィンドウ処理し、正方形の ROI を切り出し、その 2 次元フーリエスペクトルを cycles/mm で見て、
フィルタをかけ、検出器のノイズパワースペクトルを測ります。同じ解析はウィンドウなしで
spectrum_cli でも実行できます。

オプション:
  --help      このヘルプを表示して終了します
  --version   バージョンを表示して終了します
  --lang ja|en  この実行の言語 (指定しなければロケールに従います: LC_ALL、
              LC_MESSAGES または LANG が ja で始まれば日本語、それ以外は英語)

Qt 自身のオプション (-platform、-style など) も受け付けます。
</translation>
    </message>
</context>
<context>
    <name>toolkit</name>
    <message>
        <source>Unknown error</source>
        <translation>不明なエラー</translation>
    </message>
    <message>
        <source>%1 is read-only.
Do you want to replace it anyway?</source>
        <translation>%1 は読み取り専用です。
それでも置き換えますか?</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 は既に存在します。
置き換えますか?</translation>
    </message>
    <message>
        <source>The table holds 0 to %1 data columns and rows.</source>
        <translation>表のデータ列数と行数は 0 から %1 までです。</translation>
    </message>
</context>
</TS>
