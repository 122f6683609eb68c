<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>imageio</name>
    <message>
        <source>the decoder expects %1 bytes of pixels where the header states %2</source>
        <translation>ヘッダーは画素 %2 バイトとしていますが、デコーダは %1 バイトを想定しています</translation>
    </message>
    <message>
        <source>the compressed pixel data are corrupt or truncated</source>
        <translation>圧縮された画素データが壊れているか途中で切れています</translation>
    </message>
    <message>
        <source>the compressed pixel data are corrupt or truncated (%1)</source>
        <translation>圧縮された画素データが壊れているか途中で切れています (%1)</translation>
    </message>
    <message>
        <source>it needs more memory than the decoder may take</source>
        <translation>デコーダに許されたメモリでは足りません</translation>
    </message>
    <message>
        <source>the decoder gave no reason</source>
        <translation>デコーダは理由を返しませんでした</translation>
    </message>
    <message>
        <source>the decoder failed: %1</source>
        <translation>デコーダが失敗しました: %1</translation>
    </message>
    <message>
        <source>holds bytes that are not a marker where one belongs</source>
        <translation>マーカーがあるべき位置にマーカー以外のバイトがあります</translation>
    </message>
    <message>
        <source>holds FF 00 where a marker belongs</source>
        <translation>マーカーがあるべき位置に FF 00 があります</translation>
    </message>
    <message>
        <source>ends before its first scan</source>
        <translation>最初のスキャンの前で終わっています</translation>
    </message>
    <message>
        <source>starts again or ends before its first scan</source>
        <translation>最初のスキャンの前で再び始まるか終わっています</translation>
    </message>
    <message>
        <source>has a header segment that runs past its fragment</source>
        <translation>フラグメントの終わりを越えるヘッダーセグメントがあります</translation>
    </message>
    <message>
        <source>is marked JFIF version %1, not 1</source>
        <translation>JFIF バージョンが 1 ではなく %1 です</translation>
    </message>
    <message>
        <source>has a segment (marker FF%1) that runs past the end of its fragment</source>
        <translation>フラグメントの終わりを越えるセグメント (マーカー FF%1) があります</translation>
    </message>
    <message>
        <source>has no frame header before its first scan</source>
        <translation>最初のスキャンの前にフレームヘッダーがありません</translation>
    </message>
    <message>
        <source>is a kind of JPEG (frame marker FF%1) that this transfer syntax does not hold</source>
        <translation>この転送構文が含まない種類の JPEG (フレームマーカー FF%1) です</translation>
    </message>
    <message>
        <source>has samples of %1 bits, which this kind of JPEG does not have</source>
        <translation>この種類の JPEG にはない %1 ビットのサンプルを持っています</translation>
    </message>
    <message>
        <source>names an unknown colour transform (%1)</source>
        <translation>未知の色変換 (%1) を指定しています</translation>
    </message>
    <message>
        <source>its header states samples of %1 bits, which a JPEG or JPEG-LS stream cannot hold</source>
        <translation>ヘッダーが %1 ビットのサンプルとしていますが、JPEG や JPEG-LS のストリームはこれを保持できません</translation>
    </message>
    <message>
        <source>its pixel data hold %1 fragment(s) for %2 frame(s)</source>
        <translation>画素データは %2 フレームに対してフラグメントが %1 個しかありません</translation>
    </message>
    <message>
        <source>the first fragment does not start a JPEG 2000 codestream</source>
        <translation>最初のフラグメントが JPEG 2000 コードストリームで始まっていません</translation>
    </message>
    <message>
        <source>the JPEG 2000 header in fragment %1 runs past its end</source>
        <translation>フラグメント %1 の JPEG 2000 ヘッダーがフラグメントの終わりを越えています</translation>
    </message>
    <message>
        <source>the first fragment does not start a compressed image</source>
        <translation>最初のフラグメントが圧縮画像で始まっていません</translation>
    </message>
    <message>
        <source>the JPEG stream in fragment %1 %2</source>
        <translation>フラグメント %1 の JPEG ストリーム: %2</translation>
    </message>
    <message>
        <source>the compressed stream in fragment %1 %2</source>
        <translation>フラグメント %1 の圧縮ストリーム: %2</translation>
    </message>
    <message>
        <source>the compressed image in fragment %1 has samples of %2 bits where the header states %3 bits stored</source>
        <translation>フラグメント %1 の圧縮画像のサンプルは %2 ビットですが、ヘッダーは格納ビット数を %3 としています</translation>
    </message>
    <message>
        <source>the compressed image in fragment %1 is %2 x %3 with %4 component(s) of %5 bits, not the %6 x %7 the header states</source>
        <translation>フラグメント %1 の圧縮画像は %2 x %3、%5 ビットの成分 %4 個で、ヘッダーの %6 x %7 と一致しません</translation>
    </message>
    <message>
        <source>Cannot open this DICOM file (%1): %2.</source>
        <translation>この DICOM ファイルは開けません (%1): %2。</translation>
    </message>
    <message>
        <source>the decoder stopped on this file (%1)</source>
        <translation>このファイルでデコーダが停止しました (%1)</translation>
    </message>
    <message>
        <source>it did not finish in time</source>
        <translation>時間内に終わりませんでした</translation>
    </message>
    <message>
        <source>it aborted</source>
        <translation>異常終了しました</translation>
    </message>
    <message>
        <source>it ran out of its time</source>
        <translation>許された時間を使い切りました</translation>
    </message>
    <message>
        <source>it tried something a decoder may not do</source>
        <translation>デコーダに許されていない操作をしようとしました</translation>
    </message>
    <message>
        <source>it crashed</source>
        <translation>クラッシュしました</translation>
    </message>
    <message>
        <source>it was ended by %1</source>
        <translation>%1 で終了しました</translation>
    </message>
    <message>
        <source>it was ended by a signal</source>
        <translation>シグナルで終了しました</translation>
    </message>
    <message>
        <source>it ended with code %1</source>
        <translation>終了コード %1 で終了しました</translation>
    </message>
    <message>
        <source>its answer was cut short</source>
        <translation>応答が途中で切れました</translation>
    </message>
    <message>
        <source>the decoder helper %1 cannot be started (%2)</source>
        <translation>デコーダヘルパー %1 を起動できません (%2)</translation>
    </message>
    <message>
        <source>its Rescale Intercept &quot;%1&quot; is not a number it can use</source>
        <translation>Rescale Intercept &quot;%1&quot; は使える数値ではありません</translation>
    </message>
    <message>
        <source>its values reach %1, beyond the range of about +-2.1 billion this program holds</source>
        <translation>値が %1 に達し、このプログラムが扱える約 ±21 億の範囲を超えています</translation>
    </message>
    <message>
        <source>its header has no Rows and no Columns element, so the image has no size</source>
        <translation>ヘッダーに Rows 要素も Columns 要素もないため、画像サイズがありません</translation>
    </message>
    <message>
        <source>its header has no Rows element, so the image has no size</source>
        <translation>ヘッダーに Rows 要素がないため、画像サイズがありません</translation>
    </message>
    <message>
        <source>its header has no Columns element, so the image has no size</source>
        <translation>ヘッダーに Columns 要素がないため、画像サイズがありません</translation>
    </message>
    <message>
        <source>the image states %1 rows and %2 columns</source>
        <translation>画像が %1 行 %2 列としています</translation>
    </message>
    <message>
        <source>the image states %1 frames</source>
        <translation>画像が %1 フレームとしています</translation>
    </message>
    <message>
        <source>samples of %1 bits are not supported</source>
        <translation>%1 ビットのサンプルには対応していません</translation>
    </message>
    <message>
        <source>its Planar Configuration is %1, neither 0 nor 1</source>
        <translation>Planar Configuration が %1 で、0 でも 1 でもありません</translation>
    </message>
    <message>
        <source>%1 samples per pixel are not supported</source>
        <translation>画素あたり %1 サンプルには対応していません</translation>
    </message>
    <message>
        <source>1-bit samples are supported uncompressed and monochrome only</source>
        <translation>1 ビットのサンプルは非圧縮のモノクロ画像にのみ対応しています</translation>
    </message>
    <message>
        <source>palette colour images are not supported</source>
        <translation>パレットカラー画像には対応していません</translation>
    </message>
    <message>
        <source>the photometric interpretation &quot;%1&quot; is not known</source>
        <translation>Photometric Interpretation &quot;%1&quot; は未知です</translation>
    </message>
    <message>
        <source>a JP2 box of its JPEG 2000 data runs past the end of its fragment</source>
        <translation>JPEG 2000 データの JP2 ボックスがフラグメントの終わりを越えています</translation>
    </message>
    <message>
        <source>its JPEG 2000 data are wrapped in JP2 boxes without a codestream box</source>
        <translation>JPEG 2000 データがコードストリームボックスのない JP2 ボックスに包まれています</translation>
    </message>
    <message>
        <source>not enough memory to decode it</source>
        <translation>デコードするためのメモリが足りません</translation>
    </message>
    <message>
        <source>it holds no image (no Pixel Data element)</source>
        <translation>画像がありません (Pixel Data 要素がありません)</translation>
    </message>
    <message>
        <source>this program has no decoder for it</source>
        <translation>このプログラムにはこの形式のデコーダがありません</translation>
    </message>
    <message>
        <source>its pixel data are not the fragments that syntax needs</source>
        <translation>画素データがこの転送構文の必要とするフラグメントになっていません</translation>
    </message>
    <message>
        <source>the pixel data hold %1 bytes, but %2 frame(s) of %3 x %4 need %5</source>
        <translation>画素データは %1 バイトですが、%3 x %4 の %2 フレームには %5 バイト必要です</translation>
    </message>
    <message>
        <source>the decoded image would take %1 bytes, more than the limit of %2</source>
        <translation>デコードした画像は %1 バイトとなり、上限の %2 バイトを超えます</translation>
    </message>
    <message>
        <source>element %1</source>
        <translation>要素 %1</translation>
    </message>
    <message>
        <source>Cannot read this DICOM file (%1): %2.</source>
        <translation>この DICOM ファイルは読めません (%1): %2。</translation>
    </message>
    <message>
        <source>an element header</source>
        <translation>要素ヘッダー</translation>
    </message>
    <message>
        <source>the value representation of %1</source>
        <translation>%1 の VR</translation>
    </message>
    <message>
        <source>element %1 has no value representation</source>
        <translation>要素 %1 に VR がありません</translation>
    </message>
    <message>
        <source>%1 needs %2 bytes, but the file ends %3 bytes later</source>
        <translation>%1 には %2 バイト必要ですが、ファイルは %3 バイト先で終わっています</translation>
    </message>
    <message>
        <source>sequences are nested more than %1 deep</source>
        <translation>シーケンスの入れ子が %1 段を超えています</translation>
    </message>
    <message>
        <source>a sequence</source>
        <translation>シーケンス</translation>
    </message>
    <message>
        <source>a sequence holds %1 where an item belongs</source>
        <translation>シーケンスのアイテムがあるべき位置に %1 があります</translation>
    </message>
    <message>
        <source>an item</source>
        <translation>アイテム</translation>
    </message>
    <message>
        <source>a sequence has no end</source>
        <translation>シーケンスに終わりがありません</translation>
    </message>
    <message>
        <source>an item has no end</source>
        <translation>アイテムに終わりがありません</translation>
    </message>
    <message>
        <source>the compressed pixel data hold %1 where a fragment belongs</source>
        <translation>圧縮画素データのフラグメントがあるべき位置に %1 があります</translation>
    </message>
    <message>
        <source>a pixel data fragment</source>
        <translation>画素データのフラグメント</translation>
    </message>
    <message>
        <source>the data set cannot be inflated</source>
        <translation>データセットを展開できません</translation>
    </message>
    <message>
        <source>the data set inflates to more than %1 bytes</source>
        <translation>データセットが展開すると %1 バイトを超えます</translation>
    </message>
    <message>
        <source>the deflated data set is corrupt</source>
        <translation>圧縮されたデータセットが壊れています</translation>
    </message>
    <message>
        <source>the file meta group has an element of undefined length</source>
        <translation>ファイルメタグループに長さ未定義の要素があります</translation>
    </message>
    <message>
        <source>the data set holds a stray item %1</source>
        <translation>データセットに所属のないアイテム %1 があります</translation>
    </message>
    <message>
        <source>Decoded : %1</source>
        <translation>デコード : %1</translation>
    </message>
    <message>
        <source>frame %1 of %2</source>
        <translation>フレーム %1 / %2</translation>
    </message>
    <message>
        <source>Colour image shown as luminance (0.299 R + 0.587 G + 0.114 B)</source>
        <translation>カラー画像を輝度で表示 (0.299 R + 0.587 G + 0.114 B)</translation>
    </message>
    <message>
        <source>32-bit values divided by %1 to fit 16 bits</source>
        <translation>32 ビットの値を 16 ビットに収めるため %1 で割りました</translation>
    </message>
    <message>
        <source>Values beyond 16 bits signed: stored minus %1, Offset plus as much</source>
        <translation>符号付き 16 ビットを超える値: 格納値から %1 を引き、Offset に同じだけ加えました</translation>
    </message>
    <message>
        <source>RescaleSlope %1 not applied: values are stored value + intercept</source>
        <translation>RescaleSlope %1 は適用していません: 値は格納値 + intercept です</translation>
    </message>
    <message>
        <source>mm spacing from %1</source>
        <translation>mm 間隔は %1 から</translation>
    </message>
    <message>
        <source>WARNING, damaged? The decoder reported: %1</source>
        <translation>警告: 破損の可能性があります。デコーダの報告: %1</translation>
    </message>
    <message>
        <source>The decoder reported a problem with this file (%1). The image is shown, but its pixels may be wrong; measure it only if you accept that.</source>
        <translation>デコーダがこのファイルの問題を報告しました (%1)。画像は表示しますが、画素が正しくない可能性があります。それを承知の場合にのみ測定してください。</translation>
    </message>
    <message>
        <source>The picture size %1 x %2 cannot be shown: width and height must be 0 to 32768 and their product at most 268435456 pixels.</source>
        <translation>画像サイズ %1 x %2 は表示できません: 幅と高さは 0 から 32768、その積は 268435456 画素以下でなければなりません。</translation>
    </message>
    <message>
        <source>its image of %1 x %2 pixels is larger than the 268435456 pixels this program shows</source>
        <translation>画像 %1 x %2 画素は、このプログラムが表示できる 268435456 画素を超えています</translation>
    </message>
    <message>
        <source>The file %1 holds no DICOM image (no Pixel Data element). A raw file needs its size in its name or given (--mode 16bit --size WIDTHxHEIGHT).</source>
        <translation>ファイル %1 には DICOM 画像がありません (Pixel Data 要素がありません)。raw ファイルにはファイル名でのサイズ指定か、サイズの指定 (--mode 16bit --size WIDTHxHEIGHT) が必要です。</translation>
    </message>
    <message>
        <source>The DICOM header has no Columns element, so the image has no size.</source>
        <translation>DICOM ヘッダーに Columns 要素がないため、画像サイズがありません。</translation>
    </message>
    <message>
        <source>The DICOM header has no Rows element, so the image has no size.</source>
        <translation>DICOM ヘッダーに Rows 要素がないため、画像サイズがありません。</translation>
    </message>
    <message>
        <source>The file %1 is decoded (%2): its size, header and byte order come from the file, not from options.</source>
        <translation>ファイル %1 はデコードされます (%2): サイズ、ヘッダー、バイト順はオプションではなくファイルから取ります。</translation>
    </message>
    <message>
        <source>The decoder reported damage in %1 (%2): its pixels may be wrong. Accept damaged files (--accept-damaged) to measure it anyway.</source>
        <translation>デコーダが %1 の破損を報告しました (%2): 画素が正しくない可能性があります。それでも測定するには破損ファイルを受け入れてください (--accept-damaged)。</translation>
    </message>
    <message>
        <source>The mode must be 8bit, 16bit or dicom, not &apos;%1&apos;.</source>
        <translation>モードは 8bit、16bit、dicom のいずれかです (&apos;%1&apos; は使えません)。</translation>
    </message>
    <message>
        <source>The name of %1 gives no matrix size; give --size.</source>
        <translation>%1 の名前からは行列サイズがわかりません。--size を指定してください。</translation>
    </message>
    <message>
        <source>The header length cannot be negative.</source>
        <translation>ヘッダー長は負にできません。</translation>
    </message>
    <message>
        <source>The file %1 holds %2 bytes, but a %3 x %4 matrix from byte %5 needs %6 bytes.</source>
        <translation>ファイル %1 は %2 バイトですが、バイト %5 からの %3 x %4 の行列には %6 バイト必要です。</translation>
    </message>
    <message>
        <source>No images.</source>
        <translation>画像がありません。</translation>
    </message>
    <message>
        <source>No pixel spacing for %1: give one.</source>
        <translation>%1 の画素間隔がありません。指定してください。</translation>
    </message>
    <message>
        <source>The pixel spacing of %1 differs from that of %2; give one spacing for all.</source>
        <translation>%1 の画素間隔が %2 と異なります。すべてに共通の間隔を指定してください。</translation>
    </message>
    <message>
        <source>The ROI reaches outside the image. Move or shrink the ROI so that it lies inside the image.</source>
        <translation>ROI が画像の外にはみ出しています。ROI が画像内に収まるよう移動するか小さくしてください。</translation>
    </message>
    <message>
        <source>the pixel data hold %1 fragment(s) for %2 frame(s)</source>
        <translation>画素データは %2 フレームに対してフラグメントが %1 個しかありません</translation>
    </message>
    <message>
        <source>frame %1 does not start with %2 RLE segments</source>
        <translation>フレーム %1 が %2 個の RLE セグメントで始まっていません</translation>
    </message>
    <message>
        <source>an RLE segment of frame %1 lies outside its fragment</source>
        <translation>フレーム %1 の RLE セグメントがフラグメントの外にあります</translation>
    </message>
    <message>
        <source>an RLE segment of frame %1 ends before its pixels</source>
        <translation>フレーム %1 の RLE セグメントが画素の途中で終わっています</translation>
    </message>
    <message>
        <source>no transfer syntax</source>
        <translation>転送構文なし</translation>
    </message>
    <message>
        <source>transfer syntax %1</source>
        <translation>転送構文 %1</translation>
    </message>
    <message>
        <source>the given spacing</source>
        <translation>指定された画素間隔</translation>
    </message>
    <message>
        <source>the file name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>Pixel Spacing (0028,0030)</source>
        <translation>画素間隔 (0028,0030)</translation>
    </message>
    <message>
        <source>Imager Pixel Spacing (0018,1164)</source>
        <translation>イメージャ画素間隔 (0018,1164)</translation>
    </message>
    <message>
        <source>Detector Element Spacing (0018,7022)</source>
        <translation>検出器素子間隔 (0018,7022)</translation>
    </message>
    <message>
        <source>the fallback spacing</source>
        <translation>代替の画素間隔</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
</context>
</TS>
