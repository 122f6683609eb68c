<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>nps</name>
    <message>
        <source>The detrending must be none, mean, plane or poly2, not &apos;%1&apos;.</source>
        <translation>The detrending must be none, mean, plane or poly2, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The detrending scope must be roi or area, not &apos;%1&apos;.</source>
        <translation>The detrending scope must be roi or area, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The NPS needs at least one image.</source>
        <translation>The NPS needs at least one image.</translation>
    </message>
    <message>
        <source>The ROI list is empty.</source>
        <translation>The ROI list is empty.</translation>
    </message>
    <message>
        <source>Too many ROIs.</source>
        <translation>Too many ROIs.</translation>
    </message>
    <message>
        <source>The bin width %1 /mm is narrower than the frequency step %2 /mm of a %3-pixel ROI: %4 bin(s) above zero hold no sample and are left empty.</source>
        <translation>The bin width %1 /mm is narrower than the frequency step %2 /mm of a %3-pixel ROI: %4 bin(s) above zero hold no sample and are left empty.</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the first image %4 %5 x %6: the ROIs cover the whole first image, which is not the same region of this one. Give an area or a ROI list that lies inside every image to measure images of different sizes together.</source>
        <translation>%1 is %2 x %3 pixels, the first image %4 %5 x %6: the ROIs cover the whole first image, which is not the same region of this one. Give an area or a ROI list that lies inside every image to measure images of different sizes together.</translation>
    </message>
    <message>
        <source>Give either an area or a list of ROIs, not both.</source>
        <translation>Give either an area or a list of ROIs, not both.</translation>
    </message>
    <message>
        <source>The axis curves&apos; placement must be radial or along, not &apos;%1&apos;.</source>
        <translation>The axis curves&apos; placement must be radial or along, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The pixel spacing must be a positive number of millimetres.</source>
        <translation>The pixel spacing must be a positive number of millimetres.</translation>
    </message>
    <message>
        <source>The bin width must be a positive number of cycles/mm.</source>
        <translation>The bin width must be a positive number of cycles/mm.</translation>
    </message>
    <message>
        <source>The bin width %1 /mm leaves fewer than two bins up to the Nyquist frequency %2 /mm; give at most %3 /mm.</source>
        <translation>The bin width %1 /mm leaves fewer than two bins up to the Nyquist frequency %2 /mm; give at most %3 /mm.</translation>
    </message>
    <message>
        <source>The bin width is too small: it would make more than 100000 bins.</source>
        <translation>The bin width is too small: it would make more than 100000 bins.</translation>
    </message>
    <message>
        <source>The axis curves need 1 to %1 lines on each side of the axis for a ROI of %2.</source>
        <translation>The axis curves need 1 to %1 lines on each side of the axis for a ROI of %2.</translation>
    </message>
    <message>
        <source>The NPS ROI side must be %1 to %2 pixels; it is %3.</source>
        <translation>The NPS ROI side must be %1 to %2 pixels; it is %3.</translation>
    </message>
    <message>
        <source>The ROI overlap must be 0 or 0.5.</source>
        <translation>The ROI overlap must be 0 or 0.5.</translation>
    </message>
    <message>
        <source>The area %1 holds no whole ROI of %2 pixels.</source>
        <translation>The area %1 holds no whole ROI of %2 pixels.</translation>
    </message>
    <message>
        <source>The area %1 would hold more than %2 ROIs.</source>
        <translation>The area %1 would hold more than %2 ROIs.</translation>
    </message>
    <message>
        <source>ROI %1 %2 lies outside the image %3 (%4 x %5).</source>
        <translation>ROI %1 %2 lies outside the image %3 (%4 x %5).</translation>
    </message>
    <message>
        <source>The area %1 lies outside the image %2 (%3 x %4).</source>
        <translation>The area %1 lies outside the image %2 (%3 x %4).</translation>
    </message>
    <message>
        <source>Each ROI of %1</source>
        <translation>Each ROI of %1</translation>
    </message>
    <message>
        <source>%1: noise power spectrum (NPS) of the image or of the folder list</source>
        <translation>%1: noise power spectrum (NPS) of the image or of the folder list</translation>
    </message>
    <message>
        <source>Load an image in the viewer first.</source>
        <translation>Load an image in the viewer first.</translation>
    </message>
    <message>
        <source>The viewer&apos;s folder list is empty.</source>
        <translation>The viewer&apos;s folder list is empty.</translation>
    </message>
    <message>
        <source>No image loaded in the viewer</source>
        <translation>No image loaded in the viewer</translation>
    </message>
    <message>
        <source>as given</source>
        <translation>as given</translation>
    </message>
    <message>
        <source>from the viewer</source>
        <translation>from the viewer</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>from %1</translation>
    </message>
    <message>
        <source>%1 mm %2 of %3</source>
        <translation>%1 mm %2 of %3</translation>
    </message>
    <message>
        <source>%1 mm %2</source>
        <translation>%1 mm %2</translation>
    </message>
    <message>
        <source>%1 gives no Imager Pixel Spacing (0018,1164) or Detector Element Spacing (0018,7022): its Pixel Spacing (0028,0030), %2 mm, is used, which may belong to another plane than the detector&apos;s. Give the detector&apos;s spacing (--pixel) if it does.</source>
        <translation>%1 gives no Imager Pixel Spacing (0018,1164) or Detector Element Spacing (0018,7022): its Pixel Spacing (0028,0030), %2 mm, is used, which may belong to another plane than the detector&apos;s. Give the detector&apos;s spacing (--pixel) if it does.</translation>
    </message>
