<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>nps</name>
    <message>
        <source>The detrending must be none, mean, plane or poly2, not &apos;%1&apos;.</source>
        <translation>トレンド除去は none、mean、plane、poly2 のいずれかにしてください (&apos;%1&apos; は使えません)。</translation>
    </message>
    <message>
        <source>The detrending scope must be roi or area, not &apos;%1&apos;.</source>
        <translation>トレンド除去の範囲は roi または area にしてください (&apos;%1&apos; は使えません)。</translation>
    </message>
    <message>
        <source>The NPS needs at least one image.</source>
        <translation>NPS には画像が 1 枚以上必要です。</translation>
    </message>
    <message>
        <source>The ROI list is empty.</source>
        <translation>ROI リストが空です。</translation>
    </message>
    <message>
        <source>Too many ROIs.</source>
        <translation>ROI が多すぎます。</translation>
    </message>
    <message>
        <source>The bin width %1 /mm is narrower than the frequency step %2 /mm of a %3-pixel ROI: %4 bin(s) above zero hold no sample and are left empty.</source>
        <translation>ビン幅 %1 /mm が %3 画素の ROI の周波数間隔 %2 /mm より狭いため、0 より上の %4 個のビンにはサンプルがなく、空のままです。</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the first image %4 %5 x %6: the ROIs cover the whole first image, which is not the same region of this one. Give an area or a ROI list that lies inside every image to measure images of different sizes together.</source>
        <translation>%1 は %2 x %3 画素ですが、最初の画像 %4 は %5 x %6 画素です: ROI は最初の画像の全体を覆っており、この画像では同じ領域になりません。大きさの異なる画像をまとめて測るには、どの画像にも収まる範囲か ROI リストを指定してください。</translation>
    </message>
    <message>
        <source>Give either an area or a list of ROIs, not both.</source>
        <translation>範囲と ROI リストは、どちらか一方だけを指定してください。</translation>
    </message>
    <message>
        <source>The axis curves&apos; placement must be radial or along, not &apos;%1&apos;.</source>
        <translation>軸方向曲線の配置は radial または along にしてください (&apos;%1&apos; は使えません)。</translation>
    </message>
    <message>
        <source>The pixel spacing must be a positive number of millimetres.</source>
        <translation>画素間隔は正の値 (mm) にしてください。</translation>
    </message>
    <message>
        <source>The bin width must be a positive number of cycles/mm.</source>
        <translation>ビン幅は正の値 (cycles/mm) にしてください。</translation>
    </message>
    <message>
        <source>The bin width %1 /mm leaves fewer than two bins up to the Nyquist frequency %2 /mm; give at most %3 /mm.</source>
        <translation>ビン幅 %1 /mm では、ナイキスト周波数 %2 /mm までのビンが 2 個未満になります。%3 /mm 以下にしてください。</translation>
    </message>
    <message>
        <source>The bin width is too small: it would make more than 100000 bins.</source>
        <translation>ビン幅が小さすぎます: ビンが 100000 個を超えます。</translation>
    </message>
    <message>
        <source>The axis curves need 1 to %1 lines on each side of the axis for a ROI of %2.</source>
        <translation>%2 画素の ROI では、軸方向曲線の行数を軸の片側につき 1 ～ %1 にしてください。</translation>
    </message>
    <message>
        <source>The NPS ROI side must be %1 to %2 pixels; it is %3.</source>
        <translation>NPS の ROI の一辺は %1 ～ %2 画素にしてください (指定は %3)。</translation>
    </message>
    <message>
        <source>The ROI overlap must be 0 or 0.5.</source>
        <translation>ROI の重なりは 0 または 0.5 にしてください。</translation>
    </message>
    <message>
        <source>The area %1 holds no whole ROI of %2 pixels.</source>
        <translation>範囲 %1 には %2 画素の ROI が 1 つも収まりません。</translation>
    </message>
    <message>
        <source>The area %1 would hold more than %2 ROIs.</source>
        <translation>範囲 %1 では ROI が %2 個を超えます。</translation>
    </message>
    <message>
        <source>ROI %1 %2 lies outside the image %3 (%4 x %5).</source>
        <translation>ROI %1 %2 が画像 %3 (%4 x %5) の外にはみ出しています。</translation>
    </message>
    <message>
        <source>The area %1 lies outside the image %2 (%3 x %4).</source>
        <translation>範囲 %1 が画像 %2 (%3 x %4) の外にはみ出しています。</translation>
    </message>
    <message>
        <source>Each ROI of %1</source>
        <translation>%1 の各 ROI</translation>
    </message>
    <message>
        <source>%1: noise power spectrum (NPS) of the image or of the folder list</source>
        <translation>%1: 画像またはフォルダリストのノイズパワースペクトル (NPS)</translation>
    </message>
    <message>
        <source>Load an image in the viewer first.</source>
        <translation>先にビューアで画像を読み込んでください。</translation>
    </message>
    <message>
        <source>The viewer&apos;s folder list is empty.</source>
        <translation>ビューアのフォルダリストが空です。</translation>
    </message>
    <message>
        <source>No image loaded in the viewer</source>
        <translation>ビューアに画像が読み込まれていません</translation>
    </message>
    <message>
        <source>as given</source>
        <translation>(指定値)</translation>
    </message>
    <message>
        <source>from the viewer</source>
        <translation>(ビューアの値)</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>(%1 から)</translation>
    </message>
    <message>
        <source>%1 mm %2 of %3</source>
        <translation>%1 mm %2、%3</translation>
    </message>
    <message>
        <source>%1 mm %2</source>
        <translation>%1 mm %2</translation>
    </message>
    <message>
        <source>%1 gives no Imager Pixel Spacing (0018,1164) or Detector Element Spacing (0018,7022): its Pixel Spacing (0028,0030), %2 mm, is used, which may belong to another plane than the detector&apos;s. Give the detector&apos;s spacing (--pixel) if it does.</source>
        <translation>%1 にはイメージャ画素間隔 (0018,1164) も検出器素子間隔 (0018,7022) もありません: 画素間隔 (0028,0030) の %2 mm を使いますが、これは検出器面とは別の面の値かもしれません。そうであれば検出器の画素間隔を指定してください (--pixel)。</translation>
    </message>
