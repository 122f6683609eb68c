<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>cli</name>
    <message>
        <source>Run with --help for more information.</source>
        <translation>詳しくは --help を付けて実行してください。</translation>
    </message>
    <message>
        <source>Spectrum and noise power spectrum of medical images, without a window.</source>
        <translation>医用画像のスペクトルとノイズパワースペクトルを、ウィンドウを開かずに求めます。</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Subcommands</source>
        <translation>サブコマンド</translation>
    </message>
    <message>
        <source>Print this help message and exit</source>
        <translation>このヘルプを表示して終了する</translation>
    </message>
    <message>
        <source>Print this help with every subcommand&apos;s options and exit</source>
        <translation>すべてのサブコマンドのオプションを含むヘルプを表示して終了する</translation>
    </message>
    <message>
        <source>Worker threads (0: one per hardware thread)</source>
        <translation>ワーカースレッド数 (0: ハードウェアスレッドごとに 1 つ)</translation>
    </message>
    <message>
        <source>No progress bar on standard error</source>
        <translation>標準エラーに進捗バーを表示しない</translation>
    </message>
    <message>
        <source>Language of the messages and this help: ja or en (default: from LC_ALL, LC_MESSAGES or LANG)</source>
        <translation>メッセージとこのヘルプの言語: ja または en (既定: LC_ALL、LC_MESSAGES、LANG から決定)</translation>
    </message>
    <message>
        <source>The version, then exit</source>
        <translation>バージョンを表示して終了する</translation>
    </message>
    <message>
        <source>--threads must be 0 to %1.</source>
        <translation>--threads は 0 から %1 の範囲で指定してください。</translation>
    </message>
    <message>
        <source>Unexpected failure.</source>
        <translation>予期しないエラーが発生しました。</translation>
    </message>
    <message>
        <source>%1 must be above 0, not %2.</source>
        <translation>%1 には 0 より大きい値を指定してください (%2 は指定できません)。</translation>
    </message>
    <message>
        <source>--mode: %1</source>
        <translation>--mode: %1</translation>
    </message>
    <message>
        <source>--size needs WIDTHxHEIGHT, not &apos;%1&apos;.</source>
        <translation>--size は WIDTHxHEIGHT の形式で指定してください (&apos;%1&apos; は指定できません)。</translation>
    </message>
    <message>
        <source>File mode as in the viewer: 8bit, 16bit or dicom</source>
        <translation>ビューアと同じファイルモード: 8bit、16bit または dicom</translation>
    </message>
    <message>
        <source>Matrix size WIDTHxHEIGHT (else from the file name or DICOM header)</source>
        <translation>マトリクスサイズ WIDTHxHEIGHT (省略時はファイル名または DICOM ヘッダから)</translation>
    </message>
    <message>
        <source>Bytes before the first pixel</source>
        <translation>先頭画素の前にあるバイト数</translation>
    </message>
    <message>
        <source>Value added to every pixel</source>
        <translation>すべての画素に加える値</translation>
    </message>
    <message>
        <source>Pixel spacing in mm (else from the file name or DICOM header)</source>
        <translation>画素間隔 (mm) (省略時はファイル名または DICOM ヘッダから)</translation>
    </message>
    <message>
        <source>Read 16-bit pixels big-endian</source>
        <translation>16 ビット画素をビッグエンディアンで読む</translation>
    </message>
    <message>
        <source>Read 16-bit pixels little-endian even if the header says otherwise</source>
        <translation>ヘッダの指定にかかわらず 16 ビット画素をリトルエンディアンで読む</translation>
    </message>
    <message>
        <source>Measure a file the decoder read with a warning (its pixels may be wrong)</source>
        <translation>デコーダが警告付きで読み込んだファイルも測定する (画素値が誤っている可能性があります)</translation>
    </message>
    <message>
        <source>warning: %1: the decoder reported: %2</source>
        <translation>警告: %1: デコーダの報告: %2</translation>
    </message>
    <message>
        <source>Replace outputs that are read-only</source>
        <translation>読み取り専用の出力ファイルも置き換える</translation>
    </message>
    <message>
        <source>%1: the file is read-only (--force replaces it)</source>
        <translation>%1: 読み取り専用のファイルです (--force を付けると置き換えます)</translation>
    </message>
    <message>
        <source>%1 (--force replaces it)</source>
        <translation>%1 (--force を付けると置き換えます)</translation>
    </message>
    <message>
        <source>wrote %1, %2, %3</source>
        <translation>%1、%2、%3 を書き出しました</translation>
    </message>
    <message>
        <source>--out needs a file prefix or a folder.</source>
        <translation>--out にはファイルの接頭辞かフォルダを指定してください。</translation>
    </message>
    <message>
        <source>%1: the folder %2 does not exist</source>
        <translation>%1: フォルダ %2 がありません</translation>
    </message>
    <message>
        <source>%1 does not take &apos;%2&apos;: %3</source>
        <translation>%1 に &apos;%2&apos; は指定できません: %3</translation>
    </message>
    <message>
        <source>--flat is required: the flat fields at the air kerma --kerma.</source>
        <translation>--flat は必須です: 空気カーマ --kerma で撮影したフラットフィールド画像を指定してください。</translation>
    </message>
    <message>
        <source>%1 is required.</source>
        <translation>%1 は必須です。</translation>
    </message>
    <message>
        <source>--conversion needs K=FILE (air kerma in uGy, then the flat field), not &apos;%1&apos;.</source>
        <translation>--conversion は K=FILE (uGy 単位の空気カーマとフラットフィールド画像) の形式で指定してください (&apos;%1&apos; は指定できません)。</translation>
    </message>
    <message>
        <source>--esf-bin must be at most 0.5 (a fraction of a pixel), not %1.</source>
        <translation>--esf-bin は 0.5 以下 (画素の何分の一か) で指定してください (%1 は指定できません)。</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>警告: %1</translation>
    </message>
    <message>
        <source>DQE at %1 uGy, %2, from %3 ROIs in %4 flat field(s): conversion offset %5, gain %6 per uGy; MTF50 u %7, v %8 cycles/mm</source>
        <translation>%1 uGy、%2 での DQE (フラットフィールド画像 %4 枚の ROI %3 個から): 変換オフセット %5、ゲイン %6 /uGy、MTF50 u %7、v %8 cycles/mm</translation>
    </message>
    <message>
        <source>DQE along u and v from flat fields and two edge images (CSV, PNG plot, JSON summary)</source>
        <translation>フラットフィールド画像と 2 枚のエッジ画像から u、v 方向の DQE を求める (CSV、PNG グラフ、JSON 要約)</translation>
    </message>
    <message>
        <source>Edge ROI x,y,w,h in --edge-h (default: the whole image)</source>
        <translation>--edge-h 内のエッジ ROI x,y,w,h (既定: 画像全体)</translation>
    </message>
    <message>
        <source>Edge ROI x,y,w,h in --edge-v (default: the whole image)</source>
        <translation>--edge-v 内のエッジ ROI x,y,w,h (既定: 画像全体)</translation>
    </message>
    <message>
        <source>Beam quality: RQA3, RQA5, RQA7 or RQA9</source>
        <translation>線質: RQA3、RQA5、RQA7 または RQA9</translation>
    </message>
    <message>
        <source>NPS ROI side in pixels</source>
        <translation>NPS の ROI の一辺 (画素)</translation>
    </message>
    <message>
        <source>NPS grid area x,y,w,h (default: the whole first flat field)</source>
        <translation>NPS のグリッド領域 x,y,w,h (既定: 最初のフラットフィールド画像全体)</translation>
    </message>
    <message>
        <source>NPS grid overlap, 0 or 0.5</source>
        <translation>NPS のグリッドの重なり、0 または 0.5</translation>
    </message>
    <message>
        <source>NPS bin width in cycles/mm</source>
        <translation>NPS のビン幅 (cycles/mm)</translation>
    </message>
    <message>
        <source>ESF bin width as a fraction of a pixel</source>
        <translation>ESF のビン幅 (画素に対する比)</translation>
    </message>
    <message>
        <source>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (dqe.csv, ...)</source>
        <translation>出力の接頭辞 PREFIX (PREFIX.csv、.png、.json) またはフォルダ (dqe.csv、...)</translation>
    </message>
    <message>
        <source>Exit codes: 0 done, 1 unexpected failure, 2 usage, 3 input unreadable, 4 input unusable,
            5 output unwritable, 6 arithmetic refused.</source>
        <translation>終了コード: 0 完了、1 予期しないエラー、2 使い方の誤り、3 入力を読めない、4 入力を使えない、
            5 出力を書けない、6 演算の拒否。</translation>
    </message>
    <message>
        <source>The filter must be LCF, HCF, BPF or No, not &apos;%1&apos;.</source>
        <translation>フィルタには LCF、HCF、BPF または No を指定してください (&apos;%1&apos; は指定できません)。</translation>
    </message>
    <message>
        <source>A square ROI filtered as the filter window does, saved as &quot;SaveFltrd&quot; saves it</source>
        <translation>正方形の ROI をフィルタウィンドウと同じようにフィルタ処理し、&quot;SaveFltrd&quot; と同じ形式で保存する</translation>
    </message>
    <message>
        <source>Image file</source>
        <translation>画像ファイル</translation>
    </message>
    <message>
        <source>x,y,n: top-left pixel and side (a power of two up to 1024)</source>
        <translation>x,y,n: 左上の画素と一辺 (1024 以下の 2 のべき乗)</translation>
    </message>
    <message>
        <source>LCF, HCF, BPF or No</source>
        <translation>LCF、HCF、BPF または No</translation>
    </message>
    <message>
        <source>Cut-off in cycles/pixel (the high cut of a band pass)</source>
        <translation>カットオフ (cycles/pixel) (バンドパスでは高域側のカットオフ)</translation>
    </message>
    <message>
        <source>Filter power</source>
        <translation>フィルタの次数</translation>
    </message>
    <message>
        <source>Band pass: low cut-off (default --cof - 0.05, as the BPF button sets it)</source>
        <translation>バンドパス: 低域側のカットオフ (既定: BPF ボタンと同じく --cof - 0.05)</translation>
    </message>
    <message>
        <source>Band pass: low-cut power (default --power)</source>
        <translation>バンドパス: 低域側の次数 (既定: --power)</translation>
    </message>
    <message>
        <source>As the window&apos;s COF box</source>
        <translation>ウィンドウの COF チェックボックスと同じ</translation>
    </message>
    <message>
        <source>Noise-floor divisor, as the window&apos;s SSIR box and edit</source>
        <translation>ノイズフロアの除数 (ウィンドウの SSIR チェックボックスと入力欄と同じ)</translation>
    </message>
    <message>
        <source>Output file (raw binary32, n x n)</source>
        <translation>出力ファイル (raw binary32、n x n)</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>使い方</translation>
    </message>
    <message>
        <source>OPTIONS</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>SUBCOMMAND</source>
        <translation>サブコマンド</translation>
    </message>
    <message>
        <source>SUBCOMMANDS</source>
        <translation>サブコマンド</translation>
    </message>
    <message>
        <source>REQUIRED</source>
        <translation>必須</translation>
    </message>
    <message>
        <source>Positionals</source>
        <translation>引数</translation>
    </message>
    <message>
        <source>--bin must be at most 0.5 (a fraction of a pixel), not %1.</source>
        <translation>--bin は 0.5 以下 (画素の何分の一か) で指定してください (%1 は指定できません)。</translation>
    </message>
    <message>
        <source>%1 cycles/mm</source>
        <translation>%1 cycles/mm</translation>
    </message>
    <message>
        <source>not reached</source>
        <translation>到達せず</translation>
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
        <source>MTF of the %1 edge tilted %2 degrees: MTF50 %3, MTF10 %4, contrast %5, noise %6</source>
        <translation>%2 度傾いた%1エッジの MTF: MTF50 %3、MTF10 %4、コントラスト %5、ノイズ %6</translation>
    </message>
    <message>
        <source>Presampling MTF of an edge image by the slanted edge (CSV, PNG plot, JSON summary)</source>
        <translation>エッジ画像からスラントエッジ法でプリサンプリング MTF を求める (CSV、PNG グラフ、JSON 要約)</translation>
    </message>
    <message>
        <source>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (mtf.csv, ...)</source>
        <translation>出力の接頭辞 PREFIX (PREFIX.csv、.png、.json) またはフォルダ (mtf.csv、...)</translation>
    </message>
    <message>
        <source>--roi is required: the ROI side in pixels, 16 to 1024.</source>
        <translation>--roi は必須です: ROI の一辺を画素数 (16 から 1024) で指定してください。</translation>
    </message>
    <message>
        <source>NPS of %1 ROIs in %2 image(s): mean %3, mean square after detrending %4, ROI variance %5, Parseval relative error %6</source>
        <translation>画像 %2 枚の ROI %1 個の NPS: 平均 %3、トレンド除去後の二乗平均 %4、ROI の分散 %5、パーセバルの相対誤差 %6</translation>
    </message>
    <message>
        <source>Noise power spectrum of one or more images (CSV, PNG plot, JSON summary)</source>
        <translation>1 枚以上の画像のノイズパワースペクトル (CSV、PNG グラフ、JSON 要約)</translation>
    </message>
    <message>
        <source>Image files (raw by the file-name convention, or DICOM)</source>
        <translation>画像ファイル (ファイル名の規約に従う raw、または DICOM)</translation>
    </message>
    <message>
        <source>ROI side in pixels, 16 to 1024 (required)</source>
        <translation>ROI の一辺 (画素)、16 から 1024 (必須)</translation>
    </message>
    <message>
        <source>Grid area x,y,w,h (default: the whole first image)</source>
        <translation>グリッド領域 x,y,w,h (既定: 最初の画像全体)</translation>
    </message>
    <message>
        <source>Own ROI list instead of a grid: x,y;x,y;... (top-left corners)</source>
        <translation>グリッドの代わりに使う ROI の一覧: x,y;x,y;... (左上の角)</translation>
    </message>
    <message>
        <source>Grid overlap, 0 or 0.5</source>
        <translation>グリッドの重なり、0 または 0.5</translation>
    </message>
    <message>
        <source>none, mean, plane or poly2</source>
        <translation>none、mean、plane または poly2</translation>
    </message>
    <message>
        <source>Fit the trend per ROI (roi) or over the area (area); default area for a grid, roi for --rois</source>
        <translation>トレンドを ROI ごと (roi) または領域全体 (area) で当てはめる。既定はグリッドでは area、--rois では roi</translation>
    </message>
    <message>
        <source>Radial bin width in cycles/mm</source>
        <translation>動径方向のビン幅 (cycles/mm)</translation>
    </message>
    <message>
        <source>Lines each side of an axis for the axis curves</source>
        <translation>軸上の曲線に使う、軸の両側それぞれのライン数</translation>
    </message>
    <message>
        <source>Axis curves&apos; samples at their radial frequency (radial, IEC 62220-1-1) or along the axis (along)</source>
        <translation>軸上の曲線の標本を動径周波数に置く (radial、IEC 62220-1-1) か軸に沿って置く (along)</translation>
    </message>
    <message>
        <source>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (nps.csv, ...)</source>
        <translation>出力の接頭辞 PREFIX (PREFIX.csv、.png、.json) またはフォルダ (nps.csv、...)</translation>
    </message>
    <message>
        <source>Logarithmic NPS axis in the plot</source>
        <translation>グラフの NPS 軸を対数目盛にする</translation>
    </message>
    <message>
        <source>A subcommand is required</source>
        <translation>サブコマンドが必要です</translation>
    </message>
    <message>
        <source>Requires at least %1 subcommands</source>
        <translation>サブコマンドが %1 個以上必要です</translation>
    </message>
    <message>
        <source>%1 is required</source>
        <translation>%1 は必須です</translation>
    </message>
    <message>
        <source>The following argument was not expected: %1</source>
        <translation>想定外の引数があります: %1</translation>
    </message>
    <message>
        <source>The following arguments were not expected: %1</source>
        <translation>想定外の引数があります: %1</translation>
    </message>
    <message>
        <source>%1: %2 required %3 missing</source>
        <translation>%1: %3 の値が %2 個必要です</translation>
    </message>
    <message>
        <source>Expected exactly %1 arguments to %2, got %3</source>
        <translation>%2 には引数がちょうど %1 個必要ですが、%3 個与えられました</translation>
    </message>
    <message>
        <source>Expected at least %1 arguments to %2, got %3</source>
        <translation>%2 には引数が %1 個以上必要ですが、%3 個与えられました</translation>
    </message>
    <message>
        <source>%1: At least %2 required but received %3</source>
        <translation>%1: %2 個以上必要ですが、%3 個与えられました</translation>
    </message>
    <message>
        <source>%1: At Most %2 required but received %3</source>
        <translation>%1: %2 個までですが、%3 個与えられました</translation>
    </message>
    <message>
        <source>%1 was given a disallowed flag override</source>
        <translation>%1 に許可されていないフラグの上書きが指定されました</translation>
    </message>
    <message>
        <source>The value %1 is not an allowed value for %2</source>
        <translation>値 %1 は %2 に指定できません</translation>
    </message>
    <message>
        <source>Could not convert: %1 = %2</source>
        <translation>変換できません: %1 = %2</translation>
    </message>
    <message>
        <source>%1: too many inputs for a flag</source>
        <translation>%1: フラグに与えられた値が多すぎます</translation>
    </message>
    <message>
        <source>%1: Should be true/false or a number</source>
        <translation>%1: true/false または数値を指定してください</translation>
    </message>
    <message>
        <source>%1 excludes %2</source>
        <translation>%1 は %2 と同時に指定できません</translation>
    </message>
    <message>
        <source>%1 requires %2</source>
        <translation>%1 には %2 が必要です</translation>
    </message>
    <message>
        <source>The spectrum kind must be power, abs, real or imag, not &apos;%1&apos;.</source>
        <translation>スペクトルの種類には power、abs、real または imag を指定してください (&apos;%1&apos; は指定できません)。</translation>
    </message>
    <message>
        <source>No pixel spacing for %1: give --pixel.</source>
        <translation>%1 の画素間隔がわかりません: --pixel を指定してください。</translation>
    </message>
    <message>
        <source>The centred spectrum of a square ROI, as the spectrum window&apos;s values</source>
        <translation>正方形の ROI の中心化スペクトル (スペクトルウィンドウの値と同じ)</translation>
    </message>
    <message>
        <source>power, abs, real or imag</source>
        <translation>power、abs、real または imag</translation>
    </message>
    <message>
        <source>Logarithm of the map, as the window&apos;s Log box</source>
        <translation>マップの対数 (ウィンドウの Log チェックボックスと同じ)</translation>
    </message>
    <message>
        <source>Output file (default: standard output)</source>
        <translation>出力ファイル (既定: 標準出力)</translation>
    </message>
    <message>
        <source>Refuse the run (exit 4, nothing written) when it gives any warning</source>
        <translation>警告が一つでも出たら実行を拒否します (終了コード 4、何も書きません)</translation>
    </message>
    <message>
        <source>--strict: the run gave %1 warning(s); nothing was written.</source>
        <translation>--strict: 警告が %1 件出たため、何も書きませんでした。</translation>
    </message>
    <message>
        <source>  %1 cycles/mm: DQE u %2 ± %3, v %4 ± %5, mean %6 ± %7; MTF u %8, v %9; NNPS u %10, v %11 mm²</source>
        <translation>  %1 cycles/mm: DQE u %2 ± %3、v %4 ± %5、平均 %6 ± %7; MTF u %8、v %9; NNPS u %10、v %11 mm²</translation>
    </message>
    <message>
        <source>q %1 per mm² per uGy (%2); pixel spacing %3</source>
        <translation>q %1 /(mm² uGy) (%2); 画素間隔 %3</translation>
    </message>
    <message>
        <source>given</source>
        <translation>指定値</translation>
    </message>
    <message>
        <source>table</source>
        <translation>表の値</translation>
    </message>
    <message>
        <source>Flat fields at the air kerma --kerma, or K=FILE at K uGy: one DQE per air kerma (required)</source>
        <translation>空気カーマ --kerma のフラット画像、または K uGy の K=ファイル: 空気カーマごとに DQE を求めます (必須)</translation>
    </message>
    <message>
        <source>Air kerma of the flat fields given without K=, uGy</source>
        <translation>K= なしで指定したフラット画像の空気カーマ (uGy)</translation>
    </message>
    <message>
        <source>Images of a horizontal edge: the MTF along v, their ESFs pooled (required)</source>
        <translation>横エッジの画像: v 方向の MTF、ESF はまとめて使います (必須)</translation>
    </message>
    <message>
        <source>Images of a vertical edge: the MTF along u, their ESFs pooled (required)</source>
        <translation>縦エッジの画像: u 方向の MTF、ESF はまとめて使います (必須)</translation>
    </message>
    <message>
        <source>Photons per mm² per uGy for a beam quality outside the table (recorded)</source>
        <translation>表にない線質の 1 mm² 1 uGy あたりの光子数 (記録されます)</translation>
    </message>
    <message>
        <source>Without --conversion: state that the raw values are proportional to air kerma</source>
        <translation>--conversion なしのとき: 生の値が空気カーマに比例すると明示します</translation>
    </message>
    <message>
        <source>K=FILE, one per flat field of the conversion function</source>
        <translation>K=ファイル、変換関数のフラット画像ごとに一つ</translation>
    </message>
    <message>
        <source>MTF at 1, 2, 3 cycles/mm: %1, %2, %3 (standard error %4, %5, %6); pixel spacing %7</source>
        <translation>1、2、3 cycles/mm の MTF: %1、%2、%3 (標準誤差 %4、%5、%6); 画素間隔 %7</translation>
    </message>
    <message>
        <source>Images of edges of one direction tilted 1 to 45 degrees (1.5 to 3 as IEC 62220-1-1 asks); their ESFs are pooled</source>
        <translation>1 ～ 45 度傾いた同じ向きのエッジの画像 (IEC 62220-1-1 では 1.5 ～ 3 度)。ESF はまとめて使います</translation>
    </message>
    <message>
        <source>Edge ROI x,y,w,h: top-left pixel, width, height (default: the whole image; the ESF reaches 40 pixels either side of the edge)</source>
        <translation>エッジ ROI x,y,w,h: 左上の画素、幅、高さ (既定: 画像全体。ESF はエッジの両側 40 画素まで)</translation>
    </message>
</context>
</TS>