</context>
<context>
    <name>nps::NpsCurves</name>
    <message>
        <source>f %1 /mm   NPS %2 ± %3   NNPS %4   u %5   v %6   (%7 samples)</source>
        <translation>f %1 /mm   NPS %2 ± %3   NNPS %4   u %5   v %6   (%7 samples)</translation>
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
        <translation>Loaded file</translation>
    </message>
    <message>
        <source>All files of the folder list</source>
        <translation>All files of the folder list</translation>
    </message>
    <message>
        <source>whole image</source>
        <translation>whole image</translation>
    </message>
    <message>
        <source>x,y,w,h of the ROI grid; empty for the whole image</source>
        <translation>x,y,w,h of the ROI grid; empty for the whole image</translation>
    </message>
    <message>
        <source>the grid</source>
        <translation>the grid</translation>
    </message>
    <message>
        <source>x,y;x,y;... top-left corners of your own ROIs instead of the grid</source>
        <translation>x,y;x,y;... top-left corners of your own ROIs instead of the grid</translation>
    </message>
    <message>
        <source>Fit the trend over the whole area (radiography) or per ROI (CT)</source>
        <translation>Fit the trend over the whole area (radiography) or per ROI (CT)</translation>
    </message>
    <message>
        <source>Axis curves: each sample at its radial frequency (IEC 62220-1-1) or at its distance along the axis</source>
        <translation>Axis curves: each sample at its radial frequency (IEC 62220-1-1) or at its distance along the axis</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Run (Ctrl+R)</source>
        <translation>Run (Ctrl+R)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cancel (Esc)</source>
        <translation>Cancel (Esc)</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Export CSV (Ctrl+S)</source>
        <translation>Export CSV (Ctrl+S)</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>Export PNG</translation>
    </message>
    <message>
        <source>Export PNG (Ctrl+Shift+S)</source>
        <translation>Export PNG (Ctrl+Shift+S)</translation>
    </message>
    <message>
        <source>&amp;Images</source>
        <translation>&amp;Images</translation>
    </message>
    <message>
        <source>&amp;ROI (px)</source>
        <translation>&amp;ROI (px)</translation>
    </message>
    <message>
        <source>&amp;Area</source>
        <translation>&amp;Area</translation>
    </message>
    <message>
        <source>&amp;Own ROIs</source>
        <translation>&amp;Own ROIs</translation>
    </message>
    <message>
        <source>O&amp;verlap</source>
        <translation>O&amp;verlap</translation>
    </message>
    <message>
        <source>&amp;Detrend</source>
        <translation>&amp;Detrend</translation>
    </message>
    <message>
        <source>&amp;Fit over</source>
        <translation>&amp;Fit over</translation>
    </message>
    <message>
        <source>&amp;Bin (/mm)</source>
        <translation>&amp;Bin (/mm)</translation>
    </message>
    <message>
        <source>A&amp;xis lines</source>
        <translation>A&amp;xis lines</translation>
    </message>
    <message>
        <source>Axis &amp;curves</source>
        <translation>Axis &amp;curves</translation>
    </message>
    <message>
        <source>&amp;Pixel (mm)</source>
        <translation>&amp;Pixel (mm)</translation>
    </message>
    <message>
        <source>All files of the folder list (%1)</source>
        <translation>All files of the folder list (%1)</translation>
    </message>
    <message>
        <source>The last result was of other files; it was cleared.</source>
        <translation>The last result was of other files; it was cleared.</translation>
    </message>
    <message>
        <source>The area</source>
        <translation>The area</translation>
    </message>
    <message>
        <source>the ROI list</source>
        <translation>the ROI list</translation>
    </message>
    <message>
        <source>Reading...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Cancelling...</translation>
    </message>
    <message>
        <source>ROI %1 / %2</source>
        <translation>ROI %1 / %2</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 and %2 more</translation>
    </message>
    <message>
        <source>%1 ROIs in %2 image(s) (%3); Parseval error %4</source>
        <translation>%1 ROIs in %2 image(s) (%3); Parseval error %4</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>NPS plot</source>
        <translation>NPS plot</translation>
    </message>
