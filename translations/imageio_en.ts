<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>imageio</name>
    <message>
        <source>the decoder expects %1 bytes of pixels where the header states %2</source>
        <translation>the decoder expects %1 bytes of pixels where the header states %2</translation>
    </message>
    <message>
        <source>the compressed pixel data are corrupt or truncated</source>
        <translation>the compressed pixel data are corrupt or truncated</translation>
    </message>
    <message>
        <source>the compressed pixel data are corrupt or truncated (%1)</source>
        <translation>the compressed pixel data are corrupt or truncated (%1)</translation>
    </message>
    <message>
        <source>it needs more memory than the decoder may take</source>
        <translation>it needs more memory than the decoder may take</translation>
    </message>
    <message>
        <source>the decoder gave no reason</source>
        <translation>the decoder gave no reason</translation>
    </message>
    <message>
        <source>the decoder failed: %1</source>
        <translation>the decoder failed: %1</translation>
    </message>
    <message>
        <source>holds bytes that are not a marker where one belongs</source>
        <translation>holds bytes that are not a marker where one belongs</translation>
    </message>
    <message>
        <source>holds FF 00 where a marker belongs</source>
        <translation>holds FF 00 where a marker belongs</translation>
    </message>
    <message>
        <source>ends before its first scan</source>
        <translation>ends before its first scan</translation>
    </message>
    <message>
        <source>starts again or ends before its first scan</source>
        <translation>starts again or ends before its first scan</translation>
    </message>
    <message>
        <source>has a header segment that runs past its fragment</source>
        <translation>has a header segment that runs past its fragment</translation>
    </message>
    <message>
        <source>is marked JFIF version %1, not 1</source>
        <translation>is marked JFIF version %1, not 1</translation>
    </message>
    <message>
        <source>has a segment (marker FF%1) that runs past the end of its fragment</source>
        <translation>has a segment (marker FF%1) that runs past the end of its fragment</translation>
    </message>
    <message>
        <source>has no frame header before its first scan</source>
        <translation>has no frame header before its first scan</translation>
    </message>
    <message>
        <source>is a kind of JPEG (frame marker FF%1) that this transfer syntax does not hold</source>
        <translation>is a kind of JPEG (frame marker FF%1) that this transfer syntax does not hold</translation>
    </message>
    <message>
        <source>has samples of %1 bits, which this kind of JPEG does not have</source>
        <translation>has samples of %1 bits, which this kind of JPEG does not have</translation>
    </message>
    <message>
        <source>names an unknown colour transform (%1)</source>
        <translation>names an unknown colour transform (%1)</translation>
    </message>
    <message>
        <source>its header states samples of %1 bits, which a JPEG or JPEG-LS stream cannot hold</source>
        <translation>its header states samples of %1 bits, which a JPEG or JPEG-LS stream cannot hold</translation>
    </message>
    <message>
        <source>its pixel data hold %1 fragment(s) for %2 frame(s)</source>
        <translation>its pixel data hold %1 fragment(s) for %2 frame(s)</translation>
    </message>
    <message>
        <source>the first fragment does not start a JPEG 2000 codestream</source>
        <translation>the first fragment does not start a JPEG 2000 codestream</translation>
    </message>
    <message>
        <source>the JPEG 2000 header in fragment %1 runs past its end</source>
        <translation>the JPEG 2000 header in fragment %1 runs past its end</translation>
    </message>
    <message>
        <source>the first fragment does not start a compressed image</source>
        <translation>the first fragment does not start a compressed image</translation>
    </message>
    <message>
        <source>the JPEG stream in fragment %1 %2</source>
        <translation>the JPEG stream in fragment %1 %2</translation>
    </message>
    <message>
        <source>the compressed stream in fragment %1 %2</source>
        <translation>the compressed stream in fragment %1 %2</translation>
    </message>
    <message>
        <source>the compressed image in fragment %1 has samples of %2 bits where the header states %3 bits stored</source>
        <translation>the compressed image in fragment %1 has samples of %2 bits where the header states %3 bits stored</translation>
    </message>
    <message>
        <source>the compressed image in fragment %1 is %2 x %3 with %4 component(s) of %5 bits, not the %6 x %7 the header states</source>
        <translation>the compressed image in fragment %1 is %2 x %3 with %4 component(s) of %5 bits, not the %6 x %7 the header states</translation>
    </message>
    <message>
        <source>Cannot open this DICOM file (%1): %2.</source>
        <translation>Cannot open this DICOM file (%1): %2.</translation>
    </message>
    <message>
        <source>the decoder stopped on this file (%1)</source>
        <translation>the decoder stopped on this file (%1)</translation>
    </message>
    <message>
        <source>it did not finish in time</source>
        <translation>it did not finish in time</translation>
    </message>
    <message>
        <source>it aborted</source>
        <translation>it aborted</translation>
    </message>
    <message>
        <source>it ran out of its time</source>
        <translation>it ran out of its time</translation>
    </message>
    <message>
        <source>it tried something a decoder may not do</source>
        <translation>it tried something a decoder may not do</translation>
    </message>
    <message>
        <source>it crashed</source>
        <translation>it crashed</translation>
    </message>
    <message>
        <source>it was ended by %1</source>
        <translation>it was ended by %1</translation>
    </message>
    <message>
        <source>it was ended by a signal</source>
        <translation>it was ended by a signal</translation>
    </message>
    <message>
        <source>it ended with code %1</source>
        <translation>it ended with code %1</translation>
    </message>
    <message>
        <source>its answer was cut short</source>
        <translation>its answer was cut short</translation>
    </message>
    <message>
        <source>the decoder helper %1 cannot be started (%2)</source>
        <translation>the decoder helper %1 cannot be started (%2)</translation>
    </message>
    <message>
        <source>its Rescale Intercept &quot;%1&quot; is not a number it can use</source>
        <translation>its Rescale Intercept &quot;%1&quot; is not a number it can use</translation>
    </message>
    <message>
        <source>its values reach %1, beyond the range of about +-2.1 billion this program holds</source>
        <translation>its values reach %1, beyond the range of about +-2.1 billion this program holds</translation>
    </message>
    <message>
        <source>its header has no Rows and no Columns element, so the image has no size</source>
        <translation>its header has no Rows and no Columns element, so the image has no size</translation>
    </message>
    <message>
        <source>its header has no Rows element, so the image has no size</source>
        <translation>its header has no Rows element, so the image has no size</translation>
    </message>
    <message>
        <source>its header has no Columns element, so the image has no size</source>
        <translation>its header has no Columns element, so the image has no size</translation>
    </message>
    <message>
        <source>the image states %1 rows and %2 columns</source>
        <translation>the image states %1 rows and %2 columns</translation>
    </message>
    <message>
        <source>the image states %1 frames</source>
        <translation>the image states %1 frames</translation>
    </message>
    <message>
        <source>samples of %1 bits are not supported</source>
        <translation>samples of %1 bits are not supported</translation>
    </message>
    <message>
        <source>its Planar Configuration is %1, neither 0 nor 1</source>
        <translation>its Planar Configuration is %1, neither 0 nor 1</translation>
    </message>
    <message>
        <source>%1 samples per pixel are not supported</source>
        <translation>%1 samples per pixel are not supported</translation>
    </message>
    <message>
        <source>1-bit samples are supported uncompressed and monochrome only</source>
        <translation>1-bit samples are supported uncompressed and monochrome only</translation>
    </message>
    <message>
        <source>palette colour images are not supported</source>
        <translation>palette colour images are not supported</translation>
    </message>
    <message>
        <source>the photometric interpretation &quot;%1&quot; is not known</source>
        <translation>the photometric interpretation &quot;%1&quot; is not known</translation>
    </message>
    <message>
        <source>a JP2 box of its JPEG 2000 data runs past the end of its fragment</source>
        <translation>a JP2 box of its JPEG 2000 data runs past the end of its fragment</translation>
    </message>
    <message>
        <source>its JPEG 2000 data are wrapped in JP2 boxes without a codestream box</source>
        <translation>its JPEG 2000 data are wrapped in JP2 boxes without a codestream box</translation>
    </message>
    <message>
        <source>not enough memory to decode it</source>
        <translation>not enough memory to decode it</translation>
    </message>
    <message>
        <source>it holds no image (no Pixel Data element)</source>
        <translation>it holds no image (no Pixel Data element)</translation>
    </message>
    <message>
        <source>this program has no decoder for it</source>
        <translation>this program has no decoder for it</translation>
    </message>
    <message>
        <source>its pixel data are not the fragments that syntax needs</source>
        <translation>its pixel data are not the fragments that syntax needs</translation>
    </message>
    <message>
        <source>the pixel data hold %1 bytes, but %2 frame(s) of %3 x %4 need %5</source>
        <translation>the pixel data hold %1 bytes, but %2 frame(s) of %3 x %4 need %5</translation>
    </message>
    <message>
        <source>the decoded image would take %1 bytes, more than the limit of %2</source>
        <translation>the decoded image would take %1 bytes, more than the limit of %2</translation>
    </message>
    <message>
        <source>element %1</source>
        <translation>element %1</translation>
    </message>
    <message>
        <source>Cannot read this DICOM file (%1): %2.</source>
        <translation>Cannot read this DICOM file (%1): %2.</translation>
    </message>
    <message>
        <source>an element header</source>
        <translation>an element header</translation>
    </message>
    <message>
        <source>the value representation of %1</source>
        <translation>the value representation of %1</translation>
    </message>
    <message>
        <source>element %1 has no value representation</source>
        <translation>element %1 has no value representation</translation>
    </message>
    <message>
        <source>%1 needs %2 bytes, but the file ends %3 bytes later</source>
        <translation>%1 needs %2 bytes, but the file ends %3 bytes later</translation>
    </message>
    <message>
        <source>sequences are nested more than %1 deep</source>
        <translation>sequences are nested more than %1 deep</translation>
    </message>
    <message>
        <source>a sequence</source>
        <translation>a sequence</translation>
    </message>
    <message>
        <source>a sequence holds %1 where an item belongs</source>
        <translation>a sequence holds %1 where an item belongs</translation>
    </message>
    <message>
        <source>an item</source>
        <translation>an item</translation>
    </message>
    <message>
        <source>a sequence has no end</source>
        <translation>a sequence has no end</translation>
    </message>
    <message>
        <source>an item has no end</source>
        <translation>an item has no end</translation>
    </message>
    <message>
        <source>the compressed pixel data hold %1 where a fragment belongs</source>
        <translation>the compressed pixel data hold %1 where a fragment belongs</translation>
    </message>
    <message>
        <source>a pixel data fragment</source>
        <translation>a pixel data fragment</translation>
    </message>
    <message>
        <source>the data set cannot be inflated</source>
        <translation>the data set cannot be inflated</translation>
    </message>
    <message>
        <source>the data set inflates to more than %1 bytes</source>
        <translation>the data set inflates to more than %1 bytes</translation>
    </message>
    <message>
        <source>the deflated data set is corrupt</source>
        <translation>the deflated data set is corrupt</translation>
    </message>
    <message>
        <source>the file meta group has an element of undefined length</source>
        <translation>the file meta group has an element of undefined length</translation>
    </message>
    <message>
        <source>the data set holds a stray item %1</source>
        <translation>the data set holds a stray item %1</translation>
    </message>
    <message>
        <source>Decoded : %1</source>
        <translation>Decoded : %1</translation>
    </message>
    <message>
        <source>frame %1 of %2</source>
        <translation>frame %1 of %2</translation>
    </message>
    <message>
        <source>Colour image shown as luminance (0.299 R + 0.587 G + 0.114 B)</source>
        <translation>Colour image shown as luminance (0.299 R + 0.587 G + 0.114 B)</translation>
    </message>
    <message>
        <source>32-bit values divided by %1 to fit 16 bits</source>
        <translation>32-bit values divided by %1 to fit 16 bits</translation>
    </message>
    <message>
        <source>Values beyond 16 bits signed: stored minus %1, Offset plus as much</source>
        <translation>Values beyond 16 bits signed: stored minus %1, Offset plus as much</translation>
    </message>
    <message>
        <source>RescaleSlope %1 not applied: values are stored value + intercept</source>
        <translation>RescaleSlope %1 not applied: values are stored value + intercept</translation>
    </message>
    <message>
        <source>mm spacing from %1</source>
        <translation>mm spacing from %1</translation>
    </message>
    <message>
        <source>WARNING, damaged? The decoder reported: %1</source>
        <translation>WARNING, damaged? The decoder reported: %1</translation>
    </message>
    <message>
        <source>The decoder reported a problem with this file (%1). The image is shown, but its pixels may be wrong; measure it only if you accept that.</source>
        <translation>The decoder reported a problem with this file (%1). The image is shown, but its pixels may be wrong; measure it only if you accept that.</translation>
    </message>
    <message>
        <source>The picture size %1 x %2 cannot be shown: width and height must be 0 to 32768 and their product at most 268435456 pixels.</source>
        <translation>The picture size %1 x %2 cannot be shown: width and height must be 0 to 32768 and their product at most 268435456 pixels.</translation>
    </message>
    <message>
        <source>its image of %1 x %2 pixels is larger than the 268435456 pixels this program shows</source>
        <translation>its image of %1 x %2 pixels is larger than the 268435456 pixels this program shows</translation>
    </message>
    <message>
        <source>The file %1 holds no DICOM image (no Pixel Data element). A raw file needs its size in its name or given (--mode 16bit --size WIDTHxHEIGHT).</source>
        <translation>The file %1 holds no DICOM image (no Pixel Data element). A raw file needs its size in its name or given (--mode 16bit --size WIDTHxHEIGHT).</translation>
    </message>
    <message>
        <source>The DICOM header has no Columns element, so the image has no size.</source>
        <translation>The DICOM header has no Columns element, so the image has no size.</translation>
    </message>
    <message>
        <source>The DICOM header has no Rows element, so the image has no size.</source>
        <translation>The DICOM header has no Rows element, so the image has no size.</translation>
    </message>
    <message>
        <source>The file %1 is decoded (%2): its size, header and byte order come from the file, not from options.</source>
        <translation>The file %1 is decoded (%2): its size, header and byte order come from the file, not from options.</translation>
    </message>
    <message>
        <source>The decoder reported damage in %1 (%2): its pixels may be wrong. Accept damaged files (--accept-damaged) to measure it anyway.</source>
        <translation>The decoder reported damage in %1 (%2): its pixels may be wrong. Accept damaged files (--accept-damaged) to measure it anyway.</translation>
    </message>
    <message>
        <source>The mode must be 8bit, 16bit or dicom, not &apos;%1&apos;.</source>
        <translation>The mode must be 8bit, 16bit or dicom, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The name of %1 gives no matrix size; give --size.</source>
        <translation>The name of %1 gives no matrix size; give --size.</translation>
    </message>
    <message>
        <source>The header length cannot be negative.</source>
        <translation>The header length cannot be negative.</translation>
    </message>
    <message>
        <source>The file %1 holds %2 bytes, but a %3 x %4 matrix from byte %5 needs %6 bytes.</source>
        <translation>The file %1 holds %2 bytes, but a %3 x %4 matrix from byte %5 needs %6 bytes.</translation>
    </message>
    <message>
        <source>No images.</source>
        <translation>No images.</translation>
    </message>
    <message>
        <source>No pixel spacing for %1: give one.</source>
        <translation>No pixel spacing for %1: give one.</translation>
    </message>
    <message>
        <source>The pixel spacing of %1 differs from that of %2; give one spacing for all.</source>
        <translation>The pixel spacing of %1 differs from that of %2; give one spacing for all.</translation>
    </message>
    <message>
        <source>The ROI reaches outside the image. Move or shrink the ROI so that it lies inside the image.</source>
        <translation>The ROI reaches outside the image. Move or shrink the ROI so that it lies inside the image.</translation>
    </message>
    <message>
        <source>the pixel data hold %1 fragment(s) for %2 frame(s)</source>
        <translation>the pixel data hold %1 fragment(s) for %2 frame(s)</translation>
    </message>
    <message>
        <source>frame %1 does not start with %2 RLE segments</source>
        <translation>frame %1 does not start with %2 RLE segments</translation>
    </message>
    <message>
        <source>an RLE segment of frame %1 lies outside its fragment</source>
        <translation>an RLE segment of frame %1 lies outside its fragment</translation>
    </message>
    <message>
        <source>an RLE segment of frame %1 ends before its pixels</source>
        <translation>an RLE segment of frame %1 ends before its pixels</translation>
    </message>
    <message>
        <source>no transfer syntax</source>
        <translation>no transfer syntax</translation>
    </message>
    <message>
        <source>transfer syntax %1</source>
        <translation>transfer syntax %1</translation>
    </message>
    <message>
        <source>the given spacing</source>
        <translation>the given spacing</translation>
    </message>
    <message>
        <source>the file name</source>
        <translation>the file name</translation>
    </message>
    <message>
        <source>Pixel Spacing (0028,0030)</source>
        <translation>Pixel Spacing (0028,0030)</translation>
    </message>
    <message>
        <source>Imager Pixel Spacing (0018,1164)</source>
        <translation>Imager Pixel Spacing (0018,1164)</translation>
    </message>
    <message>
        <source>Detector Element Spacing (0018,7022)</source>
        <translation>Detector Element Spacing (0018,7022)</translation>
    </message>
    <message>
        <source>the fallback spacing</source>
        <translation>the fallback spacing</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
</context>
</TS>
