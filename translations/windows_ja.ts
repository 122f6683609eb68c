<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>TForm1</name>
    <message>
        <source>Matrix Size x y , </source>
        <translation>マトリクスサイズ x y を入力してください（空白区切り）。</translation>
    </message>
    <message>
        <source>ﾋﾟｸｾﾙ間隔(mm)を入力してください。</source>
        <translation>ﾋﾟｸｾﾙ間隔(mm)を入力してください。</translation>
    </message>
    <message>
        <source>The file holds %1 bytes, but a %2 x %3 matrix from byte %4 needs %5 bytes: the missing pixels are shown as 0.</source>
        <translation>ファイルは %1 バイトですが、バイト %4 から始まる %2 x %3 のマトリクスには %5 バイト必要です。足りない画素は 0 で表示します。</translation>
    </message>
    <message>
        <source>%1 more elements not listed</source>
        <translation>ほか %1 個のエレメントは省略しました</translation>
    </message>
    <message>
        <source>トリミングした画像を保存しました。</source>
        <translation>トリミングした画像を保存しました。</translation>
    </message>
    <message>
        <source>Of the ROI&apos;s %1</source>
        <translation>ROI のうち%1 の値</translation>
    </message>
</context>
<context>
    <name>filter</name>
    <message>
        <source>&quot;ToClipB&quot; divides the %1 view&apos;s values by its maximum, which is %2 here: only a maximum above 0 keeps the values&apos; signs. Nothing was copied.</source>
        <translation>&quot;ToClipB&quot; は %1 ビューの値をその最大値で割りますが、ここでは最大値が %2 です。値の符号が保たれるのは最大値が 0 より大きいときだけです。何もコピーしていません。</translation>
    </message>
    <message>
        <source>The spectrum maximum (%1) is 1, 0 or below: the Power and Convolution views have no scale</source>
        <translation>スペクトルの最大値 (%1) が 1、0 またはそれ以下のため、Power と Convolution のビューのスケールが決まりません</translation>
    </message>
    <message>
        <source>The high cut-off must be above 0 cycles per pixel; it is %1.</source>
        <translation>高域カットオフは 0 cycles/pixel より大きくしてください（現在 %1）。</translation>
    </message>
    <message>
        <source>filter window&apos;s result</source>
        <translation>フィルタ処理の結果</translation>
    </message>
</context>
<context>
    <name>spectrum</name>
    <message>
        <source>The spectrum needs a square ROI of 2, 4, 8, 16, 32, 64, 128, 256, 512 or 1024 pixels per side; the ROI is %1.</source>
        <translation>スペクトルには 1 辺が 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024 画素のいずれかの正方形の ROI が必要です。ROI は %1 です。</translation>
    </message>
    <message>
        <source>%1 wide</source>
        <translation>幅 %1</translation>
    </message>
    <message>
        <source>The pixel spacing must be above 0 mm; it is %1. Enter the spacing in the viewer&apos;s &quot;Pixel&quot; edit.</source>
        <translation>ピクセル間隔は 0 mm より大きくしてください（現在 %1）。ビューアの &quot;Pixel&quot; 欄に間隔を入力してください。</translation>
    </message>
    <message>
        <source>Nothing to save yet: hand a ROI over with &quot;toFilter&quot; in the viewer first.</source>
        <translation>まだ保存するものがありません。先にビューアの &quot;toFilter&quot; で ROI を渡してください。</translation>
    </message>
    <message>
        <source>Nothing to copy yet: hand a ROI over with &quot;toFilter&quot; in the viewer first.</source>
        <translation>まだコピーするものがありません。先にビューアの &quot;toFilter&quot; で ROI を渡してください。</translation>
    </message>
    <message>
        <source>Nothing to save: the %1 does not belong to the ROI handed over last, because the hand-off stopped before it was computed. Press &quot;toFilter&quot; in the viewer again once the ROI can be analysed.</source>
        <translation>保存できません。%1は最後に渡した ROI のものではありません（計算の前に受け渡しが止まりました）。ROI を解析できる状態にしてから、ビューアの &quot;toFilter&quot; をもう一度押してください。</translation>
    </message>
    <message>
        <source>Nothing to copy: the %1 does not belong to the ROI handed over last, because the hand-off stopped before it was computed. Press &quot;toFilter&quot; in the viewer again once the ROI can be analysed.</source>
        <translation>コピーできません。%1は最後に渡した ROI のものではありません（計算の前に受け渡しが止まりました）。ROI を解析できる状態にしてから、ビューアの &quot;toFilter&quot; をもう一度押してください。</translation>
    </message>
    <message>
        <source>Nothing to save: the last run stopped before the %1 was complete. Correct the setting that stopped it and press &quot;%2&quot; again.</source>
        <translation>保存できません。前回の実行は%1ができあがる前に止まりました。止まった原因の設定を直して &quot;%2&quot; をもう一度押してください。</translation>
    </message>
    <message>
        <source>Nothing to copy: the last run stopped before the %1 was complete. Correct the setting that stopped it and press &quot;%2&quot; again.</source>
        <translation>コピーできません。前回の実行は%1ができあがる前に止まりました。止まった原因の設定を直して &quot;%2&quot; をもう一度押してください。</translation>
    </message>
    <message>
        <source>Nothing to save: the %1 was made with other settings than those shown. Press &quot;%2&quot; to compute it with the settings shown.</source>
        <translation>保存できません。%1は表示中とは別の設定で作られています。&quot;%2&quot; を押して表示中の設定で計算してください。</translation>
    </message>
    <message>
        <source>Nothing to copy: the %1 was made with other settings than those shown. Press &quot;%2&quot; to compute it with the settings shown.</source>
        <translation>コピーできません。%1は表示中とは別の設定で作られています。&quot;%2&quot; を押して表示中の設定で計算してください。</translation>
    </message>
    <message>
        <source>Nothing to copy: no profile of the spectrum shown has been drawn yet. Step the angle with the arrows beside it to draw one.</source>
        <translation>コピーできません。表示中のスペクトルのプロファイルはまだ描かれていません。横の矢印で角度を動かして描いてください。</translation>
    </message>
    <message>
        <source>profile</source>
        <translation>プロファイル</translation>
    </message>
    <message>
        <source>The number of histogram bins must lie between 1 and %1.</source>
        <translation>ヒストグラムのビン数は 1 から %1 の範囲で指定してください。</translation>
    </message>
    <message>
        <source>spectrum</source>
        <translation>スペクトル</translation>
    </message>
