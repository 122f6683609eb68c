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
    <message>
        <source>%1 needs %2 integers separated by commas, not &apos;%3&apos;.</source>
        <translation>%1 needs %2 integers separated by commas, not &apos;%3&apos;.</translation>
    </message>
    <message>
        <source>Refusing to write %1: it is the input file %2, which would be lost. Choose another output.</source>
        <translation>Refusing to write %1: it is the input file %2, which would be lost. Choose another output.</translation>
    </message>
    <message>
        <source>%1 (writing through the link to %2)</source>
        <translation>%1 (writing through the link to %2)</translation>
    </message>
    <message>
        <source>no file name given</source>
        <translation>no file name given</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>%1; %2 could not be put back, its old contents are in %3</source>
        <translation>%1; %2 could not be put back, its old contents are in %3</translation>
    </message>
    <message>
        <source>%1; the new %2 could not be removed</source>
        <translation>%1; the new %2 could not be removed</translation>
    </message>
    <message>
        <source>it is the same file as %1</source>
        <translation>it is the same file as %1</translation>
    </message>
    <message>
        <source>written, but its folder could not be flushed to the disk: %1</source>
        <translation>written, but its folder could not be flushed to the disk: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>the file is read-only</translation>
    </message>
</context>
<context>
    <name>i18n</name>
    <message>
        <source>--lang needs ja or en.</source>
        <translation>--lang needs ja or en.</translation>
    </message>
    <message>
        <source>--lang takes ja or en, not &apos;%1&apos;.</source>
        <translation>--lang takes ja or en, not &apos;%1&apos;.</translation>
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
</context>
<context>
    <name>toolkit</name>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>%1 is read-only.
Do you want to replace it anyway?</source>
        <translation>%1 is read-only.
Do you want to replace it anyway?</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>The table holds 0 to %1 data columns and rows.</source>
        <translation>The table holds 0 to %1 data columns and rows.</translation>
    </message>
</context>
</TS>
