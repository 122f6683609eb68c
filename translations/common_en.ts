<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>common</name>
    <message>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; is not an integer</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は浮動小数点数ではありません</source>
        <translation>&apos;%1&apos; is not a floating-point number</translation>
    </message>
    <message>
        <source>ファイル %1 は開けません</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>ファイル %1 を作成できません</source>
        <translation>Cannot create file %1</translation>
    </message>
    <message>
        <source>リストのインデックスが範囲を超えています (%1)</source>
        <translation>List index out of bounds (%1)</translation>
    </message>
    <message>
        <source>0 による浮動小数点数除算</source>
        <translation>Floating point division by zero</translation>
    </message>
    <message>
        <source>浮動小数点数の無効な演算</source>
        <translation>Invalid floating point operation</translation>
    </message>
    <message>
        <source>メモリストリームの拡大中にメモリが足りなくなりました</source>
        <translation>Out of memory while expanding memory stream</translation>
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
        <translation>Usage: spectrum_viewer [OPTION]
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
</translation>
    </message>
    <message>
        <source>--lang takes ja or en, not &apos;%1&apos;.
</source>
        <translation>--lang takes ja or en, not &apos;%1&apos;.
</translation>
    </message>
</context>
<context>
    <name>toolkit</name>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
</context>
</TS>