</context>
<context>
    <name>viewer</name>
    <message>
        <source>The ROI&apos;s values run from %1 to %2, beyond what a signed 16-bit word holds. The file keeps the words as stored; to get these values back, open it in 16bit with Offset %3 and Swap checked (other programs: 16-bit signed raw, plus %3).</source>
        <translation>ROI の値は %1 から %2 までで、符号付き 16 ビットワードの範囲を超えています。ファイルには格納されたままのワードを書き込みます。これらの値に戻すには 16bit、Offset %3、Swap をチェックして開いてください（他のプログラムでは 16 ビット符号付き raw として読み、%3 を加えてください）。</translation>
    </message>
    <message>
        <source>The ROI&apos;s values run from %1 to %2, beyond what a signed 16-bit word holds. The file keeps the words as stored; to get these values back, open it in 16bit with Offset %3 (other programs: 16-bit signed raw, plus %3).</source>
        <translation>ROI の値は %1 から %2 までで、符号付き 16 ビットワードの範囲を超えています。ファイルには格納されたままのワードを書き込みます。これらの値に戻すには 16bit、Offset %3 で開いてください（他のプログラムでは 16 ビット符号付き raw として読み、%3 を加えてください）。</translation>
    </message>
    <message>
        <source>The image size and header offset describe more data than the file holds. Nothing was moved.</source>
        <translation>画像サイズとヘッダオフセットの示すデータがファイルより大きくなっています。何も移動していません。</translation>
    </message>
    <message>
        <source>Only a square view that lies wholly inside the image can be rotated. Zoom in until the view is square, or move it back inside the image. Nothing was moved.</source>
        <translation>回転できるのは、画像の内側に収まる正方形の表示範囲だけです。表示範囲が正方形になるまで拡大するか、画像の内側に戻してください。何も移動していません。</translation>
    </message>
    <message>
        <source>The ROI has no pixels. Give it a size of at least 1 x 1.</source>
        <translation>ROI に画素がありません。1 x 1 以上のサイズを指定してください。</translation>
    </message>
    <message>
        <source>%1 x %2 inside the image</source>
        <translation>画像内の %1 x %2</translation>
    </message>
    <message>
        <source>画像の周波数スペクトル計算</source>
        <translation>画像の周波数スペクトル計算</translation>
    </message>
    <message>
        <source>とフィルタ処理</source>
        <translation>とフィルタ処理</translation>
    </message>
    <message>
        <source>Spatial-frequency spectra and radial filters of medical images</source>
        <translation>医用画像の空間周波数スペクトルとラジアルフィルタ</translation>
    </message>
</context>
</TS>
