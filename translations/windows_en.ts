<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TForm1</name>
    <message>
        <source>Matrix Size x y , </source>
        <translation>Matrix Size x y , </translation>
    </message>
    <message>
        <source>ﾋﾟｸｾﾙ間隔(mm)を入力してください。</source>
        <translation>Enter the pixel spacing (mm).</translation>
    </message>
    <message>
        <source>The file holds %1 bytes, but a %2 x %3 matrix from byte %4 needs %5 bytes: the missing pixels are shown as 0.</source>
        <translation>The file holds %1 bytes, but a %2 x %3 matrix from byte %4 needs %5 bytes: the missing pixels are shown as 0.</translation>
    </message>
    <message>
        <source>%1 more elements not listed</source>
        <translation>%1 more elements not listed</translation>
    </message>
    <message>
        <source>トリミングした画像を保存しました。</source>
        <translation>The trimmed image has been saved.</translation>
    </message>
    <message>
        <source>Of the ROI&apos;s %1</source>
        <translation>Of the ROI&apos;s %1</translation>
    </message>
</context>
<context>
    <name>filter</name>
    <message>
        <source>&quot;ToClipB&quot; divides the %1 view&apos;s values by its maximum, which is %2 here: only a maximum above 0 keeps the values&apos; signs. Nothing was copied.</source>
        <translation>&quot;ToClipB&quot; divides the %1 view&apos;s values by its maximum, which is %2 here: only a maximum above 0 keeps the values&apos; signs. Nothing was copied.</translation>
    </message>
    <message>
        <source>The spectrum maximum (%1) is 1, 0 or below: the Power and Convolution views have no scale</source>
        <translation>The spectrum maximum (%1) is 1, 0 or below: the Power and Convolution views have no scale</translation>
    </message>
    <message>
        <source>The high cut-off must be above 0 cycles per pixel; it is %1.</source>
        <translation>The high cut-off must be above 0 cycles per pixel; it is %1.</translation>
    </message>
    <message>
        <source>filter window&apos;s result</source>
        <translation>filter window&apos;s result</translation>
    </message>
</context>
<context>
    <name>spectrum</name>
    <message>
        <source>The spectrum needs a square ROI of 2, 4, 8, 16, 32, 64, 128, 256, 512 or 1024 pixels per side; the ROI is %1.</source>
        <translation>The spectrum needs a square ROI of 2, 4, 8, 16, 32, 64, 128, 256, 512 or 1024 pixels per side; the ROI is %1.</translation>
    </message>
    <message>
        <source>%1 wide</source>
        <translation>%1 wide</translation>
    </message>
    <message>
        <source>The pixel spacing must be above 0 mm; it is %1. Enter the spacing in the viewer&apos;s &quot;Pixel&quot; edit.</source>
        <translation>The pixel spacing must be above 0 mm; it is %1. Enter the spacing in the viewer&apos;s &quot;Pixel&quot; edit.</translation>
    </message>
    <message>
        <source>Nothing to save yet: hand a ROI over with &quot;toFilter&quot; in the viewer first.</source>
        <translation>Nothing to save yet: hand a ROI over with &quot;toFilter&quot; in the viewer first.</translation>
    </message>
    <message>
        <source>Nothing to copy yet: hand a ROI over with &quot;toFilter&quot; in the viewer first.</source>
        <translation>Nothing to copy yet: hand a ROI over with &quot;toFilter&quot; in the viewer first.</translation>
    </message>
    <message>
        <source>Nothing to save: the %1 does not belong to the ROI handed over last, because the hand-off stopped before it was computed. Press &quot;toFilter&quot; in the viewer again once the ROI can be analysed.</source>
        <translation>Nothing to save: the %1 does not belong to the ROI handed over last, because the hand-off stopped before it was computed. Press &quot;toFilter&quot; in the viewer again once the ROI can be analysed.</translation>
    </message>
    <message>
        <source>Nothing to copy: the %1 does not belong to the ROI handed over last, because the hand-off stopped before it was computed. Press &quot;toFilter&quot; in the viewer again once the ROI can be analysed.</source>
        <translation>Nothing to copy: the %1 does not belong to the ROI handed over last, because the hand-off stopped before it was computed. Press &quot;toFilter&quot; in the viewer again once the ROI can be analysed.</translation>
    </message>
    <message>
        <source>Nothing to save: the last run stopped before the %1 was complete. Correct the setting that stopped it and press &quot;%2&quot; again.</source>
        <translation>Nothing to save: the last run stopped before the %1 was complete. Correct the setting that stopped it and press &quot;%2&quot; again.</translation>
    </message>
    <message>
        <source>Nothing to copy: the last run stopped before the %1 was complete. Correct the setting that stopped it and press &quot;%2&quot; again.</source>
        <translation>Nothing to copy: the last run stopped before the %1 was complete. Correct the setting that stopped it and press &quot;%2&quot; again.</translation>
    </message>
    <message>
        <source>Nothing to save: the %1 was made with other settings than those shown. Press &quot;%2&quot; to compute it with the settings shown.</source>
        <translation>Nothing to save: the %1 was made with other settings than those shown. Press &quot;%2&quot; to compute it with the settings shown.</translation>
    </message>
    <message>
        <source>Nothing to copy: the %1 was made with other settings than those shown. Press &quot;%2&quot; to compute it with the settings shown.</source>
        <translation>Nothing to copy: the %1 was made with other settings than those shown. Press &quot;%2&quot; to compute it with the settings shown.</translation>
    </message>
    <message>
        <source>Nothing to copy: no profile of the spectrum shown has been drawn yet. Step the angle with the arrows beside it to draw one.</source>
        <translation>Nothing to copy: no profile of the spectrum shown has been drawn yet. Step the angle with the arrows beside it to draw one.</translation>
    </message>
    <message>
        <source>profile</source>
        <translation>profile</translation>
    </message>
    <message>
        <source>The number of histogram bins must lie between 1 and %1.</source>
        <translation>The number of histogram bins must lie between 1 and %1.</translation>
    </message>
    <message>
        <source>spectrum</source>
        <translation>spectrum</translation>
    </message>
