#include "LibraryCodec.h"

#include <sstream>

#include <gdcmFragment.h>
#include <gdcmImage.h>
#include <gdcmSequenceOfFragments.h>
#include <gdcmTrace.h>

#include "CodecMessages.h"
#include "CodestreamCheck.h"
#include "TransferSyntax.h"

namespace imageio {

CodecResult DecodeWithCodecLibrary(const CodecRequest& request, char* out)
{
    // What GDCM and the codecs it drives report (openjpeg's messages come this way) is kept with
    // what the JPEG codecs print on standard error.
    std::stringstream reports;
    gdcm::Trace::SetDebug(false);
    gdcm::Trace::SetWarningStream(reports);
    gdcm::Trace::SetErrorStream(reports);
    gdcm::Trace::SetWarning(true);
    gdcm::Trace::SetError(true);
    CodecResult result;
    // The library is handed the pixel module and the fragments in memory, as the walk found them;
    // no DICOM file is written for it to parse again.
    gdcm::Image image;
    image.SetNumberOfDimensions(request.frames > 1 ? 3 : 2);
    image.SetDimension(0, request.columns);
    image.SetDimension(1, request.rows);
    if (request.frames > 1)
        image.SetDimension(2, request.frames);
    image.SetPixelFormat(gdcm::PixelFormat(request.samplesPerPixel, request.bitsAllocated, request.bitsStored,
                                           static_cast<unsigned short>(request.bitsStored - 1),
                                           request.pixelRepresentation));
    image.SetPhotometricInterpretation(gdcm::PhotometricInterpretation::GetPIType(request.photometric.c_str()));
    if (request.samplesPerPixel > 1)
        image.SetPlanarConfiguration(request.planar);
    image.SetTransferSyntax(gdcm::TransferSyntax::GetTSType(request.transferSyntax.c_str()));
    gdcm::SmartPointer<gdcm::SequenceOfFragments> sequence = new gdcm::SequenceOfFragments;
    for (const auto fragment : request.fragments) {
        gdcm::Fragment item;
        item.SetByteValue(reinterpret_cast<const char*>(fragment.data()), static_cast<std::uint32_t>(fragment.size()));
        sequence->AddFragment(item);
    }
    gdcm::DataElement pixelData(gdcm::Tag(0x7FE0, 0x0010));
    pixelData.SetVR(gdcm::VR::OB);
    pixelData.SetValue(*sequence);
    image.SetDataElement(pixelData);
    const unsigned long length = image.GetBufferLength();
    if (length != request.need) {
        result.failure = CodecFailure::BufferLength;
        result.expectedBytes = length;
        result.statedBytes = request.need;
        return result;
    }
    CodecMessages messages;
    result.decoded = image.GetBuffer(out);
    result.notes = messages.Finish();
    // GDCM heads each report with the place in its source ("Error: In ..., line 220, function ...");
    // only the words that follow say something to the user.
    for (std::string line; std::getline(reports, line);)
        if (!line.empty() && line.rfind("Error: In ", 0) != 0 && line.rfind("Warning: In ", 0) != 0 &&
            result.notes.size() < 20)
            result.notes.push_back(line.substr(0, 200));
    if (!result.decoded) {
        result.failure = CodecFailure::Corrupt;
        return result;
    }
    // The JPEG 2000 codec undoes the colour transform the codestream names but leaves the
    // photometric interpretation as the header stated it.
    if (CodestreamOf(request.transferSyntax) == Codestream::Jpeg2000 && request.samplesPerPixel == 3 &&
        !request.fragments.empty()) {
        result.holds = Jpeg2000ColourTransform(request.fragments.front()) ? "RGB" : request.photometric;
        return result;
    }
    const char* holds = gdcm::PhotometricInterpretation::GetPIString(image.GetPhotometricInterpretation());
    result.holds = holds ? holds : request.photometric;
    return result;
}

} // namespace imageio
