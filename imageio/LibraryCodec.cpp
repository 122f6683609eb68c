#include "LibraryCodec.h"

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
    gdcm::Trace::SetDebug(false);
    gdcm::Trace::SetWarning(false);
    gdcm::Trace::SetError(false);
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
        result.failure = "the decoder expects " + std::to_string(length) + " bytes of pixels where the header states " +
                         std::to_string(request.need);
        return result;
    }
    CodecMessages messages;
    result.decoded = image.GetBuffer(out);
    result.notes = messages.Finish();
    if (!result.decoded) {
        result.failure = "the compressed pixel data are corrupt or truncated";
        if (!result.notes.empty())
            result.failure += " (" + result.notes.front() + ")";
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