</context>
<context>
    <name>viewer</name>
    <message>
        <source>The ROI&apos;s values run from %1 to %2, beyond what a signed 16-bit word holds. The file keeps the words as stored; to get these values back, open it in 16bit with Offset %3 and Swap checked (other programs: 16-bit signed raw, plus %3).</source>
        <translation>The ROI&apos;s values run from %1 to %2, beyond what a signed 16-bit word holds. The file keeps the words as stored; to get these values back, open it in 16bit with Offset %3 and Swap checked (other programs: 16-bit signed raw, plus %3).</translation>
    </message>
    <message>
        <source>The ROI&apos;s values run from %1 to %2, beyond what a signed 16-bit word holds. The file keeps the words as stored; to get these values back, open it in 16bit with Offset %3 (other programs: 16-bit signed raw, plus %3).</source>
        <translation>The ROI&apos;s values run from %1 to %2, beyond what a signed 16-bit word holds. The file keeps the words as stored; to get these values back, open it in 16bit with Offset %3 (other programs: 16-bit signed raw, plus %3).</translation>
    </message>
    <message>
        <source>The image size and header offset describe more data than the file holds. Nothing was moved.</source>
        <translation>The image size and header offset describe more data than the file holds. Nothing was moved.</translation>
    </message>
    <message>
        <source>Only a square view that lies wholly inside the image can be rotated. Zoom in until the view is square, or move it back inside the image. Nothing was moved.</source>
        <translation>Only a square view that lies wholly inside the image can be rotated. Zoom in until the view is square, or move it back inside the image. Nothing was moved.</translation>
    </message>
    <message>
        <source>The ROI has no pixels. Give it a size of at least 1 x 1.</source>
        <translation>The ROI has no pixels. Give it a size of at least 1 x 1.</translation>
    </message>
    <message>
        <source>%1 x %2 inside the image</source>
        <translation>%1 x %2 inside the image</translation>
    </message>
    <message>
        <source>画像の周波数スペクトル計算</source>
        <translation>Frequency spectra of images</translation>
    </message>
    <message>
        <source>とフィルタ処理</source>
        <translation>and their filtering</translation>
    </message>
    <message>
        <source>Spatial-frequency spectra and radial filters of medical images</source>
        <translation>Spatial-frequency spectra and radial filters of medical images</translation>
    </message>
</context>
</TS>