</context>
<context>
    <name>quality</name>
    <message>
        <source>The conversion function needs flat fields at two air kerma values at least, not %1.</source>
        <translation>The conversion function needs flat fields at two air kerma values at least, not %1.</translation>
    </message>
    <message>
        <source>The air kerma of %1 must be 0 uGy or above.</source>
        <translation>The air kerma of %1 must be 0 uGy or above.</translation>
    </message>
    <message>
        <source>The mean value of %1 is not a finite number.</source>
        <translation>The mean value of %1 is not a finite number.</translation>
    </message>
    <message>
        <source>The flat fields of the conversion function all have the same air kerma; give them at two values at least.</source>
        <translation>The flat fields of the conversion function all have the same air kerma; give them at two values at least.</translation>
    </message>
    <message>
        <source>The pixel values of the flat fields do not change with the air kerma: no conversion function can be fitted.</source>
        <translation>The pixel values of the flat fields do not change with the air kerma: no conversion function can be fitted.</translation>
    </message>
    <message>
        <source>The beam quality must be RQA3, RQA5, RQA7 or RQA9, not &apos;%1&apos;.</source>
        <translation>The beam quality must be RQA3, RQA5, RQA7 or RQA9, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The air kerma of the flat fields must be above 0 uGy.</source>
        <translation>The air kerma of the flat fields must be above 0 uGy.</translation>
    </message>
    <message>
        <source>The photon fluence per air kerma must be above 0.</source>
        <translation>The photon fluence per air kerma must be above 0.</translation>
    </message>
    <message>
        <source>The NPS has %1 values for %2 frequencies.</source>
        <translation>The NPS has %1 values for %2 frequencies.</translation>
    </message>
    <message>
        <source>%1 takes an image of a %2 edge; %3 holds a %4 one.</source>
        <translation>%1 takes an image of a %2 edge; %3 holds a %4 one.</translation>
    </message>
    <message>
        <source>%1 has a pixel spacing of %2 mm, the flat fields %3 mm.</source>
        <translation>%1 has a pixel spacing of %2 mm, the flat fields %3 mm.</translation>
    </message>
    <message>
        <source>The DQE needs at least one flat field.</source>
        <translation>The DQE needs at least one flat field.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 needs a width and a height of 1 or more, not %2 x %3.</source>
        <translation>%1 needs a width and a height of 1 or more, not %2 x %3.</translation>
    </message>
    <message>
        <source>%1 has no pixel spacing in its name or header; give it as --pixel.</source>
        <translation>%1 has no pixel spacing in its name or header; give it as --pixel.</translation>
    </message>
    <message>
        <source>%1 (%2 is %3 x %4)</source>
        <translation>%1 (%2 is %3 x %4)</translation>
    </message>
    <message>
        <source>The ROI holds no edge: all its pixels have the same value. Place the ROI across the edge.</source>
        <translation>The ROI holds no edge: all its pixels have the same value. Place the ROI across the edge.</translation>
    </message>
    <message>
        <source>The ROI holds no edge: both of its sides have the same mean value. Place the ROI across the edge.</source>
        <translation>The ROI holds no edge: both of its sides have the same mean value. Place the ROI across the edge.</translation>
    </message>
    <message>
        <source>No edge was found in most lines of the ROI. Place the ROI across one straight edge, with both sides of it inside.</source>
        <translation>No edge was found in most lines of the ROI. Place the ROI across one straight edge, with both sides of it inside.</translation>
    </message>
    <message>
        <source>The edge&apos;s angle, %1 degrees (slope %2), is close to a slope of 1/%3</source>
        <translation>The edge&apos;s angle, %1 degrees (slope %2), is close to a slope of 1/%3</translation>
    </message>
    <message>
        <source>The edge&apos;s angle, %1 degrees (slope %2)</source>
        <translation>The edge&apos;s angle, %1 degrees (slope %2)</translation>
    </message>
    <message>
        <source>The pixel spacing must be above 0 mm; give it with the image or as --pixel.</source>
        <translation>The pixel spacing must be above 0 mm; give it with the image or as --pixel.</translation>
    </message>
    <message>
        <source>The ESF bin width must be above 0 and at most half a pixel, not %1.</source>
        <translation>The ESF bin width must be above 0 and at most half a pixel, not %1.</translation>
    </message>
    <message>
        <source>The edge ROI is %1 x %2 pixels; it needs at least %3 x %3.</source>
        <translation>The edge ROI is %1 x %2 pixels; it needs at least %3 x %3.</translation>
    </message>
    <message>
        <source>The edge ROI&apos;s pixels are fewer than its size says.</source>
        <translation>The edge ROI&apos;s pixels are fewer than its size says.</translation>
    </message>
    <message>
        <source>The edge ROI holds a value that is not a finite number.</source>
        <translation>The edge ROI holds a value that is not a finite number.</translation>
    </message>
    <message>
        <source>%1: ESF bins of %2 pixels are left empty. Tilt the edge by another angle (2 to 5 degrees) or use more lines.</source>
        <translation>%1: ESF bins of %2 pixels are left empty. Tilt the edge by another angle (2 to 5 degrees) or use more lines.</translation>
    </message>
    <message>
        <source>%1: the pixel centres fall on positions %2 pixels apart along the edge normal, which leaves ESF bins of %3 pixels empty. Tilt the edge by another angle (2 to 5 degrees) or use more lines.</source>
        <translation>%1: the pixel centres fall on positions %2 pixels apart along the edge normal, which leaves ESF bins of %3 pixels empty. Tilt the edge by another angle (2 to 5 degrees) or use more lines.</translation>
    </message>
    <message>
        <source>%1: the pixel centres fall on positions up to %2 pixels apart along the edge normal, so ESF bins of %3 pixels are filled unevenly and the MTF near the Nyquist frequency is less certain.</source>
        <translation>%1: the pixel centres fall on positions up to %2 pixels apart along the edge normal, so ESF bins of %3 pixels are filled unevenly and the MTF near the Nyquist frequency is less certain.</translation>
    </message>
    <message>
        <source>vertical</source>
        <translation>vertical</translation>
    </message>
    <message>
        <source>horizontal</source>
        <translation>horizontal</translation>
    </message>
    <message>
        <source>The edge in the ROI is not straight: its positions lie %1 pixels (RMS) from the best line. Place the ROI across one straight edge that runs through it from side to side.</source>
        <translation>The edge in the ROI is not straight: its positions lie %1 pixels (RMS) from the best line. Place the ROI across one straight edge that runs through it from side to side.</translation>
    </message>
    <message>
        <source>The edge is tilted %1 degrees to the pixel grid; the slanted-edge MTF needs 1 to 45 degrees (2 to 3 are usual). Tilt the edge and take the image again.</source>
        <translation>The edge is tilted %1 degrees to the pixel grid; the slanted-edge MTF needs 1 to 45 degrees (2 to 3 are usual). Tilt the edge and take the image again.</translation>
    </message>
    <message>
        <source>The edge runs too close to the ROI&apos;s side: fewer than %1 pixels lie on one side of it in some line. Centre the ROI on the edge, or make it shorter along the edge.</source>
        <translation>The edge runs too close to the ROI&apos;s side: fewer than %1 pixels lie on one side of it in some line. Centre the ROI on the edge, or make it shorter along the edge.</translation>
    </message>
    <message>
        <source>The ROI holds no clear edge: the difference between its two sides (%1) is not above 3 times the noise (%2). Place the ROI across the edge.</source>
        <translation>The ROI holds no clear edge: the difference between its two sides (%1) is not above 3 times the noise (%2). Place the ROI across the edge.</translation>
    </message>
    <message>
        <source>%1: MTF of an edge image and DQE</source>
        <translation>%1: MTF of an edge image and DQE</translation>
    </message>
    <message>
        <source>Load an edge image in the viewer or choose one with &quot;...&quot;.</source>
        <translation>Load an edge image in the viewer or choose one with &quot;...&quot;.</translation>
    </message>
    <message>
        <source>Give the flat fields at the air kerma K, separated by &apos;;&apos;.</source>
        <translation>Give the flat fields at the air kerma K, separated by &apos;;&apos;.</translation>
    </message>
    <message>
        <source>Give the image of the %1 edge.</source>
        <translation>Give the image of the %1 edge.</translation>
    </message>
    <message>
        <source>A conversion flat field is K=file (air kerma in uGy, then the file), not &apos;%1&apos;.</source>
        <translation>A conversion flat field is K=file (air kerma in uGy, then the file), not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The plateaus of the ESF are not flat: over the %1 pixels of the ESF they change by %2 % and %3 % of the contrast (a heel effect or a background trend). The trend was removed; check the flat-field correction and the edge&apos;s placement.</source>
        <translation>The plateaus of the ESF are not flat: over the %1 pixels of the ESF they change by %2 % and %3 % of the contrast (a heel effect or a background trend). The trend was removed; check the flat-field correction and the edge&apos;s placement.</translation>
    </message>
    <message>
        <source>Edge image %1 holds a %2 edge, the first one a %3 edge: the ESFs of one MTF come from edges of one direction.</source>
        <translation>Edge image %1 holds a %2 edge, the first one a %3 edge: the ESFs of one MTF come from edges of one direction.</translation>
    </message>
    <message>
        <source>The edge is tilted %1 degrees; IEC 62220-1-1 places it at %2 to %3 degrees to the pixel grid.</source>
        <translation>The edge is tilted %1 degrees; IEC 62220-1-1 places it at %2 to %3 degrees to the pixel grid.</translation>
    </message>
    <message>
        <source>The MTF needs at least one edge image.</source>
        <translation>The MTF needs at least one edge image.</translation>
    </message>
    <message>
        <source>Too few lines along the edge to split them into 4 groups that each fill every ESF bin: the MTF has no uncertainty. Use a longer edge ROI.</source>
        <translation>Too few lines along the edge to split them into 4 groups that each fill every ESF bin: the MTF has no uncertainty. Use a longer edge ROI.</translation>
    </message>
    <message>
        <source>The DQE needs the detector&apos;s conversion function: give flat fields at several air kerma values (--conversion K=FILE), or state that the raw values are proportional to air kerma (--proportional). A detector with an offset reports a DQE that is too high without it.</source>
        <translation>The DQE needs the detector&apos;s conversion function: give flat fields at several air kerma values (--conversion K=FILE), or state that the raw values are proportional to air kerma (--proportional). A detector with an offset reports a DQE that is too high without it.</translation>
    </message>
    <message>
        <source>The conversion function&apos;s largest residual is %1 % of the signal at %2 uGy (flat %3; R² %4, limit %5 %): check that flat field&apos;s air kerma or the file.</source>
        <translation>The conversion function&apos;s largest residual is %1 % of the signal at %2 uGy (flat %3; R² %4, limit %5 %): check that flat field&apos;s air kerma or the file.</translation>
    </message>
    <message>
        <source>%1 is required: the DQE needs an edge image of each direction.</source>
        <translation>%1 is required: the DQE needs an edge image of each direction.</translation>
    </message>
    <message>
        <source>The air kerma of %1 is not given: give --kerma K, or the flat field as K=FILE.</source>
        <translation>The air kerma of %1 is not given: give --kerma K, or the flat field as K=FILE.</translation>
    </message>
    <message>
        <source>No conversion flat fields: the response is taken as proportional to air kerma (no offset), as stated.</source>
        <translation>No conversion flat fields: the response is taken as proportional to air kerma (no offset), as stated.</translation>
    </message>
    <message>
        <source>The NPS at %1 uGy covers %2 pixels of flat field; IEC 62220-1-1 asks for at least 4 million. Add flat fields or measure a larger area.</source>
        <translation>The NPS at %1 uGy covers %2 pixels of flat field; IEC 62220-1-1 asks for at least 4 million. Add flat fields or measure a larger area.</translation>
    </message>
    <message>
        <source>The edge ROI</source>
        <translation>The edge ROI</translation>
    </message>
    <message>
        <source>The vertical edge&apos;s ROI</source>
        <translation>The vertical edge&apos;s ROI</translation>
    </message>
    <message>
        <source>The horizontal edge&apos;s ROI</source>
        <translation>The horizontal edge&apos;s ROI</translation>
    </message>
