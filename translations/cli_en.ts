<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>cli</name>
    <message>
        <source>Run with --help for more information.</source>
        <translation>Run with --help for more information.</translation>
    </message>
    <message>
        <source>Spectrum and noise power spectrum of medical images, without a window.</source>
        <translation>Spectrum and noise power spectrum of medical images, without a window.</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Subcommands</source>
        <translation>Subcommands</translation>
    </message>
    <message>
        <source>Print this help message and exit</source>
        <translation>Print this help message and exit</translation>
    </message>
    <message>
        <source>Print this help with every subcommand&apos;s options and exit</source>
        <translation>Print this help with every subcommand&apos;s options and exit</translation>
    </message>
    <message>
        <source>Worker threads (0: one per hardware thread)</source>
        <translation>Worker threads (0: one per hardware thread)</translation>
    </message>
    <message>
        <source>No progress bar on standard error</source>
        <translation>No progress bar on standard error</translation>
    </message>
    <message>
        <source>Language of the messages and this help: ja or en (default: from LC_ALL, LC_MESSAGES or LANG)</source>
        <translation>Language of the messages and this help: ja or en (default: from LC_ALL, LC_MESSAGES or LANG)</translation>
    </message>
    <message>
        <source>The version, then exit</source>
        <translation>The version, then exit</translation>
    </message>
    <message>
        <source>--threads must be 0 to %1.</source>
        <translation>--threads must be 0 to %1.</translation>
    </message>
    <message>
        <source>Unexpected failure.</source>
        <translation>Unexpected failure.</translation>
    </message>
    <message>
        <source>%1 must be above 0, not %2.</source>
        <translation>%1 must be above 0, not %2.</translation>
    </message>
    <message>
        <source>--mode: %1</source>
        <translation>--mode: %1</translation>
    </message>
    <message>
        <source>--size needs WIDTHxHEIGHT, not &apos;%1&apos;.</source>
        <translation>--size needs WIDTHxHEIGHT, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>File mode as in the viewer: 8bit, 16bit or dicom</source>
        <translation>File mode as in the viewer: 8bit, 16bit or dicom</translation>
    </message>
    <message>
        <source>Matrix size WIDTHxHEIGHT (else from the file name or DICOM header)</source>
        <translation>Matrix size WIDTHxHEIGHT (else from the file name or DICOM header)</translation>
    </message>
    <message>
        <source>Bytes before the first pixel</source>
        <translation>Bytes before the first pixel</translation>
    </message>
    <message>
        <source>Value added to every pixel</source>
        <translation>Value added to every pixel</translation>
    </message>
    <message>
        <source>Pixel spacing in mm (else from the file name or DICOM header)</source>
        <translation>Pixel spacing in mm (else from the file name or DICOM header)</translation>
    </message>
    <message>
        <source>Read 16-bit pixels big-endian</source>
        <translation>Read 16-bit pixels big-endian</translation>
    </message>
    <message>
        <source>Read 16-bit pixels little-endian even if the header says otherwise</source>
        <translation>Read 16-bit pixels little-endian even if the header says otherwise</translation>
    </message>
    <message>
        <source>Measure a file the decoder read with a warning (its pixels may be wrong)</source>
        <translation>Measure a file the decoder read with a warning (its pixels may be wrong)</translation>
    </message>
    <message>
        <source>warning: %1: the decoder reported: %2</source>
        <translation>warning: %1: the decoder reported: %2</translation>
    </message>
    <message>
        <source>Replace outputs that are read-only</source>
        <translation>Replace outputs that are read-only</translation>
    </message>
    <message>
        <source>%1: the file is read-only (--force replaces it)</source>
        <translation>%1: the file is read-only (--force replaces it)</translation>
    </message>
    <message>
        <source>%1 (--force replaces it)</source>
        <translation>%1 (--force replaces it)</translation>
    </message>
    <message>
        <source>wrote %1, %2, %3</source>
        <translation>wrote %1, %2, %3</translation>
    </message>
    <message>
        <source>--out needs a file prefix or a folder.</source>
        <translation>--out needs a file prefix or a folder.</translation>
    </message>
    <message>
        <source>%1: the folder %2 does not exist</source>
        <translation>%1: the folder %2 does not exist</translation>
    </message>
    <message>
        <source>%1 does not take &apos;%2&apos;: %3</source>
        <translation>%1 does not take &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>--flat is required: the flat fields at the air kerma --kerma.</source>
        <translation>--flat is required: the flat fields at the air kerma --kerma.</translation>
    </message>
    <message>
        <source>%1 is required.</source>
        <translation>%1 is required.</translation>
    </message>
    <message>
        <source>--conversion needs K=FILE (air kerma in uGy, then the flat field), not &apos;%1&apos;.</source>
        <translation>--conversion needs K=FILE (air kerma in uGy, then the flat field), not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--esf-bin must be at most 0.5 (a fraction of a pixel), not %1.</source>
        <translation>--esf-bin must be at most 0.5 (a fraction of a pixel), not %1.</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>DQE at %1 uGy, %2, from %3 ROIs in %4 flat field(s): conversion offset %5, gain %6 per uGy; MTF50 u %7, v %8 cycles/mm</source>
        <translation>DQE at %1 uGy, %2, from %3 ROIs in %4 flat field(s): conversion offset %5, gain %6 per uGy; MTF50 u %7, v %8 cycles/mm</translation>
    </message>
    <message>
        <source>DQE along u and v from flat fields and two edge images (CSV, PNG plot, JSON summary)</source>
        <translation>DQE along u and v from flat fields and two edge images (CSV, PNG plot, JSON summary)</translation>
    </message>
    <message>
        <source>Edge ROI x,y,w,h in --edge-h (default: the whole image)</source>
        <translation>Edge ROI x,y,w,h in --edge-h (default: the whole image)</translation>
    </message>
    <message>
        <source>Edge ROI x,y,w,h in --edge-v (default: the whole image)</source>
        <translation>Edge ROI x,y,w,h in --edge-v (default: the whole image)</translation>
    </message>
    <message>
        <source>Beam quality: RQA3, RQA5, RQA7 or RQA9</source>
        <translation>Beam quality: RQA3, RQA5, RQA7 or RQA9</translation>
    </message>
    <message>
        <source>NPS ROI side in pixels</source>
        <translation>NPS ROI side in pixels</translation>
    </message>
    <message>
        <source>NPS grid area x,y,w,h (default: the whole first flat field)</source>
        <translation>NPS grid area x,y,w,h (default: the whole first flat field)</translation>
    </message>
    <message>
        <source>NPS grid overlap, 0 or 0.5</source>
        <translation>NPS grid overlap, 0 or 0.5</translation>
    </message>
    <message>
        <source>NPS bin width in cycles/mm</source>
        <translation>NPS bin width in cycles/mm</translation>
    </message>
    <message>
        <source>ESF bin width as a fraction of a pixel</source>
        <translation>ESF bin width as a fraction of a pixel</translation>
    </message>
    <message>
        <source>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (dqe.csv, ...)</source>
        <translation>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (dqe.csv, ...)</translation>
    </message>
    <message>
        <source>Exit codes: 0 done, 1 unexpected failure, 2 usage, 3 input unreadable, 4 input unusable,
            5 output unwritable, 6 arithmetic refused.</source>
        <translation>Exit codes: 0 done, 1 unexpected failure, 2 usage, 3 input unreadable, 4 input unusable,
            5 output unwritable, 6 arithmetic refused.</translation>
    </message>
    <message>
        <source>The filter must be LCF, HCF, BPF or No, not &apos;%1&apos;.</source>
        <translation>The filter must be LCF, HCF, BPF or No, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>A square ROI filtered as the filter window does, saved as &quot;SaveFltrd&quot; saves it</source>
        <translation>A square ROI filtered as the filter window does, saved as &quot;SaveFltrd&quot; saves it</translation>
    </message>
    <message>
        <source>Image file</source>
        <translation>Image file</translation>
    </message>
    <message>
        <source>x,y,n: top-left pixel and side (a power of two up to 1024)</source>
        <translation>x,y,n: top-left pixel and side (a power of two up to 1024)</translation>
    </message>
    <message>
        <source>LCF, HCF, BPF or No</source>
        <translation>LCF, HCF, BPF or No</translation>
    </message>
    <message>
        <source>Cut-off in cycles/pixel (the high cut of a band pass)</source>
        <translation>Cut-off in cycles/pixel (the high cut of a band pass)</translation>
    </message>
    <message>
        <source>Filter power</source>
        <translation>Filter power</translation>
    </message>
    <message>
        <source>Band pass: low cut-off (default --cof - 0.05, as the BPF button sets it)</source>
        <translation>Band pass: low cut-off (default --cof - 0.05, as the BPF button sets it)</translation>
    </message>
    <message>
        <source>Band pass: low-cut power (default --power)</source>
        <translation>Band pass: low-cut power (default --power)</translation>
    </message>
    <message>
        <source>As the window&apos;s COF box</source>
        <translation>As the window&apos;s COF box</translation>
    </message>
    <message>
        <source>Noise-floor divisor, as the window&apos;s SSIR box and edit</source>
        <translation>Noise-floor divisor, as the window&apos;s SSIR box and edit</translation>
    </message>
    <message>
        <source>Output file (raw binary32, n x n)</source>
        <translation>Output file (raw binary32, n x n)</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>Usage</translation>
    </message>
    <message>
        <source>OPTIONS</source>
        <translation>OPTIONS</translation>
    </message>
    <message>
        <source>SUBCOMMAND</source>
        <translation>SUBCOMMAND</translation>
    </message>
    <message>
        <source>SUBCOMMANDS</source>
        <translation>SUBCOMMANDS</translation>
    </message>
    <message>
        <source>REQUIRED</source>
        <translation>REQUIRED</translation>
    </message>
    <message>
        <source>Positionals</source>
        <translation>Positionals</translation>
    </message>
    <message>
        <source>--bin must be at most 0.5 (a fraction of a pixel), not %1.</source>
        <translation>--bin must be at most 0.5 (a fraction of a pixel), not %1.</translation>
    </message>
    <message>
        <source>%1 cycles/mm</source>
        <translation>%1 cycles/mm</translation>
    </message>
    <message>
        <source>not reached</source>
        <translation>not reached</translation>
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
        <source>MTF of the %1 edge tilted %2 degrees: MTF50 %3, MTF10 %4, contrast %5, noise %6</source>
        <translation>MTF of the %1 edge tilted %2 degrees: MTF50 %3, MTF10 %4, contrast %5, noise %6</translation>
    </message>
    <message>
        <source>Presampling MTF of an edge image by the slanted edge (CSV, PNG plot, JSON summary)</source>
        <translation>Presampling MTF of an edge image by the slanted edge (CSV, PNG plot, JSON summary)</translation>
    </message>
    <message>
        <source>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (mtf.csv, ...)</source>
        <translation>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (mtf.csv, ...)</translation>
    </message>
    <message>
        <source>--roi is required: the ROI side in pixels, 16 to 1024.</source>
        <translation>--roi is required: the ROI side in pixels, 16 to 1024.</translation>
    </message>
    <message>
        <source>NPS of %1 ROIs in %2 image(s): mean %3, mean square after detrending %4, ROI variance %5, Parseval relative error %6</source>
        <translation>NPS of %1 ROIs in %2 image(s): mean %3, mean square after detrending %4, ROI variance %5, Parseval relative error %6</translation>
    </message>
    <message>
        <source>Noise power spectrum of one or more images (CSV, PNG plot, JSON summary)</source>
        <translation>Noise power spectrum of one or more images (CSV, PNG plot, JSON summary)</translation>
    </message>
    <message>
        <source>Image files (raw by the file-name convention, or DICOM)</source>
        <translation>Image files (raw by the file-name convention, or DICOM)</translation>
    </message>
    <message>
        <source>ROI side in pixels, 16 to 1024 (required)</source>
        <translation>ROI side in pixels, 16 to 1024 (required)</translation>
    </message>
    <message>
        <source>Grid area x,y,w,h (default: the whole first image)</source>
        <translation>Grid area x,y,w,h (default: the whole first image)</translation>
    </message>
    <message>
        <source>Own ROI list instead of a grid: x,y;x,y;... (top-left corners)</source>
        <translation>Own ROI list instead of a grid: x,y;x,y;... (top-left corners)</translation>
    </message>
    <message>
        <source>Grid overlap, 0 or 0.5</source>
        <translation>Grid overlap, 0 or 0.5</translation>
    </message>
    <message>
        <source>none, mean, plane or poly2</source>
        <translation>none, mean, plane or poly2</translation>
    </message>
    <message>
        <source>Fit the trend per ROI (roi) or over the area (area); default area for a grid, roi for --rois</source>
        <translation>Fit the trend per ROI (roi) or over the area (area); default area for a grid, roi for --rois</translation>
    </message>
    <message>
        <source>Radial bin width in cycles/mm</source>
        <translation>Radial bin width in cycles/mm</translation>
    </message>
    <message>
        <source>Lines each side of an axis for the axis curves</source>
        <translation>Lines each side of an axis for the axis curves</translation>
    </message>
    <message>
        <source>Axis curves&apos; samples at their radial frequency (radial, IEC 62220-1-1) or along the axis (along)</source>
        <translation>Axis curves&apos; samples at their radial frequency (radial, IEC 62220-1-1) or along the axis (along)</translation>
    </message>
    <message>
        <source>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (nps.csv, ...)</source>
        <translation>Output prefix PREFIX (PREFIX.csv, .png, .json) or a folder (nps.csv, ...)</translation>
    </message>
    <message>
        <source>Logarithmic NPS axis in the plot</source>
        <translation>Logarithmic NPS axis in the plot</translation>
    </message>
    <message>
        <source>A subcommand is required</source>
        <translation>A subcommand is required</translation>
    </message>
    <message>
        <source>Requires at least %1 subcommands</source>
        <translation>Requires at least %1 subcommands</translation>
    </message>
    <message>
        <source>%1 is required</source>
        <translation>%1 is required</translation>
    </message>
    <message>
        <source>The following argument was not expected: %1</source>
        <translation>The following argument was not expected: %1</translation>
    </message>
    <message>
        <source>The following arguments were not expected: %1</source>
        <translation>The following arguments were not expected: %1</translation>
    </message>
    <message>
        <source>%1: %2 required %3 missing</source>
        <translation>%1: %2 required %3 missing</translation>
    </message>
    <message>
        <source>Expected exactly %1 arguments to %2, got %3</source>
        <translation>Expected exactly %1 arguments to %2, got %3</translation>
    </message>
    <message>
        <source>Expected at least %1 arguments to %2, got %3</source>
        <translation>Expected at least %1 arguments to %2, got %3</translation>
    </message>
    <message>
        <source>%1: At least %2 required but received %3</source>
        <translation>%1: At least %2 required but received %3</translation>
    </message>
    <message>
        <source>%1: At Most %2 required but received %3</source>
        <translation>%1: At Most %2 required but received %3</translation>
    </message>
    <message>
        <source>%1 was given a disallowed flag override</source>
        <translation>%1 was given a disallowed flag override</translation>
    </message>
    <message>
        <source>The value %1 is not an allowed value for %2</source>
        <translation>The value %1 is not an allowed value for %2</translation>
    </message>
    <message>
        <source>Could not convert: %1 = %2</source>
        <translation>Could not convert: %1 = %2</translation>
    </message>
    <message>
        <source>%1: too many inputs for a flag</source>
        <translation>%1: too many inputs for a flag</translation>
    </message>
    <message>
        <source>%1: Should be true/false or a number</source>
        <translation>%1: Should be true/false or a number</translation>
    </message>
    <message>
        <source>%1 excludes %2</source>
        <translation>%1 excludes %2</translation>
    </message>
    <message>
        <source>%1 requires %2</source>
        <translation>%1 requires %2</translation>
    </message>
    <message>
        <source>The spectrum kind must be power, abs, real or imag, not &apos;%1&apos;.</source>
        <translation>The spectrum kind must be power, abs, real or imag, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>No pixel spacing for %1: give --pixel.</source>
        <translation>No pixel spacing for %1: give --pixel.</translation>
    </message>
    <message>
        <source>The centred spectrum of a square ROI, as the spectrum window&apos;s values</source>
        <translation>The centred spectrum of a square ROI, as the spectrum window&apos;s values</translation>
    </message>
    <message>
        <source>power, abs, real or imag</source>
        <translation>power, abs, real or imag</translation>
    </message>
    <message>
        <source>Logarithm of the map, as the window&apos;s Log box</source>
        <translation>Logarithm of the map, as the window&apos;s Log box</translation>
    </message>
    <message>
        <source>Output file (default: standard output)</source>
        <translation>Output file (default: standard output)</translation>
    </message>
    <message>
        <source>Refuse the run (exit 4, nothing written) when it gives any warning</source>
        <translation>Refuse the run (exit 4, nothing written) when it gives any warning</translation>
    </message>
    <message>
        <source>--strict: the run gave %1 warning(s); nothing was written.</source>
        <translation>--strict: the run gave %1 warning(s); nothing was written.</translation>
    </message>
    <message>
        <source>  %1 cycles/mm: DQE u %2 ± %3, v %4 ± %5, mean %6 ± %7; MTF u %8, v %9; NNPS u %10, v %11 mm²</source>
        <translation>  %1 cycles/mm: DQE u %2 ± %3, v %4 ± %5, mean %6 ± %7; MTF u %8, v %9; NNPS u %10, v %11 mm²</translation>
    </message>
    <message>
        <source>q %1 per mm² per uGy (%2); pixel spacing %3</source>
        <translation>q %1 per mm² per uGy (%2); pixel spacing %3</translation>
    </message>
    <message>
        <source>given</source>
        <translation>given</translation>
    </message>
    <message>
        <source>table</source>
        <translation>table</translation>
    </message>
    <message>
        <source>Flat fields at the air kerma --kerma, or K=FILE at K uGy: one DQE per air kerma (required)</source>
        <translation>Flat fields at the air kerma --kerma, or K=FILE at K uGy: one DQE per air kerma (required)</translation>
    </message>
    <message>
        <source>Air kerma of the flat fields given without K=, uGy</source>
        <translation>Air kerma of the flat fields given without K=, uGy</translation>
    </message>
    <message>
        <source>Images of a horizontal edge: the MTF along v, their ESFs pooled (required)</source>
        <translation>Images of a horizontal edge: the MTF along v, their ESFs pooled (required)</translation>
    </message>
    <message>
        <source>Images of a vertical edge: the MTF along u, their ESFs pooled (required)</source>
        <translation>Images of a vertical edge: the MTF along u, their ESFs pooled (required)</translation>
    </message>
    <message>
        <source>Photons per mm² per uGy for a beam quality outside the table (recorded)</source>
        <translation>Photons per mm² per uGy for a beam quality outside the table (recorded)</translation>
    </message>
    <message>
        <source>Without --conversion: state that the raw values are proportional to air kerma</source>
        <translation>Without --conversion: state that the raw values are proportional to air kerma</translation>
    </message>
    <message>
        <source>K=FILE, one per flat field of the conversion function</source>
        <translation>K=FILE, one per flat field of the conversion function</translation>
    </message>
    <message>
        <source>MTF at 1, 2, 3 cycles/mm: %1, %2, %3 (standard error %4, %5, %6); pixel spacing %7</source>
        <translation>MTF at 1, 2, 3 cycles/mm: %1, %2, %3 (standard error %4, %5, %6); pixel spacing %7</translation>
    </message>
    <message>
        <source>Images of edges of one direction tilted 1 to 45 degrees (1.5 to 3 as IEC 62220-1-1 asks); their ESFs are pooled</source>
        <translation>Images of edges of one direction tilted 1 to 45 degrees (1.5 to 3 as IEC 62220-1-1 asks); their ESFs are pooled</translation>
    </message>
    <message>
        <source>Edge ROI x,y,w,h: top-left pixel, width, height (default: the whole image; the ESF reaches 40 pixels either side of the edge)</source>
        <translation>Edge ROI x,y,w,h: top-left pixel, width, height (default: the whole image; the ESF reaches 40 pixels either side of the edge)</translation>
    </message>
</context>
</TS>