</context>
<context>
    <name>nps::NpsCurves</name>
    <message>
        <source>f %1 /mm   NPS %2 ± %3   NNPS %4   u %5   v %6   (%7 samples)</source>
        <translation>f %1 /mm   NPS %2 ± %3   NNPS %4   u %5   v %6   (%7 サンプル)</translation>
    </message>
</context>
<context>
    <name>nps::NpsWindow</name>
    <message>
        <source>NPS</source>
        <translation>NPS</translation>
    </message>
    <message>
        <source>Loaded file</source>
        <translation>読み込んだファイル</translation>
    </message>
    <message>
        <source>All files of the folder list</source>
        <translation>フォルダリストの全ファイル</translation>
    </message>
    <message>
        <source>whole image</source>
        <translation>画像全体</translation>
    </message>
    <message>
        <source>x,y,w,h of the ROI grid; empty for the whole image</source>
        <translation>ROI 格子の x,y,w,h (空欄なら画像全体)</translation>
    </message>
    <message>
        <source>the grid</source>
        <translation>格子</translation>
    </message>
    <message>
        <source>x,y;x,y;... top-left corners of your own ROIs instead of the grid</source>
        <translation>x,y;x,y;... 格子の代わりに使う任意の ROI の左上隅</translation>
    </message>
    <message>
        <source>Fit the trend over the whole area (radiography) or per ROI (CT)</source>
        <translation>トレンドの当てはめ: area は範囲全体 (一般撮影)、roi は ROI ごと (CT)</translation>
    </message>
    <message>
        <source>Axis curves: each sample at its radial frequency (IEC 62220-1-1) or at its distance along the axis</source>
        <translation>軸方向曲線: radial は各サンプルを動径周波数の位置に (IEC 62220-1-1)、along は軸に沿った距離の位置に置きます</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>実行</translation>
    </message>
    <message>
        <source>Run (Ctrl+R)</source>
        <translation>実行 (Ctrl+R)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Cancel (Esc)</source>
        <translation>キャンセル (Esc)</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>対数</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV 出力</translation>
    </message>
    <message>
        <source>Export CSV (Ctrl+S)</source>
        <translation>CSV 出力 (Ctrl+S)</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>PNG 出力</translation>
    </message>
    <message>
        <source>Export PNG (Ctrl+Shift+S)</source>
        <translation>PNG 出力 (Ctrl+Shift+S)</translation>
    </message>
    <message>
        <source>&amp;Images</source>
        <translation>画像(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;ROI (px)</source>
        <translation>ROI (px)(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Area</source>
        <translation>範囲(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Own ROIs</source>
        <translation>任意の ROI(&amp;O)</translation>
    </message>
    <message>
        <source>O&amp;verlap</source>
        <translation>重なり(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Detrend</source>
        <translation>トレンド除去(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Fit over</source>
        <translation>当てはめ範囲(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Bin (/mm)</source>
        <translation>ビン幅 (/mm)(&amp;B)</translation>
    </message>
    <message>
        <source>A&amp;xis lines</source>
        <translation>軸の行数(&amp;X)</translation>
    </message>
    <message>
        <source>Axis &amp;curves</source>
        <translation>軸方向曲線(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Pixel (mm)</source>
        <translation>画素間隔 (mm)(&amp;P)</translation>
    </message>
    <message>
        <source>All files of the folder list (%1)</source>
        <translation>フォルダリストの全ファイル (%1)</translation>
    </message>
    <message>
        <source>The last result was of other files; it was cleared.</source>
        <translation>前回の結果は別のファイルのものだったため、消去しました。</translation>
    </message>
    <message>
        <source>The area</source>
        <translation>範囲</translation>
    </message>
    <message>
        <source>the ROI list</source>
        <translation>ROI リスト</translation>
    </message>
    <message>
        <source>Reading...</source>
        <translation>読み込み中...</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>キャンセル中...</translation>
    </message>
    <message>
        <source>ROI %1 / %2</source>
        <translation>ROI %1 / %2</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 ほか %2 件</translation>
    </message>
    <message>
        <source>%1 ROIs in %2 image(s) (%3); Parseval error %4</source>
        <translation>ROI %1 個 (画像 %2 枚: %3)、Parseval 誤差 %4</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>キャンセルしました</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗しました</translation>
    </message>
    <message>
        <source>NPS plot</source>
        <translation>NPS プロット</translation>
    </message>
</context>
<context>
    <name>quality</name>
    <message>
        <source>The conversion function needs flat fields at two air kerma values at least, not %1.</source>
        <translation>変換関数には 2 つ以上の空気カーマ値での平坦画像が必要です (指定は %1)。</translation>
    </message>
    <message>
        <source>The air kerma of %1 must be 0 uGy or above.</source>
        <translation>%1 の空気カーマは 0 uGy 以上にしてください。</translation>
    </message>
    <message>
        <source>The mean value of %1 is not a finite number.</source>
        <translation>%1 の平均値が有限の数ではありません。</translation>
    </message>
    <message>
        <source>The flat fields of the conversion function all have the same air kerma; give them at two values at least.</source>
        <translation>変換関数の平坦画像の空気カーマがすべて同じです。2 つ以上の値で指定してください。</translation>
    </message>
    <message>
        <source>The pixel values of the flat fields do not change with the air kerma: no conversion function can be fitted.</source>
        <translation>平坦画像の画素値が空気カーマとともに変化しません: 変換関数を当てはめられません。</translation>
    </message>
    <message>
        <source>The beam quality must be RQA3, RQA5, RQA7 or RQA9, not &apos;%1&apos;.</source>
        <translation>線質は RQA3、RQA5、RQA7、RQA9 のいずれかにしてください (&apos;%1&apos; は使えません)。</translation>
    </message>
    <message>
        <source>The air kerma of the flat fields must be above 0 uGy.</source>
        <translation>平坦画像の空気カーマは 0 uGy より大きくしてください。</translation>
    </message>
    <message>
        <source>The photon fluence per air kerma must be above 0.</source>
        <translation>空気カーマあたりの光子フルエンスは 0 より大きくしてください。</translation>
    </message>
    <message>
        <source>The NPS has %1 values for %2 frequencies.</source>
        <translation>NPS の値が %1 個ありますが、周波数は %2 個です。</translation>
    </message>
    <message>
        <source>%1 takes an image of a %2 edge; %3 holds a %4 one.</source>
        <translation>%1 には%2エッジの画像を指定してください。%3 は%4エッジの画像です。</translation>
    </message>
    <message>
        <source>%1 has a pixel spacing of %2 mm, the flat fields %3 mm.</source>
        <translation>%1 の画素間隔は %2 mm ですが、平坦画像は %3 mm です。</translation>
    </message>
    <message>
        <source>The DQE needs at least one flat field.</source>
        <translation>DQE には平坦画像が 1 枚以上必要です。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 needs a width and a height of 1 or more, not %2 x %3.</source>
        <translation>%1 の幅と高さは 1 以上にしてください (%2 x %3 は使えません)。</translation>
    </message>
    <message>
        <source>%1 has no pixel spacing in its name or header; give it as --pixel.</source>
        <translation>%1 のファイル名にもヘッダにも画素間隔がありません。--pixel で指定してください。</translation>
    </message>
    <message>
        <source>%1 (%2 is %3 x %4)</source>
        <translation>%1 (%2 は %3 x %4)</translation>
    </message>
    <message>
        <source>The ROI holds no edge: all its pixels have the same value. Place the ROI across the edge.</source>
        <translation>ROI にエッジがありません: すべての画素が同じ値です。ROI をエッジにまたがるように置いてください。</translation>
    </message>
    <message>
        <source>The ROI holds no edge: both of its sides have the same mean value. Place the ROI across the edge.</source>
        <translation>ROI にエッジがありません: 両側の平均値が同じです。ROI をエッジにまたがるように置いてください。</translation>
    </message>
    <message>
        <source>No edge was found in most lines of the ROI. Place the ROI across one straight edge, with both sides of it inside.</source>
        <translation>ROI のほとんどの行でエッジが見つかりません。1 本の直線エッジにまたがり、その両側が収まるように ROI を置いてください。</translation>
    </message>
    <message>
        <source>The edge&apos;s angle, %1 degrees (slope %2), is close to a slope of 1/%3</source>
        <translation>エッジの角度 %1 度 (傾き %2) は傾き 1/%3 に近い値です</translation>
    </message>
    <message>
        <source>The edge&apos;s angle, %1 degrees (slope %2)</source>
        <translation>エッジの角度 %1 度 (傾き %2)</translation>
    </message>
    <message>
        <source>The pixel spacing must be above 0 mm; give it with the image or as --pixel.</source>
        <translation>画素間隔は 0 mm より大きくしてください。画像で与えるか --pixel で指定してください。</translation>
    </message>
    <message>
        <source>The ESF bin width must be above 0 and at most half a pixel, not %1.</source>
        <translation>ESF のビン幅は 0 より大きく 0.5 画素以下にしてください (%1 は使えません)。</translation>
    </message>
    <message>
        <source>The edge ROI is %1 x %2 pixels; it needs at least %3 x %3.</source>
        <translation>エッジ ROI は %1 x %2 画素です。%3 x %3 画素以上必要です。</translation>
    </message>
    <message>
        <source>The edge ROI&apos;s pixels are fewer than its size says.</source>
        <translation>エッジ ROI の画素数がその大きさより少なくなっています。</translation>
    </message>
    <message>
        <source>The edge ROI holds a value that is not a finite number.</source>
        <translation>エッジ ROI に有限の数でない値があります。</translation>
    </message>
    <message>
        <source>%1: ESF bins of %2 pixels are left empty. Tilt the edge by another angle (2 to 5 degrees) or use more lines.</source>
        <translation>%1: %2 画素の ESF ビンに空きが出ます。エッジを別の角度 (2 ～ 5 度) に傾けるか、行数を増やしてください。</translation>
    </message>
    <message>
        <source>%1: the pixel centres fall on positions %2 pixels apart along the edge normal, which leaves ESF bins of %3 pixels empty. Tilt the edge by another angle (2 to 5 degrees) or use more lines.</source>
        <translation>%1: エッジの法線方向で画素中心の位置が %2 画素離れるため、%3 画素の ESF ビンに空きが出ます。エッジを別の角度 (2 ～ 5 度) に傾けるか、行数を増やしてください。</translation>
    </message>
    <message>
        <source>%1: the pixel centres fall on positions up to %2 pixels apart along the edge normal, so ESF bins of %3 pixels are filled unevenly and the MTF near the Nyquist frequency is less certain.</source>
        <translation>%1: エッジの法線方向で画素中心の位置が最大 %2 画素離れるため、%3 画素の ESF ビンの埋まり方が不均一になり、ナイキスト周波数付近の MTF の確かさが下がります。</translation>
    </message>
    <message>
        <source>vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>The edge in the ROI is not straight: its positions lie %1 pixels (RMS) from the best line. Place the ROI across one straight edge that runs through it from side to side.</source>
        <translation>ROI 内のエッジが直線ではありません: エッジの位置は最適な直線から %1 画素 (RMS) 離れています。ROI の端から端まで通る 1 本の直線エッジにまたがるように ROI を置いてください。</translation>
    </message>
    <message>
        <source>The edge is tilted %1 degrees to the pixel grid; the slanted-edge MTF needs 1 to 45 degrees (2 to 3 are usual). Tilt the edge and take the image again.</source>
        <translation>エッジは画素格子に対して %1 度傾いています。エッジ法の MTF には 1 ～ 45 度 (通常は 2 ～ 3 度) の傾きが必要です。エッジを傾けて撮影し直してください。</translation>
    </message>
    <message>
        <source>The edge runs too close to the ROI&apos;s side: fewer than %1 pixels lie on one side of it in some line. Centre the ROI on the edge, or make it shorter along the edge.</source>
        <translation>エッジが ROI の端に近すぎます: エッジの片側が %1 画素未満の行があります。ROI をエッジの中央に置くか、エッジに沿った方向に短くしてください。</translation>
    </message>
    <message>
        <source>The ROI holds no clear edge: the difference between its two sides (%1) is not above 3 times the noise (%2). Place the ROI across the edge.</source>
        <translation>ROI に明瞭なエッジがありません: 両側の差 (%1) がノイズ (%2) の 3 倍を超えていません。ROI をエッジにまたがるように置いてください。</translation>
    </message>
    <message>
        <source>%1: MTF of an edge image and DQE</source>
        <translation>%1: エッジ画像の MTF と DQE</translation>
    </message>
    <message>
        <source>Load an edge image in the viewer or choose one with &quot;...&quot;.</source>
        <translation>ビューアでエッジ画像を読み込むか、&quot;...&quot; で選んでください。</translation>
    </message>
    <message>
        <source>Give the flat fields at the air kerma K, separated by &apos;;&apos;.</source>
        <translation>空気カーマ K での平坦画像を &apos;;&apos; で区切って指定してください。</translation>
    </message>
    <message>
        <source>Give the image of the %1 edge.</source>
        <translation>%1エッジの画像を指定してください。</translation>
    </message>
    <message>
        <source>A conversion flat field is K=file (air kerma in uGy, then the file), not &apos;%1&apos;.</source>
        <translation>変換関数の平坦画像は K=file (uGy 単位の空気カーマ、続いてファイル) の形で指定してください (&apos;%1&apos; は使えません)。</translation>
    </message>
    <message>
        <source>The plateaus of the ESF are not flat: over the %1 pixels of the ESF they change by %2 % and %3 % of the contrast (a heel effect or a background trend). The trend was removed; check the flat-field correction and the edge&apos;s placement.</source>
        <translation>ESF の平坦部が平らではありません: ESF の %1 画素の範囲でコントラストの %2 % と %3 % 変化しています (ヒール効果または背景の傾き)。傾きは除去しました。フラットフィールド補正とエッジの置き方を確かめてください。</translation>
    </message>
    <message>
        <source>Edge image %1 holds a %2 edge, the first one a %3 edge: the ESFs of one MTF come from edges of one direction.</source>
        <translation>エッジ画像 %1 は%2エッジで、最初の画像は%3エッジです: 一つの MTF の ESF は同じ向きのエッジから取ります。</translation>
    </message>
    <message>
        <source>The edge is tilted %1 degrees; IEC 62220-1-1 places it at %2 to %3 degrees to the pixel grid.</source>
        <translation>エッジの傾きは %1 度です。IEC 62220-1-1 では画素格子に対して %2 ～ %3 度に置きます。</translation>
    </message>
    <message>
        <source>The MTF needs at least one edge image.</source>
        <translation>MTF には少なくとも 1 枚のエッジ画像が必要です。</translation>
    </message>
    <message>
        <source>Too few lines along the edge to split them into 4 groups that each fill every ESF bin: the MTF has no uncertainty. Use a longer edge ROI.</source>
        <translation>エッジに沿ったラインが少なく、どの ESF ビンも埋まる 4 つのグループに分けられません: MTF の不確かさは求められません。エッジ ROI を長くしてください。</translation>
    </message>
    <message>
        <source>The DQE needs the detector&apos;s conversion function: give flat fields at several air kerma values (--conversion K=FILE), or state that the raw values are proportional to air kerma (--proportional). A detector with an offset reports a DQE that is too high without it.</source>
        <translation>DQE には検出器の変換関数が必要です: 複数の空気カーマで撮ったフラット画像を指定するか (--conversion K=ファイル)、生の値が空気カーマに比例すると明示してください (--proportional)。オフセットのある検出器では、変換関数なしでは DQE が高すぎる値になります。</translation>
    </message>
    <message>
        <source>The conversion function&apos;s largest residual is %1 % of the signal at %2 uGy (flat %3; R² %4, limit %5 %): check that flat field&apos;s air kerma or the file.</source>
        <translation>変換関数の最大残差は %2 uGy で信号の %1 % です (フラット画像 %3、R² %4、限度 %5 %): そのフラット画像の空気カーマかファイルを確かめてください。</translation>
    </message>
    <message>
        <source>%1 is required: the DQE needs an edge image of each direction.</source>
        <translation>%1 が必要です: DQE には各方向のエッジ画像が必要です。</translation>
    </message>
    <message>
        <source>The air kerma of %1 is not given: give --kerma K, or the flat field as K=FILE.</source>
        <translation>%1 の空気カーマが指定されていません: --kerma K を指定するか、フラット画像を K=ファイル の形で指定してください。</translation>
    </message>
    <message>
        <source>No conversion flat fields: the response is taken as proportional to air kerma (no offset), as stated.</source>
        <translation>変換関数のフラット画像がありません: 指定どおり、応答は空気カーマに比例する (オフセットなし) ものとします。</translation>
    </message>
    <message>
        <source>The NPS at %1 uGy covers %2 pixels of flat field; IEC 62220-1-1 asks for at least 4 million. Add flat fields or measure a larger area.</source>
        <translation>%1 uGy の NPS はフラット画像の %2 画素を使っています。IEC 62220-1-1 では 400 万画素以上が必要です。フラット画像を増やすか、より広い領域を測ってください。</translation>
    </message>
    <message>
        <source>The edge ROI</source>
        <translation>エッジ ROI</translation>
    </message>
    <message>
        <source>The vertical edge&apos;s ROI</source>
        <translation>垂直エッジの ROI</translation>
    </message>
    <message>
        <source>The horizontal edge&apos;s ROI</source>
        <translation>水平エッジの ROI</translation>
    </message>
</context>
<context>
    <name>quality::QualityWindow</name>
    <message>
        <source>MTF and DQE</source>
        <translation>MTF と DQE</translation>
    </message>
    <message>
        <source>Choose the edge image</source>
        <translation>エッジ画像を選ぶ</translation>
    </message>
    <message>
        <source>x,y,w,h: top-left pixel, width and height of the ROI around the edge (the viewer&apos;s ROI until you type your own)</source>
        <translation>x,y,w,h: エッジを囲む ROI の左上の画素、幅、高さ (自分で入力するまではビューアの ROI)</translation>
    </message>
    <message>
        <source>ESF bin width as a fraction of a pixel (at most 0.5)</source>
        <translation>画素単位の ESF ビン幅 (0.5 以下)</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV 出力</translation>
    </message>
    <message>
        <source>Export JSON</source>
        <translation>JSON 出力</translation>
    </message>
    <message>
        <source>Edge &amp;image</source>
        <translation>エッジ画像(&amp;I)</translation>
    </message>
    <message>
        <source>Edge &amp;ROI (x,y,w,h)</source>
        <translation>エッジ ROI (x,y,w,h)(&amp;R)</translation>
    </message>
    <message>
        <source>ESF &amp;bin (px)</source>
        <translation>ESF ビン幅 (px)(&amp;B)</translation>
    </message>
    <message>
        <source>file; file; ...</source>
        <translation>ファイル; ファイル; ...</translation>
    </message>
    <message>
        <source>Image of a vertical edge: the MTF along u</source>
        <translation>垂直エッジの画像: u 方向の MTF</translation>
    </message>
    <message>
        <source>whole image</source>
        <translation>画像全体</translation>
    </message>
    <message>
        <source>Image of a horizontal edge: the MTF along v</source>
        <translation>水平エッジの画像: v 方向の MTF</translation>
    </message>
    <message>
        <source>&amp;Flat fields</source>
        <translation>平坦画像(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;K (uGy)</source>
        <translation>K (uGy)(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Quality</source>
        <translation>線質(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Conversion (K=file; ...)</source>
        <translation>変換関数 (K=file; ...)(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Vertical edge (u)</source>
        <translation>垂直エッジ (u)(&amp;V)</translation>
    </message>
    <message>
        <source>its R&amp;OI</source>
        <translation>その ROI(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Horizontal edge (v)</source>
        <translation>水平エッジ (v)(&amp;H)</translation>
    </message>
    <message>
        <source>its RO&amp;I</source>
        <translation>その ROI(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;NPS ROI (px)</source>
        <translation>NPS ROI (px)(&amp;N)</translation>
    </message>
    <message>
        <source>Ove&amp;rlap</source>
        <translation>重なり(&amp;R)</translation>
    </message>
    <message>
        <source>NPS &amp;bin (/mm)</source>
        <translation>NPS ビン幅 (/mm)(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;ESF bin (px)</source>
        <translation>ESF ビン幅 (px)(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;MTF</source>
        <translation>&amp;MTF</translation>
    </message>
    <message>
        <source>&amp;DQE</source>
        <translation>&amp;DQE</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>実行</translation>
    </message>
    <message>
        <source>Measure what the tab shows (Ctrl+R)</source>
        <translation>表示中のタブの測定を実行 (Ctrl+R)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Cancel (Esc)</source>
        <translation>キャンセル (Esc)</translation>
    </message>
    <message>
        <source>&amp;Pixel (mm)</source>
        <translation>画素間隔 (mm)(&amp;P)</translation>
    </message>
    <message>
        <source>not reached</source>
        <translation>到達せず</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>; </source>
        <translation> / </translation>
    </message>
    <message>
        <source>Reading the edge image...</source>
        <translation>エッジ画像を読み込み中...</translation>
    </message>
    <message>
        <source>Reading the conversion and flat fields...</source>
        <translation>変換関数と平坦画像を読み込み中...</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>キャンセル中...</translation>
    </message>
    <message>
        <source>Read %1 of %2 file(s), measuring...</source>
        <translation>%2 ファイル中 %1 ファイルを読み込み、測定中...</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>キャンセルしました</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗しました</translation>
    </message>
    <message>
        <source>MTF of %1</source>
        <translation>%1 の MTF</translation>
    </message>
    <message>
        <source>DQE at %1 uGy, %2, from %3 ROIs in %4 flat field(s)</source>
        <translation>DQE (%1 uGy、%2): 平坦画像 %4 枚の ROI %3 個から</translation>
    </message>
    <message>
        <source>distance from the edge (px)</source>
        <translation>エッジからの距離 (px)</translation>
    </message>
    <message>
        <source>value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>value / bin</source>
        <translation>値 / ビン</translation>
    </message>
    <message>
        <source>MTF (%1 edge)</source>
        <translation>MTF (%1エッジ)</translation>
    </message>
    <message>
        <source>Edge: %1, tilted %2°
ROI: %3,%4,%5,%6
Contrast: %7 (levels %8 and %9)
Noise: %10
MTF50: %11 cycles/mm
MTF10: %12 cycles/mm
Warnings: %13</source>
        <translation>エッジ: %1、傾き %2°
ROI: %3,%4,%5,%6
コントラスト: %7 (レベル %8 と %9)
ノイズ: %10
MTF50: %11 cycles/mm
MTF10: %12 cycles/mm
警告: %13</translation>
    </message>
    <message>
        <source>Conversion: value = %1 + %2 K%3.   MTF50 u %4, v %5 cycles/mm.   q = %6 /(mm² uGy).   Notes: %7</source>
        <translation>変換関数: 値 = %1 + %2 K%3。   MTF50 u %4、v %5 cycles/mm。   q = %6 /(mm² uGy)。   注記: %7</translation>
    </message>
    <message>
        <source> (RMS residual %1, R² %2)</source>
        <translation> (RMS 残差 %1、R² %2)</translation>
    </message>
    <message>
        <source> (assumed)</source>
        <translation> (仮定)</translation>
    </message>
    <message>
        <source>The flat fields at the air kerma K, separated by &apos;;&apos;; K=file for a flat field at another air kerma (one DQE per air kerma)</source>
        <translation>空気カーマ K のフラット画像 (&apos;;&apos; 区切り)。別の空気カーマのフラット画像は K=ファイル (空気カーマごとに DQE を求めます)</translation>
    </message>
    <message>
        <source>K=file; K=file; ...</source>
        <translation>K=ファイル; K=ファイル; ...</translation>
    </message>
    <message>
        <source>K=file; K=file; ...: the conversion function&apos;s flat fields with their air kerma in uGy</source>
        <translation>K=ファイル; K=ファイル; ...: 変換関数のフラット画像とその空気カーマ (uGy)</translation>
    </message>
    <message>
        <source>Values &amp;proportional to K</source>
        <translation>値は K に比例(&amp;P)</translation>
    </message>
    <message>
        <source>Without conversion flat fields: state that the raw values are proportional to the air kerma (no offset)</source>
        <translation>変換関数のフラット画像がないとき: 生の値が空気カーマに比例する (オフセットなし) と明示します</translation>
    </message>
    <message>
        <source>file</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Pixel spacing in mm; empty to take the detector&apos;s from the file name or header (else the viewer&apos;s)</source>
        <translation>画素間隔 (mm)。空欄ならファイル名かヘッダーの検出器の値 (なければビューアの値) を使います</translation>
    </message>
    <message>
        <source>DQE(%1/mm): u %2 ± %3, v %4 ± %5, mean %6 ± %7.   </source>
        <translation>DQE(%1/mm): u %2 ± %3、v %4 ± %5、平均 %6 ± %7。   </translation>
    </message>
    <message>
        <source>MTF50 standard error: %1 cycles/mm (%2 groups of lines)
Pixel spacing: %3</source>
        <translation>MTF50 の標準誤差: %1 cycles/mm (ライン %2 グループ)
画素間隔: %3</translation>
    </message>
    <message>
        <source>Pixel spacing: %1</source>
        <translation>画素間隔: %1</translation>
    </message>
</context>
</TS>