</context>
<context>
    <name>quality::QualityWindow</name>
    <message>
        <source>MTF and DQE</source>
        <translation>MTF and DQE</translation>
    </message>
    <message>
        <source>Choose the edge image</source>
        <translation>Choose the edge image</translation>
    </message>
    <message>
        <source>x,y,w,h: top-left pixel, width and height of the ROI around the edge (the viewer&apos;s ROI until you type your own)</source>
        <translation>x,y,w,h: top-left pixel, width and height of the ROI around the edge (the viewer&apos;s ROI until you type your own)</translation>
    </message>
    <message>
        <source>ESF bin width as a fraction of a pixel (at most 0.5)</source>
        <translation>ESF bin width as a fraction of a pixel (at most 0.5)</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Export JSON</source>
        <translation>Export JSON</translation>
    </message>
    <message>
        <source>Edge &amp;image</source>
        <translation>Edge &amp;image</translation>
    </message>
    <message>
        <source>Edge &amp;ROI (x,y,w,h)</source>
        <translation>Edge &amp;ROI (x,y,w,h)</translation>
    </message>
    <message>
        <source>ESF &amp;bin (px)</source>
        <translation>ESF &amp;bin (px)</translation>
    </message>
    <message>
        <source>file; file; ...</source>
        <translation>file; file; ...</translation>
    </message>
    <message>
        <source>Image of a vertical edge: the MTF along u</source>
        <translation>Image of a vertical edge: the MTF along u</translation>
    </message>
    <message>
        <source>whole image</source>
        <translation>whole image</translation>
    </message>
    <message>
        <source>Image of a horizontal edge: the MTF along v</source>
        <translation>Image of a horizontal edge: the MTF along v</translation>
    </message>
    <message>
        <source>&amp;Flat fields</source>
        <translation>&amp;Flat fields</translation>
    </message>
    <message>
        <source>&amp;K (uGy)</source>
        <translation>&amp;K (uGy)</translation>
    </message>
    <message>
        <source>&amp;Quality</source>
        <translation>&amp;Quality</translation>
    </message>
    <message>
        <source>&amp;Conversion (K=file; ...)</source>
        <translation>&amp;Conversion (K=file; ...)</translation>
    </message>
    <message>
        <source>&amp;Vertical edge (u)</source>
        <translation>&amp;Vertical edge (u)</translation>
    </message>
    <message>
        <source>its R&amp;OI</source>
        <translation>its R&amp;OI</translation>
    </message>
    <message>
        <source>&amp;Horizontal edge (v)</source>
        <translation>&amp;Horizontal edge (v)</translation>
    </message>
    <message>
        <source>its RO&amp;I</source>
        <translation>its RO&amp;I</translation>
    </message>
    <message>
        <source>&amp;NPS ROI (px)</source>
        <translation>&amp;NPS ROI (px)</translation>
    </message>
    <message>
        <source>Ove&amp;rlap</source>
        <translation>Ove&amp;rlap</translation>
    </message>
    <message>
        <source>NPS &amp;bin (/mm)</source>
        <translation>NPS &amp;bin (/mm)</translation>
    </message>
    <message>
        <source>&amp;ESF bin (px)</source>
        <translation>&amp;ESF bin (px)</translation>
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
        <translation>Run</translation>
    </message>
    <message>
        <source>Measure what the tab shows (Ctrl+R)</source>
        <translation>Measure what the tab shows (Ctrl+R)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cancel (Esc)</source>
        <translation>Cancel (Esc)</translation>
    </message>
    <message>
        <source>&amp;Pixel (mm)</source>
        <translation>&amp;Pixel (mm)</translation>
    </message>
    <message>
        <source>not reached</source>
        <translation>not reached</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>Reading the edge image...</source>
        <translation>Reading the edge image...</translation>
    </message>
    <message>
        <source>Reading the conversion and flat fields...</source>
        <translation>Reading the conversion and flat fields...</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Cancelling...</translation>
    </message>
    <message>
        <source>Read %1 of %2 file(s), measuring...</source>
        <translation>Read %1 of %2 file(s), measuring...</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>MTF of %1</source>
        <translation>MTF of %1</translation>
    </message>
    <message>
        <source>DQE at %1 uGy, %2, from %3 ROIs in %4 flat field(s)</source>
        <translation>DQE at %1 uGy, %2, from %3 ROIs in %4 flat field(s)</translation>
    </message>
    <message>
        <source>distance from the edge (px)</source>
        <translation>distance from the edge (px)</translation>
    </message>
    <message>
        <source>value</source>
        <translation>value</translation>
    </message>
    <message>
        <source>value / bin</source>
        <translation>value / bin</translation>
    </message>
    <message>
        <source>MTF (%1 edge)</source>
        <translation>MTF (%1 edge)</translation>
    </message>
    <message>
        <source>Edge: %1, tilted %2°
ROI: %3,%4,%5,%6
Contrast: %7 (levels %8 and %9)
Noise: %10
MTF50: %11 cycles/mm
MTF10: %12 cycles/mm
Warnings: %13</source>
        <translation>Edge: %1, tilted %2°
ROI: %3,%4,%5,%6
Contrast: %7 (levels %8 and %9)
Noise: %10
MTF50: %11 cycles/mm
MTF10: %12 cycles/mm
Warnings: %13</translation>
    </message>
    <message>
        <source>Conversion: value = %1 + %2 K%3.   MTF50 u %4, v %5 cycles/mm.   q = %6 /(mm² uGy).   Notes: %7</source>
        <translation>Conversion: value = %1 + %2 K%3.   MTF50 u %4, v %5 cycles/mm.   q = %6 /(mm² uGy).   Notes: %7</translation>
    </message>
    <message>
        <source> (RMS residual %1, R² %2)</source>
        <translation> (RMS residual %1, R² %2)</translation>
    </message>
    <message>
        <source> (assumed)</source>
        <translation> (assumed)</translation>
    </message>
    <message>
        <source>The flat fields at the air kerma K, separated by &apos;;&apos;; K=file for a flat field at another air kerma (one DQE per air kerma)</source>
        <translation>The flat fields at the air kerma K, separated by &apos;;&apos;; K=file for a flat field at another air kerma (one DQE per air kerma)</translation>
    </message>
    <message>
        <source>K=file; K=file; ...</source>
        <translation>K=file; K=file; ...</translation>
    </message>
    <message>
        <source>K=file; K=file; ...: the conversion function&apos;s flat fields with their air kerma in uGy</source>
        <translation>K=file; K=file; ...: the conversion function&apos;s flat fields with their air kerma in uGy</translation>
    </message>
    <message>
        <source>Values &amp;proportional to K</source>
        <translation>Values &amp;proportional to K</translation>
    </message>
    <message>
        <source>Without conversion flat fields: state that the raw values are proportional to the air kerma (no offset)</source>
        <translation>Without conversion flat fields: state that the raw values are proportional to the air kerma (no offset)</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Pixel spacing in mm; empty to take the detector&apos;s from the file name or header (else the viewer&apos;s)</source>
        <translation>Pixel spacing in mm; empty to take the detector&apos;s from the file name or header (else the viewer&apos;s)</translation>
    </message>
    <message>
        <source>DQE(%1/mm): u %2 ± %3, v %4 ± %5, mean %6 ± %7.   </source>
        <translation>DQE(%1/mm): u %2 ± %3, v %4 ± %5, mean %6 ± %7.   </translation>
    </message>
    <message>
        <source>MTF50 standard error: %1 cycles/mm (%2 groups of lines)
Pixel spacing: %3</source>
        <translation>MTF50 standard error: %1 cycles/mm (%2 groups of lines)
Pixel spacing: %3</translation>
    </message>
    <message>
        <source>Pixel spacing: %1</source>
        <translation>Pixel spacing: %1</translation>
    </message>
</context>
</TS>
